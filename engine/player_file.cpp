#include "player_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The new file is written under this name beside the old one, the X's made
// unique.
constexpr const char* kReplacementPattern = ".new-XXXXXX";
// A new file, where none is replaced, gets what the umask leaves of this.
constexpr mode_t kNewFileMode = 0666;

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

// Writes all bytes, through interrupted and partial writes; 0 or errno.
int writeAll(int fd, const void* bytes, size_t size)
{
    const char* next = static_cast<const char*>(bytes);
    for (size_t left = size; left > 0;) {
        const ssize_t n = write(fd, next, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0 ? EIO : errno;
        next += n;
        left -= size_t(n);
    }
    return 0;
}

// Makes a rename durable. The old or the new file is whole on disk either
// way, so a failure here loses nothing and is not reported.
void syncFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::string notAFile(mode_t mode)
{
    return std::string("it is ") + kindOf(mode) + ", not a file";
}

std::string shownPath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char folder[4096];
    return getcwd(folder, sizeof folder) ? std::string(folder) + "/" + path : path;
}

int openPlayerFile(const std::string& path, std::string& why, bool& missing)
{
    missing = false;
    struct stat status;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot be opened at all: say what it is, not ENXIO.
        const int error = errno;
        missing = error == ENOENT;
        why = stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) ? notAFile(status.st_mode) : std::strerror(error);
        return -1;
    }
    const bool known = fstat(fd, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        why = known ? notAFile(status.st_mode) : std::strerror(errno);
        close(fd);
        return -1;
    }
    return fd;
}

long readPlayerFile(int fd, void* bytes, size_t size, std::string& why)
{
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, static_cast<char*>(bytes) + got, size - got);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            close(fd);
            return -1;
        }
        got += size_t(n);
    }
    close(fd);
    return long(got);
}

bool modeForReplacing(const std::string& path, mode_t& mode, std::string& why)
{
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            why = notAFile(status.st_mode);
            return false;
        }
        mode = status.st_mode & 07777;
        return true;
    }
    if (errno != ENOENT) {
        why = std::strerror(errno);
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    mode = kNewFileMode & ~mask;
    return true;
}

std::string replacePlayerFile(const std::string& path, const void* bytes, size_t size, mode_t mode)
{
    std::string replacement = path + kReplacementPattern;
    // A fresh name, created new: never a file that exists, nor a link.
    const int fd = mkostemp(replacement.data(), O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    int error = fchmod(fd, mode) == 0 ? 0 : errno;
    if (!error)
        error = writeAll(fd, bytes, size);
    if (!error && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (!error && std::rename(replacement.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        unlink(replacement.c_str());
        return std::strerror(error);
    }
    syncFolderOf(path);
    return "";
}
