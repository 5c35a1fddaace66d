// Common main for the test binaries: every test runs from the game's run
// directory (where media/ lives), and death tests re-run the binary rather
// than fork it, so a child never shares the parent's display connection.
#include "shutdown.h"

#include <gtest/gtest.h>
#include <unistd.h>
#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>

#ifdef __SANITIZE_ADDRESS__
// A sanitizer build's leak check passes over what the platform's own
// libraries keep until they are unloaded, or never free: the session bus,
// SDL and the GL driver. Never the game's own code.
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
    // Now, while the GL driver is still loaded: once SDL is shut down the
    // driver is gone, and its allocations could no longer be told from
    // anyone else's.
    __lsan_do_leak_check();
#endif
    // SDL's threads (audio) stop before the libraries they call unload.
    closeSdl();
    return result;
}
