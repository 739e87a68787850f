// The edited map with no display: strokes, fills, symmetry, undo and redo,
// counts, names, the bytes a save writes, which presses may paint, and that
// every text fits its room.
#include "editor.h"
#include "editor_ui.h"
#include "file_bytes.h"
#include "lettering.h"
#include "map_generate.h"
#include "shell/alleg.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

static std::unique_ptr<EDITOR> fresh_editor(void)
{
  std::unique_ptr<EDITOR> ed(new EDITOR());
  editor_new(ed.get());
  return ed;
}

static int cell(const EDITOR *ed, int col, int row)
{
  return ed->board[col + BOARD_COLUMNS * row];
}

// The stroke touches every cell between its ends, whatever the jump, and
// each cell it paints touches the one before (no gaps).
TEST(EditorStroke, FastMovesLeaveNoGaps)
{
  struct { int c0, r0, c1, r1; } jumps[] = {
    {0, 0, 39, 34}, {39, 0, 0, 34}, {5, 5, 30, 7}, {20, 0, 20, 34}, {0, 17, 39, 17}, {3, 30, 10, 2},
  };
  for (auto j : jumps) {
    auto ed = fresh_editor();
    editor_stroke_begin(ed.get(), j.c0, j.r0, 6);
    editor_stroke_to(ed.get(), j.c1, j.r1);
    editor_stroke_end(ed.get());
    EXPECT_EQ(cell(ed.get(), j.c0, j.r0), 6);
    EXPECT_EQ(cell(ed.get(), j.c1, j.r1), 6);
    int span = std::max(abs(j.c1 - j.c0), abs(j.r1 - j.r0));
    EXPECT_EQ(editor_counts(ed.get()).kind[6], span + 1) << j.c0 << "," << j.r0 << " to " << j.c1 << "," << j.r1;
    // Every column (or row) along the longer axis holds a painted cell.
    for (int step = 0; step <= span; step++) {
      int found = 0;
      for (int i = 0; i < BOARD_CELLS; i++) {
        int c = i % BOARD_COLUMNS, r = i / BOARD_COLUMNS;
        int along = abs(j.c1 - j.c0) >= abs(j.r1 - j.r0) ? abs(c - j.c0) : abs(r - j.r0);
        if (ed->board[i] == 6 && along == step)
          found++;
      }
      EXPECT_EQ(found, 1) << "step " << step;
    }
  }
}

TEST(EditorStroke, OffTheBoardIsSkippedAndAStrokeIsOneStep)
{
  auto ed = fresh_editor();
  editor_stroke_begin(ed.get(), -10, 5, CELL_TRAP);
  EXPECT_FALSE(editor_unsaved(ed.get()));
  editor_stroke_to(ed.get(), 50, 5);      // across the row and out again
  EXPECT_TRUE(editor_unsaved(ed.get()));  // a stroke under way is a change already
  editor_stroke_to(ed.get(), 50, 100);    // wholly outside
  editor_stroke_end(ed.get());
  EXPECT_EQ(editor_counts(ed.get()).traps, BOARD_COLUMNS);
  EXPECT_TRUE(editor_unsaved(ed.get()));
  EXPECT_EQ(editor_undo(ed.get()), 1);
  EXPECT_EQ(editor_counts(ed.get()).traps, 0);
  EXPECT_EQ(editor_undo(ed.get()), 0);
  EXPECT_FALSE(editor_unsaved(ed.get()));
}

TEST(EditorStroke, AStrokeThatChangesNothingIsNoStep)
{
  auto ed = fresh_editor();
  editor_stroke_begin(ed.get(), 3, 3, CELL_EMPTY);
  editor_stroke_to(ed.get(), 9, 9);
  editor_stroke_end(ed.get());
  EXPECT_FALSE(editor_can_undo(ed.get()));
  EXPECT_FALSE(editor_unsaved(ed.get()));
}

TEST(EditorFill, RectangleFromAnyCornerClippedToTheBoard)
{
  auto ed = fresh_editor();
  editor_fill_rect(ed.get(), 38, 33, 36, 40, 4);  // corners in either order, partly off
  EXPECT_EQ(editor_counts(ed.get()).kind[4], 3 * 2);
  EXPECT_EQ(cell(ed.get(), 36, 33), 4);
  EXPECT_EQ(cell(ed.get(), 38, 34), 4);
  EXPECT_EQ(cell(ed.get(), 35, 33), 0);
  EXPECT_EQ(editor_counts(ed.get()).points, 24);
}

// The size a rectangle's label shows is what the fill paints.
TEST(EditorFill, RectangleSizeCountsOnlyCellsOnTheBoard)
{
  struct { int c0, r0, c1, r1, cols, rows; } rects[] = {
    {5, 20, 8, 24, 4, 5}, {8, 24, 5, 20, 4, 5}, {30, 28, 41, 36, 10, 7}, {2, 3, -4, -1, 3, 4}, {0, 0, 0, 0, 1, 1},
  };
  for (auto r : rects) {
    int cols, rows;
    editor_rect_size(r.c0, r.r0, r.c1, r.r1, &cols, &rows);
    EXPECT_EQ(cols * 100 + rows, r.cols * 100 + r.rows) << r.c0 << "," << r.r0 << " to " << r.c1 << "," << r.r1;
    auto ed = fresh_editor();
    editor_fill_rect(ed.get(), r.c0, r.r0, r.c1, r.r1, 2);
    EXPECT_EQ(editor_counts(ed.get()).kind[2], cols * rows);
  }
}

// In each symmetry mode a stroke, a rectangle and a flood fill paint their
// mirror images in the same undo step.
TEST(EditorMirror, StrokesRectanglesAndFillsPaintTheirImages)
{
  struct { int mirror; int cells[4][2]; int n; } modes[] = {
    {MIRROR_NONE, {{3, 4}}, 1},
    {MIRROR_LEFT_RIGHT, {{3, 4}, {36, 4}}, 2},
    {MIRROR_TOP_BOTTOM, {{3, 4}, {3, 30}}, 2},
    {MIRROR_BOTH, {{3, 4}, {36, 4}, {3, 30}, {36, 30}}, 4},
  };
  for (auto m : modes) {
    SCOPED_TRACE(m.mirror);
    auto ed = fresh_editor();
    ed->mirror = m.mirror;
    editor_stroke_begin(ed.get(), 3, 4, 5);
    editor_stroke_end(ed.get());
    editor_fill_rect(ed.get(), 3, 5, 4, 5, 2);       // two cells and their images
    editor_fill_rect(ed.get(), 0, 10, 1, 10, CELL_TRAP);  // a wall for the fill
    editor_fill_rect(ed.get(), 0, 11, 1, 11, CELL_TRAP);
    editor_flood_fill(ed.get(), 0, 12, 1);           // everything empty but the pictures
    for (int i = 0; i < m.n; i++)
      EXPECT_EQ(cell(ed.get(), m.cells[i][0], m.cells[i][1]), 5);
    EDIT_COUNTS counts = editor_counts(ed.get());
    EXPECT_EQ(counts.kind[5], m.n);
    EXPECT_EQ(counts.kind[2], 2 * m.n);
    EXPECT_EQ(counts.traps, 4 * m.n);
    EXPECT_EQ(counts.kind[KIND_NOTHING], 0);
    for (int step = 5; step > 0; step--)
      EXPECT_EQ(editor_undo(ed.get()), 1);
    EXPECT_FALSE(editor_can_undo(ed.get()));
  }
  // The middle lines of an odd count of rows paint once.
  auto ed = fresh_editor();
  ed->mirror = MIRROR_BOTH;
  editor_stroke_begin(ed.get(), 0, 17, 3);
  editor_stroke_end(ed.get());
  EXPECT_EQ(editor_counts(ed.get()).kind[3], 2);
}

TEST(EditorMirror, FloodFillTakesTheConnectedRegionOfOneKind)
{
  auto ed = fresh_editor();
  editor_load_bytes(ed.get(), std::string(1400, '\x04'));
  editor_fill_rect(ed.get(), 10, 0, 10, 34, CELL_TRAP);  // a wall down column 10
  ed->board[5] = 9;  // a value with no picture counts as nothing, not as a 4
  struct { int col, row, value, changed; } fills[] = {
    {0, 0, 6, 10 * 35 - 1}, {39, 34, 1, 29 * 35}, {10, 3, 2, 35}, {3, 3, 6, 0},
  };
  for (auto f : fills) {
    std::string before = editor_save_bytes(ed.get());
    editor_flood_fill(ed.get(), f.col, f.row, f.value);
    std::string after = editor_save_bytes(ed.get());
    int changed = 0;
    for (int i = 0; i < BOARD_CELLS; i++)
      changed += before[i] != after[i];
    EXPECT_EQ(changed, f.changed) << f.col << "," << f.row;
  }
  EXPECT_EQ(cell(ed.get(), 5, 0), 9);
  EXPECT_EQ(editor_flood_fill(ed.get(), 40, 0, 1), 0);
  // Turning the board over twice gives it back; each turn is one step.
  std::string was = editor_save_bytes(ed.get());
  editor_flip(ed.get(), MIRROR_LEFT_RIGHT);
  EXPECT_EQ(cell(ed.get(), 29, 0), 2);
  EXPECT_EQ(cell(ed.get(), 34, 0), 9);
  editor_flip(ed.get(), MIRROR_TOP_BOTTOM);
  editor_flip(ed.get(), MIRROR_LEFT_RIGHT);
  EXPECT_EQ(cell(ed.get(), 5, 34), 9);
  editor_flip(ed.get(), MIRROR_TOP_BOTTOM);
  EXPECT_EQ(editor_save_bytes(ed.get()), was);
  for (int step = 0; step < 4; step++)
    EXPECT_EQ(editor_undo(ed.get()), 1);
  EXPECT_EQ(editor_save_bytes(ed.get()), was);
}

TEST(EditorFill, RandomFillIsTheKitsGeneratorAndRefusesTooMany)
{
  MAP_RECIPE recipe = {};
  recipe.seed = 7;
  recipe.rows = BOARD_ROWS;
  recipe.traps = 140;
  for (int v = 1; v <= 6; v++)
    recipe.finds[v] = 10 * v;
  unsigned char expected[BOARD_CELLS];
  ASSERT_EQ(map_generate(&recipe, expected), BOARD_CELLS);

  auto ed = fresh_editor();
  recipe.rows = 3;  // the editor always fills the whole board
  ASSERT_EQ(editor_fill_random(ed.get(), &recipe), 0);
  EXPECT_EQ(memcmp(ed->board, expected, BOARD_CELLS), 0);
  EXPECT_EQ(editor_counts(ed.get()).traps, 140);
  EXPECT_EQ(editor_counts(ed.get()).kind[KIND_NOTHING], BOARD_CELLS - 140 - 210);

  recipe.traps = BOARD_CELLS;
  EXPECT_EQ(editor_fill_random(ed.get(), &recipe), -1);
  EXPECT_EQ(memcmp(ed->board, expected, BOARD_CELLS), 0);
  editor_clear(ed.get());
  EXPECT_EQ(editor_counts(ed.get()).kind[KIND_NOTHING], BOARD_CELLS);
  EXPECT_EQ(editor_undo(ed.get()), 1);
  EXPECT_EQ(memcmp(ed->board, expected, BOARD_CELLS), 0);
}

// The seed takes every number the kit's --seed takes, and the same seed and
// counts give the kit's very board.
TEST(EditorFill, SeedTakesTheKitsRangeAndGivesTheKitsBoard)
{
  struct { const char *text; int ok; uint64_t seed; } cases[] = {
    {"0", 1, 0}, {"1000000000", 1, 1000000000}, {"18446744073709551615", 1, UINT64_MAX},
    {"18446744073709551616", 0, 0}, {"", 0, 0}, {"-1", 0, 0}, {"12a", 0, 0}, {" 1", 0, 0},
  };
  for (auto &c : cases) {
    uint64_t seed = 12345;
    EXPECT_EQ(editor_parse_seed(c.text, &seed) == 0, c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(seed, c.seed) << c.text;
    }
  }
  std::string map = temp_folder("editor-seed") + "/map";
  ASSERT_EQ(system((std::string(MAPKIT) + " generate --seed 18446744073709551615 '" + map + "' > /dev/null").c_str()), 0);
  MAP_RECIPE recipe = {};
  recipe.rows = BOARD_ROWS;
  map_recipe_defaults(&recipe);
  ASSERT_EQ(editor_parse_seed("18446744073709551615", &recipe.seed), 0);
  auto ed = fresh_editor();
  ASSERT_EQ(editor_fill_random(ed.get(), &recipe), 0);
  EXPECT_EQ(editor_save_bytes(ed.get()), file_bytes(map));
}

// At least 100 steps back; past the history's size the oldest go, and a new
// change after undo drops what could be redone.
TEST(EditorHistory, HundredsOfStepsUndoAndRedo)
{
  auto ed = fresh_editor();
  for (int n = 0; n < 200; n++) {
    editor_stroke_begin(ed.get(), n % BOARD_COLUMNS, n / BOARD_COLUMNS, 1 + n % 6);
    editor_stroke_end(ed.get());
  }
  int undone = 0;
  while (editor_undo(ed.get()))
    undone++;
  EXPECT_EQ(undone, EDIT_HISTORY - 1);
  EXPECT_GE(undone, 100);
  // The oldest state kept is the board after the first 200 - 127 strokes.
  EXPECT_EQ(editor_counts(ed.get()).kind[KIND_NOTHING], BOARD_CELLS - (200 - undone));
  int redone = 0;
  while (editor_redo(ed.get()))
    redone++;
  EXPECT_EQ(redone, undone);
  EXPECT_EQ(editor_counts(ed.get()).kind[KIND_NOTHING], BOARD_CELLS - 200);

  editor_undo(ed.get());
  editor_undo(ed.get());
  editor_fill_rect(ed.get(), 0, 30, 0, 30, CELL_TRAP);
  EXPECT_FALSE(editor_can_redo(ed.get()));
  EXPECT_EQ(cell(ed.get(), 0, 30), CELL_TRAP);
}

TEST(EditorHistory, SavedStateFollowsUndoAndRedo)
{
  auto ed = fresh_editor();
  editor_fill_rect(ed.get(), 0, 0, 1, 1, 2);
  editor_mark_saved(ed.get());
  EXPECT_FALSE(editor_unsaved(ed.get()));
  editor_undo(ed.get());
  EXPECT_TRUE(editor_unsaved(ed.get()));
  editor_redo(ed.get());
  EXPECT_FALSE(editor_unsaved(ed.get()));
  // The same board reached by another change still counts as a change.
  editor_undo(ed.get());
  editor_fill_rect(ed.get(), 0, 0, 1, 1, 2);
  EXPECT_TRUE(editor_unsaved(ed.get()));
}

TEST(EditorBytes, ShortFullAndLongFiles)
{
  auto ed = fresh_editor();
  editor_load_bytes(ed.get(), std::string("\x01\x02\x0a\x07", 4));
  std::string saved = editor_save_bytes(ed.get());
  ASSERT_EQ(saved.size(), 1400u);
  EXPECT_EQ(saved.substr(0, 5), std::string("\x01\x02\x0a\x07\x00", 5));
  EXPECT_EQ(editor_counts(ed.get()).kind[KIND_NOTHING], 1400 - 3);  // 7 has no picture: nothing

  std::string longer(1400, '\x03');
  for (int i = 0; i < 600; i++)
    longer += static_cast<char>(i * 7);
  editor_load_bytes(ed.get(), longer);
  editor_fill_rect(ed.get(), 0, 0, 0, 0, 5);
  saved = editor_save_bytes(ed.get());
  ASSERT_EQ(saved.size(), 2000u);
  EXPECT_EQ(saved[0], 5);
  EXPECT_EQ(saved.substr(1, 1399), longer.substr(1, 1399));
  EXPECT_EQ(saved.substr(1400), longer.substr(1400));
  EXPECT_FALSE(editor_can_undo(ed.get()) == 0);

  editor_load_bytes(ed.get(), std::string());
  EXPECT_EQ(editor_save_bytes(ed.get()), std::string(1400, '\0'));
  EXPECT_FALSE(editor_can_undo(ed.get()));
}

// Text files (a map text, notes) are told from maps; no map looks like text.
// Bytes that are no map value are counted on the board only, as the game
// reads only the board.
TEST(EditorBytes, CellsTheGamePlaysAsNothingAreCounted)
{
  std::string board(BOARD_CELLS, '\0');
  struct { std::string bytes; int foreign; } cases[] = {
    {"", 0},
    {"\x01\x02\x03\x04\x05\x06\x0a", 0},
    {"\x07\x08\x09\x0b\xff", 5},
    {board + "\x07\x07", 0},
    {std::string(BOARD_CELLS - 1, '\0') + "\x7f\x7f", 1},
    {"#!/bin/sh\n", 9},  // the line end is a trap's value
  };
  for (auto &c : cases)
    EXPECT_EQ(bytes_foreign_cells(c.bytes), c.foreign) << c.bytes.size();
}

TEST(EditorBytes, TextIsToldFromMaps)
{
  struct { std::string bytes; int text; } cases[] = {
    {"# Zlaty ostrov\n" + std::string(40, '.') + "\r\n", 1},
    {"ahoj", 1},
    {std::string(1400, 'X'), 1},
    {std::string(1400, '\n'), 0},  // a board of traps
    {std::string(1400, '\0'), 0},
    {"", 0},
    {std::string("\x01\x02\x0a\x06") + std::string(1396, '\0'), 0},
    {"ahoj\tsvete\n", 0},
    {"Zlat\xc3\xbd\n", 0},
  };
  for (auto &c : cases)
    EXPECT_EQ(bytes_look_like_text(c.bytes), c.text) << c.bytes.substr(0, 20);
}

TEST(EditorNames, RefusedWithAReason)
{
  EXPECT_STREQ(map_name_problem("Zlaty ostrov"), nullptr);
  EXPECT_STREQ(map_name_problem("a.b"), nullptr);
  EXPECT_STREQ(map_name_problem(std::string(255, 'x').c_str()), nullptr);
  EXPECT_STREQ(map_name_problem(""), "Jmeno je prazdne");
  EXPECT_STREQ(map_name_problem("mapy/x"), "Jmeno nesmi obsahovat '/'");
  EXPECT_STREQ(map_name_problem("x/"), "Jmeno nesmi obsahovat '/'");
  EXPECT_STREQ(map_name_problem("mapy\\x"), "Jmeno nesmi obsahovat '\\'");
  EXPECT_STREQ(map_name_problem(".skryta"), "Jmeno nesmi zacinat teckou");
  EXPECT_STREQ(map_name_problem(".."), "Jmeno nesmi zacinat teckou");
  EXPECT_STREQ(map_name_problem(std::string(256, 'x').c_str()), "Jmeno je delsi nez 255 bajtu");
}

TEST(EditorNames, NamesThatWouldNotTravelToWindows)
{
  for (const char *forbidden : {"a:b", "a*", "?", "\"x\"", "<a", "a>", "a|b"}) {
    SCOPED_TRACE(forbidden);
    const char *said = map_name_problem(forbidden);
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(std::string(said), std::string("Jmeno nesmi obsahovat '") + *strpbrk(forbidden, ":*?\"<>|") + "'");
  }
  EXPECT_STREQ(map_name_problem("a\tb"), "Jmeno nesmi obsahovat ridici znaky");
  EXPECT_STREQ(map_name_problem("a\x7f"), "Jmeno nesmi obsahovat ridici znaky");
  EXPECT_STREQ(map_name_problem("mapa."), "Jmeno nesmi koncit teckou ani mezerou");
  EXPECT_STREQ(map_name_problem("mapa "), "Jmeno nesmi koncit teckou ani mezerou");
  for (const char *device : {"CON", "con", "Nul.txt", "aux", "PRN.x.y", "COM1", "lpt9", "LPT1.map", "CON .map",
                             "NUL  .txt", "CONIN$", "conout$.map", "COM0", "LPT0", "COM\xc2\xb9", "com\xc2\xb2.map",
                             "LPT\xc2\xb3", "COM1 .x"})
    EXPECT_STREQ(map_name_problem(device), "To jmeno patri zarizeni ve Windows") << device;
  // Near misses are ordinary names; bytes past ASCII (UTF-8 letters) too.
  for (const char *name : {"CONE", "COM", "LPT10", "nula", "xcon", "Zlat\xc3\xbd ostrov", "a .b", "CONIN", " CON",
                           "CONOUT$$", "COM\xc2\xb4", "LPT\xc2\xb9x", "COM\xc2"})
    EXPECT_STREQ(map_name_problem(name), nullptr) << name;
}

// Passes of the editor's loop: a press made in a dialog, held from it, or the
// second press of a double-click that closed it never reaches the board.
TEST(EditorPresses, PressesOfADialogNeverPaint)
{
  struct PASS { int in_dialog, buttons, pressed, ms, x, may; };
  struct { const char *what; PASS passes[6]; int n; } cases[] = {
    {"plain clicks on the board", {{0, 1, 1, 0, 300, 1}, {0, 0, 0, 100, 300, 1}, {0, 1, 1, 200, 300, 1}}, 3},
    {"a double-click whose first press closed the list",
     {{1, 1, 1, 0, 300, 0}, {0, 0, 0, 60, 300, 1}, {0, 1, 1, 150, 301, 0}, {0, 1, 0, 200, 301, 0},
      {0, 0, 0, 250, 301, 1}, {0, 1, 1, 900, 301, 1}}, 6},
    {"both presses of a double-click seen in one pass after it closed",
     {{1, 1, 1, 0, 300, 0}, {0, 1, 1, 60, 300, 0}, {0, 0, 0, 120, 300, 1}}, 3},
    {"a button held from the dialog and dragged onto the board", {{1, 1, 1, 0, 300, 0}, {0, 1, 0, 40, 500, 0}, {0, 1, 0, 80, 520, 0}}, 3},
    {"a click elsewhere right after a dialog", {{1, 1, 1, 0, 300, 0}, {0, 0, 0, 40, 300, 1}, {0, 1, 1, 100, 340, 1}}, 3},
    {"a second click after a pause", {{1, 1, 1, 0, 300, 0}, {0, 0, 0, 40, 300, 1}, {0, 1, 1, 600, 300, 1}}, 3},
  };
  for (auto &c : cases) {
    PRESS_GUARD guard;
    press_guard_init(&guard);
    for (int i = 0; i < c.n; i++) {
      const PASS &p = c.passes[i];
      EXPECT_EQ(press_guard_pass(&guard, p.in_dialog, p.buttons, p.pressed, p.ms, p.x, 200), p.may)
        << c.what << ", pass " << i;
    }
  }
}

// The longest text each place can be given fits it: captions clear of their
// planks' edges, the panel's lines inside its sheet, the strip's line.
TEST(EditorTexts, EveryTextFitsItsRoom)
{
  std::vector<TEXT_ROOM> rooms = editor_text_rooms();
  EXPECT_GT(rooms.size(), 40u);
  for (const TEXT_ROOM &room : rooms) {
    int w = text_length(font, room.text.c_str()), h;
    if (room.lettering) {
      LETTERING style = {1.0, {0, 0, 0}, {0, 0, 0}, 1, {0, 0, 0}, 0, {0, 0, 0}};
      lettering_size(room.text.c_str(), &style, &w, &h);
    }
    EXPECT_LE(w, room.width) << room.text;
  }
  // A cut keeps whole letters: two-byte letters are never split.
  std::string cut = fit_text("Zlat\xc3\xbd ostr\xc5\xafvek", 8 * 8);
  EXPECT_EQ(cut, "Zlat\xc3\xbd ..");
  EXPECT_EQ(fit_text("bez viteze", 80), "bez viteze");
}

// The bottom line's message goes once the board changes after it was said,
// and stays when it is said with the change (an opened map, a fill).
TEST(EditorStatus, AMessageGoesWhenTheBoardChangesAfterIt)
{
  std::unique_ptr<EDITOR> ed(new EDITOR());
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  ui_init(ui.get(), ed.get());
  struct { int change; const char *say; const char *shown; } passes[] = {
    {0, nullptr, "Nova mapa: vyber druh v palete (klavesy 0 az 7)"},
    {1, nullptr, ""},
    {0, "Ulozeno: mapy/a", "Ulozeno: mapy/a"},
    {0, nullptr, "Ulozeno: mapy/a"},
    {1, "Nahodne vyplneno, seme 4", "Nahodne vyplneno, seme 4"},
    {1, nullptr, ""},
  };
  int value = 1;
  for (auto &p : passes) {
    if (p.change)
      editor_fill_rect(ed.get(), 0, 0, 0, 0, value++);
    if (p.say)
      ui->status.text = p.say;
    ui_settle_message(ui.get());
    EXPECT_EQ(ui->status.text, p.shown);
  }
  fairness_free(&ui->fairness.run);
}
