// The two kinds of menu: a main menu's bar merged with another form's menu by GroupIndex, and
// a popup shown at a point; and what they publish for forms.
#include "host/classes/ClassRegistration.h"
#include "host/classes/TypInfo.h"
#include "host/menus/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host;

namespace {
void Bar(TMainMenu& Menu, std::initializer_list<std::pair<const char*, Byte>> Items) {
    for (auto [caption, group] : Items) {
        auto* i = new TMenuItem(&Menu);
        i->SetCaption(caption);
        i->SetGroupIndex(group);
        Menu.GetItems()->Add(i);
    }
}

std::string Captions(const std::vector<TMenuItem*>& Items) {
    std::string s;
    for (TMenuItem* i : Items) s += (s.empty() ? "" : " ") + i->GetCaption();
    return s;
}
} // namespace

TEST(MenuMerge, MergedItemsReplaceTheirGroupOrGoInByOrder) {
    TMainMenu main(nullptr), child(nullptr);
    Bar(main, {{"File", 0}, {"Edit", 1}, {"Tools", 5}, {"Window", 7}, {"Help", 9}});
    Bar(child, {{"Edit2", 1}, {"Format", 1}, {"Table", 3}, {"Extra", 10}});
    main.GetItems()->GetItems(3)->SetVisible(false); // Window is not on the bar

    main.Merge(&child);
    EXPECT_EQ(main.GetMerged(), &child);
    EXPECT_EQ(Captions(main.GetBarItems()), "File Edit2 Format Table Tools Help Extra");
    // The items stay where they are.
    EXPECT_EQ(main.GetItems()->GetCount(), 5);
    EXPECT_EQ(child.GetItems()->GetCount(), 4);
    EXPECT_EQ(child.GetItems()->GetItems(0)->GetParentMenu(), &child);

    main.Unmerge(&main); // not the menu merged: nothing happens
    EXPECT_EQ(main.GetMerged(), &child);
    main.Unmerge(&child);
    EXPECT_EQ(Captions(main.GetBarItems()), "File Edit Tools Help");
}

TEST(MenuMerge, AMergedMenuThatIsFreedLeavesTheBar) {
    TMainMenu main(nullptr);
    Bar(main, {{"File", 0}});
    auto* child = new TMainMenu(nullptr);
    Bar(*child, {{"Table", 2}});
    main.Merge(child);
    EXPECT_EQ(Captions(main.GetBarItems()), "File Table");
    child->Free();
    EXPECT_EQ(main.GetMerged(), nullptr);
    EXPECT_EQ(Captions(main.GetBarItems()), "File");
    main.Merge(&main); // a menu cannot merge itself
    EXPECT_EQ(main.GetMerged(), nullptr);
}

TEST(MenuPopup, PopupKeepsThePointFiresOnPopupAndUpdatesTheItems) {
    TComponent form(nullptr);
    TPopupMenu popup(&form);
    TAction action(&form);
    struct Log {
        std::vector<std::string> Seen;
        TPopupMenu* Menu = nullptr;
        void Popped(TObject* S) { Seen.push_back(S == Menu ? "popup" : "?"); }
        void Update(TObject*) { Seen.push_back("update"); }
    } log;
    log.Menu = &popup;
    popup.SetOnPopup(TNotifyEvent::Bind<&Log::Popped>(&log));
    action.SetOnUpdate(TNotifyEvent::Bind<&Log::Update>(&log));
    auto* item = new TMenuItem(&form);
    item->SetAction(&action);
    popup.GetItems()->Add(item);

    popup.Popup(120, 45);
    EXPECT_EQ(popup.GetPopupPoint(), Point(120, 45));
    EXPECT_EQ(log.Seen, (std::vector<std::string>{"popup", "update"}));

    EXPECT_EQ(popup.GetAlignment(), paLeft);
    EXPECT_EQ(popup.GetTrackButton(), tbRightButton);
    EXPECT_TRUE(popup.GetAutoPopup());
    auto* button = new TComponent(&form);
    popup.SetPopupComponent(button);
    EXPECT_EQ(popup.GetPopupComponent(), button);
    button->Free();
    EXPECT_EQ(popup.GetPopupComponent(), nullptr); // no dangling component
}

TEST(MenuStreaming, TheMenusPublishWhatFormsStream) {
    auto names = [](TClass C) {
        std::string s;
        for (const TPropInfo* p : GetPropInfos(C))
            s += (s.empty() ? "" : " ") + std::string(p->Name);
        return s;
    };
    EXPECT_EQ(names(TMenuItem::StaticClass()),
              "Name Tag Action Bitmap Break Caption Checked Default Enabled GroupIndex "
              "HelpContext Hint ImageIndex RadioItem ShortCut Visible OnClick OnDrawItem "
              "OnMeasureItem");
    EXPECT_EQ(names(TMainMenu::StaticClass()),
              "Name Tag Items AutoMerge BiDiMode Images OwnerDraw ParentBiDiMode OnChange");
    EXPECT_EQ(names(TPopupMenu::StaticClass()),
              "Name Tag Items Alignment AutoPopup HelpContext BiDiMode Images OwnerDraw "
              "ParentBiDiMode OnChange OnPopup");
    for (const char* c : {"TMainMenu", "TPopupMenu", "TMenuItem"})
        EXPECT_NE(GetClass(c), nullptr) << c;

    TMainMenu menu(nullptr);
    EXPECT_TRUE(menu.GetParentBiDiMode());
    menu.SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(menu.GetParentBiDiMode());
    EXPECT_TRUE(menu.IsRightToLeft());
}
