// The start menu: player set-up, the map chooser, start and quit.
#pragma once

struct MENU {
  int quit;                // -1 once quit was clicked
  int map_index;           // 1-based position of the selected map, 0 when none
  const char *hover_item;  // one of the hover identifiers below, by identity
  char *map_path;          // "mapy/<name>" of the selected map, MAP_PATH_SIZE bytes
};

extern MENU game_menu;  // the one menu record of the run

// Hover identifiers, one per control, compared by address.
extern const char HOVER_NONE[];
extern const char HOVER_START[];
extern const char HOVER_QUIT[];
extern const char HOVER_PLAYER[9][6];  // [2]..[8]: "hrac2".."hrac8"
extern const char HOVER_PREVIOUS[];
extern const char HOVER_NEXT[];

// Runs the menu until quit: one input step and one frame per pass.
void menu_loop(MENU *menu);
// Finds the control under the pointer and acts while the left button is down.
void menu_update(MENU *menu);
// After a 200 ms pause, steps player p (2..8): off -> human -> computer -> off.
void cycle_player_kind(int player);
// "Vypnuto", "Hrac" or "Pocitac" for player p's kind.
const char *player_kind_label(int player);

// --- map catalogue: the entries of "mapy", read afresh on every call
enum { MAP_REFRESH = 0, MAP_PREVIOUS = 1, MAP_NEXT = 2, MAP_STEP_BACK = 3 };
enum { MAP_PATH_SIZE = 65536 };
#define MAPS_DIRECTORY "mapy"
#define MAPS_NOT_FOUND "Mapy nenalezeny..."

// Renews map_path, steps the selection by mode and returns the label: the
// selected map's name, or MAPS_NOT_FOUND. Past the last map it steps back.
const char *select_map(MENU *menu, int mode);

// --- menu screen
void menu_draw(MENU *menu);
