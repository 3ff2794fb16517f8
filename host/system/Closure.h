// Method pointers ("closures") of the host: the type of every event property.
#pragma once

#include "host/system/Object.h"

namespace host {

template <class Sig>
class Closure;

/// A closure over `R(A...)`: a data pointer and a code pointer. Parameters declared as
/// references (`bool& Handled`) are the host's `var` parameters; most events return nothing, a
/// few (help) answer. Comparable, copyable, and "assigned" when its code part is set.
template <class R, class... A>
class Closure<R(A...)> {
public:
    using Signature = R(A...);
    using Code_t = R (*)(void* Data, A...);

    constexpr Closure() = default;
    constexpr Closure(std::nullptr_t) {}
    constexpr Closure(void* Data, Code_t Code) : fData(Data), fCode(Code) {}

    /// The closure that calls `Obj->*M`. The code part is one function per `M`, so two
    /// closures bound to the same method of the same object compare equal.
    template <auto M, class C>
    static Closure Bind(C* Obj) {
        return Closure(static_cast<void*>(Obj), &Thunk<M, C>);
    }
    template <auto M, class C>
    static R Thunk(void* Data, A... Args) {
        return (static_cast<C*>(Data)->*M)(static_cast<A&&>(Args)...);
    }

    explicit operator bool() const { return fCode != nullptr; }
    bool Assigned() const { return fCode != nullptr; }
    R operator()(A... Args) const { return fCode(fData, static_cast<A&&>(Args)...); }

    void* Data() const { return fData; }
    Code_t Code() const { return fCode; }
    TMethod AsMethod() const { return {reinterpret_cast<void*>(fCode), fData}; }
    static Closure FromMethod(const TMethod& M) {
        return Closure(M.Data, reinterpret_cast<Code_t>(M.Code));
    }

    friend bool operator==(const Closure&, const Closure&) = default;

private:
    void* fData = nullptr;
    Code_t fCode = nullptr;
};

using TNotifyEvent = Closure<void(TObject* Sender)>;

/// A row of a published-method table: `HOST_PUBLISHED_METHOD(TForm1, Button1Click, TNotifyEvent)`.
template <class Event, auto M, class C>
constexpr TPublishedMethod PublishedMethod(const char* Name) {
    return {Name, reinterpret_cast<void*>(&Event::template Thunk<M, C>),
            &typeid(typename Event::Signature)};
}
#define HOST_PUBLISHED_METHOD(Class, Method, Event)                                            \
    ::host::PublishedMethod<Event, &Class::Method, Class>(#Method)

} // namespace host
