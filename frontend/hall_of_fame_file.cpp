#include "hall_of_fame_file.h"

#include "display_connection.h"
#include "hall_of_fame.h"
#include "media_path.h"
#include "player_file.h"
#include "shutdown.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kDefaultPath = "media\\font\\scores.txt";
// Games that save one table take turns by a lock on this file beside it.
constexpr const char* kLockSuffix = ".lock";
// How long a save waits for another game's lock, and how often it looks
// again (and at the quit signals and the display) meanwhile.
constexpr int kLockWaitMs = 5000;
constexpr int kLockRetryMs = 10;
constexpr mode_t kLockMode = 0666;

// The file: ten records of a 12-byte name and a 4-byte little-endian score.
constexpr size_t kRecordBytes = kNameFieldSize + 4;
constexpr size_t kFileBytes = kHallOfFameEntries * kRecordBytes;

std::string hallOfFamePath = kDefaultPath;

void encodeTable(unsigned char* bytes)
{
    for (const HallOfFameEntry& entry : hallOfFame) {
        std::memcpy(bytes, entry.name, kNameFieldSize);
        for (int b = 0; b < 4; ++b)
            bytes[kNameFieldSize + b] = (unsigned char)(entry.score >> (8 * b));
        bytes += kRecordBytes;
    }
}

void decodeTable(const unsigned char* bytes)
{
    for (HallOfFameEntry& entry : hallOfFame) {
        std::memcpy(entry.name, bytes, kNameFieldSize);
        entry.score = 0;
        for (int b = 0; b < 4; ++b)
            entry.score |= uint32_t(bytes[kNameFieldSize + b]) << (8 * b);
        bytes += kRecordBytes;
    }
}

// One line naming the file and the reason, and the end with the design's
// exit code asked for. Returns false, for the failing step to return.
bool failFile(const char* doing, const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "korvath: cannot %s the hall of fame %s: %s\n", doing, shownPath(path).c_str(), why.c_str());
    requestShutDown(kHallOfFameFileFailureExit);
    return false;
}

bool failSave(const std::string& path, const std::string& why)
{
    return failFile("save", path, why);
}

enum class Read { kDone, kNoFile, kFailed };

// Reads the table from the file into memory. The bytes a short file does
// not reach keep what the table held.
Read readTable(const std::string& path, const char* doing)
{
    std::string why;
    bool missing = false;
    const int fd = openPlayerFile(path, why, missing);
    if (fd < 0 && missing)
        return Read::kNoFile;
    if (fd < 0)
        return failFile(doing, path, why), Read::kFailed;
    unsigned char bytes[kFileBytes];
    encodeTable(bytes);
    if (readPlayerFile(fd, bytes, kFileBytes, why) < 0)
        return failFile(doing, path, why), Read::kFailed;
    decodeTable(bytes);
    return Read::kDone;
}

// What came of waiting for the lock: the lock to close when done, or no
// lock, the save given up (a quit signal came) or failed.
constexpr int kNoLock = -1;

// Waits for the other games saving this table, if any. The wait looks at
// the signals and the display as a frame would, and ends in a failed save
// after kLockWaitMs, as does any error: never an unlocked write.
int lockTable(const std::string& path)
{
    const std::string lockPath = path + kLockSuffix;
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kLockMode);
    if (lock < 0)
        return failSave(path, lockPath + ": " + (errno == ELOOP ? "it is a link" : std::strerror(errno))), kNoLock;
    struct stat status;
    std::string why;
    if (fstat(lock, &status) == 0 && !S_ISREG(status.st_mode))
        why = lockPath + ": " + notAFile(status.st_mode);
    const timespec pause = {0, kLockRetryMs * 1000000L};
    for (int waited = 0; why.empty() && !quitSignalled(); waited += kLockRetryMs) {
        if (flock(lock, LOCK_EX | LOCK_NB) == 0)
            return lock;
        if (errno != EWOULDBLOCK && errno != EINTR)
            why = lockPath + ": " + std::strerror(errno);
        else if (waited >= kLockWaitMs)
            why = "another program has held " + lockPath + " for over " + std::to_string(kLockWaitMs / 1000) + " s";
        else {
            checkDisplayConnection();
            nanosleep(&pause, nullptr);
        }
    }
    close(lock);
    if (!why.empty())
        failSave(path, why);
    return kNoLock;
}

}  // namespace

void setHallOfFamePath(const char* gamePath)
{
    hallOfFamePath = gamePath;
}

bool readHallOfFame()
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    const Read read = readTable(path, "read");
    if (read == Read::kNoFile)
        return failFile("read", path, std::strerror(ENOENT));
    return read == Read::kDone;
}

bool saveHallOfFame()
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    unsigned char bytes[kFileBytes];
    encodeTable(bytes);
    mode_t mode;
    std::string why;
    if (!modeForReplacing(path, mode, why))
        return failSave(path, why);
    why = replacePlayerFile(path, bytes, kFileBytes, mode);
    return why.empty() || failSave(path, why);
}

bool recordInHallOfFame(uint32_t score, const char* name)
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    const int lock = lockTable(path);
    if (lock == kNoLock)
        return false;
    // What is on disk now: another game may have saved since this one read
    // it, or the player removed the table to clear it.
    const Read read = readTable(path, "save");
    if (read == Read::kNoFile)
        std::memset(hallOfFame, 0, sizeof hallOfFame);
    bool saved = false;
    if (read != Read::kFailed) {
        insertIntoHallOfFame(score, name);
        saved = saveHallOfFame();
    }
    close(lock);
    return saved;
}
