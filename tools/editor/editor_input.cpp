// The editor's input: the pointer over the palette, the board, the buttons
// and the dialogs; the keyboard for names, numbers and shortcuts; the
// window's close button.
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/input.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

enum { LEFT = 1, RIGHT = 2 };

static void board_press(EDIT_UI *ui, int buttons, int pressed)
{
  EDITOR *ed = ui->ed;
  int col, row;
  cell_col_row(mouse_x, mouse_y, &col, &row);
  int value = (buttons | pressed) & LEFT ? kind_value(ed->kind) : CELL_EMPTY;
  if (ui->tool == TOOL_FILL) {
    if (pressed && ui->hover_cell >= 0)
      editor_flood_fill(ed, col, row, value);
    return;
  }
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
    // The size in the status line while the rectangle is dragged: the
    // cells that will be painted, those on the board.
    int w, h;
    editor_rect_size(ui->rect_col, ui->rect_row, col, row, &w, &h);
    ui->message = "Obdelnik " + std::to_string(w) + " x " + std::to_string(h);
  } else if (ui->rect_on) {
    int fill = ui->rect_on == LEFT ? kind_value(ed->kind) : CELL_EMPTY;
    editor_fill_rect(ed, ui->rect_col, ui->rect_row, col, row, fill);
    ui->rect_on = 0;
    ui->message.clear();
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

// Typing into the save dialog's name or a random fill field: the name takes
// any letter the font draws, kept in UTF-8; the fields take digits.
static void type_key(EDIT_UI *ui, int c, int scan)
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
    // The whole last letter, however many bytes it takes.
    while (!text->empty() && (static_cast<unsigned char>(text->back()) & 0xC0) == 0x80)
      text->pop_back();
    if (!text->empty())
      text->pop_back();
    ui->reason.clear();
    return;
  }
  if (c < 32 || c == 127 || (c >= 128 && c < 160) || text->size() >= 300)
    return;
  if (ui->dialog == DIALOG_RANDOM) {
    if (c >= '0' && c <= '9')
      *text += static_cast<char>(c);
    ui->reason.clear();
    return;
  }
  if (!font_draws(c)) {
    char code[12];
    snprintf(code, sizeof code, "%04X", unsigned(c));
    ui->reason = std::string("Znak U+") + code + " editor neumi zobrazit";
    return;
  }
  *text += utf8(c);
  ui->reason.clear();
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

static void read_keys(EDIT_UI *ui)
{
  while (keypressed()) {
    int scan = 0;
    int c = ureadkey(&scan);
    int letter = control_letter(c, scan);
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
      type_key(ui, c, scan);
    else if (c >= '0' && c < '0' + KIND_COUNT)
      ui->ed->kind = c - '0';  // the number keys pick the palette
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

static long long now_ms(void)
{
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void editor_input(EDIT_UI *ui)
{
  int buttons = mouse_b;
  int seen = presses_seen;
  presses_seen = 0;  // (a press landing between these two lines is seen as a level next pass)
  int pressed = (buttons & ~ui->buttons_before) | seen;
  ui->buttons_before = buttons;
  int in_dialog = ui->dialog != DIALOG_NONE;
  ui->hover = control_at(ui, mouse_x, mouse_y);
  ui->hover_cell = ui->dialog == DIALOG_NONE ? board_cell_at(mouse_x, mouse_y) : -1;
  ui->pointer_col = ui->pointer_row = -1;
  if (ui->hover_cell >= 0)
    ui->pointer_col = ui->hover_cell % BOARD_COLUMNS, ui->pointer_row = ui->hover_cell / BOARD_COLUMNS;

  if (close_requested) {
    // The close button means quitting whatever is open; with unsaved
    // changes the question comes up (or is now asked for quitting).
    close_requested = 0;
    ui->dialog = DIALOG_NONE;
    ui_request(ui, AFTER_QUIT, "");
  }
  read_keys(ui);

  if (ui->dialog != DIALOG_NONE && (pressed & LEFT))
    dialog_click(ui, ui->hover);
  in_dialog |= ui->dialog != DIALOG_NONE;
  // A press that began in a dialog, or closed it, is the dialog's alone.
  if (!press_guard_pass(&ui->guard, in_dialog, buttons, pressed, now_ms(), mouse_x, mouse_y))
    pressed = 0;
  if (in_dialog) {
    ui_settle_message(ui);
    return;
  }
  if (ui->ed->stroke_on || ui->rect_on || ui->hover_cell >= 0) {
    board_press(ui, buttons, pressed);
  } else if (pressed & LEFT) {
    int kind = palette_at(mouse_x, mouse_y);
    if (kind >= 0)
      ui->ed->kind = kind;
    else
      main_click(ui, ui->hover);
  }
  ui_settle_message(ui);
}
