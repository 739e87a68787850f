// The map being edited and everything that changes it, with no graphics:
// the board, the palette choice, strokes, fills, undo and redo, counts,
// map names and the bytes a save writes. The tests drive it directly.
#pragma once

#include "match/match.h"

#include <cstdint>
#include <string>

struct MAP_RECIPE;

// The palette: nothing, finds worth 1..6, a trap (kind 7).
enum { KIND_NOTHING = 0, KIND_TRAP = 7, KIND_COUNT = 8 };

// Symmetry while painting: the cells mirrored left-right (about the
// board's upright middle line), top-bottom, or both, are painted too.
enum { MIRROR_NONE = 0, MIRROR_LEFT_RIGHT = 1, MIRROR_TOP_BOTTOM = 2, MIRROR_BOTH = 3 };

// Board states kept for undo: the current one and up to 127 before it.
enum { EDIT_HISTORY = 128 };

// The longest file the editor opens: it must keep every byte past the board.
enum { EDIT_MAX_FILE = 1048576 };

struct EDITOR {
  unsigned char board[BOARD_CELLS];  // one byte per cell, as in the file
  std::string tail;                  // bytes past the board of a longer file, kept as they were
  int kind;                          // palette choice, KIND_NOTHING..KIND_TRAP
  int mirror;                        // MIRROR_NONE..MIRROR_BOTH, for strokes, rectangles and fills
  int stroke_on;                     // 1 while a stroke or drag is painting
  int stroke_value;                  // value the stroke paints
  int stroke_col, stroke_row;        // where the stroke was last
  // Undo history: a ring of whole boards; logical state i is at (first + i) % EDIT_HISTORY.
  unsigned char states[EDIT_HISTORY][BOARD_CELLS];
  int serials[EDIT_HISTORY];  // a number per state, new for every change
  int first, count, at;       // ring start, states held, current state 0..count-1
  int next_serial;
  int saved_serial;           // the state last opened or saved
};

// The cell value a palette kind paints.
int kind_value(int kind);
// The palette kind a cell value shows as (values with no picture are nothing).
int value_kind(int value);

// An empty board with no history, counted as saved; the palette and the
// symmetry mode are left as they were.
void editor_new(EDITOR *ed);
// Takes a map file's bytes: the first 1400 fill the board (a short file
// leaves the rest empty), the others are kept for saving. Clears history.
void editor_load_bytes(EDITOR *ed, const std::string &bytes);
// 1 when a file's bytes look like text rather than a map: every byte is
// printable ASCII or a line end, and at least one is printable. A map's
// cells are 0..6 and 10, never printable, so no map looks so.
int bytes_look_like_text(const std::string &bytes);
// The cells of a map file's board (its first 1400 bytes) that hold a byte
// that is no map value (0..6, 10): the game plays them as nothing.
int bytes_foreign_cells(const std::string &bytes);
// The bytes a save writes: exactly 1400, then the kept tail.
std::string editor_save_bytes(const EDITOR *ed);
// Marks the current state as saved.
void editor_mark_saved(EDITOR *ed);
// Counts the current state as unsaved whatever it is (a restored copy of
// changes that were never saved).
void editor_mark_unsaved(EDITOR *ed);
// 1 when the board differs from the state last opened or saved, a stroke
// still being painted included.
int editor_unsaved(const EDITOR *ed);

// --- painting: each stroke, rectangle, random fill or clear is one undo step
// Starts a stroke of value at (col, row); cells off the board are skipped.
void editor_stroke_begin(EDITOR *ed, int col, int row, int value);
// Paints every cell on the line from the stroke's last place to (col, row).
void editor_stroke_to(EDITOR *ed, int col, int row);
// Ends the stroke; it becomes one undo step if it changed anything.
void editor_stroke_end(EDITOR *ed);
// Fills the rectangle between two corner cells (clipped to the board).
void editor_fill_rect(EDITOR *ed, int col0, int row0, int col1, int row1, int value);
// The columns and rows of that rectangle that lie on the board (0 when none).
void editor_rect_size(int col0, int row0, int col1, int row1, int *cols, int *rows);
// Fills the region of cells of one kind connected through their sides to
// (col, row) with value. 0 when the cell is off the board.
int editor_flood_fill(EDITOR *ed, int col, int row, int value);
// Turns the whole board over: MIRROR_LEFT_RIGHT swaps columns, MIRROR_TOP_BOTTOM rows.
void editor_flip(EDITOR *ed, int axis);
// Replaces the whole board with the map kit's random map of the recipe
// (its rows are forced to 35). Returns 0, or -1 when the counts do not fit.
int editor_fill_random(EDITOR *ed, const MAP_RECIPE *recipe);
// The random fill's seed written in text: a whole number 0 ..
// 18446744073709551615, the range the map kit's generator takes, so any
// seed gives the kit's board. Returns 0, or -1 when text is not one.
int editor_parse_seed(const char *text, uint64_t *seed);
// Empties every cell.
void editor_clear(EDITOR *ed);
// Makes the board as it is now one undo step, if it differs from the last.
void editor_commit(EDITOR *ed);

// Steps back or forward through the history; 0 when there is no step.
int editor_undo(EDITOR *ed);
int editor_redo(EDITOR *ed);
int editor_can_undo(const EDITOR *ed);
int editor_can_redo(const EDITOR *ed);

// Cells of each palette kind, points on the board and traps.
struct EDIT_COUNTS {
  int kind[KIND_COUNT];
  int points;
  int traps;
};
EDIT_COUNTS editor_counts(const EDITOR *ed);
// The same for a map file's bytes: the board is the first 1400 (a short
// file's missing cells are empty).
EDIT_COUNTS bytes_counts(const std::string &bytes);

// The board as the rules read it.
void editor_cells(const EDITOR *ed, int cells[BOARD_CELLS]);

// Why name cannot be a map's file name (Czech, for the screen), or null
// when it can: empty, starting with '.', over 255 bytes, or a name Linux or
// Windows would refuse or change (a folder separator, a character Windows
// forbids, a control character, a dot or space at the end, a Windows device
// name such as CON or LPT1). The text lasts until the next call.
const char *map_name_problem(const char *name);
