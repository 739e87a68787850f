// The benchmark's working folders, maps folders and match records.
#include "bench_scene.h"
#include "menu/menu.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

static int copy_file(const char *from, const char *to)
{
  FILE *in = fopen(from, "rb");
  if (!in)
    return 0;
  FILE *out = fopen(to, "wb");
  if (!out) {
    fclose(in);
    return 0;
  }
  char buffer[65536];
  size_t n;
  int ok = 1;
  while ((n = fread(buffer, 1, sizeof buffer, in)) > 0)
    if (fwrite(buffer, 1, n, out) != n)
      ok = 0;
  fclose(in);
  return (fclose(out) == 0) && ok;
}

int scene_create(SCENE *scene, const char *image_set)
{
  scene->image_set = image_set;
  snprintf(scene->root, sizeof scene->root, "/tmp/poklad-benchXXXXXX");
  if (!mkdtemp(scene->root)) {
    scene->root[0] = '\0';
    return 0;
  }
  return 1;
}

int scene_add_maps(const SCENE *scene, int maps, char *workdir, size_t size)
{
  snprintf(workdir, size, "%s/%d", scene->root, maps);
  char path[SCENE_PATH_SIZE + 64];
  snprintf(path, sizeof path, "%s/" MAPS_DIRECTORY, workdir);
  if (mkdir(workdir, 0755) != 0 || mkdir(path, 0755) != 0)
    return 0;
  snprintf(path, sizeof path, "%s/tarkoni.dat", workdir);
  if (!copy_file(scene->image_set, path))
    return 0;
  unsigned char map[BOARD_CELLS];
  for (int i = 0; i < BOARD_CELLS; i++)
    map[i] = static_cast<unsigned char>(i % 11);
  for (int m = 1; m <= maps; m++) {
    snprintf(path, sizeof path, "%s/" MAPS_DIRECTORY "/mapa%05d", workdir, m);
    FILE *f = fopen(path, "wb");
    if (!f)
      return 0;
    size_t written = fwrite(map, 1, sizeof map, f);
    if (fclose(f) != 0 || written != sizeof map)
      return 0;
  }
  return 1;
}

void scene_destroy(SCENE *scene)
{
  if (!scene->root[0])
    return;
  char command[SCENE_PATH_SIZE + 32];
  snprintf(command, sizeof command, "rm -rf '%s'", scene->root);
  (void)!system(command);
  scene->root[0] = '\0';
}

static int is_dot(const char *name)
{
  return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

int catalogue_size(void)
{
  DIR *dir = opendir(MAPS_DIRECTORY);
  if (!dir)
    return 0;
  int maps = 0;
  while (struct dirent *entry = readdir(dir))
    if (!is_dot(entry->d_name))
      maps++;
  closedir(dir);
  return maps;
}

int catalogue_facts(int map_index, char *label, size_t size, DIR_WORK *work)
{
  int maps = catalogue_size();
  if (maps == 0 || map_index < 1)
    return 0;
  int target = map_index <= maps ? map_index : maps;
  DIR *dir = opendir(MAPS_DIRECTORY);
  if (!dir)
    return 0;
  int entries = 0, seen = 0;
  work->final_reads = 0;
  while (struct dirent *entry = readdir(dir)) {
    entries++;
    if (is_dot(entry->d_name) || ++seen != target)
      continue;
    work->final_reads = entries;
    snprintf(label, size, "%s", entry->d_name);
  }
  closedir(dir);
  // Past the last map one pass runs past the end, reading every entry and
  // then the null, before the pass that finds the last map.
  work->full_passes = map_index > target ? 1 : 0;
  work->full_reads = entries + 1;
  return 1;
}

static void players_setup(MATCH *match)
{
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    match->player_kind[p] = p % 2 ? PLAYER_HUMAN : PLAYER_COMPUTER;
    match->scores[p] = 7 * p;
    match->skip_turn[p] = 0;
  }
}

void board_setup(MATCH *match, int all_revealed, int help_shown)
{
  match_reset(match);
  players_setup(match);
  static const int values[] = {0, 1, 2, 3, 4, 5, 6, CELL_TRAP, 0, 0, 7, 255};
  for (int i = 0; i < BOARD_CELLS; i++) {
    match->cells[i] = values[i % 12];
    match->revealed[i] = all_revealed ? 1 : 0;
  }
  match->revealed_count = all_revealed ? BOARD_CELLS : 0;
  match->current_player = 1;
  match->hover_cell = -1;
  match->hover_end = 0;
  match->hover_help = 0;
  match->help_shown = help_shown ? -1 : 0;
}

void board_one_left(MATCH *match)
{
  board_setup(match, 1, 0);
  match->revealed[700] = 0;
  match->revealed_count = BOARD_CELLS - 1;
  match->current_player = 2;
}
