// Header controls: sections' widths within their limits, resizing by the divider with the
// track events, clicks with the pressed look while the button is down, auto-sized sections.
#include "host/comctrls/HeaderControl.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

struct Log {
    std::string Text;
    THeaderControl* Header = nullptr;
    void Track(THeaderControl*, THeaderSection* S, Integer W, TSectionTrackState State) {
        Text += "track" + std::to_string(int(State)) + ":" + std::to_string(W) + ";";
        (void)S;
    }
    void Resize(THeaderControl*, THeaderSection* S) {
        Text += "resize:" + std::to_string(S->GetWidth()) + ";";
    }
    void Click(THeaderControl*, THeaderSection* S) {
        Text += "click:" + S->GetText() + ";";
        Pressed = Header->GetPressedSection();
    }
    Integer Pressed = -2;
};

struct HeaderForm {
    TForm Form{nullptr};
    THeaderControl* Header;
    Log L;
    HeaderForm() {
        Form.SetBounds(0, 0, 308, 127);
        Header = new THeaderControl(&Form);
        Header->SetParent(&Form);
        L.Header = Header;
        for (const char* t : {"Name", "Size", "Date"}) Header->GetSections()->Add()->SetText(t);
        Header->SetOnSectionTrack(TSectionTrackEvent::Bind<&Log::Track>(&L));
        Header->SetOnSectionResize(TSectionNotifyEvent::Bind<&Log::Resize>(&L));
        Header->SetOnSectionClick(TSectionNotifyEvent::Bind<&Log::Click>(&L));
    }
};

TEST(HeaderControl, SectionsLieSideBySideWithinTheirLimits) {
    HeaderForm f;
    THeaderSection* s = f.Header->GetSections()->GetItems(1);
    EXPECT_EQ(s->GetLeft(), 50);
    EXPECT_EQ(s->GetRight(), 100);
    s->SetMinWidth(30);
    s->SetWidth(10);
    EXPECT_EQ(s->GetWidth(), 30);
    s->SetMaxWidth(40);
    s->SetWidth(90);
    EXPECT_EQ(s->GetWidth(), 40);
    EXPECT_EQ(f.Header->SectionAt(60), 1);
    EXPECT_EQ(f.Header->DividerAt(51), 0);
    EXPECT_EQ(f.Header->SectionAt(500), -1);
}

TEST(HeaderControl, DraggingADividerTracksAndResizes) {
    HeaderForm f;
    input::MouseDown(f.Header, {50, 8});
    input::MouseMove(f.Header, {70, 8});
    input::MouseUp(f.Header, {70, 8});
    EXPECT_EQ(f.Header->GetSections()->GetItems(0)->GetWidth(), 70);
    EXPECT_EQ(f.L.Text, "track0:50;track1:70;resize:70;track2:70;");
    f.L.Text.clear();
    f.Header->SetFullDrag(false); // the width follows only when the button is let go
    input::MouseDown(f.Header, {70, 8});
    input::MouseMove(f.Header, {60, 8});
    EXPECT_EQ(f.Header->GetSections()->GetItems(0)->GetWidth(), 70);
    input::MouseUp(f.Header, {60, 8});
    EXPECT_EQ(f.Header->GetSections()->GetItems(0)->GetWidth(), 60);
    EXPECT_EQ(f.L.Text, "track0:70;track1:60;track2:60;resize:60;");
}

TEST(HeaderControl, AClickShowsThePressedLookWhileTheButtonIsDown) {
    HeaderForm f;
    input::MouseDown(f.Header, {75, 8});
    EXPECT_EQ(f.Header->GetPressedSection(), 1);
    input::MouseMove(f.Header, {200, 8}); // off the section: not pressed, no click
    EXPECT_EQ(f.Header->GetPressedSection(), -1);
    input::MouseUp(f.Header, {200, 8});
    EXPECT_EQ(f.L.Text, "");
    input::MouseDown(f.Header, {75, 8});
    input::MouseUp(f.Header, {75, 8});
    EXPECT_EQ(f.L.Text, "click:Size;");
    EXPECT_EQ(f.L.Pressed, -1);
    f.Header->GetSections()->GetItems(2)->SetAllowClick(false);
    f.L.Text.clear();
    input::Click(f.Header, {125, 8});
    EXPECT_EQ(f.L.Text, "");
}

TEST(HeaderControl, AutoSizedSectionsShareTheFreeWidth) {
    HeaderForm f;
    ASSERT_EQ(f.Header->GetWidth(), 300);
    f.Header->GetSections()->GetItems(1)->SetAutoSize(true);
    f.Header->GetSections()->GetItems(2)->SetAutoSize(true);
    EXPECT_EQ(f.Header->GetSections()->GetItems(1)->GetWidth(), 125);
    EXPECT_EQ(f.Header->GetSections()->GetItems(2)->GetWidth(), 125);
}

} // namespace
