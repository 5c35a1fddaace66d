#include "hit_test.h"

bool quadContainsXY(const Quad& q, double px, double py)
{
    // Crossing parity along the horizontal line through the point, with
    // products instead of divisions so that points on the outline fall one
    // definite way.
    bool inside = false;
    for (int a = 0; a < 4; ++a) {
        const int b = (a + 1) % 4;
        const bool belowA = q.y[a] <= py;
        const bool belowB = q.y[b] <= py;
        if (belowA == belowB)
            continue;
        const double lhs = (q.y[b] - py) * (q.x[a] - q.x[b]);
        const double rhs = (q.x[b] - px) * (q.y[a] - q.y[b]);
        if ((rhs <= lhs) == belowB)
            inside = !inside;
    }
    return inside;
}

bool within(double low, double v, double high)
{
    return low <= v && v <= high;
}

bool quadContainsCorner(const Quad& q, const Quad& p)
{
    for (int k = 0; k < 4; ++k)
        if (quadContainsXY(q, p.x[k], p.y[k]))
            return true;
    return false;
}
