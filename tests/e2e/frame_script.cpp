// The frame script's steps, its pictures and their comparison.
#include "frame_script.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

enum { START_X = 400, START_Y = 407, HELP_X = 70, HELP_Y = 541, END_X = 70, END_Y = 568 };

int slot_x(int p) { return 85 + 170 * ((p - 1) % 4); }
int slot_y(int p) { return 150 + 100 * ((p - 1) / 4); }

}  // namespace

// A board frame under Wine can take longer than a short press: a cell's and
// the help button's presses are held longer (more of it does nothing).
const FRAME_STEP FRAME_STEPS[] = {
    {"menu", 0, 0, 0, 0, 1},
    {"slot 2 off", slot_x(2) + 60, slot_y(2) + 25, 1, 150, 1},
    {"slot 2 human", slot_x(2) + 60, slot_y(2) + 25, 1, 150, 1},
    {"next map", 496, 357, 1, 150, 0},
    {"previous map", 303, 357, 1, 150, 0},
    {"new board", START_X, START_Y, 1, 150, 1},
    {"a find revealed", 148, 28, 1, 400, 1},
    {"a second find", 148 + 32, 28, 1, 400, 1},
    {"help", HELP_X, HELP_Y, 1, 400, 1},
    {"help hidden", 600, 590, 3, 150, 1},
    {"results with a winner", END_X, END_Y, 1, 150, 1},
    {"menu again", 400, 300, 3, 150, 1},
    {"second board", START_X, START_Y, 1, 150, 1},
    {"results without a winner", END_X, END_Y, 1, 150, 1},
    {"menu at the end", 400, 300, 3, 150, 1},
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

FRAME still_frame(void)
{
  move_pointer(FRAME_PARK_X, FRAME_PARK_Y);
  static SCREEN_SHOT shot;
  FRAME last;
  int still = 0;
  for (int tries = 0; tries < 100 && still < 3; tries++) {
    sleep_ms(100);
    grab_screen(&shot);
    FRAME now = frame_of(&shot);
    still = now == last ? still + 1 : 0;
    last = now;
  }
  return last;
}

std::vector<CHECKPOINT> play_frame_steps(const std::vector<CHECKPOINT> *model)
{
  std::vector<CHECKPOINT> out;
  for (int i = 0; i < FRAME_STEP_COUNT; i++) {
    const FRAME_STEP &s = FRAME_STEPS[i];
    auto action = [&s] {
      if (s.button)
        click_at(s.x, s.y, s.button, s.hold_ms);
    };
    FRAME before = out.empty() ? FRAME() : out.back().frame;
    action();
    FRAME now = still_frame();
    if (model && out.size() < model->size()) {
      const FRAME &want = (*model)[out.size()].frame;
      for (int attempt = 0; attempt < 3 && now != want; attempt++) {
        for (int waited = 0; waited < 3000 && now != want && now != before; waited += 500)
          now = still_frame();
        if (now == before) {
          action();
          now = still_frame();
        }
      }
    }
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
