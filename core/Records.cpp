// Metadata records: features, parameter infos and the listener.
#include "core/Zelcommon.h"

#include "host/classes/Lists.h"

namespace zeltrix {

HOST_METACLASS(TzelFeature, TObject);
HOST_METACLASS(TzelParameterInfo, TzelFeature);
HOST_METACLASS(TzelPropertyInfo, TzelFeature);
HOST_METACLASS(TzelMethodInfo, TzelFeature);
HOST_METACLASS(TzelConstructorInfo, TzelFeature);
HOST_METACLASS(TzelEventInfo, TzelFeature);
HOST_METACLASS(TzelListener, TObject);

namespace {
TzelParameterInfo* ArgAt(const TzelArguments& Args, int Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= Args.size())
        host::TList::Error(&host::SListIndexError, Index);
    return Args[static_cast<std::size_t>(Index)];
}

TzelParameterInfo* FindArg(const TzelArguments& Args, const AnsiString& Name) {
    for (TzelParameterInfo* p : Args)
        if (p->Name == Name) return p;
    return nullptr;
}

void FreeArgs(const TzelArguments& Args) {
    for (TzelParameterInfo* p : Args) delete p;
}
} // namespace

TzelFeature::TzelFeature(TzelClassInfo* AClassInfo, AnsiString AName)
    : ClassInfo(AClassInfo), Name(std::move(AName)) {}

TzelParameterInfo::TzelParameterInfo(TzelClassInfo* AClassInfo, AnsiString AName)
    : TzelFeature(AClassInfo, std::move(AName)) {}

TzelPropertyInfo::TzelPropertyInfo(TzelClassInfo* AClassInfo, AnsiString AName,
                                   TzelPropertyStyle AStyle, TzelPropertyVisibility AVisibility,
                                   const TzelArguments& AIndexes)
    : TzelFeature(AClassInfo, std::move(AName)), Style(AStyle), Visibility(AVisibility),
      Indexes(AIndexes) {}

TzelPropertyInfo::~TzelPropertyInfo() {
    FreeArgs(Indexes);
}

TzelParameterInfo* TzelPropertyInfo::GetIndexes(int Index) const {
    return ArgAt(Indexes, Index);
}

TzelMethodInfo::TzelMethodInfo(TzelClassInfo* AClassInfo, AnsiString AName,
                               const TzelArguments& AArgs, TzelMethodStyle AStyle)
    : TzelFeature(AClassInfo, std::move(AName)), Style(AStyle), Args(AArgs) {}

TzelMethodInfo::~TzelMethodInfo() {
    FreeArgs(Args);
}

TzelParameterInfo* TzelMethodInfo::GetArgs(int Index) const {
    return ArgAt(Args, Index);
}
TzelParameterInfo* TzelMethodInfo::Find(const AnsiString& AName) const {
    return FindArg(Args, AName);
}

TzelConstructorInfo::TzelConstructorInfo(TzelClassInfo* AClassInfo, AnsiString AName,
                                         const TzelArguments& AArgs)
    : TzelFeature(AClassInfo, std::move(AName)), Args(AArgs) {}

TzelConstructorInfo::~TzelConstructorInfo() {
    FreeArgs(Args);
}

TzelParameterInfo* TzelConstructorInfo::GetArgs(int Index) const {
    return ArgAt(Args, Index);
}
TzelParameterInfo* TzelConstructorInfo::Find(const AnsiString& AName) const {
    return FindArg(Args, AName);
}

TzelEventInfo::TzelEventInfo(TzelClassInfo* AClassInfo, AnsiString AName,
                             const TzelArguments& AArgs, TzelPropertyVisibility AVisibility)
    : TzelFeature(AClassInfo, std::move(AName)), Args(AArgs), Visibility(AVisibility) {}

TzelEventInfo::~TzelEventInfo() {
    FreeArgs(Args);
}

TzelParameterInfo* TzelEventInfo::GetArgs(int Index) const {
    return ArgAt(Args, Index);
}
TzelParameterInfo* TzelEventInfo::Find(const AnsiString& AName) const {
    return FindArg(Args, AName);
}

} // namespace zeltrix
