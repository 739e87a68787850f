// The game's real image set, loaded as the game loads it (16 bits, after the
// display mode is set): 48 bitmaps that fit their rooms, magenta turned into
// the mask where the painter meant it and nowhere else, a seamless tile and
// calm plates under the text the game prints, finds told apart by colour
// also in red-green blindness, a lively but dark sea, a thick bright frame
// for the current player and pixel-art winner pictures.
#include "match/board_layout.h"
#include "match/results_layout.h"
#include "menu/menu_layout.h"
#include "glyphs.h"
#include "lettering.h"
#include "palette.h"
#include "rooms.h"
#include "shell/alleg.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Luma of a pixel, 0 to 255.
int luma(int c)
{
  return (299 * getr(c) + 587 * getg(c) + 114 * getb(c)) / 1000;
}

TEST(GameImageSet, CurrentPlayerFrameShowsThickAndBrightAroundEveryCard)
{
  // The frame lies under the card; what it adds to the card drawn over the
  // sea is what a player sees. It must show at least four pixels wide at the
  // left, three above and below, carry a pointer at the right, and be bright.
  BITMAP *tile = image(IMG_BACKGROUND);
  BITMAP *plain = create_bitmap(120, 50), *marked = create_bitmap(120, 50);
  for (int p = 0; p < 8; p++) {
    SCOPED_TRACE(p + 1);
    for (int x : {0, 100}) {
      blit(tile, plain, 0, 0, x, 0, 100, 50);
      blit(tile, marked, 0, 0, x, 0, 100, 50);
    }
    masked_blit(image(IMG_HIGHLIGHT), marked, 0, 0, 0, 0, 800, 600);
    masked_blit(image(IMG_PLAYER_1 + p), plain, 0, 0, 0, 0, 800, 600);
    masked_blit(image(IMG_PLAYER_1 + p), marked, 0, 0, 0, 0, 800, 600);
    auto shows = [&](int x, int y) { return getpixel(plain, x, y) != getpixel(marked, x, y); };
    int left = 0, top = 0, bottom = 0, right = 0;
    while (left < 60 && shows(left, 25))
      left++;
    while (top < 25 && shows(50, top))
      top++;
    while (bottom < 25 && shows(50, 49 - bottom))
      bottom++;
    for (int x = 60; x < 120; x++)
      right += shows(x, 25);
    EXPECT_GE(left, 4);
    EXPECT_GE(top, 3);
    EXPECT_GE(bottom, 3);
    EXPECT_GE(right, 12);
    // the card itself is left as it is
    EXPECT_FALSE(shows(30, 25));
    long bright = 0, shown = 0;
    for (int y = 0; y < 50; y++)
      for (int x = 0; x < 120; x++)
        if (shows(x, y)) {
          shown++;
          bright += luma(getpixel(marked, x, y)) >= 170;
        }
    EXPECT_GE(bright * 10, shown * 6) << "most of the frame is bright";
  }
  destroy_bitmap(plain);
  destroy_bitmap(marked);
}

TEST(GameImageSet, WinnerPicturesArePaintedInWholeBigPixels)
{
  // Painted at a third of their size and enlarged, like the big lettering:
  // every 3 x 3 block is one colour, and the blocks line up with the corner.
  for (int i = IMG_WINNER_1; i < IMG_WINNER_1 + 8; i++) {
    SCOPED_TRACE(i);
    BITMAP *bmp = image(i);
    EXPECT_EQ(bmp->w % 3, 0);
    EXPECT_EQ(bmp->h % 3, 0);
    int odd = 0;
    for (int y = 0; y < bmp->h; y++)
      for (int x = 0; x < bmp->w; x++)
        odd += getpixel(bmp, x, y) != getpixel(bmp, x - x % 3, y - y % 3);
    EXPECT_EQ(odd, 0);
  }
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
  // Across the right and bottom edges the next tile's first column and row
  // follow on no more abruptly than neighbours inside the tile do.
  BITMAP *tile = image(IMG_BACKGROUND);
  double inside_x = 0, inside_y = 0;
  for (int i = 0; i < 99; i++) {
    inside_x += column_difference(tile, i, i + 1) / 99;
    inside_y += row_difference(tile, i, i + 1) / 99;
  }
  EXPECT_LE(column_difference(tile, 99, 0), 2 * inside_x + 3);
  EXPECT_LE(row_difference(tile, 99, 0), 2 * inside_y + 3);
}

// Mean brightness (sum of red, green and blue) of a square of the tile.
double block_brightness(BITMAP *bmp, int x0, int y0, int size)
{
  double sum = 0;
  for (int y = y0; y < y0 + size; y++)
    for (int x = x0; x < x0 + size; x++) {
      int c = getpixel(bmp, x, y);
      sum += getr(c) + getg(c) + getb(c);
    }
  return sum / (size * size);
}

TEST(GameImageSet, BackgroundTileIsALivelySeaThatStaysDark)
{
  // The tile fills the empty parts of every screen: it needs several shades
  // and lighter and darker parts, yet must stay dark and blue enough for
  // the pictures and the red text over it to stand out.
  BITMAP *tile = image(IMG_BACKGROUND);
  std::set<int> colours;
  double lightest = 0, darkest = 1e9, total = 0;
  for (int y = 0; y < 100; y++)
    for (int x = 0; x < 100; x++) {
      int c = getpixel(tile, x, y);
      colours.insert(c);
      EXPECT_GE(getb(c), getr(c)) << x << "," << y;
    }
  for (int y = 0; y < 100; y += 20)
    for (int x = 0; x < 100; x += 20) {
      double b = block_brightness(tile, x, y, 20);
      lightest = std::max(lightest, b);
      darkest = std::min(darkest, b);
      total += b / 25;
    }
  EXPECT_GE(colours.size(), 6u);
  EXPECT_GE(lightest - darkest, 25);
  EXPECT_LE(total, 300);
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

// The light of an 8-bit sRGB channel value, 0 to 1.
double linear_light(int v)
{
  double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct LAB { double l, a, b; };

// CIELAB (D65 white) of a colour given as linear-light sRGB, clipped to 0..1.
LAB lab_of_linear(const double rgb[3])
{
  double r = std::clamp(rgb[0], 0.0, 1.0), g = std::clamp(rgb[1], 0.0, 1.0), b = std::clamp(rgb[2], 0.0, 1.0);
  double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, 0.2126 * r + 0.7152 * g + 0.0722 * b,
                   (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
  for (double &t : xyz)
    t = t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
  return {116 * xyz[1] - 16, 500 * (xyz[0] - xyz[1]), 200 * (xyz[1] - xyz[2])};
}

double delta_e(LAB p, LAB q)
{
  return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

// Colour vision as seen by a player: normal, and the red-green blindnesses
// at full severity (Machado, Oliveira and Fernandes 2009), in linear light.
struct VISION { const char *name; double m[3][3]; };
const VISION visions[] = {
  {"normal", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
  {"deuteranopia", {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
  {"protanopia", {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
};

// The colour a picture leaves at board size, where the eye blends its
// pixels: the mean of their light, as a player with vision v sees it.
LAB seen_mean(BITMAP *bmp, const VISION &v)
{
  double mean[3] = {0, 0, 0};
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      int c = getpixel(bmp, x, y);
      mean[0] += linear_light(getr(c));
      mean[1] += linear_light(getg(c));
      mean[2] += linear_light(getb(c));
    }
  double seen[3];
  for (int i = 0; i < 3; i++)
    seen[i] = (v.m[i][0] * mean[0] + v.m[i][1] * mean[1] + v.m[i][2] * mean[2]) / (bmp->w * bmp->h);
  return lab_of_linear(seen);
}

TEST(GameImageSet, FindsTrapAndEmptyCellDifferInColourAlsoForRedGreenBlindPlayers)
{
  // Every pair of uncovered cells differs in its blended colour by at least
  // 20 (CIELAB distance) in normal vision and 12 under either simulation, so
  // the colour alone tells them apart at board size. The table is printed.
  struct CELL_PICTURE { int index; const char *name; };
  const CELL_PICTURE cells[] = {
    {IMG_FIND_1, "find 1"}, {IMG_FIND_2, "find 2"}, {IMG_FIND_3, "find 3"}, {IMG_FIND_4, "find 4"},
    {IMG_FIND_5, "find 5"}, {IMG_FIND_6, "find 6"}, {IMG_CELL_EMPTY, "empty"}, {IMG_TRAP, "trap"},
  };
  const double least[] = {20, 12, 12};  // per vision, in the order of visions[]
  const int n = sizeof cells / sizeof cells[0];
  printf("%-15s %8s %8s %8s\n", "pair", "normal", "deutan", "protan");
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++) {
      double d[3];
      for (int k = 0; k < 3; k++)
        d[k] = delta_e(seen_mean(image(cells[i].index), visions[k]), seen_mean(image(cells[j].index), visions[k]));
      printf("%-6s - %-6s %8.1f %8.1f %8.1f\n", cells[i].name, cells[j].name, d[0], d[1], d[2]);
      for (int k = 0; k < 3; k++)
        EXPECT_GE(d[k], least[k]) << cells[i].name << " and " << cells[j].name << ", " << visions[k].name;
    }
}

// The rows of a glyph in which it differs from another, as a bit set.
int rows_differing(const unsigned char a[GLYPH_ROWS][GLYPH_W], const unsigned char b[GLYPH_ROWS][GLYPH_W])
{
  int rows = 0;
  for (int r = 0; r < GLYPH_ROWS; r++)
    rows |= memcmp(a[r], b[r], GLYPH_W) != 0 ? 1 << r : 0;
  return rows;
}

TEST(Lettering, CzechLettersAreTheirBaseLetterWithAnAccentAbove)
{
  // Each accented letter keeps its base letter's body and adds its accent
  // only above it: within the font's cell over a small letter (the i losing
  // its dot, d and t an apostrophe), above the cell over a capital. No two
  // letters look the same.
  struct LETTER { const char *utf8; char base; int accent_rows; };
  const int small = 0x3 << GLYPH_RISE, above = 0x7;  // rows 0..1 of the cell; the rows above it
  const LETTER letters[] = {
    {"á", 'a', small}, {"č", 'c', small}, {"ď", 'd', small}, {"é", 'e', small}, {"ě", 'e', small},
    {"í", 'i', small}, {"ň", 'n', small}, {"ó", 'o', small}, {"ř", 'r', small}, {"š", 's', small},
    {"ť", 't', small}, {"ú", 'u', small}, {"ý", 'y', small}, {"ž", 'z', small},
    {"Á", 'A', above}, {"Č", 'C', above}, {"Ď", 'D', above}, {"É", 'E', above}, {"Ě", 'E', above},
    {"Í", 'I', above}, {"Ň", 'N', above}, {"Ó", 'O', above}, {"Ř", 'R', above}, {"Š", 'S', above},
    {"Ť", 'T', above}, {"Ú", 'U', above}, {"Ů", 'U', above}, {"Ý", 'Y', above}, {"Ž", 'Z', above},
  };
  std::set<std::string> seen;
  for (const LETTER &l : letters) {
    SCOPED_TRACE(l.utf8);
    const char *p = l.utf8;
    int code = next_char(&p);
    EXPECT_EQ(*p, 0) << "one character";
    unsigned char glyph[GLYPH_ROWS][GLYPH_W], base[GLYPH_ROWS][GLYPH_W];
    glyph_bits(code, glyph);
    glyph_bits(l.base, base);
    int rows = rows_differing(glyph, base);
    EXPECT_NE(rows, 0);
    EXPECT_EQ(rows & ~l.accent_rows, 0) << "the body is the base letter's";
    EXPECT_EQ(text_rises(l.utf8), l.accent_rows == above);
    EXPECT_TRUE(seen.insert(std::string(reinterpret_cast<char *>(glyph), sizeof glyph)).second);
  }
  unsigned char ring[GLYPH_ROWS][GLYPH_W], u[GLYPH_ROWS][GLYPH_W];  // the font's own u with a ring
  glyph_bits(0x16F, ring);
  glyph_bits('u', u);
  EXPECT_NE(rows_differing(ring, u), 0);
  EXPECT_EQ(rows_differing(ring, u) & above, 0);
}

TEST(Lettering, TextsAreMeasuredInCharactersAndBadBytesShowAsQuestionMarks)
{
  struct TEXT { const char *text; int chars; int rises; };
  const TEXT texts[] = {
    {"Nápověda", 8, 0}, {"Hledání pokladu", 15, 0}, {"ŘEKA", 4, 1}, {"", 0, 0},
    {"a\xff" "b", 3, 0},      // a byte no character starts with
    {"\xc3", 1, 0},           // cut short at the end
    {"\xc5" "A", 2, 0},       // cut short before a plain letter
    {"\x80\x80", 2, 0},       // stray continuation bytes
  };
  for (const TEXT &t : texts) {
    SCOPED_TRACE(t.text);
    EXPECT_EQ(text_chars(t.text), t.chars);
    EXPECT_EQ(text_width(t.text), 8 * t.chars);
    EXPECT_EQ(text_rises(t.text), t.rises);
  }
  const char *bad = "\xc5" "A";
  EXPECT_EQ(next_char(&bad), '?');
  EXPECT_EQ(next_char(&bad), 'A');
  EXPECT_EQ(next_char(&bad), 0);
  // A capital's accent makes the lettering taller by its rows, not wider.
  LETTERING style = {2, WHITE, WHITE, 1, BLACK, 1, BLACK};
  int w, h, w_plain, h_plain;
  lettering_size("ČAS", &style, &w, &h);
  lettering_size("CAS", &style, &w_plain, &h_plain);
  EXPECT_EQ(w, w_plain);
  EXPECT_EQ(h, h_plain + 2 * GLYPH_RISE);
}

// A rectangle from (x0, y0) up to, not including, (x1, y1).
struct AREA { int x0, y0, x1, y1; };

// Image index drawn with its corner at (x, y) lies inside room.
::testing::AssertionResult fits(int index, int x, int y, AREA room)
{
  BITMAP *bmp = image(index);
  if (x >= room.x0 && y >= room.y0 && x + bmp->w <= room.x1 && y + bmp->h <= room.y1)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "image " << index << " (" << bmp->w << "x" << bmp->h << ") at (" << x
                                       << ", " << y << ") leaves its room from (" << room.x0 << ", " << room.y0
                                       << ") to (" << room.x1 << ", " << room.y1 << ")";
}

const AREA whole_screen = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

// Each picture drawn where its screen's layout draws it: inside the screen,
// inside the rectangle its control reacts to, and clear of its neighbours.
TEST(GameImageSet, EveryPictureFitsWhereItsScreenDrawsIt)
{
  // The menu: the title above the slots, every control's pictures inside
  // its rectangle, the cards in their slots, the map field between the arrows.
  EXPECT_TRUE(fits(IMG_TITLE, MENU_TITLE_X, MENU_TITLE_Y, {0, 0, SCREEN_WIDTH, MENU_SLOT_Y0}));
  for (const MENU_CONTROL &c : menu_controls) {
    for (int index : {c.image, c.hover_image}) {
      if (index != MENU_NO_IMAGE) {
        EXPECT_TRUE(fits(index, c.x, c.y, {c.x, c.y, c.x + c.w, c.y + c.h})) << c.hover;
      }
    }
  }
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    int x = menu_slot_x(p), y = menu_slot_y(p);
    EXPECT_TRUE(fits(IMG_PLAYER_1 + p - 1, x, y, {x, y, x + MENU_SLOT_W, y + MENU_SLOT_H}));
  }
  const MENU_CONTROL *previous = menu_control(HOVER_PREVIOUS), *next = menu_control(HOVER_NEXT);
  EXPECT_TRUE(fits(IMG_MAP_FIELD, MENU_MAP_FIELD_X, MENU_MAP_FIELD_Y,
                   {previous->x + previous->w, next->y, next->x, next->y + next->h}));
  EXPECT_TRUE(fits(IMG_MENU_STRIP, MENU_STRIP_X, MENU_STRIP_Y, whole_screen));

  // The board: tiles on the screen, the cards and buttons left of the grid
  // and above one another, each cell's picture inside its frame, the grid
  // and the help overlay over it on the screen.
  for (int i = 0; i < BOARD_TILES; i++) {
    int x, y;
    board_tile(i, &x, &y);
    EXPECT_TRUE(fits(IMG_BACKGROUND, x, y, whole_screen)) << "tile " << i;
  }
  const AREA player_column = {0, 0, BOARD_FRAME_X0, BOARD_HELP_Y};
  EXPECT_TRUE(fits(IMG_HIGHLIGHT, BOARD_SLOT_X, board_slot_y(PLAYER_COUNT), player_column));
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    int y = board_slot_y(p);
    EXPECT_TRUE(fits(IMG_PLAYER_1 + p - 1, BOARD_SLOT_X, y, {0, y, BOARD_FRAME_X0, board_slot_y(p + 1)}));
    EXPECT_TRUE(fits(IMG_PLAYER_1 + p - 1, BOARD_SLOT_X, y, player_column));
  }
  for (int index : {IMG_HELP_BUTTON, IMG_HELP_BUTTON_HOVER})
    EXPECT_TRUE(fits(index, BOARD_BUTTON_X, BOARD_HELP_Y, {0, BOARD_HELP_Y, BOARD_FRAME_X0, BOARD_END_Y}));
  for (int index : {IMG_END_BUTTON, IMG_END_BUTTON_HOVER})
    EXPECT_TRUE(fits(index, BOARD_BUTTON_X, BOARD_END_Y, {0, BOARD_END_Y, BOARD_FRAME_X0, SCREEN_HEIGHT}));
  const AREA grid = {BOARD_FRAME_X0, BOARD_FRAME_Y0, BOARD_FRAME_X1, BOARD_FRAME_Y1};
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    EXPECT_TRUE(fits(IMG_CELL_FRAME, board_frame_x(cell), board_frame_y(cell), grid)) << "cell " << cell;
  EXPECT_TRUE(fits(IMG_CELL_FRAME, BOARD_FRAME_X0, BOARD_FRAME_Y0, whole_screen));
  EXPECT_TRUE(fits(IMG_CELL_FRAME, board_frame_x(BOARD_CELLS - 1), board_frame_y(BOARD_CELLS - 1), whole_screen));
  // A cell's picture leaves its frame's top row and left column showing.
  for (int cell : {0, BOARD_CELLS - 1}) {
    int fx = board_frame_x(cell), fy = board_frame_y(cell);
    for (int index : {IMG_CELL_COVERED, IMG_CELL_EMPTY, IMG_CELL_HOVER, IMG_TRAP, IMG_FIND_1, IMG_FIND_2,
                      IMG_FIND_3, IMG_FIND_4, IMG_FIND_5, IMG_FIND_6})
      EXPECT_TRUE(fits(index, board_cell_x(cell), board_cell_y(cell),
                       {fx + 1, fy + 1, fx + BOARD_PITCH, fy + BOARD_PITCH})) << "cell " << cell;
  }
  EXPECT_TRUE(fits(IMG_HELP_OVERLAY, BOARD_OVERLAY_X, BOARD_OVERLAY_Y, grid));

  // The results: the winner to the screen's corner, its caption left of it,
  // the closing picture below both, the no-winner ribbon above it.
  for (int p = 1; p <= PLAYER_COUNT; p++)
    EXPECT_TRUE(fits(IMG_WINNER_1 + p - 1, RESULTS_WINNER_X, RESULTS_WINNER_Y, whole_screen));
  int below = RESULTS_CAPTION_Y + image(IMG_WINNER_CAPTION)->h;
  EXPECT_TRUE(fits(IMG_WINNER_CAPTION, RESULTS_CAPTION_X, RESULTS_CAPTION_Y,
                   {0, 0, RESULTS_WINNER_X, RESULTS_CLOSING_Y}));
  EXPECT_TRUE(fits(IMG_NO_WINNER, RESULTS_NO_WINNER_X, RESULTS_NO_WINNER_Y, {0, 0, SCREEN_WIDTH, RESULTS_CLOSING_Y}));
  EXPECT_TRUE(fits(IMG_RESULTS_CLOSING, RESULTS_CLOSING_X, RESULTS_CLOSING_Y,
                   {0, below, RESULTS_WINNER_X, SCREEN_HEIGHT}));
}

TEST(GameImageSet, ResultsPicturesFillTheRoomTheirScreenLeavesThem)
{
  // The results screen has nothing but its pictures over the sea: each
  // takes its whole room (the winner in its whole big pixels), and the
  // closing scroll at least the height of the outcome beside it.
  struct ROOM_USE { int index; int slack_w, slack_h; };
  const ROOM_USE uses[] = {
    {IMG_WINNER_1, 2, 0}, {IMG_WINNER_1 + 7, 2, 0}, {IMG_WINNER_CAPTION, 0, 0}, {IMG_NO_WINNER, 0, 0},
    {IMG_RESULTS_CLOSING, 0, 40},
  };
  for (const ROOM_USE &u : uses) {
    SCOPED_TRACE(u.index);
    IMAGE_ROOM room = image_room(u.index);
    EXPECT_GE(image(u.index)->w, room.max_w - u.slack_w);
    EXPECT_GE(image(u.index)->h, room.max_h - u.slack_h);
  }
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
