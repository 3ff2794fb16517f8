#include "host/menus/Keys.h"

#include <array>
#include <atomic>

namespace host {

namespace {
// One flag per virtual key; keys may be pressed from a test thread while a form reads them.
std::array<std::atomic<bool>, 256> KeysDown{};
} // namespace

SmallInt GetKeyState(Integer VirtKey) {
    if (VirtKey < 0 || VirtKey >= static_cast<Integer>(KeysDown.size())) return 0;
    return KeysDown[static_cast<std::size_t>(VirtKey)].load() ? SmallInt(-0x8000) : SmallInt(0);
}

void SetKeyDown(Integer VirtKey, bool Down) {
    if (VirtKey < 0 || VirtKey >= static_cast<Integer>(KeysDown.size())) return;
    KeysDown[static_cast<std::size_t>(VirtKey)].store(Down);
}

void ReleaseAllKeys() {
    for (auto& k : KeysDown) k.store(false);
}

TShiftState KeyDataToShiftState(LongInt KeyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (KeyData & AltMask) s += ssAlt;
    return s;
}

} // namespace host
