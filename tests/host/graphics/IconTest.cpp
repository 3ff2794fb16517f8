// Icons: the ICO format with its AND mask, the image the host picks, drawing through the mask,
// and the file's bytes written back unchanged.
#include "host/graphics/Icon.h"
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace host;
using testsupport::MessageOf;

namespace {
struct Writer {
    std::string S;
    void U8(int V) { S += char(V); }
    void U16(unsigned V) { U8(V & 0xFF), U8(V >> 8); }
    void U32(unsigned V) { U16(V & 0xFFFF), U16(V >> 16); }
};

/// A 24-bit icon image of W x W pixels: red, with the top-left pixel transparent.
std::string Image(int W) {
    Writer w;
    int xorStride = (W * 24 + 31) / 32 * 4, andStride = (W + 31) / 32 * 4;
    w.U32(40), w.U32(W), w.U32(2 * W), w.U16(1), w.U16(24), w.U32(0),
        w.U32((xorStride + andStride) * W);
    for (int i = 0; i < 4; ++i) w.U32(0);
    for (int y = W - 1; y >= 0; --y)
        for (int x = 0; x < xorStride; ++x) w.U8(x < 3 * W && x % 3 == 2 ? 0xFF : 0);
    for (int y = W - 1; y >= 0; --y)
        for (int x = 0; x < andStride; ++x) w.U8(y == 0 && x == 0 ? 0x80 : 0);
    return w.S;
}

std::string IconFile(std::initializer_list<int> Sizes) {
    Writer w;
    w.U16(0), w.U16(1), w.U16(unsigned(Sizes.size()));
    unsigned offset = 6 + 16 * unsigned(Sizes.size());
    std::string images;
    for (int s : Sizes) {
        std::string img = Image(s);
        w.U8(s), w.U8(s), w.U8(0), w.U8(0), w.U16(1), w.U16(24), w.U32(unsigned(img.size()));
        w.U32(offset + unsigned(images.size()));
        images += img;
    }
    return w.S + images;
}

using IconPtr = std::unique_ptr<TIcon, void (*)(TIcon*)>;
IconPtr NewIcon() {
    return IconPtr(new TIcon, [](TIcon* i) { i->Free(); });
}
std::string Saved(TIcon* I) {
    TMemoryStream s;
    I->SaveToStream(&s);
    return std::string(static_cast<const char*>(s.GetMemory()), std::size_t(s.GetSize()));
}
} // namespace

TEST(Icon, ReadsTheImageNearestTheIconSizeAndWritesTheFileBack) {
    std::string file = IconFile({16, 32, 48});
    TMemoryStream s;
    s.WriteBuffer(file.data(), LongInt(file.size()));
    s.WriteBuffer("next", 4);
    s.SetPosition(0);
    IconPtr icon = NewIcon();
    icon->LoadFromStream(&s);
    EXPECT_EQ(s.GetPosition(), Int64(file.size())); // the next value is left in the stream
    EXPECT_EQ(icon->GetWidth(), 32);
    EXPECT_TRUE(icon->GetTransparent());
    EXPECT_TRUE(icon->TransparentAt(0, 0));
    EXPECT_FALSE(icon->TransparentAt(1, 0));
    EXPECT_EQ(icon->ColorAt(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(Saved(icon.get()), file);
    EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { icon->SetWidth(16); }),
              "Cannot change the size of an icon");
}

TEST(Icon, DrawsThroughItsMask) {
    std::string file = IconFile({2});
    TMemoryStream s;
    s.WriteBuffer(file.data(), LongInt(file.size()));
    s.SetPosition(0);
    IconPtr icon = NewIcon();
    icon->LoadFromStream(&s);
    auto* b = new TBitmap;
    b->SetPixelFormat(pf24bit);
    b->SetSize(3, 2);
    b->GetCanvas()->Draw(1, 0, icon.get());
    EXPECT_EQ(b->ColorAt(1, 0), RGB(255, 255, 255)); // masked: the white beneath shows
    EXPECT_EQ(b->ColorAt(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(b->ColorAt(1, 1), RGB(255, 0, 0));
    b->Free();
}

TEST(Icon, HandlesAndIconsMadeFromThem) {
    std::string file = IconFile({2});
    TMemoryStream s;
    s.WriteBuffer(file.data(), LongInt(file.size()));
    s.SetPosition(0);
    IconPtr icon = NewIcon();
    icon->LoadFromStream(&s);
    HICON h = icon->ReleaseHandle();
    EXPECT_EQ(GetObjectType(h), OBJ_ICON);
    IconPtr other = NewIcon();
    other->SetHandle(h);
    EXPECT_EQ(other->GetWidth(), 2);
    // Made from a handle, it is written as one 32-bit image with its mask, and reads back so.
    std::string canonical = Saved(other.get());
    TMemoryStream again;
    again.WriteBuffer(canonical.data(), LongInt(canonical.size()));
    again.SetPosition(0);
    IconPtr third = NewIcon();
    third->LoadFromStream(&again);
    EXPECT_TRUE(third->TransparentAt(0, 0));
    EXPECT_EQ(third->ColorAt(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(Saved(third.get()), canonical);
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { third->SetHandle(4242); }),
              "Icon image is not valid");
}

TEST(Icon, BadFilesRaiseTheHostsError) {
    std::string file = IconFile({2});
    for (std::string bad : {std::string(4, '\0'), file.substr(0, file.size() - 3),
                            std::string("\0\0\2\0", 4) + file.substr(4)}) {
        TMemoryStream s;
        s.WriteBuffer(bad.data(), LongInt(bad.size()));
        s.SetPosition(0);
        IconPtr icon = NewIcon();
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { icon->LoadFromStream(&s); }),
                  "Icon image is not valid");
        EXPECT_TRUE(icon->GetEmpty());
    }
}
