# GoogleTest for the test suites: an installed package when there is one
# (Debian libgtest-dev), otherwise built here from the framework's sources
# (Debian's googletest package puts them under /usr/src/googletest).
# Sets KSTYPES_HAVE_GTEST; the targets are GTest::gtest and GTest::gtest_main
# either way. Without either, the library and the tool still build and the
# test suites are left out.
set(KSTYPES_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources, used when no installed GoogleTest is found")

find_package(GTest QUIET)
if(GTest_FOUND)
  set(KSTYPES_HAVE_GTEST ON)
  message(STATUS "GoogleTest: installed package")
elseif(EXISTS ${KSTYPES_GTEST_SOURCE_DIR}/googletest/CMakeLists.txt)
  # Only the framework itself; mocks and the framework's own install rules
  # are not needed. EXCLUDE_FROM_ALL: built only when a test program needs it.
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KSTYPES_GTEST_SOURCE_DIR}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Newer framework sources name their targets GTest::... themselves.
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
  set(KSTYPES_HAVE_GTEST ON)
  message(STATUS "GoogleTest: built from ${KSTYPES_GTEST_SOURCE_DIR}")
else()
  set(KSTYPES_HAVE_GTEST OFF)
  message(WARNING "GoogleTest not found (neither installed nor sources in ${KSTYPES_GTEST_SOURCE_DIR}): "
                  "the test suites are not built. Install libgtest-dev or googletest.")
endif()
