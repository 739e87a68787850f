// Saving a frame as a PNG file for the preview tool and the editor's
// screenshot, so that a failed write never passes for a picture.
#pragma once

#include "shell/alleg.h"

// Writes bmp, in the screen's palette, as a PNG at path; 0 on success, -1
// on failure. A regular file there (or none) is replaced only by a whole
// picture: it is written beside it under a temporary name, checked to end
// in the PNG's closing chunk, flushed and renamed over it, so a failed
// write (a full disk) leaves the old picture as it was and no part of a new
// one. A link, device or FIFO at path is written to as it is.
int save_png_whole(const char *path, BITMAP *bmp);
