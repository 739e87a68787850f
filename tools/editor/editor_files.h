// The editor's dealings with the file system: opening a map with a clear
// outcome for every bad input, saving through the map kit's safe write, the
// maps folder's list. Only editor_files.cpp calls the operating system.
#pragma once

#include <string>
#include <vector>

// How opening a map went.
enum {
  OPEN_OK = 0,
  OPEN_LONG,        // opened; the file is longer than the board, the rest is kept
  OPEN_MISSING,
  OPEN_DIRECTORY,
  OPEN_NOT_REGULAR,  // a FIFO, a device, a socket
  OPEN_UNREADABLE,
  OPEN_TOO_LONG      // longer than the editor can keep whole
};

// Reads the map at path into bytes (all of them, up to EDIT_MAX_FILE).
// Never blocks on a FIFO and changes nothing on disk.
int map_open(const char *path, std::string *bytes);
// The Czech message for an outcome of map_open, naming the file.
std::string map_open_message(int outcome, const std::string &name);

// Writes bytes to path through a temporary file and a rename, never through
// a link. Returns 0, or -1 with the Czech reason in why.
int map_save(const char *path, const std::string &bytes, std::string *why);

// 1 when both paths name one existing file (also through links).
int same_file(const char *a, const char *b);
// 1 when something (a file, a link, a folder) is at path.
int path_exists(const char *path);
// 1 when path is a shipped map in the player's folder: a symbolic link on
// Linux, a read-only file (as the installer leaves them) on Windows.
int path_is_shipped(const char *path);
// Makes the folder if it is missing; 0 when it is there afterwards.
int make_folder(const char *path);
// The names in folder, "." and ".." left out, sorted; empty when it cannot be read.
std::vector<std::string> folder_names(const char *folder);
