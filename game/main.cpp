// Korvath: start up behind the loading screen, then run the main loop until
// the player quits.
#include "main_loop.h"
#include "startup.h"

int main(int, char**)
{
    runStartupSequence();
    return runMainLoop();
}
