// Reaching items from outside: command ids and handles, FindItem, IsShortCut, DispatchCommand
// and DispatchPopup, help contexts, menu characters, and clicks that run an action.
#include "host/menus/Menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace host;

namespace {
struct Clicks {
    std::vector<std::string> Seen;
    void Clicked(TObject* Sender) {
        auto* i = DynCast<TMenuItem>(Sender);
        Seen.push_back(i ? i->GetCaption() : DynCast<TComponent>(Sender)->GetName());
    }
    TNotifyEvent Event() { return TNotifyEvent::Bind<&Clicks::Clicked>(this); }
};

/// A popup: File (Open Ctrl+O, Save Ctrl+S disabled, Recent > One), Edit (Cut Ctrl+X).
struct Sample {
    TComponent Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    Clicks Log;
    TMenuItem *File, *Open, *Save, *Recent, *One, *Edit, *Cut;
    TMenuItem* Item(TMenuItem* Parent, const char* Caption, const char* Shortcut = "") {
        auto* i = new TMenuItem(&Form);
        i->SetCaption(Caption);
        i->SetShortCut(TextToShortCut(Shortcut));
        i->SetOnClick(Log.Event());
        Parent->Add(i);
        return i;
    }
    Sample() {
        File = Item(Menu->GetItems(), "&File");
        Open = Item(File, "&Open...", "Ctrl+O");
        Save = Item(File, "&Save", "Ctrl+S");
        Save->SetEnabled(false);
        Recent = Item(File, "&Recent");
        One = Item(Recent, "&1 a.txt");
        Edit = Item(Menu->GetItems(), "&Edit");
        Cut = Item(Edit, "Cu&t", "Ctrl+X");
    }
    ~Sample() { ReleaseAllKeys(); }
};

TWMKey KeyDown(Word Key) {
    TWMKey m;
    m.Msg = WM_KEYDOWN;
    m.CharCode = Key;
    return m;
}
} // namespace

TEST(MenuCommands, EveryLiveItemHasACommandIdOfItsOwn) {
    std::set<Word> ids;
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 50; ++i) {
        items.push_back(new TMenuItem(nullptr));
        EXPECT_NE(items.back()->GetCommand(), 0);
        ids.insert(items.back()->GetCommand());
    }
    EXPECT_EQ(ids.size(), 50u);
    Word freed = items[10]->GetCommand();
    items[10]->Free();
    TMenuItem* again = new TMenuItem(nullptr); // a freed id is taken again
    EXPECT_EQ(again->GetCommand(), freed);
    again->Free();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (i != 10) items[i]->Free();
}

TEST(MenuCommands, FindItemByCommandHandleOrShortcut) {
    Sample s;
    EXPECT_EQ(s.Menu->FindItem(s.One->GetCommand(), fkCommand), s.One);
    EXPECT_EQ(s.Menu->FindItem(ShortCut('X', {ssCtrl}), fkShortCut), s.Cut);
    EXPECT_EQ(s.Menu->FindItem(0, fkShortCut), nullptr); // items without a shortcut
    HMENU h = s.Recent->GetHandle();
    EXPECT_EQ(s.Recent->GetHandle(), h); // made once
    EXPECT_EQ(s.Menu->FindItem(static_cast<Integer>(h), fkHandle), s.Recent);
    EXPECT_EQ(s.Menu->FindItem(static_cast<Integer>(s.Menu->GetHandle()), fkHandle),
              s.Menu->GetItems());
    EXPECT_EQ(s.Menu->FindItem(0, fkHandle), nullptr);
    EXPECT_EQ(FindMenuHandle(h), s.Recent);
    TPopupMenu other(nullptr);
    EXPECT_EQ(other.FindItem(static_cast<Integer>(h), fkHandle), nullptr); // not its item
    s.Recent->Free();
    EXPECT_EQ(FindMenuHandle(h), nullptr);
}

TEST(MenuCommands, DispatchCommandAndDispatchPopupClickTheItemFound) {
    Sample s;
    EXPECT_TRUE(s.Menu->DispatchCommand(s.Cut->GetCommand()));
    EXPECT_FALSE(s.Menu->DispatchCommand(0xFFFF));
    EXPECT_TRUE(s.Menu->DispatchPopup(s.Recent->GetHandle()));
    EXPECT_FALSE(s.Menu->DispatchPopup(0));
    EXPECT_EQ(s.Log.Seen, (std::vector<std::string>{"Cu&t", "&Recent"}));
}

TEST(MenuShortCuts, IsShortCutClicksTheEnabledItemWithTheMessagesShortcut) {
    Sample s;
    SetKeyDown(VK_CONTROL, true);
    TWMKey m = KeyDown('O');
    EXPECT_TRUE(s.Menu->IsShortCut(m));
    EXPECT_EQ(s.Log.Seen, std::vector<std::string>{"&Open..."});
    // Found but disabled: the key is taken, nothing is clicked.
    TWMKey save = KeyDown('S');
    EXPECT_TRUE(s.Menu->IsShortCut(save));
    EXPECT_EQ(s.Log.Seen.size(), 1u);
    // Without Ctrl the key is no item's shortcut.
    SetKeyDown(VK_CONTROL, false);
    TWMKey plain = KeyDown('O');
    EXPECT_FALSE(s.Menu->IsShortCut(plain));
    EXPECT_EQ(s.Log.Seen.size(), 1u);
}

TEST(MenuShortCuts, AnItemFollowingAnActionIsUpdatedBeforeItsShortcutClicksIt) {
    Sample s;
    TAction action(&s.Form);
    struct Handlers {
        int Executed = 0;
        bool Enable = true;
        void Execute(TObject*) { ++Executed; }
        void Update(TObject* A) { static_cast<TAction*>(A)->SetEnabled(Enable); }
    } h;
    action.SetShortCut(TextToShortCut("F5"));
    action.SetOnExecute(TNotifyEvent::Bind<&Handlers::Execute>(&h));
    action.SetOnUpdate(TNotifyEvent::Bind<&Handlers::Update>(&h));
    s.Cut->SetOnClick({});
    s.Cut->SetAction(&action);
    EXPECT_EQ(s.Cut->GetShortCut(), TextToShortCut("F5"));
    TWMKey f5 = KeyDown(VK_F1 + 4);
    EXPECT_TRUE(s.Menu->IsShortCut(f5));
    EXPECT_EQ(h.Executed, 1);
    h.Enable = false; // the update disables the action, and through it the item
    EXPECT_TRUE(s.Menu->IsShortCut(f5));
    EXPECT_EQ(h.Executed, 1);
    EXPECT_FALSE(s.Cut->GetEnabled());
}

TEST(MenuHelp, GetHelpContextTakesTheNearestItemThatHasOne) {
    Sample s;
    s.File->SetHelpContext(10);
    s.One->SetHelpContext(12);
    s.Menu->SetHelpContext(1); // the popup's own: its root item's
    EXPECT_EQ(s.Menu->GetHelpContext(), 1);
    EXPECT_EQ(s.Menu->GetItems()->GetHelpContext(), 1);
    EXPECT_EQ(s.Menu->GetHelpContext(s.One->GetCommand(), true), 12);
    EXPECT_EQ(s.Menu->GetHelpContext(s.Recent->GetCommand(), true), 10);
    EXPECT_EQ(s.Menu->GetHelpContext(s.Cut->GetCommand(), true), 1);
    EXPECT_EQ(s.Menu->GetHelpContext(static_cast<Integer>(s.Recent->GetHandle()), false), 10);
    EXPECT_EQ(s.Menu->GetHelpContext(0xFFFF, true), 0);
}

TEST(MenuChars, ProcessMenuCharExecutesTheItemWithTheHotkeyOrSelectsIt) {
    Sample s;
    TMenuItem* sep = s.Item(s.File, "-");
    TMenuItem* rename = s.Item(s.File, "Rename");
    TMenuItem* remove = s.Item(s.File, "Remove");
    TMenuItem* print = s.Item(s.File, "Print");
    (void)sep;
    (void)rename;
    (void)remove;
    TWMMenuChar m;
    m.Menu = s.File->GetHandle();
    m.MenuFlag = MF_POPUP;

    m.User = 'o'; // the hotkey of Open, in either case
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, (MNC_EXECUTE << 16) | 0);
    EXPECT_EQ(s.Log.Seen, std::vector<std::string>{"&Open..."});

    m.User = 'S'; // Save's hotkey, but Save is disabled: selected only
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, (MNC_SELECT << 16) | 1);

    m.User = 'P'; // no hotkey; the only caption starting with it
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, (MNC_EXECUTE << 16) | s.File->IndexOf(print));
    EXPECT_EQ(s.Log.Seen.back(), "Print");

    s.Log.Seen.clear();
    m.User = 'r'; // Recent has it as hotkey
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, (MNC_EXECUTE << 16) | 2);
    s.Recent->SetCaption("Recent"); // now three captions start with R: the first is selected
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, (MNC_SELECT << 16) | 2);
    EXPECT_EQ(s.Log.Seen.size(), 1u);

    m.User = 'z';
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, MNC_IGNORE);
    m.User = 'o';
    m.Menu = 12345; // not a sub-menu of this menu
    s.Menu->ProcessMenuChar(m);
    EXPECT_EQ(m.Result, MNC_IGNORE);
}

TEST(MenuActions, AnItemFollowsItsActionWhereItShowsTheActionsValues) {
    TComponent form(nullptr);
    TAction action(&form);
    action.SetCaption("&Save");
    action.SetHint("Saves");
    action.SetImageIndex(4);
    action.SetChecked(true);
    struct Run {
        int N = 0;
        void Execute(TObject*) { ++N; }
    } run;
    action.SetOnExecute(TNotifyEvent::Bind<&Run::Execute>(&run));
    TMenuItem item(&form);
    item.SetAction(&action);
    EXPECT_EQ(item.GetAction(), &action);
    EXPECT_EQ(item.GetCaption(), "&Save");
    EXPECT_EQ(item.GetHint(), "Saves");
    EXPECT_EQ(item.GetImageIndex(), 4);
    EXPECT_TRUE(item.GetChecked());
    EXPECT_EQ(item.GetOnClick(), action.GetOnExecute());
    // What shows the action's value is not streamed.
    EXPECT_FALSE(item.IsCaptionStored());
    EXPECT_FALSE(item.IsOnClickStored());

    action.SetCaption("Save &all");
    action.SetEnabled(false);
    action.SetVisible(false);
    action.SetShortCut(TextToShortCut("Ctrl+S"));
    EXPECT_EQ(item.GetCaption(), "Save &all");
    EXPECT_FALSE(item.GetEnabled());
    EXPECT_FALSE(item.GetVisible());
    EXPECT_EQ(item.GetShortCut(), TextToShortCut("Ctrl+S"));

    // A caption of the item's own no longer follows, and is streamed.
    item.SetCaption("Mine");
    action.SetCaption("Other");
    EXPECT_EQ(item.GetCaption(), "Mine");
    EXPECT_TRUE(item.IsCaptionStored());

    // Click executes the action (its OnExecute is the item's OnClick).
    action.SetEnabled(true);
    item.Click();
    EXPECT_EQ(run.N, 1);
    // A handler of the item's own runs instead.
    Clicks own;
    item.SetOnClick(own.Event());
    item.Click();
    EXPECT_EQ(run.N, 1);
    EXPECT_EQ(own.Seen.size(), 1u);

    // The action going away leaves the item without one.
    TAction* gone = new TAction(&form);
    item.SetAction(gone);
    gone->Free();
    EXPECT_EQ(item.GetAction(), nullptr);
    item.SetOnClick(own.Event());
    item.Click();
    EXPECT_EQ(own.Seen.size(), 2u);
}

namespace {
/// Reaches the protected storage of the ActionLink member.
struct LinkProbe : TMenuItem {
    using TMenuItem::GetActionLink;
    using TMenuItem::SetActionLink;
    using TMenuItem::TMenuItem;
};
} // namespace

TEST(MenuActions, AnActionLinkWrittenIntoAnItemHasOneOwner) {
    TAction action(nullptr);
    action.SetCaption("Go");
    LinkProbe a(nullptr), b(nullptr);
    a.SetAction(&action);
    TMenuActionLink* link = a.GetActionLink();
    ASSERT_TRUE(link);
    // b takes the link over; a lets go of it, so it is freed once, by b.
    b.SetActionLink(link);
    EXPECT_EQ(a.GetActionLink(), nullptr);
    EXPECT_EQ(b.GetActionLink(), link);
    EXPECT_EQ(link->GetClient(), &b);
    EXPECT_EQ(b.GetAction(), &action);
    b.SetCaption("Go");
    action.SetCaption("Went");
    EXPECT_EQ(b.GetCaption(), "Went"); // the link now serves b
    EXPECT_EQ(a.GetCaption(), "Go");
    // A new link replaces (and frees) the old one.
    auto* fresh = new TMenuActionLink(nullptr);
    b.SetActionLink(fresh);
    EXPECT_EQ(b.GetActionLink(), fresh);
    EXPECT_EQ(b.GetAction(), nullptr);
    b.SetActionLink(nullptr);
    EXPECT_EQ(b.GetActionLink(), nullptr);
}

TEST(MenuActions, ALinkMadeForAnItemThatHasGoneCanStillBeTakenOver) {
    auto* gone = new LinkProbe(nullptr);
    auto* link = new TMenuActionLink(gone); // made for it, never given to it
    gone->Free();
    LinkProbe taker(nullptr);
    taker.SetActionLink(link);
    EXPECT_EQ(link->GetClient(), &taker);
}
