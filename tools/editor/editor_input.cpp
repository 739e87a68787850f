// The editor's input: the pointer over the palette, the board, the buttons
// and the dialogs; the keyboard for names, numbers and shortcuts; the
// window's close button.
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/input.h"

#include <cstdlib>

enum { LEFT = 1, RIGHT = 2 };

static void board_press(EDIT_UI *ui, int buttons, int pressed)
{
  EDITOR *ed = ui->ed;
  int col, row;
  cell_col_row(mouse_x, mouse_y, &col, &row);
  int value = (buttons | pressed) & LEFT ? kind_value(ed->kind) : CELL_EMPTY;
  if (ui->tool == TOOL_STROKE) {
    if (ed->stroke_on && (buttons & (LEFT | RIGHT)))
      editor_stroke_to(ed, col, row);
    else if (pressed && ui->hover_cell >= 0)
      editor_stroke_begin(ed, col, row, value);
    else if (!(buttons & (LEFT | RIGHT)))
      editor_stroke_end(ed);
    return;
  }
  if (pressed && ui->hover_cell >= 0 && !ui->rect_on) {
    ui->rect_on = (buttons | pressed) & LEFT ? LEFT : RIGHT;
    ui->rect_col = col;
    ui->rect_row = row;
  }
  if (ui->rect_on && (buttons & ui->rect_on)) {
    // The size in the status line while the rectangle is dragged.
    int w = abs(col - ui->rect_col) + 1, h = abs(row - ui->rect_row) + 1;
    ui->message = "Obdelnik " + std::to_string(w) + " x " + std::to_string(h);
  } else if (ui->rect_on) {
    int fill = ui->rect_on == LEFT ? kind_value(ed->kind) : CELL_EMPTY;
    editor_fill_rect(ed, ui->rect_col, ui->rect_row, col, row, fill);
    ui->rect_on = 0;
  }
}

static void main_click(EDIT_UI *ui, int control)
{
  EDITOR *ed = ui->ed;
  switch (control) {
  case CTL_STROKE: ui->tool = TOOL_STROKE; break;
  case CTL_RECT: ui->tool = TOOL_RECT; break;
  case CTL_RANDOM: ui_begin_random(ui); break;
  case CTL_CLEAR: editor_clear(ed); break;
  case CTL_UNDO: editor_undo(ed); break;
  case CTL_REDO: editor_redo(ed); break;
  case CTL_NEW: ui_request(ui, AFTER_NEW, ""); break;
  case CTL_OPEN: ui_show_open_list(ui); break;
  case CTL_SAVE: ui_begin_save(ui); break;
  case CTL_QUIT: ui_request(ui, AFTER_QUIT, ""); break;
  case CTL_FEWER:
  case CTL_MORE: {
    int players = ui->fair.players + (control == CTL_MORE ? 1 : -1);
    if (players >= FAIR_PLAYERS_MIN && players <= FAIR_PLAYERS_MAX) {
      ui->fair.players = players;
      ui->fair_stale = 1;
    }
    break;
  }
  default: break;
  }
}

static void close_dialog(EDIT_UI *ui)
{
  ui->dialog = DIALOG_NONE;
  ui->after = AFTER_NOTHING;
}

static void dialog_click(EDIT_UI *ui, int control)
{
  switch (ui->dialog) {
  case DIALOG_SAVE:
    if (control == CTL_OK)
      ui_confirm_save(ui, 0);
    else if (control == CTL_BACK)
      close_dialog(ui);
    break;
  case DIALOG_OVERWRITE:
    if (control == CTL_OK)
      ui_confirm_save(ui, 1);
    else if (control == CTL_BACK)
      ui->dialog = DIALOG_SAVE;
    break;
  case DIALOG_TEXT:
    if (control == CTL_OK)
      ui_confirm_save(ui, 1);
    else if (control == CTL_BACK)
      ui->dialog = DIALOG_SAVE;
    break;
  case DIALOG_RECOVER:
    if (control == CTL_OK || control == CTL_DISCARD)
      ui_answer_recovery(ui, control == CTL_OK);
    break;
  case DIALOG_UNSAVED:
    if (control == CTL_OK)
      ui_begin_save(ui);
    else if (control == CTL_DISCARD) {
      editor_mark_saved(ui->ed);  // the changes are given up
      ui_request(ui, ui->after, ui->after_path);
    } else if (control == CTL_BACK)
      close_dialog(ui);
    break;
  case DIALOG_OPEN:
    if (control == CTL_PAGE_UP && ui->first_name > 0)
      ui->first_name -= LIST_ROWS;
    else if (control == CTL_PAGE_DOWN && ui->first_name + LIST_ROWS < int(ui->maps.size()))
      ui->first_name += LIST_ROWS;
    else if (control == CTL_BACK)
      close_dialog(ui);
    else if (control == CTL_NONE) {
      int i = list_name_at(ui, mouse_x, mouse_y);
      if (i >= 0) {
        ui->dialog = DIALOG_NONE;
        ui_request(ui, AFTER_OPEN, std::string(MAPS_FOLDER) + "/" + ui->maps[i].name);
      }
    }
    break;
  case DIALOG_RANDOM:
    if (control == CTL_OK)
      ui_confirm_random(ui);
    else if (control == CTL_BACK)
      close_dialog(ui);
    else if (random_field_at(mouse_x, mouse_y) >= 0)
      ui->random_field = random_field_at(mouse_x, mouse_y);
    break;
  default: break;
  }
}

// Typing into the save dialog's name or a random fill field.
static void type_key(EDIT_UI *ui, int ascii, int scan)
{
  std::string *text = ui->dialog == DIALOG_SAVE ? &ui->field
                      : ui->dialog == DIALOG_RANDOM ? &ui->random_text[ui->random_field] : nullptr;
  if (scan == KEY_ESC) {
    dialog_click(ui, CTL_BACK);
    return;
  }
  if (scan == KEY_ENTER || scan == KEY_ENTER_PAD) {
    if (ui->dialog == DIALOG_SAVE || ui->dialog == DIALOG_OVERWRITE || ui->dialog == DIALOG_RANDOM ||
        ui->dialog == DIALOG_TEXT || ui->dialog == DIALOG_RECOVER)
      dialog_click(ui, CTL_OK);
    return;
  }
  if (ui->dialog == DIALOG_RANDOM && scan == KEY_TAB) {
    ui->random_field = (ui->random_field + 1) % RANDOM_FIELDS;
    return;
  }
  if (!text)
    return;
  if (scan == KEY_BACKSPACE) {
    if (!text->empty())
      text->erase(text->size() - 1);
    return;
  }
  int digits_only = ui->dialog == DIALOG_RANDOM;
  if (ascii >= 32 && ascii < 127 && (!digits_only || (ascii >= '0' && ascii <= '9')) && text->size() < 300)
    *text += static_cast<char>(ascii);
  ui->reason.clear();
}

// The letter of a Ctrl+letter key, 0 for any other key. The library gives
// such a key the character 1..26 when Control was down as it was pressed, so
// a Control released before the frame reads the key still counts.
static int control_letter(int ascii, int scan)
{
  if (ascii < 1 || ascii > 26 || scan < KEY_A || scan > KEY_Z || scan - KEY_A + 1 != ascii)
    return 0;
  return 'a' + ascii - 1;
}

static void read_keys(EDIT_UI *ui)
{
  while (keypressed()) {
    int k = readkey();
    int ascii = k & 0xFF, scan = k >> 8;
    int letter = control_letter(ascii, scan);
    if (letter) {
      if (ui->dialog != DIALOG_NONE)
        continue;
      if (letter == 'z')
        editor_undo(ui->ed);
      else if (letter == 'y')
        editor_redo(ui->ed);
      else if (letter == 's')
        ui_begin_save(ui);
      else if (letter == 'o')
        ui_show_open_list(ui);
      else if (letter == 'n')
        ui_request(ui, AFTER_NEW, "");
      continue;
    }
    if (ui->dialog != DIALOG_NONE)
      type_key(ui, ascii, scan);
  }
}

// Presses seen by the library's input thread since the last pass: a click
// shorter than a pass (a busy machine) still counts.
static volatile int presses_seen = 0;

static void on_mouse_event(int flags)
{
  if (flags & MOUSE_FLAG_LEFT_DOWN)
    presses_seen |= LEFT;
  if (flags & MOUSE_FLAG_RIGHT_DOWN)
    presses_seen |= RIGHT;
}

void editor_watch_presses(void)
{
  mouse_callback = on_mouse_event;
}

void editor_input(EDIT_UI *ui)
{
  int buttons = mouse_b;
  int seen = presses_seen;
  presses_seen = 0;  // (a press landing between these two lines is seen as a level next pass)
  int pressed = (buttons & ~ui->buttons_before) | seen;
  ui->buttons_before = buttons;
  ui->hover = control_at(ui, mouse_x, mouse_y);
  ui->hover_cell = ui->dialog == DIALOG_NONE ? board_cell_at(mouse_x, mouse_y) : -1;

  if (close_requested) {
    // The close button means quitting whatever is open; with unsaved
    // changes the question comes up (or is now asked for quitting).
    close_requested = 0;
    if (ui->dialog == DIALOG_UNSAVED) {
      ui->after = AFTER_QUIT;
    } else {
      ui->dialog = DIALOG_NONE;
      ui_request(ui, AFTER_QUIT, "");
    }
  }
  read_keys(ui);

  if (ui->dialog != DIALOG_NONE) {
    if (pressed & LEFT)
      dialog_click(ui, ui->hover);
    return;
  }
  if (ui->ed->stroke_on || ui->rect_on || ui->hover_cell >= 0) {
    board_press(ui, buttons, pressed);
    return;
  }
  if (pressed & LEFT) {
    int kind = palette_at(mouse_x, mouse_y);
    if (kind >= 0)
      ui->ed->kind = kind;
    else
      main_click(ui, ui->hover);
  }
}
