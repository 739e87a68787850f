// Where the menu screen puts things: the title, the eight player slots, the
// map chooser, start, quit and the bottom strip. The controls are one table:
// input tests their rectangles in its order, drawing puts their images at
// the rectangles' corners, and the frame benchmark plans the same frame.
#pragma once

#include "menu/menu.h"
#include "shell/images.h"

enum { MENU_TITLE_X = 216, MENU_TITLE_Y = 50 };

// Player p's slot (1..8), four to a row: the player's card, and the kind
// label printed on the card's plate.
enum { MENU_SLOT_X0 = 85, MENU_SLOT_Y0 = 150, MENU_SLOT_DX = 170, MENU_SLOT_DY = 100,
       MENU_SLOT_W = PLAYER_CARD_W, MENU_SLOT_H = PLAYER_CARD_H,
       MENU_LABEL_DX = PLAYER_CARD_TEXT_X, MENU_LABEL_DY = PLAYER_CARD_TEXT_Y };

// Start and quit, one above the other.
enum { MENU_START_X = 337, MENU_START_Y = 400, MENU_START_W = 125, MENU_START_H = 14,
       MENU_QUIT_X = 335, MENU_QUIT_Y = 430, MENU_QUIT_W = 129, MENU_QUIT_H = 17 };

// The map chooser: the previous-map arrow, the field with the selected map's
// name printed on it, and the next-map arrow right after the field.
enum { MENU_ARROW_W = 7, MENU_ARROW_H = 14, MENU_PREV_X = 300, MENU_ARROW_Y = 350,
       MENU_MAP_FIELD_X = 310, MENU_MAP_FIELD_Y = MENU_ARROW_Y, MENU_MAP_FIELD_W = 183, MENU_MAP_FIELD_H = MENU_ARROW_H,
       MENU_NEXT_X = MENU_MAP_FIELD_X + MENU_MAP_FIELD_W,
       MENU_MAP_LABEL_X = MENU_MAP_FIELD_X + 4, MENU_MAP_LABEL_Y = MENU_MAP_FIELD_Y + 4 };

enum { MENU_STRIP_X = 0, MENU_STRIP_Y = 575 };

constexpr int menu_slot_x(int player) { return MENU_SLOT_X0 + MENU_SLOT_DX * ((player - 1) % 4); }
constexpr int menu_slot_y(int player) { return MENU_SLOT_Y0 + MENU_SLOT_DY * ((player - 1) / 4); }

enum { MENU_NO_IMAGE = -1 };

// One control: it is hovered while the pointer lies strictly inside its
// rectangle, and shows its image, or its hover image while hovered, at the
// rectangle's corner.
struct MENU_CONTROL {
  const char *hover;  // its hover identifier
  int x, y, w, h;
  int image;          // MENU_NO_IMAGE: nothing while not hovered
  int hover_image;
  int player;         // 2..8 for a player slot's control, else 0
};

enum { MENU_CONTROLS = 11 };

// Tested in this order on every pass. Player 1's slot has no control; the
// others show the highlight beneath the player's picture while hovered.
inline const MENU_CONTROL menu_controls[MENU_CONTROLS] = {
  {HOVER_START, MENU_START_X, MENU_START_Y, MENU_START_W, MENU_START_H, IMG_START, IMG_START_HOVER, 0},
  {HOVER_QUIT, MENU_QUIT_X, MENU_QUIT_Y, MENU_QUIT_W, MENU_QUIT_H, IMG_QUIT, IMG_QUIT_HOVER, 0},
  {HOVER_PLAYER[2], menu_slot_x(2), menu_slot_y(2), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 2},
  {HOVER_PLAYER[3], menu_slot_x(3), menu_slot_y(3), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 3},
  {HOVER_PLAYER[4], menu_slot_x(4), menu_slot_y(4), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 4},
  {HOVER_PLAYER[5], menu_slot_x(5), menu_slot_y(5), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 5},
  {HOVER_PLAYER[6], menu_slot_x(6), menu_slot_y(6), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 6},
  {HOVER_PLAYER[7], menu_slot_x(7), menu_slot_y(7), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 7},
  {HOVER_PLAYER[8], menu_slot_x(8), menu_slot_y(8), MENU_SLOT_W, MENU_SLOT_H, MENU_NO_IMAGE, IMG_HIGHLIGHT, 8},
  {HOVER_PREVIOUS, MENU_PREV_X, MENU_ARROW_Y, MENU_ARROW_W, MENU_ARROW_H, IMG_PREV_ARROW, IMG_PREV_ARROW_HOVER, 0},
  {HOVER_NEXT, MENU_NEXT_X, MENU_ARROW_Y, MENU_ARROW_W, MENU_ARROW_H, IMG_NEXT_ARROW, IMG_NEXT_ARROW_HOVER, 0},
};

// The row of the control whose hover identifier is hover, or null for none.
inline const MENU_CONTROL *menu_control(const char *hover)
{
  for (const MENU_CONTROL &control : menu_controls)
    if (control.hover == hover)
      return &control;
  return nullptr;
}

// The image control shows while hover_item is the hovered identifier.
inline int control_image(const MENU_CONTROL *control, const char *hover_item)
{
  return hover_item == control->hover ? control->hover_image : control->image;
}
