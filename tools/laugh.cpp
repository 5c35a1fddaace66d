// The villain's laugh: "mwa-ha-ha-ha-haaa" from a synthetic voice. A
// glottal pulse train (with a little vocal fry: every other pulse weaker)
// drives four formant resonators tuned to an open "ah"; each syllable starts
// with a breath of the same formants excited by noise. The pitch falls from
// syllable to syllable and within each, and a short echo adds menace.
#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace {

struct Syllable {
    double start;    // seconds
    double length;   // seconds
    double pitchHz;  // at its start
    double fall;     // fraction of the pitch lost by its end
};

const Syllable kSyllables[] = {
    {0.05, 0.30, 130, 0.10}, // "mwa"
    {0.45, 0.20, 121, 0.08}, {0.75, 0.20, 113, 0.08}, {1.05, 0.20, 105, 0.08}, {1.35, 0.20, 98, 0.08},
    {1.65, 0.75, 92, 0.35},  // the long, sinking "haaa"
};

// One period of a Rosenberg glottal pulse, differentiated for the lips.
double glottalFlow(double phase)
{
    const double open = 0.42, close = 0.16;
    if (phase < open)
        return 0.5 * (1 - std::cos(3.14159265358979 * phase / open));
    if (phase < open + close)
        return std::cos(3.14159265358979 * (phase - open) / (2 * close));
    return 0;
}

double syllableEnvelope(const Syllable& s, double t)
{
    double local = t - s.start;
    if (local < 0 || local > s.length)
        return 0;
    double rise = std::min(1.0, local / 0.03);
    double fall = std::min(1.0, (s.length - local) / 0.09);
    return rise * fall;
}

// Voice and breath levels at time t, and the pitch to use.
void voiceAt(double t, double& voiced, double& breath, double& pitch)
{
    voiced = breath = 0;
    pitch = kSyllables[0].pitchHz;
    for (const Syllable& s : kSyllables) {
        double env = syllableEnvelope(s, t);
        if (env <= 0)
            continue;
        double local = (t - s.start) / s.length;
        double onset = std::exp(-(t - s.start) / 0.05); // the "h" before the vowel
        voiced = env * (1 - 0.7 * onset);
        breath = env * (0.15 + 0.85 * onset);
        pitch = s.pitchHz * (1 - s.fall * local) * (1 + 0.012 * std::sin(kTwoPi * 5.5 * t));
    }
}

} // namespace

Samples makeLaughSound()
{
    const double length = 2.9;
    Samples dry(size_t(secondsToSamples(length)));
    Rng rng(0x1A06);
    Phase glottis;
    Resonator formants[4];
    const double centres[4] = {660, 1080, 2450, 3300};
    const double widths[4] = {90, 110, 160, 250};
    const double gains[4] = {1.0, 0.55, 0.22, 0.1};
    double previousFlow = 0;
    int period = 0;
    double lastPhase = 0;
    for (size_t i = 0; i < dry.size(); ++i) {
        double t = i / double(kSampleRate);
        double voiced, breath, pitch;
        voiceAt(t, voiced, breath, pitch);
        double phase = glottis.step(pitch);
        if (phase < lastPhase)
            ++period;
        lastPhase = phase;
        double fry = period % 2 ? 0.72 : 1.0;
        double flow = glottalFlow(phase) * fry;
        double excitation = (flow - previousFlow) * 12 * voiced + noise(rng) * 0.25 * breath;
        previousFlow = flow;
        double out = 0;
        for (int k = 0; k < 4; ++k)
            out += formants[k].step(excitation, centres[k], widths[k]) * gains[k];
        dry[i] = out;
    }
    // Two echoes, as if the laugh filled a large hall; taken from the dry
    // voice only, so they do not smear the gaps between syllables.
    Samples wet = dry;
    const size_t delays[2] = {size_t(secondsToSamples(0.13)), size_t(secondsToSamples(0.27))};
    for (size_t i = 0; i < wet.size(); ++i)
        for (int k = 0; k < 2; ++k)
            if (i >= delays[k])
                wet[i] += dry[i - delays[k]] * (k ? 0.08 : 0.16);
    size_t fade = size_t(secondsToSamples(0.3));
    for (size_t i = 0; i < fade; ++i)
        wet[wet.size() - 1 - i] *= double(i) / fade;
    normalise(wet, 0.89);
    return wet;
}
