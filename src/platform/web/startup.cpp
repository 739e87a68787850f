// The web browser's side of the platform seam's start-up and ending. A page
// has one process and no signals: the trial load of the image set becomes
// the game's in-place check of the file (a crash of the library's loader
// could not be contained), and the page itself ends the game.
#include "platform/platform.h"

void platform_utf8_args(int *argc, char ***argv)
{
  (void)argc;
  (void)argv;
}

std::string platform_enter_data_folder(const char *marker)
{
  (void)marker;  // the page's files are where the page put them
  return "";
}

void platform_run_helper(int argc, char **argv, int (*trial_load)(const char *path))
{
  (void)argc;
  (void)argv;
  (void)trial_load;
}

int platform_trial_load(const char *path, int timeout_ms, int (*trial_load)(const char *path),
                        int (*check)(const char *path))
{
  (void)timeout_ms;  // nothing runs apart, nothing to wait for
  (void)trial_load;
  return check(path);
}

void platform_guard_exit(void (*stop)(void))
{
  (void)stop;
}
