// The POSIX side of the platform seam's file functions (the web's too: its
// in-memory file system speaks POSIX).
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

int platform_create_new(const char *path, const char *target)
{
  // A replaced file's own permissions, set exactly once the file is there
  // (the umask would take some away); a new file's come from the umask.
  struct stat st;
  int keep = lstat(target, &st) == 0 && S_ISREG(st.st_mode);
  mode_t mode = keep ? st.st_mode & 0777 : 0666;
  int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd >= 0 && keep && fchmod(fd, mode) != 0) {
    int error = errno;
    close(fd);
    unlink(path);
    errno = error;
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
// failure, only a failed flush is. Allocates nothing.
static int flush_folder_of(const char *path)
{
  char folder[4096];
  if (platform_folder_of(path, folder, sizeof folder) != 0)
    return 0;
  int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
  if (mkdir(path, 0755) == 0)
    return 0;
  // EEXIST: another program made it meanwhile, or a link that leads
  // nowhere (or round in a loop) is there, which is no folder to save in.
  return errno == EEXIST && stat(path, &st) == 0 && S_ISDIR(st.st_mode) ? 0 : -1;
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
