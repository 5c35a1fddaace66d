// Screens larger than 640 x 480: the window's scale, the picture's place,
// and the real game full screen on a larger X screen, centred by whole
// multiples within black bars, with or without a window manager, and still
// so after Alt+Enter to a window and back.
#include "presentation.h"

#include "x_screen.h"

#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

TEST(PresentationTest, TheWindowIsTheLargestWholeMultipleThatFits)
{
    struct Case {
        ScreenSize screen;
        int requested;  // 0: automatic
        int scale;
    };
    const Case cases[] = {
        {{640, 480}, 0, 1},    {{1366, 768}, 0, 1},   {{1920, 1080}, 0, 1}, {{1920, 1200}, 0, 2},
        {{2560, 1440}, 0, 2},  {{3840, 2160}, 0, 3},  {{5120, 2880}, 0, 4}, {{1280, 1024}, 0, 1},
        {{2160, 3840}, 0, 3},  // a portrait screen: its width decides
        {{3840, 2160}, 2, 2},  {{3840, 2160}, 4, 4},  {{1920, 1080}, 4, 2},  // never beyond the screen
        {{1024, 768}, 3, 1},   {{0, 0}, 3, 3},        // a screen of unknown size takes what is asked
    };
    for (const Case& c : cases)
        EXPECT_EQ(windowScale(c.requested, c.screen), c.scale)
            << c.screen.width << " x " << c.screen.height << ", asked " << c.requested;
}

TEST(PresentationTest, ThePictureIsCentredSharpByWholeMultiplesSmoothAsLargeAsFits)
{
    struct Case {
        int width, height;
        ScaleFilter filter;
        PictureRect picture;  // lower-left corner, as OpenGL counts
    };
    const Case cases[] = {
        {640, 480, ScaleFilter::kSharp, {0, 0, 640, 480}},
        {1920, 1440, ScaleFilter::kSharp, {0, 0, 1920, 1440}},
        {1920, 1440, ScaleFilter::kSmooth, {0, 0, 1920, 1440}},
        {1920, 1080, ScaleFilter::kSharp, {320, 60, 1280, 960}},
        {1920, 1080, ScaleFilter::kSmooth, {240, 0, 1440, 1080}},
        {3840, 2160, ScaleFilter::kSharp, {640, 120, 2560, 1920}},
        {1280, 1024, ScaleFilter::kSmooth, {0, 32, 1280, 960}},
        {800, 600, ScaleFilter::kSharp, {80, 60, 640, 480}},
    };
    for (const Case& c : cases) {
        const PictureRect r = pictureRect(c.width, c.height, c.filter);
        const auto place = [](const PictureRect& p) { return std::tuple{p.x, p.y, p.width, p.height}; };
        EXPECT_EQ(place(r), place(c.picture)) << "on a " << c.width << " x " << c.height << " screen";
    }
}

// 1280 x 1024: the sharp picture is 1280 x 960, 32 black rows above and
// below it; in a window (1 x on this screen) it is 640 x 480 in the middle.
class LargerScreenTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 1280, kHeight = 1024;

    void SetUp() override
    {
        if (!xdotoolInstalled())
            GTEST_SKIP() << "xdotool is not installed: it sends the key presses";
    }

    bool showsTitleMenu(Display* screen, int x, int y, int scale)
    {
        return titleMenuWithHighlightOn(Screenshot::grab(screen, x, y, scale), 0);
    }
    // Every pixel outside the picture black.
    static bool barsBlack(Display* screen, int x, int y, int w, int h)
    {
        XImage* image = XGetImage(screen, DefaultRootWindow(screen), 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
        if (!image)
            return false;
        bool black = true;
        for (int py = 0; py < kHeight && black; ++py)
            for (int px = 0; px < kWidth && black; ++px)
                if (px < x || px >= x + w || py < y || py >= y + h)
                    black = (XGetPixel(image, px, py) & 0xFFFFFF) == 0;
        XDestroyImage(image);
        return black;
    }
    void altEnter(const PrivateXServer& server)
    {
        ASSERT_EQ(std::system(("DISPLAY=" + server.name() + " xdotool key alt+Return").c_str()), 0);
    }
};

TEST_F(LargerScreenTest, FullScreenShowsTheWholePictureCentredWithBarsWithAndWithoutAWindowManager)
{
    RunDirectoryCopy dir;
    for (const bool windowManager : {true, false}) {
        SCOPED_TRACE(windowManager ? "with openbox" : "with no window manager");
        PrivateXServer server(std::to_string(kWidth) + "x" + std::to_string(kHeight));
        std::unique_ptr<GameProcess> manager;
        if (windowManager) {
            manager = std::make_unique<GameProcess>(".", std::vector<std::string>{"openbox"}, std::vector<std::string>{"DISPLAY=" + server.name()});
            usleep(500000);
            ASSERT_FALSE(manager->hasEnded()) << "openbox: " << manager->summary();
        }
        Display* screen = server.open();
        ASSERT_NE(screen, nullptr);
        GameProcess game(dir.path(), {"./korvath"}, {"DISPLAY=" + server.name()});
        EXPECT_TRUE(game.waitUntil([&] { return showsTitleMenu(screen, 0, 32, 2); }, 15.0)) << game.summary();
        EXPECT_TRUE(barsBlack(screen, 0, 32, kWidth, 960));

        if (!windowManager) {
            // To a window in the middle of the screen, and back.
            altEnter(server);
            EXPECT_TRUE(game.waitUntil([&] { return showsTitleMenu(screen, 320, 272, 1); }, 15.0)) << "a window";
            altEnter(server);
            EXPECT_TRUE(game.waitUntil([&] { return showsTitleMenu(screen, 0, 32, 2); }, 15.0)) << "full screen again";
            EXPECT_TRUE(barsBlack(screen, 0, 32, kWidth, 960));
        }
        XCloseDisplay(screen);
    }
}

}  // namespace
