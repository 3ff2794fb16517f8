#include "host/classes/Persistent.h"

namespace host {

HOST_METACLASS(TPersistent, TObject);

TPersistent::~TPersistent() = default;

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
