#include "effect_pools.h"

#include "bullet_trail.h"
#include "debris_smoke.h"
#include "game_state.h"
#include "skid_dust.h"

void buildEffectPools()
{
    buildBulletTrail();
    buildSkidDust();
    for (int piece = 0; piece < kDebrisPieces; ++piece) {
        buildMothershipDebrisSmoke(piece);
        buildTankDebrisSmoke(piece);
        buildAlienDebrisSmoke(piece);
    }
}
