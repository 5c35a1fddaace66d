#include "truetype.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace {

// TrueType is big-endian throughout.
void be16(Bytes& out, int v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void be32(Bytes& out, uint32_t v)
{
    be16(out, int(v >> 16));
    be16(out, int(v & 0xFFFF));
}

void tag(Bytes& out, const char* name)
{
    out.insert(out.end(), name, name + 4);
}

void setBe32(Bytes& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(v >> (24 - 8 * i));
}

void pad4(Bytes& out)
{
    while (out.size() % 4)
        out.push_back(0);
}

int16_t checkedShort(long v)
{
    if (v < SHRT_MIN || v > SHRT_MAX)
        throw std::invalid_argument("font coordinate out of range: " + std::to_string(v));
    return int16_t(v);
}

uint32_t checksum(const Bytes& table)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < table.size(); i += 4) {
        uint32_t word = 0;
        for (size_t k = 0; k < 4; ++k)
            word = word << 8 | (i + k < table.size() ? table[i + k] : 0);
        sum += word;
    }
    return sum;
}

struct Box {
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool empty = true;
    void add(FontPoint p)
    {
        if (empty) {
            xMin = xMax = p.x;
            yMin = yMax = p.y;
            empty = false;
        }
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    void add(const Box& b)
    {
        if (!b.empty) {
            add(FontPoint{b.xMin, b.yMin});
            add(FontPoint{b.xMax, b.yMax});
        }
    }
};

Box boxOf(const OutlineGlyph& g)
{
    Box box;
    for (const Contour& c : g.contours)
        for (FontPoint p : c)
            box.add(p);
    return box;
}

// Facts about all glyphs that several tables repeat.
struct Summary {
    Box bounds;
    int maxAdvance = 0, maxPoints = 0, maxContours = 0;
    int minLsb = INT_MAX, minRsb = INT_MAX, maxExtent = 0;
    long advanceSum = 0;
};

Summary summarise(const std::vector<OutlineGlyph>& glyphs)
{
    Summary s;
    for (const OutlineGlyph& g : glyphs) {
        Box b = boxOf(g);
        s.bounds.add(b);
        s.maxAdvance = std::max(s.maxAdvance, g.advance);
        s.advanceSum += g.advance;
        int points = 0;
        for (const Contour& c : g.contours)
            points += int(c.size());
        s.maxPoints = std::max(s.maxPoints, points);
        s.maxContours = std::max(s.maxContours, int(g.contours.size()));
        if (!b.empty) {
            s.minLsb = std::min(s.minLsb, b.xMin);
            s.minRsb = std::min(s.minRsb, g.advance - b.xMax);
            s.maxExtent = std::max(s.maxExtent, b.xMax);
        }
    }
    if (s.minLsb == INT_MAX)
        s.minLsb = s.minRsb = 0;
    return s;
}

// One simple glyph: all points on the curve, coordinates as 16-bit deltas.
Bytes glyphData(const OutlineGlyph& g)
{
    Bytes out;
    if (g.contours.empty())
        return out;
    Box b = boxOf(g);
    be16(out, int(g.contours.size()));
    for (int v : {b.xMin, b.yMin, b.xMax, b.yMax})
        be16(out, checkedShort(v));
    int last = -1;
    for (const Contour& c : g.contours) {
        last += int(c.size());
        be16(out, last);
    }
    be16(out, 0); // no instructions
    const uint8_t kOnCurve = 0x01;
    out.insert(out.end(), size_t(last + 1), kOnCurve);
    for (bool xs : {true, false}) {
        int previous = 0;
        for (const Contour& c : g.contours)
            for (FontPoint p : c) {
                int v = xs ? p.x : p.y;
                be16(out, checkedShort(v - previous));
                previous = v;
            }
    }
    return out;
}

struct GlyphTables {
    Bytes glyf, loca, hmtx;
};

GlyphTables glyphTables(const std::vector<OutlineGlyph>& glyphs)
{
    GlyphTables t;
    for (const OutlineGlyph& g : glyphs) {
        be32(t.loca, uint32_t(t.glyf.size()));
        Bytes data = glyphData(g);
        t.glyf.insert(t.glyf.end(), data.begin(), data.end());
        pad4(t.glyf);
        be16(t.hmtx, checkedShort(g.advance));
        be16(t.hmtx, checkedShort(boxOf(g).xMin));
    }
    be32(t.loca, uint32_t(t.glyf.size()));
    return t;
}

Bytes headTable(const FontDescription& f, const Summary& s)
{
    Bytes t;
    be32(t, 0x00010000);
    be32(t, 0x00010000); // font revision 1.0
    be32(t, 0);          // checksum adjustment, filled in last
    be32(t, 0x5F0F3CF5);
    be16(t, 0x000B);     // baseline at y 0, left side bearing at x 0, integer scaling
    be16(t, f.unitsPerEm);
    for (int i = 0; i < 4; ++i)
        be32(t, 0);      // created and modified: none, so every build writes the same bytes
    for (int v : {s.bounds.xMin, s.bounds.yMin, s.bounds.xMax, s.bounds.yMax})
        be16(t, checkedShort(v));
    be16(t, 0x0001);     // bold
    be16(t, 8);          // smallest readable size, pixels per em
    be16(t, 2);
    be16(t, 1);          // long offsets in loca
    be16(t, 0);
    return t;
}

Bytes hheaTable(const FontDescription& f, const Summary& s, int glyphCount)
{
    Bytes t;
    be32(t, 0x00010000);
    be16(t, f.ascender);
    be16(t, f.descender);
    be16(t, 0); // line gap
    be16(t, s.maxAdvance);
    be16(t, s.minLsb);
    be16(t, s.minRsb);
    be16(t, s.maxExtent);
    be16(t, 1); // caret straight up
    be16(t, 0);
    be16(t, 0);
    for (int i = 0; i < 5; ++i)
        be16(t, 0);
    be16(t, glyphCount);
    return t;
}

Bytes maxpTable(const Summary& s, int glyphCount)
{
    Bytes t;
    be32(t, 0x00010000);
    be16(t, glyphCount);
    be16(t, s.maxPoints);
    be16(t, s.maxContours);
    be16(t, 0);
    be16(t, 0);
    be16(t, 2); // zones
    for (int i = 0; i < 8; ++i)
        be16(t, 0);
    return t;
}

Bytes os2Table(const FontDescription& f, const Summary& s, int glyphCount)
{
    const int lastChar = f.firstChar + glyphCount - 2;
    const int em = f.unitsPerEm;
    Bytes t;
    be16(t, 4);
    be16(t, int(s.advanceSum / glyphCount));
    be16(t, 700); // bold
    be16(t, 3);   // condensed
    be16(t, 0);   // no embedding restrictions
    for (int v : {em * 6 / 10, em * 6 / 10, 0, em / 8, em * 6 / 10, em * 6 / 10, 0, em / 2})
        be16(t, v); // subscript and superscript size and offset
    be16(t, em / 16);             // strikeout size
    be16(t, f.xHeight / 2);       // strikeout position
    be16(t, 0);                   // family class
    t.insert(t.end(), 10, 0);     // PANOSE: any
    be32(t, 1);                   // Basic Latin
    be32(t, 0);
    be32(t, 0);
    be32(t, 0);
    tag(t, f.vendor.c_str());
    be16(t, 0x0020 | 0x0080);     // bold; use the typographic metrics
    be16(t, f.firstChar);
    be16(t, lastChar);
    be16(t, f.ascender);
    be16(t, f.descender);
    be16(t, 0);
    be16(t, f.ascender);
    be16(t, -f.descender);
    be32(t, 1);                   // Latin 1 code page
    be32(t, 0);
    be16(t, f.xHeight);
    be16(t, f.capHeight);
    be16(t, 0);
    be16(t, ' ');
    be16(t, 1);
    return t;
}

// Format 4: one segment maps firstChar.. onto glyphs 1.., a second ends the table.
Bytes cmapTable(const FontDescription& f, int glyphCount)
{
    const int lastChar = f.firstChar + glyphCount - 2;
    Bytes sub;
    be16(sub, 4);
    be16(sub, 32); // length
    be16(sub, 0);
    be16(sub, 4);  // two segments, doubled
    be16(sub, 4);  // search range
    be16(sub, 1);  // entry selector
    be16(sub, 0);  // range shift
    be16(sub, lastChar);
    be16(sub, 0xFFFF);
    be16(sub, 0);
    be16(sub, f.firstChar);
    be16(sub, 0xFFFF);
    be16(sub, (1 - f.firstChar) & 0xFFFF);
    be16(sub, 1);
    be16(sub, 0);
    be16(sub, 0);

    Bytes t;
    be16(t, 0);
    be16(t, 2);
    for (int platform : {0, 3}) { // Unicode, and Windows Unicode BMP
        be16(t, platform);
        be16(t, platform == 0 ? 3 : 1);
        be32(t, 4 + 2 * 8);
    }
    t.insert(t.end(), sub.begin(), sub.end());
    return t;
}

Bytes nameTable(const FontDescription& f)
{
    const std::string full = f.family + " " + f.style;
    const std::pair<int, std::string> names[] = {
        {0, f.copyright},
        {1, f.family},
        {2, f.style},
        {3, f.vendor + ": " + full},
        {4, full},
        {5, "Version 1.000"},
        {6, f.family + "-" + f.style},
    };
    Bytes records, strings;
    for (const auto& [id, text] : names) {
        be16(records, 3);     // Windows
        be16(records, 1);     // Unicode BMP
        be16(records, 0x409); // English
        be16(records, id);
        be16(records, int(text.size() * 2));
        be16(records, int(strings.size()));
        for (unsigned char c : text)
            be16(strings, c); // UTF-16BE of ASCII
    }
    Bytes t;
    be16(t, 0);
    be16(t, int(std::size(names)));
    be16(t, 6 + int(records.size()));
    t.insert(t.end(), records.begin(), records.end());
    t.insert(t.end(), strings.begin(), strings.end());
    return t;
}

Bytes postTable(const FontDescription& f)
{
    Bytes t;
    be32(t, 0x00030000); // no glyph names
    be32(t, 0);          // upright
    be16(t, -f.unitsPerEm / 8);
    be16(t, f.unitsPerEm / 16);
    be32(t, 0);          // proportional
    for (int i = 0; i < 4; ++i)
        be32(t, 0);
    return t;
}

struct Table {
    const char* tag;
    Bytes data;
};

// The table directory, then the tables 4-byte aligned, then head's
// whole-file checksum adjustment.
Bytes assemble(std::vector<Table> tables)
{
    std::sort(tables.begin(), tables.end(),
              [](const Table& a, const Table& b) { return std::string(a.tag, 4) < std::string(b.tag, 4); });
    const int n = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log2;
    }
    Bytes out;
    be32(out, 0x00010000);
    be16(out, n);
    be16(out, power * 16);
    be16(out, log2);
    be16(out, n * 16 - power * 16);
    size_t offset = 12 + 16 * size_t(n);
    size_t headAt = 0;
    for (const Table& t : tables) {
        tag(out, t.tag);
        be32(out, checksum(t.data));
        be32(out, uint32_t(offset));
        be32(out, uint32_t(t.data.size()));
        if (std::string(t.tag, 4) == "head")
            headAt = offset;
        offset += (t.data.size() + 3) / 4 * 4;
    }
    for (const Table& t : tables) {
        out.insert(out.end(), t.data.begin(), t.data.end());
        pad4(out);
    }
    setBe32(out, headAt + 8, 0xB1B0AFBA - checksum(out));
    return out;
}

} // namespace

Bytes buildTrueType(const FontDescription& font, const std::vector<OutlineGlyph>& glyphs)
{
    if (glyphs.empty() || font.vendor.size() != 4)
        throw std::invalid_argument("a font needs a .notdef glyph and a four-letter vendor");
    const int count = int(glyphs.size());
    const Summary summary = summarise(glyphs);
    GlyphTables g = glyphTables(glyphs);
    const Bytes prep = {0x00}; // SVTCA[y]: does nothing, but marks the font as hinted
    return assemble({
        {"OS/2", os2Table(font, summary, count)},
        {"cmap", cmapTable(font, count)},
        {"glyf", g.glyf},
        {"head", headTable(font, summary)},
        {"hhea", hheaTable(font, summary, count)},
        {"hmtx", g.hmtx},
        {"loca", g.loca},
        {"maxp", maxpTable(summary, count)},
        {"name", nameTable(font)},
        {"post", postTable(font)},
        {"prep", prep},
    });
}
