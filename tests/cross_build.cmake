# The tests of a cross build (Windows, by Debian's mingw-w64 compilers): GoogleTest compiled from the system's
# source (Debian ships none built for the target), and, instead of CTest's discovery, which would have to run
# each program at build time, a list of the test programs, test-programs.txt at the top of the build tree, one
# file per line, for a runner on the target (tools/windows/run-tests.sh) that starts each program once with all
# its cases. `quarzel_tests` builds every program listed.
# Invariant: only unit tests on the fakes come here; the folders' CMake lists leave out, per file, what is
# about a mechanism of Linux alone (QUARZEL_LINUX_TESTS is false here).
set(QUARZEL_LINUX_TESTS OFF)

# GoogleTest's own CMake project, with our warnings off (its code is not ours to mend) and nothing installed.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(gtest_target gtest gtest_main gmock gmock_main)
  target_compile_options(${gtest_target} PRIVATE -w)
endforeach()
if(NOT TARGET GTest::gmock)
  add_library(GTest::gmock ALIAS gmock)
endif()

add_custom_target(quarzel_tests ALL)
# The data folder is the native build's (QUARZEL_DATA_DIR): nothing to make here, but the tests still name it.
add_custom_target(quarzel_data)
set_property(GLOBAL PROPERTY quarzel_test_programs "")

# The folders call this as they would CTest's discovery; the options (labels, timeouts) do not apply here.
# Each program gets the build tree's marker beside it, so that, like the native tests, it keeps the saved state
# in its working directory (host/windows/file_system.cpp).
function(gtest_discover_tests target)
  set_property(GLOBAL APPEND PROPERTY quarzel_test_programs "$<TARGET_FILE:${target}>")
  add_dependencies(quarzel_tests ${target})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/quarzel-build-tree.txt
      $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

function(quarzel_list_test_programs)
  get_property(programs GLOBAL PROPERTY quarzel_test_programs)
  list(REMOVE_DUPLICATES programs)
  list(JOIN programs "\n" lines)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/test-programs.txt CONTENT "${lines}\n")
endfunction()
