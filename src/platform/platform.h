// What the programs need from the operating system beyond the graphics
// library, where Linux, Windows and the web browser differ: one folder per
// system (posix/, windows/, web/) implements it, and the build picks one.
// This is the ground floor: nothing here includes the game, which hands the
// seam a function wherever the seam must run game code.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// --- start-up (posix/startup.cpp, windows/startup.cpp, web/startup.cpp)

// Called in main right after platform_utf8_args: when the command line asks
// for a helper task that the program starts itself for (Windows' trial load
// of the image set), runs trial_load on the path given, in this process,
// which starts nothing else first, and ends the process with its verdict;
// otherwise returns at once.
void platform_run_helper(int argc, char **argv, int (*trial_load)(const char *path));

// Runs trial_load(path) in a separate process and returns its verdict: 1
// for a usable set, 0 when the helper finds a bad set, crashes (without any
// crash dialog) or is still running after timeout_ms (it is then killed).
// On Linux the process is a fork of this one; on Windows a second copy of
// the program, where platform_run_helper calls trial_load. The web has one
// process: there check(path) runs in place instead, a check that reads the
// file without anything that could crash.
int platform_trial_load(const char *path, int timeout_ms, int (*trial_load)(const char *path),
                        int (*check)(const char *path));

// --- ending (posix/signals.cpp, windows/session_end.cpp, web/startup.cpp)

// The game's status when its display went away while it ran.
enum { EXIT_DISPLAY_LOST = 3 };

// Makes sure the game never outlives its display or its session. Call once,
// right after the library is up. On Linux, from then on a lost display
// connection ends the process at once with EXIT_DISPLAY_LOST, and SIGTERM,
// SIGHUP or SIGINT calls stop (from a signal handler: it may only set a
// flag), which ends every screen's loop so that the library gives the
// display back; the process then dies by that signal, at the latest half a
// second after it came (and any last words said). A signal ignored at that
// moment (SIGHUP under nohup) stays ignored. On Windows the library's own
// window handling ends the program; the end of the session (WM_ENDSESSION)
// or of its console is taken as a stop signal, and the thread Windows tells
// of it waits (about a second) for the loop to see it, then has the last
// words said before Windows ends the process.
void platform_guard_exit(void (*stop)(void));

// The signal (SIGTERM, SIGHUP, SIGINT) that asked the program to end, or 0
// for none: a loop that ends on close_requested tells a stop from the
// window's close button by it. On Windows SIGTERM for the end of the session
// or the console's closing, SIGINT / SIGBREAK for Ctrl+C / Ctrl+Break.
int platform_stop_signal(void);

// Has last_words run when the process must end at once: its display
// connection lost, or a stop signal's half second of grace over before the
// loops ended (Linux). It runs on any thread at any moment, beside the
// program's own, so it may only do what is safe in a signal handler. On
// Windows it runs when the session or the console ends, after the loop has
// seen the stop (or a second without that).
void platform_set_last_words(void (*last_words)(void));

// --- files (posix/files.cpp, windows/files.cpp, safe_write.cpp); these and
// the start-up need no graphics library, so the map kit uses them too.

// Paths are UTF-8 on every system (Windows gets them in UTF-16 at its calls).

// Called first in main, before anything reads argv. Windows hands main its
// words in the system's code page, which lacks many letters (a Western one
// has no Czech hooked r, and a file so named is then not found): there the
// command line is read again in UTF-16 and argv replaced by its words in
// UTF-8. Elsewhere argv stays.
void platform_utf8_args(int *argc, char ***argv);

// Where the programs find the image set (marker) and the maps beside it. On
// Windows, when the working folder holds no marker (a program started from a
// command prompt elsewhere, or a map dropped on its icon), the working folder
// becomes the program's own folder, or the folder above it where the marker
// is there (the windowed copy of the game in okno), as Windows programs find
// their files. Returns the folder the program was started in when it moved,
// "" when it stayed (always on Linux, whose programs run where they are
// started).
std::string platform_enter_data_folder(const char *marker);

// The working folder ("" if it cannot be told), and a move into folder (0 on
// success, -1 with errno set).
std::string platform_current_folder(void);
int platform_enter_folder(const char *folder);

// A path named on the command line, as seen from the folder the program was
// started in (from, as returned above): path itself when it is absolute or
// from is "", otherwise from joined with path.
std::string platform_path_from(const std::string &from, const char *path);

// Opens path for reading bytes as they are (no line-end translation),
// without stalling on a FIFO that has no writer; -1 with errno set on failure.
int platform_open_read(const char *path);

// Creates and opens the file at path, where nothing may be yet (EEXIST),
// for writing bytes as they are, to be renamed onto target: it gets target's
// own permissions where target is a regular file, otherwise those of any new
// file (0666 less the umask); -1 with errno set on failure. Safe in a signal
// handler on Linux.
int platform_create_new(const char *path, const char *target);

// platform_create_new at a name made from a mkstemp-style template (ending
// in XXXXXX, replaced in place by letters that give a new file); -1 with
// errno set on failure (EINVAL for a template without the XXXXXX).
int platform_create_temp(char *path_template, const char *target);

// 1 when a and b both exist and are the same file (through links too).
int platform_same_file(const char *a, const char *b);

// Sends the bytes written to fd on to the disk (fsync; on Windows _commit)
// before it returns; 0 on success, -1 with errno set on failure.
int platform_flush_file(int fd);

// Moves from onto to, replacing a file already there, and sees that the move
// itself reaches the disk (on Linux the folder is flushed after the rename;
// on Windows the move is made write-through); 0 on success, -1 with errno
// set on failure.
int platform_replace_file(const char *from, const char *to);

// How platform_write_file_safely went.
enum {
  PLATFORM_WRITE_OK = 0,
  PLATFORM_WRITE_NO_TEMP,  // the temporary file could not be made (errno says why)
  PLATFORM_WRITE_FAILED    // writing, flushing or renaming failed (errno says why)
};
// Writes data to path so that neither a failure nor a power cut leaves a
// partial file: through a new temporary file at temp_path, in path's folder,
// which is written whole, flushed to the disk, closed and renamed over path,
// the rename flushed too. temp_path is the caller's buffer: a template
// ending in XXXXXX gets a new name in place; any other name is the file's
// own, and what a write cut short left there is removed first. On failure
// the temporary file is removed and path left as it was. Allocates nothing
// and uses only calls that are safe in a signal handler on Linux.
int platform_write_file_safely(char *temp_path, const char *path, const void *data, size_t length);
// What is at a path (following links) or behind an open file.
enum { PLATFORM_NOTHING, PLATFORM_REGULAR, PLATFORM_DIRECTORY, PLATFORM_OTHER };
// PLATFORM_NOTHING with errno set when nothing can be found at path.
int platform_path_kind(const char *path);
int platform_fd_kind(int fd);
// The C library's read, write and close on a file the seam opened; -1 with
// errno set on failure.
long platform_read(int fd, void *buffer, size_t size);
long platform_write(int fd, const void *buffer, size_t size);
int platform_close(int fd);
// Removes the file at path; 0 on success, -1 with errno set on failure.
int platform_remove_file(const char *path);
// When the regular file at path (not followed through a link) last changed,
// in seconds since 1970; -1 when there is no regular file there.
long long platform_regular_file_time(const char *path);

// Makes standard output carry bytes as they are (no line-end translation).
void platform_binary_stdout(void);

// The last folder separator in path ('/'; on Windows '\\' too), or null.
const char *platform_last_separator(const char *path);
// The folder that holds path, into folder (size bytes): "." when path names
// no folder, "/" for a file at the root; -1 when it does not fit. Allocates
// nothing.
int platform_folder_of(const char *path, char *folder, size_t size);

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

// --- folder listing (posix/folders.cpp, windows/folders.cpp, web/folders.cpp)

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
