// UTF-8 inside the programs, UTF-16 at Windows' calls.
#include "platform/windows/wide_text.h"

#include <windows.h>

std::wstring wide_from_utf8(const char *text)
{
  int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (size <= 1)
    return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], size);
  wide.resize(static_cast<size_t>(size - 1));  // the terminator
  return wide;
}

std::string utf8_from_wide(const wchar_t *text)
{
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1)
    return std::string();
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(size - 1));
  return utf8;
}

std::wstring program_path(void)
{
  // A path may be longer than MAX_PATH; a full buffer means cut short.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::wstring path(size, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, &path[0], size);
    if (length == 0)
      return std::wstring();
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return std::wstring();
}
