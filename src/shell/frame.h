// Composing a frame: every screen clears the back buffer, draws everything
// back to front, then shows the pointer on it and copies it to the screen.
#pragma once

enum { SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600 };  // every frame fills the screen

void frame_begin(void);  // takes the pointer off the back buffer and clears it
void frame_end(void);    // draws the pointer and presents the frame

// Draws image index whole with its top-left corner at (x, y): opaque for
// backgrounds, the cell frame and the map name field, masked otherwise.
void draw_image(int index, int x, int y);

enum { TILE_SIZE = 100 };  // the background tile's width and height
// The background tile over the whole screen, column by column.
void draw_tiled_background(void);

// Red text in the library's font on a black background.
void draw_text(int x, int y, const char *text);
void draw_number(int x, int y, int number);
