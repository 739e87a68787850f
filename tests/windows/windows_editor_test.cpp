// The Windows map editor under Wine: it starts in a folder holding the image
// set with a shipped (read-only) map named on its command line, shows the
// palette and that board, refuses to save over the shipped map, and the
// window's close button ends it with status 0 (nothing changed, no question).
// Started elsewhere with a map named in Czech, it finds its data and the map.
// Its open list shows a map named in Czech, and when Windows ends the session
// its unsaved changes are kept in the recovery copy.
#include "editor_recovery.h"
#include "file_bytes.h"
#include "game_driver.h"
#include "match/match.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

// Where the editor draws (tools/editor/editor_ui.h, editor_controls.cpp):
// the first palette entry's cell frame is its top-left-most frame pixel.
enum { FIRST_FRAME_X = 9, FIRST_FRAME_Y = 7, SAVE_X = 36, SAVE_Y = 342, OPEN_X = 104, OPEN_Y = 324 };
enum { PALETTE_X = 64, FIND_6_Y = 15 + 20 * 6 };
const int INK[3] = {70, 40, 18};
#define EDITOR_WINDOW_TITLE "Editor map"  // its window's title (EDITOR_TITLE)
// The close button of the frame Wine draws around the 800 x 600 window.
enum { CLOSE_X = 790, CLOSE_Y = -11 };
const int WARNING[3] = {130, 16, 8};

// The board of the map below: a find of 1 in the first cell, the rest empty.
auto board_shown = [](const SCREEN_SHOT *s) {
  return image_on_screen(s, 140, 20) == IMG_CELL_FRAME && image_on_screen(s, 144, 24) == IMG_FIND_1 &&
         image_on_screen(s, 141 + 16 * 20 + 3, 21 + 16 * 10 + 3) == IMG_CELL_EMPTY;
};
auto dialog_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 460, 300) == -1; };
auto no_dialog = [](const SCREEN_SHOT *s) { return image_on_screen(s, 460, 300) == IMG_CELL_FRAME; };

// The editor's status, or -1 while it still runs after timeout_ms.
int wait_alive(pid_t pid, int timeout_ms)
{
  for (int waited = 0; waited <= timeout_ms; waited += 50) {
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid)
      return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    sleep_ms(50);
  }
  return -1;
}

// Starts the editor (argv) in dir and waits for its window; sets the game
// origin from where its palette shows. 0 when it never shows.
int start_editor(const std::string &dir, const char *const argv[], pid_t *pid)
{
  set_game_origin(0, 0);
  pointer_to(2, 2);
  // A Wine left from the test before (its desktop on an X server now gone)
  // would take the editor's window: start from none.
  (void)!system("wineserver -k; wineserver -w");
  *pid = start_in_dir(dir, argv);
  int x = 0, y = 0;
  for (int waited = 0; waited < 30000; waited += 100) {
    sleep_ms(100);
    if (locate_image_on_root(IMG_CELL_FRAME, &x, &y)) {
      set_game_origin(x - FIRST_FRAME_X, y - FIRST_FRAME_Y);
      return 1;
    }
  }
  return 0;
}

// Clicks at (x, y), holding the button for a slow frame, until the screen
// shows what the click brings (a click can fall between two reads of a slow
// frame under Wine); 0 when it never does.
template <class SHOWN> int click_until(int x, int y, SHOWN shown)
{
  for (int attempt = 0; attempt < 5; attempt++) {
    click_at(x, y, 1, 300);
    if (wait_screen(shown, 5000))
      return 1;
  }
  return 0;
}

TEST(WindowsEditor, ShowsAShippedMapRefusesToOverwriteItAndCloses)
{
  ASSERT_TRUE(getenv("POKLAD") && getenv("POKLAD_WINE"));
  std::string dir = make_game_dir();
  std::string shipped = std::string(1, '\x01') + std::string(1399, '\x00');
  write_game_file(dir, "mapy/Ostrov", shipped);
  // Wine shows a file without write permission as read-only, as the
  // installer leaves the shipped maps.
  ASSERT_EQ(chmod((dir + "/mapy/Ostrov").c_str(), 0444), 0);

  const char *const argv[] = {getenv("POKLAD_WINE"), getenv("POKLAD"), "mapy\\Ostrov", nullptr};
  pid_t pid = 0;
  int found = start_editor(dir, argv, &pid);
  if (found) {
    EXPECT_TRUE(wait_screen(board_shown, 10000)) << "the window shows no board, or not the map's";
    // Saving under its own name is refused with the reason.
    EXPECT_TRUE(click_until(SAVE_X, SAVE_Y, dialog_shown));
    key_tap("Return");
    EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) {
      return coloured_text_on_screen(s, 260, 252, "To je mapa ze hry, zvol jine jmeno", WARNING[0], WARNING[1],
                                     WARNING[2]);
    }));
    key_tap("Escape");
    EXPECT_TRUE(wait_screen(no_dialog));
  }
  EXPECT_TRUE(found) << "the editor's window never showed";

  // The close press is repeated while the editor still runs (a press can
  // fall between two reads of a slow frame under Wine).
  int status = -1;
  for (int attempt = 0; found && attempt < 5 && status == -1; attempt++) {
    pointer_to(CLOSE_X, CLOSE_Y);
    sleep_ms(100);
    button_down(1);
    sleep_ms(100);
    button_up(1);
    status = wait_alive(pid, 3000);
  }
  if (status == -1)
    wait_game(pid, 0);  // kills it
  EXPECT_EQ(status, 0) << "the close button did not end the editor with status 0";
  struct stat st;
  EXPECT_EQ(stat((dir + "/mapy/Ostrov").c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 1400);
  (void)!system("wineserver -k; wineserver -w");  // leave no half-closed desktop behind
  (void)!system(("rm -rf '" + dir + "'").c_str());
}

// A map dropped on the editor's icon: the editor, in a folder named with a
// Czech letter, is started in the map's folder with the map's Czech name
// (outside Windows' code page). It finds its image set beside it, shows the
// map, and makes no maps folder where it was started.
TEST(WindowsEditor, StartedElsewhereOpensACzechNamedMap)
{
  ASSERT_TRUE(getenv("POKLAD") && getenv("POKLAD_WINE"));
  std::string dir = make_game_dir();
  std::string editor = dir + u8"/Editor ř";
  std::string program = editor + "/editor.exe";
  std::string setup = "mkdir '" + editor + "' && mv '" + dir + "/tarkoni.dat' '" + dir + "/mapy' '" + editor +
                      "/' && cp '" + getenv("POKLAD") + "' '" + program + "'";
  ASSERT_EQ(system(setup.c_str()), 0) << setup;
  write_game_file(dir, u8"Řeka", std::string(1, '\x01') + std::string(1399, '\x00'));

  const char *const argv[] = {getenv("POKLAD_WINE"), program.c_str(), u8"Řeka", nullptr};
  pid_t pid = 0;
  ASSERT_TRUE(start_editor(dir, argv, &pid)) << "the editor's window never showed";
  EXPECT_TRUE(wait_screen(board_shown, 10000)) << "the window shows no board, or not the map's";
  struct stat st;
  EXPECT_NE(stat((dir + "/mapy").c_str(), &st), 0) << "a maps folder was made where the editor was started";
  wait_game(pid, 0);  // nothing was changed: ending it loses nothing
  (void)!system("wineserver -k; wineserver -w");
  (void)!system(("rm -rf '" + dir + "'").c_str());
}

// Removes the test's folder and ends every Wine program of the test however
// the test ends.
struct GameDir {
  std::string dir = make_game_dir();
  ~GameDir()
  {
    (void)!system("wineserver -k; wineserver -w");
    (void)!system(("rm -rf '" + dir + "'").c_str());
  }
};

// The open list shows a map named with a letter outside Windows' Western code
// page, and opens it. Windows then ends the session (as at logout, by the
// messages it sends each window): the changes painted since are written to
// the recovery copy before the editor's window answers, and the editor ends.
TEST(WindowsEditor, ListsACzechNamedMapAndKeepsItsChangesWhenTheSessionEnds)
{
  ASSERT_TRUE(getenv("POKLAD") && getenv("POKLAD_WINE") && getenv("WINE_PROBE"));
  GameDir game;
  write_game_file(game.dir, u8"mapy/Řeka", std::string(1, '\x01') + std::string(1399, '\x00'));
  const char *const argv[] = {getenv("POKLAD_WINE"), getenv("POKLAD"), nullptr};
  pid_t pid = 0;
  ASSERT_TRUE(start_editor(game.dir, argv, &pid)) << "the editor's window never showed";
  // The editor letters a name in its own font, which has the "Ř" the
  // library's font lacks: the plain tail must be the library's "eka" and the
  // first letter's cell must hold ink.
  auto listed = [](const SCREEN_SHOT *s) {
    int inked = 0;
    for (int y = 79 - 3; y < 79 + 8; y++)
      for (int x = 260; x < 268; x++)
        inked += abs(s->rgb[y][x][0] - INK[0]) <= 8 && abs(s->rgb[y][x][1] - INK[1]) <= 8 &&
                 abs(s->rgb[y][x][2] - INK[2]) <= 8;  // 16-bit colours are rounded
    return inked > 0 && coloured_text_on_screen(s, 268, 79, "eka", INK[0], INK[1], INK[2]);
  };
  EXPECT_TRUE(click_until(OPEN_X, OPEN_Y, listed)) << "the open list does not show the map";
  ASSERT_TRUE(click_until(300, 83, no_dialog)) << "the list's first (and only) name did not open";
  EXPECT_TRUE(wait_screen(board_shown, 10000)) << "the map opened is not the one listed";
  click_at(PALETTE_X, FIND_6_Y, 1, 300);
  pointer_to(148 + 16 * 5, 28 + 16 * 5);  // cell (5, 5)
  sleep_ms(100);
  button_down(1);
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) { return image_on_screen(s, 144 + 16 * 5, 24 + 16 * 5) == IMG_FIND_6; }));
  button_up(1);
  pointer_to(70, 590);
  sleep_ms(500);

  std::string probe = std::string("\"") + getenv("POKLAD_WINE") + "\" \"" + getenv("WINE_PROBE") +
                      "\" end-session '" EDITOR_WINDOW_TITLE "' 2>&1";
  FILE *p = popen(probe.c_str(), "r");
  ASSERT_TRUE(p);
  std::string said;
  char line[256];
  while (fgets(line, sizeof line, p))
    said += line;
  int probe_status = pclose(p);
  EXPECT_EQ(probe_status, 0) << said;
  EXPECT_NE(said.find("may end: 1"), std::string::npos) << said;
  printf("the editor at the session's end: %s", said.c_str());
  std::string copy = file_bytes(game.dir + "/" RECOVERY_FILE);
  std::string name, path, bytes;
  ASSERT_EQ(recovery_decode(copy, &name, &path, &bytes), 0) << "no recovery copy when the window answered";
  EXPECT_EQ(name, u8"Řeka");
  ASSERT_EQ(bytes.size(), size_t(BOARD_CELLS));
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[5 * BOARD_COLUMNS + 5], 6) << "the change painted is not in the copy";
  EXPECT_EQ(wait_alive(pid, 10000), 0) << "the editor did not end after the session's end";
}

}  // namespace
