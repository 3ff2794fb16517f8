#include "host/classes/Strings.h"

#include "host/classes/Lists.h"

#include "host/system/SysUtils.h"

#include <exception>

namespace host {

HOST_METACLASS(TStrings, TPersistent);

namespace {
bool IsBlank(char C) {
    return C >= '\x01' && C <= ' ';
}

// Characters that make an item need quotes in comma text: controls, blanks, '"' and ','.
bool NeedsQuotes(const AnsiString& S) {
    for (char c : S)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') return true;
    return false;
}

AnsiString Quoted(const AnsiString& S) {
    AnsiString r = "\"";
    for (char c : S) {
        if (c == '"') r += '"';
        r += c;
    }
    r += '"';
    return r;
}

// Reads a quoted item starting at the opening quote; doubled quotes stand for one. An item
// without its closing quote runs to the end of the text.
AnsiString ExtractQuoted(const AnsiString& Text, std::size_t& P) {
    AnsiString r;
    ++P;
    while (P < Text.size()) {
        std::size_t q = Text.find('"', P);
        if (q == AnsiString::npos) {
            r.append(Text, P, AnsiString::npos);
            P = Text.size();
            break;
        }
        r.append(Text, P, q - P);
        P = q + 1;
        if (P < Text.size() && Text[P] == '"') {
            r += '"';
            ++P;
        } else {
            break;
        }
    }
    return r;
}
} // namespace

TStringsUpdate::TStringsUpdate(TStrings* S) : fStrings(S), fUncaught(std::uncaught_exceptions()) {
    fStrings->BeginUpdate();
}

TStringsUpdate::~TStringsUpdate() noexcept(false) {
    if (std::uncaught_exceptions() == fUncaught) {
        fStrings->EndUpdate();
        return;
    }
    try {
        fStrings->EndUpdate();
    } catch (...) {
    }
}

TStrings::~TStrings() {
    SetStringsAdapter(nullptr);
}

void TStrings::Error(const AnsiString& Msg, Integer Data) const {
    throw EStringListError(Format(Msg, {Data}));
}

void TStrings::Error(PResStringRec Msg, Integer Data) const {
    Error(LoadResString(Msg), Data);
}

// ---- properties ----

Integer TStrings::GetCapacity() {
    return GetCount();
}

void TStrings::SetCapacity(Integer) {}

AnsiString TStrings::GetCommaText() {
    Integer count = GetCount();
    AnsiString result;
    for (Integer i = 0; i < count; ++i) {
        AnsiString s = Get(i);
        // An empty last item is quoted too, or reading the text back would drop it.
        if (NeedsQuotes(s) || (s.empty() && i == count - 1)) s = Quoted(s);
        if (i > 0) result += ',';
        result += s;
    }
    return result;
}

void TStrings::SetCommaText(const AnsiString& Value) {
    TStringsUpdate update(this);
    Clear();
    std::size_t p = 0, n = Value.size();
    while (p < n && IsBlank(Value[p])) ++p;
    while (p < n && Value[p] != '\0') {
        AnsiString s;
        if (Value[p] == '"') {
            s = ExtractQuoted(Value, p);
        } else {
            std::size_t start = p;
            while (p<n&& static_cast<unsigned char>(Value[p])> ' ' && Value[p] != ',') ++p;
            s.assign(Value, start, p - start);
        }
        Add(s);
        while (p < n && IsBlank(Value[p])) ++p;
        if (p < n && Value[p] == ',') {
            do ++p;
            while (p < n && IsBlank(Value[p]));
        }
    }
}

AnsiString TStrings::GetNames(Integer Index) {
    AnsiString s = Get(Index);
    std::size_t eq = s.find('=');
    return eq == AnsiString::npos ? AnsiString() : s.substr(0, eq);
}

AnsiString TStrings::GetValues(const AnsiString& Name) {
    Integer i = IndexOfName(Name);
    if (i < 0) return AnsiString();
    AnsiString s = Get(i);
    return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value) {
    Integer i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        // One Add of the whole pair: a sorted list takes it, and a failure leaves no blank item.
        Add(Name + "=" + Value);
    } else {
        Put(i, Name + "=" + Value);
    }
}

AnsiString TStrings::GetTextStr() {
    Integer count = GetCount();
    AnsiString result;
    for (Integer i = 0; i < count; ++i) {
        result += Get(i);
        result += "\r\n";
    }
    return result;
}

void TStrings::SetTextStr(const AnsiString& Value) {
    TStringsUpdate update(this);
    Clear();
    std::size_t p = 0, n = Value.size();
    while (p < n) {
        std::size_t start = p;
        while (p < n && Value[p] != '\r' && Value[p] != '\n') ++p;
        Add(Value.substr(start, p - start));
        if (p < n && Value[p] == '\r') ++p;
        if (p < n && Value[p] == '\n') ++p;
    }
}

void TStrings::SetStringsAdapter(const ComPtr<IStringsAdapter>& Value) {
    if (FAdapter) FAdapter->ReleaseStrings();
    FAdapter = Value;
    if (FAdapter) FAdapter->ReferenceStrings(this);
}

// ---- methods ----

Integer TStrings::Add(const AnsiString& S) {
    Integer result = GetCount();
    Insert(result, S);
    return result;
}

Integer TStrings::AddObject(const AnsiString& S, TObject* AObject) {
    Integer result = Add(S);
    PutObject(result, AObject);
    return result;
}

void TStrings::AddStrings(TStrings* Strings) {
    if (!Strings) return;
    TStringsUpdate update(this);
    Integer count = Strings->GetCount(); // fixed first: `Strings` may be this list
    for (Integer i = 0; i < count; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Assign(TPersistent* Source) {
    auto* source = DynCast<TStrings>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return; // clearing first would lose the items being copied
    TStringsUpdate update(this);
    Clear();
    AddStrings(source);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    // An unmatched EndUpdate is ignored rather than silencing every later change.
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

bool TStrings::Equals(TStrings* Strings) {
    if (!Strings) return false;
    Integer count = GetCount();
    if (count != Strings->GetCount()) return false;
    for (Integer i = 0; i < count; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
    TStringsUpdate update(this);
    TObject* tempObject = GetObject(Index1);
    AnsiString tempString = Get(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, tempString);
    PutObject(Index2, tempObject);
}

char* TStrings::GetText() {
    FTextBuffer = GetTextStr();
    return FTextBuffer.data();
}

Integer TStrings::IndexOf(const AnsiString& S) {
    Integer count = GetCount();
    for (Integer i = 0; i < count; ++i)
        if (AnsiCompareText(Get(i), S) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfName(const AnsiString& Name) {
    Integer count = GetCount();
    for (Integer i = 0; i < count; ++i) {
        AnsiString s = Get(i);
        std::size_t eq = s.find('=');
        if (eq != AnsiString::npos && AnsiCompareText(s.substr(0, eq), Name) == 0) return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(TObject* AObject) {
    Integer count = GetCount();
    for (Integer i = 0; i < count; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

void TStrings::InsertObject(Integer Index, const AnsiString& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    // Both indexes are checked first: failing after the Delete would lose the item.
    Integer count = GetCount();
    if (CurIndex < 0 || CurIndex >= count) Error(&SListIndexError, CurIndex);
    if (NewIndex < 0 || NewIndex >= count) Error(&SListIndexError, NewIndex);
    TStringsUpdate update(this);
    AnsiString tempString = Get(CurIndex);
    TObject* tempObject = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, tempString, tempObject);
}

void TStrings::SetText(const char* Text) {
    SetTextStr(Text ? AnsiString(Text) : AnsiString());
}

// ---- protected ----

TObject* TStrings::GetObject(Integer) {
    return nullptr;
}

void TStrings::Put(Integer Index, const AnsiString& S) {
    TObject* tempObject = GetObject(Index);
    TStringsUpdate update(this);
    Delete(Index);
    InsertObject(Index, S, tempObject);
}

void TStrings::PutObject(Integer, TObject*) {}

void TStrings::SetUpdateState(bool) {}

} // namespace host
