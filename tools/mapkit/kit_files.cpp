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
  std::vector<char> folder(strlen(path) + 2);
  platform_folder_of(path, folder.data(), folder.size());
  kit_remove_stale_temps(folder.data(), static_cast<long long>(time(nullptr)));
  std::string tmp = std::string(folder.data()) + "/" MAP_SAVE_TEMP_PREFIX "XXXXXX";
  switch (platform_write_file_safely(&tmp[0], path, data, length)) {
  case PLATFORM_WRITE_OK:
    return KIT_WRITE_OK;
  case PLATFORM_WRITE_NO_TEMP:
    *why = std::string("cannot create a file in ") + folder.data() + ": " + strerror(errno);
    return KIT_WRITE_NO_FOLDER;
  default:
    *why = strerror(errno);
    return KIT_WRITE_FAILED;
  }
}
