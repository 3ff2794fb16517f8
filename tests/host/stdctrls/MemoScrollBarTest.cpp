// Memos and scroll bars through the input API: lines typed, the caret between lines, Enter and
// Tab kept or given to the form, wrapping; a scroll bar moved by its arrows, track, thumb and
// keys, with OnScroll deciding where it goes.
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/ScrollBarLook.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Memo.h"
#include "host/stdctrls/ScrollBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

TEST(Memo, LinesAreTypedAndTheCaretMovesBetweenThem) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 227);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(10, 10, 200, 100);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetBounds(220, 10, 75, 25);
    ok->SetDefault(true);
    int clicks = 0;
    struct Count {
        int* N;
        void Click(TObject*) { ++*N; }
    } count{&clicks};
    ok->SetOnClick(TNotifyEvent::Bind<&Count::Click>(&count));
    form.Show();
    memo->SetFocus();
    input::Type("first");
    input::PressKey(VK_RETURN);
    input::Type("second line");
    EXPECT_EQ(memo->GetLines()->GetCount(), 2);
    EXPECT_EQ(memo->GetLines()->GetStrings(1), "second line");
    EXPECT_EQ(clicks, 0); // Enter was the memo's
    EXPECT_EQ(memo->GetCaretPos().Y, 1);
    input::PressKey(VK_UP);
    EXPECT_EQ(memo->GetCaretPos().Y, 0);
    EXPECT_EQ(memo->GetCaretPos().X, 5); // the end of the shorter line
    input::PressKey(VK_DOWN, {ssShift});
    input::PressKey(VK_HOME, {ssShift});
    EXPECT_EQ(memo->GetSelText(), "\r\n");
    input::PressKey(VK_BACK); // the line break goes as one
    EXPECT_EQ(memo->GetText(), "firstsecond line");
    // Without WantReturns Enter is the form's; without WantTabs Tab moves on.
    memo->SetWantReturns(false);
    input::PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 1);
    input::PressKey(VK_TAB);
    EXPECT_TRUE(ok->Focused());
    // Lines written in code are the text.
    memo->GetLines()->SetText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(memo->GetText(), "a\r\nb\r\nc");
    memo->GetLines()->Delete(1);
    EXPECT_EQ(memo->GetText(), "a\r\nc");
}

TEST(ScrollBar, ArrowsTrackThumbAndKeysMoveItAndOnScrollDecides) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 227);
    auto* bar = new TScrollBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(10, 10, 200, 16);
    bar->SetLargeChange(10);
    std::vector<std::string> log;
    struct Log {
        std::vector<std::string>* L;
        bool Cap = false;
        void Scroll(TObject*, TScrollCode Code, Integer& Pos) {
            L->push_back(std::to_string(int(Code)) + ":" + std::to_string(Pos));
            if (Cap && Pos > 50) Pos = 50;
        }
    } handler{&log};
    bar->SetOnScroll(TScrollEvent::Bind<&Log::Scroll>(&handler));
    form.Show();
    auto at = [&](Integer X) { return form.ScreenToClient(bar->ClientToScreen({X, 8})); };
    input::Click(&form, at(195)); // the right arrow
    EXPECT_EQ(bar->GetPosition(), 1);
    input::Click(&form, at(150)); // the track right of the thumb: a page
    EXPECT_EQ(bar->GetPosition(), 11);
    EXPECT_EQ(log.front(), "1:1");
    // Dragging the thumb to the end; OnScroll caps it.
    handler.Cap = true;
    TScrollBarParts parts =
        LayoutScrollBar(bar->GetClientRect(), true, 0, 100, bar->GetPosition(), 0);
    Integer thumbX = (parts.Thumb.Left + parts.Thumb.Right) / 2;
    input::MouseDown(&form, at(thumbX));
    input::MouseMove(&form, at(190));
    input::MouseUp(&form, at(190));
    EXPECT_EQ(bar->GetPosition(), 50);
    handler.Cap = false;
    bar->SetFocus();
    input::PressKey(VK_END);
    EXPECT_EQ(bar->GetPosition(), 100);
    input::PressKey(VK_LEFT);
    EXPECT_EQ(bar->GetPosition(), 99);
    EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
    EXPECT_EQ(bar->GetPosition(), 99); // nothing changed
}

} // namespace
