/* What the Windows tests do to a program from inside Wine: hold a file the
   way another program that has it open does (no sharing), and end the
   session for a window as Windows does at logout (WM_QUERYENDSESSION, then
   WM_ENDSESSION). Cross-built by the native build's Windows tests.
   usage: wine_probe lock FILE SECONDS
          wine_probe end-session WINDOW_TITLE */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

/* Opens FILE with no sharing, says "locked" and holds it for SECONDS. */
static int lock(const wchar_t *path, int seconds)
{
  HANDLE file = CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    fprintf(stderr, "wine_probe: cannot open the file (error %lu)\n", GetLastError());
    return 1;
  }
  printf("locked\n");
  fflush(stdout);
  Sleep((DWORD)seconds * 1000);
  CloseHandle(file);
  return 0;
}

/* Asks the window whether the session may end, then tells it that it ends;
   prints its answer and how long it took to take the end in. */
static int end_session(const wchar_t *title)
{
  HWND window = FindWindowW(NULL, title);
  if (!window) {
    fprintf(stderr, "wine_probe: no window of that title\n");
    return 1;
  }
  DWORD_PTR answer = 0, ignored = 0;
  if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer)) {
    fprintf(stderr, "wine_probe: no answer to WM_QUERYENDSESSION (error %lu)\n", GetLastError());
    return 2;
  }
  printf("may end: %d\n", answer ? 1 : 0);
  DWORD start = GetTickCount();
  if (!SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &ignored)) {
    fprintf(stderr, "wine_probe: no answer to WM_ENDSESSION (error %lu)\n", GetLastError());
    return 2;
  }
  printf("ended in %lu ms\n", (unsigned long)(GetTickCount() - start));
  return 0;
}

int wmain(int argc, wchar_t **argv)
{
  if (argc == 4 && wcscmp(argv[1], L"lock") == 0)
    return lock(argv[2], _wtoi(argv[3]));
  if (argc == 3 && wcscmp(argv[1], L"end-session") == 0)
    return end_session(argv[2]);
  fprintf(stderr, "usage: wine_probe lock FILE SECONDS | end-session WINDOW_TITLE\n");
  return 2;
}
