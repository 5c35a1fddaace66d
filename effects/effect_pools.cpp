#include "effect_pools.h"

#include "bullet_trail.h"
#include "debris_smoke.h"
#include "game_state.h"
#include "skid_dust.h"
#include "swirl_particle.h"
#include "texture_atlas.h"

void settleEffectPools()
{
    for (auto& pool : bulletTrail)
        for (SwirlSlot& slot : pool)
            settleSwirl(slot);
    for (auto& pool : skidDust)
        for (SwirlSlot& slot : pool)
            settleSwirl(slot);
    for (auto& player : tankDebrisSmoke)
        for (auto& emitter : player)
            for (SwirlSlot& slot : emitter)
                settleSwirl(slot);
    for (auto& emitter : mothershipDebrisSmoke)
        for (SwirlSlot& slot : emitter)
            settleSwirl(slot);
    for (auto& piece : alienDebrisSmoke)
        for (auto& emitter : piece)
            for (SwirlSlot& slot : emitter)
                settleSwirl(slot);
}

void buildEffectPools()
{
    buildBulletTrail();
    buildSkidDust();
    for (int piece = 0; piece < kDebrisPieces; ++piece) {
        buildMothershipDebrisSmoke(piece);
        buildTankDebrisSmoke(piece);
        buildAlienDebrisSmoke(piece);
    }
    // The pools' particles alternate swirl and outline in the scene list;
    // with all three pictures in one texture a whole layer of particles is
    // one draw.
    Texture* const pictures[] = {swirlTexture, swirlOutlineTexture, purpleSwirlTexture};
    packIntoAtlas(pictures, 3);
}
