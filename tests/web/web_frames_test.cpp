// The web game in a browser engine (WEB_ENGINE: Chromium, Firefox or WebKit)
// shows the same frames as the Linux game for the same clicks
// (frame_script.h): the Linux game plays full screen on this test's X screen
// with the real image set, the web game plays in web_frames.js, and every
// checkpoint's picture must be identical.
#include "frame_script.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string file_bytes(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<CHECKPOINT> play_on_linux(const char *program, const char *data)
{
  setenv("POKLAD", program, 1);
  unsetenv("POKLAD_WINE");
  std::string dir = make_game_dir();
  write_game_file(dir, "tarkoni.dat", file_bytes(std::string(data) + "/tarkoni.dat"));
  write_game_file(dir, std::string("mapy/") + FRAME_SCRIPT_MAP_NAME, frame_script_map());
  pid_t pid = start_game(dir);
  std::vector<CHECKPOINT> seen;
  if (!move_pointer(FRAME_PARK_X, FRAME_PARK_Y)) {
    ADD_FAILURE() << program << ": the game never showed the pointer";
    wait_game(pid, 0);
    return seen;
  }
  seen = play_frame_steps(0);  // the real image set: no test colours to tell screens by
  click_at(FRAME_QUIT_X, FRAME_QUIT_Y, 1, 150);
  EXPECT_EQ(wait_game(pid, 10000), 0) << program;
  (void)!system(("rm -rf '" + dir + "'").c_str());
  return seen;
}

std::vector<CHECKPOINT> play_on_web(const char *dist, const char *data, const char *script)
{
  std::string dir = temp_folder("web");
  {
    std::ofstream steps(dir + "/steps");
    for (int i = 0; i < FRAME_STEP_COUNT; i++)
      steps << FRAME_STEPS[i].x << ' ' << FRAME_STEPS[i].y << ' ' << FRAME_STEPS[i].button << ' '
            << FRAME_STEPS[i].hold_ms << '\n';
    std::ofstream map(dir + "/map", std::ios::binary);
    map << frame_script_map();
  }
  // An engine that needs a bigger X screen than the Linux game's gets its own
  // (WEB_FRAMES_DISPLAY: a command to run the browser's side in, as xvfb-run).
  const char *display = getenv("WEB_FRAMES_DISPLAY");
  std::string command = std::string(display ? display : "") + " node '" + std::string(script) + "' '" + dist + "' '" + dir + "/steps' '" + dir + "/map' '" +
                        data + "' '" + dir + "/frames'";
  EXPECT_EQ(system(command.c_str()), 0) << command;
  std::vector<CHECKPOINT> seen;
  for (int i = 0; i < FRAME_STEP_COUNT; i++) {
    std::string bytes = file_bytes(dir + "/frames/" + std::to_string(i) + ".565");
    FRAME f(bytes.size() / 2);
    for (size_t p = 0; p < f.size(); p++)
      f[p] = static_cast<unsigned short>(static_cast<unsigned char>(bytes[2 * p]) |
                                         (static_cast<unsigned char>(bytes[2 * p + 1]) << 8));
    seen.push_back({FRAME_STEPS[i].name, f});
  }
  (void)!system(("rm -rf '" + dir + "'").c_str());
  return seen;
}

TEST(WebFrames, SameAsTheLinuxGame)
{
  const char *linux_game = getenv("POKLAD_LINUX");
  const char *dist = getenv("WEB_DIST");
  const char *data = getenv("POKLAD_DATA");
  const char *script = getenv("WEB_FRAMES_SCRIPT");
  ASSERT_TRUE(linux_game && dist && data && script);
  std::vector<CHECKPOINT> on_linux = play_on_linux(linux_game, data);
  std::vector<CHECKPOINT> on_web = play_on_web(dist, data, script);
  expect_same_frames(on_linux, on_web, "web");
}

}  // namespace
