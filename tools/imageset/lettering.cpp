// Lettering: the 8 x 8 font (with our own accented letters) enlarged eight
// times (through one Scale2x step at in-between sizes), then sampled down to
// the wanted size.
#include "lettering.h"
#include "glyphs.h"

#include <cmath>
#include <vector>

enum { MASK_SCALE = 8 };  // the font is enlarged to 64 x 64 cells before sampling

struct MASK {
  int w, h;
  std::vector<unsigned char> bits;
  int at(int x, int y) const
  {
    if (x < 0 || y < 0 || x >= w || y >= h)
      return 0;
    return bits[y * w + x];
  }
};

// Rows the letters of text take: the font's cell, and above it the room
// for accents over capitals when text has any.
static int text_rows(const char *text)
{
  return 8 + (text_rises(text) ? GLYPH_RISE : 0);
}

// The letters of text at the font's own size, 1 where a pixel is set.
static MASK font_mask(const char *text)
{
  MASK m;
  m.w = text_width(text);
  m.h = text_rows(text);
  m.bits.assign(m.w * m.h, 0);
  int skip = GLYPH_ROWS - m.h;  // glyph rows above the mask's top
  unsigned char bits[GLYPH_ROWS][GLYPH_W];
  int x0 = 0;
  for (int c; (c = next_char(&text)); x0 += GLYPH_W) {
    glyph_bits(c, bits);
    for (int y = 0; y < m.h; y++)
      for (int x = 0; x < GLYPH_W; x++)
        m.bits[y * m.w + x0 + x] = bits[skip + y][x];
  }
  return m;
}

// One Scale2x step: each pixel becomes four, and a corner takes the colour
// of its two neighbours where those agree, which rounds off stair steps.
static MASK scale2x(const MASK &in)
{
  MASK out;
  out.w = in.w * 2;
  out.h = in.h * 2;
  out.bits.assign(out.w * out.h, 0);
  for (int y = 0; y < in.h; y++)
    for (int x = 0; x < in.w; x++) {
      int p = in.at(x, y), a = in.at(x, y - 1), b = in.at(x + 1, y);
      int c = in.at(x - 1, y), d = in.at(x, y + 1);
      int e0 = (c == a && c != d && a != b) ? a : p;
      int e1 = (a == b && a != c && b != d) ? b : p;
      int e2 = (d == c && d != b && c != a) ? c : p;
      int e3 = (b == d && b != a && d != c) ? d : p;
      out.bits[(2 * y) * out.w + 2 * x] = e0;
      out.bits[(2 * y) * out.w + 2 * x + 1] = e1;
      out.bits[(2 * y + 1) * out.w + 2 * x] = e2;
      out.bits[(2 * y + 1) * out.w + 2 * x + 1] = e3;
    }
  return out;
}

// Coverage 0..1 of the letters for each pixel at the wanted scale.
static std::vector<double> coverage(const char *text, double scale, int *w, int *h)
{
  // At in-between sizes one Scale2x step evens out the strokes; at whole
  // multiples the plain enlarged pixels stay truer to the letters, since
  // Scale2x also fills inside corners (an H would start to read as an M).
  int whole = scale == std::floor(scale);
  MASK m = whole ? font_mask(text) : scale2x(font_mask(text));
  int grow = MASK_SCALE / (whole ? 1 : 2);
  MASK big;
  big.w = m.w * grow;
  big.h = m.h * grow;
  big.bits.resize(big.w * big.h);
  for (int y = 0; y < big.h; y++)
    for (int x = 0; x < big.w; x++)
      big.bits[y * big.w + x] = m.at(x / grow, y / grow);
  m = big;
  *w = static_cast<int>(std::ceil(text_width(text) * scale));
  *h = static_cast<int>(std::ceil(text_rows(text) * scale));
  std::vector<double> cov(*w * *h, 0.0);
  const int n = 4;  // samples per pixel and axis
  double step = MASK_SCALE / scale;
  for (int y = 0; y < *h; y++)
    for (int x = 0; x < *w; x++) {
      int hits = 0;
      for (int sy = 0; sy < n; sy++)
        for (int sx = 0; sx < n; sx++)
          hits += m.at(static_cast<int>((x + (sx + 0.5) / n) * step),
                       static_cast<int>((y + (sy + 0.5) / n) * step));
      cov[y * *w + x] = double(hits) / (n * n);
    }
  return cov;
}

// Coverage at (x, y), 0 outside the letters' box.
static double cov_at(const std::vector<double> &cov, int w, int h, int x, int y)
{
  if (x < 0 || y < 0 || x >= w || y >= h)
    return 0;
  return cov[y * w + x];
}

// The letters grown by r pixels in every direction.
static double grown_at(const std::vector<double> &cov, int w, int h, int x, int y, int r)
{
  double best = 0;
  for (int dy = -r; dy <= r; dy++)
    for (int dx = -r; dx <= r; dx++)
      if (dx * dx + dy * dy <= r * r + r)
        best = std::fmax(best, cov_at(cov, w, h, x + dx, y + dy));
  return best;
}

void lettering_size(const char *text, const LETTERING *style, int *w, int *h)
{
  *w = static_cast<int>(std::ceil(text_width(text) * style->scale)) + 2 * style->outline + style->shadow;
  *h = static_cast<int>(std::ceil(text_rows(text) * style->scale)) + 2 * style->outline + style->shadow;
}

void lettering_draw(BITMAP *dst, int x, int y, const char *text, const LETTERING *style)
{
  int w, h;
  std::vector<double> cov = coverage(text, style->scale, &w, &h);
  int o = style->outline;
  int ox = x + o, oy = y + o;  // corner of the letters themselves
  if (style->shadow)
    for (int py = -o; py < h + o; py++)
      for (int px_ = -o; px_ < w + o; px_++)
        blend_pixel(dst, ox + px_ + style->shadow, oy + py + style->shadow, style->shadow_colour,
                    o ? grown_at(cov, w, h, px_, py, o) : cov_at(cov, w, h, px_, py));
  if (o)
    for (int py = -o; py < h + o; py++)
      for (int px_ = -o; px_ < w + o; px_++)
        blend_pixel(dst, ox + px_, oy + py, style->outline_colour, grown_at(cov, w, h, px_, py, o));
  for (int py = 0; py < h; py++) {
    RGB8 fill = mix(style->top, style->bottom, h > 1 ? double(py) / (h - 1) : 0);
    for (int px_ = 0; px_ < w; px_++)
      blend_pixel(dst, ox + px_, oy + py, fill, cov[py * w + px_]);
  }
}

void lettering_centred(BITMAP *dst, int cx, int y, const char *text, const LETTERING *style)
{
  int w, h;
  lettering_size(text, style, &w, &h);
  lettering_draw(dst, cx - (w - style->shadow) / 2, y, text, style);
}

void text_plain(BITMAP *dst, int x, int y, const char *text, RGB8 colour)
{
  int ascii = 1;
  for (const char *s = text; *s; s++)
    ascii = ascii && static_cast<unsigned char>(*s) < 0x80;
  if (ascii) {  // the library draws plain text the fastest
    textout_ex(dst, font, text, x, y, px(dst, colour), -1);
    return;
  }
  int pixel = px(dst, colour);
  unsigned char bits[GLYPH_ROWS][GLYPH_W];
  for (int c; (c = next_char(&text)); x += GLYPH_W) {
    glyph_bits(c, bits);
    for (int r = 0; r < GLYPH_ROWS; r++)
      for (int i = 0; i < GLYPH_W; i++)
        if (bits[r][i])
          putpixel(dst, x + i, y + r - GLYPH_RISE, pixel);
  }
}

void text_shadowed(BITMAP *dst, int x, int y, const char *text, RGB8 colour, RGB8 shadow)
{
  text_plain(dst, x + 1, y + 1, text, shadow);
  text_plain(dst, x, y, text, colour);
}

int text_width(const char *text)
{
  return GLYPH_W * text_chars(text);
}
