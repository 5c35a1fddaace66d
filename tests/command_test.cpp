// The installed `korvath` command, with a stand-in for the game that says
// where it was started and with what: it prepares the player's folder, or
// refuses with one line and code 78, and never writes through a link. Then
// the real game through it.
#include "game_process.h"
#include "test_images.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kCannotPrepare = 78;

class CommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/korvath-command-XXXXXX";
        root_ = mkdtemp(pattern);
        // The test runs in the build folder, which is what gets installed.
        installed_ = std::system((KORVATH_CMAKE " --install . --prefix '" + (root_ / "prefix").string() + "' >/dev/null").c_str()) == 0;
        if (installed_)
            installStandIn();
    }
    static void installStandIn()
    {
        std::ofstream(game(), std::ios::trunc) << "#!/bin/sh\necho \"$PWD $*\"\n";
        fs::permissions(game(), fs::perms::owner_all);
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }
    // The folders the build installs into, under the prefix.
    static fs::path game() { return root_ / "prefix" / KORVATH_INSTALL_GAMEDIR / "korvath"; }
    static fs::path installedMedia() { return root_ / "prefix" / KORVATH_INSTALL_MEDIADIR / "media"; }

    void SetUp() override
    {
        ASSERT_TRUE(installed_);
        fs::remove_all(root_ / "home");
        fs::create_directories(root_ / "home");
    }

    // Runs the command from elsewhere with HOME set to a fresh folder, plus
    // the environment given; returns its exit code.
    int start(std::vector<std::string> environment = {}, const std::vector<std::string>& arguments = {})
    {
        environment.insert(environment.begin(), {"HOME=" + home().string(), "XDG_DATA_HOME", "KORVATH_WINDOW"});
        std::vector<std::string> command = {(root_ / "prefix" / KORVATH_INSTALL_BINDIR / "korvath").string()};
        command.insert(command.end(), arguments.begin(), arguments.end());
        process_ = std::make_unique<GameProcess>(root_.string(), command, environment);
        EXPECT_TRUE(process_->waitForEnd(30.0));
        return process_->exitCode();
    }
    static fs::path home() { return root_ / "home"; }
    static fs::path folder() { return home() / ".local/share/korvath"; }

    static inline fs::path root_;
    static inline bool installed_ = false;
    std::unique_ptr<GameProcess> process_;
};

TEST_F(CommandTest, MakesThePlayersFolderAndRunsTheGameThereKeepingAnExistingTable)
{
    // A relative XDG_DATA_HOME is ignored, as the XDG rules say.
    ASSERT_EQ(start({"XDG_DATA_HOME=relative", "KORVATH_WINDOW=1"}), 0) << process_->summary();
    EXPECT_EQ(process_->standardOutput(), folder().string() + " --window\n");
    EXPECT_FALSE(fs::exists(root_ / "relative"));
    const fs::path scores = folder() / "media/font/scores.txt";
    EXPECT_EQ(readBytes(scores), std::vector<uint8_t>(160, 0)) << "a new player's empty table";
    EXPECT_EQ(fs::read_symlink(folder() / "media/sound"), installedMedia() / "sound");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder() / "media/font"), {}), 1) << "no scratch file left";
    for (const auto& entry : fs::recursive_directory_iterator(root_ / "prefix"))
        EXPECT_EQ(entry.path().filename().string().find("scores"), std::string::npos) << "in the install: " << entry.path();
    EXPECT_TRUE(fs::exists(root_ / "prefix/share/applications/korvath.desktop"));
    EXPECT_TRUE(fs::exists(root_ / "prefix/share/icons/hicolor/64x64/apps/korvath.png"));

    // A link to media an upgrade removed goes; the player's table stays.
    fs::create_directory_symlink(installedMedia() / "gone", folder() / "media/gone");
    std::ofstream(scores, std::ios::trunc) << "a player's own table";
    ASSERT_EQ(start(), 0) << process_->summary();
    EXPECT_FALSE(fs::is_symlink(folder() / "media/gone"));
    EXPECT_EQ(readBytes(scores).size(), std::string("a player's own table").size());

    // A settings file named from where the command was started.
    ASSERT_EQ(start({}, {"--config", "mine.conf", "--config=/abs.conf", "--config=rel.conf"}), 0) << process_->summary();
    EXPECT_EQ(process_->standardOutput(), folder().string() + " --config " + root_.string() + "/mine.conf --config=/abs.conf --config=" +
                                              root_.string() + "/rel.conf\n");

    // --help and --version are the game's to answer, with no folder made.
    fs::remove_all(home() / ".local");
    ASSERT_EQ(start({}, {"--version"}), 0) << process_->summary();
    EXPECT_EQ(process_->standardOutput(), root_.string() + " --version\n");
    EXPECT_FALSE(fs::exists(home() / ".local"));

    // With XDG_DATA_HOME absolute, HOME is not needed.
    ASSERT_EQ(start({"HOME", "XDG_DATA_HOME=" + (root_ / "data").string()}), 0) << process_->summary();
    EXPECT_TRUE(fs::exists(root_ / "data/korvath/media/font/scores.txt"));
}

TEST_F(CommandTest, RefusesWithOneLineWhereItWouldWriteThroughALinkOrHasNothingToRun)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::vector<std::string> environment;
        const char* saying;  // words of the message that name the trouble
        bool folderUntouched = false;  // refused before the player's folder is made
    };
    const fs::path media = folder() / "media";
    const fs::path elsewhere = root_ / "elsewhere";
    const fs::path aside = root_ / "aside";
    const Case cases[] = {
        {"no HOME", [] {}, {"HOME"}, "HOME", true},
        {"HOME a folder that does not exist", [] {}, {"HOME=" + (root_ / "gone").string()}, "not an existing folder", true},
        {"no game", [&] { fs::rename(game(), aside); }, {}, "missing", true},
        {"a game that cannot run", [&] { fs::permissions(game(), fs::perms::owner_read); }, {}, "cannot be run", true},
        {"no installed media", [&] { fs::rename(installedMedia(), aside); }, {}, "missing", true},
        {"a file where the player's folder belongs", [&] { fs::create_directories(folder().parent_path()); std::ofstream(folder()) << "x"; },
         {}, "cannot create"},
        {"a folder where a link belongs", [&] { fs::create_directories(media / "sprites"); }, {}, "not a link"},
        {"media/ a link", [&] { fs::create_directories(media.parent_path()); fs::create_directory_symlink(elsewhere, media); }, {}, "is a link"},
        {"media/font/ a link", [&] { fs::create_directories(media); fs::create_directory_symlink(elsewhere, media / "font"); }, {}, "is a link"},
        {"a dangling table link", [&] { fs::create_directories(media / "font"); fs::create_symlink(elsewhere / "scores.txt", media / "font/scores.txt"); }, {}, "does not exist"},
        {"a FIFO for the table", [&] { fs::create_directories(media / "font"); mkfifo((media / "font/scores.txt").c_str(), 0644); }, {}, "is a FIFO"},
        {"a folder for the table", [&] { fs::create_directories(media / "font/scores.txt"); }, {}, "is a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        fs::create_directories(elsewhere);
        c.arrange();
        EXPECT_EQ(start(c.environment), kCannotPrepare) << process_->summary();
        EXPECT_EQ(process_->standardOutput(), "") << "the game must not start";
        const std::string message = process_->standardError();
        EXPECT_EQ(message.rfind("korvath: ", 0), 0u) << message;
        EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
        EXPECT_NE(message.find(c.saying), std::string::npos) << message;
        EXPECT_TRUE(fs::is_empty(elsewhere)) << "written through a link";
        EXPECT_FALSE(fs::exists(media / "sprites/sprites")) << "written through a link";
        if (c.folderUntouched) {
            EXPECT_FALSE(fs::exists(home() / ".local")) << "the player's folder made all the same";
            EXPECT_FALSE(fs::exists(root_ / "gone"));
        }
        if (fs::exists(aside))
            fs::rename(aside, fs::exists(installedMedia()) ? game() : installedMedia());
        fs::permissions(game(), fs::perms::owner_all);
        fs::remove_all(elsewhere);
    }
}

// The real game through the command, from elsewhere: the whole load goes
// through (a quit signal once SDL catches it is seen at the first poll) and
// its table is the player's own.
TEST_F(CommandTest, TheInstalledGameLoadsFromAnywhereWithItsTableInThePlayersFolder)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display (DISPLAY is not set): the game needs one to run";
    fs::copy_file("korvath", game(), fs::copy_options::overwrite_existing);
    GameProcess game(root_.string(), {(root_ / "prefix" / KORVATH_INSTALL_BINDIR / "korvath").string()},
                     {"HOME=" + home().string(), "XDG_DATA_HOME"});
    EXPECT_TRUE(game.waitToCatchQuitSignal(30.0)) << game.summary();
    game.requestQuit();
    ASSERT_TRUE(game.waitForEnd(30.0)) << game.summary();
    EXPECT_EQ(game.exitCode(), 0) << game.summary();
    EXPECT_EQ(readBytes(folder() / "media/font/scores.txt"), std::vector<uint8_t>(160, 0));
    installStandIn();
}

}  // namespace
