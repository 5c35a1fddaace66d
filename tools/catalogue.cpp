#include "catalogue.h"

#include "art.h"
#include "files.h"
#include "sound.h"
#include "square_font.h"

#include <filesystem>
#include <functional>

namespace {

struct PictureFile {
    std::string path;
    std::function<Image()> make;
};

std::vector<PictureFile> pictures()
{
    auto piece = [](int i) { return [i] { return makeMothershipPieces()[i]; }; };
    auto tank = [](const std::string& dir, const TankPaint& paint) {
        return std::vector<PictureFile>{
            {dir + "tank_wheels.tga", [paint] { return makeTankWheelCover(paint); }},
            {dir + "tank_body.tga", [paint] { return makeTankBody(paint); }},
            {dir + "tank_bridge.tga", [paint] { return makeTankBridge(paint); }},
            {dir + "tank_cannon.tga", [paint] { return makeTankCannon(paint); }},
        };
    };
    std::vector<PictureFile> list = {
        {"media/backdrop.tga", makeBackdrop},
        {"media/sprites/tank_wheel.tga", makeTankRoadWheel},
    };
    for (auto& p : tank("media/sprites/", playerOnePaint()))
        list.push_back(p);
    for (auto& p : tank("media/sprites/sp/", playerTwoPaint()))
        list.push_back(p);
    std::vector<PictureFile> rest = {
        {"media/sprites/alien_purple.tga", makeAlienSheet},
        {"media/sprites/mothership.tga", makeMothershipSheet},
        {"media/sprites/mothership_body1.tga", piece(0)},
        {"media/sprites/mothership_body2.tga", piece(1)},
        {"media/sprites/mothership_body3.tga", piece(2)},
        {"media/sprites/mothership_leg1.tga", piece(3)},
        {"media/sprites/mothership_leg2.tga", piece(4)},
        {"media/sprites/sheild_arc.tga", makeShieldArcSheet},
        {"media/sprites/sheild_ball.tga", makeShieldBallSheet},
        {"media/sprites/bullet.tga", makeBullet},
        {"media/effects/blueflare.tga", makeFlare},
        {"media/effects/swirl.tga", makeSwirl},
        {"media/effects/swirl_outline.tga", makeSwirlOutline},
        {"media/effects/purple_swirl.tga", makePurpleSwirl},
        {"media/windows/window_bg.bmp", makePanelPixel},
        {"media/windows/score_0.tga", makeScorePlate},
        {"media/windows/menu_2.tga", makeMenuWindow},
        {"media/windows/inv text back.bmp", makeHighlightBar},
    };
    list.insert(list.end(), rest.begin(), rest.end());
    return list;
}

struct SoundFile {
    const char* path;
    Samples (*make)();
};

const SoundFile kSounds[] = {
    {"media/sound/rocket.wav", makeFireSound},
    {"media/sound/batplode.wav", makeExplosionSound},
    {"media/sound/whoosh.wav", makeWhooshSound},
    {"media/sound/evillaug.wav", makeLaughSound},
    {"media/sound/beepspac.wav", makeMothershipHum},
    {"media/sound/037.wav", makeShieldPing},
    {"media/sound/deactivate1.wav", makePowerDown},
    {"media/sound/menuitem.wav", makeMenuBlip},
    {"media/sound/Vaz Aded.wav", makeMusic},
};

bool endsWith(const std::string& s, const char* tail)
{
    std::string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

} // namespace

std::vector<std::string> imagePaths()
{
    std::vector<std::string> paths;
    for (const PictureFile& p : pictures())
        paths.push_back(p.path);
    return paths;
}

void writeAllMedia(const std::string& runDir)
{
    for (const PictureFile& p : pictures()) {
        std::string path = runDir + "/" + p.path;
        if (endsWith(p.path, ".bmp"))
            writeBmp(path, p.make());
        else
            writeTga(path, p.make());
    }
    for (const SoundFile& s : kSounds)
        writeWav(runDir + "/" + s.path, s.make());
    writeBytes(runDir + "/" + kFontFile, makeSquareFont());
    ensureScoreFile(runDir);
}

void ensureScoreFile(const std::string& runDir)
{
    std::string path = runDir + "/" + kScoreFile;
    if (std::filesystem::exists(path))
        return;
    writeBytes(path, Bytes(kScoreFileBytes, 0));
}
