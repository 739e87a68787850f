// What differs between operating systems, behind one small interface: each
// system has its own platform_*.cpp (platform_posix.cpp for Linux and X11).
#pragma once

// The game's status when its display went away while it ran.
enum { EXIT_DISPLAY_LOST = 3 };

// Makes sure the game never outlives its display or its session. Call once,
// right after the library is up. From then on a lost display connection ends
// the process at once with EXIT_DISPLAY_LOST, and SIGTERM, SIGHUP or SIGINT
// ends every screen's loop so that the library gives the display back; the
// process then dies by that signal, at the latest half a second after it
// came. A signal ignored at that moment (SIGHUP under nohup) stays ignored.
void platform_guard_exit(void);
