// The Windows side of the platform seam's ending: the library's own window
// handling ends the program, so there is nothing to guard.
#include "platform/platform.h"

int platform_stop_signal(void)
{
  return 0;
}

void platform_set_last_words(void (*last_words)(void))
{
  (void)last_words;  // the library's own window handling ends the program
}

// Windows has no display connection that could be lost under the game, and
// its window's close button reaches the game through the library.
void platform_guard_exit(void (*stop)(void))
{
  (void)stop;
}
