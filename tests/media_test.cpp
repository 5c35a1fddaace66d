// The generated media: every file the game reads is there after the build,
// at the sizes the game cuts and places it by, loads through the game's own
// Texture and FrameStrip code, and survives a rebuild without touching a
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
#include <cstdint>
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
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Every picture the game reads, as the game names it, with the size the game
// relies on (0 x 0 where the size is the art's own choice).
struct ImageFile {
    const char* path;
    int width, height;
};

const ImageFile kImages[] = {
    {"media\\backdrop.tga", 640, 480},           {"media\\sprites\\tank_wheel.tga", 0, 0},
    {"media\\sprites\\tank_wheels.tga", 0, 0},   {"media\\sprites\\tank_body.tga", 0, 0},
    {"media\\sprites\\tank_bridge.tga", 0, 0},   {"media\\sprites\\tank_cannon.tga", 0, 0},
    {"media\\sprites\\sp\\tank_wheels.tga", 0, 0}, {"media\\sprites\\sp\\tank_body.tga", 0, 0},
    {"media\\sprites\\sp\\tank_bridge.tga", 0, 0}, {"media\\sprites\\sp\\tank_cannon.tga", 0, 0},
    {"media\\sprites\\mothership.tga", 1300, 60}, {"media\\sprites\\mothership_body1.tga", 0, 0},
    {"media\\sprites\\mothership_body2.tga", 0, 0}, {"media\\sprites\\mothership_body3.tga", 0, 0},
    {"media\\sprites\\mothership_leg1.tga", 0, 0}, {"media\\sprites\\mothership_leg2.tga", 0, 0},
    {"media\\sprites\\alien_purple.tga", 279, 31}, {"media\\sprites\\bullet.tga", 0, 0},
    {"media\\sprites\\sheild_arc.tga", 192, 8},  {"media\\sprites\\sheild_ball.tga", 96, 16},
    {"media\\effects\\blueflare.tga", 0, 0},     {"media\\effects\\swirl.tga", 64, 64},
    {"media\\effects\\swirl_outline.tga", 64, 64}, {"media\\effects\\purple_swirl.tga", 0, 0},
    {"media\\windows\\window_bg.bmp", 1, 1},     {"media\\windows\\score_0.tga", 170, 50},
    {"media\\windows\\menu_2.tga", 366, 264},    {"media\\windows\\inv text back.bmp", 0, 0},
};

// The sheets the game cuts into animation frames: frames, frame size.
struct Strip {
    const char* path;
    unsigned frames, width, height;
};

const Strip kStrips[] = {
    {"media\\sprites\\mothership.tga", 13, 100, 60}, {"media\\sprites\\alien_purple.tga", 9, 31, 31},
    {"media\\sprites\\sheild_arc.tga", 24, 8, 8},     {"media\\sprites\\sheild_ball.tga", 6, 16, 16},
};

// A decoded image, read through the game's own loader.
class Picture {
public:
    explicit Picture(const char* path) : surface(loadImageSurface(path)) {}
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

TEST_F(MediaTest, EveryImageIsThereAtItsSizeAndLoadsAsATexture)
{
    for (const ImageFile& file : kImages) {
        SCOPED_TRACE(file.path);
        Picture picture(file.path);
        ASSERT_NE(picture.surface, nullptr);
        EXPECT_EQ(picture.surface->format->BitsPerPixel, 24);
        EXPECT_EQ(picture.surface->format->Amask, 0u); // black is the only transparency
        if (file.width) {
            EXPECT_EQ(picture.width(), file.width);
            EXPECT_EQ(picture.height(), file.height);
        }
        Texture texture(file.path);
        EXPECT_EQ(int(texture.imageWidth), picture.width());
        EXPECT_EQ(int(texture.imageHeight), picture.height());
    }
}

TEST_F(MediaTest, StripsCutIntoFramesThatAllDiffer)
{
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.path);
        FrameStrip strip(s.path, s.frames, s.width, s.height);
        unsigned count = 0;
        for (FrameNode* node = strip.first; node; node = node->next, ++count) {
            EXPECT_EQ(node->texture->imageWidth, s.width);
            EXPECT_EQ(node->texture->imageHeight, s.height);
        }
        EXPECT_EQ(count, s.frames);

        // Each frame shows something, and no two neighbours are the same
        // picture: the animation visibly moves.
        Picture sheet(s.path);
        for (unsigned f = 0; f < s.frames; ++f) {
            int shown = 0, changed = 0;
            for (unsigned y = 0; y < s.height; ++y)
                for (unsigned x = 0; x < s.width; ++x) {
                    shown += !sheet.isBlack(f * s.width + x, y);
                    changed += !(sheet.at(f * s.width + x, y) == sheet.at((f + 1) % s.frames * s.width + x, y));
                }
            EXPECT_GT(shown, 0) << "frame " << f + 1;
            EXPECT_GT(changed, 0) << "frames " << f + 1 << " and " << (f + 1) % s.frames + 1;
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
    Picture p(path.c_str());
    Extent e;
    for (int y = 0; p.surface && y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (!p.isBlack(x, y)) {
                e.left = std::min(e.left, dx + x);
                e.right = std::max(e.right, dx + x);
                e.top = std::min(e.top, dy + y);
                e.bottom = std::max(e.bottom, dy + y);
            }
    return e;
}

TEST_F(MediaTest, TankPartsAssembleIntoOneTankAtTheGameOffsets)
{
    for (std::string dir : {"media\\sprites\\", "media\\sprites\\sp\\"}) {
        SCOPED_TRACE(dir);
        Extent cover = placedExtent(dir + "tank_wheels.tga", 1, 30);
        Extent body = placedExtent(dir + "tank_body.tga", 6, 23);
        Extent bridge = placedExtent(dir + "tank_bridge.tga", 14, 15);
        Extent cannon = placedExtent(dir + "tank_cannon.tga", 20, 4);
        Extent wheel = placedExtent("media\\sprites\\tank_wheel.tga", 2, 37);

        // About 44 pixels wide, from y + 4 down to about y + 46.
        EXPECT_GE(cover.left, 0);
        EXPECT_LE(cover.right, 48);
        EXPECT_EQ(cannon.top, 4);
        EXPECT_LE(std::max(cover.bottom, wheel.bottom), 47);
        // Stacked without gaps: each part reaches into the one below it.
        EXPECT_GT(cannon.bottom, bridge.top);
        EXPECT_GT(bridge.bottom, body.top);
        EXPECT_GT(body.bottom, cover.top);
        EXPECT_LT(cover.top, wheel.top);
        // One centre line, with the cannon where the shot leaves (x + 20).
        for (const Extent* e : {&body, &bridge, &cannon})
            EXPECT_NEAR(e->centreX(), cover.centreX(), 1.5);
        EXPECT_GE(cannon.left, 20);
        EXPECT_LE(cannon.right, 29);
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
    EXPECT_FALSE(panel.isBlack(0, 0));
    EXPECT_LT(panel.luma(0, 0), 60);

    // Highlighted text is drawn in black on the bar: any black in the bar
    // itself would be a hole even where there is no letter. The bar must
    // also hold the widest menu item, and the 26 pixels the highlight is cut.
    Picture bar("media\\windows\\inv text back.bmp");
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            ASSERT_GT(bar.luma(x, y), 80) << "bar too dark at " << x << "," << y;
    EXPECT_GE(bar.height(), 26);
    TextSurface scratch(10u, 10u);
    scratch.setFontSize(24);
    for (const char* item : {"One Player", "Two Player", "Hall Of Fame", "Quit", "Back"})
        EXPECT_GE(bar.width(), scratch.textWidth(item)) << item;
}

TEST_F(MediaTest, TheFontIsSquareBoldAndOpensAtEverySizeInUse)
{
    for (int points : {12, 16, 20, 24, 32, 40}) {
        TTF_Font* font = TTF_OpenFont("media/Square Bold.ttf", points);
        ASSERT_NE(font, nullptr) << points << " pt: " << TTF_GetError();
        EXPECT_STREQ(TTF_FontFaceFamilyName(font), "Square");
        EXPECT_STREQ(TTF_FontFaceStyleName(font), "Bold");
        TTF_CloseFont(font);
    }
}

TEST_F(MediaTest, SwirlsStayInsideTheirCircleAndTheTintedOneIsNearWhite)
{
    // Spinning turns the texture about the canvas centre and repeats the
    // edge texels beyond it: anything outside the inscribed circle would be
    // cut off or smeared as it turns. The plain swirl is tinted by corner
    // colours, so it must be near white.
    for (auto [path, tinted] : {std::pair{"media\\effects\\swirl.tga", true},
                                {"media\\effects\\swirl_outline.tga", false},
                                {"media\\effects\\purple_swirl.tga", false}}) {
        SCOPED_TRACE(path);
        Picture p(path);
        const double r = p.width() / 2.0;
        long luma = 0, opaque = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                if (!p.isBlack(x, y)) {
                    ASSERT_LE(std::hypot(x + 0.5 - r, y + 0.5 - r), r - 0.5) << x << "," << y;
                    luma += p.luma(x, y);
                    ++opaque;
                }
        ASSERT_GT(opaque, 200);
        if (tinted) {
            EXPECT_GT(luma / opaque, 190);
        }
    }
}

// A sound as the game's sound layer reads it: through SDL's WAV loader.
struct Sound {
    explicit Sound(const std::string& name)
    {
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (SDL_LoadWAV(("media/sound/" + name + ".wav").c_str(), &format, &buffer, &length)) {
            samples.assign(reinterpret_cast<int16_t*>(buffer), reinterpret_cast<int16_t*>(buffer + length));
            SDL_FreeWAV(buffer);
        }
    }
    SDL_AudioSpec format = {};
    std::vector<int16_t> samples;
};

TEST(MediaSounds, AreSixteenBitAt22050HzNeverClipAndLoopSeamlessly)
{
    for (std::string name : {"rocket", "batplode", "whoosh", "evillaug", "beepspac", "037", "deactivate1",
                             "menuitem", "Vaz Aded"}) {
        SCOPED_TRACE(name);
        const Sound w(name);
        ASSERT_GT(w.samples.size(), 1000u);
        EXPECT_EQ(w.format.format, AUDIO_S16LSB);
        EXPECT_EQ(w.format.channels, 1);
        EXPECT_EQ(w.format.freq, 22050);
        int peak = 0, largestStep = 0;
        for (size_t i = 0; i < w.samples.size(); ++i) {
            peak = std::max(peak, std::abs(int(w.samples[i])));
            if (i > 0)
                largestStep = std::max(largestStep, std::abs(w.samples[i] - w.samples[i - 1]));
        }
        EXPECT_GT(peak, 8000) << "inaudibly quiet";
        EXPECT_LT(peak, 32000) << "at or near clipping";
        // A loop is seamless when the step from its last sample to its first
        // is no bigger than the steps inside it; anything else must end quietly.
        if (name == "beepspac" || name == "Vaz Aded") {
            EXPECT_LE(std::abs(w.samples.front() - w.samples.back()), largestStep);
        } else {
            EXPECT_LT(std::abs(int(w.samples.back())), 1000) << "ends on a click";
        }
    }
    EXPECT_GE(Sound("Vaz Aded").samples.size(), 30u * 22050u) << "the music lasts half a minute";
}

class MediaRebuild : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("korvath_media_test_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    // Runs the generator, which the build keeps at tools/ in the run directory.
    static int run(const std::string& arguments) { return std::system(("tools/korvath_media " + arguments).c_str()); }
    int generate(const std::string& options = "") { return run(options + " '" + dir.string() + "'"); }
    fs::path scores() const { return dir / "media/font/scores.txt"; }

    fs::path dir;
};

TEST_F(MediaRebuild, WritesTheSameBytesEveryTimeAndKeepsAPlayersScores)
{
    // A missing score file is made empty (and the build made the real one).
    ASSERT_EQ(generate("--scores"), 0);
    EXPECT_EQ(readFile(scores()), Bytes(160, 0));
    EXPECT_EQ(readFile("media/font/scores.txt").size(), 160u);

    Bytes saved(160);
    for (size_t i = 0; i < saved.size(); ++i)
        saved[i] = uint8_t(i * 7 + 3);
    writeFile(scores(), saved);
    ASSERT_EQ(generate(), 0);
    EXPECT_EQ(readFile(scores()), saved);
    ASSERT_EQ(generate("--scores"), 0);
    EXPECT_EQ(readFile(scores()), saved);

    // A short file is a player's too: left as it is, not padded or replaced.
    Bytes shortFile(32, 0x41);
    writeFile(scores(), shortFile);
    ASSERT_EQ(generate(), 0);
    EXPECT_EQ(readFile(scores()), shortFile);

    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "media")) {
        if (!entry.is_regular_file() || entry.path() == scores())
            continue;
        fs::path built = fs::path("media") / fs::relative(entry.path(), dir / "media");
        EXPECT_EQ(readFile(entry.path()), readFile(built)) << built;
        ++compared;
    }
    EXPECT_EQ(compared, 38); // 28 pictures, 9 sounds and the font
}

TEST_F(MediaRebuild, ContactSheetShowsTheBuiltPictures)
{
    fs::path sheet = dir / "sheet.png";
    ASSERT_EQ(run("--contact-sheet . '" + sheet.string() + "'"), 0);
    Bytes png = readFile(sheet);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    auto bigEndian = [&](size_t at) { return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]; };
    EXPECT_EQ(bigEndian(16), 1340);
    EXPECT_GT(bigEndian(20), 1000); // two mock screens and every picture below them

    // Pictures missing: an error, not an empty sheet.
    EXPECT_NE(run("--contact-sheet '" + dir.string() + "' '" + sheet.string() + "'"), 0);
}

TEST_F(MediaRebuild, FailsLoudlyWhenItCannotWrite)
{
    fs::create_directories(dir / "media/sound/rocket.wav"); // a directory where a file must go
    EXPECT_NE(generate(), 0);
}

} // namespace
