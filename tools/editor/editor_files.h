// The editor's dealings with the file system: opening a map with a clear
// outcome for every bad input, saving through the map kit's safe write, the
// maps folder's list. Only editor_files.cpp and editor_recovery.cpp call the
// operating system.
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
// The file's name without its folders; Windows paths may use either slash.
std::string path_file_name(const std::string &path);
// 1 when path is a shipped map: a symbolic link on Linux or a read-only file
// on Windows (as the launcher and the installer leave them in the player's
// folder), or a file with a shipped map's name and bytes (the build's data).
int path_is_shipped(const char *path);
// Removes the temporary files that saves cut short left in folder.
void remove_stale_saves(const char *folder);
// Makes the folder if it is missing; 0 when it is there afterwards.
int make_folder(const char *path);
// A map in the open list: its file name, 1 for a shipped map, the points
// and traps on its board (both -1 when it cannot be read).
struct MAP_ENTRY {
  std::string name;
  int shipped;
  int points, traps;
};
// The map files in folder (regular files and links to them; folders, FIFOs
// and a save's temporary files left out) in the order the game's menu lists
// them; empty when the folder cannot be read.
std::vector<MAP_ENTRY> map_list(const char *folder);
