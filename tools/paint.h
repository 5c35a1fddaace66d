// Painting soft-edged shapes into a Layer.
//
// A shape is an inside test over continuous pixel coordinates (pixel (i, j)
// covers [i, i+1) x [j, j+1)); filling samples it 4 x 4 times per pixel, so
// edges get fractional coverage and the colour is the average of a shader
// over the samples inside. Shaders receive the sample position, which is how
// the art gets its gradients, bevels and highlights.
#pragma once

#include "image.h"

#include <functional>
#include <vector>

// For the round shapes and spirals every picture draws.
constexpr double kPi = 3.14159265358979323846;

using Inside = std::function<bool(double x, double y)>;
using Shader = std::function<Colour(double x, double y)>;

struct Point {
    double x, y;
};

// Filling.
void fill(Layer& layer, const Inside& shape, const Shader& shader, double opacity = 1.0);
void fill(Layer& layer, const Inside& shape, Colour colour, double opacity = 1.0);
// Adds a round glow of the colour around (cx, cy): strength at the centre,
// falling off as exp(-(d / radius)^2). Light only; coverage is unchanged.
void glow(Layer& layer, double cx, double cy, double radius, Colour colour, double strength);

// Shapes.
Inside ellipse(double cx, double cy, double rx, double ry);
Inside box(double x0, double y0, double x1, double y1);
Inside roundedBox(double x0, double y0, double x1, double y1, double radius);
Inside polygon(std::vector<Point> corners);
Inside capsule(double ax, double ay, double bx, double by, double radius);
Inside unite(Inside a, Inside b);
Inside subtract(Inside a, Inside b);
Inside intersect(Inside a, Inside b);
// The shape turned by degrees (clockwise on screen) about (cx, cy).
Inside rotated(Inside shape, double cx, double cy, double degrees);

// Shading.
// Brightens (light > 0) towards a warm white or darkens (light < 0) a colour.
Colour lit(Colour base, double light);
// Vertical bevel: light from the top, for metal plates between y0 and y1.
Colour bevel(Colour base, double y, double y0, double y1);
// A ball lit from the upper left: nx, ny in -1..1 from its centre.
Colour sphere(Colour base, double nx, double ny);

double smoothstep(double e0, double e1, double x);
