// Texture canvases, transparency, decoding by content, and load failures.
#include "texture.h"

#include "shutdown.h"
#include "test_display.h"
#include "test_images.h"
#include "text_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<Texture> load(const std::string& name, int w, int h, Rgb (*colour)(int, int))
{
    ensureDisplay();
    const std::string path = scratchDirectory() + "/" + name;
    writeBmp(path, w, h, colour);
    return std::make_unique<Texture>(path.c_str());
}

Rgb grey(int, int) { return {90, 90, 90}; }

TEST(TextureTest, ImagesAreCentredOnPowerOfTwoCanvasesWithTransparentPadding)
{
    struct Case {
        int w, h;
        uint32_t tw, th;
        int32_t ox, oy;
    };
    for (const Case& c : {Case{100, 60, 128, 64, 14, 2}, {640, 480, 1024, 512, 192, 16}, {64, 64, 64, 64, 0, 0},
                          {65, 1, 128, 1, 32, 0}, {9, 9, 16, 16, 4, 4}}) {
        const auto t = load("c.tga", c.w, c.h, grey);  // a BMP named .tga loads by its content
        EXPECT_EQ(t->textureWidth(), c.tw) << c.w << " x " << c.h;
        EXPECT_EQ(t->textureHeight(), c.th) << c.w << " x " << c.h;
        EXPECT_EQ(t->offsetX(), c.ox) << c.w << " x " << c.h;
        EXPECT_EQ(t->offsetY(), c.oy) << c.w << " x " << c.h;
        EXPECT_EQ(t->imageWidth(), uint32_t(c.w)) << c.w;
        EXPECT_EQ(t->sourceRect().w, c.w) << c.w;
    }
    const std::vector<uint8_t> nine = canvasAlphas(*load("nine.bmp", 9, 1, grey));
    EXPECT_EQ(nine, (std::vector<uint8_t>{0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0}));
    // Only pure black is transparent: the darkest red there is stays.
    const std::vector<uint8_t> keyed = canvasAlphas(*load("keyed.bmp", 2, 1, [](int x, int) { return Rgb{uint8_t(x), 0, 0}; }));
    EXPECT_EQ(keyed, (std::vector<uint8_t>{0, 255}));
}

// The failures come before any GL call, so the dying child needs no display.
TEST(TextureLoadFailure, AMissingOrCorruptFileEndsTheProgramWith191)
{
    EXPECT_EXIT(Texture("media\\no\\such.tga"), ::testing::ExitedWithCode(191),
                "^Error could not load file media\\\\no\\\\such\\.tga\\.$");
    const std::string path = scratchDirectory() + "/garbage.bmp";
    writeText(path, "BM this is not a picture");
    EXPECT_EXIT(Texture(path.c_str()), ::testing::ExitedWithCode(191), "Error could not load file");
}

// A load frees what it replaces; in the main loop a failed one asks for the
// end and leaves the texture empty.
TEST(TextureTest, ALoadFreesWhatItReplacesAndAFailedOneLeavesAnEmptyTexture)
{
    const auto t = load("first.bmp", 8, 8, grey);
    const GLuint first = t->textureName();
    const std::string second = scratchDirectory() + "/second.bmp";
    writeBmp(second, 16, 4, grey);
    t->loadFile(second.c_str());
    EXPECT_FALSE(glIsTexture(first)) << "the first texture is freed";
    EXPECT_EQ(t->imageWidth(), 16u);
    const GLuint secondName = t->textureName();
    TextSurface blank(4, 4);
    t->cutFrom(&blank, 0, 0, 4, 4);
    EXPECT_FALSE(glIsTexture(secondName)) << "the second texture is freed";

    acceptShutDownRequests();
    ::testing::internal::CaptureStderr();
    t->loadFile("media\\no\\such.tga");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error could not load file media\\no\\such.tga.");
    EXPECT_EQ(takeShutDownRequest(), std::optional<int>(kImageLoadFailureExit));
    EXPECT_EQ(t->imageWidth(), 0u);
    EXPECT_NE(t->textureName(), 0u);
}

}  // namespace
