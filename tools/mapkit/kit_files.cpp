// File input and output for the map kit.
#include "kit_files.h"
#include "match/match.h"
#include "shell/platform.h"

#include <cerrno>
#include <cstring>

int kit_read_file(const char *path, size_t limit, std::string *data, std::string *why)
{
  return kit_read_file_kind(path, limit, data, why) == KIT_READ_OK ? 0 : -1;
}

int kit_read_file_kind(const char *path, size_t limit, std::string *data, std::string *why)
{
  int fd = platform_open_read(path);  // never stalls on a FIFO
  if (fd < 0) {
    int error = errno;
    // Windows refuses to open a folder (EACCES), and so does Linux one the
    // reader may not list: both are still folders.
    if (error != ENOENT && platform_path_kind(path) == PLATFORM_DIRECTORY) {
      *why = "is a directory";
      return KIT_READ_DIRECTORY;
    }
    *why = strerror(error);
    return error == ENOENT ? KIT_READ_MISSING : KIT_READ_FAILED;
  }
  int kind = platform_fd_kind(fd);
  if (kind == PLATFORM_NOTHING) {
    *why = strerror(errno);
    platform_close(fd);
    return KIT_READ_FAILED;
  }
  if (kind != PLATFORM_REGULAR) {
    *why = kind == PLATFORM_DIRECTORY ? "is a directory" : "is not a regular file";
    platform_close(fd);
    return kind == PLATFORM_DIRECTORY ? KIT_READ_DIRECTORY : KIT_READ_NOT_REGULAR;
  }
  data->clear();
  char buf[4096];
  while (data->size() < limit) {
    size_t want = limit - data->size() < sizeof buf ? limit - data->size() : sizeof buf;
    long got = platform_read(fd, buf, want);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      *why = strerror(errno);
      platform_close(fd);
      return KIT_READ_FAILED;
    }
    if (got == 0)
      break;
    data->append(buf, static_cast<size_t>(got));
  }
  platform_close(fd);
  return KIT_READ_OK;
}

// The folder part of path ("." when it has none).
static std::string folder_of(const char *path)
{
  const char *slash = platform_last_separator(path);
  if (!slash)
    return ".";
  if (slash == path)
    return "/";
  return std::string(path, slash - path);
}

int kit_same_file(const char *a, const char *b)
{
  return platform_same_file(a, b);
}

int kit_write_file(const char *path, const void *data, size_t length, std::string *why)
{
  int kind = platform_path_kind(path);
  if (kind != PLATFORM_NOTHING && kind != PLATFORM_REGULAR) {
    *why = kind == PLATFORM_DIRECTORY ? "is a directory" : "is not a regular file (a device, FIFO or socket is never written)";
    return -1;
  }
  std::string tmp = folder_of(path) + "/" MAP_SAVE_TEMP_PREFIX "XXXXXX";
  int fd = platform_create_temp(&tmp[0], path);
  if (fd < 0) {
    *why = std::string("cannot create a file in ") + folder_of(path) + ": " + strerror(errno);
    return -1;
  }
  const char *p = static_cast<const char *>(data);
  size_t left = length;
  int failed = 0;
  while (!failed && left > 0) {
    long put = platform_write(fd, p, left);
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0) {
      failed = 1;
      break;
    }
    p += put;
    left -= static_cast<size_t>(put);
  }
  if (failed)
    *why = strerror(errno ? errno : EIO);
  if (platform_close(fd) != 0 && !failed) {
    failed = 1;
    *why = strerror(errno);
  }
  if (!failed && platform_replace_file(tmp.c_str(), path) != 0) {
    failed = 1;
    *why = strerror(errno);
  }
  if (failed) {
    platform_remove_file(tmp.c_str());
    return -1;
  }
  return 0;
}
