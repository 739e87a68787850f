// mapkit: command-line tools for the game's map authors.
#include "commands.h"
#include "platform/platform.h"

int main(int argc, char **argv)
{
  platform_utf8_args(&argc, &argv);  // Czech file names on Windows too
  platform_binary_stdout();  // a rendered map is the same bytes everywhere
  return mapkit_close_output(mapkit_main(argc, argv, stdout, stderr), stdout, stderr);
}
