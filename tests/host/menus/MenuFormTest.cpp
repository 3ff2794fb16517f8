// A form with a main menu, a popup menu and an action one of the items follows: its items are
// children of their menu and owned by the form, and it saves back the same.
#include "host/actnlist/CustomAction.h"
#include "host/classes/FormLoading.h"
#include "host/classes/Streams.h"
#include "host/menus/Menu.h"
#include "tests/host/StreamingClasses.h"

#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace host;

namespace {
using namespace formtest;

// In the converter's canonical layout, as the IDE writes it. Save1 follows FileSave, so its
// caption and shortcut are the action's and not written.
const std::string MenuForm = host::streaming_test::Lines({
    "object Form1: TForm1",
    "  Left = 10",
    "  object MainMenu1: TMainMenu",
    "    Left = 16",
    "    Top = 8",
    "    object File1: TMenuItem",
    "      Caption = '&File'",
    "      object Open1: TMenuItem",
    "        Caption = '&Open...'",
    "        ShortCut = 16463",
    "        OnClick = Open1Click",
    "      end",
    "      object N1: TMenuItem",
    "        Caption = '-'",
    "      end",
    "      object Save1: TMenuItem",
    "        Action = FileSave",
    "      end",
    "    end",
    "    object View1: TMenuItem",
    "      Caption = '&View'",
    "      GroupIndex = 2",
    "      object Large1: TMenuItem",
    "        Caption = '&Large'",
    "        Checked = True",
    "        GroupIndex = 1",
    "        RadioItem = True",
    "      end",
    "      object Small1: TMenuItem",
    "        Caption = '&Small'",
    "        GroupIndex = 1",
    "        RadioItem = True",
    "      end",
    "    end",
    "  end",
    "  object PopupMenu1: TPopupMenu",
    "    AutoPopup = False",
    "    HelpContext = 7",
    "    Left = 48",
    "    Top = 8",
    "    object Copy1: TMenuItem",
    "      Caption = '&Copy'",
    "      Default = True",
    "      Enabled = False",
    "    end",
    "  end",
    "  object ActionList1: TActionList",
    "    Left = 80",
    "    Top = 8",
    "    object FileSave: TAction",
    "      Caption = '&Save'",
    "      ShortCut = 16467",
    "    end",
    "  end",
    "end",
});
} // namespace

TEST(MenuForm, AFormWithMenusLoadsAndSavesBackTheSame) {
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(MenuForm, notes);
    auto* main = DynCast<TMainMenu>(root->FindComponent("MainMenu1"));
    auto* popup = DynCast<TPopupMenu>(root->FindComponent("PopupMenu1"));
    ASSERT_TRUE(main && popup);
    TMenuItem* items = main->GetItems();
    ASSERT_EQ(items->GetCount(), 2);
    TMenuItem* file = items->GetItems(0);
    EXPECT_EQ(file->GetName(), "File1");
    EXPECT_EQ(file->GetOwner(), root.get()); // owned by the form, a child of its menu
    EXPECT_EQ(file->GetParentComponent(), main);
    ASSERT_EQ(file->GetCount(), 3);
    EXPECT_EQ(file->GetItems(0)->GetShortCut(), TextToShortCut("Ctrl+O"));
    EXPECT_TRUE(file->GetItems(1)->IsLine());
    TMenuItem* save = file->GetItems(2);
    EXPECT_EQ(save->GetParentComponent(), file);
    EXPECT_EQ(save->GetAction(), root->FindComponent("FileSave"));
    EXPECT_EQ(save->GetCaption(), "&Save"); // from the action
    EXPECT_EQ(save->GetShortCut(), TextToShortCut("Ctrl+S"));
    TMenuItem* view = items->GetItems(1);
    EXPECT_EQ(view->GetGroupIndex(), 2);
    EXPECT_TRUE(view->GetItems(0)->GetChecked());
    EXPECT_TRUE(view->GetItems(1)->GetRadioItem());
    EXPECT_FALSE(popup->GetAutoPopup());
    EXPECT_EQ(popup->GetHelpContext(), 7);
    EXPECT_TRUE(popup->GetItems()->GetItems(0)->GetDefault());
    // The item's own handler is not the form's (a class made at run time): kept as written.
    bool kept = false;
    for (const TFormLoadNote& n : notes)
        kept |=
            n.Kind == TFormLoadNoteKind::Property && n.Message.find("OnClick") != AnsiString::npos;
    EXPECT_TRUE(kept);

    EXPECT_EQ(Save(root.get(), true), MenuForm);
    std::vector<TFormLoadNote> again;
    RootPtr second = Load(Save(root.get(), false), again);
    EXPECT_EQ(Save(second.get(), true), MenuForm);

    // Checking the other radio item of the loaded group turns the first off.
    view->GetItems(1)->SetChecked(true);
    EXPECT_FALSE(view->GetItems(0)->GetChecked());
}
