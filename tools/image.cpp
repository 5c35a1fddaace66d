#include "image.h"

#include "files.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

double luma(Colour c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

namespace {

uint8_t toByte(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// The darkest colour an opaque pixel may take: pure black is transparent.
constexpr Rgb kDarkestOpaque{2, 2, 4};

} // namespace

Rgb toOpaqueRgb(Colour c)
{
    Rgb p{toByte(c.r), toByte(c.g), toByte(c.b)};
    return p.isBlack() ? kDarkestOpaque : p;
}

Colour fromRgb(Rgb p) { return rgb8(p.r, p.g, p.b); }

void Image::blitKeyed(const Image& src, int x, int y)
{
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx)
            if (contains(x + sx, y + sy) && !src.at(sx, sy).isBlack())
                at(x + sx, y + sy) = src.at(sx, sy);
}

Image Image::crop(int x, int y, int w, int h) const
{
    Image out(w, h);
    for (int cy = 0; cy < h; ++cy)
        for (int cx = 0; cx < w; ++cx)
            if (contains(x + cx, y + cy))
                out.at(cx, cy) = at(x + cx, y + cy);
    return out;
}

void Layer::over(int x, int y, Colour c, double a)
{
    if (x < 0 || y < 0 || x >= width || y >= height || a <= 0)
        return;
    Paint& p = at(x, y);
    double keep = 1.0 - a;
    p.r = c.r * a + p.r * keep;
    p.g = c.g * a + p.g * keep;
    p.b = c.b * a + p.b * keep;
    p.a = a + p.a * keep;
}

void Layer::add(int x, int y, Colour c, double a)
{
    if (x < 0 || y < 0 || x >= width || y >= height || a <= 0)
        return;
    Paint& p = at(x, y);
    p.r += c.r * a;
    p.g += c.g * a;
    p.b += c.b * a;
}

void Layer::overLayer(const Layer& top)
{
    for (size_t i = 0; i < pixels.size() && i < top.pixels.size(); ++i) {
        const Paint& t = top.pixels[i];
        Paint& p = pixels[i];
        double keep = 1.0 - t.a;
        p.r = t.r + p.r * keep;
        p.g = t.g + p.g * keep;
        p.b = t.b + p.b * keep;
        p.a = t.a + p.a * keep;
    }
}

Image flatten(const Layer& layer, Colour rim, double threshold)
{
    Image out(layer.width, layer.height);
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x) {
            const Paint& p = layer.at(x, y);
            if (p.a < threshold)
                continue;
            double a = std::min(p.a, 1.0);
            Colour c{p.r + rim.r * (1 - a), p.g + rim.g * (1 - a), p.b + rim.b * (1 - a)};
            out.at(x, y) = toOpaqueRgb(c);
        }
    return out;
}

void addOutline(Image& image, Rgb line)
{
    Image source = image;
    const int dx[4] = {1, -1, 0, 0};
    const int dy[4] = {0, 0, 1, -1};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            if (!source.at(x, y).isBlack())
                continue;
            for (int k = 0; k < 4; ++k) {
                int nx = x + dx[k], ny = y + dy[k];
                if (source.contains(nx, ny) && !source.at(nx, ny).isBlack()) {
                    image.at(x, y) = line;
                    break;
                }
            }
        }
}

namespace {

// Rows bottom-up in B, G, R order, each padded to padTo bytes.
void appendPixelsBottomUp(Bytes& out, const Image& image, int padTo)
{
    for (int y = image.height - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            Rgb p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        while ((out.size() - rowStart) % padTo != 0)
            out.push_back(0);
    }
}

void readPixelsBottomUp(const Bytes& in, size_t at, Image& image, int padTo, bool bottomUp)
{
    size_t rowBytes = (size_t(image.width) * 3 + padTo - 1) / padTo * padTo;
    if (at + rowBytes * image.height > in.size()) {
        image = Image();
        return;
    }
    for (int row = 0; row < image.height; ++row) {
        int y = bottomUp ? image.height - 1 - row : row;
        const uint8_t* p = &in[at + row * rowBytes];
        for (int x = 0; x < image.width; ++x, p += 3)
            image.at(x, y) = Rgb{p[2], p[1], p[0]};
    }
}

void appendChunk(Bytes& out, const char* type, const Bytes& data)
{
    uint32_t length = uint32_t(data.size());
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(length >> s));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    uint32_t crc = uint32_t(crc32(0, body.data(), uInt(body.size())));
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(crc >> s));
}

void appendBigEndian32(Bytes& out, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

} // namespace

void writeTga(const std::string& path, const Image& image)
{
    Bytes out;
    out.insert(out.end(), {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // uncompressed true colour
    put16(out, image.width);
    put16(out, image.height);
    out.push_back(24); // bits per pixel
    out.push_back(0);  // no alpha bits, origin bottom-left
    appendPixelsBottomUp(out, image, 1);
    writeBytes(path, out);
}

void writeBmp(const std::string& path, const Image& image)
{
    Bytes pixels;
    appendPixelsBottomUp(pixels, image, 4);
    Bytes out{'B', 'M'};
    put32(out, uint32_t(14 + 40 + pixels.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(image.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, uint32_t(pixels.size()));
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    out.insert(out.end(), pixels.begin(), pixels.end());
    writeBytes(path, out);
}

void writePng(const std::string& path, const Image& image)
{
    Bytes raw;
    raw.reserve(size_t(image.width * 3 + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < image.width; ++x) {
            Rgb p = image.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b});
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK)
        throw std::runtime_error("cannot compress " + path);
    packed.resize(packedSize);

    Bytes header;
    appendBigEndian32(header, uint32_t(image.width));
    appendBigEndian32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", packed);
    appendChunk(out, "IEND", {});
    writeBytes(path, out);
}

Image readImage(const std::string& path)
{
    Bytes in = readBytes(path);
    if (in.size() >= 54 && in[0] == 'B' && in[1] == 'M') {
        int32_t height = int32_t(get32(in, 22));
        Image image(int(get32(in, 18)), std::abs(height));
        if (get16(in, 28) != 24)
            return {};
        readPixelsBottomUp(in, get32(in, 10), image, 4, height > 0);
        return image;
    }
    if (in.size() >= 18 && in[2] == 2 && in[16] == 24) {
        Image image(int(get16(in, 12)), int(get16(in, 14)));
        bool topDown = (in[17] & 0x20) != 0;
        readPixelsBottomUp(in, 18 + in[0], image, 1, !topDown);
        return image;
    }
    return {};
}
