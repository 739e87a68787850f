// Playing a match on screen: the match loop, its input, the board screen and
// the results screen. The rules themselves are in match/match.h.
#pragma once

#include "match/match.h"

// The one match record of the run. It starts with player 1 a human, player 2
// the computer and the rest off.
extern MATCH game_match;

// --- match loop
// Resets the match, gives player 1 the turn, loads the map and pauses 200 ms.
void match_init(MATCH *match, const char *path);
// Plays one match on the map at path until its results screen is dismissed.
void play_match(MATCH *match, const char *path);

// --- input
// The help and end-match buttons, on every pass whoever is to move; the
// right button anywhere hides the help overlay.
void match_buttons(MATCH *match);
// The current player's move: a computer pick or the human's pointer.
void take_turn(MATCH *match);
// Finds the cell under the pointer and reveals it while the left button is down.
void human_turn(MATCH *match);

// --- board screen (its layout is in match/board_layout.h)
// Values that are only ever drawn, never stored in a cell: the pointer
// highlight and a covered cell.
enum { CELL_HOVER = 100, CELL_COVERED = 1000 };

void match_draw(const MATCH *match);
// The board's frames and cells: the cells not revealed show covered; with
// revealed null every cell shows uncovered, as at the end of a match.
void draw_board_cells(const int cells[BOARD_CELLS], const int revealed[BOARD_CELLS]);
// The 28 background tiles around the board.
void draw_board_background(void);
// Draws the image for value at cell's board position.
void draw_cell(const MATCH *match, int cell, int value);
// The image that shows a cell value or draw value.
int cell_image(int value);

// --- end of match
// Runs the results screen once the board is uncovered, and again if the
// end-match button was pressed.
void check_match_end(MATCH *match);
// Decides the winner and shows it until the right button alone is pressed.
void show_results(MATCH *match);
// Composes and presents one frame of the results screen for winner_image.
void results_draw(const MATCH *match);
