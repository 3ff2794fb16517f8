// Keyboard shortcuts: a virtual key in the low byte and the Shift, Ctrl and Alt flags in the
// high byte, and their text with the host's key names ("Ctrl+S", "Shift+Ctrl+F1").
#pragma once

#include "host/menus/Keys.h"

namespace host {

using TShortCut = Word;

inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

/// The shortcut of `Key` with `Shift` (Shift, Ctrl, Alt; the mouse flags are ignored); 0 for a
/// key that does not fit in a byte.
TShortCut ShortCut(Word Key, TShiftState Shift);
/// Splits a shortcut into its key and its Shift, Ctrl and Alt flags.
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
/// "Shift+Ctrl+Alt+" as they apply, then the key's name; empty for a key without a name.
AnsiString ShortCutToText(TShortCut ShortCut);
/// The shortcut a text names, modifiers in any order and case ignored; 0 for a text that names
/// no shortcut.
TShortCut TextToShortCut(const AnsiString& Text);
/// The shortcut of a key message: its key with Shift and Ctrl from the keyboard state and Alt
/// from the message.
TShortCut ShortCutFromMessage(const TWMKey& Message);

} // namespace host
