// The host's Variant: a tagged value with the host's conversion rules and errors.
#pragma once

#include "host/system/Types.h"

#include <cstring>
#include <initializer_list>

namespace host {

enum TVarType : Word {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varSmallint = 0x0002,
    varInteger = 0x0003,
    varSingle = 0x0004,
    varDouble = 0x0005,
    varCurrency = 0x0006,
    varDate = 0x0007,
    varOleStr = 0x0008,
    varDispatch = 0x0009,
    varError = 0x000A,
    varBoolean = 0x000B,
    varVariant = 0x000C,
    varUnknown = 0x000D,
    varShortInt = 0x0010,
    varByte = 0x0011,
    varWord = 0x0012,
    varLongWord = 0x0013,
    varInt64 = 0x0014,
    varString = 0x0100,
    varTypeMask = 0x0FFF,
    varArray = 0x2000,
    varByRef = 0x4000,
};

/// A tagged value of 16 bytes. Integers are 64-bit (addresses travel as integers on this
/// platform). Strings and arrays are shared, reference-counted and copied on write.
///
/// Addresses are a trust boundary: `Address(p)` makes a by-reference Variant (varByRef), the
/// only kind from which `AsAddress` yields a pointer. It reads as the address's integer value
/// everywhere else, so a by-address value also shows as an integer.
class Variant {
public:
    Variant() noexcept : fType(varEmpty), fInt(0) {}
    Variant(int v) noexcept : fType(varInteger), fInt(v) {}
    Variant(unsigned v) noexcept : fType(varInt64), fInt(v) {}
    Variant(long v) noexcept : fType(varInt64), fInt(v) {}
    Variant(long long v) noexcept : fType(varInt64), fInt(v) {}
    Variant(unsigned long v) noexcept : fType(varInt64), fInt(static_cast<Int64>(v)) {}
    Variant(unsigned long long v) noexcept : fType(varInt64), fInt(static_cast<Int64>(v)) {}
    Variant(bool v) noexcept : fType(varBoolean), fBool(v) {}
    Variant(double v) noexcept : fType(varDouble), fDouble(v) {}
    Variant(long double v) noexcept : fType(varDouble), fDouble(static_cast<double>(v)) {}
    Variant(Currency v) noexcept : fType(varCurrency), fInt(v.Scaled) {}
    Variant(const char* v);
    Variant(const AnsiString& v);
    Variant(const WideString& v);
    Variant(const void*) = delete; // addresses only through Address()

    static Variant Null() noexcept;
    static Variant FromDate(TDateTime v) noexcept;
    static Variant FromSingle(float v) noexcept;
    /// A by-reference Variant holding an address (value slots, forwarders, C++ callers).
    static Variant Address(const void* p) noexcept;

    // Copies share a string or array payload by reference count; only the kinds that own a
    // payload leave the inline path.
    Variant(const Variant& o) noexcept : fType(o.fType) {
        std::memcpy(&fInt, &o.fInt, sizeof fInt);
        if (OwnsPayload()) AddRef(fShared);
    }
    Variant(Variant&& o) noexcept : fType(o.fType) {
        std::memcpy(&fInt, &o.fInt, sizeof fInt);
        o.fType = varEmpty;
    }
    Variant& operator=(const Variant& o) noexcept {
        // Take the bits first: `o` may live inside the payload released below.
        Word t = o.fType;
        Int64 bits;
        std::memcpy(&bits, &o.fInt, sizeof bits);
        if (o.OwnsPayload()) AddRef(o.fShared);
        if (OwnsPayload()) Release(fShared);
        fType = t;
        std::memcpy(&fInt, &bits, sizeof bits);
        return *this;
    }
    Variant& operator=(Variant&& o) noexcept {
        Word t = o.fType;
        Int64 bits;
        std::memcpy(&bits, &o.fInt, sizeof bits);
        o.fType = varEmpty;
        if (OwnsPayload()) Release(fShared);
        fType = t;
        std::memcpy(&fInt, &bits, sizeof bits);
        return *this;
    }
    ~Variant() {
        if (OwnsPayload()) Release(fShared);
    }

    TVarType VarType() const noexcept { return static_cast<TVarType>(fType); }
    bool IsEmpty() const noexcept { return fType == varEmpty; }
    bool IsNull() const noexcept { return fType == varNull; }
    bool IsArray() const noexcept { return (fType & varArray) != 0; }
    bool IsByRef() const noexcept { return (fType & varByRef) != 0; }
    bool IsString() const noexcept { return fType == varString || fType == varOleStr; }
    /// Clears to varEmpty.
    void Clear() noexcept;

    // Conversions with the host's rules. A failed conversion raises EVariantError
    // ("Could not convert variant of type (%s) into type (%s)") or, for text that is not
    // a number or Boolean, the host's EConvertError ("'%s' is not a valid integer value").
    Int64 AsInt64() const {
        if (fType == varInteger || fType == varInt64) return fInt;
        return AsInt64Slow();
    }
    // Raises EVariantError "Overflow while converting variant ..." when out of range.
    Integer AsInteger() const {
        if (fType == varInteger) return static_cast<Integer>(fInt); // always within 32 bits
        return AsIntegerSlow();
    }
    bool AsBoolean() const {
        if (fType == varBoolean) return fBool;
        return AsBooleanSlow();
    }
    double AsDouble() const;
    Currency AsCurrency() const;
    TDateTime AsDate() const;
    AnsiString AsString() const;
    WideString AsWideString() const;
    /// The address of a by-reference Variant (null for empty); EVariantError otherwise.
    void* AsAddress() const;
    /// Converts to another simple type with the host's rules (VarAsType).
    Variant AsType(TVarType Type) const;

    // Arrays (varArray | element type; elements are Variants)
    int DimCount() const noexcept;
    int LowBound(int Dim) const;  // Dim is 1-based; EVariantError "Variant array index out of bounds"
    int HighBound(int Dim) const;
    const Variant& GetElement(std::initializer_list<int> Indices) const;
    void PutElement(std::initializer_list<int> Indices, const Variant& Value);
    /// One-dimensional convenience.
    const Variant& operator[](int Index) const { return GetElement({Index}); }
    /// Changes the high bound of the last dimension (VarArrayRedim).
    void Redim(int HighBound);

    /// The host's comparison: numbers numerically, strings by text, mixed kinds by converting
    /// the string side; Null/empty order first. Raises EVariantError when kinds cannot be compared.
    int Compare(const Variant& o) const;
    friend bool operator==(const Variant& a, const Variant& b) { return a.Compare(b) == 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return a.Compare(b) < 0; }

    /// The raw integer of an integer-kind Variant without conversion (fast path).
    bool TryGetInt(Int64& v) const noexcept {
        if (fType == varInteger || fType == varInt64) return v = fInt, true;
        return false;
    }

private:
    struct Shared;
    bool OwnsPayload() const noexcept {
        return (fType & varArray) != 0 || fType == varString || fType == varOleStr;
    }
    static void AddRef(Shared* s) noexcept;
    static void Release(Shared* s) noexcept;
    Int64 AsInt64Slow() const;
    Integer AsIntegerSlow() const;
    bool AsBooleanSlow() const;

    Word fType;
    union {
        Int64 fInt;
        double fDouble;
        bool fBool;
        const void* fPtr;
        Shared* fShared; // string, wide string or array payload
    };
    friend struct VariantAccess;
};

/// The host's array and query functions over Variants.
Variant VarArrayCreate(std::initializer_list<int> Bounds, TVarType ElementType);
Variant VarArrayOf(std::initializer_list<Variant> Values);
int VarArrayDimCount(const Variant& V);
int VarArrayLowBound(const Variant& V, int Dim);
int VarArrayHighBound(const Variant& V, int Dim);
void VarArrayRedim(Variant& V, int HighBound);
bool VarIsArray(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsNull(const Variant& V);
TVarType VarType(const Variant& V);
Variant VarAsType(const Variant& V, TVarType Type);
/// Text of a Variant; Null gives the empty string.
AnsiString VarToStr(const Variant& V);
/// The host's name of a type code ("Integer", "String", "Boolean", "OleStr", "Array Variant"...).
AnsiString VarTypeName(TVarType Type);

} // namespace host
