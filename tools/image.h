// Pictures in the generator: Colour arithmetic, the premultiplied Layer that
// shapes are painted into, and the 24-bit Image that is written to disk.
//
// The game treats pure black as transparent and every other colour as opaque,
// with no partial transparency. Art is therefore painted with soft edges into
// a Layer and then flattened: pixels mostly covered keep their colour (edges
// blended towards a dark rim colour), the rest become pure black.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    double r = 0, g = 0, b = 0;
};

inline Colour rgb(double r, double g, double b) { return {r, g, b}; }
// From 8-bit components.
inline Colour rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour mix(Colour a, Colour b, double t) { return a + (b - a) * t; }
double luma(Colour c);

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool isBlack() const { return r == 0 && g == 0 && b == 0; }
};

// Clamps to 0..255. An opaque colour that would round to pure black is lifted
// to the darkest non-black value instead, so it does not turn transparent.
Rgb toOpaqueRgb(Colour c);
Colour fromRgb(Rgb p);

class Image {
public:
    Image() = default;
    Image(int w, int h) : width(w), height(h), pixels(size_t(w) * h) {}

    Rgb& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    Rgb at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Copies src with its top-left at (x, y); black source pixels are skipped.
    void blitKeyed(const Image& src, int x, int y);
    Image crop(int x, int y, int w, int h) const;

    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

// One premultiplied pixel of a Layer.
struct Paint {
    double r = 0, g = 0, b = 0, a = 0;
};

class Layer {
public:
    Layer(int w, int h) : width(w), height(h), pixels(size_t(w) * h) {}

    Paint& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Paint& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    // Porter-Duff "over" of a colour with coverage a at (x, y).
    void over(int x, int y, Colour c, double a);
    // Adds light (keeps coverage): glows and highlights.
    void add(int x, int y, Colour c, double a);
    // Composites another layer of the same size on top.
    void overLayer(const Layer& top);

    int width;
    int height;
    std::vector<Paint> pixels;
};

// Flattens a Layer for the game: coverage below threshold becomes transparent
// black; the rest is composited over the rim colour and made opaque.
Image flatten(const Layer& layer, Colour rim, double threshold = 0.45);
// Surrounds every opaque region with a one-pixel line of the given colour
// (4-neighbours), the hard outline that keeps sprites readable on any backdrop.
void addOutline(Image& image, Rgb line);

// Files. TGA and BMP are written uncompressed, 24 bits, bottom-up rows.
void writeTga(const std::string& path, const Image& image);
void writeBmp(const std::string& path, const Image& image);
void writePng(const std::string& path, const Image& image);
// Reads back the TGA and BMP files this generator writes; empty on failure.
Image readImage(const std::string& path);
