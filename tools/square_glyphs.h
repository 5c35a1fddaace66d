// The drawings of Square Bold's glyphs, read by square_font.cpp.
#pragma once

#include <vector>

// A glyph drawn as rows of grid cells, top row first: '#' is ink, '.' is
// empty; "pattern*n" repeats a row n times and '|' separates rows. `top` is
// the height of the first row's top above the baseline, in cells; `advance`
// is in cells too (even, so that it is whole pixels at 16 points).
struct GlyphDesign {
    char c;
    int advance;
    int top;
    const char* art;
};

extern const GlyphDesign kNotdefDesign;
// Printable ASCII, 32 to 126.
const std::vector<GlyphDesign>& glyphDesigns();
