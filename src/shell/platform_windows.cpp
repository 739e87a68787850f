// The Windows side of the platform seam. Windows cannot fork: the game
// starts its own program again with a private argument that only does the
// trial load and ends with the verdict as its exit code.
#include "shell/platform.h"
#include "shell/alleg.h"
#include "shell/image_set.h"
#include "shell/platform_wide.h"

#include <winalleg.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

static const char TRIAL_LOAD_ARG[] = "--trial-load-image-set";
enum { HELPER_BAD_SET = 1, HELPER_CRASHED = 3 };

// A crash in the helper ends it quietly with its own code: no crash dialog,
// no debugger (Wine starts one unless told otherwise).
static LONG WINAPI end_quietly(EXCEPTION_POINTERS *info)
{
  (void)info;
  TerminateProcess(GetCurrentProcess(), HELPER_CRASHED);
  return EXCEPTION_EXECUTE_HANDLER;
}

// The C library's abort() (a double free found by the heap) would show a
// "Runtime Error" box in a windowed program before it ends.
static void abort_quietly(int sig)
{
  (void)sig;
  TerminateProcess(GetCurrentProcess(), HELPER_CRASHED);
}

[[noreturn]] static void trial_load_helper(const char *path)
{
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(end_quietly);
  signal(SIGABRT, abort_quietly);
  signal(SIGSEGV, abort_quietly);
  // The loader needs the library but neither a window nor a display mode.
  if (install_allegro(SYSTEM_NONE, &errno, nullptr) != 0)
    ExitProcess(HELPER_BAD_SET);
  set_color_depth(16);
  ExitProcess(image_set_trial_load(path) ? 0 : HELPER_BAD_SET);
}

void platform_run_helper(int argc, char **argv)
{
  if (argc == 3 && strcmp(argv[1], TRIAL_LOAD_ARG) == 0)
    trial_load_helper(argv[2]);
}

int platform_trial_load(const char *path, int timeout_ms)
{
  // The program's own path and the set's path in UTF-16: a folder named
  // with letters outside the system's code page still starts the helper.
  std::wstring program = program_path();
  if (program.empty())
    return 0;
  std::wstring command = L"\"" + program + L"\" " + wide_from_utf8(TRIAL_LOAD_ARG) + L" \"" +
                         wide_from_utf8(path) + L"\"";

  STARTUPINFOW startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION helper;
  // The helper inherits the error mode, so a crash before it sets its own
  // shows no dialog either.
  UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  BOOL started = CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &helper);
  SetErrorMode(old_mode);
  if (!started)
    return 0;

  DWORD code = HELPER_CRASHED;
  if (WaitForSingleObject(helper.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0) {
    TerminateProcess(helper.hProcess, HELPER_CRASHED);
    WaitForSingleObject(helper.hProcess, INFINITE);
  } else if (!GetExitCodeProcess(helper.hProcess, &code)) {
    code = HELPER_CRASHED;
  }
  CloseHandle(helper.hThread);
  CloseHandle(helper.hProcess);
  return code == 0;
}
