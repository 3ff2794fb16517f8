#include "host/classes/Persistent.h"

#include "host/classes/KeptProperties.h"
#include "host/system/SysUtils.h"

namespace host {

HOST_METACLASS(TPersistent, TObject);

TPersistent::~TPersistent() {
    delete FKept;
}

void TPersistent::KeepProperty(const AnsiString& Name, std::string Value) {
    if (!FKept) FKept = new TKeptProperties;
    FKept->Keep(Name, std::move(Value));
}

void TPersistent::KeepInherited(Integer ChildPos) {
    if (!FKept) FKept = new TKeptProperties;
    FKept->Inherited = true;
    FKept->ChildPos = ChildPos;
}

void TKeptProperties::Keep(const AnsiString& Name, std::string Value) {
    for (TKeptProperty& p : FItems)
        if (SameText(p.Name, Name)) {
            p.Value = std::move(Value);
            return;
        }
    FItems.push_back({Name, std::move(Value)});
}

const TKeptProperty* TKeptProperties::Find(const AnsiString& Name) const {
    for (const TKeptProperty& p : FItems)
        if (SameText(p.Name, Name)) return &p;
    return nullptr;
}

void TPersistent::Assign(TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
    AnsiString sourceName = Source ? Source->ClassName() : AnsiString("nil");
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

AnsiString TPersistent::GetNamePath() {
    AnsiString result = ClassName();
    if (TPersistent* owner = GetOwner()) {
        AnsiString s = owner->GetNamePath();
        if (!s.empty()) result = s + "." + result;
    }
    return result;
}

void TPersistent::DefineProperties(TFiler*) {}

TPersistent* TPersistent::GetOwner() {
    return nullptr;
}

} // namespace host
