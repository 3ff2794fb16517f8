// The descriptor language: the tokeniser, the four field conversions and the four readers.
#include "core/Zelcommon.h"

#include "host/classes/Lists.h"
#include "host/system/SysUtils.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zeltrix {

using host::Exception;

namespace {
/// The tokeniser's rules over a view of a text the caller keeps: the readers run for every
/// class info created, so they take their tokens without copying the text or the tokens.
/// `Pos` is the 0-based index of the next unread character.
struct TokenCursor {
    std::string_view Text;
    std::string_view Delimiter;
    std::size_t Pos = 0;

    // The first place where the delimiter's first character is followed by its second ends
    // the token; a lone first character is an ordinary character of the token.
    std::string_view Next() {
        if (Pos >= Text.size()) return {};
        const std::size_t start = Pos;
        const std::size_t end = Find(start);
        if (end == std::string_view::npos) {
            Pos = Text.size();
            return Text.substr(start);
        }
        Pos = end + 2;
        return Text.substr(start, end - start);
    }
    /// Text.find(Delimiter, From) for a two-character delimiter. Tokens are short, so instead
    /// of the general search this looks for the first character eight bytes at a time.
    std::size_t Find(std::size_t From) const {
        const char a = Delimiter[0], b = Delimiter[1];
        const std::size_t n = Text.size();
        std::size_t i = From;
        if constexpr (std::endian::native == std::endian::little) {
            constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
            const std::uint64_t pattern = ones * static_cast<unsigned char>(a);
            while (i + 8 <= n) {
                std::uint64_t word;
                std::memcpy(&word, Text.data() + i, sizeof word);
                const std::uint64_t x = word ^ pattern; // zero bytes where `a` stands
                // The lowest flagged byte is the first zero byte (a borrow only flags the
                // bytes above a true one).
                const std::uint64_t flags = (x - ones) & ~x & highs;
                if (!flags) {
                    i += 8;
                    continue;
                }
                const std::size_t j = i + static_cast<std::size_t>(std::countr_zero(flags) / 8);
                if (j + 1 < n && Text[j + 1] == b) return j;
                i = j + 1;
            }
        }
        for (; i + 1 < n; ++i)
            if (Text[i] == a && Text[i + 1] == b) return i;
        return std::string_view::npos;
    }
    /// At most one unread character left.
    bool AtEnd() const { return Pos + 1 >= Text.size(); }
};

AnsiString Str(std::string_view V) {
    return AnsiString(V);
}

TzelPropertyStyle ParseStyles(std::string_view Token) {
    TzelPropertyStyle result;
    TokenCursor t{Token, ".."};
    while (!t.AtEnd()) {
        const std::string_view s = t.Next();
        if (s == "psReadable")
            result += psReadable;
        else if (s == "psWritable")
            result += psWritable;
        else if (s == "psIndexed")
            result += psIndexed;
        else
            throw Exception(Str(Token) + " Invalid property style property!");
    }
    return result;
}

bool ParseVisibility(std::string_view Token, TzelPropertyVisibility& Result) {
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

TzelPropertyVisibility ParsePropVisibility(std::string_view Token) {
    TzelPropertyVisibility v;
    if (!ParseVisibility(Token, v))
        throw Exception(Str(Token) + " Invalid property visibility property!");
    return v;
}

TzelPropertyVisibility ParseEventVis(std::string_view Token) {
    TzelPropertyVisibility v;
    if (!ParseVisibility(Token, v))
        throw Exception(Str(Token) + " Invalid event property visibility property!");
    return v;
}

TzelMethodStyle ParseStyle(std::string_view Token) {
    if (Token == "msFunction") return msFunction;
    if (Token == "msProcedure") return msProcedure;
    throw Exception("Invalid method style property!");
}

/// A Count as StrToInt reads it: plain decimal digits directly, anything else (signs, spaces,
/// hexadecimal, errors and their messages) through StrToInt itself.
int ParseCount(std::string_view Token) {
    if (!Token.empty() && Token.size() <= 9) {
        int v = 0;
        for (char c : Token) {
            if (c < '0' || c > '9') return host::StrToInt(Str(Token));
            v = v * 10 + (c - '0');
        }
        return v;
    }
    return host::StrToInt(Str(Token));
}
} // namespace

TStringTokenizer::TStringTokenizer(AnsiString AText, AnsiString ADelimiter)
    : FText(std::move(AText)), FDelimiter(std::move(ADelimiter)) {
    if (FDelimiter.size() != 2) throw Exception("Invalid delimiter " + FDelimiter + "!");
}

AnsiString TStringTokenizer::NextToken() {
    TokenCursor t{FText, FDelimiter, static_cast<std::size_t>(FPosition - 1)};
    const std::string_view token = t.Next();
    FPosition = static_cast<int>(t.Pos) + 1;
    return Str(token);
}

bool TStringTokenizer::EndOfText() const {
    return static_cast<std::size_t>(FPosition) >= FText.size();
}

TzelPropertyStyle ParsePropertyStyles(const AnsiString& Token) {
    return ParseStyles(Token);
}

TzelPropertyVisibility ParsePropertyVisibility(const AnsiString& Token) {
    return ParsePropVisibility(Token);
}

TzelPropertyVisibility ParseEventVisibility(const AnsiString& Token) {
    return ParseEventVis(Token);
}

TzelMethodStyle ParseMethodStyle(const AnsiString& Token) {
    return ParseStyle(Token);
}

namespace {
/// Reads a Count and that many names into fresh parameter infos. A Count is bounded by what is
/// left of the text, so no text makes the reader allocate without bound.
void ReadNames(TokenCursor& T, TzelClassInfo* Owner, TzelArguments& Names) {
    const std::string_view token = T.Next();
    const int count = ParseCount(token);
    const int left = static_cast<int>(T.Text.size() - T.Pos);
    if (count < 0 || count > left + 1) throw Exception(Str(token) + " Invalid descriptor count!");
    Names.clear();
    Names.reserve(static_cast<std::size_t>(count));
    try {
        for (int i = 0; i < count; ++i)
            Names.push_back(new TzelParameterInfo(Owner, Str(T.Next())));
    } catch (...) {
        for (TzelParameterInfo* p : Names) delete p;
        Names.clear();
        throw;
    }
}

/// A record's name is made straight into the constructor's parameter; the rest pass through.
inline AnsiString Arg(std::string_view Name) {
    return Str(Name);
}
template <class T>
T&& Arg(T&& Value) {
    return std::forward<T>(Value);
}

template <class Record, class... A>
void Append(host::TList* List, TzelArguments& Names, A&&... Args) {
    Record* r;
    try {
        r = new Record(Arg(std::forward<A>(Args))...);
    } catch (...) {
        for (TzelParameterInfo* p : Names) delete p;
        throw;
    }
    List->Add(r);
}

/// Room for every record a text of this length can hold (`MinRecord` is the length of the
/// shortest record with its delimiter), so a list grows at most once per text.
void MakeRoom(host::TList* List, std::size_t TextSize, std::size_t MinRecord) {
    const std::size_t most = static_cast<std::size_t>(List->GetCount()) + TextSize / MinRecord + 1;
    if (most > static_cast<std::size_t>(List->GetCapacity()) &&
        most <= static_cast<std::size_t>(host::MaxListSize))
        List->SetCapacity(static_cast<host::Integer>(most));
}
} // namespace

void TzelClassInfo::ReadZELProperties(const AnsiString& Text) {
    TokenCursor t{Text, "::"};
    TzelArguments names;
    MakeRoom(FProperties, Text.size(), sizeof("Define::P::::pvPublic::0::") - 1);
    while (!t.AtEnd()) {
        const std::string_view keyword = t.Next();
        if (keyword == "Define") {
            const std::string_view name = t.Next();
            TzelPropertyStyle style = ParseStyles(t.Next());
            TzelPropertyVisibility visibility = ParsePropVisibility(t.Next());
            ReadNames(t, this, names);
            Append<TzelPropertyInfo>(FProperties, names, this, name, style, visibility, names);
        } else if (keyword == "Override") {
            AnsiString name = Str(t.Next());
            TzelPropertyStyle style = ParseStyles(t.Next());
            TzelPropertyVisibility visibility = ParsePropVisibility(t.Next());
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
    TokenCursor t{Text, "::"};
    TzelArguments names;
    MakeRoom(FMethods, Text.size(), sizeof("M::msFunction::0::") - 1);
    while (!t.AtEnd()) {
        const std::string_view name = t.Next();
        TzelMethodStyle style = ParseStyle(t.Next());
        ReadNames(t, this, names);
        Append<TzelMethodInfo>(FMethods, names, this, name, names, style);
    }
}

void TzelClassInfo::ReadZELConstructors(const AnsiString& Text) {
    TokenCursor t{Text, "::"};
    TzelArguments names;
    MakeRoom(FConstructors, Text.size(), sizeof("C::0::") - 1);
    while (!t.AtEnd()) {
        const std::string_view name = t.Next();
        ReadNames(t, this, names);
        Append<TzelConstructorInfo>(FConstructors, names, this, name, names);
    }
}

void TzelClassInfo::ReadZELEvents(const AnsiString& Text) {
    TokenCursor t{Text, "::"};
    TzelArguments names;
    MakeRoom(FEvents, Text.size(), sizeof("Define::E::pvPublic::0::") - 1);
    while (!t.AtEnd()) {
        const std::string_view keyword = t.Next();
        if (keyword == "Define") {
            const std::string_view name = t.Next();
            TzelPropertyVisibility visibility = ParseEventVis(t.Next());
            ReadNames(t, this, names);
            Append<TzelEventInfo>(FEvents, names, this, name, names, visibility);
        } else if (keyword == "Override") {
            AnsiString name = Str(t.Next());
            TzelPropertyVisibility visibility = ParseEventVis(t.Next());
            TzelEventInfo* e = FindEvent(name);
            if (!e) throw Exception("Override of unknown event " + name + "!");
            e->Visibility = visibility;
        } else {
            throw Exception("Invalid property define token!");
        }
    }
}

} // namespace zeltrix
