// The results screen: the winner decided from the scores, the frame it
// shows, and the right button alone as its only way out. The frame hook reads
// each results frame and presses buttons between frames.
#include "frame_hook.h"
#include "match_helpers.h"
#include "screen_checks.h"

#include <gtest/gtest.h>

namespace {

// The rectangles the results frame draws over its 48 tiles (test image sizes).
const RECT winner_rect = {520, 282, 200, 150};
const RECT caption_rect = {217, 282, 280, 60};
const RECT no_winner_rect = {118, 282, 400, 80};
const RECT closing_rect = {303, 380, 194, 40};

// All 48 tiles, opaque; with a winner the tile at (600, 300) lies wholly
// under the winner picture.
void expect_tiles(std::initializer_list<RECT> covers, bool winner)
{
  int quarters = 0;
  for (int x = 0; x < 800; x += 100)
    for (int y = 0; y < 600; y += 100) {
      TILE_SEEN seen = expect_tile(x, y, covers);
      quarters += seen.quarter > 0;
      bool hidden = winner && x == 600 && y == 300;
      EXPECT_EQ(seen.colour + seen.quarter > 0, !hidden) << "tile at " << x << "," << y;
    }
  EXPECT_GE(quarters, 40);
}

// The hook for one results frame: it records what the frame shows and lets
// the screen go with the right button alone.
int shown_winner, shown_no_winner;

void read_results_frame(int frame)
{
  (void)frame;
  shown_winner = image_at(back_buffer, winner_rect.x + 5, winner_rect.y + 5);
  shown_no_winner = image_at(back_buffer, no_winner_rect.x + 5, no_winner_rect.y + 5) == IMG_NO_WINNER;
  if (shown_no_winner) {
    expect_masked_on_tiles(IMG_NO_WINNER, no_winner_rect);
    expect_tiles({no_winner_rect, closing_rect}, false);
  } else {
    expect_masked_on_tiles(shown_winner, winner_rect);
    expect_masked_on_tiles(IMG_WINNER_CAPTION, caption_rect);
    expect_tiles({winner_rect, caption_rect, closing_rect}, true);
  }
  expect_masked_on_tiles(IMG_RESULTS_CLOSING, closing_rect);
  set_pointer(400, 300, 2);
}

TEST(ResultsScreen, ShowsTheSoleLeaderOrNoWinner)
{
  struct { int kinds[PLAYER_COUNT]; int scores[9]; int winner_image; } rows[] = {
    {{PLAYER_HUMAN, PLAYER_COMPUTER}, {0, 5, 3}, 32},
    {{PLAYER_HUMAN, PLAYER_HUMAN, PLAYER_HUMAN}, {0, 9, 4, 4}, 32},
    {{PLAYER_HUMAN, PLAYER_HUMAN, PLAYER_HUMAN}, {0, 7, 7, 2}, 0},
    {{PLAYER_HUMAN, PLAYER_COMPUTER}, {0}, 0},
    {{PLAYER_HUMAN}, {0, 0}, 0},   // alone with 0 points: the off players' zeros tie
    {{PLAYER_HUMAN}, {0, 3}, 32},
    {{PLAYER_HUMAN, 0, 0, 0, 0, 0, 0, PLAYER_COMPUTER}, {0, 0, 0, 0, 0, 0, 0, 0, 1}, 39},
    {{PLAYER_HUMAN, PLAYER_HUMAN, PLAYER_HUMAN, PLAYER_HUMAN}, {0, 1, 2, 12, 11}, 34},
  };
  for (auto &row : rows) {
    MATCH m;
    start_match(&m, row.kinds, PLAYER_COUNT);
    for (int p = 1; p <= PLAYER_COUNT; p++)
      m.scores[p] = row.scores[p];
    m.end_requested = -1;
    set_pointer(60, 570, 1);  // the left button that pressed the end-match button
    SCOPED_TRACE(testing::Message() << "scores " << row.scores[1] << " " << row.scores[2]
                                    << " ... winner image " << row.winner_image);
    {
      FRAME_HOOK_SCOPE hook(read_results_frame);
      check_match_end(&m);
      EXPECT_EQ(frames_presented, 1);
    }
    EXPECT_EQ(m.winner_image, row.winner_image);
    EXPECT_EQ(m.finished, -1);
    if (row.winner_image) {
      EXPECT_EQ(shown_winner, row.winner_image);
    } else {
      EXPECT_TRUE(shown_no_winner);
    }
  }
}

// Presses the buttons of one row's sequence, one entry per frame; past its
// end the right button alone lets the screen go.
const int *button_sequence;
int sequence_length;

void press_in_turn(int frame)
{
  set_pointer(400, 300, frame <= sequence_length ? button_sequence[frame - 1] : 2);
}

TEST(ResultsScreen, OnlyTheRightButtonAloneEndsIt)
{
  const int both_then_right[] = {3, 3, 3};   // both held, then the left let go
  const int left_held[] = {1, 1, 0, 1};
  const int right_and_middle[] = {6, 4, 6};
  struct { const int *buttons; int count; } rows[] = {
    {both_then_right, 3}, {left_held, 4}, {right_and_middle, 3},
  };
  for (auto row : rows) {
    MATCH m;
    start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
    m.revealed_count = BOARD_CELLS;
    button_sequence = row.buttons;
    sequence_length = row.count;
    set_pointer(400, 300, 0);
    FRAME_HOOK_SCOPE hook(press_in_turn);
    show_results(&m);
    EXPECT_EQ(frames_presented, row.count + 1);
    EXPECT_EQ(m.finished, -1);
  }
}

TEST(ResultsScreen, RightButtonAlreadyHeldEndsItWithoutAFrame)
{
  MATCH m;
  start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
  m.scores[2] = 4;
  m.revealed_count = BOARD_CELLS;
  clear_to_color(back_buffer, makecol(10, 200, 30));
  int sentinel = getpixel(back_buffer, 400, 300);
  set_pointer(400, 300, 2);
  FRAME_HOOK_SCOPE hook([](int) {
    ADD_FAILURE() << "a results frame was drawn";
    set_pointer(400, 300, 2);
  });
  check_match_end(&m);
  EXPECT_EQ(frames_presented, 0);
  for (int y = 0; y < 600; y += 37)
    for (int x = 0; x < 800; x += 41)
      ASSERT_EQ(getpixel(back_buffer, x, y), sentinel) << x << "," << y;
  EXPECT_EQ(m.finished, -1);
  EXPECT_EQ(m.winner_image, IMG_WINNER_1 + 1);  // decided even though nothing was shown
}

void release_right_on_first_frame(int frame)
{
  (void)frame;
  set_pointer(60, 570, 2);
}

TEST(MatchEnd, RunsTheResultsScreenOnlyWhenTheMatchIsOver)
{
  // Full board and end request are tested separately: both together run the
  // screen twice, and the second run ends at once on the still-held button.
  struct { int revealed_count, end_requested, frames; } rows[] = {
    {0, 0, 0}, {BOARD_CELLS - 1, 0, 0}, {BOARD_CELLS, 0, 1}, {0, -1, 1}, {BOARD_CELLS, -1, 1},
  };
  for (auto row : rows) {
    MATCH m;
    start_match(&m, {PLAYER_HUMAN, PLAYER_COMPUTER});
    m.revealed_count = row.revealed_count;
    m.end_requested = row.end_requested;
    set_pointer(60, 570, 1);
    FRAME_HOOK_SCOPE hook(release_right_on_first_frame);
    check_match_end(&m);
    SCOPED_TRACE(testing::Message() << row.revealed_count << " revealed, end " << row.end_requested);
    EXPECT_EQ(frames_presented, row.frames);
    EXPECT_EQ(m.finished, row.frames ? -1 : 0);
  }
}

}  // namespace
