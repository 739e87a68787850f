// Whole matches through play_match on crafted map files. The frame hook moves
// the pointer between passes, as a player would, and looks at chosen frames.
#include "display_env.h"
#include "frame_hook.h"
#include "match_helpers.h"
#include "shell/game.h"
#include "shell/input.h"

#include <gtest/gtest.h>

#include <string>

namespace {

MATCH played;  // the record play_match runs on in these tests

struct POINTER { int x, y, buttons; };

POINTER on_cell(int cell, int buttons) { return {cell_mid_x(cell), cell_mid_y(cell), buttons}; }

// Players 1 and 2 human, 3 computer. Entry 0 is the pointer when the match
// starts; entry k is set once frame k is composed, so pass k + 1 (or the
// results screen started at the end of pass k) sees it.
const POINTER script[] = {
  on_cell(0, 1),    // 1: player 1 finds 5
  on_cell(1, 1),    // 2: drag on, finds 3
  on_cell(2, 1),    // 3: nothing, player 2's turn
  on_cell(3, 1),    // 4: player 2 finds 4 with the same drag
  on_cell(4, 1),    // 5: trap, the computer's turn
  on_cell(5, 1),    // 6: the computer takes an empty cell; the pointer does nothing
  on_cell(5, 1),    // 7: player 1 takes cell 5, nothing: player 2 is passed over
  {60, 540, 1},     // 8: help button during the computer's move
  {400, 300, 2},    // 9: the right button hides the help again
  {60, 570, 1},     // 10: end-match button: the results screen follows
  {60, 570, 1},     // results frame 11 drawn with the left button still held
  {60, 570, 3},     // results frame 12: both buttons keep it up
  {60, 570, 2},     // the right button alone ends it
};
enum { SCRIPT_LENGTH = sizeof script / sizeof script[0] };

void follow_script(int frame)
{
  if (frame == 6) {
    EXPECT_EQ(played.revealed[5], 0) << "the held pointer acted on the computer's turn";
    EXPECT_EQ(played.current_player, 1);
    EXPECT_EQ(played.revealed_count, 6);
  }
  if (frame == 8 || frame == 9) {
    bool help = image_at(back_buffer, 240, 185) == IMG_HELP_OVERLAY;
    EXPECT_EQ(help, frame == 8);
  }
  if (frame == 10) {
    EXPECT_EQ(image_at(back_buffer, 15, 560), IMG_END_BUTTON_HOVER);
  }
  if (frame == 11 || frame == 12) {
    EXPECT_EQ(image_at(back_buffer, 525, 287), IMG_WINNER_1) << "results frame " << frame;
  }
  if (frame < SCRIPT_LENGTH)
    set_pointer(script[frame].x, script[frame].y, script[frame].buttons);
}

TEST(WholeMatch, ScriptedPointerPlaysAMatchToItsResults)
{
  TEMP_WORKDIR dir;
  dir.write_file("map", std::string("\x05\x03\x00\x04\x0a\x00", 6));
  start_match(&played, {PLAYER_HUMAN, PLAYER_HUMAN, PLAYER_COMPUTER});
  played.scores[2] = 99;  // left over from an earlier match
  played.winner_image = 35;
  set_pointer(script[0].x, script[0].y, script[0].buttons);
  int pauses = pause_count;
  {
    FRAME_HOOK_SCOPE hook(follow_script);
    play_match(&played, "map");
    EXPECT_EQ(frames_presented, SCRIPT_LENGTH - 1);
  }
  EXPECT_EQ(pause_count, pauses + 1);
  EXPECT_EQ(played.finished, -1);
  EXPECT_EQ(played.scores[1], 8);
  EXPECT_EQ(played.scores[2], 4);
  EXPECT_EQ(played.scores[3], 0);
  EXPECT_EQ(played.skip_turn[2], 0);
  EXPECT_EQ(played.revealed_count, 8);
  EXPECT_EQ(played.winner_image, IMG_WINNER_1);
  EXPECT_EQ(played.help_shown, 0);
}

// A board of finds but for cell 0: player 1 clicks cell 0, and the computer
// then finds its way through the other 1399 cells, one per pass.
int board_frames, results_frames, end_click_frame;

void computer_clears_the_board(int frame)
{
  if (image_at(back_buffer, 140, 20) == IMG_CELL_FRAME)
    board_frames++;
  else if (image_at(back_buffer, 305, 382) == IMG_RESULTS_CLOSING)
    results_frames++;
  if (frame == 1)
    set_pointer(400, 300, 2);  // right button alone from the computer's first move on
  if (frame == end_click_frame)
    set_pointer(60, 570, 1);  // end-match button in the pass of the last reveal
  if (results_frames == 1)
    set_pointer(60, 570, 2);
}

void play_full_find_board()
{
  TEMP_WORKDIR dir;
  dir.write_file("map", std::string(1, '\0') + std::string(BOARD_CELLS - 1, '\x01'));
  start_match(&played, {PLAYER_HUMAN, PLAYER_COMPUTER});
  set_pointer(cell_mid_x(0), cell_mid_y(0), 1);
  board_frames = results_frames = 0;
  FRAME_HOOK_SCOPE hook(computer_clears_the_board);
  play_match(&played, "map");
  EXPECT_EQ(played.finished, -1);
  EXPECT_EQ(played.revealed_count, BOARD_CELLS);
  EXPECT_EQ(played.scores[1], 0);
  EXPECT_EQ(played.scores[2], BOARD_CELLS - 1);
  EXPECT_EQ(played.winner_image, IMG_WINNER_1 + 1);
  EXPECT_EQ(board_frames, BOARD_CELLS);  // one board frame per reveal, the last reveal's included
}

TEST(WholeMatch, RightButtonHeldAtTheLastRevealSkipsTheResultsScreen)
{
  end_click_frame = 0;
  play_full_find_board();
  EXPECT_EQ(results_frames, 0);
}

TEST(WholeMatch, LastRevealInTheEndClickPassShowsTheResultsOnce)
{
  end_click_frame = BOARD_CELLS - 1;
  play_full_find_board();
  EXPECT_EQ(played.end_requested, -1);
  EXPECT_EQ(results_frames, 1);
}

}  // namespace
