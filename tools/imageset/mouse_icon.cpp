// The mouse icon of the notes.
#include "mouse_icon.h"
#include "palette.h"

void draw_mouse_icon(BITMAP *bmp, int x, int y, int button)
{
  CANVAS c = canvas_new(MOUSE_ICON_W, MOUSE_ICON_H, 4);
  cv_round_rect(&c, 0.5, 0.5, 15.5, 23.5, 7, INK);
  cv_round_rect(&c, 1.5, 1.5, 14.5, 22.5, 6, {236, 236, 232});
  if (button == MOUSE_RIGHT)
    cv_rect(&c, 8.5, 1.5, 13, 10, {220, 30, 20});
  else
    cv_rect(&c, 3, 1.5, 7.5, 10, {220, 30, 20});
  cv_rect(&c, 7.5, 1.5, 8.5, 10, INK);
  cv_rect(&c, 1.5, 10, 14.5, 11, INK);
  canvas_finish_onto(&c, bmp, x, y);
}
