// Korvath: start up behind the loading screen, then run the main loop until
// the player quits. `korvath --window` plays in a 640 x 480 window instead
// of the full screen.
#include "display.h"
#include "main_loop.h"
#include "startup.h"

#include <cstdio>
#include <cstring>

namespace {

// An option the game does not know is named on the standard error stream
// and otherwise ignored: the game starts all the same.
void readOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0)
            windowedDisplay = true;
        else
            std::fprintf(stderr, "korvath: ignoring unknown option %s (the only option is --window)\n", argv[i]);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    readOptions(argc, argv);
    runStartupSequence();
    runMainLoop();
}
