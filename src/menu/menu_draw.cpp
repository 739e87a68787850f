// The menu screen: tiles, title, the eight player slots with their kinds,
// the map chooser, start, quit and the bottom strip, back to front.
#include "match/match.h"
#include "menu/menu_layout.h"
#include "shell/frame.h"
#include "shell/images.h"

// Draws the control with hover identifier hover as the menu's hover state shows it.
static void draw_control(const MENU *menu, const char *hover)
{
  const MENU_CONTROL *control = menu_control(hover);
  int image = control_image(control, menu->hover_item);
  if (image != MENU_NO_IMAGE)
    draw_image(image, control->x, control->y);
}

void menu_draw(MENU *menu)
{
  frame_begin();
  draw_tiled_background();
  draw_image(IMG_TITLE, MENU_TITLE_X, MENU_TITLE_Y);
  for (int p = 2; p <= PLAYER_COUNT; p++)
    draw_control(menu, HOVER_PLAYER[p]);
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    draw_image(IMG_PLAYER_1 + p - 1, menu_slot_x(p), menu_slot_y(p));
    draw_text(menu_slot_x(p) + MENU_LABEL_DX, menu_slot_y(p) + MENU_LABEL_DY, player_kind_label(p));
  }
  draw_control(menu, HOVER_PREVIOUS);
  draw_image(IMG_MAP_FIELD, MENU_MAP_FIELD_X, MENU_MAP_FIELD_Y);
  draw_control(menu, HOVER_NEXT);
  draw_text(MENU_MAP_LABEL_X, MENU_MAP_LABEL_Y, select_map(menu, MAP_REFRESH));
  draw_control(menu, HOVER_START);
  draw_control(menu, HOVER_QUIT);
  draw_image(IMG_MENU_STRIP, MENU_STRIP_X, MENU_STRIP_Y);
  frame_end();
}
