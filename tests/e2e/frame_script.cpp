// The frame script's steps, its pictures and their comparison.
#include "frame_script.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

enum { START_X = 400, START_Y = 407, HELP_X = 70, HELP_Y = 541, END_X = 70, END_Y = 568 };

int slot_x(int p) { return 85 + 170 * ((p - 1) % 4); }
int slot_y(int p) { return 150 + 100 * ((p - 1) / 4); }

// What each checkpoint's screen shows, told by the test image set's colours
// and the game's lettering.
int menu_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 217, 51) == IMG_TITLE; }
int board_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 141, 20) == IMG_CELL_FRAME; }
int help_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 238, 181) == IMG_HELP_OVERLAY; }
int results_shown(const SCREEN_SHOT *s) { return image_on_screen(s, 304, 381) == IMG_RESULTS_CLOSING; }
int slot_says(const SCREEN_SHOT *s, const char *text) { return text_on_screen(s, slot_x(2) + 7, slot_y(2) + 38, text); }
// The picture of the board's cell (column, row 0).
int first_row_cell(const SCREEN_SHOT *s, int column) { return image_on_screen(s, 141 + 16 * column + 1, 22); }

int slot_off(const SCREEN_SHOT *s) { return slot_says(s, "Vypnuto"); }
int slot_human(const SCREEN_SHOT *s) { return slot_says(s, "Hrac"); }
// The one map stays chosen whichever arrow is pressed.
int one_map(const SCREEN_SHOT *s) { return menu_shown(s) && text_on_screen(s, 314, 354, FRAME_SCRIPT_MAP_NAME); }
int new_board(const SCREEN_SHOT *s) { return board_shown(s) && first_row_cell(s, 0) == IMG_CELL_COVERED; }
int first_find(const SCREEN_SHOT *s) { return first_row_cell(s, 0) == IMG_FIND_5; }
int second_find(const SCREEN_SHOT *s) { return first_row_cell(s, 2) == IMG_FIND_3; }
int help_hidden(const SCREEN_SHOT *s) { return board_shown(s) && !help_shown(s); }
int winner(const SCREEN_SHOT *s) { return results_shown(s) && image_on_screen(s, 521, 283) == IMG_WINNER_1; }
int no_winner(const SCREEN_SHOT *s) { return results_shown(s) && image_on_screen(s, 119, 283) == IMG_NO_WINNER; }

}  // namespace

// A board frame under Wine can take longer than a short press: a cell's and
// the help button's presses are held longer (more of it does nothing).
const FRAME_STEP FRAME_STEPS[] = {
    {"menu", 0, 0, 0, 0, 1, menu_shown},
    {"slot 2 off", slot_x(2) + 60, slot_y(2) + 25, 1, 150, 1, slot_off},
    {"slot 2 human", slot_x(2) + 60, slot_y(2) + 25, 1, 150, 1, slot_human},
    {"next map", 496, 357, 1, 150, 0, one_map},
    {"previous map", 303, 357, 1, 150, 0, one_map},
    {"new board", START_X, START_Y, 1, 150, 1, new_board},
    {"a find revealed", 148, 28, 1, 400, 1, first_find},
    {"a second find", 148 + 32, 28, 1, 400, 1, second_find},
    {"help", HELP_X, HELP_Y, 1, 400, 1, help_shown},
    {"help hidden", 600, 590, 3, 150, 1, help_hidden},
    {"results with a winner", END_X, END_Y, 1, 150, 1, winner},
    {"menu again", 400, 300, 3, 150, 1, menu_shown},
    {"second board", START_X, START_Y, 1, 150, 1, new_board},
    {"results without a winner", END_X, END_Y, 1, 150, 1, no_winner},
    {"menu at the end", 400, 300, 3, 150, 1, menu_shown},
};
const int FRAME_STEP_COUNT = sizeof FRAME_STEPS / sizeof FRAME_STEPS[0];

std::string frame_script_map(void)
{
  std::string map(1400, '\0');
  map[0] = 5;
  map[2] = 3;
  return map;
}

FRAME frame_of(const SCREEN_SHOT *shot)
{
  FRAME f(800 * 600);
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) {
      const unsigned char *p = shot->rgb[y][x];
      f[y * 800 + x] = static_cast<unsigned short>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
    }
  return f;
}

std::vector<CHECKPOINT> play_frame_steps(int test_images)
{
  static SCREEN_SHOT shot;
  std::vector<CHECKPOINT> out;
  for (int i = 0; i < FRAME_STEP_COUNT; i++) {
    const FRAME_STEP &s = FRAME_STEPS[i];
    FRAME before = out.empty() ? FRAME() : out.back().frame;
    FRAME now;
    int reached = 0;
    // A press can fall between two reads of a slow frame (the game reads the
    // buttons as levels): a step whose picture is still the one before, and
    // whose screen is not there, is done again.
    for (int attempt = 0; attempt < 5; attempt++) {
      if (s.button)
        click_at(s.x, s.y, s.button, s.hold_ms);
      EXPECT_TRUE(input_caught_up(FRAME_PARK_X, FRAME_PARK_Y)) << s.name << ": the game stopped drawing the pointer";
      grab_screen(&shot);
      now = frame_of(&shot);
      reached = test_images ? s.shown(&shot) : !s.changes || now != before;
      if (reached || now != before)
        break;
    }
    if (!reached)
      save_failed_screen(&shot);
    EXPECT_TRUE(reached) << "the game never reached the screen of \"" << s.name << "\"";
    out.push_back({s.name, now});
  }
  return out;
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

void expect_same_frames(const std::vector<CHECKPOINT> &model, const std::vector<CHECKPOINT> &other,
                        const char *other_name)
{
  ASSERT_EQ(model.size(), static_cast<size_t>(FRAME_STEP_COUNT));
  ASSERT_EQ(other.size(), model.size());
  const char *shots = getenv("E2E_SHOT_DIR");
  for (size_t i = 0; i < model.size(); i++) {
    ASSERT_EQ(model[i].frame.size(), 800u * 600u) << model[i].name;
    if (FRAME_STEPS[i].changes && i > 0) {
      EXPECT_NE(model[i].frame, model[i - 1].frame) << model[i].name << ": the step changed nothing";
    }
    int differ = 0, first = -1;
    for (size_t p = 0; p < model[i].frame.size() && p < other[i].frame.size(); p++)
      if (model[i].frame[p] != other[i].frame[p]) {
        differ++;
        if (first < 0)
          first = static_cast<int>(p);
      }
    EXPECT_EQ(other[i].frame.size(), model[i].frame.size()) << other_name << ", " << model[i].name;
    EXPECT_EQ(differ, 0) << model[i].name << ": " << differ << " pixels differ on " << other_name
                         << ", the first at (" << first % 800 << ", " << first / 800 << ")";
    if (differ && shots) {
      write_ppm(std::string(shots) + "/" + std::to_string(i) + "-linux.ppm", model[i].frame);
      write_ppm(std::string(shots) + "/" + std::to_string(i) + "-" + other_name + ".ppm", other[i].frame);
    }
  }
}
