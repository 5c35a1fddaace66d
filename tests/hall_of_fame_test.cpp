// The hall-of-fame table, its insertion rule and its 160-byte file.
//
// Every test points the file at a directory of its own under the run
// directory, never at the player's media/font/scores.txt. The directory has
// a fixed name because a death test's child re-runs the test from the start
// and must find the same files the parent checks afterwards.
#include "hall_of_fame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

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

Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

    static std::vector<std::pair<std::string, uint32_t>> entries()
    {
        std::vector<std::pair<std::string, uint32_t>> all;
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
        std::vector<std::pair<std::string, uint32_t>> expected = entries();
        if (c.place >= 0) {
            expected.insert(expected.begin() + c.place, {"new", c.score});
            expected.pop_back();
        }
        EXPECT_EQ(qualifiesForHallOfFame(c.score), c.place >= 0);
        insertIntoHallOfFame(c.score, "new");  // even a caller that did not ask first
        EXPECT_EQ(entries(), expected);
    }
}

TEST_F(HallOfFameTest, ReadsLittleEndianRecordsFromTheFirst160BytesAndAShortFileLeavesTheRest)
{
    Bytes file;
    for (int i = 0; i < 12; ++i) {
        const Bytes r = record("p" + std::to_string(i), 0x01020300u + uint32_t(i));
        file.insert(file.end(), r.begin(), r.end());
    }
    writeFile(kFile, file);
    readHallOfFame();
    EXPECT_TRUE(nameOf(3) == "p3" && hallOfFame[3].score == 0x01020303u);
    EXPECT_TRUE(nameOf(9) == "p9" && hallOfFame[9].score == 0x01020309u);

    // Half a score: its low bytes are read, the high ones and the rest stay.
    fill(kTens);
    hallOfFame[0].score = 0xAABBCCDDu;
    writeFile(kFile, {'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x11, 0x22});
    readHallOfFame();
    EXPECT_TRUE(nameOf(0) == "ab" && hallOfFame[0].score == 0xAABB2211u);
    EXPECT_TRUE(nameOf(1) == "t1" && hallOfFame[1].score == 90u);
}

TEST_F(HallOfFameTest, AFileThatCannotBeReadEndsTheGame)
{
    EXPECT_EXIT(readHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
    fs::create_directories(kFile);
    EXPECT_EXIT(readHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
}

// Any file of 0 to 400 bytes, random or letters only, loads and saves back
// as its first 160 bytes; an insertion moves every record below it whole.
// Built with the sanitizers, this also catches any read past a field.
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
        ASSERT_EQ(readFile(kFile), Bytes(file.begin(), file.begin() + 160)) << "round " << round;
        const auto before = entries();
        const uint32_t score = hallOfFame[9].score + uint32_t(random() % 1000);
        if (score < hallOfFame[9].score)
            continue;
        insertIntoHallOfFame(score, "new");
        const auto after = entries();
        const auto at = std::find(after.begin(), after.end(), std::pair<std::string, uint32_t>{"new", score});
        ASSERT_NE(at, after.end()) << "round " << round;
        auto expected = before;
        expected.insert(expected.begin() + (at - after.begin()), *at);
        expected.pop_back();
        EXPECT_EQ(after, expected) << "round " << round;
    }
}

TEST_F(HallOfFameTest, ASaveIsExactly160BytesAndRoundTripsByteForByte)
{
    // Bytes after a name's NUL and names without a NUL come back unchanged.
    Bytes file(160);
    std::mt19937 random(7);
    for (unsigned char& byte : file)
        byte = (unsigned char)random();
    file[0] = 'a';
    file[1] = 0;
    writeFile(kFile, file);
    readHallOfFame();
    saveHallOfFame();
    EXPECT_EQ(readFile(kFile), file);
    EXPECT_FALSE(fs::exists(kTemporary));

    fill(kTens);
    insertIntoHallOfFame(55, "saved");
    saveHallOfFame();
    const Bytes saved = readFile(kFile);
    ASSERT_EQ(saved.size(), 160u);
    // Sixth place: the name up to its NUL, then the score; the bytes between
    // are whatever the slot held before.
    EXPECT_EQ(Bytes(saved.begin() + 80, saved.begin() + 86), Bytes({'s', 'a', 'v', 'e', 'd', 0}));
    EXPECT_EQ(Bytes(saved.begin() + 92, saved.begin() + 96), Bytes({55, 0, 0, 0}));
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
    EXPECT_EQ(readFile(kFile), old);
    fs::remove(kTemporary);

    // The disk is full: the flush fails after the file was opened.
    fs::create_symlink("/dev/full", kTemporary);
    EXPECT_EXIT(saveHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
    EXPECT_EQ(readFile(kFile), old);

    // The directory does not exist.
    setHallOfFamePath((kDirectory / "missing" / "scores.txt").c_str());
    EXPECT_EXIT(saveHallOfFame(), ::testing::ExitedWithCode(kFailureStatus), "^$");
}

}  // namespace
