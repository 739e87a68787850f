// Drawing helpers: colours, transparent pictures, noise and the
// supersampled canvas.
#include "paint.h"

#include <cmath>

int px(BITMAP *bmp, RGB8 c)
{
  return makecol_depth(bitmap_color_depth(bmp), c.r, c.g, c.b);
}

RGB8 rgb_of(BITMAP *bmp, int pixel)
{
  int d = bitmap_color_depth(bmp);
  return RGB8{getr_depth(d, pixel), getg_depth(d, pixel), getb_depth(d, pixel)};
}

// v rounded and held to 0..255.
static int clamp255(double v)
{
  int i = static_cast<int>(std::lround(v));
  return i < 0 ? 0 : i > 255 ? 255 : i;
}

RGB8 mix(RGB8 a, RGB8 b, double t)
{
  return RGB8{clamp255(a.r + (b.r - a.r) * t), clamp255(a.g + (b.g - a.g) * t),
              clamp255(a.b + (b.b - a.b) * t)};
}

RGB8 shade(RGB8 c, double amount)
{
  return amount >= 0 ? mix(c, RGB8{255, 255, 255}, amount) : mix(c, RGB8{0, 0, 0}, -amount);
}

int is_magenta(BITMAP *bmp, int pixel)
{
  return pixel == px(bmp, MAGENTA);
}

BITMAP *new_picture(int w, int h)
{
  return new_filled(w, h, MAGENTA);
}

BITMAP *new_filled(int w, int h, RGB8 c)
{
  BITMAP *bmp = create_bitmap(w, h);
  clear_to_color(bmp, px(bmp, c));
  return bmp;
}

double noise(int x, int y, int seed)
{
  unsigned int h = static_cast<unsigned int>(x) * 374761393u + static_cast<unsigned int>(y) * 668265263u +
                   static_cast<unsigned int>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / 16777216.0;
}

void blend_pixel(BITMAP *bmp, int x, int y, RGB8 c, double alpha)
{
  if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h || alpha <= 0)
    return;
  int under = getpixel(bmp, x, y);
  if (is_magenta(bmp, under)) {
    if (alpha >= 0.5)
      putpixel(bmp, x, y, px(bmp, c));
    return;
  }
  putpixel(bmp, x, y, px(bmp, mix(rgb_of(bmp, under), c, alpha > 1 ? 1 : alpha)));
}

void gradient_rect(BITMAP *bmp, int x0, int y0, int x1, int y1, RGB8 top, RGB8 bottom)
{
  for (int y = y0; y <= y1; y++) {
    double t = y1 > y0 ? double(y - y0) / (y1 - y0) : 0;
    hline(bmp, x0, y, x1, px(bmp, mix(top, bottom, t)));
  }
}

void bevel(BITMAP *bmp, int x0, int y0, int x1, int y1, RGB8 light, RGB8 dark)
{
  hline(bmp, x0, y0, x1, px(bmp, light));
  vline(bmp, x0, y0, y1, px(bmp, light));
  hline(bmp, x0 + 1, y1, x1, px(bmp, dark));
  vline(bmp, x1, y0 + 1, y1, px(bmp, dark));
}

void rounded_rect(BITMAP *bmp, int x0, int y0, int x1, int y1, int r, RGB8 c)
{
  int col = px(bmp, c);
  for (int y = y0; y <= y1; y++) {
    int d = 0;
    if (y - y0 < r)
      d = r - (y - y0);
    else if (y1 - y < r)
      d = r - (y1 - y);
    hline(bmp, x0 + d, y, x1 - d, col);
  }
}

CANVAS canvas_new(int w, int h, int scale)
{
  CANVAS c;
  c.big = new_picture(w * scale, h * scale);
  c.scale = scale;
  c.w = w;
  c.h = h;
  return c;
}

BITMAP *canvas_finish(CANVAS *c)
{
  BITMAP *out = new_picture(c->w, c->h);
  canvas_finish_onto(c, out, 0, 0);
  return out;
}

void canvas_finish_onto(CANVAS *c, BITMAP *dst, int x, int y)
{
  int s = c->scale;
  for (int oy = 0; oy < c->h; oy++)
    for (int ox = 0; ox < c->w; ox++) {
      double r = 0, g = 0, b = 0;
      int solid = 0;
      for (int sy = 0; sy < s; sy++)
        for (int sx = 0; sx < s; sx++) {
          int p = getpixel(c->big, ox * s + sx, oy * s + sy);
          if (is_magenta(c->big, p))
            continue;
          RGB8 q = rgb_of(c->big, p);
          r += q.r;
          g += q.g;
          b += q.b;
          solid++;
        }
      if (!solid)
        continue;
      RGB8 avg = {clamp255(r / solid), clamp255(g / solid), clamp255(b / solid)};
      blend_pixel(dst, x + ox, y + oy, avg, double(solid) / (s * s));
    }
  destroy_bitmap(c->big);
  c->big = nullptr;
}

// A picture coordinate on the supersampled surface.
static int S(const CANVAS *c, double v) { return static_cast<int>(std::lround(v * c->scale)); }

void cv_rect(CANVAS *c, double x0, double y0, double x1, double y1, RGB8 col)
{
  rectfill(c->big, S(c, x0), S(c, y0), S(c, x1) - 1, S(c, y1) - 1, px(c->big, col));
}

void cv_circle(CANVAS *c, double cx, double cy, double r, RGB8 col)
{
  circlefill(c->big, S(c, cx), S(c, cy), S(c, r), px(c->big, col));
}

void cv_ellipse(CANVAS *c, double cx, double cy, double rx, double ry, RGB8 col)
{
  ellipsefill(c->big, S(c, cx), S(c, cy), S(c, rx), S(c, ry), px(c->big, col));
}

void cv_polygon(CANVAS *c, int n, const double *points, RGB8 col)
{
  int scaled[64];
  for (int i = 0; i < 2 * n && i < 64; i++)
    scaled[i] = S(c, points[i]);
  polygon(c->big, n, scaled, px(c->big, col));
}

void cv_line(CANVAS *c, double x0, double y0, double x1, double y1, double width, RGB8 col)
{
  double dx = x1 - x0, dy = y1 - y0;
  double len = std::sqrt(dx * dx + dy * dy);
  double hw = width / 2;
  if (len > 0) {
    double nx = -dy / len * hw, ny = dx / len * hw;
    double quad[8] = {x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny};
    cv_polygon(c, 4, quad, col);
  }
  cv_circle(c, x0, y0, hw, col);
  cv_circle(c, x1, y1, hw, col);
}

void cv_round_rect(CANVAS *c, double x0, double y0, double x1, double y1, double r, RGB8 col)
{
  cv_rect(c, x0 + r, y0, x1 - r, y1, col);
  cv_rect(c, x0, y0 + r, x1, y1 - r, col);
  cv_circle(c, x0 + r, y0 + r, r, col);
  cv_circle(c, x1 - r, y0 + r, r, col);
  cv_circle(c, x0 + r, y1 - r, r, col);
  cv_circle(c, x1 - r, y1 - r, r, col);
}

void overlay(BITMAP *dst, BITMAP *src, int x, int y)
{
  for (int sy = 0; sy < src->h; sy++)
    for (int sx = 0; sx < src->w; sx++) {
      int p = getpixel(src, sx, sy);
      if (!is_magenta(src, p))
        putpixel(dst, x + sx, y + sy, px(dst, rgb_of(src, p)));
    }
}

BITMAP *canvas_finish_crisp(CANVAS *c)
{
  BITMAP *out = new_picture(c->w, c->h);
  int s = c->scale;
  int samples[64];
  int counts[64];
  for (int oy = 0; oy < c->h; oy++)
    for (int ox = 0; ox < c->w; ox++) {
      int kinds = 0;
      for (int sy = 0; sy < s && sy < 8; sy++)
        for (int sx = 0; sx < s && sx < 8; sx++) {
          int p = getpixel(c->big, ox * s + sx, oy * s + sy);
          int k = 0;
          while (k < kinds && samples[k] != p)
            k++;
          if (k == kinds) {
            samples[kinds] = p;
            counts[kinds++] = 0;
          }
          counts[k]++;
        }
      int best = 0;
      for (int k = 1; k < kinds; k++)
        if (counts[k] > counts[best])
          best = k;
      if (!is_magenta(c->big, samples[best]))
        putpixel(out, ox, oy, px(out, rgb_of(c->big, samples[best])));
    }
  destroy_bitmap(c->big);
  c->big = nullptr;
  return out;
}

void outline_shape(BITMAP *bmp, RGB8 c)
{
  BITMAP *copy = create_bitmap(bmp->w, bmp->h);
  blit(bmp, copy, 0, 0, 0, 0, bmp->w, bmp->h);
  auto solid = [copy](int x, int y) {
    return x >= 0 && y >= 0 && x < copy->w && y < copy->h && !is_magenta(copy, getpixel(copy, x, y));
  };
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++)
      if (!solid(x, y) && (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1)))
        putpixel(bmp, x, y, px(bmp, c));
  destroy_bitmap(copy);
}

BITMAP *enlarged(BITMAP *src, int factor)
{
  BITMAP *out = create_bitmap(src->w * factor, src->h * factor);
  stretch_blit(src, out, 0, 0, src->w, src->h, 0, 0, out->w, out->h);
  return out;
}
