# The fuzz targets: NAME.cpp in this folder, linked with the project sources
# in NAME_SOURCES (relative to the project root). Read by this folder's own
# project, and by the test build's check that every test source is built.
set(FUZZ_TARGETS map_load_fuzz map_text_fuzz)
set(map_load_fuzz_SOURCES src/match/map_file.cpp)
set(map_text_fuzz_SOURCES tools/mapkit/map_text.cpp)
