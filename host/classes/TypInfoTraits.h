// The type information of published properties: what the streaming system and an object
// inspector know about a property's type, derived from its C++ type alone. Enumerations are
// described once, beside the enum (HOST_ENUM_INFO); integer types whose values have names
// (colours, cursors) and dates are C++ types of their own, so the right type information
// travels with every member of that type and no row can forget it.
#pragma once

#include "host/system/Closure.h"
#include "host/system/Types.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <limits>
#include <string_view>
#include <type_traits>

namespace host {

class Variant;

enum TTypeKind : Byte {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray
};
enum TOrdType : Byte { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : Byte { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

/// Maps between an integer type's identifiers and its values (clRed <-> 0x0000FF).
using TIdentToInt = bool (*)(const AnsiString& Ident, Integer& Int);
using TIntToIdent = bool (*)(Integer Int, AnsiString& Ident);

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    const char* Name = "";      // empty for class types: the class's own name is used
    TOrdType OrdType = otSLong; // storage of ordinals and sets
    Int64 MinValue = 0;         // ordinals
    Int64 MaxValue = 0;
    const std::string_view* EnumNames = nullptr; // enumerations: MaxValue + 1 names by ordinal
    const TTypeInfo* CompType = nullptr;         // sets: the element enumeration
    TFloatType FloatType = ftDouble;
    TClass ClassType = nullptr;                // tkClass
    const std::type_info* Signature = nullptr; // tkMethod: the closure's signature
    TIdentToInt IdentToInt = nullptr;          // integer types with named values
    TIntToIdent IntToIdent = nullptr;

    /// The type's name; for classes the class name.
    const char* TypeName() const;
};

/// The type info of a C++ type used as a published property (`TypeInfoOf<T>()`). Specialised
/// below for the built-in types, host object pointers, closures, sets, named integers and
/// dates; enumerations get theirs from HOST_ENUM_INFO.
template <class T, class = void>
struct TypeInfoTrait;

namespace typinfo_detail {
template <class T>
constexpr TTypeInfo Ordinal(TTypeKind Kind, const char* Name) {
    TTypeInfo t;
    t.Kind = Kind;
    t.Name = Name;
    constexpr bool sgn = std::is_signed_v<T>;
    t.OrdType = sizeof(T) == 1   ? (sgn ? otSByte : otUByte)
                : sizeof(T) == 2 ? (sgn ? otSWord : otUWord)
                                 : (sgn ? otSLong : otULong);
    t.MinValue = static_cast<Int64>(std::numeric_limits<T>::min());
    t.MaxValue = static_cast<Int64>(std::numeric_limits<T>::max());
    return t;
}
constexpr TTypeInfo Float(TFloatType F, const char* Name) {
    TTypeInfo t;
    t.Kind = tkFloat;
    t.Name = Name;
    t.FloatType = F;
    return t;
}
constexpr TTypeInfo Simple(TTypeKind Kind, const char* Name) {
    TTypeInfo t;
    t.Kind = Kind;
    t.Name = Name;
    return t;
}
inline constexpr std::string_view BooleanNames[] = {"False", "True"};

/// Counts the names of "a, b, c" (the stringified enumerator list of HOST_ENUM_INFO).
constexpr std::size_t CountNames(std::string_view s) {
    std::size_t n = 1;
    for (char c : s)
        if (c == ',') ++n;
    return n;
}
template <std::size_t N>
constexpr std::array<std::string_view, N> SplitNames(std::string_view s) {
    std::array<std::string_view, N> out{};
    std::size_t k = 0, i = 0;
    while (k < N) {
        while (i < s.size() && (s[i] == ' ' || s[i] == ',' || s[i] == '\n' || s[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < s.size() && s[j] != ',' && s[j] != ' ' && s[j] != '\n' && s[j] != '\t') ++j;
        out[k++] = s.substr(i, j - i);
        i = j;
    }
    return out;
}
template <class E, std::size_t N>
constexpr TTypeInfo Enumeration(const char* Name, const std::array<std::string_view, N>& Names) {
    TTypeInfo t = Ordinal<std::underlying_type_t<E>>(tkEnumeration, Name);
    t.MinValue = 0;
    t.MaxValue = static_cast<Int64>(N) - 1;
    t.EnumNames = Names.data();
    return t;
}
template <class E, std::size_t N>
constexpr bool InOrder(const E (&Values)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(Values[i]) != i) return false;
    return true;
}
} // namespace typinfo_detail

#define HOST_ORDINAL_TYPE_INFO(T, Kind, Name)                                                      \
    template <>                                                                                    \
    struct TypeInfoTrait<T> {                                                                      \
        static constexpr TTypeInfo Info = typinfo_detail::Ordinal<T>(Kind, Name);                  \
    }
HOST_ORDINAL_TYPE_INFO(Integer, tkInteger, "Integer");
HOST_ORDINAL_TYPE_INFO(Cardinal, tkInteger, "Cardinal");
HOST_ORDINAL_TYPE_INFO(SmallInt, tkInteger, "SmallInt");
HOST_ORDINAL_TYPE_INFO(Word, tkInteger, "Word");
HOST_ORDINAL_TYPE_INFO(ShortInt, tkInteger, "ShortInt");
HOST_ORDINAL_TYPE_INFO(Byte, tkInteger, "Byte");
HOST_ORDINAL_TYPE_INFO(Int64, tkInt64, "Int64");
HOST_ORDINAL_TYPE_INFO(char16_t, tkWChar, "WideChar");
#undef HOST_ORDINAL_TYPE_INFO

template <>
struct TypeInfoTrait<char> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Byte>(tkChar, "Char");
};
template <>
struct TypeInfoTrait<bool> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t = typinfo_detail::Ordinal<Byte>(tkEnumeration, "Boolean");
        t.MinValue = 0;
        t.MaxValue = 1;
        t.EnumNames = typinfo_detail::BooleanNames;
        return t;
    }();
};
template <>
struct TypeInfoTrait<AnsiString> {
    static constexpr TTypeInfo Info = typinfo_detail::Simple(tkLString, "AnsiString");
};
template <>
struct TypeInfoTrait<WideString> {
    static constexpr TTypeInfo Info = typinfo_detail::Simple(tkWString, "WideString");
};
template <>
struct TypeInfoTrait<Variant> {
    static constexpr TTypeInfo Info = typinfo_detail::Simple(tkVariant, "Variant");
};
template <>
struct TypeInfoTrait<float> {
    static constexpr TTypeInfo Info = typinfo_detail::Float(ftSingle, "Single");
};
template <>
struct TypeInfoTrait<double> {
    static constexpr TTypeInfo Info = typinfo_detail::Float(ftDouble, "Double");
};
template <>
struct TypeInfoTrait<Extended> {
    static constexpr TTypeInfo Info = typinfo_detail::Float(ftExtended, "Extended");
};
template <>
struct TypeInfoTrait<Currency> {
    static constexpr TTypeInfo Info = typinfo_detail::Float(ftCurr, "Currency");
};
/// Dates stream as dates (their own value kind), not as plain floats.
template <>
struct TypeInfoTrait<TDateTime> {
    static constexpr TTypeInfo Info = typinfo_detail::Float(ftDouble, "TDateTime");
};
template <class T>
struct TypeInfoTrait<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t;
        t.Kind = tkClass;
        t.ClassType = &T::ClassMeta;
        return t;
    }();
};
template <class R, class... A>
struct TypeInfoTrait<Closure<R(A...)>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t;
        t.Kind = tkMethod;
        t.Name = "TMethod";
        t.Signature = &typeid(R(A...));
        return t;
    }();
};

/// Enumerations: the description HOST_ENUM_INFO put beside the enum, found by argument-dependent
/// look-up, so an enum of any namespace can be described where it is declared.
template <class E>
struct TypeInfoTrait<E, std::enable_if_t<std::is_enum_v<E>>> {
    static_assert(
        requires { HostEnumTypeInfo(static_cast<E*>(nullptr)); },
        "describe the enumeration with HOST_ENUM_INFO beside it");
    static constexpr const TTypeInfo& Info = *HostEnumTypeInfo(static_cast<E*>(nullptr));
};

template <class E, int N>
struct TypeInfoTrait<Set<E, N>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t = typinfo_detail::Ordinal<typename Set<E, N>::Bits>(tkSet, "Set");
        t.CompType = &TypeInfoTrait<E>::Info;
        return t;
    }();
};

/// An integer type of its own whose values may have names, such as a colour. `Names` supplies
/// the type's name and, when the values have identifiers, the two maps:
///
///   struct TColorNames {
///       static constexpr const char* Name = "TColor";
///       static bool IdentToInt(const AnsiString& Ident, Integer& Int);
///       static bool IntToIdent(Integer Int, AnsiString& Ident);
///   };
///   using TColor = NamedInt<TColorNames>;
template <class Names>
struct NamedInt {
    using Scalar = Integer;
    Integer Value = 0;
    constexpr NamedInt() = default;
    constexpr NamedInt(Integer V) : Value(V) {}
    constexpr operator Integer() const { return Value; }
};

template <class Names>
struct TypeInfoTrait<NamedInt<Names>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t = typinfo_detail::Ordinal<Integer>(tkInteger, Names::Name);
        if constexpr (requires { &Names::IdentToInt; }) t.IdentToInt = &Names::IdentToInt;
        if constexpr (requires { &Names::IntToIdent; }) t.IntToIdent = &Names::IntToIdent;
        return t;
    }();
};

template <class T>
constexpr const TTypeInfo* TypeInfoOf() {
    return &TypeInfoTrait<std::remove_cvref_t<T>>::Info;
}

/// The type info of dates, for code that asks whether a property is a date.
inline constexpr const TTypeInfo& TypeInfo_TDateTime = TypeInfoTrait<TDateTime>::Info;

} // namespace host

/// Describes an enumeration whose values are 0, 1, 2... in the order given, beside the enum and
/// in its namespace: `HOST_ENUM_INFO(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)`.
/// The names come from the enumerators themselves; the streaming system and the class infos'
/// conversions (range checks, identifiers) both read this description.
#define HOST_ENUM_INFO(Enum, ...)                                                                  \
    struct Enum##_TypeInfo {                                                                       \
        static constexpr auto Names =                                                              \
            ::host::typinfo_detail::SplitNames<::host::typinfo_detail::CountNames(#__VA_ARGS__)>(  \
                #__VA_ARGS__);                                                                     \
        static constexpr ::host::TTypeInfo Info =                                                  \
            ::host::typinfo_detail::Enumeration<Enum>(#Enum, Names);                               \
        static constexpr Enum Values[] = {__VA_ARGS__};                                            \
        static_assert(::host::typinfo_detail::InOrder(Values),                                     \
                      "HOST_ENUM_INFO lists the enumerators in value order from 0");               \
    };                                                                                             \
    constexpr const ::host::TTypeInfo* HostEnumTypeInfo(Enum*) {                                   \
        return &Enum##_TypeInfo::Info;                                                             \
    }
