// A client following a TCustomAction through its own TActionLink: the action's state reaches
// the client where the client's property follows the action; radio groups and AutoCheck.
#include "host/actnlist/CustomAction.h"

#include <gtest/gtest.h>

using namespace host;

namespace {
/// A client with the properties a menu item or a button takes from its action.
struct TestClient {
    AnsiString Caption;
    bool Checked = false;
    bool Enabled = true;
    AnsiString Hint;
    Integer ImageIndex = -1;
    TShortCut ShortCut = 0;
    bool Visible = true;
    THelpContext HelpContext = 0;
};

class TTestClientLink : public TActionLink {
    HOST_CLASS(TTestClientLink, TActionLink)
public:
    TTestClientLink(TestClient* C) : TActionLink(nullptr), Client(C) {}
    TestClient* Client;

protected:
    TCustomAction* Act() const { return static_cast<TCustomAction*>(FAction); }
    // The client's caption follows the action only while it shows the action's caption.
    bool IsCaptionLinked() override {
        return TActionLink::IsCaptionLinked() && Client->Caption == Act()->GetCaption();
    }
    void SetCaption(const AnsiString& V) override {
        if (IsCaptionLinked()) Client->Caption = V;
    }
    void SetChecked(bool V) override {
        if (IsCheckedLinked()) Client->Checked = V;
    }
    void SetEnabled(bool V) override {
        if (IsEnabledLinked()) Client->Enabled = V;
    }
    void SetHint(const AnsiString& V) override {
        if (IsHintLinked()) Client->Hint = V;
    }
    void SetImageIndex(Integer V) override {
        if (IsImageIndexLinked()) Client->ImageIndex = V;
    }
    void SetShortCut(TShortCut V) override {
        if (IsShortCutLinked()) Client->ShortCut = V;
    }
    void SetVisible(bool V) override {
        if (IsVisibleLinked()) Client->Visible = V;
    }
    void SetHelpContext(THelpContext V) override {
        if (IsHelpContextLinked()) Client->HelpContext = V;
    }
};
HOST_METACLASS(TTestClientLink, TActionLink);

struct ChangeCounter {
    int N = 0;
    void Changed(TObject*) { ++N; }
    TNotifyEvent Event() { return TNotifyEvent::Bind<&ChangeCounter::Changed>(this); }
};
} // namespace

TEST(ActionLink, TheActionsStateReachesItsLinkedClients) {
    TAction action(nullptr);
    TestClient a, b;
    TTestClientLink la(&a), lb(&b);
    la.SetAction(&action);
    lb.SetAction(&action);
    ChangeCounter changes;
    la.SetOnChange(changes.Event());

    action.SetChecked(true);
    action.SetEnabled(false);
    action.SetCaption("Save");
    action.SetHint("Saves");
    action.SetImageIndex(3);
    action.SetShortCut(TextToShortCut("Ctrl+S"));
    action.SetVisible(false);
    action.SetHelpContext(12);
    for (TestClient* c : {&a, &b}) {
        EXPECT_TRUE(c->Checked);
        EXPECT_FALSE(c->Enabled);
        EXPECT_EQ(c->Hint, "Saves");
        EXPECT_EQ(c->ImageIndex, 3);
        EXPECT_EQ(c->ShortCut, ShortCut('S', {ssCtrl}));
        EXPECT_FALSE(c->Visible);
        EXPECT_EQ(c->HelpContext, 12);
    }
    EXPECT_EQ(changes.N, 8); // each change, once

    // Setting a value the action already has tells nobody.
    action.SetChecked(true);
    EXPECT_EQ(changes.N, 8);
}

TEST(ActionLink, AClientPropertyThatDoesNotFollowTheActionIsLeftAlone) {
    TAction action(nullptr);
    action.SetCaption("Open");
    TestClient own;
    own.Caption = "My own";
    TTestClientLink link(&own);
    link.SetAction(&action);
    action.SetCaption("Open...");
    EXPECT_EQ(own.Caption, "My own");

    TestClient follows;
    follows.Caption = "Open...";
    TTestClientLink link2(&follows);
    link2.SetAction(&action);
    action.SetCaption("Open a file");
    EXPECT_EQ(follows.Caption, "Open a file");
}

TEST(ActionLink, ALinkToAnActionThatIsNoCustomActionIsNotLinked) {
    TBasicAction basic(nullptr);
    TestClient c;
    struct Probe : TTestClientLink {
        using TTestClientLink::IsCheckedLinked;
        using TTestClientLink::TTestClientLink;
    };
    Probe probe(&c);
    probe.SetAction(&basic);
    EXPECT_FALSE(probe.IsCheckedLinked());
}

TEST(ActionGroup, CheckingAnActionOfARadioGroupUnchecksTheOthersOfItsList) {
    TActionList list(nullptr);
    TCustomAction* a[4];
    for (auto*& x : a) {
        x = new TAction(nullptr);
        x->SetActionList(&list);
    }
    a[0]->SetGroupIndex(1);
    a[1]->SetGroupIndex(1);
    a[2]->SetGroupIndex(2);
    TestClient c0;
    TTestClientLink l0(&c0);
    l0.SetAction(a[0]);

    a[0]->SetChecked(true);
    a[2]->SetChecked(true);
    a[3]->SetChecked(true); // group 0: no radio group
    a[1]->SetChecked(true);
    EXPECT_FALSE(a[0]->GetChecked());
    EXPECT_FALSE(c0.Checked); // the client of the unchecked action hears of it
    EXPECT_TRUE(a[1]->GetChecked());
    EXPECT_TRUE(a[2]->GetChecked());
    EXPECT_TRUE(a[3]->GetChecked());

    // A checked action joining a group unchecks the group's checked action.
    a[3]->SetGroupIndex(2);
    EXPECT_FALSE(a[2]->GetChecked());
    EXPECT_TRUE(a[3]->GetChecked());
}

TEST(ActionGroup, AutoCheckTogglesOnExecuteButKeepsARadioActionChecked) {
    TAction toggle(nullptr), radio(nullptr);
    struct Nop {
        void Run(TObject*) {}
    } nop;
    for (TAction* a : {&toggle, &radio}) {
        a->SetAutoCheck(true);
        a->SetOnExecute(TNotifyEvent::Bind<&Nop::Run>(&nop));
    }
    radio.SetGroupIndex(3);
    EXPECT_TRUE(toggle.Execute());
    EXPECT_TRUE(toggle.GetChecked());
    toggle.Execute();
    EXPECT_FALSE(toggle.GetChecked());
    radio.Execute();
    radio.Execute();
    EXPECT_TRUE(radio.GetChecked());
}
