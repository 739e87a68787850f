// Bringing the editor's window up: the library, a 16-bit window of 800 x 600,
// the game's image set from the current folder and the editor's own pictures.
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/game.h"
#include "shell/image_set.h"
#include "shell/input.h"

void editor_start(int with_input)
{
  if (allegro_init() != 0)
    fatal_error(MSG_GRAPHICS);
  install_timer();
  if (with_input) {
    install_mouse();
    install_keyboard();
  }
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0)
    fatal_error(MSG_GRAPHICS);
  set_window_title(EDITOR_TITLE);
  set_close_button_callback(on_close_button);
  // Loaded only after the mode is set, so colours convert to the display.
  if (!image_set_loads_safely(IMAGE_SET_FILE))
    fatal_error(MSG_IMAGE_SET);
  game_data = load_datafile(IMAGE_SET_FILE);
  if (!image_set_usable(game_data))
    fatal_error(MSG_IMAGE_SET);
  back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!back_buffer)
    fatal_error(MSG_BITMAP);
  paint_editor_pictures();
}
