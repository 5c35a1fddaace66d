// The generated media: pictures at the sizes the game cuts them by, strips
// that animate, swirls that can spin, clean sounds, and a byte-identical
// rebuild that keeps a player's scores.
#include "scene.h"
#include "test_display.h"
#include "texture.h"

#include "test_images.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// A picture decoded by the game's loader, its pixels as 0xRRGGBB.
struct Picture {
    explicit Picture(const std::string& path) : surface(loadImageSurface(path.c_str())) {}
    ~Picture() { SDL_FreeSurface(surface); }
    Uint32 at(int x, int y) const
    {
        const uint8_t* p = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + 3 * x;
        Uint8 r, g, b;
        SDL_GetRGB(p[0] | p[1] << 8 | p[2] << 16, surface->format, &r, &g, &b);
        return r << 16 | g << 8 | b;
    }
    SDL_Surface* surface;
};

TEST(MediaTest, EveryPictureIs24BitWithoutAlphaAndAtTheSizeTheGameUses)
{
    ensureDisplay();
    const std::vector<std::tuple<std::string, int, int>> sized = {
        {"media\\backdrop.tga", 640, 480},        {"media\\sprites\\mothership.tga", 1300, 60},
        {"media\\sprites\\alien_purple.tga", 279, 31}, {"media\\sprites\\sheild_arc.tga", 192, 8},
        {"media\\sprites\\sheild_ball.tga", 96, 16}, {"media\\effects\\swirl.tga", 64, 64},
        {"media\\windows\\window_bg.bmp", 1, 1},  {"media\\windows\\score_0.tga", 170, 50},
        {"media\\windows\\menu_2.tga", 366, 264}};
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator("media")) {
        std::string path = entry.path().generic_string();
        if (entry.path().extension() != ".tga" && entry.path().extension() != ".bmp")
            continue;
        std::replace(path.begin(), path.end(), '/', '\\');  // as the game names it
        const Picture picture(path);
        ASSERT_NE(picture.surface, nullptr) << path;
        EXPECT_EQ(picture.surface->format->BitsPerPixel, 24) << path;
        EXPECT_EQ(picture.surface->format->Amask, 0) << path;
        EXPECT_EQ(int(Texture(path.c_str()).imageWidth()), picture.surface->w) << path;
        for (const auto& [name, w, h] : sized)
            EXPECT_TRUE(name != path || (picture.surface->w == w && picture.surface->h == h)) << path;
        ++pictures;
    }
    EXPECT_EQ(pictures, 28);
}

TEST(MediaTest, EveryFrameOfAStripDiffersFromTheNextAndSwirlsStayInsideTheirCircle)
{
    ensureDisplay();
    for (const StripSheet& strip : {kMothershipSheet, kAlienSheet, kShieldArcSheet, kShieldBallSheet}) {
        const auto [path, frames, w, h] = strip;
        const Picture sheet(path);
        ASSERT_EQ(unsigned(sheet.surface->w), frames * w) << path << ": the game cuts it into frames this wide";
        ASSERT_EQ(unsigned(sheet.surface->h), h) << path;
        for (unsigned f = 0; f < frames; ++f) {
            int changed = 0;
            for (unsigned y = 0; y < h; ++y)
                for (unsigned x = 0; x < w; ++x)
                    changed += sheet.at(f * w + x, y) != sheet.at((f + 1) % frames * w + x, y);
            EXPECT_GT(changed, 0) << path << " frame " << f + 1;
        }
    }
    // Spinning turns a swirl about its centre: nothing may lie outside the circle.
    for (const char* path : {"media\\effects\\swirl.tga", "media\\effects\\swirl_outline.tga", "media\\effects\\purple_swirl.tga"}) {
        const Picture p(path);
        const double r = p.surface->w / 2.0;
        for (int y = 0; y < p.surface->h; ++y)
            for (int x = 0; x < p.surface->w; ++x)
                ASSERT_TRUE(!p.at(x, y) || std::hypot(x + 0.5 - r, y + 0.5 - r) <= r - 0.5) << path << " " << x << "," << y;
    }
}

TEST(MediaTest, SoundsAreSixteenBitAt22050HzCentredNeverClipAndStartStopAndLoopWithoutAClick)
{
    constexpr int kFullScale = 32767;
    constexpr double kLargestMean = kFullScale * 0.003;  // a DC offset shifts the whole mix
    constexpr int kQuietEdge = kFullScale / 100;         // louder, a start, stop or loop point clicks
    for (std::string name : {"rocket", "batplode", "whoosh", "evillaug", "beepspac", "037", "deactivate1", "menuitem", "Vaz Aded"}) {
        SDL_AudioSpec format = {};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV(("media/sound/" + name + ".wav").c_str(), &format, &buffer, &length), nullptr) << name;
        const std::vector<int16_t> w(reinterpret_cast<int16_t*>(buffer), reinterpret_cast<int16_t*>(buffer + length));
        SDL_FreeWAV(buffer);
        EXPECT_EQ(format.format, AUDIO_S16LSB) << name;
        EXPECT_EQ(format.channels, 1) << name;
        EXPECT_EQ(format.freq, 22050) << name;
        ASSERT_FALSE(w.empty()) << name;
        long long sum = 0;
        int peak = 0;
        for (int16_t s : w) {
            sum += s;
            peak = std::max(peak, std::abs(int(s)));
        }
        EXPECT_TRUE(peak > 8000 && peak < 32000) << name << " peaks at " << peak;
        const double mean = double(sum) / w.size();
        EXPECT_LE(std::fabs(mean), kLargestMean) << name << " is off centre by " << mean;
        EXPECT_LE(std::abs(w.front()), kQuietEdge) << name << " starts with a click";
        EXPECT_LE(std::abs(w.back()), kQuietEdge) << name << " ends with a click";
        if (name == "beepspac" || name == "Vaz Aded") {  // the looping ones
            EXPECT_LE(std::abs(w.back() - w.front()), kQuietEdge) << name << " clicks where it loops";
        }
    }
}

TEST(MediaTest, ARebuildWritesTheSameBytesKeepsAPlayersScoresAndFailsLoudly)
{
    const fs::path dir = fs::temp_directory_path() / ("korvath_media_test_" + std::to_string(getpid()));
    const fs::path scores = dir / "media/font/scores.txt";
    // The build keeps the generator at tools/ in the run directory.
    auto generate = [&](const char* options) { return std::system(("tools/korvath_media " + std::string(options) + " '" + dir.string() + "'").c_str()); };
    ASSERT_EQ(generate("--scores"), 0);
    EXPECT_EQ(readBytes(scores), Bytes(160, 0)) << "a missing score file is made empty";
    for (const Bytes& players : {Bytes(160, 0x5A), Bytes(32, 0x41)}) {  // a short file is a player's too
        std::ofstream(scores, std::ios::binary).write(reinterpret_cast<const char*>(players.data()), players.size());
        ASSERT_EQ(generate(""), 0);
        ASSERT_EQ(generate("--scores"), 0);
        EXPECT_EQ(readBytes(scores), players);
    }
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "media"))
        if (entry.is_regular_file() && entry.path() != scores) {
            const fs::path built = fs::path("media") / fs::relative(entry.path(), dir / "media");
            EXPECT_EQ(readBytes(entry.path()), readBytes(built)) << built;
            ++compared;
        }
    EXPECT_EQ(compared, 38);  // 28 pictures, 9 sounds and the font
    fs::remove(dir / "media/sound/rocket.wav");
    fs::create_directories(dir / "media/sound/rocket.wav");  // a directory where a file must go
    EXPECT_NE(generate(""), 0);
    fs::remove_all(dir);
}

}  // namespace
