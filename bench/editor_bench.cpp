// The map editor's frames: a painting frame (a stroke moving, the whole frame
// composed and presented) against its floor, the same library calls replayed
// with no editor code in between; and the longest pass of the editor's loop
// while the fairness numbers are being worked out. Markdown on standard output.
//
// usage (under xvfb-run -a -s "-screen 0 800x600x16"): editor_bench [--quick] [IMAGE_SET]
#include "bench_timing.h"
#include "editor_pictures.h"
#include "editor_ui.h"
#include "map_generate.h"
#include "match/board_layout.h"
#include "match/play.h"
#include "shell/game.h"
#include "shell/images.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef BENCH_IMAGE_SET
#define BENCH_IMAGE_SET "build/test_images/tarkoni.dat"
#endif

enum { TARGET_RATIO_PERCENT = 110, TARGET_LONGEST_US = 20000, FAIRNESS_SLICE_US = 4000 };

// One library call of the floor.
struct CALL { int kind; BITMAP *image; int x, y, w, h, colour; std::string text; };
enum { CALL_BLIT, CALL_MASKED, CALL_RECTFILL, CALL_TEXT };

// The calls editor_draw makes for the editor's state, worked out once.
static std::vector<CALL> floor_calls(const EDIT_UI *ui)
{
  std::vector<CALL> calls;
  auto image = [&](int index, int x, int y) {
    calls.push_back({image_is_opaque(index) ? CALL_BLIT : CALL_MASKED, game_image(index), x, y, 0, 0, 0, ""});
  };
  auto masked = [&](BITMAP *bmp, int x, int y) { calls.push_back({CALL_MASKED, bmp, x, y, 0, 0, 0, ""}); };
  auto text = [&](int x, int y, const std::string &t, int colour) {
    calls.push_back({CALL_TEXT, nullptr, x, y, 0, 0, colour, t});
  };
  int ink = makecol(70, 40, 18);
  for (int i = 0; i < BOARD_TILES; i++) {
    int x, y;
    board_tile(i, &x, &y);
    image(IMG_BACKGROUND, x, y);
  }
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    image(IMG_CELL_FRAME, board_frame_x(cell), board_frame_y(cell));
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    image(cell_image(ui->ed->board[cell]), board_cell_x(cell), board_cell_y(cell));
  masked(sheet_picture(SHEET_PALETTE), PALETTE_X, 2);
  EDIT_COUNTS counts = editor_counts(ui->ed);
  for (int k = 0; k < KIND_COUNT; k++) {
    int y = PALETTE_Y + PALETTE_ROW * k;
    if (k == ui->ed->kind)
      calls.push_back({CALL_RECTFILL, nullptr, PALETTE_X + 3, y, PALETTE_X + PALETTE_W - 4, y + PALETTE_ROW - 2,
                       makecol(250, 200, 50), ""});
    image(IMG_CELL_FRAME, PALETTE_X + 5, y + 1);
    image(cell_image(kind_value(k)), PALETTE_X + 6, y + 2);
    text(PALETTE_X + 26, y + 5, "kind", ink);
    text(PALETTE_X + 100, y + 5, std::to_string(counts.kind[k]), ink);
  }
  text(PALETTE_X + 8, 169, "Body", ink);
  text(PALETTE_X + 100, 169, std::to_string(counts.points), ink);
  for (int c = CTL_STROKE; c <= CTL_QUIT; c++) {
    CONTROL_PLACE p = control_place(DIALOG_NONE, c);
    masked(plank_picture(p, c == CTL_STROKE), p.x, p.y);
  }
  masked(sheet_picture(SHEET_FAIRNESS), PANEL_X, PANEL_Y);
  text(PANEL_X + 5, PANEL_Y + 6, "Ferovost", ink);
  text(PANEL_X + 5, PANEL_Y + 20, "Hracu 4", ink);
  for (int c = CTL_FEWER; c <= CTL_MORE; c++) {
    CONTROL_PLACE p = control_place(DIALOG_NONE, c);
    masked(plank_picture(p, 0), p.x, p.y);
  }
  text(PANEL_X + 5, PANEL_Y + 46, "pocitam...", ink);
  text(PANEL_X + 5, PANEL_Y + 56, "hotovo 0%", ink);
  for (int i = 0; i < 6; i++)
    text(PANEL_X + 4, PANEL_Y + 180 + 10 * i, "legend line ....", ink);
  if (ui->ed->mirror) {
    calls.push_back({CALL_RECTFILL, nullptr, 460, 20, 460, 579, makecol(250, 200, 50), ""});
    calls.push_back({CALL_RECTFILL, nullptr, 140, 300, 779, 300, makecol(250, 200, 50), ""});
  }
  calls.push_back({CALL_RECTFILL, nullptr, BOARD_FRAME_X0 - 2, STATUS_STRIP_Y, SCREEN_W - 1, SCREEN_H - 1,
                   makecol(24, 16, 8), ""});
  int gold = makecol(255, 240, 160), black = makecol(0, 0, 0);
  std::string status = "(nova) *   " + ui->status.text;
  text(BOARD_FRAME_X0 + 1, STATUS_Y + 3, status, black);
  text(BOARD_FRAME_X0, STATUS_Y + 2, status, gold);
  return calls;
}

static void floor_frame(const std::vector<CALL> *calls)
{
  show_mouse(nullptr);
  clear_bitmap(back_buffer);
  for (const CALL &c : *calls) {
    switch (c.kind) {
    case CALL_BLIT: blit(c.image, back_buffer, 0, 0, c.x, c.y, SCREEN_W, SCREEN_H); break;
    case CALL_MASKED: masked_blit(c.image, back_buffer, 0, 0, c.x, c.y, SCREEN_W, SCREEN_H); break;
    case CALL_RECTFILL: rectfill(back_buffer, c.x, c.y, c.w, c.h, c.colour); break;
    default: textout_ex(back_buffer, font, c.text.c_str(), c.x, c.y, c.colour, -1); break;
    }
  }
  show_mouse(back_buffer);
  blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}

// What a painting frame changes: a stroke (mirrored in both directions in
// the symmetry mode) that walks the board row by row, one cell a frame, or a
// flood fill of the whole board, each frame with the other kind.
enum { PAINT_STROKE, PAINT_MIRRORED, PAINT_FLOOD, PAINT_CASES };
static const char *const case_names[PAINT_CASES] = {"painting frame", "mirrored stroke frame",
                                                    "whole-board flood fill frame"};

static void painting_frame(EDIT_UI *ui, int how, int n)
{
  int cell = n % BOARD_CELLS;
  if (how == PAINT_FLOOD)
    editor_flood_fill(ui->ed, cell % BOARD_COLUMNS, cell / BOARD_COLUMNS, n % 2 ? 1 : CELL_EMPTY);
  else
    editor_stroke_to(ui->ed, cell % BOARD_COLUMNS, cell / BOARD_COLUMNS);
  editor_draw(ui);
  ui_recovery_refresh(ui, 0);  // as the editor's loop keeps its recovery copy
}

// The median painting frame of one kind against its floor, in alternating blocks.
static void measure_painting(EDIT_UI *ui, int how, int frames, STATS *p, STATS *f)
{
  SAMPLES paint, floor;
  ui->ed->mirror = how == PAINT_MIRRORED ? MIRROR_BOTH : MIRROR_NONE;
  if (how == PAINT_FLOOD)
    editor_clear(ui->ed);
  else
    editor_stroke_begin(ui->ed, 0, 0, 6);
  for (int block = 0; block < 10; block++) {
    for (int i = 0; i < frames / 10; i++) {
      double t0 = now_us();
      painting_frame(ui, how, block * frames + i);
      paint.us.push_back(now_us() - t0);
    }
    std::vector<CALL> calls = floor_calls(ui);
    for (int i = 0; i < frames / 10; i++) {
      double t0 = now_us();
      floor_frame(&calls);
      floor.us.push_back(now_us() - t0);
    }
  }
  editor_stroke_end(ui->ed);
  ui->ed->mirror = MIRROR_NONE;
  *p = samples_stats(&paint);
  *f = samples_stats(&floor);
}

int main(int argc, char **argv)
{
  int quick = argc > 1 && strcmp(argv[1], "--quick") == 0;
  std::string set = argc > 1 + quick ? argv[1 + quick] : BENCH_IMAGE_SET;
  std::string folder = set.substr(0, set.find_last_of('/') + 1);
  if (!folder.empty() && chdir(folder.c_str()) != 0) {
    fprintf(stderr, "editor_bench: cannot enter %s\n", folder.c_str());
    return 1;
  }
  editor_start(0);
  std::unique_ptr<EDITOR> ed(new EDITOR());
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  ui_init(ui.get(), ed.get());
  MAP_RECIPE recipe = {};
  recipe.rows = BOARD_ROWS;
  recipe.seed = 5;
  map_recipe_defaults(&recipe);
  editor_fill_random(ed.get(), &recipe);
  ui->pointer.cell = -1;

  // --- painting frames against their floors
  int frames = quick ? 200 : 2000;
  STATS p[PAINT_CASES], f[PAINT_CASES];
  for (int how = 0; how < PAINT_CASES; how++)
    measure_painting(ui.get(), how, frames, &p[how], &f[how]);
  editor_fill_random(ed.get(), &recipe);

  // --- the editor's loop while the fairness numbers are worked out anew
  SAMPLES loop;
  int runs = quick ? 1 : 3;
  for (int run = 0; run < runs; run++) {
    editor_fill_rect(ed.get(), run, 0, run, 0, 3 + run);  // a change: the numbers start over
    do {
      double t0 = now_us();
      ui_fairness_step(ui.get(), FAIRNESS_SLICE_US);
      editor_draw(ui.get());
      ui_recovery_refresh(ui.get(), 0);
      loop.us.push_back(now_us() - t0);
    } while (ui->fairness.run.running);
  }
  double longest = *std::max_element(loop.us.begin(), loop.us.end());
  STATS l = samples_stats(&loop);

  printf("## Map editor frames\n\n");
  printf("| Case | Frames | Median (ms) | 95th pct (ms) | Target | Result |\n");
  printf("| --- | ---: | ---: | ---: | --- | --- |\n");
  for (int how = 0; how < PAINT_CASES; how++) {
    double ratio = p[how].median_us / f[how].median_us;
    printf("| %s | %d | %.3f | %.3f | | |\n", case_names[how], p[how].count, p[how].median_us / 1000,
           p[how].p95_us / 1000);
    printf("| its floor | %d | %.3f | %.3f | | |\n", f[how].count, f[how].median_us / 1000, f[how].p95_us / 1000);
    printf("| %s / floor | | %.3f | | <= %.2f | %s |\n", case_names[how], ratio, TARGET_RATIO_PERCENT / 100.0,
           ratio * 100 <= TARGET_RATIO_PERCENT ? "met" : "MISSED");
  }
  printf("| loop pass while fairness runs (%d runs of %d matches) | %d | %.3f | %.3f | | |\n", runs,
         ui->fairness.run.matches, l.count, l.median_us / 1000, l.p95_us / 1000);
  printf("| longest such pass | | %.3f | | < %d | %s |\n", longest / 1000, TARGET_LONGEST_US / 1000,
         longest < TARGET_LONGEST_US ? "met" : "MISSED");
  fairness_free(&ui->fairness.run);
  free_editor_pictures();
  shutdown_game();
  return 0;
}
END_OF_MAIN()
