#include "host/graphics/Text.h"

#include "host/system/Exceptions.h"
#include "host/system/SysUtils.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#ifndef ZELHOST_FONT_DIR
#define ZELHOST_FONT_DIR "/usr/share/fonts/truetype/liberation2"
#endif

namespace host {

namespace {

struct Glyph {
    Integer Left = 0, Top = 0, Width = 0, Rows = 0, Advance = 0;
    std::vector<std::uint8_t> Bits; // one byte a pixel: 1 where the glyph is
};

/// One face at one pixel size: what drawing and measuring need.
struct Sized {
    FT_Face Face = nullptr;
    Integer Ppem = 0;
    TTextMetric Metric;
    Integer UnderlinePos = 0, UnderlineSize = 1, StrikePos = 0, StrikeSize = 1;
};

// FreeType faces are not safe across threads: every use holds the lock.
struct Fonts {
    std::mutex Lock;
    FT_Library Library = nullptr;
    std::map<AnsiString, FT_Face> Faces;
    std::map<std::tuple<AnsiString, Integer, unsigned>, Glyph> Glyphs;
    std::size_t GlyphBytes = 0; // the cache starts again past a bound: sizes come from input
    Fonts() {
        if (FT_Init_FreeType(&Library)) Library = nullptr;
    }
};

Fonts& Shared() {
    static Fonts* f = new Fonts; // faces stay open for the program's life
    return *f;
}

bool HasWord(const AnsiString& Face, std::initializer_list<const char*> Words) {
    AnsiString f = LowerCase(Face);
    for (const char* w : Words)
        if (f.find(w) != AnsiString::npos) return true;
    return false;
}

FT_Face OpenFace(Fonts& F, const AnsiString& Path) {
    auto it = F.Faces.find(Path);
    if (it != F.Faces.end()) return it->second;
    FT_Face face = nullptr;
    if (!F.Library || FT_New_Face(F.Library, Path.c_str(), 0, &face))
        throw EOutOfResources(Format("Font file %s cannot be read", {Path}));
    F.Faces.emplace(Path, face);
    return face;
}

Integer Scale(long Units, Integer Ppem, FT_UShort Upem, bool Up) {
    double v = static_cast<double>(Units) * Ppem / Upem;
    return static_cast<Integer>(Up ? std::ceil(v - 1e-6) : std::lround(v));
}

Sized SizeFor(Fonts& F, const TLogFont& Font) {
    Sized s;
    s.Face = OpenFace(F, FontFileOf(Font));
    FT_UShort upem = s.Face->units_per_EM ? s.Face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(s.Face, FT_SFNT_OS2));
    long winAscent = os2 ? os2->usWinAscent : s.Face->ascender;
    long winDescent = os2 ? os2->usWinDescent : -s.Face->descender;
    long cellUnits = std::max<long>(winAscent + winDescent, 1);
    // Negative: the em height. Positive: the cell height. Zero: a cell of 16 pixels.
    Integer h = Font.lfHeight;
    if (h < 0)
        s.Ppem = -h;
    else
        s.Ppem = static_cast<Integer>(std::lround(double(h ? h : 16) * upem / cellUnits));
    s.Ppem = std::clamp<Integer>(s.Ppem, 1, 1000);
    FT_Set_Pixel_Sizes(s.Face, 0, static_cast<FT_UInt>(s.Ppem));
    TTextMetric& m = s.Metric;
    m.tmAscent = Scale(winAscent, s.Ppem, upem, true);
    m.tmDescent = Scale(winDescent, s.Ppem, upem, true);
    m.tmHeight = m.tmAscent + m.tmDescent;
    m.tmInternalLeading = std::max<Integer>(m.tmHeight - s.Ppem, 0);
    m.tmAveCharWidth = os2 ? Scale(os2->xAvgCharWidth, s.Ppem, upem, false) : s.Ppem / 2;
    m.tmMaxCharWidth = Scale(s.Face->max_advance_width, s.Ppem, upem, false);
    m.tmWeight = Font.lfWeight;
    s.UnderlinePos = -Scale(s.Face->underline_position, s.Ppem, upem, false);
    s.UnderlineSize = std::max<Integer>(1, Scale(s.Face->underline_thickness, s.Ppem, upem, false));
    s.StrikePos = os2 ? Scale(os2->yStrikeoutPosition, s.Ppem, upem, false) : m.tmAscent / 3;
    s.StrikeSize = std::max<Integer>(1, os2 ? Scale(os2->yStrikeoutSize, s.Ppem, upem, false) : 1);
    return s;
}

const Glyph& GlyphOf(Fonts& F, const Sized& S, const AnsiString& File, unsigned char C) {
    auto key = std::make_tuple(File, S.Ppem, static_cast<unsigned>(C));
    auto it = F.Glyphs.find(key);
    if (it != F.Glyphs.end()) return it->second;
    Glyph g;
    // 8-bit text is Latin-1: each byte is its own code point.
    if (!FT_Load_Char(S.Face, C, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME)) {
        FT_GlyphSlot slot = S.Face->glyph;
        g.Advance = static_cast<Integer>((slot->advance.x + 32) >> 6);
        const FT_Bitmap& b = slot->bitmap;
        g.Left = slot->bitmap_left;
        g.Top = slot->bitmap_top;
        g.Width = static_cast<Integer>(b.width);
        g.Rows = static_cast<Integer>(b.rows);
        g.Bits.resize(std::size_t(g.Width) * std::size_t(g.Rows));
        for (Integer y = 0; y < g.Rows; ++y)
            for (Integer x = 0; x < g.Width; ++x) {
                const unsigned char* row = b.buffer + static_cast<long>(y) * b.pitch;
                bool on = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                             : row[x] >= 128;
                g.Bits[std::size_t(y) * std::size_t(g.Width) + std::size_t(x)] = on;
            }
    }
    constexpr std::size_t CacheBytes = 32u << 20;
    if (F.GlyphBytes + g.Bits.size() > CacheBytes) {
        F.Glyphs.clear();
        F.GlyphBytes = 0;
    }
    F.GlyphBytes += g.Bits.size() + 64;
    return F.Glyphs.emplace(key, std::move(g)).first->second;
}

} // namespace

AnsiString FontFileOf(const TLogFont& Font) {
    AnsiString face = Font.lfFaceName;
    const char* family = "Sans";
    if (HasWord(face, {"courier", "mono", "fixedsys", "terminal", "consol", "lucida console"}) ||
        (Font.lfPitchAndFamily & 3) == 1)
        family = "Mono";
    else if (HasWord(face, {"times", "serif", "georgia", "garamond", "roman"}) &&
             !HasWord(face, {"sans"}))
        family = "Serif";
    bool bold = Font.lfWeight >= 600, italic = Font.lfItalic != 0;
    const char* style = bold && italic ? "BoldItalic"
                        : bold         ? "Bold"
                        : italic       ? "Italic"
                                       : "Regular";
    return Format("%s/Liberation%s-%s.ttf", {AnsiString(ZELHOST_FONT_DIR), family, style});
}

TTextMetric GetTextMetrics(const TLogFont& Font) {
    Fonts& f = Shared();
    std::lock_guard g(f.Lock);
    return SizeFor(f, Font).Metric;
}

TSize GetTextExtent(const TLogFont& Font, std::string_view Text) {
    Fonts& f = Shared();
    std::lock_guard g(f.Lock);
    Sized s = SizeFor(f, Font);
    AnsiString file = FontFileOf(Font);
    Integer w = 0;
    for (char c : Text) w += GlyphOf(f, s, file, static_cast<unsigned char>(c)).Advance;
    return {w, s.Metric.tmHeight};
}

TSize DrawTextOn(TGdiDC& DC, const TLogFont& Font, TColorRef Color, const TColorRef* Background,
                 Integer X, Integer Y, std::string_view Text, const TRect* Clip) {
    Fonts& f = Shared();
    std::lock_guard g(f.Lock);
    Sized s = SizeFor(f, Font);
    AnsiString file = FontFileOf(Font);
    TRect b = DC.Bounds();
    if (Clip) {
        b.Left = std::max(b.Left, Clip->Left), b.Top = std::max(b.Top, Clip->Top);
        b.Right = std::min(b.Right, Clip->Right), b.Bottom = std::min(b.Bottom, Clip->Bottom);
    }
    TPixelSurface& px = *DC.Surface;
    auto put = [&](Integer x, Integer y, TColorRef c) {
        if (x >= b.Left && y >= b.Top && x < b.Right && y < b.Bottom) px.Set(x, y, c);
    };
    Integer width = 0;
    for (char c : Text) width += GlyphOf(f, s, file, static_cast<unsigned char>(c)).Advance;
    TSize extent{width, s.Metric.tmHeight};
    if (Background)
        for (Integer y = Y; y < Y + extent.cy; ++y)
            for (Integer x = X; x < X + extent.cx; ++x) put(x, y, *Background);
    Integer baseline = Y + s.Metric.tmAscent, pen = X;
    for (char c : Text) {
        const Glyph& gl = GlyphOf(f, s, file, static_cast<unsigned char>(c));
        for (Integer gy = 0; gy < gl.Rows; ++gy)
            for (Integer gx = 0; gx < gl.Width; ++gx)
                if (gl.Bits[std::size_t(gy) * std::size_t(gl.Width) + std::size_t(gx)])
                    put(pen + gl.Left + gx, baseline - gl.Top + gy, Color);
        pen += gl.Advance;
    }
    auto rule = [&](Integer Top, Integer Size) {
        for (Integer y = Top; y < Top + Size; ++y)
            for (Integer x = X; x < X + width; ++x) put(x, y, Color);
    };
    if (Font.lfUnderline) rule(baseline + s.UnderlinePos, s.UnderlineSize);
    if (Font.lfStrikeOut) rule(baseline - s.StrikePos, s.StrikeSize);
    return extent;
}

} // namespace host
