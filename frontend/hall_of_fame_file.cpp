#include "hall_of_fame_file.h"

#include "display_connection.h"
#include "hall_of_fame.h"
#include "media_path.h"
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
// The new table is written under a fresh name beside the old one.
constexpr const char* kTemporaryPattern = ".new-XXXXXX";
// Games that save one table take turns by a lock on this file beside it.
constexpr const char* kLockSuffix = ".lock";
// How long a save waits for another game's lock, and how often it looks
// again (and at the quit signals and the display) meanwhile.
constexpr int kLockWaitMs = 5000;
constexpr int kLockRetryMs = 10;
// A new table, where none is replaced, gets what the umask leaves of this.
constexpr mode_t kNewFileMode = 0666;

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

// ---- Saying why ---------------------------------------------------------------

// The file as the player finds it: the game runs in the player's folder,
// so a relative path alone would not say where.
std::string shownPath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char folder[4096];
    return getcwd(folder, sizeof folder) ? std::string(folder) + "/" + path : path;
}

const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "not a regular file";
}

std::string notAFile(mode_t mode)
{
    return std::string("it is ") + kindOf(mode) + ", not a file";
}

// Why a file could not be opened: what it is, when that is the reason (a
// socket cannot be opened at all), else the system's word.
std::string whyNotOpened(const std::string& path, int error)
{
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        return notAFile(status.st_mode);
    return std::strerror(error);
}

// Why an open file is no table: empty when it is a regular file.
std::string whyNotAFile(int fd)
{
    struct stat status;
    if (fstat(fd, &status) != 0)
        return std::strerror(errno);
    return S_ISREG(status.st_mode) ? "" : notAFile(status.st_mode);
}

// One line naming the file and the reason, then the design's exit code.
[[noreturn]] void failFile(const char* doing, const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "korvath: cannot %s the hall of fame %s: %s\n", doing, shownPath(path).c_str(), why.c_str());
    shutDown(kHallOfFameFileFailureExit);
}

[[noreturn]] void failSave(const std::string& path, const std::string& why)
{
    failFile("save", path, why);
}

// ---- Reading ------------------------------------------------------------------

// Opens the table for reading: never blocking (a FIFO would wait for a
// writer for ever), and only a regular file. -1 with errno when it cannot be
// opened at all (ENOENT: there is none).
int openTable(const std::string& path, const char* doing)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const std::string why = whyNotAFile(fd);
    if (!why.empty()) {
        close(fd);
        failFile(doing, path, why);
    }
    return fd;
}

// Reads the table from an open file and closes it. The bytes a short file
// does not reach keep what the table held.
void readTableFrom(int fd, const std::string& path, const char* doing)
{
    unsigned char bytes[kFileBytes];
    encodeTable(bytes);
    size_t got = 0;
    while (got < kFileBytes) {
        const ssize_t n = read(fd, bytes + got, kFileBytes - got);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            close(fd);
            failFile(doing, path, std::strerror(error));
        }
        got += size_t(n);
    }
    close(fd);
    decodeTable(bytes);
}

// ---- Saving -------------------------------------------------------------------

// The permission bits the new table gets: the old table's, or for a new one
// what the umask leaves.
mode_t modeForNewTable(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode))
            failSave(path, notAFile(status.st_mode));
        return status.st_mode & 07777;
    }
    if (errno != ENOENT)
        failSave(path, std::strerror(errno));
    const mode_t mask = umask(0);
    umask(mask);
    return kNewFileMode & ~mask;
}

// Writes, flushes and syncs the whole table into a file of a fresh name
// beside it; returns that name, or fails the save (removing what it made).
std::string writeNewTable(const std::string& path, const unsigned char* bytes, mode_t mode)
{
    std::string temporary = path + kTemporaryPattern;
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        failSave(path, std::strerror(errno));
    int error = fchmod(fd, mode) == 0 ? 0 : errno;
    for (size_t written = 0; !error && written < kFileBytes;) {
        const ssize_t n = write(fd, bytes + written, kFileBytes - written);
        if (n > 0)
            written += size_t(n);
        else if (n == 0 || errno != EINTR)
            error = n == 0 ? EIO : errno;
    }
    if (!error && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (error) {
        unlink(temporary.c_str());
        failSave(path, std::strerror(error));
    }
    return temporary;
}

// Makes the rename itself durable. The old or the new table is whole on
// disk either way, so a failure here loses nothing and is not fatal.
void syncDirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// ---- The lock -----------------------------------------------------------------

constexpr int kLockGivenUp = -1;

// Waits for the other games saving this table, if any, and returns the lock
// to close when done; kLockGivenUp when a quit signal came meanwhile. The
// wait looks at the signals and the display as a frame would, and ends in a
// failed save after kLockWaitMs, as does any error: never an unlocked write.
int lockTable(const std::string& path)
{
    const std::string lockPath = path + kLockSuffix;
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kNewFileMode);
    if (lock < 0)
        failSave(path, lockPath + ": " + (errno == ELOOP ? "it is a link" : std::strerror(errno)));
    const std::string why = whyNotAFile(lock);
    if (!why.empty()) {
        close(lock);
        failSave(path, lockPath + ": " + why);
    }
    const timespec pause = {0, kLockRetryMs * 1000000L};
    for (int waited = 0;; waited += kLockRetryMs) {
        if (flock(lock, LOCK_EX | LOCK_NB) == 0)
            return lock;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            close(lock);
            failSave(path, lockPath + ": " + std::strerror(error));
        }
        if (quitSignalled()) {
            close(lock);
            return kLockGivenUp;
        }
        checkDisplayConnection();
        if (waited >= kLockWaitMs) {
            close(lock);
            failSave(path, "another program has held " + lockPath + " for over " + std::to_string(kLockWaitMs / 1000) + " s");
        }
        nanosleep(&pause, nullptr);
    }
}

}  // namespace

void setHallOfFamePath(const char* gamePath)
{
    hallOfFamePath = gamePath;
}

void readHallOfFame()
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    const int fd = openTable(path, "read");
    if (fd < 0)
        failFile("read", path, whyNotOpened(path, errno));
    readTableFrom(fd, path, "read");
}

// The new table replaces the old one by a rename only once it is safely on
// disk, so a failed save never leaves a truncated table behind.
void saveHallOfFame()
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    unsigned char bytes[kFileBytes];
    encodeTable(bytes);
    const std::string temporary = writeNewTable(path, bytes, modeForNewTable(path));
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        failSave(path, std::strerror(error));
    }
    syncDirectoryOf(path);
}

bool recordInHallOfFame(uint32_t score, const char* name)
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    const int lock = lockTable(path);
    if (lock == kLockGivenUp)
        return false;
    // What is on disk now: another game may have saved since this one read
    // it, or the player removed the table to clear it.
    const int fd = openTable(path, "save");
    if (fd >= 0)
        readTableFrom(fd, path, "save");
    else if (errno == ENOENT)
        std::memset(hallOfFame, 0, sizeof hallOfFame);
    else
        failSave(path, whyNotOpened(path, errno));
    insertIntoHallOfFame(score, name);
    saveHallOfFame();
    close(lock);
    return true;
}
