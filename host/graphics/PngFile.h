// Pictures for people: a bitmap written as (and read back from) a PNG file, with libpng. The
// host's own formats stay BMP, ICO and metafiles; PNG is what the tool renders and what the tests
// keep their reference pictures in.
#pragma once

#include "host/system/Types.h"

namespace host {

class TBitmap;

/// Writes the bitmap's colours as an 8-bit RGB PNG; EFCreateError when the file cannot be made.
void SaveBitmapToPng(TBitmap* Bitmap, const AnsiString& Path);
/// Reads a PNG (any colour type, alpha dropped) into a new 24-bit bitmap the caller frees;
/// EFOpenError when the file cannot be opened, EReadError when it is not a PNG it can read.
TBitmap* LoadBitmapFromPng(const AnsiString& Path);

} // namespace host
