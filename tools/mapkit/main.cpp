// mapkit: command-line tools for the game's map authors.
#include "commands.h"

int main(int argc, char **argv)
{
  return mapkit_close_output(mapkit_main(argc, argv, stdout, stderr), stdout, stderr);
}
