// A unit of class infos starting and stopping: its tables' texts built and registered, then
// released.
#include "core/ClassInfoFamily.h"

#include <vector>

namespace zeltrix {

namespace {
std::vector<const TzelClassTable*> StartedTables;
}

const TzelClassTable* zelFindTable(TzelClassInfoClass ClassInfoClass) {
    for (const TzelClassTable* t : StartedTables)
        if (t->ClassInfoClass == ClassInfoClass) return t;
    return nullptr;
}

const host::TTypeInfo* zelShownPropertyType(const TzelClassInfo* ClassInfo,
                                            const AnsiString& Name) {
    const TzelClassTable* t = ClassInfo ? zelFindTable(ClassInfo->ClassType()) : nullptr;
    const TzelPropRow* row = t ? TzelDispatch::FindGetter(*t, Name) : nullptr;
    return row ? row->Type : nullptr;
}

const host::TTypeInfo* zelShownResultType(const TzelClassInfo* ClassInfo, const AnsiString& Name) {
    const TzelClassTable* t = ClassInfo ? zelFindTable(ClassInfo->ClassType()) : nullptr;
    const TzelMethodRow* row = t ? TzelDispatch::FindInvoker(*t, Name) : nullptr;
    return row ? row->Type : nullptr;
}

void zelInitializeUnit(const TzelClassTable* const* Tables, int Count) {
    for (int i = 0; i < Count; ++i) {
        *Tables[i]->Texts = zelDescriptorTexts(*Tables[i]);
        StartedTables.push_back(Tables[i]);
    }
    for (int i = 0; i < Count; ++i)
        TzelClassRegistry::RegisterClass(Tables[i]->HostClass->ClassName, Tables[i]->ClassInfoClass,
                                         Tables[i]->HostClass);
}

void zelFinalizeUnit(const TzelClassTable* const* Tables, int Count) {
    for (int i = 0; i < Count; ++i) {
        *Tables[i]->Texts = TzelDescriptorTexts();
        std::erase(StartedTables, Tables[i]);
    }
}

} // namespace zeltrix
