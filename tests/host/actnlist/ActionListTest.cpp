// The action list: its actions in order, their categories and indexes, ownership both ways,
// Actions[] and its images; and a form with an action list loading and saving back the same.
#include "host/actnlist/CustomAction.h"
#include "host/classes/ClassRegistration.h"
#include "host/classes/FormLoading.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfo.h"
#include "host/controls/DragImageList.h"
#include "tests/TestSupport.h"
#include "tests/host/StreamingClasses.h"

#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace host;

namespace {
struct ChangeCounter {
    int N = 0;
    void Changed(TObject*) { ++N; }
    TNotifyEvent Event() { return TNotifyEvent::Bind<&ChangeCounter::Changed>(this); }
};

TAction* NewAction(TCustomActionList* List, const char* Category = "") {
    auto* a = new TAction(nullptr);
    a->SetCategory(Category);
    a->SetActionList(List);
    return a;
}
} // namespace

TEST(ActionList, ActionsJoinAtTheEndAndMoveWithinTheirList) {
    TActionList list(nullptr);
    TAction* a = NewAction(&list);
    TAction* b = NewAction(&list);
    TAction* c = NewAction(&list);
    EXPECT_EQ(list.GetActionCount(), 3);
    EXPECT_EQ(list.GetAction(1), b);
    EXPECT_EQ(c->GetIndex(), 2);
    EXPECT_EQ(a->GetActionList(), &list);
    EXPECT_EQ(a->GetParentComponent(), &list);
    EXPECT_TRUE(a->HasParent());

    c->SetIndex(0);
    EXPECT_EQ(list.GetAction(0), c);
    EXPECT_EQ(a->GetIndex(), 1);
    a->SetIndex(99); // kept within the list
    EXPECT_EQ(a->GetIndex(), 2);
    a->SetIndex(-5);
    EXPECT_EQ(a->GetIndex(), 0);

    // Leaving the list: no index, no parent, and a move does nothing.
    b->SetActionList(nullptr);
    EXPECT_EQ(list.GetActionCount(), 2);
    EXPECT_EQ(b->GetIndex(), -1);
    EXPECT_FALSE(b->HasParent());
    b->SetIndex(0);
    EXPECT_EQ(b->GetIndex(), -1);
    delete b;

    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.GetAction(2); }),
              "List index out of bounds (2)");
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.GetAction(-1); }),
              "List index out of bounds (-1)");
}

TEST(ActionList, MovingAnActionToAnotherListLeavesTheFirst) {
    TActionList first(nullptr), second(nullptr);
    TAction* a = NewAction(&first);
    a->SetActionList(&second);
    EXPECT_EQ(first.GetActionCount(), 0);
    EXPECT_EQ(second.GetAction(0), a);
}

TEST(ActionList, CategoriesIndexesAndImagesChangeTheList) {
    TActionList list(nullptr);
    ChangeCounter listChanges, actionChanges;
    list.SetOnChange(listChanges.Event());
    TAction* a = NewAction(&list, "File");
    TAction* b = NewAction(&list, "Edit");
    TBasicActionLink link(nullptr); // hears the action's changes
    link.SetOnChange(actionChanges.Event());
    link.SetAction(a);

    a->SetCategory("Edit");
    EXPECT_EQ(a->GetCategory(), "Edit");
    EXPECT_EQ(listChanges.N, 1);
    EXPECT_EQ(actionChanges.N, 1); // the list tells its actions
    a->SetCategory("Edit");
    EXPECT_EQ(listChanges.N, 1);
    b->SetIndex(0);
    EXPECT_EQ(listChanges.N, 2);

    auto* images = new TImageList(nullptr);
    list.SetImages(images);
    EXPECT_EQ(list.GetImages(), images);
    EXPECT_EQ(listChanges.N, 3);
    images->SetBkColor(clRed); // a change of the images is the list's
    EXPECT_EQ(listChanges.N, 4);
    delete images; // the list lets go of images that are freed
    EXPECT_EQ(list.GetImages(), nullptr);
    EXPECT_EQ(listChanges.N, 5);
}

TEST(ActionList, TheListFreesItsActionsAndAFreedActionLeavesIt) {
    TComponent owner(nullptr);
    auto* list = new TActionList(&owner);
    auto* a = new TAction(&owner);
    auto* b = new TAction(&owner);
    a->SetActionList(list);
    b->SetActionList(list);
    delete a;
    EXPECT_EQ(list->GetActionCount(), 1);
    EXPECT_EQ(owner.GetComponentCount(), 2);
    delete list; // frees b, which leaves its owner
    EXPECT_EQ(owner.GetComponentCount(), 0);

    // The owner going first frees list and actions in any order.
    auto* owner2 = new TComponent(nullptr);
    auto* c = new TAction(owner2);
    auto* list2 = new TActionList(owner2);
    c->SetActionList(list2);
    NewAction(list2);
    delete owner2;
}

TEST(ActionList, WritingAnActionByIndexAssignsTheGivenActionsProperties) {
    TActionList list(nullptr);
    TAction* target = NewAction(&list);
    NewAction(&list);
    TAction* third = NewAction(&list);
    TAction source(nullptr);
    source.SetCaption("Paste");
    source.SetShortCut(TextToShortCut("Ctrl+V"));
    source.SetChecked(true);
    source.SetEnabled(false);
    source.SetImageIndex(7);
    list.SetAction(2, &source);
    EXPECT_EQ(list.GetAction(2), third); // the same action, now with the given properties
    EXPECT_EQ(third->GetCaption(), "Paste");
    EXPECT_EQ(third->GetShortCut(), ShortCut('V', {ssCtrl}));
    EXPECT_TRUE(third->GetChecked());
    EXPECT_FALSE(third->GetEnabled());
    EXPECT_EQ(third->GetImageIndex(), 7);
    EXPECT_EQ(target->GetCaption(), "");

    EXPECT_EQ(testsupport::MessageOf<EConvertError>([&] { list.SetAction(0, nullptr); }),
              "Cannot assign a nil to a TAction");
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.SetAction(3, &source); }),
              "List index out of bounds (3)");
}

TEST(ActionList, TActionPublishesWhatFormsStream) {
    const char* names[] = {"Name",    "Tag",         "Category", "Caption",    "Checked",
                           "Enabled", "HelpContext", "Hint",     "ImageIndex", "ShortCut",
                           "Visible", "OnExecute",   "OnHint",   "OnUpdate"};
    auto props = GetPropInfos(TAction::StaticClass());
    ASSERT_EQ(props.size(), std::size(names));
    for (std::size_t i = 0; i < props.size(); ++i) EXPECT_STREQ(props[i]->Name, names[i]);
    // TCustomAction declares them for descendants, streaming only the category.
    EXPECT_EQ(GetPropInfos(TCustomAction::StaticClass()).size(), 3u);
    auto listProps = GetPropInfos(TActionList::StaticClass());
    ASSERT_EQ(listProps.size(), 6u);
    EXPECT_STREQ(listProps[2]->Name, "Images");
    EXPECT_STREQ(listProps[5]->Name, "OnUpdate");
    EXPECT_EQ(GetPropInfos(TCustomActionList::StaticClass()).size(), 2u);
    EXPECT_EQ(FindClass("TActionList"), TActionList::StaticClass());
    EXPECT_EQ(FindClass("TAction"), TAction::StaticClass());
}

namespace {
using namespace formtest;

// In the converter's canonical layout, as the IDE writes it; the handlers are the form's own,
// which a form of a class made at run time does not have, so they are kept as written.
const std::string ActionForm = host::streaming_test::Lines({
    "object Form1: TForm1",
    "  Left = 10",
    "  object ActionList1: TActionList",
    "    Left = 16",
    "    Top = 8",
    "    object FileSave: TAction",
    "      Category = 'File'",
    "      Caption = '&Save'",
    "      Hint = 'Save|Saves the document'",
    "      ImageIndex = 3",
    "      ShortCut = 16467",
    "      OnExecute = FileSaveExecute",
    "    end",
    "    object EditBold: TAction",
    "      Category = 'Edit'",
    "      Caption = '&Bold'",
    "      Checked = True",
    "      Enabled = False",
    "      HelpContext = 42",
    "      Visible = False",
    "    end",
    "  end",
    "end",
});
} // namespace

TEST(ActionForm, AnActionListLoadsWithItsActionsAndSavesBackTheSame) {
    host::RegisterStreamingClasses();
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(ActionForm, notes);
    auto* list = DynCast<TActionList>(root->FindComponent("ActionList1"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->GetActionCount(), 2);
    auto* save = DynCast<TAction>(list->GetAction(0));
    auto* bold = DynCast<TAction>(list->GetAction(1));
    ASSERT_TRUE(save && bold);
    EXPECT_EQ(save->GetName(), "FileSave");
    EXPECT_EQ(save->GetOwner(), root.get()); // owned by the form, parented by the list
    EXPECT_EQ(save->GetCategory(), "File");
    EXPECT_EQ(save->GetCaption(), "&Save");
    EXPECT_EQ(ShortCutToText(save->GetShortCut()), "Ctrl+S");
    EXPECT_EQ(save->GetImageIndex(), 3);
    EXPECT_TRUE(save->GetEnabled());
    EXPECT_TRUE(bold->GetChecked());
    EXPECT_FALSE(bold->GetEnabled());
    EXPECT_FALSE(bold->GetVisible());
    EXPECT_EQ(bold->GetHelpContext(), 42);
    EXPECT_EQ(bold->GetImageIndex(), -1);

    EXPECT_EQ(Save(root.get(), true), ActionForm);
    std::vector<TFormLoadNote> again;
    RootPtr second = Load(Save(root.get(), false), again);
    EXPECT_EQ(Save(second.get(), true), ActionForm);
}
