// Frame benchmark: the game's frames against their floors (the same library
// calls with no game code in between), start-up to the first menu frame and
// resident memory over a long menu run, as Markdown tables on standard output.
//
// usage (under xvfb-run -a -s "-screen 0 800x600x16"):
//   frame_bench [--quick] [--case TEXT] [IMAGE_SET]
// --quick times few frames; --case times only the frame cases whose name
// holds TEXT and skips start-up, memory and single calls (for a profiler).
#include "bench_facts.h"
#include "bench_floor.h"
#include "bench_scene.h"
#include "bench_startup.h"
#include "bench_timing.h"
#include "match/play.h"
#include "menu/menu.h"
#include "shell/game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/utsname.h>
#include <unistd.h>

#ifndef BENCH_IMAGE_SET
#define BENCH_IMAGE_SET "build/test_images/tarkoni.dat"
#endif

enum { TARGET_RATIO_PERCENT = 110, TARGET_STARTUP_MS = 150, TARGET_GROWTH_KIB = 1024 };
enum { MAX_ROWS = 24, MAP_SIZES = 3 };
static const int map_sizes[MAP_SIZES] = {1, 100, 10000};
static const int STEP_BACK_PAST = 10000;

struct BENCH_CASE {
  char name[96];
  int frames;                     // timed frames of the case and of each floor
  int map_index;                  // menu cases: the selection set before every frame, else 0
  const MATCH *restore;           // the match put back before every frame, or null
  void (*frame)(void);            // one frame of the game
  const FLOOR_PLAN *floor;        // the library calls the frame makes
  const FLOOR_PLAN *bare_floor;   // the same without the directory pass, or null
};

struct CASE_ROW {
  char name[96];
  STATS frame, floor, bare;
  int same_picture;  // 1 when the floor composed exactly the frame's picture
};

struct REPORT {
  const char *only;  // run only the frame cases whose name holds this, or null
  CASE_ROW rows[MAX_ROWS];
  int row_count;
  STARTUP_RESULT startup;
  int startup_ok;
  long rss_kib_1000, rss_kib_100000;
  LIBRARY_FACTS facts;
};

// One pass of the menu loop.
static void menu_frame(void)
{
  menu_update(&game_menu);
  menu_draw(&game_menu);
}

// One pass of the match loop without its button and end checks.
static void board_frame(void)
{
  take_turn(&game_match);
  match_draw(&game_match);
}

// One frame of the results screen.
static void results_frame(void)
{
  results_draw(&game_match);
}

// Puts back what a frame changes: the selection, the match.
static void prepare_frame(const BENCH_CASE *c)
{
  if (c->map_index)
    game_menu.map_index = c->map_index;
  if (c->restore)
    game_match = *c->restore;
}

// Times count game frames, each after its untimed preparation.
static void time_game_frames(const BENCH_CASE *c, int count, SAMPLES *out)
{
  for (int i = 0; i < count; i++) {
    prepare_frame(c);
    double start = now_us();
    c->frame();
    out->us.push_back(now_us() - start);
  }
}

// Times count replays of the plan.
static void time_floor_frames(const FLOOR_PLAN *plan, int count, SAMPLES *out)
{
  for (int i = 0; i < count; i++) {
    double start = now_us();
    floor_replay(plan);
    out->us.push_back(now_us() - start);
  }
}

// The floor must compose exactly the frame's picture (pointer left out).
static int floor_matches_frame(const BENCH_CASE *c, const FLOOR_PLAN *plan)
{
  BITMAP *reference = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!reference)
    return 0;
  prepare_frame(c);
  c->frame();
  show_mouse(nullptr);
  blit(back_buffer, reference, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  floor_replay(plan);
  show_mouse(nullptr);
  int same = same_pixels(back_buffer, reference);
  destroy_bitmap(reference);
  return same;
}

// Times the case and its floors in alternating blocks, so that a change of
// load on the machine falls on all of them alike.
static void run_case(const BENCH_CASE *c, REPORT *report)
{
  if (report->row_count >= MAX_ROWS || (report->only && !strstr(c->name, report->only)))
    return;
  CASE_ROW *row = &report->rows[report->row_count++];
  snprintf(row->name, sizeof row->name, "%s", c->name);
  fprintf(stderr, "  %s ...\n", c->name);
  row->same_picture = floor_matches_frame(c, c->floor) &&
                      (!c->bare_floor || floor_matches_frame(c, c->bare_floor));

  SAMPLES frame, floor, bare, warm_up;
  int warm = std::max(1, c->frames / 20);
  time_game_frames(c, warm, &warm_up);
  time_floor_frames(c->floor, warm, &warm_up);
  int block = std::max(1, c->frames / 25);
  for (int done = 0; done < c->frames; done += block) {
    int n = std::min(block, c->frames - done);
    time_game_frames(c, n, &frame);
    time_floor_frames(c->floor, n, &floor);
    if (c->bare_floor)
      time_floor_frames(c->bare_floor, n, &bare);
  }
  row->frame = samples_stats(&frame);
  row->floor = samples_stats(&floor);
  row->bare = samples_stats(&bare);
}

// Holds the pointer at (x, y) with no button down.
static void set_pointer(int x, int y)
{
  mouse_x = x;
  mouse_y = y;
  mouse_b = 0;
}

static FLOOR_PLAN floor_plan, bare_plan;

// Plans the menu's floors for map_index in the working folder and times the case.
static void run_menu_case(REPORT *report, const char *name, int map_index, int frames)
{
  set_pointer(MENU_POINTER_X, MENU_POINTER_Y);
  char label[512];
  DIR_WORK work;
  if (!catalogue_facts(map_index, label, sizeof label, &work))
    return;
  game_menu.map_index = map_index;
  menu_update(&game_menu);  // settles the hover state the plans draw
  plan_menu(&floor_plan, &game_menu, label, &work);
  plan_menu(&bare_plan, &game_menu, label, nullptr);
  BENCH_CASE c = {{0}, frames, map_index, nullptr, menu_frame, &floor_plan, &bare_plan};
  snprintf(c.name, sizeof c.name, "%s", name);
  run_case(&c, report);
}

// Times take_turn + match_draw from start; restore puts start back before every frame.
static void run_board_case(REPORT *report, const char *name, const MATCH *start, int restore, int frames)
{
  set_pointer(BOARD_POINTER_X, BOARD_POINTER_Y);
  game_match = *start;
  take_turn(&game_match);  // the state the frame shows: after the move
  plan_board(&floor_plan, &game_match);
  BENCH_CASE c = {{0}, frames, 0, restore ? start : nullptr, board_frame, &floor_plan, nullptr};
  snprintf(c.name, sizeof c.name, "%s", name);
  run_case(&c, report);
}

// Times results_draw for the given winner picture (0: no winner).
static void run_results_case(REPORT *report, const char *name, int winner_image, int frames)
{
  set_pointer(BOARD_POINTER_X, BOARD_POINTER_Y);
  game_match.winner_image = winner_image;
  plan_results(&floor_plan, &game_match);
  BENCH_CASE c = {{0}, frames, 0, nullptr, results_frame, &floor_plan, nullptr};
  snprintf(c.name, sizeof c.name, "%s", name);
  run_case(&c, report);
}

static void menu_cases(REPORT *report, char workdirs[][SCENE_PATH_SIZE], int quick)
{
  int frames = quick ? 200 : 3000;
  char name[96];
  for (int i = 0; i < MAP_SIZES; i++) {
    if (chdir(workdirs[i]) != 0)
      continue;
    int maps = map_sizes[i];
    snprintf(name, sizeof name, "menu, %d map%s, map 1 selected", maps, maps == 1 ? "" : "s");
    run_menu_case(report, name, 1, frames);
    if (maps > 1) {
      snprintf(name, sizeof name, "menu, %d maps, map %d (the last) selected", maps, maps);
      run_menu_case(report, name, maps, maps >= 10000 ? frames / 3 : frames);
    }
  }
  // Worst case: every frame the selection starts 10,000 past the last map
  // and steps back to it: one pass that runs past the end, one that finds it.
  for (int i = 0; i < MAP_SIZES; i++) {
    int maps = map_sizes[i];
    if (chdir(workdirs[i]) != 0)
      continue;
    snprintf(name, sizeof name, "menu stepping back from map %d to map %d", maps + STEP_BACK_PAST, maps);
    run_menu_case(report, name, maps + STEP_BACK_PAST, maps >= 10000 ? frames / 3 : frames);
  }
}

static void board_cases(REPORT *report, int quick)
{
  int frames = quick ? 200 : 2000;
  static MATCH start;
  board_setup(&start, 0, 0);
  run_board_case(report, "board, all covered, pointer highlight", &start, 0, frames);
  board_setup(&start, 0, 1);
  run_board_case(report, "board, all covered, pointer highlight, help overlay", &start, 0, frames);
  board_setup(&start, 1, 0);
  run_board_case(report, "board, all revealed, pointer highlight", &start, 0, frames);
  board_setup(&start, 1, 1);
  run_board_case(report, "board, all revealed, pointer highlight, help overlay", &start, 0, frames);
  board_one_left(&start);
  run_board_case(report, "board, computer move with one cell left", &start, 1, frames);
}

static void results_cases(REPORT *report, int quick)
{
  int frames = quick ? 200 : 3000;
  run_results_case(report, "results, with a winner", 32, frames);
  run_results_case(report, "results, no winner", 0, frames);
}

// Resident memory after 1,000 and after the last of a long run of menu frames.
static void memory_run(REPORT *report, const char *workdir, int quick)
{
  fprintf(stderr, "  resident memory over a menu run ...\n");
  if (chdir(workdir) != 0)
    return;
  set_pointer(MENU_POINTER_X, MENU_POINTER_Y);
  game_menu.map_index = 1;
  int total = quick ? 10000 : 100000;
  for (int frame = 1; frame <= total; frame++) {
    menu_frame();
    if (frame == 1000)
      report->rss_kib_1000 = resident_kib();
  }
  report->rss_kib_100000 = resident_kib();
}

// Game median over floor median.
static double ratio(const CASE_ROW *row)
{
  return row->floor.median_us > 0 ? row->frame.median_us / row->floor.median_us : 0.0;
}

static void print_machine(int quick)
{
  char cpu[600] = "?";
  FILE *f = fopen("/proc/cpuinfo", "r");
  char line[512];
  while (f && fgets(line, sizeof line, f)) {
    if (strncmp(line, "model name", 10) == 0) {
      const char *colon = strchr(line, ':');
      snprintf(cpu, sizeof cpu, "%s", colon ? colon + 2 : line);
      cpu[strcspn(cpu, "\n")] = '\0';
      break;
    }
  }
  if (f)
    fclose(f);
  double load[3] = {0, 0, 0};
  f = fopen("/proc/loadavg", "r");
  if (f) {
    if (fscanf(f, "%lf %lf %lf", &load[0], &load[1], &load[2]) != 3)
      load[0] = load[1] = load[2] = 0;
    fclose(f);
  }
  struct utsname uts;
  uname(&uts);
  printf("Machine: %s, %ld cores, %s %s. Library: Allegro %s, driver \"%s\", screen %d x %d x %d "
         "on an X screen of depth %d.\n",
         cpu, sysconf(_SC_NPROCESSORS_ONLN), uts.sysname, uts.release, ALLEGRO_VERSION_STR,
         gfx_driver ? gfx_driver->name : "?", SCREEN_W, SCREEN_H, bitmap_color_depth(screen),
         desktop_color_depth());
  printf("Load average at the end: %.2f %.2f %.2f.%s\n\n", load[0], load[1], load[2],
         quick ? " Quick run: few frames, numbers are rough." : "");
}

static void print_frames(const REPORT *report)
{
  printf("## Frames\n\n");
  printf("| case | frames | median µs | p95 µs | frames/s | floor median µs | floor p95 µs | ratio | "
         "floor without directory pass, µs | same picture | target ≤ 1.10 |\n");
  printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|:---:|:---:|\n");
  for (int i = 0; i < report->row_count; i++) {
    const CASE_ROW *row = &report->rows[i];
    char bare[32] = "";
    if (row->bare.count)
      snprintf(bare, sizeof bare, "%.0f", row->bare.median_us);
    double r = ratio(row);
    double fps = row->frame.median_us > 0 ? 1e6 / row->frame.median_us : 0.0;
    printf("| %s | %d | %.0f | %.0f | %.*f | %.0f | %.0f | %.3f | %s | %s | %s |\n", row->name,
           row->frame.count, row->frame.median_us, row->frame.p95_us, fps >= 100 ? 0 : fps >= 1 ? 1 : 3,
           fps, row->floor.median_us, row->floor.p95_us, r, bare, row->same_picture ? "yes" : "NO",
           r * 100 <= TARGET_RATIO_PERCENT ? "met" : "MISSED");
  }
  printf("\n");
}

static void print_startup(const REPORT *report)
{
  printf("## Start-up to the first menu frame\n\n");
  if (!report->startup_ok) {
    printf("Start-up could not be measured: a child process failed.\n\n");
    return;
  }
  const STARTUP_RESULT *s = &report->startup;
  STATS total = samples_stats(&s->total);
  printf("| part | median ms | p95 ms |\n|---|---:|---:|\n");
  const SAMPLES *parts[] = {&s->total, &s->to_main, &s->init_game, &s->first_frame};
  const char *names[] = {"fork to first menu frame presented (total)", "fork, exec and loading up to main",
                         "init_game", "first menu_update + menu_draw"};
  for (int i = 0; i < 4; i++) {
    STATS st = samples_stats(parts[i]);
    printf("| %s | %.1f | %.1f |\n", names[i], st.median_us / 1000, st.p95_us / 1000);
  }
  printf("\nStart-up made step by step in a separate run of each child:\n\n");
  printf("| step | median ms | p95 ms |\n|---|---:|---:|\n");
  for (int i = 0; i < PHASE_COUNT; i++) {
    STATS st = samples_stats(&s->phases[i]);
    printf("| %s | %.2f | %.2f |\n", phase_name(i), st.median_us / 1000, st.p95_us / 1000);
  }
  printf("\nTarget: median under %d ms: %s (%d runs).\n\n", TARGET_STARTUP_MS,
         total.median_us < TARGET_STARTUP_MS * 1000.0 ? "met" : "MISSED", total.count);
}

static void print_memory(const REPORT *report, int quick)
{
  long growth = report->rss_kib_100000 - report->rss_kib_1000;
  printf("## Resident memory over a menu run (1 map)\n\n");
  printf("| after frame | resident KiB |\n|---:|---:|\n");
  printf("| 1,000 | %ld |\n| %s | %ld |\n\n", report->rss_kib_1000, quick ? "10,000" : "100,000",
         report->rss_kib_100000);
  printf("Growth: %ld KiB. Target: under %d KiB: %s.\n\n", growth, TARGET_GROWTH_KIB,
         growth < TARGET_GROWTH_KIB ? "met" : "MISSED");
}

static void print_facts(const REPORT *report)
{
  printf("## Single library calls\n\n| call | median µs |\n|---|---:|\n");
  for (int i = 0; i < report->facts.count; i++)
    printf("| %s | %.3f |\n", report->facts.facts[i].what, report->facts.facts[i].us);
  printf("\n");
}

int main(int argc, char **argv)
{
  if (argc == 2 && strcmp(argv[1], STARTUP_CHILD_ARG) == 0)
    return startup_child_main();
  if (argc == 2 && strcmp(argv[1], STARTUP_PHASES_ARG) == 0)
    return startup_phases_main();
  static REPORT report;
  int quick = 0;
  const char *image_set = BENCH_IMAGE_SET;
  for (int i = 1; i < argc; i++) {
    if (strcmp(argv[i], "--quick") == 0)
      quick = 1;
    else if (strcmp(argv[i], "--case") == 0 && i + 1 < argc)
      report.only = argv[++i];
    else
      image_set = argv[i];
  }
  if (access(image_set, R_OK) != 0) {
    fprintf(stderr, "frame_bench: cannot read the image set %s\n", image_set);
    return 2;
  }

  static SCENE scene;
  static char workdirs[MAP_SIZES][SCENE_PATH_SIZE];
  fprintf(stderr, "frame_bench: making the maps folders ...\n");
  if (!scene_create(&scene, image_set))
    return 2;
  for (int i = 0; i < MAP_SIZES; i++)
    if (!scene_add_maps(&scene, map_sizes[i], workdirs[i], sizeof workdirs[i])) {
      scene_destroy(&scene);
      return 2;
    }

  // Start-up first, while this process holds no display of its own.
  if (!report.only) {
    fprintf(stderr, "frame_bench: start-up ...\n");
    report.startup_ok = startup_measure(workdirs[0], quick ? 3 : 20, &report.startup);
  }

  if (chdir(workdirs[0]) != 0)
    return 2;
  init_game();
  rest(100);  // lets the pointer event of install_mouse arrive before the cases set the pointer

  fprintf(stderr, "frame_bench: frames ...\n");
  menu_cases(&report, workdirs, quick);
  board_cases(&report, quick);
  results_cases(&report, quick);
  if (!report.only) {
    memory_run(&report, workdirs[0], quick);
    fprintf(stderr, "frame_bench: single library calls ...\n");
    measure_library_facts(&report.facts, workdirs[0], workdirs[MAP_SIZES - 1], map_sizes[MAP_SIZES - 1]);
  }

  print_machine(quick);
  print_frames(&report);
  if (!report.only) {
    print_startup(&report);
    print_memory(&report, quick);
    print_facts(&report);
  }

  shutdown_game();
  if (chdir("/") != 0)
    return 1;
  scene_destroy(&scene);
  return 0;
}
