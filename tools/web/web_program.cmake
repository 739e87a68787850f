# The game as a web program: hledani-pokladu.js, .wasm and .data (the image
# set at /tarkoni.dat and the shipped maps in /mapy of the in-memory file
# system, from POKLAD_WEB_DATA). Its loops block as elsewhere: ASYNCIFY lets
# the drivers hand control to the browser once a frame, and program_end.js
# ends the program when main returns. The page reaches the in-memory
# file system through FS (it keeps the player's maps in IndexedDB itself).
set(POKLAD_WEB_DATA "" CACHE PATH "The image set and the mapy folder to pack with the web program")
set_target_properties(poklad PROPERTIES OUTPUT_NAME hledani-pokladu SUFFIX .js)
target_link_options(poklad PRIVATE
  -sASYNCIFY
  -sEXIT_RUNTIME=1
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=33554432
  -sENVIRONMENT=web
  -sINVOKE_RUN=1
  -sEXPORTED_RUNTIME_METHODS=FS
  -sFORCE_FILESYSTEM=1
  --post-js ${CMAKE_CURRENT_LIST_DIR}/program_end.js
  --preload-file ${POKLAD_WEB_DATA}@/)
set_property(TARGET poklad APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/program_end.js)
