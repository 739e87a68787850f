// Bringing the editor's window up: the library, a 16-bit window of 800 x 600,
// the game's image set from the current folder and the editor's own pictures.
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/game.h"
#include "shell/input.h"
#include "platform/platform.h"

void editor_start(int with_input)
{
  if (allegro_init() != 0)
    fatal_error(MSG_GRAPHICS);
  set_close_button_callback(on_close_button);  // at once, as the game: the window exists already
  platform_guard_exit(on_close_button);  // as the game: never outlive the display or a stop signal
  install_timer();
  if (with_input) {
    install_mouse();
    install_keyboard();
    editor_watch_presses();
  }
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0)
    fatal_error(MSG_GRAPHICS);
  set_window_title(EDITOR_TITLE);
  load_images_and_buffer();
  paint_editor_pictures();
}
