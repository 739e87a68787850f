# The library built for the web by tools/setup/web.sh, as the target
# PkgConfig::ALLEGRO, the name the rest of the build knows it by.
set(POKLAD_WEB_PREFIX "" CACHE PATH "Allegro built for the web (include/, lib/liballeg.a)")
if(NOT EXISTS ${POKLAD_WEB_PREFIX}/lib/liballeg.a)
  message(FATAL_ERROR "No web build of Allegro under POKLAD_WEB_PREFIX='${POKLAD_WEB_PREFIX}': run tools/setup/web.sh")
endif()
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
set_target_properties(PkgConfig::ALLEGRO PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${POKLAD_WEB_PREFIX}/include
  INTERFACE_LINK_LIBRARIES ${POKLAD_WEB_PREFIX}/lib/liballeg.a)
