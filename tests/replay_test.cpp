// A seeded bot session (menus, games up to the win, name entry, pauses by P
// or a lost focus, the music switched off and on) checked against
// replay_record.txt: each checkpoint holds the game's counters and a digest
// of every shown sprite so far, so a change to any rule shows as the first
// checkpoint that differs. Re-record after an intended change with
//   KORVATH_RECORD_REPLAY=1 build/tests/replay_test
// KORVATH_BOT_PASSES=n plays n passes against no record instead.
#include "game_harness.h"

#include "keys.h"
#include "name_entry.h"
#include "notice.h"
#include "pause.h"
#include "settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

constexpr long kPasses = 16000;
constexpr long kCheckpointEvery = 400;
constexpr long kDigestEvery = 4;
constexpr long kDrawEvery = 12;  // drawing is what turns spins and animations
constexpr long kMusicOffPass = 6001;
constexpr long kMusicOnPass = 6601;
const char* const kRecord = KORVATH_SOURCE_DIR "/tests/replay_record.txt";

// FNV-1a over values kept to a ten-thousandth.
struct Digest {
    uint64_t hash = 1469598103934665603ull;
    void add(double value)
    {
        const long long kept = std::llround(value * 1e4);
        for (int b = 0; b < 8; ++b) {
            hash ^= uint64_t(kept >> (8 * b)) & 0xff;
            hash *= 1099511628211ull;
        }
    }
};

// Every shown sprite's place and look; of a hidden one only that it is
// hidden, for where it waits is nothing a player sees.
void addScene(Digest& sprites)
{
    for (const Sprite* s = sceneHead; s; s = s->next) {
        sprites.add(double(s->visible));
        if (!s->visible)
            continue;
        for (double v : {double(s->textureName), double(s->visible), s->x(), s->y(), s->depth(), s->angle,
                         s->textureRotation, s->scaleFactorX, s->scaleFactorY, s->alpha()})
            sprites.add(v);
        for (const CornerColour& c : s->cornerColour)
            sprites.add(c.red), sprites.add(c.green), sprites.add(c.blue);
    }
}

std::string checkpoint(long pass, const Digest& sprites)
{
    char line[512];
    std::snprintf(line, sizeof line,
                  "%ld: menu %d hof %d entry %d over %d level %d lives %d pause %d players %u scores %u %u "
                  "aliens %d march %.4f descent %.4f ship %d %.2f cursor %u phase %d name '%s' top %u "
                  "paused %d held %d sprites %016llx",
                  pass, menuActive, hallOfFameActive, nameEntryActive, gameOver, level, lives, roundPause,
                  playerCount, tank[0].score, tank[1].score, aliensAlive, marchSpeed, descentCounter,
                  mothershipActive, mothershipX, menuCursor, titlePhase, typedName, hallOfFame[0].score,
                  gamePaused, Mix_Paused(kMusicChannel), (unsigned long long)sprites.hash);
    return line;
}

// What the event poll hands the game now and then: P, or the window losing
// the keyboard, being minimised, losing the mouse, or coming back.
SDL_Event windowEvent(std::mt19937& random)
{
    static const Uint8 kLost[] = {SDL_APPINPUTFOCUS, SDL_APPACTIVE, SDL_APPMOUSEFOCUS};
    const unsigned kind = random() % 5;
    if (kind < 2)
        return keyEvent(SDL_KEYDOWN, SDLK_p);
    SDL_Event e = {};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = kind == 4;
    e.active.state = e.active.gain ? SDL_APPINPUTFOCUS | SDL_APPACTIVE : kLost[random() % 3];
    return e;
}

std::vector<std::string> playSession(long passes)
{
    startGameHarness();
    returnToTitleMenu(5);
    for (int i = 0; i < kHallOfFameEntries; ++i) {
        std::snprintf(hallOfFame[i].name, kNameFieldSize, "n%d", i);
        hallOfFame[i].score = 400 - 40 * i;
    }
    std::mt19937 random(2026);
    std::vector<std::string> checkpoints;
    Digest sprites;
    int spriteCount = -1, textureCount = -1;
    bool wasInMenu = true;
    for (long pass = 1; pass <= passes; ++pass) {
        const Keys keys = botKeys(random);
        if (!menuActive && random() % 3000 == 0)
            escapeKeyPressed();
        if (random() % (gamePaused ? 50 : 300) == 0)
            gameEvent(windowEvent(random));
        // Now and then the whole formation falls at once, a few levels on,
        // so that the levels' features and the end of the last all come.
        if (!menuActive && !gamePaused && !gameOver && roundPause == -1 && random() % 150 == 0) {
            level = std::min(level + 9, 63);
            for (int i = 0; i < kAlienCount; ++i)
                if (alien[i].alive)
                    destroyAlien(i, 0);
        }
        // And now and then player 1 fires from right under the crossing
        // mothership, which random keys would hardly ever hit.
        if (mothershipActive && !menuActive && !gamePaused && roundPause == -1 && !shot[0].active && random() % 40 == 0)
            placeShot(0, mothershipX + 30.0, 60.0);
        // The music switched off and on, as a player might mid-game: its
        // notices come and go, and the rules never see them.
        if (pass == kMusicOffPass || pass == kMusicOnPass) {
            settingKeyPressed(kMusicKey);
            EXPECT_TRUE(noticeShowing());
        }
        runPasses(1, keys, pass % kDrawEvery == 0);
        if (pass % kDigestEvery == 0)
            addScene(sprites);
        if (pass % kCheckpointEvery == 0)
            checkpoints.push_back(checkpoint(pass, sprites));
        const bool inMenu = menuActive && !hallOfFameActive;
        if (inMenu && !wasInMenu && spriteCount < 0) {
            spriteCount = sceneSpriteCount();
            textureCount = Texture::liveCount();
        } else if (inMenu && !wasInMenu) {
            EXPECT_EQ(sceneSpriteCount(), spriteCount) << "after " << pass << " passes";
            EXPECT_EQ(Texture::liveCount(), textureCount) << "after " << pass << " passes";
        }
        wasInMenu = inMenu;
    }
    EXPECT_GT(spriteCount, 0) << "the title menu came back";
    EXPECT_FALSE(noticeShowing());
    EXPECT_EQ(settings.music, passes < kMusicOffPass || passes >= kMusicOnPass);
    return checkpoints;
}

TEST(ReplayTest, ABotSessionPlaysAsRecorded)
{
    if (const char* passes = std::getenv("KORVATH_BOT_PASSES")) {
        playSession(std::atol(passes));
        return;
    }
    const std::vector<std::string> played = playSession(kPasses);
    if (std::getenv("KORVATH_RECORD_REPLAY")) {
        std::ofstream out(kRecord);
        for (const std::string& line : played)
            out << line << '\n';
        GTEST_SKIP() << "recorded " << played.size() << " checkpoints in " << kRecord;
    }
    std::ifstream in(kRecord);
    std::vector<std::string> recorded;
    for (std::string line; std::getline(in, line);)
        recorded.push_back(line);
    ASSERT_EQ(recorded.size(), played.size()) << "the record " << kRecord;
    for (size_t i = 0; i < played.size(); ++i)
        ASSERT_EQ(played[i], recorded[i]) << "the first checkpoint that differs";
}

}  // namespace
