// zeltrix check FORM: lists every connection of every connection list with its kind and whether
// it connects; for one that does not, the first reason in the order Connect tests its names.
// Without it a connection whose names do not resolve just stays inactive, silently.
#include "tools/zeltrix/run.h"

#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
#include "host/classes/StandIn.h"
#include "host/system/Exceptions.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace zeltrix::tool {

using namespace host;

namespace {

/// What Connect finds wrong, first to last; empty when it would connect. `Notes` gathers what
/// Connect does not test but leaves silently unused.
struct Findings {
    AnsiString Problem;
    std::vector<AnsiString> Notes;
    /// Records a failed test unless an earlier one failed.
    void Test(bool Ok, const AnsiString& Reason) {
        if (!Ok && Problem.empty()) Problem = Reason;
    }
};

AnsiString Quoted(const AnsiString& Name) {
    return "'" + Name + "'";
}

/// "no source component" or "source component X has no class info".
AnsiString ComponentReason(TComponent* Component, const char* Role) {
    if (!Component) return AnsiString("no ") + Role + " component";
    return AnsiString(Role) + " component " + Component->GetName() + " has no class info";
}

/// "no target property" or "unknown target property 'X'".
AnsiString NameReason(const AnsiString& Name, const char* What) {
    if (Name.empty()) return AnsiString("no ") + What;
    return AnsiString("unknown ") + What + " " + Quoted(Name);
}

Findings CheckE2P(TzelE2PConnection* C) {
    Findings f;
    f.Test(C->GetSourceInfo(), ComponentReason(C->GetSource(), "source"));
    f.Test(C->GetTargetInfo(), ComponentReason(C->GetTarget(), "target"));
    f.Test(C->GetSourceEventInfo(), NameReason(C->GetSourceEvent(), "source event"));
    f.Test(C->GetTargetPropertyInfo(), NameReason(C->GetTargetProperty(), "target property"));
    switch (C->GetValueOptions()) {
    case voComponentProperty:
        f.Test(C->GetValueComponentInfo(), ComponentReason(C->GetValueComponent(), "value"));
        f.Test(C->GetValueComponentPropertyInfo(),
               NameReason(C->GetValueComponentProperty(), "value component property"));
        break;
    case voEventProperty:
        f.Test(C->GetValueEventParameterInfo(),
               NameReason(C->GetValueEventParameter(), "event parameter"));
        break;
    default: break;
    }
    return f;
}

Findings CheckE2M(TzelE2MConnection* C) {
    Findings f;
    f.Test(C->GetSourceInfo(), ComponentReason(C->GetSource(), "source"));
    f.Test(C->GetTargetInfo(), ComponentReason(C->GetTarget(), "target"));
    f.Test(C->GetSourceEventInfo(), NameReason(C->GetSourceEvent(), "source event"));
    f.Test(C->GetTargetMethodInfo(), NameReason(C->GetTargetMethod(), "target method"));
    if (!f.Problem.empty()) return f;
    // Connect does not test the items: one that does not resolve passes an empty value.
    TzelParameterConnections* items = C->GetTargetMethodParameters();
    for (int i = 0; i < items->GetCount(); ++i) {
        TzelParameterConnection* item = items->GetItem(i);
        AnsiString reason;
        if (!item->GetParameterInfo())
            reason = NameReason(item->GetParameterName(), "method parameter");
        else if (item->GetOptions() == voComponentProperty && !item->GetComponentInfo())
            reason = ComponentReason(item->GetComponent(), "parameter");
        else if (item->GetOptions() == voComponentProperty && !item->GetComponentPropertyInfo())
            reason = NameReason(item->GetComponentProperty(), "component property");
        else if (item->GetOptions() == voEventProperty && !item->GetEventParameterInfo())
            reason = NameReason(item->GetEventParameter(), "event parameter");
        if (!reason.empty())
            f.Notes.push_back("parameter " + item->GetDisplayName() + ": " + reason);
    }
    return f;
}

Findings CheckP2P(TzelP2PConnection* C) {
    Findings f;
    f.Test(C->GetSourceInfo(), ComponentReason(C->GetSource(), "source"));
    f.Test(C->GetTargetInfo(), ComponentReason(C->GetTarget(), "target"));
    f.Test(C->GetSourcePropertyInfo(), NameReason(C->GetSourceProperty(), "source property"));
    f.Test(C->GetTargetPropertyInfo(), NameReason(C->GetTargetProperty(), "target property"));
    if (!f.Problem.empty()) return f;
    // The events are optional: a named one that does not resolve leaves its direction idle.
    if (!C->GetSourceEvent().empty() && !C->GetSourceEventInfo())
        f.Notes.push_back("source to target never copies: " +
                          NameReason(C->GetSourceEvent(), "source event"));
    if (!C->GetTargetEvent().empty() && !C->GetTargetEventInfo())
        f.Notes.push_back("target to source never copies: " +
                          NameReason(C->GetTargetEvent(), "target event"));
    return f;
}

AnsiString KindOf(TzelConnection* C, Findings& F) {
    if (auto* e2p = DynCast<TzelE2PConnection>(C)) return F = CheckE2P(e2p), "event-to-property";
    if (auto* e2m = DynCast<TzelE2MConnection>(C)) return F = CheckE2M(e2m), "event-to-method";
    if (auto* p2p = DynCast<TzelP2PConnection>(C)) return F = CheckP2P(p2p), "property-to-property";
    F.Problem = "not a connection kind this package knows";
    return C->ClassName();
}

} // namespace

int PrintConnections(TComponent* Root) {
    int failing = 0;
    bool any = false;
    for (int i = 0; i < Root->GetComponentCount(); ++i) {
        auto* list = DynCast<TzelConnectionList>(Root->GetComponents(i));
        if (!list) continue;
        any = true;
        std::printf("%s\n", list->GetName().c_str());
        for (int j = 0; j < list->GetConnectionCount(); ++j) {
            TzelConnection* c = list->GetConnection(j);
            Findings f;
            AnsiString kind = KindOf(c, f);
            if (f.Problem.empty()) {
                std::printf("  %s (%s): connects\n", c->GetName().c_str(), kind.c_str());
            } else {
                ++failing;
                std::printf("  %s (%s): does not connect: %s\n", c->GetName().c_str(), kind.c_str(),
                            f.Problem.c_str());
            }
            for (const AnsiString& note : f.Notes) std::printf("    %s\n", note.c_str());
        }
    }
    if (!any) std::printf("no connection list\n");
    return failing;
}

namespace {
const char* const CheckUsage =
    "usage: zeltrix check FORM\n"
    "\n"
    "Loads FORM (a form file, text or binary) as zeltrix run does and lists each connection\n"
    "list with its connections, their kind and whether they connect; for one that does not,\n"
    "the first reason, in the order connecting tests it. Then lists the stand-ins: components\n"
    "whose class the program does not have, kept as the form gives them.\n"
    "Exits with 1 when a connection does not connect, 2 when the form cannot be read.\n";
} // namespace

int Check(int Argc, char** Argv) {
    if (Argc == 1 && (!std::strcmp(Argv[0], "--help") || !std::strcmp(Argv[0], "-h"))) {
        std::fputs(CheckUsage, stdout);
        return 0;
    }
    if (Argc != 1 || Argv[0][0] == '-') {
        ReportError("check", nullptr, "expects one form file");
        std::fputs(CheckUsage, stderr);
        return 2;
    }
    int failing = 0;
    try {
        LoadedForm form(Argv[0]);
        failing = PrintConnections(form.Root());
        bool header = false;
        for (int i = 0; i < form.Root()->GetComponentCount(); ++i) {
            TComponent* c = form.Root()->GetComponents(i);
            if (!AsStandIn(c)) continue;
            if (!header) std::printf("stand-ins\n");
            header = true;
            std::printf("  %s: %s\n", ComponentPath(c).c_str(), c->ClassName().c_str());
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        ReportError("check", Argv[0], e.what());
        return 2;
    }
    return failing ? 1 : 0;
}

} // namespace zeltrix::tool
