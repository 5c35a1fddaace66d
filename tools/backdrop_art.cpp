// The backdrop: deep space over a dark moonscape. Everything stays dark so
// the sprites read on it (the brightest large area, the planet's lit limb,
// stays under a quarter of full brightness), and nothing is pure black,
// which the game would punch out as transparent.
#include "art.h"
#include "paint.h"
#include "rng.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Smooth value noise on a 256-cell lattice that wraps round.
class ValueNoise {
public:
    explicit ValueNoise(uint64_t seed) : lattice(256 * 256)
    {
        Rng rng(seed);
        for (double& v : lattice)
            v = rng.uniform();
    }
    double at(double x, double y) const
    {
        int ix = int(std::floor(x)), iy = int(std::floor(y));
        double fx = smoothstep(0, 1, x - ix), fy = smoothstep(0, 1, y - iy);
        double a = cell(ix, iy), b = cell(ix + 1, iy), c = cell(ix, iy + 1), d = cell(ix + 1, iy + 1);
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
    }
    // Fractal sum of five octaves, 0..1.
    double fbm(double x, double y) const
    {
        double sum = 0, amplitude = 0.5, norm = 0;
        for (int octave = 0; octave < 5; ++octave) {
            sum += at(x, y) * amplitude;
            norm += amplitude;
            x = x * 2.03 + 17.1;
            y = y * 2.03 + 9.7;
            amplitude *= 0.5;
        }
        return sum / norm;
    }

private:
    double cell(int x, int y) const { return lattice[size_t(y & 255) * 256 + (x & 255)]; }
    std::vector<double> lattice;
};

struct Planet {
    double cx = 548, cy = 168, radius = 58;
};

Colour sky(const ValueNoise& noise, double x, double y)
{
    Colour c = mix(rgb8(3, 4, 14), rgb8(8, 9, 28), y / kHeight);
    double cloud = smoothstep(0.46, 0.82, noise.fbm(x / 170, y / 170));
    double veil = smoothstep(0.5, 0.86, noise.fbm(x / 95 + 40, y / 95 + 12));
    double dust = smoothstep(0.55, 0.8, noise.fbm(x / 60 + 90, y / 60 + 3));
    c = c + rgb8(46, 14, 66) * cloud * 0.85 + rgb8(6, 36, 58) * veil * 0.75;
    return c * (1.0 - 0.45 * dust * cloud);
}

// The planet, lit from the upper left, with faint bands and a thin ring.
// Returns false where the pixel is not on the planet or its ring.
bool planet(const Planet& p, const ValueNoise& noise, double x, double y, Colour& out)
{
    double nx = (x - p.cx) / p.radius, ny = (y - p.cy) / p.radius;
    double ringX = nx * 0.96 + ny * 0.28, ringY = (ny * 0.96 - nx * 0.28) * 4.2;
    double ringR = std::hypot(ringX, ringY);
    bool onRing = ringR > 1.35 && ringR < 1.75;
    bool ringInFront = onRing && ringY > 0;
    double d2 = nx * nx + ny * ny;
    if (d2 < 1.0 && !ringInFront) {
        double nz = std::sqrt(1.0 - d2);
        double light = std::max(0.0, -0.62 * nx - 0.42 * ny + 0.66 * nz);
        double band = 0.5 + 0.5 * std::sin(ny * 13 + 3 * noise.fbm(x / 25, y / 8));
        Colour surface = mix(rgb8(40, 70, 96), rgb8(70, 96, 120), band);
        out = rgb8(4, 6, 16) + surface * std::pow(light, 1.4) * 0.85;
        double rim = smoothstep(0.8, 1.0, std::sqrt(d2)) * light;
        out = out + rgb8(60, 140, 180) * rim * 0.45;
        return true;
    }
    if (onRing) {
        double stripe = 0.6 + 0.4 * std::sin(ringR * 40);
        out = rgb8(48, 58, 76) * stripe * (ringY > 0 ? 0.9 : 0.55);
        return true;
    }
    return false;
}

// Ground heights: a far range of hills, then the near moonscape.
double farRidge(const ValueNoise& n, double x) { return 420 + 26 * n.fbm(x / 120, 3.5); }
double nearRidge(const ValueNoise& n, double x) { return 452 + 14 * n.fbm(x / 70, 7.25) + 3 * n.at(x / 9, 1.5); }

Colour ground(const ValueNoise& noise, double x, double y, double far, double nearY)
{
    if (y >= nearY) {
        double grain = noise.fbm(x / 14, y / 7);
        Colour c = mix(rgb8(10, 10, 22), rgb8(18, 17, 34), grain);
        if (y < nearY + 1.5)
            c = rgb8(48, 52, 86); // moonlit edge
        return c;
    }
    double grain = noise.fbm(x / 30, y / 12);
    Colour c = mix(rgb8(12, 12, 30), rgb8(17, 16, 38), grain);
    if (y < far + 1.2)
        c = rgb8(30, 32, 60);
    return c;
}

void addStar(std::vector<Colour>& pixels, int x, int y, Colour c)
{
    if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
        pixels[size_t(y) * kWidth + x] = pixels[size_t(y) * kWidth + x] + c;
}

void scatterStars(std::vector<Colour>& pixels, const std::vector<bool>& open)
{
    Rng rng(0x57A85);
    const Colour tints[4] = {rgb(1, 1, 1), rgb(0.75, 0.85, 1), rgb(1, 0.92, 0.75), rgb(0.9, 0.8, 1)};
    for (int i = 0; i < 760; ++i) {
        int x = rng.below(kWidth), y = rng.below(kHeight);
        double u = rng.uniform();
        double brightness = 0.12 + 0.62 * u * u * u;
        Colour c = tints[rng.below(4)] * brightness;
        if (!open[size_t(y) * kWidth + x])
            continue;
        addStar(pixels, x, y, c);
        if (brightness > 0.45) // a soft cross on the brighter ones
            for (int k = -1; k <= 1; k += 2) {
                addStar(pixels, x + k, y, c * 0.35);
                addStar(pixels, x, y + k, c * 0.35);
            }
        if (i % 110 == 0) // a few bright ones with long flares
            for (int k = 2; k <= 5; ++k) {
                double f = 0.5 / k;
                addStar(pixels, x + k, y, c * f);
                addStar(pixels, x - k, y, c * f);
                addStar(pixels, x, y + k, c * f);
                addStar(pixels, x, y - k, c * f);
            }
    }
}

} // namespace

Image makeBackdrop()
{
    ValueNoise noise(0xBAC0D);
    Planet world;
    std::vector<Colour> pixels(size_t(kWidth) * kHeight);
    std::vector<bool> open(pixels.size(), true); // where stars may shine
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double far = farRidge(noise, px), nearY = nearRidge(noise, px);
            Colour c;
            size_t i = size_t(y) * kWidth + x;
            if (py >= far) {
                c = ground(noise, px, py, far, nearY);
                open[i] = false;
            } else if (planet(world, noise, px, py, c)) {
                open[i] = false;
            } else {
                c = sky(noise, px, py);
                c = c + rgb8(10, 18, 36) * std::exp(-(far - py) / 14.0); // haze over the hills
            }
            pixels[i] = c;
        }
    scatterStars(pixels, open);
    Image image(kWidth, kHeight);
    for (size_t i = 0; i < pixels.size(); ++i)
        image.pixels[i] = toOpaqueRgb(pixels[i]);
    return image;
}
