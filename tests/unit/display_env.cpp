// Test bed for everything that draws.
#include "display_env.h"
#include "shell/game.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

class DisplayEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    ASSERT_EQ(allegro_init(), 0) << "no display: run under xvfb-run";
    set_color_depth(16);
    ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0), 0) << allegro_error;
    const char *set = getenv("TEST_IMAGE_SET");
    ASSERT_NE(set, nullptr) << "TEST_IMAGE_SET names the test image set";
    game_data = load_datafile(set);
    ASSERT_NE(game_data, nullptr) << set;
    back_buffer = create_bitmap(800, 600);
    ASSERT_NE(back_buffer, nullptr);
  }
  void TearDown() override
  {
    destroy_bitmap(back_buffer);
    unload_datafile(game_data);
  }
};

}  // namespace

int image_at(BITMAP *bmp, int x, int y)
{
  int c = getpixel(bmp, x, y);
  for (int i = 0; i < TEST_IMAGE_COUNT; i++) {
    TEST_RGB rgb = test_colour(i);
    if (c == makecol16(rgb.r, rgb.g, rgb.b))
      return i;
  }
  return -1;
}

int magenta_at(BITMAP *bmp, int x, int y) { return getpixel(bmp, x, y) == makecol16(255, 0, 255); }
int black_at(BITMAP *bmp, int x, int y) { return getpixel(bmp, x, y) == 0; }
int red_at(BITMAP *bmp, int x, int y) { return getpixel(bmp, x, y) == makecol16(255, 0, 0); }

void set_pointer(int x, int y, int buttons)
{
  mouse_x = x;
  mouse_y = y;
  mouse_b = buttons;
}

TEMP_WORKDIR::TEMP_WORKDIR()
{
  char cwd[4096];
  previous = getcwd(cwd, sizeof cwd) ? cwd : "/";
  path = temp_folder("workdir");
  if (chdir(path.c_str()) != 0)
    ADD_FAILURE() << "cannot make a working directory";
}

TEMP_WORKDIR::~TEMP_WORKDIR()
{
  if (chdir(previous.c_str()) != 0)
    ADD_FAILURE() << "cannot return to " << previous;
  remove_folder(path);
}

void TEMP_WORKDIR::write_file(const std::string &name, const std::string &bytes) const
{
  FILE *f = fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

int main(int argc, char **argv)
{
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);
  return RUN_ALL_TESTS();
}
