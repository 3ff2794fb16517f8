#include "connections/Zelpropref.h"

#include "core/Zelcommon.h"
#include "host/classes/Filer.h"
#include "host/classes/Reader.h"
#include "host/classes/Writer.h"

#include <vector>

namespace zeltrix {

using namespace host;

const TzelPropertyRole zelTargetPropertyRole = {
    "TargetPropertyIndexes",
    "target property",
    "Invalid TargetProperty value. Unknown Target component",
    "Invalid TargetProperty value. Unknown target property",
    "Invalid TargetPropertyIndex value. Unknown Target component",
    "Invalid TargetPropertyIndex value. Unknown TargetProperty",
    "Invalid TargetPropertyIndex value. Value is not array",
    "Invalid TargetPropertyIndex value. Invalid dimension count",
    "Invalid TargetPropertyIndex value. Invalid dimension size",
};

const TzelPropertyRole zelValueComponentPropertyRole = {
    "ValueComponentPropertyIndexes",
    "value component property",
    "Invalid ValueComponentProperty value. Unknown ValueComponent component",
    "Invalid ValueComponentProperty value. Unknown source property",
    "Invalid ValueComponentPropertyIndex value. Unknown ValueComponent component",
    "Invalid ValueComponentPropertyIndex value. Unknown ValueComponentProperty",
    "Invalid ValueComponentPropertyIndex value. Value is not array",
    "Invalid ValueComponentPropertyIndex value. Invalid dimension count",
    "Invalid ValueComponentPropertyIndex value. Invalid dimension size",
};

const TzelPropertyRole zelComponentPropertyRole = {
    "ComponentPropertyIndexes",
    "component property",
    "Invalid ComponentProperty value. Unknown Component component",
    "Invalid ComponentProperty value. Unknown source property",
    "Invalid ComponentPropertyIndex value. Unknown Component component",
    "Invalid ComponentPropertyIndex value. Unknown ComponentProperty",
    "Invalid ComponentPropertyIndex value. Value is not array",
    "Invalid ComponentPropertyIndex value. Invalid dimension count",
    "Invalid ComponentPropertyIndex value. Invalid dimension size",
};

const TzelPropertyRole zelSourcePropertyRole = {
    "SourcePropertyIndexes",
    "source property",
    "Invalid SourceProperty value. Unknown Source component",
    "Invalid SourceProperty value. Unknown source property",
    "Invalid SourcePropertyIndex value. Unknown Source component",
    "Invalid SourcePropertyIndex value. Unknown SourceProperty",
    "Invalid SourcePropertyIndex value. Value is not array",
    "Invalid SourcePropertyIndex value. Invalid dimension count",
    "Invalid SourcePropertyIndex value. Invalid dimension size",
};

Variant zelNewIndexArray(int Count) {
    return VarArrayCreate({0, Count - 1}, varVariant);
}

void TzelPropertyRef::SetName(const AnsiString& Value, bool Validate, TzelClassInfo* ClassInfo) {
    if (Value == FName) return;
    AnsiString old = FName;
    FName = Value;
    if (!Validate) return;
    if (Value.empty()) {
        FIndexes = zelNewIndexArray(1);
        return;
    }
    TzelPropertyInfo* info = ClassInfo ? ClassInfo->FindProperty(Value) : nullptr;
    if (!info) {
        FName = std::move(old);
        throw EzelInvalidFeature(ClassInfo ? FRole->NameProperty : FRole->NameComponent);
    }
    FIndexes = zelNewIndexArray(info->GetIndexCount());
}

void TzelPropertyRef::SetIndexes(const Variant& Value, bool Validate, TzelClassInfo* ClassInfo) {
    if (Validate) {
        TzelPropertyInfo* property = Info(ClassInfo);
        const char* failure = !ClassInfo                     ? FRole->Component
                              : !property                    ? FRole->Property
                              : !VarIsArray(Value)           ? FRole->NotArray
                              : VarArrayDimCount(Value) != 1 ? FRole->DimCount
                              : VarArrayHighBound(Value, 1) + 1 != property->GetIndexCount()
                                  ? FRole->DimSize
                                  : nullptr;
        if (failure) throw EzelInvalidFeature(failure);
    }
    FIndexes = Value;
}

void TzelPropertyRef::Assign(const TzelPropertyRef& Source) {
    FName = Source.FName;
    FIndexes = Source.FIndexes;
    FInfo.Clear();
}

// Every slot is written: a missing array or a short one leaves empty values rather than those
// of an earlier access; elements beyond the property's index list are ignored (possible only
// through a hand-edited form file). Applied right before each access, since one property record
// may serve several references (two cells of one grid).
TzelPropertyInfo* TzelPropertyRef::Prepared(TzelClassInfo* ClassInfo) {
    TzelPropertyInfo* property = Info(ClassInfo);
    if (!property) return nullptr;
    int count = property->GetIndexCount();
    if (count == 0) return property;
    int high = -1;
    if (VarIsArray(FIndexes)) {
        if (VarArrayDimCount(FIndexes) != 1) throw EzelInvalidFeature(FRole->DimCount);
        high = VarArrayHighBound(FIndexes, 1);
    }
    for (int i = 0; i < count; ++i) {
        Variant& slot = property->GetIndexes(i)->Value;
        if (i <= high)
            slot = FIndexes[i];
        else
            slot.Clear();
    }
    return property;
}

bool TzelPropertyRef::TryRead(TzelClassInfo* ClassInfo, Variant& Value) {
    TzelPropertyInfo* property = Prepared(ClassInfo);
    if (!property) return false;
    Value = ClassInfo->GetProperty(property);
    return true;
}

bool TzelPropertyRef::TryWrite(TzelClassInfo* ClassInfo, const Variant& Value) {
    TzelPropertyInfo* property = Prepared(ClassInfo);
    if (!property) return false;
    ClassInfo->SetProperty(property, Value);
    return true;
}

void TzelPropertyRef::RaiseUnresolved(TzelClassInfo* ClassInfo) const {
    throw EzelInvalidFeature(ClassInfo ? FRole->NameProperty : FRole->NameComponent);
}

Variant TzelPropertyRef::Read(TzelClassInfo* ClassInfo) {
    Variant value;
    if (!TryRead(ClassInfo, value)) RaiseUnresolved(ClassInfo);
    return value;
}

void TzelPropertyRef::Write(TzelClassInfo* ClassInfo, const Variant& Value) {
    if (!TryWrite(ClassInfo, Value)) RaiseUnresolved(ClassInfo);
}

AnsiString TzelPropertyRef::Diagnose(TzelClassInfo* ClassInfo) {
    return Info(ClassInfo) ? AnsiString() : zelMissingName(FName, FRole->Described);
}

void TzelPropertyRef::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(FRole->StreamName, TReaderProc::Bind<&TzelPropertyRef::ReadIndexes>(this),
                          TWriterProc::Bind<&TzelPropertyRef::WriteIndexes>(this),
                          VarIsArray(FIndexes));
}

// Saved as a list of strings, one per element; read back as an array of string Variants.
void TzelPropertyRef::WriteIndexes(TWriter* Writer) {
    Writer->WriteListBegin();
    int high = VarArrayHighBound(FIndexes, 1);
    for (int i = 0; i <= high; ++i) Writer->WriteString(VarToStr(FIndexes[i]));
    Writer->WriteListEnd();
}

void TzelPropertyRef::ReadIndexes(TReader* Reader) {
    std::vector<AnsiString> items;
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) items.push_back(Reader->ReadString());
    Reader->ReadListEnd();
    Variant result = zelNewIndexArray(static_cast<int>(items.size()));
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        result.PutElement({i}, Variant(items[i]));
    FIndexes = std::move(result);
}

} // namespace zeltrix
