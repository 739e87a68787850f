// Composes the game's screens with the game's own drawing code and an image
// set, and saves them as PNG files: the README's screenshots, the eight
// winner screens for judging the pictures, and map previews for map authors.
// Needs a display (run it under xvfb-run). The mouse is never installed, so
// no frame carries the pointer.
#include "match/play.h"
#include "menu/menu.h"
#include "shell/game.h"
#include "shell/image_set.h"
#include "shell/images.h"
#include "png_save.h"

#include <loadpng.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

static const char USAGE[] =
  "usage: poklad_preview screens DATA_DIR OUT_DIR [--map NAME]\n"
  "       poklad_preview winners DATA_DIR OUT_DIR\n"
  "       poklad_preview map DATA_DIR MAP OUT.png [--small]\n"
  "DATA_DIR holds the image set tarkoni.dat (and, for screens, the maps folder\n"
  "mapy/). screens writes menu.png, board.png, help.png, winner.png and\n"
  "no_winner.png, 800 x 600, showing the map NAME from mapy/ (default: the\n"
  "menu's first). winners writes winner_1.png .. winner_8.png. map draws the\n"
  "map file MAP fully uncovered on the board screen, 800 x 600, or halved to\n"
  "400 x 300 with --small.\n";

enum { SMALL_SCALE = 2 };

// Turns path into an absolute one, so it survives the move into DATA_DIR.
// When the working folder cannot be told (removed, or deeper than the
// system can name), a relative path would then be read or written inside
// DATA_DIR instead: the tool ends with a message.
static std::string absolute(const char *path)
{
  if (path[0] == '/')
    return path;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) {
    fprintf(stderr, "poklad_preview: cannot tell the current folder (%s) to find %s in\n", strerror(errno), path);
    exit(1);
  }
  return std::string(cwd) + "/" + path;
}

// The library, a window of the game's size and depth, the image set from
// DATA_DIR (which becomes the working directory) and the back buffer.
static int start(const char *data_dir)
{
  if (allegro_init() != 0) {
    fprintf(stderr, "poklad_preview: the graphics library does not start\n");
    return 0;
  }
  register_png_file_type();
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) != 0) {
    fprintf(stderr, "poklad_preview: no display (run under xvfb-run): %s\n", allegro_error);
    return 0;
  }
  if (chdir(data_dir) != 0) {
    fprintf(stderr, "poklad_preview: %s: %s\n", data_dir, strerror(errno));
    return 0;
  }
  if (!image_set_loads_safely(IMAGE_SET_FILE) || !(game_data = load_datafile(IMAGE_SET_FILE)) ||
      !image_set_usable(game_data)) {
    fprintf(stderr, "poklad_preview: %s/%s is not a usable image set\n", data_dir, IMAGE_SET_FILE);
    return 0;
  }
  back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
  return back_buffer != nullptr;
}

static int save(BITMAP *bmp, const std::string &path)
{
  if (save_png_whole(path.c_str(), bmp) == 0)
    return 1;
  fprintf(stderr, "poklad_preview: cannot write %s\n", path.c_str());
  return 0;
}

// Plays computer moves for every seat (the rules do not care who picks)
// until at least reveals cells are uncovered and a human has the turn.
static void play_until(MATCH *m, int reveals)
{
  while (m->revealed_count < BOARD_CELLS &&
         (m->revealed_count < reveals || m->player_kind[m->current_player] != PLAYER_HUMAN))
    computer_move(m);
}

// Selects the map named name in the menu's catalogue; 0 when there is none.
static int select_named_map(MENU *menu, const char *name)
{
  for (int index = 1;; index++) {
    menu->map_index = index;
    const char *label = select_map(menu, MAP_REFRESH);
    if (menu->map_index != index || strcmp(label, MAPS_NOT_FOUND) == 0)
      return 0;  // stepped back past the last map, or there are no maps
    if (strcmp(label, name) == 0)
      return 1;
  }
}

static int screens(const std::string &out, const char *map_name)
{
  MENU &menu = game_menu;
  MATCH &m = game_match;
  m.player_kind[1] = PLAYER_HUMAN;
  m.player_kind[2] = PLAYER_COMPUTER;
  m.player_kind[3] = PLAYER_HUMAN;
  m.player_kind[4] = PLAYER_COMPUTER;
  menu.map_index = 1;  // as the menu starts
  select_map(&menu, MAP_REFRESH);
  if (map_name && !select_named_map(&menu, map_name)) {
    fprintf(stderr, "poklad_preview: no map named %s in mapy/\n", map_name);
    return 0;
  }
  menu.hover_item = HOVER_PLAYER[4];
  menu_draw(&menu);
  if (!save(back_buffer, out + "/menu.png"))
    return 0;

  // A board a third uncovered, a human to move with the pointer on a covered cell.
  srand(11);
  match_reset(&m);
  next_player(&m);
  map_load(m.cells, menu.map_path);
  play_until(&m, BOARD_CELLS / 3);
  m.hover_cell = BOARD_COLUMNS * 17 + 20;
  while (m.hover_cell < BOARD_CELLS - 1 && m.revealed[m.hover_cell])
    m.hover_cell++;
  m.hover_help = 0;
  m.hover_end = 0;
  match_draw(&m);
  if (!save(back_buffer, out + "/board.png"))
    return 0;

  // The pointer went to the help button and clicked it.
  m.hover_cell = -1;
  m.hover_help = -1;
  m.help_shown = -1;
  match_draw(&m);
  if (!save(back_buffer, out + "/help.png"))
    return 0;

  // The same match played to its end; a shared top score gives player 1
  // the picture, so that the winner screen is always shown.
  play_until(&m, BOARD_CELLS);
  int winner = match_winner(&m);
  m.winner_image = IMG_WINNER_1 + (winner ? winner : 1) - 1;
  results_draw(&m);
  if (!save(back_buffer, out + "/winner.png"))
    return 0;
  m.winner_image = 0;
  results_draw(&m);
  return save(back_buffer, out + "/no_winner.png");
}

static int winners(const std::string &out)
{
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    game_match.winner_image = IMG_WINNER_1 + p - 1;
    results_draw(&game_match);
    if (!save(back_buffer, out + "/winner_" + std::to_string(p) + ".png"))
      return 0;
  }
  return 1;
}

// The back buffer halved: each pixel of the copy is the mean of a 2 x 2 block.
static BITMAP *halved(void)
{
  BITMAP *small = create_bitmap_ex(24, SCREEN_WIDTH / SMALL_SCALE, SCREEN_HEIGHT / SMALL_SCALE);
  if (!small)
    return nullptr;
  for (int y = 0; y < small->h; y++)
    for (int x = 0; x < small->w; x++) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < SMALL_SCALE; dy++)
        for (int dx = 0; dx < SMALL_SCALE; dx++) {
          int c = getpixel(back_buffer, x * SMALL_SCALE + dx, y * SMALL_SCALE + dy);
          r += getr(c);
          g += getg(c);
          b += getb(c);
        }
      int n = SMALL_SCALE * SMALL_SCALE;
      putpixel(small, x, y, makecol24(r / n, g / n, b / n));
    }
  return small;
}

static int map_preview(const std::string &map, const std::string &out, int small)
{
  struct stat st;
  if (stat(map.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || access(map.c_str(), R_OK) != 0) {
    fprintf(stderr, "poklad_preview: %s: not a readable map file\n", map.c_str());
    return 0;
  }
  MATCH &m = game_match;
  m.player_kind[1] = PLAYER_HUMAN;
  match_reset(&m);
  next_player(&m);
  map_load(m.cells, map.c_str());
  for (int i = 0; i < BOARD_CELLS; i++)
    m.revealed[i] = 1;
  m.revealed_count = BOARD_CELLS;
  m.hover_cell = -1;
  m.hover_help = 0;
  m.hover_end = 0;
  match_draw(&m);
  if (!small)
    return save(back_buffer, out);
  BITMAP *copy = halved();
  int saved = copy && save(copy, out);
  destroy_bitmap(copy);
  return saved;
}

// Makes the output folder (one level) unless it is there.
static int make_folder(const std::string &path)
{
  if (mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
    return 1;
  fprintf(stderr, "poklad_preview: %s: %s\n", path.c_str(), strerror(errno));
  return 0;
}

int main(int argc, char **argv)
{
  std::string command = argc > 1 ? argv[1] : "";
  if (argc > 1 && (command == "--help" || command == "-h")) {
    fputs(USAGE, stdout);
    return 0;
  }
  int ok;
  if (command == "screens" && (argc == 4 || (argc == 6 && strcmp(argv[4], "--map") == 0))) {
    std::string out = absolute(argv[3]);
    ok = make_folder(out) && start(argv[2]) && screens(out, argc == 6 ? argv[5] : nullptr);
  } else if (command == "winners" && argc == 4) {
    std::string out = absolute(argv[3]);
    ok = make_folder(out) && start(argv[2]) && winners(out);
  } else if (command == "map" && (argc == 5 || (argc == 6 && strcmp(argv[5], "--small") == 0))) {
    std::string map = absolute(argv[3]);
    std::string out = absolute(argv[4]);
    ok = start(argv[2]) && map_preview(map, out, argc == 6);
  } else {
    fputs(USAGE, stderr);
    return 2;
  }
  return ok ? 0 : 1;
}
END_OF_MAIN()
