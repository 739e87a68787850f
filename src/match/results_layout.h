// Where the results screen puts its pictures over the tiled background. The
// results screen and the frame benchmark read the layout from here.
#pragma once

enum {
  RESULTS_WINNER_X = 520, RESULTS_WINNER_Y = 282,        // the sole winner's picture
  RESULTS_CAPTION_X = 217, RESULTS_CAPTION_Y = 282,      // the caption left of it
  RESULTS_NO_WINNER_X = 118, RESULTS_NO_WINNER_Y = 282,  // instead of both when no one won
  RESULTS_CLOSING_X = 303, RESULTS_CLOSING_Y = 380       // the closing picture below
};
