// TMouse: the cursor's position following the input API, capture as a window handle, and
// the settings the headless platform gives.
#include "host/controls/Mouse.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

struct MouseOnForm : ::testing::Test {
    TForm F{nullptr};
    TCustomControl* Box;
    TGraphicControl* Glyph;
    void SetUp() override {
        F.SetBounds(30, 40, 208, 127);
        Box = new TCustomControl(&F);
        Box->SetParent(&F);
        Box->SetBounds(10, 10, 50, 50);
        Glyph = new TGraphicControl(&F);
        Glyph->SetParent(&F);
        Glyph->SetBounds(100, 10, 20, 20);
        F.Show();
    }
    void TearDown() override { input::SetCaptureControl(nullptr); }
};

TEST_F(MouseOnForm, TheCursorIsWhereTheInputApiLastPutTheMouse) {
    input::MouseMove(&F, {15, 25});
    TPoint expected = F.ClientToScreen({15, 25});
    EXPECT_EQ(Mouse()->GetCursorPos(), expected);
    EXPECT_EQ(expected.X, 30 + F.GetNonClientInsets().Left + 15); // screen, not client
    input::Click(&F, {150, 60});
    EXPECT_EQ(Mouse()->GetCursorPos(), F.ClientToScreen({150, 60}));
    input::Wheel(&F, {5, 6}, 120);
    EXPECT_EQ(Mouse()->GetCursorPos(), F.ClientToScreen({5, 6}));

    Mouse()->SetCursorPos({300, 400}); // moved by the program: no message, just the place
    EXPECT_EQ(Mouse()->GetCursorPos(), (TPoint{300, 400}));
    EXPECT_EQ(input::CursorPos(), (TPoint{300, 400}));
}

TEST_F(MouseOnForm, CaptureIsTheWindowOfTheControlHoldingTheMouse) {
    EXPECT_EQ(Mouse()->GetCapture(), 0u);
    input::MouseDown(&F, {20, 20}); // the box captures as it is pressed
    EXPECT_EQ(Mouse()->GetCapture(), Box->GetHandle());
    input::MouseUp(&F, {20, 20});
    EXPECT_EQ(Mouse()->GetCapture(), 0u);

    input::MouseDown(&F, {105, 15}); // a graphic control: its parent's window
    EXPECT_EQ(input::CaptureControl(), Glyph);
    EXPECT_EQ(Mouse()->GetCapture(), F.GetHandle());
    Mouse()->SetCapture(0);
    EXPECT_EQ(input::CaptureControl(), nullptr);

    Mouse()->SetCapture(Box->GetHandle()); // the box hears the moves wherever they are
    struct Moves {
        int N = 0;
        void On(TObject*, TShiftState, Integer, Integer) { ++N; }
    } moves;
    Box->SetOnMouseMove(TMouseMoveEvent::Bind<&Moves::On>(&moves));
    input::MouseMove(&F, {190, 90});
    EXPECT_EQ(moves.N, 1);
    Mouse()->SetCapture(12345); // no such window: none
    EXPECT_EQ(Mouse()->GetCapture(), 0u);
}

TEST(Mouse, AQueuedMessageRecordsWhereTheCursorWasWhenItWasPosted) {
    TApplication app(nullptr);
    struct Seen {
        TPoint Pt;
        void On(TMsg& M, bool& Handled) {
            Pt = M.Pt;
            Handled = true;
        }
    } seen;
    app.SetOnMessage(TMessageEvent::Bind<&Seen::On>(&seen));
    Mouse()->SetCursorPos({12, 34});
    app.PostMessage(0, WM_USER, 0, 0);
    Mouse()->SetCursorPos({56, 78}); // moved after the post: the message keeps its place
    app.ProcessMessages();
    EXPECT_EQ(seen.Pt, (TPoint{12, 34}));
}

TEST(Mouse, TheHeadlessPlatformHasAWheelOfThreeLinesAndDragsAtFivePixels) {
    TMouse m;
    EXPECT_TRUE(m.GetMousePresent());
    EXPECT_TRUE(m.GetWheelPresent());
    EXPECT_EQ(m.GetWheelScrollLines(), 3);
    EXPECT_EQ(m.GetRegWheelMessage(), 0u); // the wheel's own message serves
    EXPECT_TRUE(m.GetDragImmediate());
    EXPECT_EQ(m.GetDragThreshold(), 5);
    m.SetDragImmediate(false);
    m.SetDragThreshold(8);
    m.SettingChanged(0); // the wheel is read again; the drag settings are the program's
    EXPECT_FALSE(m.GetDragImmediate());
    EXPECT_EQ(m.GetDragThreshold(), 8);
    EXPECT_EQ(Mouse(), Mouse());
}

} // namespace
