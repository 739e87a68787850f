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

// What kept a file from being read, for callers that word it themselves.
enum { KIT_READ_OK = 0, KIT_READ_MISSING, KIT_READ_DIRECTORY, KIT_READ_NOT_REGULAR, KIT_READ_FAILED };
// kit_read_file that also tells which of those it met.
int kit_read_file_kind(const char *path, size_t limit, std::string *data, std::string *why);

// How a write went; kit_write_file words each outcome in English for the
// kit, and the editor words it in Czech.
enum {
  KIT_WRITE_OK = 0,
  KIT_WRITE_DIRECTORY,    // a folder is at path
  KIT_WRITE_NOT_REGULAR,  // a device node, FIFO or socket is at path
  KIT_WRITE_NO_FOLDER,    // no file can be made in path's folder (missing, not writable)
  KIT_WRITE_FAILED        // writing, flushing or renaming failed (a full disk)
};

// Writes data to path through a temporary file in the same folder that is
// flushed to the disk and renamed over path only once it is complete, the
// rename flushed too, so neither a failure nor a power cut leaves a partial
// file behind. Only a new path or a regular file is written (a link there is
// replaced, its target left alone); a device node, FIFO or socket is
// refused. A new file gets 0666 less the umask, a replaced one keeps its
// mode. Stale temporary files of saves cut short are removed from the folder
// first (see kit_remove_stale_temps). Returns KIT_WRITE_OK, or another
// outcome with why set to its English text.
int kit_write_file(const char *path, const void *data, size_t length, std::string *why);

// How old a save's temporary file must be before it counts as left behind
// by a save cut short. A save writes one map and renames it within moments;
// one still at it after a minute has stalled, and removing its file only
// makes that save fail, it never loses a map.
enum { KIT_STALE_TEMP_SECONDS = 60 };
// Removes the regular files in folder named as a save's temporary file
// (MAP_SAVE_TEMP_PREFIX and six characters) last changed at least
// KIT_STALE_TEMP_SECONDS before now; returns how many it removed.
int kit_remove_stale_temps(const char *folder, long long now);

// 1 when both paths name one existing file (the same device and inode, also
// through links), else 0.
int kit_same_file(const char *a, const char *b);
