// Menu state and input: the menu loop, and the eleven controls tested in a
// fixed order on every pass, each acting while the left button is down.
#include "menu/menu.h"
#include "match/play.h"
#include "menu/menu_layout.h"
#include "shell/input.h"

MENU game_menu;

const char HOVER_NONE[] = "";
const char HOVER_START[] = "spustit";
const char HOVER_QUIT[] = "ukoncit";
const char HOVER_PLAYER[9][6] = {"", "", "hrac2", "hrac3", "hrac4", "hrac5", "hrac6", "hrac7", "hrac8"};
const char HOVER_PREVIOUS[] = "doleva";
const char HOVER_NEXT[] = "doprava";

// What a control does, told by its hover identifier.
static void act(MENU *menu, const MENU_CONTROL *control)
{
  if (control->player)
    cycle_player_kind(control->player);
  else if (control->hover == HOVER_START)
    play_match(&game_match, menu->map_path);
  else if (control->hover == HOVER_QUIT)
    menu->quit = -1;
  else if (control->hover == HOVER_PREVIOUS)
    select_map(menu, MAP_PREVIOUS);
  else if (control->hover == HOVER_NEXT)
    select_map(menu, MAP_NEXT);
}

void menu_loop(MENU *menu)
{
  menu->quit = 0;
  menu->map_index = 1;
  while (menu->quit == 0 && !close_requested) {
    menu_update(menu);
    menu_draw(menu);
  }
}

void menu_update(MENU *menu)
{
  // Every control is tested on every pass, also after one has acted (a
  // whole match may have run from the start control).
  menu->hover_item = HOVER_NONE;
  for (const MENU_CONTROL &control : menu_controls) {
    if (!mouse_in_rect(control.x, control.y, control.w, control.h))
      continue;
    menu->hover_item = control.hover;
    if (left_button_down())
      act(menu, &control);
  }
}

void cycle_player_kind(int player)
{
  pause_200ms();
  int *kind = &game_match.player_kind[player];
  *kind = *kind == PLAYER_OFF ? PLAYER_HUMAN : *kind == PLAYER_HUMAN ? PLAYER_COMPUTER : PLAYER_OFF;
}

const char *player_kind_label(int player)
{
  switch (game_match.player_kind[player]) {
  case PLAYER_HUMAN:
    return "Hrac";
  case PLAYER_COMPUTER:
    return "Pocitac";
  default:
    return "Vypnuto";
  }
}
