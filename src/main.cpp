// The program's entry: everything else is the start-up's.
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

int main(int argc, char** argv) {
  try {
    PlatformStartup(argc, argv);
    if (!Graphics(800, 600, 0, 60, 0)) {
      Notify(S("Graphics initiation error! The game will close."), false);
      End();
    }
    for (;;) {
      Cls();
      PollSystem();
      Flip(-1);
      if (AppTerminate()) End();
    }
  } catch (const FrameworkError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    RunEndHooks();
    return 255;
  }
}
