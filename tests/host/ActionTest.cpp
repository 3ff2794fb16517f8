#include "host/classes/Action.h"

#include <gtest/gtest.h>

#include <vector>

using namespace host;

namespace {
struct Recorder {
    std::vector<TObject*> Senders;
    void Fire(TObject* Sender) { Senders.push_back(Sender); }
    TNotifyEvent Event() { return TNotifyEvent::Bind<&Recorder::Fire>(this); }
};

class TTargetAction : public TBasicAction {
    HOST_CLASS(TTargetAction, TBasicAction)
public:
    using TBasicAction::Change;
    using TBasicAction::SetOnChange;
    using TBasicAction::TBasicAction;
    TObject* Handled = nullptr;
    std::vector<TObject*> Executed, Updated;
    bool HandlesTarget(TObject* Target) override { return Target == Handled; }
    void ExecuteTarget(TObject* Target) override { Executed.push_back(Target); }
    void UpdateTarget(TObject* Target) override { Updated.push_back(Target); }
};
HOST_COMPONENT_METACLASS(TTargetAction, TBasicAction);

class TRecordingLink : public TBasicActionLink {
    HOST_CLASS(TRecordingLink, TBasicActionLink)
public:
    using TBasicActionLink::TBasicActionLink;
    int OnExecuteChanges = 0;

protected:
    void SetOnExecute(TNotifyEvent) override { ++OnExecuteChanges; }
};
HOST_METACLASS(TRecordingLink, TBasicActionLink);
} // namespace

TEST(Action, ExecuteAndUpdateReportWhetherAHandlerRan) {
    TBasicAction action(nullptr);
    EXPECT_FALSE(action.Execute());
    EXPECT_FALSE(action.Update());
    Recorder exec, update;
    action.SetOnExecute(exec.Event());
    action.SetOnUpdate(update.Event());
    EXPECT_TRUE(action.Execute());
    EXPECT_TRUE(action.Update());
    EXPECT_EQ(exec.Senders, std::vector<TObject*>{&action});
    EXPECT_EQ(update.Senders, std::vector<TObject*>{&action});
    EXPECT_FALSE(action.HandlesTarget(&action));
}

TEST(Action, ComponentsExecuteAndUpdateOnlyActionsThatHandleThem) {
    TTargetAction action(nullptr);
    TComponent target(nullptr), other(nullptr);
    action.Handled = &target;
    EXPECT_TRUE(target.ExecuteAction(&action));
    EXPECT_TRUE(target.UpdateAction(&action));
    EXPECT_FALSE(other.ExecuteAction(&action));
    EXPECT_FALSE(other.UpdateAction(nullptr));
    EXPECT_EQ(action.Executed, std::vector<TObject*>{&target});
    EXPECT_EQ(action.Updated, std::vector<TObject*>{&target});
}

TEST(ActionLink, FollowsOneActionAndHearsItsChanges) {
    TTargetAction first(nullptr), second(nullptr);
    Recorder changed, actionChanged;
    first.SetOnChange(actionChanged.Event());
    TRecordingLink link(nullptr);
    link.SetOnChange(changed.Event());
    EXPECT_FALSE(link.Execute()); // no action yet
    link.SetAction(&first);
    EXPECT_EQ(link.GetAction(), &first);
    Recorder exec;
    first.SetOnExecute(exec.Event()); // passed on to the link, then a change
    EXPECT_EQ(link.OnExecuteChanges, 1);
    EXPECT_EQ(changed.Senders, std::vector<TObject*>{&first});
    EXPECT_EQ(actionChanged.Senders, std::vector<TObject*>{&first});
    EXPECT_TRUE(link.Execute());
    EXPECT_EQ(exec.Senders.size(), 1u);

    link.SetAction(&second);
    first.Change();
    EXPECT_EQ(changed.Senders.size(), 1u); // no longer registered with the first
    second.Change();
    EXPECT_EQ(changed.Senders.back(), &second);
    // Registering with another action directly also leaves the old one.
    first.RegisterChanges(&link);
    EXPECT_EQ(link.GetAction(), &first);
    second.Change();
    EXPECT_EQ(changed.Senders.size(), 2u);
}

TEST(ActionLink, EitherSideMayGoFirst) {
    auto* action = new TBasicAction(nullptr);
    auto* link = new TBasicActionLink(nullptr);
    link->SetAction(action);
    action->Free();
    EXPECT_EQ(link->GetAction(), nullptr);
    link->Free();

    TBasicAction survivor(nullptr);
    auto* gone = new TBasicActionLink(nullptr);
    gone->SetAction(&survivor);
    gone->Free();
    survivor.SetOnExecute(Recorder().Event()); // would reach the freed link if still listed
}

TEST(ActionLink, ALinkThatLeavesDuringChangeIsSafe) {
    TTargetAction action(nullptr);
    auto* a = new TBasicActionLink(nullptr);
    auto* b = new TBasicActionLink(nullptr);
    a->SetAction(&action);
    b->SetAction(&action);
    struct Freer {
        TBasicActionLink* Victim;
        int Calls = 0;
        void Fire(TObject*) {
            ++Calls;
            if (Victim) {
                Victim->Free();
                Victim = nullptr;
            }
        }
    } freer{b};
    a->SetOnChange(TNotifyEvent::Bind<&Freer::Fire>(&freer));
    action.Change(); // a frees b before b's turn
    EXPECT_EQ(freer.Calls, 1);
    a->Free();
}
