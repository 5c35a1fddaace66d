// The hall-of-fame table, its insertion rule and its 160-byte file, in a
// folder of the tests' own.
#include "hall_of_fame.h"

#include "shutdown.h"
#include "test_images.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

// What the saves make durable, by the path each synced descriptor names.
static std::vector<fs::path> synced;
extern "C" int fsync(int fd)
{
    std::error_code unnamed;
    synced.push_back(fs::read_symlink("/proc/self/fd/" + std::to_string(fd), unnamed));
    return int(syscall(SYS_fsync, fd));
}

namespace {

using ::testing::MatchesRegex;
using Bytes = std::vector<uint8_t>;

const fs::path kDirectory = "hall_of_fame_test_files";
const fs::path kFile = kDirectory / "scores.txt";
const fs::path kLock = kDirectory / "scores.txt.lock";
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

void bindSocket(const fs::path& path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
}

int filesIn(const fs::path& directory)
{
    return int(std::distance(fs::directory_iterator(directory), {}));
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
    EXPECT_EQ(nameOf(0), "ab");
    EXPECT_EQ(hallOfFame[0].score, 0x01020304u);
    EXPECT_EQ(nameOf(1), "cd");
    EXPECT_EQ(hallOfFame[1].score, 0xAABB2211u);
    EXPECT_EQ(nameOf(2), "t2");
    EXPECT_EQ(hallOfFame[2].score, 80u);
}

// A table that is no regular file is a failed load with one line naming it
// and what it is, at once: a FIFO with no writer must not hang the game.
TEST_F(HallOfFameTest, AnythingButARegularFileIsAFailedLoadNeverAHang)
{
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* saying;
    };
    const Case cases[] = {
        {"no file", [] {}, "No such file or directory"},
        {"a folder", [] { fs::create_directory(kFile); }, "it is a folder, not a file"},
        {"a FIFO", [] { mkfifo(kFile.c_str(), 0644); }, "it is a FIFO, not a file"},
        {"a device, through a link", [] { fs::create_symlink("/dev/zero", kFile); }, "it is a device, not a file"},
        {"a socket", [] { bindSocket(kFile); }, "it is a socket, not a file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(kFile);
        c.make();
        const Ending ending = inChild(readHallOfFame);
        EXPECT_EQ(ending.code, kFailureStatus);
        EXPECT_THAT(ending.said, MatchesRegex("korvath: cannot read the hall of fame /.*/scores.txt: " + std::string(c.saying) + "\n"));
    }
}

// Any file of 0 to 400 bytes loads and saves back as its first 160 bytes;
// under the sanitizers this also catches any read past a field.
TEST_F(HallOfFameTest, RandomAndTruncatedFilesLoadSafely)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 150; ++round) {
        Bytes file(round == 0 ? 0 : random() % 401);  // an empty file first
        for (unsigned char& byte : file)
            byte = (round % 2) ? (unsigned char)random() : (unsigned char)('A' + random() % 26);
        writeFile(kFile, file);
        std::memset(hallOfFame, 0, sizeof hallOfFame);
        ASSERT_TRUE(readHallOfFame()) << "round " << round;
        saveHallOfFame();
        file.resize(std::max<size_t>(file.size(), 160), 0);
        ASSERT_EQ(readBytes(kFile), Bytes(file.begin(), file.begin() + 160)) << "round " << round;
        ASSERT_EQ(filesIn(kDirectory), 1) << "a scratch file left";
    }
}

// The table on disk survives a save that cannot be completed, nothing is
// written through a link, and the failure says which file and why.
TEST_F(HallOfFameTest, AFailedSaveSaysWhyKeepsTheOldFileAndNeverWritesThroughALink)
{
    const Bytes old = record("old", 1234);
    const fs::path elsewhere = kDirectory / "players_own_file";
    const Bytes players(20, 'p');
    struct Case {
        const char* what;
        std::function<void()> arrange;  // in the child, just before the save
        const char* saying;
    };
    const Case cases[] = {
        {"the disk is full", [] { std::signal(SIGXFSZ, SIG_IGN); rlimit small = {100, 100}; setrlimit(RLIMIT_FSIZE, &small); },
         "File too large"},
        {"the table a FIFO", [] { fs::remove(kFile); mkfifo(kFile.c_str(), 0644); }, "it is a FIFO, not a file"},
        {"the lock a link", [&] { fs::create_symlink(elsewhere, kLock); }, "scores.txt.lock: it is a link"},
        {"the lock a dangling link", [] { fs::create_symlink(kDirectory / "nowhere", kLock); }, "scores.txt.lock: it is a link"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        writeFile(kFile, old);
        writeFile(elsewhere, players);
        const Ending ending = inChild([&] { c.arrange(); recordInHallOfFame(50, "new"); });
        EXPECT_EQ(ending.code, kFailureStatus);
        EXPECT_THAT(ending.said, MatchesRegex("korvath: cannot save the hall of fame /.*/scores.txt: .*" + std::string(c.saying) + "\n"));
        if (fs::is_regular_file(kFile)) {
            EXPECT_EQ(readBytes(kFile), old);
        }
        EXPECT_EQ(readBytes(elsewhere), players) << "written through a link";
        EXPECT_FALSE(fs::exists(kDirectory / "nowhere"));
        // The table, the player's file and the lock (or the link there).
        EXPECT_EQ(filesIn(kDirectory), 2 + fs::exists(fs::symlink_status(kLock))) << "a scratch file left";
    }

    // The folder does not exist.
    setHallOfFamePath((kDirectory / "missing" / "scores.txt").c_str());
    const Ending ending = inChild(saveHallOfFame);
    EXPECT_EQ(ending.code, kFailureStatus);
    EXPECT_THAT(ending.said, MatchesRegex("korvath: cannot save the hall of fame /.*/missing/scores.txt: No such file or directory\n"));
}

// A save writes under a fresh name (no link is written through), keeps the
// table's permission bits, and a table removed meanwhile stays so: the save
// writes one holding only the new entry.
TEST_F(HallOfFameTest, ASaveKeepsPermissionsAndLinksAsTheyAreAndARemovedTableStaysRemoved)
{
    const fs::path elsewhere = kDirectory / "players_own_file";
    writeFile(elsewhere, Bytes(20, 'p'));
    fs::create_symlink(elsewhere, kDirectory / "scores.txt.new");
    fill(kTens);
    for (fs::perms mode : {fs::perms(0600), fs::perms(0444), fs::perms(0664)}) {
        synced.clear();
        saveHallOfFame();
        EXPECT_THAT(synced, ::testing::Contains(fs::canonical(kDirectory))) << "the rename is made durable";
        fs::permissions(kFile, mode);
        ASSERT_TRUE(recordInHallOfFame(1000, "best"));
        EXPECT_EQ(fs::status(kFile).permissions(), mode);
    }
    EXPECT_EQ(readBytes(elsewhere), Bytes(20, 'p'));
    EXPECT_FALSE(fs::is_symlink(kFile));

    fs::remove(kFile);
    ASSERT_TRUE(recordInHallOfFame(70, "alone"));
    Bytes alone = record("alone", 70);
    alone.resize(160, 0);
    EXPECT_EQ(readBytes(kFile), alone);
}

// Another program holding the lock: a quit signal ends the wait at once, and
// after five seconds it is a failed save, never a write without the lock.
TEST_F(HallOfFameTest, AHeldLockGivesWayToAQuitSignalAndFailsTheSaveAfterFiveSeconds)
{
    const Bytes old = record("old", 1234);
    writeFile(kFile, old);
    const int held = open(kLock.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    // The signal comes 0.2 s into the wait; the wait must end within 1 s of it.
    const Ending signalled = inChild([] {
        catchQuitSignals();
        std::thread([] { usleep(200 * 1000); kill(getpid(), SIGTERM); }).detach();
        const auto start = std::chrono::steady_clock::now();
        const bool saved = recordInHallOfFame(50, "new");
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr, "saved %d, signalled %d, %.1f s", saved, quitSignalled(), seconds);
        _exit(!saved && quitSignalled() && seconds < 1.2 ? 0 : 1);
    });
    EXPECT_EQ(signalled.code, 0) << signalled.said;
    EXPECT_EQ(readBytes(kFile), old);

    const Ending waited = inChild([] { recordInHallOfFame(50, "new"); });
    EXPECT_EQ(waited.code, kFailureStatus);
    EXPECT_THAT(waited.said, MatchesRegex("korvath: cannot save the hall of fame /.*/scores.txt: another program has held .*scores.txt.lock for over 5 s\n"));
    EXPECT_EQ(readBytes(kFile), old);
    close(held);
}

// Games sharing one table, saving one after the other or at once, keep each
// other's entries; a score the other game pushed out no longer goes in.
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
    EXPECT_EQ(nameOf(1), "first");
    EXPECT_EQ(nameOf(9), "t8");
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
