// Menu state and input: the menu loop, and the eleven controls tested in a
// fixed order on every pass, each acting while the left button is down.
#include "menu/menu.h"
#include "match/play.h"
#include "shell/input.h"

MENU game_menu;

const char HOVER_NONE[] = "";
const char HOVER_START[] = "spustit";
const char HOVER_QUIT[] = "ukoncit";
const char HOVER_PLAYER[9][6] = {"", "", "hrac2", "hrac3", "hrac4", "hrac5", "hrac6", "hrac7", "hrac8"};
const char HOVER_PREVIOUS[] = "doleva";
const char HOVER_NEXT[] = "doprava";

enum { ACT_START, ACT_QUIT, ACT_PLAYER, ACT_PREVIOUS, ACT_NEXT };

struct MENU_CONTROL {
  int x, y, w, h;
  const char *hover;
  int action;
  int player;  // for ACT_PLAYER
};

// Tested in this order on every pass. Player 1's slot has no control.
static const MENU_CONTROL controls[] = {
  {337, 400, 125, 14, HOVER_START, ACT_START, 0},
  {335, 430, 129, 17, HOVER_QUIT, ACT_QUIT, 0},
  {255, 150, 120, 50, HOVER_PLAYER[2], ACT_PLAYER, 2},
  {425, 150, 120, 50, HOVER_PLAYER[3], ACT_PLAYER, 3},
  {595, 150, 120, 50, HOVER_PLAYER[4], ACT_PLAYER, 4},
  {85, 250, 120, 50, HOVER_PLAYER[5], ACT_PLAYER, 5},
  {255, 250, 120, 50, HOVER_PLAYER[6], ACT_PLAYER, 6},
  {425, 250, 120, 50, HOVER_PLAYER[7], ACT_PLAYER, 7},
  {595, 250, 120, 50, HOVER_PLAYER[8], ACT_PLAYER, 8},
  {300, 350, 7, 14, HOVER_PREVIOUS, ACT_PREVIOUS, 0},
  {493, 350, 7, 14, HOVER_NEXT, ACT_NEXT, 0},
};

static void act(MENU *menu, const MENU_CONTROL *control)
{
  switch (control->action) {
  case ACT_START:
    play_match(&game_match, menu->map_path);
    break;
  case ACT_QUIT:
    menu->quit = -1;
    break;
  case ACT_PLAYER:
    cycle_player_kind(control->player);
    break;
  case ACT_PREVIOUS:
    select_map(menu, MAP_PREVIOUS);
    break;
  case ACT_NEXT:
    select_map(menu, MAP_NEXT);
    break;
  }
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
  for (const MENU_CONTROL &control : controls) {
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
