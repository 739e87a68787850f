// What the game needs from the operating system beyond the graphics library,
// where Linux and Windows differ: platform_posix.cpp and platform_windows.cpp
// implement it, and the build picks one.
#pragma once

// Called first in main: when the command line asks for a helper task that
// the game starts itself for (Windows' trial load), does it and ends the
// process; otherwise returns at once.
void platform_run_helper(int argc, char **argv);

// Runs image_set_trial_load(path) in a separate process and returns its
// verdict: 1 for a usable set, 0 when the helper finds a bad set, crashes
// (without any crash dialog) or is still running after timeout_ms (it is
// then killed).
int platform_trial_load(const char *path, int timeout_ms);

// --- files (platform_files_posix.cpp, platform_files_windows.cpp); these
// need no graphics library, so the map kit uses them too.

// Opens path for reading bytes as they are (no line-end translation),
// without stalling on a FIFO that has no writer; -1 with errno set on failure.
int platform_open_read(const char *path);

// Creates and opens a new file from a mkstemp-style template (ending in
// XXXXXX, replaced in place) for writing bytes as they are, readable by
// everyone; -1 with errno set on failure.
int platform_create_temp(char *path_template);

// Moves from onto to, replacing a file already there; 0 on success, -1
// with errno set on failure.
int platform_replace_file(const char *from, const char *to);

// Makes standard output carry bytes as they are (no line-end translation).
void platform_binary_stdout(void);
