// The standard controls' class infos: a list box's Selected by index and its item rectangle
// by address, an edit's password character as a one-character string, a listener deciding an
// owner-drawn item's height, and concrete class infos answering as their parents.
#include "ClassesFixture.h"

#include "classinfo/Zelstdctrls.h"
#include "connections/Zele2m.h"
#include "host/actnlist/ActionList.h"
#include "host/buttons/BitBtn.h"
#include "host/buttons/SpeedButton.h"
#include "host/classes/StringList.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/ListBox.h"
#include "host/stdctrls/Memo.h"
#include "host/stdctrls/ScrollBar.h"
#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

using namespace classes_test;
using StdCtrls = ClassesTest;

TEST_F(StdCtrls, AListBoxsSelectedByIndexAndItsItemRectByAddress) {
    TForm form(nullptr);
    auto* list = new TListBox(&form);
    list->SetParent(&form);
    list->SetMultiSelect(true);
    for (const char* s : {"a", "b", "c", "d"}) list->GetItems()->Add(s);
    TzelPropertyInfo* selected = Info(list)->FindProperty("Selected");
    ASSERT_TRUE(selected);
    selected->GetIndexes(0)->Value = 2;
    Info(list)->SetProperty(selected, true);
    list->SetSelected(3, true);
    EXPECT_TRUE(Info(list)->GetProperty(selected).AsBoolean());
    Info(list)->SetProperty(selected, false); // that item only
    EXPECT_FALSE(list->GetSelected(2));
    EXPECT_TRUE(list->GetSelected(3));

    TzelMethodInfo* rect = Call(list, "ItemRect", 1);
    const auto* r = static_cast<const TRect*>(rect->Result.AsAddress());
    EXPECT_TRUE(*r == list->ItemRect(1));
    TPoint inside{5, r->Top + 1};
    EXPECT_EQ(Call(list, "ItemAtPos", Variant::Address(&inside), true)->Result.AsInteger(), 1);
    // Items is an object reference; writing one assigns its strings.
    TStringList other;
    other.Add("x");
    Set(list, "Items", AddressOf(&other));
    EXPECT_EQ(list->GetItems()->GetCount(), 1);
}

TEST_F(StdCtrls, AnEditsPasswordCharIsAOneCharacterString) {
    auto* edit = new TEdit(nullptr);
    EXPECT_EQ(Get(edit, "PasswordChar").AsString(), std::string(1, '\0'));
    Set(edit, "PasswordChar", AnsiString("*"));
    EXPECT_EQ(edit->GetPasswordChar(), '*');
    Set(edit, "PasswordChar", AnsiString("#!"));
    EXPECT_EQ(edit->GetPasswordChar(), '#'); // the first character
    // TEdit answers as TCustomEdit: its class info only changes visibilities.
    Set(edit, "Text", AnsiString("hello"));
    Set(edit, "SelStart", 1);
    Set(edit, "SelLength", 3);
    EXPECT_EQ(Get(edit, "SelText").AsString(), "ell");
    char buffer[3];
    TzelMethodInfo* m = Call(edit, "GetSelTextBuf", Variant::Address(buffer), 3);
    EXPECT_EQ(m->Result.AsInteger(), 2);
    EXPECT_STREQ(buffer, "el");
    EXPECT_EQ(Info(edit)->FindProperty("SelText")->Visibility, pvPublic);
    EXPECT_EQ(Info(edit)->FindProperty("MaxLength")->Visibility, pvPublished);
    edit->Free();
}

TEST_F(StdCtrls, AListenerSetsAnOwnerDrawnItemsHeight) {
    TForm form(nullptr);
    auto* list = new TListBox(&form);
    list->SetParent(&form);
    list->SetStyle(lbOwnerDrawVariable);
    for (const char* s : {"a", "b", "c"}) list->GetItems()->Add(s);
    Hearing tall("OnMeasureItem", [&](TObject*, TzelEventInfo* E) {
        if (E->GetArgs(1)->Value.AsInteger() == 0) E->GetArgs(2)->Value = 30;
    });
    Info(list)->AddListener(&tall);
    EXPECT_EQ(list->ItemRect(1).Top, 30);
    EXPECT_EQ(list->ItemRect(0).Bottom - list->ItemRect(0).Top, 30);
    // OnDrawItem's Rect and State are the forwarder's copies, by address.
    TRect seen{};
    Hearing draw("OnDrawItem", [&](TObject*, TzelEventInfo* E) {
        if (E->GetArgs(1)->Value.AsInteger() == 1)
            seen = *static_cast<const TRect*>(E->GetArgs(2)->Value.AsAddress());
    });
    Info(list)->AddListener(&draw);
    form.GetFormImage()->Free();
    EXPECT_EQ(seen.Top, 30);
    Info(list)->RemoveListener(&draw);
    Info(list)->RemoveListener(&tall);
}

TEST_F(StdCtrls, AScrollBarsStepsAndOnScrollAndAMemosCaretByAddress) {
    auto* bar = new TScrollBar(nullptr);
    Set(bar, "LargeChange", 25);
    EXPECT_EQ(bar->GetLargeChange(), 25);
    Hearing cap("OnScroll", [&](TObject*, TzelEventInfo* E) {
        if (E->GetArgs(2)->Value.AsInteger() > 40) E->GetArgs(2)->Value = 40; // ScrollPos
    });
    Info(bar)->AddListener(&cap);
    bar->Perform(WM_KEYDOWN, VK_NEXT, 0); // a page: 25, then 50 capped
    bar->Perform(WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(bar->GetPosition(), 40);
    Info(bar)->RemoveListener(&cap);
    bar->Free();

    auto* memo = new TMemo(nullptr);
    memo->SetText("ab\r\ncd");
    memo->SetSelStart(5);
    const auto* caret = static_cast<const TPoint*>(Get(memo, "CaretPos").AsAddress());
    EXPECT_EQ(caret->X, 1);
    EXPECT_EQ(caret->Y, 1);
    memo->Free();
}

TEST_F(StdCtrls, AStandardListStillDrawsItsItemsWithTheForwardersInstalled) {
    // The class info puts a forwarder on OnDrawItem; only owner-drawn lists ask for it.
    TForm form(nullptr);
    auto* list = new TListBox(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 100, 60);
    list->GetItems()->Add("WWWW");
    int asked = 0;
    Hearing draw("OnDrawItem", [&](TObject*, TzelEventInfo*) { ++asked; });
    Info(list)->AddListener(&draw);
    list->SetItemIndex(0);
    TBitmap* image = form.GetFormImage();
    TPoint at = list->ClientToScreen({4, 2});
    Integer x = at.X - form.GetLeft(), y = at.Y - form.GetTop();
    EXPECT_EQ(image->ColorAt(x, y), ColorToRGB(clHighlight)); // the chosen item, highlighted
    image->Free();
    EXPECT_EQ(asked, 0);
    Info(list)->RemoveListener(&draw);
}

TEST_F(StdCtrls, ButtonsWithoutClassInfosOfTheirOwnAnswerThroughTheNearestDescribedAncestor) {
    TForm form(nullptr);
    auto* bitBtn = new TBitBtn(&form);
    bitBtn->SetParent(&form);
    auto* speed = new TSpeedButton(&form);
    speed->SetParent(&form);
    EXPECT_EQ(TzelClassRegistry::FindClassInfoClass(bitBtn), TButtonClassInfo::StaticClass());
    EXPECT_EQ(TzelClassRegistry::FindClassInfoClass(speed),
              TGraphicControlClassInfo::StaticClass());
    // Through TButton's members the bitmap button behaves as itself.
    bitBtn->SetKind(bkCancel);
    EXPECT_TRUE(Get(bitBtn, "Cancel").AsBoolean());
    EXPECT_EQ(Get(bitBtn, "ModalResult").AsInteger(), mrCancel);
    Set(speed, "Caption", AnsiString("Go"));
    EXPECT_EQ(speed->GetCaption(), "Go");
}

namespace {
/// An OnHint handler that spells the hint in capitals.
struct Capitals {
    void On(AnsiString& HintStr, bool&) { HintStr = UpperCase(HintStr); }
};
} // namespace

TEST_F(StdCtrls, AKeyPressReachesAMethodThroughItsVarParameterAndComesBackChanged) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* actions = new TActionList(&form);
    auto* upper = new TAction(&form);
    upper->SetActionList(actions);
    Capitals capitals;
    upper->SetOnHint(THintEvent::Bind<&Capitals::On>(&capitals));
    auto* c = new TzelE2MConnection(&form);
    c->SetSource(edit);
    c->SetTarget(upper);
    c->SetSourceEvent("OnKeyPress");
    c->SetTargetMethod("DoHint");
    TzelParameterConnection* hint = c->GetTargetMethodParameters()->GetItem(0);
    hint->SetEventParameter("Key");
    hint->SetOptions(voEventProperty);
    ASSERT_TRUE(c->Connect());
    form.Show();
    edit->SetFocus();
    input::Type("milk");
    // Key went into DoHint's HintStr, the action's handler changed it, and the edit typed
    // what came back.
    EXPECT_EQ(edit->GetText(), "MILK");
}
