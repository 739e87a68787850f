// The colours of the island theme, shared so every picture agrees: sea
// around, sand to dig, dark wood for controls, parchment for notes, gold.
#pragma once

#include "paint.h"

const RGB8 SEA_DEEP = {14, 60, 84};
const RGB8 SEA_LIGHT = {30, 104, 128};
const RGB8 SEA_FOAM = {110, 182, 196};

const RGB8 SAND = {218, 182, 114};
const RGB8 SAND_LIGHT = {244, 218, 160};
const RGB8 SAND_DARK = {164, 124, 70};
const RGB8 EARTH = {112, 78, 46};
const RGB8 EARTH_DARK = {72, 48, 26};
const RGB8 EARTH_LIGHT = {146, 106, 66};
const RGB8 GRID = {58, 38, 20};

const RGB8 WOOD = {128, 80, 38};
const RGB8 WOOD_LIGHT = {176, 118, 60};
const RGB8 WOOD_DARK = {70, 42, 18};
const RGB8 WOOD_EDGE = {40, 24, 10};

const RGB8 PARCHMENT = {242, 228, 186};
const RGB8 PARCHMENT_DARK = {208, 184, 128};
const RGB8 INK = {70, 40, 18};

const RGB8 GOLD = {250, 200, 50};
const RGB8 GOLD_LIGHT = {255, 240, 160};
const RGB8 GOLD_DARK = {168, 118, 14};

const RGB8 WHITE = {255, 255, 255};
const RGB8 BLACK = {0, 0, 0};
const RGB8 SKIN = {240, 196, 152};

// The colour of player 1..8: red, blue, green, yellow, orange, violet,
// turquoise, pink.
inline RGB8 player_colour(int player)
{
  static const RGB8 colours[8] = {
    {218, 44, 44}, {48, 98, 222}, {48, 170, 64}, {238, 204, 40},
    {242, 132, 28}, {140, 76, 200}, {36, 188, 196}, {244, 126, 174},
  };
  return colours[(player - 1) & 7];
}
