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

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

enum { FAIRNESS_SLICE_US = 4000 };  // fairness work per frame, well inside a frame's budget

static const char USAGE[] =
  "usage: poklad_editor [MAP]\n"
  "The map editor: paint a board, check that it is fair, save it into the\n"
  "maps folder \"mapy\" of the current folder (made if missing), beside the\n"
  "image set \"tarkoni.dat\". MAP opens that map file at start.\n";

// The display went away, or a stop signal found the loop too slow to end in
// time: the copy held ready is all that can still be kept.
static void last_words(void)
{
  recovery_write_kept();
}

int main(int argc, char **argv)
{
  // The image set's trial load runs in a second copy of this program on
  // Windows; that copy does only that and ends here.
  platform_utf8_args(&argc, &argv);
  platform_run_helper(argc, argv, image_set_trial_load_alone);
  if (argc > 2 || (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0))) {
    fputs(USAGE, argc > 2 ? stderr : stdout);
    return argc > 2 ? 2 : 0;
  }
  // A map named on the command line is found where the editor was started,
  // also when it then moves to its data (a map dropped on its icon).
  std::string started_in = platform_enter_data_folder(IMAGE_SET_FILE);
  editor_start(1);
  std::unique_ptr<EDITOR> ed(new EDITOR());
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  ui_init(ui.get(), ed.get());
  if (make_folder(MAPS_FOLDER) != 0)
    ui->message = "Slozku " MAPS_FOLDER " nelze vytvorit: ulozit nepujde";
  remove_stale_saves(MAPS_FOLDER);
  if (argc == 2)
    ui_open_path(ui.get(), platform_path_from(started_in, argv[1]));
  ui_offer_recovery(ui.get());
  platform_set_last_words(last_words);
  while (!ui->quit) {
    if (platform_stop_signal()) {
      // A logout or a kill: the unsaved changes go to the recovery copy,
      // then the loop ends so that the display is given back.
      ui_recovery_refresh(ui.get(), 1);
      recovery_write_kept();
      break;
    }
    editor_input(ui.get());
    ui_fairness_step(ui.get(), FAIRNESS_SLICE_US);
    editor_draw(ui.get());
    ui_recovery_refresh(ui.get(), 0);
    if (!ui->fair.running)
      rest(1);  // nothing to compute: leave the processor to others
  }
  // A clean end writes no copy: one is only ever written above or by the
  // last words, so a copy left by another run (another editor stopped
  // meanwhile, or an offer not answered) stays for the next start.
  fairness_free(&ui->fair);
  free_editor_pictures();
  shutdown_game();
  return 0;
}
END_OF_MAIN()
