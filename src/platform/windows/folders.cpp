// The Windows side of the platform seam's folders: the working folder, paths
// given from another, making a folder and listing one, every name in UTF-8
// here and in UTF-16 at Windows' calls.
#include "platform/platform.h"
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

std::string platform_current_folder(void)
{
  wchar_t here[32768];
  DWORD length = GetCurrentDirectoryW(32768, here);
  return length == 0 || length >= 32768 ? "" : utf8_from_wide(here);
}

int platform_enter_folder(const char *folder)
{
  if (SetCurrentDirectoryW(wide_from_utf8(folder).c_str()))
    return 0;
  errno = ENOENT;
  return -1;
}

static int is_absolute(const char *path)
{
  return path[0] == '\\' || path[0] == '/' || (isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':');
}

std::string platform_path_from(const std::string &from, const char *path)
{
  if (from.empty() || is_absolute(path))
    return path;
  return from + "\\" + path;
}

int platform_make_folder(const char *path)
{
  DWORD attributes = GetFileAttributesW(wide_from_utf8(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES)
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : -1;
  return CreateDirectoryW(wide_from_utf8(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ? 0 : -1;
}

struct PLATFORM_FOLDER {
  HANDLE search;
  WIN32_FIND_DATAW found;
  int pending;       // found holds a name not yet handed out
  std::string name;  // the last name handed out, in UTF-8
};

PLATFORM_FOLDER *platform_folder_open(const char *folder)
{
  PLATFORM_FOLDER *listing = new PLATFORM_FOLDER{};
  std::wstring pattern = wide_from_utf8(folder) + L"\\*";
  listing->search = FindFirstFileW(pattern.c_str(), &listing->found);
  if (listing->search == INVALID_HANDLE_VALUE) {
    delete listing;
    return nullptr;
  }
  listing->pending = 1;
  return listing;
}

const char *platform_folder_next(PLATFORM_FOLDER *folder)
{
  for (;;) {
    if (!folder->pending && !FindNextFileW(folder->search, &folder->found))
      return nullptr;
    folder->pending = 0;
    const wchar_t *name = folder->found.cFileName;
    if (wcscmp(name, L".") != 0 && wcscmp(name, L"..") != 0) {
      folder->name = utf8_from_wide(name);
      return folder->name.c_str();
    }
  }
}

void platform_folder_close(PLATFORM_FOLDER *folder)
{
  FindClose(folder->search);
  delete folder;
}

std::vector<std::string> platform_folder_names(const char *folder)
{
  std::vector<std::string> names;
  PLATFORM_FOLDER *listing = platform_folder_open(folder);
  if (!listing)
    return names;
  while (const char *name = platform_folder_next(listing))
    names.push_back(name);
  platform_folder_close(listing);
  std::sort(names.begin(), names.end());
  return names;
}
