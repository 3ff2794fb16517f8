#include "host/graphics/PngFile.h"

#include "host/graphics/Bitmap.h"
#include "host/system/SysUtils.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace host {

namespace {
using File = std::unique_ptr<FILE, int (*)(FILE*)>;
// A picture for people is never this big; a file claiming more is refused before allocating.
constexpr png_uint_32 MaxSide = 16384;
constexpr std::size_t MaxPixels = std::size_t(64) << 20;
} // namespace

void SaveBitmapToPng(TBitmap* Bitmap, const AnsiString& Path) {
    File file(std::fopen(Path.c_str(), "wb"), &std::fclose);
    if (!file) throw EFCreateError(Format("Cannot create file %s", {Path}));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw EOutOfResources("Not enough storage is available to process this command");
    }
    Integer w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    std::vector<png_byte> rows(std::size_t(w) * std::size_t(h) * 3);
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x) {
            TColorRef c = Bitmap->ColorAt(x, y);
            png_byte* p = &rows[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3];
            p[0] = GetRValue(c), p[1] = GetGValue(c), p[2] = GetBValue(c);
        }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw EWriteError(Format("Cannot write file %s", {Path}));
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (Integer y = 0; y < h; ++y) png_write_row(png, &rows[std::size_t(y) * std::size_t(w) * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

TBitmap* LoadBitmapFromPng(const AnsiString& Path) {
    File file(std::fopen(Path.c_str(), "rb"), &std::fclose);
    if (!file) throw EFOpenError(Format("Cannot open file %s", {Path}));
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8))
        throw EReadError(Format("%s is not a PNG picture", {Path}));
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw EOutOfResources("Not enough storage is available to process this command");
    }
    std::vector<png_byte> pixels; // declared before the jump point: freed on either path
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw EReadError(Format("%s is not a PNG picture", {Path}));
    }
    png_init_io(png, file.get());
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w == 0 || h == 0 || w > MaxSide || h > MaxSide || std::size_t(w) * h > MaxPixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw EReadError(Format("%s is not a PNG picture", {Path}));
    }
    // Whatever the file holds becomes 8-bit RGB.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    pixels.resize(std::size_t(w) * h * 3);
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = &pixels[std::size_t(y) * w * 3];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    auto* bitmap = new TBitmap;
    try {
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(Integer(w), Integer(h));
        for (png_uint_32 y = 0; y < h; ++y) {
            auto* line = static_cast<png_byte*>(bitmap->GetScanLine(Integer(y)));
            for (png_uint_32 x = 0; x < w; ++x) {
                const png_byte* p = rows[y] + std::size_t(x) * 3;
                line[x * 3] = p[2], line[x * 3 + 1] = p[1], line[x * 3 + 2] = p[0]; // BGR
            }
        }
    } catch (...) {
        bitmap->Free();
        throw;
    }
    return bitmap;
}

} // namespace host
