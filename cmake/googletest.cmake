# GoogleTest from the sources Debian ships (serves both the native and the MinGW build);
# elsewhere (MSYS2 on Windows) an installed package.
set(TAVROSIN_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(EXISTS "${TAVROSIN_GTEST_SOURCE}/CMakeLists.txt")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TAVROSIN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  add_library(gtest_main ALIAS GTest::gtest_main)
  add_library(gmock ALIAS GTest::gmock)
endif()
include(GoogleTest)
