// The help overlay shown over the board: what each mouse button and the
// end button do, then the rules, on a sheet of parchment with the board's
// own pictures beside the lines that explain them.
#include "lettering.h"
#include "mouse_icon.h"
#include "palette.h"
#include "parchment.h"
#include "pictures.h"

enum { W = 520, H = 278, LEFT = 22, TEXT = LEFT + 28 };

const RGB8 RED_INK = {150, 30, 10};

// Copies picture (and frees it) at (x, y) inside a thin grid-coloured frame.
static void icon(BITMAP *bmp, BITMAP *picture, int x, int y)
{
  rect(bmp, x - 1, y - 1, x + picture->w, y + picture->h, px(bmp, GRID));
  blit(picture, bmp, 0, 0, x, y, picture->w, picture->h);
  destroy_bitmap(picture);
}

// One line of the rules in ink.
static void line(BITMAP *bmp, int x, int y, const char *text)
{
  text_plain(bmp, x, y, text, INK);
}

// A line that starts with a name in red ink (a button, a cell) and goes on
// in plain ink.
static void named_line(BITMAP *bmp, int x, int y, const char *name, const char *text)
{
  text_plain(bmp, x, y, name, RED_INK);
  line(bmp, x + text_width(name) + 8, y, text);
}

// A divider across the sheet.
static void divider(BITMAP *bmp, int y)
{
  hline(bmp, LEFT, y, W - LEFT, px(bmp, PARCHMENT_DARK));
  hline(bmp, LEFT, y + 1, W - LEFT, px(bmp, shade(PARCHMENT, 0.4)));
}

BITMAP *paint_help_overlay(void)
{
  BITMAP *bmp = new_parchment(W, H, 11);
  LETTERING heading = {2, {150, 70, 20}, {90, 36, 6}, 0, BLACK, 1, PARCHMENT_DARK};
  lettering_centred(bmp, W / 2, 12, "Nápověda", &heading);
  divider(bmp, 34);

  // the mouse and the end button
  draw_mouse_icon(bmp, LEFT, 44, MOUSE_LEFT);
  named_line(bmp, TEXT, 44, "Levé tlačítko myši:", "odkryje zakryté políčko.");
  line(bmp, TEXT, 56, "Dokud ho držíš, odkrývá každé políčko pod ukazatelem");
  line(bmp, TEXT, 68, "za toho, kdo je právě na tahu - i po předání tahu.");
  draw_mouse_icon(bmp, LEFT, 86, MOUSE_RIGHT);
  named_line(bmp, TEXT, 94, "Pravé tlačítko myši:", "zavře tuto nápovědu.");
  BITMAP *end = paint_plank(84, 17, "Konec hry", 1, 0);
  overlay(bmp, end, LEFT, 120);
  destroy_bitmap(end);
  line(bmp, LEFT + 94, 125, "ukončí hru a ukáže výsledek.");
  divider(bmp, 148);

  // the cells
  static const int find_values[] = {1, 2, 3, 4, 5, 6};
  for (int i = 0; i < 6; i++)
    icon(bmp, paint_find(find_values[i]), LEFT + 17 * i, 158);
  named_line(bmp, LEFT + 108, 162, "Poklad 1 až 6:", "tolik bodů a hraješ znovu.");
  icon(bmp, paint_cell_empty(), LEFT, 182);
  named_line(bmp, TEXT, 186, "Prázdné políčko:", "na tahu je další hráč.");
  icon(bmp, paint_trap(), LEFT, 206);
  named_line(bmp, TEXT, 210, "Past:", "kdo ji najde, vynechá příští tah.");
  divider(bmp, 232);

  line(bmp, LEFT, 242, "Hra končí, když je vše odkryto, nebo tlačítkem Konec hry.");
  line(bmp, LEFT, 254, "Vyhrává nejvyšší skóre; při shodě nevyhrává nikdo.");
  return bmp;
}
