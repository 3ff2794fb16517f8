#include "core/ValueConv.h"

#include "host/system/Exceptions.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

void zelRangeError() {
    throw host::ERangeError("Range check error");
}

Int64 zelInt64FromVariant(const Variant& V) {
    return V.AsInt64();
}

namespace {
/// The integer an address travels as: a by-address Variant's address, or any integer kind.
bool AddressBits(const Variant& V, std::uintptr_t& Bits) {
    if (V.IsEmpty() || V.IsNull()) return Bits = 0, true;
    if (V.IsByRef()) return Bits = reinterpret_cast<std::uintptr_t>(V.AsAddress()), true;
    Int64 x;
    if (V.TryGetInt(x)) return Bits = static_cast<std::uintptr_t>(x), true;
    return false;
}
} // namespace

host::TObject* zelObjectFromVariant(const Variant& V, host::TClass Class) {
    std::uintptr_t bits;
    if (!AddressBits(V, bits)) bits = static_cast<std::uintptr_t>(V.AsInt64());
    if (bits == 0) return nullptr;
    const void* p = reinterpret_cast<const void*>(bits);
    if (host::TObject* o = host::LiveObjects::Find(p, Class)) return o;
    throw host::EInvalidCast(host::Format("%d is not the address of a live %s",
                                          {static_cast<long long>(bits), Class->ClassName}));
}

const void* zelAddressFromVariant(const Variant& V) {
    const void* p = V.AsAddress(); // raises the host's conversion error unless made as an address
    if (!p) throw host::EInvalidPointer("Invalid pointer operation");
    return p;
}

const void* zelPointerFromVariant(const Variant& V) {
    if (V.IsEmpty() || V.IsNull()) return nullptr;
    if (!V.IsByRef()) {
        Int64 x;
        if (V.TryGetInt(x) && x == 0) return nullptr;
    }
    return V.AsAddress();
}

void* zelOpaqueFromVariant(const Variant& V) {
    std::uintptr_t bits;
    if (!AddressBits(V, bits)) bits = static_cast<std::uintptr_t>(V.AsInt64());
    void* p = reinterpret_cast<void*>(bits);
    if (!p || V.IsByRef() || host::LiveObjects::Find(p)) return p;
    throw host::EInvalidCast(
        host::Format("%d is not an address of this process", {static_cast<long long>(bits)}));
}

AnsiString zelShortString(const Variant& V) {
    AnsiString s = V.AsString();
    if (s.size() > 255) s.resize(255);
    return s;
}

} // namespace zeltrix
