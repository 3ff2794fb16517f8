// How an action runs and updates: the action list first, then the application, then the
// action itself, then a target; Handled stops the way; DisableIfNoHandler; hints; shortcuts.
#include "host/actnlist/CustomAction.h"
#include "host/actnlist/ShortCutList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host;

namespace {
std::vector<std::string> Log;
bool AppHandles = false, TargetHandles = false;

bool AppExecute(TBasicAction*) {
    Log.push_back("app execute");
    return AppHandles;
}
bool AppUpdate(TBasicAction*) {
    Log.push_back("app update");
    return AppHandles;
}
bool TargetExecute(TBasicAction*) {
    Log.push_back("target execute");
    return TargetHandles;
}
bool TargetUpdate(TBasicAction*) {
    Log.push_back("target update");
    return TargetHandles;
}

struct Handlers {
    bool ListHandles = false;
    TBasicAction* Seen = nullptr;
    void ListExecute(TBasicAction* A, bool& Handled) {
        Seen = A;
        Log.push_back("list execute");
        Handled = ListHandles;
    }
    void ListUpdate(TBasicAction* A, bool& Handled) {
        Seen = A;
        Log.push_back("list update");
        Handled = ListHandles;
    }
    void OwnExecute(TObject*) { Log.push_back("own execute"); }
    void OwnUpdate(TObject*) { Log.push_back("own update"); }
    TNotifyEvent Execute() { return TNotifyEvent::Bind<&Handlers::OwnExecute>(this); }
    TNotifyEvent Update() { return TNotifyEvent::Bind<&Handlers::OwnUpdate>(this); }
};

class ActionRun : public ::testing::Test {
protected:
    void SetUp() override {
        Log.clear();
        AppHandles = TargetHandles = false;
        ActionApplicationHooks = {&AppExecute, &AppUpdate, &TargetExecute, &TargetUpdate};
        list.SetOnExecute(TActionEvent::Bind<&Handlers::ListExecute>(&h));
        list.SetOnUpdate(TActionEvent::Bind<&Handlers::ListUpdate>(&h));
        action->SetActionList(&list);
    }
    void TearDown() override { ActionApplicationHooks = {}; }

    Handlers h;
    TActionList list{nullptr};
    TAction* action = new TAction(nullptr); // the list frees it
};
} // namespace

TEST_F(ActionRun, ExecuteUpdatesFirstThenAsksListApplicationActionAndTarget) {
    action->SetOnExecute(h.Execute());
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(Log, (std::vector<std::string>{"list update", "app update", "target update",
                                             "list execute", "app execute", "own execute"}));
    EXPECT_EQ(h.Seen, action);
}

TEST_F(ActionRun, HandledByTheListStopsTheWay) {
    h.ListHandles = true;
    action->SetOnExecute(h.Execute());
    action->SetOnUpdate(h.Update());
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(Log, (std::vector<std::string>{"list update", "list execute"}));
}

TEST_F(ActionRun, HandledByTheApplicationStopsBeforeTheAction) {
    AppHandles = true;
    action->SetOnExecute(h.Execute());
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(Log, (std::vector<std::string>{"list update", "app update", "list execute",
                                             "app execute"}));
}

TEST_F(ActionRun, UpdateGoesTheSameWayWithOnUpdate) {
    action->SetOnUpdate(h.Update());
    EXPECT_TRUE(action->Update());
    EXPECT_EQ(Log, (std::vector<std::string>{"list update", "app update", "own update"}));
    Log.clear();
    action->SetOnUpdate(nullptr);
    TargetHandles = true;
    EXPECT_TRUE(action->Update());
    EXPECT_EQ(Log.back(), "target update");
}

TEST_F(ActionRun, WithoutAnyHandlerOrHookNothingRuns) {
    ActionApplicationHooks = {};
    TCustomAction plain(nullptr); // does not disable itself
    EXPECT_FALSE(plain.Execute());
    EXPECT_FALSE(plain.Update());
    EXPECT_TRUE(plain.GetEnabled());
}

TEST_F(ActionRun, ADisabledActionDoesNotExecute) {
    action->SetOnExecute(h.Execute());
    action->SetEnabled(false);
    EXPECT_FALSE(action->Execute());
    // It was updated, which might have enabled it; nothing executed.
    EXPECT_EQ(Log, (std::vector<std::string>{"list update", "app update", "target update"}));
}

TEST_F(ActionRun, DisableIfNoHandlerDisablesAnActionNothingUpdatesAndNothingExecutes) {
    EXPECT_TRUE(action->GetDisableIfNoHandler()); // TAction's default
    EXPECT_FALSE(action->Update());
    EXPECT_FALSE(action->GetEnabled());
    EXPECT_FALSE(action->Execute()); // disabled by its update
    EXPECT_EQ(Log.back(), "target update");

    // An action with a handler stays enabled ...
    TAction* handled = new TAction(nullptr);
    handled->SetActionList(&list);
    handled->SetOnExecute(h.Execute());
    EXPECT_FALSE(handled->Update());
    EXPECT_TRUE(handled->GetEnabled());
    // ... and so does one whose update was handled, or that does not ask to be disabled.
    TAction* updated = new TAction(nullptr);
    updated->SetActionList(&list);
    updated->SetOnUpdate(h.Update());
    EXPECT_TRUE(updated->Update());
    EXPECT_TRUE(updated->GetEnabled());
    TAction* kept = new TAction(nullptr);
    kept->SetDisableIfNoHandler(false);
    EXPECT_FALSE(kept->Update());
    EXPECT_TRUE(kept->GetEnabled());
    delete kept;
}

TEST_F(ActionRun, ASuspendedListsActionsNeitherRunNorUpdate) {
    action->SetOnExecute(h.Execute());
    action->SetEnabled(false);
    list.SetState(asSuspended);
    EXPECT_FALSE(action->Execute());
    EXPECT_FALSE(action->Update());
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(action->GetEnabled());
    list.SetState(asSuspendedEnabled); // enables every action, still suspended
    EXPECT_TRUE(action->GetEnabled());
    EXPECT_FALSE(action->Execute());
    list.SetState(asNormal);
    EXPECT_TRUE(action->Execute());
}

TEST(ActionHint, OnHintMayChangeTheTextAndHideIt) {
    TAction action(nullptr);
    AnsiString hint = "Open a file";
    EXPECT_TRUE(action.DoHint(hint)); // no handler: shown as it is
    EXPECT_EQ(hint, "Open a file");

    struct Hinter {
        void OnHint(AnsiString& HintStr, bool& CanShow) {
            EXPECT_TRUE(CanShow); // true on the way in
            HintStr += " (Ctrl+O)";
            CanShow = Show;
        }
        bool Show = true;
    } hinter;
    action.SetOnHint(THintEvent::Bind<&Hinter::OnHint>(&hinter));
    EXPECT_TRUE(action.DoHint(hint));
    EXPECT_EQ(hint, "Open a file (Ctrl+O)");
    hinter.Show = false;
    EXPECT_FALSE(action.DoHint(hint));
}

TEST(ActionShortCut, TheListExecutesTheActionWithTheMessagesShortCut) {
    ReleaseAllKeys();
    TActionList list(nullptr);
    auto* save = new TAction(nullptr);
    auto* open = new TAction(nullptr);
    save->SetActionList(&list);
    open->SetActionList(&list);
    int saved = 0;
    struct Counter {
        int* N;
        void Run(TObject*) { ++*N; }
    } counter{&saved};
    save->SetOnExecute(TNotifyEvent::Bind<&Counter::Run>(&counter));
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    open->SetShortCut(TextToShortCut("Ctrl+O")); // no handler

    TWMKey msg;
    msg.Msg = WM_KEYDOWN;
    msg.CharCode = 'S';
    EXPECT_FALSE(list.IsShortCut(msg)); // Ctrl is not down
    SetKeyDown(VK_CONTROL, true);
    EXPECT_TRUE(list.IsShortCut(msg));
    EXPECT_EQ(saved, 1);
    msg.CharCode = 'O'; // its action has nothing to run: not taken
    EXPECT_FALSE(list.IsShortCut(msg));
    msg.CharCode = 'S';
    list.SetState(asSuspended);
    EXPECT_FALSE(list.IsShortCut(msg));
    EXPECT_EQ(saved, 1);
    ReleaseAllKeys();
}

TEST(ActionShortCut, SecondaryShortCutsExecuteTheActionToo) {
    ReleaseAllKeys();
    TActionList list(nullptr);
    auto* copy = new TAction(nullptr);
    copy->SetActionList(&list);
    int copied = 0;
    struct Counter {
        int* N;
        void Run(TObject*) { ++*N; }
    } counter{&copied};
    copy->SetOnExecute(TNotifyEvent::Bind<&Counter::Run>(&counter));
    copy->SetShortCut(TextToShortCut("Ctrl+C"));
    TShortCutList* more = copy->GetSecondaryShortCuts();
    more->Add("Ctrl+Ins");
    more->Add("no such key");
    EXPECT_EQ(more->GetShortCuts(0), ShortCut(VK_INSERT, {ssCtrl}));
    EXPECT_EQ(more->GetShortCuts(1), 0);
    EXPECT_EQ(more->IndexOfShortCut(ShortCut(VK_INSERT, {ssCtrl})), 0);
    EXPECT_EQ(more->IndexOfShortCut(0), -1); // text naming nothing matches no key
    EXPECT_FALSE(copy->HasShortCut(0));

    SetKeyDown(VK_CONTROL, true);
    TWMKey msg;
    msg.Msg = WM_KEYDOWN;
    msg.CharCode = VK_INSERT;
    EXPECT_TRUE(list.IsShortCut(msg));
    msg.CharCode = 'C';
    EXPECT_TRUE(list.IsShortCut(msg));
    EXPECT_EQ(copied, 2);
    ReleaseAllKeys();

    // Assigning an action copies its secondary shortcuts.
    TAction other(nullptr);
    other.Assign(copy);
    EXPECT_TRUE(other.HasShortCut(ShortCut(VK_INSERT, {ssCtrl})));
    EXPECT_EQ(other.GetSecondaryShortCuts()->GetCount(), 2);
}
