// Common main for the test binaries: every test runs from the game's run
// directory (where media/ lives), and death tests re-run the binary rather
// than fork it, so a child never shares the parent's display connection.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool finished = false;
}

int main(int argc, char** argv)
{
    if (chdir(KORVATH_RUN_DIR) != 0) {
        std::perror("chdir to the run directory");
        return 1;
    }
    // A binary that ends early through exit() (the game's own "Quit", say)
    // has not run every test and must not pass; death-test children exit
    // on purpose.
    bool deathTestChild = false;
    for (int i = 1; i < argc; ++i)
        deathTestChild |= std::strstr(argv[i], "internal_run_death_test") != nullptr;
    if (!deathTestChild)
        std::atexit([] {
            if (!finished)
                _exit(1);
        });
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int result = RUN_ALL_TESTS();
    finished = true;
    return result;
}
