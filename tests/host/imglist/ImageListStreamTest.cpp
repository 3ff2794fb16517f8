// The image-list stream: what the list writes, what it reads from other writers, what it
// refuses, and image lists in form files.
#include "host/classes/FilerBytes.h"
#include "host/classes/Streams.h"
#include "host/controls/DragImageList.h"
#include "host/graphics/Bitmap.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace host;
using filer_bytes::AppendLE;
using filer_bytes::GetLE;

constexpr TColorRef Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

struct Exposed : TImageList {
    using TImageList::TImageList;
    using TImageList::ReadData;
    using TImageList::WriteData;
};

std::string Bytes(TMemoryStream& S) {
    return {static_cast<const char*>(S.GetMemory()), std::size_t(S.GetSize())};
}

std::string Written(Exposed& L) {
    TMemoryStream s;
    L.WriteData(&s);
    return Bytes(s);
}

/// A list of `N` 2 x 3 images: image i red at (0, 0), blue elsewhere, transparent at (1, 2).
void Fill(Exposed& L, Integer N) {
    L.SetWidth(2), L.SetHeight(3);
    TBitmap b;
    b.SetSize(2 * N, 3);
    for (Integer i = 0; i < N; ++i)
        for (Integer y = 0; y < 3; ++y)
            for (Integer x = 0; x < 2; ++x)
                b.GetCanvas()->SetPixels(i * 2 + x, y,
                                         TColor(x == 0 && y == 0   ? Red
                                                : x == 1 && y == 2 ? White
                                                                   : Blue));
    L.AddMasked(&b, clWhite);
}

TEST(ImageListStreamTest, WritesTheHeaderThenImageAndMaskBitmapsInRowsOfFour) {
    Exposed list(nullptr);
    Fill(list, 5);
    list.SetBkColor(TColor(RGB(1, 2, 3)));
    list.Overlay(4, 0);
    std::string s = Written(list);
    auto p = reinterpret_cast<const Byte*>(s.data());
    ASSERT_GT(s.size(), 28u);
    EXPECT_EQ(s.substr(0, 2), "IL");
    EXPECT_EQ(GetLE<Word>(p + 2), 0x0101);
    EXPECT_EQ(GetLE<std::int16_t>(p + 4), 5);  // images
    EXPECT_EQ(GetLE<std::int16_t>(p + 6), 8);  // room for, in steps of AllocBy
    EXPECT_EQ(GetLE<std::int16_t>(p + 8), 4);  // growth
    EXPECT_EQ(GetLE<std::int16_t>(p + 10), 2); // image width
    EXPECT_EQ(GetLE<std::int16_t>(p + 12), 3);
    EXPECT_EQ(GetLE<Cardinal>(p + 14), RGB(1, 2, 3));
    EXPECT_EQ(GetLE<Word>(p + 18), ILC_COLORDDB | ILC_MASK);
    EXPECT_EQ(GetLE<std::int16_t>(p + 20), 4); // overlay 1 is image 4
    EXPECT_EQ(GetLE<std::int16_t>(p + 22), -1);
    // The image bitmap: its file header gives the headers' size, as the common controls do.
    const Byte* bmp = p + 28;
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(GetLE<Cardinal>(bmp + 2), 54u);
    EXPECT_EQ(GetLE<Cardinal>(bmp + 10), 54u);
    EXPECT_EQ(GetLE<Integer>(bmp + 18), 8); // four images a row
    EXPECT_EQ(GetLE<Integer>(bmp + 22), 6); // two rows
    EXPECT_EQ(GetLE<Word>(bmp + 28), 32);
    const Byte* mask = bmp + 54 + 8 * 6 * 4;
    EXPECT_EQ(mask[0], 'B');
    EXPECT_EQ(GetLE<Cardinal>(mask + 2), 62u);
    EXPECT_EQ(GetLE<Word>(mask + 28), 1);
    EXPECT_EQ(s.size(), std::size_t(28 + 54 + 8 * 6 * 4 + 62 + 4 * 6));
    // Bottom row first: the mask row of the top images' last line (y = 2) has (1, 2) of each
    // image set, x = 1, 3, 5, 7.
    EXPECT_EQ(mask[62 + 4 * 3], 0x55);

    Exposed back(nullptr);
    TMemoryStream in;
    in.WriteBuffer(s.data(), LongInt(s.size()));
    in.SetPosition(0);
    back.ReadData(&in);
    EXPECT_EQ(back.GetCount(), 5);
    EXPECT_EQ(back.GetWidth(), 2);
    EXPECT_EQ(back.GetBkColor(), TColor(RGB(1, 2, 3)));
    back.Delete(4);
    back.Add(nullptr, nullptr);
    list.SetWidth(3);
    EXPECT_EQ(Written(list).substr(4, 2), std::string("\0\0", 2)); // a new size, no images
}

TEST(ImageListStreamTest, ReadsOtherLayoutsAndWritesTheirBytesBackWhileUnchanged) {
    // Another writer's stream: 8-bit images in a single column, capacity 3, no overlays.
    TBitmap images;
    images.SetPixelFormat(pf8bit);
    images.SetSize(2, 9);
    for (Integer y = 0; y < 9; ++y)
        for (Integer x = 0; x < 2; ++x)
            images.GetCanvas()->SetPixels(x, y, y / 3 == 1 ? clRed : clBlue);
    TBitmap mask;
    mask.SetPixelFormat(pf1bit);
    mask.SetSize(2, 9);
    mask.GetCanvas()->GetBrush()->SetColor(clBlack);
    mask.GetCanvas()->FillRect({0, 0, 2, 9});
    mask.GetCanvas()->SetPixels(0, 8, clWhite);
    std::vector<Byte> head;
    AppendLE<Word>(head, 0x4C49), AppendLE<Word>(head, 0x0101);
    for (std::int16_t v : {3, 3, 1, 2, 3}) AppendLE<std::int16_t>(head, v);
    AppendLE<Cardinal>(head, CLR_NONE);
    AppendLE<Word>(head, ILC_COLOR8 | ILC_MASK);
    for (int i = 0; i < 4; ++i) AppendLE<std::int16_t>(head, -1);
    TMemoryStream foreign;
    foreign.WriteBuffer(head.data(), LongInt(head.size()));
    images.SaveToStream(&foreign);
    mask.SaveToStream(&foreign);
    std::string original = Bytes(foreign);

    Exposed list(nullptr);
    foreign.SetPosition(0);
    list.ReadData(&foreign);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetHeight(), 3);
    TBitmap second;
    list.GetBitmap(1, &second);
    EXPECT_EQ(second.ColorAt(1, 1), Red);
    TBitmap third;
    list.GetBitmap(2, &third);
    EXPECT_EQ(third.ColorAt(0, 2), White); // transparent, the bitmap's white beneath
    EXPECT_EQ(third.ColorAt(1, 2), Blue);

    EXPECT_EQ(Written(list), original);
    list.Delete(0); // changed: written anew, in this list's own layout
    std::string now = Written(list);
    EXPECT_NE(now, original);
    EXPECT_EQ(GetLE<std::int16_t>(reinterpret_cast<const Byte*>(now.data()) + 4), 2);
}

TEST(ImageListStreamTest, RefusesStreamsThatAreNoImageList) {
    Exposed good(nullptr);
    Fill(good, 2);
    std::string s = Written(good);
    auto refuse = [](const std::string& Bytes) {
        Exposed list(nullptr);
        TMemoryStream in;
        in.WriteBuffer(Bytes.data(), LongInt(Bytes.size()));
        in.SetPosition(0);
        try {
            list.ReadData(&in);
            return std::string("read");
        } catch (const EReadError& e) {
            return std::string(e.what());
        }
    };
    const std::string message = "Failed to read ImageList data from stream";
    EXPECT_EQ(refuse(s.substr(0, 20)), message);
    EXPECT_EQ(refuse("XY" + s.substr(2)), message);
    EXPECT_EQ(refuse(s.substr(0, s.size() - 30)), message); // the mask cut short
    std::string tooMany = s;
    tooMany[4] = 9; // nine images claimed, room for four in the bitmaps
    EXPECT_EQ(refuse(tooMany), message);
    std::string noWidth = s;
    noWidth[10] = 0;
    EXPECT_EQ(refuse(noWidth), message);
    std::string huge = s;
    huge[6] = '\xFF', huge[7] = 0x7F; // capacity 32767 of 2 x 3: fine, still bounded
    EXPECT_EQ(refuse(huge), "read");
    // A capacity that the growth step would round past 16 bits stays within them, so the
    // list writes what it reads again.
    std::string steep = s;
    steep[6] = 0x08, steep[7] = 0x7F, steep[8] = 0x04, steep[9] = 0x10;
    Exposed list(nullptr);
    TMemoryStream in;
    in.WriteBuffer(steep.data(), LongInt(steep.size()));
    in.SetPosition(0);
    list.ReadData(&in);
    list.SetBkColor(clRed); // changed: written anew
    EXPECT_EQ(refuse(Written(list)), "read");
}

TEST(ImageListStreamTest, AFormsImageListLoadsAndSavesBackTheSameBytes) {
    Exposed list(nullptr);
    Fill(list, 3);
    std::string data = Written(list);
    std::string hex;
    for (unsigned char c : data) {
        static const char* digits = "0123456789ABCDEF";
        hex += digits[c >> 4], hex += digits[c & 15];
    }
    std::string text = "object Form1: TForm1\r\n"
                       "  Left = 0\r\n"
                       "  object ImageList1: TImageList\r\n"
                       "    Height = 3\r\n"
                       "    Width = 2\r\n"
                       "    Left = 8\r\n"
                       "    Top = 8\r\n"
                       "    Bitmap = {\r\n";
    for (std::size_t i = 0; i < hex.size(); i += 64)
        text += "      " + hex.substr(i, 64) + "\r\n";
    text.insert(text.size() - 2, "}");
    text += "  end\r\nend\r\n";

    std::vector<TFormLoadNote> notes;
    formtest::RootPtr root = formtest::Load(text, notes);
    ASSERT_TRUE(root);
    for (const TFormLoadNote& n : notes) // the root's are about its class, made at run time
        EXPECT_EQ(std::string(n.Path.c_str()).find("ImageList1"), std::string::npos);
    auto* loaded = dynamic_cast<TImageList*>(root->FindComponent("ImageList1"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetCount(), 3);
    EXPECT_EQ(formtest::Save(root.get(), true), text);
    // Binary and back to text: the same.
    std::string binary = formtest::Save(root.get(), false);
    formtest::RootPtr again = formtest::Load(binary);
    EXPECT_EQ(formtest::Save(again.get(), false), binary);
    EXPECT_EQ(formtest::Save(again.get(), true), text);
}

} // namespace
