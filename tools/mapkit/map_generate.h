// Random maps: a chosen number of each find and of traps scattered over the
// board by a small seeded generator of the kit's own, so the same seed and
// counts give the same file everywhere.
#pragma once

#include <cstdint>

// How many cells of each kind: finds[v] for worth v (1..6), traps.
struct MAP_RECIPE {
  uint64_t seed;
  int rows;        // 1..35; the map is rows x 40 bytes
  int finds[7];    // [1]..[6]
  int traps;
};

// The next number of the generator (SplitMix64), advancing state.
uint64_t kit_random_next(uint64_t *state);
// A number in 0..bound-1 without modulo bias; bound > 0.
uint64_t kit_random_below(uint64_t *state, uint64_t bound);

// Sets the default counts for the recipe's rows: finds 1..6 at 8%, 5%, 3%,
// 2%, 1% and 0.5% of the cells, traps at 2%, rounded to whole cells.
void map_recipe_defaults(MAP_RECIPE *recipe);

// Fills bytes (room for rows x 40) and returns their count, or -1 when the
// recipe asks for more cells than the map has.
int map_generate(const MAP_RECIPE *recipe, unsigned char *bytes);
