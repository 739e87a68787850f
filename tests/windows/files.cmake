# The Windows file functions' test (files_test.cpp), built by the cross build
# beside the game against GoogleTest built from Debian's sources, and run under
# Wine by the windows_files test. Left out where those sources are missing.
if(NOT EXISTS /usr/src/googletest/googletest/CMakeLists.txt)
  return()
endif()
add_subdirectory(/usr/src/googletest/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own code is not held to this project's warnings. The cross
# compilers use Win32 threads, whose C++ library has no std::mutex: the one
# class of GoogleTest that needs it comes from gtest_notification.h instead.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)
target_compile_options(gtest PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/gtest_notification.h)
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
add_executable(windows_files_test EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/files_test.cpp)
target_link_libraries(windows_files_test PRIVATE editor_model gtest_main)
target_include_directories(windows_files_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../editor)
