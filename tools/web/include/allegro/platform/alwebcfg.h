/* Configuration of the library for a web browser (emscripten's musl C
 * library, WebAssembly, no threads). The drivers are in tools/web/webdrv.c. */
#ifndef ALWEBCFG_H
#define ALWEBCFG_H

#ifndef SCAN_DEPEND
   #include <fcntl.h>
   #include <unistd.h>
#endif

#define ALLEGRO_PLATFORM_STR  "Web"
#define ALLEGRO_LITTLE_ENDIAN

#define ALLEGRO_HAVE_DIRENT_H   1
#define ALLEGRO_HAVE_INTTYPES_H 1
#define ALLEGRO_HAVE_STDINT_H   1
#define ALLEGRO_HAVE_SYS_TIME_H 1
#define ALLEGRO_HAVE_SYS_STAT_H 1
#define ALLEGRO_HAVE_MEMCMP     1
#define ALLEGRO_HAVE_MKSTEMP    1

/* musl has none of these: the library brings its own. */
#define ALLEGRO_NO_STRICMP
#define ALLEGRO_NO_STRLWR
#define ALLEGRO_NO_STRUPR

/* The browser calls main like any C program: no renamed main. */
#define ALLEGRO_NO_MAGIC_MAIN

#define ALLEGRO_EXTRA_HEADER "allegro/platform/alweb.h"

#endif
