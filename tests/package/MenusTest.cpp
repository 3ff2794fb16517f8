// The menu class infos on live menus: a listener changing OnMeasureItem's Height, handles in
// their slot, IsShortCut's message record by address, the action link taken over.
#include "ClassesFixture.h"

#include "host/graphics/Bitmap.h"
#include "host/menus/Menu.h"
#include "host/menus/MenuItem.h"
#include "host/menus/ShortCuts.h"

#include <gtest/gtest.h>

using namespace classes_test;
using Menus = ClassesTest;

TEST_F(Menus, AListenerChangesTheMeasuredHeight) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("Open");
    Hearing listener("OnMeasureItem", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, item);
        EXPECT_EQ(E->GetArgs(3)->Value.AsInteger(), 20); // what the item was asked with
        E->GetArgs(3)->Value = 40;                       // Height, written back to the host
    });
    Info(item)->AddListener(&listener);
    auto* b = new TBitmap;
    Integer width = 10, height = 20;
    item->MeasureItem(b->GetCanvas(), width, height);
    EXPECT_EQ(height, 40);
    Info(item)->RemoveListener(&listener);
    b->Free();
    item->Free();
}

TEST_F(Menus, HandlesShortCutsAndActionLinks) {
    auto* menu = new TMainMenu(nullptr);
    auto* item = new TMenuItem(menu);
    item->SetCaption("&Save");
    menu->GetItems()->Add(item);
    // The same address both times; it holds the handle of the second read.
    Variant first = Get(item, "Handle");
    Variant second = Get(item, "Handle");
    EXPECT_EQ(first.AsAddress(), second.AsAddress());
    EXPECT_EQ(*static_cast<const HMENU*>(first.AsAddress()), item->GetHandle());

    int clicks = 0;
    struct Click {
        int* N;
        void On(TObject*) { ++*N; }
    } click{&clicks};
    item->SetOnClick(TNotifyEvent::Bind<&Click::On>(&click));
    item->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    SetKeyDown(VK_CONTROL, true);
    TWMKey key;
    key.Msg = WM_KEYDOWN;
    key.CharCode = 'S';
    TzelMethodInfo* m = Call(menu, "IsShortCut", Variant::Address(&key));
    SetKeyDown(VK_CONTROL, false);
    EXPECT_TRUE(m->Result.AsBoolean());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(m->GetArgs(0)->Value.AsAddress(), &key); // the argument still holds the address

    // An action link is taken over only as a live link; a number is refused.
    EXPECT_THROW(Set(item, "ActionLink", 4096), EInvalidCast);
    menu->Free();
}
