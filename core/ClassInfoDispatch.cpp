// Dispatch by name over the family tables, and the descriptor texts built from them.
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
        throw host::EInvalidCast(
            host::Format("A %s class info cannot describe a %s", {Table.HostClass->ClassName, o->ClassName()}));
}

// ---- descriptor texts ----

namespace {
void AppendField(AnsiString& S, const char* Field) {
    if (!S.empty()) S += "::";
    S += Field;
}

void AppendField(AnsiString& S, const AnsiString& Field) {
    AppendField(S, Field.c_str());
}

/// "Count::Name1::Name2" from "Name1,Name2".
void AppendNames(AnsiString& S, const char* Names) {
    int count = 0;
    AnsiString list;
    const char* p = Names ? Names : "";
    while (*p) {
        const char* e = p;
        while (*e && *e != ',') ++e;
        list += "::";
        list.append(p, e);
        ++count;
        p = *e ? e + 1 : e;
    }
    AppendField(S, host::IntToStr(count));
    S += list;
}

AnsiString StyleText(TzelPropertyStyle Style) {
    AnsiString s;
    for (auto [e, name] : {std::pair{psReadable, "psReadable"}, std::pair{psWritable, "psWritable"},
                           std::pair{psIndexed, "psIndexed"}}) {
        if (!Style.Contains(e)) continue;
        if (!s.empty()) s += "..";
        s += name;
    }
    return s;
}

const char* VisibilityText(TzelPropertyVisibility V) {
    switch (V) {
    case pvProtected: return "pvProtected";
    case pvPublic: return "pvPublic";
    case pvPublished: return "pvPublished";
    }
    return "";
}
} // namespace

TzelDescriptorTexts zelDescriptorTexts(const TzelClassTable& Table) {
    TzelDescriptorTexts d;
    for (const TzelPropRow& r : Table.Properties) {
        AppendField(d.Properties, r.Override ? "Override" : "Define");
        AppendField(d.Properties, r.Name);
        AppendField(d.Properties, StyleText(r.Style));
        AppendField(d.Properties, VisibilityText(r.Visibility));
        if (!r.Override) AppendNames(d.Properties, r.Indexes);
    }
    for (const TzelMethodRow& r : Table.Methods) {
        AppendField(d.Methods, r.Name);
        AppendField(d.Methods, r.Style == msFunction ? "msFunction" : "msProcedure");
        AppendNames(d.Methods, r.Args);
    }
    for (const TzelCtorRow& r : Table.Constructors) {
        AppendField(d.Constructors, r.Name);
        AppendNames(d.Constructors, r.Args);
    }
    for (const TzelEventRow& r : Table.Events) {
        AppendField(d.Events, r.Override ? "Override" : "Define");
        AppendField(d.Events, r.Name);
        AppendField(d.Events, VisibilityText(r.Visibility));
        if (!r.Override) AppendNames(d.Events, r.Params);
    }
    return d;
}

namespace {
std::vector<const TzelClassTable*> StartedTables;
}

const TzelClassTable* zelFindTable(TzelClassInfoClass ClassInfoClass) {
    for (const TzelClassTable* t : StartedTables)
        if (t->ClassInfoClass == ClassInfoClass) return t;
    return nullptr;
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
