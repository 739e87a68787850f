// Costs of single library calls on this machine.
#include "bench_facts.h"
#include "bench_timing.h"
#include "menu/menu.h"
#include "shell/game.h"
#include "shell/images.h"

#include <dirent.h>
#include <unistd.h>

static char *volatile kept_buffer;  // keeps the allocation from being optimised away

static void call_pointer_pair(void) { show_mouse(nullptr); show_mouse(back_buffer); }
static void call_clear(void) { clear_bitmap(back_buffer); }
static void call_tile(void) { blit(game_image(IMG_BACKGROUND), back_buffer, 0, 0, 300, 200, SCREEN_W, SCREEN_H); }
static void call_cell_frame(void) { blit(game_image(IMG_CELL_FRAME), back_buffer, 0, 0, 300, 200, SCREEN_W, SCREEN_H); }
static void call_cell(void) { masked_blit(game_image(IMG_CELL_COVERED), back_buffer, 0, 0, 301, 201, SCREEN_W, SCREEN_H); }
static void call_portrait(void) { masked_blit(game_image(IMG_PLAYER_1), back_buffer, 0, 0, 85, 150, SCREEN_W, SCREEN_H); }
static void call_text(void) { textprintf_ex(back_buffer, font, 92, 188, makecol(255, 0, 0), 0, "%s", "Pocitac"); }
static void call_present(void) { blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H); }
static void call_buffer(void)
{
  delete[] kept_buffer;
  kept_buffer = new char[MAP_PATH_SIZE];
  kept_buffer[0] = '\0';
}
static void call_open_close(void)
{
  DIR *dir = opendir(MAPS_DIRECTORY);
  if (dir)
    closedir(dir);
}
static void call_full_pass(void)
{
  DIR *dir = opendir(MAPS_DIRECTORY);
  if (!dir)
    return;
  while (readdir(dir)) {
  }
  closedir(dir);
}

// Median over rounds of the mean time per call in a round of calls calls.
static double time_call(void (*call)(void), int calls, int rounds)
{
  SAMPLES samples;
  call();
  for (int r = 0; r < rounds; r++) {
    double start = now_us();
    for (int i = 0; i < calls; i++)
      call();
    samples.us.push_back((now_us() - start) / calls);
  }
  return samples_stats(&samples).median_us;
}

static void add_fact(LIBRARY_FACTS *out, const char *what, double us)
{
  if (out->count < FACT_MAX)
    out->facts[out->count++] = LIBRARY_FACT{what, us};
}

void measure_library_facts(LIBRARY_FACTS *out, const char *small_maps, const char *large_maps,
                           int large_entries)
{
  char previous[4096];
  if (!getcwd(previous, sizeof previous))
    previous[0] = '\0';
  out->count = 0;
  add_fact(out, "show_mouse(NULL) + show_mouse(back_buffer)", time_call(call_pointer_pair, 200, 25));
  add_fact(out, "clear_bitmap(back_buffer), 800 x 600", time_call(call_clear, 50, 25));
  add_fact(out, "blit of a 100 x 100 tile", time_call(call_tile, 500, 25));
  add_fact(out, "blit of a 16 x 16 cell frame", time_call(call_cell_frame, 2000, 25));
  add_fact(out, "masked_blit of a 14 x 14 cell", time_call(call_cell, 2000, 25));
  add_fact(out, "masked_blit of a 120 x 50 portrait", time_call(call_portrait, 500, 25));
  add_fact(out, "textprintf_ex of 7 characters", time_call(call_text, 500, 25));
  add_fact(out, "blit of the back buffer to the screen", time_call(call_present, 50, 25));
  add_fact(out, "delete[] + new char[65536]", time_call(call_buffer, 2000, 25));
  show_mouse(nullptr);
  if (chdir(small_maps) == 0) {
    add_fact(out, "opendir + closedir of the maps folder", time_call(call_open_close, 500, 25));
    add_fact(out, "full pass over a 1-map folder (opendir, readdir x 4, closedir)",
             time_call(call_full_pass, 500, 25));
  }
  if (chdir(large_maps) == 0 && large_entries > 0)
    add_fact(out, "readdir, per entry, in a full pass over the largest maps folder",
             time_call(call_full_pass, 5, 25) / (large_entries + 2));
  if (previous[0] && chdir(previous) != 0)
    previous[0] = '\0';
}
