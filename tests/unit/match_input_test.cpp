// Match input driven on the record: the pointer globals are set between
// passes as the library would set them, and each pass runs match_buttons and
// take_turn as the match loop does.
#include "display_env.h"
#include "match_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CellRectangles, GapsBetweenCellsAndBoardEdgesDoNotReact)
{
  // Cell 0 reacts on x 142..155, y 22..35; the strip between neighbours is
  // two pixels wide on each axis.
  struct { int x, y, cell; } rows[] = {
    {141, 30, -1}, {142, 30, 0}, {155, 30, 0}, {156, 30, -1}, {157, 30, -1}, {158, 30, 1},
    {150, 21, -1}, {150, 22, 0}, {150, 35, 0}, {150, 36, -1}, {150, 37, -1}, {150, 38, 40},
    {779, 579, 1399}, {780, 570, -1}, {770, 580, -1}, {140, 20, -1}, {60, 300, -1},
    {158 + 16 * 9, 38 + 16 * 9, 10 + 40 * 10},
  };
  for (auto row : rows) {
    for (int buttons : {0, 1}) {
      MATCH m;
      start_match(&m, {PLAYER_HUMAN, PLAYER_HUMAN});
      set_pointer(row.x, row.y, buttons);
      input_pass(&m);
      SCOPED_TRACE(testing::Message() << row.x << "," << row.y << " buttons " << buttons);
      EXPECT_EQ(m.hover_cell, row.cell);
      EXPECT_EQ(m.revealed_count, buttons && row.cell != -1 ? 1 : 0);
      if (row.cell != -1) {
        EXPECT_EQ(m.revealed[row.cell], buttons);
      }
    }
  }
}

TEST(CellClicks, HeldButtonRevealsOnceAndRevealedCellsStayHovered)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_HUMAN});
  m.cells[5] = 3;
  set_pointer(cell_mid_x(5), cell_mid_y(5), 1);
  for (int pass = 0; pass < 4; pass++)
    input_pass(&m);
  EXPECT_EQ(m.revealed_count, 1);
  EXPECT_EQ(m.scores[1], 3);
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.hover_cell, 5);
}

TEST(CellClicks, BothButtonsRevealTheCellAndHideTheHelp)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_HUMAN});
  m.help_shown = -1;
  m.cells[41] = 2;
  set_pointer(cell_mid_x(41), cell_mid_y(41), 3);
  input_pass(&m);
  EXPECT_EQ(m.revealed[41], 1);
  EXPECT_EQ(m.scores[1], 2);
  EXPECT_EQ(m.help_shown, 0);
}

TEST(CellClicks, HelpOverlayDoesNotBlockTheBoard)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_HUMAN});
  m.help_shown = -1;
  int under_overlay = 7 + 40 * 12;  // x 253..266, y 213..226, inside (237, 180, 326, 240)
  set_pointer(cell_mid_x(under_overlay), cell_mid_y(under_overlay), 1);
  input_pass(&m);
  EXPECT_EQ(m.hover_cell, under_overlay);
  EXPECT_EQ(m.revealed[under_overlay], 1);
  EXPECT_EQ(m.help_shown, -1);
}

// A drag: the left button stays down while the pointer moves from cell to
// cell, one cell per pass.
void drag(MATCH *m, std::initializer_list<int> cells)
{
  for (int cell : cells) {
    set_pointer(cell_mid_x(cell), cell_mid_y(cell), 1);
    input_pass(m);
  }
}

TEST(Drag, FindsKeepTheTurnForTheSameHuman)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_HUMAN});
  m.cells[0] = 1; m.cells[1] = 2; m.cells[2] = 3; m.cells[42] = 6;
  drag(&m, {0, 1, 2, 42, 1, 0});  // back over revealed cells: nothing more
  EXPECT_EQ(m.scores[1], 12);
  EXPECT_EQ(m.scores[2], 0);
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.revealed_count, 4);
}

TEST(Drag, AfterAPassTheNextCellsCountForTheNextHuman)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_OFF, PLAYER_HUMAN});
  m.cells[0] = 5; m.cells[1] = 0; m.cells[2] = 3; m.cells[3] = 4;
  m.cells[4] = CELL_TRAP; m.cells[5] = 2;
  drag(&m, {0, 1, 2, 3});
  EXPECT_EQ(m.scores[1], 5);
  EXPECT_EQ(m.scores[3], 7);
  EXPECT_EQ(m.current_player, 3);
  drag(&m, {4, 5});  // player 3 trapped: player 1 takes cell 5
  EXPECT_EQ(m.scores[1], 7);
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.skip_turn[3], 1);
  EXPECT_EQ(m.revealed_count, 6);
}

TEST(Drag, BoardIgnoresThePointerWhileAComputerMoves)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
  m.cells[0] = 2; m.cells[1] = 0; m.cells[2] = 6;
  srand(1);
  int computer_pick = rand() % BOARD_CELLS;
  ASSERT_GT(computer_pick, 2) << "the computer's first pick must be an empty cell";
  srand(1);
  drag(&m, {0, 1});
  ASSERT_EQ(m.current_player, 2);
  drag(&m, {2});  // the computer's pass: it picks its own cell, the held pointer does nothing
  EXPECT_EQ(m.revealed[2], 0);
  EXPECT_EQ(m.revealed[computer_pick], 1);
  EXPECT_EQ(m.hover_cell, -1);
  EXPECT_EQ(m.current_player, 1);
  drag(&m, {2});  // the human's turn again: the held button takes the cell
  EXPECT_EQ(m.revealed[2], 1);
  EXPECT_EQ(m.scores[1], 8);
  EXPECT_EQ(m.revealed_count, 4);
}

TEST(MatchButtons, HoverAndPressOnTheirOpenRectangles)
{
  // Help button reacts on x 11..129, y 531..552; end-match button on
  // x 11..129, y 558..579.
  struct { int x, y, buttons, hover_help, hover_end, help_shown, end_requested; } rows[] = {
    {11, 531, 0, -1, 0, 0, 0},   {129, 552, 1, -1, 0, -1, 0}, {10, 540, 1, 0, 0, 0, 0},
    {130, 540, 1, 0, 0, 0, 0},   {50, 530, 1, 0, 0, 0, 0},    {50, 553, 1, 0, 0, 0, 0},
    {50, 557, 1, 0, 0, 0, 0},    {11, 558, 0, 0, -1, 0, 0},   {129, 579, 1, 0, -1, 0, -1},
    {50, 580, 1, 0, 0, 0, 0},    {60, 570, 3, 0, -1, 0, -1},  {60, 540, 3, -1, 0, 0, 0},
    {60, 540, 2, -1, 0, 0, 0},   {60, 570, 4, 0, -1, 0, 0},
  };
  for (auto row : rows) {
    MATCH m;
    start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
    set_pointer(row.x, row.y, row.buttons);
    input_pass(&m);
    SCOPED_TRACE(testing::Message() << row.x << "," << row.y << " buttons " << row.buttons);
    EXPECT_EQ(m.hover_help, row.hover_help);
    EXPECT_EQ(m.hover_end, row.hover_end);
    EXPECT_EQ(m.help_shown, row.help_shown);
    EXPECT_EQ(m.end_requested, row.end_requested);
    EXPECT_EQ(m.hover_cell, -1);
    EXPECT_EQ(m.current_player, 1);
    EXPECT_EQ(m.revealed_count, 0);
  }
}

TEST(MatchButtons, HoverIsRecomputedEveryPass)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
  set_pointer(60, 540, 0);
  input_pass(&m);
  set_pointer(60, 570, 0);
  input_pass(&m);
  EXPECT_EQ(m.hover_help, 0);
  EXPECT_EQ(m.hover_end, -1);
  set_pointer(400, 300, 0);
  input_pass(&m);
  EXPECT_EQ(m.hover_help, 0);
  EXPECT_EQ(m.hover_end, 0);
}

TEST(HelpOverlay, IsNotAToggleAndOnlyTheRightButtonHidesIt)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_HUMAN});
  struct { int x, y, buttons, help_shown; } steps[] = {
    {60, 540, 1, -1},    // click: shown
    {60, 540, 1, -1},    // still held: stays shown
    {60, 540, 0, -1},    // released
    {60, 540, 1, -1},    // clicked again: still shown, no toggle
    {400, 300, 1, -1},   // left click elsewhere: still shown
    {700, 590, 2, 0},    // right button anywhere hides it
    {60, 540, 1, -1},
    {60, 570, 2, 0},     // right button over the end-match button hides it too
  };
  for (auto step : steps) {
    set_pointer(step.x, step.y, step.buttons);
    input_pass(&m);
    EXPECT_EQ(m.help_shown, step.help_shown) << step.x << "," << step.y << " buttons " << step.buttons;
  }
  EXPECT_EQ(m.end_requested, 0);  // the right button alone never presses a button
}

TEST(ComputerTurn, ButtonsStillWorkAndTheComputerStillMoves)
{
  struct { int x, y, buttons, help_shown, end_requested; } rows[] = {
    {60, 570, 1, 0, -1},   // end-match button
    {60, 540, 1, -1, 0},   // help button
    {60, 540, 0, 0, 0},    // only hovering
    {150, 30, 1, 0, 0},    // left button over cell 0: the board ignores it
  };
  for (auto row : rows) {
    MATCH m;
    start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
    next_player(&m);  // the computer to move
    for (int c = 0; c < BOARD_CELLS; c++)
      m.cells[c] = 1;  // every pick is a find: the computer keeps the turn
    m.hover_cell = 12;
    set_pointer(row.x, row.y, row.buttons);
    input_pass(&m);
    SCOPED_TRACE(testing::Message() << row.x << "," << row.y << " buttons " << row.buttons);
    EXPECT_EQ(m.help_shown, row.help_shown);
    EXPECT_EQ(m.end_requested, row.end_requested);
    EXPECT_EQ(m.revealed_count, 1);
    EXPECT_EQ(m.scores[2], 1);
    EXPECT_EQ(m.hover_cell, -1);
  }
}

}  // namespace
