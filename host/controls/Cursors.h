// Cursors: the host's cursor numbers and their identifiers, as form files store them.
#pragma once

#include "host/classes/TypInfoTraits.h"

namespace host {

struct TCursorNames {
    static constexpr const char* Name = "TCursor";
    static bool IdentToInt(const AnsiString& Ident, Integer& Int);
    static bool IntToIdent(Integer Int, AnsiString& Ident);
};
/// A cursor: one of the host's (crDefault, crHandPoint, ...) or a number the application gave
/// its own. Streams by identifier where it has one.
using TCursor = NamedInt<TCursorNames>;

inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                         crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                         crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17,
                         crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                         crSizeAll = -22;
/// The old name of crSizeAll; read, never written.
inline constexpr TCursor crSize = crSizeAll;

bool CursorToIdent(Integer Cursor, AnsiString& Ident);
bool IdentToCursor(const AnsiString& Ident, Integer& Cursor);
/// "crHandPoint" where the cursor has an identifier, else its number.
AnsiString CursorToString(TCursor Cursor);
/// An identifier or a number; raises EConvertError "'x' is not a valid integer value".
TCursor StringToCursor(const AnsiString& S);

} // namespace host
