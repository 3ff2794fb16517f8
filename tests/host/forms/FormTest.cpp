// Forms: their window's parts and sizes, showing, closing and modal showing with their events,
// OnCreate once, their picture, and form files from real projects read and written back as
// they were, whichever version of the host's IDE wrote them.
#include "host/forms/Form.h"
#include "host/classes/FormLoading.h"
#include "host/classes/StandIn.h"
#include "host/forms/FormRoots.h"
#include "host/graphics/Bitmap.h"
#include "host/menus/Menu.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

TEST(Form, TheFrameCaptionAndMenuBarTakeTheirRoomFromTheWholeSize) {
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    EXPECT_EQ(form.GetWidth(), 208);  // a sizeable frame: 4 on each side
    EXPECT_EQ(form.GetHeight(), 127); // and a caption of 19
    TMainMenu menu(nullptr);
    auto* file = new TMenuItem(&menu);
    file->SetCaption("&File");
    menu.GetItems()->Add(file);
    form.SetMenu(&menu);
    EXPECT_EQ(form.GetClientHeight(), 100); // a menu bar keeps the client size
    EXPECT_EQ(form.GetHeight(), 146);
    form.SetBorderStyle(bsDialog);
    EXPECT_EQ(form.GetClientWidth(), 202); // a dialog's frame is 3 wide
    form.SetBorderStyle(bsNone);
    EXPECT_EQ(form.GetClientWidth(), 208);
    EXPECT_EQ(form.GetClientHeight(), 146 - 19);
    EXPECT_EQ(form.GetClientOrigin().Y, form.GetTop() + 19);
}

TEST(Form, ShowingAndClosingFireTheirEventsAndCloseActionsDecide) {
    struct Events {
        std::vector<std::string> Log;
        bool Allow = true;
        TCloseAction Action = caHide;
        void Show(TObject*) { Log.push_back("show"); }
        void Hide(TObject*) { Log.push_back("hide"); }
        void Activate(TObject*) { Log.push_back("activate"); }
        void Query(TObject*, bool& Can) {
            Log.push_back("query");
            Can = Allow;
        }
        void Close(TObject*, TCloseAction& A) {
            Log.push_back("close");
            A = Action;
        }
    } e;
    auto* form = new TForm(nullptr);
    form->SetOnShow(TNotifyEvent::Bind<&Events::Show>(&e));
    form->SetOnHide(TNotifyEvent::Bind<&Events::Hide>(&e));
    form->SetOnActivate(TNotifyEvent::Bind<&Events::Activate>(&e));
    form->SetOnCloseQuery(TCloseQueryEvent::Bind<&Events::Query>(&e));
    form->SetOnClose(TCloseEvent::Bind<&Events::Close>(&e));
    form->Show();
    EXPECT_TRUE(form->GetVisible());
    e.Allow = false;
    form->Close();
    EXPECT_TRUE(form->GetVisible()); // refused
    e.Allow = true;
    e.Action = caNone;
    form->Close();
    EXPECT_TRUE(form->GetVisible()); // closing that does nothing
    e.Action = caHide;
    form->Close();
    EXPECT_FALSE(form->GetVisible());
    EXPECT_EQ(e.Log, (std::vector<std::string>{"show", "activate", "query", "query", "close",
                                               "query", "close", "hide"}));
    e.Action = caFree;
    form->Show();
    std::size_t objects = LiveObjects::Count();
    form->Close(); // frees the form
    EXPECT_LT(LiveObjects::Count(), objects);
}

TEST(Form, AModalFormReturnsWhatTheHookDidOrCancel) {
    TForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrCancel); // nothing acts on it
    EXPECT_FALSE(form.GetVisible());
    struct Hook {
        static void Press(TCustomForm* F, void* Data) {
            EXPECT_TRUE(F->GetVisible()); // shown while the hook acts
            *static_cast<int*>(Data) += 1;
            F->SetModalResult(mrOk);
        }
    };
    int calls = 0;
    TCustomForm::SetModalHook(&Hook::Press, &calls);
    EXPECT_EQ(form.ShowModal(), mrOk);
    TCustomForm::SetModalHook(nullptr, nullptr);
    EXPECT_EQ(calls, 1);
    form.Show();
    EXPECT_THROW(form.ShowModal(), EInvalidOperation); // already visible
}

TEST(Form, TheFormsPictureHasItsFrameCaptionAndClientArea) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 60);
    form.SetCaption("Hi");
    TBitmap* image = form.GetFormImage();
    ASSERT_EQ(image->GetWidth(), 200);
    ASSERT_EQ(image->GetHeight(), 60);
    // The raised frame: light outside on the top and left, dark outside on the bottom and right.
    EXPECT_EQ(image->ColorAt(5, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(image->ColorAt(5, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(image->ColorAt(199, 20), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(image->ColorAt(198, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(image->ColorAt(2, 20), ColorToRGB(clActiveBorder));
    // The caption bar starts in the caption colour; the client area is the form's colour.
    EXPECT_EQ(image->ColorAt(4, 12), ColorToRGB(clActiveCaption));
    EXPECT_EQ(image->ColorAt(4, 23), ColorToRGB(clBtnFace));
    EXPECT_EQ(image->ColorAt(100, 40), ColorToRGB(clBtnFace));
    // The close button at the right: a raised button with its cross in black.
    EXPECT_EQ(image->ColorAt(195 - 16, 6), ColorToRGB(clBtnHighlight));
    int cross = 0;
    for (Integer y = 6; y < 20; ++y)
        for (Integer x = 178; x < 194; ++x) cross += image->ColorAt(x, y) == 0;
    EXPECT_GE(cross, 14);
    // The caption's text is drawn in the caption text colour.
    int ink = 0;
    for (Integer y = 4; y < 22; ++y)
        for (Integer x = 4; x < 20; ++x) ink += image->ColorAt(x, y) == ColorToRGB(clCaptionText);
    EXPECT_GT(ink, 10);
    image->Free();
}

TEST(Form, FormFilesOfEitherEraComeBackAsTheyWere) {
    // A modern form file: the client size, the colour and font always, the metrics last.
    const std::string modern = "object MainForm: TMainForm\r\n"
                               "  Left = 0\r\n"
                               "  Top = 0\r\n"
                               "  Caption = 'Main'\r\n"
                               "  ClientHeight = 299\r\n"
                               "  ClientWidth = 635\r\n"
                               "  Color = clBtnFace\r\n"
                               "  Font.Charset = DEFAULT_CHARSET\r\n"
                               "  Font.Color = clWindowText\r\n"
                               "  Font.Height = -11\r\n"
                               "  Font.Name = 'Tahoma'\r\n"
                               "  Font.Style = []\r\n"
                               "  OldCreateOrder = False\r\n"
                               "  OnCreate = FormCreate\r\n"
                               "  PixelsPerInch = 96\r\n"
                               "  TextHeight = 13\r\n"
                               "end\r\n";
    // An older one: the whole size, and a scrolling form.
    const std::string older = "object OldForm: TOldForm\r\n"
                              "  Left = 192\r\n"
                              "  Top = 107\r\n"
                              "  Width = 696\r\n"
                              "  Height = 480\r\n"
                              "  Caption = 'Old'\r\n"
                              "  Color = clBtnFace\r\n"
                              "  Font.Charset = DEFAULT_CHARSET\r\n"
                              "  Font.Color = clWindowText\r\n"
                              "  Font.Height = -11\r\n"
                              "  Font.Name = 'MS Sans Serif'\r\n"
                              "  Font.Style = []\r\n"
                              "  PixelsPerInch = 96\r\n"
                              "  TextHeight = 13\r\n"
                              "end\r\n";
    for (const std::string* text : {&modern, &older}) {
        formtest::RootPtr root = formtest::Load(*text);
        ASSERT_TRUE(root);
        auto* form = DynCast<TCustomForm>(root.get());
        ASSERT_TRUE(form) << *text;
        EXPECT_EQ(formtest::Save(root.get(), true), *text);
    }
    formtest::RootPtr main = formtest::Load(modern);
    auto* form = static_cast<TForm*>(main.get());
    EXPECT_EQ(form->GetClientWidth(), 635);
    EXPECT_EQ(form->GetFont()->GetName(), "Tahoma");
    // What changes is written, in the file's own way.
    form->SetClientWidth(400);
    form->SetColor(clWindow);
    std::string saved = formtest::Save(main.get(), true);
    EXPECT_NE(saved.find("  ClientWidth = 400\r\n"), std::string::npos);
    EXPECT_NE(saved.find("  Color = clWindow\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("Width = 4"), saved.find("ClientWidth = 400") + 6);
}

TEST(Form, TheRootsPropertiesSayWhatItIsMadeOver) {
    EXPECT_EQ(ImpliedRootClass({"Left", "Top", "Caption", "ClientHeight"}), TForm::StaticClass());
    EXPECT_EQ(ImpliedRootClass({"Font.Name"}), TForm::StaticClass());
    EXPECT_EQ(ImpliedRootClass({"OldCreateOrder", "Left", "Top", "Height", "Width"}),
              TDataModule::StaticClass());
    EXPECT_EQ(ImpliedRootClass({"Width", "Height", "TabOrder"}), TComponent::StaticClass());
    EXPECT_EQ(ImpliedRootClass({}), TComponent::StaticClass());

    const std::string module = "object Data: TData\r\n"
                               "  OldCreateOrder = False\r\n"
                               "  Left = 0\r\n"
                               "  Top = 0\r\n"
                               "  Height = 150\r\n"
                               "  Width = 215\r\n"
                               "end\r\n";
    formtest::RootPtr root = formtest::Load(module);
    auto* data = DynCast<TDataModule>(root.get());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->GetDesignSize().X, 215);
    EXPECT_EQ(root->ClassName(), "TData");
    EXPECT_EQ(formtest::Save(root.get(), true), module); // the zero place kept as the file had it
}

TEST(Form, OnCreateFiresOnceAfterTheFormIsRead) {
    struct Created {
        int N = 0;
        void On(TObject*) { ++N; }
    } created;
    struct MyForm : TForm {
        Created* C;
        MyForm(Created* AC) : TForm(nullptr), C(AC) {
            SetOnCreate(TNotifyEvent::Bind<&Created::On>(AC));
        }
        using TForm::Loaded;
    };
    auto* form = new MyForm(&created);
    form->AfterConstruction(); // as the virtual constructors do
    EXPECT_EQ(created.N, 1);
    form->Loaded(); // read later: not again
    EXPECT_EQ(created.N, 1);
    form->Free();
}

TEST(Form, StandInsTakeTheirPlaceAsControlsAndSaveBackUnchanged) {
    // A third-party panel (sized, aligned, holding controls), a label inside it, a scroll box
    // (a known class) inside it, and a query with a field (not controls: no size).
    const std::string text = formtest::Lines({
        "object Main: TMain",
        "  Left = 10",
        "  Top = 10",
        "  Caption = 'Main'",
        "  ClientHeight = 200",
        "  ClientWidth = 300",
        "  TextHeight = 13",
        "  object Header: TGradientPanel",
        "    Left = 0",
        "    Top = 0",
        "    Width = 300",
        "    Height = 41",
        "    Align = alTop",
        "    Colors.Start = clNavy",
        "    object Title: TShadowLabel",
        "      Left = 8",
        "      Top = 12",
        "      Width = 60",
        "      Height = 13",
        "      Caption = 'Orders'",
        "    end",
        "    object Box: TScrollBox",
        "      Left = 100",
        "      Top = 4",
        "      Width = 80",
        "      Height = 30",
        "      TabOrder = 0",
        "    end",
        "  end",
        "  object Hidden: TFancyButton",
        "    Left = 8",
        "    Top = 60",
        "    Width = 75",
        "    Height = 25",
        "    Visible = False",
        "  end",
        "  object Query: TADOQuery",
        "    Left = 16",
        "    Top = 150",
        "    object QueryID: TAutoIncField",
        "      FieldName = 'ID'",
        "    end",
        "  end",
        "end",
    });
    formtest::RootPtr root = formtest::Load(text);
    auto* form = DynCast<TForm>(root.get());
    ASSERT_TRUE(form);
    auto* header = dynamic_cast<TWinControl*>(root->FindComponent("Header"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->GetParent(), form);
    EXPECT_EQ(header->GetAlign(), alTop); // kept as streamed, and taken
    auto* title = dynamic_cast<TControl*>(root->FindComponent("Title"));
    ASSERT_TRUE(title);
    EXPECT_FALSE(dynamic_cast<TWinControl*>(title)); // holds nothing: a graphic control
    EXPECT_EQ(title->GetParent(), header);
    auto* box = DynCast<TScrollBox>(root->FindComponent("Box"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->GetParent(), header);
    EXPECT_EQ(box->ClientToScreen({0, 0}).X, header->ClientToScreen({100, 0}).X + 2);
    EXPECT_FALSE(dynamic_cast<TControl*>(root->FindComponent("Hidden"))->GetVisible());
    EXPECT_FALSE(dynamic_cast<TControl*>(root->FindComponent("Query")));
    EXPECT_EQ(root->FindComponent("QueryID")->GetParentComponent(), root->FindComponent("Query"));
    EXPECT_TRUE(AsStandIn(header) && AsStandIn(title) && AsStandIn(root->FindComponent("Query")));

    // The aligned panel follows the form; everything saves back as it came.
    form->SetClientWidth(400);
    EXPECT_EQ(header->GetWidth(), 400);
    form->SetClientWidth(300);
    EXPECT_EQ(formtest::Save(root.get(), true), text);
}

} // namespace
