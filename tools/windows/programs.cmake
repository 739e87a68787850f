# The Windows programs: the game and the map editor (windowed programs with
# the game's icon and version information) and the map kit (a console
# program), named as the player sees them.
set(GAME_NAME hledani-pokladu)
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
string(REGEX REPLACE ".*\\(([0-9.]+)[^)]*\\).*" "\\1" POKLAD_VERSION "${changelog_head}")
string(REPLACE "." ";" version_parts "${POKLAD_VERSION}.0.0.0")
list(SUBLIST version_parts 0 4 version_parts)
string(REPLACE ";" "," POKLAD_VERSION_COMMAS "${version_parts}")

set(POKLAD_ICON "" CACHE FILEPATH "The game's icon (.ico), painted by the native build")
enable_language(RC)
set(RC_NAME ${GAME_NAME})
set(RC_DESCRIPTION "Hledani pokladu")
configure_file(${CMAKE_CURRENT_LIST_DIR}/game.rc.in ${PROJECT_BINARY_DIR}/game.rc @ONLY)
target_sources(poklad PRIVATE ${PROJECT_BINARY_DIR}/game.rc)
set(RC_NAME ${GAME_NAME}-editor)
set(RC_DESCRIPTION "Hledani pokladu - editor map")
configure_file(${CMAKE_CURRENT_LIST_DIR}/game.rc.in ${PROJECT_BINARY_DIR}/editor.rc @ONLY)
set_target_properties(poklad PROPERTIES WIN32_EXECUTABLE ON OUTPUT_NAME ${GAME_NAME})
set_target_properties(mapkit PROPERTIES OUTPUT_NAME ${GAME_NAME}-mapkit)
target_sources(poklad_editor PRIVATE ${PROJECT_BINARY_DIR}/editor.rc)
set_target_properties(poklad_editor PROPERTIES WIN32_EXECUTABLE ON OUTPUT_NAME ${GAME_NAME}-editor)
