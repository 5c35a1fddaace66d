// Writing a TrueType font file from glyph outlines.
//
// The outlines are polygons of on-curve points only (straight edges), which
// is all a rectilinear font needs. The writer makes the ten tables FreeType
// and other readers expect (OS/2, cmap, glyf, head, hhea, hmtx, loca, maxp,
// name, post) and a one-instruction 'prep', whose presence tells FreeType
// the font brings its own (empty) hinting: the outlines are then scaled as
// drawn instead of being moved by the automatic hinter.
#pragma once

#include "files.h"

#include <string>
#include <vector>

struct FontPoint {
    int x, y; // font units, y up from the baseline
};

// Outer contours run clockwise, holes anticlockwise (TrueType's rule).
using Contour = std::vector<FontPoint>;

struct OutlineGlyph {
    int advance = 0; // font units
    std::vector<Contour> contours;
};

struct FontDescription {
    std::string family;      // "Square"
    std::string style;       // "Bold"
    std::string vendor;      // four letters
    std::string copyright;
    int unitsPerEm = 1024;
    int ascender = 0;        // above the baseline, positive
    int descender = 0;       // below the baseline, negative
    int xHeight = 0;
    int capHeight = 0;
    int firstChar = 32;      // glyph 1 maps to this character, glyph 2 to the next, ...
};

// glyphs[0] is .notdef; glyphs[1..] are the characters from firstChar on.
// Throws std::invalid_argument for an empty glyph list or coordinates that
// do not fit the file's 16-bit fields.
Bytes buildTrueType(const FontDescription& font, const std::vector<OutlineGlyph>& glyphs);
