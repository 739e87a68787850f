// Hledani pokladu: a hot-seat treasure hunt for up to eight players.
#include "shell/game.h"
#include "shell/image_set.h"
#include "menu/menu.h"
#include "platform/platform.h"

int main(int argc, char **argv)
{
  platform_utf8_args(&argc, &argv);
  platform_run_helper(argc, argv, image_set_trial_load_alone);
  platform_enter_data_folder(IMAGE_SET_FILE);
  init_game();
  menu_loop(&game_menu);
  shutdown_game();
  return 0;
}
END_OF_MAIN()
