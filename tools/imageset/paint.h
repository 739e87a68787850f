// Drawing helpers shared by every picture painter: colours, pictures that
// start transparent, a supersampled canvas for smooth shapes, and a noise
// source so textures come out the same on every build.
#pragma once

#define MENU ALLEGRO_GUI_MENU
#include <allegro.h>
#undef MENU

struct RGB8 { int r, g, b; };

// The colour the game treats as transparent.
const RGB8 MAGENTA = {255, 0, 255};

// The pixel value of c on bmp's colour depth.
int px(BITMAP *bmp, RGB8 c);
// The colour of a pixel value read from bmp.
RGB8 rgb_of(BITMAP *bmp, int pixel);
// a and b mixed, t = 0 gives a and t = 1 gives b.
RGB8 mix(RGB8 a, RGB8 b, double t);
// c made lighter (amount > 0, towards white) or darker (amount < 0).
RGB8 shade(RGB8 c, double amount);
// 1 when pixel is exactly the transparent colour.
int is_magenta(BITMAP *bmp, int pixel);

// A w x h picture at the drawing depth, all transparent.
BITMAP *new_picture(int w, int h);
// A w x h picture filled with colour c.
BITMAP *new_filled(int w, int h, RGB8 c);

// Stable noise in [0, 1) for integer coordinates and a seed.
double noise(int x, int y, int seed);

// Blends c over the pixel at (x, y) with weight alpha 0..1; a transparent
// pixel takes c only where alpha is at least one half, so no edge ever turns
// into a colour close to the transparent one.
void blend_pixel(BITMAP *bmp, int x, int y, RGB8 c, double alpha);

// Fills the rectangle with a vertical gradient from top to bottom colour.
void gradient_rect(BITMAP *bmp, int x0, int y0, int x1, int y1, RGB8 top, RGB8 bottom);
// A one pixel bevel: light on the top and left edges, dark on the others.
void bevel(BITMAP *bmp, int x0, int y0, int x1, int y1, RGB8 light, RGB8 dark);
// A rectangle with corners cut by r pixels, filled with c.
void rounded_rect(BITMAP *bmp, int x0, int y0, int x1, int y1, int r, RGB8 c);

// A canvas drawn at scale times the picture's size and averaged down, so
// curves and slopes get smooth edges. Coordinates are in picture pixels.
struct CANVAS {
  BITMAP *big;  // the supersampled drawing surface
  int scale;
  int w, h;     // size of the finished picture
};

CANVAS canvas_new(int w, int h, int scale);
// Averages the big surface down into a new picture and frees the surface.
// A picture pixel stays transparent where most of its samples are.
BITMAP *canvas_finish(CANVAS *c);
// Copies the finished canvas over dst with its top-left corner at (x, y).
void canvas_finish_onto(CANVAS *c, BITMAP *dst, int x, int y);
// Pixel-art finish: each picture pixel takes the colour most of its samples
// have (transparent included), so edges stay hard and no blended colours
// appear. Frees the surface.
BITMAP *canvas_finish_crisp(CANVAS *c);

void cv_rect(CANVAS *c, double x0, double y0, double x1, double y1, RGB8 col);
void cv_circle(CANVAS *c, double cx, double cy, double r, RGB8 col);
void cv_ellipse(CANVAS *c, double cx, double cy, double rx, double ry, RGB8 col);
// A filled polygon of n points given as x0, y0, x1, y1, ...
void cv_polygon(CANVAS *c, int n, const double *points, RGB8 col);
// A line of the given width with round ends.
void cv_line(CANVAS *c, double x0, double y0, double x1, double y1, double width, RGB8 col);
// A rectangle with round corners of radius r.
void cv_round_rect(CANVAS *c, double x0, double y0, double x1, double y1, double r, RGB8 col);

// Draws src over dst at (x, y) leaving out its transparent pixels.
void overlay(BITMAP *dst, BITMAP *src, int x, int y);

// Gives a shape its pixel-art outline: every transparent pixel beside a
// solid one (left, right, above or below) takes colour c.
void outline_shape(BITMAP *bmp, RGB8 c);
// A new picture factor times as big, every pixel a factor x factor block.
BITMAP *enlarged(BITMAP *src, int factor);
