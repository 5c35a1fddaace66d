#include "settled_layer.h"

namespace {

// Sprites closer in depth than this may share a value in the depth buffer.
constexpr double kSameDepth = 0.01;

// What was seen at each place of the drawing order.
struct Seen {
    const Sprite* sprite = nullptr;
    uint64_t look = 0;
    unsigned framesUnchanged = 0;
};
Seen seen[kLayerSprites];

SettledPicks picks;
unsigned framesPicksUnchanged = 0;

int leftOut[kLayerSprites];  // places of sprites drawn over the picture, so far

bool overlap(const LayerSprite& a, const LayerSprite& b)
{
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

void noteLooks(const LayerSprite* sprites, int count)
{
    for (int i = 0; i < count; ++i) {
        Seen& s = seen[i];
        if (s.sprite == sprites[i].sprite && s.look == sprites[i].look) {
            if (s.framesUnchanged < kSettledFrames)
                ++s.framesUnchanged;
        } else {
            s = {sprites[i].sprite, sprites[i].look, 0};
        }
    }
}

bool runsFarToNear(const LayerSprite* sprites, int count)
{
    for (int i = 1; i < count; ++i)
        if (sprites[i].z < sprites[i - 1].z)
            return false;
    return true;
}

bool overlapsLaterAtSameDepth(const LayerSprite* sprites, int count, int i)
{
    for (int j = i + 1; j < count && sprites[j].z < sprites[i].z + kSameDepth; ++j)
        if (overlap(sprites[i], sprites[j]))
            return true;
    return false;
}

bool overlapsLeftOut(const LayerSprite* sprites, int leftOutCount, const LayerSprite& sprite)
{
    for (int k = 0; k < leftOutCount; ++k)
        if (overlap(sprites[leftOut[k]], sprite))
            return true;
    return false;
}

int pick(const LayerSprite* sprites, int count, bool* picked)
{
    int leftOutCount = 0;
    int pickedCount = 0;
    for (int i = 0; i < count; ++i) {
        picked[i] = seen[i].framesUnchanged >= kSettledFrames &&
                    !overlapsLeftOut(sprites, leftOutCount, sprites[i]) &&
                    !overlapsLaterAtSameDepth(sprites, count, i);
        if (picked[i])
            ++pickedCount;
        else
            leftOut[leftOutCount++] = i;
    }
    return picked[0] ? pickedCount : 0;
}

void notePicks(const LayerSprite* sprites, int count, const bool* picked, int pickedCount)
{
    uint64_t digest = kEmptyDigest;
    for (int i = 0; i < count && pickedCount > 0; ++i)
        if (picked[i])
            digest = addToDigest(addToDigest(digest, uint64_t(reinterpret_cast<uintptr_t>(sprites[i].sprite))),
                                 sprites[i].look);
    const SettledPicks now = {uint64_t(pickedCount), digest};
    if (now.count == picks.count && now.digest == picks.digest) {
        if (framesPicksUnchanged < kSettledFrames)
            ++framesPicksUnchanged;
    } else {
        framesPicksUnchanged = 0;
    }
    picks = now;
}

}  // namespace

int pickSettledSprites(const LayerSprite* sprites, int count, bool firstIsBackdrop, bool* picked)
{
    if (count > kLayerSprites)
        count = 0;
    noteLooks(sprites, count);
    int pickedCount = 0;
    if (count > 0 && firstIsBackdrop && runsFarToNear(sprites, count))
        pickedCount = pick(sprites, count, picked);
    notePicks(sprites, count, picked, pickedCount);
    return pickedCount;
}

const SettledPicks& settledPicks()
{
    return picks;
}

bool settledPicksSteady()
{
    return picks.count > 0 && framesPicksUnchanged >= kSettledFrames;
}
