// The Windows side of the platform seam's file functions: every path comes
// in UTF-8 and reaches Windows in UTF-16 through its wide calls, and every
// file is opened in binary mode, which the C library would otherwise not do.
#include "platform/platform.h"
#include "platform/windows/wide_text.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

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

int platform_open_read(const char *path)
{
  return _wopen(wide_from_utf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int platform_create_temp(char *path_template, const char *target)
{
  (void)target;  // Windows files carry no permission bits to keep
  size_t length = strlen(path_template);
  if (length < 6 || strcmp(path_template + length - 6, "XXXXXX") != 0) {
    errno = EINVAL;
    return -1;
  }
  static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  for (int attempt = 0; attempt < 100; attempt++) {
    for (size_t i = length - 6; i < length; i++) {
      seed = seed * 1103515245u + 12345u;
      path_template[i] = letters[(seed >> 16) % (sizeof letters - 1)];
    }
    int fd = _wopen(wide_from_utf8(path_template).c_str(),
                    _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  errno = EEXIST;
  return -1;
}

int platform_flush_file(int fd)
{
  return _commit(fd);
}

// The volume and the file index name a file whatever path or link leads to it.
static int file_identity(const char *path, BY_HANDLE_FILE_INFORMATION *info)
{
  HANDLE h = CreateFileW(wide_from_utf8(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return 0;
  BOOL ok = GetFileInformationByHandle(h, info);
  CloseHandle(h);
  return ok ? 1 : 0;
}

int platform_same_file(const char *a, const char *b)
{
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return file_identity(a, &ia) && file_identity(b, &ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

int platform_replace_file(const char *from, const char *to)
{
  if (MoveFileExW(wide_from_utf8(from).c_str(), wide_from_utf8(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  return -1;
}

int platform_write_file_now(const char *temp_path, const char *path, const void *data, size_t length)
{
  int fd = _wopen(wide_from_utf8(temp_path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
  if (fd < 0)
    return -1;
  const char *p = static_cast<const char *>(data);
  int failed = 0;
  while (length > 0 && !failed) {
    unsigned chunk = length > 65536 ? 65536u : static_cast<unsigned>(length);
    int put = _write(fd, p, chunk);
    failed = put <= 0;
    if (!failed) {
      p += put;
      length -= static_cast<size_t>(put);
    }
  }
  failed = _commit(fd) != 0 || failed;
  failed = _close(fd) != 0 || failed;
  if (failed || platform_replace_file(temp_path, path) != 0) {
    _wunlink(wide_from_utf8(temp_path).c_str());
    return -1;
  }
  return 0;
}

static int kind_of(const struct _stat64 *st)
{
  if ((st->st_mode & _S_IFMT) == _S_IFREG)
    return PLATFORM_REGULAR;
  return (st->st_mode & _S_IFMT) == _S_IFDIR ? PLATFORM_DIRECTORY : PLATFORM_OTHER;
}

int platform_path_kind(const char *path)
{
  struct _stat64 st;
  return _wstat64(wide_from_utf8(path).c_str(), &st) == 0 ? kind_of(&st) : PLATFORM_NOTHING;
}

int platform_fd_kind(int fd)
{
  struct _stat64 st;
  return _fstat64(fd, &st) == 0 ? kind_of(&st) : PLATFORM_NOTHING;
}

long platform_read(int fd, void *buffer, size_t size)
{
  return _read(fd, buffer, static_cast<unsigned>(std::min<size_t>(size, 1u << 30)));
}

long platform_write(int fd, const void *buffer, size_t size)
{
  return _write(fd, buffer, static_cast<unsigned>(std::min<size_t>(size, 1u << 30)));
}

int platform_close(int fd)
{
  return _close(fd);
}

int platform_remove_file(const char *path)
{
  return _wunlink(wide_from_utf8(path).c_str());
}

long long platform_regular_file_time(const char *path)
{
  struct _stat64 st;
  if (_wstat64(wide_from_utf8(path).c_str(), &st) != 0 || kind_of(&st) != PLATFORM_REGULAR)
    return -1;
  return static_cast<long long>(st.st_mtime);
}

void platform_binary_stdout(void)
{
  fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

const char *platform_last_separator(const char *path)
{
  const char *slash = strrchr(path, '/'), *backslash = strrchr(path, '\\');
  return slash > backslash ? slash : backslash;
}

static DWORD attributes_of(const char *path)
{
  return GetFileAttributesW(wide_from_utf8(path).c_str());
}

int platform_path_exists(const char *path)
{
  return attributes_of(path) != INVALID_FILE_ATTRIBUTES;
}

int platform_is_protected(const char *path)
{
  DWORD attributes = attributes_of(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) != 0;
}

int platform_make_folder(const char *path)
{
  DWORD attributes = attributes_of(path);
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
