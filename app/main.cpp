// Korvath: read the command line and the player's settings, start up behind
// the loading screen, then run the main loop until the player quits.
#include "display.h"
#include "main_loop.h"
#include "presentation.h"
#include "settings.h"
#include "startup.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

struct Options {
    std::optional<bool> window;  // --window or --fullscreen, over the settings file
    std::optional<int> scale;    // --scale N, over the settings file; 0 for auto
    std::string configPath;      // --config FILE; "" for the usual place
    bool help = false;
    bool version = false;
};

void printHelp()
{
    const std::string place = defaultSettingsPath();
    std::printf(
        "Usage: korvath [OPTION]...\n"
        "A fixed-screen arcade shoot-'em-up for one or two players on one keyboard.\n"
        "\n"
        "  --window         play in a window\n"
        "  --fullscreen     play on the full screen (the usual way)\n"
        "  --scale N        the window's size: N times 640 x 480 (1 to 4), or auto\n"
        "                   (the largest that fits in 80 %% of the screen's height)\n"
        "  --config FILE    read the settings from FILE instead of the usual place\n"
        "  --help           show this help and exit\n"
        "  --version        show the version and exit\n"
        "\n"
        "Settings are read from %s\n"
        "(${XDG_CONFIG_HOME:-$HOME/.config}/korvath/korvath.conf): music, effects,\n"
        "volume, window, scale, filter, pacing and the keys; see korvath(6).\n",
        place.empty() ? "nowhere: neither XDG_CONFIG_HOME nor HOME names a folder" : place.c_str());
}

std::optional<int> readScale(const std::string& value)
{
    if (value == "auto")
        return 0;
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '0' + kLargestWindowScale)
        return value[0] - '0';
    std::fprintf(stderr, "korvath: --scale must be auto or 1 to %d, not \"%s\"; ignored\n", kLargestWindowScale, value.c_str());
    return std::nullopt;
}

// An option with a value, GNU style: "--name VALUE" or "--name=VALUE".
// Takes the value into `value` and moves past it.
bool optionValue(const std::string& name, int argc, char** argv, int& i, std::string& value)
{
    const std::string word = argv[i];
    if (word.rfind(name + "=", 0) == 0) {
        value = word.substr(name.size() + 1);
        return true;
    }
    if (word != name)
        return false;
    if (i + 1 < argc) {
        value = argv[++i];
        return true;
    }
    std::fprintf(stderr, "korvath: %s needs a value; ignored\n", name.c_str());
    value.clear();
    return true;
}

// An option the game does not know is named on the standard error stream
// and otherwise ignored: the game starts all the same.
Options readOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        std::string value;
        if (optionValue("--config", argc, argv, i, value))
            options.configPath = value;
        else if (optionValue("--scale", argc, argv, i, value)) {
            if (!value.empty())
                options.scale = readScale(value);
        } else if (word == "--window")
            options.window = true;
        else if (word == "--fullscreen")
            options.window = false;
        else if (word == "--help")
            options.help = true;
        else if (word == "--version")
            options.version = true;
        else
            std::fprintf(stderr, "korvath: ignoring unknown option %s (see korvath --help)\n", argv[i]);
    }
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = readOptions(argc, argv);
    if (options.help || options.version) {
        if (options.help)
            printHelp();
        else
            std::printf("korvath %s\n", KORVATH_VERSION);
        return 0;
    }
    loadSettings(options.configPath.empty() ? defaultSettingsPath() : options.configPath);
    windowedDisplay = options.window.value_or(settings.window);
    presentationChoice = {options.scale.value_or(settings.scale), settings.filter};
    framePacing = settings.pacing;
    applySoundSettings();

    runStartupSequence();
    makeSettingNotices();
    runMainLoop();
}
