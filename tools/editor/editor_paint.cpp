// Painting the edited board: gap-free strokes, rectangles and flood fills
// (each with its mirror images in the symmetry mode), turning the board
// over, the map kit's random fill and clearing; each finished change is one
// undo step.
#include "editor.h"
#include "kit_args.h"
#include "map_generate.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

static int on_board(int col, int row)
{
  return col >= 0 && col < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
}

// The cell and its mirror images in the symmetry mode: up to four places,
// the same place listed again where the cell lies on a middle line.
static int mirrored(const EDITOR *ed, int col, int row, int cols[4], int rows[4])
{
  int n = 0;
  cols[n] = col, rows[n++] = row;
  if (ed->mirror & MIRROR_LEFT_RIGHT)
    cols[n] = BOARD_COLUMNS - 1 - col, rows[n++] = row;
  if (ed->mirror & MIRROR_TOP_BOTTOM)
    cols[n] = col, rows[n++] = BOARD_ROWS - 1 - row;
  if (ed->mirror == MIRROR_BOTH)
    cols[n] = BOARD_COLUMNS - 1 - col, rows[n++] = BOARD_ROWS - 1 - row;
  return n;
}

static void paint(EDITOR *ed, int col, int row, int value)
{
  int cols[4], rows[4];
  int n = mirrored(ed, col, row, cols, rows);
  for (int i = 0; i < n; i++)
    if (on_board(cols[i], rows[i]))
      ed->board[cols[i] + BOARD_COLUMNS * rows[i]] = static_cast<unsigned char>(value);
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

void editor_rect_size(int col0, int row0, int col1, int row1, int *cols, int *rows)
{
  int c0 = std::max(std::min(col0, col1), 0), c1 = std::min(std::max(col0, col1), BOARD_COLUMNS - 1);
  int r0 = std::max(std::min(row0, row1), 0), r1 = std::min(std::max(row0, row1), BOARD_ROWS - 1);
  *cols = c1 >= c0 && r1 >= r0 ? c1 - c0 + 1 : 0;
  *rows = c1 >= c0 && r1 >= r0 ? r1 - r0 + 1 : 0;
}

// Fills the region of the start cell's kind from (col, row), one row's run
// at a time; a kind the value already has is left alone.
static void flood_region(EDITOR *ed, int col, int row, int value)
{
  int kind = value_kind(ed->board[col + BOARD_COLUMNS * row]);
  if (kind == value_kind(value) && ed->board[col + BOARD_COLUMNS * row] == value)
    return;
  std::vector<int> todo(1, col + BOARD_COLUMNS * row);
  std::vector<char> seen(BOARD_CELLS, 0);
  seen[todo[0]] = 1;
  while (!todo.empty()) {
    int cell = todo.back();
    todo.pop_back();
    int c = cell % BOARD_COLUMNS, r = cell / BOARD_COLUMNS;
    ed->board[cell] = static_cast<unsigned char>(value);
    static const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto &s : steps) {
      int nc = c + s[0], nr = r + s[1], next = nc + BOARD_COLUMNS * nr;
      if (on_board(nc, nr) && !seen[next] && value_kind(ed->board[next]) == kind) {
        seen[next] = 1;
        todo.push_back(next);
      }
    }
  }
}

int editor_flood_fill(EDITOR *ed, int col, int row, int value)
{
  if (!on_board(col, row))
    return 0;
  // The mirror images' regions are filled from the board as it was, so a
  // region the first fill already changed is not filled twice.
  int cols[4], rows[4];
  int n = mirrored(ed, col, row, cols, rows);
  int kinds[4];
  for (int i = 0; i < n; i++)
    kinds[i] = value_kind(ed->board[cols[i] + BOARD_COLUMNS * rows[i]]);
  for (int i = 0; i < n; i++)
    if (value_kind(ed->board[cols[i] + BOARD_COLUMNS * rows[i]]) == kinds[i])
      flood_region(ed, cols[i], rows[i], value);
  editor_commit(ed);
  return 1;
}

void editor_flip(EDITOR *ed, int axis)
{
  unsigned char was[BOARD_CELLS];
  memcpy(was, ed->board, BOARD_CELLS);
  for (int row = 0; row < BOARD_ROWS; row++)
    for (int col = 0; col < BOARD_COLUMNS; col++) {
      int from_col = axis == MIRROR_LEFT_RIGHT ? BOARD_COLUMNS - 1 - col : col;
      int from_row = axis == MIRROR_TOP_BOTTOM ? BOARD_ROWS - 1 - row : row;
      ed->board[col + BOARD_COLUMNS * row] = was[from_col + BOARD_COLUMNS * from_row];
    }
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
