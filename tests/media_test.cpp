// The generated media: clean sounds, and a byte-identical rebuild that keeps
// a player's scores.
#include "test_images.h"

#include <SDL.h>
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
