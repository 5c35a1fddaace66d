// The generated media: every picture loads through the game's own code at
// the sizes the game cuts and places it by, the art fits how it is drawn,
// the sounds are clean, and a rebuild is byte-identical and never touches a
// player's scores. Runs from the run directory, where media/ was written.
#include "frame_strip.h"
#include "test_display.h"
#include "test_images.h"
#include "text_surface.h"
#include "texture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A decoded image, read through the game's own loader.
struct Picture {
    explicit Picture(const std::string& path) : surface(loadImageSurface(path.c_str())) {}
    ~Picture() { SDL_FreeSurface(surface); }
    int width() const { return surface->w; }
    int height() const { return surface->h; }
    Rgb at(int x, int y) const
    {
        const uint8_t* p = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch +
                           x * surface->format->BytesPerPixel;
        Rgb c;
        SDL_GetRGB(p[0] | p[1] << 8 | p[2] << 16, surface->format, &c.r, &c.g, &c.b);
        return c;
    }
    bool isBlack(int x, int y) const { return at(x, y) == Rgb{0, 0, 0}; }
    int luma(int x, int y) const
    {
        const Rgb c = at(x, y);
        return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
    }
    SDL_Surface* surface;
};

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override { ensureDisplay(); }
};

TEST_F(MediaTest, EveryPictureIs24BitAndTheSizedOnesAreAtTheirSizes)
{
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator("media")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".tga" && ext != ".bmp")
            continue;
        std::string path = entry.path().generic_string();
        std::replace(path.begin(), path.end(), '/', '\\');  // as the game names it
        SCOPED_TRACE(path);
        Picture picture(path);
        ASSERT_NE(picture.surface, nullptr);
        EXPECT_EQ(picture.surface->format->BitsPerPixel, 24);
        EXPECT_EQ(picture.surface->format->Amask, 0u);  // black is the only transparency
        Texture texture(path.c_str());
        EXPECT_EQ(int(texture.imageWidth), picture.width());
        ++pictures;
    }
    EXPECT_EQ(pictures, 28);
    struct Sized {
        const char* path;
        int width, height;
    };
    for (const Sized& s : {Sized{"media\\backdrop.tga", 640, 480}, {"media\\sprites\\mothership.tga", 1300, 60},
                           {"media\\sprites\\alien_purple.tga", 279, 31}, {"media\\sprites\\sheild_arc.tga", 192, 8},
                           {"media\\sprites\\sheild_ball.tga", 96, 16}, {"media\\effects\\swirl.tga", 64, 64},
                           {"media\\windows\\window_bg.bmp", 1, 1}, {"media\\windows\\score_0.tga", 170, 50},
                           {"media\\windows\\menu_2.tga", 366, 264}}) {
        Picture p(s.path);
        EXPECT_EQ(p.width(), s.width) << s.path;
        EXPECT_EQ(p.height(), s.height) << s.path;
    }
}

TEST_F(MediaTest, StripsCutIntoFramesThatAllShowSomethingAndDiffer)
{
    struct Strip {
        const char* path;
        unsigned frames, width, height;
    };
    for (const Strip& s : {Strip{"media\\sprites\\mothership.tga", 13, 100, 60},
                           {"media\\sprites\\alien_purple.tga", 9, 31, 31}, {"media\\sprites\\sheild_arc.tga", 24, 8, 8},
                           {"media\\sprites\\sheild_ball.tga", 6, 16, 16}}) {
        SCOPED_TRACE(s.path);
        FrameStrip strip(s.path, s.frames, s.width, s.height);
        unsigned count = 0;
        for (FrameNode* node = strip.first; node; node = node->next, ++count)
            EXPECT_EQ(node->texture->imageWidth, s.width);
        EXPECT_EQ(count, s.frames);
        Picture sheet(s.path);
        for (unsigned f = 0; f < s.frames; ++f) {
            int shown = 0, changed = 0;
            for (unsigned y = 0; y < s.height; ++y)
                for (unsigned x = 0; x < s.width; ++x) {
                    shown += !sheet.isBlack(f * s.width + x, y);
                    changed += !(sheet.at(f * s.width + x, y) == sheet.at((f + 1) % s.frames * s.width + x, y));
                }
            EXPECT_GT(shown, 0) << "frame " << f + 1;
            EXPECT_GT(changed, 0) << "frames " << f + 1 << " and the next";
        }
    }
}

// Extent of the opaque pixels of a tank part placed at (dx, dy) from the
// tank's top-left corner.
struct Extent {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    double centreX() const { return (left + right + 1) / 2.0; }
};

Extent placedExtent(const std::string& path, int dx, int dy)
{
    Picture p(path);
    Extent e;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (!p.isBlack(x, y)) {
                e = {std::min(e.left, dx + x), std::min(e.top, dy + y), std::max(e.right, dx + x),
                     std::max(e.bottom, dy + y)};
            }
    return e;
}

TEST_F(MediaTest, TankPartsAssembleIntoOneTankAtTheGameOffsets)
{
    for (std::string dir : {"media\\sprites\\", "media\\sprites\\sp\\"}) {
        SCOPED_TRACE(dir);
        const Extent cover = placedExtent(dir + "tank_wheels.tga", 1, 30), body = placedExtent(dir + "tank_body.tga", 6, 23),
                     bridge = placedExtent(dir + "tank_bridge.tga", 14, 15),
                     cannon = placedExtent(dir + "tank_cannon.tga", 20, 4),
                     wheel = placedExtent("media\\sprites\\tank_wheel.tga", 2, 37);
        // About 44 pixels wide, from y + 4 down to about y + 46, stacked
        // without gaps on one centre line, the cannon where the shot leaves.
        EXPECT_TRUE(cover.left >= 0 && cover.right <= 48 && cannon.top == 4);
        EXPECT_LE(std::max(cover.bottom, wheel.bottom), 47);
        EXPECT_TRUE(cannon.bottom > bridge.top && bridge.bottom > body.top && body.bottom > cover.top);
        EXPECT_LT(cover.top, wheel.top);
        for (const Extent* e : {&body, &bridge, &cannon})
            EXPECT_NEAR(e->centreX(), cover.centreX(), 1.5);
        EXPECT_TRUE(cannon.left >= 20 && cannon.right <= 29);
    }
}

TEST_F(MediaTest, TransparencyOnlyWhereTheGameWantsIt)
{
    Picture backdrop("media\\backdrop.tga");
    long total = 0;
    for (int y = 0; y < backdrop.height(); ++y)
        for (int x = 0; x < backdrop.width(); ++x) {
            ASSERT_FALSE(backdrop.isBlack(x, y)) << "backdrop hole at " << x << "," << y;
            total += backdrop.luma(x, y);
        }
    EXPECT_LT(total / (640 * 480), 40) << "backdrop too bright for the sprites to read on";
    Picture panel("media\\windows\\window_bg.bmp");
    EXPECT_TRUE(!panel.isBlack(0, 0) && panel.luma(0, 0) < 60);

    // Highlighted text is black on the bar: black in the bar would be a hole.
    // The bar holds the widest item and the 26 pixels the highlight is cut.
    Picture bar("media\\windows\\inv text back.bmp");
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            ASSERT_GT(bar.luma(x, y), 80) << "bar too dark at " << x << "," << y;
    EXPECT_GE(bar.height(), 26);
    TextSurface scratch(10u, 10u);
    scratch.setFontSize(24);
    EXPECT_GE(bar.width(), scratch.textWidth("Hall Of Fame"));

    // Spinning turns a swirl about its centre: nothing may lie outside the
    // inscribed circle. The plain swirl is tinted by corner colours, so it
    // must be near white.
    for (const char* path : {"media\\effects\\swirl.tga", "media\\effects\\swirl_outline.tga",
                             "media\\effects\\purple_swirl.tga"}) {
        Picture p(path);
        const double r = p.width() / 2.0;
        long luma = 0, opaque = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                if (!p.isBlack(x, y)) {
                    ASSERT_LE(std::hypot(x + 0.5 - r, y + 0.5 - r), r - 0.5) << path << " " << x << "," << y;
                    luma += p.luma(x, y);
                    ++opaque;
                }
        ASSERT_GT(opaque, 200) << path;
        if (std::string(path).find("\\swirl.tga") != std::string::npos)
            EXPECT_GT(luma / opaque, 190) << path;
    }
}

TEST(MediaSounds, AreSixteenBitAt22050HzNeverClipAndLoopSeamlessly)
{
    for (std::string name : {"rocket", "batplode", "whoosh", "evillaug", "beepspac", "037", "deactivate1",
                             "menuitem", "Vaz Aded"}) {
        SCOPED_TRACE(name);
        SDL_AudioSpec format = {};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV(("media/sound/" + name + ".wav").c_str(), &format, &buffer, &length), nullptr);
        const std::vector<int16_t> w(reinterpret_cast<int16_t*>(buffer), reinterpret_cast<int16_t*>(buffer + length));
        SDL_FreeWAV(buffer);
        EXPECT_TRUE(format.format == AUDIO_S16LSB && format.channels == 1 && format.freq == 22050);
        ASSERT_GT(w.size(), 1000u);
        int peak = 0, largestStep = 0;
        for (size_t i = 0; i < w.size(); ++i) {
            peak = std::max(peak, std::abs(int(w[i])));
            if (i > 0)
                largestStep = std::max(largestStep, std::abs(w[i] - w[i - 1]));
        }
        EXPECT_TRUE(peak > 8000 && peak < 32000) << "audible and clear of clipping: " << peak;
        // A loop is seamless when its wrap is no bigger a step than those
        // inside it; anything else must end quietly.
        if (name == "beepspac" || name == "Vaz Aded")
            EXPECT_LE(std::abs(w.front() - w.back()), largestStep);
        else
            EXPECT_LT(std::abs(int(w.back())), 1000) << "ends on a click";
        if (name == "Vaz Aded")
            EXPECT_GE(w.size(), 30u * 22050u) << "the music lasts half a minute";
    }
}

class MediaRebuild : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    // Runs the generator, which the build keeps at tools/ in the run directory.
    static int run(const std::string& arguments) { return std::system(("tools/korvath_media " + arguments).c_str()); }
    int generate(const std::string& options = "") { return run(options + " '" + dir.string() + "'"); }

    const fs::path dir = fs::temp_directory_path() / ("korvath_media_test_" + std::to_string(getpid()));
    const fs::path scores = dir / "media/font/scores.txt";
};

TEST_F(MediaRebuild, WritesTheSameBytesEveryTimeAndKeepsAPlayersScores)
{
    ASSERT_EQ(generate("--scores"), 0);
    EXPECT_EQ(readFile(scores), Bytes(160, 0)) << "a missing score file is made empty";
    Bytes saved(160);
    for (size_t i = 0; i < saved.size(); ++i)
        saved[i] = uint8_t(i * 7 + 3);
    for (const Bytes& players : {saved, Bytes(32, 0x41)}) {  // a short file is a player's too
        writeFile(scores, players);
        ASSERT_EQ(generate(), 0);
        ASSERT_EQ(generate("--scores"), 0);
        EXPECT_EQ(readFile(scores), players);
    }
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "media")) {
        if (!entry.is_regular_file() || entry.path() == scores)
            continue;
        const fs::path built = fs::path("media") / fs::relative(entry.path(), dir / "media");
        EXPECT_EQ(readFile(entry.path()), readFile(built)) << built;
        ++compared;
    }
    EXPECT_EQ(compared, 37);  // 28 pictures and 9 sounds
}

TEST_F(MediaRebuild, DrawsAContactSheetAndFailsLoudlyWhenItCannotReadOrWrite)
{
    const fs::path sheet = dir / "sheet.png";
    ASSERT_EQ(run("--contact-sheet . '" + sheet.string() + "'"), 0);
    const Bytes png = readFile(sheet);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    auto bigEndian = [&](size_t at) { return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]; };
    EXPECT_EQ(bigEndian(16), 1340);
    EXPECT_GT(bigEndian(20), 1000);  // two mock screens and every picture below them
    EXPECT_NE(run("--contact-sheet '" + dir.string() + "' '" + sheet.string() + "'"), 0) << "no pictures there";
    fs::create_directories(dir / "media/sound/rocket.wav");  // a directory where a file must go
    EXPECT_NE(generate(), 0);
}

}  // namespace
