// File input and output for the map kit.
#include "kit_files.h"
#include "match/match.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

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

int kit_remove_stale_temps(const char *folder, long long now)
{
  PLATFORM_FOLDER *listing = platform_folder_open(folder);
  if (!listing)
    return 0;
  // Collected first: removing names while the folder is read may skip some.
  std::vector<std::string> stale;
  size_t temp_length = strlen(MAP_SAVE_TEMP_PREFIX) + 6;
  while (const char *name = platform_folder_next(listing)) {
    if (!map_is_save_temp(name) || strlen(name) != temp_length)
      continue;
    std::string path = std::string(folder) + "/" + name;
    long long changed = platform_regular_file_time(path.c_str());
    if (changed >= 0 && now - changed >= KIT_STALE_TEMP_SECONDS)
      stale.push_back(path);
  }
  platform_folder_close(listing);
  int removed = 0;
  for (const std::string &path : stale)
    removed += platform_remove_file(path.c_str()) == 0;
  return removed;
}

// Writes all of data to fd; 0, or -1 with errno set.
static int write_all(int fd, const char *p, size_t left)
{
  while (left > 0) {
    long put = platform_write(fd, p, left);
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0) {
      if (put == 0)
        errno = EIO;
      return -1;
    }
    p += put;
    left -= static_cast<size_t>(put);
  }
  return 0;
}

int kit_write_file(const char *path, const void *data, size_t length, std::string *why)
{
  int kind = platform_path_kind(path);
  if (kind != PLATFORM_NOTHING && kind != PLATFORM_REGULAR) {
    if (kind == PLATFORM_DIRECTORY) {
      *why = "is a directory";
      return KIT_WRITE_DIRECTORY;
    }
    *why = "is not a regular file (a device, FIFO or socket is never written)";
    return KIT_WRITE_NOT_REGULAR;
  }
  std::string folder = folder_of(path);
  kit_remove_stale_temps(folder.c_str(), static_cast<long long>(time(nullptr)));
  std::string tmp = folder + "/" MAP_SAVE_TEMP_PREFIX "XXXXXX";
  int fd = platform_create_temp(&tmp[0], path);
  if (fd < 0) {
    *why = std::string("cannot create a file in ") + folder + ": " + strerror(errno);
    return KIT_WRITE_NO_FOLDER;
  }
  // The bytes reach the disk before the rename makes them the map: a power
  // cut then leaves the old map or the new one, never an empty file.
  int failed = write_all(fd, static_cast<const char *>(data), length) != 0 || platform_flush_file(fd) != 0;
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
    return KIT_WRITE_FAILED;
  }
  return KIT_WRITE_OK;
}
