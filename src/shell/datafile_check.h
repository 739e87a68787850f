// Checking the layout of an image set's file before the graphics library
// reads it, where a crash of its loader could not be contained in a process
// of its own (the web). Plain C++, no graphics library.
#pragma once

#include <cstddef>

// 1 when bytes hold an uncompressed datafile ("slh.ALL.") whose every
// object and property lies whole inside it, every object is a bitmap
// ("BMP "), raw data ("DATA") or a nested datafile ("FILE", checked the same
// way, at most 8 deep), and every bitmap's pixels fit in its object: what the
// library's loader reads without going past what it was given. Compressed
// files ("slh!") and objects of other types give 0.
int datafile_layout_sound(const unsigned char *bytes, std::size_t size);

// The same for the file at path, read whole when it is at most max_bytes
// long; 0 when it cannot be read or is longer.
int datafile_file_sound(const char *path, std::size_t max_bytes);
