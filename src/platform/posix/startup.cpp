// The POSIX side of the platform seam's start-up: the programs run where they
// are started and get their words as they are, and the trial load of the
// image set runs in a forked child.
#include "platform/platform.h"

#include <csignal>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

void platform_utf8_args(int *argc, char ***argv)
{
  (void)argc;
  (void)argv;
}

std::string platform_enter_data_folder(const char *marker)
{
  (void)marker;
  return "";
}

void platform_run_helper(int argc, char **argv, int (*trial_load)(const char *path))
{
  (void)argc;
  (void)argv;
  (void)trial_load;
}

// Runs in the child: load, check, and leave with _exit. The library's
// signal handlers and exit routine would shut down the display connection
// the child shares with the parent, so a crash must simply kill the child.
[[noreturn]] static void trial_load_child(const char *path, int (*trial_load)(const char *path))
{
  static const int fatal_signals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT,
                                      SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGTRAP};
  for (int sig : fatal_signals)
    signal(sig, SIG_DFL);
  _exit(trial_load(path) ? 0 : 1);
}

int platform_trial_load(const char *path, int timeout_ms, int (*trial_load)(const char *path),
                        int (*check)(const char *path))
{
  (void)check;  // the child may crash: the load itself is tried
  // A parent that ignores SIGCHLD passes that on across exec, and then the
  // kernel reaps the child itself: waitpid would fail with ECHILD and a good
  // set would count as bad. The default disposition keeps the child's status.
  signal(SIGCHLD, SIG_DFL);
  pid_t child = fork();
  if (child < 0)
    return 0;
  if (child == 0)
    trial_load_child(path, trial_load);

  int status = 0;
  for (int waited = 0;; waited++) {  // in 1 ms ticks
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child)
      break;
    if (done < 0)
      return 0;
    if (waited >= timeout_ms) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return 0;
    }
    struct timespec tick = {0, 1000 * 1000};  // the child needs a few of these
    nanosleep(&tick, nullptr);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
