# The statically built Allegro for Windows as the target PkgConfig::ALLEGRO,
# the name the rest of the build knows it by. POKLAD_WINDOWS_PREFIX is where
# tools/setup/windows.sh installed it.
set(POKLAD_WINDOWS_PREFIX "" CACHE PATH "Static Allegro, zlib and libpng for Windows")
if(NOT EXISTS ${POKLAD_WINDOWS_PREFIX}/lib/liballeg.a)
  message(FATAL_ERROR "No static Allegro under POKLAD_WINDOWS_PREFIX='${POKLAD_WINDOWS_PREFIX}': run tools/setup/windows.sh")
endif()
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
set_target_properties(PkgConfig::ALLEGRO PROPERTIES
  INTERFACE_COMPILE_DEFINITIONS ALLEGRO_STATICLINK
  INTERFACE_INCLUDE_DIRECTORIES ${POKLAD_WINDOWS_PREFIX}/include
  INTERFACE_LINK_LIBRARIES "${POKLAD_WINDOWS_PREFIX}/lib/liballeg.a;gdi32;comdlg32;ole32;dinput;ddraw;dxguid;winmm;dsound")
# Every program needs only Windows' own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
