// Checking an image set before the game relies on it.
#include "shell/image_set.h"
#include "shell/images.h"

#include <csignal>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { TRIAL_LOAD_TIMEOUT_MS = 10000 };

int image_set_usable(const DATAFILE *data)
{
  if (!data)
    return 0;
  int count = 0;
  while (count < IMG_COUNT && data[count].type != DAT_END)
    count++;
  if (count < IMG_COUNT)
    return 0;
  for (int i = 0; i < IMG_COUNT; i++)
    if (data[i].type != DAT_BITMAP || !data[i].dat)
      return 0;
  return 1;
}

// Runs in the child: load, check, and leave with _exit. The library's
// signal handlers and exit routine would shut down the display connection
// the child shares with the parent, so a crash must simply kill the child.
[[noreturn]] static void trial_load(const char *path)
{
  static const int fatal_signals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT,
                                      SIGTERM, SIGINT, SIGQUIT, SIGTRAP};
  for (int sig : fatal_signals)
    signal(sig, SIG_DFL);
  DATAFILE *data = load_datafile(path);
  _exit(image_set_usable(data) ? 0 : 1);
}

int image_set_loads_safely(const char *path)
{
  // A parent that ignores SIGCHLD passes that on across exec, and then the
  // kernel reaps the child itself: waitpid would fail with ECHILD and a good
  // set would count as bad. The default disposition keeps the child's status.
  signal(SIGCHLD, SIG_DFL);
  pid_t child = fork();
  if (child < 0)
    return 0;
  if (child == 0)
    trial_load(path);

  int status = 0;
  for (int waited = 0;; waited++) {  // in 1 ms ticks
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child)
      break;
    if (done < 0)
      return 0;
    if (waited >= TRIAL_LOAD_TIMEOUT_MS) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return 0;
    }
    struct timespec tick = {0, 1000 * 1000};  // the child needs a few of these
    nanosleep(&tick, nullptr);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
