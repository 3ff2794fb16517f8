// Dispatch by name over the family tables: the rows that handle a record, and the owner check.
#include "core/ClassInfoFamily.h"

#include "host/system/SysUtils.h"

#include <vector>

namespace zeltrix {

using host::Exception;

// ---- name dispatch ----
//
// The class info's own rows by exact name, else its parent's, as a chain of overrides would.
// A record remembers the rows it resolved to for the table that dispatched it, so a call
// through a record compares no names; another table (a record passed to a class info of another
// class) resolves afresh. Rows are constant data, so a remembered row never dangles.

const TzelPropRow* TzelDispatch::FindGetter(const TzelClassTable& Table, const AnsiString& Name) {
    for (const TzelClassTable* t = &Table; t; t = t->Parent)
        for (const TzelPropRow& r : t->Properties)
            if (r.Get && Name == r.Name) return &r;
    return nullptr;
}

const TzelPropRow* TzelDispatch::FindSetter(const TzelClassTable& Table, const AnsiString& Name) {
    for (const TzelClassTable* t = &Table; t; t = t->Parent)
        for (const TzelPropRow& r : t->Properties)
            if (r.Set && Name == r.Name) return &r;
    return nullptr;
}

const TzelMethodRow* TzelDispatch::FindInvoker(const TzelClassTable& Table,
                                               const AnsiString& Name) {
    for (const TzelClassTable* t = &Table; t; t = t->Parent)
        for (const TzelMethodRow& r : t->Methods)
            if (Name == r.Name) return &r;
    return nullptr;
}

namespace {
[[noreturn]] void PropertyNotFound(const TzelPropertyInfo* Info) {
    throw Exception("Property " + (Info ? Info->Name : AnsiString()) + " not found!");
}
} // namespace

Variant TzelDispatch::Get(TzelClassInfo* Self, const TzelClassTable& Table,
                          TzelPropertyInfo* Info) {
    if (!Info) PropertyNotFound(Info);
    if (Info->FDispatchKey != &Table) {
        Info->FGetRow = FindGetter(Table, Info->Name);
        Info->FSetRow = FindSetter(Table, Info->Name);
        Info->FDispatchKey = &Table;
    }
    auto* row = static_cast<const TzelPropRow*>(Info->FGetRow);
    if (!row) PropertyNotFound(Info);
    TzelClassInfoGuard guard(Self);
    return row->Get(Self, Info);
}

void TzelDispatch::Set(TzelClassInfo* Self, const TzelClassTable& Table, TzelPropertyInfo* Info,
                       const Variant& Value) {
    if (!Info) PropertyNotFound(Info);
    if (Info->FDispatchKey != &Table) {
        Info->FGetRow = FindGetter(Table, Info->Name);
        Info->FSetRow = FindSetter(Table, Info->Name);
        Info->FDispatchKey = &Table;
    }
    auto* row = static_cast<const TzelPropRow*>(Info->FSetRow);
    if (!row) PropertyNotFound(Info);
    TzelClassInfoGuard guard(Self);
    row->Set(Self, Info, Value);
}

void TzelDispatch::Invoke(TzelClassInfo* Self, const TzelClassTable& Table, TzelMethodInfo* Info) {
    if (!Info) throw Exception("Method  not found!");
    if (Info->FDispatchKey != &Table) {
        Info->FRow = FindInvoker(Table, Info->Name);
        Info->FDispatchKey = &Table;
    }
    auto* row = static_cast<const TzelMethodRow*>(Info->FRow);
    if (!row) throw Exception("Method " + Info->Name + " not found!");
    // A method may destroy the owner, and with it this class info (Free, DestroyComponents):
    // the guard keeps the class info and its records valid until the call has returned.
    TzelClassInfoGuard guard(Self);
    row->Invoke(Self, Info);
}

void TzelDispatch::NoOwner() {
    throw Exception("Class info has no object!");
}

void TzelDispatch::MissingArguments(const TzelFeature* Info, int Needed) {
    throw Exception(host::Format("%s needs %d argument values!", {Info->Name, Needed}));
}

void TzelDispatch::CheckOwner(TzelClassInfo* Self, const TzelClassTable& Table) {
    TObject* o = Self->FOwner;
    if (o && !o->InheritsFrom(Table.HostClass))
        throw host::EInvalidCast(host::Format("A %s class info cannot describe a %s",
                                              {Table.HostClass->ClassName, o->ClassName()}));
}

} // namespace zeltrix
