// The hall-of-fame table, its insertion rule and its 160-byte file, kept in
// a directory of the tests' own (a fixed name, so that a death test's child
// finds the files the parent checks), never the player's scores.
#include "hall_of_fame.h"

#include "test_images.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

const fs::path kDirectory = "hall_of_fame_test_files";
const fs::path kFile = kDirectory / "scores.txt";
const fs::path kTemporary = kDirectory / "scores.txt.new";
// A POSIX parent sees only the low eight bits of an exit code: 555 shows as 43.
const int kFailureStatus = kHallOfFameFileFailureExit & 0xff;

// One record as the file holds it: 12 name bytes, score little-endian.
Bytes record(const std::string& name, uint32_t score)
{
    Bytes bytes(16, 0);
    std::memcpy(bytes.data(), name.data(), std::min<size_t>(name.size(), 12));
    for (int b = 0; b < 4; ++b)
        bytes[12 + b] = (unsigned char)(score >> (8 * b));
    return bytes;
}

void writeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), std::streamsize(bytes.size()));
}

std::string nameOf(int place)
{
    return std::string(hallOfFame[place].name, strnlen(hallOfFame[place].name, 12));
}

class HallOfFameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(kDirectory);
        fs::create_directories(kDirectory);
        setHallOfFamePath(kFile.c_str());
        std::memset(hallOfFame, 0, sizeof hallOfFame);
    }
    void TearDown() override { fs::remove_all(kDirectory); }

    // Ten entries "t0".."t9" with the given scores, best first.
    static void fill(const std::vector<uint32_t>& scores)
    {
        for (int i = 0; i < kHallOfFameEntries; ++i) {
            std::snprintf(hallOfFame[i].name, 12, "t%d", i);
            hallOfFame[i].score = scores[i];
        }
    }

    using Entries = std::vector<std::pair<std::string, uint32_t>>;
    static Entries entries()
    {
        Entries all;
        for (int i = 0; i < kHallOfFameEntries; ++i)
            all.emplace_back(nameOf(i), hallOfFame[i].score);
        return all;
    }
};

const std::vector<uint32_t> kTens = {100, 90, 80, 70, 60, 50, 40, 30, 20, 10};

// Where a score lands: above every equal or lower one, everyone below it
// moving down a place and the old tenth dropping out.
TEST_F(HallOfFameTest, ANewScoreGoesAboveEveryEqualOrLowerOne)
{
    const std::vector<uint32_t> high = {0xF0000000u, 0xE0000000u, 0xD0000000u, 0xC0000000u, 0xB0000000u,
                                        0xA0000000u, 0x90000000u, 0x88000000u, 0x84000000u, 0x80000000u};
    const std::vector<uint32_t> mixed = {0xF0000000u, 0xA0000000u, 0x80000000u, 0x7FFFFFFFu, 100, 90, 80, 70, 60, 50};
    struct Case {
        const char* what;
        std::vector<uint32_t> table;  // names "t0".."t9"; none: a fresh, all-zero table
        uint32_t score;
        int place;                    // -1: it does not qualify and changes nothing
        bool fullNames = false;       // every name fills its 12 bytes, with no NUL
    };
    const Case cases[] = {
        {"an empty table takes even 0, at the top", {}, 0, 0},
        {"below the tenth", kTens, 9, -1},
        {"equal to the tenth: the newest ranks first", kTens, 10, 9},
        {"equal to the third", kTens, 80, 2},
        {"the best", kTens, 1000, 0},
        {"12-letter names move whole, not running on into the score", kTens, 95, 1, true},
        {"scores compare unsigned", high, 0x7FFFFFFFu, -1},
        {"scores compare unsigned", high, 0xFFFFFFFFu, 0},
        {"scores compare unsigned", mixed, 0x90000000u, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(hallOfFame, 0, sizeof hallOfFame);
        if (!c.table.empty())
            fill(c.table);
        if (c.fullNames)
            for (HallOfFameEntry& entry : hallOfFame)
                std::memset(entry.name, 'X', 12);
        Entries expected = entries();
        if (c.place >= 0) {
            expected.insert(expected.begin() + c.place, {"new", c.score});
            expected.pop_back();
        }
        EXPECT_EQ(qualifiesForHallOfFame(c.score), c.place >= 0);
        insertIntoHallOfFame(c.score, "new");  // even a caller that did not ask first
        EXPECT_EQ(entries(), expected);
    }
}

// Half a score at the end of a short file: its low bytes are read, the high
// ones and the records after it stay as they were.
TEST_F(HallOfFameTest, ReadsLittleEndianRecordsAndAShortFileLeavesTheRest)
{
    fill(kTens);
    hallOfFame[1].score = 0xAABBCCDDu;
    Bytes file = record("ab", 0x01020304u);
    file.insert(file.end(), {'c', 'd', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x11, 0x22});
    writeFile(kFile, file);
    readHallOfFame();
    EXPECT_TRUE(nameOf(0) == "ab" && hallOfFame[0].score == 0x01020304u);
    EXPECT_TRUE(nameOf(1) == "cd" && hallOfFame[1].score == 0xAABB2211u);
    EXPECT_TRUE(nameOf(2) == "t2" && hallOfFame[2].score == 80u);
}

TEST_F(HallOfFameTest, AFileThatCannotBeReadEndsTheGame)
{
    EXPECT_EXIT(readHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
    fs::create_directories(kFile);
    EXPECT_EXIT(readHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
}

// Any file of 0 to 400 bytes, random or letters only, loads and saves back
// as its first 160 bytes (bytes after a name's NUL and names without one
// alike). Built with the sanitizers, this also catches any read past a field.
TEST_F(HallOfFameTest, RandomAndTruncatedFilesLoadSafely)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 150; ++round) {
        Bytes file(random() % 401);
        for (unsigned char& byte : file)
            byte = (round % 2) ? (unsigned char)random() : (unsigned char)('A' + random() % 26);
        writeFile(kFile, file);
        std::memset(hallOfFame, 0, sizeof hallOfFame);
        readHallOfFame();
        saveHallOfFame();
        file.resize(std::max<size_t>(file.size(), 160), 0);
        ASSERT_EQ(readBytes(kFile), Bytes(file.begin(), file.begin() + 160)) << "round " << round;
        ASSERT_FALSE(fs::exists(kTemporary));
    }
}

// The table on disk survives a save that cannot be completed.
TEST_F(HallOfFameTest, AFailedSaveKeepsTheOldFileAndEndsTheGame)
{
    const Bytes old = record("old", 1234);
    writeFile(kFile, old);
    fill(kTens);

    // The temporary file cannot be created: its name is taken by a directory.
    fs::create_directories(kTemporary);
    EXPECT_EXIT(saveHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
    EXPECT_EQ(readBytes(kFile), old);
    fs::remove(kTemporary);

    // The disk is full: the flush fails after the file was opened.
    fs::create_symlink("/dev/full", kTemporary);
    EXPECT_EXIT(saveHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
    EXPECT_EQ(readBytes(kFile), old);

    // The directory does not exist.
    setHallOfFamePath((kDirectory / "missing" / "scores.txt").c_str());
    EXPECT_EXIT(saveHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
}

// Two games of one player each read the table at their start and each earn
// a place: the later save keeps the earlier one's entry, whether they save
// one after the other or at the same moment, and a score the other game has
// pushed out no longer goes in.
TEST_F(HallOfFameTest, GamesSavingOneTableKeepEachOthersEntries)
{
    fill(kTens);
    saveHallOfFame();
    HallOfFameEntry loaded[kHallOfFameEntries];
    std::memcpy(loaded, hallOfFame, sizeof loaded);

    recordInHallOfFame(95, "first");
    std::memcpy(hallOfFame, loaded, sizeof loaded);  // the other game's table
    recordInHallOfFame(15, "late");  // it beat the 10 this game loaded, not the 20 on disk now
    const Entries shown = entries();
    EXPECT_TRUE(nameOf(1) == "first" && nameOf(9) == "t8");
    readHallOfFame();
    EXPECT_EQ(entries(), shown) << "the table in memory is the one saved";

    // Eight games saving at once, each released by the same closed pipe.
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> games;
    for (int g = 0; g < 8; ++g) {
        const pid_t pid = fork();
        if (pid == 0) {
            char byte;
            close(go[1]);
            (void)!read(go[0], &byte, 1);
            std::memcpy(hallOfFame, loaded, sizeof loaded);
            recordInHallOfFame(1000 + g, ("g" + std::to_string(g)).c_str());
            _exit(0);
        }
        games.push_back(pid);
    }
    close(go[0]);
    close(go[1]);
    for (pid_t pid : games)
        waitpid(pid, nullptr, 0);
    readHallOfFame();
    for (int g = 0; g < 8; ++g)
        EXPECT_EQ(nameOf(7 - g), "g" + std::to_string(g));
}

}  // namespace
