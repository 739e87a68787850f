// The help overlay shown over the board: the rules on a sheet of parchment,
// with the board's own pictures beside the lines that explain them.
#include "lettering.h"
#include "palette.h"
#include "parchment.h"
#include "pictures.h"

enum { W = 446, H = 262, LEFT = 22 };

// Copies picture (and frees it) at (x, y) inside a thin grid-coloured frame.
static void icon(BITMAP *bmp, BITMAP *picture, int x, int y)
{
  rect(bmp, x - 1, y - 1, x + picture->w, y + picture->h, px(bmp, {58, 38, 20}));
  blit(picture, bmp, 0, 0, x, y, picture->w, picture->h);
  destroy_bitmap(picture);
}

// One line of the rules in ink.
static void line(BITMAP *bmp, int x, int y, const char *text)
{
  text_plain(bmp, x, y, text, INK);
}

BITMAP *paint_help_overlay(void)
{
  BITMAP *bmp = new_parchment(W, H, 11);
  LETTERING heading = {2, {150, 70, 20}, {90, 36, 6}, 0, BLACK, 1, PARCHMENT_DARK};
  lettering_centred(bmp, W / 2, 12, "Napoveda", &heading);
  hline(bmp, LEFT, 34, W - LEFT, px(bmp, PARCHMENT_DARK));

  line(bmp, LEFT, 44, "Hraci se stridaji. Levym tlacitkem odkryj");
  line(bmp, LEFT, 56, "zakryte policko (tazenim i vic za sebou).");

  static const int find_values[] = {1, 2, 3, 4, 5, 6};
  for (int i = 0; i < 6; i++)
    icon(bmp, paint_find(find_values[i]), LEFT + 17 * i, 76);
  line(bmp, LEFT + 108, 80, "Poklad 1 az 6: tolik bodu");
  line(bmp, LEFT + 108, 92, "a hrajes znovu.");

  icon(bmp, paint_cell_empty(), LEFT, 112);
  line(bmp, LEFT + 24, 116, "Prazdne policko: hraje dalsi hrac.");

  icon(bmp, paint_trap(), LEFT, 136);
  line(bmp, LEFT + 24, 140, "Past: pristi tah vynechas.");

  line(bmp, LEFT, 164, "Hra konci, kdyz je vse odkryto, nebo");
  line(bmp, LEFT, 176, "tlacitkem Konec hry. Vyhrava nejvyssi");
  line(bmp, LEFT, 188, "skore; pri shode nevyhrava nikdo.");

  hline(bmp, LEFT, 208, W - LEFT, px(bmp, PARCHMENT_DARK));
  const char *hide = "Prave tlacitko mysi napovedu skryje.";
  text_plain(bmp, (W - text_width(hide)) / 2, 220, hide, {150, 30, 10});
  return bmp;
}
