#include "connections/Zelindexes.h"

#include "connections/Zelconlist.h"
#include "core/Zelcommon.h"
#include "host/classes/Reader.h"
#include "host/classes/Writer.h"

#include <vector>

namespace zeltrix {

using namespace host;

const TzelIndexMessages zelTargetPropertyMessages = {
    "Invalid TargetProperty value. Unknown Target component",
    "Invalid TargetProperty value. Unknown target property",
    "Invalid TargetPropertyIndex value. Unknown Target component",
    "Invalid TargetPropertyIndex value. Unknown TargetProperty",
    "Invalid TargetPropertyIndex value. Value is not array",
    "Invalid TargetPropertyIndex value. Invalid dimension count",
    "Invalid TargetPropertyIndex value. Invalid dimension size",
};

const TzelIndexMessages zelValueComponentPropertyMessages = {
    "Invalid ValueComponentProperty value. Unknown ValueComponent component",
    "Invalid ValueComponentProperty value. Unknown source property",
    "Invalid ValueComponentPropertyIndex value. Unknown ValueComponent component",
    "Invalid ValueComponentPropertyIndex value. Unknown ValueComponentProperty",
    "Invalid ValueComponentPropertyIndex value. Value is not array",
    "Invalid ValueComponentPropertyIndex value. Invalid dimension count",
    "Invalid ValueComponentPropertyIndex value. Invalid dimension size",
};

const TzelIndexMessages zelComponentPropertyMessages = {
    "Invalid ComponentProperty value. Unknown Component component",
    "Invalid ComponentProperty value. Unknown source property",
    "Invalid ComponentPropertyIndex value. Unknown Component component",
    "Invalid ComponentPropertyIndex value. Unknown ComponentProperty",
    "Invalid ComponentPropertyIndex value. Value is not array",
    "Invalid ComponentPropertyIndex value. Invalid dimension count",
    "Invalid ComponentPropertyIndex value. Invalid dimension size",
};

const TzelIndexMessages zelSourcePropertyMessages = {
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

void zelSetPropertyName(AnsiString& Name, Variant& Indexes, const AnsiString& Value, bool Validate,
                        TzelClassInfo* ClassInfo, const TzelIndexMessages& Messages) {
    if (Value == Name) return;
    AnsiString old = Name;
    Name = Value;
    if (!Validate) return;
    if (Value.empty()) {
        Indexes = zelNewIndexArray(1);
        return;
    }
    TzelPropertyInfo* info = ClassInfo ? ClassInfo->FindProperty(Value) : nullptr;
    if (!info) {
        Name = std::move(old);
        throw EzelInvalidFeature(ClassInfo ? Messages.NameProperty : Messages.NameComponent);
    }
    Indexes = zelNewIndexArray(info->GetIndexCount());
}

void zelSetPropertyIndex(Variant& Indexes, const Variant& Value, bool Validate,
                         TzelClassInfo* ClassInfo, TzelPropertyInfo* Property,
                         const TzelIndexMessages& Messages) {
    if (Validate) {
        const char* failure = !ClassInfo                     ? Messages.Component
                              : !Property                    ? Messages.Property
                              : !VarIsArray(Value)           ? Messages.NotArray
                              : VarArrayDimCount(Value) != 1 ? Messages.DimCount
                              : VarArrayHighBound(Value, 1) + 1 != Property->GetIndexCount()
                                  ? Messages.DimSize
                                  : nullptr;
        if (failure) throw EzelInvalidFeature(failure);
    }
    Indexes = Value;
}

void zelApplyIndexArray(TzelPropertyInfo* Property, const Variant& Indexes,
                        const TzelIndexMessages& Messages) {
    int count = Property->GetIndexCount();
    if (count == 0) return;
    int high = -1;
    if (VarIsArray(Indexes)) {
        if (VarArrayDimCount(Indexes) != 1) throw EzelInvalidFeature(Messages.DimCount);
        high = VarArrayHighBound(Indexes, 1);
    }
    for (int i = 0; i < count; ++i) {
        Variant& slot = Property->GetIndexes(i)->Value;
        if (i <= high)
            slot = Indexes[i];
        else
            slot.Clear();
    }
}

void zelWriteIndexArray(TWriter* Writer, const Variant& Indexes) {
    Writer->WriteListBegin();
    int high = VarArrayHighBound(Indexes, 1);
    for (int i = 0; i <= high; ++i) Writer->WriteString(VarToStr(Indexes[i]));
    Writer->WriteListEnd();
}

Variant zelReadIndexArray(TReader* Reader) {
    std::vector<AnsiString> items;
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) items.push_back(Reader->ReadString());
    Reader->ReadListEnd();
    Variant result = zelNewIndexArray(static_cast<int>(items.size()));
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        result.PutElement({i}, Variant(items[i]));
    return result;
}

} // namespace zeltrix
