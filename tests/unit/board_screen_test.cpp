// The board screen read back from the composed frame: where each element
// lies, whether it was copied opaque or masked, and what lies over what.
#include "match_helpers.h"
#include "screen_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int slot_y(int p) { return 20 + 65 * (p - 1); }

// A frame of a match of players 1 (human) and 2 (computer), player 1 to move.
struct BoardScreen : ::testing::Test {
  MATCH m;
  void SetUp() override
  {
    start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
    m.hover_cell = -1;
  }
  void draw()
  {
    MATCH before = m;
    match_draw(&m);
    EXPECT_EQ(memcmp(&before, &m, sizeof m), 0) << "match_draw changed the record";
  }
};

TEST_F(BoardScreen, TwentyEightTilesAroundTheBoard)
{
  draw();
  // Everything drawn over the tiles: portraits (and the highlight beneath
  // them), the buttons, the board of cell frames.
  std::initializer_list<RECT> covers = {
    {10, slot_y(1), 120, 50}, {10, slot_y(2), 120, 50}, {10, 530, 120, 23}, {10, 557, 120, 23},
    {140, 20, 640, 560},
  };
  int tiles = 0;
  for (int x = 0; x < 800; x += 100)
    for (int y = 0; y < 600; y += 100)
      if (y == 0 || y == 500 || x == 0 || x == 100 || x == 700) {
        SCOPED_TRACE(testing::Message() << "tile at " << x << "," << y);
        EXPECT_GT(expect_tile(x, y, covers).colour, 0);
        tiles++;
      }
  EXPECT_EQ(tiles, 28);
  // The board covers the rest of the screen: frames and covered cells only.
  for (int y = 20; y < 580; y += 5)
    for (int x = 140; x < 780; x += 5) {
      int image = image_at(back_buffer, x, y);
      ASSERT_TRUE(image == IMG_CELL_FRAME || image == IMG_CELL_COVERED || magenta_at(back_buffer, x, y))
          << x << "," << y;
    }
}

TEST_F(BoardScreen, HighlightFrameMarksTheCurrentPlayersSlotBeneathThePortrait)
{
  for (int p : {1, 2, 5, 8}) {
    SCOPED_TRACE(p);
    // With the slot's player off, nothing covers the highlight frame.
    for (int q = 1; q <= PLAYER_COUNT; q++)
      m.player_kind[q] = PLAYER_OFF;
    m.current_player = p;
    draw();
    expect_masked_on_tiles(IMG_HIGHLIGHT, {10, slot_y(p), 120, 50});
    EXPECT_EQ(image_at(back_buffer, 15, slot_y(p) + 50), IMG_BACKGROUND);
    // With the player on, its portrait is drawn over the frame.
    m.player_kind[p] = PLAYER_HUMAN;
    draw();
    EXPECT_EQ(image_at(back_buffer, 15, slot_y(p) + 5), IMG_PLAYER_1 + p - 1);
    EXPECT_EQ(image_at(back_buffer, 129, slot_y(p) + 49), IMG_BACKGROUND);
  }
  EXPECT_EQ(slot_y(8), 475);
}

// Checks that text is drawn at (x, y) exactly as the library's font draws
// it, red on black, and that the picture image lies on its right.
void expect_score_text(const std::string &text, int x, int y, int image)
{
  SCOPED_TRACE(text);
  BITMAP *expected = create_bitmap(8 * static_cast<int>(text.size()), 8);
  ASSERT_NE(expected, nullptr);
  textprintf_ex(expected, font, 0, 0, makecol(255, 0, 0), 0, "%s", text.c_str());
  for (int dy = 0; dy < 8; dy++)
    for (int dx = 0; dx < expected->w; dx++) {
      int pixel = getpixel(back_buffer, x + dx, y + dy);
      ASSERT_EQ(pixel, getpixel(expected, dx, dy)) << "at " << x + dx << "," << y + dy;
      ASSERT_TRUE(red_at(back_buffer, x + dx, y + dy) || black_at(back_buffer, x + dx, y + dy));
    }
  EXPECT_EQ(image_at(back_buffer, x + expected->w, y), image);
  EXPECT_EQ(image_at(back_buffer, x - 1, y), image);
  EXPECT_EQ(image_at(back_buffer, x, y - 1), image);
  EXPECT_EQ(image_at(back_buffer, x, y + 8), image);
  destroy_bitmap(expected);
}

TEST_F(BoardScreen, PortraitsAndScoresOfPlayersWhoAreOn)
{
  int kinds[9] = {0, PLAYER_HUMAN, PLAYER_COMPUTER, PLAYER_OFF, PLAYER_HUMAN,
                  PLAYER_OFF, PLAYER_COMPUTER, PLAYER_OFF, PLAYER_HUMAN};
  int scores[9] = {0, 0, 10, 0, 7, 0, 1234, 0, 99};
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    m.player_kind[p] = kinds[p];
    m.scores[p] = scores[p];
  }
  m.current_player = 4;
  draw();
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    SCOPED_TRACE(p);
    int y = slot_y(p);
    if (kinds[p] == PLAYER_OFF) {
      EXPECT_EQ(image_at(back_buffer, 15, y + 5), IMG_BACKGROUND);
      EXPECT_EQ(image_at(back_buffer, 20, y + 40), IMG_BACKGROUND);  // no score either
      continue;
    }
    expect_masked_on_tiles(IMG_PLAYER_1 + p - 1, {10, y, 120, 50});
    expect_score_text(std::to_string(scores[p]), 17, y + 38, IMG_PLAYER_1 + p - 1);
  }
}

TEST_F(BoardScreen, ButtonsShowTheirHoverImages)
{
  struct { int hover_help, hover_end, help_image, end_image; } rows[] = {
    {0, 0, IMG_HELP_BUTTON, IMG_END_BUTTON},
    {-1, 0, IMG_HELP_BUTTON_HOVER, IMG_END_BUTTON},
    {0, -1, IMG_HELP_BUTTON, IMG_END_BUTTON_HOVER},
  };
  for (auto row : rows) {
    m.hover_help = row.hover_help;
    m.hover_end = row.hover_end;
    draw();
    expect_masked_on_tiles(row.help_image, {10, 530, 120, 23});
    expect_masked_on_tiles(row.end_image, {10, 557, 120, 23});
    EXPECT_EQ(image_at(back_buffer, 15, 556), IMG_BACKGROUND);  // the gap between them
  }
}

TEST_F(BoardScreen, CellFramesAreOpaqueWithCoveredCellsOverThem)
{
  draw();
  for (int i = 0; i < BOARD_CELLS; i++) {
    int fx = cell_left(i) - 1, fy = cell_top(i) - 1;
    ASSERT_EQ(image_at(back_buffer, fx, fy), IMG_CELL_FRAME) << i;
    ASSERT_EQ(image_at(back_buffer, fx + 15, fy), IMG_CELL_FRAME) << i;
    ASSERT_EQ(image_at(back_buffer, fx, fy + 15), IMG_CELL_FRAME) << i;
    ASSERT_TRUE(magenta_at(back_buffer, fx + 15, fy + 15)) << i;  // frame copied opaque
    ASSERT_EQ(image_at(back_buffer, fx + 1, fy + 1), IMG_CELL_COVERED) << i;
    ASSERT_EQ(image_at(back_buffer, fx + 14, fy + 1), IMG_CELL_COVERED) << i;
    ASSERT_EQ(image_at(back_buffer, fx + 1, fy + 14), IMG_CELL_COVERED) << i;
  }
  EXPECT_EQ(image_at(back_buffer, 139, 30), IMG_BACKGROUND);
  EXPECT_EQ(image_at(back_buffer, 780, 30), IMG_BACKGROUND);
  EXPECT_EQ(image_at(back_buffer, 300, 19), IMG_BACKGROUND);
  EXPECT_EQ(image_at(back_buffer, 300, 580), IMG_BACKGROUND);
}

TEST_F(BoardScreen, RevealedCellsShowTheirValuesPicture)
{
  struct { int value; int image; } rows[] = {
    {0, IMG_CELL_EMPTY}, {1, IMG_FIND_1}, {2, IMG_FIND_2}, {3, IMG_FIND_3}, {4, IMG_FIND_4},
    {5, IMG_FIND_5}, {6, IMG_FIND_6}, {7, IMG_CELL_EMPTY}, {8, IMG_CELL_EMPTY},
    {9, IMG_CELL_EMPTY}, {10, IMG_TRAP}, {11, IMG_CELL_EMPTY}, {100, IMG_CELL_HOVER},
    {255, IMG_CELL_EMPTY},
  };
  int n = sizeof rows / sizeof rows[0];
  for (int k = 0; k < n; k++) {
    int cell = 57 * k + 3;  // spread over the board
    m.cells[cell] = rows[k].value;
    m.revealed[cell] = 1;
    m.cells[cell + 1] = rows[k].value;  // the same value still covered
  }
  draw();
  for (int k = 0; k < n; k++) {
    int cell = 57 * k + 3;
    EXPECT_EQ(image_at(back_buffer, cell_left(cell), cell_top(cell)), rows[k].image) << rows[k].value;
    EXPECT_EQ(image_at(back_buffer, cell_left(cell + 1), cell_top(cell + 1)), IMG_CELL_COVERED)
        << rows[k].value;
  }
}

TEST_F(BoardScreen, PointerHighlightLiesOverRevealedAndCoveredCells)
{
  m.cells[40] = 6;
  m.revealed[40] = 1;
  for (int hover : {40, 41, 1399}) {
    m.hover_cell = hover;
    draw();
    EXPECT_EQ(image_at(back_buffer, cell_left(hover), cell_top(hover)), IMG_CELL_HOVER) << hover;
    EXPECT_EQ(image_at(back_buffer, cell_left(hover) - 1, cell_top(hover) - 1), IMG_CELL_FRAME) << hover;
  }
  m.hover_cell = -1;
  draw();
  EXPECT_EQ(image_at(back_buffer, cell_left(40), cell_top(40)), IMG_FIND_6);
  EXPECT_EQ(image_at(back_buffer, cell_left(41), cell_top(41)), IMG_CELL_COVERED);
}

TEST_F(BoardScreen, HelpOverlayLiesOverBoardAndHighlight)
{
  const int under_opaque_part = 7 + 40 * 12;    // (253, 213): overlay colour
  const int under_masked_part = 17 + 40 * 18;   // (413, 309): in its magenta quarter
  m.help_shown = -1;
  for (int hover : {under_opaque_part, under_masked_part}) {
    m.hover_cell = hover;
    draw();
    EXPECT_EQ(image_at(back_buffer, cell_left(hover) + 2, cell_top(hover) + 2),
              hover == under_opaque_part ? IMG_HELP_OVERLAY : IMG_CELL_HOVER);
  }
  EXPECT_EQ(image_at(back_buffer, 237, 180), IMG_HELP_OVERLAY);
  EXPECT_EQ(image_at(back_buffer, 562, 180), IMG_HELP_OVERLAY);
  EXPECT_EQ(image_at(back_buffer, 237, 419), IMG_HELP_OVERLAY);
  EXPECT_NE(image_at(back_buffer, 236, 185), IMG_HELP_OVERLAY);
  EXPECT_NE(image_at(back_buffer, 240, 179), IMG_HELP_OVERLAY);
  EXPECT_EQ(image_at(back_buffer, 562, 419), IMG_CELL_FRAME);  // masked: the board shows through
  // The player column and the buttons are still drawn.
  EXPECT_EQ(image_at(back_buffer, 15, 25), IMG_PLAYER_1);
  EXPECT_EQ(image_at(back_buffer, 15, 535), IMG_HELP_BUTTON);
  m.help_shown = 0;
  draw();
  EXPECT_EQ(image_at(back_buffer, 240, 185), IMG_CELL_COVERED);
}

TEST(DrawCell, EachValueHasItsPictureCopiedMaskedAtItsCell)
{
  struct { int value; int image; } rows[] = {
    {1, IMG_FIND_1}, {2, IMG_FIND_2}, {3, IMG_FIND_3}, {4, IMG_FIND_4}, {5, IMG_FIND_5},
    {6, IMG_FIND_6}, {CELL_TRAP, IMG_TRAP}, {CELL_HOVER, IMG_CELL_HOVER},
    {CELL_COVERED, IMG_CELL_COVERED}, {0, IMG_CELL_EMPTY}, {7, IMG_CELL_EMPTY},
    {9, IMG_CELL_EMPTY}, {11, IMG_CELL_EMPTY}, {255, IMG_CELL_EMPTY}, {-1, IMG_CELL_EMPTY},
    {999, IMG_CELL_EMPTY}, {1001, IMG_CELL_EMPTY},
  };
  MATCH m;
  start_match(&m, {PLAYER_HUMAN});
  for (auto row : rows)
    for (int cell : {0, 41, 1399}) {
      SCOPED_TRACE(testing::Message() << "value " << row.value << " cell " << cell);
      EXPECT_EQ(cell_image(row.value), row.image);
      clear_bitmap(back_buffer);
      draw_cell(&m, cell, row.value);
      int x = cell_left(cell), y = cell_top(cell);
      EXPECT_EQ(image_at(back_buffer, x, y), row.image);
      EXPECT_EQ(image_at(back_buffer, x + 13, y + 6), row.image);
      EXPECT_EQ(image_at(back_buffer, x + 6, y + 13), row.image);
      EXPECT_TRUE(black_at(back_buffer, x + 13, y + 13));  // masked quarter
      EXPECT_TRUE(black_at(back_buffer, x - 1, y));
      EXPECT_TRUE(black_at(back_buffer, x, y - 1));
      EXPECT_TRUE(black_at(back_buffer, x + 14, y));
      EXPECT_TRUE(black_at(back_buffer, x, y + 14));
    }
}

}  // namespace
