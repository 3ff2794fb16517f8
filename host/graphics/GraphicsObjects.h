// The graphics objects: fonts, pens and brushes. Each keeps its attributes, makes its object in
// the graphics-object table on demand (Handle) and tells its owner of every change (OnChange).
#pragma once

#include "host/classes/Persistent.h"
#include "host/graphics/GdiObjects.h"
#include "host/system/CriticalSection.h"
#include "host/system/Interfaces.h"

namespace host {

class TBitmap;

/// Told when a font changes, by the adapter an OLE font wraps it in.
struct IChangeNotifier : IUnknown {
    static constexpr TGUID IID = GuidOf("{856E1A20-A11B-4F7C-9A5F-0C6F4E8D4B21}");
    virtual void Changed() = 0;
};

class TGraphicsObject : public TPersistent {
    HOST_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    /// The owner's lock (a canvas's), held around every change of the object's handle.
    PRTLCriticalSection GetOwnerCriticalSection() const { return FOwnerLock; }
    void SetOwnerCriticalSection(PRTLCriticalSection Value) { FOwnerLock = Value; }
    /// True while the table holds an object made from the attributes.
    bool HandleAllocated() const { return FHandle != 0; }

protected:
    /// Calls OnChange.
    virtual void Changed();
    void Lock();
    void Unlock();
    /// Drops the table object (it is made again from the attributes when next asked for).
    void FreeHandle();
    /// Takes `Value` over as the object's handle, freeing the previous one.
    void AdoptHandle(HGDIOBJ Value);

    HGDIOBJ FHandle = 0;

private:
    TNotifyEvent FOnChange;
    PRTLCriticalSection FOwnerLock = nullptr;
};

// ---- fonts ----

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
HOST_ENUM_INFO(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = Set<TFontStyle, 4>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
HOST_ENUM_INFO(TFontPitch, fpDefault, fpVariable, fpFixed)

enum : Byte {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    MAC_CHARSET = 77,
    SHIFTJIS_CHARSET = 128,
    HANGEUL_CHARSET = 129,
    JOHAB_CHARSET = 130,
    GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136,
    GREEK_CHARSET = 161,
    TURKISH_CHARSET = 162,
    VIETNAMESE_CHARSET = 163,
    HEBREW_CHARSET = 177,
    ARABIC_CHARSET = 178,
    BALTIC_CHARSET = 186,
    RUSSIAN_CHARSET = 204,
    THAI_CHARSET = 222,
    EASTEUROPE_CHARSET = 238,
    OEM_CHARSET = 255
};

bool CharsetToIdent(Integer Charset, AnsiString& Ident);
bool IdentToCharset(const AnsiString& Ident, Integer& Charset);
struct TFontCharsetNames {
    static constexpr const char* Name = "TFontCharset";
    static bool IdentToInt(const AnsiString& Ident, Integer& Int) {
        return IdentToCharset(Ident, Int);
    }
    static bool IntToIdent(Integer Int, AnsiString& Ident) { return CharsetToIdent(Int, Ident); }
};
/// A character set, 0 .. 255, streamed by its identifier (DEFAULT_CHARSET).
using TFontCharset = NamedInt<TFontCharsetNames>;
using TFontName = AnsiString;

/// The pixels per inch a font's Size is measured at unless set otherwise (the screen's).
inline constexpr Integer DefaultPixelsPerInch = 96;

class TFont : public TGraphicsObject {
    HOST_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    ~TFont() override;
    void Assign(TPersistent* Source) override;

    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TColor GetColor() const { return FColor; }
    /// The colour is not part of the table object: changing it keeps the handle.
    void SetColor(TColor Value);
    /// Pixels: negative for the character height, positive for the cell height.
    Integer GetHeight() const { return FHeight; }
    void SetHeight(Integer Value);
    const TFontName& GetName() const { return FName; }
    void SetName(const TFontName& Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    /// Points: -Height * 72 / PixelsPerInch, rounded.
    Integer GetSize() const;
    void SetSize(Integer Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    Integer GetPixelsPerInch() const { return FPixelsPerInch; }
    /// Changes the scale Size is measured in; Height stays.
    void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value > 0 ? Value : FPixelsPerInch; }
    /// The font's object in the table, made from the attributes when first asked for.
    HFONT GetHandle();
    /// Takes the font object `Value` over: the attributes become its own.
    void SetHandle(HFONT Value);
    ComPtr<IChangeNotifier> GetFontAdapter() const { return FFontAdapter; }
    void SetFontAdapter(const ComPtr<IChangeNotifier>& Value) { FFontAdapter = Value; }

    /// The logical font the attributes describe.
    TLogFont LogFont() const;

protected:
    void Changed() override;

private:
    void AttributeChanged();

    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor;
    Integer FHeight = -11;
    TFontName FName = "MS Sans Serif";
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    Integer FPixelsPerInch = DefaultPixelsPerInch;
    ComPtr<IChangeNotifier> FFontAdapter;
};

// ---- pens ----

enum TPenStyle {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate
};
HOST_ENUM_INFO(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame,
               psUserStyle, psAlternate)

/// How a pen's colour combines with what is drawn over (the raster operations).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
HOST_ENUM_INFO(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot,
               pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask,
               pmXor, pmNotXor)

class TPen : public TGraphicsObject {
    HOST_CLASS(TPen, TGraphicsObject)
public:
    TPen();
    ~TPen() override;
    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    /// Not part of the table object (the canvas applies it): changing it keeps the handle.
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    Integer GetWidth() const { return FWidth; }
    /// A negative width is ignored; 0 draws as thin as 1.
    void SetWidth(Integer Value);
    HPEN GetHandle();
    void SetHandle(HPEN Value);

    TLogPen LogPen() const;

private:
    void AttributeChanged();

    TColor FColor;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    Integer FWidth = 1;
};

// ---- brushes ----

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
HOST_ENUM_INFO(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
               bsCross, bsDiagCross)

class TBrush : public TGraphicsObject {
    HOST_CLASS(TBrush, TGraphicsObject)
public:
    TBrush();
    ~TBrush() override;
    void Assign(TPersistent* Source) override;

    /// A pattern the brush paints with instead of its style; not owned (the caller keeps it).
    TBitmap* GetBitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);
    TColor GetColor() const { return FColor; }
    /// A solid brush again when it was clear, as the host's.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    HBRUSH GetHandle();
    void SetHandle(HBRUSH Value);
    /// The pattern bitmap's table handle (0 without a bitmap).
    HBITMAP GetHandlePattern() const;

    TLogBrush LogBrush() const;

private:
    void AttributeChanged();

    TBitmap* FBitmap = nullptr;
    TColor FColor;
    TBrushStyle FStyle = bsSolid;
};

/// The pattern bitmap's table handle, installed by the unit that defines TBitmap; until then a
/// brush with a bitmap paints solid.
extern HBITMAP (*BrushBitmapHandle)(TBitmap* Bitmap);

} // namespace host
