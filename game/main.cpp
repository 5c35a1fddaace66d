// Korvath: read the command line and the player's settings, start up behind
// the loading screen, then run the main loop until the player quits.
#include "display.h"
#include "main_loop.h"
#include "settings.h"
#include "startup.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

struct Options {
    std::optional<bool> window;  // --window or --fullscreen, over the settings file
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
        "  --window         play in a 640 x 480 window\n"
        "  --fullscreen     play on the full screen (the usual way)\n"
        "  --config FILE    read the settings from FILE instead of the usual place\n"
        "  --help           show this help and exit\n"
        "  --version        show the version and exit\n"
        "\n"
        "Settings are read from %s\n"
        "(${XDG_CONFIG_HOME:-$HOME/.config}/korvath/korvath.conf): music, effects,\n"
        "volume, window, pacing and the keys; see korvath(6).\n",
        place.empty() ? "nowhere: neither XDG_CONFIG_HOME nor HOME names a folder" : place.c_str());
}

// GNU style: "--config FILE" or "--config=FILE". An option the game does
// not know is named on the standard error stream and otherwise ignored:
// the game starts all the same.
Options readOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--window")
            options.window = true;
        else if (word == "--fullscreen")
            options.window = false;
        else if (word == "--help")
            options.help = true;
        else if (word == "--version")
            options.version = true;
        else if (word.rfind("--config=", 0) == 0)
            options.configPath = word.substr(std::strlen("--config="));
        else if (word == "--config" && i + 1 < argc)
            options.configPath = argv[++i];
        else if (word == "--config")
            std::fprintf(stderr, "korvath: --config needs a file; ignored\n");
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
    framePacing = settings.pacing;
    applySoundSettings();

    runStartupSequence();
    makeSettingNotices();
    runMainLoop();
}
