// The menu-item tree: inserting, moving and removing items with their errors, ownership by the
// form against parentage in the tree, hotkeys and separators, radio groups, default items,
// group-index order and the changes a menu hears of.
#include "host/graphics/Bitmap.h"
#include "host/menus/Menu.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host;
using testsupport::MessageOf;

namespace {
TMenuItem* NewItem(TComponent* Owner, const char* Caption) {
    auto* i = new TMenuItem(Owner);
    i->SetCaption(Caption);
    return i;
}

struct ChangeLog {
    std::vector<std::string> Seen;
    void Changed(TObject*, TMenuItem* Source, bool Rebuild) {
        Seen.push_back((Source ? Source->GetCaption() : std::string("(menu)")) +
                       (Rebuild ? " rebuild" : ""));
    }
    TMenuChangeEvent Event() { return TMenuChangeEvent::Bind<&ChangeLog::Changed>(this); }
};
} // namespace

TEST(MenuTree, InsertDeleteAndMoveKeepParentsAndPositions) {
    TComponent form(nullptr);
    TMainMenu menu(&form);
    TMenuItem* root = menu.GetItems();
    TMenuItem* file = NewItem(&form, "&File");
    TMenuItem* edit = NewItem(&form, "&Edit");
    TMenuItem* help = NewItem(&form, "&Help");
    root->Add(file);
    root->Add(help);
    root->Insert(1, edit);
    ASSERT_EQ(root->GetCount(), 3);
    EXPECT_EQ(root->GetItems(1), edit);
    EXPECT_EQ(edit->GetParent(), root);
    EXPECT_EQ(help->GetMenuIndex(), 2);
    EXPECT_EQ(edit->GetParentMenu(), &menu);
    EXPECT_EQ(root->IndexOf(help), 2);

    // MenuIndex moves within the parent, kept within its bounds.
    help->SetMenuIndex(-5);
    EXPECT_EQ(root->IndexOf(help), 0);
    help->SetMenuIndex(99);
    EXPECT_EQ(root->IndexOf(help), 2);

    // Delete takes an item out without freeing it; it can go in elsewhere.
    root->Delete(1);
    EXPECT_EQ(edit->GetParent(), nullptr);
    EXPECT_EQ(edit->GetMenuIndex(), -1);
    EXPECT_EQ(edit->GetParentMenu(), nullptr);
    file->Add(edit);
    EXPECT_EQ(edit->GetParentMenu(), &menu);
    file->Remove(edit);
    EXPECT_EQ(file->GetCount(), 0);
    edit->Free();

    EXPECT_EQ(root->Find("file"), file); // hotkeys and case do not matter
    EXPECT_EQ(root->Find("&Help"), help);
    EXPECT_EQ(root->Find("Edit"), nullptr);
}

TEST(MenuTree, BadInsertsAndIndexesRaiseMenuErrors) {
    TComponent form(nullptr);
    TPopupMenu menu(&form);
    TMenuItem* a = NewItem(&form, "A");
    TMenuItem* b = NewItem(&form, "B");
    menu.GetItems()->Add(a);
    a->Add(b);
    EXPECT_EQ(MessageOf<EMenuError>([&] { menu.GetItems()->Add(b); }), "Menu inserted twice");
    EXPECT_EQ(MessageOf<EMenuError>([&] { a->Add(menu.GetItems()); }), "Menu inserted twice");
    TMenuItem* loose = NewItem(&form, "Loose");
    TMenuItem* inner = NewItem(&form, "Inner");
    loose->Add(inner);
    EXPECT_EQ(MessageOf<EMenuError>([&] { inner->Add(loose); }),
              "Cannot insert a menu item into itself");
    EXPECT_EQ(MessageOf<EMenuError>([&] { loose->Add(loose); }),
              "Cannot insert a menu item into itself");
    EXPECT_EQ(MessageOf<EMenuError>([&] { a->GetItems(1); }), "Menu index out of range");
    EXPECT_EQ(MessageOf<EMenuError>([&] { a->GetItems(-1); }), "Menu index out of range");
    EXPECT_EQ(MessageOf<EMenuError>([&] { a->Delete(3); }), "Menu index out of range");
    EXPECT_EQ(MessageOf<EMenuError>([&] { a->Insert(5, NewItem(&form, "C")); }),
              "Menu index out of range");
    EXPECT_EQ(MessageOf<EMenuError>([&] { a->Remove(loose); }), "Sub-menu is not in menu");
    EXPECT_EQ(a->GetCount(), 1);
}

TEST(MenuTree, TheFormOwnsTheItemsAndTheTreeFreesThemOnce) {
    auto* form = new TComponent(nullptr);
    auto* menu = new TMainMenu(form);
    TMenuItem* file = NewItem(form, "File");
    TMenuItem* open = NewItem(form, "Open");
    TMenuItem* recent = NewItem(form, "Recent");
    TMenuItem* one = NewItem(form, "1 a.txt");
    menu->GetItems()->Add(file);
    file->Add(open);
    file->Add(recent);
    recent->Add(one);
    EXPECT_EQ(form->GetComponentCount(), 5);

    // Freeing an item frees its sub-items, which leave their owner.
    recent->Free();
    EXPECT_EQ(form->GetComponentCount(), 3);
    EXPECT_EQ(file->GetCount(), 1);
    // Freeing an item its owner still holds leaves the tree consistent.
    open->Free();
    EXPECT_EQ(file->GetCount(), 0);
    // Clear frees the sub-items.
    file->Add(NewItem(form, "New"));
    file->Add(NewItem(form, "Save"));
    file->Clear();
    EXPECT_EQ(file->GetCount(), 0);
    EXPECT_EQ(form->GetComponentCount(), 2);
    // The menu frees its tree; the form then frees what is left without freeing twice.
    file->Add(NewItem(form, "Exit"));
    menu->Free();
    EXPECT_EQ(form->GetComponentCount(), 0);
    form->Free();

    // The other order: the form frees menu and items whichever goes first.
    form = new TComponent(nullptr);
    TMenuItem* early = NewItem(form, "Early");
    menu = new TMainMenu(form);
    menu->GetItems()->Add(early);
    early->Add(NewItem(form, "Late"));
    form->Free();
}

TEST(MenuTree, CaptionsCarryHotkeysAndSeparators) {
    EXPECT_EQ(GetHotkey("&File"), 'F');
    EXPECT_EQ(GetHotkey("Save &as..."), 'A');
    EXPECT_EQ(GetHotkey("Fish && &Chips"), 'C');
    EXPECT_EQ(GetHotkey("Fish && Chips"), 0);
    EXPECT_EQ(GetHotkey("Trailing&"), 0);
    EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(StripHotkey("Trailing&"), "Trailing");
    EXPECT_EQ(HotkeyPosition("Fish && &Chips"), 7);
    EXPECT_EQ(HotkeyPosition(""), -1);
    TMenuItem line(nullptr);
    line.SetCaption("-");
    EXPECT_TRUE(line.IsLine());
    line.SetCaption("--");
    EXPECT_FALSE(line.IsLine());
}

TEST(MenuItems, CheckingARadioItemUnchecksTheOthersOfItsGroupUnderTheSameParent) {
    TComponent form(nullptr);
    TPopupMenu menu(&form);
    TMenuItem* r[4];
    for (int i = 0; i < 4; ++i) {
        r[i] = NewItem(&form, "R");
        r[i]->SetRadioItem(true);
        r[i]->SetGroupIndex(i < 3 ? 1 : 2);
        menu.GetItems()->Add(r[i]);
    }
    TMenuItem* plain = NewItem(&form, "Plain"); // same group, but no radio item
    plain->SetGroupIndex(2);
    menu.GetItems()->Add(plain);
    TMenuItem* elsewhere = NewItem(&form, "Elsewhere"); // same group, other parent
    elsewhere->SetRadioItem(true);
    elsewhere->SetGroupIndex(1);
    r[0]->Add(elsewhere);

    elsewhere->SetChecked(true);
    r[0]->SetChecked(true);
    r[3]->SetChecked(true);
    plain->SetChecked(true);
    r[1]->SetChecked(true);
    EXPECT_FALSE(r[0]->GetChecked());
    EXPECT_TRUE(r[1]->GetChecked());
    EXPECT_FALSE(r[2]->GetChecked());
    EXPECT_TRUE(r[3]->GetChecked()); // group 2
    EXPECT_TRUE(plain->GetChecked());
    EXPECT_TRUE(elsewhere->GetChecked());

    // A checked item becoming a radio item turns its group's others off.
    r[2]->SetRadioItem(false);
    r[2]->SetChecked(true);
    EXPECT_TRUE(r[1]->GetChecked());
    r[2]->SetRadioItem(true);
    EXPECT_FALSE(r[1]->GetChecked());
    EXPECT_TRUE(r[2]->GetChecked());
}

TEST(MenuItems, OneDefaultItemPerParent) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = NewItem(nullptr, "A");
    TMenuItem* b = NewItem(nullptr, "B");
    menu.GetItems()->Add(a);
    menu.GetItems()->Add(b);
    a->SetDefault(true);
    b->SetDefault(true);
    EXPECT_FALSE(a->GetDefault());
    EXPECT_TRUE(b->GetDefault());
}

TEST(MenuItems, GroupIndexesDoNotDecreaseAlongAParent) {
    TMainMenu menu(nullptr);
    TMenuItem* root = menu.GetItems();
    TMenuItem* a = NewItem(nullptr, "A");
    TMenuItem* b = NewItem(nullptr, "B");
    TMenuItem* c = NewItem(nullptr, "C");
    root->Add(a);
    root->Add(b);
    root->Add(c);
    b->SetGroupIndex(3); // C, after it, is raised to 3
    EXPECT_EQ(c->GetGroupIndex(), 3);
    EXPECT_EQ(a->GetGroupIndex(), 0);
    EXPECT_EQ(MessageOf<EMenuError>([&] { c->SetGroupIndex(1); }),
              "GroupIndex cannot be less than a previous menu item's GroupIndex");
    EXPECT_EQ(c->GetGroupIndex(), 3);
    // An item inserted after a higher group takes that group.
    TMenuItem* d = NewItem(nullptr, "D");
    root->Insert(2, d);
    EXPECT_EQ(d->GetGroupIndex(), 3);
}

TEST(MenuItems, TheMenuHearsOfChangesInItsTree) {
    TComponent form(nullptr);
    TMainMenu menu(&form);
    ChangeLog log;
    menu.SetOnChange(log.Event());
    TMenuItem* file = NewItem(&form, "File");
    menu.GetItems()->Add(file);
    TMenuItem* open = NewItem(&form, "Open");
    file->Add(open);
    open->SetChecked(true);
    open->SetCaption("Open...");
    open->SetHint("Opens a file"); // a plain store
    open->SetChecked(true);        // no change
    // The root item (no caption) got its first item, then File its first.
    EXPECT_EQ(log.Seen,
              (std::vector<std::string>{" rebuild", "File rebuild", "Open", "Open... rebuild"}));
}

TEST(MenuItems, TheItemKeepsACopyOfItsBitmap) {
    TMenuItem item(nullptr);
    EXPECT_FALSE(item.IsBitmapStored()); // made empty when first asked for
    EXPECT_TRUE(item.GetBitmap()->GetEmpty());
    TBitmap source;
    source.SetSize(4, 3);
    source.GetCanvas()->SetPixels(1, 1, clRed);
    item.SetBitmap(&source);
    source.GetCanvas()->SetPixels(1, 1, clBlue);
    source.SetSize(8, 8);
    EXPECT_EQ(item.GetBitmap()->GetWidth(), 4);
    EXPECT_EQ(item.GetBitmap()->ColorAt(1, 1), ColorToRGB(clRed));
    EXPECT_TRUE(item.IsBitmapStored());
    item.SetBitmap(nullptr);
    EXPECT_FALSE(item.IsBitmapStored());
}
