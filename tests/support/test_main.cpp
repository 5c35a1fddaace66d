// Common main for the test binaries: every test runs from the game's run
// directory (where media/ lives), and death tests re-run the binary rather
// than fork it, so a child never shares the parent's display connection.
#include <gtest/gtest.h>
#include <unistd.h>
#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool finished = false;
pid_t testProcess;
}

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
    // A binary that ends early through exit() (the game's own "Quit", say)
    // has not run every test and must not pass; death-test children and
    // the children a test forks exit on purpose.
    bool deathTestChild = false;
    for (int i = 1; i < argc; ++i)
        deathTestChild |= std::strstr(argv[i], "internal_run_death_test") != nullptr;
    testProcess = getpid();
    if (!deathTestChild)
        std::atexit([] {
            if (!finished && getpid() == testProcess)
                _exit(1);
        });
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int result = RUN_ALL_TESTS();
    finished = true;
#ifdef __SANITIZE_ADDRESS__
    // Now, while the GL driver is still loaded: once SDL is shut down at
    // exit the driver is gone, and its allocations could no longer be told
    // from anyone else's.
    __lsan_do_leak_check();
#endif
    return result;
}
