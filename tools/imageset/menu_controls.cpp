// The menu's controls: start and quit planks, the map arrows and the black
// field the game prints the map's name on.
#include "lettering.h"
#include "palette.h"
#include "menu/menu_layout.h"
#include "pictures.h"

// Each control's picture fills the rectangle the menu tests for it.
BITMAP *paint_start(int hovered)
{
  return paint_plank(MENU_START_W, MENU_START_H, "Spustit", 1.25, hovered);
}

BITMAP *paint_quit(int hovered)
{
  return paint_plank(MENU_QUIT_W, MENU_QUIT_H, "Ukončit", 1.5, hovered);
}

BITMAP *paint_arrow(int next, int hovered)
{
  // drawn pointing left; the next-map arrow is its mirror image
  enum { W = MENU_ARROW_W, H = MENU_ARROW_H };
  CANVAS c = canvas_new(W, H, 6);
  auto X = [next](double x) { return next ? W - x : x; };
  const double outer[] = {X(W - 0.1), 0.2, X(W - 0.1), H - 0.2, X(0.1), H / 2.0};
  const double inner[] = {X(W - 1.1), 2.4, X(W - 1.1), H - 2.4, X(1.7), H / 2.0};
  cv_polygon(&c, 3, outer, hovered ? RGB8{120, 60, 0} : WOOD_EDGE);
  cv_polygon(&c, 3, inner, hovered ? GOLD_LIGHT : GOLD);
  return canvas_finish(&c);
}

BITMAP *paint_map_field(void)
{
  enum { W = MENU_MAP_FIELD_W, H = MENU_MAP_FIELD_H };
  BITMAP *bmp = new_filled(W, H, BLACK);
  rect(bmp, 0, 0, W - 1, H - 1, px(bmp, GOLD_DARK));
  rect(bmp, 1, 1, W - 2, H - 2, px(bmp, WOOD_EDGE));
  return bmp;
}
