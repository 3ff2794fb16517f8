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
