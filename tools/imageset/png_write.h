// Writing a picture with an alpha channel as a PNG file, for the icons.
#pragma once

// Writes the w x h picture rgba (4 bytes a pixel, rows top to bottom) to
// path; 0 on success, -1 when the file cannot be written.
int write_png_rgba(const char *path, int w, int h, const unsigned char *rgba);
