// The music: a 24-bar chiptune in A minor at about 131 beats a minute, for
// four voices in the manner of an 8-bit console: a pulse lead with vibrato,
// a thin pulse arpeggio, a stepped triangle bass and noise drums. Nothing
// rings past the end: the last bar's notes and drum hits are shortened to
// finish by the loop point, and every note and hit starts from silence, so
// the loop point lies in near-silence at both ends and joins without a seam.
#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kStepSamples = 2520; // one sixteenth note
constexpr int kStepsPerBar = 16;
constexpr int kBars = 24;
constexpr size_t kLength = size_t(kStepSamples) * kStepsPerBar * kBars;
constexpr double kNoteReleaseSeconds = 0.04;
constexpr double kHitAttackSeconds = 0.001; // drum noise would click starting at full level
constexpr double kHitReleaseSeconds = 0.01; // a hit cut short still ends on silence

// One chord per bar: the root (MIDI) and its minor or major third.
struct Chord {
    int root;
    bool minor;
};

constexpr int A = 57, C = 60, D = 62, E = 64, F = 65, G = 67; // fourth octave
const Chord kChords[kBars] = {
    {A, true}, {F, false}, {C, false}, {G, false}, {A, true}, {F, false}, {G, false}, {E, false},
    {F, false}, {G, false}, {E, true}, {A, true}, {D, true}, {E, true}, {F, false}, {E, false},
    {A, true}, {F, false}, {C, false}, {G, false}, {F, false}, {G, false}, {E, false}, {E, false},
};

// The lead, bar by bar: note names with lengths in sixteenths ("r" rests).
const char* const kMelody[kBars] = {
    "A4-2 C5-2 E5-4 D5-2 C5-2 E5-4", "F5-4 E5-2 C5-2 A4-4 C5-4",
    "G5-4 E5-2 C5-2 G4-4 C5-2 E5-2", "D5-6 C5-2 B4-4 G4-4",
    "A4-2 C5-2 E5-4 D5-2 C5-2 A5-4", "A5-2 G5-2 F5-2 E5-2 F5-4 A5-4",
    "G5-4 F5-2 E5-2 D5-4 B4-4", "G#4-4 B4-4 E5-8",
    "C6-4 A5-2 F5-2 C5-4 F5-4", "D6-4 B5-2 G5-2 D5-4 G5-4",
    "E5-2 G5-2 B5-4 A5-2 G5-2 E5-4", "A5-8 r-2 E5-2 A5-2 C6-2",
    "D6-4 C6-2 A5-2 F5-4 A5-4", "B5-4 G5-2 E5-2 B4-4 E5-4",
    "C6-2 B5-2 A5-2 G5-2 F5-2 E5-2 D5-2 C5-2", "B4-4 G#5-4 E5-2 F5-2 G#5-4",
    "A5-2 E5-2 A5-2 C6-2 B5-4 A5-4", "F5-2 A5-2 C6-4 A5-2 F5-2 C5-4",
    "E5-2 G5-2 C6-4 B5-2 A5-2 G5-4", "D5-2 G5-2 B5-4 A5-2 G5-2 D5-4",
    "C5-2 F5-2 A5-4 G5-2 F5-2 E5-4", "D5-2 G5-2 B5-4 D6-4 B5-4",
    "E6-4 D6-2 B5-2 G#5-4 E5-4", "E5-6 D5-2 C5-2 B4-2 G#4-4",
};

// "G#4" -> MIDI 68; "r" -> -1.
int parseNote(const std::string& name)
{
    if (name == "r")
        return -1;
    static const int offsets[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G from C
    int midi = offsets[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') {
        ++midi;
        ++i;
    }
    return midi + 12 * (std::stoi(name.substr(i)) + 1);
}

// The piece, one loop long.
class Mixer {
public:
    Mixer() : buffer(kLength, 0.0) {}
    // The length a sound starting at `at` may take: it must end by the loop point.
    size_t fit(size_t at, size_t length) const { return std::min(length, kLength - at); }
    void add(size_t at, double v) { buffer.at(at) += v; }
    Samples buffer;
};

// A pulse or triangle note with attack, decay to sustain, and release.
struct Voice {
    double duty;      // pulse width, or 0 for the triangle
    double level;
    double vibrato;   // semitones
    double sustain;   // 0..1 of the level
};

void playNote(Mixer& mix, const Voice& v, int midi, size_t start, size_t length)
{
    const size_t release = size_t(secondsToSamples(kNoteReleaseSeconds));
    length = mix.fit(start, length + release) - release;
    Phase phase;
    double hz = noteFrequency(midi);
    for (size_t i = 0; i < length + release; ++i) {
        double t = i / double(kSampleRate);
        double bend = t > 0.12 ? v.vibrato * std::sin(kTwoPi * 5.5 * t) : 0;
        double p = phase.step(hz * std::pow(2.0, bend / 12));
        double wave = v.duty > 0 ? square(p, v.duty) : std::round(triangle(p) * 7.5) / 7.5;
        double env = std::min(1.0, t / 0.005) * (v.sustain + (1 - v.sustain) * std::exp(-t / 0.08));
        if (i >= length)
            env *= 1.0 - double(i - length) / release;
        mix.add(start + i, wave * env * v.level);
    }
}

void playMelody(Mixer& mix)
{
    const Voice lead{0.25, 0.2, 0.22, 0.7};
    for (int bar = 0; bar < kBars; ++bar) {
        std::istringstream notes(kMelody[bar]);
        std::string token;
        size_t step = size_t(bar) * kStepsPerBar;
        while (notes >> token) {
            size_t dash = token.find('-');
            int length = std::stoi(token.substr(dash + 1));
            int midi = parseNote(token.substr(0, dash));
            if (midi >= 0)
                playNote(mix, lead, midi, step * kStepSamples, size_t(length) * kStepSamples - 300);
            step += length;
        }
    }
}

void playChords(Mixer& mix)
{
    const Voice arpeggio{0.125, 0.075, 0, 0.4};
    const Voice bass{0, 0.3, 0, 0.85};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& c = kChords[bar];
        const int tones[4] = {c.root, c.root + (c.minor ? 3 : 4), c.root + 7, c.root + 12};
        for (int step = 0; step < kStepsPerBar; ++step) {
            size_t at = (size_t(bar) * kStepsPerBar + step) * kStepSamples;
            playNote(mix, arpeggio, tones[step % 4] - 12 + 12 * (step / 8), at, kStepSamples - 200);
            if (step % 2 == 0) {
                // Root and octave in eighths, the fifth on the last eighth of each half bar.
                int note = step % 8 == 6 ? c.root + 7 : c.root + (step % 4 == 2 ? 12 : 0);
                playNote(mix, bass, note - 24, at, 2 * kStepSamples - 300);
            }
        }
    }
}

// The edges of a drum hit `length` samples long, at its sample i: a quick
// rise from silence and a short fall back to it at the end.
double hitEdges(size_t i, size_t length)
{
    return std::min({1.0, i / secondsToSamples(kHitAttackSeconds), (length - i) / secondsToSamples(kHitReleaseSeconds)});
}

void kick(Mixer& mix, size_t at)
{
    Phase p;
    const size_t length = mix.fit(at, size_t(secondsToSamples(0.12)));
    for (size_t i = 0; i < length; ++i) {
        double t = i / double(kSampleRate);
        double thump = std::sin(kTwoPi * p.step(45 + 110 * std::exp(-t / 0.02))) * std::exp(-t / 0.05) * 0.55;
        mix.add(at + i, thump * hitEdges(i, length));
    }
}

void snare(Mixer& mix, size_t at, Rng& rng)
{
    Phase p;
    const size_t length = mix.fit(at, size_t(secondsToSamples(0.16)));
    for (size_t i = 0; i < length; ++i) {
        double t = i / double(kSampleRate);
        double body = triangle(p.step(190)) * std::exp(-t / 0.03) * 0.2;
        mix.add(at + i, (noise(rng) * 0.3 * std::exp(-t / 0.06) + body) * hitEdges(i, length));
    }
}

void hat(Mixer& mix, size_t at, Rng& rng, double seconds, double level)
{
    double previous = 0;
    const size_t length = mix.fit(at, size_t(secondsToSamples(seconds)));
    for (size_t i = 0; i < length; ++i) {
        double t = i / double(kSampleRate);
        double n = noise(rng);
        mix.add(at + i, (n - previous) * 0.5 * level * std::exp(-t / (seconds / 3)) * hitEdges(i, length));
        previous = n;
    }
}

void playDrums(Mixer& mix)
{
    Rng rng(0xD2C4);
    for (int bar = 0; bar < kBars; ++bar) {
        bool full = bar >= 4;               // the first four bars keep the drums light
        bool fill = bar == kBars - 1 || bar == 15;
        for (int step = 0; step < kStepsPerBar; ++step) {
            size_t at = (size_t(bar) * kStepsPerBar + step) * kStepSamples;
            if (step == 0 || step == 8 || (full && step == 10))
                kick(mix, at);
            if (full && (step == 4 || step == 12 || (fill && step >= 12)))
                snare(mix, at, rng);
            if (step % 2 == 0)
                hat(mix, at, rng, step % 4 == 2 ? 0.09 : 0.03, step % 4 == 2 ? 0.16 : 0.1);
        }
    }
}

// A gentle low-pass over the loop, run twice round so its state at the
// seam is the settled one.
void soften(Samples& s)
{
    LowPass filter;
    for (int pass = 0; pass < 2; ++pass)
        for (double& v : s) {
            double out = filter.step(v, 7000);
            if (pass == 1)
                v = out;
        }
}

} // namespace

Samples makeMusic()
{
    Mixer mix;
    playMelody(mix);
    playChords(mix);
    playDrums(mix);
    Samples s = mix.buffer;
    soften(s);
    removeMean(s);
    normalise(s, 0.8);
    return s;
}
