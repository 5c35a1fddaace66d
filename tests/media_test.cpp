// The generated media: every file the game reads is there after the build,
// at the sizes the game cuts and places it by, loads through the game's own
// Texture and FrameStrip code, and survives a rebuild without touching a
// player's scores. Runs from the run directory, where media/ was written.
#include "frame_strip.h"
#include "test_display.h"
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

// The generator, where the build puts it relative to the run directory.
const char* const kGenerator = "tools/korvath_media";

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

struct ImageFile {
    const char* path;  // as the game names it
    int width, height; // 0: the size is the art's own choice
};

const ImageFile kImages[] = {
    {"media\\backdrop.tga", 640, 480},
    {"media\\sprites\\tank_wheel.tga", 0, 0},
    {"media\\sprites\\tank_wheels.tga", 0, 0},
    {"media\\sprites\\tank_body.tga", 0, 0},
    {"media\\sprites\\tank_bridge.tga", 0, 0},
    {"media\\sprites\\tank_cannon.tga", 0, 0},
    {"media\\sprites\\sp\\tank_wheels.tga", 0, 0},
    {"media\\sprites\\sp\\tank_body.tga", 0, 0},
    {"media\\sprites\\sp\\tank_bridge.tga", 0, 0},
    {"media\\sprites\\sp\\tank_cannon.tga", 0, 0},
    {"media\\sprites\\mothership.tga", 1300, 60},
    {"media\\sprites\\mothership_body1.tga", 0, 0},
    {"media\\sprites\\mothership_body2.tga", 0, 0},
    {"media\\sprites\\mothership_body3.tga", 0, 0},
    {"media\\sprites\\mothership_leg1.tga", 0, 0},
    {"media\\sprites\\mothership_leg2.tga", 0, 0},
    {"media\\sprites\\alien_purple.tga", 279, 31},
    {"media\\sprites\\bullet.tga", 0, 0},
    {"media\\sprites\\sheild_arc.tga", 192, 8},
    {"media\\sprites\\sheild_ball.tga", 96, 16},
    {"media\\effects\\blueflare.tga", 0, 0},
    {"media\\effects\\swirl.tga", 64, 64},
    {"media\\effects\\swirl_outline.tga", 64, 64},
    {"media\\effects\\purple_swirl.tga", 0, 0},
    {"media\\windows\\window_bg.bmp", 1, 1},
    {"media\\windows\\score_0.tga", 170, 50},
    {"media\\windows\\menu_2.tga", 366, 264},
    {"media\\windows\\inv text back.bmp", 0, 0},
};

struct Strip {
    const char* path;
    unsigned frames, width, height;
};

const Strip kStrips[] = {
    {"media\\sprites\\mothership.tga", 13, 100, 60},
    {"media\\sprites\\alien_purple.tga", 9, 31, 31},
    {"media\\sprites\\sheild_arc.tga", 24, 8, 8},
    {"media\\sprites\\sheild_ball.tga", 6, 16, 16},
};

// A decoded image as 24-bit RGB, read through the game's own loader.
class Picture {
public:
    explicit Picture(const char* path) : surface(loadImageSurface(path)) {}
    ~Picture() { SDL_FreeSurface(surface); }
    bool loaded() const { return surface != nullptr; }
    int width() const { return surface->w; }
    int height() const { return surface->h; }
    SDL_Color at(int x, int y) const
    {
        const uint8_t* p = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch +
                           x * surface->format->BytesPerPixel;
        Uint32 value = p[0] | p[1] << 8 | p[2] << 16;
        SDL_Color c;
        SDL_GetRGB(value, surface->format, &c.r, &c.g, &c.b);
        return c;
    }
    bool isBlack(int x, int y) const
    {
        SDL_Color c = at(x, y);
        return c.r == 0 && c.g == 0 && c.b == 0;
    }
    static int luma(SDL_Color c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

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
        ASSERT_TRUE(picture.loaded());
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
                    SDL_Color a = sheet.at(f * s.width + x, y);
                    SDL_Color b = sheet.at(((f + 1) % s.frames) * s.width + x, y);
                    shown += !sheet.isBlack(f * s.width + x, y);
                    changed += a.r != b.r || a.g != b.g || a.b != b.b;
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
    for (int y = 0; p.loaded() && y < p.height(); ++y)
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
    int brightest = 0;
    long total = 0;
    for (int y = 0; y < backdrop.height(); ++y)
        for (int x = 0; x < backdrop.width(); ++x) {
            ASSERT_FALSE(backdrop.isBlack(x, y)) << "backdrop hole at " << x << "," << y;
            int l = Picture::luma(backdrop.at(x, y));
            brightest = std::max(brightest, l);
            total += l;
        }
    EXPECT_LT(total / (640 * 480), 40) << "backdrop too bright for the sprites to read on";

    Picture panel("media\\windows\\window_bg.bmp");
    EXPECT_FALSE(panel.isBlack(0, 0));
    EXPECT_LT(Picture::luma(panel.at(0, 0)), 60);

    // Highlighted text is drawn in black on the bar: any black in the bar
    // itself would be a hole even where there is no letter.
    Picture bar("media\\windows\\inv text back.bmp");
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            ASSERT_GT(Picture::luma(bar.at(x, y)), 80) << "bar too dark at " << x << "," << y;

    // The swirl is tinted by corner colours, so it must be near white.
    Picture swirl("media\\effects\\swirl.tga");
    long sum = 0, count = 0;
    for (int y = 0; y < swirl.height(); ++y)
        for (int x = 0; x < swirl.width(); ++x)
            if (!swirl.isBlack(x, y)) {
                sum += Picture::luma(swirl.at(x, y));
                ++count;
            }
    ASSERT_GT(count, 200);
    EXPECT_GT(sum / count, 190);
}

TEST_F(MediaTest, SpunParticlesStayInsideTheirCircle)
{
    // Spinning turns the texture about the canvas centre and repeats the
    // edge texels beyond it: anything outside the inscribed circle would be
    // cut off or smeared as it turns.
    for (const char* path : {"media\\effects\\swirl.tga", "media\\effects\\swirl_outline.tga",
                             "media\\effects\\purple_swirl.tga"}) {
        SCOPED_TRACE(path);
        Picture p(path);
        double r = p.width() / 2.0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                if (!p.isBlack(x, y)) {
                    ASSERT_LE(std::hypot(x + 0.5 - r, y + 0.5 - r), r - 0.5) << x << "," << y;
                }
    }
}

TEST_F(MediaTest, HighlightBarHoldsEveryMenuItem)
{
    Picture bar("media\\windows\\inv text back.bmp");
    EXPECT_GE(bar.height(), 26); // the highlight is cut 26 pixels high
    TextSurface scratch(10u, 10u);
    scratch.setFontSize(24);
    for (const char* item : {"One Player", "Two Player", "Hall Of Fame", "Quit", "Back"})
        EXPECT_GE(bar.width(), scratch.textWidth(item)) << item;
}

// The WAV header fields the sound layer relies on, and the samples.
struct Wav {
    bool valid = false;
    unsigned format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

Wav readWav(const fs::path& path)
{
    Bytes b = readFile(path);
    auto u16 = [&](size_t at) { return unsigned(b[at] | b[at + 1] << 8); };
    auto u32 = [&](size_t at) { return unsigned(u16(at) | u16(at + 2) << 16); };
    Wav w;
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return w;
    for (size_t at = 12; at + 8 <= b.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1)) {
        std::string id(b.begin() + at, b.begin() + at + 4);
        if (id == "fmt ") {
            w.format = u16(at + 8);
            w.channels = u16(at + 10);
            w.rate = u32(at + 12);
            w.bits = u16(at + 22);
        } else if (id == "data" && at + 8 + u32(at + 4) <= b.size()) {
            for (size_t i = at + 8; i + 1 < at + 8 + u32(at + 4); i += 2)
                w.samples.push_back(int16_t(u16(i)));
            w.valid = true;
        }
    }
    return w;
}

TEST(MediaSounds, AreSixteenBitAt22050HzAndNeverClip)
{
    for (const char* name : {"rocket", "batplode", "whoosh", "evillaug", "beepspac", "037", "deactivate1",
                             "menuitem", "Vaz Aded"}) {
        SCOPED_TRACE(name);
        Wav w = readWav(fs::path("media/sound") / (std::string(name) + ".wav"));
        ASSERT_TRUE(w.valid);
        EXPECT_EQ(w.format, 1u);
        EXPECT_EQ(w.channels, 1u);
        EXPECT_EQ(w.rate, 22050u);
        EXPECT_EQ(w.bits, 16u);
        ASSERT_GT(w.samples.size(), 1000u);
        int peak = 0;
        for (int16_t s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 8000) << "inaudibly quiet";
        EXPECT_LT(peak, 32000) << "at or near clipping";
        bool loops = std::string(name) == "beepspac" || std::string(name) == "Vaz Aded";
        if (!loops) {
            EXPECT_LT(std::abs(int(w.samples.back())), 1000) << "ends on a click";
        }
    }
}

// A loop is seamless when the step from the last sample to the first is no
// bigger than the steps inside the sound.
void expectSeamlessLoop(const Wav& w)
{
    ASSERT_GT(w.samples.size(), 2u);
    int largestStep = 0;
    for (size_t i = 1; i < w.samples.size(); ++i)
        largestStep = std::max(largestStep, std::abs(w.samples[i] - w.samples[i - 1]));
    EXPECT_LE(std::abs(w.samples.front() - w.samples.back()), largestStep);
}

TEST(MediaSounds, LoopsAreSeamlessAndTheMusicLastsHalfAMinute)
{
    Wav hum = readWav("media/sound/beepspac.wav");
    expectSeamlessLoop(hum);
    Wav music = readWav("media/sound/Vaz Aded.wav");
    expectSeamlessLoop(music);
    EXPECT_GE(music.samples.size(), 30u * 22050u);
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
    static int run(const std::string& arguments)
    {
        return std::system((std::string(kGenerator) + " " + arguments).c_str());
    }
    int generate(const std::string& options = "") { return run(options + " '" + dir.string() + "'"); }
    fs::path scores() const { return dir / "media/font/scores.txt"; }

    fs::path dir;
};

TEST_F(MediaRebuild, KeepsAPlayersScoresByteForByte)
{
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
}

TEST_F(MediaRebuild, CreatesAMissingScoreFileEmpty)
{
    ASSERT_EQ(generate("--scores"), 0);
    EXPECT_EQ(readFile(scores()), Bytes(160, 0));
    EXPECT_EQ(readFile("media/font/scores.txt").size(), 160u); // and the build made the real one
}

TEST_F(MediaRebuild, WritesTheSameBytesEveryTime)
{
    ASSERT_EQ(generate(), 0);
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "media")) {
        if (!entry.is_regular_file() || entry.path() == scores())
            continue;
        fs::path built = fs::path("media") / fs::relative(entry.path(), dir / "media");
        EXPECT_EQ(readFile(entry.path()), readFile(built)) << built;
        ++compared;
    }
    EXPECT_EQ(compared, 37); // 28 pictures and 9 sounds
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
