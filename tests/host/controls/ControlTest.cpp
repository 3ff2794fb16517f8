// Controls: parents and children, what a parent lends (font, colour, hints), text, the window
// procedure turning messages into events in the host's order, and the headless windows.
#include "host/controls/CustomControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Log {
    std::vector<std::string> Lines;
    void Click(TObject*) { Lines.push_back("click"); }
    void DblClick(TObject*) { Lines.push_back("dblclick"); }
    void Down(TObject*, TMouseButton B, TShiftState S, Integer X, Integer Y) {
        Lines.push_back("down " + std::to_string(int(B)) + (S.Contains(ssDouble) ? " double" : "") +
                        " " + std::to_string(X) + "," + std::to_string(Y));
    }
    void Up(TObject*, TMouseButton B, TShiftState, Integer X, Integer Y) {
        Lines.push_back("up " + std::to_string(int(B)) + " " + std::to_string(X) + "," +
                        std::to_string(Y));
    }
    void Resize(TObject*) { Lines.push_back("resize"); }
};

LongInt At(Integer X, Integer Y) {
    return PointToLParam({X, Y});
}

TEST(Control, ChildrenJoinAndLeaveTheirParentInPaintingOrder) {
    TWinControl parent(nullptr);
    auto* graphic = new TGraphicControl(nullptr);
    auto* windowed = new TWinControl(nullptr);
    auto* second = new TGraphicControl(nullptr);
    windowed->SetParent(&parent);
    graphic->SetParent(&parent);
    second->SetParent(&parent);
    ASSERT_EQ(parent.GetControlCount(), 3);
    // Graphic controls first (under the windows), each group in the order they came.
    EXPECT_EQ(parent.GetControls(0), graphic);
    EXPECT_EQ(parent.GetControls(1), second);
    EXPECT_EQ(parent.GetControls(2), windowed);
    graphic->BringToFront();
    EXPECT_EQ(parent.GetControls(1), graphic);
    EXPECT_THROW(parent.GetControls(3), EListError);

    EXPECT_THROW(parent.SetParent(windowed), EInvalidOperation); // its own child
    EXPECT_TRUE(parent.ContainsControl(graphic));
    second->SetParent(windowed);
    EXPECT_EQ(parent.GetControlCount(), 2);
    EXPECT_TRUE(parent.ContainsControl(second));
    graphic->SetName("Glyph");
    second->SetName("Deep");
    EXPECT_EQ(parent.FindChildControl("deep"), second);
    EXPECT_EQ(parent.FindChildControl("nothing"), nullptr);

    delete second; // leaves its parent as it goes
    EXPECT_EQ(windowed->GetControlCount(), 0);
    {
        auto* owner = new TWinControl(nullptr);
        auto* orphan = new TGraphicControl(nullptr);
        orphan->SetParent(owner);
        delete owner; // a parent that goes first lets its children go
        EXPECT_EQ(orphan->GetParent(), nullptr);
        delete orphan;
    }
    delete graphic;
    delete windowed;
}

TEST(Control, ChildrenTakeTheirParentsFontColourAndHintsUntilTheyHaveTheirOwn) {
    TWinControl parent(nullptr);
    parent.GetFont()->SetName("Courier New");
    parent.SetColor(clRed);
    auto* lender = new TWinControl(nullptr);
    lender->SetParent(&parent);
    auto* own = new TGraphicControl(nullptr);
    own->SetParent(lender);
    EXPECT_EQ(lender->GetFont()->GetName(), "Courier New");
    EXPECT_EQ(lender->GetColor(), clRed);
    EXPECT_TRUE(lender->GetParentFont());
    EXPECT_EQ(own->GetFont()->GetName(), "Courier New"); // through the middle one

    own->GetFont()->SetSize(20);
    EXPECT_FALSE(own->GetParentFont());
    parent.GetFont()->SetName("Times New Roman");
    EXPECT_EQ(lender->GetFont()->GetName(), "Times New Roman");
    EXPECT_EQ(own->GetFont()->GetName(), "Courier New"); // its own now
    own->SetParentFont(true);
    EXPECT_EQ(own->GetFont()->GetName(), "Times New Roman");
    EXPECT_EQ(own->GetFont()->GetSize(), lender->GetFont()->GetSize());

    lender->SetColor(clBlue);
    EXPECT_FALSE(lender->GetParentColor());
    parent.SetColor(clLime);
    EXPECT_EQ(lender->GetColor(), clBlue);
    EXPECT_EQ(own->GetColor(), clBlue); // follows its own parent
    EXPECT_EQ(lender->GetBrush()->GetColor(), clBlue);

    parent.SetShowHint(true);
    EXPECT_TRUE(own->GetShowHint());
    own->SetShowHint(false);
    EXPECT_FALSE(own->GetParentShowHint());
    delete own;
    delete lender;
}

TEST(Control, MouseMessagesBecomeEventsInTheHostsOrder) {
    TWinControl parent(nullptr);
    auto* c = new TGraphicControl(nullptr);
    c->SetParent(&parent);
    c->SetBounds(0, 0, 20, 10);
    Log log;
    c->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&log));
    c->SetOnDblClick(TNotifyEvent::Bind<&Log::DblClick>(&log));
    c->SetOnMouseDown(TMouseEvent::Bind<&Log::Down>(&log));
    c->SetOnMouseUp(TMouseEvent::Bind<&Log::Up>(&log));

    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
    c->Perform(WM_LBUTTONUP, 0, At(3, 4));
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"down 0 3,4", "click", "up 0 3,4"}));

    log.Lines.clear(); // released outside: no click
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
    c->Perform(WM_LBUTTONUP, 0, At(30, 4));
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"down 0 3,4", "up 0 30,4"}));

    log.Lines.clear();
    c->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, At(1, 1));
    c->Perform(WM_RBUTTONDOWN, MK_RBUTTON, At(2, 2));
    c->Perform(WM_RBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"dblclick", "down 0 double 1,1", "down 1 2,2",
                                                   "up 1 2,2"}));

    // A replaced window procedure sees the messages first and may keep them.
    struct Hook {
        TControl* C;
        TWndMethod Old;
        int Kept = 0;
        void Proc(TMessage& M) {
            if (M.Msg == WM_LBUTTONDOWN) {
                ++Kept;
                return;
            }
            Old(M);
        }
    } hook{c, c->GetWindowProc()};
    c->SetWindowProc(TWndMethod::Bind<&Hook::Proc>(&hook));
    log.Lines.clear();
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
    c->Perform(WM_LBUTTONUP, 0, At(3, 4));
    EXPECT_EQ(hook.Kept, 1);
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"up 0 3,4"})); // no down, so no click
    delete c;
}

TEST(Control, KeyEventsChangeWhatTheControlReceives) {
    struct Keys {
        std::vector<std::string> Lines;
        void Down(TObject*, Word& Key, TShiftState S) {
            Lines.push_back("down " + std::to_string(Key) + (S.Contains(ssShift) ? " shift" : ""));
            if (Key == VK_F1) Key = 0;          // taken
            if (Key == 'A') Key = 'B';          // changed
        }
        void Press(TObject*, char& Key) {
            Lines.push_back(std::string("press ") + Key);
            if (Key == 'x') Key = 'y';
        }
    } keys;
    TWinControl c(nullptr);
    c.SetOnKeyDown(TKeyEvent::Bind<&Keys::Down>(&keys));
    c.SetOnKeyPress(TKeyPressEvent::Bind<&Keys::Press>(&keys));
    TMessage m;
    m.Msg = WM_KEYDOWN, m.WParam = 'A';
    c.Send(m);
    EXPECT_EQ(m.WParam & 0xFFFF, 'B');
    SetKeyDown(VK_SHIFT, true);
    m.WParam = VK_F1;
    c.Send(m);
    SetKeyDown(VK_SHIFT, false);
    EXPECT_EQ(m.WParam & 0xFFFF, 0);
    TMessage ch;
    ch.Msg = WM_CHAR, ch.WParam = 'x';
    c.Send(ch);
    EXPECT_EQ(ch.WParam & 0xFFFF, 'y');
    EXPECT_EQ(keys.Lines,
              (std::vector<std::string>{"down 65", "down 112 shift", "press x"}));
}

TEST(Control, TextThroughPropertiesBuffersAndMessages) {
    struct Watch : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        int Changes = 0;
        void WndProc(TMessage& M) override {
            if (M.Msg == CM_TEXTCHANGED) ++Changes;
            TGraphicControl::WndProc(M);
        }
    } c(nullptr);
    c.SetCaption("Hello");
    c.SetText("Hello"); // the same: no change
    EXPECT_EQ(c.Changes, 1);
    EXPECT_EQ(c.GetText(), "Hello");
    char buf[4];
    EXPECT_EQ(c.GetTextBuf(buf, 4), 3);
    EXPECT_STREQ(buf, "Hel");
    EXPECT_EQ(c.GetTextBuf(nullptr, 4), 0);
    c.SetTextBuf("World");
    EXPECT_EQ(c.Changes, 2);
    TMessage get;
    char out[16];
    get.Msg = WM_GETTEXT, get.WParam = 16, get.Data = out;
    c.Send(get);
    EXPECT_EQ(get.Result, 5);
    EXPECT_STREQ(out, "World");
    EXPECT_EQ(c.Perform(WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST(Control, WindowsAreMadeWhenAskedForAndGoWithTheirControl) {
    auto* parent = new TWinControl(nullptr);
    auto* child = new TWinControl(nullptr);
    child->SetParent(parent);
    EXPECT_FALSE(child->HandleAllocated());
    HWND h = child->GetHandle();
    EXPECT_NE(h, 0u);
    EXPECT_EQ(child->GetHandle(), h);
    EXPECT_EQ(FindControl(h), child);
    HWND p = parent->GetHandle();
    parent->DestroyHandle(); // the children's windows with it
    EXPECT_EQ(FindControl(h), nullptr);
    EXPECT_EQ(FindControl(p), nullptr);
    EXPECT_NE(child->GetHandle(), h); // a new one, never the old
    HWND again = child->GetHandle();
    delete child;
    EXPECT_EQ(FindControl(again), nullptr);
    delete parent;
}

TEST(Control, ControlAtPosFindsTheTopmostShowingChild) {
    TWinControl parent(nullptr);
    auto* under = new TGraphicControl(nullptr);
    auto* over = new TGraphicControl(nullptr);
    auto* window = new TWinControl(nullptr);
    for (TControl* c : std::initializer_list<TControl*>{under, over, window}) {
        c->SetParent(&parent);
        c->SetBounds(0, 0, 10, 10);
    }
    EXPECT_EQ(parent.ControlAtPos({5, 5}, false), over);
    EXPECT_EQ(parent.ControlAtPos({5, 5}, false, true), window);
    over->SetEnabled(false);
    EXPECT_EQ(parent.ControlAtPos({5, 5}, false), under);
    EXPECT_EQ(parent.ControlAtPos({5, 5}, true), over);
    under->SetVisible(false);
    EXPECT_EQ(parent.ControlAtPos({5, 5}, false), nullptr);
    EXPECT_EQ(parent.ControlAtPos({10, 5}, true), nullptr); // the right edge is outside
    delete under;
    delete over;
    delete window;
}

} // namespace
