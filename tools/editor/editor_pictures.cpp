// The editor's own pictures, painted at start-up by the game's painters:
// a wooden plank for every button (plain and lit) and the parchment sheets
// the panels and dialogs are written on.
#include "editor_pictures.h"
#include "editor_ui.h"
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

static void add_plank(const CONTROL_PLACE &p)
{
  if (p.w == 0 || plank_picture(p, 0))
    return;
  planks.push_back({p.caption, p.w, p.h, paint_plank(p.w, p.h, p.caption, 1.0, 0),
                    paint_plank(p.w, p.h, p.caption, 1.0, 1)});
}

void paint_editor_pictures(void)
{
  for (int dialog = DIALOG_NONE; dialog < DIALOG_COUNT; dialog++)
    for (int c = 0; c < CTL_COUNT; c++)
      add_plank(control_place(dialog, c));
  for (int mirror = MIRROR_NONE; mirror <= MIRROR_BOTH; mirror++) {
    CONTROL_PLACE p = control_place(DIALOG_NONE, CTL_MIRROR);
    p.caption = mirror_caption(mirror);
    add_plank(p);
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
