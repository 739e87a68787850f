# A GoogleTest case that skips prints "[  SKIPPED ]" and its program still
# ends with status 0, which CTest counts as a pass: a test that cannot run
# where it is would read as proof. Unless POKLAD_TESTS_MAY_SKIP is set (a
# package build in a bare chroot, which names its skipped cases itself),
# such a line fails the test.
option(POKLAD_TESTS_MAY_SKIP "Let test cases skip, where the build has no /sys or /proc" OFF)

# fail_on_skipped_cases(): call at the end of every CMakeLists.txt that adds
# tests, once they all exist; it covers the tests of that folder. It also
# runs them between tmp_before and tmp_left_empty, which fails when a test
# left something in /tmp.
function(fail_on_skipped_cases)
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(tests AND NOT POKLAD_TESTS_MAY_SKIP)
    set_property(TEST ${tests} APPEND PROPERTY FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  endif()
  list(REMOVE_ITEM tests tmp_before tmp_left_empty)
  if(tests)
    set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED tmp_watch)
  endif()
  set_property(GLOBAL APPEND PROPERTY POKLAD_SKIPS_COVERED ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# check_skipped_cases_covered(DIR): fails the configure, naming the folder,
# when DIR or a folder below it adds tests without fail_on_skipped_cases().
function(check_skipped_cases_covered dir)
  get_property(tests DIRECTORY ${dir} PROPERTY TESTS)
  get_property(covered GLOBAL PROPERTY POKLAD_SKIPS_COVERED)
  get_property(source DIRECTORY ${dir} PROPERTY SOURCE_DIR)
  if(tests AND NOT source IN_LIST covered)
    message(FATAL_ERROR "${source}/CMakeLists.txt adds tests but does not call fail_on_skipped_cases()")
  endif()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    check_skipped_cases_covered(${sub})
  endforeach()
endfunction()
