// Properties a form gave an object that it could not take, kept exactly as streamed so that
// saving the form again writes them back: opening and saving a form loses nothing.
#pragma once

#include "host/system/Types.h"

#include <string>
#include <vector>

namespace host {

struct TKeptProperty {
    AnsiString Name;   // as the form names it, with its path ("Font.Orientation")
    std::string Value; // one value in the binary form format, tag included
};

class TKeptProperties {
public:
    /// Keeps `Value` under `Name`, replacing what was kept under that name (ignoring case).
    void Keep(const AnsiString& Name, std::string Value);
    const TKeptProperty* Find(const AnsiString& Name) const;
    /// The value kept under `Name` read as an integer; `Default` when none is kept or it is
    /// not an integer.
    Integer FindInteger(const AnsiString& Name, Integer Default) const;
    /// The identifier kept under `Name` (an enumeration's value); empty when none is kept or
    /// it is not an identifier.
    AnsiString FindIdent(const AnsiString& Name) const;
    /// The Boolean kept under `Name`, or `Default`.
    bool FindBoolean(const AnsiString& Name, bool Default) const;
    const std::vector<TKeptProperty>& Items() const { return FItems; }

    /// A component the form gave as inherited (with its child position, -1 for none) while the
    /// ancestor form was not there to compare with: written back as inherited again.
    bool Inherited = false;
    Integer ChildPos = -1;
    /// The properties the form gave such a component (their first part: Font for Font.Name).
    /// Only these are written back: the others are the missing ancestor's to say.
    void NoteRead(const AnsiString& Name);
    bool WasRead(const AnsiString& Name) const;

private:
    std::vector<TKeptProperty> FItems;
    std::vector<AnsiString> FRead;
};

} // namespace host
