// The headless graphics-object table: fonts, pens, brushes (and, later, bitmaps, palettes and
// device contexts) are objects of one table, and their handles are ids into it, so that a handle
// read through a class info and written back finds its object again.
#pragma once

#include "host/graphics/Colors.h"

#include <atomic>
#include <memory>

namespace host {

using HGDIOBJ = LongWord;
using HFONT = HGDIOBJ;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HPALETTE = HGDIOBJ;
using HDC = HGDIOBJ;

enum : Integer {
    OBJ_PEN = 1,
    OBJ_BRUSH = 2,
    OBJ_DC = 3,
    OBJ_PAL = 5,
    OBJ_FONT = 6,
    OBJ_BITMAP = 7,
    OBJ_ENHMETAFILE = 13,
    OBJ_ICON = 100 // icons are objects of the table too, headless
};

// Pen styles, brush styles and hatches of the logical records.
enum : Cardinal {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
    PS_USERSTYLE = 7,
    PS_ALTERNATE = 8
};
enum : Cardinal { BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2, BS_PATTERN = 3 };
enum : Integer {
    HS_HORIZONTAL = 0,
    HS_VERTICAL = 1,
    HS_FDIAGONAL = 2,
    HS_BDIAGONAL = 3,
    HS_CROSS = 4,
    HS_DIAGCROSS = 5
};
enum : Integer { FW_NORMAL = 400, FW_BOLD = 700 };
enum : Byte { DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2 };
// Stock objects.
enum : Integer {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    SYSTEM_FONT = 13,
    DEFAULT_GUI_FONT = 17
};

constexpr int LF_FACESIZE = 32;

struct TLogPen {
    Cardinal lopnStyle = PS_SOLID;
    TPoint lopnWidth{1, 0};
    TColorRef lopnColor = 0;
};

struct TLogBrush {
    Cardinal lbStyle = BS_SOLID;
    TColorRef lbColor = 0;
    std::uintptr_t lbHatch = 0; // a hatch style, or the pattern bitmap's handle for BS_PATTERN
};

struct TLogFont {
    Integer lfHeight = 0;
    Integer lfWidth = 0;
    Integer lfEscapement = 0;
    Integer lfOrientation = 0;
    Integer lfWeight = FW_NORMAL;
    Byte lfItalic = 0;
    Byte lfUnderline = 0;
    Byte lfStrikeOut = 0;
    Byte lfCharSet = 1;
    Byte lfOutPrecision = 0;
    Byte lfClipPrecision = 0;
    Byte lfQuality = 0;
    Byte lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

/// An object of the table. Its kind says which logical record it holds.
class TGdiObject {
public:
    explicit TGdiObject(Integer AType) : Type(AType) {}
    /// A copy is an object of its own, not yet in the table.
    TGdiObject(const TGdiObject& Other) : Type(Other.Type) {}
    TGdiObject& operator=(const TGdiObject&) = delete;
    virtual ~TGdiObject() = default;
    const Integer Type;
    bool Stock = false; // never deleted
    /// False once deleted: a user that keeps the object (a canvas its context) sees it gone
    /// without asking the table.
    std::atomic<bool> InTable{true};
};

struct TGdiPen : TGdiObject {
    explicit TGdiPen(const TLogPen& L) : TGdiObject(OBJ_PEN), Log(L) {}
    TLogPen Log;
};
struct TGdiBrush : TGdiObject {
    explicit TGdiBrush(const TLogBrush& L) : TGdiObject(OBJ_BRUSH), Log(L) {}
    TLogBrush Log;
};
struct TGdiFont : TGdiObject {
    explicit TGdiFont(const TLogFont& L) : TGdiObject(OBJ_FONT), Log(L) {}
    TLogFont Log;
};

/// Enters `Object` into the table; its handle, never 0 and never reused.
HGDIOBJ GdiAddObject(std::shared_ptr<TGdiObject> Object);
/// The object of a handle while it lives (shared, so that a user keeps it across a delete);
/// null for 0, a deleted handle or one never made.
std::shared_ptr<TGdiObject> GdiFindObject(HGDIOBJ Handle);
template <class T>
std::shared_ptr<T> GdiFind(HGDIOBJ Handle, Integer Type) {
    std::shared_ptr<TGdiObject> o = GdiFindObject(Handle);
    return o && o->Type == Type ? std::static_pointer_cast<T>(o) : nullptr;
}
/// The number of objects in the table (stock objects included).
std::size_t GdiObjectCount();

HPEN CreatePenIndirect(const TLogPen& LogPen);
HPEN CreatePen(Integer Style, Integer Width, TColorRef Color);
HBRUSH CreateBrushIndirect(const TLogBrush& LogBrush);
HBRUSH CreateSolidBrush(TColorRef Color);
HBRUSH CreateHatchBrush(Integer Hatch, TColorRef Color);
HFONT CreateFontIndirect(const TLogFont& LogFont);
HGDIOBJ GetStockObject(Integer Index);
/// Removes the object; false for a stock object, 0 or a handle that is not in the table.
bool DeleteObject(HGDIOBJ Handle);
/// OBJ_PEN, OBJ_FONT, ...; 0 for a handle that is not in the table.
Integer GetObjectType(HGDIOBJ Handle);
/// Copies the object's logical record (at most `Size` bytes) to `Buffer`; returns the bytes
/// copied, 0 for a bad handle. With a null buffer, returns the record's size.
Integer GetObject(HGDIOBJ Handle, Integer Size, void* Buffer);

} // namespace host
