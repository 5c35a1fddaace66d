#include "startup.h"

#include "depths.h"
#include "display.h"
#include "hud.h"
#include "samples.h"
#include "scene.h"
#include "shutdown.h"
#include "sprite.h"
#include "text_sprites.h"
#include "texture.h"

#include <cstdlib>
#include <ctime>

namespace {

constexpr const char* kStudioAddress = "korvath.example";
constexpr double kAddressY = 450.0;
constexpr int kFadeFrames = 61;
constexpr double kFadeStep = 0.016;

struct LoadingScreen {
    Texture* coverTexture;
    Sprite* cover;
    Texture* addressTexture;
    Sprite* address;
    Texture* loadingTexture;
    Sprite* loading;
};

// The loading cover: the one-pixel panel image stretched over the screen.
void showCover(LoadingScreen& screen)
{
    screen.coverTexture = new Texture("media\\windows\\window_bg.bmp");
    screen.cover = new Sprite(0, 0, kLoadingCoverDepth, screen.coverTexture);
    screen.cover->setScale(kScreenWidth, kScreenHeight);
    screen.cover->setPosition(0, 0, kLoadingCoverDepth);
    renderFrame();
}

Sprite* makeLoadingText(const char* text, double y, Texture*& texture)
{
    texture = makeBannerTexture(text);
    Sprite* sprite = makeAdditiveSprite(texture, centredX(texture->imageWidth()), y, kFrontDepth);
    sprite->setAlpha(0.0);
    return sprite;
}

void fade(Sprite* const* sprites, int count, double step)
{
    for (int frame = 0; frame < kFadeFrames; ++frame) {
        for (int i = 0; i < count; ++i)
            sprites[i]->setAlpha(sprites[i]->alpha() + step);
        renderFrame();
    }
}

void destroyLoadingScreen(LoadingScreen& screen)
{
    delete screen.loading;
    delete screen.loadingTexture;
    delete screen.address;
    delete screen.addressTexture;
    delete screen.cover;
    delete screen.coverTexture;
}

}  // namespace

void initSound()
{
    FSOUND_Init(kMixRate, kMixChannels, 0);
    setShutDownRelease(releaseSound);
    for (int channel = 0; channel < kReservedChannelCount; ++channel)
        FSOUND_SetReserved(channel, 1);
    musicStream = FSOUND_Stream_Open("media\\sound\\Vaz Aded.wav", kStreamMode, 0, 0);
    FSOUND_Stream_SetMode(musicStream, kLoopNormal);
}

void runStartupSequence()
{
    initDisplay();
    std::srand(unsigned(std::time(nullptr)));

    LoadingScreen screen;
    showCover(screen);
    screen.address = makeLoadingText(kStudioAddress, kAddressY, screen.addressTexture);
    screen.loading = makeLoadingText("Game Loading...", kBannerY, screen.loadingTexture);
    initSound();

    Sprite* const texts[2] = {screen.address, screen.loading};
    fade(texts, 2, kFadeStep);
    buildScene();
    Sprite* const everything[3] = {screen.address, screen.loading, screen.cover};
    fade(everything, 3, -kFadeStep);
    destroyLoadingScreen(screen);
}
