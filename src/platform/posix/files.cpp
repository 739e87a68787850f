// The POSIX side of the platform seam's file functions.
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void platform_utf8_args(int *argc, char ***argv)
{
  (void)argc;
  (void)argv;
}

std::string platform_enter_data_folder(const char *marker)
{
  (void)marker;
  return "";
}

std::string platform_current_folder(void)
{
  char here[4096];
  return getcwd(here, sizeof here) ? here : "";
}

int platform_enter_folder(const char *folder)
{
  return chdir(folder);
}

std::string platform_path_from(const std::string &from, const char *path)
{
  if (from.empty() || path[0] == '/')
    return path;
  return from + "/" + path;
}

int platform_open_read(const char *path)
{
  return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

// The permissions for a file replacing target: its own where it is a regular
// file, otherwise 0666 less the umask, as any tool creates files.
static mode_t mode_for(const char *target)
{
  struct stat st;
  if (lstat(target, &st) == 0 && S_ISREG(st.st_mode))
    return st.st_mode & 0777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

int platform_create_temp(char *path_template, const char *target)
{
  mode_t mode = mode_for(target);
  int fd = mkstemp(path_template);
  if (fd >= 0 && fchmod(fd, mode) != 0) {
    close(fd);
    unlink(path_template);
    return -1;
  }
  return fd;
}

int platform_same_file(const char *a, const char *b)
{
  struct stat sa, sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int platform_flush_file(int fd)
{
  return fsync(fd);
}

// Flushes the folder that holds path, so that a rename in it lasts. A folder
// the writer may not read cannot be opened to flush it, and filesystems that
// cannot flush a folder (EINVAL) keep their renames anyway: neither is a
// failure, only a failed flush is.
static int flush_folder_of(const char *path)
{
  const char *slash = strrchr(path, '/');
  std::string folder = !slash ? "." : slash == path ? "/" : std::string(path, slash - path);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return 0;
  int flushed = fsync(fd) == 0 || errno == EINVAL ? 0 : -1;
  int error = errno;
  close(fd);
  errno = error;
  return flushed;
}

int platform_replace_file(const char *from, const char *to)
{
  if (rename(from, to) != 0)
    return -1;
  return flush_folder_of(to);
}

int platform_write_file_now(const char *temp_path, const char *path, const void *data, size_t length)
{
  int fd = open(temp_path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0)
    return -1;
  const char *p = static_cast<const char *>(data);
  size_t left = length;
  int failed = 0;
  while (left > 0 && !failed) {
    ssize_t put = write(fd, p, left);
    if (put < 0 && errno == EINTR)
      continue;
    failed = put <= 0;
    if (!failed) {
      p += put;
      left -= static_cast<size_t>(put);
    }
  }
  failed = failed || fsync(fd) != 0;
  failed = close(fd) != 0 || failed;
  if (failed || rename(temp_path, path) != 0) {
    unlink(temp_path);
    return -1;
  }
  // The folder, so that the rename lasts: its name is cut from path in a
  // buffer of our own (no allocation in a signal handler).
  char folder[4096];
  const char *slash = strrchr(path, '/');
  size_t n = slash ? static_cast<size_t>(slash - path) : 0;
  if (n >= sizeof folder)
    return 0;
  memcpy(folder, path, n);
  if (!slash)
    folder[n++] = '.';
  else if (n == 0)
    folder[n++] = '/';
  folder[n] = '\0';
  int dir = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return 0;
}

static int kind_of(const struct stat *st)
{
  if (S_ISREG(st->st_mode))
    return PLATFORM_REGULAR;
  return S_ISDIR(st->st_mode) ? PLATFORM_DIRECTORY : PLATFORM_OTHER;
}

int platform_path_kind(const char *path)
{
  struct stat st;
  return stat(path, &st) == 0 ? kind_of(&st) : PLATFORM_NOTHING;
}

int platform_fd_kind(int fd)
{
  struct stat st;
  return fstat(fd, &st) == 0 ? kind_of(&st) : PLATFORM_NOTHING;
}

long platform_read(int fd, void *buffer, size_t size)
{
  return read(fd, buffer, size);
}

long platform_write(int fd, const void *buffer, size_t size)
{
  return write(fd, buffer, size);
}

int platform_close(int fd)
{
  return close(fd);
}

int platform_remove_file(const char *path)
{
  return unlink(path);
}

long long platform_regular_file_time(const char *path)
{
  struct stat st;
  return lstat(path, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<long long>(st.st_mtime) : -1;
}

void platform_binary_stdout(void) {}

const char *platform_last_separator(const char *path)
{
  return strrchr(path, '/');
}

int platform_path_exists(const char *path)
{
  struct stat st;
  return lstat(path, &st) == 0;
}

int platform_is_protected(const char *path)
{
  struct stat st;
  return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

int platform_make_folder(const char *path)
{
  struct stat st;
  if (stat(path, &st) == 0)
    return S_ISDIR(st.st_mode) ? 0 : -1;
  return mkdir(path, 0755) == 0 || errno == EEXIST ? 0 : -1;
}

std::vector<std::string> platform_folder_names(const char *folder)
{
  std::vector<std::string> names;
  DIR *dir = opendir(folder);
  if (!dir)
    return names;
  while (struct dirent *entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}
