// The state of one match and the rules that change it. Nothing here draws or
// reads the pointer, so the map kit and the tests link it on its own.
#pragma once

enum {
  BOARD_COLUMNS = 40,
  BOARD_ROWS = 35,
  BOARD_CELLS = BOARD_COLUMNS * BOARD_ROWS,
  PLAYER_COUNT = 8,   // players are numbered 1..8
  PLAYER_SLOTS = 10   // per-player arrays are indexed by player number; 0 and 9 unused
};

enum { PLAYER_OFF = 0, PLAYER_HUMAN = 1, PLAYER_COMPUTER = 2 };

// Cell values: 1..6 are finds worth that many points, CELL_TRAP costs the next
// turn, anything else is nothing.
enum { CELL_EMPTY = 0, CELL_FIND_MIN = 1, CELL_FIND_MAX = 6, CELL_TRAP = 10 };

struct MATCH {
  int finished;         // 0 while running, -1 once the results screen is dismissed
  int hover_cell;       // cell under the pointer on a human turn, or -1
  int current_player;   // 1..8, whose turn it is
  int revealed_count;   // number of revealed cells, 0..1400
  int hover_end;        // -1 while the pointer is over the end-match button
  int hover_help;       // -1 while the pointer is over the help button
  int help_shown;       // -1 while the help overlay is shown
  int end_requested;    // -1 once the end-match button was pressed
  int winner_image;     // 32..39 for the sole winner, else 0
  int cells[BOARD_CELLS];     // value of each cell, index = column + 40 * row
  int revealed[BOARD_CELLS];  // 1 once revealed
  int scores[PLAYER_SLOTS];
  int player_kind[PLAYER_SLOTS];
  int skip_turn[PLAYER_SLOTS];  // 1 when the player loses its next turn
};

// Map files: one byte per cell in index order, at most 1400 read; a short
// file leaves the remaining cells empty. A null path, a missing file or
// anything that is not a regular file gives an all-empty board, and opening
// never blocks. Fills all of cells; returns the number of bytes read.
int map_load(int cells[BOARD_CELLS], const char *path);

// A save writes its new map into a temporary file of this prefix beside the
// map and renames it; a save cut short can leave one behind. Such files are
// never maps: the menu and the editor leave them out.
#define MAP_SAVE_TEMP_PREFIX ".mapkit-"
// 1 when name is such a temporary file's name.
int map_is_save_temp(const char *name);

// Clears the match state (flags, board, scores, skip flags, turn) but keeps
// the player kinds.
void match_reset(MATCH *match);

// Reveals an unrevealed cell for the current player: a find scores and keeps
// the turn, a trap costs the finder its next turn, anything else passes.
void reveal_cell(MATCH *match, int cell);

// Passes the turn to the next player who is not off, consuming skip flags.
void next_player(MATCH *match);

// One computer move: rand() % 1400, redrawn until it names an unrevealed
// cell, then revealed. Does nothing when no cell is left to reveal.
void computer_move(MATCH *match);
// The same move with each pick (0..1399) from draw(source) instead of rand(),
// for tools whose numbers must not depend on the system's C library.
void computer_move_drawn(MATCH *match, int (*draw)(void *source), void *source);

// The player (1..8) whose score is strictly above every other slot's, or 0.
int match_winner(const MATCH *match);
