// zeltrix check FORM: lists every connection of every connection list with its kind and whether
// it connects; for one that does not, the first reason in the order Connect tests its names.
// Without it a connection whose names do not resolve just stays inactive, silently.
#include "tools/zeltrix/run.h"

#include "host/controls/WinControl.h"

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

/// The kind of a connection as a user names it; its class name for a kind of its own.
AnsiString KindOf(TzelConnection* C) {
    if (DynCast<TzelE2PConnection>(C)) return "event-to-property";
    if (DynCast<TzelE2MConnection>(C)) return "event-to-method";
    if (DynCast<TzelP2PConnection>(C)) return "property-to-property";
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
            AnsiString kind = KindOf(c);
            // The connection's own diagnosis: the tests Connect makes, in its order.
            AnsiString reason = c->Diagnose();
            if (reason.empty()) {
                std::printf("  %s (%s): connects\n", c->GetName().c_str(), kind.c_str());
            } else {
                ++failing;
                std::printf("  %s (%s): does not connect: %s\n", c->GetName().c_str(), kind.c_str(),
                            reason.c_str());
            }
            for (const AnsiString& note : c->Notes()) std::printf("    %s\n", note.c_str());
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
            // What it stands on: its place and size in the form come from that.
            const char* on = dynamic_cast<TWinControl*>(c) ? " (a windowed control)"
                             : dynamic_cast<TControl*>(c)  ? " (a control)"
                                                           : "";
            std::printf("  %s: %s%s\n", ComponentPath(c).c_str(), c->ClassName().c_str(), on);
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        ReportError("check", Argv[0], e.what());
        return 2;
    }
    return failing ? 1 : 0;
}

} // namespace zeltrix::tool
