// What the benchmark plays on: a temporary working folder holding the image
// set and maps folders of a chosen size, the catalogue's facts about them,
// and the match records of the board cases.
#pragma once

#include "bench_floor.h"
#include "match/board_layout.h"
#include "match/match.h"
#include "menu/menu_layout.h"

#include <cstddef>

enum { SCENE_PATH_SIZE = 512 };

struct SCENE {
  char root[SCENE_PATH_SIZE];       // the temporary folder
  const char *image_set;            // the image set copied into every working folder
};

// Makes the temporary folder; 0 on failure.
int scene_create(SCENE *scene, const char *image_set);

// Makes the working folder root/<maps> holding a copy of the image set as
// tarkoni.dat and a maps folder of that many 1400-byte map files, and writes
// its path to workdir; 0 on failure.
int scene_add_maps(const SCENE *scene, int maps, char *workdir, size_t size);

// Removes the temporary folder and everything in it.
void scene_destroy(SCENE *scene);

// Number of maps in the working folder's maps folder ("." and ".." left out).
int catalogue_size(void);

// What the catalogue will show and read for map_index (at least 1) in the
// working folder: the label of the map it lands on and the directory work.
// 0 when the folder holds no map.
int catalogue_facts(int map_index, char *label, size_t size, DIR_WORK *work);

// All eight players on, player 1 to move, every cell covered or every cell
// revealed, the pointer highlight on, the help overlay on request.
void board_setup(MATCH *match, int all_revealed, int help_shown);

// Every cell but one revealed and a computer player to move.
void board_one_left(MATCH *match);

// Where the board cases hold the pointer: inside the cell at column 20, row 17.
enum { BOARD_POINTER_X = BOARD_CELL_X0 + BOARD_PITCH * 20 + BOARD_CELL_HIT / 2,
       BOARD_POINTER_Y = BOARD_CELL_Y0 + BOARD_PITCH * 17 + BOARD_CELL_HIT / 2 };
// Where the menu cases hold the pointer: over player 3's slot.
enum { MENU_POINTER_X = menu_slot_x(3) + MENU_SLOT_W / 2, MENU_POINTER_Y = menu_slot_y(3) + MENU_SLOT_H / 2 };
