// Verbs that build the rows of a class info's table from host members, and the thin templates
// (thunks and forwarders) they instantiate. Included only by the units' .cpp files.
//
//   ZEL_PROP(C, Tag), ZEL_PROP_R(C, Count)          read-write / read-only: GetTag, SetTag
//   ZEL_PROP(C, Items, "Index")                     indexed: index names, one per getter argument
//   ZEL_FIELD(P, Tag)                               stored straight into the field FTag
//   ZEL_FUNC(C, Add, "Item"), ZEL_PROC(C, Clear)    methods and their argument names
//   ZEL_EVENT(C, OnChange, "Sender")                an event hooked through its accessors
//   published("Action", "Anchors"), protected_(...) re-publications: names alone
//   prop<&C::Get, &C::Set>("Name"), func<&C::F>("F", "X")   members of other names or overloads
//   ZEL_PROP_R_SLOT(C, State), ZEL_FUNC_SLOT(C, F)  a by-address value handed out through the
//                                                   class info's slot FStateSlot / FFSlot
//   ctor("Create", "AOwner")
//   propFn / propFnR / funcFn / procFn: irregular members, functions given the owner already
//                                       typed (say why beside the row)
//
// Argument and index names are counted against the host member's arity at compile time. Rows
// go into a class info's ZelRows as C arrays or `zelRows(...)` lists; ZEL_TABLE(CI) makes the
// table.
#pragma once

#include "core/ClassInfoFamily.h"
#include "core/ValueConv.h"
#include "host/system/MemberTraits.h"

#include <array>
#include <iterator>
#include <tuple>
#include <utility>

namespace zeltrix {

// ---- member traits ----

using host::NthType;
using host::TypeList;

/// An irregular member: a function that receives what it needs already typed (the class info
/// when it uses the info's value slots, then the owner, then the member's own arguments) and
/// does only the irregular part itself: `static Integer Handle(THandleStream& S)`.
template <auto F>
struct ZelIrregular {
    static constexpr auto Fn = F;
};

template <int N, class L>
struct ZelDrop;
template <class... P>
struct ZelDrop<0, TypeList<P...>> {
    using Type = TypeList<P...>;
};
template <int N, class H, class... P>
requires(N > 0) struct ZelDrop<N, TypeList<H, P...>> {
    using Type = typename ZelDrop<N - 1, TypeList<P...>>::Type;
};

template <class F>
struct ZelIrregularShape;
template <class R, class P0, class... P>
struct ZelIrregularShape<R (*)(P0&, P...)> {
    static constexpr bool HasSelf = std::is_base_of_v<TzelClassInfo, std::remove_cv_t<P0>>;
    static constexpr int Lead = HasSelf ? 1 : 0; // parameters before the owner's
    using SelfType = std::conditional_t<HasSelf, std::remove_cv_t<P0>, void>;
    using Class =
        std::remove_cvref_t<std::conditional_t<HasSelf, NthType<0, P..., void>, P0>>; // the owner's
                                                                                      // class
    using Result = R;
    using Args = typename ZelDrop<Lead, TypeList<P...>>::Type;
    static constexpr int Arity = Args::Count;
    static constexpr bool IsField = false;
    static constexpr bool IsStatic = false;
    static constexpr bool IsIrregular = true;
    static_assert(std::is_base_of_v<TObject, Class>,
                  "an irregular member takes [the class info,] the owner, then its arguments");
};

template <class M>
struct ZelMemberOf : host::MemberTraits<M> {
    static constexpr bool IsIrregular = false;
};
template <auto F>
struct ZelMemberOf<ZelIrregular<F>> : ZelIrregularShape<decltype(F)> {};

/// What a row's member reads, writes or calls: a host member, or an irregular function.
template <auto M>
using ZelTraits = ZelMemberOf<std::remove_cv_t<decltype(M)>>;

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
        if constexpr (Var && ZelByAddress<T>) {
            // A listener may hand back a record of its own: it is copied into the caller's.
            if (!V) return;
            const void* from = zelAddressFromVariant(*V);
            if (from != &X) std::memcpy(static_cast<void*>(&X), from, sizeof(T));
        } else if constexpr (Var) {
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
    using S = ZelTraits<Slot>;
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
    using T = ZelTraits<M>;
    if constexpr (T::IsIrregular) {
        constexpr auto F = decltype(M)::Fn;
        auto& owner = *zelOwnerAs<typename T::Class>(Self);
        if constexpr (T::HasSelf)
            return F(*static_cast<typename T::SelfType*>(Self), owner, std::forward<A>(Args)...);
        else
            return F(owner, std::forward<A>(Args)...);
    } else if constexpr (T::IsStatic) {
        return M(std::forward<A>(Args)...);
    } else {
        return (zelOwnerAs<typename T::Class>(Self)->*M)(std::forward<A>(Args)...);
    }
}

inline void zelNeed(const TzelFeature* Info, int Have, int Needed) {
    if (Have < Needed) TzelDispatch::MissingArguments(Info, Needed);
}

// ---- thunks ----

template <auto G, auto Slot, class... A, std::size_t... I>
Variant zelGetIdx(TzelClassInfo* Self, TzelPropertyInfo* Info, TypeList<A...>,
                  std::index_sequence<I...>) {
    zelNeed(Info, Info->GetIndexCount(), sizeof...(A));
    if constexpr (!ZelTraits<G>::IsStatic) TzelDispatch::Owner(Self);
    std::tuple<typename ZelArg<A>::Local...> idx{ZelArg<A>::Load(Info->Indexes[I]->Value)...};
    if constexpr (ZelHasSlot<Slot>)
        return zelSlotResult<Slot>(Self, zelCall<G>(Self, std::get<I>(idx)...));
    else
        return zelResult(zelCall<G>(Self, std::get<I>(idx)...));
}

template <auto G, auto Slot>
Variant zelGet(TzelClassInfo* Self, TzelPropertyInfo* Info) {
    using T = ZelTraits<G>;
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
void zelSetIdx(TzelClassInfo* Self, TzelPropertyInfo* Info, const Variant& Value, TypeList<A...>,
               std::index_sequence<I...>) {
    using V = NthType<sizeof...(A) - 1, A...>; // the value comes after the indexes
    zelNeed(Info, Info->GetIndexCount(), sizeof...(I));
    if constexpr (!ZelTraits<S>::IsStatic) TzelDispatch::Owner(Self);
    std::tuple<typename ZelArg<NthType<I, A...>>::Local...> idx{
        ZelArg<NthType<I, A...>>::Load(Info->Indexes[I]->Value)...};
    typename ZelArg<V>::Local value = ZelArg<V>::Load(Value);
    zelCall<S>(Self, std::get<I>(idx)..., value);
}

template <auto S>
void zelSet(TzelClassInfo* Self, TzelPropertyInfo* Info, const Variant& Value) {
    using T = ZelTraits<S>;
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
void zelInvokeIdx(TzelClassInfo* Self, TzelMethodInfo* Info, TypeList<A...>,
                  std::index_sequence<I...>) {
    using R = typename ZelTraits<M>::Result;
    zelNeed(Info, Info->GetArgCount(), sizeof...(A));
    if constexpr (!ZelTraits<M>::IsStatic) TzelDispatch::Owner(Self);
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
    using T = ZelTraits<M>;
    zelInvokeIdx<M, Slot, Function>(Self, Info, typename T::Args{},
                                    std::make_index_sequence<T::Arity>{});
}

// ---- event forwarders ----

template <class E>
struct ZelForward;

template <class... A>
struct ZelForward<host::Closure<void(A...)>> {
    using Event = host::Closure<void(A...)>;

    template <auto G, auto S>
    static void Code(void* Data, A... Args) {
        TzelForwardScope f(Data, reinterpret_cast<void*>(&Code<G, S>));
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

/// An event that answers (a help event): the forwarder does as for the others and answers
/// with the saved handler's answer, false when there is none.
template <class R, class... A>
struct ZelForward<host::Closure<R(A...)>> {
    using Event = host::Closure<R(A...)>;

    template <auto G, auto S>
    static R Code(void* Data, A... Args) {
        TzelForwardScope f(Data, reinterpret_cast<void*>(&Code<G, S>));
        if (!f.Active()) return R{};
        int i = 0;
        (ZelEventParam<A>::In(f.Arg(i++), Args), ...);
        R answer{};
        if (f.Saved().Code) {
            answer = Event::FromMethod(f.Saved())(Args...);
            i = 0;
            (ZelEventParam<A>::Refresh(f.Arg(i++), Args), ...);
        }
        f.Fire();
        i = 0;
        (ZelEventParam<A>::Back(f.Arg(i++), Args), ...);
        return answer;
    }
};

template <auto G>
using ZelEventType = std::remove_cvref_t<typename ZelTraits<G>::Result>;

template <auto G>
host::TMethod zelGetHandler(TObject* Owner) {
    return host::ReadMember<G>(Owner).AsMethod();
}

template <auto G, auto S>
void zelSetHandler(TObject* Owner, const host::TMethod& Handler) {
    host::WriteMember<S>(Owner, ZelEventType<G>::FromMethod(Handler));
}

template <auto G, auto S>
host::TMethod zelForwarder(TzelClassInfo* Self) {
    using F = ZelForward<ZelEventType<G>>;
    return host::TMethod{reinterpret_cast<void*>(&F::template Code<G, S>), Self};
}

template <class E>
inline constexpr int ZelEventArity = -1;
template <class R, class... A>
inline constexpr int ZelEventArity<host::Closure<R(A...)>> = sizeof...(A);

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

template <class T>
struct ZelSetOf {
    static constexpr bool IsSet = false;
};
template <class E, int N>
struct ZelSetOf<host::Set<E, N>> {
    static constexpr bool IsSet = true;
    using Element = E;
};
template <class T>
inline constexpr bool zelIsNamedInt = false;
template <class N>
inline constexpr bool zelIsNamedInt<host::NamedInt<N>> = true;

template <class E>
consteval bool zelDescribedEnum() {
    return requires {
        HostEnumTypeInfo(static_cast<E*>(nullptr));
    };
}

/// The description a value of type T is shown by: enumerations and sets of described
/// enumerations, integers with identifiers, object references; null for the rest.
template <class T>
consteval const host::TTypeInfo* zelShownType() {
    using D = std::remove_cvref_t<T>;
    if constexpr (std::is_enum_v<D>) {
        if constexpr (zelDescribedEnum<D>()) return host::TypeInfoOf<D>();
    } else if constexpr (ZelSetOf<D>::IsSet) {
        if constexpr (zelDescribedEnum<typename ZelSetOf<D>::Element>())
            return host::TypeInfoOf<D>();
    } else if constexpr (zelIsNamedInt<D> || ZelObjectPointer<D>) {
        return host::TypeInfoOf<D>();
    }
    return nullptr;
}

template <auto G, auto S, auto Slot = nullptr>
consteval TzelPropRow prop(const char* Name, const char* Indexes = "") {
    zelCheckArity(Indexes, ZelTraits<G>::Arity);
    if constexpr (!ZelTraits<S>::IsField) zelCheckArity(Indexes, ZelTraits<S>::Arity - 1);
    return {Name,
            false,
            zelStyle(true, true, Indexes),
            pvPublic,
            Indexes,
            &zelGet<G, Slot>,
            &zelSet<S>,
            zelShownType<typename ZelTraits<G>::Result>()};
}

template <auto G, auto Slot = nullptr>
consteval TzelPropRow propR(const char* Name, const char* Indexes = "") {
    zelCheckArity(Indexes, ZelTraits<G>::Arity);
    return {Name,
            false,
            zelStyle(true, false, Indexes),
            pvPublic,
            Indexes,
            &zelGet<G, Slot>,
            nullptr,
            zelShownType<typename ZelTraits<G>::Result>()};
}

template <auto S>
consteval TzelPropRow propW(const char* Name, const char* Indexes = "") {
    if constexpr (!ZelTraits<S>::IsField) zelCheckArity(Indexes, ZelTraits<S>::Arity - 1);
    return {Name,       false,  zelStyle(false, true, Indexes), pvPublic, Indexes, nullptr,
            &zelSet<S>, nullptr};
}

/// Irregular properties: functions given the owner (and the class info) already typed.
template <auto Get, auto Set>
consteval TzelPropRow propFn(const char* Name, const char* Indexes = "") {
    return prop<ZelIrregular<Get>{}, ZelIrregular<Set>{}>(Name, Indexes);
}
template <auto Get>
consteval TzelPropRow propFnR(const char* Name, const char* Indexes = "") {
    return propR<ZelIrregular<Get>{}>(Name, Indexes);
}

/// Changes an inherited property's style (when not empty) and visibility.
constexpr TzelPropRow override_(const char* Name, TzelPropertyStyle Style,
                                TzelPropertyVisibility Visibility) {
    return {Name, true, Style, Visibility, "", nullptr, nullptr, nullptr};
}

template <auto M, auto Slot = nullptr>
consteval TzelMethodRow func(const char* Name, const char* Args = "") {
    static_assert(!std::is_void_v<typename ZelTraits<M>::Result>,
                  "a function needs a host member with a result");
    zelCheckArity(Args, ZelTraits<M>::Arity);
    return {Name, msFunction, Args, &zelInvoke<M, Slot, true>,
            zelShownType<typename ZelTraits<M>::Result>()};
}

template <auto M>
consteval TzelMethodRow proc(const char* Name, const char* Args = "") {
    zelCheckArity(Args, ZelTraits<M>::Arity);
    return {Name, msProcedure, Args, &zelInvoke<M, nullptr, false>, nullptr};
}

/// Irregular methods: functions given the owner (and the class info) already typed.
template <auto F>
consteval TzelMethodRow funcFn(const char* Name, const char* Args = "") {
    return func<ZelIrregular<F>{}>(Name, Args);
}
template <auto F>
consteval TzelMethodRow procFn(const char* Name, const char* Args = "") {
    return proc<ZelIrregular<F>{}>(Name, Args);
}

consteval TzelCtorRow ctor(const char* Name, const char* Args = "") {
    return {Name, Args};
}

template <auto G, auto S>
consteval TzelEventRow event(const char* Name, const char* Params) {
    zelCheckArity(Params, ZelEventArity<ZelEventType<G>>);
    return {Name,
            false,
            pvPublic,
            Params,
            &zelGetHandler<G>,
            &zelSetHandler<G, S>,
            &zelForwarder<G, S>};
}

constexpr TzelEventRow eventOverride(const char* Name, TzelPropertyVisibility Visibility) {
    return {Name, true, Visibility, "", nullptr, nullptr, nullptr};
}

} // namespace zeltrix

namespace zeltrix {

// ---- re-publications: a name alone ----

/// An inherited member whose visibility (and, for a property, style) this class info changes,
/// by name alone.
struct ZelName {
    const char* Name;
    TzelPropertyVisibility Visibility;
    TzelPropertyStyle Style; // empty: the inherited style stays
};
template <std::size_t N>
struct ZelNames {
    ZelName Items[N];
};

/// `published("Action", "Anchors", ...)` in a zelRows list: the inherited properties or events
/// of these names, published here (public_ and protected_ likewise), in the member list's order.
/// A style first changes the properties' style too: `protected_(ZelStyle(psWritable), "Visible")`.
template <class... S>
consteval ZelNames<sizeof...(S)> published(S... Names) {
    return {{ZelName{Names, pvPublished, {}}...}};
}
template <class... S>
consteval ZelNames<sizeof...(S)> public_(S... Names) {
    return {{ZelName{Names, pvPublic, {}}...}};
}
template <class... S>
consteval ZelNames<sizeof...(S)> protected_(S... Names) {
    return {{ZelName{Names, pvProtected, {}}...}};
}
template <class... S>
consteval ZelNames<sizeof...(S)> published(TzelPropertyStyle Style, S... Names) {
    return {{ZelName{Names, pvPublished, Style}...}};
}
template <class... S>
consteval ZelNames<sizeof...(S)> public_(TzelPropertyStyle Style, S... Names) {
    return {{ZelName{Names, pvPublic, Style}...}};
}
template <class... S>
consteval ZelNames<sizeof...(S)> protected_(TzelPropertyStyle Style, S... Names) {
    return {{ZelName{Names, pvProtected, Style}...}};
}
/// A property style for the name groups: ZelStyle(psReadable, psWritable).
template <class... E>
consteval TzelPropertyStyle ZelStyle(E... Styles) {
    TzelPropertyStyle s;
    ((s += Styles), ...);
    return s;
}

template <class R>
constexpr R zelRowFromName(const ZelName& N) {
    if constexpr (std::is_same_v<R, TzelPropRow>)
        return override_(N.Name, N.Style, N.Visibility);
    else if (!N.Style.Empty())
        throw "an event has no style";
    else
        return eventOverride(N.Name, N.Visibility);
}

template <class A>
consteval std::size_t zelRowCount() {
    if constexpr (requires { A::Items; })
        return sizeof(A::Items) / sizeof(ZelName);
    else
        return 1;
}

/// The row type a zelRows list holds: the type of its defined rows; ZelName while it holds
/// names alone (the table converts them to property or event rows).
template <class... A>
struct ZelRowTypeOf {
    using Type = ZelName;
};
template <class A, class... B>
struct ZelRowTypeOf<A, B...> {
    using Type = std::conditional_t < requires { A::Items; }
    , typename ZelRowTypeOf<B...>::Type, A > ;
};

template <class R, class A>
consteval void zelAppendRows(R* Out, std::size_t& At, const A& Item) {
    if constexpr (requires { Item.Items; }) {
        for (const ZelName& n : Item.Items) {
            if constexpr (std::is_same_v<R, ZelName>)
                Out[At++] = n;
            else
                Out[At++] = zelRowFromName<R>(n);
        }
    } else {
        Out[At++] = Item;
    }
}

/// A class info's property or event rows in descriptor order: defined members as rows,
/// re-publications as name groups, flattened into one array.
template <class... A>
consteval auto zelRows(const A&... Items) {
    using R = typename ZelRowTypeOf<A...>::Type;
    std::array<R, (zelRowCount<A>() + ... + 0)> out{};
    std::size_t at = 0;
    (zelAppendRows(out.data(), at, Items), ...);
    return out;
}

/// Rows as the table stores them: a C array or zelRows array of `R`, or names converted to `R`.
template <class R, const auto& Source>
inline constexpr auto ZelStoredRows = [] {
    std::array<R, std::size(Source)> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(Source[0])>, ZelName>)
            out[i] = zelRowFromName<R>(Source[i]);
        else
            out[i] = Source[i];
    }
    return out;
}();

template <class ParentCI>
consteval const TzelClassTable* zelParentTable() {
    if constexpr (requires { ParentCI::ZelTable; })
        return &ParentCI::ZelTable;
    else
        return nullptr; // the root of the family
}

/// The table of class info `CI` from its ZelRows (each of the four row lists may be left out).
/// The parent table and the host class come from CI's declaration; the host class must derive
/// from the one the parent class info describes.
template <class CI, class Rows>
consteval TzelClassTable zelTable(TzelDescriptorTexts* Texts) {
    using Parent = typename CI::ZelParent;
    using Host = typename CI::ZelHost;
    if constexpr (requires { typename Parent::ZelHost; })
        static_assert(
            std::is_base_of_v<typename Parent::ZelHost, Host>,
            "the parent class info describes a class the host class does not derive from");
    TzelClassTable t{
        &Host::ClassMeta, &CI::ClassMeta, zelParentTable<Parent>(), {}, {}, {}, {}, Texts};
    if constexpr (requires { Rows::Properties; })
        t.Properties = ZelStoredRows<TzelPropRow, Rows::Properties>;
    if constexpr (requires { Rows::Methods; })
        t.Methods = ZelStoredRows<TzelMethodRow, Rows::Methods>;
    if constexpr (requires { Rows::Constructors; })
        t.Constructors = ZelStoredRows<TzelCtorRow, Rows::Constructors>;
    if constexpr (requires { Rows::Events; }) t.Events = ZelStoredRows<TzelEventRow, Rows::Events>;
    return t;
}

} // namespace zeltrix

/// Defines the metaclass and the table of a class info whose rows are in CI::ZelRows, with the
/// parent and host class of its declaration: ZEL_TABLE(TListClassInfo).
#define ZEL_TABLE(CI)                                                                              \
    HOST_METACLASS(CI, CI::ZelParent);                                                             \
    static ::zeltrix::TzelDescriptorTexts CI##Texts;                                               \
    constinit const ::zeltrix::TzelClassTable CI::ZelTable =                                       \
        ::zeltrix::zelTable<CI, CI::ZelRows>(&CI##Texts)

// Rows that name a member once: the accessors follow from the property's name.
/// `ZEL_PROP(TStrings, CommaText)`: read by GetCommaText, written by SetCommaText; index names
/// follow: `ZEL_PROP(TList, Items, "Index")`.
#define ZEL_PROP(C, Name, ...)                                                                     \
    ::zeltrix::prop<&C::Get##Name, &C::Set##Name>(#Name __VA_OPT__(, ) __VA_ARGS__)
#define ZEL_PROP_R(C, Name, ...) ::zeltrix::propR<&C::Get##Name>(#Name __VA_OPT__(, ) __VA_ARGS__)
/// A by-address value handed out through the class info's slot F<Name>Slot (ZelRows names the
/// class info CI): `ZEL_PROP_R_SLOT(TComponent, ComponentState)`.
#define ZEL_PROP_R_SLOT(C, Name) ::zeltrix::propR<&C::Get##Name, &CI::F##Name##Slot>(#Name)
#define ZEL_FUNC_SLOT(C, Name, ...)                                                                \
    ::zeltrix::func<&C::Name, &CI::F##Name##Slot>(#Name __VA_OPT__(, ) __VA_ARGS__)
/// A property read and written straight in the field F<Name>, without the host's setter.
#define ZEL_FIELD(C, Name) ::zeltrix::prop<&C::F##Name, &C::F##Name>(#Name)
/// `ZEL_FUNC(TList, Add, "Item")`, `ZEL_PROC(TList, Clear)`: a method and its argument names.
#define ZEL_FUNC(C, Name, ...) ::zeltrix::func<&C::Name>(#Name __VA_OPT__(, ) __VA_ARGS__)
#define ZEL_PROC(C, Name, ...) ::zeltrix::proc<&C::Name>(#Name __VA_OPT__(, ) __VA_ARGS__)
/// `ZEL_EVENT(TStringList, OnChange, "Sender")`: hooked through GetOnChange and SetOnChange.
#define ZEL_EVENT(C, Name, Params) ::zeltrix::event<&C::Get##Name, &C::Set##Name>(#Name, Params)
