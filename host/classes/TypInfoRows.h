// Published-property rows: one constant TPropInfo per property a class declares, listed in its
// metaclass. A row names the property once (`HOST_PROP(TComponent, Tag)` reads GetTag and writes
// SetTag); its type information comes from the accessors' C++ type. A descendant that publishes
// an inherited property lists its name alone (`"Caption"`), and the ancestor's row serves.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/MemberTraits.h"
#include "host/system/Variant.h"

#include <optional>
#include <utility>

namespace host {

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
// Takes the type by reference: GCC's sanitizers make a null test of a constant's address
// non-constant.
constexpr TPropAccessKind AccessKindOf(const TTypeInfo& Type) {
    switch (Type.Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkWChar:
    case tkInt64: return TPropAccessKind::Ord;
    case tkFloat: return Type.FloatType == ftCurr ? TPropAccessKind::Curr : TPropAccessKind::Float;
    case tkString:
    case tkLString: return TPropAccessKind::Str;
    case tkWString: return TPropAccessKind::WStr;
    case tkVariant: return TPropAccessKind::Var;
    case tkClass: return TPropAccessKind::Obj;
    case tkMethod: return TPropAccessKind::Method;
    default: return TPropAccessKind::None;
    }
}

/// One property row. Built by `Published<Get, Set>("Name")` (or HOST_PROP), refined with
/// `.Default(v)`, `.NoDefault()`, `.Stored(false)`, `.Stored<&C::IsXStored>()` and
/// `.Unpublished()` (declared for descendants to publish, not streamed here). A bare name is a
/// re-publication of the inherited property of that name.
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
    bool IsPublished = true;
    bool Republished = false; // a name alone: the ancestor's row of that name serves

    constexpr TPropInfo() = default;
    /// Publishes the inherited property `InheritedName` (one token per property in a table).
    constexpr TPropInfo(const char* InheritedName) : Name(InheritedName), Republished(true) {}

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
    /// A member function given as the argument would turn into `true`: name it as the
    /// template argument instead.
    template <class M, class C>
    TPropInfo Stored(M C::*) const = delete;
    constexpr TPropInfo Unpublished() const {
        TPropInfo p = *this;
        p.IsPublished = false;
        return p;
    }
};

namespace typinfo_detail {
template <auto M>
using ValueOf = typename MemberTraits<decltype(M)>::Value;

template <class T>
constexpr Int64 ToOrd(const T& v) {
    if constexpr (std::is_enum_v<T>)
        return static_cast<Int64>(v);
    else if constexpr (std::is_same_v<T, char>)
        return static_cast<unsigned char>(v);
    else if constexpr (requires { v.ToBits(); })
        return static_cast<Int64>(v.ToBits());
    else if constexpr (requires { typename T::Scalar; })
        return static_cast<Int64>(static_cast<typename T::Scalar>(v));
    else
        return static_cast<Int64>(v);
}
template <class T>
constexpr T FromOrd(Int64 v) {
    if constexpr (std::is_same_v<T, bool>)
        return v != 0;
    else if constexpr (requires { T::FromBits(0); })
        return T::FromBits(static_cast<typename T::Bits>(v));
    else if constexpr (requires { typename T::Scalar; })
        return T(static_cast<typename T::Scalar>(v));
    else
        return static_cast<T>(v);
}

template <class T>
constexpr Extended ToFloat(const T& v) {
    if constexpr (requires { typename T::Scalar; })
        return static_cast<Extended>(static_cast<typename T::Scalar>(v));
    else
        return static_cast<Extended>(v);
}
template <class T>
constexpr T FromFloat(Extended v) {
    if constexpr (requires { typename T::Scalar; })
        return T(static_cast<typename T::Scalar>(v));
    else
        return static_cast<T>(v);
}

template <class T>
constexpr TPropAccessKind KindFor() {
    return AccessKindOf(*TypeInfoOf<T>());
}

template <auto G>
constexpr TPropGetter MakeGetter() {
    using T = ValueOf<G>;
    constexpr TPropAccessKind k = KindFor<T>();
    TPropGetter g{};
    if constexpr (k == TPropAccessKind::Ord)
        g.Ord = [](TObject* o) -> Int64 { return ToOrd<T>(ReadMember<G>(o)); };
    else if constexpr (k == TPropAccessKind::Float)
        g.Float = [](TObject* o) -> Extended { return ToFloat<T>(ReadMember<G>(o)); };
    else if constexpr (k == TPropAccessKind::Curr)
        g.Curr = [](TObject* o) -> Currency { return ReadMember<G>(o); };
    else if constexpr (k == TPropAccessKind::Str)
        g.Str = [](TObject* o) -> AnsiString { return ReadMember<G>(o); };
    else if constexpr (k == TPropAccessKind::WStr)
        g.WStr = [](TObject* o) -> WideString { return ReadMember<G>(o); };
    else if constexpr (k == TPropAccessKind::Var)
        g.Var = [](TObject* o) -> Variant { return ReadMember<G>(o); };
    else if constexpr (k == TPropAccessKind::Obj)
        g.Obj = [](TObject* o) -> TObject* { return ReadMember<G>(o); };
    else if constexpr (k == TPropAccessKind::Method)
        g.Method = [](TObject* o) -> TMethod { return ReadMember<G>(o).AsMethod(); };
    else
        static_assert(k != TPropAccessKind::None, "this type cannot be a published property");
    return g;
}

template <auto S>
constexpr TPropSetter MakeSetter() {
    using T = ValueOf<S>;
    constexpr TPropAccessKind k = KindFor<T>();
    TPropSetter s{};
    if constexpr (k == TPropAccessKind::Ord)
        s.Ord = [](TObject* o, Int64 v) { WriteMember<S>(o, FromOrd<T>(v)); };
    else if constexpr (k == TPropAccessKind::Float)
        s.Float = [](TObject* o, Extended v) { WriteMember<S>(o, FromFloat<T>(v)); };
    else if constexpr (k == TPropAccessKind::Curr)
        s.Curr = [](TObject* o, Currency v) { WriteMember<S>(o, v); };
    else if constexpr (k == TPropAccessKind::Str)
        s.Str = [](TObject* o, const AnsiString& v) { WriteMember<S>(o, v); };
    else if constexpr (k == TPropAccessKind::WStr)
        s.WStr = [](TObject* o, const WideString& v) { WriteMember<S>(o, v); };
    else if constexpr (k == TPropAccessKind::Var)
        s.Var = [](TObject* o, const Variant& v) { WriteMember<S>(o, v); };
    else if constexpr (k == TPropAccessKind::Obj)
        // The caller has checked the class (SetObjectProp); the pointer is a T's.
        s.Obj = [](TObject* o, TObject* v) { WriteMember<S>(o, static_cast<T>(v)); };
    else if constexpr (k == TPropAccessKind::Method)
        s.Method = [](TObject* o, const TMethod& v) { WriteMember<S>(o, T::FromMethod(v)); };
    return s;
}
} // namespace typinfo_detail

/// The row of a property read by `Get` and, when given, written by `Set` (accessors or fields).
template <auto Get, auto SetFn = nullptr>
constexpr TPropInfo Published(const char* Name) {
    using T = typinfo_detail::ValueOf<Get>;
    TPropInfo p;
    p.PropType = TypeInfoOf<T>();
    p.Name = Name;
    p.Access = typinfo_detail::KindFor<T>();
    p.GetProc = typinfo_detail::MakeGetter<Get>();
    if constexpr (!std::is_null_pointer_v<decltype(SetFn)>) {
        static_assert(std::is_same_v<T, typinfo_detail::ValueOf<SetFn>>,
                      "getter and setter of a property take the same type");
        p.SetProc = typinfo_detail::MakeSetter<SetFn>();
        p.HasSetter = true;
    }
    return p;
}

template <auto IsStored>
constexpr TPropInfo TPropInfo::Stored() const {
    TPropInfo p = *this;
    p.StoredProc = [](TObject* o) -> bool { return ReadMember<IsStored>(o); };
    return p;
}

/// The property table of a metaclass: `HOST_METACLASS(TFoo, TBar, PropTable(FooProps))`.
template <std::size_t N>
constexpr TMetaClass PropTable(const TPropInfo (&Props)[N], TMetaClass Extra = {}) {
    Extra.Props = Props;
    Extra.PropCount = static_cast<int>(N);
    return Extra;
}

} // namespace host

/// `HOST_PROP(TComponent, Tag)`: the row of Tag, read by GetTag and written by SetTag.
#define HOST_PROP(Class, Name) ::host::Published<&Class::Get##Name, &Class::Set##Name>(#Name)
/// A property without a setter (a persistent sub-object such as a collection or a font).
#define HOST_PROP_R(Class, Name) ::host::Published<&Class::Get##Name>(#Name)
/// A property stored in the field `F<Name>`, read and written directly.
#define HOST_FIELD(Class, Name) ::host::Published<&Class::F##Name, &Class::F##Name>(#Name)
