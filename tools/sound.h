// The game's sounds, synthesised from fixed seeds: eight effects and the
// looping music track, as mono 16-bit WAV at 22050 Hz.
#pragma once

#include "files.h"

#include <string>
#include <vector>

constexpr int kSampleRate = 22050;

// Signal in -1..1, one value per sample.
using Samples = std::vector<double>;

// Scales the signal so its largest magnitude is peak (below 1: no clipping).
void normalise(Samples& samples, double peak);
// Subtracts the signal's average, so it carries no DC offset.
void removeMean(Samples& samples);
Bytes encodeWav(const Samples& samples);
void writeWav(const std::string& path, const Samples& samples);

Samples makeFireSound();        // a short rocket burst
Samples makeExplosionSound();   // a deep blast with crackle
Samples makeWhooshSound();      // a falling whoosh for a dropping flare
Samples makeLaughSound();       // a low, menacing "ha-ha-ha"
Samples makeMothershipHum();    // an alien hum that loops seamlessly
Samples makeShieldPing();       // a metallic ping
Samples makePowerDown();        // a falling power-down
Samples makeMenuBlip();         // a short blip
Samples makeMusic();            // the chiptune track, over 30 s, looping
