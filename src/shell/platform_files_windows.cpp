// The Windows side of the platform seam's file functions: every file is
// opened in binary mode, which the C library would otherwise not do.
#include "shell/platform.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

int platform_open_read(const char *path)
{
  return _open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
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
    int fd = _open(path_template, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
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
  HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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
  if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  return -1;
}

int platform_write_file_now(const char *temp_path, const char *path, const void *data, size_t length)
{
  int fd = _open(temp_path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
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
  if (failed || !MoveFileExA(temp_path, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    _unlink(temp_path);
    return -1;
  }
  return 0;
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

int platform_path_exists(const char *path)
{
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int platform_is_protected(const char *path)
{
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) != 0;
}

int platform_make_folder(const char *path)
{
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES)
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : -1;
  return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ? 0 : -1;
}

std::vector<std::string> platform_folder_names(const char *folder)
{
  std::vector<std::string> names;
  std::string pattern = std::string(folder) + "\\*";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

struct PLATFORM_FOLDER {
  HANDLE search;
  WIN32_FIND_DATAA found;
  int pending;  // found holds a name not yet handed out
};

PLATFORM_FOLDER *platform_folder_open(const char *folder)
{
  PLATFORM_FOLDER *listing = new PLATFORM_FOLDER{};
  std::string pattern = std::string(folder) + "\\*";
  listing->search = FindFirstFileA(pattern.c_str(), &listing->found);
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
    if (!folder->pending && !FindNextFileA(folder->search, &folder->found))
      return nullptr;
    folder->pending = 0;
    const char *name = folder->found.cFileName;
    if (strcmp(name, ".") != 0 && strcmp(name, "..") != 0)
      return name;
  }
}

void platform_folder_close(PLATFORM_FOLDER *folder)
{
  FindClose(folder->search);
  delete folder;
}
