// Checks on composed frames shared by the board and results screen tests,
// built on the test image set: each image one colour with a magenta
// bottom-right quarter, so the quarter shows what a masked copy left beneath.
#pragma once

#include "display_env.h"
#include "shell/game.h"

#include <gtest/gtest.h>

#include <initializer_list>

struct RECT { int x, y, w, h; };

inline bool inside(RECT r, int x, int y)
{
  return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

// Checks a picture copied masked with its top-left corner at r's: its colour
// in three corners, the background tile just left of and above it, and the
// tile (what lies beneath) in its magenta quarter's far corner.
inline void expect_masked_on_tiles(int image, RECT r)
{
  SCOPED_TRACE(testing::Message() << "image " << image << " at " << r.x << "," << r.y);
  EXPECT_EQ(image_at(back_buffer, r.x, r.y), image);
  EXPECT_EQ(image_at(back_buffer, r.x + r.w - 1, r.y), image);
  EXPECT_EQ(image_at(back_buffer, r.x, r.y + r.h - 1), image);
  EXPECT_EQ(image_at(back_buffer, r.x - 1, r.y + 2), IMG_BACKGROUND);
  EXPECT_EQ(image_at(back_buffer, r.x + 2, r.y - 1), IMG_BACKGROUND);
  EXPECT_EQ(image_at(back_buffer, r.x + r.w - 1, r.y + r.h - 1), IMG_BACKGROUND);
}

struct TILE_SEEN { int colour, quarter; };

// Checks the 100 x 100 tile at (x, y), copied opaque: every third pixel not
// inside one of covers shows the tile's colour, or magenta in its quarter.
// Returns how many pixels of each kind were seen.
inline TILE_SEEN expect_tile(int x, int y, std::initializer_list<RECT> covers)
{
  int colour_seen = 0, quarter_seen = 0;
  for (int dy = 0; dy < 100; dy += 3)
    for (int dx = 0; dx < 100; dx += 3) {
      bool covered = false;
      for (RECT r : covers)
        covered = covered || inside(r, x + dx, y + dy);
      if (covered)
        continue;
      bool quarter = dx >= 50 && dy >= 50;
      if (quarter ? !magenta_at(back_buffer, x + dx, y + dy)
                  : image_at(back_buffer, x + dx, y + dy) != IMG_BACKGROUND) {
        ADD_FAILURE() << "tile at " << x << "," << y << " not seen at " << x + dx << "," << y + dy;
        return TILE_SEEN{colour_seen, quarter_seen};
      }
      (quarter ? quarter_seen : colour_seen)++;
    }
  return TILE_SEEN{colour_seen, quarter_seen};
}
