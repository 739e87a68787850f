// The same clicks on two builds of the game, and their pictures compared:
// a script of steps through every screen, each ending in a checkpoint (the
// 800 x 600 picture once it holds still, reduced to 5-6-5 bits a pixel).
// The Linux game plays it here through the X driver (game_driver.h); the
// Windows and web tests play it on their builds and compare.
#pragma once

#include "game_driver.h"

#include <string>
#include <vector>

typedef std::vector<unsigned short> FRAME;  // 800 x 600, 5-6-5

struct CHECKPOINT {
  std::string name;
  FRAME frame;
};

// One step: a click (button 1 left, 3 right, 0 for none) held hold_ms, and
// whether its checkpoint must show another picture than the one before.
struct FRAME_STEP {
  const char *name;
  int x, y, button, hold_ms;
  int changes;
};

// Human players only: the computer's picks come from the C library's rand,
// which differs between the systems. One map (frame_script_map, named
// FRAME_SCRIPT_MAP_NAME): the order of a folder's entries differs between
// systems, so the arrows are shown stepping against the ends of a one-map list.
extern const FRAME_STEP FRAME_STEPS[];
extern const int FRAME_STEP_COUNT;
#define FRAME_SCRIPT_MAP_NAME "a_ostrov"
std::string frame_script_map(void);
// Where the pointer waits while a picture is taken, and the menu's quit button.
enum { FRAME_PARK_X = 700, FRAME_PARK_Y = 580, FRAME_QUIT_X = 400, FRAME_QUIT_Y = 438 };

FRAME frame_of(const SCREEN_SHOT *shot);
// The picture once it has held still for 300 ms, with the pointer parked.
FRAME still_frame(void);

// Plays the steps on the game already showing its menu on the X screen and
// returns the checkpoints. With a model (the Linux game's pictures), a
// picture may take a few seconds to arrive, and a step that changed nothing
// is done again (a press can fall between two reads of a slow frame).
std::vector<CHECKPOINT> play_frame_steps(const std::vector<CHECKPOINT> *model);

// Expects every checkpoint of other to equal the model's, pixel for pixel,
// and every step that must change the picture to have changed the model's;
// where E2E_SHOT_DIR is set, a differing pair is written there as PPM files.
void expect_same_frames(const std::vector<CHECKPOINT> &model, const std::vector<CHECKPOINT> &other,
                        const char *other_name);

void write_ppm(const std::string &path, const FRAME &f);
