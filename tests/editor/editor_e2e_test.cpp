// The real map editor driven through the X server as an author would: strokes
// (a fast drag among them), a rectangle, a random fill, undo and redo, the
// symmetry mode, flood fill and flips, saving and its questions, names typed
// in Czech, double-clicks in dialogs, a shipped map saved under a new name,
// and bad inputs.
// Expected files are built by the editor's own model from the same steps.
#include "editor.h"
#include "editor_recovery.h"
#include "file_bytes.h"
#include "game_driver.h"
#include "map_generate.h"
#include "platform/platform.h"
#include "temp_folder.h"
#include "test_colours.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Where the editor puts things (tools/editor/editor_ui.h and editor_controls.cpp).
int palette_y(int kind) { return 15 + 20 * kind; }
enum { PALETTE_X = 64, LEFT_X = 36, RIGHT_X = 104 };
enum { TOOLS_Y = 198, RANDOM_Y = 216, MIRROR_Y = 234, FLIP_LR_Y = 252, UNDO_Y = 306, OPEN_Y = 324, SAVE_Y = 342 };
enum { DIALOG_OK_X = 360, DIALOG_BACK_X = 560, DIALOG_BUTTON_Y = 350 };
enum { UNSAVED_SAVE_X = 320, UNSAVED_DISCARD_X = 460, UNSAVED_BACK_X = 600 };
enum { RANDOM_OK_X = 360, RANDOM_OK_Y = 386, SEED_X = 500, SEED_Y = 332 };
enum { STATUS_X = 140, STATUS_Y = 586 };
const int GOLD_LIGHT[3] = {255, 240, 160}, GOLD[3] = {250, 200, 50}, WARNING[3] = {130, 16, 8};

int cell_px(int col) { return 148 + 16 * col; }
int cell_py(int row) { return 28 + 16 * row; }

int image_of_value(int value)
{
  static const int images[] = {IMG_CELL_EMPTY, IMG_FIND_1, IMG_FIND_2, IMG_FIND_3, IMG_FIND_4, IMG_FIND_5, IMG_FIND_6};
  if (value == CELL_TRAP)
    return IMG_TRAP;
  return value >= 0 && value <= 6 ? images[value] : IMG_CELL_EMPTY;
}

// The picture cell (col, row) shows, read in its top-left quarter.
auto cell_shows = [](int col, int row, int image) {
  return [=](const SCREEN_SHOT *s) { return image_on_screen(s, 141 + 16 * col + 3, 21 + 16 * row + 3) == image; };
};
auto editor_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 140, 20) == IMG_CELL_FRAME; };
// A dialog's parchment covers the board's middle.
auto dialog_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 460, 300) == -1; };
auto no_dialog = [](const SCREEN_SHOT *s) { return image_on_screen(s, 460, 300) == IMG_CELL_FRAME; };
auto status_is = [](const std::string &text) {
  return [=](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, STATUS_X, STATUS_Y, text.c_str(), GOLD_LIGHT[0], GOLD_LIGHT[1], GOLD_LIGHT[2]);
  };
};

// The cells (index: expected/got) where two map files differ, for a failure's message.
std::string differences(const std::string &expected, const std::string &got)
{
  std::string out;
  for (size_t i = 0; i < expected.size() && i < got.size(); i++)
    if (expected[i] != got[i])
      out += std::to_string(i) + ": " + std::to_string(expected[i]) + "/" + std::to_string(got[i]) + "  ";
  return out;
}

// Waits until the file at path holds size bytes (a save has landed).
int wait_file_size(const std::string &path, size_t size)
{
  for (int waited = 0; waited < 5000; waited += 20) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && size_t(st.st_size) == size)
      return 1;
    sleep_ms(20);
  }
  return 0;
}

// Every name in dir and its size, to tell that nothing on disk changed.
std::string folder_state(const std::string &dir)
{
  std::string listing;
  FILE *p = popen(("cd '" + dir + "' && find . -path ./output -prune -o -printf '%p %s %y\\n' | sort").c_str(), "r");
  char line[512];
  while (fgets(line, sizeof line, p))
    listing += line;
  pclose(p);
  return listing;
}

class Editor : public ::testing::Test {
protected:
  std::string dir;
  pid_t pid = 0;
  std::unique_ptr<EDITOR> model{new EDITOR()};

  void SetUp() override
  {
    dir = make_game_dir();
    editor_new(model.get());
  }
  void TearDown() override
  {
    if (pid > 0)
      wait_game(pid, 0);
    remove_folder(dir);
  }
  void start(const std::vector<std::string> &args = {})
  {
    pointer_to(2, 2);  // the editor takes the pointer where it is
    std::vector<const char *> argv = {getenv("POKLAD_EDITOR")};
    for (const std::string &a : args)
      argv.push_back(a.c_str());
    argv.push_back(nullptr);
    pid = start_in_dir(dir, argv.data());
    ASSERT_TRUE(wait_screen(editor_shown, 10000));
  }
  void choose_kind(int kind) { click_at(PALETTE_X, palette_y(kind), 1); }
  // Two quick clicks, as a hand double-clicks, then waits until the editor has taken both.
  void double_click(int x, int y)
  {
    move_pointer(x, y);
    for (int i = 0; i < 2; i++) {
      button_down(1);
      sleep_ms(40);
      button_up(1);
      sleep_ms(60);
    }
    ASSERT_TRUE(input_caught_up(x, y));
  }
  // Presses on a cell and holds the button until the cell shows value.
  void press_cell(int col, int row, int value)
  {
    move_pointer(cell_px(col), cell_py(row));
    button_down(1);
    EXPECT_TRUE(wait_screen(cell_shows(col, row, image_of_value(value)))) << col << "," << row;
  }
  // A click on a cell that paints it with value.
  void paint_cell(int col, int row, int value)
  {
    press_cell(col, row, value);
    button_up(1);
  }
  // Moves the pointer off the board, where no highlight hides a cell.
  void park(void) { move_pointer(70, 590); }
  void expect_cell(int col, int row, int value)
  {
    EXPECT_TRUE(wait_screen(cell_shows(col, row, image_of_value(value)))) << col << "," << row << " = " << value;
  }
  int quit_status(void)
  {
    int status = wait_game(pid, 10000);
    pid = 0;
    return status;
  }
};

TEST_F(Editor, PaintsFillsUndoesAndSavesTheExpectedBytes)
{
  start();
  EXPECT_EQ(game_window_titles(), std::vector<std::string>{"Editor map"});
  // A random fill with seed 42 and the kit's default counts.
  click_at(RIGHT_X, RANDOM_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  click_at(SEED_X, SEED_Y, 1);
  key_tap("BackSpace");
  type_text("42");
  click_at(RANDOM_OK_X, RANDOM_OK_Y, 1);
  ASSERT_TRUE(wait_screen(no_dialog));
  MAP_RECIPE recipe = {};
  recipe.rows = BOARD_ROWS;
  recipe.seed = 42;
  map_recipe_defaults(&recipe);
  ASSERT_EQ(editor_fill_random(model.get(), &recipe), 0);
  park();
  for (int cell = 0; cell < 80; cell += 7)
    expect_cell(cell % 40, cell / 40, model->board[cell]);
  // The dialog opens again with the seed last typed.
  click_at(RIGHT_X, RANDOM_Y, 1);
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 464, SEED_Y - 2, "42", GOLD_LIGHT[0], GOLD_LIGHT[1], GOLD_LIGHT[2]);
  }));
  key_tap("Escape");
  ASSERT_TRUE(wait_screen(no_dialog));

  // A slow stroke of finds worth 6 along row 2.
  choose_kind(6);
  press_cell(2, 2, 6);
  for (int col = 3; col <= 10; col++) {
    pointer_to(cell_px(col), cell_py(2));
    sleep_ms(30);
  }
  ASSERT_TRUE(wait_screen(cell_shows(10, 2, IMG_FIND_6)));
  button_up(1);
  editor_stroke_begin(model.get(), 2, 2, 6);
  editor_stroke_to(model.get(), 10, 2);
  editor_stroke_end(model.get());

  // A fast drag of traps: one jump of the pointer across the board.
  std::unique_ptr<EDITOR> before_drag(new EDITOR(*model));
  choose_kind(KIND_TRAP);
  press_cell(0, 10, CELL_TRAP);
  pointer_to(cell_px(39), cell_py(30));
  ASSERT_TRUE(wait_screen(cell_shows(39, 30, IMG_TRAP)));
  button_up(1);
  editor_stroke_begin(model.get(), 0, 10, CELL_TRAP);
  editor_stroke_to(model.get(), 39, 30);
  editor_stroke_end(model.get());
  park();
  expect_cell(20, 20, CELL_TRAP);  // a cell in the middle of the jump

  // A rectangle of finds worth 3.
  std::unique_ptr<EDITOR> before_rect(new EDITOR(*model));
  click_at(RIGHT_X, TOOLS_Y, 1);
  choose_kind(3);
  move_pointer(cell_px(5), cell_py(20));
  button_down(1);
  ASSERT_TRUE(wait_screen(status_is("(nova) *   Obdelnik 1 x 1")));
  pointer_to(cell_px(8), cell_py(24));
  ASSERT_TRUE(wait_screen(status_is("(nova) *   Obdelnik 4 x 5")));
  ASSERT_TRUE(wait_screen(cell_shows(6, 22, IMG_CELL_HOVER)));  // the rectangle shown while dragged
  button_up(1);
  ASSERT_TRUE(wait_screen(cell_shows(6, 22, IMG_FIND_3)));  // released over (8, 24)
  editor_fill_rect(model.get(), 5, 20, 8, 24, 3);
  // Dragged past the board's corner, the label counts the cells painted.
  move_pointer(cell_px(36), cell_py(31));
  button_down(1);
  ASSERT_TRUE(wait_screen(status_is("(nova) *   Obdelnik 1 x 1")));
  pointer_to(795, 595);
  ASSERT_TRUE(wait_screen(status_is("(nova) *   Obdelnik 4 x 4")));
  button_up(1);
  editor_fill_rect(model.get(), 36, 31, 45, 45, 3);
  expect_cell(39, 34, 3);
  click_at(LEFT_X, UNDO_Y, 1);
  editor_undo(model.get());
  park();
  expect_cell(39, 34, model->board[39 + 40 * 34]);
  park();
  expect_cell(6, 22, 3);
  expect_cell(8, 24, 3);

  // Undo by button and by Ctrl+Z, redo by Ctrl+Y and by button.
  click_at(LEFT_X, UNDO_Y, 1);
  park();
  expect_cell(6, 22, before_rect->board[6 + 40 * 22]);
  int changed = 0;  // a cell the drag changed
  while (before_drag->board[changed] == model->board[changed] || changed == 10 * 40)
    changed++;
  key_tap("z", 1);
  expect_cell(changed % 40, changed / 40, before_drag->board[changed]);
  key_tap("y", 1);
  expect_cell(changed % 40, changed / 40, CELL_TRAP);
  click_at(RIGHT_X, UNDO_Y, 1);
  park();
  expect_cell(6, 22, 3);

  // Saved under a typed name: exactly the model's 1400 bytes.
  click_at(LEFT_X, SAVE_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  type_text("Moje mapa");
  key_tap("Return");
  ASSERT_TRUE(wait_file_size(dir + "/mapy/Moje mapa", 1400));
  std::string saved = file_bytes(dir + "/mapy/Moje mapa");
  EXPECT_TRUE(saved == editor_save_bytes(model.get())) << differences(editor_save_bytes(model.get()), saved);
  ASSERT_TRUE(wait_screen(status_is("Moje mapa   Ulozeno: mapy/Moje mapa")));

  // Nothing unsaved: the quit button ends the editor at once.
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

// The number keys pick the palette; the symmetry mode mirrors a stroke; the
// flood fill takes a region; the board turns over; each is one undo step.
TEST_F(Editor, MirroredStrokesFloodFillAndFlips)
{
  start();
  type_text("6");
  click_at(LEFT_X, MIRROR_Y, 1);  // left-right
  press_cell(2, 3, 6);
  pointer_to(cell_px(5), cell_py(6));
  ASSERT_TRUE(wait_screen(cell_shows(34, 6, IMG_FIND_6)));  // the mirror image of the stroke's end
  button_up(1);
  model->mirror = MIRROR_LEFT_RIGHT;
  editor_stroke_begin(model.get(), 2, 3, 6);
  editor_stroke_to(model.get(), 5, 6);
  editor_stroke_end(model.get());
  for (int i = 0; i < 3; i++)
    click_at(LEFT_X, MIRROR_Y, 1);  // top-bottom, both, none
  model->mirror = MIRROR_NONE;
  type_text("7");
  paint_cell(0, 0, CELL_TRAP);
  editor_fill_rect(model.get(), 0, 0, 0, 0, CELL_TRAP);

  // A fill of the empty sea around the strokes with finds worth 1.
  click_at(LEFT_X, RANDOM_Y, 1);
  type_text("1");
  click_at(cell_px(20), cell_py(20), 1);
  editor_flood_fill(model.get(), 20, 20, 1);
  park();
  expect_cell(39, 34, 1);
  expect_cell(1, 0, 1);
  // Turned left to right, then undone and redone.
  click_at(LEFT_X, FLIP_LR_Y, 1);
  editor_flip(model.get(), MIRROR_LEFT_RIGHT);
  park();
  expect_cell(39, 0, CELL_TRAP);
  key_tap("z", 1);
  expect_cell(0, 0, CELL_TRAP);
  key_tap("y", 1);
  expect_cell(39, 0, CELL_TRAP);

  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  type_text("Tvar");
  key_tap("Return");
  ASSERT_TRUE(wait_file_size(dir + "/mapy/Tvar", 1400));
  std::string saved = file_bytes(dir + "/mapy/Tvar");
  EXPECT_TRUE(saved == editor_save_bytes(model.get())) << differences(editor_save_bytes(model.get()), saved);

  // The window's close button over an open dialog asks about the changes.
  click_at(LEFT_X, FLIP_LR_Y, 1);
  click_at(RIGHT_X, RANDOM_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  ASSERT_GE(send_close_to_game(), 1);
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 240, "(pred koncem editoru)", 70, 40, 18);
  }));
  click_at(UNSAVED_DISCARD_X, DIALOG_BUTTON_Y, 1);
  EXPECT_EQ(quit_status(), 0);
  EXPECT_EQ(file_bytes(dir + "/mapy/Tvar"), saved);
}

// A name typed with Czech letters (their own keys) is saved as typed, in
// UTF-8; a letter the editor's font lacks is refused with the reason.
TEST_F(Editor, CzechLettersTypedIntoANameAreKept)
{
  for (const char *sym : {"yacute", "uring", "Cyrillic_zhe"})
    ASSERT_TRUE(bind_keysym(sym)) << sym;
  start();
  type_text("7");
  paint_cell(4, 4, CELL_TRAP);
  editor_fill_rect(model.get(), 4, 4, 4, 4, CELL_TRAP);
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  type_text("Zlat");
  key_tap("yacute");
  type_text(" ostr");
  key_tap("uring");
  key_tap("Cyrillic_zhe");
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 252, "Znak U+0436 editor neumi zobrazit", WARNING[0], WARNING[1],
                                   WARNING[2]);
  }));
  type_text("vek");
  key_tap("Return");
  std::string name = dir + "/mapy/Zlat\xc3\xbd ostr\xc5\xafvek";
  ASSERT_TRUE(wait_file_size(name, 1400));
  EXPECT_EQ(file_bytes(name), editor_save_bytes(model.get()));
  ASSERT_TRUE(wait_screen(status_is("Zlat\xc3\xbd ostr\xc5\xafvek   Ulozeno: mapy/Zlat\xc3\xbd ostr\xc5\xafvek")));
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

// A double-click in a dialog opens or discards, and its second press
// paints nothing on the board under the pointer.
TEST_F(Editor, DoubleClickInADialogPaintsNothing)
{
  write_game_file(dir, "mapy/Jina", std::string(1400, '\x01'));
  start();
  type_text("6");
  click_at(RIGHT_X, OPEN_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  double_click(300, 83);  // "Jina", over the board's cell (10, 3)
  park();
  ASSERT_TRUE(wait_screen(status_is("Jina   Otevreno: Jina")));
  expect_cell(10, 3, 1);

  paint_cell(30, 30, 6);
  click_at(LEFT_X, OPEN_Y, 1);  // a new map: the changes are asked about
  ASSERT_TRUE(wait_screen(dialog_shown));
  double_click(UNSAVED_DISCARD_X, DIALOG_BUTTON_Y);  // over the board's cell (20, 20)
  park();
  ASSERT_TRUE(wait_screen(status_is("(nova)   Nova mapa")));
  expect_cell(20, 20, 0);
  click_at(RIGHT_X, SAVE_Y, 1);  // nothing unsaved: quits at once
  EXPECT_EQ(quit_status(), 0);
}

TEST_F(Editor, ShippedMapIsSavedUnderANewNameAndItsFileStaysUntouched)
{
  // A shipped map is a link into the installed data; this one is longer
  // than the board, so its bytes past 1400 must come along.
  ASSERT_EQ(mkdir((dir + "/share").c_str(), 0755), 0);
  std::string shipped;
  for (int i = 0; i < 1500; i++)
    shipped += static_cast<char>(i < 1400 ? i % 5 : i % 256);
  write_game_file(dir, "share/Ostrov", shipped);
  ASSERT_EQ(symlink((dir + "/share/Ostrov").c_str(), (dir + "/mapy/Ostrov").c_str()), 0);

  start();
  click_at(RIGHT_X, OPEN_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  click_at(300, 83, 1);  // the list's first (and only) name
  ASSERT_TRUE(wait_screen(no_dialog));
  park();
  expect_cell(1, 0, 1);
  choose_kind(6);
  paint_cell(0, 0, 6);

  // Its own name is refused with the reason; a new one is saved.
  click_at(LEFT_X, SAVE_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 252, "To je mapa ze hry, zvol jine jmeno", WARNING[0], WARNING[1], WARNING[2]);
  }));
  for (int i = 0; i < 6; i++)
    key_tap("BackSpace");
  type_text("Nova");
  key_tap("Return");
  ASSERT_TRUE(wait_file_size(dir + "/mapy/Nova", 1500));
  std::string expected = shipped;
  expected[0] = 6;
  EXPECT_EQ(file_bytes(dir + "/mapy/Nova"), expected);
  EXPECT_EQ(file_bytes(dir + "/share/Ostrov"), shipped);
  struct stat st;
  ASSERT_EQ(lstat((dir + "/mapy/Ostrov").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));

  // Unsaved changes: the quit button asks; going back keeps the editor;
  // the window's close button asks again; discarding ends it, nothing saved.
  paint_cell(1, 0, 6);
  click_at(RIGHT_X, SAVE_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  click_at(UNSAVED_BACK_X, DIALOG_BUTTON_Y, 1);
  ASSERT_TRUE(wait_screen(no_dialog));
  ASSERT_GE(send_close_to_game(), 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  click_at(UNSAVED_DISCARD_X, DIALOG_BUTTON_Y, 1);
  EXPECT_EQ(quit_status(), 0);
  EXPECT_EQ(file_bytes(dir + "/mapy/Nova"), expected);
  EXPECT_EQ(file_bytes(dir + "/share/Ostrov"), shipped);
}

TEST_F(Editor, OverwritingAnotherMapAsksFirst)
{
  write_game_file(dir, "mapy/Jina", std::string(1400, '\x01'));
  start();
  choose_kind(5);
  paint_cell(3, 3, 5);
  editor_fill_rect(model.get(), 3, 3, 3, 3, 5);
  click_at(LEFT_X, SAVE_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  type_text("Jina");
  key_tap("Return");
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 220, "Prepsat ji?", 70, 40, 18);
  }));
  click_at(DIALOG_BACK_X, DIALOG_BUTTON_Y, 1);  // back to the name
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 200, "Ulozit mapu do slozky mapy jako:", 70, 40, 18);
  }));
  EXPECT_EQ(file_bytes(dir + "/mapy/Jina"), std::string(1400, '\x01'));
  click_at(DIALOG_OK_X, DIALOG_BUTTON_Y, 1);    // save again: asked again
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 220, "Prepsat ji?", 70, 40, 18);
  }));
  click_at(DIALOG_OK_X, DIALOG_BUTTON_Y, 1);    // overwrite
  ASSERT_TRUE(wait_screen(no_dialog));
  EXPECT_EQ(file_bytes(dir + "/mapy/Jina"), editor_save_bytes(model.get()));
  // Saving again to the map's own file (Ctrl+S, the name already there) asks nothing.
  paint_cell(4, 4, 5);
  editor_fill_rect(model.get(), 4, 4, 4, 4, 5);
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");
  ASSERT_TRUE(wait_screen(no_dialog));
  EXPECT_EQ(file_bytes(dir + "/mapy/Jina"), editor_save_bytes(model.get()));
  // Opening a map with changes made asks first; discarding them opens it.
  paint_cell(5, 5, 5);
  click_at(RIGHT_X, OPEN_Y, 1);
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 56, "Otevrit mapu ze slozky mapy:", 70, 40, 18);
  }));
  click_at(300, 83, 1);  // "Jina", the only map
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 200, "Mapa ma neulozene zmeny.", 70, 40, 18);
  }));
  click_at(UNSAVED_DISCARD_X, DIALOG_BUTTON_Y, 1);
  ASSERT_TRUE(wait_screen(no_dialog));
  park();
  expect_cell(5, 5, 0);
  expect_cell(4, 4, 5);
  EXPECT_EQ(file_bytes(dir + "/mapy/Jina"), editor_save_bytes(model.get()));
  // Saved: the unsaved question does not come up.
  ASSERT_GE(send_close_to_game(), 1);
  EXPECT_EQ(quit_status(), 0);
}

auto dialog_says = [](int y, const std::string &text) {
  return [=](const SCREEN_SHOT *s) { return coloured_text_on_screen(s, 260, y, text.c_str(), 70, 40, 18); };
};

// A text file opened as a map is named so, and the first save over it asks.
TEST_F(Editor, AFileThatLooksLikeTextIsNamedSoAndSavingOverItAsks)
{
  const std::string text = "# Zlaty ostrov\n" + std::string(40, '.') + "\n";
  write_game_file(dir, "mapy/Zlaty ostrov.txt", text);
  start({"mapy/Zlaty ostrov.txt"});
  ASSERT_TRUE(wait_screen(status_is("Zlaty ostrov.txt   Otevreno: Zlaty ostrov.txt (vypada jako text, ne jako mapa)")));
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");
  ASSERT_TRUE(wait_screen(dialog_says(220, "jako text, ne jako mapa.")));
  click_at(DIALOG_BACK_X, DIALOG_BUTTON_Y, 1);  // not saved: back where the save began
  ASSERT_TRUE(wait_screen(no_dialog));
  EXPECT_EQ(file_bytes(dir + "/mapy/Zlaty ostrov.txt"), text);
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");
  ASSERT_TRUE(wait_screen(dialog_says(220, "jako text, ne jako mapa.")));
  click_at(DIALOG_OK_X, DIALOG_BUTTON_Y, 1);  // written over
  ASSERT_TRUE(wait_file_size(dir + "/mapy/Zlaty ostrov.txt", 1400));
  ASSERT_TRUE(wait_screen(no_dialog));
  editor_load_bytes(model.get(), text);
  EXPECT_EQ(file_bytes(dir + "/mapy/Zlaty ostrov.txt"), editor_save_bytes(model.get()));
  // Now a map: the next save asks nothing.
  choose_kind(2);
  paint_cell(0, 5, 2);
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");
  ASSERT_TRUE(wait_screen(no_dialog));
  editor_fill_rect(model.get(), 0, 5, 0, 5, 2);
  EXPECT_EQ(file_bytes(dir + "/mapy/Zlaty ostrov.txt"), editor_save_bytes(model.get()));
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

// Stopped by a signal (a logout) with unsaved changes, the editor keeps them
// in a hidden copy beside the maps folder, which the next start offers; a
// restored map counts as unsaved. Changes given up leave no copy.
TEST_F(Editor, UnsavedChangesOutliveAStopSignal)
{
  const std::string copy = dir + "/.editor-obnova", maps = folder_state(dir + "/mapy");
  start();
  choose_kind(4);
  paint_cell(7, 9, 4);
  kill(pid, SIGTERM);
  EXPECT_EQ(quit_status(), 128 + SIGTERM);
  EXPECT_EQ(access(copy.c_str(), F_OK), 0);
  EXPECT_EQ(folder_state(dir + "/mapy"), maps);  // nothing new among the maps

  // Restored, then stopped again by SIGHUP with one more change.
  start();
  ASSERT_TRUE(wait_screen(dialog_says(200, "Editor minule skoncil s neulozenymi zmenami")));
  click_at(DIALOG_OK_X, DIALOG_BUTTON_Y, 1);
  ASSERT_TRUE(wait_screen(status_is("(nova) *   Obnoveny neulozene zmeny nove mapy")));
  park();
  expect_cell(7, 9, 4);
  EXPECT_EQ(access(copy.c_str(), F_OK), 0);  // kept until the map is saved
  choose_kind(5);
  paint_cell(8, 9, 5);
  kill(pid, SIGHUP);
  EXPECT_EQ(quit_status(), 128 + SIGHUP);

  // Thrown away at the next start: an empty board, no copy.
  start();
  ASSERT_TRUE(wait_screen(dialog_says(200, "Editor minule skoncil s neulozenymi zmenami")));
  click_at(DIALOG_BACK_X, DIALOG_BUTTON_Y, 1);  // "Zahodit"
  ASSERT_TRUE(wait_screen(status_is("(nova)   Kopie neulozenych zmen je zahozena")));
  park();
  expect_cell(7, 9, 0);
  EXPECT_NE(access(copy.c_str(), F_OK), 0);

  // Changes given up at a clean end leave no copy either.
  choose_kind(5);
  paint_cell(1, 1, 5);
  click_at(RIGHT_X, SAVE_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  click_at(UNSAVED_DISCARD_X, DIALOG_BUTTON_Y, 1);
  EXPECT_EQ(quit_status(), 0);
  EXPECT_NE(access(copy.c_str(), F_OK), 0);
}

// Where the copy cannot be written (a folder in its place stands in for a
// full disk), the status line says so rather than leave the changes unkept
// without a word.
TEST_F(Editor, ACopyThatCannotBeWrittenIsSaidSo)
{
  const std::string copy = dir + "/.editor-obnova";
  ASSERT_EQ(mkdir(copy.c_str(), 0755), 0);
  start();
  choose_kind(4);
  paint_cell(7, 9, 4);
  EXPECT_TRUE(wait_screen(status_is("(nova) *   Kopii neulozenych zmen nelze zapsat (.editor-obnova)")));
  click_at(RIGHT_X, SAVE_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  click_at(UNSAVED_DISCARD_X, DIALOG_BUTTON_Y, 1);
  EXPECT_EQ(quit_status(), 0);
  EXPECT_EQ(rmdir(copy.c_str()), 0);  // still the folder, and empty
}

// The copy on disk holds value at (col, row) within a few seconds.
int copy_holds(const std::string &copy, int col, int row, int value)
{
  for (int waited = 0; waited < 5000; waited += 50) {
    std::string name, path, bytes;
    if (recovery_decode(file_bytes(copy), &name, &path, &bytes) == 0 && bytes[col + 40 * row] == value)
      return 1;
    sleep_ms(50);
  }
  return 0;
}

// Killed outright (a crash, a power cut) a few seconds after a change, the
// editor has already written it: the next start offers it under its map's
// name and restores it as that map; the copy outlives a second kill after
// the restore and goes once the map is saved.
TEST_F(Editor, UnsavedChangesOutliveAKillUnderTheirMapsName)
{
  const std::string copy = dir + "/.editor-obnova";
  write_game_file(dir, "mapy/Ostrov", std::string(1400, '\0'));
  write_game_file(dir, "mapy/Jina", std::string(1400, '\1'));
  start({"mapy/Ostrov"});
  choose_kind(4);
  paint_cell(7, 9, 4);
  park();
  ASSERT_TRUE(copy_holds(copy, 7, 9, 4));
  kill(pid, SIGKILL);
  EXPECT_EQ(quit_status(), 128 + SIGKILL);

  for (int round = 0; round < 2; round++) {
    start({"mapy/Jina"});  // started on another map: the copy still opens as its own
    ASSERT_TRUE(wait_screen(dialog_says(220, "mapy Ostrov.")));
    key_tap("Return");  // "Obnovit"
    ASSERT_TRUE(wait_screen(status_is("Ostrov *   Obnoveny neulozene zmeny mapy Ostrov")));
    park();
    expect_cell(7, 9, 4);
    expect_cell(0, 0, 0);
    EXPECT_EQ(access(copy.c_str(), F_OK), 0);
    sleep_ms(500);
    kill(pid, SIGKILL);
    EXPECT_EQ(quit_status(), 128 + SIGKILL);
  }

  start();
  ASSERT_TRUE(wait_screen(dialog_says(220, "mapy Ostrov.")));
  key_tap("Return");
  ASSERT_TRUE(wait_screen(no_dialog));
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");  // under its own name, asked nothing
  ASSERT_TRUE(wait_screen(status_is("Ostrov   Ulozeno: mapy/Ostrov")));
  EXPECT_EQ(file_bytes(dir + "/mapy/Ostrov")[7 + 40 * 9], 4);
  for (int waited = 0; waited < 2000 && access(copy.c_str(), F_OK) == 0; waited += 50)
    sleep_ms(50);
  EXPECT_NE(access(copy.c_str(), F_OK), 0);
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

// Losing its display, the editor writes the copy as it ends.
TEST_F(Editor, UnsavedChangesOutliveALostDisplay)
{
  std::string shared = getenv("DISPLAY");
  close_test_display();
  pid_t server = start_server();
  ASSERT_GT(server, 0) << "Xvfb did not start";
  start();
  choose_kind(4);
  paint_cell(7, 9, 4);
  park();  // a later pass drawn: the one that painted has kept its copy
  stop_server(server, SIGKILL);
  setenv("DISPLAY", shared.c_str(), 1);
  EXPECT_EQ(quit_status(), EXIT_DISPLAY_LOST);
  std::string name, path, bytes;
  ASSERT_EQ(recovery_decode(file_bytes(dir + "/.editor-obnova"), &name, &path, &bytes), 0);
  EXPECT_EQ(bytes[7 + 40 * 9], 4);
}

// The dialogs by keyboard: Tab goes to the next field and chooses its text,
// so typing replaces it; Enter presses the framed button, which Tab moves
// in a dialog with no field; Escape cancels.
TEST_F(Editor, DialogsAnswerEnterTabAndEscape)
{
  start();
  click_at(RIGHT_X, RANDOM_Y, 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  for (int i = 0; i < 7; i++)
    key_tap("Tab");  // to the seed, "1" chosen
  type_text("9");
  key_tap("Return");
  ASSERT_TRUE(wait_screen(status_is("(nova) *   Nahodne vyplneno, seme 9")));
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Escape");
  ASSERT_TRUE(wait_screen(no_dialog));
  click_at(RIGHT_X, SAVE_Y, 1);  // "Konec": the unsaved question
  ASSERT_TRUE(wait_screen(dialog_says(200, "Mapa ma neulozene zmeny.")));
  key_tap("Tab");  // from "Ulozit" to "Zahodit"
  key_tap("Return");
  EXPECT_EQ(quit_status(), 0);
  EXPECT_EQ(folder_state(dir + "/mapy"), ". 4096 d\n");
}

// On a layout whose top row gives letters (the Czech one: + e-caron
// s-caron ...) the number keys still choose the palette's kinds by their
// place, and so does the keypad.
TEST_F(Editor, NumberKeysChooseKindsByTheirPlace)
{
  struct { const char *digit, *lower, *shifted; int code; } keys[] = {
    {"1", "plus", "exclam", 0}, {"2", "ecaron", "at", 0}, {"5", "rcaron", "percent", 0}};
  for (auto &k : keys) {
    k.code = keycode_of(k.digit);
    ASSERT_NE(k.code, 0) << k.digit;
    set_key_symbols(k.code, k.lower, k.digit);
  }
  auto chosen = [](int kind) {
    return [=](const SCREEN_SHOT *s) {
      const unsigned char *p = s->rgb[7 + 20 * kind][100];
      return abs(p[0] - GOLD[0]) <= 8 && abs(p[1] - GOLD[1]) <= 8 && abs(p[2] - GOLD[2]) <= 8;
    };
  };
  start();
  for (auto &k : keys) {
    key_tap(k.lower);
    EXPECT_TRUE(wait_screen(chosen(k.digit[0] - '0'))) << k.lower;
  }
  key_tap("KP_3");
  EXPECT_TRUE(wait_screen(chosen(3)));
  key_tap("KP_0");
  EXPECT_TRUE(wait_screen(chosen(0)));
  for (auto &k : keys)
    set_key_symbols(k.code, k.digit, k.shifted);
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

// Every kind of text the editor writes stands out from what is right behind
// it by at least 4.5 : 1: the palette and the panel on parchment, the
// captions on their planks, the bottom line, a dialog's lines.
TEST_F(Editor, TextsStandOutFromTheirBackgrounds)
{
  struct TEXT_AT { int x, y; const char *text; };
  const TEXT_AT main_screen[] = {
    {30, 11, "nic"}, {30, 31, "1 bod"}, {12, 169, "Body"}, {6, 357, "Ferovost"}, {6, 369, "Hracu 4"},
    {6, 530, "prumer: body/hru"}, {6, 580, "poctu, ne miste"}, {66, 194, "Obdelnik"}, {6, 194, "Stetec"},
    {45, 248, "Zrcadlit"}, {41, 266, "Prevratit"}, {45, 284, "Smazat"}, {83, 338, "Konec"},
    {140, 586, "(nova)   Nova mapa"},
  };
  const TEXT_AT save_dialog[] = {{260, 200, "Ulozit mapu do slozky mapy jako:"}, {260, 252, "Jmeno je prazdne"}};
  auto check = [](const TEXT_AT *texts, size_t n) {
    SCREEN_SHOT *shot = new SCREEN_SHOT;
    grab_screen(shot);
    for (size_t i = 0; i < n; i++)
      EXPECT_GE(text_contrast(shot, texts[i].x, texts[i].y, texts[i].text), 4.5) << texts[i].text;
    delete shot;
  };
  start();
  park();
  ASSERT_TRUE(wait_screen(status_is("(nova)   Nova mapa")));
  check(main_screen, sizeof main_screen / sizeof *main_screen);
  key_tap("s", 1);
  ASSERT_TRUE(wait_screen(dialog_shown));
  key_tap("Return");  // an empty name: refused, in the warning's colour
  ASSERT_TRUE(wait_screen(dialog_says(200, "Ulozit mapu do slozky mapy jako:")));
  ASSERT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return coloured_text_on_screen(s, 260, 252, "Jmeno je prazdne", WARNING[0], WARNING[1], WARNING[2]);
  }));
  check(save_dialog, sizeof save_dialog / sizeof *save_dialog);
  key_tap("Escape");
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

// On X screens of 16, 24 and 32 bits a pixel the editor shows the image
// set's pictures, the parchment's ink and the status line in their colours.
TEST_F(Editor, RightColoursOnEveryScreenDepth)
{
  std::string shared = getenv("DISPLAY");
  for (const char *screen : {"800x600x16", "800x600x24+24", "800x600x24+32"}) {
    close_test_display();
    pid_t server = start_server(screen);
    ASSERT_GT(server, 0) << screen;
    start();  // the board's frame picture seen in its colours
    EXPECT_TRUE(wait_screen(status_is("(nova)   Nova mapa: vyber druh v palete (klavesy 0 az 7)"))) << screen;
    EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) { return coloured_text_on_screen(s, 30, 11, "nic", 70, 40, 18); }))
      << screen;
    park();
    expect_cell(5, 5, 0);
    click_at(RIGHT_X, SAVE_Y, 1);
    EXPECT_EQ(quit_status(), 0) << screen;
    stop_server(server, SIGTERM);
  }
  setenv("DISPLAY", shared.c_str(), 1);
}

// Each bad input: a clear message, an empty board, the editor goes on and
// nothing on disk changes.
TEST_F(Editor, BadInputsAreReportedAndChangeNothing)
{
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0644), 0);
  write_game_file(dir, "long", std::string(1500, '\x02'));
  struct { const char *arg; std::string status; int opens; } cases[] = {
    {"mapy", "(nova)   Je to slozka, ne mapa: mapy", 0},
    {"none", "(nova)   Soubor neexistuje: none", 0},
    {"fifo", "(nova)   Neni to obycejny soubor: fifo", 0},
    {"/proc/self/mem", "(nova)   Soubor nelze cist: mem", 0},
    {"long", "long   Otevreno: long (delsi nez 1400 bajtu, zbytek se uchova)", 1},
  };
  for (auto &c : cases) {
    if (std::string(c.arg) == "/proc/self/mem" && access(c.arg, F_OK) != 0)
      continue;
    std::string before = folder_state(dir);
    start({c.arg});
    EXPECT_TRUE(wait_screen(status_is(c.status))) << c.arg;
    park();
    expect_cell(0, 0, c.opens ? 2 : 0);
    click_at(RIGHT_X, SAVE_Y, 1);  // nothing changed: quits without a question
    EXPECT_EQ(quit_status(), 0) << c.arg;
    EXPECT_EQ(folder_state(dir), before) << c.arg;
  }
  // A program's bytes: the message too long for the strip gets a box of its
  // own above it, saying how many cells the game plays as nothing.
  std::string program = "\x7f" "ELF" + std::string(1496, '\x09');
  program[100] = 3;
  write_game_file(dir, "program", program);
  start({"program"});
  EXPECT_TRUE(wait_screen(status_is("program")));
  auto box_says = [](int line, const std::string &text) {
    return [=](const SCREEN_SHOT *s) {
      return coloured_text_on_screen(s, STATUS_X, 555 + 12 * line, text.c_str(), GOLD_LIGHT[0], GOLD_LIGHT[1],
                                     GOLD_LIGHT[2]);
    };
  };
  EXPECT_TRUE(wait_screen(box_says(0, "Otevreno: program (delsi nez 1400 bajtu, zbytek se uchova) (v 1399 polich")));
  EXPECT_TRUE(wait_screen(box_says(1, "jsou bajty mimo hodnoty mapy: hra je hraje jako prazdna pole)")));
  park();
  expect_cell(20, 2, 3);
  click_at(RIGHT_X, SAVE_Y, 1);
  EXPECT_EQ(quit_status(), 0);
}

}  // namespace
