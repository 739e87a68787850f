// The POSIX and X11 side of the platform seam's ending: the game ends when
// its X connection is lost or a signal asks it to stop, without the
// library's own handlers, which call back into the library from a signal
// handler and can deadlock on its locks.
#include "platform/platform.h"

#include <allegro.h>
#include <X11/Xlib.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <semaphore.h>
#include <time.h>
#include <unistd.h>

// How long the game may take to end its loops and give the display back
// after a signal before it is ended without that.
enum { SIGNAL_GRACE_MS = 500 };

static const int ending_signals[] = {SIGTERM, SIGHUP, SIGINT};

static volatile sig_atomic_t ending_signal = 0;  // the first that came, 0 for none
static sem_t signal_came;                           // posted by the handler, awaited by the watchdog
static void (*volatile last_words_hook)(void) = nullptr;
static void (*volatile stop_hook)(void) = nullptr;  // ends the screens' loops

int platform_stop_signal(void)
{
  return ending_signal;
}

void platform_set_last_words(void (*last_words)(void))
{
  last_words_hook = last_words;
}

// Ends the process by sig with its default action, from any thread, also
// from a signal handler or one that blocks signals; never returns.
[[noreturn]] static void die_by_signal(int sig)
{
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigaction(sig, &action, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, sig);
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  raise(sig);
  _exit(128 + sig);
}

// Xlib calls this when the connection breaks, on whichever thread meets it,
// perhaps holding the library's locks. It must not return (Xlib would call
// exit, and the library's exit routine would wait for those locks for ever),
// and it may only use what is safe in a signal handler.
static int on_display_lost(Display *)
{
  static const char message[] = "Hledani pokladu: the connection to the X display was lost\n";
  if (last_words_hook)
    last_words_hook();
  if (ending_signal)
    die_by_signal(ending_signal);
  (void)!write(STDERR_FILENO, message, sizeof message - 1);
  _exit(EXIT_DISPLAY_LOST);
}

// Only notes the signal and has the game's loops end; the watchdog thread
// sees to it that the process ends in time anyway.
static void on_ending_signal(int sig)
{
  int saved_errno = errno;
  if (!ending_signal)
    ending_signal = sig;
  if (stop_hook)
    stop_hook();
  sem_post(&signal_came);
  errno = saved_errno;
}

static void *watchdog(void *)
{
  sigset_t all;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, nullptr);
  while (sem_wait(&signal_came) != 0) {
  }
  struct timespec grace = {SIGNAL_GRACE_MS / 1000, (SIGNAL_GRACE_MS % 1000) * 1000000L};
  while (nanosleep(&grace, &grace) != 0) {
  }
  if (last_words_hook)
    last_words_hook();
  die_by_signal(ending_signal);
}

// Registered after the library's own exit routine, so it runs first: when a
// signal ended the loops, the display is given back and the process then
// dies by that signal, as its sender expects.
static void finish_by_signal(void)
{
  int sig = ending_signal;
  if (!sig)
    return;
  allegro_exit();
  die_by_signal(sig);
}

void platform_guard_exit(void (*stop)(void))
{
  stop_hook = stop;
  XSetIOErrorHandler(on_display_lost);

  pthread_t thread;
  if (sem_init(&signal_came, 0, 0) != 0 || pthread_create(&thread, nullptr, watchdog, nullptr) != 0)
    return;  // the library's handlers stay
  pthread_detach(thread);
  atexit(finish_by_signal);

  struct sigaction action = {};
  action.sa_handler = on_ending_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : ending_signals) {
    struct sigaction old;
    sigaction(sig, nullptr, &old);
    if (old.sa_handler != SIG_IGN)
      sigaction(sig, &action, nullptr);
  }
}
