// Square Bold, the game's font: a narrow, bold, rectilinear face drawn on a
// grid and written by the generator as media/Square Bold.ttf.
//
// Every glyph is a picture of grid cells. A cell is 32 font units of a
// 1024-unit em: half a pixel at 16 points (the smallest size the game uses),
// so stems three cells wide are 1.5 pixels there, with their outer edges on
// whole pixels, and advances are whole pixels. Heights in cells above the
// baseline: capitals, digits and ascenders 22, small letters 16, descenders
// reach 6 below.
#pragma once

#include "files.h"

#include <string>
#include <vector>

constexpr int kSquareUnitsPerEm = 1024;
constexpr int kSquareCell = 32;          // font units per grid cell
constexpr int kSquareCellsPerEm = kSquareUnitsPerEm / kSquareCell;
constexpr int kSquareCapHeight = 22;     // cells
constexpr int kSquareXHeight = 16;
constexpr int kSquareDescent = 6;
// Line metrics, in cells: room above the tallest glyph so that text drawn 4
// pixels up (as the game draws its 40-pixel-high texts) keeps its top.
constexpr int kSquareAscender = 30;
constexpr int kSquareDescender = -8;
constexpr int kSquareFirstChar = 32;
constexpr int kSquareLastChar = 126;

// One glyph as a picture of cells: row 0 is the top, `top` cells above the
// baseline; filled(x, row) is true for an inked cell.
struct CellGlyph {
    int advance = 0; // cells
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<bool> cells;
    bool filled(int x, int row) const
    {
        return x >= 0 && row >= 0 && x < width && row < height && cells[size_t(row) * width + x];
    }
};

// The glyph of a printable ASCII character; others get the .notdef box.
const CellGlyph& squareGlyph(char c);

// The whole font file.
Bytes makeSquareFont();

// Text as the game's font library lays it out (advances rounded to whole
// pixels at the point size, each glyph placed at a whole pixel), as the
// inked share of each pixel, 0 to 1. Row 0 is the top of the line, which
// is `ascent` pixels above the baseline.
struct TextCoverage {
    int width = 0;
    int height = 0;
    std::vector<double> share;
    double at(int x, int y) const { return share[size_t(y) * width + x]; }
};

TextCoverage squareTextCoverage(const std::string& text, int points);
int squareTextWidth(const std::string& text, int points);
