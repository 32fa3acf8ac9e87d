// The program's entry: the platform's own start-up, then the game's start-up and main loop.
#include "program/main_loop.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  PlatformStartup(argc, argv);
  return RunProgram();
}
