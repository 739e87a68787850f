// The game's real image set, loaded as the game loads it (16 bits, after the
// display mode is set): 48 bitmaps that fit their rooms, magenta turned into
// the mask where the painter meant it and nowhere else, a seamless tile and
// calm plates under the text the game prints.
#include "rooms.h"
#include "shell/alleg.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

DATAFILE *images = nullptr;

BITMAP *image(int index) { return static_cast<BITMAP *>(images[index].dat); }

// The painted source of image index, at 24 bits as it was written.
BITMAP *source_image(int index)
{
  char path[4096];
  snprintf(path, sizeof path, "%s/%02d.bmp", GAME_IMAGES_DIR, index);
  set_color_conversion(COLORCONV_NONE);
  BITMAP *bmp = load_bmp(path, nullptr);
  set_color_conversion(COLORCONV_TOTAL);
  return bmp;
}

int mask_pixels(BITMAP *bmp)
{
  int n = 0;
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++)
      n += getpixel(bmp, x, y) == bitmap_mask_color(bmp);
  return n;
}

int pure_magenta_pixels(BITMAP *bmp)
{
  int n = 0, d = bitmap_color_depth(bmp);
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      int c = getpixel(bmp, x, y);
      n += getr_depth(d, c) == 255 && getg_depth(d, c) == 0 && getb_depth(d, c) == 255;
    }
  return n;
}

TEST(GameImageSet, HoldsFortyEightBitmapsAtSixteenBitsInsideTheirRooms)
{
  int count = 0;
  while (images[count].type != DAT_END)
    count++;
  EXPECT_EQ(count, IMG_COUNT);
  for (int i = 0; i < IMG_COUNT && i < count; i++) {
    SCOPED_TRACE(i);
    ASSERT_EQ(images[i].type, DAT_BITMAP);
    BITMAP *bmp = image(i);
    EXPECT_EQ(bitmap_color_depth(bmp), 16);
    IMAGE_ROOM room = image_room(i);
    EXPECT_GE(bmp->w, room.min_w);
    EXPECT_LE(bmp->w, room.max_w);
    EXPECT_GE(bmp->h, room.min_h);
    EXPECT_LE(bmp->h, room.max_h);
  }
}

TEST(GameImageSet, MagentaAndOnlyMagentaBecomesTheMask)
{
  for (int i = 0; i < IMG_COUNT; i++) {
    SCOPED_TRACE(i);
    BITMAP *source = source_image(i);
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(bitmap_color_depth(source), 24);
    // A colour near magenta would turn into the mask at 16 bits and leave
    // an unintended hole: the counts would then differ.
    int meant = pure_magenta_pixels(source);
    EXPECT_EQ(mask_pixels(image(i)), meant);
    if (image_is_opaque(i)) {
      EXPECT_EQ(meant, 0);
    }
    destroy_bitmap(source);
  }
  // Pictures drawn over others must let them show through somewhere.
  for (int i : {IMG_HIGHLIGHT, IMG_CELL_HOVER, IMG_TITLE, IMG_PLAYER_1, IMG_WINNER_CAPTION, IMG_START})
    EXPECT_GT(mask_pixels(image(i)), 0) << i;
}

TEST(GameImageSet, MaskedDrawingLeavesWhatLiesBeneath)
{
  // The highlight rings a slot; its middle must show the picture under it.
  BITMAP *under = create_bitmap(120, 50);
  clear_to_color(under, makecol(10, 200, 10));
  masked_blit(image(IMG_HIGHLIGHT), under, 0, 0, 0, 0, 800, 600);
  EXPECT_EQ(getpixel(under, 60, 25), makecol(10, 200, 10));
  EXPECT_NE(getpixel(under, 0, 25), makecol(10, 200, 10));
  destroy_bitmap(under);
}

double column_difference(BITMAP *bmp, int a, int b)
{
  double sum = 0;
  for (int y = 0; y < bmp->h; y++) {
    int p = getpixel(bmp, a, y), q = getpixel(bmp, b, y);
    sum += abs(getr(p) - getr(q)) + abs(getg(p) - getg(q)) + abs(getb(p) - getb(q));
  }
  return sum / bmp->h;
}

double row_difference(BITMAP *bmp, int a, int b)
{
  double sum = 0;
  for (int x = 0; x < bmp->w; x++) {
    int p = getpixel(bmp, x, a), q = getpixel(bmp, x, b);
    sum += abs(getr(p) - getr(q)) + abs(getg(p) - getg(q)) + abs(getb(p) - getb(q));
  }
  return sum / bmp->w;
}

TEST(GameImageSet, BackgroundTileJoinsWithoutASeam)
{
  BITMAP *tile = image(IMG_BACKGROUND);
  double inside_x = 0, inside_y = 0;
  for (int i = 0; i < 99; i++) {
    inside_x += column_difference(tile, i, i + 1) / 99;
    inside_y += row_difference(tile, i, i + 1) / 99;
  }
  EXPECT_LE(column_difference(tile, 99, 0), 2 * inside_x + 3);
  EXPECT_LE(row_difference(tile, 99, 0), 2 * inside_y + 3);
}

// 1 when every pixel of the rectangle is close to black, so red text on its
// own black background reads cleanly there.
int calm(BITMAP *bmp, int x0, int y0, int x1, int y1)
{
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      int c = getpixel(bmp, x, y);
      if (getr(c) > 40 || getg(c) > 40 || getb(c) > 40)
        return 0;
    }
  return 1;
}

TEST(GameImageSet, TextPrintedOverPicturesHasACalmPlate)
{
  // Slot labels ("Pocitac", 7 characters) and scores start at (7, 38).
  for (int p = 0; p < 8; p++)
    EXPECT_TRUE(calm(image(IMG_PLAYER_1 + p), 6, 37, 64, 45)) << "player " << p + 1;
  // The map name starts at (4, 4) in the field and may run to its end.
  EXPECT_TRUE(calm(image(IMG_MAP_FIELD), 3, 3, 179, 11));
}

std::string pixels(BITMAP *bmp)
{
  std::string s = std::to_string(bmp->w) + "x" + std::to_string(bmp->h) + ":";
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++)
      s += std::to_string(getpixel(bmp, x, y)) + ",";
  return s;
}

TEST(GameImageSet, EveryRoleHasAPictureOfItsOwn)
{
  // Players, winners, finds and hovered controls must never be mixed up.
  std::set<std::string> seen;
  for (int i = 0; i < IMG_COUNT; i++)
    EXPECT_TRUE(seen.insert(pixels(image(i))).second) << "image " << i << " repeats an earlier one";
}

class GameImageSetEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    ASSERT_EQ(allegro_init(), 0) << "no display: run under xvfb-run";
    set_color_depth(16);
    ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0), 0) << allegro_error;
    images = load_datafile(GAME_IMAGE_SET);
    ASSERT_NE(images, nullptr) << GAME_IMAGE_SET;
  }
  void TearDown() override { unload_datafile(images); }
};

}  // namespace

int main(int argc, char **argv)
{
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new GameImageSetEnvironment);
  return RUN_ALL_TESTS();
}
