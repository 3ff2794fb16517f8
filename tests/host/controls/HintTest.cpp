// Hints on the application's clock: a control's hint after the hint pause, gone after the hide
// pause, the short pause from one control to the next, what CM_HINTSHOW, the action and
// OnShowHint make of a hint, and the hint window's own picture and size.
#include "host/actnlist/CustomAction.h"
#include "host/controls/HintWindow.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "host/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

/// A control that changes (or refuses) the hints about to show over it.
struct Fussy : TCustomControl {
    using TCustomControl::TCustomControl;
    AnsiString Replace;
    bool Refuse = false;
    TRect KeepRect{0, 0, 0, 0};
    void WndProc(TMessage& M) override {
        TCustomControl::WndProc(M);
        if (M.Msg != CM_HINTSHOW) return;
        auto* info = static_cast<THintInfo*>(M.Data);
        if (!Replace.empty()) info->HintStr = Replace;
        if (KeepRect.Right) info->CursorRect = KeepRect;
        if (Refuse) M.Result = 1;
    }
};

/// The program's application with its hint settings as they start, and a form of three
/// controls: A and B with hints of their own, a panel whose child shows the panel's.
struct Hints : ::testing::Test {
    TApplication* App = Application();
    TForm Form{nullptr};
    Fussy* A;
    Fussy* B;
    TCustomControl* Panel;
    TCustomControl* Inner;
    TCustomControl* Plain;
    int HintEvents = 0;

    void SetUp() override {
        App->CancelHint();
        App->SetShowHint(true);
        App->SetHintPause(500);
        App->SetHintShortPause(50);
        App->SetHintHidePause(2500);
        App->SetHintColor(clInfoBk);
        App->SetHintShortCuts(true);
        App->SetOnShowHint({});
        App->SetOnHint({});
        App->SetHint("");
        Form.SetBounds(0, 0, 308, 127); // a client area of 300 x 100
        A = Add<Fussy>(&Form, {10, 10, 60, 30}, "Save|Saves the file");
        B = Add<Fussy>(&Form, {10, 40, 60, 60}, "Open");
        Panel = Add<TCustomControl>(&Form, {100, 0, 200, 100}, "Panel|The panel");
        Inner = Add<TCustomControl>(Panel, {10, 10, 90, 30}, "");
        Plain = Add<TCustomControl>(&Form, {220, 0, 300, 100}, "Nothing to see");
        A->SetShowHint(true);
        B->SetShowHint(true);
        Panel->SetShowHint(true); // Inner takes it from its parent
        Form.Show();
    }
    void TearDown() override { App->CancelHint(); }

    template <class T>
    T* Add(TWinControl* Parent, TRect R, const char* Hint) {
        auto* c = new T(&Form);
        c->SetParent(Parent);
        c->SetBoundsRect(R);
        c->SetHint(Hint);
        return c;
    }
    THintWindow* Window() { return App->GetHintWindow(); }
    bool Showing() { return Window() && Window()->GetActive(); }
    std::string Shown() { return Showing() ? std::string(Window()->GetCaption()) : "(none)"; }
};

TEST_F(Hints, AHintShowsAfterTheHintPauseBelowTheCursorAndGoesAfterTheHidePause) {
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(499);
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(1);
    ASSERT_EQ(Shown(), "Save"); // the short part
    TPoint cursor = Form.ClientToScreen({20, 20});
    EXPECT_EQ(Window()->GetLeft(), cursor.X);
    EXPECT_EQ(Window()->GetTop(), cursor.Y + 20);
    EXPECT_EQ(Window()->GetBoundsRect().Right - cursor.X,
              Window()->CalcHintRect(1024, "Save", nullptr).Right);
    EXPECT_EQ(Window()->GetColor(), clInfoBk);

    input::MouseMove(&Form, {40, 25}); // within the same control: the same hint stays
    App->AdvanceClock(2499);           // 2.5 s after it showed...
    EXPECT_EQ(Shown(), "Save");
    App->AdvanceClock(1); // ...it goes
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(5000); // and does not come back while the mouse stays on the control
    EXPECT_EQ(Shown(), "(none)");
}

TEST_F(Hints, TheNextControlsHintFollowsAfterTheShortPauseWhileOneShows) {
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Save");
    input::MouseMove(&Form, {20, 50}); // to B: A's hint goes at once
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(49);
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(1);
    EXPECT_EQ(Shown(), "Open");

    // Over a control without ShowHint the hint is cancelled: the next one waits the whole
    // pause again.
    input::MouseMove(&Form, {250, 50});
    EXPECT_EQ(Shown(), "(none)");
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(499);
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(1);
    EXPECT_EQ(Shown(), "Save");
}

TEST_F(Hints, AChildShowsItsParentsHintAndAPressTakesTheHintAway) {
    input::MouseMove(&Form, {130, 15}); // Inner, with neither hint nor ShowHint of its own
    App->AdvanceClock(500);
    EXPECT_EQ(Shown(), "Panel");
    input::MouseDown(&Form, {130, 15});
    EXPECT_EQ(Shown(), "(none)");
    input::MouseUp(&Form, {130, 15});
    App->AdvanceClock(5000); // cancelled: not again until the mouse moves
    EXPECT_EQ(Shown(), "(none)");

    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Save");
    A->SetFocus();
    input::KeyDown(VK_SHIFT); // a key too
    EXPECT_EQ(Shown(), "(none)");
    input::MouseMove(&Form, {20, 50});
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Open");
    input::Wheel(&Form, {20, 50}, -120); // and the wheel
    EXPECT_EQ(Shown(), "(none)");
}

TEST_F(Hints, TheApplicationsHintIsTheLongPartAndOnHintHearsOfEachChange) {
    struct Counter {
        int N = 0;
        void On(TObject*) { ++N; }
    } counter;
    App->SetOnHint(TNotifyEvent::Bind<&Counter::On>(&counter));
    input::MouseMove(&Form, {20, 20});
    EXPECT_EQ(App->GetHint(), "Saves the file");
    input::MouseMove(&Form, {25, 20}); // unchanged: no event
    input::MouseMove(&Form, {20, 50});
    EXPECT_EQ(App->GetHint(), "Open"); // no '|': the whole hint
    input::MouseMove(&Form, {250, 50});
    EXPECT_EQ(App->GetHint(), "Nothing to see"); // shown in a status bar without ShowHint
    EXPECT_EQ(counter.N, 3);
}

TEST_F(Hints, OnShowHintChangesTheTextAndTheWayItShowsOrRefusesIt) {
    struct Handler {
        bool Allow = true;
        AnsiString Text;
        TControl* Seen = nullptr;
        void On(AnsiString& HintStr, bool& CanShow, THintInfo& Info) {
            Seen = Info.HintControl;
            if (!Text.empty()) HintStr = Text;
            CanShow = Allow;
            Info.HintColor = clYellow;
            Info.HideTimeout = 100;
            Info.HintPos = {1000, 760}; // near the corner: pulled back onto the screen
        }
    } h;
    App->SetOnShowHint(TShowHintEvent::Bind<&Handler::On>(&h));
    h.Text = "Changed";
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Changed");
    EXPECT_EQ(h.Seen, A);
    EXPECT_EQ(Window()->GetColor(), clYellow);
    EXPECT_EQ(Window()->GetBoundsRect().Right, 1024);
    EXPECT_EQ(Window()->GetBoundsRect().Bottom, 768);
    App->AdvanceClock(99);
    EXPECT_EQ(Shown(), "Changed");
    App->AdvanceClock(1);
    EXPECT_EQ(Shown(), "(none)");

    h.Allow = false;
    input::MouseMove(&Form, {20, 50});
    App->AdvanceClock(5000);
    EXPECT_EQ(h.Seen, B);
    EXPECT_EQ(Shown(), "(none)");
}

TEST_F(Hints, TheControlHasItsSayInCmHintShow) {
    A->Replace = "From the control";
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    EXPECT_EQ(Shown(), "From the control");

    B->Refuse = true;
    input::MouseMove(&Form, {20, 50});
    App->AdvanceClock(5000);
    EXPECT_EQ(Shown(), "(none)");

    // A cursor rectangle narrowed by the control: leaving it works the hint out again.
    A->Replace = "";
    A->KeepRect = {0, 0, 10, 20};
    input::MouseMove(&Form, {12, 12}); // at (2, 2) of A
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Save");
    input::MouseMove(&Form, {40, 12}); // still on A, outside the rectangle
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(50); // the short pause: a hint was showing
    EXPECT_EQ(Shown(), "Save");
}

TEST_F(Hints, TheActionsOnHintAndShortCutJoinTheHint) {
    TAction action(nullptr);
    action.SetHint("Save|Saves the file");
    action.SetShortCut(TextToShortCut("Ctrl+S"));
    struct Exec {
        void On(TObject*) {}
    } exec;
    action.SetOnExecute(TNotifyEvent::Bind<&Exec::On>(&exec));
    A->SetAction(&action);
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    EXPECT_EQ(Shown(), "Save (Ctrl+S)");

    App->SetHintShortCuts(false);
    input::MouseMove(&Form, {20, 50});
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(50);
    EXPECT_EQ(Shown(), "Save");

    struct Veto {
        void On(AnsiString&, bool& CanShow) { CanShow = false; }
    } veto;
    action.SetOnHint(THintEvent::Bind<&Veto::On>(&veto));
    App->CancelHint();
    input::MouseMove(&Form, {20, 50});
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(5000);
    EXPECT_EQ(Shown(), "(none)");
    A->SetAction(nullptr);
}

TEST_F(Hints, NoHintWithoutShowHintAndNoneForAControlFreedMeanwhile) {
    App->SetShowHint(false);
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(5000);
    EXPECT_EQ(Shown(), "(none)");

    App->SetShowHint(true);
    input::MouseMove(&Form, {20, 50});
    input::MouseMove(&Form, {20, 20});
    A->Free(); // before its hint is due
    App->AdvanceClock(5000);
    EXPECT_EQ(Shown(), "(none)");
    App->CancelHint();
    input::MouseMove(&Form, {20, 50});
    App->AdvanceClock(500);
    EXPECT_EQ(Shown(), "Open");
}

TEST_F(Hints, AReshowTimeoutWorksTheHintOutAgainAndAHiddenControlShowsNone) {
    struct Ticker {
        int Calls = 0;
        void On(AnsiString& HintStr, bool&, THintInfo& Info) {
            HintStr = "Tick " + std::to_string(++Calls);
            Info.ReshowTimeout = 200;
        }
    } t;
    App->SetOnShowHint(TShowHintEvent::Bind<&Ticker::On>(&t));
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    EXPECT_EQ(Shown(), "Tick 1");
    App->AdvanceClock(199);
    EXPECT_EQ(Shown(), "Tick 1");
    App->AdvanceClock(1);
    EXPECT_EQ(Shown(), "Tick 2");
    App->AdvanceClock(400);
    EXPECT_EQ(Shown(), "Tick 4");
    App->SetOnShowHint({});

    App->CancelHint();
    input::MouseMove(&Form, {20, 50});
    B->Hide(); // before its hint is due
    App->AdvanceClock(500);
    EXPECT_EQ(Shown(), "(none)");

    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Save");
    App->ControlDestroyed(A); // as a control going tells the application
    EXPECT_EQ(Shown(), "(none)");
}

TEST_F(Hints, ActivateHintShowsTheDueHintAtOnceWhereTheCursorIsPut) {
    App->ActivateHint({5, 5}); // nothing due
    EXPECT_EQ(Shown(), "(none)");
    input::MouseMove(&Form, {20, 20});
    App->AdvanceClock(100);
    App->ActivateHint({300, 200});
    ASSERT_EQ(Shown(), "Save");
    EXPECT_EQ(Window()->GetLeft(), 300);
    EXPECT_EQ(Window()->GetTop(), 220);
    App->AdvanceClock(2499); // the hide pause runs from now; the show timer is gone
    EXPECT_EQ(Shown(), "Save");
    App->AdvanceClock(1);
    EXPECT_EQ(Shown(), "(none)");
}

TEST_F(Hints, TheHintWindowClassMustBeAHintWindow) {
    EXPECT_THROW(App->SetHintWindowClass(TCustomControl::StaticClass()), EInvalidOperation);
    EXPECT_THROW(App->SetHintWindowClass(nullptr), EInvalidOperation);
    EXPECT_EQ(App->GetHintWindowClass(), THintWindow::StaticClass());
}

TEST(HintParts, TheShortPartIsBeforeTheFirstBarAndTheLongPartAfterIt) {
    EXPECT_EQ(GetShortHint("Save|Saves the file"), "Save");
    EXPECT_EQ(GetLongHint("Save|Saves the file"), "Saves the file");
    EXPECT_EQ(GetShortHint("Save"), "Save");
    EXPECT_EQ(GetLongHint("Save"), "Save");
    EXPECT_EQ(GetShortHint("|Only long"), "");
    EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
    EXPECT_EQ(GetLongHint(""), "");
}

/// What the hint window's text is measured with: its own font, on any canvas.
struct Measure {
    TBitmap B;
    Measure(TFont* Font) {
        B.SetSize(1, 1);
        B.GetCanvas()->GetFont()->Assign(Font);
    }
    Integer W(const char* S) { return B.GetCanvas()->TextWidth(S); }
    Integer H() { return B.GetCanvas()->TextHeight("Wg"); }
};

TEST(HintWindow, CalcHintRectWrapsAtTheWidthAndAddsMarginsAndFrame) {
    THintWindow w(nullptr);
    Measure m(w.GetFont());
    // Two pixels of margin and one of frame each side; one of margin and one of frame above
    // and below.
    EXPECT_EQ(w.CalcHintRect(1000, "Save", nullptr), (TRect{0, 0, m.W("Save") + 6, m.H() + 4}));
    Integer limit = m.W("one two");
    EXPECT_EQ(w.CalcHintRect(limit, "one two three", nullptr),
              (TRect{0, 0, limit + 6, 2 * m.H() + 4}));
    EXPECT_EQ(w.CalcHintRect(limit - 1, "one two three", nullptr),
              (TRect{0, 0, m.W("three") + 6, 3 * m.H() + 4}));
    // A word wider than the line stands alone, uncut; line breaks of any kind break.
    EXPECT_EQ(w.CalcHintRect(5, "enormous", nullptr),
              (TRect{0, 0, m.W("enormous") + 6, m.H() + 4}));
    EXPECT_EQ(w.CalcHintRect(1000, "a\r\nb\nc\rd", nullptr).Bottom, 4 * m.H() + 4);
    EXPECT_EQ(w.CalcHintRect(1000, "", nullptr), (TRect{0, 0, 6, 4}));
    EXPECT_EQ(w.CalcHintRect(-10, "a b", nullptr).Bottom, 2 * m.H() + 4); // no crash
}

TEST(HintWindow, ItPaintsTheTextInTheInfoColoursInsideABlackFrame) {
    THintWindow w(nullptr);
    EXPECT_FALSE(w.GetActive());
    TRect r = w.CalcHintRect(1000, "Hint", nullptr);
    w.ActivateHint({100, 200, 100 + r.Right, 200 + r.Bottom}, "Hint");
    EXPECT_TRUE(w.GetActive());
    EXPECT_EQ(w.GetCaption(), "Hint");
    EXPECT_EQ(w.GetBoundsRect(), (TRect{100, 200, 100 + r.Right, 200 + r.Bottom}));

    TBitmap b;
    b.SetSize(r.Right, r.Bottom);
    w.PaintTo(b.GetCanvas(), 0, 0);
    TColorRef frame = 0, back = ColorToRGB(clInfoBk), text = ColorToRGB(clInfoText);
    for (Integer x = 0; x < r.Right; ++x) {
        EXPECT_EQ(b.ColorAt(x, 0), frame) << x;
        EXPECT_EQ(b.ColorAt(x, r.Bottom - 1), frame) << x;
    }
    for (Integer y = 0; y < r.Bottom; ++y) {
        EXPECT_EQ(b.ColorAt(0, y), frame) << y;
        EXPECT_EQ(b.ColorAt(r.Right - 1, y), frame) << y;
    }
    // The margins inside the frame are background; the text area holds the text's pixels.
    int textPixels = 0, stray = 0;
    for (Integer y = 1; y < r.Bottom - 1; ++y)
        for (Integer x = 1; x < r.Right - 1; ++x) {
            TColorRef c = b.ColorAt(x, y);
            bool margin = x < 3 || x >= r.Right - 3 || y < 2 || y >= r.Bottom - 2;
            if (c == text && !margin) ++textPixels;
            if (c != back && (margin || c != text)) ++stray;
        }
    EXPECT_GT(textPixels, 10);
    EXPECT_EQ(stray, 0);

    w.ReleaseHandle();
    EXPECT_FALSE(w.GetActive());
    EXPECT_FALSE(w.HandleAllocated());
}

TEST(HintWindow, KeysButtonsAndTheWheelAreHintMessagesAMoveIsNot) {
    THintWindow w(nullptr);
    for (Cardinal m : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                       WM_MOUSEWHEEL}) {
        TMsg msg;
        msg.Message = m;
        EXPECT_TRUE(w.IsHintMsg(msg)) << m;
    }
    for (Cardinal m : {WM_MOUSEMOVE, WM_TIMER, WM_PAINT, WM_KEYUP}) {
        TMsg msg;
        msg.Message = m;
        EXPECT_FALSE(w.IsHintMsg(msg)) << m;
    }
}

} // namespace

namespace {
TEST_F(Hints, AControlFreedWhileItsHintIsDueOrShowingTakesTheHintWithIt) {
    input::MouseMove(&Form, {20, 20});
    A->Free(); // due, not yet shown
    App->AdvanceClock(600);
    EXPECT_EQ(Shown(), "(none)");
    input::MouseMove(&Form, {20, 50});
    App->AdvanceClock(500);
    ASSERT_EQ(Shown(), "Open");
    B->Free(); // showing
    EXPECT_EQ(Shown(), "(none)");
    App->AdvanceClock(5000);
    EXPECT_EQ(Shown(), "(none)");

    // The main form, freed, is no longer the application's.
    TApplication app(nullptr);
    TForm* main = nullptr;
    app.CreateForm(TForm::StaticClass(), &main);
    ASSERT_EQ(app.GetMainForm(), main);
    main->Free();
    EXPECT_EQ(app.GetMainForm(), nullptr);
}
} // namespace
