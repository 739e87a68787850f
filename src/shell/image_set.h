// Checking an image set before the game relies on it.
#pragma once

#include "shell/alleg.h"

// 1 when data holds at least 48 objects and objects 0..47 are all bitmaps.
int image_set_usable(const DATAFILE *data);

// Loads the file at path and says whether it is a usable set, without
// freeing it: only a throw-away process that ends right after calls this.
int image_set_trial_load(const char *path);
// The same in a throw-away process that has not started the library (the
// second copy of the program that Windows starts for it): starts it with no
// display first.
int image_set_trial_load_alone(const char *path);

// 1 when the file at path loads as a usable image set. The library's loader
// crashes on some damaged files, so the trial load runs in a short-lived
// separate process (platform.h): one that crashes, hangs or finds a bad
// set means 0. Where no separate process can run (the web), the file's
// layout is checked instead (datafile_check.h).
// Needs the library and the display mode to be set up.
int image_set_loads_safely(const char *path);
