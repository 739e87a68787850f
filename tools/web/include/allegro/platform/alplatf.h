/* The library built for a web browser with emscripten: which platform the
 * library's headers describe (its own build writes this file from
 * alplatf.h.cmake; the web build puts this one first on the include path). */
#define ALLEGRO_WEB

/* Only the library's portable C code is built. */
#ifndef ALLEGRO_NO_ASM
   #define ALLEGRO_NO_ASM
#endif
#define ALLEGRO_USE_C
