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

Integer TKeptProperties::FindInteger(const AnsiString& Name, Integer Default) const {
    const TKeptProperty* p = Find(Name);
    if (!p || p->Value.empty()) return Default;
    // The binary form's integer values: a tag (vaInt8, vaInt16, vaInt32), then little-endian.
    const std::string& v = p->Value;
    std::size_t size = v[0] == 2 ? 1 : v[0] == 3 ? 2 : v[0] == 4 ? 4 : 0;
    if (!size || v.size() != 1 + size) return Default;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < size; ++i) bits |= std::uint32_t(Byte(v[1 + i])) << (8 * i);
    if (size == 1) return Integer(std::int8_t(bits));
    if (size == 2) return Integer(std::int16_t(bits));
    return Integer(std::int32_t(bits));
}

void TKeptProperties::NoteRead(const AnsiString& Name) {
    AnsiString first = Name.substr(0, Name.find('.'));
    if (!WasRead(first)) FRead.push_back(first);
}

bool TKeptProperties::WasRead(const AnsiString& Name) const {
    for (const AnsiString& n : FRead)
        if (SameText(n, Name)) return true;
    return false;
}

AnsiString TKeptProperties::FindIdent(const AnsiString& Name) const {
    const TKeptProperty* p = Find(Name);
    // vaIdent, a length byte, the characters.
    if (!p || p->Value.size() < 2 || p->Value[0] != 7) return AnsiString();
    std::size_t n = Byte(p->Value[1]);
    return p->Value.size() == 2 + n ? p->Value.substr(2) : AnsiString();
}

bool TKeptProperties::FindBoolean(const AnsiString& Name, bool Default) const {
    const TKeptProperty* p = Find(Name);
    if (!p || p->Value.size() != 1) return Default;
    return p->Value[0] == 9 ? true : p->Value[0] == 8 ? false : Default; // vaTrue, vaFalse
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
