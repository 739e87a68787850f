// The menu screen: tiles, title, the eight player slots with their kinds,
// the map chooser, start, quit and the bottom strip, back to front.
#include "menu/menu.h"
#include "shell/frame.h"
#include "shell/images.h"

enum { SLOT_X0 = 85, SLOT_Y0 = 150, SLOT_DX = 170, SLOT_DY = 100, LABEL_DX = 7, LABEL_DY = 38 };

static int slot_x(int player) { return SLOT_X0 + SLOT_DX * ((player - 1) % 4); }
static int slot_y(int player) { return SLOT_Y0 + SLOT_DY * ((player - 1) / 4); }

static int hovered(const MENU *menu, const char *id) { return menu->hover_item == id; }

void menu_draw(MENU *menu)
{
  frame_begin();
  draw_tiled_background();
  draw_image(IMG_TITLE, 216, 50);
  for (int p = 2; p <= 8; p++)
    if (hovered(menu, HOVER_PLAYER[p]))
      draw_image(IMG_HIGHLIGHT, slot_x(p), slot_y(p));
  for (int p = 1; p <= 8; p++) {
    draw_image(IMG_PLAYER_1 + p - 1, slot_x(p), slot_y(p));
    draw_text(slot_x(p) + LABEL_DX, slot_y(p) + LABEL_DY, player_kind_label(p));
  }
  draw_image(hovered(menu, HOVER_PREVIOUS) ? IMG_PREV_ARROW_HOVER : IMG_PREV_ARROW, 300, 350);
  draw_image(IMG_MAP_FIELD, 310, 350);
  draw_image(hovered(menu, HOVER_NEXT) ? IMG_NEXT_ARROW_HOVER : IMG_NEXT_ARROW, 493, 350);
  draw_text(314, 354, select_map(menu, MAP_REFRESH));
  draw_image(hovered(menu, HOVER_START) ? IMG_START_HOVER : IMG_START, 337, 400);
  draw_image(hovered(menu, HOVER_QUIT) ? IMG_QUIT_HOVER : IMG_QUIT, 335, 430);
  draw_image(IMG_MENU_STRIP, 0, 575);
  frame_end();
}
