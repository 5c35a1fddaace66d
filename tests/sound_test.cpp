// Tests of the sound layer. With audio, SDL's disk audio driver captures the
// mix and what the player would hear is measured in it; without audio, every
// call must still work. The test sounds are sine bursts written into a
// temporary directory.
#include "fsound.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A mono 16-bit 22050 Hz WAV file holding a 441 Hz sine at half of full scale
// (the header is written as laid out in memory: this host is little-endian).
void writeTone(const fs::path& path, double seconds)
{
    const int32_t rate = 22050, frames = int32_t(seconds * rate);
    struct {
        char riff[4]; int32_t riffSize; char waveFmt[8]; int32_t fmtSize;
        int16_t pcm, channels; int32_t rate, byteRate; int16_t frameSize, bits;
        char data[4]; int32_t dataSize;
    } header = {{'R', 'I', 'F', 'F'}, 36 + 2 * frames, {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}, 16,
                1, 1, rate, 2 * rate, 2, 16, {'d', 'a', 't', 'a'}, 2 * frames};
    static_assert(sizeof header == 44, "a WAV header is 44 bytes");
    std::vector<int16_t> samples(frames);
    for (int32_t i = 0; i < frames; ++i)
        samples[i] = int16_t(std::lround(16384 * std::sin(2 * M_PI * 441 * i / rate)));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(samples.data()), 2 * frames);
}

// The game's eight sample files under media/sound in `dir`.
void writeGameSamples(const fs::path& dir, double seconds)
{
    fs::create_directories(dir / "media" / "sound");
    for (const char* name : {"rocket", "batplode", "whoosh", "evillaug", "beepspac", "037", "deactivate1", "menuitem"})
        writeTone(dir / "media" / "sound" / (std::string(name) + ".wav"), seconds);
}

std::vector<FSOUND_SAMPLE*> gameSamples()
{
    return {fireSound, explosionSound, whooshSound, laughSound, mothershipSound, shieldHitSound, shieldsDownSound, menuSound};
}

// A path as the game writes it, with backslashes.
std::string gamePath(const fs::path& path)
{
    std::string text = path.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

// A death test's child ends in exit() and skips destructors, so its temporary
// directory is removed by an exit handler instead.
std::string dirToRemoveAtExit;
void removeAtExit(const fs::path& dir)
{
    dirToRemoveAtExit = dir.string();
    std::atexit([] { fs::remove_all(dirToRemoveAtExit); });
}

// Each test gets a temporary directory, and the channel plan of the game.
class SoundTest : public ::testing::Test {
protected:
    SoundTest()
    {
        char pattern[] = "/tmp/korvath_sound_XXXXXX";
        dir_ = mkdtemp(pattern);
    }
    ~SoundTest() override
    {
        FSOUND_Close();
        fs::current_path(runDir_);
        fs::remove_all(dir_);
    }
    void reserveChannels()
    {
        for (int c = 0; c < kReservedChannelCount; ++c)
            FSOUND_SetReserved(c, 1);
    }
    std::string file(const char* name) { return gamePath(dir_ / name); }

    fs::path runDir_ = fs::current_path();
    fs::path dir_;
};

const double kSilence = 20;      // RMS; the mix is exactly zero when nothing plays
const double kFullTone = 11585;  // RMS of the test tone at full volume

// SDL's disk driver writes signed 16-bit samples and, with SDL_DISKAUDIODELAY
// unset, sleeps one buffer's length after each write, so its file grows in
// real time and the file's size at a moment marks where that moment falls in
// the mix. Writes land a few buffers late (mixing, stdio), so listening
// windows start 100 ms or more after the action they observe.
class AudibleSound : public SoundTest {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (dir_ / "mix.raw").c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY");
        ASSERT_EQ(FSOUND_Init(22050, 32, 0), 1);
        reserveChannels();
    }
    void TearDown() override
    {
        for (FSOUND_SAMPLE* sample : tones_)
            FSOUND_Sample_Free(sample);
    }

    FSOUND_SAMPLE* tone(double seconds, unsigned mode = kSampleMode)
    {
        std::string name = "tone" + std::to_string(tones_.size()) + ".wav";
        writeTone(dir_ / name, seconds);
        FSOUND_SAMPLE* sample = FSOUND_Sample_Load(-1, file(name.c_str()).c_str(), mode, 0, 0);
        EXPECT_NE(sample, nullptr);
        tones_.push_back(sample);
        return sample;
    }

    struct Level {
        double rms;
        int peak;
    };

    // What was heard from fromMs to toMs after the moment `since`.
    Level heard(Clock::time_point since, int fromMs, int toMs)
    {
        std::this_thread::sleep_until(since + std::chrono::milliseconds(fromMs));
        long from = captured();
        std::this_thread::sleep_until(since + std::chrono::milliseconds(toMs));
        std::vector<int16_t> mix((captured() - from) / 2);
        std::ifstream in(dir_ / "mix.raw", std::ios::binary);
        in.seekg(from).read(reinterpret_cast<char*>(mix.data()), mix.size() * 2);
        double sum = 0;
        int peak = 0;
        for (int16_t s : mix) {
            sum += double(s) * s;
            peak = std::max(peak, std::abs(int(s)));
        }
        return {mix.empty() ? 0 : std::sqrt(sum / mix.size()), peak};
    }
    long captured() { return long(fs::file_size(dir_ / "mix.raw") & ~1ul); }

    std::vector<FSOUND_SAMPLE*> tones_;
};

TEST_F(AudibleSound, SampleIsHeardAtItsOwnLevelOnlyOncePlayed)
{
    FSOUND_SAMPLE* sample = tone(0.5);
    EXPECT_LT(heard(Clock::now(), 0, 100).rms, kSilence);

    int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
    Level level = heard(Clock::now(), 100, 300);
    EXPECT_GT(channel, kMusicChannel);
    EXPECT_NEAR(level.rms, kFullTone, kFullTone * 0.1);
    EXPECT_NEAR(level.peak, 16384, 1000);  // also proves the capture is read right
}

TEST_F(AudibleSound, VolumeAppliesAtOnceAndMapsLinearly)
{
    int channel = FSOUND_PlaySound(kShieldsDownChannel, tone(0.1, kLoopingSampleMode));
    ASSERT_EQ(channel, kShieldsDownChannel);
    double loud = heard(Clock::now(), 100, 250).rms;
    FSOUND_SetVolume(channel, 64);
    double quiet = heard(Clock::now(), 100, 250).rms;
    EXPECT_NEAR(quiet / loud, 64.0 / 255, 0.03);
}

TEST_F(AudibleSound, LoopingSamplePlaysOnUntilStoppedOrReplaced)
{
    FSOUND_PlaySound(FSOUND_FREE, tone(0.08));
    EXPECT_LT(heard(Clock::now(), 250, 400).rms, kSilence);

    int channel = FSOUND_PlaySound(FSOUND_FREE, tone(0.08, kLoopingSampleMode));
    EXPECT_GT(heard(Clock::now(), 250, 400).rms, kFullTone / 2);
    EXPECT_EQ(FSOUND_IsPlaying(channel), 1);

    EXPECT_EQ(FSOUND_StopSound(channel), 1);
    EXPECT_LT(heard(Clock::now(), 150, 250).rms, kSilence);
    EXPECT_EQ(FSOUND_IsPlaying(channel), 0);

    // A short sound played on a fixed channel takes the loop's place there.
    FSOUND_PlaySound(kMothershipChannel, tone(0.1, kLoopingSampleMode));
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, tone(0.05)), kMothershipChannel);
    EXPECT_LT(heard(Clock::now(), 200, 300).rms, kSilence);
}

TEST_F(AudibleSound, MusicLoopsStopsPlaysAgainAndStopsWithEverything)
{
    writeTone(dir_ / "music.wav", 0.1);
    FSOUND_STREAM* music = FSOUND_Stream_Open(file("music.wav").c_str(), kStreamMode, 0, 0);
    ASSERT_NE(music, nullptr);
    FSOUND_Stream_SetMode(music, kLoopNormal);
    FSOUND_SetLoopMode(kMusicChannel, kLoopNormal);

    EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, music), kMusicChannel);
    EXPECT_GT(heard(Clock::now(), 300, 400).rms, kFullTone / 2);
    EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 1);

    FSOUND_Stream_Stop(music);
    EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 0);
    EXPECT_LT(heard(Clock::now(), 150, 250).rms, kSilence);

    EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, music), kMusicChannel);
    FSOUND_PlaySound(kMothershipChannel, tone(0.1, kLoopingSampleMode));
    FSOUND_PlaySound(FSOUND_FREE, tone(0.1, kLoopingSampleMode));
    EXPECT_GT(heard(Clock::now(), 100, 200).rms, kFullTone / 2);

    EXPECT_EQ(FSOUND_StopSound(FSOUND_ALL), 1);
    EXPECT_LT(heard(Clock::now(), 150, 250).rms, kSilence);
    EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 0);
    FSOUND_Stream_Close(music);
}

TEST_F(AudibleSound, FreeChannelsNeverTakeReservedOrMusicChannels)
{
    FSOUND_SAMPLE* loop = tone(0.1, kLoopingSampleMode);
    const int freeChannels = 32 - (kMusicChannel + 1);
    // While a channel is idle no sound is cut off; then the later requests take over.
    std::set<int> used;
    for (int i = 0; i < 2 * freeChannels; ++i) {
        int channel = FSOUND_PlaySound(FSOUND_FREE, loop);
        EXPECT_GT(channel, kMusicChannel);
        EXPECT_LT(channel, 32);
        if (i < freeChannels)
            used.insert(channel);
    }
    EXPECT_EQ(used.size(), size_t(freeChannels));
    for (int c = 0; c <= kMusicChannel; ++c)
        EXPECT_EQ(FSOUND_IsPlaying(c), 0) << "channel " << c;
}

TEST_F(AudibleSound, NullSampleIsSilentAndHarmless)
{
    EXPECT_EQ(FSOUND_Sample_Load(-1, file("none.wav").c_str(), kSampleMode, 0, 0), nullptr);
    int channel = FSOUND_PlaySound(FSOUND_FREE, nullptr);
    EXPECT_EQ(channel, -1);
    EXPECT_EQ(FSOUND_SetVolume(channel, 64), 0);
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, nullptr), -1);
    EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, nullptr), -1);
    FSOUND_Sample_Free(nullptr);
    EXPECT_LT(heard(Clock::now(), 0, 150).rms, kSilence);
}

TEST_F(AudibleSound, GameSamplesLoadWithTheMothershipLoopingAndFreeToNull)
{
    writeGameSamples(dir_, 0.05);
    fs::current_path(dir_);
    loadSamples();
    for (FSOUND_SAMPLE* sample : gameSamples())
        EXPECT_NE(sample, nullptr);
    FSOUND_PlaySound(kFireChannel, fireSound);
    FSOUND_PlaySound(kMothershipChannel, mothershipSound);
    heard(Clock::now(), 0, 200);
    EXPECT_EQ(FSOUND_IsPlaying(kFireChannel), 0);
    EXPECT_EQ(FSOUND_IsPlaying(kMothershipChannel), 1);

    freeSamples();
    EXPECT_EQ(FSOUND_IsPlaying(kMothershipChannel), 0);
    for (FSOUND_SAMPLE* sample : gameSamples())
        EXPECT_EQ(sample, nullptr);
}

// Audio that will not start: SDL has no such driver, or the device cannot be
// opened (the disk driver cannot create its file).
class SilentSound : public SoundTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", GetParam().first, 1);
        setenv("SDL_DISKAUDIOFILE", GetParam().second, 1);
        EXPECT_EQ(FSOUND_Init(22050, 32, 0), 0);
        reserveChannels();
    }
};

INSTANTIATE_TEST_SUITE_P(NoDriverOrNoDevice, SilentSound,
                         ::testing::Values(std::make_pair("korvath-no-such-driver", ""),
                                           std::make_pair("disk", "/nonexistent/korvath/mix.raw")));

TEST_P(SilentSound, EveryCallWorksAndLoadingStillChecksTheFile)
{
    writeTone(dir_ / "tone.wav", 0.05);
    std::ofstream(dir_ / "junk.wav") << "not a sound";
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(-1, file("tone.wav").c_str(), kLoopingSampleMode, 0, 0);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(FSOUND_Sample_Load(-1, file("junk.wav").c_str(), kSampleMode, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_Sample_Load(-1, file("none.wav").c_str(), kSampleMode, 0, 0), nullptr);

    EXPECT_GT(FSOUND_PlaySound(FSOUND_FREE, sample), kMusicChannel);
    EXPECT_EQ(FSOUND_PlaySound(kMothershipChannel, sample), kMothershipChannel);
    EXPECT_EQ(FSOUND_SetVolume(kMothershipChannel, 255), 1);
    EXPECT_EQ(FSOUND_IsPlaying(kMothershipChannel), 0);

    FSOUND_STREAM* music = FSOUND_Stream_Open(file("tone.wav").c_str(), kStreamMode, 0, 0);
    ASSERT_NE(music, nullptr);
    FSOUND_Stream_SetMode(music, kLoopNormal);
    EXPECT_EQ(FSOUND_Stream_Play(kMusicChannel, music), kMusicChannel);
    EXPECT_EQ(FSOUND_IsPlaying(kMusicChannel), 0);
    FSOUND_Stream_Stop(music);
    FSOUND_StopSound(FSOUND_ALL);
    FSOUND_Stream_Close(music);
    FSOUND_Sample_Free(sample);
}

// A POSIX parent sees only the low eight bits of an exit code: 5026 shows as 162.
const int kLaughMissingExitStatus = kLaughMissingExitCode & 0xff;

TEST_P(SilentSound, OnlyAMissingOrBrokenLaughEndsTheGame)
{
    fs::create_directories(dir_ / "media" / "sound");
    fs::path laugh = dir_ / "media" / "sound" / "evillaug.wav";
    writeTone(laugh, 0.05);
    fs::current_path(dir_);
    loadSamples();
    EXPECT_NE(laughSound, nullptr);
    EXPECT_EQ(fireSound, nullptr);
    EXPECT_EQ(menuSound, nullptr);
    freeSamples();

    writeGameSamples(dir_, 0.05);
    fs::remove(laugh);
    EXPECT_EXIT((removeAtExit(dir_), loadSamples()), ::testing::ExitedWithCode(kLaughMissingExitStatus), "^$");
    std::ofstream(laugh) << "not a sound";
    EXPECT_EXIT((removeAtExit(dir_), loadSamples()), ::testing::ExitedWithCode(kLaughMissingExitStatus), "^$");
}

}  // namespace
