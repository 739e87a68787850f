// The editor's own pictures, painted at start-up by the game's painters:
// a wooden plank for every button (plain and lit) and the parchment sheets
// the panels and dialogs are written on.
#include "editor_pictures.h"
#include "editor_ui.h"
#include "lettering.h"
#include "palette.h"
#include "parchment.h"
#include "pictures.h"

#include <cstring>
#include <vector>

struct PLANK { const char *caption; int w, h; BITMAP *plain, *lit; };
static std::vector<PLANK> planks;
static BITMAP *sheets[SHEET_COUNT];

static const struct { int w, h; } sheet_sizes[SHEET_COUNT] = {
  {PALETTE_W, 186},                      // SHEET_PALETTE
  {PANEL_W, PANEL_H},                    // SHEET_FAIRNESS
  {DIALOG_W, DIALOG_H},                  // SHEET_DIALOG
  {LIST_W, LIST_H},                      // SHEET_LIST
  {RANDOM_W, RANDOM_H},                  // SHEET_RANDOM
};

void caption_place(const CONTROL_PLACE &p, int icon, int *text_x, int *icon_x, int *y)
{
  int w = text_length(font, p.caption) + (icon ? ICON_W + ICON_GAP : 0);
  *icon_x = p.x + (p.w - w) / 2;
  *text_x = *icon_x + (icon ? ICON_W + ICON_GAP : 0);
  *y = p.y + (p.h - 8) / 2;
}

// The small pictures that tell the board tools apart: the symmetry mode's
// dotted axis between two mirrored wedges, and double arrows for the whole
// board turned over.
static void draw_icon(BITMAP *bmp, int icon, int x, int y, int colour)
{
  int cx = x + ICON_W / 2, cy = y + 4;
  if (icon == ICON_MIRROR) {
    for (int dy = -4; dy <= 4; dy += 2)
      putpixel(bmp, cx, cy + dy, colour);
    triangle(bmp, x, cy, x + 4, cy - 4, x + 4, cy + 4, colour);
    triangle(bmp, x + ICON_W - 1, cy, x + ICON_W - 5, cy - 4, x + ICON_W - 5, cy + 4, colour);
  } else if (icon == ICON_FLIP_LR) {
    hline(bmp, x, cy, x + ICON_W - 1, colour);
    line(bmp, x, cy, x + 3, cy - 3, colour), line(bmp, x, cy, x + 3, cy + 3, colour);
    line(bmp, x + ICON_W - 1, cy, x + ICON_W - 4, cy - 3, colour), line(bmp, x + ICON_W - 1, cy, x + ICON_W - 4, cy + 3, colour);
  } else if (icon == ICON_FLIP_TB) {
    vline(bmp, cx, cy - 5, cy + 4, colour);
    line(bmp, cx, cy - 5, cx - 3, cy - 2, colour), line(bmp, cx, cy - 5, cx + 3, cy - 2, colour);
    line(bmp, cx, cy + 4, cx - 3, cy + 1, colour), line(bmp, cx, cy + 4, cx + 3, cy + 1, colour);
  }
}

// The caption in the plank's light colour ringed by its dark edge colour,
// so it reads on the grain of the wood; the icon before it.
static void draw_caption(BITMAP *bmp, const CONTROL_PLACE &p, int icon, int lit)
{
  CONTROL_PLACE at = p;
  at.x = at.y = 0;
  int tx, ix, y;
  caption_place(at, icon, &tx, &ix, &y);
  RGB8 fill = lit ? GOLD_LIGHT : PARCHMENT, ring = lit ? RGB8{90, 40, 0} : WOOD_EDGE;
  for (int dy = -1; dy <= 1; dy++)
    for (int dx = -1; dx <= 1; dx++)
      if (dx || dy) {
        text_plain(bmp, tx + dx, y + dy, p.caption, ring);
        draw_icon(bmp, icon, ix + dx, y + dy, makecol(ring.r, ring.g, ring.b));
      }
  text_plain(bmp, tx, y, p.caption, fill);
  draw_icon(bmp, icon, ix, y, makecol(fill.r, fill.g, fill.b));
}

static BITMAP *paint_editor_plank(const CONTROL_PLACE &p, int icon, int lit)
{
  BITMAP *bmp = paint_plank(p.w, p.h, "", 1.0, lit);
  draw_caption(bmp, p, icon, lit);
  return bmp;
}

static void add_plank(const CONTROL_PLACE &p, int icon)
{
  if (p.w == 0 || plank_picture(p, 0))
    return;
  planks.push_back({p.caption, p.w, p.h, paint_editor_plank(p, icon, 0), paint_editor_plank(p, icon, 1)});
}

void paint_editor_pictures(void)
{
  for (int dialog = DIALOG_NONE; dialog < DIALOG_COUNT; dialog++)
    for (int c = 0; c < CTL_COUNT; c++)
      add_plank(control_place(dialog, c), dialog == DIALOG_NONE ? control_icon(c) : ICON_NONE);
  for (int mirror = MIRROR_NONE; mirror <= MIRROR_BOTH; mirror++) {
    CONTROL_PLACE p = control_place(DIALOG_NONE, CTL_MIRROR);
    p.caption = mirror_caption(mirror);
    add_plank(p, ICON_MIRROR);
  }
  for (int i = 0; i < SHEET_COUNT; i++)
    sheets[i] = new_parchment(sheet_sizes[i].w, sheet_sizes[i].h, 17 + i);
}

void free_editor_pictures(void)
{
  for (PLANK &p : planks) {
    destroy_bitmap(p.plain);
    destroy_bitmap(p.lit);
  }
  planks.clear();
  for (BITMAP *&s : sheets) {
    destroy_bitmap(s);
    s = nullptr;
  }
}

BITMAP *plank_picture(const CONTROL_PLACE &place, int lit)
{
  for (const PLANK &p : planks)
    if (p.w == place.w && p.h == place.h && strcmp(p.caption, place.caption) == 0)
      return lit ? p.lit : p.plain;
  return nullptr;
}

BITMAP *sheet_picture(int sheet)
{
  return sheets[sheet];
}
