// The eight sound effects. Each is a short recipe of oscillators, filtered
// noise and envelopes, normalised to a peak safely below clipping.
#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kEffectPeak = 0.89;     // about -1 dBFS
constexpr double kQuietPeak = 0.6;       // dense waves, and the hum kept in the background
constexpr double kFadeInSeconds = 0.001; // softens a start on a step without blunting it
constexpr double kFadeOutSeconds = 0.01;

Samples silence(double seconds) { return Samples(size_t(secondsToSamples(seconds)), 0.0); }

double attackDecay(double t, double attack, double decay)
{
    return t < attack ? t / attack : std::exp(-(t - attack) / decay);
}

// Ramps the first and last few milliseconds from and to zero, so an effect
// whose noise or click starts at full level, or that is cut off while still
// sounding, neither starts nor ends on a click.
void fadeEnds(Samples& s)
{
    const size_t in = std::min(s.size(), size_t(secondsToSamples(kFadeInSeconds)));
    for (size_t i = 0; i < in; ++i)
        s[i] *= double(i) / in;
    const size_t out = std::min(s.size(), size_t(secondsToSamples(kFadeOutSeconds)));
    for (size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= double(i) / out;
}

// Centres an effect (resonant noise can leave a DC offset), fades its ends
// and scales it to its peak.
Samples finished(Samples s, double peak = kEffectPeak)
{
    removeMean(s);
    fadeEnds(s);
    normalise(s, peak);
    return s;
}

// Turns a loop so it starts where its wave crosses zero most gently: the
// first and last samples are then both near zero, and as the loop is whole,
// the step from the last to the first is one of the wave's own.
void startAtGentlestZeroCrossing(Samples& s)
{
    size_t best = 0;
    double bestStep = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < s.size(); ++i) {
        double before = s[(i + s.size() - 1) % s.size()];
        double step = s[i] - before;
        if (before < 0 && s[i] >= 0 && step < bestStep) {
            best = i;
            bestStep = step;
        }
    }
    std::rotate(s.begin(), s.begin() + best, s.end());
}

} // namespace

Samples makeFireSound()
{
    Samples s = silence(0.42);
    Rng rng(0xF12E);
    Resonator hiss;
    LowPass zapTone;
    Phase zap, thump;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double sweep = 600 + 2200 * std::exp(-t / 0.08);
        double burst = hiss.step(noise(rng), sweep, 900) * attackDecay(t, 0.004, 0.09) * 3.0;
        double zapHz = 150 + 850 * std::exp(-t / 0.05);
        double pew = zapTone.step(square(zap.step(zapHz), 0.5), 3000) * attackDecay(t, 0.002, 0.06) * 0.35;
        double boom = std::sin(kTwoPi * thump.step(50 + 70 * std::exp(-t / 0.03))) * attackDecay(t, 0.002, 0.05);
        s[i] = burst + pew + boom * 0.6;
    }
    return finished(s);
}

Samples makeExplosionSound()
{
    Samples s = silence(1.5);
    Rng rng(0xB0053);
    LowPass body, crackleTone;
    Phase boom;
    double crackle = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double cutoff = 180 + 2800 * std::exp(-t / 0.18);
        double blast = body.step(noise(rng), cutoff) * attackDecay(t, 0.003, 0.38) * 2.2;
        double low = std::sin(kTwoPi * boom.step(28 + 50 * std::exp(-t / 0.25))) * attackDecay(t, 0.004, 0.32);
        // Sparse pops that thin out as the blast dies.
        if (rng.uniform() < 0.004 * std::exp(-t / 0.5))
            crackle = rng.range(0.4, 1.0) * (rng.uniform() < 0.5 ? -1 : 1);
        crackle *= 0.985;
        double pops = crackleTone.step(crackle * noise(rng), 4000) * 0.8;
        s[i] = blast + low * 0.9 + pops;
    }
    return finished(s);
}

Samples makeWhooshSound()
{
    Samples s = silence(0.9);
    Rng rng(0x3005);
    Resonator air;
    Phase whistle;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double centre = 250 + 3000 * std::exp(-t / 0.25);
        double swell = std::sin(3.14159265 * std::min(1.0, t / 0.9));
        double rush = air.step(noise(rng), centre, centre * 0.25) * 4.0;
        double tone = std::sin(kTwoPi * whistle.step(centre * 0.6)) * 0.12;
        s[i] = (rush + tone) * swell * swell;
    }
    return finished(s);
}

Samples makeMothershipHum()
{
    // Exactly one second: every component below has a whole number of cycles
    // in it, so the last sample runs smoothly into the first when it loops.
    Samples s(kSampleRate);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double hum = 0;
        for (int n = 1; n <= 8; ++n)
            hum += std::sin(kTwoPi * 80 * n * t) / n;
        hum *= 0.7 + 0.3 * std::sin(kTwoPi * 4 * t);
        double warble = std::sin(kTwoPi * 600 * t + 100 * std::sin(kTwoPi * 2 * t));
        double gate = std::pow(std::sin(3.14159265358979 * 8 * t), 2);
        double beep = std::sin(kTwoPi * 1200 * t) * gate;
        s[i] = hum * 0.35 + warble * 0.22 + beep * 0.18;
    }
    normalise(s, kQuietPeak); // it loops for the whole crossing: keep it in the background
    startAtGentlestZeroCrossing(s);
    return s;
}

Samples makeShieldPing()
{
    Samples s = silence(0.9);
    Rng rng(0x0037);
    const double ratios[5] = {1.0, 2.76, 5.40, 8.93, 13.34};
    const double levels[5] = {1.0, 0.5, 0.3, 0.18, 0.1};
    const double decays[5] = {0.45, 0.28, 0.16, 0.09, 0.05};
    const double base = 1480;
    LowPass strikeBody;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double ring = 0;
        for (int k = 0; k < 5; ++k)
            ring += levels[k] * std::sin(kTwoPi * base * ratios[k] * t) * std::exp(-t / decays[k]);
        ring += 0.4 * std::sin(kTwoPi * (base + 3.5) * t) * std::exp(-t / 0.45); // slow beating
        double n = noise(rng);
        double strike = (n - strikeBody.step(n, 2000)) * std::exp(-t / 0.003);
        s[i] = ring * attackDecay(t, 0.001, 10) + strike * 0.6;
    }
    return finished(s);
}

Samples makePowerDown()
{
    Samples s = silence(1.7);
    Rng rng(0xDEAC);
    Phase tone, tremolo;
    LowPass muffle;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double hz = 880 * std::exp(-t * 2.6);
        double wave = std::tanh(4 * std::sin(kTwoPi * tone.step(hz)));
        double wobble = 0.75 + 0.25 * std::sin(kTwoPi * tremolo.step(3 + 9 * std::exp(-t * 1.5)));
        double env = std::min(1.0, t / 0.01) * (1 - std::clamp((t - 1.0) / 0.7, 0.0, 1.0));
        double click = t < 0.004 ? noise(rng) * (1 - t / 0.004) : 0; // the relay letting go
        s[i] = muffle.step(wave, 200 + 4 * hz) * wobble * env + click * 0.5;
    }
    // A dense wave: a lower peak keeps it as loud as the other effects.
    return finished(s, kQuietPeak);
}

Samples makeMenuBlip()
{
    Samples s = silence(0.09);
    Phase blip;
    LowPass soften;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / double(kSampleRate);
        double hz = t < 0.035 ? 1320 : 1760;
        double env = attackDecay(t, 0.002, 0.035);
        s[i] = soften.step(square(blip.step(hz), 0.5), 6000) * env;
    }
    return finished(s, kQuietPeak);
}
