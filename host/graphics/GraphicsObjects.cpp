#include "host/graphics/GraphicsObjects.h"

#include "host/classes/TypInfoRows.h"
#include "host/system/SysUtils.h"

#include <cstring>

namespace host {

HBITMAP (*BrushBitmapHandle)(TBitmap* Bitmap) = nullptr;

// ---- TGraphicsObject ----

TGraphicsObject::~TGraphicsObject() {
    FreeHandle();
}

void TGraphicsObject::Changed() {
    if (FOnChange) FOnChange(this);
}

void TGraphicsObject::Lock() {
    if (FOwnerLock) EnterCriticalSection(*FOwnerLock);
}

void TGraphicsObject::Unlock() {
    if (FOwnerLock) LeaveCriticalSection(*FOwnerLock);
}

void TGraphicsObject::FreeHandle() {
    if (!FHandle) return;
    DeleteObject(FHandle);
    FHandle = 0;
}

void TGraphicsObject::AdoptHandle(HGDIOBJ Value) {
    Lock();
    if (Value != FHandle) {
        FreeHandle();
        FHandle = Value;
    }
    Unlock();
}

// ---- charsets ----

namespace {
struct CharsetIdent {
    Integer Value;
    const char* Name;
};
constexpr CharsetIdent Charsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};
} // namespace

bool CharsetToIdent(Integer Charset, AnsiString& Ident) {
    for (const CharsetIdent& c : Charsets)
        if (c.Value == Charset) {
            Ident = c.Name;
            return true;
        }
    return false;
}

bool IdentToCharset(const AnsiString& Ident, Integer& Charset) {
    for (const CharsetIdent& c : Charsets)
        if (SameText(Ident, c.Name)) {
            Charset = c.Value;
            return true;
        }
    return false;
}

// ---- TFont ----

TFont::TFont() : FColor(clWindowText) {}
TFont::~TFont() = default;

void TFont::Changed() {
    TGraphicsObject::Changed();
    if (FFontAdapter) FFontAdapter->Changed();
}

void TFont::AttributeChanged() {
    Lock();
    FreeHandle();
    Unlock();
    Changed();
}

void TFont::Assign(TPersistent* Source) {
    auto* f = DynCast<TFont>(Source);
    if (!f) return TGraphicsObject::Assign(Source);
    if (f == this) return;
    FCharset = f->FCharset;
    FColor = f->FColor;
    FName = f->FName;
    FPitch = f->FPitch;
    FStyle = f->FStyle;
    // A font measured at another resolution keeps its size in points.
    FHeight = f->FPixelsPerInch == FPixelsPerInch ? f->FHeight
                                                  : -MulDiv(f->GetSize(), FPixelsPerInch, 72);
    AttributeChanged();
}

void TFont::SetCharset(TFontCharset Value) {
    Value = TFontCharset(Value & 0xFF);
    if (Value == FCharset) return;
    FCharset = Value;
    AttributeChanged();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TFont::SetHeight(Integer Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    AttributeChanged();
}

void TFont::SetName(const TFontName& Value) {
    // An empty name keeps the font; a face name holds at most 31 characters.
    if (Value.empty() || Value == FName) return;
    FName = Value.substr(0, LF_FACESIZE - 1);
    AttributeChanged();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    AttributeChanged();
}

Integer TFont::GetSize() const {
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(Integer Value) {
    SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    AttributeChanged();
}

TLogFont TFont::LogFont() const {
    TLogFont l;
    l.lfHeight = FHeight;
    l.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    l.lfItalic = FStyle.Contains(fsItalic);
    l.lfUnderline = FStyle.Contains(fsUnderline);
    l.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    l.lfCharSet = static_cast<Byte>(static_cast<Integer>(FCharset));
    l.lfPitchAndFamily = FPitch == fpFixed      ? FIXED_PITCH
                         : FPitch == fpVariable ? VARIABLE_PITCH
                                                : DEFAULT_PITCH;
    std::strncpy(l.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    return l;
}

HFONT TFont::GetHandle() {
    Lock();
    if (!FHandle) FHandle = CreateFontIndirect(LogFont());
    HFONT h = FHandle;
    Unlock();
    return h;
}

void TFont::SetHandle(HFONT Value) {
    TLogFont l;
    bool known = GetObjectType(Value) == OBJ_FONT && GetObject(Value, sizeof l, &l) == sizeof l;
    AdoptHandle(Value);
    if (known) {
        // The object's attributes become the font's; the colour is not part of it.
        FHeight = l.lfHeight;
        FCharset = l.lfCharSet;
        FName = l.lfFaceName;
        Byte pitch = l.lfPitchAndFamily & 3;
        FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
        FStyle = {};
        if (l.lfWeight >= FW_BOLD) FStyle += fsBold;
        if (l.lfItalic) FStyle += fsItalic;
        if (l.lfUnderline) FStyle += fsUnderline;
        if (l.lfStrikeOut) FStyle += fsStrikeOut;
    }
    Changed();
}

// ---- TPen ----

TPen::TPen() : FColor(clBlack) {}
TPen::~TPen() = default;

void TPen::AttributeChanged() {
    Lock();
    FreeHandle();
    Unlock();
    Changed();
}

void TPen::Assign(TPersistent* Source) {
    auto* p = DynCast<TPen>(Source);
    if (!p) return TGraphicsObject::Assign(Source);
    if (p == this) return;
    FColor = p->FColor;
    FMode = p->FMode;
    FStyle = p->FStyle;
    FWidth = p->FWidth;
    AttributeChanged();
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    AttributeChanged();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    FMode = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    AttributeChanged();
}

void TPen::SetWidth(Integer Value) {
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    AttributeChanged();
}

TLogPen TPen::LogPen() const {
    static constexpr Cardinal Styles[] = {PS_SOLID,       PS_DASH,       PS_DOT,
                                          PS_DASHDOT,     PS_DASHDOTDOT, PS_NULL,
                                          PS_INSIDEFRAME, PS_USERSTYLE,  PS_ALTERNATE};
    return TLogPen{Styles[FStyle], {FWidth, 0}, ColorToRGB(FColor)};
}

HPEN TPen::GetHandle() {
    Lock();
    if (!FHandle) FHandle = CreatePenIndirect(LogPen());
    HPEN h = FHandle;
    Unlock();
    return h;
}

void TPen::SetHandle(HPEN Value) {
    TLogPen l;
    bool known = GetObjectType(Value) == OBJ_PEN && GetObject(Value, sizeof l, &l) == sizeof l;
    AdoptHandle(Value);
    if (known) {
        FColor = static_cast<Integer>(l.lopnColor);
        FWidth = l.lopnWidth.X;
        FStyle = l.lopnStyle <= PS_ALTERNATE ? static_cast<TPenStyle>(l.lopnStyle) : psSolid;
    }
    Changed();
}

// ---- TBrush ----

TBrush::TBrush() : FColor(clWhite) {}
TBrush::~TBrush() = default;

void TBrush::AttributeChanged() {
    Lock();
    FreeHandle();
    Unlock();
    Changed();
}

void TBrush::Assign(TPersistent* Source) {
    auto* b = DynCast<TBrush>(Source);
    if (!b) return TGraphicsObject::Assign(Source);
    if (b == this) return;
    FBitmap = b->FBitmap;
    FColor = b->FColor;
    FStyle = b->FStyle;
    AttributeChanged();
}

void TBrush::SetBitmap(TBitmap* Value) {
    if (Value == FBitmap) return;
    FBitmap = Value;
    AttributeChanged();
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    AttributeChanged();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    AttributeChanged();
}

TLogBrush TBrush::LogBrush() const {
    TLogBrush l{BS_SOLID, ColorToRGB(FColor), 0};
    if (FBitmap && BrushBitmapHandle) {
        l.lbStyle = BS_PATTERN;
        l.lbHatch = BrushBitmapHandle(FBitmap);
    } else if (FStyle == bsClear) {
        l.lbStyle = BS_NULL;
    } else if (FStyle >= bsHorizontal) {
        l.lbStyle = BS_HATCHED;
        l.lbHatch = static_cast<std::uintptr_t>(FStyle - bsHorizontal); // HS_HORIZONTAL ...
    }
    return l;
}

HBITMAP TBrush::GetHandlePattern() const {
    return FBitmap && BrushBitmapHandle ? BrushBitmapHandle(FBitmap) : 0;
}

HBRUSH TBrush::GetHandle() {
    Lock();
    if (!FHandle) FHandle = CreateBrushIndirect(LogBrush());
    HBRUSH h = FHandle;
    Unlock();
    return h;
}

void TBrush::SetHandle(HBRUSH Value) {
    TLogBrush l;
    bool known = GetObjectType(Value) == OBJ_BRUSH && GetObject(Value, sizeof l, &l) == sizeof l;
    AdoptHandle(Value);
    if (known) {
        FColor = static_cast<Integer>(l.lbColor);
        FBitmap = nullptr;
        if (l.lbStyle == BS_NULL)
            FStyle = bsClear;
        else if (l.lbStyle == BS_HATCHED && l.lbHatch <= HS_DIAGCROSS)
            FStyle = static_cast<TBrushStyle>(bsHorizontal + l.lbHatch);
        else
            FStyle = bsSolid;
    }
    Changed();
}

// ---- published properties ----

namespace {
constexpr TPropInfo FontProps[] = {
    HOST_PROP(TFont, Charset),
    HOST_PROP(TFont, Color),
    HOST_PROP(TFont, Height),
    HOST_PROP(TFont, Name),
    HOST_PROP(TFont, Pitch).Default(fpDefault),
    HOST_PROP(TFont, Size).Stored(false),
    HOST_PROP(TFont, Style),
};
constexpr TPropInfo PenProps[] = {
    HOST_PROP(TPen, Color).Default(clBlack),
    HOST_PROP(TPen, Mode).Default(pmCopy),
    HOST_PROP(TPen, Style).Default(psSolid),
    HOST_PROP(TPen, Width).Default(1),
};
constexpr TPropInfo BrushProps[] = {
    HOST_PROP(TBrush, Color).Default(clWhite),
    HOST_PROP(TBrush, Style).Default(bsSolid),
};
} // namespace

HOST_METACLASS(TGraphicsObject, TPersistent);
HOST_METACLASS(TFont, TGraphicsObject, PropTable(FontProps));
HOST_METACLASS(TPen, TGraphicsObject, PropTable(PenProps));
HOST_METACLASS(TBrush, TGraphicsObject, PropTable(BrushProps));

} // namespace host
