// The action class infos on live actions: var event parameters written back (Handled of an
// action list's OnExecute, HintStr and CanShow of OnHint), members stored without a setter.
#include "ClassesFixture.h"

#include "host/actnlist/ActionList.h"
#include "host/actnlist/CustomAction.h"

#include <gtest/gtest.h>

using namespace classes_test;
using Actions = ClassesTest;

TEST_F(Actions, AListenerSettingHandledStopsTheExecution) {
    auto* list = new TActionList(nullptr);
    auto* action = new TAction(list);
    action->SetActionList(list);
    int ownRuns = 0;
    struct Own {
        int* Runs;
        void Execute(TObject*) { ++*Runs; }
    } own{&ownRuns};
    action->SetOnExecute(TNotifyEvent::Bind<&Own::Execute>(&own));
    Hearing listener("OnExecute", [&](TObject*, TzelEventInfo* E) {
        EXPECT_EQ(E->GetArgs(0)->Value.AsInt64(), AddressOf(action).AsInt64());
        E->GetArgs(1)->Value = true; // Handled: the action's own handler is not called
    });
    Info(list)->AddListener(&listener);
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(ownRuns, 0);
    Info(list)->RemoveListener(&listener);
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(ownRuns, 1);
    list->Free();
}

TEST_F(Actions, HintParametersAreWrittenBack) {
    auto* action = new TAction(nullptr);
    action->SetHint("Saves the file");
    Hearing listener("OnHint", [&](TObject*, TzelEventInfo* E) {
        EXPECT_EQ(E->GetArgs(0)->Value.AsString(), "Saves the file");
        E->GetArgs(0)->Value = "Saves the file (Ctrl+S)";
        E->GetArgs(1)->Value = false;
    });
    Info(action)->AddListener(&listener);
    AnsiString hint = "Saves the file";
    EXPECT_FALSE(action->DoHint(hint)); // CanShow written back
    EXPECT_EQ(hint, "Saves the file (Ctrl+S)");
    // DoHint through the class info: the var argument comes back changed.
    TzelMethodInfo* m = Call(action, "DoHint", "Saves the file");
    EXPECT_FALSE(m->Result.AsBoolean());
    EXPECT_EQ(m->GetArgs(0)->Value.AsString(), "Saves the file (Ctrl+S)");
    Info(action)->RemoveListener(&listener);
    action->Free();
}

TEST_F(Actions, MembersStoredStraightAndTheListsActions) {
    auto* list = new TActionList(nullptr);
    auto* a = new TAction(list);
    a->SetActionList(list);
    a->SetName("Save");
    Set(a, "DisableIfNoHandler", false);
    EXPECT_FALSE(a->GetDisableIfNoHandler());
    Set(a, "ShortCut", 0x4053); // Ctrl+S, a plain integer
    EXPECT_EQ(a->GetShortCut(), 0x4053);
    EXPECT_EQ(Get(list, "ActionCount").AsInteger(), 1);
    TzelPropertyInfo* actions = Info(list)->FindProperty("Actions");
    actions->GetIndexes(0)->Value = 0;
    EXPECT_EQ(Info(list)->GetProperty(actions).AsInt64(), AddressOf(a).AsInt64());
    Set(a, "Category", "File");
    EXPECT_EQ(a->GetCategory(), "File");
    list->Free();
}
