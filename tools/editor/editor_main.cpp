// The map editor's start-up, loop and shutdown: a window of 800 x 600 on the
// game's library and image set, working in the game's data folder as the
// game does ("tarkoni.dat" and the maps folder "mapy" there).
#include "editor_files.h"
#include "editor_recovery.h"
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/game.h"
#include "shell/image_set.h"
#include "platform/platform.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

enum { FAIRNESS_SLICE_US = 4000 };  // fairness work per frame, well inside a frame's budget

static const char USAGE[] =
  "usage: poklad_editor [MAP]\n"
  "       poklad_editor --help | --version\n"
  "The map editor of Hledani pokladu: paint a board, check that it is fair,\n"
  "save it into the maps folder \"mapy\" of the current folder (made if\n"
  "missing), beside the image set \"tarkoni.dat\". MAP opens that map file at\n"
  "start. The maps the game ships open too; a changed one is saved under a\n"
  "new name.\n";

// The display went away, or a stop signal found the loop too slow to end in
// time: the copy held ready is all that can still be kept.
static void last_words(void)
{
  recovery_write_kept();
}

// Answers --help and --version and refuses wrong use: the status to exit
// with, or -1 to go on (with the map to open in *map, or none).
static int read_arguments(int argc, char **argv, const char **map)
{
  *map = argc == 2 ? argv[1] : nullptr;
  if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
    fputs(USAGE, stdout);
    return 0;
  }
  if (argc == 2 && strcmp(argv[1], "--version") == 0) {
    puts("hledani-pokladu-editor " POKLAD_VERSION);
    return 0;
  }
  if (argc > 2 || (argc == 2 && argv[1][0] == '-' && argv[1][1])) {
    fprintf(stderr, argc > 2 ? "poklad_editor: one map at a time\n%s" : "poklad_editor: unknown option %s\n%s",
            argc > 2 ? USAGE : argv[1], USAGE);
    return 2;
  }
  return -1;
}

static long long now_ms(void)
{
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The editor's loop, until it is quit or a stop signal comes.
static void edit(EDIT_UI *ui)
{
  while (!ui->quit) {
    if (platform_stop_signal()) {
      // A logout or a kill: the unsaved changes go to the recovery copy,
      // then the loop ends so that the display is given back.
      ui_recovery_refresh(ui, 1);
      recovery_write_kept();
      break;
    }
    editor_input(ui);
    ui_fairness_step(ui, FAIRNESS_SLICE_US);
    editor_draw(ui);
    ui_recovery_refresh(ui, 0);
    ui_recovery_written(ui, recovery_write_due(now_ms()));
    if (!ui->fairness.run.running)
      rest(1);  // nothing to compute: leave the processor to others
  }
}

int main(int argc, char **argv)
{
  // The image set's trial load runs in a second copy of this program on
  // Windows; that copy does only that and ends here.
  platform_utf8_args(&argc, &argv);
  platform_run_helper(argc, argv, image_set_trial_load_alone);
  const char *map;
  int status = read_arguments(argc, argv, &map);
  if (status >= 0)
    return status;
  // A map named on the command line is found where the editor was started,
  // also when it then moves to its data (a map dropped on its icon).
  std::string started_in = platform_enter_data_folder(IMAGE_SET_FILE);
  editor_start(1);
  std::unique_ptr<EDITOR> ed(new EDITOR());
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  ui_init(ui.get(), ed.get());
  if (make_folder(MAPS_FOLDER) != 0)
    ui->status.text = "Slozku " MAPS_FOLDER " nelze vytvorit: ulozit nepujde";
  remove_stale_saves(MAPS_FOLDER);
  if (map)
    ui_open_path(ui.get(), platform_path_from(started_in, map));
  ui_offer_recovery(ui.get());
  platform_set_last_words(last_words);
  edit(ui.get());
  // A clean end leaves the copy as the loop last wrote it: none when the
  // changes were saved or given up, and another run's copy still offered.
  fairness_free(&ui->fairness.run);
  free_editor_pictures();
  shutdown_game();
  return 0;
}
END_OF_MAIN()
