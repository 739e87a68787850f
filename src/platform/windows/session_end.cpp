// The end of a Windows session (log off, shut down, an installer closing the
// program) and of the console the program runs in, told to the program as
// the stop signals are on Linux: its loop sees the stop, keeps what must be
// kept and ends, and the last words run if the loop does not see it in time.
#include "platform/platform.h"

#include <allegro.h>
#include <winalleg.h>

#include <csignal>

// Windows waits about five seconds for a program to answer the end of its
// session or console before it ends the program anyway: the loop gets one of
// them to see the stop, then as long again to do what it does then.
enum { LOOP_SEES_MS = 1000, LOOP_ENDS_MS = 1000, WAIT_STEP_MS = 10 };

static volatile LONG ending_signal = 0;  // the stop that came first, 0 for none
static volatile LONG stop_seen = 0;      // 1 once the loop has been told of it
static void (*volatile last_words_hook)(void) = nullptr;
static void (*volatile stop_hook)(void) = nullptr;  // ends the screens' loops

int platform_stop_signal(void)
{
  LONG sig = InterlockedCompareExchange(&ending_signal, 0, 0);
  if (sig)
    InterlockedExchange(&stop_seen, 1);
  return static_cast<int>(sig);
}

void platform_set_last_words(void (*last_words)(void))
{
  last_words_hook = last_words;
}

// Runs on the thread that Windows tells of the end (the library's window
// thread or the console's handler thread), which must not return before what
// is to be kept is on the disk: notes the stop for the loop, gives the loop
// time to see it and do its part, then runs the last words (which write
// nothing a second time). 1 when the loop saw the stop. A program that has
// set no last words keeps nothing and is ended by Windows as before.
static int end_with(int sig)
{
  if (!last_words_hook)
    return 0;
  InterlockedCompareExchange(&ending_signal, sig, 0);
  if (stop_hook)
    stop_hook();
  int waited = 0;
  while (!InterlockedCompareExchange(&stop_seen, 0, 0) && waited < LOOP_SEES_MS) {
    Sleep(WAIT_STEP_MS);
    waited += WAIT_STEP_MS;
  }
  int seen = InterlockedCompareExchange(&stop_seen, 0, 0) != 0;
  if (seen)
    Sleep(WAIT_STEP_MS * 10);  // the loop's own copy is the newest: let it begin
  last_words_hook();
  return seen;
}

// Called by the library's window procedure before its own handling of each
// message; 0 would end the message's handling there. Windows asks first
// whether the session may end (the library's default answer, yes, stands),
// then says whether it does: only a session that really ends stops the
// program.
static int before_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, int *result)
{
  (void)window;
  (void)lparam;
  (void)result;
  if (message == WM_ENDSESSION && wparam)
    end_with(SIGTERM);
  return 1;
}

// Runs on a thread of its own. Windows ends the process as soon as this
// returns for a closed console, a log-off or a shutdown, and after five
// seconds in any case; Ctrl+C and Ctrl+Break end it unless answered TRUE.
static BOOL WINAPI on_console_event(DWORD event)
{
  switch (event) {
  case CTRL_C_EVENT:
    return end_with(SIGINT);  // a loop that ended on it needs no more
  case CTRL_BREAK_EVENT:
    return end_with(SIGBREAK);
  case CTRL_CLOSE_EVENT:
  case CTRL_LOGOFF_EVENT:
  case CTRL_SHUTDOWN_EVENT:
    end_with(SIGTERM);
    return TRUE;
  default:
    return FALSE;
  }
}

void platform_guard_exit(void (*stop)(void))
{
  stop_hook = stop;
  win_set_msg_pre_proc(before_window_message);
  SetConsoleCtrlHandler(on_console_event, TRUE);
}
