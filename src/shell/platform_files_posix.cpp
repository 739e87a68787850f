// The POSIX side of the platform seam's file functions.
#include "shell/platform.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int platform_open_read(const char *path)
{
  return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

int platform_create_temp(char *path_template)
{
  int fd = mkstemp(path_template);
  if (fd >= 0 && fchmod(fd, 0644) != 0) {
    close(fd);
    unlink(path_template);
    return -1;
  }
  return fd;
}

int platform_replace_file(const char *from, const char *to)
{
  return rename(from, to);
}

void platform_binary_stdout(void) {}
