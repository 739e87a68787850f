// The editor's frame: the board exactly as players see it uncovered, the
// palette with its counts, the buttons, the fairness panel, the status line
// and the dialog that is open.
#include "editor_pictures.h"
#include "editor_ui.h"
#include "lettering.h"
#include "match/board_layout.h"
#include "match/play.h"
#include "palette.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/images.h"

#include <algorithm>
#include <cstdio>

static const RGB8 WARNING = {150, 20, 10};

static const char *const kind_names[KIND_COUNT] = {"nic", "1 bod", "2 body", "3 body", "4 body", "5 bodu", "6 bodu", "past"};

static void ink(int x, int y, const std::string &text, RGB8 colour = INK)
{
  text_plain(back_buffer, x, y, text.c_str(), colour);
}

static void ink_right(int right, int y, const std::string &text)
{
  ink(right - text_width(text.c_str()), y, text);
}

static void sheet(int which, int x, int y)
{
  masked_blit(sheet_picture(which), back_buffer, 0, 0, x, y, SCREEN_W, SCREEN_H);
}

// A button of the main screen (the left column stays under a dialog) or of
// the open dialog, lit when chosen or under the pointer.
static void draw_control(const EDIT_UI *ui, int control, int lit)
{
  int dialog = control < CTL_OK ? DIALOG_NONE : ui->dialog;
  CONTROL_PLACE p = control_place(dialog, control);
  int hovered = ui->hover == control && dialog == ui->dialog;
  BITMAP *bmp = p.w ? plank_picture(p, lit || hovered) : nullptr;
  if (bmp)
    masked_blit(bmp, back_buffer, 0, 0, p.x, p.y, SCREEN_W, SCREEN_H);
}

// The ends of a text that does not fit in chars characters.
static std::string fitted(const std::string &text, size_t chars)
{
  return text.size() <= chars ? text : text.substr(0, chars - 2) + "..";
}

static void draw_palette(const EDIT_UI *ui)
{
  EDIT_COUNTS counts = editor_counts(ui->ed);
  sheet(SHEET_PALETTE, PALETTE_X, 2);
  for (int k = 0; k < KIND_COUNT; k++) {
    int y = PALETTE_Y + PALETTE_ROW * k;
    if (k == ui->ed->kind)
      rectfill(back_buffer, PALETTE_X + 3, y, PALETTE_X + PALETTE_W - 4, y + PALETTE_ROW - 2,
               makecol(GOLD.r, GOLD.g, GOLD.b));
    draw_image(IMG_CELL_FRAME, PALETTE_X + 5, y + 1);
    draw_image(cell_image(kind_value(k)), PALETTE_X + 6, y + 2);
    ink(PALETTE_X + 26, y + 5, kind_names[k]);
    ink_right(PALETTE_X + PALETTE_W - 8, y + 5, std::to_string(counts.kind[k]));
  }
  int y = PALETTE_Y + PALETTE_ROW * KIND_COUNT + 3;
  ink(PALETTE_X + 8, y, "Body");
  ink_right(PALETTE_X + PALETTE_W - 8, y, std::to_string(counts.points));
}

static void draw_fairness(const EDIT_UI *ui)
{
  const FAIRNESS *f = &ui->fair;
  sheet(SHEET_FAIRNESS, PANEL_X, PANEL_Y);
  int x = PANEL_X + 5, y = PANEL_Y + 6;
  ink(x, y, "Ferovost");
  ink(x, y + 14, "Hracu " + std::to_string(f->players));
  draw_control(ui, CTL_FEWER, 0);
  draw_control(ui, CTL_MORE, 0);
  if (!f->done) {
    ink(x, y + 40, "pocitam...");
  } else {
    const MAP_STATS *s = &f->stats;
    ink(x, y + 36, "  prumer  vyhry");
    char line[48];
    for (int p = 1; p <= s->players; p++) {
      snprintf(line, sizeof line, "%d %7.2f %5.1f%%", p, double(s->total[p]) / s->matches,
               100.0 * s->wins[p] / s->matches);
      ink(x, y + 50 + 12 * (p - 1), line);
    }
    int below = y + 50 + 12 * s->players + 6;
    snprintf(line, sizeof line, "bez viteze %.1f%%", 100.0 * s->no_winner / s->matches);
    ink(x, below, line);
    int favoured = fairness_favoured(f);
    ink(x, below + 14, favoured ? "vyhoda: hrac " + std::to_string(favoured) : std::string("vyrovnana mapa"));
    ink(x, below + 28, std::to_string(s->matches) + " her, seme " + std::to_string(f->seed));
  }
  if (f->running)
    ink(x, PANEL_Y + PANEL_H - 16, "pocitam " + std::to_string(fairness_progress(f) * 100 / f->matches) + "%");
}

static void draw_status(const EDIT_UI *ui)
{
  std::string name = ui->name.empty() ? "(nova)" : ui->name;
  if (editor_unsaved(ui->ed))
    name += " *";
  std::string line = fitted(name, 30) + "   " + ui->message;
  text_shadowed(back_buffer, BOARD_FRAME_X0, STATUS_Y + 2, fitted(line, 80).c_str(), GOLD_LIGHT, BLACK);
}

static void draw_board(const EDIT_UI *ui)
{
  int cells[BOARD_CELLS];
  editor_cells(ui->ed, cells);
  draw_board_cells(cells, nullptr);
  if (ui->rect_on) {
    int col, row;
    cell_col_row(mouse_x, mouse_y, &col, &row);
    int c0 = std::min(col, ui->rect_col), c1 = std::max(col, ui->rect_col);
    int r0 = std::min(row, ui->rect_row), r1 = std::max(row, ui->rect_row);
    for (int r = std::max(r0, 0); r <= std::min(r1, BOARD_ROWS - 1); r++)
      for (int c = std::max(c0, 0); c <= std::min(c1, BOARD_COLUMNS - 1); c++)
        draw_cell(nullptr, c + BOARD_COLUMNS * r, CELL_HOVER);
  } else if (ui->hover_cell >= 0 && !ui->ed->stroke_on) {
    // While a stroke paints, the cell under the pointer shows what it got.
    draw_cell(nullptr, ui->hover_cell, CELL_HOVER);
  }
}

// The name being typed, with a cursor, on a dark field.
static void draw_field(int x, int y, int w, const std::string &text, int active)
{
  rectfill(back_buffer, x, y - 3, x + w - 1, y + 10, makecol(WOOD_DARK.r, WOOD_DARK.g, WOOD_DARK.b));
  if (active)
    rect(back_buffer, x, y - 3, x + w - 1, y + 10, makecol(GOLD.r, GOLD.g, GOLD.b));
  size_t room = (w - 12) / 8;
  std::string shown = text.size() < room ? text : text.substr(text.size() - room + 1);
  text_plain(back_buffer, x + 4, y, (shown + (active ? "_" : "")).c_str(), GOLD_LIGHT);
}

static void draw_dialog(const EDIT_UI *ui)
{
  int x = DIALOG_X + 20, y = DIALOG_Y + 20;
  switch (ui->dialog) {
  case DIALOG_SAVE:
    sheet(SHEET_DIALOG, DIALOG_X, DIALOG_Y);
    ink(x, y, "Ulozit mapu do slozky " MAPS_FOLDER " jako:");
    draw_field(x, y + 26, DIALOG_W - 40, ui->field, 1);
    if (!ui->reason.empty())
      ink(x, y + 52, fitted(ui->reason, 50), WARNING);
    else if (ui->opened_link)
      ink(x, y + 52, "Mapa ze hry se ulozi pod novym jmenem.");
    break;
  case DIALOG_OVERWRITE:
    sheet(SHEET_DIALOG, DIALOG_X, DIALOG_Y);
    ink(x, y, "Mapa " + fitted(ui->field, 30) + " uz existuje.");
    ink(x, y + 20, "Prepsat ji?");
    break;
  case DIALOG_TEXT:
    sheet(SHEET_DIALOG, DIALOG_X, DIALOG_Y);
    ink(x, y, "Soubor " + fitted(ui->field, 30) + " vypada");
    ink(x, y + 20, "jako text, ne jako mapa.");
    ink(x, y + 40, "Prepsat ho mapou?");
    break;
  case DIALOG_RECOVER:
    sheet(SHEET_DIALOG, DIALOG_X, DIALOG_Y);
    ink(x, y, "Editor minule skoncil s neulozenymi zmenami.");
    ink(x, y + 20, "Obnovit je?");
    break;
  case DIALOG_UNSAVED:
    sheet(SHEET_DIALOG, DIALOG_X, DIALOG_Y);
    ink(x, y, "Mapa ma neulozene zmeny.");
    ink(x, y + 20, "Ulozit je, zahodit, nebo se vratit?");
    break;
  case DIALOG_OPEN: {
    sheet(SHEET_LIST, LIST_X, LIST_Y);
    ink(LIST_X + 20, LIST_Y + 16, "Otevrit mapu ze slozky " MAPS_FOLDER ":");
    ink_right(LIST_X + LIST_POINTS_RIGHT, LIST_Y + 16, "body");
    ink_right(LIST_X + LIST_TRAPS_RIGHT, LIST_Y + 16, "pasti");
    if (ui->maps.empty())
      ink(LIST_X + 20, LIST_TOP + 3, "Ve slozce neni zadna mapa.");
    int hovered = list_name_at(ui, mouse_x, mouse_y);
    for (int i = 0; i < LIST_ROWS && ui->first_name + i < int(ui->maps.size()); i++) {
      const MAP_ENTRY &map = ui->maps[ui->first_name + i];
      int row_y = LIST_TOP + LIST_ROW * i;
      if (ui->first_name + i == hovered)
        rectfill(back_buffer, LIST_X + 10, row_y, LIST_X + LIST_W - 11, row_y + LIST_ROW - 2,
                 makecol(GOLD.r, GOLD.g, GOLD.b));
      ink(LIST_X + 20, row_y + 3, fitted(map.name, 25));
      if (map.shipped)
        ink(LIST_X + LIST_MARK_X, row_y + 3, "ze hry");
      ink_right(LIST_X + LIST_POINTS_RIGHT, row_y + 3, map.points < 0 ? "?" : std::to_string(map.points));
      ink_right(LIST_X + LIST_TRAPS_RIGHT, row_y + 3, map.traps < 0 ? "?" : std::to_string(map.traps));
    }
    break;
  }
  case DIALOG_RANDOM: {
    static const char *const labels[RANDOM_FIELDS] = {"Nalezu za 1 bod", "Nalezu za 2 body", "Nalezu za 3 body",
                                                       "Nalezu za 4 body", "Nalezu za 5 bodu", "Nalezu za 6 bodu",
                                                       "Pasti", "Seme"};
    sheet(SHEET_RANDOM, RANDOM_X, RANDOM_Y);
    ink(RANDOM_X + 20, RANDOM_Y + 16, "Nahodne vyplnit celou desku:");
    for (int i = 0; i < RANDOM_FIELDS; i++) {
      int fx, fy;
      random_field_box(i, &fx, &fy);
      ink(RANDOM_X + 30, fy, labels[i]);
      draw_field(fx, fy, RANDOM_FIELD_W, ui->random_text[i], i == ui->random_field);
    }
    if (!ui->reason.empty())
      ink(RANDOM_X + 30, RANDOM_TOP + RANDOM_ROW * RANDOM_FIELDS, ui->reason, WARNING);
    break;
  }
  default: break;
  }
  for (int control = CTL_OK; control < CTL_COUNT; control++)
    draw_control(ui, control, 0);  // the dialog's own buttons (others have no place)
}

void editor_draw(const EDIT_UI *ui)
{
  frame_begin();
  draw_board_background();
  draw_board(ui);
  draw_palette(ui);
  static const int column[] = {CTL_STROKE, CTL_RECT, CTL_RANDOM, CTL_CLEAR, CTL_UNDO,
                               CTL_REDO,   CTL_NEW,  CTL_OPEN,   CTL_SAVE,  CTL_QUIT};
  for (int control : column)
    draw_control(ui, control, (control == CTL_STROKE && ui->tool == TOOL_STROKE) ||
                              (control == CTL_RECT && ui->tool == TOOL_RECT));
  draw_fairness(ui);
  draw_status(ui);
  draw_dialog(ui);
  frame_end();
}
