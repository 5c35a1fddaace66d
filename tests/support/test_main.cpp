// Common main for the test binaries: every test runs from the game's run
// directory (where media/ lives), and death tests re-run the binary rather
// than fork it, so a child never shares the parent's display connection.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (chdir(KORVATH_RUN_DIR) != 0) {
        std::perror("chdir to the run directory");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
