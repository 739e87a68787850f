// What the game needs from the operating system beyond the graphics library,
// where Linux, Windows and the web browser differ: platform_posix.cpp,
// platform_windows.cpp and platform_web.cpp implement it, and the build
// picks one.
#pragma once

#include <string>
#include <vector>

// Called first in main: when the command line asks for a helper task that
// the game starts itself for (Windows' trial load), does it and ends the
// process; otherwise returns at once.
void platform_run_helper(int argc, char **argv);

// Runs image_set_trial_load(path) in a separate process and returns its
// verdict: 1 for a usable set, 0 when the helper finds a bad set, crashes
// (without any crash dialog) or is still running after timeout_ms (it is
// then killed).
int platform_trial_load(const char *path, int timeout_ms);

// The game's status when its display went away while it ran.
enum { EXIT_DISPLAY_LOST = 3 };

// Makes sure the game never outlives its display or its session. Call once,
// right after the library is up. On Linux, from then on a lost display
// connection ends the process at once with EXIT_DISPLAY_LOST, and SIGTERM,
// SIGHUP or SIGINT ends every screen's loop so that the library gives the
// display back; the process then dies by that signal, at the latest half a
// second after it came. A signal ignored at that moment (SIGHUP under nohup)
// stays ignored. On Windows the library's own window handling does this.
void platform_guard_exit(void);

// --- files (platform_files_posix.cpp, platform_files_windows.cpp); these
// need no graphics library, so the map kit uses them too.

// Opens path for reading bytes as they are (no line-end translation),
// without stalling on a FIFO that has no writer; -1 with errno set on failure.
int platform_open_read(const char *path);

// Creates and opens a new file from a mkstemp-style template (ending in
// XXXXXX, replaced in place) for writing bytes as they are, to be renamed
// onto target: it gets target's own permissions where target is a regular
// file, otherwise those of any new file (0666 less the umask); -1 with errno
// set on failure.
int platform_create_temp(char *path_template, const char *target);

// 1 when a and b both exist and are the same file (through links too).
int platform_same_file(const char *a, const char *b);

// Moves from onto to, replacing a file already there; 0 on success, -1
// with errno set on failure.
int platform_replace_file(const char *from, const char *to);

// Makes standard output carry bytes as they are (no line-end translation).
void platform_binary_stdout(void);

// The last folder separator in path ('/'; on Windows '\\' too), or null.
const char *platform_last_separator(const char *path);

// 1 when something (a file, a link, a folder) is at path, not following a link.
int platform_path_exists(const char *path);
// 1 when the file at path is one the player's tools must not write over: a
// symbolic link (how Linux puts the shipped maps into the player's folder);
// on Windows a link or a read-only file (the installer marks the shipped
// maps read-only).
int platform_is_protected(const char *path);
// Makes the folder if it is missing; 0 when a folder is there afterwards.
int platform_make_folder(const char *path);
// The names in folder, "." and ".." left out, sorted; empty when it cannot be read.
std::vector<std::string> platform_folder_names(const char *folder);

// A folder read one name at a time, in the order the game's menu lists maps:
// on Linux and Windows the order the system's folder listing yields them; on
// the web sorted by the names' bytes (std::string's order), so that a list
// holding files kept in the browser's storage reads the same after a reload.
struct PLATFORM_FOLDER;
// Opens folder for listing; null when it is missing or cannot be read.
PLATFORM_FOLDER *platform_folder_open(const char *folder);
// The next name in the folder, "." and ".." left out; null after the last.
// The name stays valid until the next call.
const char *platform_folder_next(PLATFORM_FOLDER *folder);
void platform_folder_close(PLATFORM_FOLDER *folder);
