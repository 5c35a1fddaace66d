// The sound layer: what a player would hear, measured in the mix SDL's disk
// driver captures; without audio, every call still works.
#include "fsound.h"
#include "keys.h"
#include "samples.h"
#include "settings.h"

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

const double kToneHz = 441;

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
        samples[i] = int16_t(std::lround(16384 * std::sin(2 * M_PI * kToneHz * i / rate)));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(samples.data()), 2 * frames);
}

// Each test works in a scratch folder (a death test's child too).
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

bool loud(double rms) { return rms > kFullTone / 2; }
bool silent(double rms) { return rms < kSilence; }

// The capture grows at the pace a player hears it, but how far behind an
// action its effect arrives varies with the machine's load: it is read on
// in 10 ms blocks until the state a check expects.
class AudibleSound : public SoundTest {
protected:
    void SetUp() override
    {
        init("disk", (dir_ / "mix.raw").string(), 1);
        read_ = captured();
        measureCaptureRate();
    }

    // SDL may run the device faster than the mixer: the capture's rate is
    // the tone's pitch times the frames between upward zero crossings.
    void measureCaptureRate()
    {
        FSOUND_PlaySound(FSOUND_FREE, tone(0.5));
        ASSERT_GE(blocksUntil(loud), 0);
        const std::vector<int16_t> mix = next(200);
        std::vector<size_t> rises;
        for (size_t i = 2; i < mix.size(); i += 2)  // the left channel
            if (mix[i - 2] < 0 && mix[i] >= 0)
                rises.push_back(i / 2);
        ASSERT_GT(rises.size(), 10u);
        rate_ = kToneHz * double(rises.back() - rises.front()) / double(rises.size() - 1);
        FSOUND_StopSound(FSOUND_ALL);
        expectSilence("before the test");
    }

    // The next ms of the mix after what was read last.
    std::vector<int16_t> next(int ms)
    {
        const long from = read_;
        read_ += long(ms * rate_ / 1000) * kFrameBytes;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);  // met only by a stalled capture
        while (captured() < read_ && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_GE(captured(), read_) << "the capture stopped growing";
        std::vector<int16_t> mix((read_ - from) / 2);
        std::ifstream(dir_ / "mix.raw", std::ios::binary).seekg(from).read(reinterpret_cast<char*>(mix.data()), mix.size() * 2);
        return mix;
    }
    // Reads on until a 10 ms block whose RMS satisfies `until`, and returns how
    // many blocks came before it, or -1 when two seconds pass without one.
    template <typename Until>
    int blocksUntil(Until until)
    {
        for (int blocks = 0; blocks < 200; ++blocks)
            if (until(rms(next(10))))
                return blocks;
        return -1;
    }
    // The mix falls silent and stays so.
    void expectSilence(const char* what)
    {
        EXPECT_GE(blocksUntil(silent), 0) << what;
        EXPECT_LT(rms(next(150)), kSilence) << what;
    }
    long captured() { return long(fs::file_size(dir_ / "mix.raw") / kFrameBytes * kFrameBytes); }
    static double rms(const std::vector<int16_t>& m) { return std::sqrt(std::inner_product(m.begin(), m.end(), m.begin(), 0.0) / m.size()); }

    static constexpr long kFrameBytes = 2 * sizeof(int16_t);  // the layer mixes in stereo
    long read_ = 0;
    double rate_ = kMixRate;  // frames a second, until measured
};

TEST_F(AudibleSound, ASampleIsHeardAtItsVolumeOnlyOncePlayedAndANullOneNever)
{
    FSOUND_SAMPLE* sample = tone(2.0);
    EXPECT_EQ(FSOUND_Sample_Load(-1, "none.wav", kSampleMode, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, nullptr), -1);
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, nullptr), -1);
    EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, nullptr), -1);
    EXPECT_EQ(FSOUND_SetVolume(-1, kEffectVolume), 0);
    FSOUND_Sample_Free(nullptr);
    EXPECT_LT(rms(next(200)), kSilence);

    EXPECT_GT(FSOUND_PlaySound(FSOUND_FREE, sample), kMusicChannel);
    ASSERT_GE(blocksUntil(loud), 0);
    const std::vector<int16_t> mix = next(200);
    EXPECT_NEAR(rms(mix), kFullTone, kFullTone * 0.1);
    EXPECT_NEAR(*std::max_element(mix.begin(), mix.end()), 16384, 1000);  // also proves the capture is read right

    FSOUND_StopSound(FSOUND_ALL);
    expectSilence("stopped");
    ASSERT_EQ(FSOUND_PlaySound(kShieldsDownChannel, tone(0.1, kLoopingSampleMode)), kShieldsDownChannel);
    ASSERT_GE(blocksUntil(loud), 0);
    const double loud = rms(next(150));
    FSOUND_SetVolume(kShieldsDownChannel, kEffectVolume);
    ASSERT_GE(blocksUntil([loud](double level) { return level < loud * 0.9; }), 0);
    EXPECT_NEAR(rms(next(150)) / loud, double(kEffectVolume) / kFullVolume, 0.03) << "linear";
}

TEST_F(AudibleSound, LoopsAndMusicPlayOnUntilStoppedOrReplaced)
{
    FSOUND_PlaySound(FSOUND_FREE, tone(0.08));
    ASSERT_GE(blocksUntil(loud), 0);
    // 80 ms spans eight or nine blocks, the first of which may be too faint to count.
    const int rest = blocksUntil(silent);
    EXPECT_TRUE(rest >= 6 && rest <= 8) << "a plain sample plays for its length: " << rest;
    expectSilence("a plain sample ends");

    const int channel = FSOUND_PlaySound(FSOUND_FREE, tone(0.08, kLoopingSampleMode));
    ASSERT_GE(blocksUntil(loud), 0);
    EXPECT_GT(rms(next(300)), kFullTone / 2) << "a loop plays on past its length";
    EXPECT_EQ(FSOUND_IsPlaying(channel), 1);
    EXPECT_EQ(FSOUND_StopSound(channel), 1);
    EXPECT_EQ(FSOUND_IsPlaying(channel), 0);
    expectSilence("a stopped loop");
    // A short sound on a fixed channel takes the loop's place there.
    FSOUND_PlaySound(kMothershipChannel, tone(0.1, kLoopingSampleMode));
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, tone(0.05)), kMothershipChannel);
    ASSERT_GE(blocksUntil(loud), 0);
    expectSilence("a replaced loop");

    writeTone("music.wav", 0.1);
    FSOUND_STREAM* music = FSOUND_Stream_Open("music.wav", kStreamMode, 0, 0);
    ASSERT_NE(music, nullptr);
    FSOUND_Stream_SetMode(music, kLoopNormal);
    for (int again = 0; again < 2; ++again) {
        EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, music), kMusicChannel);
        ASSERT_GE(blocksUntil(loud), 0);
        EXPECT_GT(rms(next(200)), kFullTone / 2);
        FSOUND_Stream_Stop(music);
        EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 0);
        expectSilence("stopped music");
    }
    FSOUND_Stream_Play(kMusicChannel, music);
    FSOUND_PlaySound(kMothershipChannel, tone(0.1, kLoopingSampleMode));
    FSOUND_PlaySound(FSOUND_FREE, tone(0.1, kLoopingSampleMode));
    ASSERT_GE(blocksUntil(loud), 0);
    EXPECT_EQ(FSOUND_StopSound(FSOUND_ALL), 1);
    expectSilence("everything stops");
    FSOUND_Stream_Close(music);
}

// With every free channel busy, a new sound takes the one started longest ago.
TEST_F(AudibleSound, ANewSoundTakesTheOldestChannelWhenAllAreBusy)
{
    FSOUND_SAMPLE* loop = tone(0.1, kLoopingSampleMode);
    const int first = FSOUND_PlaySound(FSOUND_FREE, loop);
    int channel = -1;
    for (int plays = 0; plays < kMixChannels && channel != first; ++plays)
        ASSERT_GE(channel = FSOUND_PlaySound(FSOUND_FREE, loop), 0);
    EXPECT_EQ(channel, first);
    FSOUND_StopSound(FSOUND_ALL);
}

// M and N silence the music or the effects (which play on, unheard) until
// pressed again; the volume steps scale both.
TEST_F(AudibleSound, MusicAndEffectsKeysSilenceTheirOwnAndTheVolumeScalesBoth)
{
    loadSettings((dir_ / "korvath.conf").string());
    writeTone("music.wav", 0.1);
    FSOUND_STREAM* music = FSOUND_Stream_Open("music.wav", kStreamMode, 0, 0);
    ASSERT_NE(music, nullptr);
    FSOUND_Stream_SetMode(music, kLoopNormal);
    FSOUND_Stream_Play(kMusicChannel, music);
    ASSERT_GE(blocksUntil(loud), 0);

    settingKeyPressed(kMusicKey);
    expectSilence("music off");
    EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 1) << "the game's music plays on, unheard";
    FSOUND_PlaySound(kShieldsDownChannel, tone(0.1, kLoopingSampleMode));
    ASSERT_GE(blocksUntil(loud), 0) << "the effects are still heard";
    settingKeyPressed(kEffectsKey);
    expectSilence("music and effects off");
    settingKeyPressed(kMusicKey);
    ASSERT_GE(blocksUntil(loud), 0) << "the music is back";
    const double heard = rms(next(150));
    EXPECT_NEAR(heard, kFullTone, kFullTone * 0.1) << "at its own volume";

    for (int step = 0; step < kFullLoudness / 2; ++step)
        settingKeyPressed(kQuieterKeys[0]);
    ASSERT_GE(blocksUntil([heard](double level) { return level < heard * 0.9; }), 0);
    EXPECT_NEAR(rms(next(150)) / heard, 0.5, 0.05) << "volume 5 of 10";
    setPlayerMix(true, true, -1);
    expectSilence("a loudness below none is none");
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
    EXPECT_EQ(FSOUND_PlaySound(kMixChannels, sample), -1) << "no such channel";
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
    EXPECT_TRUE(laughSound);
    EXPECT_FALSE(fireSound);
    EXPECT_FALSE(menuSound);
    freeSamples();
    std::ofstream(laugh) << "not a sound";
    const int status = kLaughMissingExitCode & 0xff;  // a parent sees the low eight bits
    EXPECT_EXIT(loadSamples(), ::testing::ExitedWithCode(status), "^$");
}

}  // namespace
