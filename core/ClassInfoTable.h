// Verbs that build the rows of a class info's table from host members, and the thin templates
// (thunks and forwarders) they instantiate. Included only by the units' .cpp files.
//
//   prop<&C::GetTag, &C::SetTag>("Tag")            read-write property
//   propR<&C::GetCount>("Count")                   read-only
//   propR<&C::GetStrings>("Strings", "Index")      indexed: index names, one per getter argument
//   propR<&C::GetState, &CI::FStateSlot>(...)      a by-address value handed out through a slot
//   func<&C::Add>("Add", "S"), proc<&C::Clear>("Clear")
//   ctor("Create", "AOwner")
//   event<CI, &C::GetOnChange, &C::SetOnChange>("OnChange", "Sender")
//   propFn / propFnR / funcFn / procFn: irregular members written by hand (say why beside the row)
//
// Argument and index names are counted against the host member's arity at compile time.
#pragma once

#include "core/ClassInfoFamily.h"
#include "core/ValueConv.h"

#include <tuple>
#include <utility>

namespace zeltrix {

// ---- member traits ----

template <class... T>
struct ZelTypes {
    static constexpr int Count = sizeof...(T);
};

template <class M>
struct ZelMember;

template <class C, class R, class... A>
struct ZelMemberFn {
    using Class = C;
    using Result = R;
    using Args = ZelTypes<A...>;
    static constexpr int Arity = sizeof...(A);
    static constexpr bool IsField = false;
    static constexpr bool IsStatic = false;
};
template <class C, class R, class... A>
struct ZelMember<R (C::*)(A...)> : ZelMemberFn<C, R, A...> {};
template <class C, class R, class... A>
struct ZelMember<R (C::*)(A...) const> : ZelMemberFn<C, R, A...> {};
template <class C, class R, class... A>
struct ZelMember<R (C::*)(A...) noexcept> : ZelMemberFn<C, R, A...> {};
template <class C, class R, class... A>
struct ZelMember<R (C::*)(A...) const noexcept> : ZelMemberFn<C, R, A...> {};
template <class R, class... A>
struct ZelMember<R (*)(A...)> : ZelMemberFn<void, R, A...> {
    static constexpr bool IsStatic = true; // a class-level operation: no owner needed
};
template <class R, class... A>
struct ZelMember<R (*)(A...) noexcept> : ZelMember<R (*)(A...)> {};
template <class C, class T>
requires(!std::is_function_v<T>) struct ZelMember<T C::*> {
    using Class = C;
    using Result = T;
    using Args = ZelTypes<>;
    static constexpr int Arity = 0;
    static constexpr bool IsField = true; // stored straight into the host object
    static constexpr bool IsStatic = false;
};

template <int I, class... T>
using ZelNth = std::tuple_element_t<I, std::tuple<T...>>;

consteval int zelCountNames(const char* Names) {
    if (!Names || !*Names) return 0;
    int n = 1;
    for (const char* p = Names; *p; ++p)
        if (*p == ',') ++n;
    return n;
}

// ---- argument conventions ----

/// A method argument or index: loaded from its Variant into a local, passed to the host, and,
/// for a var parameter, put back afterwards.
template <class P>
struct ZelArg {
    using T = std::remove_cvref_t<P>;
    static constexpr bool Var =
        std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>;
    using Local = T;
    static Local Load(const Variant& V) { return Conv<T>::From(V); }
    static void Store(Variant& V, const Local& X) {
        if constexpr (Var) {
            if constexpr (ZelByAddress<T>)
                std::memcpy(const_cast<void*>(zelAddressFromVariant(V)), &X, sizeof(T));
            else
                V = Conv<T>::To(X);
        }
    }
};

/// An event parameter: written into its argument record before the listeners run; a var
/// parameter is written back afterwards. Sets and records are given by address: a by-value one
/// as the forwarder's own copy, a by-reference one as the caller's storage.
template <class P>
struct ZelEventParam {
    using T = std::remove_cvref_t<P>;
    static constexpr bool Var =
        std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>;
    static void In(Variant* V, const T& X) {
        if (!V) return;
        if constexpr (ZelByAddress<T>)
            *V = zelAddressToVariant(&X);
        else
            *V = Conv<T>::To(X);
    }
    /// After the saved handler: a var parameter shows the listeners what the handler left in it,
    /// so the write-back never undoes the host object's own handler.
    static void Refresh(Variant* V, const T& X) {
        if constexpr (Var && !ZelByAddress<T>) In(V, X);
    }
    static void Back(Variant* V, P X) {
        if constexpr (Var && !ZelByAddress<T>) {
            if (!V) return;
            if constexpr (std::is_same_v<T, void*>)
                X = const_cast<void*>(zelPointerFromVariant(*V)); // code the host will call
            else
                X = Conv<T>::From(*V);
        }
    }
};

template <auto Slot>
inline constexpr bool ZelHasSlot = !std::is_null_pointer_v<decltype(Slot)>;

template <class R>
Variant zelResult(R&& X) {
    using T = std::remove_cvref_t<R>;
    static_assert(!ZelByAddress<T>, "a by-address result needs a value slot of the class info");
    return Conv<T>::To(X);
}

template <auto Slot, class T>
Variant zelSlotResult(TzelClassInfo* Self, T&& X) {
    using S = ZelMember<decltype(Slot)>;
    auto* ci = static_cast<typename S::Class*>(Self);
    ci->*Slot = std::forward<T>(X);
    return zelAddressToVariant(&(ci->*Slot));
}

template <class C>
C* zelOwnerAs(TzelClassInfo* Self) {
    return static_cast<C*>(TzelDispatch::Owner(Self));
}

template <auto M, class... A>
decltype(auto) zelCall(TzelClassInfo* Self, A&&... Args) {
    using T = ZelMember<decltype(M)>;
    if constexpr (T::IsStatic)
        return M(std::forward<A>(Args)...);
    else
        return (zelOwnerAs<typename T::Class>(Self)->*M)(std::forward<A>(Args)...);
}

inline void zelNeed(const TzelFeature* Info, int Have, int Needed) {
    if (Have < Needed) TzelDispatch::MissingArguments(Info, Needed);
}

// ---- thunks ----

template <auto G, auto Slot, class... A, std::size_t... I>
Variant zelGetIdx(TzelClassInfo* Self, TzelPropertyInfo* Info, ZelTypes<A...>,
                  std::index_sequence<I...>) {
    zelNeed(Info, Info->GetIndexCount(), sizeof...(A));
    if constexpr (!ZelMember<decltype(G)>::IsStatic) TzelDispatch::Owner(Self);
    std::tuple<typename ZelArg<A>::Local...> idx{ZelArg<A>::Load(Info->Indexes[I]->Value)...};
    if constexpr (ZelHasSlot<Slot>)
        return zelSlotResult<Slot>(Self, zelCall<G>(Self, std::get<I>(idx)...));
    else
        return zelResult(zelCall<G>(Self, std::get<I>(idx)...));
}

template <auto G, auto Slot>
Variant zelGet(TzelClassInfo* Self, TzelPropertyInfo* Info) {
    using T = ZelMember<decltype(G)>;
    if constexpr (T::IsField) {
        auto& field = zelOwnerAs<typename T::Class>(Self)->*G;
        if constexpr (ZelHasSlot<Slot>)
            return zelSlotResult<Slot>(Self, field);
        else
            return zelResult(field);
    } else {
        return zelGetIdx<G, Slot>(Self, Info, typename T::Args{},
                                  std::make_index_sequence<T::Arity>{});
    }
}

template <auto S, class... A, std::size_t... I>
void zelSetIdx(TzelClassInfo* Self, TzelPropertyInfo* Info, const Variant& Value, ZelTypes<A...>,
               std::index_sequence<I...>) {
    using V = ZelNth<sizeof...(A) - 1, A...>; // the value comes after the indexes
    zelNeed(Info, Info->GetIndexCount(), sizeof...(I));
    if constexpr (!ZelMember<decltype(S)>::IsStatic) TzelDispatch::Owner(Self);
    std::tuple<typename ZelArg<ZelNth<I, A...>>::Local...> idx{
        ZelArg<ZelNth<I, A...>>::Load(Info->Indexes[I]->Value)...};
    typename ZelArg<V>::Local value = ZelArg<V>::Load(Value);
    zelCall<S>(Self, std::get<I>(idx)..., value);
}

template <auto S>
void zelSet(TzelClassInfo* Self, TzelPropertyInfo* Info, const Variant& Value) {
    using T = ZelMember<decltype(S)>;
    if constexpr (T::IsField) {
        auto& field = zelOwnerAs<typename T::Class>(Self)->*S;
        field = Conv<std::remove_cvref_t<decltype(field)>>::From(Value);
    } else {
        static_assert(T::Arity >= 1, "a setter takes the value last");
        zelSetIdx<S>(Self, Info, Value, typename T::Args{},
                     std::make_index_sequence<T::Arity - 1>{});
    }
}

template <auto M, auto Slot, bool Function, class... A, std::size_t... I>
void zelInvokeIdx(TzelClassInfo* Self, TzelMethodInfo* Info, ZelTypes<A...>,
                  std::index_sequence<I...>) {
    using R = typename ZelMember<decltype(M)>::Result;
    zelNeed(Info, Info->GetArgCount(), sizeof...(A));
    if constexpr (!ZelMember<decltype(M)>::IsStatic) TzelDispatch::Owner(Self);
    std::tuple<typename ZelArg<A>::Local...> args{ZelArg<A>::Load(Info->Args[I]->Value)...};
    if constexpr (std::is_void_v<R> || !Function) {
        zelCall<M>(Self, std::get<I>(args)...);
    } else if constexpr (ZelHasSlot<Slot>) {
        Info->Result = zelSlotResult<Slot>(Self, zelCall<M>(Self, std::get<I>(args)...));
    } else {
        Info->Result = zelResult(zelCall<M>(Self, std::get<I>(args)...));
    }
    (ZelArg<A>::Store(Info->Args[I]->Value, std::get<I>(args)), ...);
}

template <auto M, auto Slot, bool Function>
void zelInvoke(TzelClassInfo* Self, TzelMethodInfo* Info) {
    using T = ZelMember<decltype(M)>;
    zelInvokeIdx<M, Slot, Function>(Self, Info, typename T::Args{},
                                    std::make_index_sequence<T::Arity>{});
}

// ---- event forwarders ----

template <class E>
struct ZelForward;

template <class... A>
struct ZelForward<host::Closure<void(A...)>> {
    using Event = host::Closure<void(A...)>;

    template <class CI, auto G, auto S>
    static void Code(void* Data, A... Args) {
        TzelForwardScope f(Data, reinterpret_cast<void*>(&Code<CI, G, S>));
        if (!f.Active()) return;
        int i = 0;
        (ZelEventParam<A>::In(f.Arg(i++), Args), ...);
        if (f.Saved().Code) {
            Event::FromMethod(f.Saved())(Args...);
            i = 0;
            (ZelEventParam<A>::Refresh(f.Arg(i++), Args), ...);
        }
        f.Fire();
        i = 0;
        (ZelEventParam<A>::Back(f.Arg(i++), Args), ...);
    }
};

template <auto G>
using ZelEventType = std::remove_cvref_t<typename ZelMember<decltype(G)>::Result>;

template <auto G>
host::TMethod zelGetHandler(TObject* Owner) {
    using T = ZelMember<decltype(G)>;
    auto* o = static_cast<typename T::Class*>(Owner);
    if constexpr (T::IsField)
        return (o->*G).AsMethod();
    else
        return (o->*G)().AsMethod();
}

template <auto G, auto S>
void zelSetHandler(TObject* Owner, const host::TMethod& Handler) {
    using T = ZelMember<decltype(S)>;
    auto* o = static_cast<typename T::Class*>(Owner);
    if constexpr (T::IsField)
        o->*S = ZelEventType<G>::FromMethod(Handler);
    else
        (o->*S)(ZelEventType<G>::FromMethod(Handler));
}

template <class CI, auto G, auto S>
host::TMethod zelForwarder(TzelClassInfo* Self) {
    using F = ZelForward<ZelEventType<G>>;
    return host::TMethod{reinterpret_cast<void*>(&F::template Code<CI, G, S>), Self};
}

template <class E>
inline constexpr int ZelEventArity = -1;
template <class... A>
inline constexpr int ZelEventArity<host::Closure<void(A...)>> = sizeof...(A);

// ---- verbs ----

consteval void zelCheckArity(const char* Names, int Arity) {
    if (zelCountNames(Names) != Arity)
        throw "the number of argument or index names differs from the host member's";
}

consteval TzelPropertyStyle zelStyle(bool Readable, bool Writable, const char* Indexes) {
    TzelPropertyStyle s;
    if (Readable) s += psReadable;
    if (Writable) s += psWritable;
    if (zelCountNames(Indexes) > 0) s += psIndexed;
    return s;
}

template <auto G, auto S, auto Slot = nullptr>
consteval TzelPropRow prop(const char* Name, const char* Indexes = "") {
    zelCheckArity(Indexes, ZelMember<decltype(G)>::Arity);
    if constexpr (!ZelMember<decltype(S)>::IsField)
        zelCheckArity(Indexes, ZelMember<decltype(S)>::Arity - 1);
    return {Name,      false, zelStyle(true, true, Indexes), pvPublic, Indexes, &zelGet<G, Slot>,
            &zelSet<S>};
}

template <auto G, auto Slot = nullptr>
consteval TzelPropRow propR(const char* Name, const char* Indexes = "") {
    zelCheckArity(Indexes, ZelMember<decltype(G)>::Arity);
    return {Name,   false, zelStyle(true, false, Indexes), pvPublic, Indexes, &zelGet<G, Slot>,
            nullptr};
}

template <auto S>
consteval TzelPropRow propW(const char* Name, const char* Indexes = "") {
    if constexpr (!ZelMember<decltype(S)>::IsField)
        zelCheckArity(Indexes, ZelMember<decltype(S)>::Arity - 1);
    return {Name, false, zelStyle(false, true, Indexes), pvPublic, Indexes, nullptr, &zelSet<S>};
}

/// Irregular properties: hand-written accessors.
consteval TzelPropRow propFn(const char* Name, TzelGetFn Get, TzelSetFn Set,
                             const char* Indexes = "") {
    return {Name, false, zelStyle(true, true, Indexes), pvPublic, Indexes, Get, Set};
}
consteval TzelPropRow propFnR(const char* Name, TzelGetFn Get, const char* Indexes = "") {
    return {Name, false, zelStyle(true, false, Indexes), pvPublic, Indexes, Get, nullptr};
}
consteval TzelPropRow propFnW(const char* Name, TzelSetFn Set, const char* Indexes = "") {
    return {Name, false, zelStyle(false, true, Indexes), pvPublic, Indexes, nullptr, Set};
}

/// Changes an inherited property's style (when not empty) and visibility.
consteval TzelPropRow override_(const char* Name, TzelPropertyStyle Style,
                                TzelPropertyVisibility Visibility) {
    return {Name, true, Style, Visibility, "", nullptr, nullptr};
}

template <auto M, auto Slot = nullptr>
consteval TzelMethodRow func(const char* Name, const char* Args = "") {
    static_assert(!std::is_void_v<typename ZelMember<decltype(M)>::Result>,
                  "a function needs a host member with a result");
    zelCheckArity(Args, ZelMember<decltype(M)>::Arity);
    return {Name, msFunction, Args, &zelInvoke<M, Slot, true>};
}

template <auto M>
consteval TzelMethodRow proc(const char* Name, const char* Args = "") {
    zelCheckArity(Args, ZelMember<decltype(M)>::Arity);
    return {Name, msProcedure, Args, &zelInvoke<M, nullptr, false>};
}

consteval TzelMethodRow funcFn(const char* Name, const char* Args, TzelInvokeFn Invoke) {
    return {Name, msFunction, Args, Invoke};
}
consteval TzelMethodRow procFn(const char* Name, const char* Args, TzelInvokeFn Invoke) {
    return {Name, msProcedure, Args, Invoke};
}

consteval TzelCtorRow ctor(const char* Name, const char* Args = "") {
    return {Name, Args};
}

template <class CI, auto G, auto S>
consteval TzelEventRow event(const char* Name, const char* Params) {
    zelCheckArity(Params, ZelEventArity<ZelEventType<G>>);
    return {Name,
            false,
            pvPublic,
            Params,
            &zelGetHandler<G>,
            &zelSetHandler<G, S>,
            &zelForwarder<CI, G, S>};
}

consteval TzelEventRow eventOverride(const char* Name, TzelPropertyVisibility Visibility) {
    return {Name, true, Visibility, "", nullptr, nullptr, nullptr};
}

} // namespace zeltrix

namespace zeltrix {

template <class ParentCI>
consteval const TzelClassTable* zelParentTable() {
    if constexpr (requires { ParentCI::ZelTable; })
        return &ParentCI::ZelTable;
    else
        return nullptr; // the root of the family
}

/// The table of a class info from its ZelRows (each of the four row arrays may be left out).
template <class Rows>
consteval TzelClassTable zelTable(const char* HostName, host::TClass HostClass,
                                  TzelClassInfoClass ClassInfoClass, const TzelClassTable* Parent,
                                  TzelDescriptorTexts* Texts) {
    TzelClassTable t{HostName, HostClass, ClassInfoClass, Parent, {}, {}, {}, {}, Texts};
    if constexpr (requires { Rows::Properties; }) t.Properties = Rows::Properties;
    if constexpr (requires { Rows::Methods; }) t.Methods = Rows::Methods;
    if constexpr (requires { Rows::Constructors; }) t.Constructors = Rows::Constructors;
    if constexpr (requires { Rows::Events; }) t.Events = Rows::Events;
    return t;
}

} // namespace zeltrix

/// Defines the metaclass and the table of a class info whose rows are in CI::ZelRows:
/// ZEL_TABLE(TListClassInfo, TObjectClassInfo, TList).
#define ZEL_TABLE(CI, ParentCI, Host)                                                              \
    HOST_METACLASS(CI, ParentCI);                                                                  \
    static ::zeltrix::TzelDescriptorTexts CI##Texts;                                               \
    constinit const ::zeltrix::TzelClassTable CI::ZelTable =                                       \
        ::zeltrix::zelTable<CI::ZelRows>(#Host, &Host::ClassMeta, &CI::ClassMeta,                  \
                                         ::zeltrix::zelParentTable<ParentCI>(), &CI##Texts)
