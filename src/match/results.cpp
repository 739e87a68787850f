// The end of a match and the results screen, which stays up until the
// right button alone is pressed.
#include "match/play.h"
#include "match/results_layout.h"
#include "shell/frame.h"
#include "shell/images.h"
#include "shell/input.h"

void check_match_end(MATCH *match)
{
  // Two separate tests: both hold when the last cell goes in the pass the
  // end-match button is pressed, and the results screen then runs twice.
  if (match->revealed_count > BOARD_CELLS - 1)
    show_results(match);
  if (match->end_requested == -1)
    show_results(match);
}

void results_draw(const MATCH *match)
{
  frame_begin();
  draw_tiled_background();
  if (match->winner_image) {
    draw_image(match->winner_image, RESULTS_WINNER_X, RESULTS_WINNER_Y);
    draw_image(IMG_WINNER_CAPTION, RESULTS_CAPTION_X, RESULTS_CAPTION_Y);
  } else {
    draw_image(IMG_NO_WINNER, RESULTS_NO_WINNER_X, RESULTS_NO_WINNER_Y);
  }
  draw_image(IMG_RESULTS_CLOSING, RESULTS_CLOSING_X, RESULTS_CLOSING_Y);
  frame_end();
}

void show_results(MATCH *match)
{
  int winner = match_winner(match);
  if (winner)
    match->winner_image = IMG_WINNER_1 + winner - 1;
  // The right button alone is the only way out, tested before each frame.
  while (!right_button_alone() && !close_requested)
    results_draw(match);
  match->finished = -1;
}
