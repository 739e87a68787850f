// Start-up and shutdown. Every start-up failure ends the process through
// fatal_error with a message box and status 1.
#include "shell/game.h"
#include "shell/image_set.h"
#include "shell/images.h"
#include "shell/input.h"
#include "platform/platform.h"

#include <cstdlib>

DATAFILE *game_data = nullptr;
BITMAP *back_buffer = nullptr;

void fatal_error(const char *message)
{
  // The fullscreen driver grabs the pointer and keyboard, so a message box
  // shown over it could never be answered: give the display back first.
  if (screen)
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
  // With no system driver (no display) the library prints the text on
  // standard output without a line end of its own; the box gets it as is.
  if (system_driver)
    allegro_message("%s", message);
  else
    allegro_message("%s\n", message);
  exit(1);
}

void init_game(void)
{
  // Without a system driver almost every library call crashes, so a failed
  // start-up may only report and leave.
  if (allegro_init() != 0)
    fatal_error(MSG_GRAPHICS);
  // The library's window exists from allegro_init on, and the library drops
  // a close message that arrives with no callback set: the callback goes in
  // at once, so that a player who closes the window while it is still
  // opening is heard.
  set_close_button_callback(on_close_button);
  platform_guard_exit(on_close_button);
  install_timer();  // rest() only waits once the timer runs
  install_mouse();
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0)
    fatal_error(MSG_GRAPHICS);
  set_window_title(GAME_TITLE);  // otherwise a window bears the program's file name
  load_images_and_buffer();
}

void load_images_and_buffer(void)
{
  // Loaded only after the mode is set, so colours convert to the display.
  if (!image_set_loads_safely(IMAGE_SET_FILE))
    fatal_error(MSG_IMAGE_SET);
  game_data = load_datafile(IMAGE_SET_FILE);
  if (!image_set_usable(game_data))
    fatal_error(MSG_IMAGE_SET);

  back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!back_buffer)
    fatal_error(MSG_BITMAP);
}

void shutdown_game(void)
{
  // The library's thread draws the pointer on the back buffer while it is
  // shown there: take it off before the bitmap goes.
  show_mouse(nullptr);
  destroy_bitmap(back_buffer);
  back_buffer = nullptr;
  unload_datafile(game_data);
  game_data = nullptr;
}

BITMAP *game_image(int index)
{
  return static_cast<BITMAP *>(game_data[index].dat);
}
