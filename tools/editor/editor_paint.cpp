// Painting the edited board: gap-free strokes, rectangles, the map kit's
// random fill and clearing; each finished change is one undo step.
#include "editor.h"
#include "kit_args.h"
#include "map_generate.h"

#include <cstdlib>
#include <cstring>

static void paint(EDITOR *ed, int col, int row, int value)
{
  if (col >= 0 && col < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS)
    ed->board[col + BOARD_COLUMNS * row] = static_cast<unsigned char>(value);
}

void editor_stroke_begin(EDITOR *ed, int col, int row, int value)
{
  if (ed->stroke_on)
    editor_stroke_end(ed);
  ed->stroke_on = 1;
  ed->stroke_value = value;
  ed->stroke_col = col;
  ed->stroke_row = row;
  paint(ed, col, row, value);
}

void editor_stroke_to(EDITOR *ed, int col, int row)
{
  if (!ed->stroke_on)
    return;
  // Bresenham's line from the last place: every step moves to a cell that
  // touches the one before, so no fast move leaves a gap.
  int x = ed->stroke_col, y = ed->stroke_row;
  int dx = abs(col - x), dy = -abs(row - y);
  int sx = x < col ? 1 : -1, sy = y < row ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    paint(ed, x, y, ed->stroke_value);
    if (x == col && y == row)
      break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  ed->stroke_col = col;
  ed->stroke_row = row;
}

void editor_stroke_end(EDITOR *ed)
{
  if (!ed->stroke_on)
    return;
  ed->stroke_on = 0;
  editor_commit(ed);
}

void editor_fill_rect(EDITOR *ed, int col0, int row0, int col1, int row1, int value)
{
  if (col0 > col1) {
    int t = col0; col0 = col1; col1 = t;
  }
  if (row0 > row1) {
    int t = row0; row0 = row1; row1 = t;
  }
  for (int row = row0; row <= row1; row++)
    for (int col = col0; col <= col1; col++)
      paint(ed, col, row, value);
  editor_commit(ed);
}

int editor_fill_random(EDITOR *ed, const MAP_RECIPE *recipe)
{
  MAP_RECIPE whole = *recipe;
  whole.rows = BOARD_ROWS;
  unsigned char bytes[BOARD_CELLS];
  if (map_generate(&whole, bytes) != BOARD_CELLS)
    return -1;
  memcpy(ed->board, bytes, BOARD_CELLS);
  editor_commit(ed);
  return 0;
}

int editor_parse_seed(const char *text, uint64_t *seed)
{
  return kit_parse_u64(text, seed);
}

void editor_clear(EDITOR *ed)
{
  memset(ed->board, CELL_EMPTY, BOARD_CELLS);
  editor_commit(ed);
}
