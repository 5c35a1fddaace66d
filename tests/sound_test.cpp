// The sound layer. With audio, SDL's disk driver captures the mix and what a
// player would hear is measured in it; without audio every call must still
// work. The test sounds are sine bursts written into a scratch directory.
#include "fsound.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A mono 16-bit 22050 Hz WAV of a 441 Hz sine at half of full scale (the
// header as laid out in memory: this host is little-endian).
void writeTone(const fs::path& path, double seconds)
{
    const int32_t rate = kMixRate, frames = int32_t(seconds * rate);
    struct {
        char riff[4]; int32_t riffSize; char waveFmt[8]; int32_t fmtSize;
        int16_t pcm, channels; int32_t rate, byteRate; int16_t frameSize, bits;
        char data[4]; int32_t dataSize;
    } header = {{'R', 'I', 'F', 'F'}, 36 + 2 * frames, {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}, 16,
                1, 1, rate, 2 * rate, 2, 16, {'d', 'a', 't', 'a'}, 2 * frames};
    std::vector<int16_t> samples(frames);
    for (int32_t i = 0; i < frames; ++i)
        samples[i] = int16_t(std::lround(16384 * std::sin(2 * M_PI * 441 * i / rate)));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(samples.data()), 2 * frames);
}

// Each test works in a scratch directory in the run directory, as its current
// one. A death test's child, a fresh run of this binary that ends in exit(),
// works in the same one, and the parent removes it.
class SoundTest : public ::testing::Test {
protected:
    SoundTest()
    {
        fs::create_directory(dir_);
        fs::current_path(dir_);
    }
    ~SoundTest() override
    {
        for (FSOUND_SAMPLE* sample : tones_)
            FSOUND_Sample_Free(sample);
        FSOUND_Close();
        fs::current_path(runDir_);
        fs::remove_all(dir_);
    }
    void init(const char* driver, const std::string& diskFile, signed char expected)
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY");
        ASSERT_EQ(FSOUND_Init(kMixRate, kMixChannels, 0), expected);
        for (int c = 0; c < kReservedChannelCount; ++c)
            FSOUND_SetReserved(c, 1);
    }
    FSOUND_SAMPLE* tone(double seconds, unsigned mode = kSampleMode)
    {
        const std::string name = "tone" + std::to_string(tones_.size() + 1) + ".wav";
        writeTone(name, seconds);
        tones_.push_back(FSOUND_Sample_Load(-1, name.c_str(), mode, 0, 0));
        return tones_.back();
    }

    fs::path runDir_ = fs::current_path(), dir_ = runDir_ / "sound_test.tmp";
    std::vector<FSOUND_SAMPLE*> tones_;
};

const double kSilence = 20;      // RMS; the mix is exactly zero when nothing plays
const double kFullTone = 11585;  // RMS of the test tone at full volume

// The disk driver writes the mix out as it plays, at the pace a player hears
// it, so a stretch of play is a stretch of the capture, found by waiting for
// the file to grow, however fast the machine. What was mixed before an action
// may still be on its way to the file (the device's buffer, the file's), so
// listening starts 100 ms of capture or more after it.
class AudibleSound : public SoundTest {
protected:
    void SetUp() override { init("disk", (dir_ / "mix.raw").string(), 1); }

    // The mix from fromMs to toMs into the capture that follows this call.
    std::vector<int16_t> heard(int fromMs, int toMs)
    {
        const long start = captured(), from = start + bytesIn(fromMs), to = start + bytesIn(toMs);
        using Clock = std::chrono::steady_clock;
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(30);  // met only by a stalled capture
        while (captured() < to && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_GE(captured(), to) << "the capture stopped growing";
        std::vector<int16_t> mix((to - from) / 2);
        std::ifstream(dir_ / "mix.raw", std::ios::binary).seekg(from).read(reinterpret_cast<char*>(mix.data()), mix.size() * 2);
        return mix;
    }
    long captured() { return long(fs::file_size(dir_ / "mix.raw") & ~1ul); }
    // The layer mixes in stereo: kMixRate frames a second of two 16-bit samples.
    static long bytesIn(int ms) { return long(ms) * kMixRate / 1000 * 2 * long(sizeof(int16_t)); }
};

double rms(const std::vector<int16_t>& m) { return std::sqrt(std::inner_product(m.begin(), m.end(), m.begin(), 0.0) / m.size()); }

TEST_F(AudibleSound, ASampleIsHeardAtItsVolumeOnlyOncePlayedAndANullOneNever)
{
    FSOUND_SAMPLE* sample = tone(2.0);
    EXPECT_EQ(FSOUND_Sample_Load(-1, "none.wav", kSampleMode, 0, 0), nullptr);
    EXPECT_TRUE(FSOUND_PlaySound(FSOUND_FREE, nullptr) == -1 && FSOUND_PlaySound(kMothershipChannel, nullptr) == -1);
    EXPECT_TRUE(FSOUND_Stream_Play(kMusicChannel, nullptr) == -1 && FSOUND_SetVolume(-1, kEffectVolume) == 0);
    FSOUND_Sample_Free(nullptr);
    EXPECT_LT(rms(heard(0, 100)), kSilence);

    EXPECT_GT(FSOUND_PlaySound(FSOUND_FREE, sample), kMusicChannel);
    const std::vector<int16_t> mix = heard(100, 300);
    EXPECT_NEAR(rms(mix), kFullTone, kFullTone * 0.1);
    EXPECT_NEAR(*std::max_element(mix.begin(), mix.end()), 16384, 1000);  // also proves the capture is read right

    FSOUND_StopSound(FSOUND_ALL);
    ASSERT_EQ(FSOUND_PlaySound(kShieldsDownChannel, tone(0.1, kLoopingSampleMode)), kShieldsDownChannel);
    const double loud = rms(heard(100, 250));
    FSOUND_SetVolume(kShieldsDownChannel, kEffectVolume);
    EXPECT_NEAR(rms(heard(100, 250)) / loud, double(kEffectVolume) / kFullVolume, 0.03) << "at once and linear";
}

TEST_F(AudibleSound, LoopsAndMusicPlayOnUntilStoppedOrReplaced)
{
    FSOUND_PlaySound(FSOUND_FREE, tone(0.08));
    EXPECT_LT(rms(heard(250, 400)), kSilence) << "a plain sample ends";
    const int channel = FSOUND_PlaySound(FSOUND_FREE, tone(0.08, kLoopingSampleMode));
    EXPECT_GT(rms(heard(250, 400)), kFullTone / 2);
    EXPECT_EQ(FSOUND_IsPlaying(channel), 1);
    EXPECT_EQ(FSOUND_StopSound(channel), 1);
    EXPECT_LT(rms(heard(150, 250)), kSilence);
    EXPECT_EQ(FSOUND_IsPlaying(channel), 0);
    // A short sound on a fixed channel takes the loop's place there.
    FSOUND_PlaySound(kMothershipChannel, tone(0.1, kLoopingSampleMode));
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, tone(0.05)), kMothershipChannel);
    EXPECT_LT(rms(heard(200, 300)), kSilence);

    writeTone("music.wav", 0.1);
    FSOUND_STREAM* music = FSOUND_Stream_Open("music.wav", kStreamMode, 0, 0);
    ASSERT_NE(music, nullptr);
    FSOUND_Stream_SetMode(music, kLoopNormal);
    for (int again = 0; again < 2; ++again) {
        EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, music), kMusicChannel);
        EXPECT_GT(rms(heard(300, 400)), kFullTone / 2);
        FSOUND_Stream_Stop(music);
        EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 0);
        EXPECT_LT(rms(heard(150, 250)), kSilence);
    }
    FSOUND_Stream_Play(kMusicChannel, music);
    FSOUND_PlaySound(kMothershipChannel, tone(0.1, kLoopingSampleMode));
    FSOUND_PlaySound(FSOUND_FREE, tone(0.1, kLoopingSampleMode));
    EXPECT_EQ(FSOUND_StopSound(FSOUND_ALL), 1);
    EXPECT_LT(rms(heard(150, 250)), kSilence) << "everything stops";
    FSOUND_Stream_Close(music);
}

// Audio that will not start: no such driver, or a device that cannot open.
class SilentSound : public SoundTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {
protected:
    void SetUp() override { init(GetParam().first, GetParam().second, 0); }
};

INSTANTIATE_TEST_SUITE_P(NoDriverOrNoDevice, SilentSound,
                         ::testing::Values(std::make_pair("korvath-no-such-driver", ""),
                                           std::make_pair("disk", "/nonexistent/korvath/mix.raw")));

TEST_P(SilentSound, EveryCallWorksAndLoadingStillChecksTheFile)
{
    std::ofstream("junk.wav") << "not a sound";
    FSOUND_SAMPLE* sample = tone(0.05, kLoopingSampleMode);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(FSOUND_Sample_Load(-1, "junk.wav", kSampleMode, 0, 0), nullptr);
    EXPECT_GT(FSOUND_PlaySound(FSOUND_FREE, sample), kMusicChannel);
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, sample), kMothershipChannel);
    EXPECT_EQ(FSOUND_SetVolume(kMothershipChannel, kFullVolume), 1);
    EXPECT_EQ(FSOUND_IsPlaying(kMothershipChannel), 0);
    FSOUND_STREAM* music = FSOUND_Stream_Open("tone1.wav", kStreamMode, 0, 0);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, music), kMusicChannel);
    EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 0);
    FSOUND_StopSound(FSOUND_ALL);
    FSOUND_Stream_Close(music);
}

// A missing laugh ends the game as the missing-media test checks; a broken
// one must too, while any other sound may be missing.
TEST_P(SilentSound, OnlyABrokenLaughEndsTheGame)
{
    const fs::path laugh = fs::path("media") / "sound" / "evillaug.wav";
    fs::create_directories(laugh.parent_path());
    writeTone(laugh, 0.05);
    loadSamples();
    EXPECT_TRUE(laughSound && !fireSound && !menuSound);
    freeSamples();
    std::ofstream(laugh) << "not a sound";
    const int status = kLaughMissingExitCode & 0xff;  // a parent sees the low eight bits
    EXPECT_EXIT(loadSamples(), ::testing::ExitedWithCode(status), "^$");
}

}  // namespace
