#include "host/classes/TypInfo.h"

#include "host/system/SysUtils.h"

#include <algorithm>
#include <cmath>

namespace host {

HOST_METACLASS(EPropertyConvertError, Exception);

const char* TTypeInfo::TypeName() const {
    if (Kind == tkClass && ClassType) return ClassType->ClassName;
    return Name;
}

// ---- finding rows ----

const TPropInfo* ResolvePropInfo(TClass Owner, const TPropInfo* Prop) {
    // A re-publication may name a re-publication of a nearer ancestor: follow the chain up.
    for (TClass c = Owner ? Owner->Parent : nullptr; Prop && Prop->Republished; c = c->Parent) {
        if (!c) return nullptr;
        for (int i = 0; i < c->PropCount; ++i)
            if (SameText(c->Props[i].Name, Prop->Name)) {
                Prop = &c->Props[i];
                break;
            }
    }
    return Prop;
}

const TPropInfo* GetPropInfo(TClass AClass, const AnsiString& PropName) {
    for (TClass c = AClass; c; c = c->Parent)
        for (int i = 0; i < c->PropCount; ++i) {
            const TPropInfo* p = &c->Props[i];
            if (p->IsPublished && SameText(p->Name, PropName)) return ResolvePropInfo(c, p);
        }
    return nullptr;
}

const TPropInfo* GetPropInfo(TObject* Instance, const AnsiString& PropName) {
    return Instance ? GetPropInfo(Instance->ClassType(), PropName) : nullptr;
}

std::vector<const TPropInfo*> GetPropInfos(TClass AClass) {
    std::vector<TClass> chain;
    for (TClass c = AClass; c; c = c->Parent) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (int i = 0; i < (*it)->PropCount; ++i) {
            const TPropInfo* p = &(*it)->Props[i];
            if (!p->IsPublished) continue;
            const TPropInfo* row = ResolvePropInfo(*it, p);
            if (!row) continue; // names nothing an ancestor declares (caught by the tests)
            auto same = std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) {
                return SameText(q->Name, p->Name);
            });
            if (same != out.end())
                *same = row;
            else
                out.push_back(row);
        }
    return out;
}

std::vector<const TPropInfo*> GetPropList(TClass AClass) {
    std::vector<const TPropInfo*> out = GetPropInfos(AClass);
    std::stable_sort(out.begin(), out.end(), [](const TPropInfo* a, const TPropInfo* b) {
        return CompareText(a->Name, b->Name) < 0;
    });
    return out;
}

bool IsPublishedProp(TClass AClass, const AnsiString& PropName) {
    return GetPropInfo(AClass, PropName) != nullptr;
}

bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo) {
    if (PropInfo->StoredProc) return PropInfo->StoredProc(Instance);
    return PropInfo->StoredConst;
}

TTypeKind PropType(const TPropInfo* PropInfo) {
    return PropInfo->PropType->Kind;
}

// ---- enumerations and sets ----

AnsiString GetEnumName(const TTypeInfo* TypeInfo, Integer Value) {
    if (!TypeInfo) return AnsiString();
    if (TypeInfo->Kind == tkInteger || TypeInfo->Kind == tkInt64) return IntToStr(Value);
    if (TypeInfo->Kind != tkEnumeration || !TypeInfo->EnumNames) return AnsiString();
    if (Value < TypeInfo->MinValue || Value > TypeInfo->MaxValue) return AnsiString();
    return AnsiString(TypeInfo->EnumNames[Value]);
}

Integer GetEnumValue(const TTypeInfo* TypeInfo, const AnsiString& Name) {
    if (!TypeInfo) return -1;
    if (TypeInfo->Kind == tkInteger) {
        Integer v;
        return TryStrToInt(Name, v) ? v : -1;
    }
    if (TypeInfo->Kind != tkEnumeration || !TypeInfo->EnumNames) return -1;
    for (Int64 i = TypeInfo->MinValue; i <= TypeInfo->MaxValue; ++i)
        if (SameText(AnsiString(TypeInfo->EnumNames[i]), Name)) return static_cast<Integer>(i);
    return -1;
}

AnsiString SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets) {
    AnsiString s;
    const TTypeInfo* comp = SetType ? SetType->CompType : nullptr;
    for (int i = 0; i < 64; ++i) {
        if (!((static_cast<std::uint64_t>(Value) >> i) & 1u)) continue;
        if (!s.empty()) s += ',';
        s += comp ? GetEnumName(comp, i) : IntToStr(i);
    }
    return Brackets ? "[" + s + "]" : s;
}

AnsiString SetToString(const TPropInfo* PropInfo, Int64 Value, bool Brackets) {
    return SetToString(PropInfo->PropType, Value, Brackets);
}

Int64 StringToSet(const TTypeInfo* SetType, const AnsiString& Value) {
    AnsiString s = Trim(Value);
    if (!s.empty() && s.front() == '[') s.erase(0, 1);
    if (!s.empty() && s.back() == ']') s.pop_back();
    const TTypeInfo* comp = SetType ? SetType->CompType : nullptr;
    std::uint64_t bits = 0;
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t comma = s.find(',', start);
        if (comma == AnsiString::npos) comma = s.size();
        AnsiString name = Trim(s.substr(start, comma - start));
        start = comma + 1;
        if (name.empty()) {
            if (comma == s.size()) break;
            continue;
        }
        Integer v = GetEnumValue(comp, name);
        if (v < 0 || v >= 64)
            RaiseFmt<EPropertyConvertError>("Invalid property element: %s", {name});
        bits |= std::uint64_t(1) << v;
    }
    return static_cast<Int64>(bits);
}

Int64 StringToSet(const TPropInfo* PropInfo, const AnsiString& Value) {
    return StringToSet(PropInfo->PropType, Value);
}

// ---- typed access ----

namespace {
void Require(const TPropInfo* P, TPropAccessKind Kind) {
    if (P->Access != Kind)
        RaiseFmt<EPropertyError>("Invalid property type: %s", {P->PropType->TypeName()});
}
void RequireSetter(const TPropInfo* P, TPropAccessKind Kind) {
    Require(P, Kind);
    if (!P->HasSetter) RaiseFmt<EPropertyError>("Property %s is read-only", {P->Name});
}
} // namespace

Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo) {
    Require(PropInfo, TPropAccessKind::Ord);
    return PropInfo->GetProc.Ord(Instance);
}

void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value) {
    RequireSetter(PropInfo, TPropAccessKind::Ord);
    PropInfo->SetProc.Ord(Instance, Value);
}

AnsiString GetEnumProp(TObject* Instance, const TPropInfo* PropInfo) {
    return GetEnumName(PropInfo->PropType, static_cast<Integer>(GetOrdProp(Instance, PropInfo)));
}

void SetEnumProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value) {
    Integer v = GetEnumValue(PropInfo->PropType, Value);
    if (v < 0) RaiseFmt<EPropertyConvertError>("Invalid property element: %s", {Value});
    SetOrdProp(Instance, PropInfo, v);
}

AnsiString GetSetProp(TObject* Instance, const TPropInfo* PropInfo, bool Brackets) {
    return SetToString(PropInfo, GetOrdProp(Instance, PropInfo), Brackets);
}

void SetSetProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value) {
    SetOrdProp(Instance, PropInfo, StringToSet(PropInfo, Value));
}

AnsiString GetStrProp(TObject* Instance, const TPropInfo* PropInfo) {
    if (PropInfo->Access == TPropAccessKind::WStr)
        return WideToString(PropInfo->GetProc.WStr(Instance));
    Require(PropInfo, TPropAccessKind::Str);
    return PropInfo->GetProc.Str(Instance);
}

void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const AnsiString& Value) {
    if (PropInfo->Access == TPropAccessKind::WStr)
        return SetWideStrProp(Instance, PropInfo, StringToWide(Value));
    RequireSetter(PropInfo, TPropAccessKind::Str);
    PropInfo->SetProc.Str(Instance, Value);
}

WideString GetWideStrProp(TObject* Instance, const TPropInfo* PropInfo) {
    if (PropInfo->Access == TPropAccessKind::Str)
        return StringToWide(PropInfo->GetProc.Str(Instance));
    Require(PropInfo, TPropAccessKind::WStr);
    return PropInfo->GetProc.WStr(Instance);
}

void SetWideStrProp(TObject* Instance, const TPropInfo* PropInfo, const WideString& Value) {
    if (PropInfo->Access == TPropAccessKind::Str)
        return SetStrProp(Instance, PropInfo, WideToString(Value));
    RequireSetter(PropInfo, TPropAccessKind::WStr);
    PropInfo->SetProc.WStr(Instance, Value);
}

Extended GetFloatProp(TObject* Instance, const TPropInfo* PropInfo) {
    if (PropInfo->Access == TPropAccessKind::Curr)
        return CurrToFloat(PropInfo->GetProc.Curr(Instance));
    Require(PropInfo, TPropAccessKind::Float);
    return PropInfo->GetProc.Float(Instance);
}

void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, Extended Value) {
    if (PropInfo->Access == TPropAccessKind::Curr)
        return SetCurrProp(Instance, PropInfo, FloatToCurr(Value));
    RequireSetter(PropInfo, TPropAccessKind::Float);
    PropInfo->SetProc.Float(Instance, Value);
}

Currency GetCurrProp(TObject* Instance, const TPropInfo* PropInfo) {
    if (PropInfo->Access == TPropAccessKind::Float)
        return FloatToCurr(PropInfo->GetProc.Float(Instance));
    Require(PropInfo, TPropAccessKind::Curr);
    return PropInfo->GetProc.Curr(Instance);
}

void SetCurrProp(TObject* Instance, const TPropInfo* PropInfo, Currency Value) {
    if (PropInfo->Access == TPropAccessKind::Float)
        return SetFloatProp(Instance, PropInfo, CurrToFloat(Value));
    RequireSetter(PropInfo, TPropAccessKind::Curr);
    PropInfo->SetProc.Curr(Instance, Value);
}

Int64 GetInt64Prop(TObject* Instance, const TPropInfo* PropInfo) {
    return GetOrdProp(Instance, PropInfo);
}

void SetInt64Prop(TObject* Instance, const TPropInfo* PropInfo, Int64 Value) {
    SetOrdProp(Instance, PropInfo, Value);
}

Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo) {
    Require(PropInfo, TPropAccessKind::Var);
    return PropInfo->GetProc.Var(Instance);
}

void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value) {
    RequireSetter(PropInfo, TPropAccessKind::Var);
    PropInfo->SetProc.Var(Instance, Value);
}

TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo) {
    Require(PropInfo, TPropAccessKind::Obj);
    return PropInfo->GetProc.Obj(Instance);
}

void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value) {
    RequireSetter(PropInfo, TPropAccessKind::Obj);
    if (Value && !Value->InheritsFrom(PropInfo->PropType->ClassType))
        throw EPropertyError("Invalid property value");
    PropInfo->SetProc.Obj(Instance, Value);
}

TMethod GetMethodProp(TObject* Instance, const TPropInfo* PropInfo) {
    Require(PropInfo, TPropAccessKind::Method);
    return PropInfo->GetProc.Method(Instance);
}

void SetMethodProp(TObject* Instance, const TPropInfo* PropInfo, const TMethod& Value) {
    RequireSetter(PropInfo, TPropAccessKind::Method);
    PropInfo->SetProc.Method(Instance, Value);
}

// ---- integer constants ----

namespace {
struct IntConstsEntry {
    const TTypeInfo* Type;
    TIdentToInt IdentToInt;
    TIntToIdent IntToIdent;
};
std::vector<IntConstsEntry>& IntConsts() {
    static std::vector<IntConstsEntry> list;
    return list;
}
} // namespace

void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToInt,
                           TIntToIdent IntToIdent) {
    UnRegisterIntegerConsts(IntegerType);
    IntConsts().push_back({IntegerType, IdentToInt, IntToIdent});
}

void UnRegisterIntegerConsts(const TTypeInfo* IntegerType) {
    auto& l = IntConsts();
    l.erase(std::remove_if(l.begin(), l.end(),
                           [&](const IntConstsEntry& e) { return e.Type == IntegerType; }),
            l.end());
}

TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType) {
    if (IntegerType && IntegerType->IdentToInt) return IntegerType->IdentToInt;
    for (const auto& e : IntConsts())
        if (e.Type == IntegerType) return e.IdentToInt;
    return nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType) {
    if (IntegerType && IntegerType->IntToIdent) return IntegerType->IntToIdent;
    for (const auto& e : IntConsts())
        if (e.Type == IntegerType) return e.IntToIdent;
    return nullptr;
}

} // namespace host
