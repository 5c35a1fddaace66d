// Rng: the generator's own pseudo-random numbers.
//
// Every picture and sound is made from fixed seeds so that two builds write
// byte-identical media; nothing here reads the clock or the C library's rand().
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed) {}

    // SplitMix64: small, fast, and good enough for textures and noise.
    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(uniform() * n); }

private:
    uint64_t state;
};
