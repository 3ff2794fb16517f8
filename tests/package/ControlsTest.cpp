// The first class infos of the controls and forms: points and handles in their slots, the
// screen's cursors by index, a data module's design size, a scroll bar moving its content.
#include "ClassesFixture.h"

#include "host/controls/Drag.h"
#include "host/controls/Input.h"
#include "host/controls/Mouse.h"
#include "host/forms/Application.h"

#include <gtest/gtest.h>

using namespace classes_test;
using Controls = ClassesTest;

TEST_F(Controls, TheMousesCursorPositionTravelsByAddress) {
    auto* mouse = new TMouse;
    input::SetCursorPos({12, 34});
    Variant first = Get(mouse, "CursorPos");
    const auto* at = static_cast<const TPoint*>(first.AsAddress());
    EXPECT_EQ(at->X, 12);
    EXPECT_EQ(at->Y, 34);
    TPoint to{5, 6};
    Set(mouse, "CursorPos", Variant::Address(&to));
    EXPECT_EQ(input::CursorPos().X, 5);
    EXPECT_EQ(Get(mouse, "CursorPos").AsAddress(), at); // the same slot, the new position
    EXPECT_EQ(at->Y, 6);
    EXPECT_EQ(Get(mouse, "DragThreshold").AsInteger(), 5);
    mouse->Free();
}

TEST_F(Controls, ADragObjectsPointsAndInstanceComeBackInTheirSlots) {
    auto* control = new TWinControl(nullptr);
    auto* drag = new TDragControlObject(control);
    TPoint pos{3, 4};
    Set(drag, "DragPos", Variant::Address(&pos));
    EXPECT_EQ(drag->GetDragPos().X, 3);
    EXPECT_EQ(static_cast<const TPoint*>(Get(drag, "DragPos").AsAddress())->Y, 4);
    TzelMethodInfo* m = Call(drag, "Instance");
    EXPECT_EQ(*static_cast<const THandle*>(m->Result.AsAddress()), drag->Instance());
    EXPECT_EQ(Get(drag, "MouseDeltaX").AsDouble(), drag->GetMouseDeltaX());
    EXPECT_EQ(Get(drag, "Control").AsInt64(),
              static_cast<long long>(reinterpret_cast<std::uintptr_t>(control)));
    drag->Free();
    control->Free();
}

TEST_F(Controls, TheScreensCursorsAndADataModulesSizeByAddress) {
    TScreen* screen = Screen();
    TzelPropertyInfo* cursors = Info(screen)->FindProperty("Cursors");
    ASSERT_TRUE(cursors);
    cursors->GetIndexes(0)->Value = int(crHandPoint);
    Variant first = Info(screen)->GetProperty(cursors);
    EXPECT_EQ(*static_cast<const HCURSOR*>(first.AsAddress()), screen->GetCursors(crHandPoint));
    HCURSOR mine = 0x4242;
    cursors->GetIndexes(0)->Value = 5;
    Info(screen)->SetProperty(cursors, Variant::Address(&mine));
    EXPECT_EQ(screen->GetCursors(5), mine);
    EXPECT_EQ(*static_cast<const HKL*>(Get(screen, "DefaultKbLayout").AsAddress()),
              screen->GetDefaultKbLayout());

    auto* module = new TDataModule(nullptr);
    TPoint size{215, 150};
    Set(module, "DesignSize", Variant::Address(&size));
    EXPECT_EQ(module->GetDesignSize().X, 215);
    module->Free();
}

TEST_F(Controls, AScrollBarsPositionMovesTheContent) {
    auto* box = new TScrollBox(nullptr);
    box->SetBounds(0, 0, 104, 104);
    auto* child = new TGraphicControl(nullptr);
    child->SetParent(box);
    child->SetBounds(0, 150, 10, 30);
    TControlScrollBar* bar = box->GetVertScrollBar();
    EXPECT_EQ(Get(bar, "Range").AsInteger(), 180);
    Set(bar, "Position", 40);
    EXPECT_EQ(child->GetTop(), 110);
    EXPECT_TRUE(Call(bar, "IsScrollBarVisible")->Result.AsBoolean());
    EXPECT_EQ(Get(bar, "Kind").AsInteger(), int(sbVertical));
    child->Free();
    box->Free();
}

TEST_F(Controls, BoundsRectByAddressFollowsTheControlAndAnchorsSkipTheSetter) {
    auto* parent = new TWinControl(nullptr);
    parent->SetBounds(0, 0, 200, 100);
    auto* c = new TWinControl(nullptr);
    c->SetParent(parent);
    c->SetBounds(10, 10, 50, 20);
    Variant first = Get(c, "BoundsRect");
    const auto* r = static_cast<const TRect*>(first.AsAddress());
    EXPECT_EQ(r->Left, 10);
    c->SetLeft(30);
    EXPECT_EQ(Get(c, "BoundsRect").AsAddress(), r);
    EXPECT_EQ(r->Left, 30); // the second read shows through the first address

    // Anchors go straight into the control: its anchor rules are not taken again.
    TAnchors anchors{akRight};
    Set(c, "Anchors", Variant::Address(&anchors));
    EXPECT_TRUE(c->GetAnchors() == anchors);
    parent->SetWidth(300);
    EXPECT_EQ(c->GetLeft(), 30); // no rule was taken for the new anchors, so nothing moved
    delete c;
    delete parent;
}

TEST_F(Controls, ListenersDecideOnCanResizeAndOnKeyPress) {
    auto* c = new TWinControl(nullptr);
    c->SetBounds(0, 0, 50, 50);
    Hearing resize("OnCanResize", [&](TObject*, TzelEventInfo* E) {
        E->GetArgs(1)->Value = 80;                                                // NewWidth
        if (E->GetArgs(2)->Value.AsInteger() == 99) E->GetArgs(3)->Value = false; // Resize
    });
    Info(c)->AddListener(&resize);
    c->SetBounds(0, 0, 60, 60);
    EXPECT_EQ(c->GetWidth(), 80);
    EXPECT_EQ(c->GetHeight(), 60);
    c->SetBounds(0, 0, 70, 99); // refused by the listener
    EXPECT_EQ(c->GetHeight(), 60);
    Info(c)->RemoveListener(&resize);

    struct Field : TWinControl {
        using TWinControl::TWinControl;
        std::string Got;
        void WndProc(TMessage& M) override {
            TWinControl::WndProc(M);
            if (M.Msg == WM_CHAR && M.WParam) Got += char(M.WParam);
        }
    };
    auto* f = new Field(nullptr);
    Hearing key("OnKeyPress", [&](TObject*, TzelEventInfo* E) {
        if (E->GetArgs(1)->Value.AsString() == "a") E->GetArgs(1)->Value = AnsiString("z");
    });
    Info(f)->AddListener(&key);
    f->SetFocus();
    input::Type("ab");
    Info(f)->RemoveListener(&key);
    EXPECT_EQ(f->Got, "zb");
    delete f;
    delete c;
}

TEST_F(Controls, AListenerRefusingOnDragOverOutweighsTheControlsOwnHandler) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 208, 127);
    auto* source = new TWinControl(&form);
    source->SetParent(&form);
    source->SetBounds(0, 0, 50, 50);
    source->SetDragMode(dmAutomatic);
    auto* target = new TWinControl(&form);
    target->SetParent(&form);
    target->SetBounds(100, 0, 50, 50);
    struct Own {
        int Dropped = 0;
        void Over(TObject*, TObject*, Integer, Integer, TDragState, bool& Accept) { Accept = true; }
        void Drop(TObject*, TObject*, Integer, Integer) { ++Dropped; }
    } own;
    target->SetOnDragOver(TDragOverEvent::Bind<&Own::Over>(&own));
    target->SetOnDragDrop(TDragDropEvent::Bind<&Own::Drop>(&own));
    Hearing refuse("OnDragOver", [&](TObject*, TzelEventInfo* E) { E->GetArgs(5)->Value = false; });
    Info(target)->AddListener(&refuse);
    form.Show();
    input::MouseDown(&form, {10, 10});
    input::MouseMove(&form, {30, 10});
    input::MouseMove(&form, {120, 10});
    input::MouseUp(&form, {120, 10});
    EXPECT_EQ(own.Dropped, 0);
    Info(target)->RemoveListener(&refuse);
    input::MouseDown(&form, {10, 10}); // without the listener the control's handler accepts
    input::MouseMove(&form, {30, 10});
    input::MouseMove(&form, {120, 10});
    input::MouseUp(&form, {120, 10});
    EXPECT_EQ(own.Dropped, 1);
}

TEST_F(Controls, TheApplicationsIrregularMembers) {
    TApplication app(nullptr);
    // The application's own help handler, there before its class info hooks the events.
    struct Help {
        bool On(Word, LongInt, bool& CallHelp) {
            CallHelp = false;
            return true;
        }
    } help;
    app.SetOnHelp(THelpEvent::Bind<&Help::On>(&help));
    // CreateForm leaves the new form in its Reference argument.
    TzelMethodInfo* create = Call(&app, "CreateForm", Variant::Address(TForm::StaticClass()), 0);
    auto* form = reinterpret_cast<TForm*>(create->GetArgs(1)->Value.AsInt64());
    ASSERT_EQ(form, app.GetMainForm());
    EXPECT_EQ(form->GetOwner(), &app);

    // MessageBox's texts are character pointers, answered through the modal hook.
    struct Answer {
        static void No(TCustomForm* Box, void*) { Box->SetModalResult(mrNo); }
    };
    TCustomForm::SetModalHook(&Answer::No, nullptr);
    const char text[] = "Save changes?";
    TzelMethodInfo* box =
        Call(&app, "MessageBox", Variant::Address(text), AnsiString("Editor"), int(MB_YESNO));
    TCustomForm::SetModalHook(nullptr, nullptr);
    EXPECT_EQ(box->Result.AsInteger(), IDNO);
    EXPECT_EQ(app.LastMessageBoxText(), "Save changes?");
    EXPECT_THROW(Call(&app, "MessageBox", 12345, AnsiString("Editor"), 0), EInvalidCast);

    // OnHelp: with a listener, the application's own handler still answers.
    std::vector<std::string> heard;
    Hearing listen("OnHelp", [&](TObject*, TzelEventInfo* E) {
        heard.push_back(std::to_string(E->GetArgs(0)->Value.AsInteger()));
    });
    Info(&app)->AddListener(&listen);
    EXPECT_TRUE(app.HelpContext(12));
    Info(&app)->RemoveListener(&listen);
    EXPECT_EQ(heard, (std::vector<std::string>{"1"})); // HELP_CONTEXT

    // OnShowHint: a listener may hand back a hint record of its own, text and all.
    THintInfo theirs;
    theirs.HintStr = "from the listener";
    theirs.HideTimeout = 900;
    Hearing hint("OnShowHint", [&](TObject*, TzelEventInfo* E) {
        E->GetArgs(0)->Value = AnsiString("shorter");
        E->GetArgs(2)->Value = Variant::Address(&theirs);
    });
    Info(&app)->AddListener(&hint);
    AnsiString str = "long hint";
    bool canShow = true;
    THintInfo info;
    app.GetOnShowHint()(str, canShow, info);
    Info(&app)->RemoveListener(&hint);
    EXPECT_EQ(str, "shorter");
    EXPECT_EQ(info.HintStr, "from the listener");
    EXPECT_EQ(info.HideTimeout, 900);
}

TEST_F(Controls, AFormsBorderIconsSlotAndItsWriteOnlySizesAndVisible) {
    TForm form(nullptr);
    form.SetBorderIcons(TBorderIcons{biSystemMenu});
    Variant first = Get(&form, "BorderIcons");
    form.SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    Variant second = Get(&form, "BorderIcons");
    EXPECT_EQ(first.AsAddress(), second.AsAddress()); // one slot: the set of the second read
    EXPECT_TRUE(*static_cast<const TBorderIcons*>(first.AsAddress()) ==
                (TBorderIcons{biSystemMenu, biMaximize}));

    // Write-only in the metadata, yet read through the class info they give their values.
    form.SetClientWidth(222);
    form.SetClientHeight(111);
    for (const char* name : {"ClientHeight", "ClientWidth", "Visible"}) {
        TzelPropertyInfo* p = Info(&form)->FindProperty(name);
        ASSERT_TRUE(p) << name;
        EXPECT_TRUE(p->Style == TzelPropertyStyle{psWritable}) << name;
    }
    EXPECT_EQ(Get(&form, "ClientWidth").AsInteger(), 222);
    EXPECT_EQ(Get(&form, "ClientHeight").AsInteger(), 111);
    EXPECT_FALSE(Get(&form, "Visible").AsBoolean());

    // The constructors are metadata only.
    TzelConstructorInfo* ctor = Info(&form)->FindConstructor("CreateNew");
    ASSERT_TRUE(ctor);
    Integer before = form.GetComponentCount();
    Info(&form)->InvokeConstructor(ctor);
    EXPECT_EQ(form.GetComponentCount(), before);
}

TEST_F(Controls, AListenerRefusesAFormsCloseOverItsOwnOnCloseQuery) {
    auto* form = new TForm(nullptr);
    struct Own {
        int Asked = 0;
        void Query(TObject*, bool& CanClose) {
            ++Asked;
            CanClose = true; // the form itself would close
        }
    } own;
    form->SetOnCloseQuery(TCloseQueryEvent::Bind<&Own::Query>(&own));
    bool refuse = true;
    Hearing listen("OnCloseQuery", [&](TObject*, TzelEventInfo* E) {
        EXPECT_TRUE(E->GetArgs(1)->Value.AsBoolean()); // what the form's handler left
        if (refuse) E->GetArgs(1)->Value = false;
    });
    Info(form)->AddListener(&listen);
    form->Show();
    form->Close();
    EXPECT_TRUE(form->GetVisible()); // refused
    refuse = false;
    form->Close();
    EXPECT_FALSE(form->GetVisible());
    EXPECT_EQ(own.Asked, 2);
    Info(form)->RemoveListener(&listen);
    form->Free();
}
