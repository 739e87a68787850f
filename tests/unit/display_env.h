// Test bed for everything that draws: a real 800 x 600 x 16 display under
// Xvfb, the test image set as game_data, and the back buffer. The mouse and
// the timer are not installed, so tests set mouse_x, mouse_y and mouse_b
// themselves and pauses cost nothing (pause_count tells where they happen).
#pragma once

#include "shell/alleg.h"
#include "test_colours.h"

#include <string>

// The image whose test colour is at (x, y) on bmp, -1 for another colour.
int image_at(BITMAP *bmp, int x, int y);
// 1 where (x, y) on bmp is pure magenta.
int magenta_at(BITMAP *bmp, int x, int y);
// 1 where (x, y) on bmp is black.
int black_at(BITMAP *bmp, int x, int y);
// 1 where (x, y) on bmp is the text red.
int red_at(BITMAP *bmp, int x, int y);

// Points the pointer globals at (x, y) with the given buttons.
void set_pointer(int x, int y, int buttons);

// A fresh empty directory that becomes the working directory; the previous
// one is restored and removed by the destructor.
struct TEMP_WORKDIR {
  std::string path;
  std::string previous;
  TEMP_WORKDIR();
  ~TEMP_WORKDIR();
  void write_file(const std::string &name, const std::string &bytes) const;
};
