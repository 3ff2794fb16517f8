// Placeable metafiles: the placement header (bounding box and units an inch) and the 16-bit
// records, translated to and from the enhanced records that the host records and plays.
#include "host/graphics/MetafileFormat.h"

#include "host/graphics/Graphic.h"

#include <algorithm>
#include <cmath>

namespace host::emf {

namespace {

using filer_bytes::GetLE;

enum : Word {
    META_EOF = 0x0000,
    META_SETBKCOLOR = 0x0201,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_TEXTOUT = 0x0521,
    META_EXTFLOODFILL = 0x0548,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
};
constexpr Word BS_DIBPATTERN = 5;

/// The bytes of a bitmap's header and colour table, at the start of `N` bytes of a
/// device-independent bitmap; 0 when they do not hold one.
std::size_t BitmapInfoSize(const Byte* B, std::size_t N) {
    if (N < 40) return 0;
    Cardinal hs = GetLE<Cardinal>(B), used = GetLE<Cardinal>(B + 32);
    Word bits = GetLE<Word>(B + 14);
    Cardinal colors = bits <= 8 ? (used ? used : 1u << bits) : 0;
    if (GetLE<Cardinal>(B + 16) == 3) colors = 3; // bit fields: three masks
    std::size_t size = std::size_t(hs) + std::size_t(colors) * 4;
    return hs < 40 || size > N ? 0 : size;
}
constexpr Word MM_ANISOTROPIC = 8;

/// A 16-bit coordinate; beyond the range the format holds, the nearest it holds.
std::int16_t Short(long long V) {
    return std::int16_t(std::clamp<long long>(V, -32768, 32767));
}

// ---- enhanced to placeable ----

class TWmfWriter {
public:
    std::vector<Byte> Out;
    Cardinal MaxRecord = 0;
    std::vector<bool> Slots;

    void Record(Word Function, std::initializer_list<std::int16_t> Params,
                const std::vector<Byte>& Tail = {}) {
        std::size_t at = Out.size();
        filer_bytes::AppendLE<Cardinal>(Out, 0);
        filer_bytes::AppendLE<Word>(Out, Function);
        for (std::int16_t p : Params) filer_bytes::AppendLE<std::int16_t>(Out, p);
        Out.insert(Out.end(), Tail.begin(), Tail.end());
        if (Out.size() % 2) Out.push_back(0);
        Cardinal words = Cardinal((Out.size() - at) / 2);
        filer_bytes::PutLE<Cardinal>(Out.data() + at, words);
        MaxRecord = std::max(MaxRecord, words);
    }
    /// The lowest free slot, as the format numbers objects.
    Word NewSlot() {
        auto it = std::find(Slots.begin(), Slots.end(), false);
        std::size_t s = std::size_t(it - Slots.begin());
        if (it == Slots.end())
            Slots.push_back(true);
        else
            *it = true;
        return Word(s);
    }
};

std::vector<Byte> ColorBytes(Cardinal C) {
    std::vector<Byte> b;
    filer_bytes::AppendLE<Cardinal>(b, C & 0xFFFFFF);
    return b;
}

} // namespace

std::vector<Byte> ToPlaceable(const std::vector<Byte>& Emf, TPoint Origin, Integer Width,
                              Integer Height, Word Inch) {
    THeader h = ReadHeader(Emf.data(), Emf.size());
    TReader all(Emf.data(), h.End);
    TWmfWriter w;
    w.Record(META_SETMAPMODE, {std::int16_t(MM_ANISOTROPIC)});
    w.Record(META_SETWINDOWORG, {Short(Origin.Y), Short(Origin.X)});
    w.Record(META_SETWINDOWEXT, {Short(Height), Short(Width)});
    std::vector<long> slotOf(std::size_t(h.Handles) + 1, -1); // enhanced index -> slot
    std::vector<TColorRef> brushColor(slotOf.size(), 0);
    std::vector<bool> isBrush(slotOf.size(), false);
    long brush = -1; // the slot of the brush selected
    auto slot = [&](Cardinal Ih) { return Ih < slotOf.size() ? slotOf[Ih] : -1; };
    for (std::size_t at = all.Card(4); at < h.End;) {
        Cardinal type = all.Card(at), size = all.Card(at + 4);
        if (type == EMR_EOF) break;
        TReader r(Emf.data() + at, size);
        at += size;
        auto x = [&](std::size_t At) { return Short(r.Int(At)); };
        try {
            switch (type) {
            case EMR_SETPIXELV: {
                std::vector<Byte> p = ColorBytes(r.Card(16));
                filer_bytes::AppendLE<std::int16_t>(p, x(12));
                filer_bytes::AppendLE<std::int16_t>(p, x(8));
                w.Record(META_SETPIXEL, {}, p);
                break;
            }
            case EMR_SETBKMODE: w.Record(META_SETBKMODE, {std::int16_t(r.Card(8))}); break;
            case EMR_SETROP2: w.Record(META_SETROP2, {std::int16_t(r.Card(8))}); break;
            case EMR_SETTEXTCOLOR: w.Record(META_SETTEXTCOLOR, {}, ColorBytes(r.Card(8))); break;
            case EMR_SETBKCOLOR: w.Record(META_SETBKCOLOR, {}, ColorBytes(r.Card(8))); break;
            case EMR_MOVETOEX: w.Record(META_MOVETO, {x(12), x(8)}); break;
            case EMR_LINETO: w.Record(META_LINETO, {x(12), x(8)}); break;
            case EMR_CREATEPEN: {
                Cardinal ih = r.Card(8);
                if (ih >= slotOf.size()) break;
                std::vector<Byte> p;
                filer_bytes::AppendLE<Word>(p, Word(r.Card(12)));
                filer_bytes::AppendLE<std::int16_t>(p, x(16));
                filer_bytes::AppendLE<std::int16_t>(p, 0);
                filer_bytes::AppendLE<Cardinal>(p, r.Card(24) & 0xFFFFFF);
                w.Record(META_CREATEPENINDIRECT, {}, p);
                slotOf[ih] = w.NewSlot();
                isBrush[ih] = false;
                break;
            }
            case EMR_CREATEBRUSHINDIRECT: {
                Cardinal ih = r.Card(8);
                if (ih >= slotOf.size()) break;
                std::vector<Byte> p;
                filer_bytes::AppendLE<Word>(p, Word(r.Card(12)));
                filer_bytes::AppendLE<Cardinal>(p, r.Card(16) & 0xFFFFFF);
                filer_bytes::AppendLE<Word>(p, Word(r.Card(20)));
                w.Record(META_CREATEBRUSHINDIRECT, {}, p);
                slotOf[ih] = w.NewSlot();
                brushColor[ih] = r.Card(16) & 0xFFFFFF;
                isBrush[ih] = true;
                break;
            }
            case EMR_CREATEDIBPATTERNBRUSHPT: {
                Cardinal ih = r.Card(8);
                if (ih >= slotOf.size()) break;
                std::vector<Byte> p;
                filer_bytes::AppendLE<Word>(p, BS_DIBPATTERN);
                filer_bytes::AppendLE<Word>(p, 0); // DIB_RGB_COLORS
                Cardinal cbBmi = r.Card(20), cbBits = r.Card(28);
                const Byte* bmi = r.At(r.Card(16), cbBmi);
                const Byte* bits = r.At(r.Card(24), cbBits);
                p.insert(p.end(), bmi, bmi + cbBmi);
                p.insert(p.end(), bits, bits + cbBits);
                w.Record(META_DIBCREATEPATTERNBRUSH, {}, p);
                slotOf[ih] = w.NewSlot();
                isBrush[ih] = true;
                break;
            }
            case EMR_EXTCREATEFONTINDIRECTW: {
                Cardinal ih = r.Card(8);
                if (ih >= slotOf.size()) break;
                std::vector<Byte> p;
                for (std::size_t f = 12; f < 32; f += 4)
                    filer_bytes::AppendLE<std::int16_t>(p, Short(r.Int(f)));
                const Byte* b = r.At(32, 8);
                p.insert(p.end(), b, b + 8);
                for (int i = 0; i < 32; ++i) {
                    Word c = r.Get<Word>(40 + 2 * std::size_t(i));
                    p.push_back(c < 256 ? Byte(c) : Byte('?'));
                }
                w.Record(META_CREATEFONTINDIRECT, {}, p);
                slotOf[ih] = w.NewSlot();
                isBrush[ih] = false;
                break;
            }
            case EMR_SELECTOBJECT: {
                long s = slot(r.Card(8));
                if (s < 0) break; // stock objects have no slot in these files
                w.Record(META_SELECTOBJECT, {std::int16_t(s)});
                if (isBrush[r.Card(8)]) brush = s;
                break;
            }
            case EMR_DELETEOBJECT: {
                Cardinal ih = r.Card(8);
                long s = slot(ih);
                if (s < 0) break;
                w.Record(META_DELETEOBJECT, {std::int16_t(s)});
                w.Slots[std::size_t(s)] = false;
                slotOf[ih] = -1;
                isBrush[ih] = false;
                break;
            }
            case EMR_RECTANGLE:
            case EMR_ELLIPSE:
                w.Record(type == EMR_RECTANGLE ? META_RECTANGLE : META_ELLIPSE,
                         {x(20), x(16), x(12), x(8)});
                break;
            case EMR_ROUNDRECT:
                w.Record(META_ROUNDRECT, {x(28), x(24), x(20), x(16), x(12), x(8)});
                break;
            case EMR_ARC:
            case EMR_CHORD:
            case EMR_PIE:
                w.Record(type == EMR_ARC     ? META_ARC
                         : type == EMR_CHORD ? META_CHORD
                                             : META_PIE,
                         {x(36), x(32), x(28), x(24), x(20), x(16), x(12), x(8)});
                break;
            case EMR_EXTFLOODFILL: {
                std::vector<Byte> p;
                filer_bytes::AppendLE<Word>(p, Word(r.Card(20)));
                filer_bytes::AppendLE<Cardinal>(p, r.Card(16) & 0xFFFFFF);
                filer_bytes::AppendLE<std::int16_t>(p, x(12));
                filer_bytes::AppendLE<std::int16_t>(p, x(8));
                w.Record(META_EXTFLOODFILL, {}, p);
                break;
            }
            case EMR_FRAMERGN: {
                // No regions in these files: the frame's sides as fills of a brush of its
                // colour, which is what a frame paints.
                Cardinal ih = r.Card(28), cb = r.Card(24), count = r.Card(48);
                if (cb < 32 || count > (cb - 32) / 16) break;
                std::vector<Byte> p;
                filer_bytes::AppendLE<Word>(p, Word(BS_SOLID));
                filer_bytes::AppendLE<Cardinal>(p, ih < brushColor.size() ? brushColor[ih] : 0);
                filer_bytes::AppendLE<Word>(p, 0);
                w.Record(META_CREATEBRUSHINDIRECT, {}, p);
                Word temp = w.NewSlot();
                w.Record(META_SELECTOBJECT, {std::int16_t(temp)});
                std::vector<Byte> rop;
                filer_bytes::AppendLE<Cardinal>(rop, PATCOPY);
                for (Cardinal i = 0; i < count; ++i) {
                    TRect f = r.Rect(72 + 16 * std::size_t(i));
                    long wd = (long)f.Right - f.Left, ht = (long)f.Bottom - f.Top;
                    if (wd < 1 || ht < 1) continue;
                    auto side = [&](long X, long Y, long W, long H) {
                        std::vector<Byte> q = rop;
                        for (long v : {H, W, Y, X})
                            filer_bytes::AppendLE<std::int16_t>(q, Short(v));
                        w.Record(META_PATBLT, {}, q);
                    };
                    side(f.Left, f.Top, wd, 1);
                    if (ht > 1) side(f.Left, f.Bottom - 1, wd, 1);
                    if (ht > 2) {
                        side(f.Left, f.Top + 1, 1, ht - 2);
                        if (wd > 1) side(f.Right - 1, f.Top + 1, 1, ht - 2);
                    }
                }
                if (brush >= 0) w.Record(META_SELECTOBJECT, {std::int16_t(brush)});
                w.Record(META_DELETEOBJECT, {std::int16_t(temp)});
                w.Slots[temp] = false;
                break;
            }
            case EMR_BITBLT:
            case EMR_STRETCHDIBITS: {
                bool bitblt = type == EMR_BITBLT;
                Integer xd = r.Int(24), yd = r.Int(28);
                Integer cx = bitblt ? r.Int(32) : r.Int(72), cy = bitblt ? r.Int(36) : r.Int(76);
                Cardinal rop = bitblt ? r.Card(40) : r.Card(68);
                Cardinal offBmi = bitblt ? r.Card(84) : r.Card(48);
                Cardinal cbBmi = bitblt ? r.Card(88) : r.Card(52);
                Cardinal offBits = bitblt ? r.Card(92) : r.Card(56);
                Cardinal cbBits = bitblt ? r.Card(96) : r.Card(60);
                std::vector<Byte> p;
                filer_bytes::AppendLE<Cardinal>(p, rop);
                if (cbBmi == 0) {
                    for (long v : {long(cy), long(cx), long(yd), long(xd)})
                        filer_bytes::AppendLE<std::int16_t>(p, Short(v));
                    w.Record(META_PATBLT, {}, p);
                    break;
                }
                Integer xs = bitblt ? r.Int(44) : r.Int(32), ys = bitblt ? r.Int(48) : r.Int(36);
                Integer cxs = bitblt ? cx : r.Int(40), cys = bitblt ? cy : r.Int(44);
                filer_bytes::AppendLE<Word>(p, 0); // DIB_RGB_COLORS
                for (long v : {long(cys), long(cxs), long(ys), long(xs), long(cy), long(cx),
                               long(yd), long(xd)})
                    filer_bytes::AppendLE<std::int16_t>(p, Short(v));
                const Byte* bmi = r.At(offBmi, cbBmi);
                const Byte* bits = r.At(offBits, cbBits);
                p.insert(p.end(), bmi, bmi + cbBmi);
                p.insert(p.end(), bits, bits + cbBits);
                w.Record(META_STRETCHDIB, {}, p);
                break;
            }
            case EMR_EXTTEXTOUTW: {
                Cardinal n = r.Card(44), off = r.Card(48), options = r.Card(52), offDx = r.Card(72);
                if (n > 0x7FFF) break;
                const Byte* chars = r.At(off, std::size_t(n) * 2);
                std::vector<Byte> p;
                filer_bytes::AppendLE<std::int16_t>(p, x(40));
                filer_bytes::AppendLE<std::int16_t>(p, x(36));
                filer_bytes::AppendLE<std::int16_t>(p, std::int16_t(n));
                filer_bytes::AppendLE<Word>(p, Word(options & (ETO_OPAQUE | ETO_CLIPPED)));
                if (options & (ETO_OPAQUE | ETO_CLIPPED))
                    for (std::size_t f : {56, 60, 64, 68})
                        filer_bytes::AppendLE<std::int16_t>(p, x(f));
                for (Cardinal i = 0; i < n; ++i) {
                    Word c = GetLE<Word>(chars + 2 * i);
                    p.push_back(c < 256 ? Byte(c) : Byte('?'));
                }
                if (n % 2) p.push_back(0);
                bool dx = offDx && offDx <= size && std::size_t(n) * 4 <= size - offDx;
                for (Cardinal i = 0; i < n; ++i)
                    filer_bytes::AppendLE<std::int16_t>(p, dx ? Short(r.Int(offDx + 4 * i)) : 0);
                w.Record(META_EXTTEXTOUT, {}, p);
                break;
            }
            default: break; // records without a 16-bit form are left out
            }
        } catch (const EInvalidGraphic&) {
            // A record too short for its fields is left out.
        }
    }
    w.Record(META_EOF, {});

    TBytes out;
    Integer bw = Integer(std::lround(double(Width) * Inch / 96.0));
    Integer bh = Integer(std::lround(double(Height) * Inch / 96.0));
    std::vector<Word> placement = {Word(PlaceableKey & 0xFFFF),
                                   Word(PlaceableKey >> 16),
                                   0,
                                   0,
                                   0,
                                   Word(Short(bw)),
                                   Word(Short(bh)),
                                   Inch,
                                   0,
                                   0};
    Word sum = 0;
    for (Word v : placement) sum ^= v, out.Put(v);
    out.Put(sum);
    out.Put<Word>(1), out.Put<Word>(9), out.Put<Word>(0x0300);
    out.Put<Cardinal>(Cardinal(9 + w.Out.size() / 2));
    out.Put<Word>(Word(w.Slots.size())), out.Put<Cardinal>(w.MaxRecord), out.Put<Word>(0);
    out.B.insert(out.B.end(), w.Out.begin(), w.Out.end());
    return std::move(out.B);
}

// ---- placeable to enhanced ----

namespace {

class TEmfWriter {
public:
    TBytes Out;
    Cardinal Count = 0;
    Cardinal Handles = 1;

    void Record(Cardinal Type, std::initializer_list<Integer> Values,
                const std::vector<Byte>& Tail = {}) {
        std::size_t at = Out.B.size();
        Out.Put(Type), Out.Put<Cardinal>(0);
        for (Integer v : Values) Out.Put(v);
        Out.B.insert(Out.B.end(), Tail.begin(), Tail.end());
        Out.Pad4();
        Out.Set(at + 4, Cardinal(Out.B.size() - at));
        ++Count;
    }
};

} // namespace

TPlaceable FromPlaceable(const Byte* P, std::size_t Size) {
    TReader file(P, Size);
    if (Size < 22 + 18 || file.Card(0) != PlaceableKey) Bad();
    std::int16_t left = file.Get<std::int16_t>(6), top = file.Get<std::int16_t>(8);
    std::int16_t right = file.Get<std::int16_t>(10), bottom = file.Get<std::int16_t>(12);
    Word inch = file.Get<Word>(14);
    if (inch == 0) Bad();
    Word headerWords = file.Get<Word>(24), kind = file.Get<Word>(22);
    Cardinal words = file.Card(28);
    if ((kind != 1 && kind != 2) || headerWords != 9 || words < 9 ||
        std::size_t(words) * 2 > Size - 22)
        Bad();
    TPlaceable result;
    result.Inch = inch;
    result.MMWidth = Integer(std::lround((long(right) - left) * 2540.0 / inch));
    result.MMHeight = Integer(std::lround((long(bottom) - top) * 2540.0 / inch));
    Integer width = PixelsOf(result.MMWidth), height = PixelsOf(result.MMHeight);

    // Logical units to the picture's pixels, by the window the records set.
    double orgX = left, orgY = top, extX = long(right) - left, extY = long(bottom) - top;
    auto px = [&](double V, double Org, double Ext, Integer Pixels) {
        double d = Ext != 0 ? (V - Org) * Pixels / Ext : V - Org;
        return Integer(std::clamp(std::floor(d + 0.5), -1e9, 1e9));
    };
    auto X = [&](std::int16_t V) { return px(V, orgX, extX, width); };
    auto Y = [&](std::int16_t V) { return px(V, orgY, extY, height); };
    auto SX = [&](std::int16_t V) { return px(V, 0, extX, width); };
    auto SY = [&](std::int16_t V) { return px(V, 0, extY, height); };

    TEmfWriter e;
    std::vector<bool> slots;
    auto newSlot = [&] {
        auto it = std::find(slots.begin(), slots.end(), false);
        std::size_t s = std::size_t(it - slots.begin());
        if (it == slots.end())
            slots.push_back(true);
        else
            *it = true;
        e.Handles = std::max<Cardinal>(e.Handles, Cardinal(s + 2));
        return Cardinal(s + 1);
    };
    std::size_t end = 22 + std::size_t(words) * 2;
    std::size_t at = 22 + 18;
    bool ended = false;
    while (at + 6 <= end) {
        Cardinal size = file.Card(at);
        Word fn = file.Get<Word>(at + 4);
        if (size < 3 || size > (end - at) / 2) Bad();
        TReader r(P + at, std::size_t(size) * 2);
        at += std::size_t(size) * 2;
        if (fn == META_EOF) {
            ended = true;
            break;
        }
        auto s16 = [&](std::size_t I) { return r.Get<std::int16_t>(6 + 2 * I); };
        auto dib = [&](std::size_t From, Cardinal Rop, Integer Xd, Integer Yd, Integer Cx,
                       Integer Cy, Integer Xs, Integer Ys, Integer Cxs, Integer Cys) {
            // The bitmap's header and colours, then its bits.
            if (From > r.Size()) return;
            std::size_t n = r.Size() - From;
            const Byte* b = r.At(From, n);
            std::size_t bmi = BitmapInfoSize(b, n);
            if (!bmi) return;
            TBytes t;
            t.Put<Cardinal>(80), t.Put(Cardinal(bmi)), t.Put(Cardinal(80 + bmi)),
                t.Put(Cardinal(n - bmi)), t.Put<Cardinal>(0), t.Put(Rop), t.Put(Cx), t.Put(Cy);
            t.B.insert(t.B.end(), b, b + n);
            e.Record(EMR_STRETCHDIBITS,
                     {Xd, Yd, Xd + Cx - 1, Yd + Cy - 1, Xd, Yd, Xs, Ys, Cxs, Cys}, t.B);
        };
        switch (fn) {
        case META_SETWINDOWORG: orgY = s16(0), orgX = s16(1); break;
        case META_SETWINDOWEXT: extY = s16(0), extX = s16(1); break;
        case META_SETBKMODE: e.Record(EMR_SETBKMODE, {s16(0)}); break;
        case META_SETROP2: e.Record(EMR_SETROP2, {s16(0)}); break;
        case META_SETTEXTCOLOR: e.Record(EMR_SETTEXTCOLOR, {Integer(r.Card(6) & 0xFFFFFF)}); break;
        case META_SETBKCOLOR: e.Record(EMR_SETBKCOLOR, {Integer(r.Card(6) & 0xFFFFFF)}); break;
        case META_MOVETO: e.Record(EMR_MOVETOEX, {X(s16(1)), Y(s16(0))}); break;
        case META_LINETO: e.Record(EMR_LINETO, {X(s16(1)), Y(s16(0))}); break;
        case META_SETPIXEL:
            e.Record(EMR_SETPIXELV, {X(s16(3)), Y(s16(2)), Integer(r.Card(6) & 0xFFFFFF)});
            break;
        case META_RECTANGLE:
        case META_ELLIPSE:
            e.Record(fn == META_RECTANGLE ? EMR_RECTANGLE : EMR_ELLIPSE,
                     {X(s16(3)), Y(s16(2)), X(s16(1)), Y(s16(0))});
            break;
        case META_ROUNDRECT:
            e.Record(EMR_ROUNDRECT,
                     {X(s16(5)), Y(s16(4)), X(s16(3)), Y(s16(2)), SX(s16(1)), SY(s16(0))});
            break;
        case META_ARC:
        case META_CHORD:
        case META_PIE:
            e.Record(fn == META_ARC     ? EMR_ARC
                     : fn == META_CHORD ? EMR_CHORD
                                        : EMR_PIE,
                     {X(s16(7)), Y(s16(6)), X(s16(5)), Y(s16(4)), X(s16(3)), Y(s16(2)), X(s16(1)),
                      Y(s16(0))});
            break;
        case META_EXTFLOODFILL:
            e.Record(EMR_EXTFLOODFILL, {X(s16(4)), Y(s16(3)), Integer(r.Card(8) & 0xFFFFFF),
                                        Integer(r.Get<Word>(6))});
            break;
        case META_PATBLT: {
            Integer x = X(s16(5)), y = Y(s16(4)), cx = SX(s16(3)), cy = SY(s16(2));
            TBytes b;
            b.Put(r.Card(6)), b.Put<Integer>(0), b.Put<Integer>(0);
            for (float v : {1.f, 0.f, 0.f, 1.f, 0.f, 0.f}) b.Put(v);
            for (int i = 0; i < 6; ++i) b.Put<Cardinal>(0);
            e.Record(EMR_BITBLT, {x, y, x + cx - 1, y + cy - 1, x, y, cx, cy}, b.B);
            break;
        }
        case META_STRETCHDIB:
            dib(6 + 4 + 2 + 16, r.Card(6), X(s16(10)), Y(s16(9)), SX(s16(8)), SY(s16(7)), s16(6),
                s16(5), s16(4), s16(3));
            break;
        case META_DIBSTRETCHBLT:
            dib(6 + 4 + 16, r.Card(6), X(s16(9)), Y(s16(8)), SX(s16(7)), SY(s16(6)), s16(5), s16(4),
                s16(3), s16(2));
            break;
        case META_DIBBITBLT:
            dib(6 + 4 + 12, r.Card(6), X(s16(7)), Y(s16(6)), SX(s16(5)), SY(s16(4)), s16(3), s16(2),
                s16(5), s16(4));
            break;
        case META_TEXTOUT:
        case META_EXTTEXTOUT: {
            Integer x, y;
            Cardinal n, options = 0;
            std::size_t text;
            TRect clip{0, 0, -1, -1};
            if (fn == META_TEXTOUT) {
                n = Word(s16(0));
                text = 8;
                std::size_t after = text + ((n + 1) & ~1u);
                y = Y(r.Get<std::int16_t>(after)), x = X(r.Get<std::int16_t>(after + 2));
            } else {
                y = Y(s16(0)), x = X(s16(1)), n = Word(s16(2)), options = Word(s16(3));
                text = 14;
                if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
                    clip = {X(s16(4)), Y(s16(5)), X(s16(6)), Y(s16(7))};
                    text += 8;
                }
            }
            const Byte* chars = r.At(text, n);
            TBytes t;
            Cardinal offString = 76, offDx = offString + ((n * 2 + 3) & ~3u);
            t.Put(x), t.Put(y), t.Put(n), t.Put(offString),
                t.Put(options & (ETO_OPAQUE | ETO_CLIPPED));
            t.PutRect(clip), t.Put(offDx);
            for (Cardinal i = 0; i < n; ++i) t.Put<Word>(chars[i]);
            t.Pad4();
            for (Cardinal i = 0; i < n; ++i) t.Put<Integer>(0);
            TBytes h;
            h.Put<Integer>(0), h.Put<Integer>(0), h.Put<Integer>(-1), h.Put<Integer>(-1);
            h.Put<Cardinal>(1), h.Put(0.f), h.Put(0.f);
            h.B.insert(h.B.end(), t.B.begin(), t.B.end());
            e.Record(EMR_EXTTEXTOUTW, {}, h.B);
            break;
        }
        case META_CREATEPENINDIRECT: {
            Cardinal ih = newSlot();
            e.Record(EMR_CREATEPEN, {Integer(ih), Integer(r.Get<Word>(6)), SX(s16(1)), 0,
                                     Integer(r.Card(12) & 0xFFFFFF)});
            break;
        }
        case META_CREATEBRUSHINDIRECT: {
            Cardinal ih = newSlot();
            e.Record(EMR_CREATEBRUSHINDIRECT,
                     {Integer(ih), Integer(r.Get<Word>(6)), Integer(r.Card(8) & 0xFFFFFF),
                      Integer(r.Get<Word>(12))});
            break;
        }
        case META_CREATEFONTINDIRECT: {
            Cardinal ih = newSlot();
            TBytes t;
            t.Put(ih);
            t.Put(SY(s16(0))), t.Put(SX(s16(1))), t.Put<Integer>(s16(2)), t.Put<Integer>(s16(3));
            t.Put<Integer>(s16(4));
            const Byte* b = r.At(16, 8);
            t.B.insert(t.B.end(), b, b + 8);
            std::size_t face = r.Size() > 24 ? std::min<std::size_t>(r.Size() - 24, 32) : 0;
            const Byte* f = r.At(24, face);
            for (std::size_t i = 0; i < 32; ++i) t.Put<Word>(i < face ? f[i] : 0);
            e.Record(EMR_EXTCREATEFONTINDIRECTW, {}, t.B);
            break;
        }
        case META_DIBCREATEPATTERNBRUSH: {
            Cardinal ih = newSlot();
            std::size_t n = r.Size() > 10 ? r.Size() - 10 : 0;
            const Byte* b = r.At(10, n);
            std::size_t bmi = BitmapInfoSize(b, n);
            if (!bmi) break; // the slot is taken all the same
            TBytes t;
            t.Put(ih), t.Put<Cardinal>(0), t.Put<Cardinal>(32), t.Put(Cardinal(bmi));
            t.Put(Cardinal(32 + bmi)), t.Put(Cardinal(n - bmi));
            t.B.insert(t.B.end(), b, b + n);
            e.Record(EMR_CREATEDIBPATTERNBRUSHPT, {}, t.B);
            break;
        }
        case META_SELECTOBJECT: e.Record(EMR_SELECTOBJECT, {Integer(Word(s16(0))) + 1}); break;
        case META_DELETEOBJECT: {
            Word s = Word(s16(0));
            if (s < slots.size()) slots[s] = false;
            e.Record(EMR_DELETEOBJECT, {Integer(s) + 1});
            break;
        }
        default:
            // Objects this host does not draw (regions, palettes, patterns) still take a slot.
            if ((fn & 0xFF) >= 0xF7 || fn == 0x01F9) newSlot();
            break;
        }
    }
    if (!ended) Bad();
    result.Emf = Assemble(e.Out.B, e.Count, Word(std::min<Cardinal>(e.Handles, 0xFFFF)),
                          {0, 0, width, height}, {0, 0, result.MMWidth, result.MMHeight}, u"");
    return result;
}

} // namespace host::emf
