#include "host/menus/ShortCuts.h"

#include "host/system/SysUtils.h"

#include <string_view>

namespace host {

namespace {
constexpr std::string_view ShiftCap = "Shift+", CtrlCap = "Ctrl+", AltCap = "Alt+";

// The names the host gives keys itself, from Backspace on.
constexpr std::string_view EditNames[] = {"BkSp", "Tab"}; // 0x08, 0x09
constexpr std::string_view NavNames[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                         "Left",  "Up",   "Right", "Down"}; // 0x20..0x28
constexpr std::string_view InsDelNames[] = {"Ins", "Del"};                  // 0x2D, 0x2E
// 0x6A..0x6F
constexpr std::string_view NumPadOps[] = {"Num *", "Num +",   "Num Enter",
                                          "Num -", "Num Del", "Num /"};
// 0xBA..0xC0 and 0xDB..0xDE, the keys of a US layout.
constexpr std::string_view Oem1Names[] = {";", "=", ",", "-", ".", "/", "`"};
constexpr std::string_view Oem4Names[] = {"[", "\\", "]", "'"};

// The name of a key the host leaves to the system to name; the headless system names the
// keys of a US keyboard as the desktop does.
AnsiString SystemKeyName(Byte Key) {
    switch (Key) {
    case VK_PAUSE: return "Pause";
    case VK_CAPITAL: return "Caps Lock";
    case VK_SNAPSHOT: return "Prnt Scrn";
    case VK_NUMLOCK: return "Num Lock";
    case VK_SCROLL: return "Scroll Lock";
    case VK_APPS: return "Application";
    default: break;
    }
    if (Key >= VK_MULTIPLY && Key <= VK_DIVIDE) return AnsiString(NumPadOps[Key - VK_MULTIPLY]);
    if (Key >= VK_OEM_1 && Key <= VK_OEM_3) return AnsiString(Oem1Names[Key - VK_OEM_1]);
    if (Key >= VK_OEM_4 && Key <= VK_OEM_7) return AnsiString(Oem4Names[Key - VK_OEM_4]);
    return {};
}

AnsiString KeyName(Byte Key) {
    if (Key == VK_BACK || Key == VK_TAB) return AnsiString(EditNames[Key - VK_BACK]);
    if (Key == VK_RETURN) return "Enter";
    if (Key == VK_ESCAPE) return "Esc";
    if (Key >= VK_SPACE && Key <= VK_DOWN) return AnsiString(NavNames[Key - VK_SPACE]);
    if (Key == VK_INSERT || Key == VK_DELETE) return AnsiString(InsDelNames[Key - VK_INSERT]);
    if (Key >= '0' && Key <= '9') return AnsiString(1, static_cast<char>(Key));
    if (Key >= 'A' && Key <= 'Z') return AnsiString(1, static_cast<char>(Key));
    // The numeric keypad's digits get names of their own, so that their text reads back as
    // the keypad key and not as the digit above the letters.
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9)
        return "Num " + AnsiString(1, static_cast<char>('0' + Key - VK_NUMPAD0));
    if (Key >= VK_F1 && Key <= VK_F24) return "F" + IntToStr(Key - VK_F1 + 1);
    return SystemKeyName(Key);
}

// Removes a modifier's caption from the front of `Text` (ignoring case) when a key name
// follows it.
bool TakeModifier(std::string_view& Text, std::string_view Cap) {
    if (Text.size() <= Cap.size()) return false;
    if (!SameText(AnsiString(Text.substr(0, Cap.size())), AnsiString(Cap))) return false;
    Text.remove_prefix(Cap.size());
    return true;
}
} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key > 0xFF) return 0;
    TShortCut r = Key;
    if (Shift.Contains(ssShift)) r |= scShift;
    if (Shift.Contains(ssCtrl)) r |= scCtrl;
    if (Shift.Contains(ssAlt)) r |= scAlt;
    return r;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
    Key = static_cast<Word>(ShortCut & ~(scShift | scCtrl | scAlt));
    Shift = {};
    if (ShortCut & scShift) Shift += ssShift;
    if (ShortCut & scCtrl) Shift += ssCtrl;
    if (ShortCut & scAlt) Shift += ssAlt;
}

AnsiString ShortCutToText(TShortCut ShortCut) {
    // Bits 8 to 12 belong to no flag: such a value is no shortcut.
    if (ShortCut & 0x1F00) return {};
    AnsiString name = KeyName(static_cast<Byte>(ShortCut & 0xFF));
    if (name.empty()) return {};
    AnsiString r;
    if (ShortCut & scShift) r += ShiftCap;
    if (ShortCut & scCtrl) r += CtrlCap;
    if (ShortCut & scAlt) r += AltCap;
    return r + name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
    std::string_view rest = Text;
    TShortCut flags = 0;
    for (;;) {
        if (TakeModifier(rest, ShiftCap))
            flags |= scShift;
        else if (TakeModifier(rest, CtrlCap))
            flags |= scCtrl;
        else if (TakeModifier(rest, AltCap))
            flags |= scAlt;
        else
            break;
    }
    if (rest.empty()) return 0;
    const AnsiString key(rest);
    for (Word k = VK_BACK; k <= 0xFF; ++k)
        if (SameText(key, KeyName(static_cast<Byte>(k)))) return static_cast<TShortCut>(k | flags);
    return 0;
}

TShortCut ShortCutFromMessage(const TWMKey& Message) {
    return ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
}

} // namespace host
