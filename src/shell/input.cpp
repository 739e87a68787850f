// Reading the pointer, the fixed pause and the window's close button.
#include "shell/input.h"
#include "shell/alleg.h"

int pause_count = 0;
std::atomic<int> close_requested(0);
static_assert(std::atomic<int>::is_always_lock_free, "close_requested is set in a signal handler");

int mouse_in_rect(int x, int y, int w, int h)
{
  if (mouse_x >= x + w || mouse_x <= x)
    return 0;
  if (mouse_y >= y + h || mouse_y <= y)
    return 0;
  return 1;
}

int left_button_down(void) { return (mouse_b & 1) != 0; }
int right_button_down(void) { return (mouse_b & 2) != 0; }
int right_button_alone(void) { return mouse_b == 2; }

void pause_200ms(void)
{
  pause_count++;
  rest(PAUSE_MS);
}

void on_close_button(void)
{
  close_requested = 1;
}
