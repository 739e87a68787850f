// Where the editor's controls sit: the left column, the fairness panel and
// each dialog's buttons; input and drawing both read these tables.
#include "editor_ui.h"
#include "match/board_layout.h"

struct PLACED { int control; CONTROL_PLACE place; };

// Rows of buttons under the palette. A caption keeps 2 pixels of wood from its
// plank's edges beside its outline (and its icon), so the longer captions
// get the wider planks; the whole-board tools have rows of their own.
enum { COLUMN_Y = 190, COLUMN_ROW = 18, ROW_H = 16, WHOLE = 134, HALF = 66 };

static int row_y(int row) { return COLUMN_Y + row * COLUMN_ROW; }

static const PLACED main_controls[] = {
  {CTL_STROKE, {2, row_y(0), 56, ROW_H, "Stetec"}},
  {CTL_RECT, {60, row_y(0), 76, ROW_H, "Obdelnik"}},
  {CTL_FILL, {2, row_y(1), 58, ROW_H, "Vypln"}},
  {CTL_RANDOM, {62, row_y(1), 74, ROW_H, "Nahodne"}},
  {CTL_MIRROR, {2, row_y(2), WHOLE, ROW_H, "Zrcadlo: ne"}},
  {CTL_FLIP_LR, {2, row_y(3), WHOLE, ROW_H, "Zrcadlit"}},
  {CTL_FLIP_TB, {2, row_y(4), WHOLE, ROW_H, "Prevratit"}},
  {CTL_CLEAR, {2, row_y(5), WHOLE, ROW_H, "Smazat"}},
  {CTL_UNDO, {2, row_y(6), HALF, ROW_H, "Zpet"}},
  {CTL_REDO, {70, row_y(6), HALF, ROW_H, "Znovu"}},
  {CTL_NEW, {2, row_y(7), HALF, ROW_H, "Nova"}},
  {CTL_OPEN, {70, row_y(7), HALF, ROW_H, "Otevrit"}},
  {CTL_SAVE, {2, row_y(8), HALF, ROW_H, "Ulozit"}},
  {CTL_QUIT, {70, row_y(8), HALF, ROW_H, "Konec"}},
  {CTL_FEWER, {90, PANEL_Y + 12, 20, 14, "-"}},
  {CTL_MORE, {114, PANEL_Y + 12, 20, 14, "+"}},
};

int control_icon(int control)
{
  switch (control) {
  case CTL_MIRROR: return ICON_MIRROR;
  case CTL_FLIP_LR: return ICON_FLIP_LR;
  case CTL_FLIP_TB: return ICON_FLIP_TB;
  default: return ICON_NONE;
  }
}

const char *mirror_caption(int mirror)
{
  static const char *const captions[] = {"Zrcadlo: ne", "Zrcadlo: L-P", "Zrcadlo: N-D", "Zrcadlo: obe"};
  return captions[mirror & 3];
}

enum { BUTTONS_Y = DIALOG_Y + DIALOG_H - 40 };

static const PLACED save_controls[] = {
  {CTL_OK, {DIALOG_X + 60, BUTTONS_Y, 120, 20, "Ulozit"}},
  {CTL_BACK, {DIALOG_X + 260, BUTTONS_Y, 120, 20, "Zrusit"}},
};
static const PLACED overwrite_controls[] = {
  {CTL_OK, {DIALOG_X + 60, BUTTONS_Y, 120, 20, "Prepsat"}},
  {CTL_BACK, {DIALOG_X + 260, BUTTONS_Y, 120, 20, "Zrusit"}},
};
static const PLACED text_controls[] = {
  {CTL_OK, {DIALOG_X + 60, BUTTONS_Y, 120, 20, "Prepsat"}},
  {CTL_BACK, {DIALOG_X + 260, BUTTONS_Y, 120, 20, "Zrusit"}},
};
static const PLACED recover_controls[] = {
  {CTL_OK, {DIALOG_X + 60, BUTTONS_Y, 120, 20, "Obnovit"}},
  {CTL_DISCARD, {DIALOG_X + 260, BUTTONS_Y, 120, 20, "Zahodit"}},
};
static const PLACED unsaved_controls[] = {
  {CTL_OK, {DIALOG_X + 20, BUTTONS_Y, 120, 20, "Ulozit"}},
  {CTL_DISCARD, {DIALOG_X + 160, BUTTONS_Y, 120, 20, "Zahodit"}},
  {CTL_BACK, {DIALOG_X + 300, BUTTONS_Y, 120, 20, "Zrusit"}},
};
static const PLACED open_controls[] = {
  {CTL_PAGE_UP, {LIST_X + 20, LIST_Y + LIST_H - 36, 120, 20, "Nahoru"}},
  {CTL_PAGE_DOWN, {LIST_X + 160, LIST_Y + LIST_H - 36, 120, 20, "Dolu"}},
  {CTL_BACK, {LIST_X + 300, LIST_Y + LIST_H - 36, 120, 20, "Zrusit"}},
};
static const PLACED random_controls[] = {
  {CTL_OK, {RANDOM_X + 60, RANDOM_Y + RANDOM_H - 34, 120, 20, "Vyplnit"}},
  {CTL_BACK, {RANDOM_X + 260, RANDOM_Y + RANDOM_H - 34, 120, 20, "Zrusit"}},
};

struct TABLE { const PLACED *controls; int count; };

static TABLE table_of(int dialog)
{
  switch (dialog) {
  case DIALOG_SAVE: return {save_controls, int(sizeof save_controls / sizeof *save_controls)};
  case DIALOG_OVERWRITE: return {overwrite_controls, int(sizeof overwrite_controls / sizeof *overwrite_controls)};
  case DIALOG_TEXT: return {text_controls, int(sizeof text_controls / sizeof *text_controls)};
  case DIALOG_RECOVER: return {recover_controls, int(sizeof recover_controls / sizeof *recover_controls)};
  case DIALOG_UNSAVED: return {unsaved_controls, int(sizeof unsaved_controls / sizeof *unsaved_controls)};
  case DIALOG_OPEN: return {open_controls, int(sizeof open_controls / sizeof *open_controls)};
  case DIALOG_RANDOM: return {random_controls, int(sizeof random_controls / sizeof *random_controls)};
  default: return {main_controls, int(sizeof main_controls / sizeof *main_controls)};
  }
}

CONTROL_PLACE control_place(int dialog, int control)
{
  TABLE t = table_of(dialog);
  for (int i = 0; i < t.count; i++)
    if (t.controls[i].control == control)
      return t.controls[i].place;
  return CONTROL_PLACE{0, 0, 0, 0, ""};
}

static int inside(int x, int y, int rx, int ry, int rw, int rh)
{
  return x >= rx && x < rx + rw && y >= ry && y < ry + rh;
}

int control_at(const EDIT_UI *ui, int x, int y)
{
  TABLE t = table_of(ui->dialog.kind);
  for (int i = 0; i < t.count; i++) {
    const CONTROL_PLACE &p = t.controls[i].place;
    if (inside(x, y, p.x, p.y, p.w, p.h))
      return t.controls[i].control;
  }
  return CTL_NONE;
}

int palette_at(int x, int y)
{
  if (!inside(x, y, PALETTE_X, PALETTE_Y, PALETTE_W, KIND_COUNT * PALETTE_ROW))
    return -1;
  return (y - PALETTE_Y) / PALETTE_ROW;
}

void cell_col_row(int x, int y, int *col, int *row)
{
  // Division that rounds down, so points left of or above the board give
  // negative columns and rows rather than column 0.
  int dx = x - BOARD_FRAME_X0, dy = y - BOARD_FRAME_Y0;
  *col = dx >= 0 ? dx / BOARD_PITCH : -((-dx + BOARD_PITCH - 1) / BOARD_PITCH);
  *row = dy >= 0 ? dy / BOARD_PITCH : -((-dy + BOARD_PITCH - 1) / BOARD_PITCH);
}

int board_cell_at(int x, int y)
{
  int col, row;
  cell_col_row(x, y, &col, &row);
  if (col < 0 || col >= BOARD_COLUMNS || row < 0 || row >= BOARD_ROWS)
    return -1;
  return col + BOARD_COLUMNS * row;
}

int list_name_at(const EDIT_UI *ui, int x, int y)
{
  if (!inside(x, y, LIST_X + 10, LIST_TOP, LIST_W - 20, LIST_ROWS * LIST_ROW))
    return -1;
  int i = ui->list.first + (y - LIST_TOP) / LIST_ROW;
  return i < int(ui->list.maps.size()) ? i : -1;
}

void random_field_box(int i, int *x, int *y)
{
  *x = RANDOM_X + 220;
  *y = RANDOM_TOP + RANDOM_ROW * i;
}

int random_field_at(int x, int y)
{
  for (int i = 0; i < RANDOM_FIELDS; i++) {
    int fx, fy;
    random_field_box(i, &fx, &fy);
    if (inside(x, y, fx, fy - 3, RANDOM_FIELD_W, RANDOM_ROW - 2))
      return i;
  }
  return -1;
}
