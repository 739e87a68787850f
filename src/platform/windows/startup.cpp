// The Windows side of the platform seam's start-up: the command line's words
// in UTF-8, the folder of the program's data, and the trial load of the image
// set. Windows cannot fork: the game starts its own program again with a
// private argument that only does the trial load and ends with the verdict
// as its exit code.
#include "platform/platform.h"
#include "platform/windows/wide_text.h"

#include <windows.h>
#include <shellapi.h>

#include <csignal>
#include <cstring>
#include <string>

void platform_utf8_args(int *argc, char ***argv)
{
  static std::vector<std::string> words;
  static std::vector<char *> pointers;
  int count = 0;
  LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide)
    return;  // the C library's words are better than none
  words.clear();
  for (int i = 0; i < count; i++)
    words.push_back(utf8_from_wide(wide[i]));
  LocalFree(wide);
  pointers.clear();
  for (std::string &word : words)
    pointers.push_back(&word[0]);
  pointers.push_back(nullptr);
  *argc = count;
  *argv = pointers.data();
}

static int has_marker(const std::wstring &folder, const std::wstring &marker)
{
  std::wstring path = folder.empty() ? marker : folder + L"\\" + marker;
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string platform_enter_data_folder(const char *marker)
{
  std::wstring wide_marker = wide_from_utf8(marker);
  if (has_marker(L"", wide_marker))
    return "";
  std::wstring program = program_path();
  size_t cut = program.find_last_of(L"\\/");
  if (cut == std::wstring::npos)
    return "";
  std::wstring folder = program.substr(0, cut);
  std::string started = platform_current_folder();
  if (started.empty())
    return "";
  // The program's folder, then the one above it.
  for (int up = 0; up < 2; up++) {
    if (has_marker(folder, wide_marker) && SetCurrentDirectoryW((folder + L"\\").c_str()))
      return started;
    cut = folder.find_last_of(L"\\/");
    if (cut == std::wstring::npos)
      break;
    folder.resize(cut);
  }
  return "";
}


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

[[noreturn]] static void trial_load_helper(const char *path, int (*trial_load)(const char *path))
{
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(end_quietly);
  signal(SIGABRT, abort_quietly);
  signal(SIGSEGV, abort_quietly);
  ExitProcess(trial_load(path) ? 0 : HELPER_BAD_SET);
}

void platform_run_helper(int argc, char **argv, int (*trial_load)(const char *path))
{
  if (argc == 3 && strcmp(argv[1], TRIAL_LOAD_ARG) == 0)
    trial_load_helper(argv[2], trial_load);
}

int platform_trial_load(const char *path, int timeout_ms, int (*trial_load)(const char *path),
                        int (*check)(const char *path))
{
  (void)trial_load;  // platform_run_helper calls it in the second copy
  (void)check;
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
