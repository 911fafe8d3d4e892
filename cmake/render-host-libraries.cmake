# The libraries the render host links, as targets: nlohmann_json::nlohmann_json,
# tinyobjloader::tinyobjloader, and on Linux OpenEXR::OpenEXR, PNG::PNG and zurender_lcms2.
# ZURENDER_FULL_OUTPUTS says whether the EXR file, the PNG previews, the contact sheet and the
# PSD's colour profile can be written: Debian packages OpenEXR, libpng and lcms2 for i386 Linux,
# but not for mingw.
if(WIN32)
  # Two of them are headers: they are taken from Debian's packages into a folder of their own, as
  # the rest of /usr/include belongs to the build machine's C library, not mingw's.
  set(headers ${PROJECT_BINARY_DIR}/render-host-headers)
  file(COPY /usr/include/nlohmann DESTINATION ${headers})
  file(COPY /usr/include/tiny_obj_loader.h DESTINATION ${headers})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${headers})
  # tinyobjloader's code is compiled from its header (zurender/scene/tinyobjloader.cpp).
  add_library(tinyobjloader::tinyobjloader INTERFACE IMPORTED)
  target_include_directories(tinyobjloader::tinyobjloader SYSTEM INTERFACE ${headers})
  set(ZURENDER_FULL_OUTPUTS OFF)
else()
  find_package(nlohmann_json 3 REQUIRED)
  if(ZU_BUILD_FUZZER)
    # Its code compiled from its header (zurender/scene/tinyobjloader.cpp), so that the fuzzer
    # sees into it and the sanitizers check it.
    add_library(tinyobjloader::tinyobjloader INTERFACE IMPORTED)
  else()
    find_package(tinyobjloader REQUIRED)
  endif()
  find_package(OpenEXR 3 REQUIRED)
  find_package(PNG REQUIRED)
  # lcms2 ships no CMake package; pkg-config would find the build machine's, not the i386 one.
  find_path(LCMS2_INCLUDE_DIR lcms2.h REQUIRED)
  find_library(LCMS2_LIBRARY lcms2 REQUIRED)
  add_library(zurender_lcms2 INTERFACE)
  target_include_directories(zurender_lcms2 SYSTEM INTERFACE ${LCMS2_INCLUDE_DIR})
  target_link_libraries(zurender_lcms2 INTERFACE ${LCMS2_LIBRARY})
  set(ZURENDER_FULL_OUTPUTS ON)
endif()
