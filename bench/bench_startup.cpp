// Start-up to the first menu frame, measured on fresh processes.
#include "bench_startup.h"
#include "menu/menu.h"
#include "shell/game.h"
#include "shell/image_set.h"
#include "shell/input.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

const char *phase_name(int phase)
{
  static const char *const names[PHASE_COUNT] = {
    "allegro_init", "install_timer", "install_mouse", "set_color_depth + set_gfx_mode",
    "set_close_button_callback", "trial load in a child process", "load_datafile + check",
    "create_bitmap", "first menu_update + menu_draw",
  };
  return phase >= 0 && phase < PHASE_COUNT ? names[phase] : "?";
}

static void first_menu_frame(void)
{
  game_menu.quit = 0;
  game_menu.map_index = 1;
  menu_update(&game_menu);
  menu_draw(&game_menu);
}

int startup_child_main(void)
{
  double at_main = now_us();
  init_game();
  double at_init = now_us();
  first_menu_frame();
  double at_frame = now_us();
  printf("%.1f %.1f %.1f\n", at_main, at_init, at_frame);
  fflush(stdout);
  shutdown_game();
  return 0;
}

int startup_phases_main(void)
{
  double at[PHASE_COUNT + 1];
  at[0] = now_us();
  if (allegro_init() != 0)
    return 1;
  at[1] = now_us();
  install_timer();
  at[2] = now_us();
  install_mouse();
  at[3] = now_us();
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0)
    return 1;
  at[4] = now_us();
  set_close_button_callback(on_close_button);
  at[5] = now_us();
  if (!image_set_loads_safely(IMAGE_SET_FILE))
    return 1;
  at[6] = now_us();
  game_data = load_datafile(IMAGE_SET_FILE);
  if (!image_set_usable(game_data))
    return 1;
  at[7] = now_us();
  back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!back_buffer)
    return 1;
  at[8] = now_us();
  first_menu_frame();
  at[9] = now_us();
  for (int i = 0; i < PHASE_COUNT; i++)
    printf("%.1f ", at[i + 1] - at[i]);
  printf("\n");
  fflush(stdout);
  shutdown_game();
  return 0;
}

// Starts this program again in workdir with the given argument and reads
// the numbers its child prints; started holds the time just before fork.
static int run_child(const char *workdir, const char *arg, double *started, double *numbers, int count)
{
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0)
    return 0;
  fflush(stdout);
  *started = now_us();
  pid_t child = fork();
  if (child < 0)
    return 0;
  if (child == 0) {
    close(pipe_fds[0]);
    if (chdir(workdir) != 0 || dup2(pipe_fds[1], STDOUT_FILENO) < 0)
      _exit(127);
    execl("/proc/self/exe", "frame_bench", arg, static_cast<char *>(nullptr));
    _exit(127);
  }
  close(pipe_fds[1]);
  FILE *from_child = fdopen(pipe_fds[0], "r");
  int got = 0;
  if (from_child) {
    while (got < count && fscanf(from_child, "%lf", &numbers[got]) == 1)
      got++;
    fclose(from_child);
  } else {
    close(pipe_fds[0]);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return got == count && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int startup_measure(const char *workdir, int runs, STARTUP_RESULT *result)
{
  for (int run = 0; run < runs; run++) {
    double started, at[3];
    if (!run_child(workdir, STARTUP_CHILD_ARG, &started, at, 3))
      return 0;
    result->total.us.push_back(at[2] - started);
    result->to_main.us.push_back(at[0] - started);
    result->init_game.us.push_back(at[1] - at[0]);
    result->first_frame.us.push_back(at[2] - at[1]);

    double phases[PHASE_COUNT];
    if (!run_child(workdir, STARTUP_PHASES_ARG, &started, phases, PHASE_COUNT))
      return 0;
    for (int i = 0; i < PHASE_COUNT; i++)
      result->phases[i].us.push_back(phases[i]);
  }
  return 1;
}
