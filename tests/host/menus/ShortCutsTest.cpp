// Shortcuts: their key and flags, their text with the host's key names both ways, and the
// shortcut a key message carries.
#include "host/menus/ShortCuts.h"

#include <gtest/gtest.h>

#include <map>

using namespace host;

TEST(ShortCut, CombinesAKeyWithShiftCtrlAndAltOnly) {
    EXPECT_EQ(ShortCut('S', {ssCtrl}), scCtrl | 'S');
    EXPECT_EQ(ShortCut(VK_F1, {ssShift, ssCtrl, ssAlt}), scShift | scCtrl | scAlt | VK_F1);
    // Mouse buttons and double clicks are no part of a shortcut.
    EXPECT_EQ(ShortCut('A', {ssLeft, ssRight, ssMiddle, ssDouble}), 'A');
    // A key must fit in the low byte.
    EXPECT_EQ(ShortCut(0x100, {ssCtrl}), 0);

    Word key = 0;
    TShiftState shift{ssLeft};
    ShortCutToKey(scShift | scAlt | VK_DELETE, key, shift);
    EXPECT_EQ(key, VK_DELETE);
    EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
}

TEST(ShortCutText, UsesTheHostsKeyNames) {
    const std::pair<TShortCut, const char*> cases[] = {
        {ShortCut('S', {ssCtrl}), "Ctrl+S"},
        {ShortCut(VK_F1, {ssShift, ssCtrl}), "Shift+Ctrl+F1"},
        {ShortCut(VK_F12, {ssAlt}), "Alt+F12"},
        {ShortCut('7', {ssShift, ssCtrl, ssAlt}), "Shift+Ctrl+Alt+7"},
        {VK_DELETE, "Del"},
        {VK_INSERT, "Ins"},
        {VK_PRIOR, "PgUp"},
        {VK_NEXT, "PgDn"},
        {VK_HOME, "Home"},
        {VK_END, "End"},
        {VK_ESCAPE, "Esc"},
        {VK_RETURN, "Enter"},
        {VK_SPACE, "Space"},
        {VK_BACK, "BkSp"},
        {VK_TAB, "Tab"},
        {VK_LEFT, "Left"},
        {VK_UP, "Up"},
        {VK_RIGHT, "Right"},
        {ShortCut(VK_DOWN, {ssCtrl}), "Ctrl+Down"},
        {VK_F24, "F24"},
        {VK_NUMPAD0 + 5, "Num 5"},
    };
    for (auto [sc, text] : cases) {
        EXPECT_EQ(ShortCutToText(sc), text);
        EXPECT_EQ(TextToShortCut(text), sc) << text;
    }
}

TEST(ShortCutText, KeysWithoutANameAndStrayBitsHaveNoText) {
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl), ""); // a modifier alone
    EXPECT_EQ(ShortCutToText(VK_SHIFT), "");
    EXPECT_EQ(ShortCutToText(0xFF), "");
    EXPECT_EQ(ShortCutToText(0x0100 | 'A'), ""); // bits no flag uses
}

TEST(ShortCutText, ReadsModifiersInAnyOrderAndIgnoresCase) {
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
    EXPECT_EQ(TextToShortCut("Alt+Shift+del"), ShortCut(VK_DELETE, {ssShift, ssAlt}));
    EXPECT_EQ(TextToShortCut("Ctrl+Shift+F1"), TextToShortCut("Shift+Ctrl+F1"));
}

TEST(ShortCutText, TextThatNamesNoShortCutIsZero) {
    for (const char* text : {"", "Ctrl+", "Shift+", "Ctrl+Foo", "F25", "F0", "Ctrl S", "Ctrl+SS",
                             "+S", "Num 10", " Ctrl+S", "Ctrl+S "})
        EXPECT_EQ(TextToShortCut(text), 0) << '"' << text << '"';
}

TEST(ShortCutText, EveryNamedShortCutReadsBackAsItself) {
    std::map<AnsiString, TShortCut> seen;
    int named = 0;
    for (int key = 0; key <= 0xFF; ++key)
        for (int flags = 0; flags <= (scShift | scCtrl | scAlt); flags += scShift) {
            const TShortCut sc = static_cast<TShortCut>(key | flags);
            const AnsiString text = ShortCutToText(sc);
            if (text.empty()) continue;
            ++named;
            EXPECT_EQ(TextToShortCut(text), sc) << text;
            auto [it, fresh] = seen.emplace(text, sc);
            EXPECT_TRUE(fresh) << text << " names two shortcuts";
        }
    // Letters, digits, F1 to F24 and the keypad's digits at least, in all eight combinations.
    EXPECT_GE(named, (26 + 10 + 24 + 10) * 8);
}

TEST(ShortCutMessage, TakesShiftAndCtrlFromTheKeyboardAndAltFromTheMessage) {
    ReleaseAllKeys();
    TWMKey msg;
    msg.Msg = WM_KEYDOWN;
    msg.CharCode = 'S';
    EXPECT_EQ(ShortCutFromMessage(msg), 'S');
    SetKeyDown(VK_CONTROL, true);
    EXPECT_EQ(GetKeyState(VK_CONTROL) < 0, true);
    EXPECT_EQ(ShortCutFromMessage(msg), ShortCut('S', {ssCtrl}));
    msg.KeyData = AltMask;
    SetKeyDown(VK_SHIFT, true);
    EXPECT_EQ(ShortCutFromMessage(msg), ShortCut('S', {ssShift, ssCtrl, ssAlt}));
    ReleaseAllKeys();
    EXPECT_EQ(ShortCutFromMessage(msg), ShortCut('S', {ssAlt}));
    // Keys outside the table are never down.
    SetKeyDown(-1, true);
    SetKeyDown(256, true);
    EXPECT_EQ(GetKeyState(-1), 0);
    EXPECT_EQ(GetKeyState(256), 0);
}
