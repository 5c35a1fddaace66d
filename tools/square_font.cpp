#include "square_font.h"

#include "square_glyphs.h"
#include "truetype.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace {

// Reads "pattern*count|pattern*count|..." into cells; a pattern without a
// count is one row.
CellGlyph parseGlyph(const GlyphDesign& design)
{
    std::vector<std::string> rows;
    std::string art = design.art;
    size_t start = 0;
    while (start <= art.size()) {
        size_t end = art.find('|', start);
        if (end == std::string::npos)
            end = art.size();
        std::string piece = art.substr(start, end - start);
        int count = 1;
        if (size_t star = piece.find('*'); star != std::string::npos) {
            count = std::stoi(piece.substr(star + 1));
            piece.resize(star);
        }
        if (piece.find_first_not_of("#.") != std::string::npos || count < 1)
            throw std::invalid_argument(std::string("bad art for glyph '") + design.c + "': " + piece);
        rows.insert(rows.end(), size_t(count), piece);
        start = end + 1;
    }
    CellGlyph g;
    g.advance = design.advance;
    g.top = design.top;
    g.height = int(rows.size());
    for (const std::string& r : rows)
        g.width = std::max(g.width, int(r.size()));
    g.cells.assign(size_t(g.width) * g.height, false);
    for (int row = 0; row < g.height; ++row)
        for (int x = 0; x < int(rows[row].size()); ++x)
            g.cells[size_t(row) * g.width + x] = rows[row][x] == '#';
    return g;
}

struct Glyphs {
    CellGlyph notdef;
    std::map<char, CellGlyph> byChar;
};

const Glyphs& glyphs()
{
    static const Glyphs all = [] {
        Glyphs g;
        g.notdef = parseGlyph(kNotdefDesign);
        for (const GlyphDesign& d : glyphDesigns())
            g.byChar[d.c] = parseGlyph(d);
        for (int c = kSquareFirstChar; c <= kSquareLastChar; ++c)
            if (!g.byChar.count(char(c)))
                throw std::logic_error(std::string("no design for '") + char(c) + "'");
        return g;
    }();
    return all;
}

// ---- Outlines ----------------------------------------------------------------

// A directed edge along the cell boundary, with the ink on its right.
struct Edge {
    FontPoint from, to;
    bool used = false;
};

bool samePoint(FontPoint a, FontPoint b)
{
    return a.x == b.x && a.y == b.y;
}

// The boundary edges of the inked cells, in cell coordinates (y up).
std::vector<Edge> boundaryEdges(const CellGlyph& g)
{
    std::vector<Edge> edges;
    for (int row = 0; row < g.height; ++row)
        for (int x = 0; x < g.width; ++x) {
            if (!g.filled(x, row))
                continue;
            const int y = g.top - row - 1; // the cell's bottom
            if (!g.filled(x, row - 1))
                edges.push_back({{x, y + 1}, {x + 1, y + 1}});
            if (!g.filled(x + 1, row))
                edges.push_back({{x + 1, y + 1}, {x + 1, y}});
            if (!g.filled(x, row + 1))
                edges.push_back({{x + 1, y}, {x, y}});
            if (!g.filled(x - 1, row))
                edges.push_back({{x, y}, {x, y + 1}});
        }
    return edges;
}

// z of the cross product: positive for a left turn (y up).
long turn(const Edge& in, const Edge& out)
{
    long ax = in.to.x - in.from.x, ay = in.to.y - in.from.y;
    long bx = out.to.x - out.from.x, by = out.to.y - out.from.y;
    return ax * by - ay * bx;
}

// Drops the points where a contour goes straight on.
Contour withoutStraightPoints(const Contour& c)
{
    Contour out;
    const size_t n = c.size();
    for (size_t i = 0; i < n; ++i) {
        FontPoint prev = c[(i + n - 1) % n], p = c[i], next = c[(i + 1) % n];
        long cross = long(p.x - prev.x) * (next.y - p.y) - long(p.y - prev.y) * (next.x - p.x);
        if (cross != 0)
            out.push_back(p);
    }
    return out;
}

// Links the boundary edges into closed contours. Where two cells touch only
// at a corner, the walk turns right, keeping them separate shapes: every
// outline is then a simple polygon, clockwise around ink.
std::vector<Contour> traceCells(const CellGlyph& g)
{
    std::vector<Edge> edges = boundaryEdges(g);
    std::vector<Contour> contours;
    for (size_t first = 0; first < edges.size(); ++first) {
        if (edges[first].used)
            continue;
        Contour c;
        size_t at = first;
        do {
            edges[at].used = true;
            c.push_back(edges[at].from);
            size_t next = edges.size();
            for (size_t k = 0; k < edges.size(); ++k)
                if (!edges[k].used && samePoint(edges[k].from, edges[at].to) &&
                    (next == edges.size() || turn(edges[at], edges[k]) < turn(edges[at], edges[next])))
                    next = k;
            at = next;
        } while (at != edges.size());
        contours.push_back(withoutStraightPoints(c));
    }
    return contours;
}

OutlineGlyph outlineOf(const CellGlyph& g)
{
    OutlineGlyph o;
    o.advance = g.advance * kSquareCell;
    for (Contour c : traceCells(g)) {
        for (FontPoint& p : c)
            p = {p.x * kSquareCell, p.y * kSquareCell};
        o.contours.push_back(c);
    }
    return o;
}

// ---- Pixels ------------------------------------------------------------------

// The font library rounds each advance to whole pixels, halves up.
int advancePixels(const CellGlyph& g, int points)
{
    return (g.advance * points + kSquareCellsPerEm / 2) / kSquareCellsPerEm;
}

int ascentPixels(int points)
{
    return (kSquareAscender * points + kSquareCellsPerEm - 1) / kSquareCellsPerEm;
}

// Adds the inked share of each pixel under the glyph to coverage (w x h).
void coverGlyph(std::vector<double>& coverage, int w, int h, const CellGlyph& g, int penX, int baseline, int points)
{
    const double s = double(points) / kSquareCellsPerEm; // pixels per cell
    for (int row = 0; row < g.height; ++row)
        for (int cx = 0; cx < g.width; ++cx) {
            if (!g.filled(cx, row))
                continue;
            const double x0 = penX + cx * s, x1 = x0 + s;
            const double y0 = baseline - (g.top - row) * s, y1 = y0 + s;
            for (int py = int(std::floor(y0)); py < int(std::ceil(y1)); ++py)
                for (int px = int(std::floor(x0)); px < int(std::ceil(x1)); ++px) {
                    if (px < 0 || py < 0 || px >= w || py >= h)
                        continue;
                    const double ox = std::min(x1, px + 1.0) - std::max(x0, double(px));
                    const double oy = std::min(y1, py + 1.0) - std::max(y0, double(py));
                    coverage[size_t(py) * w + px] += ox * oy;
                }
        }
}

} // namespace

const CellGlyph& squareGlyph(char c)
{
    const Glyphs& all = glyphs();
    auto found = all.byChar.find(c);
    return found == all.byChar.end() ? all.notdef : found->second;
}

Bytes makeSquareFont()
{
    FontDescription font;
    font.family = "Square";
    font.style = "Bold";
    font.vendor = "KRVT";
    font.copyright = "Square Bold, drawn for the game Korvath.";
    font.unitsPerEm = kSquareUnitsPerEm;
    font.ascender = kSquareAscender * kSquareCell;
    font.descender = kSquareDescender * kSquareCell;
    font.xHeight = kSquareXHeight * kSquareCell;
    font.capHeight = kSquareCapHeight * kSquareCell;
    font.firstChar = kSquareFirstChar;
    std::vector<OutlineGlyph> outlines = {outlineOf(glyphs().notdef)};
    for (int c = kSquareFirstChar; c <= kSquareLastChar; ++c)
        outlines.push_back(outlineOf(squareGlyph(char(c))));
    return buildTrueType(font, outlines);
}

int squareTextWidth(const std::string& text, int points)
{
    int width = 0;
    for (char c : text)
        width += advancePixels(squareGlyph(c), points);
    return width;
}

TextCoverage squareTextCoverage(const std::string& text, int points)
{
    TextCoverage out;
    out.width = squareTextWidth(text, points);
    out.height = ascentPixels(points) + (-kSquareDescender * points + kSquareCellsPerEm - 1) / kSquareCellsPerEm;
    out.share.assign(size_t(out.width) * out.height, 0.0);
    int pen = 0;
    for (char c : text) {
        const CellGlyph& g = squareGlyph(c);
        coverGlyph(out.share, out.width, out.height, g, pen, ascentPixels(points), points);
        pen += advancePixels(g, points);
    }
    for (double& a : out.share)
        a = std::min(1.0, a);
    return out;
}
