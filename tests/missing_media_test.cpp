// Each media file taken away in turn: the real game ends with that file's
// own code and message, or starts without it and quits cleanly when asked.
// The table names every file in media/, so no new file goes untested.
#include "game_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The game without one file: its exit code's low eight bits (0: it starts)
// and its stderr (only the start, where a library or the system adds why).
struct MediaFile {
    std::string gamePath;
    int exitCode;
    std::string error;
    bool errorIsPrefix = false;
};

std::vector<MediaFile> mediaTable()
{
    std::vector<MediaFile> table = {
        {"media\\Square Bold.ttf", 3, "Couldn't load 12 pt font from media\\Square Bold.ttf: ", true},
        {"media\\font\\scores.txt", 555 & 0xFF, "korvath: cannot read the hall of fame /", true},
        {"media\\sound\\evillaug.wav", 5026 & 0xFF, ""},
    };
    // Any other sound, or the music, the game does without.
    for (const char* name : {"rocket", "batplode", "whoosh", "beepspac", "037", "deactivate1", "menuitem", "Vaz Aded"})
        table.push_back({std::string("media\\sound\\") + name + ".wav", 0, ""});
    // Any picture ends it with 191, frame-strip sheets and the images drawn
    // on (score_0.tga, inv text back.bmp) alike.
    for (const char* name : {
             "backdrop.tga", "sprites\\tank_wheels.tga", "sprites\\sp\\tank_wheels.tga", "sprites\\tank_wheel.tga",
             "sprites\\tank_body.tga", "sprites\\sp\\tank_body.tga", "sprites\\tank_bridge.tga",
             "sprites\\sp\\tank_bridge.tga", "sprites\\tank_cannon.tga", "sprites\\sp\\tank_cannon.tga",
             "sprites\\mothership.tga", "sprites\\mothership_body1.tga", "sprites\\mothership_body2.tga",
             "sprites\\mothership_body3.tga", "sprites\\mothership_leg1.tga", "sprites\\mothership_leg2.tga",
             "sprites\\alien_purple.tga", "sprites\\bullet.tga", "sprites\\sheild_arc.tga", "sprites\\sheild_ball.tga",
             "effects\\blueflare.tga", "effects\\swirl.tga", "effects\\swirl_outline.tga", "effects\\purple_swirl.tga",
             "windows\\window_bg.bmp", "windows\\score_0.tga", "windows\\menu_2.tga", "windows\\inv text back.bmp"}) {
        const std::string path = std::string("media\\") + name;
        table.push_back({path, 191, "Error could not load file " + path + "."});
    }
    return table;
}

// Two games at a time, one per core: each keeps a core busy with its frame
// pacing, which waits by spinning.
constexpr size_t kGamesAtOnce = 2;
// Far longer than a load takes, even on a busy machine.
constexpr double kSecondsBeforeGivingUp = 40.0;

std::string hostPath(std::string gamePath)
{
    std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
    return gamePath;
}

// One game run in its own copy of the run directory, short of one file.
struct Trial {
    explicit Trial(const MediaFile& without) : file(without)
    {
        fs::remove(dir.file(hostPath(without.gamePath)));
        game = std::make_unique<GameProcess>(dir.path());
    }

    double seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    // A game that should run is asked to quit once SDL catches the signal;
    // the main loop's first poll sees it, so code 0 means the load went
    // through. One expected to fail is asked only when given up on.
    void step()
    {
        const bool wantQuit = file.exitCode == 0 || seconds() > kSecondsBeforeGivingUp;
        if (!quitRequested && wantQuit && game->catchesQuitSignal()) {
            game->requestQuit();
            quitRequested = true;
        }
    }

    bool finished() { return game->hasEnded() || seconds() > 2 * kSecondsBeforeGivingUp; }

    // The exit code, or -1 when the game did not exit by itself.
    int exitCode()
    {
        const bool gaveUp = !game->hasEnded() || (quitRequested && file.exitCode != 0);
        return gaveUp ? -1 : game->exitCode();
    }

    const MediaFile file;
    RunDirectoryCopy dir;
    std::unique_ptr<GameProcess> game;
    const std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    bool quitRequested = false;
};

// Runs the game once without each file of the table, a few at a time.
std::vector<std::unique_ptr<Trial>> runWithoutEachFile(const std::vector<MediaFile>& table)
{
    std::vector<std::unique_ptr<Trial>> trials;
    for (size_t next = 0, done = 0; done < table.size();) {
        while (next - done < kGamesAtOnce && next < table.size())
            trials.push_back(std::make_unique<Trial>(table[next++]));
        for (auto& trial : trials)
            trial->step();
        while (done < next && trials[done]->finished())
            ++done;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return trials;
}

TEST(MissingMediaTableTest, NamesEveryFileOfTheMediaDirectoryAndNoOther)
{
    std::set<std::string> inDirectory, inTable;
    for (const auto& entry : fs::recursive_directory_iterator("media"))
        if (entry.is_regular_file())
            inDirectory.insert(entry.path().generic_string());
    for (const MediaFile& file : mediaTable())
        inTable.insert(hostPath(file.gamePath));
    EXPECT_EQ(inTable.size(), mediaTable().size()) << "a file is in the table twice";
    for (const std::string& path : inDirectory)
        EXPECT_TRUE(inTable.count(path)) << path << " has no expected outcome in the table";
    for (const std::string& path : inTable)
        EXPECT_TRUE(inDirectory.count(path)) << path << " is in the table but not in media/";
}

TEST(MissingMediaTest, EachFileEndsTheGameWithItsOwnCodeAndMessageOrNotAtAll)
{
    for (const auto& trial : runWithoutEachFile(mediaTable())) {
        const MediaFile& file = trial->file;
        SCOPED_TRACE("without " + file.gamePath);
        const std::string error = trial->game->standardError(), summary = trial->game->summary();
        EXPECT_EQ(trial->game->endingSignal(), 0) << summary;
        EXPECT_EQ(trial->exitCode(), file.exitCode) << summary;
        EXPECT_EQ(trial->game->standardOutput(), "");
        if (file.errorIsPrefix) {
            EXPECT_EQ(error.rfind(file.error, 0), 0u) << error;
            EXPECT_GT(error.size(), file.error.size()) << error;
            EXPECT_EQ(error.back(), '\n') << error;
        } else {
            EXPECT_EQ(error, file.error);
        }
    }
}

}  // namespace
