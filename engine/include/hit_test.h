// Hit tests on four-cornered outlines.
//
// The game fills in Quads itself for what it wants to test (a shot's box, an
// alien's box, a shield's rotated outline, a tank's self-crossing outline).
// Both tests are corner tests with a crossing-parity rule, so callers test
// both ways round where either shape can be the smaller one.
#pragma once

// Four corners: the x coordinates first, then the y coordinates; the outline
// runs 0 -> 1 -> 2 -> 3 -> 0.
struct Quad {
    double x[4];
    double y[4];
};

// Is any corner of p inside q? Corners are tried in order 0..3.
bool quadContainsCorner(const Quad& q, const Quad& p);
// The inside test for one point.
bool quadContainsXY(const Quad& q, double px, double py);

// low <= v <= high: the span tests of the shots' hit boxes.
bool within(double low, double v, double high);
