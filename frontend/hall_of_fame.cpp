#include "hall_of_fame.h"

#include "depths.h"
#include "game_state.h"
#include "media_path.h"
#include "scene.h"
#include "shutdown.h"
#include "sprite.h"
#include "text_sprites.h"
#include "texture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

HallOfFameEntry hallOfFame[kHallOfFameEntries];

namespace {

constexpr const char* kDefaultPath = "media\\font\\scores.txt";
constexpr const char* kTemporarySuffix = ".new";
// Games that save one table take turns by a lock on this file beside it.
constexpr const char* kLockSuffix = ".lock";

// The file: ten records of a 12-byte name and a 4-byte little-endian score.
constexpr size_t kRecordBytes = kNameFieldSize + 4;
constexpr size_t kFileBytes = kHallOfFameEntries * kRecordBytes;

// The screen's lines: 16 pt text on line-high surfaces, in front of the menu.
constexpr double kNameColumn = 35.0;    // from the menu window's left edge
constexpr double kScoreColumn = 315.0;
constexpr double kFirstRowY = 130.0;
constexpr double kRowSpacing = 20.0;

std::string hallOfFamePath = kDefaultPath;

Texture* hofNameTexture[kHallOfFameEntries];
Sprite* hofNameSprite[kHallOfFameEntries];
Texture* hofScoreTexture[kHallOfFameEntries];
Sprite* hofScoreSprite[kHallOfFameEntries];
Texture* promptTexture;
Sprite* promptSprite;

// ---- The file ---------------------------------------------------------------

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

[[noreturn]] void failFile()
{
    shutDown(kHallOfFameFileFailureExit);
}

// Writes, flushes and syncs the whole file; false if any step fails.
bool writeDurably(const std::string& path, const unsigned char* bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(bytes, 1, kFileBytes, file) == kFileBytes &&
                   std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written)
        unlink(path.c_str());
    return written;
}

// Reads the table from an open file and closes it (exit code 555 when it
// cannot be read). The bytes a short file does not reach keep what the
// table held.
void readTableFrom(FILE* file)
{
    unsigned char bytes[kFileBytes];
    encodeTable(bytes);
    std::fread(bytes, 1, kFileBytes, file);
    const bool unreadable = std::ferror(file) != 0;
    std::fclose(file);
    if (unreadable)
        failFile();
    decodeTable(bytes);
}

// Waits for the other games saving this table, if any, and returns the lock
// to close when done. A lock the file system cannot give is done without:
// the table is still read afresh just before it is written.
int lockTable(const std::string& path)
{
    const int lock = open((path + kLockSuffix).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock < 0)
        failFile();
    while (flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }
    return lock;
}

// Makes the rename itself durable. The old or the new table is whole on
// disk either way, so a failure here loses nothing and is not fatal.
void syncDirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(directory.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// ---- Names --------------------------------------------------------------------

// Copies a name up to its NUL, never more than the field holds: a name
// that fills all 12 bytes is copied whole and stays without a NUL.
void copyName(char* field, const char* name)
{
    const size_t length = strnlen(name, kNameFieldSize);
    std::memcpy(field, name, length);
    if (length < kNameFieldSize)
        field[length] = '\0';
}

std::string nameText(const HallOfFameEntry& entry)
{
    return std::string(entry.name, strnlen(entry.name, kNameFieldSize));
}

std::string scoreText(const HallOfFameEntry& entry)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%" PRIu32, entry.score);
    return digits;
}

// ---- The screen ---------------------------------------------------------------

// The columns are placed from the menu window, truncated to whole pixels.
double columnX(double offset)
{
    return double(int(menuWindowSprite->x() + offset));
}

void showLine(const std::string& text, double x, double y, Texture*& texture, Sprite*& sprite)
{
    texture = makeTextTexture(text.c_str(), kSmallTextPoints, kTextLineHeight, 0);
    sprite = makeAdditiveSprite(texture, x, y, kFrontDepth);
}

void destroyLine(Texture*& texture, Sprite*& sprite)
{
    delete sprite;
    delete texture;
    sprite = nullptr;
    texture = nullptr;
}

void destroyLines()
{
    for (int i = 0; i < kHallOfFameEntries; ++i) {
        destroyLine(hofNameTexture[i], hofNameSprite[i]);
        destroyLine(hofScoreTexture[i], hofScoreSprite[i]);
    }
    destroyLine(promptTexture, promptSprite);
}

}  // namespace

void setHallOfFamePath(const char* gamePath)
{
    hallOfFamePath = gamePath;
}

void readHallOfFame()
{
    FILE* file = std::fopen(hostPath(hallOfFamePath.c_str()).c_str(), "rb");
    if (!file)
        failFile();
    readTableFrom(file);
}

// The new table goes to a file beside the old one and replaces it by a
// rename only once it is safely on disk, so a failed save never leaves a
// truncated table behind.
void saveHallOfFame()
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    const std::string temporary = path + kTemporarySuffix;
    unsigned char bytes[kFileBytes];
    encodeTable(bytes);
    if (!writeDurably(temporary, bytes))
        failFile();
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        failFile();
    }
    syncDirectoryOf(path);
}

void recordInHallOfFame(uint32_t score, const char* name)
{
    const std::string path = hostPath(hallOfFamePath.c_str());
    const int lock = lockTable(path);
    // What is on disk now: another game may have saved since this one read
    // it. A table deleted meanwhile is written anew from the one in memory.
    if (FILE* file = std::fopen(path.c_str(), "rb"))
        readTableFrom(file);
    else if (errno != ENOENT)
        failFile();
    insertIntoHallOfFame(score, name);
    saveHallOfFame();
    close(lock);
}

bool qualifiesForHallOfFame(uint32_t score)
{
    return score >= hallOfFame[kHallOfFameEntries - 1].score;
}

// From the bottom up, every entry whose score is at most the new one moves
// down a place; the new entry takes the place above them all. A score that
// does not qualify changes nothing.
void insertIntoHallOfFame(uint32_t score, const char* name)
{
    if (!qualifiesForHallOfFame(score))
        return;
    int place = kHallOfFameEntries - 1;
    while (place > 0 && score >= hallOfFame[place - 1].score) {
        copyName(hallOfFame[place].name, hallOfFame[place - 1].name);
        hallOfFame[place].score = hallOfFame[place - 1].score;
        --place;
    }
    copyName(hallOfFame[place].name, name);
    hallOfFame[place].score = score;
}

void showHallOfFame()
{
    // Lines left from a screen that was never closed would otherwise leak.
    destroyLines();
    levelBannerSprite->setAlpha(0.0);
    for (int i = 0; i < kMenuItems; ++i) {
        menuItemSprite[i]->hide();
        menuItemHighlightSprite[i]->hide();
    }
    hallOfFameActive = true;

    const double nameX = columnX(kNameColumn);
    for (int i = 0; i < kHallOfFameEntries; ++i)
        showLine(nameText(hallOfFame[i]), nameX, kFirstRowY + kRowSpacing * i,
                 hofNameTexture[i], hofNameSprite[i]);
    const double scoreX = columnX(kScoreColumn);
    for (int i = 0; i < kHallOfFameEntries; ++i)
        showLine(scoreText(hallOfFame[i]), scoreX, kFirstRowY + kRowSpacing * i,
                 hofScoreTexture[i], hofScoreSprite[i]);

    // The typed name appears to the right of the prompt (name entry).
    if (nameEntryActive)
        showLine("Enter your name", nameX, kPromptRowY, promptTexture, promptSprite);
    else
        backSprite->show();
}

// The prompt goes with the lines: the screen is only ever closed while it
// takes a name when that name has just been confirmed.
void closeHallOfFame()
{
    destroyLines();
    menuKeyLatch = kKeyLatched;
    hallOfFameActive = false;
    backSprite->hide();
}

double promptRightEdge()
{
    return promptSprite ? promptSprite->x() + promptSprite->scaledWidth() : 0.0;
}
