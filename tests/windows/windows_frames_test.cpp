// The Windows game under Wine shows the same frames as the Linux game for
// the same clicks: both are driven through XTest on one X screen (the Linux
// game full screen, the Windows one in a window of a Wine virtual desktop),
// and every checkpoint's 800 x 600 picture, reduced to 5-6-5 bits per pixel,
// must be identical. Each checkpoint is taken once the game has caught up
// with the step's clicks, and both games must have reached its screen.
// Human players only: the computer's picks come from the C library's rand,
// which differs between the systems.
#include "game_driver.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum { START_X = 400, START_Y = 407, QUIT_X = 400, QUIT_Y = 438 };
enum { HELP_X = 70, HELP_Y = 541, END_X = 70, END_Y = 568 };
enum { PARK_X = 700, PARK_Y = 580 };

int slot_x(int p) { return 85 + 170 * ((p - 1) % 4); }
int slot_y(int p) { return 150 + 100 * ((p - 1) / 4); }

typedef std::vector<unsigned short> FRAME;  // 800 x 600, 5-6-5

struct CHECKPOINT {
  std::string name;
  FRAME frame;
};

FRAME reduce(const SCREEN_SHOT *shot)
{
  FRAME f(800 * 600);
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) {
      const unsigned char *p = shot->rgb[y][x];
      f[y * 800 + x] = static_cast<unsigned short>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
    }
  return f;
}

// What a checkpoint's screen must show, told by the test image set's colours
// and the game's lettering.
typedef bool (*REACHED)(const SCREEN_SHOT *);

bool menu_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 217, 51) == IMG_TITLE; }
bool board_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 141, 20) == IMG_CELL_FRAME; }
bool help_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 238, 181) == IMG_HELP_OVERLAY; }
bool results_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 304, 381) == IMG_RESULTS_CLOSING; }
bool slot_label(const SCREEN_SHOT *s, const char *text) { return text_on_screen(s, slot_x(2) + 7, slot_y(2) + 38, text); }
// The picture of the board's cell (column, row 0) once uncovered.
int first_row_cell(const SCREEN_SHOT *s, int column) { return image_on_screen(s, 141 + 16 * column + 1, 22); }

// Does a step and records the picture after it, once the game has caught up
// with the step's clicks (the pointer is then parked, on both systems at the
// same place). A press can fall between two reads of a slow frame (the game
// reads the button as a level): a step whose screen is not reached and whose
// picture is the one before is done again. Each checkpoint's screen must be
// reached, by the Linux game as by the Windows one.
template <class STEP>
void step(std::vector<CHECKPOINT> *out, const char *program, const char *name, REACHED reached, STEP action)
{
  static SCREEN_SHOT shot;
  FRAME before = out->empty() ? FRAME() : out->back().frame;
  FRAME now;
  for (int attempt = 0; attempt < 5; attempt++) {
    action();
    EXPECT_TRUE(input_caught_up(PARK_X, PARK_Y)) << program << ", " << name << ": the game stopped drawing the pointer";
    grab_screen(&shot);
    now = reduce(&shot);
    if (reached(&shot) || now != before)
      break;
  }
  if (!reached(&shot))
    save_failed_screen(&shot);
  EXPECT_TRUE(reached(&shot)) << program << " never reached the screen of \"" << name << "\"";
  out->push_back({name, now});
}

void write_ppm(const std::string &path, const FRAME &f)
{
  FILE *file = fopen(path.c_str(), "wb");
  if (!file)
    return;
  fprintf(file, "P6\n800 600\n255\n");
  for (unsigned short p : f) {
    unsigned char rgb[3] = {static_cast<unsigned char>((p >> 11) << 3),
                            static_cast<unsigned char>(((p >> 5) & 63) << 2),
                            static_cast<unsigned char>((p & 31) << 3)};
    fwrite(rgb, 1, 3, file);
  }
  fclose(file);
}

// Plays the same script on program (under Wine when wine is not empty) and
// returns its checkpoints.
std::vector<CHECKPOINT> play(const char *wine, const char *program, const char *allegro_dir)
{
  std::vector<CHECKPOINT> seen;
  setenv("POKLAD", program, 1);
  setenv("POKLAD_WINE", wine, 1);
  if (allegro_dir)
    setenv("ALLEGRO", allegro_dir, 1);
  else
    unsetenv("ALLEGRO");
  std::string dir = make_game_dir();
  std::string map(1400, '\0');
  map[0] = 5;
  map[2] = 3;
  // One map: the order of a folder's entries differs between the systems
  // (and between Linux file systems), so the arrows are shown stepping
  // against the ends of a one-map list.
  write_game_file(dir, "mapy/a_ostrov", map);

  pid_t pid = 0;
  int found = start_game_anywhere(dir, &pid);
  EXPECT_TRUE(found) << program << ": the menu never appeared";
  if (!found) {
    wait_game(pid, 0);
    return seen;
  }
  EXPECT_TRUE(move_pointer(PARK_X, PARK_Y)) << program << ": the game never showed the pointer";

  auto click = [](int x, int y, int button, int hold_ms) {
    return [=] { click_at(x, y, button, hold_ms); };
  };
  // A board frame under Wine can take longer than a short press: a cell's
  // and the help button's presses are held longer (more of it does nothing).
  auto nothing = [] {};
  step(&seen, program, "menu", menu_shown, nothing);
  step(&seen, program, "slot 2 off", [](const SCREEN_SHOT *s) { return slot_label(s, "Vypnuto"); },
       click(slot_x(2) + 60, slot_y(2) + 25, 1, 150));
  step(&seen, program, "slot 2 human", [](const SCREEN_SHOT *s) { return slot_label(s, "Hrac"); },
       click(slot_x(2) + 60, slot_y(2) + 25, 1, 150));
  // The one map stays chosen whichever arrow is pressed.
  auto one_map = [](const SCREEN_SHOT *s) { return menu_shown(s) && text_on_screen(s, 314, 354, "a_ostrov"); };
  step(&seen, program, "next map", one_map, click(496, 357, 1, 150));
  step(&seen, program, "previous map", one_map, click(303, 357, 1, 150));
  step(&seen, program, "new board", [](const SCREEN_SHOT *s) { return board_shown(s) && first_row_cell(s, 0) == IMG_CELL_COVERED; },
       click(START_X, START_Y, 1, 150));
  step(&seen, program, "a find revealed", [](const SCREEN_SHOT *s) { return first_row_cell(s, 0) == IMG_FIND_5; },
       click(148, 28, 1, 400));
  step(&seen, program, "a second find", [](const SCREEN_SHOT *s) { return first_row_cell(s, 2) == IMG_FIND_3; },
       click(148 + 32, 28, 1, 400));
  step(&seen, program, "help", help_shown, click(HELP_X, HELP_Y, 1, 400));
  step(&seen, program, "help hidden", [](const SCREEN_SHOT *s) { return board_shown(s) && !help_shown(s); },
       click(600, 590, 3, 150));
  step(&seen, program, "results with a winner",
       [](const SCREEN_SHOT *s) { return results_shown(s) && image_on_screen(s, 521, 283) == IMG_WINNER_1; },
       click(END_X, END_Y, 1, 150));
  step(&seen, program, "menu again", menu_shown, click(400, 300, 3, 150));
  step(&seen, program, "second board", [](const SCREEN_SHOT *s) { return board_shown(s) && first_row_cell(s, 0) == IMG_CELL_COVERED; },
       click(START_X, START_Y, 1, 150));
  step(&seen, program, "results without a winner",
       [](const SCREEN_SHOT *s) { return results_shown(s) && image_on_screen(s, 119, 283) == IMG_NO_WINNER; },
       click(END_X, END_Y, 1, 150));
  step(&seen, program, "menu at the end", menu_shown, click(400, 300, 3, 150));
  click_at(QUIT_X, QUIT_Y, 1, 150);
  EXPECT_EQ(wait_game(pid, 10000), 0) << program;
  (void)!system(("rm -rf '" + dir + "'").c_str());
  return seen;
}

TEST(WindowsFrames, SameAsTheLinuxGame)
{
  const char *linux_game = getenv("POKLAD_LINUX");
  const char *windows_game = getenv("POKLAD_WINDOWS");
  const char *wine = getenv("WINE");
  const char *window_cfg = getenv("WINDOW_CFG_DIR");
  ASSERT_TRUE(linux_game && windows_game && wine && window_cfg);
  std::vector<CHECKPOINT> on_linux = play("", linux_game, nullptr);
  (void)!system("wineserver -w");  // no Wine desktop still closing from before
  std::vector<CHECKPOINT> on_windows = play(wine, windows_game, window_cfg);
  ASSERT_EQ(on_linux.size(), 15u);
  ASSERT_EQ(on_windows.size(), on_linux.size());
  const char *shots = getenv("E2E_SHOT_DIR");
  for (size_t i = 0; i < on_linux.size(); i++) {
    int differ = 0, first = -1;
    for (size_t p = 0; p < on_linux[i].frame.size(); p++)
      if (on_linux[i].frame[p] != on_windows[i].frame[p]) {
        differ++;
        if (first < 0)
          first = static_cast<int>(p);
      }
    EXPECT_EQ(differ, 0) << on_linux[i].name << ": " << differ << " pixels differ, the first at ("
                         << first % 800 << ", " << first / 800 << ")";
    if (differ && shots) {
      write_ppm(std::string(shots) + "/" + std::to_string(i) + "-linux.ppm", on_linux[i].frame);
      write_ppm(std::string(shots) + "/" + std::to_string(i) + "-windows.ppm", on_windows[i].frame);
    }
  }
}

}  // namespace
