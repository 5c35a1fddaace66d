// Small helpers for tests: files, images, the screen read back, and a call run in a child.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The bytes of a file, or its text; none when it cannot be read.
std::vector<uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);

// A fresh, empty directory under /tmp for this test process.
std::string scratchDirectory();

// Writes a 24-bit BMP of w x h whose pixel (x, y) is colourAt(x, y).
void writeBmp(const std::string& path, int w, int h, const std::function<Rgb(int, int)>& colourAt);

// The colour of screen pixel (x, y) (origin top-left) in the back buffer.
Rgb readPixel(int x, int y);
// The whole 640 x 480 back buffer, RGBA, bottom row first.
std::vector<uint8_t> readFrame();

// The alpha OpenGL holds for each texel of a texture's canvas (the image and
// its padding), row by row.
class Texture;
std::vector<uint8_t> canvasAlphas(const Texture& texture);

// A texture image's non-transparent texels (with holes set, its wholly
// transparent ones): how many, and their bounds, inclusive.
struct Ink {
    int count = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Ink inkOf(const Texture& texture, bool holes = false);

// How a call made in a child process ended (exit code, or minus the signal)
// and what it wrote on stderr; a child still running after ten seconds, hung,
// is killed.
struct Ending {
    int code;
    std::string said;
};
Ending inChild(const std::function<void()>& call);
