// The descriptor language: the tokeniser, the four field conversions and the four readers.
#include "core/Zelcommon.h"

#include "host/classes/Lists.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

using host::Exception;

TStringTokenizer::TStringTokenizer(AnsiString AText, AnsiString ADelimiter)
    : FText(std::move(AText)), FDelimiter(std::move(ADelimiter)) {
    if (FDelimiter.size() != 2) throw Exception("Invalid delimiter " + FDelimiter + "!");
}

// The first place where the delimiter's first character is followed by its second ends the
// token; a lone first character is an ordinary character of the token.
AnsiString TStringTokenizer::NextToken() {
    const std::size_t start = static_cast<std::size_t>(FPosition - 1);
    if (start >= FText.size()) return AnsiString();
    std::size_t end = FText.find(FDelimiter, start);
    if (end == AnsiString::npos) {
        FPosition = static_cast<int>(FText.size()) + 1;
        return FText.substr(start);
    }
    FPosition = static_cast<int>(end + 2) + 1;
    return FText.substr(start, end - start);
}

bool TStringTokenizer::EndOfText() const {
    return static_cast<std::size_t>(FPosition) >= FText.size();
}

TzelPropertyStyle ParsePropertyStyles(const AnsiString& Token) {
    TzelPropertyStyle result;
    TStringTokenizer t(Token, "..");
    while (!t.EndOfText()) {
        AnsiString s = t.NextToken();
        if (s == "psReadable")
            result += psReadable;
        else if (s == "psWritable")
            result += psWritable;
        else if (s == "psIndexed")
            result += psIndexed;
        else
            throw Exception(Token + " Invalid property style property!");
    }
    return result;
}

namespace {
bool ParseVisibility(const AnsiString& Token, TzelPropertyVisibility& Result) {
    if (Token == "pvProtected")
        Result = pvProtected;
    else if (Token == "pvPublic")
        Result = pvPublic;
    else if (Token == "pvPublished")
        Result = pvPublished;
    else
        return false;
    return true;
}
} // namespace

TzelPropertyVisibility ParsePropertyVisibility(const AnsiString& Token) {
    TzelPropertyVisibility v;
    if (!ParseVisibility(Token, v))
        throw Exception(Token + " Invalid property visibility property!");
    return v;
}

TzelPropertyVisibility ParseEventVisibility(const AnsiString& Token) {
    TzelPropertyVisibility v;
    if (!ParseVisibility(Token, v))
        throw Exception(Token + " Invalid event property visibility property!");
    return v;
}

TzelMethodStyle ParseMethodStyle(const AnsiString& Token) {
    if (Token == "msFunction") return msFunction;
    if (Token == "msProcedure") return msProcedure;
    throw Exception("Invalid method style property!");
}

namespace {
/// Reads a Count and that many names into fresh parameter infos. A Count is bounded by what is
/// left of the text, so no text makes the reader allocate without bound.
void ReadNames(TStringTokenizer& T, const AnsiString& Text, TzelClassInfo* Owner,
               TzelArguments& Names) {
    AnsiString token = T.NextToken();
    const int count = host::StrToInt(token);
    const int left = static_cast<int>(Text.size()) - T.GetPosition() + 1;
    if (count < 0 || count > left + 1) throw Exception(token + " Invalid descriptor count!");
    Names.clear();
    Names.reserve(static_cast<std::size_t>(count));
    try {
        for (int i = 0; i < count; ++i)
            Names.push_back(new TzelParameterInfo(Owner, T.NextToken()));
    } catch (...) {
        for (TzelParameterInfo* p : Names) delete p;
        Names.clear();
        throw;
    }
}

template <class Record, class... A>
void Append(host::TList* List, TzelArguments& Names, A&&... Args) {
    Record* r;
    try {
        r = new Record(std::forward<A>(Args)...);
    } catch (...) {
        for (TzelParameterInfo* p : Names) delete p;
        throw;
    }
    List->Add(r);
}
} // namespace

void TzelClassInfo::ReadZELProperties(const AnsiString& Text) {
    TStringTokenizer t(Text, "::");
    TzelArguments names;
    while (!t.EndOfText()) {
        AnsiString keyword = t.NextToken();
        if (keyword == "Define") {
            AnsiString name = t.NextToken();
            TzelPropertyStyle style = ParsePropertyStyles(t.NextToken());
            TzelPropertyVisibility visibility = ParsePropertyVisibility(t.NextToken());
            ReadNames(t, Text, this, names);
            Append<TzelPropertyInfo>(FProperties, names, this, std::move(name), style, visibility,
                                     names);
        } else if (keyword == "Override") {
            AnsiString name = t.NextToken();
            TzelPropertyStyle style = ParsePropertyStyles(t.NextToken());
            TzelPropertyVisibility visibility = ParsePropertyVisibility(t.NextToken());
            TzelPropertyInfo* p = FindProperty(name);
            if (!p) throw Exception("Override of unknown property " + name + "!");
            if (!style.Empty()) p->Style = style;
            p->Visibility = visibility;
        } else {
            throw Exception("Invalid property define token!");
        }
    }
}

void TzelClassInfo::ReadZELMethods(const AnsiString& Text) {
    TStringTokenizer t(Text, "::");
    TzelArguments names;
    while (!t.EndOfText()) {
        AnsiString name = t.NextToken();
        TzelMethodStyle style = ParseMethodStyle(t.NextToken());
        ReadNames(t, Text, this, names);
        Append<TzelMethodInfo>(FMethods, names, this, std::move(name), names, style);
    }
}

void TzelClassInfo::ReadZELConstructors(const AnsiString& Text) {
    TStringTokenizer t(Text, "::");
    TzelArguments names;
    while (!t.EndOfText()) {
        AnsiString name = t.NextToken();
        ReadNames(t, Text, this, names);
        Append<TzelConstructorInfo>(FConstructors, names, this, std::move(name), names);
    }
}

void TzelClassInfo::ReadZELEvents(const AnsiString& Text) {
    TStringTokenizer t(Text, "::");
    TzelArguments names;
    while (!t.EndOfText()) {
        AnsiString keyword = t.NextToken();
        if (keyword == "Define") {
            AnsiString name = t.NextToken();
            TzelPropertyVisibility visibility = ParseEventVisibility(t.NextToken());
            ReadNames(t, Text, this, names);
            Append<TzelEventInfo>(FEvents, names, this, std::move(name), names, visibility);
        } else if (keyword == "Override") {
            AnsiString name = t.NextToken();
            TzelPropertyVisibility visibility = ParseEventVisibility(t.NextToken());
            TzelEventInfo* e = FindEvent(name);
            if (!e) throw Exception("Override of unknown event " + name + "!");
            e->Visibility = visibility;
        } else {
            throw Exception("Invalid property define token!");
        }
    }
}

} // namespace zeltrix
