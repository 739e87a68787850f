// mapkit: command-line tools for the game's map authors.
#include "commands.h"

int main(int argc, char **argv)
{
  return mapkit_main(argc, argv, stdout, stderr);
}
