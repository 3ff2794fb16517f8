// Index arrays of indexed properties: one Variant array per property name a connection names,
// created with the name, validated when set, applied right before each read or write, and
// saved as a list of strings.
#pragma once

#include "host/system/Variant.h"

namespace host {
class TReader;
class TWriter;
} // namespace host

namespace zeltrix {

class TzelClassInfo;
class TzelPropertyInfo;

/// The messages of one property name and its index array.
struct TzelIndexMessages {
    const char* NameComponent; // property-name setter: no component
    const char* NameProperty;  // property-name setter: no such property
    const char* Component;     // index setter, in the order of its five tests
    const char* Property;
    const char* NotArray;
    const char* DimCount;
    const char* DimSize;
};

extern const TzelIndexMessages zelTargetPropertyMessages;
extern const TzelIndexMessages zelValueComponentPropertyMessages;
extern const TzelIndexMessages zelComponentPropertyMessages;
extern const TzelIndexMessages zelSourcePropertyMessages;

/// A one-dimensional array 0 .. Count - 1 of empty Variants.
host::Variant zelNewIndexArray(int Count);

/// The property-name setter: stores `Value`; when `Validate`, checks it against `ClassInfo`
/// (restoring the old name on failure) and recreates `Indexes` for the property found.
void zelSetPropertyName(host::AnsiString& Name, host::Variant& Indexes,
                        const host::AnsiString& Value, bool Validate, TzelClassInfo* ClassInfo,
                        const TzelIndexMessages& Messages);

/// The index setter: when `Validate`, runs the five tests against the class info and the property
/// it resolved (null when none); then copies `Value` into `Indexes`.
void zelSetPropertyIndex(host::Variant& Indexes, const host::Variant& Value, bool Validate,
                         TzelClassInfo* ClassInfo, TzelPropertyInfo* Property,
                         const TzelIndexMessages& Messages);

/// Writes the array into the property's index slots. Every slot is written: a missing array or
/// a short one leaves empty values rather than those of an earlier access; elements beyond the
/// property's index list are ignored (possible only through a hand-edited form file).
void zelApplyIndexArray(TzelPropertyInfo* Property, const host::Variant& Indexes,
                        const TzelIndexMessages& Messages);

/// Saving and loading: a list of strings, one per element.
void zelWriteIndexArray(host::TWriter* Writer, const host::Variant& Indexes);
host::Variant zelReadIndexArray(host::TReader* Reader);

} // namespace zeltrix
