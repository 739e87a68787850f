// File input and output for the map kit.
#include "kit_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int kit_read_file(const char *path, size_t limit, std::string *data, std::string *why)
{
  // O_NONBLOCK: a FIFO without a writer must not stall the open.
  int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *why = strerror(errno);
    return -1;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    *why = strerror(errno);
    close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    *why = S_ISDIR(st.st_mode) ? "is a directory" : "is not a regular file";
    close(fd);
    return -1;
  }
  data->clear();
  char buf[4096];
  while (data->size() < limit) {
    size_t want = limit - data->size() < sizeof buf ? limit - data->size() : sizeof buf;
    ssize_t got = read(fd, buf, want);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      *why = strerror(errno);
      close(fd);
      return -1;
    }
    if (got == 0)
      break;
    data->append(buf, static_cast<size_t>(got));
  }
  close(fd);
  return 0;
}

// The folder part of path ("." when it has none).
static std::string folder_of(const char *path)
{
  const char *slash = strrchr(path, '/');
  if (!slash)
    return ".";
  if (slash == path)
    return "/";
  return std::string(path, slash - path);
}

// The mode for a new file at path: 0666 less the umask, or the mode of the
// regular file that path already names.
static mode_t mode_for(const char *path)
{
  struct stat st;
  if (lstat(path, &st) == 0 && S_ISREG(st.st_mode))
    return st.st_mode & 0777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

int kit_same_file(const char *a, const char *b)
{
  struct stat sa, sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int kit_write_file(const char *path, const void *data, size_t length, std::string *why)
{
  struct stat st;
  if (stat(path, &st) == 0 && !S_ISREG(st.st_mode)) {
    *why = S_ISDIR(st.st_mode) ? "is a directory" : "is not a regular file (a device, FIFO or socket is never written)";
    return -1;
  }
  mode_t mode = mode_for(path);
  std::string tmp = folder_of(path) + "/.mapkit-XXXXXX";
  int fd = mkstemp(&tmp[0]);
  if (fd < 0) {
    *why = std::string("cannot create a file in ") + folder_of(path) + ": " + strerror(errno);
    return -1;
  }
  const char *p = static_cast<const char *>(data);
  size_t left = length;
  int failed = fchmod(fd, mode) != 0;
  while (!failed && left > 0) {
    ssize_t put = write(fd, p, left);
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
  if (close(fd) != 0 && !failed) {
    failed = 1;
    *why = strerror(errno);
  }
  if (!failed && rename(tmp.c_str(), path) != 0) {
    failed = 1;
    *why = strerror(errno);
  }
  if (failed) {
    unlink(tmp.c_str());
    return -1;
  }
  return 0;
}
