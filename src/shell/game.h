// Start-up and shutdown: the library, the mouse, the display, the image set
// and the back buffer every frame is composed on.
#pragma once

#include "shell/alleg.h"

#define IMAGE_SET_FILE "tarkoni.dat"
#define GAME_TITLE "Hledani pokladu"  // a window's title bar
#define MSG_GRAPHICS "Chyba pri inicializaci grafiky."
#define MSG_IMAGE_SET "Chyba pri nacitani datoveho souboru."
#define MSG_BITMAP "Chyba pri vytvareni bitmapy."

#include "shell/frame.h"  // the screen's size

extern DATAFILE *game_data;  // the loaded image set, objects 0..47 are bitmaps
extern BITMAP *back_buffer;  // 800 x 600, every frame is composed here

// Brings everything up; on failure shows the matching message and ends the
// process with status 1.
void init_game(void);

// Loads the image set from the current folder and makes the back buffer,
// once the display mode is set; on failure as init_game.
void load_images_and_buffer(void);

// Takes the pointer off the back buffer, then releases it and the image set.
void shutdown_game(void);

// Shows message (after releasing the display, so the box can be answered)
// and ends the process with status 1.
[[noreturn]] void fatal_error(const char *message);

// The bitmap of image index from the loaded set.
BITMAP *game_image(int index);
