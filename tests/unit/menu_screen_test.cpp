// The menu frame read back pixel by pixel: which test image lies where, which
// copies are opaque, the hover images and highlight, and the red labels.
#include "display_env.h"
#include "match/play.h"
#include "menu/menu.h"
#include "shell/game.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace {

int slot_x(int p) { return 85 + 170 * ((p - 1) % 4); }
int slot_y(int p) { return 150 + 100 * ((p - 1) / 4); }

// 1 when text, drawn red on black in the library's font, lies at (x, y) on
// bmp as far as bmp reaches, and the character cell after it holds no red.
int text_exactly_at(BITMAP *bmp, int x, int y, const std::string &text)
{
  int w = text_length(font, text.c_str());
  int h = text_height(font);
  BITMAP *expected = create_bitmap(w, h);
  textprintf_ex(expected, font, 0, 0, makecol(255, 0, 0), 0, "%s", text.c_str());
  int same = 1;
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w && x + i < bmp->w; i++)
      if (getpixel(bmp, x + i, y + j) != getpixel(expected, i, j))
        same = 0;
  destroy_bitmap(expected);
  for (int j = 0; j < h; j++)
    for (int i = w; i < w + 8 && x + i < bmp->w; i++)
      if (red_at(bmp, x + i, y + j))
        same = 0;
  return same;
}

// Puts a stand-in bitmap in place of image index for one test.
struct IMAGE_STAND_IN {
  int index;
  void *saved;
  BITMAP *bitmap;
  IMAGE_STAND_IN(int index_, BITMAP *bitmap_) : index(index_), saved(game_data[index_].dat), bitmap(bitmap_)
  {
    game_data[index].dat = bitmap;
  }
  ~IMAGE_STAND_IN()
  {
    game_data[index].dat = saved;
    destroy_bitmap(bitmap);
  }
};

class MenuScreen : public ::testing::Test {
protected:
  TEMP_WORKDIR dir;
  MENU menu{};

  void SetUp() override
  {
    ASSERT_EQ(mkdir("mapy", 0755), 0);
    menu.map_index = 1;
    menu.hover_item = HOVER_NONE;
    game_match.player_kind[1] = PLAYER_HUMAN;
    game_match.player_kind[2] = PLAYER_COMPUTER;
    for (int p = 3; p <= 8; p++)
      game_match.player_kind[p] = PLAYER_OFF;
  }
  void TearDown() override { delete[] menu.map_path; }

  void draw()
  {
    clear_to_color(back_buffer, makecol(255, 255, 255));
    menu_draw(&menu);
  }
  void draw_with_map(const std::string &name)
  {
    dir.write_file("mapy/" + name, "");
    draw();
  }
};

TEST_F(MenuScreen, TilesCoverTheScreenOpaque)
{
  draw_with_map("a");
  for (int i = 0; i < 8; i++)
    for (int j = 0; j < 6; j++) {
      // Every tile shows somewhere in its square, and its magenta quarter
      // shows too, since tiles are copied opaque.
      int tile = 0, magenta = 0;
      for (int y = 100 * j; y < 100 * j + 100; y++)
        for (int x = 100 * i; x < 100 * i + 100; x++) {
          tile += image_at(back_buffer, x, y) == IMG_BACKGROUND;
          magenta += x % 100 >= 50 && y % 100 >= 50 && magenta_at(back_buffer, x, y);
        }
      EXPECT_GT(tile, 0) << "tile " << i << "," << j;
      int under_title = j == 0 && (i == 2 || i == 3);  // quarter hidden by the title
      EXPECT_TRUE(under_title || magenta > 0) << "tile " << i << "," << j;
    }
}

TEST_F(MenuScreen, DefaultFrameShowsEveryElementInPlace)
{
  draw_with_map("a");
  EXPECT_EQ(image_at(back_buffer, 216, 50), IMG_TITLE);
  const char *labels[] = {"", "Hrac", "Pocitac", "Vypnuto", "Vypnuto", "Vypnuto", "Vypnuto", "Vypnuto", "Vypnuto"};
  for (int p = 1; p <= 8; p++) {
    SCOPED_TRACE(p);
    EXPECT_EQ(image_at(back_buffer, slot_x(p), slot_y(p)), p + 2);
    // The pictures are masked: the tile shows through their magenta quarter.
    int x = slot_x(p) + 100, y = slot_y(p) + 30;
    EXPECT_TRUE(image_at(back_buffer, x, y) == IMG_BACKGROUND || magenta_at(back_buffer, x, y));
    EXPECT_TRUE(text_exactly_at(back_buffer, slot_x(p) + 7, slot_y(p) + 38, labels[p]));
  }
  EXPECT_EQ(image_at(back_buffer, 300, 350), IMG_PREV_ARROW);
  EXPECT_EQ(image_at(back_buffer, 493, 350), IMG_NEXT_ARROW);
  EXPECT_EQ(image_at(back_buffer, 337, 400), IMG_START);
  EXPECT_EQ(image_at(back_buffer, 335, 430), IMG_QUIT);
  EXPECT_EQ(image_at(back_buffer, 310, 350), IMG_MAP_FIELD);
  // The name field is opaque: its own magenta covers the tile's colour.
  EXPECT_TRUE(magenta_at(back_buffer, 420, 360));
  EXPECT_TRUE(text_exactly_at(back_buffer, 314, 354, "a"));
  // The bottom strip lies over the tiles; its magenta quarter lets them through.
  EXPECT_EQ(image_at(back_buffer, 0, 575), IMG_MENU_STRIP);
  EXPECT_EQ(image_at(back_buffer, 399, 586), IMG_MENU_STRIP);
  EXPECT_EQ(image_at(back_buffer, 420, 590), IMG_BACKGROUND);
}

TEST_F(MenuScreen, LabelsFollowThePlayerKinds)
{
  const int kinds[] = {0, PLAYER_HUMAN, PLAYER_OFF, PLAYER_HUMAN, PLAYER_COMPUTER,
                       PLAYER_COMPUTER, PLAYER_HUMAN, PLAYER_OFF, PLAYER_COMPUTER};
  const char *labels[] = {"Vypnuto", "Hrac", "Pocitac"};
  for (int p = 2; p <= 8; p++)
    game_match.player_kind[p] = kinds[p];
  draw();
  for (int p = 1; p <= 8; p++) {
    EXPECT_STREQ(player_kind_label(p), labels[kinds[p]]) << p;
    EXPECT_TRUE(text_exactly_at(back_buffer, slot_x(p) + 7, slot_y(p) + 38, labels[kinds[p]])) << p;
  }
}

TEST_F(MenuScreen, HoveredControlShowsItsHoverImageAlone)
{
  struct { const char *id; int x, y, normal, hover; } rows[] = {
    {HOVER_PREVIOUS, 300, 350, IMG_PREV_ARROW, IMG_PREV_ARROW_HOVER},
    {HOVER_NEXT, 493, 350, IMG_NEXT_ARROW, IMG_NEXT_ARROW_HOVER},
    {HOVER_START, 337, 400, IMG_START, IMG_START_HOVER},
    {HOVER_QUIT, 335, 430, IMG_QUIT, IMG_QUIT_HOVER},
  };
  dir.write_file("mapy/a", "");
  for (auto hovered : rows) {
    SCOPED_TRACE(hovered.id);
    menu.hover_item = hovered.id;
    draw();
    for (auto row : rows)
      EXPECT_EQ(image_at(back_buffer, row.x, row.y), row.id == hovered.id ? row.hover : row.normal);
  }
  // A string with the same letters is not the identifier.
  static const char start_copy[] = "spustit";
  menu.hover_item = start_copy;
  draw();
  EXPECT_EQ(image_at(back_buffer, 337, 400), IMG_START);
}

TEST_F(MenuScreen, HoveredSlotGetsTheHighlightUnderItsPicture)
{
  // The test highlight shares the pictures' magenta quarter, so an opaque
  // stand-in shows through the picture's quarter where it is drawn.
  TEST_RGB c = test_colour(IMG_HIGHLIGHT);
  BITMAP *opaque = create_bitmap(120, 50);
  clear_to_color(opaque, makecol(c.r, c.g, c.b));
  IMAGE_STAND_IN highlight(IMG_HIGHLIGHT, opaque);

  for (int hovered = 2; hovered <= 8; hovered++) {
    menu.hover_item = HOVER_PLAYER[hovered];
    draw();
    for (int p = 1; p <= 8; p++) {
      SCOPED_TRACE(::testing::Message() << "hovered " << hovered << ", slot " << p);
      EXPECT_EQ(image_at(back_buffer, slot_x(p), slot_y(p)), p + 2);
      EXPECT_EQ(image_at(back_buffer, slot_x(p) + 100, slot_y(p) + 30) == IMG_HIGHLIGHT, p == hovered);
    }
  }

  // The pointer over player 1's slot highlights nothing.
  set_pointer(140, 175, 0);
  menu_update(&menu);
  draw();
  set_pointer(0, 0, 0);
  for (int p = 1; p <= 8; p++)
    EXPECT_NE(image_at(back_buffer, slot_x(p) + 100, slot_y(p) + 30), IMG_HIGHLIGHT) << p;

  static const char slot_copy[] = "hrac4";
  menu.hover_item = slot_copy;
  draw();
  EXPECT_NE(image_at(back_buffer, slot_x(4) + 100, slot_y(4) + 30), IMG_HIGHLIGHT);
}

TEST_F(MenuScreen, NoMapShowsTheNotFoundLabel)
{
  draw();
  EXPECT_TRUE(text_exactly_at(back_buffer, 314, 354, "Mapy nenalezeny..."));
  EXPECT_EQ(menu.map_index, 0);
}

TEST_F(MenuScreen, PercentSignsInANameAreDrawnLiterally)
{
  draw_with_map("50%d%s%%x");
  EXPECT_TRUE(text_exactly_at(back_buffer, 314, 354, "50%d%s%%x"));
}

TEST_F(MenuScreen, LongNameRunsOverTheNextArrowToTheScreenEdge)
{
  std::string name = "velmi_dlouhy_nazev_mapy_pres_sipku_vpravo";
  draw_with_map(name);
  EXPECT_TRUE(text_exactly_at(back_buffer, 314, 354, name));
  int text_over_arrow = 0;
  for (int x = 493; x < 500; x++)
    text_over_arrow += red_at(back_buffer, x, 356) || black_at(back_buffer, x, 356);
  EXPECT_EQ(text_over_arrow, 7);

  ASSERT_EQ(unlink(("mapy/" + name).c_str()), 0);
  std::string longest(255, 'W');
  draw_with_map(longest);
  EXPECT_TRUE(text_exactly_at(back_buffer, 314, 354, longest));
  int red_at_edge = 0;
  for (int y = 354; y < 362; y++)
    red_at_edge += red_at(back_buffer, 799, y) || red_at(back_buffer, 798, y);
  EXPECT_GT(red_at_edge, 0);
}

}  // namespace
