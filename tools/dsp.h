// Small signal-processing pieces shared by the sound effects and the music.
#pragma once

#include "rng.h"
#include "sound.h"

#include <cmath>

constexpr double kTwoPi = 6.283185307179586;

inline double secondsToSamples(double s) { return s * kSampleRate; }
inline double noteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// White noise in -1..1.
inline double noise(Rng& rng) { return rng.uniform() * 2 - 1; }

// One-pole low-pass; cutoff may change every sample.
class LowPass {
public:
    double step(double in, double cutoffHz)
    {
        double k = 1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate);
        state += (in - state) * k;
        return state;
    }

private:
    double state = 0;
};

// Two-pole resonator (constant peak gain band-pass), for sweeps and formants.
class Resonator {
public:
    double step(double in, double centreHz, double bandwidthHz)
    {
        double r = std::exp(-3.14159265358979 * bandwidthHz / kSampleRate);
        double c = 2 * r * std::cos(kTwoPi * centreHz / kSampleRate);
        double out = (1 - r) * in + c * y1 - r * r * y2;
        y2 = y1;
        y1 = out;
        return out;
    }

private:
    double y1 = 0, y2 = 0;
};

// A phase accumulator for oscillators whose pitch changes over time.
class Phase {
public:
    // Advances by one sample at the given frequency; returns the phase 0..1.
    double step(double hz)
    {
        double now = value;
        value += hz / kSampleRate;
        value -= std::floor(value);
        return now;
    }

private:
    double value = 0;
};

// A pulse wave, high for the duty part of each cycle, shifted so its mean is
// zero: a narrow pulse would otherwise carry a DC offset of 2 * duty - 1.
inline double square(double phase, double duty) { return (phase < duty ? 1.0 : -1.0) - (2 * duty - 1); }
inline double triangle(double phase) { return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; }
