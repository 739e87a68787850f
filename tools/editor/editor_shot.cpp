// The editor's screenshot for the README: a map opened, a palette kind
// chosen, the fairness numbers computed to the end, one frame saved as PNG.
#include "editor_ui.h"
#include "shell/alleg.h"
#include "shell/game.h"
#include "platform/platform.h"
#include "png_save.h"

#include <loadpng.h>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
  if (argc != 4) {
    fprintf(stderr, "usage: editor_shot DATA_DIR MAP OUT.png\n"
                    "Draws the map editor in DATA_DIR (the image set and maps folder) with MAP\n"
                    "opened and its fairness numbers computed, and saves the frame as PNG.\n");
    return 2;
  }
  std::string map = argv[2], out = argv[3];
  std::string here = platform_current_folder();
  if (here.empty() || platform_enter_folder(argv[1]) != 0) {
    fprintf(stderr, "editor_shot: cannot enter %s\n", argv[1]);
    return 1;
  }
  map = platform_path_from(here, map.c_str());
  out = platform_path_from(here, out.c_str());
  editor_start(0);
  register_png_file_type();
  std::unique_ptr<EDITOR> ed(new EDITOR());
  std::unique_ptr<EDIT_UI> ui(new EDIT_UI());
  ui_init(ui.get(), ed.get());
  ui_open_path(ui.get(), map);
  int status = 1;
  if (ui->file.path.empty()) {
    // A map that does not open would leave a picture of an empty board.
    fprintf(stderr, "editor_shot: cannot open the map %s\n", map.c_str());
  } else {
    ed->kind = 6;
    ui->pointer.col = 12, ui->pointer.row = 7;
    while (!ui->fairness.run.done || ui->fairness.run.running)
      ui_fairness_step(ui.get(), 1000000);
    editor_draw(ui.get());
    status = save_png_whole(out.c_str(), back_buffer) == 0 ? 0 : 1;
    if (status)
      fprintf(stderr, "editor_shot: cannot write %s\n", out.c_str());
  }
  fairness_free(&ui->fairness.run);
  free_editor_pictures();
  shutdown_game();
  return status;
}
END_OF_MAIN()
