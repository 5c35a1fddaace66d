#include "paint.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSamples = 4; // per pixel and axis
constexpr double kDegreesToRadians = 3.14159265358979323846 / 180.0;

} // namespace

double smoothstep(double e0, double e1, double x)
{
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

void fill(Layer& layer, const Inside& shape, const Shader& shader, double opacity)
{
    const double step = 1.0 / kSamples;
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x) {
            int hits = 0;
            Colour sum;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) * step, py = y + (sy + 0.5) * step;
                    if (shape(px, py)) {
                        ++hits;
                        sum = sum + shader(px, py);
                    }
                }
            if (hits)
                layer.over(x, y, sum * (1.0 / hits), opacity * hits / double(kSamples * kSamples));
        }
}

void fill(Layer& layer, const Inside& shape, Colour colour, double opacity)
{
    fill(layer, shape, [colour](double, double) { return colour; }, opacity);
}

void glow(Layer& layer, double cx, double cy, double radius, Colour colour, double strength)
{
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x) {
            double dx = (x + 0.5 - cx) / radius, dy = (y + 0.5 - cy) / radius;
            double k = strength * std::exp(-(dx * dx + dy * dy));
            if (k > 0.002)
                layer.add(x, y, colour, k);
        }
}

Inside ellipse(double cx, double cy, double rx, double ry)
{
    return [=](double x, double y) {
        double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

Inside box(double x0, double y0, double x1, double y1)
{
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Inside roundedBox(double x0, double y0, double x1, double y1, double radius)
{
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        double qx = std::max({x0 + radius - x, x - (x1 - radius), 0.0});
        double qy = std::max({y0 + radius - y, y - (y1 - radius), 0.0});
        return qx * qx + qy * qy <= radius * radius;
    };
}

Inside polygon(std::vector<Point> corners)
{
    return [corners = std::move(corners)](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point& a = corners[i];
            const Point& b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in;
    };
}

Inside capsule(double ax, double ay, double bx, double by, double radius)
{
    return [=](double x, double y) {
        double vx = bx - ax, vy = by - ay;
        double t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy + 1e-12), 0.0, 1.0);
        double dx = x - (ax + vx * t), dy = y - (ay + vy * t);
        return dx * dx + dy * dy <= radius * radius;
    };
}

Inside unite(Inside a, Inside b)
{
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Inside subtract(Inside a, Inside b)
{
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Inside intersect(Inside a, Inside b)
{
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

Inside rotated(Inside shape, double cx, double cy, double degrees)
{
    double c = std::cos(-degrees * kDegreesToRadians), s = std::sin(-degrees * kDegreesToRadians);
    return [=](double x, double y) {
        double dx = x - cx, dy = y - cy;
        return shape(cx + dx * c - dy * s, cy + dx * s + dy * c);
    };
}

Colour lit(Colour base, double light)
{
    if (light >= 0)
        return mix(base, rgb(1.0, 0.97, 0.9), std::min(light, 1.0));
    return base * std::max(0.0, 1.0 + light);
}

Colour bevel(Colour base, double y, double y0, double y1)
{
    double t = (y - y0) / std::max(y1 - y0, 1e-9);
    if (t < 0.18)
        return lit(base, 0.45 - t);
    return lit(base, 0.1 - 0.55 * t);
}

Colour sphere(Colour base, double nx, double ny)
{
    double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    // Light from the upper left, a little towards the viewer.
    double diffuse = std::max(0.0, -0.5 * nx - 0.55 * ny + 0.67 * nz);
    double rx = -0.5 - nx, ry = -0.55 - ny;
    double shine = std::pow(std::max(0.0, 1.0 - std::sqrt(rx * rx + ry * ry) * 1.6), 3.0);
    return lit(base * (0.35 + 0.85 * diffuse), shine * 0.9);
}
