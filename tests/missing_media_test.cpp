// Every file of the media directory taken away in turn from a copy of the
// run directory: the real game either ends with that file's own exit code
// and message, or starts without it and quits cleanly when asked. It never
// dies from a signal and never ends with another code. The table below must
// name every file the build puts into media/, so a new file cannot go
// untested.
#include "game_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum class Without {
    ImageFailure,      // 191 and "Error could not load file <path>."
    FontFailure,       // 3 and the font library's complaint
    ScoreFileFailure,  // 555, silently
    LaughFailure,      // 5026, silently
    KeepsRunning,      // starts, and quits with 0 when asked
};

struct MediaFile {
    const char* gamePath;
    Without without;
};

// What becomes of the game without each file. Frame-strip sheets and the
// images drawn on (score_0.tga, inv text back.bmp) fail like any picture.
const MediaFile kMediaTable[] = {
    {"media\\Square Bold.ttf", Without::FontFailure},
    {"media\\backdrop.tga", Without::ImageFailure},
    {"media\\sprites\\tank_wheels.tga", Without::ImageFailure},
    {"media\\sprites\\sp\\tank_wheels.tga", Without::ImageFailure},
    {"media\\sprites\\tank_wheel.tga", Without::ImageFailure},
    {"media\\sprites\\tank_body.tga", Without::ImageFailure},
    {"media\\sprites\\sp\\tank_body.tga", Without::ImageFailure},
    {"media\\sprites\\tank_bridge.tga", Without::ImageFailure},
    {"media\\sprites\\sp\\tank_bridge.tga", Without::ImageFailure},
    {"media\\sprites\\tank_cannon.tga", Without::ImageFailure},
    {"media\\sprites\\sp\\tank_cannon.tga", Without::ImageFailure},
    {"media\\sprites\\mothership.tga", Without::ImageFailure},
    {"media\\sprites\\mothership_body1.tga", Without::ImageFailure},
    {"media\\sprites\\mothership_body2.tga", Without::ImageFailure},
    {"media\\sprites\\mothership_body3.tga", Without::ImageFailure},
    {"media\\sprites\\mothership_leg1.tga", Without::ImageFailure},
    {"media\\sprites\\mothership_leg2.tga", Without::ImageFailure},
    {"media\\sprites\\alien_purple.tga", Without::ImageFailure},
    {"media\\sprites\\bullet.tga", Without::ImageFailure},
    {"media\\sprites\\sheild_arc.tga", Without::ImageFailure},
    {"media\\sprites\\sheild_ball.tga", Without::ImageFailure},
    {"media\\effects\\blueflare.tga", Without::ImageFailure},
    {"media\\effects\\swirl.tga", Without::ImageFailure},
    {"media\\effects\\swirl_outline.tga", Without::ImageFailure},
    {"media\\effects\\purple_swirl.tga", Without::ImageFailure},
    {"media\\windows\\window_bg.bmp", Without::ImageFailure},
    {"media\\windows\\score_0.tga", Without::ImageFailure},
    {"media\\windows\\menu_2.tga", Without::ImageFailure},
    {"media\\windows\\inv text back.bmp", Without::ImageFailure},
    {"media\\sound\\rocket.wav", Without::KeepsRunning},
    {"media\\sound\\batplode.wav", Without::KeepsRunning},
    {"media\\sound\\whoosh.wav", Without::KeepsRunning},
    {"media\\sound\\evillaug.wav", Without::LaughFailure},
    {"media\\sound\\beepspac.wav", Without::KeepsRunning},
    {"media\\sound\\037.wav", Without::KeepsRunning},
    {"media\\sound\\deactivate1.wav", Without::KeepsRunning},
    {"media\\sound\\menuitem.wav", Without::KeepsRunning},
    {"media\\sound\\Vaz Aded.wav", Without::KeepsRunning},
    {"media\\font\\scores.txt", Without::ScoreFileFailure},
};

// Two games at a time, one per core: each keeps a core busy with its frame
// pacing, which waits by spinning.
constexpr size_t kGamesAtOnce = 2;
// Far longer than a load takes, even on a busy machine.
constexpr double kSecondsBeforeGivingUp = 40.0;

// The shell sees only the low eight bits of an exit code.
constexpr int observed(int code)
{
    return code & 0xFF;
}

std::string hostPath(std::string gamePath)
{
    std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
    return gamePath;
}

struct Ending {
    int exitCode;  // -1 when it did not exit by itself
    int signal;
    std::string output;
    std::string error;
    std::string summary;
};

// One game run in its own copy of the run directory, short of one file.
struct Trial {
    const MediaFile* file;
    std::unique_ptr<RunDirectoryCopy> dir;
    std::unique_ptr<GameProcess> game;
    std::chrono::steady_clock::time_point started;
    bool quitRequested = false;

    explicit Trial(const MediaFile& without)
        : file(&without), dir(std::make_unique<RunDirectoryCopy>())
    {
        fs::remove(dir->file(hostPath(without.gamePath)));
        game = std::make_unique<GameProcess>(dir->path());
        started = std::chrono::steady_clock::now();
    }

    double seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    // A game that should keep running is asked to quit as soon as SDL
    // catches the request. The quit event then waits in the queue until the
    // main loop's first poll, so exit code 0 means the whole load went
    // through. A game expected to fail is left alone: if it kept running
    // instead, it is asked to quit only when it is given up on.
    void step()
    {
        const bool wantQuit = file->without == Without::KeepsRunning || seconds() > kSecondsBeforeGivingUp;
        if (!quitRequested && wantQuit && game->catchesQuitSignal()) {
            game->requestQuit();
            quitRequested = true;
        }
    }

    bool finished() { return game->hasEnded() || seconds() > 2 * kSecondsBeforeGivingUp; }

    Ending ending()
    {
        const bool gaveUp = !game->hasEnded() || (quitRequested && file->without != Without::KeepsRunning);
        return {gaveUp ? -1 : game->exitCode(), game->endingSignal(), game->standardOutput(),
                game->standardError(), game->summary()};
    }
};

// Runs the game once without each file of the table, a few at a time.
std::map<std::string, Ending> runWithoutEachFile()
{
    std::deque<const MediaFile*> waiting;
    for (const MediaFile& file : kMediaTable)
        waiting.push_back(&file);
    std::vector<std::unique_ptr<Trial>> running;
    std::map<std::string, Ending> endings;
    while (!waiting.empty() || !running.empty()) {
        while (running.size() < kGamesAtOnce && !waiting.empty()) {
            running.push_back(std::make_unique<Trial>(*waiting.front()));
            waiting.pop_front();
        }
        for (auto it = running.begin(); it != running.end();) {
            Trial& trial = **it;
            trial.step();
            if (trial.finished()) {
                endings[trial.file->gamePath] = trial.ending();
                it = running.erase(it);
            } else {
                ++it;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return endings;
}

class MissingMediaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { endings = new std::map<std::string, Ending>(runWithoutEachFile()); }
    static void TearDownTestSuite() { delete endings; }

    // Checks every file of the table with the given outcome.
    template <class Check>
    static void forEach(Without without, Check check)
    {
        int checked = 0;
        for (const MediaFile& file : kMediaTable) {
            if (file.without != without)
                continue;
            SCOPED_TRACE(std::string("without ") + file.gamePath);
            const Ending& e = endings->at(file.gamePath);
            EXPECT_EQ(e.signal, 0) << e.summary;
            check(file, e);
            ++checked;
        }
        EXPECT_GT(checked, 0);
    }

    static std::map<std::string, Ending>* endings;
};

std::map<std::string, Ending>* MissingMediaTest::endings = nullptr;

TEST(MissingMediaTableTest, NamesEveryFileOfTheMediaDirectoryAndNoOther)
{
    std::set<std::string> inDirectory;
    for (const auto& entry : fs::recursive_directory_iterator("media"))
        if (entry.is_regular_file())
            inDirectory.insert(entry.path().generic_string());
    std::set<std::string> inTable;
    for (const MediaFile& file : kMediaTable)
        inTable.insert(hostPath(file.gamePath));

    for (const std::string& path : inDirectory)
        EXPECT_TRUE(inTable.count(path)) << path << " has no expected outcome in the table";
    for (const std::string& path : inTable)
        EXPECT_TRUE(inDirectory.count(path)) << path << " is in the table but not in media/";
}

TEST_F(MissingMediaTest, AnyPictureEndsTheGameWith191AndNamesTheFile)
{
    forEach(Without::ImageFailure, [](const MediaFile& file, const Ending& e) {
        EXPECT_EQ(e.exitCode, 191) << e.summary;
        EXPECT_EQ(e.error, std::string("Error could not load file ") + file.gamePath + ".");
        EXPECT_EQ(e.output, "");
    });
}

TEST_F(MissingMediaTest, TheFontEndsTheGameWith3AndTheFontLibrarysReason)
{
    forEach(Without::FontFailure, [](const MediaFile& file, const Ending& e) {
        EXPECT_EQ(e.exitCode, 3) << e.summary;
        const std::string start = std::string("Couldn't load 12 pt font from ") + file.gamePath + ": ";
        EXPECT_EQ(e.error.rfind(start, 0), 0u) << e.error;
        EXPECT_TRUE(!e.error.empty() && e.error.back() == '\n') << e.error;
        EXPECT_EQ(e.output, "");
    });
}

TEST_F(MissingMediaTest, TheScoreFileEndsTheGameWith555Silently)
{
    forEach(Without::ScoreFileFailure, [](const MediaFile&, const Ending& e) {
        EXPECT_EQ(e.exitCode, observed(555)) << e.summary;
        EXPECT_EQ(e.output + e.error, "");
    });
}

TEST_F(MissingMediaTest, TheLaughEndsTheGameWith5026Silently)
{
    forEach(Without::LaughFailure, [](const MediaFile&, const Ending& e) {
        EXPECT_EQ(e.exitCode, observed(5026)) << e.summary;
        EXPECT_EQ(e.output + e.error, "");
    });
}

TEST_F(MissingMediaTest, AnyOtherSoundOrTheMusicLeavesTheGameRunning)
{
    forEach(Without::KeepsRunning, [](const MediaFile&, const Ending& e) {
        EXPECT_EQ(e.exitCode, 0) << "it should load, reach the main loop and quit when asked: " << e.summary;
        EXPECT_EQ(e.output + e.error, "");
    });
}

}  // namespace
