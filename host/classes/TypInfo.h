// Published-property RTTI: one constant TPropInfo row per published property, listed in the
// class's metaclass, and the host's TypInfo helpers over those rows.
#pragma once

#include "host/system/Closure.h"
#include "host/system/Exceptions.h"
#include "host/system/Variant.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <limits>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace host {

class TPersistent;

/// Raised for a set element or enumeration name that the type does not have.
HOST_EXCEPTION(EPropertyConvertError, Exception)

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

/// What the streaming system and an object inspector know about a property's type.
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

    /// The type's name; for classes the class name.
    const char* TypeName() const;
};

/// The type info of a C++ type used as a published property. Specialised below for the
/// built-in types, host object pointers, closures and sets; enumerations get theirs from
/// HOST_ENUM_INFO.
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
} // namespace typinfo_detail

template <>
struct TypeInfoTrait<Integer> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Integer>(tkInteger, "Integer");
};
template <>
struct TypeInfoTrait<Cardinal> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Cardinal>(tkInteger, "Cardinal");
};
template <>
struct TypeInfoTrait<SmallInt> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<SmallInt>(tkInteger, "SmallInt");
};
template <>
struct TypeInfoTrait<Word> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Word>(tkInteger, "Word");
};
template <>
struct TypeInfoTrait<ShortInt> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<ShortInt>(tkInteger, "ShortInt");
};
template <>
struct TypeInfoTrait<Byte> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Byte>(tkInteger, "Byte");
};
template <>
struct TypeInfoTrait<Int64> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Int64>(tkInt64, "Int64");
};
template <>
struct TypeInfoTrait<char> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<Byte>(tkChar, "Char");
};
template <>
struct TypeInfoTrait<char16_t> {
    static constexpr TTypeInfo Info = typinfo_detail::Ordinal<char16_t>(tkWChar, "WideChar");
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
template <class T>
struct TypeInfoTrait<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t;
        t.Kind = tkClass;
        t.ClassType = &T::ClassMeta;
        return t;
    }();
};
template <class... A>
struct TypeInfoTrait<Closure<void(A...)>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t;
        t.Kind = tkMethod;
        t.Name = "TMethod";
        t.Signature = &typeid(void(A...));
        return t;
    }();
};
template <class E, int N>
struct TypeInfoTrait<Set<E, N>> {
    static constexpr TTypeInfo Info = [] {
        TTypeInfo t = typinfo_detail::Ordinal<typename Set<E, N>::Bits>(tkSet, "Set");
        t.CompType = &TypeInfoTrait<E>::Info;
        return t;
    }();
};

/// The type info of an integer type of its own, such as a colour whose values have names
/// (RegisterIntegerConsts); name a property's type with `.Type(&info)`.
constexpr TTypeInfo IntegerTypeInfo(const char* Name) {
    return typinfo_detail::Ordinal<Integer>(tkInteger, Name);
}

/// TDateTime is a double in C++; a property of that type names this type info explicitly
/// (`.Type(&TypeInfo_TDateTime)`) so that it streams as a date.
inline constexpr TTypeInfo TypeInfo_TDateTime = typinfo_detail::Float(ftDouble, "TDateTime");

template <class T>
constexpr const TTypeInfo* TypeInfoOf() {
    return &TypeInfoTrait<std::remove_cvref_t<T>>::Info;
}

/// Declares the type info of an enumeration whose values are 0, 1, 2... in the order given:
/// `HOST_ENUM_INFO(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)` after the enum,
/// at namespace `host` scope. The names come from the enumerators themselves.
#define HOST_ENUM_INFO(Enum, ...)                                                                  \
    template <>                                                                                    \
    struct TypeInfoTrait<Enum> {                                                                   \
        static constexpr auto Names =                                                              \
            ::host::typinfo_detail::SplitNames<::host::typinfo_detail::CountNames(#__VA_ARGS__)>(  \
                #__VA_ARGS__);                                                                     \
        static constexpr TTypeInfo Info = ::host::typinfo_detail::Enumeration<Enum>(#Enum, Names); \
        static constexpr bool InOrder = [] {                                                       \
            const Enum values[] = {__VA_ARGS__};                                                   \
            for (std::size_t i = 0; i < std::size(values); ++i)                                    \
                if (static_cast<std::size_t>(values[i]) != i) return false;                        \
            return true;                                                                           \
        }();                                                                                       \
        static_assert(InOrder, "HOST_ENUM_INFO lists the enumerators in value order from 0");      \
    }

// ---- property rows ----

using TStoredProc = bool (*)(TObject* Instance);

/// How a property's value is read: one plain function per kind of value.
union TPropGetter {
    Int64 (*Ord)(TObject*); // integers, chars, enumerations, sets (bits), Int64
    Extended (*Float)(TObject*);
    AnsiString (*Str)(TObject*);
    WideString (*WStr)(TObject*);
    Variant (*Var)(TObject*);
    TObject* (*Obj)(TObject*);
    TMethod (*Method)(TObject*);
    Currency (*Curr)(TObject*);
};
union TPropSetter {
    void (*Ord)(TObject*, Int64);
    void (*Float)(TObject*, Extended);
    void (*Str)(TObject*, const AnsiString&);
    void (*WStr)(TObject*, const WideString&);
    void (*Var)(TObject*, const Variant&);
    void (*Obj)(TObject*, TObject*);
    void (*Method)(TObject*, const TMethod&);
    void (*Curr)(TObject*, Currency);
};

/// Which member of TPropGetter/TPropSetter a type kind uses.
enum class TPropAccessKind : Byte { None, Ord, Float, Str, WStr, Var, Obj, Method, Curr };
TPropAccessKind AccessKindOf(const TTypeInfo* Type);

/// One published property. Rows are constant data built by `Published<Get, Set>("Name")`
/// (or HOST_PROP), refined with `.Default(v)`, `.NoDefault()`, `.Stored(false)`,
/// `.Stored<&C::IsXStored>()`, `.Type(&info)`.
struct TPropInfo {
    const TTypeInfo* PropType = nullptr;
    const char* Name = "";
    TPropAccessKind Access = TPropAccessKind::None;
    TPropGetter GetProc{};
    TPropSetter SetProc{};
    bool HasSetter = false;
    std::optional<Int64> DefaultValue; // ordinals and sets; a value equal to it is not written
    TStoredProc StoredProc = nullptr;  // when set, decides instead of StoredConst
    bool StoredConst = true;

    constexpr TPropInfo Default(Int64 V) const {
        TPropInfo p = *this;
        p.DefaultValue = V;
        return p;
    }
    template <class E, int N>
    constexpr TPropInfo Default(Set<E, N> V) const {
        return Default(static_cast<Int64>(V.ToBits()));
    }
    constexpr TPropInfo NoDefault() const {
        TPropInfo p = *this;
        p.DefaultValue.reset();
        return p;
    }
    constexpr TPropInfo Stored(bool V) const {
        TPropInfo p = *this;
        p.StoredConst = V;
        p.StoredProc = nullptr;
        return p;
    }
    template <auto IsStored>
    constexpr TPropInfo Stored() const;
    constexpr TPropInfo Type(const TTypeInfo* T) const {
        TPropInfo p = *this;
        p.PropType = T;
        return p;
    }
};

namespace typinfo_detail {
/// What a getter, setter or field pointer reads or writes, and on which class.
template <class M>
struct Member;
template <class C, class R>
struct Member<R (C::*)() const> {
    using Class = C;
    using Value = std::remove_cvref_t<R>;
    template <auto M>
    static R Get(TObject* o) {
        return (static_cast<const C*>(o)->*M)();
    }
};
template <class C, class R>
struct Member<R (C::*)() const noexcept> : Member<R (C::*)() const> {};
template <class C, class R>
struct Member<R (C::*)()> {
    using Class = C;
    using Value = std::remove_cvref_t<R>;
    template <auto M>
    static R Get(TObject* o) {
        return (static_cast<C*>(o)->*M)();
    }
};
template <class C, class A>
struct Member<void (C::*)(A)> {
    using Class = C;
    using Value = std::remove_cvref_t<A>;
    template <auto M>
    static void Set(TObject* o, Value v) {
        (static_cast<C*>(o)->*M)(std::move(v));
    }
};
template <class C, class A>
struct Member<void (C::*)(A) noexcept> : Member<void (C::*)(A)> {};
/// A field read and written directly (a property without accessor functions).
template <class C, class T>
requires(!std::is_function_v<T>) struct Member<T C::*> {
    using Class = C;
    using Value = T;
    template <auto M>
    static const T& Get(TObject* o) {
        return static_cast<const C*>(o)->*M;
    }
    template <auto M>
    static void Set(TObject* o, Value v) {
        static_cast<C*>(o)->*M = std::move(v);
    }
};

template <class T>
constexpr Int64 ToOrd(const T& v) {
    if constexpr (std::is_enum_v<T>)
        return static_cast<Int64>(v);
    else if constexpr (std::is_same_v<T, char>)
        return static_cast<unsigned char>(v);
    else if constexpr (requires { v.ToBits(); })
        return static_cast<Int64>(v.ToBits());
    else
        return static_cast<Int64>(v);
}
template <class T>
constexpr T FromOrd(Int64 v) {
    if constexpr (std::is_same_v<T, bool>)
        return v != 0;
    else if constexpr (requires { T::FromBits(0); })
        return T::FromBits(static_cast<typename T::Bits>(v));
    else
        return static_cast<T>(v);
}

template <class T>
constexpr TPropAccessKind KindFor() {
    constexpr const TTypeInfo* t = TypeInfoOf<T>();
    switch (t->Kind) {
    case tkFloat: return t->FloatType == ftCurr ? TPropAccessKind::Curr : TPropAccessKind::Float;
    case tkString:
    case tkLString: return TPropAccessKind::Str;
    case tkWString: return TPropAccessKind::WStr;
    case tkVariant: return TPropAccessKind::Var;
    case tkClass: return TPropAccessKind::Obj;
    case tkMethod: return TPropAccessKind::Method;
    case tkUnknown:
    case tkArray:
    case tkRecord:
    case tkInterface:
    case tkDynArray: return TPropAccessKind::None;
    default: return TPropAccessKind::Ord;
    }
}

template <auto G>
constexpr TPropGetter MakeGetter() {
    using M = Member<decltype(G)>;
    using T = typename M::Value;
    constexpr TPropAccessKind k = KindFor<T>();
    TPropGetter g{};
    if constexpr (k == TPropAccessKind::Ord)
        g.Ord = [](TObject* o) -> Int64 { return ToOrd(M::template Get<G>(o)); };
    else if constexpr (k == TPropAccessKind::Float)
        g.Float = [](TObject* o) -> Extended {
            return static_cast<Extended>(M::template Get<G>(o));
        };
    else if constexpr (k == TPropAccessKind::Curr)
        g.Curr = [](TObject* o) -> Currency { return M::template Get<G>(o); };
    else if constexpr (k == TPropAccessKind::Str)
        g.Str = [](TObject* o) -> AnsiString { return M::template Get<G>(o); };
    else if constexpr (k == TPropAccessKind::WStr)
        g.WStr = [](TObject* o) -> WideString { return M::template Get<G>(o); };
    else if constexpr (k == TPropAccessKind::Var)
        g.Var = [](TObject* o) -> Variant { return M::template Get<G>(o); };
    else if constexpr (k == TPropAccessKind::Obj)
        g.Obj = [](TObject* o) -> TObject* { return M::template Get<G>(o); };
    else if constexpr (k == TPropAccessKind::Method)
        g.Method = [](TObject* o) -> TMethod { return M::template Get<G>(o).AsMethod(); };
    else
        static_assert(k != TPropAccessKind::None, "this type cannot be a published property");
    return g;
}

template <auto S>
constexpr TPropSetter MakeSetter() {
    using M = Member<decltype(S)>;
    using T = typename M::Value;
    constexpr TPropAccessKind k = KindFor<T>();
    TPropSetter s{};
    if constexpr (k == TPropAccessKind::Ord)
        s.Ord = [](TObject* o, Int64 v) { M::template Set<S>(o, FromOrd<T>(v)); };
    else if constexpr (k == TPropAccessKind::Float)
        s.Float = [](TObject* o, Extended v) { M::template Set<S>(o, static_cast<T>(v)); };
    else if constexpr (k == TPropAccessKind::Curr)
        s.Curr = [](TObject* o, Currency v) { M::template Set<S>(o, v); };
    else if constexpr (k == TPropAccessKind::Str)
        s.Str = [](TObject* o, const AnsiString& v) { M::template Set<S>(o, v); };
    else if constexpr (k == TPropAccessKind::WStr)
        s.WStr = [](TObject* o, const WideString& v) { M::template Set<S>(o, v); };
    else if constexpr (k == TPropAccessKind::Var)
        s.Var = [](TObject* o, const Variant& v) { M::template Set<S>(o, v); };
    else if constexpr (k == TPropAccessKind::Obj)
        // The caller has checked the class (SetObjectProp); the pointer is a T's.
        s.Obj = [](TObject* o, TObject* v) { M::template Set<S>(o, static_cast<T>(v)); };
    else if constexpr (k == TPropAccessKind::Method)
        s.Method = [](TObject* o, const TMethod& v) { M::template Set<S>(o, T::FromMethod(v)); };
    return s;
}
} // namespace typinfo_detail

/// The row of a published property read by `Get` and, when given, written by `Set`.
template <auto Get, auto SetFn = nullptr>
constexpr TPropInfo Published(const char* Name) {
    using T = typename typinfo_detail::Member<decltype(Get)>::Value;
    TPropInfo p;
    p.PropType = TypeInfoOf<T>();
    p.Name = Name;
    p.Access = typinfo_detail::KindFor<T>();
    p.GetProc = typinfo_detail::MakeGetter<Get>();
    if constexpr (!std::is_null_pointer_v<decltype(SetFn)>) {
        static_assert(std::is_same_v<T, typename typinfo_detail::Member<decltype(SetFn)>::Value>,
                      "getter and setter of a property take the same type");
        p.SetProc = typinfo_detail::MakeSetter<SetFn>();
        p.HasSetter = true;
    }
    return p;
}

template <auto IsStored>
constexpr TPropInfo TPropInfo::Stored() const {
    using M = typinfo_detail::Member<decltype(IsStored)>;
    TPropInfo p = *this;
    p.StoredProc = [](TObject* o) -> bool { return M::template Get<IsStored>(o); };
    return p;
}

/// `HOST_PROP(TComponent, Tag)` = the row of Tag read by GetTag and written by SetTag.
#define HOST_PROP(Class, Name) ::host::Published<&Class::Get##Name, &Class::Set##Name>(#Name)
/// A published property without a setter (a persistent sub-object such as a collection).
#define HOST_PROP_R(Class, Name) ::host::Published<&Class::Get##Name>(#Name)

/// The property table of a metaclass: `HOST_METACLASS(TFoo, TBar, PropTable(FooProps))`.
template <std::size_t N>
constexpr TMetaClass PropTable(const TPropInfo (&Props)[N], TMetaClass Extra = {}) {
    Extra.Props = Props;
    Extra.PropCount = static_cast<int>(N);
    return Extra;
}

// ---- the host's TypInfo helpers ----

/// The property `PropName` of `AClass` or its ancestors (case-insensitive), or null.
const TPropInfo* GetPropInfo(TClass AClass, const AnsiString& PropName);
const TPropInfo* GetPropInfo(TObject* Instance, const AnsiString& PropName);
/// Every published property of `AClass` in streaming order: the root ancestor's first; a
/// property that a descendant redeclares keeps its place and takes the descendant's row.
std::vector<const TPropInfo*> GetPropInfos(TClass AClass);
/// The host's GetPropList: the same rows sorted by name.
std::vector<const TPropInfo*> GetPropList(TClass AClass);
bool IsPublishedProp(TClass AClass, const AnsiString& PropName);
bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo);
TTypeKind PropType(const TPropInfo* PropInfo);

AnsiString GetEnumName(const TTypeInfo* TypeInfo, Integer Value);
/// The ordinal of `Name` (case-insensitive), -1 when it is not a name of the type.
Integer GetEnumValue(const TTypeInfo* TypeInfo, const AnsiString& Name);

// Raise EPropertyError "Property %s does not exist"-style errors (see TypInfo.cpp) when the
// property is of another kind or has no setter.
Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo);
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value);
AnsiString GetEnumProp(TObject* Instance, const TPropInfo* PropInfo);
void SetEnumProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value);
AnsiString GetSetProp(TObject* Instance, const TPropInfo* PropInfo, bool Brackets = false);
void SetSetProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value);
AnsiString GetStrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value);
WideString GetWideStrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetWideStrProp(TObject* Instance, const TPropInfo* PropInfo, const WideString& Value);
Extended GetFloatProp(TObject* Instance, const TPropInfo* PropInfo);
void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, Extended Value);
Currency GetCurrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetCurrProp(TObject* Instance, const TPropInfo* PropInfo, Currency Value);
Int64 GetInt64Prop(TObject* Instance, const TPropInfo* PropInfo);
void SetInt64Prop(TObject* Instance, const TPropInfo* PropInfo, Int64 Value);
Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo);
void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value);
TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo);
/// Raises EPropertyError "Invalid property value" unless `Value` is null or of the
/// property's class.
void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value);
TMethod GetMethodProp(TObject* Instance, const TPropInfo* PropInfo);
void SetMethodProp(TObject* Instance, const TPropInfo* PropInfo, const TMethod& Value);

/// "[akLeft,akTop]" (with Brackets) or "akLeft,akTop" for the set bits `Value`.
AnsiString SetToString(const TPropInfo* PropInfo, Int64 Value, bool Brackets = false);
AnsiString SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets = false);
/// Parses "[akLeft, akTop]" or "akLeft,akTop"; raises EPropertyConvertError
/// "Invalid property element: %s" for a name that is not an element.
Int64 StringToSet(const TPropInfo* PropInfo, const AnsiString& Value);
Int64 StringToSet(const TTypeInfo* SetType, const AnsiString& Value);

// ---- integer constants: colours, cursors and the like stream as identifiers ----

using TIdentToInt = bool (*)(const AnsiString& Ident, Integer& Int);
using TIntToIdent = bool (*)(Integer Int, AnsiString& Ident);
/// Lets the streaming system write integers of `IntegerType` as identifiers and read them back.
void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToInt,
                           TIntToIdent IntToIdent);
void UnRegisterIntegerConsts(const TTypeInfo* IntegerType);
TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType);
TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType);

} // namespace host
