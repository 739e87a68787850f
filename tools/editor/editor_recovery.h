// The recovery copy: the unsaved changes of the map being edited, kept in a
// hidden file beside the maps folder (never in it, so no list shows it)
// while they are unsaved, and offered at the next start of an editor that
// ended without saving them (a crash, a kill, a lost display, a signal).
#pragma once

#include <string>

// The copy's file, in the working folder, and the temporary file it is
// written through.
#define RECOVERY_FILE ".editor-obnova"
#define RECOVERY_TEMP ".editor-obnova.tmp"

// A copy's bytes: a header line with the lengths, then the map's name, the
// path it was opened from or saved to, and the map file's bytes.
std::string recovery_encode(const std::string &name, const std::string &path, const std::string &bytes);
// Reads a copy back; 0, or -1 when data is not a whole copy.
int recovery_decode(const std::string &data, std::string *name, std::string *path, std::string *bytes);

// Holds copy as what recovery_write_due and recovery_write_kept write; an
// empty copy means there is nothing to keep any more. Called by the
// editor's loop only.
void recovery_keep(const std::string &copy);
// Called by the loop on every pass with a steady clock's milliseconds:
// writes the copy held when it changed and RECOVERY_PAUSE_MS have passed
// since the last write, and removes the file at once when the copy held is
// empty (saved or given up). 1 when written or removed, 0 when nothing was
// due, -1 when the write failed (tried again after the pause).
enum { RECOVERY_PAUSE_MS = 2000 };
int recovery_write_due(long long now_ms);
// Writes the copy held, if any, to RECOVERY_FILE at once. Safe in a signal
// handler and on any thread (the display-lost hook), as it only reads the
// copy held last and uses the platform's signal-safe write. 0 when written
// or nothing is held, -1 when the write failed.
int recovery_write_kept(void);

// The copy an earlier run left: 0 with its bytes in data, -1 for none.
int recovery_read(std::string *data);
// Removes the copy (it was thrown away, or the map saved).
void recovery_remove(void);
