// Metafiles: drawing recorded on a metafile's canvas plays back to the pixels of drawing
// directly; enhanced and placeable files read and written; sharing, handles and bad files.
#include "host/graphics/Metafile.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/graphics/Picture.h"

#include "tests/TestSupport.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace host;
using testsupport::MessageOf;

namespace {

constexpr Integer W = 64, H = 40;
using Drawing = std::function<void(TCanvas&)>;

/// The drawings the metafile must reproduce, each on its own.
std::vector<std::pair<const char*, Drawing>> Drawings() {
    static TBitmap* glyph = [] {
        auto* b = new TBitmap;
        b->SetSize(6, 4);
        b->GetCanvas()->GetBrush()->SetColor(clLime);
        b->GetCanvas()->FillRect({0, 0, 6, 4});
        b->GetCanvas()->SetPixels(1, 1, clRed);
        return b;
    }();
    return {
        {"rectangle with a wide pen",
         [](TCanvas& C) {
             C.GetPen()->SetColor(clRed);
             C.GetPen()->SetWidth(3);
             C.GetBrush()->SetColor(clYellow);
             C.Rectangle(5, 4, 30, 20);
         }},
        {"hatched ellipse",
         [](TCanvas& C) {
             C.GetBrush()->SetStyle(bsDiagCross);
             C.GetBrush()->SetColor(clBlue);
             C.Ellipse(2, 3, 50, 33);
         }},
        {"lines in xor mode",
         [](TCanvas& C) {
             C.GetPen()->SetMode(pmXor);
             C.GetPen()->SetColor(clWhite);
             C.MoveTo(0, 0);
             C.LineTo(60, 35);
             C.LineTo(3, 30);
         }},
        {"dashed round rectangle, arc, chord and pie",
         [](TCanvas& C) {
             C.GetPen()->SetStyle(psDash);
             C.RoundRect(1, 1, 40, 30, 10, 8);
             C.GetPen()->SetStyle(psSolid);
             C.Arc(10, 5, 50, 35, 50, 5, 10, 35);
             C.GetBrush()->SetColor(clGreen);
             C.Chord(30, 0, 60, 20, 60, 0, 30, 20);
             C.Pie(0, 20, 30, 40, 30, 20, 0, 40);
         }},
        {"opaque text and clipped text",
         [](TCanvas& C) {
             C.GetFont()->SetColor(clNavy);
             C.GetBrush()->SetColor(clAqua);
             C.TextOut(2, 2, "Hey!");
             C.GetFont()->SetStyle(TFontStyles{fsBold});
             C.GetFont()->SetHeight(-16);
             C.GetBrush()->SetColor(clSilver);
             C.TextRect({10, 18, 40, 30}, 8, 16, "Clip");
             C.GetBrush()->SetStyle(bsClear);
             C.TextOut(C.GetPenPos().X, 25, "on"); // where the last text ended
         }},
        {"fills, frames, focus, pixels and a flood fill",
         [](TCanvas& C) {
             C.GetBrush()->SetColor(clMaroon);
             C.FillRect({3, 3, 20, 15});
             C.GetBrush()->SetColor(clOlive);
             C.FrameRect({25, 3, 45, 15});
             C.DrawFocusRect({2, 20, 30, 35});
             C.SetPixels(50, 30, clFuchsia);
             C.GetPen()->SetColor(clBlack);
             C.GetBrush()->SetColor(clWhite);
             C.Rectangle(40, 18, 60, 38);
             C.GetBrush()->SetColor(clTeal);
             C.FloodFill(45, 25, clBlack, fsBorder);
         }},
        {"a brush with a bitmap pattern",
         [](TCanvas& C) {
             static TBitmap* pattern = [] {
                 auto* b = new TBitmap;
                 b->SetSize(3, 2);
                 b->GetCanvas()->SetPixels(0, 0, clRed);
                 b->GetCanvas()->SetPixels(2, 1, clBlue);
                 return b;
             }();
             C.GetBrush()->SetBitmap(pattern);
             C.Rectangle(3, 3, 40, 30);
             C.FillRect({42, 2, 60, 38});
             C.GetBrush()->SetBitmap(nullptr);
             C.GetBrush()->SetColor(clGreen);
             C.Ellipse(30, 20, 50, 36);
         }},
        {"pictures drawn, stretched, transparent and copied",
         [](TCanvas& C) {
             C.Draw(1, 1, glyph);
             C.StretchDraw({10, 2, 34, 18}, glyph);
             glyph->SetTransparent(true);
             glyph->SetTransparentColor(clLime);
             C.Draw(40, 4, glyph);
             glyph->SetTransparent(false);
             C.SetCopyMode(cmSrcInvert);
             C.StretchDraw({20, 20, 40, 30}, glyph);
         }},
    };
}

/// A white bitmap of W x H after `D`.
TBitmap* Direct(const Drawing& D) {
    auto* b = new TBitmap;
    b->SetSize(W, H);
    D(*b->GetCanvas());
    return b;
}

/// A metafile of W x H pixels recording `D`.
TMetafile* Recorded(const Drawing& D) {
    auto* m = new TMetafile;
    m->SetWidth(W);
    m->SetHeight(H);
    auto* c = new TMetafileCanvas(m, 0);
    D(*c);
    c->Free();
    return m;
}

/// The metafile played onto a white bitmap of W x H.
TBitmap* Played(TMetafile* M) {
    auto* b = new TBitmap;
    b->SetSize(W, H);
    b->GetCanvas()->Draw(0, 0, M);
    return b;
}

/// The first pixel where the two differ, or "".
std::string Difference(TBitmap* A, TBitmap* B) {
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            if (A->ColorAt(x, y) != B->ColorAt(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

std::vector<Byte> Saved(TGraphic* G) {
    TMemoryStream s;
    G->SaveToStream(&s);
    auto* p = static_cast<const Byte*>(s.GetMemory());
    return std::vector<Byte>(p, p + s.GetSize());
}

TMetafile* Loaded(const std::vector<Byte>& Bytes) {
    TMemoryStream s;
    s.WriteBuffer(Bytes.data(), LongInt(Bytes.size()));
    s.SetPosition(0);
    auto* m = new TMetafile;
    try {
        m->LoadFromStream(&s);
    } catch (...) {
        m->Free();
        throw;
    }
    return m;
}

Cardinal U32(const std::vector<Byte>& B, std::size_t At) {
    Cardinal v;
    std::memcpy(&v, B.data() + At, 4);
    return v;
}

} // namespace

TEST(Metafile, PlaysBackThePixelsOfDrawingDirectly) {
    for (auto& [name, drawing] : Drawings()) {
        SCOPED_TRACE(name);
        TBitmap* direct = Direct(drawing);
        Integer drawn = 0;
        for (Integer y = 0; y < H; ++y)
            for (Integer x = 0; x < W; ++x) drawn += direct->ColorAt(x, y) != RGB(255, 255, 255);
        EXPECT_GT(drawn, 20); // a drawing to compare, not a blank
        TMetafile* m = Recorded(drawing);
        EXPECT_EQ(m->GetWidth(), W);
        EXPECT_EQ(m->GetHeight(), H);
        TBitmap* played = Played(m);
        EXPECT_EQ(Difference(direct, played), "");
        // And the same from the files it saves, enhanced and placeable.
        for (bool enhanced : {true, false}) {
            SCOPED_TRACE(enhanced ? "emf" : "wmf");
            m->SetEnhanced(enhanced);
            TMetafile* again = Loaded(Saved(m));
            EXPECT_EQ(again->GetEnhanced(), enhanced);
            EXPECT_EQ(again->GetWidth(), W);
            TBitmap* fromFile = Played(again);
            EXPECT_EQ(Difference(direct, fromFile), "");
            fromFile->Free();
            again->Free();
        }
        played->Free();
        m->Free();
        direct->Free();
    }
}

TEST(Metafile, RecordsTheDocumentedRecords) {
    TMetafile* m = Recorded([](TCanvas& C) {
        C.Rectangle(1, 2, 3, 4);
        C.Ellipse(1, 2, 3, 4);
        C.MoveTo(5, 5);
        C.LineTo(9, 9);
        C.TextOut(0, 0, "A");
    });
    std::vector<Byte> emf = Saved(m);
    ASSERT_GE(emf.size(), 108u);
    EXPECT_EQ(U32(emf, 0), 1u);           // the header
    EXPECT_EQ(U32(emf, 40), 0x464D4520u); // " EMF"
    EXPECT_EQ(U32(emf, 48), emf.size());  // its byte count
    std::vector<Cardinal> types;
    for (std::size_t at = 0; at + 8 <= emf.size(); at += U32(emf, at + 4)) {
        types.push_back(U32(emf, at));
        ASSERT_GE(U32(emf, at + 4), 8u);
    }
    EXPECT_EQ(U32(emf, 52), types.size()); // its record count
    auto has = [&](Cardinal T) { return std::count(types.begin(), types.end(), T) > 0; };
    for (Cardinal t : {38u /*CREATEPEN*/, 39u /*CREATEBRUSHINDIRECT*/, 37u /*SELECTOBJECT*/,
                       43u /*RECTANGLE*/, 42u /*ELLIPSE*/, 27u /*MOVETOEX*/, 54u /*LINETO*/,
                       82u /*EXTCREATEFONTINDIRECTW*/, 84u /*EXTTEXTOUTW*/})
        EXPECT_TRUE(has(t)) << t;
    EXPECT_EQ(types.back(), 14u); // EOF
    m->Free();
}

TEST(Metafile, FilesAreWrittenBackByteForByteWhileUnchanged) {
    TMetafile* m = Recorded([](TCanvas& C) { C.Ellipse(0, 0, 30, 20); });
    for (bool enhanced : {true, false}) {
        m->SetEnhanced(enhanced);
        std::vector<Byte> file = Saved(m);
        TMetafile* again = Loaded(file);
        EXPECT_EQ(Saved(again), file);
        // A file of another writer's layout: an extra record the host does not draw (a comment)
        // is kept as it came while the picture is unchanged.
        again->Free();
    }
    m->Free();

    // An enhanced file with a record this host does not know still saves as it came, and
    // saves anew once changed.
    TMetafile* r = Recorded([](TCanvas& C) { C.Rectangle(0, 0, 10, 10); });
    std::vector<Byte> file = Saved(r);
    std::vector<Byte> comment = {70, 0, 0, 0, 16, 0, 0, 0, 4, 0, 0, 0, 'z', 'e', 'l', 0};
    file.insert(file.end() - 20, comment.begin(), comment.end());
    Cardinal fileSize = Cardinal(file.size());
    std::memcpy(file.data() + 48, &fileSize, 4);
    TMetafile* odd = Loaded(file);
    EXPECT_EQ(Saved(odd), file);
    odd->SetMMWidth(odd->GetMMWidth() * 2);
    EXPECT_NE(Saved(odd), file);
    odd->Free();

    // Bytes that a file's header counts after its end record are the file's: written back, and
    // what is written back loads again.
    r->SetEnhanced(false);
    std::vector<Byte> wmf = Saved(r);
    wmf.insert(wmf.end(), {1, 2, 3, 4});
    Cardinal words = Cardinal((wmf.size() - 22) / 2);
    std::memcpy(wmf.data() + 28, &words, 4);
    TMetafile* padded = Loaded(wmf);
    EXPECT_EQ(Saved(padded), wmf);
    Loaded(Saved(padded))->Free();
    padded->Free();
    r->Free();
}

TEST(Metafile, SizeInHundredthsOfAMillimetreAndUnitsAnInch) {
    auto* m = new TMetafile;
    m->SetMMWidth(2540); // an inch: 96 pixels
    m->SetMMHeight(1270);
    EXPECT_EQ(m->GetWidth(), 96);
    EXPECT_EQ(m->GetHeight(), 48);
    m->SetWidth(50);
    EXPECT_EQ(m->GetMMWidth(), 1323);
    EXPECT_EQ(m->GetWidth(), 50);

    // A placeable picture keeps its units: twice as many an inch, half the size.
    auto* c = new TMetafileCanvas(m, 0);
    c->Rectangle(0, 0, 10, 10);
    c->Free();
    m->SetEnhanced(false);
    m->SetInch(96);
    m->SetMMWidth(2540);
    m->SetInch(192);
    EXPECT_EQ(m->GetMMWidth(), 1270);
    EXPECT_EQ(m->GetWidth(), 48);
    // The saved placement says so: a box of 96 units at 192 an inch.
    std::vector<Byte> wmf = Saved(m);
    EXPECT_EQ(U32(wmf, 0), 0x9AC6CDD7u);
    std::int16_t right;
    std::memcpy(&right, wmf.data() + 10, 2);
    EXPECT_EQ(right, 96);
    TMetafile* again = Loaded(wmf);
    EXPECT_EQ(again->GetInch(), 192);
    EXPECT_EQ(again->GetWidth(), 48);
    again->Free();
    // An enhanced metafile's size does not depend on Inch.
    m->SetEnhanced(true);
    m->SetInch(96);
    EXPECT_EQ(m->GetWidth(), 48);
    m->Free();
}

TEST(Metafile, UnsizedPicturesAreFramedByWhatWasDrawn) {
    auto* m = new TMetafile;
    auto* c = new TMetafileCanvas(m, 0);
    c->GetPen()->SetStyle(psClear);
    c->Rectangle(10, 10, 21, 21); // without a pen: 10 x 10 pixels from (10, 10)
    c->Free();
    EXPECT_EQ(m->GetWidth(), 10);
    EXPECT_EQ(m->GetHeight(), 10);
    // A metafile of a size keeps it for the next canvas; a new one is framed anew.
    m->Free();
    m = new TMetafile;
    c = new TMetafileCanvas(m, 0);
    c->GetBrush()->SetColor(clBlack);
    c->FillRect({10, 10, 20, 20});
    c->Free();
    EXPECT_EQ(m->GetWidth(), 10);
    // Stretched twice as large: the frame fills the rectangle given.
    auto* b = new TBitmap;
    b->SetSize(30, 30);
    b->GetCanvas()->StretchDraw({5, 5, 25, 25}, m);
    EXPECT_EQ(b->ColorAt(5, 5), 0u);
    EXPECT_EQ(b->ColorAt(24, 24), 0u);
    EXPECT_EQ(b->ColorAt(4, 5), RGB(255, 255, 255));
    EXPECT_EQ(b->ColorAt(25, 24), RGB(255, 255, 255));
    b->Free();
    m->Free();
}

TEST(Metafile, CreatedByAndDescriptionInTheHeader) {
    auto* m = new TMetafile;
    auto* c = new TMetafileCanvas(m, 0, "Zeltrix", "A box");
    c->Rectangle(0, 0, 5, 5);
    EXPECT_TRUE(m->GetEmpty()); // committed when the canvas is freed
    c->Free();
    EXPECT_EQ(m->GetCreatedBy(), "Zeltrix");
    EXPECT_EQ(m->GetDescription(), "A box");
    std::vector<Byte> emf = Saved(m);
    std::u16string expected = u"Zeltrix";
    expected += u'\0';
    expected += u"A box";
    expected += u'\0';
    expected += u'\0';
    ASSERT_EQ(U32(emf, 60), expected.size());
    std::u16string found(expected.size(), u' ');
    std::memcpy(found.data(), emf.data() + U32(emf, 64), expected.size() * 2);
    EXPECT_EQ(found, expected);
    TMetafile* again = Loaded(emf);
    EXPECT_EQ(again->GetCreatedBy(), "Zeltrix");
    EXPECT_EQ(again->GetDescription(), "A box");
    again->Free();
    m->Free();
}

TEST(Metafile, AssignedMetafilesShareTheirImageUntilOneChanges) {
    TMetafile* a = Recorded([](TCanvas& C) { C.Rectangle(0, 0, 10, 10); });
    auto* b = new TMetafile;
    b->Assign(a);
    EXPECT_EQ(a->Image(), b->Image());
    EXPECT_EQ(a->Image()->GetRefCount(), 2);
    std::vector<Byte> before = Saved(a);
    b->SetMMWidth(100);
    EXPECT_NE(a->Image(), b->Image());
    EXPECT_EQ(a->Image()->GetRefCount(), 1);
    EXPECT_EQ(b->Image()->GetRefCount(), 1);
    EXPECT_EQ(Saved(a), before);
    EXPECT_EQ(a->GetWidth(), W);
    // Recording into one of them leaves the other's picture.
    b->Assign(a);
    auto* c = new TMetafileCanvas(b, 0);
    c->Ellipse(0, 0, 5, 5);
    c->Free();
    EXPECT_EQ(Saved(a), before);
    EXPECT_NE(Saved(b), before);
    // The last holder frees the image: nothing is left over.
    std::size_t objects = LiveObjects::Count();
    b->Assign(a);
    EXPECT_EQ(LiveObjects::Count(), objects - 1);
    a->Free();
    b->Free();
}

TEST(Metafile, HandlesAreEnhancedMetafileObjects) {
    TMetafile* m = Recorded([](TCanvas& C) { C.Rectangle(0, 0, 10, 10); });
    HENHMETAFILE h = m->GetHandle();
    EXPECT_EQ(GetObjectType(h), OBJ_ENHMETAFILE);
    EXPECT_EQ(m->GetHandle(), h);
    EXPECT_EQ(GetEnhMetaFileBits(h, 0, nullptr), Saved(m).size());
    HENHMETAFILE mine = m->ReleaseHandle();
    EXPECT_EQ(mine, h);
    EXPECT_NE(m->GetHandle(), h); // a new one: the released one is the caller's
    EXPECT_FALSE(m->GetEmpty());
    auto* n = new TMetafile;
    n->SetHandle(mine); // taken over
    EXPECT_EQ(Saved(n), Saved(m));
    n->Free();
    EXPECT_EQ(GetObjectType(mine), 0); // freed with its metafile
    auto* e = new TMetafile;
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { e->SetHandle(GetStockObject(BLACK_PEN)); }),
              "Metafile is not valid");
    e->SetHandle(0);
    EXPECT_TRUE(e->GetEmpty());
    e->Free();
    m->Clear();
    EXPECT_TRUE(m->GetEmpty());
    EXPECT_EQ(m->GetHandle(), 0u);
    m->Free();
}

TEST(Metafile, BadFilesAreRejected) {
    TMetafile* m = Recorded([](TCanvas& C) { C.TextOut(1, 1, "x"); });
    std::vector<Byte> good = Saved(m);
    m->SetEnhanced(false);
    std::vector<Byte> wmf = Saved(m);
    m->Free();
    auto rejected = [](std::vector<Byte> B) {
        return MessageOf<EInvalidGraphic>([&] { Loaded(B)->Free(); });
    };
    EXPECT_EQ(rejected({1, 2, 3}), "Metafile is not valid");
    EXPECT_EQ(rejected(std::vector<Byte>(200, 0)), "Metafile is not valid");
    std::vector<Byte> b = good;
    b[40] = 'X'; // the signature
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = good;
    b.resize(b.size() - 8); // cut short
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = good;
    std::uint32_t huge = 0x7FFFFFF0;
    std::memcpy(b.data() + U32(b, 4) + 4, &huge, 4); // a record past the end
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = good;
    std::memcpy(b.data() + 48, &huge, 4); // more bytes than there are
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = good;
    std::uint32_t odd = 9;
    std::memcpy(b.data() + U32(b, 4) + 4, &odd, 4); // a record size not a multiple of four
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = wmf;
    b.resize(b.size() - 6); // without its end record
    std::uint32_t words = std::uint32_t((b.size() - 22) / 2);
    std::memcpy(b.data() + 28, &words, 4);
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = wmf;
    std::memcpy(b.data() + 40, &huge, 4); // a record past the end
    EXPECT_EQ(rejected(b), "Metafile is not valid");
    b = wmf;
    b[14] = 0, b[15] = 0; // no units an inch
    EXPECT_EQ(rejected(b), "Metafile is not valid");

    // A record too short for its fields, inside a sound file, draws nothing and no harm.
    b = good;
    std::size_t at = U32(b, 4);
    std::vector<Byte> shortText = {84, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0}; // EXTTEXTOUTW
    b.insert(b.begin() + std::ptrdiff_t(at), shortText.begin(), shortText.end());
    Cardinal total = Cardinal(b.size());
    std::memcpy(b.data() + 48, &total, 4);
    TMetafile* loaded = Loaded(b);
    TBitmap* played = Played(loaded);
    played->Free();
    loaded->Free();
}

TEST(Metafile, ACanvasOutlivingItsMetafileRecordsIntoNothing) {
    auto* m = new TMetafile;
    auto* c = new TMetafileCanvas(m, 0);
    m->Free();
    c->Rectangle(0, 0, 4, 4);
    c->Free(); // no metafile to give the picture to: nothing happens
}

TEST(Metafile, ThePicturesFormatsAndClipboard) {
    EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_ENHMETAFILE));
    EXPECT_EQ(TPicture::FindGraphicClass("TMetafile"), TMetafile::StaticClass());
    auto dir = std::filesystem::temp_directory_path() / "zeltrix-metafile-test";
    std::filesystem::create_directories(dir);
    TMetafile* m = Recorded([](TCanvas& C) { C.Ellipse(0, 0, 20, 10); });
    m->SaveToFile((dir / "a.emf").string());
    m->SetEnhanced(false);
    m->SaveToFile((dir / "a.wmf").string());
    auto* p = new TPicture;
    p->LoadFromFile((dir / "a.wmf").string());
    ASSERT_TRUE(DynCast<TMetafile>(p->GetGraphic()));
    EXPECT_FALSE(p->GetMetafile()->GetEnhanced());
    EXPECT_EQ(p->GetWidth(), W);
    p->LoadFromFile((dir / "a.emf").string());
    EXPECT_TRUE(p->GetMetafile()->GetEnhanced());

    Word format = 0;
    LongWord data = 0;
    HPALETTE palette = 1;
    p->SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, CF_ENHMETAFILE);
    EXPECT_EQ(GetObjectType(data), OBJ_ENHMETAFILE);
    EXPECT_EQ(palette, 0u);
    auto* q = new TPicture;
    q->LoadFromClipboardFormat(format, data, 0);
    ASSERT_TRUE(DynCast<TMetafile>(q->GetGraphic()));
    EXPECT_EQ(q->GetWidth(), W);
    EXPECT_EQ(GetObjectType(data), OBJ_ENHMETAFILE); // the clipboard keeps its object
    DeleteEnhMetaFile(data);
    // The metafile getter replaces a graphic of another class.
    q->GetBitmap();
    q->GetMetafile();
    EXPECT_TRUE(DynCast<TMetafile>(q->GetGraphic()));
    q->Free();
    p->Free();
    m->Free();
    std::filesystem::remove_all(dir);
}

namespace {
class TMetafileHolder : public TComponent {
    HOST_CLASS(TMetafileHolder, TComponent)
public:
    explicit TMetafileHolder(TComponent* AOwner) : TComponent(AOwner) {}
    ~TMetafileHolder() override { FPicture->Free(); }
    TPicture* GetPicture() const { return FPicture; }
    void SetPicture(TPicture* V) { FPicture->Assign(V); }

private:
    TPicture* FPicture = new TPicture;
};
constexpr TPropInfo MetafileHolderProps[] = {HOST_PROP(TMetafileHolder, Picture)};
} // namespace
HOST_COMPONENT_METACLASS(TMetafileHolder, TComponent, PropTable(MetafileHolderProps));

TEST(Metafile, FormFilesCarryThePictureAndWriteItBackTheSame) {
    RegisterClass(TMetafileHolder::StaticClass());
    for (bool enhanced : {true, false}) {
        auto* root = new TStandIn(nullptr, StandInClass("TForm1"));
        root->SetName("Form1");
        auto* holder = new TMetafileHolder(root);
        holder->SetName("Image1");
        TMetafile* m = Recorded([](TCanvas& C) { C.Rectangle(2, 2, 20, 12); });
        m->SetEnhanced(enhanced);
        holder->GetPicture()->SetMetafile(m);
        std::vector<Byte> file = Saved(m);
        m->Free();
        std::string text = formtest::Save(root, true);
        // 09 "TMetafile", then the file's size.
        EXPECT_NE(text.find("09544D65746166696C65"), std::string::npos);
        char size[9];
        std::snprintf(size, sizeof size, "%02X%02X%02X%02X", unsigned(file.size() & 0xFF),
                      unsigned((file.size() >> 8) & 0xFF), unsigned((file.size() >> 16) & 0xFF),
                      unsigned(file.size() >> 24));
        EXPECT_NE(text.find(std::string("09544D65746166696C65") + size), std::string::npos);
        root->Free();

        formtest::RootPtr again = formtest::Load(text);
        auto* loaded = DynCast<TMetafileHolder>(again->FindComponent("Image1"));
        ASSERT_TRUE(loaded);
        auto* lm = DynCast<TMetafile>(loaded->GetPicture()->GetGraphic());
        ASSERT_TRUE(lm);
        EXPECT_EQ(lm->GetEnhanced(), enhanced);
        EXPECT_EQ(Saved(lm), file);
        EXPECT_EQ(formtest::Save(again.get(), true), text);
        // And the binary form, read back, writes the same bytes.
        std::string binary = formtest::Save(again.get(), false);
        formtest::RootPtr third = formtest::Load(binary);
        EXPECT_EQ(formtest::Save(third.get(), false), binary);
    }
}

TEST(Metafile, PlayingLeavesTheCanvasAndTheObjectTableAsTheyWere) {
    TMetafile* m = Recorded([](TCanvas& C) {
        C.GetPen()->SetColor(clRed);
        C.GetBrush()->SetStyle(bsCross);
        C.GetFont()->SetHeight(-20);
        C.Rectangle(0, 0, 10, 10);
        C.TextOut(3, 3, "abc");
        C.MoveTo(7, 8);
    });
    auto* b = new TBitmap;
    b->SetSize(W, H);
    TCanvas& c = *b->GetCanvas();
    c.GetPen()->SetColor(clBlue);
    c.GetFont()->SetName("Courier New");
    c.SetCopyMode(cmSrcPaint);
    c.MoveTo(1, 2);
    c.GetFont()->GetHandle(); // the canvas's own objects exist before counting
    c.GetPen()->GetHandle();
    c.GetBrush()->GetHandle();
    std::size_t objects = GdiObjectCount();
    c.Draw(0, 0, m);
    c.Draw(5, 5, m);
    c.GetFont()->GetHandle();
    c.GetPen()->GetHandle();
    c.GetBrush()->GetHandle();
    EXPECT_EQ(GdiObjectCount(), objects);
    EXPECT_EQ(c.GetPen()->GetColor(), clBlue);
    EXPECT_EQ(c.GetBrush()->GetStyle(), bsSolid);
    EXPECT_EQ(c.GetFont()->GetName(), "Courier New");
    EXPECT_EQ(c.GetCopyMode(), cmSrcPaint);
    EXPECT_EQ(c.GetPenPos().X, 1);
    EXPECT_EQ(c.GetPenPos().Y, 2);
    b->Free();
    m->Free();
}

TEST(Metafile, AMetafileDrawnOnAMetafileCanvasIsRecordedAgain) {
    TMetafile* inner = Recorded([](TCanvas& C) {
        C.GetBrush()->SetColor(clRed);
        C.Ellipse(4, 4, 30, 20);
    });
    TMetafile* outer = Recorded([&](TCanvas& C) {
        C.Rectangle(0, 0, 10, 10);
        C.Draw(0, 0, inner);
    });
    inner->Free(); // the outer picture is its own
    TBitmap* direct = Direct([](TCanvas& C) {
        C.Rectangle(0, 0, 10, 10);
        C.GetBrush()->SetColor(clRed);
        C.Ellipse(4, 4, 30, 20);
    });
    TBitmap* played = Played(outer);
    EXPECT_EQ(Difference(direct, played), "");
    played->Free();
    direct->Free();
    outer->Free();
}
