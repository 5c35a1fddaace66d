// The picture handed to X on a larger screen: the shared picture's size and
// bars, and how often the whole window is drawn anew.
#include "frame_watch.h"
#include "test_images.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include "display.h"
#include "presentation.h"
#include "shared_picture.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// On a plain white window: a picture resized takes the new size, and its bars
// paint black exactly what lies around it.
TEST(SharedPictureTest, TakesEachSizeAskedAndItsBarsBlackenAllAroundIt)
{
    Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    const int width = 200, height = 150;
    const unsigned long white = WhitePixel(x, DefaultScreen(x));
    const Window window = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, width, height, 0, white, white);
    XMapWindow(x, window);
    XSync(x, False);
    SharedPicture picture;
    ASSERT_TRUE(picture.open(x, window));
    for (const auto& [w, h] : {std::pair{80, 60}, {160, 60}, {160, 120}}) {  // wider, then taller
        ASSERT_TRUE(picture.resize(w, h));
        EXPECT_EQ(picture.width(), w);
        EXPECT_EQ(picture.height(), h);
    }

    const int left = 20, top = 15;
    XClearWindow(x, window);
    picture.paintBars(width, height, left, top);
    const Screenshot shot = Screenshot::grab(x);  // the window lies at the screen's corner
    int wrong = 0;
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) {
            const bool inside = px >= left && px < left + 160 && py >= top && py < top + 120;
            wrong += !(shot.at(px, py) == (inside ? Rgb{255, 255, 255} : Rgb{0, 0, 0}));
        }
    EXPECT_EQ(wrong, 0);
    picture.close();
    XDestroyWindow(x, window);
    XCloseDisplay(x);
}

// Smoothly enlarged twice on a 1920 x 1080 screen, each frame copies only the
// picture, except the few drawn whole after the window is damaged: counted
// untouched and after damage, in a child whose display goes with the test's
// server (a death test would start a server of its own).
void countWholeFrames()
{
    windowedDisplay = true;
    presentationChoice = {2, ScaleFilter::kSmooth};
    initDisplay();
    const auto swapsOver = [](int frames) {
        const int before = framesSwapped;
        for (int frame = 0; frame < frames; ++frame)
            renderFrame();
        return framesSwapped - before;
    };
    swapsOver(20);
    const int untouched = swapsOver(10);
    presentationDamaged();
    std::fprintf(stderr, "%d then %d", untouched, swapsOver(10));
}

TEST(WholeFramesTest, AfterDamageAFewFramesAreDrawnWholeThenOnlyThePicture)
{
    PrivateXServer server("1920x1080");
    const Ending counted = inChild([&] {
        setenv("DISPLAY", server.name().c_str(), 1);
        countWholeFrames();
    });
    EXPECT_EQ(counted.said, "0 then 3");
}

}  // namespace
