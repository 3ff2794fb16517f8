// The extended controls' class infos on live controls: members by name, the timer's interval by
// address and its handler through its setter, the splitter's own OnCanResize deciding the size,
// headers' widths by index and their sizing events, radio groups, and control bars' bands.
#include "ClassesFixture.h"

#include "host/classes/StringList.h"
#include "host/controls/Input.h"
#include "host/extctrls/ControlBar.h"
#include "host/extctrls/Header.h"
#include "host/extctrls/Notebook.h"
#include "host/extctrls/Panel.h"
#include "host/extctrls/RadioGroup.h"
#include "host/extctrls/Shapes.h"
#include "host/extctrls/Splitter.h"
#include "host/extctrls/Timer.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/graphics/GraphicsObjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace classes_test;
using ExtCtrls = ClassesTest;

TEST_F(ExtCtrls, ShapesBevelsPanelsAndNotebooksByName) {
    TForm form(nullptr);
    auto* shape = new TShape(&form);
    Set(shape, "Shape", Integer(stCircle));
    EXPECT_EQ(shape->GetShape(), stCircle);
    TBrush brush;
    brush.SetColor(clRed);
    Set(shape, "Brush", AddressOf(&brush)); // assigned, not taken over
    EXPECT_EQ(shape->GetBrush()->GetColor(), clRed);
    EXPECT_EQ(Get(shape, "Brush").AsInt64(), AddressOf(shape->GetBrush()).AsInt64());
    Call(shape, "StyleChanged", AddressOf(shape));

    auto* bevel = new TBevel(&form);
    Set(bevel, "Style", Integer(bsRaised));
    EXPECT_EQ(bevel->GetStyle(), bsRaised);
    EXPECT_EQ(Get(bevel, "Shape").AsInteger(), Integer(bsBox));

    // A panel's bevels are its own rows, reaching the window control's members.
    auto* panel = new TPanel(&form);
    Set(panel, "BevelOuter", Integer(bvLowered));
    Set(panel, "BorderWidth", 4);
    Set(panel, "Alignment", Integer(taLeftJustify));
    EXPECT_EQ(panel->GetBevelOuter(), bvLowered);
    EXPECT_EQ(panel->GetBorderWidth(), 4);
    EXPECT_EQ(panel->GetAlignment(), taLeftJustify);
    EXPECT_EQ(Info(panel)->FindProperty("Alignment")->Visibility, pvPublished);

    auto* book = new TNotebook(&form);
    book->SetParent(&form);
    book->GetPages()->Add("Second");
    int changed = 0;
    Hearing pageChanged("OnPageChanged", [&](TObject*, TzelEventInfo*) { ++changed; });
    Info(book)->AddListener(&pageChanged);
    Set(book, "ActivePage", AnsiString("second")); // by name, ignoring case
    EXPECT_EQ(Get(book, "PageIndex").AsInteger(), 1);
    EXPECT_EQ(Get(book, "ActivePage").AsString(), "Second");
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(Get(book, "Pages").AsInt64(), AddressOf(book->GetPages()).AsInt64());
    Info(book)->RemoveListener(&pageChanged);
}

TEST_F(ExtCtrls, ATimersIntervalTravelsByAddressAndItsHandlerGoesThroughItsSetter) {
    TTimer timer(nullptr);
    const Cardinal interval = 250;
    Set(&timer, "Interval", Variant::Address(&interval));
    EXPECT_EQ(timer.GetInterval(), 250u);
    const auto* slot = static_cast<const Cardinal*>(Get(&timer, "Interval").AsAddress());
    EXPECT_EQ(*slot, 250u);
    timer.SetInterval(100);
    EXPECT_EQ(Get(&timer, "Interval").AsAddress(), slot); // the same slot, the new value
    EXPECT_EQ(*slot, 100u);

    // Enabled and without a handler of its own, the timer runs once its forwarder is in.
    int ticks = 0;
    Hearing tick("OnTimer", [&](TObject* Sender, TzelEventInfo*) {
        EXPECT_EQ(Sender, &timer);
        ++ticks;
    });
    Info(&timer)->AddListener(&tick);
    EXPECT_TRUE(timer.Running());
    Application()->AdvanceClock(300);
    EXPECT_EQ(ticks, 3);
    Set(&timer, "Enabled", false);
    Application()->AdvanceClock(300);
    EXPECT_EQ(ticks, 3);
    Info(&timer)->RemoveListener(&tick);
    // Disconnected, the empty handler is back through the setter: the timer stops.
    Set(&timer, "Enabled", true);
    Info(&timer)->SetOwner(nullptr);
    EXPECT_FALSE(timer.GetOnTimer().Assigned());
    EXPECT_FALSE(timer.Running());
}

struct SplitForm {
    TForm Form{nullptr};
    TPanel* Side;
    TSplitter* Split;
    SplitForm() {
        Form.SetBounds(0, 0, 208, 127); // a client area of 200 x 100
        Side = new TPanel(&Form);
        Side->SetParent(&Form);
        Side->SetAlign(alLeft);
        Side->SetWidth(60);
        Split = new TSplitter(&Form);
        Split->SetParent(&Form);
        Split->SetAlign(alLeft);
        Split->SetLeft(100);
        Split->SetResizeStyle(rsUpdate);
    }
    void Drag(Integer FromX, Integer ToX) {
        input::MouseDown(&Form, {FromX, 50});
        input::MouseMove(&Form, {ToX, 50});
        input::MouseUp(&Form, {ToX, 50});
    }
};

TEST_F(ExtCtrls, TheSplittersOwnOnCanResizeDecidesTheSizeThroughItsListeners) {
    SplitForm f;
    Set(f.Split, "MinSize", 20);
    Set(f.Split, "Beveled", true);
    EXPECT_EQ(f.Split->GetMinSize(), 20);
    EXPECT_TRUE(f.Split->GetBeveled());
    // The splitter's record, with its own parameters, is the one found and fired.
    TzelEventInfo* can = Info(f.Split)->FindEvent("OnCanResize");
    ASSERT_EQ(can->GetArgCount(), 3);
    EXPECT_EQ(can->GetArgs(1)->Name, "NewSize");
    std::vector<Integer> asked;
    bool refuse = false;
    Hearing decide("OnCanResize", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, f.Split);
        asked.push_back(E->GetArgs(1)->Value.AsInteger());
        E->GetArgs(1)->Value = 45;      // NewSize
        E->GetArgs(2)->Value = !refuse; // Accept
    });
    int moved = 0;
    Hearing onMoved("OnMoved", [&](TObject*, TzelEventInfo*) { ++moved; });
    Info(f.Split)->AddListener(&decide);
    Info(f.Split)->AddListener(&onMoved);
    f.Drag(61, 91);
    EXPECT_EQ(f.Side->GetWidth(), 45);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 90);
    EXPECT_EQ(moved, 1);
    refuse = true;
    f.Drag(46, 80);
    EXPECT_EQ(f.Side->GetWidth(), 45);
    // Resizing the splitter itself asks the control's OnCanResize, which is not hooked here.
    asked.clear();
    f.Split->SetWidth(5);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(f.Split->TControl::GetOnCanResize().Assigned());
    Info(f.Split)->RemoveListener(&decide);
    Info(f.Split)->RemoveListener(&onMoved);
}

TEST_F(ExtCtrls, AHeadersWidthsByIndexAndItsSizingEvents) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 127);
    auto* header = new THeader(&form);
    header->SetParent(&form);
    header->SetBounds(0, 0, 250, 25);
    header->GetSections()->Add("Name");
    header->GetSections()->Add("Size");
    TzelPropertyInfo* width = Info(header)->FindProperty("SectionWidth");
    width->GetIndexes(0)->Value = 1;
    Info(header)->SetProperty(width, 30);
    EXPECT_EQ(header->GetSectionWidth(1), 30);
    EXPECT_EQ(header->GetSectionWidth(0), THeader::DefaultSectionWidth);
    width->GetIndexes(0)->Value = 0;
    EXPECT_EQ(Info(header)->GetProperty(width).AsInteger(), THeader::DefaultSectionWidth);

    std::vector<std::string> log;
    auto note = [&](const char* What) {
        return [&log, What](TObject*, TzelEventInfo* E) {
            log.push_back(std::string(What) + " " +
                          std::to_string(E->GetArgs(1)->Value.AsInteger()) + " " +
                          std::to_string(E->GetArgs(2)->Value.AsInteger()));
        };
    };
    Hearing sizing("OnSizing", note("sizing"));
    Hearing sized("OnSized", note("sized"));
    Info(header)->AddListener(&sizing);
    Info(header)->AddListener(&sized);
    const Integer divider = 1 + 64; // inside the border
    input::MouseDown(&form, {divider, 10});
    input::MouseMove(&form, {divider + 20, 10});
    input::MouseUp(&form, {divider + 20, 10});
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "sizing 0 84");
    EXPECT_EQ(log.back(), "sized 0 84");
    EXPECT_EQ(header->GetSectionWidth(0), 84);
    Info(header)->RemoveListener(&sizing);
    Info(header)->RemoveListener(&sized);
}

TEST_F(ExtCtrls, ARadioGroupsItemsAndChoiceAndItsClicks) {
    TForm form(nullptr);
    auto* group = new TRadioGroup(&form);
    group->SetParent(&form);
    TStringList items;
    items.Add("one");
    items.Add("two");
    Set(group, "Items", AddressOf(&items));
    Set(group, "Columns", 2);
    EXPECT_EQ(group->GetButtonCount(), 2);
    EXPECT_EQ(group->GetColumns(), 2);
    std::vector<Integer> clicks;
    Hearing click("OnClick",
                  [&](TObject*, TzelEventInfo*) { clicks.push_back(group->GetItemIndex()); });
    Info(group)->AddListener(&click);
    Set(group, "ItemIndex", 1);
    EXPECT_TRUE(group->GetButton(1)->GetChecked());
    Set(group, "ItemIndex", 9); // clamped to the last item
    EXPECT_EQ(Get(group, "ItemIndex").AsInteger(), 1);
    form.Show();
    input::Click(group->GetButton(0));
    EXPECT_EQ(clicks, (std::vector<Integer>{1, 0}));
    EXPECT_EQ(Info(group)->FindProperty("ItemIndex")->Visibility, pvPublished);
    Info(group)->RemoveListener(&click);
}

TEST_F(ExtCtrls, AControlBarsBandEventsWriteTheirVarParametersBack) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 127);
    auto* bar = new TControlBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 0, 300, 80);
    auto* band = new TPanel(&form);
    band->SetBounds(0, 0, 50, 10);
    band->SetParent(bar);
    Set(bar, "RowSize", 30);
    EXPECT_EQ(bar->GetRowSize(), 30);
    // Insets by address: a listener hands back a rectangle of its own, copied into the bar's.
    TRect insets{4, 1, 1, 1};
    Hearing info("OnBandInfo", [&](TObject*, TzelEventInfo* E) {
        E->GetArgs(2)->Value = Variant::Address(&insets);
        E->GetArgs(4)->Value = 2; // RowCount
    });
    Info(bar)->AddListener(&info);
    Call(bar, "StickControls");
    EXPECT_EQ(band->GetTop(), 1);
    EXPECT_EQ(band->GetHeight(), 2 * 30 - 2);
    Info(bar)->RemoveListener(&info);

    // A listener refusing the drag keeps the band where it is.
    Hearing drag("OnBandDrag", [&](TObject*, TzelEventInfo* E) { E->GetArgs(2)->Value = false; });
    Info(bar)->AddListener(&drag);
    const Integer left = band->GetLeft();
    input::MouseDown(&form, {5, 10}); // the band's grabber
    input::MouseMove(&form, {125, 40});
    input::MouseUp(&form, {125, 40});
    EXPECT_EQ(band->GetLeft(), left);
    Info(bar)->RemoveListener(&drag);
}
