#include "host/forms/ComponentIcons.h"

#include "host/classes/KeptProperties.h"
#include "host/controls/Control.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"

#include <algorithm>
#include <cctype>

namespace host {

namespace {
void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
}

/// The glyph's letters: the capitals of the class name after its T (TActionList: AL), at most
/// three; a class without any gives its first letter.
AnsiString Initials(const AnsiString& ClassName) {
    AnsiString name = ClassName.size() > 1 && ClassName[0] == 'T' ? ClassName.substr(1) : ClassName;
    AnsiString caps;
    for (char c : name)
        if (std::isupper(static_cast<unsigned char>(c)) && caps.size() < 3) caps += c;
    if (caps.empty() && !name.empty())
        caps = char(std::toupper(static_cast<unsigned char>(name[0])));
    return caps;
}
} // namespace

bool ShowsAsIcon(TComponent* Component) {
    if (!Component || dynamic_cast<TControl*>(Component)) return false;
    TComponent* parent = Component->HasParent() ? Component->GetParentComponent() : nullptr;
    return !parent || parent == Component->GetOwner();
}

TPoint DesignPosition(TComponent* Component) {
    // A stand-in keeps the place the designer gave it as streamed.
    if (const TKeptProperties* kept = Component->GetKeptProperties();
        kept && (kept->Find("Left") || kept->Find("Top")))
        return {kept->FindInteger("Left", 0), kept->FindInteger("Top", 0)};
    LongInt at = Component->GetDesignInfo();
    return {SmallInt(at & 0xFFFF), SmallInt((at >> 16) & 0xFFFF)};
}

void PaintComponentIcon(TCanvas* Canvas, TComponent* Component, Integer X, Integer Y) {
    const Integer s = ComponentIconSize;
    // The raised square of the classic designer.
    Fill(Canvas, {X, Y, X + s, Y + s}, clBtnFace);
    Fill(Canvas, {X, Y, X + s - 1, Y + 1}, clBtnHighlight);
    Fill(Canvas, {X, Y, X + 1, Y + s - 1}, clBtnHighlight);
    Fill(Canvas, {X, Y + s - 1, X + s, Y + s}, cl3DDkShadow);
    Fill(Canvas, {X + s - 1, Y, X + s, Y + s}, cl3DDkShadow);
    Fill(Canvas, {X + 1, Y + s - 2, X + s - 1, Y + s - 1}, clBtnShadow);
    Fill(Canvas, {X + s - 2, Y + 1, X + s - 1, Y + s - 1}, clBtnShadow);
    // The glyph: a small sheet with the class's initials.
    TRect g{X + 4, Y + 4, X + 24, Y + 24};
    Fill(Canvas, g, clWindow);
    Canvas->GetBrush()->SetColor(clBtnShadow);
    Canvas->FrameRect(g);
    TFont* font = Canvas->GetFont();
    font->SetName("MS Sans Serif");
    font->SetSize(7);
    font->SetColor(clWindowText);
    font->SetStyle(TFontStyles{fsBold});
    AnsiString letters = Initials(Component->ClassName());
    TSize t = Canvas->TextExtent(letters);
    if (t.cx > 18) { // three wide capitals: the regular face fits the sheet
        font->SetStyle(TFontStyles{});
        t = Canvas->TextExtent(letters);
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextOut(X + (s - t.cx) / 2, Y + (s - t.cy) / 2, letters);
    // The name below, centred on the icon.
    font->SetSize(8);
    font->SetStyle(TFontStyles{});
    AnsiString name = Component->GetName();
    TSize n = Canvas->TextExtent(name);
    Canvas->TextOut(X + (s - n.cx) / 2, Y + s + 2, name);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

TBitmap* GetDesignImage(TComponent* Root, Integer Width, Integer Height) {
    auto* image = new TBitmap;
    try {
        image->SetPixelFormat(pf24bit);
        image->SetSize(std::max<Integer>(Width, 1), std::max<Integer>(Height, 1));
        TCanvas* c = image->GetCanvas();
        Fill(c, {0, 0, image->GetWidth(), image->GetHeight()}, clWindow);
        for (Integer i = 0; i < Root->GetComponentCount(); ++i) {
            TComponent* component = Root->GetComponents(i);
            if (!ShowsAsIcon(component)) continue;
            TPoint at = DesignPosition(component);
            PaintComponentIcon(c, component, at.X, at.Y);
        }
    } catch (...) {
        image->Free();
        throw;
    }
    return image;
}

} // namespace host
