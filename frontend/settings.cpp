#include "settings.h"

#include "fsound.h"
#include "game_state.h"
#include "keys.h"
#include "notice.h"
#include "player_file.h"
#include "settings_text.h"
#include "text_sprites.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

Settings settings;

namespace {

constexpr const char* kFolder = "korvath";
constexpr const char* kFileName = "korvath.conf";
// A settings file is a few lines; anything longer is no settings file.
constexpr size_t kLongestFile = 64 * 1024;
constexpr mode_t kFolderMode = 0777;

// ---- The values -----------------------------------------------------------------

// A setting with a value of its own (the keys are the action table's): how
// it is read from the file and written back.
struct ValueSetting {
    const char* name;
    const char* mustBe;  // the values it takes, in words
    bool (*read)(const std::string& value, Settings& into);
    std::string (*written)(const Settings& from);
};

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// One of two words, in any case.
bool readChoice(const std::string& value, const char* yes, const char* no, bool& into)
{
    const std::string word = lowerCase(value);
    if (word != yes && word != no)
        return false;
    into = word == yes;
    return true;
}

bool readVolume(const std::string& value, Settings& into)
{
    if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int volume = std::atoi(value.c_str());
    if (volume > kFullLoudness)
        return false;
    into.volume = volume;
    return true;
}

bool readPacing(const std::string& value, Settings& into)
{
    bool gentle = false;
    if (!readChoice(value, "gentle", "exact", gentle))
        return false;
    into.pacing = gentle ? Pacing::kGentle : Pacing::kExact;
    return true;
}

bool readScale(const std::string& value, Settings& into)
{
    if (lowerCase(value) == "auto") {
        into.scale = 0;
        return true;
    }
    if (value.size() != 1 || value[0] < '1' || value[0] > '0' + kLargestWindowScale)
        return false;
    into.scale = value[0] - '0';
    return true;
}

bool readFilter(const std::string& value, Settings& into)
{
    bool sharp = true;
    if (!readChoice(value, "sharp", "smooth", sharp))
        return false;
    into.filter = sharp ? ScaleFilter::kSharp : ScaleFilter::kSmooth;
    return true;
}

const char* onOff(bool on)
{
    return on ? "on" : "off";
}

const ValueSetting kValueSettings[] = {
    {"music", "on or off", [](const std::string& v, Settings& s) { return readChoice(v, "on", "off", s.music); },
     [](const Settings& s) { return std::string(onOff(s.music)); }},
    {"effects", "on or off", [](const std::string& v, Settings& s) { return readChoice(v, "on", "off", s.effects); },
     [](const Settings& s) { return std::string(onOff(s.effects)); }},
    {"volume", "0 to 10", readVolume, [](const Settings& s) { return std::to_string(s.volume); }},
    {"window", "yes or no", [](const std::string& v, Settings& s) { return readChoice(v, "yes", "no", s.window); },
     [](const Settings& s) { return std::string(s.window ? "yes" : "no"); }},
    {"pacing", "exact or gentle", readPacing,
     [](const Settings& s) { return std::string(s.pacing == Pacing::kGentle ? "gentle" : "exact"); }},
    {"scale", "auto or 1 to 4", readScale,
     [](const Settings& s) { return s.scale ? std::to_string(s.scale) : std::string("auto"); }},
    {"filter", "sharp or smooth", readFilter,
     [](const Settings& s) { return std::string(s.filter == ScaleFilter::kSharp ? "sharp" : "smooth"); }},
};

const ValueSetting* valueSetting(const std::string& name)
{
    for (const ValueSetting& setting : kValueSettings)
        if (name == setting.name)
            return &setting;
    return nullptr;
}

int boundActionNamed(const std::string& name)
{
    for (int a = 0; a < kBoundActions; ++a)
        if (name == kBoundAction[a].name)
            return a;
    return -1;
}

// ---- The file -------------------------------------------------------------------

// Whether a change may be written to the file, and if not, why not.
enum class Keeping { kWritten, kHadProblems, kUnreadable, kNoPlace };

std::string settingsPath;
SettingsText text;
Keeping keeping = Keeping::kNoPlace;
bool saidNotKept = false;

// The problems found in the file, said in the order of its lines once it
// has all been read.
std::vector<std::pair<int, std::string>> problems;

void problem(int line, const std::string& what)
{
    problems.emplace_back(line, what);
    keeping = Keeping::kHadProblems;
}

void sayProblems()
{
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, what] : problems)
        std::fprintf(stderr, "%s:%d: %s\n", shownPath(settingsPath).c_str(), line, what.c_str());
    problems.clear();
}

std::string quoted(const std::string& value)
{
    return "\"" + value + "\"";
}

// The file's bytes; false (with one line said) when there is a file but it
// cannot be read. A missing file reads as empty.
bool readFile(std::string& bytes)
{
    std::string why;
    bool missing = false;
    const int fd = openPlayerFile(settingsPath, why, missing);
    struct stat link;
    if (fd < 0 && missing && lstat(settingsPath.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        why = "it is a link to a file that does not exist";
    else if (fd < 0 && missing)
        return true;
    if (fd >= 0) {
        bytes.resize(kLongestFile + 1);
        const long got = readPlayerFile(fd, &bytes[0], bytes.size(), why);
        if (got >= 0 && size_t(got) <= kLongestFile) {
            bytes.resize(size_t(got));
            return true;
        }
        if (got >= 0)
            why = "it is over " + std::to_string(kLongestFile / 1024) + " KiB, too long for settings";
    }
    std::fprintf(stderr, "korvath: cannot read the settings %s: %s; using every default\n", shownPath(settingsPath).c_str(), why.c_str());
    return false;
}

void readValue(const SettingsText::Line& line, const ValueSetting& setting)
{
    if (!setting.read(line.value, settings))
        problem(line.number, std::string(setting.name) + " must be " + setting.mustBe + ", not " + quoted(line.value) +
                                 "; using " + setting.written(Settings()));
}

// The keys the file gives, each checked against every other key in use:
// a key already bound to another action, or taken by a fixed key, leaves
// its action at its default. A default that comes back so may in turn
// collide with a key the file gave, so the check runs until nothing moves.
struct FileKey {
    int line;
    SDLKey key;
};

// Why an action given a key by the file cannot have it: a fixed key, or a
// key another action holds by default or by an earlier line. "" if it can.
std::string keyProblem(int action, const FileKey given[])
{
    const SDLKey key = boundKey(action);
    if (const char* use = fixedKeyUse(key))
        return std::string("it is ") + use;
    for (int other = 0; other < kBoundActions; ++other)
        if (other != action && boundKey(other) == key && (given[other].line == 0 || given[other].line < given[action].line))
            return std::string("it is already the key of ") + kBoundAction[other].name;
    return "";
}

void bindFileKeys(FileKey given[])
{
    for (int a = 0; a < kBoundActions; ++a)
        if (given[a].line > 0)
            bindKey(a, given[a].key);
    for (bool moved = true; moved;) {
        moved = false;
        for (int a = 0; a < kBoundActions && !moved; ++a) {
            const std::string why = given[a].line > 0 ? keyProblem(a, given) : "";
            if (why.empty())
                continue;
            problem(given[a].line, std::string(kBoundAction[a].name) + " cannot be " + quoted(keyName(boundKey(a))) +
                                       ": " + why + "; using " + keyName(kBoundAction[a].defaultKey));
            bindKey(a, kBoundAction[a].defaultKey);
            given[a].line = 0;
            moved = true;
        }
    }
}

void readLines()
{
    FileKey given[kBoundActions] = {};
    std::vector<std::pair<std::string, int>> seen;
    for (const SettingsText::Line& line : text.lines()) {
        if (!line.hasEquals) {
            problem(line.number, quoted(line.content) + " is not \"name = value\"; ignored");
            continue;
        }
        bool twice = false;
        for (const auto& [name, number] : seen)
            if (name == line.name) {
                problem(line.number, line.name + " was set already on line " + std::to_string(number) + "; ignored");
                twice = true;
                break;
            }
        if (twice)
            continue;
        seen.emplace_back(line.name, line.number);
        if (const ValueSetting* setting = valueSetting(line.name)) {
            readValue(line, *setting);
        } else if (const int action = boundActionNamed(line.name); action >= 0) {
            const SDLKey key = keyNamed(line.value.c_str());
            if (key == SDLK_UNKNOWN)
                problem(line.number, line.name + " must be a key, not " + quoted(line.value) + "; using " +
                                         keyName(kBoundAction[action].defaultKey));
            else
                given[action] = {line.number, key};
        } else {
            problem(line.number, "there is no setting " + quoted(line.name) + "; ignored");
        }
    }
    bindFileKeys(given);
}

// ---- Keeping a change -------------------------------------------------------------

void sayNotKept(const std::string& why)
{
    if (!saidNotKept)
        std::fprintf(stderr, "korvath: %s, so changes to the settings last for this run only\n", why.c_str());
    saidNotKept = true;
}

// Makes the folder the file goes in, and those above it, as needed.
bool makeFolderFor(const std::string& path, std::string& why)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), kFolderMode) != 0 && errno != EEXIST) {
            why = folder + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

// The file written through: a link to a file stays a link, and the file it
// names gets the change.
std::string fileWritten()
{
    char resolved[PATH_MAX];
    return realpath(settingsPath.c_str(), resolved) ? std::string(resolved) : settingsPath;
}

void keep(const char* name, const std::string& value)
{
    switch (keeping) {
    case Keeping::kWritten:
        break;
    case Keeping::kHadProblems:
        return sayNotKept(shownPath(settingsPath) + " had problems when it was read");
    case Keeping::kUnreadable:
        return sayNotKept(shownPath(settingsPath) + " cannot be read");
    case Keeping::kNoPlace:
        return sayNotKept("neither XDG_CONFIG_HOME nor HOME names a folder to keep them in");
    }
    text.setValue(name, value);
    const std::string path = fileWritten();
    std::string why;
    mode_t mode = 0;
    if (makeFolderFor(path, why) && modeForReplacing(path, mode, why))
        why = replacePlayerFile(path, text.bytes().data(), text.bytes().size(), mode);
    if (!why.empty()) {
        keeping = Keeping::kUnreadable;
        saidNotKept = true;
        std::fprintf(stderr, "korvath: cannot save the settings %s: %s; changes last for this run only\n",
                     shownPath(path).c_str(), why.c_str());
    }
}

// ---- Notices --------------------------------------------------------------------

struct Notices {
    std::unique_ptr<NoticePicture> music[2];    // off, on
    std::unique_ptr<NoticePicture> effects[2];  // off, on
    std::unique_ptr<NoticePicture> volume[kFullLoudness + 1];
};
Notices notices;

void notify(const std::unique_ptr<NoticePicture>& picture)
{
    if (picture)
        showNotice(*picture);
}

void toggleMusic()
{
    settings.music = !settings.music;
    applySoundSettings();
    notify(notices.music[settings.music]);
    keep("music", onOff(settings.music));
}

void toggleEffects()
{
    settings.effects = !settings.effects;
    applySoundSettings();
    notify(notices.effects[settings.effects]);
    keep("effects", onOff(settings.effects));
}

// One step at a time; at either end it stays, and says where it is.
void changeVolume(int step)
{
    const int volume = std::max(0, std::min(kFullLoudness, settings.volume + step));
    notify(notices.volume[volume]);
    if (volume == settings.volume)
        return;
    settings.volume = volume;
    applySoundSettings();
    keep("volume", std::to_string(volume));
}

bool isOneOf(SDLKey key, const SDLKey (&keys)[2])
{
    return key == keys[0] || key == keys[1];
}

}  // namespace

std::string defaultSettingsPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string folder;
    if (config && config[0] == '/')
        folder = config;
    else if (home && home[0] == '/')
        folder = std::string(home) + "/.config";
    else
        return "";
    return folder + "/" + kFolder + "/" + kFileName;
}

void loadSettings(const std::string& path)
{
    settings = Settings();
    bindDefaultKeys();
    settingsPath = path;
    text = SettingsText();
    saidNotKept = false;
    if (path.empty()) {
        keeping = Keeping::kNoPlace;
        return;
    }
    std::string bytes;
    if (!readFile(bytes)) {
        keeping = Keeping::kUnreadable;
        return;
    }
    keeping = Keeping::kWritten;
    text = SettingsText(bytes);
    readLines();
    sayProblems();
}

void applySoundSettings()
{
    setPlayerMix(settings.music, settings.effects, settings.volume);
}

void makeSettingNotices()
{
    const char* music[2] = {"Music off", "Music on"};
    const char* effects[2] = {"Sound effects off", "Sound effects on"};
    for (int on = 0; on < 2; ++on) {
        notices.music[on] = makeNoticePicture(music[on]);
        notices.effects[on] = makeNoticePicture(effects[on]);
    }
    for (int v = 0; v <= kFullLoudness; ++v)
        notices.volume[v] = makeNoticePicture(("Volume " + std::to_string(v)).c_str());
}

bool settingKeyPressed(SDLKey key)
{
    if (nameEntryActive)
        return false;
    if (key == kMusicKey)
        toggleMusic();
    else if (key == kEffectsKey)
        toggleEffects();
    else if (isOneOf(key, kQuieterKeys))
        changeVolume(-1);
    else if (isOneOf(key, kLouderKeys))
        changeVolume(+1);
    else
        return false;
    return true;
}
