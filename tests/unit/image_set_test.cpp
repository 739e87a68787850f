// The test image set after loading at 16 bits, and the image-set checks.
#include "display_env.h"
#include "shell/game.h"
#include "shell/image_set.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(TestImageSet, HoldsTheImagesInIndexOrderWithMagentaAsMask)
{
  ASSERT_TRUE(image_set_usable(game_data));
  for (int i = 0; i < IMG_COUNT; i++) {
    BITMAP *bmp = game_image(i);
    SCOPED_TRACE(i);
    ASSERT_EQ(bitmap_color_depth(bmp), 16);
    TEST_SIZE size = test_image_size(i);
    EXPECT_EQ(bmp->w, size.w);
    EXPECT_EQ(bmp->h, size.h);
    EXPECT_EQ(image_at(bmp, 0, 0), i);
    EXPECT_EQ(getpixel(bmp, bmp->w - 1, bmp->h - 1), bitmap_mask_color(bmp));
  }
  EXPECT_EQ(game_data[IMG_COUNT].type, DAT_END);
}

TEST(ImageSetCheck, RefusesShortSetsAndNonBitmaps)
{
  std::vector<DATAFILE> objects(IMG_COUNT + 1);
  for (int i = 0; i < IMG_COUNT; i++) {
    objects[i].dat = game_data[i].dat;
    objects[i].type = DAT_BITMAP;
  }
  objects[IMG_COUNT].type = DAT_END;
  EXPECT_TRUE(image_set_usable(objects.data()));

  objects[30].type = DAT_ID('D', 'A', 'T', 'A');
  EXPECT_FALSE(image_set_usable(objects.data()));
  objects[30].type = DAT_BITMAP;

  objects[IMG_COUNT - 1].type = DAT_END;
  EXPECT_FALSE(image_set_usable(objects.data()));
  EXPECT_FALSE(image_set_usable(nullptr));
}

std::string read_file(const char *path)
{
  std::string bytes;
  FILE *f = fopen(path, "rb");
  if (!f)
    return bytes;
  int c;
  while ((c = fgetc(f)) != EOF)
    bytes.push_back(static_cast<char>(c));
  fclose(f);
  return bytes;
}

TEST(ImageSetCheck, TrialLoadSurvivesDamagedFiles)
{
  TEMP_WORKDIR dir;
  std::string good = read_file(getenv("TEST_IMAGE_SET"));
  ASSERT_GT(good.size(), 1000u);

  dir.write_file("good.dat", good);
  EXPECT_TRUE(image_set_loads_safely("good.dat"));

  EXPECT_FALSE(image_set_loads_safely("missing.dat"));
  dir.write_file("empty.dat", "");
  EXPECT_FALSE(image_set_loads_safely("empty.dat"));
  std::string noise;
  for (int i = 0; i < 5000; i++)
    noise.push_back(static_cast<char>((i * 131 + 17) % 251));
  dir.write_file("noise.dat", noise);
  EXPECT_FALSE(image_set_loads_safely("noise.dat"));
  // The library's own header followed by garbage, and the file cut short
  // inside its headers: both crash the library's loader.
  dir.write_file("garbage.dat", good.substr(0, 12) + noise);
  EXPECT_FALSE(image_set_loads_safely("garbage.dat"));
  dir.write_file("cut.dat", good.substr(0, 40));
  EXPECT_FALSE(image_set_loads_safely("cut.dat"));
}

}  // namespace
