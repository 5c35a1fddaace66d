// libFuzzer target: any file of any length as the hall-of-fame file. Reading
// it, taking a new score into it and writing it back must stay within every
// buffer, whatever the bytes (names without a NUL, huge scores, short and
// long files).
//
// Build with clang: cmake -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
//   -DKORVATH_FUZZ=ON -DKORVATH_SANITIZE=ON, then run tests/hall_of_fame_fuzz.
#include "hall_of_fame.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string scratchFile(const char* name)
{
    static std::string dir;
    if (dir.empty()) {
        char pattern[] = "/tmp/korvath-fuzz-XXXXXX";
        dir = mkdtemp(pattern);
    }
    return dir + "/" + name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = scratchFile("scores.txt");
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    std::memset(hallOfFame, 0, sizeof hallOfFame);
    setHallOfFamePath(path.c_str());
    readHallOfFame();

    // What the screen does with each entry: its name within the field, its
    // score in full.
    char line[32];
    for (const HallOfFameEntry& entry : hallOfFame) {
        const size_t length = strnlen(entry.name, kNameFieldSize);
        std::snprintf(line, sizeof line, "%.*s %u", int(length), entry.name, unsigned(entry.score));
    }

    // A typed name is at most eight letters and always terminated.
    uint32_t score = 0;
    char name[9] = {};
    if (size >= 4)
        std::memcpy(&score, data, 4);
    if (size > 4)
        std::memcpy(name, data + 4, size - 4 < 8 ? size - 4 : 8);
    if (qualifiesForHallOfFame(score))
        insertIntoHallOfFame(score, name);
    saveHallOfFame();
    return 0;
}
