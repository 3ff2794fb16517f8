#include "host/mask/EditMask.h"

#include "host/system/SysUtils.h"

#include <cctype>

namespace host {

namespace {
struct TFields {
    AnsiString Mask;
    bool Save = true;
    char Blank = DefaultBlank;
};

// The fields end at the mask's unescaped separators: a ';' after '\' belongs to the mask.
TFields SplitFields(const TEditMask& EditMask) {
    TFields f;
    std::size_t end = EditMask.size();
    for (std::size_t i = 0; i < EditMask.size(); ++i) {
        if (EditMask[i] == mDirLiteral) {
            ++i;
            continue;
        }
        if (EditMask[i] == MaskFieldSeparator) {
            end = i;
            break;
        }
    }
    f.Mask = EditMask.substr(0, end);
    if (end >= EditMask.size()) return f;
    AnsiString rest = EditMask.substr(end + 1);
    std::size_t second = rest.find(MaskFieldSeparator);
    AnsiString save = rest.substr(0, second);
    if (!save.empty()) f.Save = save[0] != '0';
    if (second != AnsiString::npos && second + 1 < rest.size()) f.Blank = rest[second + 1];
    return f;
}

unsigned char U(char C) {
    return static_cast<unsigned char>(C);
}
} // namespace

TParsedMask::TParsedMask(const TEditMask& EditMask) {
    TFields f = SplitFields(EditMask);
    FSaveLiterals = f.Save;
    FBlank = f.Blank;
    char letterCase = 0;
    const AnsiString& m = f.Mask;
    for (std::size_t i = 0; i < m.size(); ++i) {
        char c = m[i];
        TMaskPosition p;
        p.Case = letterCase;
        switch (c) {
        case mDirReverse: FReverse = true; continue;
        case mDirUpperCase: letterCase = '>'; continue;
        case mDirLowerCase:
            if (i + 1 < m.size() && m[i + 1] == mDirUpperCase) {
                ++i;
                letterCase = 0;
            } else
                letterCase = '<';
            continue;
        case mDirLiteral:
            if (i + 1 >= m.size()) continue; // a trailing '\' escapes nothing
            p.Literal = m[++i];
            break;
        case 'L': p = {TMaskCharType::Letter, true, 0, letterCase}; break;
        case 'l': p = {TMaskCharType::Letter, false, 0, letterCase}; break;
        case 'A': p = {TMaskCharType::AlphaNumeric, true, 0, letterCase}; break;
        case 'a': p = {TMaskCharType::AlphaNumeric, false, 0, letterCase}; break;
        case 'C': p = {TMaskCharType::AnyChar, true, 0, letterCase}; break;
        case 'c': p = {TMaskCharType::AnyChar, false, 0, letterCase}; break;
        case '0': p = {TMaskCharType::Digit, true, 0, letterCase}; break;
        case '9': p = {TMaskCharType::Digit, false, 0, letterCase}; break;
        case '#': p = {TMaskCharType::DigitOrSign, false, 0, letterCase}; break;
        case ':': p.Literal = TimeSeparator; break;
        case '/': p.Literal = DateSeparator; break;
        case mMskBlank: p.Literal = ' '; break;
        default: p.Literal = c; break;
        }
        FPositions.push_back(p);
    }
}

bool TParsedMask::Accepts(std::size_t I, char C, char& Out) const {
    const TMaskPosition& p = FPositions[I];
    if (p.Type == TMaskCharType::Literal) return false;
    unsigned char u = U(C);
    bool ok = false;
    switch (p.Type) {
    case TMaskCharType::Letter: ok = std::isalpha(u) || u >= 0x80; break;
    case TMaskCharType::AlphaNumeric: ok = std::isalnum(u) || u >= 0x80; break;
    case TMaskCharType::AnyChar: ok = u >= 32; break;
    case TMaskCharType::Digit: ok = std::isdigit(u); break;
    case TMaskCharType::DigitOrSign: ok = std::isdigit(u) || C == '+' || C == '-'; break;
    case TMaskCharType::Literal: break;
    }
    if (!ok) return false;
    Out = p.Case == '>' ? char(std::toupper(u)) : p.Case == '<' ? char(std::tolower(u)) : C;
    return true;
}

AnsiString TParsedMask::BlankText() const {
    AnsiString s(FPositions.size(), FBlank);
    for (std::size_t i = 0; i < FPositions.size(); ++i)
        if (FPositions[i].Type == TMaskCharType::Literal) s[i] = FPositions[i].Literal;
    return s;
}

AnsiString TParsedMask::FormatText(const AnsiString& Value, bool WithLiterals) const {
    AnsiString out = BlankText();
    const Integer n = Integer(FPositions.size()), len = Integer(Value.size());
    // With '!' the value fills the mask from its end, leaving the blanks in front.
    const Integer step = FReverse ? -1 : 1;
    Integer i = FReverse ? n - 1 : 0, j = FReverse ? len - 1 : 0;
    for (; i >= 0 && i < n; i += step) {
        const TMaskPosition& p = FPositions[std::size_t(i)];
        if (p.Type == TMaskCharType::Literal) {
            // A saved literal is in the value; one the value lacks is not waited for.
            if (WithLiterals && j >= 0 && j < len && Value[std::size_t(j)] == p.Literal) j += step;
            continue;
        }
        if (j < 0 || j >= len) continue;
        char c = Value[std::size_t(j)];
        j += step;
        char shown;
        if (c != ' ' && c != FBlank && Accepts(std::size_t(i), c, shown))
            out[std::size_t(i)] = shown;
    }
    return out;
}

AnsiString TParsedMask::Conform(const AnsiString& EditText) const {
    AnsiString out = BlankText();
    for (std::size_t i = 0; i < FPositions.size() && i < EditText.size(); ++i) {
        char shown;
        if (FPositions[i].Type != TMaskCharType::Literal && Accepts(i, EditText[i], shown))
            out[i] = shown;
    }
    return out;
}

AnsiString TParsedMask::TextOf(const AnsiString& EditText) const {
    AnsiString out;
    out.reserve(FPositions.size());
    for (std::size_t i = 0; i < FPositions.size(); ++i) {
        const TMaskPosition& p = FPositions[i];
        if (p.Type == TMaskCharType::Literal) {
            if (FSaveLiterals) out += p.Literal;
            continue;
        }
        char c = i < EditText.size() ? EditText[i] : FBlank;
        out += c == FBlank ? ' ' : c;
    }
    return out;
}

AnsiString TParsedMask::InputOf(const AnsiString& EditText) const {
    AnsiString out;
    for (std::size_t i = 0; i < FPositions.size(); ++i)
        if (FPositions[i].Type != TMaskCharType::Literal) {
            char c = i < EditText.size() ? EditText[i] : FBlank;
            out += c == FBlank ? ' ' : c;
        }
    return out;
}

Integer TParsedMask::FirstInvalid(const AnsiString& EditText) const {
    for (std::size_t i = 0; i < FPositions.size(); ++i) {
        const TMaskPosition& p = FPositions[i];
        if (p.Type == TMaskCharType::Literal) continue;
        char c = i < EditText.size() ? EditText[i] : FBlank;
        char shown;
        if (c == FBlank || c == ' ') {
            if (p.Required) return Integer(i);
        } else if (!Accepts(i, c, shown))
            return Integer(i);
    }
    return -1;
}

AnsiString MaskGetMask(const TEditMask& EditMask) {
    return SplitFields(EditMask).Mask;
}

bool MaskGetMaskSave(const TEditMask& EditMask) {
    return SplitFields(EditMask).Save;
}

char MaskGetMaskBlank(const TEditMask& EditMask) {
    return SplitFields(EditMask).Blank;
}

AnsiString FormatMaskText(const TEditMask& EditMask, const AnsiString& Value) {
    TParsedMask mask(EditMask);
    if (mask.Empty()) return Value;
    AnsiString s = mask.FormatText(Value);
    // The result is the text a user sees in the edit, without the blank placeholders.
    for (std::size_t i = 0; i < s.size(); ++i)
        if (mask[i].Type != TMaskCharType::Literal && s[i] == mask.Blank()) s[i] = ' ';
    return s;
}

} // namespace host
