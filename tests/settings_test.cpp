// The player's settings: the file's lines and the one line each problem
// costs, changes kept in it, rebound keys and pads, and the notices.
#include "game_harness.h"
#include "gamepad.h"
#include "keys.h"
#include "notice.h"
#include "settings.h"
#include "settings_text.h"
#include "test_images.h"
#include "text_sprites.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    // Back to every default for the tests that follow.
    void TearDown() override
    {
        loadSettings((dir_ / "none.conf").string());
        applySoundSettings();
    }

    // Loads the settings and returns what they said on stderr.
    std::string load(const fs::path& path)
    {
        ::testing::internal::CaptureStderr();
        loadSettings(path.string());
        return ::testing::internal::GetCapturedStderr();
    }
    std::string press(std::initializer_list<SDLKey> keys)
    {
        ::testing::internal::CaptureStderr();
        for (SDLKey key : keys)
            EXPECT_TRUE(settingKeyPressed(key));
        return ::testing::internal::GetCapturedStderr();
    }

    const fs::path dir_ = fs::path(scratchDirectory()) / "settings";
    const fs::path file_ = dir_ / "korvath.conf";
};

TEST_F(SettingsTest, EachGoodLineSetsItsSettingAndEachProblemCostsOneLineAndOneDefault)
{
    struct Case {
        std::string text;
        std::string said;  // with PATH for the file's path
        std::function<bool()> holds = [] { return true; };
    };
    const Case cases[] = {
        {"music = off\neffects = Off\nvolume = 7\nwindow = YES\npacing = gentle\n", "",
         [] { return !settings.music && !settings.effects && settings.volume == 7 && settings.window && settings.pacing == Pacing::kGentle; }},
        {"# my settings\n\n  VOLUME=3   # quieter\r\n", "", [] { return settings.volume == 3; }},
        {"player1.fire = J\nplayer2.right = keypad 6\npause = F1\n", "",
         [] { return playerKey(0, kFireAction) == SDLK_j && playerKey(1, kRightAction) == SDLK_KP6 && pauseKey() == SDLK_F1; }},
        {"player1.left = a\nplayer2.left = left\n", "",
         [] { return playerKey(0, kLeftAction) == SDLK_a && playerKey(1, kLeftAction) == SDLK_LEFT; }},
        {"volume = loud\nmusic = off\n", "PATH:1: volume must be 0 to 10, not \"loud\"; using 10\n",
         [] { return settings.volume == 10 && !settings.music; }},
        {"volume = 11\n", "PATH:1: volume must be 0 to 10, not \"11\"; using 10\n"},
        {"volume = 1x\n", "PATH:1: volume must be 0 to 10, not \"1x\"; using 10\n"},
        {"music = maybe\n", "PATH:1: music must be on or off, not \"maybe\"; using on\n"},
        {"effects = 1\n", "PATH:1: effects must be on or off, not \"1\"; using on\n"},
        {"window = on\n", "PATH:1: window must be yes or no, not \"on\"; using no\n"},
        {"pacing = fast\n", "PATH:1: pacing must be exact or gentle, not \"fast\"; using exact\n"},
        {"scale = 0\n", "PATH:1: scale must be auto or 1 to 4, not \"0\"; using auto\n"},
        {"scale = 5\n", "PATH:1: scale must be auto or 1 to 4, not \"5\"; using auto\n"},
        {"scale = 2\nfilter = smooth\n", "", [] { return settings.scale == 2 && settings.filter == ScaleFilter::kSmooth; }},
        {"player1.fire = spacebar\n", "PATH:1: player1.fire must be a key, not \"spacebar\"; using space\n"},
        {"player1.fire = M\n", "PATH:1: player1.fire cannot be \"m\": it is the music switch; using space\n"},
        {"player2.fire = left\n", "PATH:1: player2.fire cannot be \"left\": it is already the key of player1.left; using left ctrl\n",
         [] { return playerKey(1, kFireAction) == SDLK_LCTRL; }},
        {"player1.left = j\nplayer2.left = j\n", "PATH:2: player2.left cannot be \"j\": it is already the key of player1.left; using a\n",
         [] { return playerKey(0, kLeftAction) == SDLK_j && playerKey(1, kLeftAction) == SDLK_a; }},
        {"player1.right = left ctrl\nplayer2.fire = m\n",  // the default taken back is taken
         "PATH:1: player1.right cannot be \"left ctrl\": it is already the key of player2.fire; using right\n"
         "PATH:2: player2.fire cannot be \"m\": it is the music switch; using left ctrl\n"},
        {"colour = red\n", "PATH:1: there is no setting \"colour\"; ignored\n"},
        {"music off\n", "PATH:1: \"music off\" is not \"name = value\"; ignored\n"},
        {"volume = 3\nvolume = 4\n", "PATH:2: volume was set already on line 1; ignored\n", [] { return settings.volume == 3; }},
        {"volume = \nmusic = on\n\n# the end\nbogus\n",
         "PATH:1: volume must be 0 to 10, not \"\"; using 10\nPATH:5: \"bogus\" is not \"name = value\"; ignored\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        writeText(file_, c.text);
        std::string said = c.said;
        for (size_t at; (at = said.find("PATH")) != std::string::npos;)
            said.replace(at, 4, file_.string());
        EXPECT_EQ(load(file_), said);
        EXPECT_TRUE(c.holds());
    }

    // A file that cannot be read at all: one line, and every default.
    fs::remove(file_);
    EXPECT_EQ(load(file_), "") << "no file: every default, and nothing to say";
    fs::create_directory(file_);
    EXPECT_EQ(load(file_), "korvath: cannot read the settings " + file_.string() + ": it is a folder, not a file; using every default\n");
    fs::remove(file_);
    fs::create_symlink(dir_ / "gone.conf", file_);
    EXPECT_EQ(load(file_), "korvath: cannot read the settings " + file_.string() + ": it is a link to a file that does not exist; using every default\n");
}

TEST(SettingsTextTest, AChangeRewritesOneValueAndNoOtherByte)
{
    SettingsText text("# my keys\r\nplayer1.fire = j   # fire\n\n  Volume=3 # low\nmusic = on");
    text.setValue("volume", "10");
    EXPECT_EQ(text.bytes(), "# my keys\r\nplayer1.fire = j   # fire\n\n  Volume=10 # low\nmusic = on");
    text.setValue("music", "off");
    EXPECT_EQ(text.bytes(), "# my keys\r\nplayer1.fire = j   # fire\n\n  Volume=10 # low\nmusic = off");
    text.setValue("effects", "off");
    EXPECT_EQ(text.bytes(), "# my keys\r\nplayer1.fire = j   # fire\n\n  Volume=10 # low\nmusic = off\neffects = off\n");
}

// M, N and the volume keys keep each change in the file (through a link,
// with its permission bits; a missing one is made), but never in a file that
// had a problem: there the change lasts for the run, and that is said once.
TEST_F(SettingsTest, ChangesInTheGameAreKeptButNeverInAFileThatHadAProblem)
{
    const std::string mine = "# mine\nvolume = 4   # quiet\nmusic = on\n";
    writeText(dir_ / "mine.conf", mine);
    fs::permissions(dir_ / "mine.conf", fs::perms(0600));
    fs::create_symlink(dir_ / "mine.conf", file_);
    ASSERT_EQ(load(file_), "");
    EXPECT_EQ(press({kMusicKey, kLouderKeys[0], kLouderKeys[1], kQuieterKeys[0]}), "");
    EXPECT_EQ(readText(file_), "# mine\nvolume = 5   # quiet\nmusic = off\n");
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(fs::status(dir_ / "mine.conf").permissions(), fs::perms(0600));
    EXPECT_FALSE(settings.music);
    EXPECT_EQ(settings.volume, 5);

    const fs::path fresh = dir_ / "new" / "korvath" / "korvath.conf";
    ASSERT_EQ(load(fresh), "");
    EXPECT_EQ(press({kEffectsKey}), "");
    EXPECT_EQ(readText(fresh), "effects = off\n");

    const std::string damaged = "volume = 4\nmusic = perhaps\n";
    writeText(dir_ / "mine.conf", damaged);
    ASSERT_NE(load(file_), "");
    EXPECT_EQ(press({kEffectsKey, kMusicKey, kQuieterKeys[1]}),
              "korvath: " + file_.string() + " had problems when it was read, so changes to the settings last for this run only\n");
    EXPECT_EQ(readText(file_), damaged);
    EXPECT_EQ(settings.volume, 3) << "the change lasts for the run";

    EXPECT_FALSE(settingKeyPressed(SDLK_p)) << "not a setting key";
}

TEST_F(SettingsTest, AReboundKeyDrivesAndFiresAndTheOldOneNoLongerDoesPadsIncluded)
{
    startGameHarness();
    writeText(file_, "player1.left = j\nplayer1.fire = k\n");
    ASSERT_EQ(load(file_), "");
    startClearRound(1);  // nothing in the way of the shot
    const float start = tank[0].x;
    runPasses(20, Keys{SDLK_LEFT, SDLK_SPACE});
    EXPECT_EQ(tank[0].x, start) << "the old key";
    EXPECT_FALSE(shot[0].active) << "the old fire key";
    runPasses(20, Keys{SDLK_j, SDLK_k});
    EXPECT_LT(tank[0].x, start);
    EXPECT_TRUE(shot[0].active);

    const PadState pads[kMaxPads] = {{0, 0, SDL_HAT_LEFT, true}};
    Uint8 keyboard[SDLK_LAST] = {}, keys[SDLK_LAST];
    mergePadKeys(pads, kPadsDrive, keyboard, keys);
    EXPECT_TRUE(keys[SDLK_j]);
    EXPECT_TRUE(keys[SDLK_k]);
    EXPECT_FALSE(keys[SDLK_LEFT]);
    EXPECT_FALSE(keys[SDLK_SPACE]);
}

// The notice stands on its plate at the top centre, over everything, then
// fades and is gone, counted in frames drawn.
TEST_F(SettingsTest, ANoticeShowsOverEverythingThenFades)
{
    startGameHarness();
    ASSERT_EQ(load(file_), "");
    returnToTitleMenu();
    const int x = kScreenWidth / 2;
    const int plateY = kNoticeTop + int(kNoticeHeight) - 2;  // below the text
    drawScene();
    const Rgb without = readPixel(x, plateY);
    press({kEffectsKey});
    ASSERT_TRUE(noticeShowing());
    for (int frame = 0; frame < kNoticeHoldFrames; ++frame) {
        ASSERT_EQ(noticeStrength(), 1.0) << frame;
        drawScene();
    }
    EXPECT_FALSE(readPixel(x, plateY) == without);
    const std::unique_ptr<NoticePicture> picture = makeNoticePicture("Sound effects off");
    EXPECT_EQ(std::vector<int>(picture->pixels(), picture->pixels() + 4), (std::vector<int>{16, 24, 58, 220}))
        << "the panels' dark blue, nearly opaque";
    int textPixels = 0;
    for (int dx = -40; dx < 40; ++dx)
        textPixels += readPixel(x + dx, kNoticeTop + int(kNoticeHeight) / 2).b > 150;
    EXPECT_GT(textPixels, 5) << "\"Sound effects off\" on it";
    EXPECT_LT(noticeStrength(), 1.0) << "then it fades";
    for (int frame = 0; frame < kNoticeFadeFrames && noticeShowing(); ++frame)
        drawScene();
    EXPECT_FALSE(noticeShowing());
    EXPECT_EQ(noticeStrength(), 0.0);
    drawScene();
    EXPECT_EQ(readPixel(x, plateY), without);
}

// The settings' place: under an absolute XDG_CONFIG_HOME, else under HOME's
// .config; with neither, none.
TEST(SettingsPathTest, AnAbsoluteXdgConfigHomeElseHomesConfig)
{
    // The tester's own values, put back at the end for the tests after it.
    const char* const names[] = {"HOME", "XDG_CONFIG_HOME"};
    std::optional<std::string> kept[2];
    for (int i = 0; i < 2; ++i)
        if (const char* value = std::getenv(names[i]))
            kept[i] = value;
    setenv("HOME", "/home/p", 1);
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(defaultSettingsPath(), "/xdg/korvath/korvath.conf");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(defaultSettingsPath(), "/home/p/.config/korvath/korvath.conf");
    unsetenv("HOME");
    EXPECT_EQ(defaultSettingsPath(), "");
    for (int i = 0; i < 2; ++i)
        kept[i] ? setenv(names[i], kept[i]->c_str(), 1) : unsetenv(names[i]);
}

}  // namespace
