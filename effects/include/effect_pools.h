// Every effect pool at once: the bullet trail first (it loads the swirl
// images the others use), then the skid dust, then the three debris smokes
// piece by piece. The order fixes the sprites' order in the scene list and
// the random draws of the build.
#pragma once

void buildEffectPools();
// Every particle of every pool idle and hidden, as built: no swirl, smoke or
// dust left of what went before.
void settleEffectPools();
