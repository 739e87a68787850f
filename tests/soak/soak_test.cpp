// A long run through the real menu and match functions: 100,000 menu frames
// and 1,000 matches played to their results screens, with the pointer moved
// by a script thread as a player's hand would. Resident memory may not grow
// from frame 1,000 to the end, and no file descriptor may stay open.
#include "display_env.h"
#include "frame_hook.h"
#include "match/play.h"
#include "menu/menu.h"
#include "shell/input.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

enum { MENU_FRAMES = 100000, WARM_UP_FRAMES = 1000, MATCHES = 1000 };

long resident_bytes(void)
{
  long pages = 0, resident = 0;
  FILE *f = fopen("/proc/self/statm", "r");
  if (f) {
    if (fscanf(f, "%ld %ld", &pages, &resident) != 2)
      resident = 0;
    fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

int open_descriptors(void)
{
  int n = 0;
  DIR *dir = opendir("/proc/self/fd");
  while (dirent *e = readdir(dir))
    if (e->d_name[0] != '.')
      n++;
  closedir(dir);
  return n - 1;  // the one opendir holds
}

// Waits until done() holds, for at most two seconds.
template <class F> bool wait_for(F done)
{
  for (int i = 0; i < 20000; i++) {
    if (done())
      return true;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return false;
}

// The hand: once a match has begun, clicks the first cells of the top row,
// presses the end-match button, holds both buttons on the results screen,
// then the right button alone. Runs until told to stop.
struct HAND {
  std::atomic<bool> stop{false};
  std::atomic<int> lost{0};

  void play_one_match()
  {
    volatile MATCH *m = &game_match;
    if (!wait_for([&] { return m->finished == 0 || stop; }))
      return lose();
    for (int column = 0; column < 4 && !stop; column++) {
      set_pointer(148 + 16 * column, 28, 1);
      if (!wait_for([&] { return m->revealed[column] != 0 || stop; }))
        return lose();
      set_pointer(148 + 16 * column, 28, 0);
    }
    set_pointer(70, 568, 1);
    if (!wait_for([&] { return m->end_requested == -1 || stop; }))
      return lose();
    // Both buttons keep the results screen up: three frames drawn after
    // they went down (the first may have read the buttons before) and the
    // screen is still there.
    mouse_b = 3;
    int frame = frames_presented;
    if (!wait_for([&] { return frames_presented >= frame + 3 || stop; }))
      return lose();
    if (m->finished != 0 && !stop)
      return lose();
    mouse_b = 2;
    if (!wait_for([&] { return m->finished == -1 || stop; }))
      return lose();
    mouse_b = 0;
  }
  void lose()
  {
    lost++;
    close_requested = 1;  // frees the main thread from a stuck loop
  }
};

TEST(Soak, MenuFramesAndMatchesKeepMemoryAndDescriptorsFlat)
{
  TEMP_WORKDIR dir;
  ASSERT_EQ(system("mkdir mapy"), 0);
  std::string map(1400, '\0');
  for (int i = 0; i < 1400; i++)
    map[i] = static_cast<char>(i % 12);
  dir.write_file("mapy/ostrov", map);
  dir.write_file("mapy/poust", std::string(200, '\3'));

  int descriptors = open_descriptors();
  game_match.player_kind[1] = PLAYER_HUMAN;
  game_match.player_kind[2] = PLAYER_COMPUTER;
  game_menu.quit = 0;
  game_menu.map_index = 1;
  set_pointer(5, 5, 0);

  for (int frame = 0; frame < WARM_UP_FRAMES; frame++) {
    menu_update(&game_menu);
    menu_draw(&game_menu);
  }
  long resident_after_warm_up = resident_bytes();

  HAND hand;
  std::atomic<int> matches_started{0};
  std::thread hand_thread([&] {
    int seen = 0;
    while (!hand.stop) {
      if (matches_started > seen) {
        seen++;
        hand.play_one_match();
      } else {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
    }
  });

  int frames = WARM_UP_FRAMES;
  for (int match = 0; match < MATCHES && !close_requested; match++) {
    game_match.finished = 1;  // marks "not begun" for the hand
    set_pointer(400, 407, 1); // on the start control, left button down
    matches_started++;
    menu_update(&game_menu);  // plays the whole match
    ASSERT_EQ(game_match.finished, -1) << "match " << match;
    set_pointer(5, 5, 0);
    menu_draw(&game_menu);
    frames++;
    // Menu frames between matches, switching the second map in and out.
    for (int i = 0; i < (MENU_FRAMES - WARM_UP_FRAMES) / MATCHES - 1; i++, frames++) {
      set_pointer(i % 2 ? 5 : 400, 5 + i % 300, 0);
      menu_update(&game_menu);
      menu_draw(&game_menu);
    }
  }
  hand.stop = true;
  hand_thread.join();
  ASSERT_EQ(hand.lost, 0) << "the scripted hand lost track of a match";
  EXPECT_EQ(close_requested, 0);

  long growth = resident_bytes() - resident_after_warm_up;
  printf("menu frames: %d, matches: %d, resident growth after frame %d: %ld bytes\n", frames, MATCHES,
         WARM_UP_FRAMES, growth);
  EXPECT_GE(frames, MENU_FRAMES);
  EXPECT_LT(growth, 1024 * 1024);
  EXPECT_EQ(open_descriptors(), descriptors);
}

}  // namespace
