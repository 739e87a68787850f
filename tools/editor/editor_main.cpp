// The map editor's start-up, loop and shutdown: a window of 800 x 600 on the
// game's library and image set, working in the current folder as the game
// does ("tarkoni.dat" and the maps folder "mapy" there).
#include "editor_files.h"
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/game.h"
#include "shell/image_set.h"
#include "shell/input.h"

#include <cstdio>
#include <cstring>
#include <memory>

enum { FAIRNESS_SLICE_US = 6000 };  // fairness work per frame, well inside a frame's budget

static const char USAGE[] =
  "usage: poklad_editor [MAP]\n"
  "The map editor: paint a board, check that it is fair, save it into the\n"
  "maps folder \"mapy\" of the current folder (made if missing), beside the\n"
  "image set \"tarkoni.dat\". MAP opens that map file at start.\n";

static void start_window(void)
{
  if (allegro_init() != 0)
    fatal_error(MSG_GRAPHICS);
  install_timer();
  install_mouse();
  install_keyboard();
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0)
    fatal_error(MSG_GRAPHICS);
  set_window_title(EDITOR_TITLE);
  set_close_button_callback(on_close_button);
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

int main(int argc, char **argv)
{
  if (argc > 2 || (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0))) {
    fputs(USAGE, argc > 2 ? stderr : stdout);
    return argc > 2 ? 2 : 0;
  }
  start_window();
  std::unique_ptr<EDITOR> ed(new EDITOR());
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  ui_init(ui.get(), ed.get());
  if (make_folder(MAPS_FOLDER) != 0)
    ui->message = "Slozku " MAPS_FOLDER " nelze vytvorit: ulozit nepujde";
  if (argc == 2)
    ui_open_path(ui.get(), argv[1]);
  while (!ui->quit) {
    editor_input(ui.get());
    ui_fairness_step(ui.get(), FAIRNESS_SLICE_US);
    editor_draw(ui.get());
    if (!ui->fair.running)
      rest(1);  // nothing to compute: leave the processor to others
  }
  fairness_free(&ui->fair);
  free_editor_pictures();
  shutdown_game();
  return 0;
}
END_OF_MAIN()
