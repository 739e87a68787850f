/* The web platform's drivers (tools/web/webdrv.c): the page's canvas is the
 * screen, its pointer events the mouse, and the browser's clock the timer. */
#ifndef ALWEB_H
#define ALWEB_H

#ifndef ALLEGRO_WEB
   #error bad include
#endif

#define SYSTEM_WEB  AL_ID('W','E','B','S')
AL_VAR(SYSTEM_DRIVER, system_web);

#define TIMER_WEB   AL_ID('W','E','B','T')
AL_VAR(TIMER_DRIVER, timer_web);

#define MOUSE_WEB   AL_ID('W','E','B','M')
AL_VAR(MOUSE_DRIVER, mouse_web);

#define GFX_WEB     AL_ID('W','E','B','G')
AL_VAR(GFX_DRIVER, gfx_web);

#endif
