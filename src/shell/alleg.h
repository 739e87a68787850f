// The one place the game includes the graphics library.
// The library's GUI declares a type named MENU, which would clash with the
// start menu's record; it is renamed while the library's headers are read.
#pragma once

#define MENU ALLEGRO_GUI_MENU
#include <allegro.h>
#undef MENU
