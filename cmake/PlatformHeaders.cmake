# Only the platform seam (src/platform/) speaks to the operating system: no
# other source of the game, the map kit or the editor (src/ and tools/) may
# include a system header. The library's web drivers (tools/web/) and the
# Linux-only image-set tools (tools/imageset/) may; the bench and the tests
# lie outside the checked folders.
set(PLATFORM_SYSTEM_HEADERS
  unistd.h fcntl.h dirent.h signal.h csignal pthread.h semaphore.h poll.h termios.h dlfcn.h spawn.h
  windows.h winalleg.h shlobj.h shellapi.h io.h direct.h process.h
  emscripten.h)
# Folders of system headers: every header in them counts.
set(PLATFORM_SYSTEM_HEADER_FOLDERS sys X11 emscripten netinet arpa)
set(PLATFORM_CHECKED_FOLDERS src tools)
set(PLATFORM_HEADERS_ALLOWED src/platform tools/web tools/imageset)

# platform_headers_outside(ROOT OUT): OUT gets one "file: #include <...>"
# entry for each system header included under ROOT's checked folders
# outside the allowed ones, file relative to ROOT; COUNT_OUT the number of
# files checked.
function(platform_headers_outside root out count_out)
  set(names)
  foreach(header ${PLATFORM_SYSTEM_HEADERS})
    string(REPLACE "." "\\." header "${header}")
    list(APPEND names "${header}")
  endforeach()
  foreach(folder ${PLATFORM_SYSTEM_HEADER_FOLDERS})
    list(APPEND names "${folder}/[^>\"]*")
  endforeach()
  string(REPLACE ";" "|" names "${names}")
  set(include_line "^[ \t]*#[ \t]*include[ \t]*[<\"](${names})[>\"]")
  set(found)
  set(count 0)
  foreach(folder ${PLATFORM_CHECKED_FOLDERS})
    file(GLOB_RECURSE files ${root}/${folder}/*.c ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
    foreach(file ${files})
      file(RELATIVE_PATH name ${root} ${file})
      set(allowed 0)
      foreach(place ${PLATFORM_HEADERS_ALLOWED})
        string(FIND "${name}" "${place}/" at)
        if(at EQUAL 0)
          set(allowed 1)
        endif()
      endforeach()
      if(allowed)
        continue()
      endif()
      math(EXPR count "${count} + 1")
      file(STRINGS ${file} lines REGEX "${include_line}")
      foreach(line ${lines})
        string(STRIP "${line}" line)
        list(APPEND found "${name}: ${line}")
      endforeach()
    endforeach()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
  set(${count_out} ${count} PARENT_SCOPE)
endfunction()

# check_platform_headers(ROOT): fails the configure, naming each include.
function(check_platform_headers root)
  platform_headers_outside(${root} found count)
  if(found)
    string(REPLACE ";" "\n  " found "${found}")
    message(FATAL_ERROR "System headers included outside src/platform/ (move the calls into the platform seam):\n  ${found}")
  endif()
endfunction()
