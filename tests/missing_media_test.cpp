// Each media file taken away in turn: the real game ends with that file's
// own code and message, or starts without it and quits cleanly when asked.
// The table names every file in media/, so no new file goes untested.
#include "game_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
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

// Two games at a time, one per core (each spins a core with its pacing);
// far longer than a load takes, even on a busy machine.
constexpr size_t kGamesAtOnce = 2;
constexpr double kLoadSeconds = 40.0;

std::string hostPath(std::string gamePath)
{
    std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
    return gamePath;
}

// The game started in a copy of its own, short of one file.
struct Trial {
    explicit Trial(const MediaFile& without) : file(without)
    {
        fs::remove(dir.file(hostPath(without.gamePath)));
        game = std::make_unique<GameProcess>(dir.path());
    }
    const MediaFile file;
    RunDirectoryCopy dir;
    std::unique_ptr<GameProcess> game;
};

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

// A game that should run is asked to quit once SDL catches the signal; the
// main loop's first poll sees it, so code 0 means the load went through.
TEST(MissingMediaTest, EachFileEndsTheGameWithItsOwnCodeAndMessageOrNotAtAll)
{
    const std::vector<MediaFile> table = mediaTable();
    for (size_t first = 0; first < table.size(); first += kGamesAtOnce) {
        std::vector<std::unique_ptr<Trial>> trials;
        for (size_t i = first; i < std::min(first + kGamesAtOnce, table.size()); ++i)
            trials.push_back(std::make_unique<Trial>(table[i]));
        for (const auto& trial : trials) {
            const MediaFile& file = trial->file;
            GameProcess& game = *trial->game;
            SCOPED_TRACE("without " + file.gamePath);
            if (file.exitCode == 0 && game.waitToCatchQuitSignal(kLoadSeconds))
                game.requestQuit();
            ASSERT_TRUE(game.waitForEnd(kLoadSeconds)) << "still running: " << game.summary();
            const std::string error = game.standardError();
            EXPECT_EQ(game.endingSignal(), 0) << game.summary();
            EXPECT_EQ(game.exitCode(), file.exitCode) << game.summary();
            EXPECT_EQ(game.standardOutput(), "");
            if (file.errorIsPrefix) {
                EXPECT_EQ(error.rfind(file.error, 0), 0u) << error;
                EXPECT_GT(error.size(), file.error.size()) << error;
                EXPECT_EQ(error.back(), '\n') << error;
            } else {
                EXPECT_EQ(error, file.error);
            }
        }
    }
}

}  // namespace
