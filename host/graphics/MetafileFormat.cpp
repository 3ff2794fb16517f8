#include "host/graphics/MetafileFormat.h"

#include "host/graphics/Graphic.h"

#include <cmath>

namespace host::emf {

Integer PixelsOf(Integer HundredthsMM) {
    return Integer(std::lround(double(HundredthsMM) * 96.0 / 2540.0));
}

Integer HundredthsMMOf(Integer Pixels) {
    return Integer(std::lround(double(Pixels) * 2540.0 / 96.0));
}

void Bad() {
    throw EInvalidGraphic("Metafile is not valid");
}

void TReader::Need(std::size_t At, std::size_t Count) const {
    if (At > FSize || Count > FSize - At) Bad();
}

TPoint THeader::OriginPixels() const {
    // The frame is in hundredths of a millimetre of the reference device.
    auto px = [](Integer V, Integer Pixels, Integer MM) {
        if (Pixels <= 0 || MM <= 0) return PixelsOf(V);
        return Integer(std::lround(double(V) * Pixels / (MM * 100.0)));
    };
    return {px(Frame.Left, Device.cx, Millimeters.cx), px(Frame.Top, Device.cy, Millimeters.cy)};
}

THeader ReadHeader(const Byte* P, std::size_t Size) {
    TReader r(P, Size);
    if (Size < 88 || r.Card(0) != EMR_HEADER || r.Card(40) != Signature) Bad();
    THeader h;
    Cardinal headerSize = r.Card(4);
    h.Bytes = r.Card(48);
    if (headerSize < 88 || headerSize % 4 || headerSize > h.Bytes || h.Bytes > Size || h.Bytes % 4)
        Bad();
    h.Bounds = r.Rect(8);
    h.Frame = r.Rect(24);
    h.Handles = r.Get<Word>(56);
    h.Device = {r.Int(72), r.Int(76)};
    h.Millimeters = {r.Int(80), r.Int(84)};
    Cardinal nDesc = r.Card(60), offDesc = r.Card(64);
    if (nDesc) {
        if (offDesc < 88 || nDesc > headerSize || offDesc > headerSize ||
            std::size_t(nDesc) * 2 > headerSize - offDesc)
            Bad();
        for (Cardinal i = 0; i < nDesc; ++i)
            h.Description += char16_t(r.Get<Word>(offDesc + 2 * i));
    }
    // Each record within the data; the last is the end.
    std::size_t at = headerSize;
    Cardinal last = EMR_HEADER;
    while (at < h.Bytes) {
        if (h.Bytes - at < 8) Bad();
        last = r.Card(at);
        Cardinal size = r.Card(at + 4);
        if (size < 8 || size % 4 || size > h.Bytes - at) Bad();
        at += size;
        if (last == EMR_EOF) break;
    }
    if (last != EMR_EOF) Bad();
    h.End = Cardinal(at); // bytes after the end record are kept, not played
    return h;
}

std::vector<Byte> Assemble(const std::vector<Byte>& Records, Cardinal RecordCount, Word Handles,
                           const TRect& Bounds, const TRect& Frame,
                           const std::u16string& Description) {
    TBytes out;
    Cardinal headerSize = Cardinal(HeaderSize + ((Description.size() * 2 + 3) & ~std::size_t(3)));
    Cardinal total = Cardinal(headerSize + Records.size() + 20);
    out.Put(EMR_HEADER), out.Put(headerSize);
    // Bounds are inclusive; nothing drawn is the empty (0, 0, -1, -1).
    if (Bounds.Right > Bounds.Left && Bounds.Bottom > Bounds.Top)
        out.PutRect({Bounds.Left, Bounds.Top, Bounds.Right - 1, Bounds.Bottom - 1});
    else
        out.PutRect({0, 0, -1, -1});
    out.PutRect(Frame);
    out.Put(Signature), out.Put<Cardinal>(0x10000), out.Put(total);
    out.Put(RecordCount + 2), out.Put<Word>(Handles), out.Put<Word>(0);
    out.Put<Cardinal>(Cardinal(Description.size()));
    out.Put<Cardinal>(Description.empty() ? 0 : Cardinal(HeaderSize));
    out.Put<Cardinal>(0); // no palette
    out.Put(DeviceWidth), out.Put(DeviceHeight), out.Put(DeviceMMWidth), out.Put(DeviceMMHeight);
    out.Put<Cardinal>(0), out.Put<Cardinal>(0), out.Put<Cardinal>(0); // no pixel format, no GL
    out.Put(DeviceMMWidth * 1000), out.Put(DeviceMMHeight * 1000);
    for (char16_t c : Description) out.Put<Word>(Word(c));
    out.Pad4();
    out.B.insert(out.B.end(), Records.begin(), Records.end());
    out.Put(EMR_EOF), out.Put<Cardinal>(20), out.Put<Cardinal>(0), out.Put<Cardinal>(16);
    out.Put<Cardinal>(20);
    return std::move(out.B);
}

} // namespace host::emf
