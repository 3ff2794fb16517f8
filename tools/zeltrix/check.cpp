// zeltrix check FORM: lists every connection of every connection list with its kind and whether
// it connects; for one that does not, the first reason in the order Connect tests its names.
// Without it a connection whose names do not resolve just stays inactive, silently.
#include "tools/zeltrix/run.h"

#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
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

int Check(int Argc, char** Argv) {
    if (Argc != 1 || !std::strcmp(Argv[0], "--help")) {
        std::fputs("usage: zeltrix check FORM\n"
                   "lists each connection with its kind and whether it connects; exits with 1\n"
                   "when one does not\n",
                   Argc != 1 ? stderr : stdout);
        return Argc != 1 ? 2 : 0;
    }
    int failing = 0;
    try {
        LoadedForm form(Argv[0]);
        TComponent* root = form.Root();
        for (int i = 0; i < root->GetComponentCount(); ++i) {
            auto* list = DynCast<TzelConnectionList>(root->GetComponents(i));
            if (!list) continue;
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
                    std::printf("  %s (%s): does not connect: %s\n", c->GetName().c_str(),
                                kind.c_str(), reason.c_str());
                }
                for (const AnsiString& note : c->Notes()) std::printf("    %s\n", note.c_str());
            }
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    return failing ? 1 : 0;
}

} // namespace zeltrix::tool
