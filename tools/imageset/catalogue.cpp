// Which painter makes which image index.
#include "match/match.h"
#include "pictures.h"
#include "shell/images.h"

BITMAP *paint_image(int index)
{
  if (index >= IMG_PLAYER_1 && index < IMG_PLAYER_1 + PLAYER_COUNT)
    return paint_player_card(index - IMG_PLAYER_1 + 1);
  if (index >= IMG_WINNER_1 && index < IMG_WINNER_1 + PLAYER_COUNT)
    return paint_winner(index - IMG_WINNER_1 + 1);
  switch (index) {
  case IMG_MENU_STRIP: return paint_menu_strip();
  case IMG_FIND_1: return paint_find(1);
  case IMG_FIND_2: return paint_find(2);
  case IMG_FIND_3: return paint_find(3);
  case IMG_FIND_4: return paint_find(4);
  case IMG_FIND_5: return paint_find(5);
  case IMG_FIND_6: return paint_find(6);
  case IMG_RESULTS_CLOSING: return paint_results_closing();
  case IMG_HELP_OVERLAY: return paint_help_overlay();
  case IMG_END_BUTTON: return paint_end_button(0);
  case IMG_END_BUTTON_HOVER: return paint_end_button(1);
  case IMG_TITLE: return paint_title();
  case IMG_CELL_COVERED: return paint_cell_covered();
  case IMG_CELL_EMPTY: return paint_cell_empty();
  case IMG_BACKGROUND: return paint_background();
  case IMG_NO_WINNER: return paint_no_winner();
  case IMG_CELL_FRAME: return paint_cell_frame();
  case IMG_MAP_FIELD: return paint_map_field();
  case IMG_PREV_ARROW: return paint_arrow(0, 0);
  case IMG_PREV_ARROW_HOVER: return paint_arrow(0, 1);
  case IMG_NEXT_ARROW: return paint_arrow(1, 0);
  case IMG_NEXT_ARROW_HOVER: return paint_arrow(1, 1);
  case IMG_START: return paint_start(0);
  case IMG_START_HOVER: return paint_start(1);
  case IMG_QUIT: return paint_quit(0);
  case IMG_QUIT_HOVER: return paint_quit(1);
  case IMG_WINNER_CAPTION: return paint_winner_caption();
  case IMG_TRAP: return paint_trap();
  case IMG_HELP_BUTTON: return paint_help_button(0);
  case IMG_HELP_BUTTON_HOVER: return paint_help_button(1);
  case IMG_HIGHLIGHT: return paint_slot_highlight();
  case IMG_CELL_HOVER: return paint_cell_hover();
  default: return nullptr;
  }
}
