// A property that a connection names on one of its components: the name, the property info
// found for it, and its index array (one Variant per index parameter, created with the name,
// validated when set, applied right before each read or write, saved as a list of strings).
#pragma once

#include "connections/Zelconlist.h"
#include "host/system/Variant.h"

namespace host {
class TReader;
class TWriter;
class TFiler;
} // namespace host

namespace zeltrix {

/// What differs between the five property references of the connections: the stream name of
/// the index array, the messages of the two setters, and the words of a diagnosis.
struct TzelPropertyRole {
    const char* StreamName;    // the index array's extra stream property
    const char* Described;     // "target property": a diagnosis names the property so
    const char* NameComponent; // property-name setter: no component
    const char* NameProperty;  // property-name setter: no such property
    const char* Component;     // index setter, in the order of its five tests
    const char* Property;
    const char* NotArray;
    const char* DimCount;
    const char* DimSize;
};

extern const TzelPropertyRole zelTargetPropertyRole;         // E2P and P2P TargetProperty
extern const TzelPropertyRole zelValueComponentPropertyRole; // E2P ValueComponentProperty
extern const TzelPropertyRole zelComponentPropertyRole;      // parameter item ComponentProperty
extern const TzelPropertyRole zelSourcePropertyRole;         // P2P SourceProperty

/// A one-dimensional array 0 .. Count - 1 of empty Variants.
host::Variant zelNewIndexArray(int Count);

/// The owner says whether a setter validates (it does not while its connection is being read)
/// and passes the class info of the component that holds the property.
class TzelPropertyRef {
public:
    /// `Indexes` is the array before any name is set (no array unless given).
    explicit TzelPropertyRef(const TzelPropertyRole& Role, host::Variant Indexes = {})
        : FRole(&Role), FIndexes(std::move(Indexes)) {}

    const TzelPropertyRole& Role() const { return *FRole; }
    const host::AnsiString& Name() const { return FName; }
    const host::Variant& Indexes() const { return FIndexes; }

    /// The property info of the name in `ClassInfo`, cached; null when either is missing.
    TzelPropertyInfo* Info(TzelClassInfo* ClassInfo) { return FInfo.Get(ClassInfo, FName); }

    /// The property-name setter: stores `Value`; when `Validate`, checks it against `ClassInfo`
    /// (restoring the old name on failure) and recreates the index array for the property found.
    void SetName(const host::AnsiString& Value, bool Validate, TzelClassInfo* ClassInfo);
    /// Empties the name and leaves the index array as it is.
    void ClearName() { FName.clear(); }
    /// The index setter: when `Validate`, runs the five tests against `ClassInfo` and the
    /// property it resolves; then copies `Value` into the index array.
    void SetIndexes(const host::Variant& Value, bool Validate, TzelClassInfo* ClassInfo);
    /// Takes another reference's name and index array.
    void Assign(const TzelPropertyRef& Source);

    /// Applies the index array and reads the property through `ClassInfo`; false, with `Value`
    /// untouched, when the property does not resolve.
    bool TryRead(TzelClassInfo* ClassInfo, host::Variant& Value);
    /// Applies the index array and writes the property; false when it does not resolve.
    bool TryWrite(TzelClassInfo* ClassInfo, const host::Variant& Value);
    /// As `TryRead` and `TryWrite`, raising the name setter's message when the property does not
    /// resolve.
    host::Variant Read(TzelClassInfo* ClassInfo);
    void Write(TzelClassInfo* ClassInfo, const host::Variant& Value);

    /// "no target property" or "unknown target property 'X'" when the name does not resolve
    /// in `ClassInfo`; empty when it does.
    host::AnsiString Diagnose(TzelClassInfo* ClassInfo);

    /// Defines the index array's stream property: written when the array holds an array.
    void DefineProperties(host::TFiler* Filer);

private:
    TzelPropertyInfo* Prepared(TzelClassInfo* ClassInfo);
    [[noreturn]] void RaiseUnresolved(TzelClassInfo* ClassInfo) const;
    void ReadIndexes(host::TReader* Reader);
    void WriteIndexes(host::TWriter* Writer);

    const TzelPropertyRole* FRole;
    host::AnsiString FName;
    TzelFeatureCache<TzelPropertyInfo> FInfo;
    host::Variant FIndexes;
};

} // namespace zeltrix
