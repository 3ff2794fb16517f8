// The clipboard, headless: one per process, holding a data handle per format (and text), as
// the platform's does between Open and Close.
#pragma once

#include "host/system/Types.h"

#include <map>
#include <mutex>

namespace host {

inline constexpr Word CF_TEXT = 1;

class TClipboard {
public:
    /// Holds the clipboard for a series of changes (nested opens count).
    void Open();
    void Close();
    /// Empties it; the objects behind the handles it held are deleted.
    void Clear();
    bool HasFormat(Word Format);
    /// Puts `Data` (a handle the clipboard takes over) under `Format`, replacing what was there.
    void SetAsHandle(Word Format, LongWord Data);
    /// The handle under `Format` (still the clipboard's); 0 for none.
    LongWord GetAsHandle(Word Format);
    AnsiString GetAsText();
    void SetAsText(const AnsiString& Value);
    Integer GetFormatCount();

private:
    std::recursive_mutex FLock;
    std::map<Word, LongWord> FHandles;
    AnsiString FText;
    bool FHasText = false;
};

/// The process's clipboard.
TClipboard& Clipboard();

} // namespace host
