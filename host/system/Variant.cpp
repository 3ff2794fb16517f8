// The Variant's storage: construction, shared payloads and arrays.
#include "host/system/Variant.h"

#include "host/system/SysUtils.h"
#include "host/system/VariantPayload.h"

namespace host {

static_assert(sizeof(Variant) == 16, "a Variant is a type tag and an 8-byte value");

namespace {
/// The most elements one array may hold (64 MiB of Variants): a bound taken from a file or
/// a connection cannot make the host allocate without limit.
constexpr Int64 kMaxArrayElements = Int64(1) << 22;
constexpr int kMaxArrayDims = 64;

using Access = VariantAccess;

[[noreturn]] void ArrayCreateError() {
    throw EVariantError("Error creating variant array");
}
[[noreturn]] void ArrayBoundsError() {
    throw EVariantError("Variant array index out of bounds");
}
[[noreturn]] void NotArrayError() {
    throw EVariantError("Variant is not an array");
}

bool IsArrayElementType(TVarType t) {
    switch (t) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varOleStr:
    case varBoolean:
    case varVariant:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varString: return true;
    default: return false;
    }
}

/// The value a new element of an array of `t` starts with.
Variant ZeroOf(TVarType t) {
    switch (t) {
    case varVariant: return Variant();
    case varString: return Variant(AnsiString());
    case varOleStr: return Variant(WideString());
    case varBoolean: return Variant(false);
    case varSingle:
    case varDouble:
    case varDate: return Access::MakeDouble(t, 0.0);
    default: return Access::MakeInt(t, 0);
    }
}

void FillNew(Access::ArrayPayload& a, std::size_t from) {
    if (from >= a.Items.size()) return;
    Variant zero = ZeroOf(a.ElemType); // one shared payload for string elements
    for (std::size_t i = from; i < a.Items.size(); ++i) a.Items[i] = zero;
}
} // namespace

// ---- construction and payloads ----

Variant::Variant(const char* v) : Variant(AnsiString(v ? v : "")) {}

Variant::Variant(const AnsiString& v) : fType(varString) {
    fShared = new Access::StringPayload(v);
}

Variant::Variant(const WideString& v) : fType(varOleStr) {
    fShared = new Access::WidePayload(v);
}

Variant Variant::Null() noexcept {
    Variant v;
    v.fType = varNull;
    return v;
}

Variant Variant::FromDate(TDateTime v) noexcept {
    return Access::MakeDouble(varDate, v);
}

Variant Variant::FromSingle(float v) noexcept {
    return Access::MakeDouble(varSingle, v);
}

Variant Variant::Address(const void* p) noexcept {
    Variant v;
    v.fType = varByRef;
    v.fPtr = p;
    return v;
}

void Variant::AddRef(Shared* s) noexcept {
    s->Refs.fetch_add(1, std::memory_order_relaxed);
}

void Variant::Release(Shared* s) noexcept {
    if (s->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete s;
}

void Variant::Clear() noexcept {
    if (OwnsPayload()) Release(fShared);
    fType = varEmpty;
    fInt = 0;
}

Access::ArrayPayload& VariantAccess::MutableArray(Variant& v) {
    auto* a = static_cast<ArrayPayload*>(v.fShared);
    if (a->Refs.load(std::memory_order_acquire) != 1) {
        auto* copy = new ArrayPayload(); // copy on write
        copy->ElemType = a->ElemType;
        copy->Bounds = a->Bounds;
        copy->Items = a->Items;
        Variant::Release(a);
        v.fShared = a = copy;
    }
    return *a;
}

// ---- arrays ----

Variant VarArrayCreate(std::initializer_list<int> Bounds, TVarType ElementType) {
    std::size_t n = Bounds.size();
    if (n == 0 || n % 2 != 0 || n / 2 > kMaxArrayDims || !IsArrayElementType(ElementType))
        ArrayCreateError();
    auto* a = new Access::ArrayPayload();
    a->ElemType = ElementType;
    Variant result = Access::MakeArray(a); // owns `a` from here on
    Int64 total = 1;
    for (auto it = Bounds.begin(); it != Bounds.end(); it += 2) {
        Int64 count = Int64(it[1]) - it[0] + 1;
        if (count < 0) ArrayCreateError();
        total *= count;
        if (total > kMaxArrayElements) ArrayCreateError();
        a->Bounds.push_back({it[0], static_cast<int>(count)});
    }
    a->Items.resize(static_cast<std::size_t>(total));
    FillNew(*a, 0);
    return result;
}

Variant VarArrayOf(std::initializer_list<Variant> Values) {
    if (static_cast<Int64>(Values.size()) > kMaxArrayElements) ArrayCreateError();
    auto* a = new Access::ArrayPayload();
    Variant result = Access::MakeArray(a);
    a->Bounds.push_back({0, static_cast<int>(Values.size())});
    a->Items.assign(Values.begin(), Values.end());
    return result;
}

int Variant::DimCount() const noexcept {
    return IsArray() ? static_cast<int>(Access::Array(*this).Bounds.size()) : 0;
}

int Variant::LowBound(int Dim) const {
    if (!IsArray()) NotArrayError();
    const auto& b = Access::Array(*this).Bounds;
    if (Dim < 1 || Dim > static_cast<int>(b.size())) ArrayBoundsError();
    return b[Dim - 1].Low;
}

int Variant::HighBound(int Dim) const {
    if (!IsArray()) NotArrayError();
    const auto& b = Access::Array(*this).Bounds;
    if (Dim < 1 || Dim > static_cast<int>(b.size())) ArrayBoundsError();
    return static_cast<int>(Int64(b[Dim - 1].Low) + b[Dim - 1].Count - 1);
}

namespace {
std::size_t FlatIndex(const Access::ArrayPayload& a, std::initializer_list<int> Indices) {
    if (Indices.size() != a.Bounds.size()) ArrayBoundsError();
    std::size_t flat = 0, stride = 1;
    auto idx = Indices.begin();
    for (const auto& b : a.Bounds) {
        Int64 off = Int64(*idx++) - b.Low;
        if (off < 0 || off >= b.Count) ArrayBoundsError();
        flat += static_cast<std::size_t>(off) * stride;
        stride *= static_cast<std::size_t>(b.Count);
    }
    return flat;
}
} // namespace

const Variant& Variant::GetElement(std::initializer_list<int> Indices) const {
    if (!IsArray()) NotArrayError();
    const auto& a = Access::Array(*this);
    return a.Items[FlatIndex(a, Indices)];
}

void Variant::PutElement(std::initializer_list<int> Indices, const Variant& Value) {
    if (!IsArray()) NotArrayError();
    // Convert (or copy) before touching the array: the value may be this array itself or
    // one of its elements, and a failed conversion must leave the array as it was.
    const auto& shared = Access::Array(*this);
    std::size_t flat = FlatIndex(shared, Indices);
    Variant v = shared.ElemType == varVariant ? Value : Value.AsType(shared.ElemType);
    Access::MutableArray(*this).Items[flat] = std::move(v);
}

void Variant::Redim(int HighBound) {
    if (!IsArray()) NotArrayError();
    const auto& shared = Access::Array(*this);
    const auto& last = shared.Bounds.back();
    Int64 count = Int64(HighBound) - last.Low + 1;
    if (count < 0) ArrayBoundsError();
    Int64 stride = 1;
    for (std::size_t i = 0; i + 1 < shared.Bounds.size(); ++i) stride *= shared.Bounds[i].Count;
    Int64 total = stride * count;
    if (total > kMaxArrayElements) ArrayCreateError();
    auto& a = Access::MutableArray(*this);
    std::size_t old = a.Items.size();
    a.Bounds.back().Count = static_cast<int>(count);
    a.Items.resize(static_cast<std::size_t>(total));
    FillNew(a, old);
}

int VarArrayDimCount(const Variant& V) {
    return V.DimCount();
}
int VarArrayLowBound(const Variant& V, int Dim) {
    return V.LowBound(Dim);
}
int VarArrayHighBound(const Variant& V, int Dim) {
    return V.HighBound(Dim);
}
void VarArrayRedim(Variant& V, int HighBound) {
    V.Redim(HighBound);
}
bool VarIsArray(const Variant& V) {
    return V.IsArray();
}
bool VarIsEmpty(const Variant& V) {
    return V.IsEmpty();
}
bool VarIsNull(const Variant& V) {
    return V.IsNull();
}
TVarType VarType(const Variant& V) {
    return V.VarType();
}

} // namespace host
