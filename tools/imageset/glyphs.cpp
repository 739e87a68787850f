// Glyphs: the library font's letters read once from a small bitmap, and the
// Czech accented letters built from a base letter and an accent placed over
// the middle of its body.
#include "glyphs.h"

#define MENU ALLEGRO_GUI_MENU
#include <allegro.h>
#undef MENU

#include <cstring>
#include <initializer_list>

enum { ACUTE, CARON, RING, APOSTROPHE };

struct ACCENTED { int code; char base; int accent; };

static const ACCENTED accented[] = {
  {0xE1, 'a', ACUTE}, {0x10D, 'c', CARON}, {0x10F, 'd', APOSTROPHE}, {0xE9, 'e', ACUTE}, {0x11B, 'e', CARON},
  {0xED, 'i', ACUTE}, {0x148, 'n', CARON}, {0xF3, 'o', ACUTE}, {0x159, 'r', CARON}, {0x161, 's', CARON},
  {0x165, 't', APOSTROPHE}, {0xFA, 'u', ACUTE}, {0x16F, 'u', RING}, {0xFD, 'y', ACUTE}, {0x17E, 'z', CARON},
  {0xC1, 'A', ACUTE}, {0x10C, 'C', CARON}, {0x10E, 'D', CARON}, {0xC9, 'E', ACUTE}, {0x11A, 'E', CARON},
  {0xCD, 'I', ACUTE}, {0x147, 'N', CARON}, {0xD3, 'O', ACUTE}, {0x158, 'R', CARON}, {0x160, 'S', CARON},
  {0x164, 'T', CARON}, {0xDA, 'U', ACUTE}, {0x16E, 'U', RING}, {0xDD, 'Y', ACUTE}, {0x17D, 'Z', CARON},
};

int next_char(const char **text)
{
  const unsigned char *s = reinterpret_cast<const unsigned char *>(*text);
  if (!s[0])
    return 0;
  int extra = s[0] >= 0xF0 && s[0] < 0xF5 ? 3 : s[0] >= 0xE0 ? 2 : s[0] >= 0xC2 ? 1 : 0;
  int code = extra == 3 ? s[0] & 7 : extra == 2 ? s[0] & 15 : extra == 1 ? s[0] & 31 : s[0];
  if (extra == 0 && s[0] >= 0x80)
    code = '?';  // a stray continuation byte or a byte no character starts with
  for (int i = 1; i <= extra; i++) {
    if ((s[i] & 0xC0) != 0x80) {  // cut short: the lead byte alone stands for '?'
      *text += 1;
      return '?';
    }
    code = (code << 6) | (s[i] & 63);
  }
  *text += 1 + extra;
  return code;
}

int text_chars(const char *text)
{
  int n = 0;
  while (next_char(&text))
    n++;
  return n;
}

static const ACCENTED *accented_letter(int code)
{
  for (const ACCENTED &a : accented)
    if (a.code == code)
      return &a;
  return nullptr;
}

int text_rises(const char *text)
{
  for (int c; (c = next_char(&text));) {
    const ACCENTED *a = accented_letter(c);
    if (a && a->base >= 'A' && a->base <= 'Z')
      return 1;
  }
  return 0;
}

// The library font's glyph of code in the font's 8 x 8 cell.
static void font_bits(int code, unsigned char bits[GLYPH_ROWS][GLYPH_W])
{
  memset(bits, 0, GLYPH_ROWS * GLYPH_W);
  char utf8[8] = {0};
  usetc(utf8, code);
  BITMAP *tmp = create_bitmap_ex(8, GLYPH_W, 8);
  clear_to_color(tmp, 0);
  textout_ex(tmp, font, utf8, 0, 0, 1, -1);
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < GLYPH_W; x++)
      bits[GLYPH_RISE + y][x] = getpixel(tmp, x, y) != 0;
  destroy_bitmap(tmp);
}

// The middle column of the letter's pixels in rows from..to of the cell,
// rounded to the right.
static int middle_column(unsigned char bits[GLYPH_ROWS][GLYPH_W], int from, int to)
{
  int left = GLYPH_W, right = -1;
  for (int y = from; y <= to; y++)
    for (int x = 0; x < GLYPH_W; x++)
      if (bits[GLYPH_RISE + y][x]) {
        left = x < left ? x : left;
        right = x > right ? x : right;
      }
  return right < 0 ? GLYPH_W / 2 - 1 : (left + right + 1) / 2;
}

static void set(unsigned char bits[GLYPH_ROWS][GLYPH_W], int row, int x)
{
  if (x >= 0 && x < GLYPH_W && row >= -GLYPH_RISE && row < 8)
    bits[GLYPH_RISE + row][x] = 1;
}

// Draws accent over the column k with its top on row top.
static void put_accent(unsigned char bits[GLYPH_ROWS][GLYPH_W], int accent, int k, int top)
{
  switch (accent) {
  case ACUTE:  // rising to the right
    set(bits, top, k), set(bits, top, k + 1), set(bits, top + 1, k - 1), set(bits, top + 1, k);
    break;
  case CARON:  // a small v
    for (int dx : {-2, -1, 1, 2})
      set(bits, top, k + dx);
    for (int dx : {-1, 0, 1})
      set(bits, top + 1, k + dx);
    break;
  default:  // RING, three rows round a hole
    for (int dx : {-1, 0, 1}) {
      set(bits, top, k + dx);
      set(bits, top + 2, k + dx);
    }
    set(bits, top + 1, k - 1), set(bits, top + 1, k + 1);
    break;
  }
}

void glyph_bits(int code, unsigned char bits[GLYPH_ROWS][GLYPH_W])
{
  static unsigned char ascii[128][GLYPH_ROWS][GLYPH_W];
  static int ascii_read = 0;
  if (!ascii_read) {
    for (int c = 0; c < 128; c++)
      font_bits(c, ascii[c]);
    ascii_read = 1;
  }
  const ACCENTED *a = accented_letter(code);
  // The font's own u with a ring keeps a rounder ring than two rows allow.
  if (!a || (a->accent == RING && a->base == 'u')) {
    if (code >= 32 && code < 128)
      memcpy(bits, ascii[code], GLYPH_ROWS * GLYPH_W);
    else
      font_bits(code, bits);
    return;
  }
  memcpy(bits, ascii[static_cast<int>(a->base)], GLYPH_ROWS * GLYPH_W);
  int capital = a->base >= 'A' && a->base <= 'Z';
  if (a->accent == APOSTROPHE) {  // a small stroke right of the ascender
    int right = 0;
    for (int y = 0; y < 2; y++)
      for (int x = 0; x < GLYPH_W; x++)
        if (bits[GLYPH_RISE + y][x] && x > right)
          right = x;
    set(bits, 0, right + 2);
    set(bits, 1, right + 2);
    return;
  }
  if (capital) {  // above the cell, a row clear of the letter
    put_accent(bits, a->accent, middle_column(bits, 0, 6), -GLYPH_RISE);
    return;
  }
  for (int y = 0; y < 2; y++)  // the i's dot gives way to the accent
    memset(bits[GLYPH_RISE + y], 0, GLYPH_W);
  put_accent(bits, a->accent, middle_column(bits, 2, 6), 0);
}
