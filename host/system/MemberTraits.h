// What a member pointer reads, writes or calls, and on which class: one set of traits for the
// streaming system's property rows and the class infos' member rows.
#pragma once

#include <tuple>
#include <utility>
#include <type_traits>

namespace host {

template <class... T>
struct TypeList {
    static constexpr int Count = sizeof...(T);
};

template <int I, class... T>
using NthType = std::tuple_element_t<I, std::tuple<T...>>;

namespace member_detail {
template <class R, class... A>
struct ValueOf {
    using Type = std::remove_cvref_t<R>; // a getter: what it returns
};
template <class... A>
requires(sizeof...(A) > 0) struct ValueOf<void, A...> {
    using Type = std::remove_cvref_t<NthType<sizeof...(A) - 1, A...>>; // a setter: its last argument
};
template <>
struct ValueOf<void> {
    using Type = void;
};
} // namespace member_detail

/// `Class`: the class the member belongs to (void for a free function); `Result` and `Args`: the
/// call's shape; `Value`: the value a property accessor reads or writes (a getter's result, a
/// setter's last argument, a field's type).
template <class M>
struct MemberTraits;

template <class C, class R, class... A>
struct MemberFunctionTraits {
    using Class = C;
    using Result = R;
    using Args = TypeList<A...>;
    using Value = typename member_detail::ValueOf<R, A...>::Type;
    static constexpr int Arity = sizeof...(A);
    static constexpr bool IsField = false;
    static constexpr bool IsStatic = std::is_void_v<C>; // a class-level operation: no owner
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> : MemberFunctionTraits<C, R, A...> {};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> : MemberFunctionTraits<C, R, A...> {};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) noexcept> : MemberFunctionTraits<C, R, A...> {};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const noexcept> : MemberFunctionTraits<C, R, A...> {};
template <class R, class... A>
struct MemberTraits<R (*)(A...)> : MemberFunctionTraits<void, R, A...> {};
template <class R, class... A>
struct MemberTraits<R (*)(A...) noexcept> : MemberFunctionTraits<void, R, A...> {};

/// A field read and written directly (a property without accessor functions).
template <class C, class T>
requires(!std::is_function_v<T>) struct MemberTraits<T C::*> {
    using Class = C;
    using Result = T;
    using Args = TypeList<>;
    using Value = T;
    static constexpr int Arity = 0;
    static constexpr bool IsField = true;
    static constexpr bool IsStatic = false;
};

/// Reads the value of getter or field `M` of `Obj`.
template <auto M, class O>
decltype(auto) ReadMember(O* Obj) {
    using T = MemberTraits<decltype(M)>;
    auto* o = static_cast<typename T::Class*>(Obj);
    if constexpr (T::IsField)
        return static_cast<const typename T::Value&>(o->*M);
    else
        return (o->*M)();
}

/// Writes `V` through setter or field `M` of `Obj`.
template <auto M, class O, class V>
void WriteMember(O* Obj, V&& Value) {
    using T = MemberTraits<decltype(M)>;
    auto* o = static_cast<typename T::Class*>(Obj);
    if constexpr (T::IsField)
        o->*M = std::forward<V>(Value);
    else
        (o->*M)(std::forward<V>(Value));
}

} // namespace host
