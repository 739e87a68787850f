# The fuzz targets: one per source below, named after it, each linked with
# the project sources in NAME_SOURCES (relative to the project root). Read by
# this folder's own project, and by the test build's check that every test
# source is built.
set(FUZZ_TARGET_SOURCES map_load_fuzz.cpp map_text_fuzz.cpp)
set(map_load_fuzz_SOURCES src/match/map_file.cpp src/platform/posix/files.cpp src/platform/safe_write.cpp)
set(map_text_fuzz_SOURCES tools/mapkit/map_text.cpp)
