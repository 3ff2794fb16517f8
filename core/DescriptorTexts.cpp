// The four descriptor texts of a family table, produced from its rows.
#include "core/ClassInfoFamily.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

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

} // namespace zeltrix
