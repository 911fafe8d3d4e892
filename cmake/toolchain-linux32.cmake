# 32-bit x86 Linux build, used for the test build of the plug-in and the host core.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
# Lets find_package locate Debian's i386 GoogleTest and Google Benchmark.
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(FIND_LIBRARY_USE_LIB64_PATHS OFF)

# How this machine runs the i386 programs built here (scripts/machine-kind): natively, or under
# qemu-user. Where nothing starts them by itself, CTest puts qemu-i386 in front of every test
# program, and the tests that start programs of their own do the same.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/machine-kind
                OUTPUT_VARIABLE ZU_MACHINE_KIND OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/machine-kind --emulator
                OUTPUT_VARIABLE ZU_I386_EMULATOR OUTPUT_STRIP_TRAILING_WHITESPACE)
if(ZU_I386_EMULATOR)
  separate_arguments(CMAKE_CROSSCOMPILING_EMULATOR UNIX_COMMAND "${ZU_I386_EMULATOR}")
endif()
