// The menu's controls: start and quit planks, the map arrows and the black
// field the game prints the map's name on.
#include "lettering.h"
#include "palette.h"
#include "pictures.h"

BITMAP *paint_start(int hovered)
{
  return paint_plank(125, 14, "Spustit", 1.25, hovered);
}

BITMAP *paint_quit(int hovered)
{
  return paint_plank(129, 17, "Ukoncit", 1.5, hovered);
}

BITMAP *paint_arrow(int next, int hovered)
{
  // drawn pointing left; the next-map arrow is its mirror image
  CANVAS c = canvas_new(7, 14, 6);
  auto X = [next](double x) { return next ? 7 - x : x; };
  const double outer[] = {X(6.9), 0.2, X(6.9), 13.8, X(0.1), 7};
  const double inner[] = {X(5.9), 2.4, X(5.9), 11.6, X(1.7), 7};
  cv_polygon(&c, 3, outer, hovered ? RGB8{120, 60, 0} : WOOD_EDGE);
  cv_polygon(&c, 3, inner, hovered ? GOLD_LIGHT : GOLD);
  return canvas_finish(&c);
}

BITMAP *paint_map_field(void)
{
  BITMAP *bmp = new_filled(183, 14, BLACK);
  rect(bmp, 0, 0, 182, 13, px(bmp, GOLD_DARK));
  rect(bmp, 1, 1, 181, 12, px(bmp, WOOD_EDGE));
  return bmp;
}
