// The editor's input: the pointer over the palette, the board, the buttons
// and the dialogs; the keyboard for names, numbers and shortcuts; the
// window's close button.
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/input.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

enum { LEFT = 1, RIGHT = 2 };

static void board_press(EDIT_UI *ui, int buttons, int pressed)
{
  EDITOR *ed = ui->ed;
  int col, row;
  cell_col_row(mouse_x, mouse_y, &col, &row);
  int value = (buttons | pressed) & LEFT ? kind_value(ed->kind) : CELL_EMPTY;
  if (ui->tool == TOOL_FILL) {
    if (pressed && ui->pointer.cell >= 0)
      editor_flood_fill(ed, col, row, value);
    return;
  }
  if (ui->tool == TOOL_STROKE) {
    if (ed->stroke_on && (buttons & (LEFT | RIGHT)))
      editor_stroke_to(ed, col, row);
    else if (pressed && ui->pointer.cell >= 0)
      editor_stroke_begin(ed, col, row, value);
    else if (!(buttons & (LEFT | RIGHT)))
      editor_stroke_end(ed);
    return;
  }
  if (pressed && ui->pointer.cell >= 0 && !ui->pointer.rect_on) {
    ui->pointer.rect_on = (buttons | pressed) & LEFT ? LEFT : RIGHT;
    ui->pointer.rect_col = col;
    ui->pointer.rect_row = row;
  }
  if (ui->pointer.rect_on && (buttons & ui->pointer.rect_on)) {
    // The size in the status line while the rectangle is dragged: the
    // cells that will be painted, those on the board.
    int w, h;
    editor_rect_size(ui->pointer.rect_col, ui->pointer.rect_row, col, row, &w, &h);
    ui->status.text = "Obdelnik " + std::to_string(w) + " x " + std::to_string(h);
  } else if (ui->pointer.rect_on) {
    int fill = ui->pointer.rect_on == LEFT ? kind_value(ed->kind) : CELL_EMPTY;
    editor_fill_rect(ed, ui->pointer.rect_col, ui->pointer.rect_row, col, row, fill);
    ui->pointer.rect_on = 0;
    ui->status.text.clear();
  }
}

static void main_click(EDIT_UI *ui, int control)
{
  EDITOR *ed = ui->ed;
  switch (control) {
  case CTL_STROKE: ui->tool = TOOL_STROKE; break;
  case CTL_RECT: ui->tool = TOOL_RECT; break;
  case CTL_FILL: ui->tool = TOOL_FILL; break;
  case CTL_MIRROR: ed->mirror = (ed->mirror + 1) % (MIRROR_BOTH + 1); break;
  case CTL_FLIP_LR: editor_flip(ed, MIRROR_LEFT_RIGHT); break;
  case CTL_FLIP_TB: editor_flip(ed, MIRROR_TOP_BOTTOM); break;
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
    int players = ui->fairness.run.players + (control == CTL_MORE ? 1 : -1);
    if (players >= FAIR_PLAYERS_MIN && players <= FAIR_PLAYERS_MAX) {
      ui->fairness.run.players = players;
      ui->fairness.stale = 1;
    }
    break;
  }
  default: break;
  }
}

static void close_dialog(EDIT_UI *ui)
{
  ui->dialog.kind = DIALOG_NONE;
  ui->dialog.after = AFTER_NOTHING;
}

static void save_click(EDIT_UI *ui, int control)
{
  if (control == CTL_OK)
    ui_confirm_save(ui, 0);
  else if (control == CTL_BACK)
    close_dialog(ui);
}

// Another map has the name: back to the name, to choose another.
static void overwrite_click(EDIT_UI *ui, int control)
{
  if (control == CTL_OK) {
    ui_confirm_save(ui, 1);
  } else if (control == CTL_BACK) {
    ui->dialog.kind = DIALOG_SAVE;
    ui->dialog.field_fresh = 1;
  }
}

// The map's own file looks like text: not writing over it is not saving at
// all, so the author is back where the save began.
static void text_click(EDIT_UI *ui, int control)
{
  if (control == CTL_OK) {
    ui_confirm_save(ui, 1);
  } else if (control == CTL_BACK) {
    close_dialog(ui);
    ui->status.text = "Neulozeno: soubor zustal, jak byl";
  }
}

static void recover_click(EDIT_UI *ui, int control)
{
  if (control == CTL_OK || control == CTL_DISCARD)
    ui_answer_recovery(ui, control == CTL_OK);
}

static void unsaved_click(EDIT_UI *ui, int control)
{
  if (control == CTL_OK) {
    ui_begin_save(ui);
  } else if (control == CTL_DISCARD) {
    editor_mark_saved(ui->ed);  // the changes are given up
    ui_request(ui, ui->dialog.after, ui->dialog.after_path);
  } else if (control == CTL_BACK) {
    close_dialog(ui);
  }
}

static void open_click(EDIT_UI *ui, int control)
{
  EDIT_LIST *list = &ui->list;
  if (control == CTL_PAGE_UP && list->first > 0) {
    list->first -= LIST_ROWS;
  } else if (control == CTL_PAGE_DOWN && list->first + LIST_ROWS < int(list->maps.size())) {
    list->first += LIST_ROWS;
  } else if (control == CTL_BACK) {
    close_dialog(ui);
  } else if (control == CTL_NONE) {
    int i = list_name_at(ui, mouse_x, mouse_y);
    if (i >= 0) {
      ui->dialog.kind = DIALOG_NONE;
      ui_request(ui, AFTER_OPEN, std::string(MAPS_FOLDER) + "/" + list->maps[i].name);
    }
  }
}

static void random_click(EDIT_UI *ui, int control)
{
  if (control == CTL_OK) {
    ui_confirm_random(ui);
  } else if (control == CTL_BACK) {
    close_dialog(ui);
  } else if (random_field_at(mouse_x, mouse_y) >= 0) {
    ui->dialog.random_field = random_field_at(mouse_x, mouse_y);
    ui->dialog.field_fresh = 0;  // a click puts the typing at the end
  }
}

typedef void (*DIALOG_CLICK)(EDIT_UI *ui, int control);

static void dialog_click(EDIT_UI *ui, int control)
{
  static const DIALOG_CLICK clicks[DIALOG_COUNT] = {
    nullptr, save_click, overwrite_click, unsaved_click, open_click, random_click, text_click, recover_click};
  if (clicks[ui->dialog.kind])
    clicks[ui->dialog.kind](ui, control);
}

// The UTF-8 bytes of a character.
static std::string utf8(int c)
{
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// 1 when the editor's font has a letter for character c.
static int font_draws(int c)
{
  for (int i = 0; i < get_font_ranges(font); i++)
    if (c >= get_font_range_begin(font, i) && c <= get_font_range_end(font, i))
      return 1;
  return 0;
}

// The digit of a key: its character, or on a layout whose top row gives
// letters, the key's place (the top row and the keypad); -1 for none.
static int key_digit(int c, int scan)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (scan >= KEY_0 && scan <= KEY_9)
    return scan - KEY_0;
  if (scan >= KEY_0_PAD && scan <= KEY_9_PAD)
    return scan - KEY_0_PAD;
  return -1;
}

// The buttons of the open dialog in their order; Tab moves along them.
static std::vector<int> dialog_buttons(int dialog)
{
  std::vector<int> buttons;
  for (int control = CTL_OK; control < CTL_COUNT; control++)
    if (control_place(dialog, control).w)
      buttons.push_back(control);
  return buttons;
}

// Tab and Shift+Tab: to the next or last field, its text chosen, or in a
// dialog with no field to the next or last button.
static void tab_key(EDIT_UI *ui, int back)
{
  EDIT_DIALOG *d = &ui->dialog;
  if (d->kind == DIALOG_SAVE || d->kind == DIALOG_RANDOM) {
    if (d->kind == DIALOG_RANDOM)
      d->random_field = (d->random_field + (back ? RANDOM_FIELDS - 1 : 1)) % RANDOM_FIELDS;
    d->field_fresh = 1;
    return;
  }
  std::vector<int> buttons = dialog_buttons(d->kind);
  for (size_t i = 0; i < buttons.size(); i++)
    if (buttons[i] == d->button) {
      d->button = buttons[(i + (back ? buttons.size() - 1 : 1)) % buttons.size()];
      return;
    }
  if (!buttons.empty())
    d->button = buttons[0];
}

// Escape, Enter and Tab, which every dialog takes; 1 when scan was one.
static int dialog_key(EDIT_UI *ui, int scan)
{
  if (scan == KEY_ESC) {
    if (control_place(ui->dialog.kind, CTL_BACK).w)
      dialog_click(ui, CTL_BACK);
  } else if (scan == KEY_ENTER || scan == KEY_ENTER_PAD) {
    if (ui->dialog.button != CTL_NONE)
      dialog_click(ui, ui->dialog.button);
  } else if (scan == KEY_TAB) {
    tab_key(ui, key_shifts & KB_SHIFT_FLAG);
  } else {
    return 0;
  }
  return 1;
}

// Adds a typed character to a field: a digit to the random fill's fields,
// any letter the font draws (kept in UTF-8) to the name. A chosen text is
// replaced.
static void type_character(EDIT_UI *ui, std::string *text, int c, int scan)
{
  EDIT_DIALOG *d = &ui->dialog;
  std::string typed;
  if (d->kind == DIALOG_RANDOM) {
    if (key_digit(c, scan) < 0)
      return;
    typed = std::string(1, char('0' + key_digit(c, scan)));
  } else if (!font_draws(c)) {
    char code[12];
    snprintf(code, sizeof code, "%04X", unsigned(c));
    d->reason = std::string("Znak U+") + code + " editor neumi zobrazit";
    return;
  } else {
    typed = utf8(c);
  }
  if (d->field_fresh)
    text->clear();
  d->field_fresh = 0;
  if (text->size() < 300)
    *text += typed;
  d->reason.clear();
}

// A key in a dialog: its own keys, then typing into the name or a field.
static void type_key(EDIT_UI *ui, int c, int scan)
{
  EDIT_DIALOG *d = &ui->dialog;
  if (dialog_key(ui, scan))
    return;
  std::string *text = d->kind == DIALOG_SAVE ? &d->field : d->kind == DIALOG_RANDOM ? &d->random_text[d->random_field] : nullptr;
  if (!text)
    return;
  if (scan == KEY_BACKSPACE || scan == KEY_DEL) {
    if (d->field_fresh)
      text->clear();
    else if (scan == KEY_BACKSPACE)
      drop_last_letter(text);
    d->field_fresh = 0;
    d->reason.clear();
  } else if (scan == KEY_LEFT || scan == KEY_RIGHT || scan == KEY_HOME || scan == KEY_END) {
    d->field_fresh = 0;  // the choice goes; the typing stays at the end
  } else if (c >= 32 && c != 127 && !(c >= 128 && c < 160)) {
    type_character(ui, text, c, scan);
  }
}

// The letter of a Ctrl+letter key, 0 for any other key. The library gives
// such a key the character 1..26 when Control was down as it was pressed, so
// a Control released before the frame reads the key still counts.
static int control_letter(int c, int scan)
{
  int ascii = c;
  if (ascii < 1 || ascii > 26 || scan < KEY_A || scan > KEY_Z || scan - KEY_A + 1 != ascii)
    return 0;
  return 'a' + ascii - 1;
}

static void shortcut(EDIT_UI *ui, int letter)
{
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
}

static void read_keys(EDIT_UI *ui)
{
  while (keypressed()) {
    int scan = 0;
    int c = ureadkey(&scan);
    int letter = control_letter(c, scan);
    if (letter) {
      if (ui->dialog.kind == DIALOG_NONE)
        shortcut(ui, letter);
    } else if (ui->dialog.kind != DIALOG_NONE) {
      type_key(ui, c, scan);
    } else if (key_digit(-1, scan) >= 0 && key_digit(-1, scan) < KIND_COUNT) {
      ui->ed->kind = key_digit(-1, scan);  // the number keys pick the palette, by their place
    }
  }
}

// Presses seen by the library's input thread since the last pass: a click
// shorter than a pass (a busy machine) still counts.
static std::atomic<int> presses_seen(0);

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

static long long now_ms(void)
{
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The buttons held and those pressed since the last pass; what is under the pointer.
static void read_pointer(EDIT_UI *ui, int *buttons, int *pressed)
{
  EDIT_POINTER *p = &ui->pointer;
  *buttons = mouse_b;
  int seen = presses_seen.exchange(0);  // in one step: a press landing meanwhile is kept for the next pass
  *pressed = (*buttons & ~p->buttons_before) | seen;
  p->buttons_before = *buttons;
  p->control = control_at(ui, mouse_x, mouse_y);
  p->cell = ui->dialog.kind == DIALOG_NONE ? board_cell_at(mouse_x, mouse_y) : -1;
  p->col = p->cell >= 0 ? p->cell % BOARD_COLUMNS : -1;
  p->row = p->cell >= 0 ? p->cell / BOARD_COLUMNS : -1;
}

void editor_input(EDIT_UI *ui)
{
  int buttons, pressed;
  read_pointer(ui, &buttons, &pressed);
  int in_dialog = ui->dialog.kind != DIALOG_NONE;
  if (close_requested) {
    // The close button means quitting whatever is open; with unsaved
    // changes the question comes up (or is now asked for quitting).
    close_requested = 0;
    ui->dialog.kind = DIALOG_NONE;
    ui_request(ui, AFTER_QUIT, "");
  }
  read_keys(ui);
  if (ui->dialog.kind != DIALOG_NONE && (pressed & LEFT))
    dialog_click(ui, ui->pointer.control);
  in_dialog |= ui->dialog.kind != DIALOG_NONE;
  // A press that began in a dialog, or closed it, is the dialog's alone.
  if (!press_guard_pass(&ui->pointer.guard, in_dialog, buttons, pressed, now_ms(), mouse_x, mouse_y))
    pressed = 0;
  if (!in_dialog && (ui->ed->stroke_on || ui->pointer.rect_on || ui->pointer.cell >= 0)) {
    board_press(ui, buttons, pressed);
  } else if (!in_dialog && (pressed & LEFT)) {
    int kind = palette_at(mouse_x, mouse_y);
    if (kind >= 0)
      ui->ed->kind = kind;
    else
      main_click(ui, ui->pointer.control);
  }
  ui_settle_message(ui);
}
