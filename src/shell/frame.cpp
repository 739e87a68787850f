// Composing and presenting frames on the back buffer.
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/images.h"

void frame_begin(void)
{
  show_mouse(nullptr);
  clear_bitmap(back_buffer);
}

void frame_end(void)
{
  show_mouse(back_buffer);
  blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}

void draw_image(int index, int x, int y)
{
  // The size passed is the screen's; the library limits the copy to the
  // image and the back buffer, so the image is drawn whole.
  if (image_is_opaque(index))
    blit(game_image(index), back_buffer, 0, 0, x, y, SCREEN_W, SCREEN_H);
  else
    masked_blit(game_image(index), back_buffer, 0, 0, x, y, SCREEN_W, SCREEN_H);
}

void draw_tiled_background(void)
{
  for (int x = 0; x < SCREEN_WIDTH; x += TILE_SIZE)
    for (int y = 0; y < SCREEN_HEIGHT; y += TILE_SIZE)
      draw_image(IMG_BACKGROUND, x, y);
}

void draw_text(int x, int y, const char *text)
{
  textprintf_ex(back_buffer, font, x, y, makecol(255, 0, 0), 0, "%s", text);
}

void draw_number(int x, int y, int number)
{
  textprintf_ex(back_buffer, font, x, y, makecol(255, 0, 0), 0, "%d", number);
}
