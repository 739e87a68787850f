// The Windows game under Wine shows the same frames as the Linux game for
// the same clicks (frame_script.h): both are driven through XTest on one X
// screen (the Linux game full screen, the Windows one in a window of a Wine
// virtual desktop), and every checkpoint's picture must be identical.
#include "frame_script.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Plays the frame script on program (under Wine when wine is not empty) and
// returns its checkpoints; model, when given, is what the pictures should be.
std::vector<CHECKPOINT> play(const char *wine, const char *program, const char *allegro_dir,
                             const std::vector<CHECKPOINT> *model)
{
  std::vector<CHECKPOINT> seen;
  setenv("POKLAD", program, 1);
  setenv("POKLAD_WINE", wine, 1);
  if (allegro_dir)
    setenv("ALLEGRO", allegro_dir, 1);
  else
    unsetenv("ALLEGRO");
  std::string dir = make_game_dir();
  write_game_file(dir, std::string("mapy/") + FRAME_SCRIPT_MAP_NAME, frame_script_map());

  pid_t pid = 0;
  int found = start_game_anywhere(dir, &pid);
  EXPECT_TRUE(found) << program << ": the menu never appeared";
  if (!found) {
    wait_game(pid, 0);
    return seen;
  }
  EXPECT_TRUE(move_pointer(FRAME_PARK_X, FRAME_PARK_Y)) << program << ": the game never showed the pointer";
  seen = play_frame_steps(model);
  click_at(FRAME_QUIT_X, FRAME_QUIT_Y, 1, 150);
  EXPECT_EQ(wait_game(pid, 10000), 0) << program;
  (void)!system(("rm -rf '" + dir + "'").c_str());
  return seen;
}

TEST(WindowsFrames, SameAsTheLinuxGame)
{
  const char *linux_game = getenv("POKLAD_LINUX");
  const char *windows_game = getenv("POKLAD_WINDOWS");
  const char *wine = getenv("WINE");
  const char *window_cfg = getenv("WINDOW_CFG_DIR");
  ASSERT_TRUE(linux_game && windows_game && wine && window_cfg);
  std::vector<CHECKPOINT> on_linux = play("", linux_game, nullptr, nullptr);
  (void)!system("wineserver -w");  // no Wine desktop still closing from before
  std::vector<CHECKPOINT> on_windows = play(wine, windows_game, window_cfg, &on_linux);
  expect_same_frames(on_linux, on_windows, "windows");
}

}  // namespace
