// The test binaries' main: run from the run directory (where media/ is);
// death tests re-run the binary, never sharing the parent's display.
#include "shutdown.h"

#include <gtest/gtest.h>
#include <unistd.h>
#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>

#ifdef __SANITIZE_ADDRESS__
// The leak check passes over what the session bus, SDL and the GL driver
// keep until unloaded; never the game's own code.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\nleak:libSDL2-2.0.so\nleak:swrast_dri.so\nleak:libGLX_mesa.so\n";
}
#endif

int main(int argc, char** argv)
{
    if (chdir(KORVATH_RUN_DIR) != 0) {
        std::perror("chdir to the run directory");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int result = RUN_ALL_TESTS();
#ifdef __SANITIZE_ADDRESS__
    // While the GL driver is loaded, so its allocations can be told apart.
    __lsan_do_leak_check();
#endif
    // SDL's threads (audio) stop before the libraries they call unload.
    closeSdl();
    return result;
}
