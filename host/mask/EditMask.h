// Edit masks: the mask syntax the masked edit and the masked text functions share. A mask has
// three fields split by ';': the mask itself, whether the literals are saved with the text
// ('0': not), and the character shown for positions not yet filled ('_' unless given).
#pragma once

#include "host/system/Types.h"

#include <vector>

namespace host {

using TEditMask = AnsiString;

inline constexpr char mDirReverse = '!';   // optional characters as leading blanks
inline constexpr char mDirUpperCase = '>'; // what follows in upper case
inline constexpr char mDirLowerCase = '<'; // what follows in lower case (<> ends both)
inline constexpr char mDirLiteral = '\\';  // the next character is a literal
inline constexpr char mMskFieldSeparator = ';';
inline constexpr char mMskBlank = '_'; // in the mask: a literal space
inline constexpr char DefaultBlank = '_';
inline constexpr char MaskFieldSeparator = ';';

/// What a mask position takes, and whether it must be filled.
enum class TMaskCharType { Literal, Letter, AlphaNumeric, AnyChar, Digit, DigitOrSign };

struct TMaskPosition {
    TMaskCharType Type = TMaskCharType::Literal;
    bool Required = false;
    char Literal = 0; // for literal positions
    char Case = 0;    // '>' upper, '<' lower, 0 as typed
};

/// A mask parsed once: its positions (one per character of the edit text) and its fields.
class TParsedMask {
public:
    explicit TParsedMask(const TEditMask& EditMask);

    bool Empty() const { return FPositions.empty(); }
    std::size_t Size() const { return FPositions.size(); }
    const TMaskPosition& operator[](std::size_t I) const { return FPositions[I]; }
    bool SaveLiterals() const { return FSaveLiterals; }
    bool Reverse() const { return FReverse; }
    char Blank() const { return FBlank; }

    /// Whether `C` may stand at position I; `Out` gets it in the position's case.
    bool Accepts(std::size_t I, char C, char& Out) const;
    /// The edit text with nothing entered: literals and blanks.
    AnsiString BlankText() const;
    /// The edit text for a value given as the text: literals in it when they are saved, or
    /// as `WithLiterals` says.
    AnsiString FormatText(const AnsiString& Value) const { return FormatText(Value, FSaveLiterals); }
    AnsiString FormatText(const AnsiString& Value, bool WithLiterals) const;
    /// The characters entered at the input positions, blanks as spaces.
    AnsiString InputOf(const AnsiString& EditText) const;
    /// The edit text for a value given as the edit text itself: kept where it fits.
    AnsiString Conform(const AnsiString& EditText) const;
    /// The text for an edit text: blanks as spaces, literals only when saved.
    AnsiString TextOf(const AnsiString& EditText) const;
    /// The first position that a required character is missing from or holds what it may not;
    /// -1 when the edit text fits.
    Integer FirstInvalid(const AnsiString& EditText) const;

private:
    std::vector<TMaskPosition> FPositions;
    bool FSaveLiterals = true;
    bool FReverse = false;
    char FBlank = DefaultBlank;
};

/// The mask's first field: empty when there is no mask.
AnsiString MaskGetMask(const TEditMask& EditMask);
bool MaskGetMaskSave(const TEditMask& EditMask);
char MaskGetMaskBlank(const TEditMask& EditMask);
/// A value formatted by a mask, blanks shown as spaces.
AnsiString FormatMaskText(const TEditMask& EditMask, const AnsiString& Value);

} // namespace host
