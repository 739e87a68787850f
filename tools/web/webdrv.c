/* The library's drivers for a web browser: the system, the screen (the page's
 * canvas), the mouse (the page's pointer events) and the timer (the browser's
 * clock), and the file functions the library asks of each platform.
 *
 * A program's loops block as they do elsewhere; built with ASYNCIFY, the
 * program hands control back to the browser once a frame: when it copies a
 * picture to the screen, in vsync() and in rest(). Each time, the screen is
 * drawn on the canvas, the program sleeps until the browser's next animation
 * frame, then the pointer's queued events and the timer's ticks are taken in.
 *
 * The page (tools/web/page) sets Module.canvas, queues pointer states in
 * Module.webInput ({x, y, b, away}: the game's coordinates and buttons,
 * 1 left, 2 right; away while the pointer is off the picture) and may set
 * Module.onGameMessage(text), Module.onFirstFrame(),
 * Module.onFrameTimed(work_ms, present_ms) and Module.onRetrace(count). */
#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <dirent.h>
#include <emscripten.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* ---- what the page does */

/* Copies a w x h picture of RGBA bytes to the canvas; calls the page's
 * onFirstFrame after the first one. */
EM_JS(void, web_put_picture, (const unsigned char *rgba, int w, int h), {
  var canvas = Module.canvas;
  if (!Module.webPicture || Module.webPicture.width != w || Module.webPicture.height != h) {
    canvas.width = w;
    canvas.height = h;
    Module.webContext = canvas.getContext('2d', {alpha: false});
    Module.webPicture = Module.webContext.createImageData(w, h);
  }
  Module.webPicture.data.set(HEAPU8.subarray(rgba, rgba + w * h * 4));
  Module.webContext.putImageData(Module.webPicture, 0, 0);
  if (!Module.webShown) {
    Module.webShown = true;
    if (Module.onFirstFrame)
      Module.onFirstFrame();
  }
});

/* Sleeps until the browser's next animation frame. */
EM_ASYNC_JS(void, web_wait_frame, (void), {
  await new Promise(function(resume) { requestAnimationFrame(function() { resume(); }); });
});

/* The next pointer state, x | y << 12 | buttons << 24 | away << 27, or -1
 * while the page has sent none (the pointer has not been over the picture
 * yet). Queued moves are taken in up to the next change of the buttons,
 * which comes in a frame of its own, at its own point: a program that reads
 * the buttons once a frame never misses a quick click, and sees a press
 * where it began even when moves follow it at once (a finger's drag).
 * Away: the pointer is off the picture (a finger lifted, the mouse
 * elsewhere on the page). */
EM_JS(int, web_next_pointer, (void), {
  var input = Module.webInput || (Module.webInput = {queue: [], x: 0, y: 0, b: 0});
  var taken = 0;
  if (!input.queue.length && !input.seen)
    return -1;
  input.seen = true;
  while (input.queue.length) {
    var next = input.queue[0];
    var changed = next.b != input.b;
    if (changed && taken)
      break;
    input.queue.shift();
    taken++;
    input.x = next.x;
    input.y = next.y;
    input.b = next.b;
    input.away = !!next.away;
    if (changed)
      break;
  }
  return input.x | (input.y << 12) | (input.b << 24) | (input.away ? 1 << 27 : 0);
});

/* Tells a page that measures frames (Module.onFrameTimed, the benchmark's)
 * how long the program worked on the frame since the last animation frame
 * and how long presenting it took, in milliseconds. */
EM_JS(void, web_note_frame, (double work_ms, double present_ms), {
  if (Module.onFrameTimed)
    Module.onFrameTimed(work_ms, present_ms);
});

/* Shows a message of the program's on the page (or the console). */
EM_JS(void, web_show_message, (const char *text), {
  var message = UTF8ToString(text);
  if (Module.onGameMessage)
    Module.onGameMessage(message);
  else
    console.log(message);
});

/* ---- the frame: present, wait, take in input and time */

static unsigned short *screen_pixels;   /* the screen bitmap's memory, 5-6-5 */
static unsigned short *shown_pixels;    /* what the canvas shows, 5-6-5 */
static unsigned int *screen_rgba;       /* the same as RGBA bytes for the canvas */
static unsigned int *rgba_of;           /* 65,536 entries: a 5-6-5 pixel's RGBA */
static int screen_w, screen_h;
static double last_tick_ms;
static double frame_began;             /* when the browser last gave control back */
static int mouse_range[4] = {0, 0, 799, 599};
static int mouse_running;
enum { POINTER_AWAY = -1000 };         /* the pointer's place while off the picture */

/* The same 5-6-5 to 8-bit expansion as the library's own 16-to-32 colour
 * conversion (the one its X11 driver shows 16-bit pictures with), as RGBA. */
static int build_colour_table(void)
{
   static unsigned short every[65536];
   COLORCONV_BLITTER_FUNC *convert = _get_colorconv_blitter(16, 32);
   GRAPHICS_RECT src, dest;
   int i;

   if (!convert)
      return -1;
   rgba_of = malloc(sizeof(unsigned int) * 65536);
   if (!rgba_of) {
      _release_colorconv_blitter(convert);
      return -1;
   }
   for (i = 0; i < 65536; i++)
      every[i] = i;
   src.width = dest.width = 256;
   src.height = dest.height = 256;
   src.pitch = 256 * 2;
   dest.pitch = 256 * 4;
   src.data = every;
   dest.data = rgba_of;
   convert(&src, &dest);
   _release_colorconv_blitter(convert);
   for (i = 0; i < 65536; i++) {
      unsigned int c = rgba_of[i];   /* 0x00RRGGBB */
      rgba_of[i] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
   }
   return 0;
}

/* Draws the screen on the canvas, unless the canvas shows it already (most
 * frames of a game that redraws a still picture). */
static void present(void)
{
   int i, n = screen_w * screen_h;

   if (!screen_pixels || memcmp(shown_pixels, screen_pixels, n * 2) == 0)
      return;
   memcpy(shown_pixels, screen_pixels, n * 2);
   for (i = 0; i < n; i++)
      screen_rgba[i] = rgba_of[screen_pixels[i]];
   web_put_picture((const unsigned char *)screen_rgba, screen_w, screen_h);
}

static void take_pointer(void)
{
   int state = web_next_pointer();
   int x = state & 0xFFF, y = (state >> 12) & 0xFFF;

   if (!mouse_running || state < 0)
      return;
   if (state & (1 << 27)) {
      /* Off the picture: no control is under it, and the library draws no
       * pointer (as the X11 driver does when the pointer leaves the window). */
      _mouse_x = _mouse_y = POINTER_AWAY;
      _mouse_on = FALSE;
   } else {
      _mouse_x = MID(mouse_range[0], x, mouse_range[2]);
      _mouse_y = MID(mouse_range[1], y, mouse_range[3]);
      _mouse_on = TRUE;
   }
   _mouse_b = (state >> 24) & 7;
   _handle_mouse_input();
}

/* Tells a page that watches the library's clock (Module.onRetrace, a
 * test's) the library's retrace count, which its timer queue advances at
 * 70 a second. */
EM_JS(void, web_note_clock, (int retraces), {
  if (Module.onRetrace)
    Module.onRetrace(retraces);
});

/* Hands the time since the last tick to the library's timers, in its own
 * units. Only whole units are handed over: the clock then moves on by
 * exactly their length, so the rest (the fraction of a millisecond and of
 * a unit) counts in the next frame and the timers keep time with the
 * browser's clock at any frame rate. */
static void take_time(void)
{
   double now = emscripten_get_now();
   double elapsed = now - last_tick_ms;
   double units;
   long whole;

   if (elapsed > 1000) {   /* a tab in the background: no burst of ticks */
      last_tick_ms = now - 1000;
      elapsed = 1000;
   }
   units = elapsed * TIMERS_PER_SECOND / 1000.0;
   if (units < 1)
      return;
   whole = (long)units;
   last_tick_ms += whole * 1000.0 / TIMERS_PER_SECOND;
   _handle_timer_tick(whole);
   web_note_clock(retrace_count);
}

/* One frame's turn of the browser. */
static void web_frame(void)
{
   double start = emscripten_get_now();

   present();
   web_note_frame(start - frame_began, emscripten_get_now() - start);
   web_wait_frame();
   frame_began = emscripten_get_now();
   take_pointer();
   take_time();
}

/* ---- the screen */

static GFX_VTABLE memory_to_screen;   /* the screen's own blits, before ours */

static void blit_to_screen(BITMAP *source, BITMAP *dest, int source_x, int source_y,
                           int dest_x, int dest_y, int width, int height)
{
   memory_to_screen.blit_from_memory(source, dest, source_x, source_y, dest_x, dest_y, width, height);
   web_frame();
}

static void web_gfx_exit(BITMAP *b);

static BITMAP *web_gfx_init(int w, int h, int v_w, int v_h, int color_depth)
{
   BITMAP *b;

   if (color_depth != 16 || (v_w && v_w != w) || (v_h && v_h != h) || w <= 0 || h <= 0 ||
       w > 4095 || h > 4095) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Unsupported screen size or colour depth"));
      return NULL;
   }
   /* Red on top, as the X11 driver has it on a 24-bit screen: pictures
    * loaded from the same files come out with the same pixels. */
   _rgb_r_shift_16 = 11;
   _rgb_g_shift_16 = 5;
   _rgb_b_shift_16 = 0;
   if (!rgba_of && build_colour_table() != 0)
      return NULL;
   screen_pixels = calloc(w * h, 2);
   shown_pixels = calloc(w * h, 2);
   screen_rgba = malloc(w * h * 4);
   b = screen_pixels && shown_pixels && screen_rgba ?
      _make_bitmap(w, h, (uintptr_t)screen_pixels, &gfx_web, 16, w * 2) : NULL;
   if (!b) {
      web_gfx_exit(NULL);
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Not enough memory"));
      return NULL;
   }
   shown_pixels[0] = 1;   /* differs from the black screen: the first frame is drawn */
   memory_to_screen = *b->vtable;
   b->vtable->blit_from_memory = blit_to_screen;
   screen_w = gfx_web.w = w;
   screen_h = gfx_web.h = h;
   gfx_capabilities = 0;
   return b;
}

static void web_gfx_exit(BITMAP *b)
{
   (void)b;
   free(screen_pixels);
   free(shown_pixels);
   free(screen_rgba);
   screen_pixels = shown_pixels = NULL;
   screen_rgba = NULL;
}

GFX_DRIVER gfx_web = {
   GFX_WEB, EMPTY_STRING, EMPTY_STRING, "Web canvas",
   web_gfx_init, web_gfx_exit,
   NULL,         /* scroll */
   web_frame,    /* vsync */
   NULL, NULL, NULL, NULL,
   NULL, NULL, NULL, NULL, NULL, NULL,
   NULL, NULL, NULL, NULL,
   NULL, NULL, NULL, NULL,
   NULL,         /* fetch_mode_list */
   0, 0, TRUE, 0, 0, 0, 0,
   TRUE          /* windowed: a picture on a page */
};

/* ---- the mouse */

static int web_mouse_init(void)
{
   mouse_running = TRUE;
   return 3;
}

static void web_mouse_exit(void)
{
   mouse_running = FALSE;
}

static void web_mouse_position(int x, int y)
{
   _mouse_x = x;
   _mouse_y = y;
   _handle_mouse_input();
}

static void web_mouse_set_range(int x1, int y1, int x2, int y2)
{
   mouse_range[0] = x1;
   mouse_range[1] = y1;
   mouse_range[2] = x2;
   mouse_range[3] = y2;
}

MOUSE_DRIVER mouse_web = {
   MOUSE_WEB, EMPTY_STRING, EMPTY_STRING, "Web pointer",
   web_mouse_init, web_mouse_exit,
   NULL, NULL,   /* poll, timer_poll: events arrive once a frame */
   web_mouse_position, web_mouse_set_range,
   NULL, NULL, NULL, NULL, NULL
};

/* ---- the timer: the library's own queue of timers, ticked once a frame */

static int web_timer_init(void)
{
   last_tick_ms = frame_began = emscripten_get_now();
   return 0;
}

static void web_timer_exit(void)
{
}

/* Frames go by until the time is up; at least one. */
static void web_rest(unsigned int ms, void (*callback)(void))
{
   double until = emscripten_get_now() + ms;

   do {
      if (callback)
         callback();
      web_frame();
   } while (emscripten_get_now() < until);
}

TIMER_DRIVER timer_web = {
   TIMER_WEB, EMPTY_STRING, EMPTY_STRING, "Web clock",
   web_timer_init, web_timer_exit,
   NULL, NULL, NULL, NULL,   /* the library's own timer queue */
   NULL, NULL,
   web_rest
};

/* ---- the system */

static int web_sys_init(void)
{
   os_type = OSTYPE_UNKNOWN;
   os_multitasking = TRUE;
   return 0;
}

static void web_sys_exit(void)
{
}

static void web_get_executable_name(char *output, int size)
{
   do_uconvert("/hledani-pokladu", U_ASCII, output, U_CURRENT, size);
}

static void web_message(const char *msg)
{
   char text[4096];

   do_uconvert(msg, U_CURRENT, text, U_UTF8, sizeof text);
   web_show_message(text);
}

static int web_close_button(void (*proc)(void))
{
   (void)proc;   /* a page has no close button of its own */
   return 0;
}

static int web_desktop_depth(void)
{
   return 16;
}

static void web_yield(void)
{
   web_frame();
}

SYSTEM_DRIVER system_web = {
   SYSTEM_WEB, EMPTY_STRING, EMPTY_STRING, "Web browser",
   web_sys_init, web_sys_exit,
   web_get_executable_name,
   NULL,                 /* find_resource */
   NULL,                 /* set_window_title: the page has its own */
   web_close_button,
   web_message,
   NULL, NULL, NULL,     /* assert, save and restore the console */
   NULL, NULL, NULL, NULL, NULL,   /* bitmaps: the library's own */
   NULL, NULL, NULL,     /* palette, vtables */
   NULL, NULL,           /* display switching */
   web_desktop_depth,
   NULL, NULL,           /* desktop resolution, safe mode */
   web_yield,
   NULL, NULL, NULL, NULL,         /* no threads, no mutexes */
   NULL, NULL, NULL, NULL, NULL, NULL, NULL   /* the lists below */
};

_DRIVER_INFO _system_driver_list[] = {
   {SYSTEM_WEB, &system_web, TRUE},
   {SYSTEM_NONE, &system_none, FALSE},
   {0, NULL, 0}
};

_DRIVER_INFO _timer_driver_list[] = {
   {TIMER_WEB, &timer_web, TRUE},
   {0, NULL, 0}
};

_DRIVER_INFO _mouse_driver_list[] = {
   {MOUSE_WEB, &mouse_web, TRUE},
   {0, NULL, 0}
};

_DRIVER_INFO _gfx_driver_list[] = {
   {GFX_WEB, &gfx_web, TRUE},
   {0, NULL, 0}
};

_DRIVER_INFO _keyboard_driver_list[] = {{0, NULL, 0}};

BEGIN_DIGI_DRIVER_LIST
END_DIGI_DRIVER_LIST

BEGIN_MIDI_DRIVER_LIST
END_MIDI_DRIVER_LIST

BEGIN_JOYSTICK_DRIVER_LIST
END_JOYSTICK_DRIVER_LIST

/* ---- files: the in-memory file system of emscripten's C library */

int _al_file_isok(AL_CONST char *filename)
{
   (void)filename;
   return TRUE;
}

static int stat_of(AL_CONST char *filename, struct stat *st)
{
   char name[1024];

   if (stat(uconvert(filename, U_CURRENT, name, U_UTF8, sizeof name), st) != 0) {
      *allegro_errno = errno;
      return -1;
   }
   return 0;
}

uint64_t _al_file_size_ex(AL_CONST char *filename)
{
   struct stat st;

   return stat_of(filename, &st) == 0 ? (uint64_t)st.st_size : 0;
}

time_t _al_file_time(AL_CONST char *filename)
{
   struct stat st;

   return stat_of(filename, &st) == 0 ? st.st_mtime : 0;
}

int _al_drive_exists(int drive)
{
   return drive == 0;
}

void _al_getdcwd(int drive, char *buf, int size)
{
   char cwd[1024];

   (void)drive;
   if (getcwd(cwd, sizeof cwd))
      do_uconvert(cwd, U_UTF8, buf, U_CURRENT, size);
   else
      usetc(buf, 0);
}

void _al_detect_filename_encoding(void)
{
   set_filename_encoding(U_UTF8);
}

/* The library's file search (for_each_file_ex, the file selector) finds
 * nothing here: the game lists its folders through its own platform seam. */
int al_findfirst(AL_CONST char *pattern, struct al_ffblk *info, int attrib)
{
   (void)pattern;
   (void)info;
   (void)attrib;
   *allegro_errno = ENOENT;
   return -1;
}

int al_findnext(struct al_ffblk *info)
{
   (void)info;
   *allegro_errno = ENOENT;
   return -1;
}

void al_findclose(struct al_ffblk *info)
{
   (void)info;
}
