// The host's TypInfo unit: finding the published properties of a class, reading and writing
// them by their rows, enumeration and set names, and the integer-constant maps of the streaming
// system. The rows themselves are declared with TypInfoRows.h.
#pragma once

#include "host/classes/TypInfoRows.h"
#include "host/system/Exceptions.h"
#include "host/system/Variant.h"

#include <vector>

namespace host {

/// Raised for a set element or enumeration name that the type does not have.
HOST_EXCEPTION(EPropertyConvertError, Exception)

/// The row that gives `Prop` its accessors: itself, or for a re-publication the inherited row it
/// names (searched from `Owner`'s parent up). Null when no ancestor declares the name.
const TPropInfo* ResolvePropInfo(TClass Owner, const TPropInfo* Prop);

/// The property `PropName` of `AClass` or its ancestors (case-insensitive), or null.
const TPropInfo* GetPropInfo(TClass AClass, const AnsiString& PropName);
const TPropInfo* GetPropInfo(TObject* Instance, const AnsiString& PropName);
/// Every published property of `AClass` in streaming order: the root ancestor's first; a
/// property that a descendant redeclares keeps its place and takes the descendant's row.
std::vector<const TPropInfo*> GetPropInfos(TClass AClass);
/// The host's GetPropList: the same rows sorted by name.
std::vector<const TPropInfo*> GetPropList(TClass AClass);
bool IsPublishedProp(TClass AClass, const AnsiString& PropName);
bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo);
TTypeKind PropType(const TPropInfo* PropInfo);

AnsiString GetEnumName(const TTypeInfo* TypeInfo, Integer Value);
/// The ordinal of `Name` (case-insensitive), -1 when it is not a name of the type.
Integer GetEnumValue(const TTypeInfo* TypeInfo, const AnsiString& Name);

// Raise EPropertyError "Property %s does not exist"-style errors (see TypInfo.cpp) when the
// property is of another kind or has no setter.
Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo);
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value);
AnsiString GetEnumProp(TObject* Instance, const TPropInfo* PropInfo);
void SetEnumProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value);
AnsiString GetSetProp(TObject* Instance, const TPropInfo* PropInfo, bool Brackets = false);
void SetSetProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value);
AnsiString GetStrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value);
WideString GetWideStrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetWideStrProp(TObject* Instance, const TPropInfo* PropInfo, const WideString& Value);
Extended GetFloatProp(TObject* Instance, const TPropInfo* PropInfo);
void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, Extended Value);
Currency GetCurrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetCurrProp(TObject* Instance, const TPropInfo* PropInfo, Currency Value);
Int64 GetInt64Prop(TObject* Instance, const TPropInfo* PropInfo);
void SetInt64Prop(TObject* Instance, const TPropInfo* PropInfo, Int64 Value);
Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo);
void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value);
TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo);
/// Raises EPropertyError "Invalid property value" unless `Value` is null or of the
/// property's class.
void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value);
TMethod GetMethodProp(TObject* Instance, const TPropInfo* PropInfo);
void SetMethodProp(TObject* Instance, const TPropInfo* PropInfo, const TMethod& Value);

/// "[akLeft,akTop]" (with Brackets) or "akLeft,akTop" for the set bits `Value`.
AnsiString SetToString(const TPropInfo* PropInfo, Int64 Value, bool Brackets = false);
AnsiString SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets = false);
/// Parses "[akLeft, akTop]" or "akLeft,akTop"; raises EPropertyConvertError
/// "Invalid property element: %s" for a name that is not an element.
Int64 StringToSet(const TPropInfo* PropInfo, const AnsiString& Value);
Int64 StringToSet(const TTypeInfo* SetType, const AnsiString& Value);

// ---- integer constants: colours, cursors and the like stream as identifiers ----

/// Lets the streaming system write integers of `IntegerType` as identifiers and read them back
/// (types whose maps travel with them, NamedInt, need no registration).
void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToInt,
                           TIntToIdent IntToIdent);
void UnRegisterIntegerConsts(const TTypeInfo* IntegerType);
/// The type's own map, else the registered one, else null.
TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType);
TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType);

} // namespace host
