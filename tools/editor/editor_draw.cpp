// The editor's frame: the board exactly as players see it uncovered, the
// palette with its counts, the buttons, the fairness panel, the status strip
// and the dialog that is open. Every text is made to fit its room; the
// rooms and their longest texts are listed for the tests.
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
#include <memory>

static const RGB8 WARNING = {130, 16, 8};
static const RGB8 FADED = {96, 72, 44};  // numbers of the board before, while new ones come; the legend
static const RGB8 STRIP = {24, 16, 8};

// Rooms for text: the panel's lines, the palette's label and count.
enum { PANEL_TEXT_X = PANEL_X + 4, PANEL_ROOM = PANEL_W - 8, PANEL_LINE = 10, PALETTE_ROOM = PALETTE_W - 34 };
enum { STATUS_X = BOARD_FRAME_X0, STATUS_RIGHT = 796, LEGEND_LINES = 6 };

static const char *const legend[LEGEND_LINES] = {"prumer: body/hru", "vyhry: podil her", "nikdo: remiza",
                                                 "1000 nahodnych",   "her: zalezi na",   "poctu, ne miste"};
// The panel's long legend, on the status strip while the pointer is over it.
static const char PANEL_HINT[] = "Tahy pocitace jsou nahodne: vysledek urcuje pocet poli kazdeho druhu, ne misto";

static const char *const random_labels[RANDOM_FIELDS] = {
  "Nalezu za 1 bod", "Nalezu za 2 body", "Nalezu za 3 body", "Nalezu za 4 body",
  "Nalezu za 5 bodu", "Nalezu za 6 bodu", "Pasti", "Seme"};

static const char *const kind_names[KIND_COUNT] = {"nic", "1 bod", "2 body", "3 body", "4 body", "5 bodu", "6 bodu", "past"};

static void ink(int x, int y, const std::string &text, RGB8 colour = INK)
{
  text_plain(back_buffer, x, y, text.c_str(), colour);
}

static void ink_right(int right, int y, const std::string &text)
{
  ink(right - text_length(font, text.c_str()), y, text);
}

// Drops the last letter of UTF-8 text, however many bytes it takes.
void drop_last_letter(std::string *text)
{
  while (!text->empty() && (static_cast<unsigned char>(text->back()) & 0xC0) == 0x80)
    text->pop_back();
  if (!text->empty())
    text->pop_back();
}

std::string fit_text(const std::string &text, int width)
{
  if (text_length(font, text.c_str()) <= width)
    return text;
  std::string cut = text;
  while (!cut.empty() && text_length(font, (cut + "..").c_str()) > width)
    drop_last_letter(&cut);
  return cut + "..";
}

static void sheet(int which, int x, int y)
{
  masked_blit(sheet_picture(which), back_buffer, 0, 0, x, y, SCREEN_W, SCREEN_H);
}

// A button of the main screen (the left column stays under a dialog) or of
// the open dialog, lit when chosen or under the pointer.
static void draw_control(const EDIT_UI *ui, int control, int lit)
{
  int dialog = control < CTL_OK ? DIALOG_NONE : ui->dialog.kind;
  CONTROL_PLACE p = control_place(dialog, control);
  int hovered = ui->pointer.control == control && dialog == ui->dialog.kind;
  if (control == CTL_MIRROR)
    p.caption = mirror_caption(ui->ed->mirror);
  BITMAP *bmp = p.w ? plank_picture(p, lit || hovered) : nullptr;
  if (bmp)
    masked_blit(bmp, back_buffer, 0, 0, p.x, p.y, SCREEN_W, SCREEN_H);
  // The button Enter presses, framed.
  if (bmp && dialog != DIALOG_NONE && control == ui->dialog.button)
    rect(back_buffer, p.x - 2, p.y - 2, p.x + p.w + 1, p.y + p.h + 1, makecol(INK.r, INK.g, INK.b));
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

// A seat's line: mean score (two decimals while they fit) and share of wins.
static std::string seat_line(int seat, double mean, double wins)
{
  char line[48];
  snprintf(line, sizeof line, mean < 999.995 ? "%d%7.2f %5.1f%%" : "%d%7.1f %5.1f%%", seat, mean, wins);
  return line;
}

static std::string nobody_line(double share)
{
  char line[48];
  snprintf(line, sizeof line, "   nikdo %5.1f%%", share);
  return line;
}

// The verdict in two or three short lines: what it is and the rule's numbers.
static std::vector<std::string> verdict_lines(const FAIR_VERDICT &v)
{
  char spread[32], noise[32];
  snprintf(spread, sizeof spread, "rozdil %.1f%%", v.spread);
  snprintf(noise, sizeof noise, "nahoda do %.1f%%", v.noise);
  switch (v.verdict) {
  case VERDICT_NO_FINDS: return {"zadne nalezy", "nikdo neboduje"};
  case VERDICT_BALANCED: return {"vyrovnana mapa", spread, noise};
  case VERDICT_FAVOURED: return {"vyhoda: hrac " + std::to_string(v.seat), spread, noise};
  default: return {"nevyrovnana", spread, noise};
  }
}

// The running work's two lines: what is computed (percent -1) and how far.
static std::string progress_line(int again, int percent)
{
  if (percent >= 0)
    return "hotovo " + std::to_string(percent) + "%";
  return again ? "pocitam znovu" : "pocitam...";
}

static void draw_fairness(const EDIT_UI *ui)
{
  const FAIRNESS *f = &ui->fairness.run;
  sheet(SHEET_FAIRNESS, PANEL_X, PANEL_Y);
  int x = PANEL_TEXT_X, y = PANEL_Y + 5;
  ink(x, y, "Ferovost");
  ink(x, y + 12, "Hracu " + std::to_string(f->players));
  draw_control(ui, CTL_FEWER, 0);
  draw_control(ui, CTL_MORE, 0);
  int below = y + 41;
  if (f->done) {
    // While new numbers are worked out the old ones stay, faded.
    const MAP_STATS *s = &f->stats;
    RGB8 colour = f->running ? FADED : INK;
    ink(x, y + 30, "  prumer  vyhry", colour);
    for (int p = 1; p <= s->players; p++)
      ink(x, below + PANEL_LINE * (p - 1),
          seat_line(p, double(s->total[p]) / s->matches, 100.0 * s->wins[p] / s->matches), colour);
    below += PANEL_LINE * s->players;
    ink(x, below, nobody_line(100.0 * s->no_winner / s->matches), colour);
    below += 14;
    if (!f->running) {
      std::vector<std::string> lines = verdict_lines(fairness_verdict(s));
      for (size_t i = 0; i < lines.size(); i++)
        ink(x, below + PANEL_LINE * int(i), lines[i], i == 0 ? INK : colour);
    }
  }
  if (f->running) {
    ink(x, below, progress_line(f->done, -1));
    ink(x, below + PANEL_LINE, progress_line(f->done, fairness_progress(f) * 100 / f->matches));
  }
  for (int i = 0; i < LEGEND_LINES; i++)
    ink(x, PANEL_Y + PANEL_H - 8 - PANEL_LINE * (LEGEND_LINES - i), legend[i], FADED);
}

static std::string pointer_place(int col, int row)
{
  return "sloupec " + std::to_string(col + 1) + " radek " + std::to_string(row + 1);
}

enum { STATUS_BOX_W = BOARD_FRAME_X1 - BOARD_FRAME_X0 - 40, STATUS_BOX_LINE = 12 };

// What the status strip says: its line and, for a message too long for the
// strip, the message's own lines in a box above it.
struct STATUS_VIEW { std::string line; std::vector<std::string> box; };

static STATUS_VIEW status_view(const EDIT_UI *ui, int over_panel)
{
  STATUS_VIEW view;
  // Over the numbers (not the legend) the strip says what they rest on.
  if (over_panel) {
    view.line = PANEL_HINT;
    return view;
  }
  std::string name = ui->file.name.empty() ? "(nova)" : ui->file.name;
  if (editor_unsaved(ui->ed))
    name += " *";
  view.line = fit_text(name, 240) + "   " + ui->status.text;
  if (text_length(font, view.line.c_str()) > STATUS_RIGHT - STATUS_X) {
    view.line = fit_text(name, STATUS_RIGHT - STATUS_X);
    view.box = wrap_text(ui->status.text, STATUS_BOX_W - 8);
  }
  return view;
}

static void draw_status_box(const std::vector<std::string> &lines)
{
  int h = STATUS_BOX_LINE * int(lines.size()) + 6, top = STATUS_STRIP_Y - h;
  rectfill(back_buffer, STATUS_X - 4, top, STATUS_X - 4 + STATUS_BOX_W, STATUS_STRIP_Y - 1, makecol(STRIP.r, STRIP.g, STRIP.b));
  rect(back_buffer, STATUS_X - 4, top, STATUS_X - 4 + STATUS_BOX_W, STATUS_STRIP_Y, makecol(GOLD.r, GOLD.g, GOLD.b));
  for (size_t i = 0; i < lines.size(); i++)
    text_shadowed(back_buffer, STATUS_X, top + 4 + STATUS_BOX_LINE * int(i), lines[i].c_str(), GOLD_LIGHT, BLACK);
}

// The strip under the board: the map's name and the message, and on its
// right the column and row under the pointer where the message leaves room.
static void draw_status(const EDIT_UI *ui)
{
  rectfill(back_buffer, BOARD_FRAME_X0 - 2, STATUS_STRIP_Y, SCREEN_W - 1, SCREEN_H - 1, makecol(STRIP.r, STRIP.g, STRIP.b));
  int over_panel = ui->dialog.kind == DIALOG_NONE && mouse_x >= PANEL_X && mouse_x < PANEL_X + PANEL_W &&
                   mouse_y >= PANEL_Y && mouse_y < PANEL_Y + PANEL_H - 80;
  STATUS_VIEW view = status_view(ui, over_panel);
  text_shadowed(back_buffer, STATUS_X, STATUS_Y + 2, view.line.c_str(), GOLD_LIGHT, BLACK);
  if (!view.box.empty())
    draw_status_box(view.box);
  if (ui->dialog.kind == DIALOG_NONE && ui->pointer.col >= 0) {
    std::string place = pointer_place(ui->pointer.col, ui->pointer.row);
    int place_x = STATUS_RIGHT - text_length(font, place.c_str());
    if (STATUS_X + text_length(font, view.line.c_str()) + 16 <= place_x)
      text_shadowed(back_buffer, place_x, STATUS_Y + 2, place.c_str(), PARCHMENT_DARK, BLACK);
  }
}

static void draw_board(const EDIT_UI *ui)
{
  int cells[BOARD_CELLS];
  editor_cells(ui->ed, cells);
  draw_board_cells(cells, nullptr);
  if (ui->pointer.rect_on) {
    int col, row;
    cell_col_row(mouse_x, mouse_y, &col, &row);
    int c0 = std::min(col, ui->pointer.rect_col), c1 = std::max(col, ui->pointer.rect_col);
    int r0 = std::min(row, ui->pointer.rect_row), r1 = std::max(row, ui->pointer.rect_row);
    for (int r = std::max(r0, 0); r <= std::min(r1, BOARD_ROWS - 1); r++)
      for (int c = std::max(c0, 0); c <= std::min(c1, BOARD_COLUMNS - 1); c++)
        draw_cell(nullptr, c + BOARD_COLUMNS * r, CELL_HOVER);
  } else if (ui->pointer.cell >= 0 && !ui->ed->stroke_on) {
    // While a stroke paints, the cell under the pointer shows what it got.
    draw_cell(nullptr, ui->pointer.cell, CELL_HOVER);
  }
  // The symmetry mode's middle lines, which the painting is mirrored about.
  int gold = makecol(GOLD.r, GOLD.g, GOLD.b);
  if (ui->ed->mirror & MIRROR_LEFT_RIGHT)
    vline(back_buffer, (BOARD_FRAME_X0 + BOARD_FRAME_X1) / 2, BOARD_FRAME_Y0, BOARD_FRAME_Y1 - 1, gold);
  if (ui->ed->mirror & MIRROR_TOP_BOTTOM)
    hline(back_buffer, BOARD_FRAME_X0, (BOARD_FRAME_Y0 + BOARD_FRAME_Y1) / 2, BOARD_FRAME_X1 - 1, gold);
}

// The name being typed, with a cursor, on a dark field; a chosen text
// (one typing replaces) shows lit.
static void draw_field(int x, int y, int w, const std::string &text, int active, int chosen)
{
  rectfill(back_buffer, x, y - 3, x + w - 1, y + 10, makecol(WOOD_DARK.r, WOOD_DARK.g, WOOD_DARK.b));
  if (active)
    rect(back_buffer, x, y - 3, x + w - 1, y + 10, makecol(GOLD.r, GOLD.g, GOLD.b));
  // The end of a long text shows, where the typing goes on.
  std::string shown = text + (active && !chosen ? "_" : "");
  while (text_length(font, shown.c_str()) > w - 8) {
    size_t first = 1;
    while (first < shown.size() && (static_cast<unsigned char>(shown[first]) & 0xC0) == 0x80)
      first++;
    shown.erase(0, first);
  }
  if (active && chosen && !shown.empty()) {
    rectfill(back_buffer, x + 3, y - 1, x + 4 + text_length(font, shown.c_str()), y + 8, makecol(GOLD_LIGHT.r, GOLD_LIGHT.g, GOLD_LIGHT.b));
    text_plain(back_buffer, x + 4, y, shown.c_str(), WOOD_DARK);
  } else {
    text_plain(back_buffer, x + 4, y, shown.c_str(), GOLD_LIGHT);
  }
}

// One paragraph (no line ends) in lines of at most width pixels.
static void wrap_paragraph(const std::string &text, int width, std::vector<std::string> *lines)
{
  std::string line;
  size_t at = 0;
  while (at <= text.size()) {
    size_t space = std::min(text.find(' ', at), text.size());
    std::string word = text.substr(at, space - at);
    std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && text_length(font, longer.c_str()) > width) {
      lines->push_back(line);
      longer = word;
    }
    line = longer;
    at = space + 1;
  }
  lines->push_back(line);
}

std::vector<std::string> wrap_text(const std::string &text, int width)
{
  std::vector<std::string> lines;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = std::min(text.find('\n', at), text.size());
    wrap_paragraph(text.substr(at, end - at), width, &lines);
    at = end + 1;
  }
  for (std::string &line : lines)
    line = fit_text(line, width);  // a single word wider than the room is cut
  return lines;
}

// A line of a dialog's message: its text, its height under the first line,
// 1 for a warning.
struct DIALOG_LINE { std::string text; int dy; int warning; };
enum { DIALOG_TEXT_W = DIALOG_W - 40, DIALOG_TEXT_H = DIALOG_H - 40 - 20 - 4, DIALOG_LINE_H = 20, DIALOG_NAME_W = DIALOG_TEXT_W - 8 * 18 };

static void add_wrapped(std::vector<DIALOG_LINE> *lines, const std::string &text, int dy, int warning)
{
  for (const std::string &line : wrap_text(text, DIALOG_TEXT_W)) {
    lines->push_back({line, dy, warning});
    dy += DIALOG_LINE_H;
  }
}

// What the open dialog says, line by line (the save dialog's field sits at 26).
static std::vector<DIALOG_LINE> dialog_lines(const EDIT_UI *ui)
{
  std::vector<DIALOG_LINE> lines;
  const EDIT_DIALOG *d = &ui->dialog;
  std::string name = fit_text(d->field, DIALOG_NAME_W);
  switch (d->kind) {
  case DIALOG_SAVE:
    add_wrapped(&lines, "Ulozit mapu do slozky " MAPS_FOLDER " jako:", 0, 0);
    if (!d->reason.empty())
      add_wrapped(&lines, d->reason, 52, 1);
    else if (ui->file.shipped)
      add_wrapped(&lines, "Mapa ze hry se ulozi pod novym jmenem.", 52, 0);
    break;
  case DIALOG_OVERWRITE: add_wrapped(&lines, "Mapa " + name + " uz existuje.\nPrepsat ji?", 0, 0); break;
  case DIALOG_TEXT:
    add_wrapped(&lines, "Soubor " + name + " vypada\njako text, ne jako mapa.\nPrepsat ho mapou?", 0, 0);
    break;
  case DIALOG_RECOVER: {
    const std::string &of = ui->recovery.offered_name;
    add_wrapped(&lines, "Editor minule skoncil s neulozenymi zmenami\n" +
                        (of.empty() ? std::string("nove mapy.") : "mapy " + fit_text(of, DIALOG_NAME_W) + ".") +
                        "\nObnovit je?", 0, 0);
    break;
  }
  case DIALOG_UNSAVED:
    add_wrapped(&lines, "Mapa ma neulozene zmeny.\nUlozit je, zahodit, nebo se vratit?", 0, 0);
    add_wrapped(&lines, d->after == AFTER_QUIT ? "(pred koncem editoru)"
                        : d->after == AFTER_OPEN ? "(pred otevrenim jine mapy)" : "(pred novou mapou)", 40, 0);
    break;
  default: break;
  }
  return lines;
}

static void draw_small_dialog(const EDIT_UI *ui)
{
  int x = DIALOG_X + 20, y = DIALOG_Y + 20;
  sheet(SHEET_DIALOG, DIALOG_X, DIALOG_Y);
  for (const DIALOG_LINE &line : dialog_lines(ui))
    ink(x, y + line.dy, line.text, line.warning ? WARNING : INK);
  if (ui->dialog.kind == DIALOG_SAVE)
    draw_field(x, y + 26, DIALOG_W - 40, ui->dialog.field, 1, ui->dialog.field_fresh);
}

static const char LIST_TITLE[] = "Otevrit mapu ze slozky " MAPS_FOLDER ":";
static const char LIST_EMPTY[] = "Ve slozce neni zadna mapa.";
static const char LIST_SHIPPED[] = "ze hry";
enum { LIST_NAME_ROOM = LIST_MARK_X - 28 };

static void draw_list_row(const MAP_ENTRY &map, int row_y, int lit)
{
  if (lit)
    rectfill(back_buffer, LIST_X + 10, row_y, LIST_X + LIST_W - 11, row_y + LIST_ROW - 2,
             makecol(GOLD.r, GOLD.g, GOLD.b));
  ink(LIST_X + 20, row_y + 3, fit_text(map.name, LIST_NAME_ROOM));
  if (map.shipped)
    ink(LIST_X + LIST_MARK_X, row_y + 3, LIST_SHIPPED);
  ink_right(LIST_X + LIST_POINTS_RIGHT, row_y + 3, map.points < 0 ? "?" : std::to_string(map.points));
  ink_right(LIST_X + LIST_TRAPS_RIGHT, row_y + 3, map.traps < 0 ? "?" : std::to_string(map.traps));
}

static void draw_open_dialog(const EDIT_UI *ui)
{
  const EDIT_LIST *list = &ui->list;
  sheet(SHEET_LIST, LIST_X, LIST_Y);
  ink(LIST_X + 20, LIST_Y + 16, LIST_TITLE);
  ink_right(LIST_X + LIST_POINTS_RIGHT, LIST_Y + 16, "body");
  ink_right(LIST_X + LIST_TRAPS_RIGHT, LIST_Y + 16, "pasti");
  if (list->maps.empty())
    ink(LIST_X + 20, LIST_TOP + 3, LIST_EMPTY);
  int hovered = list_name_at(ui, mouse_x, mouse_y);
  for (int i = 0; i < LIST_ROWS && list->first + i < int(list->maps.size()); i++)
    draw_list_row(list->maps[list->first + i], LIST_TOP + LIST_ROW * i, list->first + i == hovered);
}

static void draw_random_dialog(const EDIT_UI *ui)
{
  const EDIT_DIALOG *d = &ui->dialog;
  sheet(SHEET_RANDOM, RANDOM_X, RANDOM_Y);
  ink(RANDOM_X + 20, RANDOM_Y + 16, "Nahodne vyplnit celou desku:");
  for (int i = 0; i < RANDOM_FIELDS; i++) {
    int fx, fy;
    random_field_box(i, &fx, &fy);
    ink(RANDOM_X + 30, fy, random_labels[i]);
    draw_field(fx, fy, RANDOM_FIELD_W, d->random_text[i], i == d->random_field, d->field_fresh);
  }
  if (!d->reason.empty())
    ink(RANDOM_X + 30, RANDOM_TOP + RANDOM_ROW * RANDOM_FIELDS, fit_text(d->reason, RANDOM_W - 40), WARNING);
}

static void draw_dialog(const EDIT_UI *ui)
{
  switch (ui->dialog.kind) {
  case DIALOG_NONE: return;
  case DIALOG_OPEN: draw_open_dialog(ui); break;
  case DIALOG_RANDOM: draw_random_dialog(ui); break;
  default: draw_small_dialog(ui); break;
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
  for (int control = CTL_STROKE; control <= CTL_QUIT; control++)
    draw_control(ui, control, (control == CTL_STROKE && ui->tool == TOOL_STROKE) ||
                              (control == CTL_RECT && ui->tool == TOOL_RECT) ||
                              (control == CTL_FILL && ui->tool == TOOL_FILL) ||
                              (control == CTL_MIRROR && ui->ed->mirror != MIRROR_NONE));
  draw_fairness(ui);
  draw_status(ui);
  draw_dialog(ui);
  frame_end();
}

// A name of 120 two-byte letters, longer than any room.
static std::string long_name(void)
{
  std::string name;
  for (int i = 0; i < 120; i++)
    name += "\xc5\xaf";  // u with a ring
  return name;
}

// Every button's caption with its ring (and icon), 2 pixels clear of its plank's edges.
static void control_rooms(std::vector<TEXT_ROOM> *rooms)
{
  for (int dialog = DIALOG_NONE; dialog < DIALOG_COUNT; dialog++)
    for (int c = 0; c < CTL_COUNT; c++) {
      CONTROL_PLACE p = control_place(dialog, c);
      int icon = dialog == DIALOG_NONE ? control_icon(c) : ICON_NONE;
      if (p.w && c != CTL_MIRROR)
        rooms->push_back({p.caption, p.w - 6 - (icon ? ICON_W + ICON_GAP : 0), 1});
    }
  for (int mirror = MIRROR_NONE; mirror <= MIRROR_BOTH; mirror++)
    rooms->push_back({mirror_caption(mirror), control_place(DIALOG_NONE, CTL_MIRROR).w - 6 - ICON_W - ICON_GAP, 1});
}

// The palette and the fairness panel with their largest numbers.
static void panel_rooms(std::vector<TEXT_ROOM> *rooms)
{
  auto add = [&](const std::string &text, int width) { rooms->push_back({text, width, 0}); };
  add(std::string(kind_names[6]) + " " + std::to_string(BOARD_CELLS), PALETTE_ROOM);
  add("Body " + std::to_string(6 * BOARD_CELLS), PALETTE_ROOM);
  add("Hracu " + std::to_string(FAIR_PLAYERS_MAX), control_place(DIALOG_NONE, CTL_FEWER).x - PANEL_TEXT_X);
  add(seat_line(FAIR_PLAYERS_MAX, 6.0 * BOARD_CELLS, 100.0), PANEL_ROOM);
  add(seat_line(FAIR_PLAYERS_MAX, 999.99, 100.0), PANEL_ROOM);
  add(nobody_line(100.0), PANEL_ROOM);
  for (int verdict = VERDICT_NO_FINDS; verdict <= VERDICT_UNEVEN; verdict++)
    for (const std::string &line : verdict_lines({verdict, FAIR_PLAYERS_MAX, 100.0, 99.9}))
      add(line, PANEL_ROOM);
  add(progress_line(1, -1), PANEL_ROOM);
  add(progress_line(0, -1), PANEL_ROOM);
  add(progress_line(1, 100), PANEL_ROOM);
  for (const char *line : legend)
    add(line, PANEL_ROOM);
}

// The status strip: the hint alone, the longest place beside a message, and
// a long message's own lines.
static void status_rooms(std::vector<TEXT_ROOM> *rooms, EDIT_UI *ui)
{
  rooms->push_back({PANEL_HINT, STATUS_RIGHT - STATUS_X, 0});
  rooms->push_back({pointer_place(BOARD_COLUMNS - 1, BOARD_ROWS - 1), STATUS_RIGHT - STATUS_X - 300, 0});
  ui->file.name = long_name();
  ui->status.text = map_open_message(OPEN_LONG, long_name()) + " " + long_name();
  STATUS_VIEW view = status_view(ui, 0);
  rooms->push_back({view.line, STATUS_RIGHT - STATUS_X, 0});
  for (const std::string &line : view.box)
    rooms->push_back({line, STATUS_BOX_W - 8, 0});
  rooms->push_back({"", STATUS_STRIP_Y - STATUS_BOX_LINE * int(view.box.size()) >= BOARD_FRAME_Y0 ? 1 : -1, 0});
}

// The dialogs' lines with the longest names, each below the one before and
// above the buttons; the open list and the random fill.
static void dialog_rooms(std::vector<TEXT_ROOM> *rooms, EDIT_UI *ui)
{
  ui->dialog.field = ui->recovery.offered_name = long_name();
  ui->dialog.reason = "Seme musi byt cislo 0 az 18446744073709551615 " + long_name();
  for (int kind = DIALOG_SAVE; kind < DIALOG_COUNT; kind++)
    for (int after = AFTER_NOTHING; after <= AFTER_NEW; after++) {
      ui->dialog.kind = kind;
      ui->dialog.after = after;
      for (const DIALOG_LINE &line : dialog_lines(ui))
        rooms->push_back({line.text, line.dy + 10 <= DIALOG_TEXT_H ? DIALOG_TEXT_W : -1, 0});
    }
  rooms->push_back({LIST_TITLE, LIST_POINTS_RIGHT - 8 * 4 - 20 - 8, 0});
  rooms->push_back({LIST_EMPTY, LIST_W - 40, 0});
  rooms->push_back({fit_text(long_name(), LIST_NAME_ROOM), LIST_NAME_ROOM, 0});
  rooms->push_back({LIST_SHIPPED, LIST_POINTS_RIGHT - 8 * 4 - 8 - LIST_MARK_X, 0});
  rooms->push_back({fit_text(ui->dialog.reason, RANDOM_W - 40), RANDOM_W - 40, 0});
  for (const char *label : random_labels)
    rooms->push_back({label, 220 - 30 - 8, 0});
}

std::vector<TEXT_ROOM> editor_text_rooms(void)
{
  std::vector<TEXT_ROOM> rooms;
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  std::unique_ptr<EDITOR> ed(new EDITOR());
  editor_new(ed.get());
  editor_mark_unsaved(ed.get());  // the name with its mark
  ui->ed = ed.get();
  control_rooms(&rooms);
  panel_rooms(&rooms);
  status_rooms(&rooms, ui.get());
  dialog_rooms(&rooms, ui.get());
  return rooms;
}
