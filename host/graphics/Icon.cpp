#include "host/graphics/Icon.h"

#include "host/classes/FilerBytes.h"
#include "host/classes/Streams.h"

#include <algorithm>
#include <cstdlib>

namespace host {

namespace {

[[noreturn]] void BadIcon() {
    throw EInvalidGraphic("Icon image is not valid");
}

using filer_bytes::AppendLE;
using filer_bytes::GetLE;

/// Decodes one directory entry's image: a DIB of twice the icon's height, colours then mask.
std::shared_ptr<TGdiIcon> DecodeImage(const Byte* P, std::size_t Size) {
    if (Size < 40) BadIcon();
    if (P[0] == 0x89 && P[1] == 'P') return nullptr; // a PNG image: kept as bytes only
    Cardinal header = GetLE<Cardinal>(P);
    if (header < 40 || header > Size) BadIcon();
    Integer w = static_cast<Integer>(GetLE<Cardinal>(P + 4));
    Integer h2 = static_cast<Integer>(GetLE<Cardinal>(P + 8));
    Word bits = GetLE<Word>(P + 14);
    Cardinal clrUsed = GetLE<Cardinal>(P + 32);
    if (w <= 0 || w > 1024 || h2 <= 0 || h2 > 2048 || GetLE<Cardinal>(P + 16) != 0) BadIcon();
    Integer h = h2 / 2;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) BadIcon();
    std::size_t colors =
        bits <= 8 ? (clrUsed && clrUsed <= (1u << bits) ? clrUsed : 1u << bits) : 0;
    std::size_t at = header;
    if (at + colors * 4 > Size) BadIcon();
    std::vector<TColorRef> palette;
    for (std::size_t i = 0; i < colors; ++i)
        palette.push_back(RGB(P[at + i * 4 + 2], P[at + i * 4 + 1], P[at + i * 4]));
    at += colors * 4;
    std::size_t xorStride = std::size_t((w * bits + 31) / 32) * 4;
    std::size_t andStride = std::size_t((w + 31) / 32) * 4;
    if (at + xorStride * h + andStride * h > Size) BadIcon();
    auto icon = std::make_shared<TGdiIcon>();
    icon->Colors.Resize(w, h, 0);
    icon->Mask.assign(std::size_t(w) * std::size_t(h), false);
    for (Integer y = 0; y < h; ++y) {
        const Byte* row = P + at + xorStride * std::size_t(h - 1 - y);
        const Byte* mask = P + at + xorStride * h + andStride * std::size_t(h - 1 - y);
        for (Integer x = 0; x < w; ++x) {
            TColorRef c;
            auto pal = [&](std::size_t I) { return I < palette.size() ? palette[I] : 0; };
            switch (bits) {
            case 1: c = pal((row[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: c = pal((row[x / 2] >> (x % 2 ? 0 : 4)) & 15); break;
            case 8: c = pal(row[x]); break;
            case 24: c = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: c = RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
            }
            icon->Colors.Set(x, y, c);
            bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
            if (bits == 32 && row[4 * x + 3] == 0) transparent = true; // alpha without a mask
            icon->Mask[std::size_t(y) * std::size_t(w) + std::size_t(x)] = transparent;
        }
    }
    return icon;
}

} // namespace

// ---- TIconImage ----

TIconImage::TIconImage(const TIconImage& Source)
    : TSharedImage(Source), FWidth(Source.FWidth), FHeight(Source.FHeight),
      // The table object is the decoded image itself: a copy of its own for the copy.
      FIcon(Source.FIcon ? std::make_shared<TGdiIcon>(*Source.FIcon) : nullptr),
      FSaved(Source.FSaved) {}

void TIconImage::FreeHandle() {
    DeleteObject(FHandle);
    FHandle = 0;
}

// ---- TIcon ----

TIcon::TIcon() : FImage(new TIconImage) {
    FImage->Reference();
}

TIcon::~TIcon() {
    FImage->Release();
}

TIconImage& TIcon::OwnImage() {
    if (FImage->GetRefCount() > 1) {
        auto* copy = new TIconImage(*FImage);
        copy->Reference();
        FImage->Release();
        FImage = copy;
    }
    return *FImage;
}

void TIcon::Assign(TPersistent* Source) {
    auto* i = DynCast<TIcon>(Source);
    if (!i) return TGraphic::Assign(Source);
    if (i == this) return;
    // Both hold the one image until either changes it.
    if (FImage != i->FImage) {
        i->FImage->Reference();
        FImage->Release();
        FImage = i->FImage;
    }
    Changed(this);
}

void TIcon::SetHeight(Integer Value) {
    if (Value != GetHeight()) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetWidth(Integer Value) {
    if (Value != GetWidth()) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

HICON TIcon::GetHandle() {
    TIconImage& im = *FImage;
    if (!im.FHandle && im.FIcon) im.FHandle = GdiAddObject(im.FIcon);
    return im.FHandle;
}

void TIcon::SetHandle(HICON Value) {
    if (Value == FImage->FHandle) return;
    std::shared_ptr<TGdiIcon> icon = GdiFind<TGdiIcon>(Value, OBJ_ICON);
    if (Value && !icon) BadIcon();
    TIconImage& im = OwnImage();
    DeleteObject(im.FHandle);
    im.FHandle = Value;
    im.FIcon = icon;
    im.FWidth = icon ? icon->Colors.Width() : 0;
    im.FHeight = icon ? icon->Colors.Height() : 0;
    im.FSaved.clear();
    Changed(this);
}

HICON TIcon::ReleaseHandle() {
    TIconImage& im = OwnImage();
    HICON h = GetHandle();
    if (im.FIcon) im.FIcon = std::make_shared<TGdiIcon>(*im.FIcon); // the caller has the object
    im.FHandle = 0;
    return h;
}

TColorRef TIcon::ColorAt(Integer X, Integer Y) const {
    const TGdiIcon* icon = FImage->FIcon.get();
    return icon && icon->Colors.Contains(X, Y) ? icon->Colors.Get(X, Y) : CLR_INVALID;
}

bool TIcon::TransparentAt(Integer X, Integer Y) const {
    const TGdiIcon* icon = FImage->FIcon.get();
    if (!icon || !icon->Colors.Contains(X, Y)) return true;
    return icon->Mask[std::size_t(Y) * std::size_t(icon->Colors.Width()) + std::size_t(X)];
}

void TIcon::LoadFromStream(TStream* Stream) {
    Int64 start = Stream->GetPosition(), available = Stream->GetSize() - start;
    if (available < 6 + 16 || available > (64 << 20)) BadIcon();
    std::vector<Byte> data(static_cast<std::size_t>(available));
    Stream->ReadBuffer(data.data(), LongInt(available));
    const Byte* p = data.data();
    Word count = GetLE<Word>(p + 4);
    if (GetLE<Word>(p) != 0 || GetLE<Word>(p + 2) != 1 || count == 0 ||
        6 + std::size_t(count) * 16 > data.size())
        BadIcon();
    // The image nearest the host's icon size, then the one with the most colours.
    std::size_t best = 0, end = 6 + std::size_t(count) * 16;
    long bestScore = -1;
    for (Word i = 0; i < count; ++i) {
        const Byte* e = p + 6 + i * 16;
        Integer w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        Cardinal size = GetLE<Cardinal>(e + 8), offset = GetLE<Cardinal>(e + 12);
        if (offset < 6 + count * 16u || offset > data.size() || size > data.size() - offset)
            BadIcon();
        end = std::max<std::size_t>(end, std::size_t(offset) + size);
        long score = 100000 - (std::abs(w - 32) + std::abs(h - 32)) * 100 + GetLE<Word>(e + 6);
        if (score > bestScore) bestScore = score, best = i;
    }
    const Byte* e = p + 6 + best * 16;
    Cardinal size = GetLE<Cardinal>(e + 8), offset = GetLE<Cardinal>(e + 12);
    std::shared_ptr<TGdiIcon> image = DecodeImage(p + offset, size);
    // Only the icon's own bytes: what follows in the stream is the next value's.
    Stream->SetPosition(start + Int64(end));
    data.resize(end);
    TIconImage& im = OwnImage();
    DeleteObject(im.FHandle);
    im.FHandle = 0;
    im.FIcon = image;
    im.FWidth = image ? image->Colors.Width() : (e[0] ? e[0] : 256);
    im.FHeight = image ? image->Colors.Height() : (e[1] ? e[1] : 256);
    im.FSaved = std::move(data);
    Changed(this);
}

void TIcon::SaveToStream(TStream* Stream) {
    const TIconImage& im = *FImage;
    if (!im.FSaved.empty()) {
        Stream->WriteBuffer(im.FSaved.data(), LongInt(im.FSaved.size()));
        return;
    }
    if (!im.FIcon) return;
    // One 32-bit image with its mask.
    Integer w = im.FWidth, h = im.FHeight;
    std::size_t andStride = std::size_t((w + 31) / 32) * 4;
    std::vector<Byte> img;
    AppendLE<Cardinal>(img, 40), AppendLE<Integer>(img, w), AppendLE<Integer>(img, 2 * h);
    AppendLE<Word>(img, 1), AppendLE<Word>(img, 32), AppendLE<Cardinal>(img, 0);
    AppendLE<Cardinal>(img, Cardinal(w * h * 4 + andStride * h));
    for (int i = 0; i < 4; ++i) AppendLE<Cardinal>(img, 0);
    for (Integer y = h - 1; y >= 0; --y)
        for (Integer x = 0; x < w; ++x) {
            TColorRef c = im.FIcon->Colors.Get(x, y);
            img.push_back(GetBValue(c)), img.push_back(GetGValue(c)), img.push_back(GetRValue(c));
            img.push_back(TransparentAt(x, y) ? 0 : 255);
        }
    for (Integer y = h - 1; y >= 0; --y) {
        std::vector<Byte> row(andStride, 0);
        for (Integer x = 0; x < w; ++x)
            if (TransparentAt(x, y)) row[std::size_t(x / 8)] |= Byte(0x80 >> (x % 8));
        img.insert(img.end(), row.begin(), row.end());
    }
    std::vector<Byte> out;
    AppendLE<Word>(out, 0), AppendLE<Word>(out, 1), AppendLE<Word>(out, 1);
    out.push_back(Byte(w >= 256 ? 0 : w)), out.push_back(Byte(h >= 256 ? 0 : h));
    out.push_back(0), out.push_back(0);
    AppendLE<Word>(out, 1), AppendLE<Word>(out, 32);
    AppendLE<Cardinal>(out, Cardinal(img.size())), AppendLE<Cardinal>(out, 22);
    out.insert(out.end(), img.begin(), img.end());
    Stream->WriteBuffer(out.data(), LongInt(out.size()));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!ACanvas || !FImage->FIcon) return;
    const TGdiIcon& icon = *FImage->FIcon;
    ACanvas->PaintPicture(Rect, GetWidth(), GetHeight(), [&](Integer X, Integer Y, TColorRef& C) {
        if (icon.Mask[std::size_t(Y) * std::size_t(icon.Colors.Width()) + std::size_t(X)])
            return false;
        C = icon.Colors.Get(X, Y);
        return true;
    });
}

HOST_METACLASS(TIconImage, TSharedImage);
HOST_METACLASS(TIcon, TGraphic);

} // namespace host
