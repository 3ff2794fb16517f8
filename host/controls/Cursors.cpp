#include "host/controls/Cursors.h"

#include "host/system/SysUtils.h"

namespace host {

namespace {
struct Entry {
    Integer Value;
    const char* Name;
};
constexpr Entry Cursors[] = {
    {0, "crDefault"},    {-1, "crNone"},       {-2, "crArrow"},     {-3, "crCross"},
    {-4, "crIBeam"},     {-6, "crSizeNESW"},   {-7, "crSizeNS"},    {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},    {-10, "crUpArrow"},   {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},   {-14, "crHSplit"},    {-15, "crVSplit"},   {-16, "crMultiDrag"},
    {-17, "crSQLWait"},  {-18, "crNo"},        {-19, "crAppStart"}, {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
};
} // namespace

bool CursorToIdent(Integer Cursor, AnsiString& Ident) {
    for (const Entry& e : Cursors)
        if (e.Value == Cursor) {
            Ident = e.Name;
            return true;
        }
    return false;
}

bool IdentToCursor(const AnsiString& Ident, Integer& Cursor) {
    for (const Entry& e : Cursors)
        if (SameText(Ident, e.Name)) {
            Cursor = e.Value;
            return true;
        }
    if (SameText(Ident, "crSize")) {
        Cursor = crSize;
        return true;
    }
    return false;
}

bool TCursorNames::IdentToInt(const AnsiString& Ident, Integer& Int) {
    return IdentToCursor(Ident, Int);
}

bool TCursorNames::IntToIdent(Integer Int, AnsiString& Ident) {
    return CursorToIdent(Int, Ident);
}

AnsiString CursorToString(TCursor Cursor) {
    AnsiString s;
    return CursorToIdent(Cursor, s) ? s : IntToStr(Integer(Cursor));
}

TCursor StringToCursor(const AnsiString& S) {
    Integer c;
    return IdentToCursor(S, c) ? TCursor(c) : TCursor(StrToInt(S));
}

} // namespace host
