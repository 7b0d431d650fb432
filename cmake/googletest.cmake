# Provides GTest::gtest_main and gtest_discover_tests() for the tests, and sets
# QUORIN_TEST_DISCOVERY to the discovery mode that suits the build.
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest is installed for the target system: build Debian's sources (googletest package).
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "The cross-built tests run under wine, which was not found. Install it, "
                        "or configure with -DQUORIN_TESTS=OFF to build the tool alone.")
  endif()
  set(QUORIN_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build")
  if(NOT EXISTS ${QUORIN_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${QUORIN_GTEST_SOURCE_DIR} (Debian package "
                        "googletest), or configure with -DQUORIN_TESTS=OFF.")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  # GoogleTest is built with its own warning flags, not this project's.
  get_directory_property(quorin_saved_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  add_subdirectory(${QUORIN_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${quorin_saved_options}")
  # Listing the tests means running the test program under wine: ctest does it, not the build.
  set(QUORIN_TEST_DISCOVERY PRE_TEST)
else()
  find_package(GTest REQUIRED)
  set(QUORIN_TEST_DISCOVERY POST_BUILD)
endif()
include(GoogleTest)
