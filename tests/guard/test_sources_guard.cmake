# The check that every test source is built, tried on a small project of its
# own: a file compiled by no target, or only listed by a custom target, must
# stop the configure with its name; compiled files and files built elsewhere
# must not be named, and without the strays the configure passes.
# usage: cmake -DROOT=<project root> -DWORK=<scratch folder> -P test_sources_guard.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/src/sub ${WORK}/src/fuzz)
# write_fixture(LISTED): the fixture, with a custom target naming listed_only.cpp
# when LISTED is set.
function(write_fixture listed)
  set(custom "")
  if(listed)
    set(custom "add_custom_target(listed SOURCES listed_only.cpp)")
  endif()
  file(WRITE ${WORK}/src/CMakeLists.txt "
cmake_minimum_required(VERSION 3.16)
project(guard_fixture CXX)
list(APPEND CMAKE_MODULE_PATH ${ROOT}/cmake)
include(TestSourcesBuilt)
add_executable(built built.cpp)
${custom}
check_test_sources_built(\${CMAKE_CURRENT_SOURCE_DIR} BUILT_ELSEWHERE fuzz/elsewhere.cpp)
")
endfunction()
write_fixture(1)
foreach(name built.cpp listed_only.cpp sub/orphan.cpp fuzz/elsewhere.cpp)
  file(WRITE ${WORK}/src/${name} "int main() { return 0; }\n")
endforeach()

function(configure result_var output_var)
  file(REMOVE_RECURSE ${WORK}/build)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/src -B ${WORK}/build
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${out}${err}" PARENT_SCOPE)
endfunction()

configure(result output)
if(result EQUAL 0)
  message(FATAL_ERROR "configure passed with two stray test sources:\n${output}")
endif()
foreach(name listed_only.cpp sub/orphan.cpp)
  string(FIND "${output}" "${name}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the failure does not name ${name}:\n${output}")
  endif()
endforeach()
foreach(name " built.cpp" elsewhere.cpp)
  string(FIND "${output}" "${name}" at)
  if(NOT at LESS 0)
    message(FATAL_ERROR "the failure names${name}, which is built:\n${output}")
  endif()
endforeach()

file(REMOVE ${WORK}/src/listed_only.cpp ${WORK}/src/sub/orphan.cpp)
write_fixture(0)
configure(result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configure failed with every test source built:\n${output}")
endif()
file(REMOVE_RECURSE ${WORK})
