// Pictures compared pixel for pixel with those kept in the tests' data. Run with
// ZELTRIX_UPDATE_PICTURES=1 to write the references again (on purpose only, and look at them).
#pragma once

#include "host/graphics/Bitmap.h"
#include "host/graphics/PngFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace picturetest {

using Picture = std::unique_ptr<host::TBitmap, void (*)(host::TBitmap*)>;

inline Picture Own(host::TBitmap* B) {
    return Picture(B, [](host::TBitmap* P) { P->Free(); });
}

/// Compares with the reference picture `Name` in the tests' data; ZELTRIX_UPDATE_PICTURES=1
/// writes it again instead.
inline void ExpectLooksAs(host::TBitmap* Image, const char* Name) {
    const std::filesystem::path reference =
        std::filesystem::path(ZELTRIX_TEST_DATA) / "pictures" / Name;
    if (std::getenv("ZELTRIX_UPDATE_PICTURES")) host::SaveBitmapToPng(Image, reference.string());
    Picture expected = Own(host::LoadBitmapFromPng(reference.string()));
    ASSERT_EQ(Image->GetWidth(), expected->GetWidth());
    ASSERT_EQ(Image->GetHeight(), expected->GetHeight());
    int differ = 0;
    for (host::Integer y = 0; y < Image->GetHeight(); ++y)
        for (host::Integer x = 0; x < Image->GetWidth(); ++x)
            differ += Image->ColorAt(x, y) != expected->ColorAt(x, y);
    if (differ) {
        const auto actual = std::filesystem::temp_directory_path() / Name;
        host::SaveBitmapToPng(Image, actual.string());
        ADD_FAILURE() << differ << " pixels differ from " << reference << "; this one is in "
                      << actual;
    }
}

} // namespace picturetest
