// The common controls' image-list stream: a 28-byte header (magic "IL", version, image count
// and capacity, growth, image size, background colour, flags, the four overlay images), then
// the images as one BMP file and, for a masked list, the mask as another. The images sit in
// rows of four. As the common controls write it, each BMP file header gives the size of the
// headers only.
#include "host/classes/FilerBytes.h"
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/imglist/ImageLists.h"

#include <cstdint>
#include <vector>

namespace host {

using filer_bytes::AppendLE;
using filer_bytes::GetLE;

namespace {

constexpr Word Magic = 0x4C49; // "IL"
constexpr Word Version = 0x0101;
constexpr int HeaderSize = 28;

void AppendBmp(std::vector<Byte>& Out, const TPixelSurface& S, Word Bits) {
    Cardinal paletteBytes = Bits == 1 ? 8 : 0;
    Cardinal offBits = 14 + 40 + paletteBytes;
    Cardinal stride = (Cardinal(S.Width()) * Bits + 31) / 32 * 4;
    Cardinal imageSize = stride * Cardinal(S.Height());
    Out.push_back('B'), Out.push_back('M');
    AppendLE<Cardinal>(Out, offBits);
    AppendLE<Cardinal>(Out, 0);
    AppendLE<Cardinal>(Out, offBits);
    AppendLE<Cardinal>(Out, 40);
    AppendLE<Integer>(Out, S.Width());
    AppendLE<Integer>(Out, S.Height());
    AppendLE<Word>(Out, 1);
    AppendLE<Word>(Out, Bits);
    AppendLE<Cardinal>(Out, 0);
    AppendLE<Cardinal>(Out, imageSize);
    for (int i = 0; i < 4; ++i) AppendLE<Cardinal>(Out, 0);
    if (Bits == 1) AppendLE<Cardinal>(Out, 0), AppendLE<Cardinal>(Out, 0x00FFFFFF);
    std::size_t at = Out.size();
    Out.resize(at + imageSize, 0);
    for (Integer y = S.Height() - 1; y >= 0; --y, at += stride) {
        Byte* row = Out.data() + at;
        for (Integer x = 0; x < S.Width(); ++x) {
            TColorRef c = S.Get(x, y);
            if (Bits == 1) {
                if (c == RGB(255, 255, 255)) row[x / 8] |= Byte(0x80 >> (x % 8));
            } else {
                Byte* p = row + std::size_t(x) * (Bits / 8);
                p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
            }
        }
    }
}

/// A BMP file at the stream's position, or false.
bool ReadBmp(TStream* Stream, TBitmap& Bitmap) {
    try {
        Bitmap.LoadFromStream(Stream);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

bool ImageList_Write(HIMAGELIST List, TStream* Stream) {
    auto l = ImageList_Find(List);
    if (!l || !Stream) return false;
    std::vector<Byte> out;
    AppendLE<Word>(out, Magic);
    AppendLE<Word>(out, Version);
    for (Integer v : {l->Count, l->Capacity, l->Grow, l->Cx, l->Cy})
        AppendLE<std::int16_t>(out, std::int16_t(v));
    AppendLE<Cardinal>(out, l->BkColor);
    AppendLE<Word>(out, Word(l->Flags));
    for (Integer o : l->Overlays) AppendLE<std::int16_t>(out, std::int16_t(o));
    AppendBmp(out, *l->Image, (l->Flags & ILC_COLORDDB) == ILC_COLOR24 ? 24 : 32);
    if (l->Mask) AppendBmp(out, *l->Mask, 1);
    Stream->WriteBuffer(out.data(), LongInt(out.size()));
    return true;
}

HIMAGELIST ImageList_Read(TStream* Stream) {
    Byte h[HeaderSize];
    if (!Stream || Stream->Read(h, HeaderSize) != HeaderSize) return 0;
    if (GetLE<Word>(h) != Magic || GetLE<Word>(h + 2) < Version) return 0;
    auto at = [&](int Offset) { return Integer(GetLE<std::int16_t>(h + Offset)); };
    Integer count = at(4), capacity = at(6), grow = at(8), cx = at(10), cy = at(12);
    TColorRef bk = GetLE<Cardinal>(h + 14);
    Cardinal flags = GetLE<Word>(h + 18);
    if (count < 0 || cx <= 0 || cy <= 0) return 0;
    TBitmap image, mask;
    if (!ReadBmp(Stream, image)) return 0;
    if ((flags & ILC_MASK) && !ReadBmp(Stream, mask)) return 0;
    // The images sit in rows of as many as the bitmap's width holds.
    auto holds = [&](TBitmap& B) {
        Integer columns = B.GetWidth() / cx, rows = B.GetHeight() / cy;
        return columns > 0 && static_cast<long long>(columns) * rows >= count ? columns : 0;
    };
    Integer columns = holds(image);
    if (!columns || ((flags & ILC_MASK) && holds(mask) != columns)) return 0;

    auto list = std::make_shared<TImageListObject>(cx, cy, flags, grow);
    try {
        list->Reserve(std::max({capacity, count, 1}));
    } catch (const EOutOfResources&) {
        return 0;
    }
    list->Count = count;
    list->BkColor = bk;
    for (int i = 0; i < 4; ++i) {
        Integer o = at(20 + 2 * i);
        list->Overlays[std::size_t(i)] = o >= 0 && o < count ? o : -1;
    }
    for (Integer i = 0; i < count; ++i) {
        TPoint d = list->Origin(i);
        Integer sx = i % columns * cx, sy = i / columns * cy;
        for (Integer y = 0; y < cy; ++y)
            for (Integer x = 0; x < cx; ++x) {
                list->Image->Set(d.X + x, d.Y + y, image.ColorAt(sx + x, sy + y));
                if (list->Mask)
                    list->Mask->Set(d.X + x, d.Y + y,
                                    mask.ColorAt(sx + x, sy + y) == RGB(255, 255, 255)
                                        ? RGB(255, 255, 255)
                                        : 0);
            }
    }
    return GdiAddObject(std::move(list));
}

} // namespace host
