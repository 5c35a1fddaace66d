#include "effect_pools.h"

#include "bullet_trail.h"
#include "debris_smoke.h"
#include "game_state.h"
#include "skid_dust.h"
#include "swirl_particle.h"
#include "texture_atlas.h"

namespace {

// Every slot of a pool, however deeply its emitters are nested.
void settle(SwirlSlot& slot)
{
    settleSwirl(slot);
}

template <typename Pool>
void settle(Pool& pool)
{
    for (auto& inner : pool)
        settle(inner);
}

}  // namespace

void settleEffectPools()
{
    settle(bulletTrail);
    settle(skidDust);
    settle(tankDebrisSmoke);
    settle(mothershipDebrisSmoke);
    settle(alienDebrisSmoke);
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
