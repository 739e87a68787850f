// Scratch folders for the test programs. Each is made fresh under /tmp and
// removed, with everything in it, when the test program ends, whether its
// tests passed or failed: a failed ASSERT leaves the test body early and
// would skip a removal at its end.
#pragma once

#include <string>

// A new empty folder /tmp/poklad-NAME-XXXXXX (the test's own name for it).
// The program aborts when it cannot be made.
std::string temp_folder(const char *name);

// Removes the folder and everything in it, entries without write permission
// included; a folder already gone is fine.
void remove_folder(const std::string &path);
