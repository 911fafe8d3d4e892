# 32-bit x86 Linux build with clang, for the libFuzzer target (clang's i386 runtimes come with
# libclang-rt-14-dev).
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-linux32.cmake)
find_program(CMAKE_C_COMPILER NAMES clang-14 clang REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ REQUIRED)
