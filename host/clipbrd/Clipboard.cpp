#include "host/clipbrd/Clipboard.h"

#include "host/graphics/GdiObjects.h"

namespace host {

TClipboard& Clipboard() {
    static TClipboard* c = new TClipboard; // used until the program ends
    return *c;
}

void TClipboard::Open() {
    FLock.lock();
}

void TClipboard::Close() {
    FLock.unlock();
}

void TClipboard::Clear() {
    std::lock_guard g(FLock);
    for (auto& [format, handle] : FHandles) DeleteObject(handle);
    FHandles.clear();
    FText.clear();
    FHasText = false;
}

bool TClipboard::HasFormat(Word Format) {
    std::lock_guard g(FLock);
    return Format == CF_TEXT ? FHasText : FHandles.count(Format) != 0;
}

void TClipboard::SetAsHandle(Word Format, LongWord Data) {
    std::lock_guard g(FLock);
    auto it = FHandles.find(Format);
    if (it != FHandles.end()) {
        if (it->second != Data) DeleteObject(it->second);
        it->second = Data;
    } else {
        FHandles.emplace(Format, Data);
    }
}

LongWord TClipboard::GetAsHandle(Word Format) {
    std::lock_guard g(FLock);
    auto it = FHandles.find(Format);
    return it == FHandles.end() ? 0 : it->second;
}

AnsiString TClipboard::GetAsText() {
    std::lock_guard g(FLock);
    return FText;
}

void TClipboard::SetAsText(const AnsiString& Value) {
    std::lock_guard g(FLock);
    FText = Value;
    FHasText = true;
}

Integer TClipboard::GetFormatCount() {
    std::lock_guard g(FLock);
    return static_cast<Integer>(FHandles.size()) + (FHasText ? 1 : 0);
}

} // namespace host
