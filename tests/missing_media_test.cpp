// Each media file taken away in turn: the real game ends with that file's
// own code and message, or starts without it and quits cleanly when asked.
// Every file of media/ is tried, so no new one goes untested.
#include "game_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
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

// Without a picture the game ends with 191, frame-strip sheets and the
// images drawn on (score_0.tga, inv text back.bmp) alike; without the font,
// the table or the laugh, each with a code of its own; any other sound, or
// the music, it does without.
MediaFile outcomeWithout(const fs::path& file)
{
    std::string path = file.generic_string();
    std::replace(path.begin(), path.end(), '/', '\\');  // as the game names it
    const std::string name = file.filename().string();
    if (name == "Square Bold.ttf")
        return {path, 3, "Couldn't load 12 pt font from " + path + ": ", true};
    if (name == "scores.txt")
        return {path, 555 & 0xFF, "korvath: cannot read the hall of fame /", true};
    if (name == "evillaug.wav")
        return {path, 5026 & 0xFF, ""};
    if (file.extension() == ".wav")
        return {path, 0, ""};
    return {path, 191, "Error could not load file " + path + "."};
}

std::vector<MediaFile> mediaTable()
{
    std::vector<MediaFile> table;
    for (const auto& entry : fs::recursive_directory_iterator("media"))
        if (entry.is_regular_file())
            table.push_back(outcomeWithout(entry.path()));
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

// A game that should run is asked to quit once SDL catches the signal; the
// main loop's first poll sees it, so code 0 means the load went through.
TEST(MissingMediaTest, EachFileEndsTheGameWithItsOwnCodeAndMessageOrNotAtAll)
{
    const std::vector<MediaFile> table = mediaTable();
    ASSERT_EQ(table.size(), 39u) << "28 pictures, 9 sounds, the font and the table";
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
