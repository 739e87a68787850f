// The safe write of a file and the names it needs, the same on every system:
// built only on the seam's own calls, none of which allocates on Linux, so
// that a signal handler may write a file too.
#include "platform/platform.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

int platform_folder_of(const char *path, char *folder, size_t size)
{
  const char *slash = platform_last_separator(path);
  size_t n = slash ? static_cast<size_t>(slash - path) : 0;
  if ((n ? n : 1) + 1 > size)  // "." or "/" when n is 0, and the terminator
    return -1;
  memcpy(folder, path, n);
  if (!slash)
    folder[n++] = '.';
  else if (n == 0)
    folder[n++] = *slash;
  folder[n] = '\0';
  return 0;
}

static int ends_in_template(const char *path)
{
  size_t length = strlen(path);
  return length >= 6 && strcmp(path + length - 6, "XXXXXX") == 0;
}

int platform_create_temp(char *path_template, const char *target)
{
  if (!ends_in_template(path_template)) {
    errno = EINVAL;
    return -1;
  }
  static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static unsigned calls = 0;
  // Different in each process and at each call; a name already taken only
  // costs another try.
  int here = 0;
  unsigned seed = static_cast<unsigned>(time(nullptr)) ^ static_cast<unsigned>(reinterpret_cast<uintptr_t>(&here)) ^
                  (++calls * 2654435761u);
  size_t length = strlen(path_template);
  for (int attempt = 0; attempt < 100; attempt++) {
    for (size_t i = length - 6; i < length; i++) {
      seed = seed * 1103515245u + 12345u;
      path_template[i] = letters[(seed >> 16) % (sizeof letters - 1)];
    }
    int fd = platform_create_new(path_template, target);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  errno = EEXIST;
  return -1;
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

int platform_write_file_safely(char *temp_path, const char *path, const void *data, size_t length)
{
  int fd;
  if (ends_in_template(temp_path)) {
    fd = platform_create_temp(temp_path, path);
  } else {
    platform_remove_file(temp_path);
    fd = platform_create_new(temp_path, path);
  }
  if (fd < 0)
    return PLATFORM_WRITE_NO_TEMP;
  // The bytes reach the disk before the rename makes them the file: a power
  // cut then leaves the old file or the new one, never an empty one.
  int failed = write_all(fd, static_cast<const char *>(data), length) != 0 || platform_flush_file(fd) != 0;
  int error = errno;
  if (platform_close(fd) != 0 && !failed) {
    failed = 1;
    error = errno;
  }
  if (!failed && platform_replace_file(temp_path, path) != 0) {
    failed = 1;
    error = errno;
  }
  if (!failed)
    return PLATFORM_WRITE_OK;
  platform_remove_file(temp_path);
  errno = error ? error : EIO;
  return PLATFORM_WRITE_FAILED;
}
