// The real game driven end to end under Xvfb: menu, matches, drag, results,
// quit and the window's close button.
#include "game_driver.h"
#include "match/match.h"
#include "test_colours.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <string>
#include <vector>

namespace {

enum { START_X = 400, START_Y = 407, QUIT_X = 400, QUIT_Y = 438 };
enum { HELP_X = 70, HELP_Y = 541, END_X = 70, END_Y = 568 };

int slot_x(int p) { return 85 + 170 * ((p - 1) % 4); }
int slot_y(int p) { return 150 + 100 * ((p - 1) / 4); }
int cell_x(int cell) { return 148 + 16 * (cell % 40); }
int cell_y(int cell) { return 28 + 16 * (cell / 40); }

auto menu_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 217, 51) == IMG_TITLE; };
auto board_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 141, 20) == IMG_CELL_FRAME; };
auto results_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 304, 381) == IMG_RESULTS_CLOSING; };

// The label under player p's slot in the menu.
auto label_is = [](int p, const char *text) {
  return [=](const SCREEN_SHOT *s) { return text_on_screen(s, slot_x(p) + 7, slot_y(p) + 38, text); };
};

// Start from the menu, the end button from the board, the right button from
// the results screen.
int start_match(void) { return click_until(START_X, START_Y, 1, START_X, START_Y, board_shown, menu_shown); }
int end_match(void) { return click_until(END_X, END_Y, 1, END_X, END_Y, results_shown, board_shown); }
int back_to_menu(void) { return click_until(400, 300, 3, 400, 300, menu_shown, results_shown); }

// The image a cell shows on the board screen.
int cell_image_on(const SCREEN_SHOT *s, int cell)
{
  return image_on_screen(s, 141 + 16 * (cell % 40) + 1, 21 + 16 * (cell / 40) + 1);
}

// Names in "mapy" in the directory's own order, "." and ".." left out.
std::vector<std::string> map_names(const std::string &dir)
{
  std::vector<std::string> names;
  DIR *d = opendir((dir + "/mapy").c_str());
  while (dirent *e = readdir(d))
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
      names.push_back(e->d_name);
  closedir(d);
  return names;
}

class Game : public ::testing::Test {
protected:
  std::string dir;
  pid_t pid = 0;

  void SetUp() override { dir = make_game_dir(); }
  void TearDown() override
  {
    if (pid > 0)
      wait_game(pid, 0);
    (void)!system(("rm -rf '" + dir + "'").c_str());
  }
  void start()
  {
    pid = start_game(dir);
    ASSERT_TRUE(wait_screen(menu_shown, 10000)) << "the menu never appeared";
    ASSERT_TRUE(move_pointer(5, 5)) << "the game never saw the pointer";
  }
  // The quit button, pressed again while the game runs: a press can fall
  // between two of the game's reads of the buttons (see click_until).
  int quit()
  {
    int status = -1;
    for (int press = 0; press < 5 && status == -1; press++) {
      click_at(QUIT_X, QUIT_Y, 1);
      status = game_ended(pid, 2000);
    }
    status = status == -1 ? wait_game(pid, 0) : status;
    pid = 0;
    return status;
  }
};

TEST_F(Game, MenuShowsDefaultKindsAndHoverImages)
{
  start();
  EXPECT_TRUE(wait_screen(label_is(1, "Hrac")));
  EXPECT_TRUE(wait_screen(label_is(2, "Pocitac")));
  for (int p = 3; p <= 8; p++)
    EXPECT_TRUE(wait_screen(label_is(p, "Vypnuto"))) << p;
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return image_on_screen(s, 300, 351) == IMG_PREV_ARROW && image_on_screen(s, 493, 351) == IMG_NEXT_ARROW &&
           image_on_screen(s, 338, 401) == IMG_START && image_on_screen(s, 336, 431) == IMG_QUIT;
  }));
  EXPECT_TRUE(wait_screen(
      [](const SCREEN_SHOT *s) { return text_on_screen(s, 314, 354, "Mapy nenalezeny..."); }));

  struct { int x, y, at_x, at_y, image; } hovers[] = {
    {START_X, START_Y, 338, 401, IMG_START_HOVER}, {QUIT_X, QUIT_Y, 336, 431, IMG_QUIT_HOVER},
    {303, 357, 300, 351, IMG_PREV_ARROW_HOVER}, {496, 357, 493, 351, IMG_NEXT_ARROW_HOVER},
  };
  for (auto h : hovers) {
    move_pointer(h.x, h.y);
    EXPECT_TRUE(wait_screen([&](const SCREEN_SHOT *s) { return image_on_screen(s, h.at_x, h.at_y) == h.image; }))
        << "hover image " << h.image << " saw " << [&] { static SCREEN_SHOT s; grab_screen(&s); return image_on_screen(&s, h.at_x, h.at_y); }();
  }
  move_pointer(5, 5);
  EXPECT_EQ(quit(), 0);
}

// A press of 100 ms, shorter than the 200 ms pause that follows a step,
// steps a slot once. That no second step follows is shown without waiting
// a guessed time: input_caught_up returns once the game has drawn a frame
// from a pass that began after it read the release (two pointer moves, each
// drawn within 400 ms on a quiet machine), and without a new press nothing
// can step the slot after that (see click_until, which also presses again
// when the game missed a press). The pointer then rests in the slot's top
// right, clear of the label.
TEST_F(Game, ShortPressOnASlotStepsItOnce)
{
  start();
  const char *labels[] = {"Vypnuto", "Hrac", "Pocitac", "Vypnuto", "Hrac"};
  for (int i = 1; i < 5; i++)
    ASSERT_TRUE(click_until(slot_x(3) + 60, slot_y(3) + 25, 1, slot_x(3) + 90, slot_y(3) + 10,
                            label_is(3, labels[i]), label_is(3, labels[i - 1])))
        << "from " << labels[i - 1] << " the slot did not step once to " << labels[i];
  // Player 1 has no control: the same proof that the press did nothing.
  click_at(slot_x(1) + 60, slot_y(1) + 25, 1, 100);
  ASSERT_TRUE(input_caught_up(slot_x(1) + 90, slot_y(1) + 10));
  EXPECT_TRUE(wait_screen(label_is(1, "Hrac"), 0));
  EXPECT_EQ(quit(), 0);
}

TEST_F(Game, MapArrowsStepThroughTheDirectory)
{
  write_game_file(dir, "mapy/ostrov", std::string(1400, '\1'));
  write_game_file(dir, "mapy/100%_zlata", std::string(10, '\2'));
  write_game_file(dir, "mapy/jeskyne", "");
  std::vector<std::string> names = map_names(dir);
  ASSERT_EQ(names.size(), 3u);
  start();
  auto label = [](const std::string &name) {
    return [=](const SCREEN_SHOT *s) { return text_on_screen(s, 314, 354, name.c_str()); };
  };
  EXPECT_TRUE(wait_screen(label(names[0])));
  int order[] = {1, 2, 2, 1, 0, 0};
  int arrow_x[] = {496, 496, 496, 303, 303, 303};
  for (int i = 0; i < 6; i++)
    EXPECT_TRUE(click_until(arrow_x[i], 357, 1, arrow_x[i], 357, label(names[order[i]]),
                            label(names[i ? order[i - 1] : 0]))) << "step " << i;
  EXPECT_EQ(quit(), 0);
}

// Players 1 (human) and 2 (computer) on a crafted map; the computer's cells
// are predicted by playing the same clicks with the game's own rules and the
// unseeded rand() sequence, which starts as if seeded with 1.
TEST_F(Game, MatchFollowsTheRulesAndEndsOnTheResultsScreen)
{
  std::string map(1400, '\0');
  map[0] = 5;         // a find for player 1
  map[2] = CELL_TRAP;  // a trap for player 1
  write_game_file(dir, "mapy/zkouska", map);

  MATCH model = {};
  model.player_kind[1] = PLAYER_HUMAN;
  model.player_kind[2] = PLAYER_COMPUTER;
  match_reset(&model);
  next_player(&model);
  for (int i = 0; i < 1400; i++)
    model.cells[i] = static_cast<unsigned char>(map[i]);
  srand(1);

  start();
  ASSERT_TRUE(start_match());
  // The start press, shorter than the pause after loading, uncovers nothing.
  move_pointer(700, 580);

  // The board as a match state shows it (a copy: the model moves on).
  auto board_of = [](const MATCH &m) {
    return [m](const SCREEN_SHOT *s) {
      for (int c = 0; c < BOARD_CELLS; c++) {
        int want = m.revealed[c] ? (m.cells[c] == 5 ? IMG_FIND_5 : m.cells[c] == CELL_TRAP ? IMG_TRAP : IMG_CELL_EMPTY)
                                 : IMG_CELL_COVERED;
        if (cell_image_on(s, c) != want)
          return false;
      }
      return true;
    };
  };
  // The player clicks a cell until the game has taken the click, then the
  // computer's moves (a pass each) follow; the pointer highlight would hide
  // the cell under it, so the board is read from afar.
  auto human_reveals = [&](int cell) {
    auto before = board_of(model);
    reveal_cell(&model, cell);
    while (model.player_kind[model.current_player] == PLAYER_COMPUTER)
      computer_move(&model);
    auto changed = [&](const SCREEN_SHOT *s) { return !before(s); };
    return click_until(cell_x(cell), cell_y(cell), 1, 700, 580, changed, before) && wait_screen(board_of(model));
  };

  // A find keeps the turn and scores 5.
  EXPECT_TRUE(human_reveals(0));
  ASSERT_EQ(model.current_player, 1);
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) { return text_on_screen(s, 17, 58, "5"); }));
  // An empty cell passes to the computer, which moves at once and passes back.
  EXPECT_TRUE(human_reveals(1)) << "computer's cells differ from the unseeded sequence";
  // A trap costs player 1 its next turn: the computer moves twice.
  EXPECT_TRUE(human_reveals(2));
  EXPECT_EQ(model.revealed_count, 6);
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) { return text_on_screen(s, 17, 123, "0"); }));

  // The help overlay, hidden by the right button.
  auto help_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 238, 181) == IMG_HELP_OVERLAY; };
  auto help_hidden = [](const SCREEN_SHOT *s) { return image_on_screen(s, 238, 181) != IMG_HELP_OVERLAY; };
  EXPECT_TRUE(click_until(HELP_X, HELP_Y, 1, HELP_X, HELP_Y, help_shown, help_hidden));
  EXPECT_TRUE(click_until(600, 590, 3, 600, 590, help_hidden, help_shown));

  // The end button: player 1 leads 5 to 0 and wins.
  EXPECT_TRUE(end_match());
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return image_on_screen(s, 521, 283) == IMG_WINNER_1 && image_on_screen(s, 218, 283) == IMG_WINNER_CAPTION;
  }));
  // The left button does nothing here; the right button returns to the
  // menu. Once the game has caught up with the left click (see
  // input_caught_up) the screen it draws is what that click left: still
  // the results.
  click_at(400, 300, 1);
  ASSERT_TRUE(input_caught_up(400, 300));
  EXPECT_TRUE(wait_screen(results_shown, 0));
  EXPECT_TRUE(back_to_menu());

  // A second match ended at once: nobody scored, nobody wins.
  ASSERT_TRUE(start_match());
  EXPECT_TRUE(end_match());
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) { return image_on_screen(s, 119, 283) == IMG_NO_WINNER; }));
  EXPECT_TRUE(back_to_menu());
  EXPECT_EQ(quit(), 0);
}

// Player 1 alone on a board of finds sweeps it with the left button held;
// the match ends by itself when the last cell is uncovered.
TEST_F(Game, DragUncoversAWholeBoardOfFinds)
{
  write_game_file(dir, "mapy/poklady", std::string(1400, '\1'));
  start();
  ASSERT_TRUE(click_until(slot_x(2) + 60, slot_y(2) + 25, 1, slot_x(2) + 90, slot_y(2) + 10,
                          label_is(2, "Vypnuto"), label_is(2, "Pocitac")));  // computer -> off
  ASSERT_TRUE(start_match());
  ASSERT_TRUE(move_pointer(cell_x(0), cell_y(0)));
  sleep_ms(50);
  button_down(1);
  // Row by row, snaking; a row is swept again over any cell the game's
  // frames missed while the pointer passed (a frame can be slower than a step).
  static SCREEN_SHOT shot;
  for (int row = 0; row < BOARD_ROWS; row++) {
    std::vector<int> todo;
    for (int step = 0; step < BOARD_COLUMNS; step++)
      todo.push_back(40 * row + (row % 2 ? BOARD_COLUMNS - 1 - step : step));
    for (int sweep = 0; sweep < 20 && !todo.empty(); sweep++) {
      for (int cell : todo) {
        pointer_to(cell_x(cell), cell_y(cell));
        sleep_ms(8);
      }
      grab_screen(&shot);
      if (results_shown(&shot))
        break;
      std::vector<int> missed;
      for (int cell : todo)
        if (cell_image_on(&shot, cell) == IMG_CELL_COVERED || cell_image_on(&shot, cell) == IMG_CELL_HOVER)
          missed.push_back(cell);
      todo = missed;
    }
  }
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
    return results_shown(s) && image_on_screen(s, 521, 283) == IMG_WINNER_1;
  })) << "the sweep did not uncover every cell";
  button_up(1);
  EXPECT_TRUE(back_to_menu());
  EXPECT_EQ(quit(), 0);
}

// The window manager's close message ends the game with status 0 from the
// menu, a match and the results screen, full screen and in a window (the
// library's own allegro.cfg, found through ALLEGRO, asks for the window).
// The window's title bar names the game, not the program's file.
TEST_F(Game, CloseButtonEndsTheGameFromEveryScreen)
{
  write_game_file(dir, "mapy/prazdna", "");
  write_game_file(dir, "allegro.cfg", "[graphics]\ngfx_card = XWIN\n");
  for (int windowed = 0; windowed < 2; windowed++) {
    if (windowed)
      setenv("ALLEGRO", dir.c_str(), 1);
    for (int screen = 0; screen < 3; screen++) {
      SCOPED_TRACE(std::string(windowed ? "windowed" : "full screen") + ", screen " + std::to_string(screen));
      start();
      if (windowed && screen == 0) {
        std::vector<std::string> titles = game_window_titles();
        ASSERT_FALSE(titles.empty()) << "no game window";
        for (const std::string &title : titles)
          EXPECT_EQ(title, "Hledani pokladu");
      }
      if (screen >= 1) {
        ASSERT_TRUE(start_match());
      }
      if (screen == 2) {
        ASSERT_TRUE(end_match());
      }
      ASSERT_GT(send_close_to_game(), 0) << "no game window";
      EXPECT_EQ(wait_game(pid, 5000), 0);
      pid = 0;
    }
    unsetenv("ALLEGRO");
  }
}

// A close message sent the moment the window exists, while the game is still
// opening, ends it too: a player may close a window that is slow to start.
TEST_F(Game, CloseButtonWhileTheWindowOpensEndsTheGame)
{
  write_game_file(dir, "mapy/prazdna", "");
  write_game_file(dir, "allegro.cfg", "[graphics]\ngfx_card = XWIN\n");
  for (int windowed = 0; windowed < 2; windowed++) {
    if (windowed)
      setenv("ALLEGRO", dir.c_str(), 1);
    for (int run = 0; run < 4; run++) {
      SCOPED_TRACE(std::string(windowed ? "windowed" : "full screen") + ", run " + std::to_string(run));
      pid = start_game(dir);
      int sent = 0;
      for (int waited = 0; waited < 20000 && !sent; waited++) {
        sent = send_close_to_game();
        if (!sent)
          sleep_ms(1);
      }
      ASSERT_GT(sent, 0) << "no game window";
      EXPECT_EQ(wait_game(pid, 10000), 0);
      pid = 0;
    }
    unsetenv("ALLEGRO");
  }
}

}  // namespace
