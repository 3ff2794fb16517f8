// The enhanced-metafile format as this host writes and plays it: record types, the header's
// fields, the reference screen, and the little-endian reading and writing the records share.
// Placeable (16-bit) metafiles are translated to and from these records on load and save.
#pragma once

#include "host/classes/FilerBytes.h"
#include "host/graphics/GdiObjects.h"

#include <string>
#include <vector>

namespace host {

class TCanvas;

namespace emf {

enum : Cardinal {
    EMR_HEADER = 1,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETBKMODE = 18,
    EMR_SETROP2 = 20,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_EXTFLOODFILL = 53,
    EMR_LINETO = 54,
    EMR_FRAMERGN = 72,
    EMR_BITBLT = 76,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
};

inline constexpr Cardinal Signature = 0x464D4520; // " EMF"
inline constexpr std::size_t HeaderSize = 108;    // with both header extensions
inline constexpr Cardinal StockObject = 0x80000000;
enum : Cardinal { TRANSPARENT = 1, OPAQUE = 2 };
enum : Cardinal { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
enum : Cardinal { FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1 };
enum : Cardinal { PATCOPY = 0x00F00021, DSTINVERT = 0x00550009, SRCCOPY = 0x00CC0020 };
enum : Cardinal { SRCAND = 0x008800C6, SRCPAINT = 0x00EE0086 };
// The reference screen the host records for: 96 pixels an inch, exactly.
inline constexpr Integer DeviceWidth = 1920, DeviceHeight = 1440;
inline constexpr Integer DeviceMMWidth = 508, DeviceMMHeight = 381;

/// Pixels at 96 an inch from hundredths of a millimetre, and back (rounded to nearest).
Integer PixelsOf(Integer HundredthsMM);
Integer HundredthsMMOf(Integer Pixels);

/// Appends little-endian values to a record under construction.
struct TBytes {
    std::vector<Byte> B;
    template <class T>
    void Put(T V) {
        filer_bytes::AppendLE(B, V);
    }
    void PutRect(const TRect& R) {
        Put<Integer>(R.Left), Put<Integer>(R.Top), Put<Integer>(R.Right), Put<Integer>(R.Bottom);
    }
    void Pad4() {
        while (B.size() % 4) B.push_back(0);
    }
    /// Patches a 32-bit value at `At`.
    void Set(std::size_t At, Cardinal V) { filer_bytes::PutLE(B.data() + At, V); }
};

/// Reads a record's fields; a read past the record's end raises EInvalidGraphic, so a short
/// record never reads beyond the data.
class TReader {
public:
    TReader(const Byte* P, std::size_t Size) : FP(P), FSize(Size) {}
    template <class T>
    T Get(std::size_t At) const {
        Need(At, sizeof(T));
        return filer_bytes::GetLE<T>(FP + At);
    }
    Integer Int(std::size_t At) const { return Get<Integer>(At); }
    Cardinal Card(std::size_t At) const { return Get<Cardinal>(At); }
    TRect Rect(std::size_t At) const { return {Int(At), Int(At + 4), Int(At + 8), Int(At + 12)}; }
    const Byte* At(std::size_t At, std::size_t Count) const {
        Need(At, Count);
        return FP + At;
    }
    std::size_t Size() const { return FSize; }
    void Need(std::size_t At, std::size_t Count) const;

private:
    const Byte* FP;
    std::size_t FSize;
};

[[noreturn]] void Bad();

/// What the header of an enhanced metafile says, after its records were checked: each within
/// the data and the last an EMR_EOF.
struct THeader {
    TRect Bounds;       // pixels, inclusive
    TRect Frame;        // hundredths of a millimetre, inclusive
    Cardinal Bytes = 0; // the header's count: the metafile's bytes
    Cardinal End = 0;   // where its end record ends (within Bytes)
    Word Handles = 0;
    TSize Device, Millimeters;
    std::u16string Description;
    /// The frame's top left in the reference device's pixels.
    TPoint OriginPixels() const;
};
/// Checks `Size` bytes of an enhanced metafile (which may be followed by other data: only the
/// header's byte count is taken) and reads its header; raises EInvalidGraphic "Metafile is not
/// valid" for anything else.
THeader ReadHeader(const Byte* P, std::size_t Size);

/// Plays the records of a checked metafile onto `Canvas`: the frame, whose top left is
/// `Origin` and whose size in pixels is `Width` x `Height`, is stretched into `Dest`. The
/// canvas's pen, brush, font, copy mode and pen position are as before afterwards.
void Play(const std::vector<Byte>& Emf, TCanvas& Canvas, const TRect& Dest, TPoint Origin,
          Integer Width, Integer Height);

/// A placeable metafile (the 16-bit records after their placement header) from a checked
/// enhanced one; the bounding box is `Width` x `Height` pixels at `Inch` units an inch.
std::vector<Byte> ToPlaceable(const std::vector<Byte>& Emf, TPoint Origin, Integer Width,
                              Integer Height, Word Inch);
/// The enhanced records of a placeable metafile, its size in hundredths of a millimetre and its
/// units an inch, from the `Size` bytes its header counts. Raises EInvalidGraphic "Metafile is
/// not valid" for bad data.
struct TPlaceable {
    std::vector<Byte> Emf;
    Integer MMWidth = 0, MMHeight = 0;
    Word Inch = 0;
};
TPlaceable FromPlaceable(const Byte* P, std::size_t Size);
inline constexpr Cardinal PlaceableKey = 0x9AC6CDD7;

/// Builds a complete enhanced metafile from its records (without header and end): the header
/// with `Bounds` (pixels, exclusive right and bottom), `Frame` (hundredths of a millimetre) and
/// the description, the records, an EMR_EOF.
std::vector<Byte> Assemble(const std::vector<Byte>& Records, Cardinal RecordCount, Word Handles,
                           const TRect& Bounds, const TRect& Frame,
                           const std::u16string& Description);

} // namespace emf
} // namespace host
