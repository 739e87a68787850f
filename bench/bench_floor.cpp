// Recording and replaying the library calls of a frame. The plans read the
// screens' layouts where the game reads them; the benchmark checks that each
// replay composes exactly the picture the game's frame composes.
#include "bench_floor.h"
#include "match/board_layout.h"
#include "match/play.h"
#include "match/results_layout.h"
#include "menu/menu_layout.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/images.h"

#include <cstring>
#include <dirent.h>

// Appends a call of the kind, or returns null when the plan is full.
static FLOOR_OP *add_op(FLOOR_PLAN *plan, int kind)
{
  if (plan->count >= FLOOR_PLAN_MAX)
    return nullptr;
  FLOOR_OP *op = &plan->ops[plan->count++];
  *op = FLOOR_OP{kind, nullptr, 0, 0, nullptr, 0, 0};
  return op;
}

// Appends the copy of image index at (x, y), opaque or masked as the game copies it.
static void add_copy(FLOOR_PLAN *plan, int index, int x, int y)
{
  FLOOR_OP *op = add_op(plan, image_is_opaque(index) ? OP_BLIT : OP_MASKED_BLIT);
  if (!op)
    return;
  op->image = game_image(index);
  op->x = x;
  op->y = y;
}

static void add_text(FLOOR_PLAN *plan, int x, int y, const char *text)
{
  FLOOR_OP *op = add_op(plan, OP_TEXT);
  if (!op)
    return;
  op->x = x;
  op->y = y;
  op->text = text;
}

static void add_number(FLOOR_PLAN *plan, int x, int y, int number)
{
  FLOOR_OP *op = add_op(plan, OP_NUMBER);
  if (!op)
    return;
  op->x = x;
  op->y = y;
  op->number = number;
}

static void add_dir_passes(FLOOR_PLAN *plan, int passes, int reads)
{
  FLOOR_OP *op = passes > 0 ? add_op(plan, OP_DIR_PASS) : nullptr;
  if (!op)
    return;
  op->repeat = passes;
  op->number = reads;
}

static void begin_plan(FLOOR_PLAN *plan)
{
  plan->count = 0;
  add_op(plan, OP_POINTER_OFF);
  add_op(plan, OP_CLEAR);
}

static void end_plan(FLOOR_PLAN *plan)
{
  add_op(plan, OP_POINTER_ON);
  add_op(plan, OP_PRESENT);
}

static void add_full_background(FLOOR_PLAN *plan)
{
  for (int x = 0; x < SCREEN_WIDTH; x += TILE_SIZE)
    for (int y = 0; y < SCREEN_HEIGHT; y += TILE_SIZE)
      add_copy(plan, IMG_BACKGROUND, x, y);
}

// Appends the copy the control with hover identifier hover shows, if any.
static void add_control(FLOOR_PLAN *plan, const MENU *menu, const char *hover)
{
  const MENU_CONTROL *control = menu_control(hover);
  int image = control_image(control, menu->hover_item);
  if (image != MENU_NO_IMAGE)
    add_copy(plan, image, control->x, control->y);
}

void plan_menu(FLOOR_PLAN *plan, const MENU *menu, const char *label, const DIR_WORK *dir)
{
  begin_plan(plan);
  add_full_background(plan);
  add_copy(plan, IMG_TITLE, MENU_TITLE_X, MENU_TITLE_Y);
  for (int p = 2; p <= PLAYER_COUNT; p++)
    add_control(plan, menu, HOVER_PLAYER[p]);
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    add_copy(plan, IMG_PLAYER_1 + p - 1, menu_slot_x(p), menu_slot_y(p));
    add_text(plan, menu_slot_x(p) + MENU_LABEL_DX, menu_slot_y(p) + MENU_LABEL_DY, player_kind_label(p));
  }
  add_control(plan, menu, HOVER_PREVIOUS);
  add_copy(plan, IMG_MAP_FIELD, MENU_MAP_FIELD_X, MENU_MAP_FIELD_Y);
  add_control(plan, menu, HOVER_NEXT);
  if (dir) {
    add_dir_passes(plan, dir->full_passes, dir->full_reads);
    add_dir_passes(plan, 1, dir->final_reads);
  }
  add_text(plan, MENU_MAP_LABEL_X, MENU_MAP_LABEL_Y, label);
  add_control(plan, menu, HOVER_START);
  add_control(plan, menu, HOVER_QUIT);
  add_copy(plan, IMG_MENU_STRIP, MENU_STRIP_X, MENU_STRIP_Y);
  end_plan(plan);
}

void plan_board(FLOOR_PLAN *plan, const MATCH *match)
{
  begin_plan(plan);
  for (int i = 0; i < BOARD_TILES; i++) {
    int x, y;
    board_tile(i, &x, &y);
    add_copy(plan, IMG_BACKGROUND, x, y);
  }
  add_copy(plan, IMG_HIGHLIGHT, BOARD_SLOT_X, board_slot_y(match->current_player));
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    if (match->player_kind[p] == PLAYER_OFF)
      continue;
    add_copy(plan, IMG_PLAYER_1 + p - 1, BOARD_SLOT_X, board_slot_y(p));
    add_number(plan, BOARD_SLOT_X + BOARD_SCORE_DX, board_slot_y(p) + BOARD_SCORE_DY, match->scores[p]);
  }
  add_copy(plan, match->hover_help ? IMG_HELP_BUTTON_HOVER : IMG_HELP_BUTTON, BOARD_BUTTON_X, BOARD_HELP_Y);
  add_copy(plan, match->hover_end ? IMG_END_BUTTON_HOVER : IMG_END_BUTTON, BOARD_BUTTON_X, BOARD_END_Y);
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    add_copy(plan, IMG_CELL_FRAME, board_frame_x(cell), board_frame_y(cell));
  for (int cell = 0; cell < BOARD_CELLS; cell++) {
    int value = match->revealed[cell] ? match->cells[cell] : CELL_COVERED;
    add_copy(plan, cell_image(value), board_cell_x(cell), board_cell_y(cell));
  }
  if (match->hover_cell != -1)
    add_copy(plan, cell_image(CELL_HOVER), board_cell_x(match->hover_cell), board_cell_y(match->hover_cell));
  if (match->help_shown)
    add_copy(plan, IMG_HELP_OVERLAY, BOARD_OVERLAY_X, BOARD_OVERLAY_Y);
  end_plan(plan);
}

void plan_results(FLOOR_PLAN *plan, const MATCH *match)
{
  begin_plan(plan);
  add_full_background(plan);
  if (match->winner_image) {
    add_copy(plan, match->winner_image, RESULTS_WINNER_X, RESULTS_WINNER_Y);
    add_copy(plan, IMG_WINNER_CAPTION, RESULTS_CAPTION_X, RESULTS_CAPTION_Y);
  } else {
    add_copy(plan, IMG_NO_WINNER, RESULTS_NO_WINNER_X, RESULTS_NO_WINNER_Y);
  }
  add_copy(plan, IMG_RESULTS_CLOSING, RESULTS_CLOSING_X, RESULTS_CLOSING_Y);
  end_plan(plan);
}

// One opening of the maps directory with the given number of readdir calls
// (fewer when it ends first), then its closing.
static void dir_pass(int reads)
{
  DIR *dir = opendir(MAPS_DIRECTORY);
  if (!dir)
    return;
  for (int i = 0; i < reads && readdir(dir); i++) {
  }
  closedir(dir);
}

void floor_replay(const FLOOR_PLAN *plan)
{
  for (int i = 0; i < plan->count; i++) {
    const FLOOR_OP *op = &plan->ops[i];
    switch (op->kind) {
    case OP_POINTER_OFF:
      show_mouse(nullptr);
      break;
    case OP_CLEAR:
      clear_bitmap(back_buffer);
      break;
    case OP_BLIT:
      blit(op->image, back_buffer, 0, 0, op->x, op->y, SCREEN_W, SCREEN_H);
      break;
    case OP_MASKED_BLIT:
      masked_blit(op->image, back_buffer, 0, 0, op->x, op->y, SCREEN_W, SCREEN_H);
      break;
    case OP_TEXT:
      textprintf_ex(back_buffer, font, op->x, op->y, makecol(255, 0, 0), 0, "%s", op->text);
      break;
    case OP_NUMBER:
      textprintf_ex(back_buffer, font, op->x, op->y, makecol(255, 0, 0), 0, "%d", op->number);
      break;
    case OP_DIR_PASS:
      for (int r = 0; r < op->repeat; r++)
        dir_pass(op->number);
      break;
    case OP_POINTER_ON:
      show_mouse(back_buffer);
      break;
    case OP_PRESENT:
      blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
      break;
    }
  }
}

int same_pixels(BITMAP *a, BITMAP *b)
{
  if (a->w != b->w || a->h != b->h)
    return 0;
  for (int y = 0; y < a->h; y++)
    if (memcmp(a->line[y], b->line[y], a->w * 2) != 0)
      return 0;
  return 1;
}
