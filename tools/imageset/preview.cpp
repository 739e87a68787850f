// Composes the game's screens with the real drawing code and the built image
// set and saves each as a BMP, so the pictures can be judged in place
// without playing. Needs a display (run it under xvfb-run).
// usage: poklad_preview DATA_DIR OUT_DIR [MAP]   (DATA_DIR holds tarkoni.dat and
// mapy/; MAP, a path from DATA_DIR, is the board to show instead of the first map)
#include "match/play.h"
#include "menu/menu.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/images.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

static std::string out_dir;

// Saves the back buffer as name in the output folder.
static void save(const char *name)
{
  std::string path = out_dir + "/" + name;
  save_bmp(path.c_str(), back_buffer, nullptr);
}

// Composes the results screen as the game does and saves it.
static void results(int winner_image, const char *name)
{
  frame_begin();
  draw_tiled_background();
  if (winner_image) {
    draw_image(winner_image, 520, 282);
    draw_image(IMG_WINNER_CAPTION, 217, 282);
  } else {
    draw_image(IMG_NO_WINNER, 118, 282);
  }
  draw_image(IMG_RESULTS_CLOSING, 303, 380);
  frame_end();
  save(name);
}

int main(int argc, char **argv)
{
  if (argc != 3 && argc != 4) {
    fprintf(stderr, "usage: poklad_preview DATA_DIR OUT_DIR [MAP]\n");
    return 2;
  }
  char cwd[4096];
  out_dir = argv[2][0] == '/' ? argv[2] : std::string(getcwd(cwd, sizeof cwd)) + "/" + argv[2];
  if (allegro_init() != 0 || chdir(argv[1]) != 0)
    return 1;
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0) != 0)
    return 1;
  game_data = load_datafile(IMAGE_SET_FILE);
  back_buffer = create_bitmap(800, 600);
  if (!game_data || !back_buffer)
    return 1;

  MATCH &m = game_match;
  m.player_kind[1] = PLAYER_HUMAN;
  m.player_kind[2] = PLAYER_COMPUTER;
  m.player_kind[3] = PLAYER_HUMAN;
  m.player_kind[5] = PLAYER_COMPUTER;
  game_menu.map_index = 1;  // as the menu starts
  game_menu.hover_item = HOVER_PLAYER[3];
  menu_draw(&game_menu);
  save("menu.bmp");
  game_menu.hover_item = HOVER_START;
  menu_draw(&game_menu);
  save("menu_start.bmp");

  match_reset(&m);
  map_load(m.cells, argc == 4 ? argv[3] : game_menu.map_path);
  srand(7);
  for (int i = 0; i < BOARD_CELLS; i++)
    if (rand() % 100 < 45 || (i / 40 >= 14 && i / 40 < 20))
      m.revealed[i] = 1;
  m.scores[1] = 37;
  m.scores[2] = 112;
  m.scores[3] = 5;
  m.scores[5] = 1024;
  m.current_player = 3;
  m.hover_cell = 40 * 12 + 9;
  m.hover_help = -1;
  match_draw(&m);
  save("board.bmp");
  m.help_shown = -1;
  m.hover_help = 0;
  m.hover_end = -1;
  match_draw(&m);
  save("board_help.bmp");

  m.help_shown = 0;
  m.hover_end = 0;
  for (int i = 0; i < BOARD_CELLS; i++)
    m.revealed[i] = 1;
  match_draw(&m);
  save("board_uncovered.bmp");

  for (int p = 1; p <= 8; p++) {
    char name[32];
    snprintf(name, sizeof name, "results_%d.bmp", p);
    results(IMG_WINNER_1 + p - 1, name);
  }
  results(0, "results_none.bmp");
  return 0;
}
END_OF_MAIN()
