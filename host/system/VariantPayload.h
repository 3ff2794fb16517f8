// The shared payloads behind string, wide-string and array Variants (internal to the
// Variant's own sources).
#pragma once

#include "host/system/Variant.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace host {

struct Variant::Shared {
    std::atomic<std::int32_t> Refs{1};
    virtual ~Shared() = default;
};

struct VariantAccess {
    struct StringPayload final : Variant::Shared {
        explicit StringPayload(AnsiString v) : Value(std::move(v)) {}
        AnsiString Value;
    };
    struct WidePayload final : Variant::Shared {
        explicit WidePayload(WideString v) : Value(std::move(v)) {}
        WideString Value;
    };
    struct Bound {
        int Low;
        int Count;
    };
    /// Elements are stored with the first index varying fastest, so resizing the last
    /// dimension keeps every other element where it is.
    struct ArrayPayload final : Variant::Shared {
        TVarType ElemType = varVariant;
        std::vector<Bound> Bounds;
        std::vector<Variant> Items;
    };

    static const AnsiString& Str(const Variant& v) {
        return static_cast<const StringPayload*>(v.fShared)->Value;
    }
    static const WideString& Wide(const Variant& v) {
        return static_cast<const WidePayload*>(v.fShared)->Value;
    }
    static const ArrayPayload& Array(const Variant& v) {
        return *static_cast<const ArrayPayload*>(v.fShared);
    }
    /// The array payload for writing: copied first when another Variant shares it.
    static ArrayPayload& MutableArray(Variant& v);

    static Word Type(const Variant& v) { return v.fType; }
    static Int64 Int(const Variant& v) { return v.fInt; }
    static double Double(const Variant& v) { return v.fDouble; }
    static bool Bool(const Variant& v) { return v.fBool; }
    static const void* Ptr(const Variant& v) { return v.fPtr; }

    /// A Variant of a simple numeric kind made from its raw parts.
    static Variant MakeInt(Word type, Int64 v) {
        Variant r;
        r.fType = type;
        r.fInt = v;
        return r;
    }
    static Variant MakeDouble(Word type, double v) {
        Variant r;
        r.fType = type;
        r.fDouble = v;
        return r;
    }
    static Variant MakeArray(ArrayPayload* p) {
        Variant r;
        r.fType = static_cast<Word>(varArray | p->ElemType);
        r.fShared = p;
        return r;
    }
};

/// Raises the host's conversion errors.
[[noreturn]] void VarCastError(Word From, Word To);
[[noreturn]] void VarOverflowError(Word From, Word To);
[[noreturn]] void VarInvalidCast(); // "Invalid variant type conversion"

} // namespace host
