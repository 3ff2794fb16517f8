// Pictures: a graphic by file extension, the Data that form files carry (the graphic's class
// name, then its data), and pictures of other programs' formats kept as they came.
#include "host/graphics/Picture.h"
#include "host/classes/ClassRegistration.h"
#include "host/classes/Component.h"
#include "host/classes/FormLoading.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"

#include "tests/TestSupport.h"

#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace host;
using testsupport::MessageOf;

namespace {
/// A component with a picture and a bitmap, as an image control and a button's glyph have.
class TPictureHolder : public TComponent {
    HOST_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
    ~TPictureHolder() override {
        FPicture->Free();
        FGlyph->Free();
    }
    TPicture* GetPicture() const { return FPicture; }
    void SetPicture(TPicture* V) { FPicture->Assign(V); }
    TBitmap* GetGlyph() const { return FGlyph; }
    void SetGlyph(TBitmap* V) { FGlyph->Assign(V); }

private:
    TPicture* FPicture = new TPicture;
    TBitmap* FGlyph = new TBitmap;
};
constexpr TPropInfo HolderProps[] = {HOST_PROP(TPictureHolder, Picture),
                                     HOST_PROP(TPictureHolder, Glyph)};
} // namespace
HOST_COMPONENT_METACLASS(TPictureHolder, TComponent, PropTable(HolderProps));

namespace {
std::string SaveText(TComponent* Root) {
    return formtest::Save(Root, true);
}
TComponent* LoadText(const std::string& Text) {
    return formtest::Load(Text).release();
}
} // namespace

TEST(Picture, FormFilesCarryTheGraphicsClassAndData) {
    RegisterClass(TPictureHolder::StaticClass());
    auto* root = new TStandIn(nullptr, StandInClass("TForm1")); // a root that streams its children
    root->SetName("Form1");
    auto* holder = new TPictureHolder(root);
    holder->SetName("Image1");
    TBitmap* b = holder->GetPicture()->GetBitmap();
    b->SetPixelFormat(pf4bit);
    b->SetSize(3, 2);
    b->GetCanvas()->SetPixels(1, 1, clRed);
    holder->GetGlyph()->SetSize(2, 2);
    std::string text = SaveText(root);
    EXPECT_NE(text.find("Picture.Data = {"), std::string::npos);
    EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos);
    // The picture's data starts with its class name as a short string: 07 "TBitmap".
    EXPECT_NE(text.find("07544269746D6170"), std::string::npos);
    root->Free();

    TComponent* again = LoadText(text);
    auto* loaded = DynCast<TPictureHolder>(again->FindComponent("Image1"));
    ASSERT_TRUE(loaded);
    auto* lb = DynCast<TBitmap>(loaded->GetPicture()->GetGraphic());
    ASSERT_TRUE(lb);
    EXPECT_EQ(lb->GetPixelFormat(), pf4bit);
    EXPECT_EQ(lb->ColorAt(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(loaded->GetGlyph()->GetWidth(), 2);
    EXPECT_EQ(SaveText(again), text); // written back the same
    again->Free();
}

TEST(Picture, AnotherProgramsFormatIsKeptAsItCame) {
    RegisterClass(TPictureHolder::StaticClass());
    // "TPngImage" and four bytes of its data.
    std::string text = "object Form1: TForm1\r\n"
                       "  object Image1: TPictureHolder\r\n"
                       "    Picture.Data = {\r\n"
                       "      0954506E67496D61676589504E47}\r\n"
                       "  end\r\n"
                       "end\r\n";
    TComponent* root = LoadText(text);
    auto* holder = DynCast<TPictureHolder>(root->FindComponent("Image1"));
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->GetPicture()->GetGraphic(), nullptr);
    EXPECT_EQ(SaveText(root), text);
    root->Free();
}

TEST(Picture, FilesByExtensionAndTheRegisteredFormats) {
    auto dir = std::filesystem::temp_directory_path() / "zeltrix-picture-test";
    std::filesystem::create_directories(dir);
    auto* b = new TBitmap;
    b->SetSize(4, 4);
    b->SaveToFile((dir / "a.bmp").string());
    b->Free();
    auto* p = new TPicture;
    int changes = 0;
    struct Count {
        int* N;
        void On(TObject*) { ++*N; }
    } count{&changes};
    p->SetOnChange(TNotifyEvent::Bind<&Count::On>(&count));
    p->LoadFromFile((dir / "a.bmp").string());
    EXPECT_TRUE(DynCast<TBitmap>(p->GetGraphic()));
    EXPECT_EQ(p->GetWidth(), 4);
    EXPECT_GE(changes, 1);
    p->GetBitmap()->GetCanvas()->SetPixels(0, 0, clBlack); // the graphic's changes reach us
    int before = changes;
    p->GetBitmap()->GetCanvas()->SetPixels(1, 0, clBlack);
    EXPECT_EQ(changes, before + 1);
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { p->LoadFromFile((dir / "a.xyz").string()); }),
              "Unknown picture file extension (.xyz)");
    EXPECT_TRUE(DynCast<TBitmap>(p->GetGraphic())); // a failed load keeps the picture
    // The icon getter replaces a graphic of another class.
    p->GetIcon();
    EXPECT_TRUE(DynCast<TIcon>(p->GetGraphic()));
    p->Free();

    EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
    EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_METAFILEPICT));
    EXPECT_EQ(TPicture::FindGraphicClass("ticon"), TIcon::StaticClass());
    TPicture::RegisterFileFormat(".dib", "Device-independent bitmaps", TBitmap::StaticClass());
    auto* q = new TPicture;
    std::filesystem::copy_file(dir / "a.bmp", dir / "b.dib",
                               std::filesystem::copy_options::overwrite_existing);
    q->LoadFromFile((dir / "b.dib").string());
    EXPECT_EQ(q->GetHeight(), 4);
    q->Free();
    std::filesystem::remove_all(dir);
}
