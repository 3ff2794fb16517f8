#include "host/comctrls/AviFile.h"

#include "host/system/Exceptions.h"

#include <cstring>

namespace host {

namespace {

constexpr Cardinal BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2;
constexpr Integer MaxSide = 4096;

[[noreturn]] void Fail(const char* Reason) {
    throw EInvalidOperation(AnsiString("Cannot open AVI: ") + Reason);
}

Cardinal U32(std::string_view D, std::size_t At) {
    if (At + 4 > D.size()) Fail("the file is cut short");
    const auto* p = reinterpret_cast<const unsigned char*>(D.data() + At);
    return Cardinal(p[0]) | Cardinal(p[1]) << 8 | Cardinal(p[2]) << 16 | Cardinal(p[3]) << 24;
}
Word U16(std::string_view D, std::size_t At) {
    if (At + 2 > D.size()) Fail("the file is cut short");
    const auto* p = reinterpret_cast<const unsigned char*>(D.data() + At);
    return Word(p[0] | p[1] << 8);
}
bool Is(std::string_view D, std::size_t At, const char* FourCC) {
    return At + 4 <= D.size() && std::memcmp(D.data() + At, FourCC, 4) == 0;
}

/// One chunk: its id and its body inside the data it was found in.
struct Chunk {
    std::size_t Id; // offset of the four-character id
    std::string_view Body;
};

/// The chunks of a list body, each checked to lie within it.
std::vector<Chunk> Chunks(std::string_view Data, std::size_t Begin, std::size_t End) {
    std::vector<Chunk> out;
    std::size_t at = Begin;
    while (at + 8 <= End) {
        Cardinal size = U32(Data, at + 4);
        if (size > End - at - 8) Fail("a chunk runs past its list");
        out.push_back({at, Data.substr(at + 8, size)});
        at += 8 + std::size_t(size) + (size & 1);
    }
    return out;
}

struct Format {
    Integer Width = 0, Height = 0;
    bool BottomUp = true;
    Word Bits = 0;
    Cardinal Compression = 0;
    std::vector<Cardinal> Palette;
};

Cardinal Rgb(unsigned B, unsigned G, unsigned R) {
    return Cardinal(R) | Cardinal(G) << 8 | Cardinal(B) << 16;
}

Format ReadFormat(std::string_view F) {
    Format f;
    Cardinal headerSize = U32(F, 0);
    if (headerSize < 40 || headerSize > F.size()) Fail("the stream format is not a bitmap header");
    Integer w = Integer(U32(F, 4)), h = Integer(U32(F, 8));
    f.Bits = U16(F, 14);
    f.Compression = U32(F, 16);
    Cardinal used = U32(F, 32);
    if (w <= 0 || h == 0 || h == INT32_MIN || w > MaxSide || (h < 0 ? -h : h) > MaxSide)
        Fail("the frame size is out of range");
    f.Width = w;
    f.BottomUp = h > 0;
    f.Height = h > 0 ? h : -h;
    bool rgb =
        f.Compression == BI_RGB && (f.Bits == 8 || f.Bits == 16 || f.Bits == 24 || f.Bits == 32);
    bool rle =
        (f.Compression == BI_RLE8 && f.Bits == 8) || (f.Compression == BI_RLE4 && f.Bits == 4);
    if (!rgb && !rle) Fail("the video is coded in a way this control does not play");
    if (f.Bits <= 8) {
        std::size_t colours = used ? used : (std::size_t(1) << f.Bits);
        if (colours > (std::size_t(1) << f.Bits)) Fail("the palette is too large");
        if (headerSize + colours * 4 > F.size()) Fail("the palette is cut short");
        for (std::size_t i = 0; i < colours; ++i) {
            std::size_t at = headerSize + i * 4;
            f.Palette.push_back(Rgb(Byte(F[at]), Byte(F[at + 1]), Byte(F[at + 2])));
        }
        f.Palette.resize(std::size_t(1) << f.Bits, 0);
    }
    return f;
}

void DecodeRgb(const Format& f, std::string_view D, std::vector<Cardinal>& Out) {
    std::size_t stride = (std::size_t(f.Width) * f.Bits / 8 + 3) & ~std::size_t(3);
    if (D.size() < stride * std::size_t(f.Height)) Fail("a frame is cut short");
    for (Integer y = 0; y < f.Height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(D.data()) +
                          stride * std::size_t(f.BottomUp ? f.Height - 1 - y : y);
        Cardinal* to = &Out[std::size_t(y) * std::size_t(f.Width)];
        for (Integer x = 0; x < f.Width; ++x) {
            switch (f.Bits) {
            case 8: to[x] = f.Palette[row[x]]; break;
            case 16: {
                unsigned v = row[2 * x] | row[2 * x + 1] << 8; // 5-5-5
                auto c = [](unsigned v5) { return (v5 << 3) | (v5 >> 2); };
                to[x] = Rgb(c(v & 31), c((v >> 5) & 31), c((v >> 10) & 31));
                break;
            }
            case 24: to[x] = Rgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]); break;
            default: to[x] = Rgb(row[4 * x], row[4 * x + 1], row[4 * x + 2]); break;
            }
        }
    }
}

/// Run-length frames change the previous frame: what they skip stays.
void DecodeRle(const Format& f, std::string_view D, std::vector<Cardinal>& Out) {
    const auto* p = reinterpret_cast<const unsigned char*>(D.data());
    std::size_t n = D.size(), i = 0;
    Integer x = 0, y = 0; // y counts rows from the bottom when the frame is bottom-up
    bool four = f.Bits == 4;
    auto put = [&](unsigned Index) {
        if (x < f.Width && y < f.Height) {
            Integer row = f.BottomUp ? f.Height - 1 - y : y;
            Out[std::size_t(row) * std::size_t(f.Width) + std::size_t(x)] = f.Palette[Index];
        }
        ++x;
    };
    while (i + 2 <= n) {
        unsigned count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k)
                put(four ? (k & 1 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (i + 2 > n) Fail("a frame is cut short");
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {
            std::size_t bytes = four ? (value + 1) / 2 : value;
            if (i + bytes > n) Fail("a frame is cut short");
            for (unsigned k = 0; k < value; ++k)
                put(four ? (k & 1 ? p[i + k / 2] & 15 : p[i + k / 2] >> 4) : p[i + k]);
            i += bytes + (bytes & 1);
        }
        if (y >= f.Height) return;
    }
}

} // namespace

TAviClip ReadAviClip(std::string_view D) {
    if (!Is(D, 0, "RIFF") || !Is(D, 8, "AVI ")) Fail("the file is not an AVI file");
    Cardinal riffSize = U32(D, 4);
    if (riffSize < 4 || riffSize > D.size() - 8) Fail("the file is cut short");
    std::size_t end = 8 + std::size_t(riffSize);

    TAviClip clip;
    bool haveHeader = false, haveVideo = false;
    Format format;
    int videoStream = -1;
    std::string_view movi;
    std::size_t moviAt = 0;
    for (const Chunk& top : Chunks(D, 12, end)) {
        if (!Is(D, top.Id, "LIST") || top.Body.size() < 4) continue;
        std::size_t bodyAt = top.Id + 8;
        if (Is(D, bodyAt, "hdrl")) {
            int stream = -1;
            for (const Chunk& c : Chunks(D, bodyAt + 4, bodyAt + top.Body.size())) {
                if (Is(D, c.Id, "avih")) {
                    if (c.Body.size() < 40) Fail("the main header is cut short");
                    clip.MicroSecPerFrame = U32(c.Body, 0);
                    haveHeader = true;
                } else if (Is(D, c.Id, "LIST") && Is(D, c.Id + 8, "strl")) {
                    ++stream;
                    bool video = false;
                    for (const Chunk& s : Chunks(D, c.Id + 12, c.Id + 8 + c.Body.size())) {
                        if (Is(D, s.Id, "strh")) {
                            if (s.Body.size() < 4) Fail("a stream header is cut short");
                            video = s.Body.substr(0, 4) == "vids";
                        } else if (Is(D, s.Id, "strf") && video && !haveVideo) {
                            format = ReadFormat(s.Body);
                            haveVideo = true;
                            videoStream = stream;
                        }
                    }
                }
            }
        } else if (Is(D, bodyAt, "movi")) {
            movi = top.Body.substr(4);
            moviAt = bodyAt + 4;
        }
    }
    if (!haveHeader) Fail("the file has no main header");
    if (!haveVideo) Fail("the file has no video stream");
    if (moviAt == 0) Fail("the file has no frames");
    if (videoStream > 99) Fail("too many streams");

    clip.Width = format.Width;
    clip.Height = format.Height;
    const std::size_t pixels = std::size_t(format.Width) * std::size_t(format.Height);
    const char id[2] = {char('0' + videoStream / 10), char('0' + videoStream % 10)};
    std::vector<Cardinal> current(pixels, 0);
    // Frames may sit in "rec " lists inside movi.
    std::vector<Chunk> pending = Chunks(D, moviAt, moviAt + movi.size());
    for (std::size_t k = 0; k < pending.size(); ++k) {
        const Chunk& c = pending[k];
        if (Is(D, c.Id, "LIST")) {
            if (c.Body.size() >= 4 && Is(D, c.Id + 8, "rec ")) {
                auto inner = Chunks(D, c.Id + 12, c.Id + 8 + c.Body.size());
                pending.insert(pending.begin() + std::ptrdiff_t(k) + 1, inner.begin(), inner.end());
            }
            continue;
        }
        if (D[c.Id] != id[0] || D[c.Id + 1] != id[1]) continue;
        if (D.substr(c.Id + 2, 2) != "db" && D.substr(c.Id + 2, 2) != "dc") continue;
        if ((clip.Frames.size() + 1) * pixels > MaxAviPixels) Fail("the clip is too large");
        // An empty chunk repeats the frame before it.
        if (!c.Body.empty()) {
            if (format.Compression == BI_RGB)
                DecodeRgb(format, c.Body, current);
            else
                DecodeRle(format, c.Body, current);
        }
        clip.Frames.push_back(current);
    }
    if (clip.Frames.empty()) Fail("the file has no frames");
    return clip;
}

} // namespace host
