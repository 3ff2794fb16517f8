// How host values travel in a Variant: the closed set of conversions every class info uses.
//
// Integers, enumerations, Booleans, strings, characters and floating-point values travel by
// value. Objects travel as the integer of their address and are accepted back only as the
// address of a live object of a fitting class. Sets, records and 32-bit unsigned values travel
// by address; such an address is accepted only from a Variant made as an address.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/Interfaces.h"
#include "host/system/Object.h"
#include "host/system/Variant.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace zeltrix {

using host::AnsiString;
using host::Int64;
using host::Integer;
using host::Variant;

// Out-of-line helpers (ValueConv.cpp).
[[noreturn]] void zelRangeError();
/// The object at the address `V` holds: null for 0, empty or null; else a live `Class`.
host::TObject* zelObjectFromVariant(const Variant& V, host::TClass Class);
/// The address a by-address Variant holds, never null.
const void* zelAddressFromVariant(const Variant& V);
/// An address from a by-address Variant, or null (0, empty, Null).
const void* zelPointerFromVariant(const Variant& V);
/// An untyped pointer the host stores without reading through it: a by-address Variant,
/// null, or the integer address of a live host object.
void* zelOpaqueFromVariant(const Variant& V);
Int64 zelInt64FromVariant(const Variant& V);
AnsiString zelShortString(const Variant& V);

template <class T>
inline Variant zelAddressToVariant(T* P) {
    return Variant::Address(const_cast<const void*>(static_cast<const volatile void*>(P)));
}

/// Numbers of a type of their own (dates, colours): they travel as the number they wrap.
template <class T>
concept ZelScalarType = requires {
    typename T::Scalar;
};

/// Values that travel by address: sets, records and 32-bit unsigned numbers.
template <class T>
inline constexpr bool ZelByAddress = std::is_same_v<T, std::uint32_t> ||
                                     (std::is_class_v<T> && std::is_trivially_copyable_v<T> &&
                                      !std::is_same_v<T, host::Currency> && !ZelScalarType<T>);

template <class T>
inline constexpr bool ZelObjectPointer = std::is_pointer_v<T>&&
    std::is_base_of_v<host::TObject, std::remove_cv_t<std::remove_pointer_t<T>>>;

template <class T, class = void>
struct Conv; // no conversion for this type: add one here, or write an irregular thunk

// ---- by value ----

template <class T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
         !ZelByAddress<T>) struct Conv<T> {
    static Variant To(T V) {
        if constexpr (sizeof(T) <= 4)
            return Variant(static_cast<int>(V));
        else
            return Variant(static_cast<long long>(V));
    }
    static T From(const Variant& V) {
        Int64 x;
        if constexpr (std::is_same_v<T, Integer>) {
            // the fast path; anything else takes the host's conversion and its overflow error
            if (V.TryGetInt(x) && x >= INT32_MIN && x <= INT32_MAX) return static_cast<Integer>(x);
            return V.AsInteger();
        }
        if (!V.TryGetInt(x)) x = zelInt64FromVariant(V);
        if constexpr (sizeof(T) < 8) {
            if (x < static_cast<Int64>(std::numeric_limits<T>::min()) ||
                x > static_cast<Int64>(std::numeric_limits<T>::max()))
                zelRangeError();
        }
        return static_cast<T>(x);
    }
};

/// Enumerations: range-checked by the description beside the enum (HOST_ENUM_INFO), so an
/// ordinal out of range never reaches the host.
template <class T>
requires std::is_enum_v<T>
struct Conv<T> {
    static constexpr Integer High = static_cast<Integer>(host::TypeInfoOf<T>()->MaxValue);
    static Variant To(T V) { return Variant(static_cast<int>(V)); }
    static T From(const Variant& V) {
        Integer x = Conv<Integer>::From(V);
        if (x < 0 || x > High) zelRangeError();
        return static_cast<T>(x);
    }
};

template <ZelScalarType T>
struct Conv<T> {
    using S = typename T::Scalar;
    static Variant To(T V) { return Conv<S>::To(static_cast<S>(V)); }
    static T From(const Variant& V) { return T(Conv<S>::From(V)); }
};

template <>
struct Conv<bool> {
    static Variant To(bool V) { return Variant(V); }
    static bool From(const Variant& V) { return V.AsBoolean(); }
};

template <>
struct Conv<AnsiString> {
    static Variant To(const AnsiString& V) { return Variant(V); }
    static AnsiString From(const Variant& V) { return V.AsString(); }
};

template <>
struct Conv<host::WideString> {
    static Variant To(const host::WideString& V) { return Variant(V); }
    static host::WideString From(const Variant& V) { return V.AsWideString(); }
};

/// A single character travels as a one-character string; an empty string gives NUL.
template <>
struct Conv<char> {
    static Variant To(char V) { return Variant(AnsiString(1, V)); }
    static char From(const Variant& V) {
        AnsiString s = V.AsString();
        return s.empty() ? '\0' : s[0];
    }
};

template <class T>
requires std::is_floating_point_v<T>
struct Conv<T> {
    static Variant To(T V) { return Variant(static_cast<double>(V)); }
    static T From(const Variant& V) { return static_cast<T>(V.AsDouble()); }
};

template <>
struct Conv<host::Currency> {
    static Variant To(host::Currency V) { return Variant(V); }
    static host::Currency From(const Variant& V) { return V.AsCurrency(); }
};

template <>
struct Conv<Variant> {
    static Variant To(const Variant& V) { return V; }
    static Variant From(const Variant& V) { return V; }
};

// ---- addresses ----

template <class T>
requires ZelObjectPointer<T>
struct Conv<T> {
    using Obj = std::remove_cv_t<std::remove_pointer_t<T>>;
    static Variant To(const host::TObject* V) {
        return Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(V)));
    }
    static T From(const Variant& V) {
        return static_cast<T>(zelObjectFromVariant(V, Obj::StaticClass()));
    }
};

/// Class references: handed out as addresses, accepted back only as addresses.
template <>
struct Conv<host::TClass> {
    static Variant To(host::TClass V) { return zelAddressToVariant(V); }
    static host::TClass From(const Variant& V) {
        return static_cast<host::TClass>(zelPointerFromVariant(V));
    }
};

template <>
struct Conv<void*> {
    static Variant To(const void* V) { return zelAddressToVariant(V); }
    static void* From(const Variant& V) { return zelOpaqueFromVariant(V); }
};

/// Other pointers (character buffers, interfaces) are read through by the host: only from a
/// Variant made as an address.
template <class T>
requires(std::is_pointer_v<T> && !ZelObjectPointer<T> && !std::is_same_v<T, void*> &&
         !std::is_same_v<T, host::TClass> &&
         !std::is_function_v<std::remove_pointer_t<T>>) struct Conv<T> {
    static Variant To(T V) { return zelAddressToVariant(V); }
    static T From(const Variant& V) {
        return static_cast<T>(const_cast<void*>(zelPointerFromVariant(V)));
    }
};

/// Interface references: the Variant holds the bare pointer, without a reference of its own;
/// one taken back is counted by the host as usual.
template <class I>
struct Conv<host::ComPtr<I>> {
    static Variant To(const host::ComPtr<I>& V) { return zelAddressToVariant(V.get()); }
    static host::ComPtr<I> From(const Variant& V) {
        return host::ComPtr<I>(static_cast<I*>(const_cast<void*>(zelPointerFromVariant(V))));
    }
};

/// By-address values: copied from the address a by-address Variant holds. Handing one out needs
/// a value slot of the class info (see the slot verbs of ClassInfoRows.h).
template <class T>
requires ZelByAddress<T>
struct Conv<T> {
    static T From(const Variant& V) {
        T x;
        std::memcpy(static_cast<void*>(&x), zelAddressFromVariant(V), sizeof(T));
        return x;
    }
};

} // namespace zeltrix
