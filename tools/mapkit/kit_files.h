// Reading inputs and writing outputs for the map kit, with every failure
// turned into a message rather than a crash.
#pragma once

#include <cstddef>
#include <string>

// Reads the regular file at path, at most limit bytes, into data. Only the
// bytes read count: the size the system reports is not trusted (pseudo-files
// report 0 or 4096 whatever they hold, and a file may shrink while it is
// read). Returns 0, or -1 with why set ("no such file", "is a directory", ...).
int kit_read_file(const char *path, size_t limit, std::string *data, std::string *why);

// Writes data to path through a temporary file in the same folder that is
// renamed over path only once it is complete, so a failure never leaves a
// partial file behind. Only a new path or a regular file is written (a link
// there is replaced, its target left alone); a device node, FIFO or socket
// is refused. A new file gets 0666 less the umask, a replaced one keeps its
// mode. Returns 0, or -1 with why set.
int kit_write_file(const char *path, const void *data, size_t length, std::string *why);

// 1 when both paths name one existing file (the same device and inode, also
// through links), else 0.
int kit_same_file(const char *a, const char *b);
