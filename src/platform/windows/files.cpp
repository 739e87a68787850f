// The Windows side of the platform seam's file functions: every path comes
// in UTF-8 and reaches Windows in UTF-16 through its wide calls, and every
// file is opened in binary mode, which the C library would otherwise not do.
#include "platform/platform.h"
#include "platform/windows/wide_text.h"

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
  return _wopen(wide_from_utf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int platform_create_new(const char *path, const char *target)
{
  (void)target;  // Windows files carry no permission bits to keep
  return _wopen(wide_from_utf8(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
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

