# The check that only the platform seam includes system headers: tried first
# on a small tree of its own (a stray include in the game and the editor is
# named; the seam's, the web drivers', a comment's and a standard header's
# are not), then on the project itself, which must have none.
# usage: cmake -DROOT=<project root> -DWORK=<scratch folder> -P platform_headers.cmake
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/../../cmake)
include(PlatformHeaders)

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/shell/stray.cpp "#include <cstdio>\n  #  include <unistd.h>\n")
file(WRITE ${WORK}/tools/editor/stray.h "#include <sys/stat.h>\n")
file(WRITE ${WORK}/src/menu/fine.cpp "// not #include <unistd.h>\n#include <ctime>\n#include \"shell/io.h.txt\"\n")
file(WRITE ${WORK}/src/platform/posix/files.cpp "#include <unistd.h>\n#include <sys/stat.h>\n")
file(WRITE ${WORK}/tools/web/webdrv.c "#include <emscripten.h>\n")
platform_headers_outside(${WORK} found count)
file(REMOVE_RECURSE ${WORK})
set(expected "src/shell/stray.cpp: #  include <unistd.h>;tools/editor/stray.h: #include <sys/stat.h>")
list(SORT found)
if(NOT "${found}" STREQUAL "${expected}" OR NOT count EQUAL 3)
  message(FATAL_ERROR "on the fixture the check found [${found}] in ${count} files, not [${expected}] in 3")
endif()

platform_headers_outside(${ROOT} found count)
if(found)
  string(REPLACE ";" "\n  " found "${found}")
  message(FATAL_ERROR "System headers included outside src/platform/:\n  ${found}")
endif()
message(STATUS "No system header included outside src/platform/ (${count} files of src/ and tools/ checked)")
