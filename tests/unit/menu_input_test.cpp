// The menu's input step and loop: which control the pointer hovers, what a
// held left button does on each, and where the 200 ms pauses fall.
#include "display_env.h"
#include "frame_hook.h"
#include "match/play.h"
#include "menu/menu.h"
#include "shell/game.h"
#include "shell/input.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace {

struct CONTROL { int x, y, w, h; const char *id; };

const CONTROL controls[] = {
  {337, 400, 125, 14, HOVER_START},     {335, 430, 129, 17, HOVER_QUIT},
  {255, 150, 120, 50, HOVER_PLAYER[2]}, {425, 150, 120, 50, HOVER_PLAYER[3]},
  {595, 150, 120, 50, HOVER_PLAYER[4]}, {85, 250, 120, 50, HOVER_PLAYER[5]},
  {255, 250, 120, 50, HOVER_PLAYER[6]}, {425, 250, 120, 50, HOVER_PLAYER[7]},
  {595, 250, 120, 50, HOVER_PLAYER[8]}, {300, 350, 7, 14, HOVER_PREVIOUS},
  {493, 350, 7, 14, HOVER_NEXT},
};

void set_default_kinds()
{
  game_match.player_kind[1] = PLAYER_HUMAN;
  game_match.player_kind[2] = PLAYER_COMPUTER;
  for (int p = 3; p <= 8; p++)
    game_match.player_kind[p] = PLAYER_OFF;
}

class MenuInput : public ::testing::Test {
protected:
  TEMP_WORKDIR dir;
  MENU menu{};

  void SetUp() override
  {
    ASSERT_EQ(mkdir("mapy", 0755), 0);
    menu.map_index = 1;
    set_default_kinds();
    close_requested = 0;
  }
  void TearDown() override
  {
    close_requested = 0;
    set_pointer(0, 0, 0);
    delete[] menu.map_path;
  }

  // One input step with the pointer at (x, y); returns the pauses it made.
  // A start click would run a whole match: with a close request pending the
  // match loop ends right after setting up the board.
  int update_at(int x, int y, int buttons)
  {
    set_pointer(x, y, buttons);
    int before = pause_count;
    close_requested = 1;
    menu_update(&menu);
    close_requested = 0;
    return pause_count - before;
  }
};

TEST_F(MenuInput, EachControlHoversStrictlyInsideItsRectangle)
{
  for (const CONTROL &c : controls) {
    SCOPED_TRACE(c.id);
    const int inside[][2] = {{c.x + 1, c.y + 1}, {c.x + c.w - 1, c.y + c.h - 1}};
    for (auto p : inside) {
      update_at(p[0], p[1], 0);
      EXPECT_EQ(menu.hover_item, c.id) << p[0] << "," << p[1];
    }
    const int border[][2] = {{c.x, c.y + 1}, {c.x + c.w, c.y + 1}, {c.x + 1, c.y}, {c.x + 1, c.y + c.h}};
    for (auto p : border) {
      update_at(p[0], p[1], 0);
      EXPECT_EQ(menu.hover_item, HOVER_NONE) << p[0] << "," << p[1];
    }
  }
  const struct { int x; const char *id; } row_405[] = {
    {337, HOVER_NONE}, {338, HOVER_START}, {461, HOVER_START}, {462, HOVER_NONE},
  };
  for (auto r : row_405) {
    update_at(r.x, 405, 0);
    EXPECT_EQ(menu.hover_item, r.id) << r.x;
  }
}

TEST_F(MenuInput, ClickOnABorderDoesNothing)
{
  for (int x : {337, 462}) {
    EXPECT_EQ(update_at(x, 405, 1), 0) << x;  // a match would have paused once
    EXPECT_EQ(menu.quit, 0);
  }
  EXPECT_EQ(update_at(255, 175, 1), 0);
  EXPECT_EQ(update_at(375, 175, 1), 0);
  EXPECT_EQ(game_match.player_kind[2], PLAYER_COMPUTER);
}

TEST_F(MenuInput, PlayerOneSlotNeverHoversNorActs)
{
  for (int x = 85; x <= 205; x += 10)
    for (int y = 150; y <= 200; y += 5) {
      EXPECT_EQ(update_at(x, y, 1), 0) << x << "," << y;
      EXPECT_EQ(menu.hover_item, HOVER_NONE) << x << "," << y;
    }
  EXPECT_EQ(game_match.player_kind[1], PLAYER_HUMAN);
}

TEST_F(MenuInput, HeldSlotStepsOneKindPerPassAfterAPause)
{
  const int cycle[] = {PLAYER_HUMAN, PLAYER_COMPUTER, PLAYER_OFF, PLAYER_HUMAN};
  for (int kind : cycle) {
    EXPECT_EQ(update_at(500, 175, 1), 1);
    EXPECT_EQ(menu.hover_item, HOVER_PLAYER[3]);
    EXPECT_EQ(game_match.player_kind[3], kind);
  }
  EXPECT_EQ(update_at(500, 175, 0), 0);  // hovered without a press
  EXPECT_EQ(game_match.player_kind[3], PLAYER_HUMAN);
}

TEST_F(MenuInput, EverySlotChangesOnlyItsOwnPlayer)
{
  const int defaults[9] = {0, PLAYER_HUMAN, PLAYER_COMPUTER, PLAYER_OFF, PLAYER_OFF,
                           PLAYER_OFF, PLAYER_OFF, PLAYER_OFF, PLAYER_OFF};
  for (int p = 2; p <= 8; p++) {
    const CONTROL &slot = controls[p];  // controls[2..8] are the slots of players 2..8
    set_default_kinds();
    EXPECT_EQ(update_at(slot.x + 60, slot.y + 25, 1), 1);
    for (int q = 1; q <= 8; q++) {
      int expected = q != p ? defaults[q] : defaults[q] == PLAYER_OFF ? PLAYER_HUMAN : PLAYER_OFF;
      EXPECT_EQ(game_match.player_kind[q], expected) << "slot " << p << ", player " << q;
    }
  }
}

TEST_F(MenuInput, MapArrowsPauseOnlyWhenTheyStep)
{
  dir.write_file("mapy/a", "");
  dir.write_file("mapy/b", "");
  EXPECT_EQ(update_at(303, 357, 1), 0);  // previous arrow on the first map
  EXPECT_EQ(menu.hover_item, HOVER_PREVIOUS);
  EXPECT_EQ(menu.map_index, 1);
  EXPECT_EQ(update_at(496, 357, 1), 1);
  EXPECT_EQ(menu.hover_item, HOVER_NEXT);
  EXPECT_EQ(menu.map_index, 2);
  EXPECT_EQ(update_at(303, 357, 1), 1);
  EXPECT_EQ(menu.map_index, 1);
}

TEST_F(MenuInput, StartPlaysTheSelectedMapWithoutAPauseOfItsOwn)
{
  dir.write_file("mapy/mapa", std::string("\x05\x0a\x03", 3));
  ASSERT_STREQ(select_map(&menu, MAP_REFRESH), "mapa");
  game_match.cells[0] = 99;
  // The one pause is the match's own, after loading its map.
  EXPECT_EQ(update_at(400, 407, 1), 1);
  EXPECT_EQ(menu.hover_item, HOVER_START);
  EXPECT_EQ(game_match.cells[0], 5);
  EXPECT_EQ(game_match.cells[1], CELL_TRAP);
  EXPECT_EQ(game_match.cells[2], 3);
  EXPECT_EQ(game_match.cells[3], CELL_EMPTY);
  EXPECT_EQ(game_match.current_player, 1);
  EXPECT_EQ(menu.quit, 0);
  EXPECT_EQ(game_match.player_kind[2], PLAYER_COMPUTER);
  EXPECT_EQ(game_match.player_kind[3], PLAYER_OFF);
}

TEST_F(MenuInput, StartWithoutAMapPlaysAnEmptyBoard)
{
  // Before the first frame no path was built yet.
  game_match.cells[7] = 4;
  EXPECT_EQ(menu.map_path, nullptr);
  EXPECT_EQ(update_at(400, 407, 1), 1);
  EXPECT_EQ(game_match.cells[7], CELL_EMPTY);

  // With "Mapy nenalezeny..." the path is an empty string.
  ASSERT_STREQ(select_map(&menu, MAP_REFRESH), MAPS_NOT_FOUND);
  game_match.cells[7] = 4;
  EXPECT_EQ(update_at(400, 407, 1), 1);
  EXPECT_EQ(game_match.cells[7], CELL_EMPTY);
}

// At the match's first frame the pointer has moved to quit with the button
// still down, and the window's close button ends the match. A frame hook
// runs on the test's one thread, at a known point of the match, so no
// state is shared between threads and no wait is needed.
void move_to_quit_and_close(int)
{
  set_pointer(400, 438, 1);
  close_requested = 1;
}

TEST_F(MenuInput, InputStepGoesOnAfterAMatch)
{
  // While the match runs, the pointer moves to quit with the button still
  // down; then the match is closed. The same input step must still test
  // the quit control after the start control's match has returned.
  dir.write_file("mapy/mapa", "");
  set_pointer(400, 407, 1);
  int before = pause_count;
  {
    FRAME_HOOK_SCOPE hook(move_to_quit_and_close);
    menu_update(&menu);
    EXPECT_EQ(frames_presented.load(), 1);
  }
  close_requested = 0;
  EXPECT_EQ(pause_count - before, 1);
  EXPECT_EQ(menu.quit, -1);
  EXPECT_EQ(menu.hover_item, HOVER_QUIT);
}

TEST_F(MenuInput, QuitEndsTheLoopAfterFinishingItsPass)
{
  dir.write_file("mapy/a", "");
  dir.write_file("mapy/b", "");
  menu.map_index = 2;
  clear_bitmap(back_buffer);
  set_pointer(400, 438, 1);
  int before = pause_count;
  menu_loop(&menu);
  EXPECT_EQ(pause_count, before);
  EXPECT_EQ(menu.quit, -1);
  EXPECT_EQ(menu.hover_item, HOVER_QUIT);
  EXPECT_EQ(menu.map_index, 1);  // the loop starts on the first map
  // The quit pass still drew its frame.
  ASSERT_NE(menu.map_path, nullptr);
  EXPECT_EQ(image_at(back_buffer, 335, 430), 31);
}

}  // namespace
