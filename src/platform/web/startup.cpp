// The web browser's side of the platform seam. A page has one process and
// no signals: the trial load of the image set is a check of the file's
// layout, in-process, against what the library's loader relies on (a crash
// there could not be contained), and the page itself ends the game.
#include "platform/platform.h"
#include "shell/datafile_check.h"

// Larger than any image set the game could show (the shipped one is 2 MB).
enum { LARGEST_IMAGE_SET = 64 * 1024 * 1024 };

void platform_run_helper(int argc, char **argv)
{
  (void)argc;
  (void)argv;
}

int platform_trial_load(const char *path, int timeout_ms)
{
  (void)timeout_ms;  // nothing runs apart, nothing to wait for
  return datafile_file_sound(path, LARGEST_IMAGE_SET);
}

void platform_guard_exit(void) {}
