// zeltrix inspect [--json] [CLASS...]: the metadata of the class info the registry would create
// for an object of each named host class (every registered class when none is named).
#include "core/Zelcommon.h"
#include "host/classes/ClassRegistration.h"
#include "package/zeltrix_cb4.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace zeltrix::tool {

namespace {
const char* Visibility(TzelPropertyVisibility V) {
    switch (V) {
    case pvProtected: return "pvProtected";
    case pvPublic: return "pvPublic";
    case pvPublished: return "pvPublished";
    }
    return "";
}

std::vector<std::string> Styles(TzelPropertyStyle S) {
    std::vector<std::string> r;
    if (S.Contains(psReadable)) r.push_back("psReadable");
    if (S.Contains(psWritable)) r.push_back("psWritable");
    if (S.Contains(psIndexed)) r.push_back("psIndexed");
    return r;
}

template <class R>
std::vector<std::string> ArgNames(const R* Rec) {
    std::vector<std::string> r;
    for (int i = 0; i < Rec->GetArgCount(); ++i) r.push_back(Rec->GetArgs(i)->Name);
    return r;
}

std::vector<std::string> IndexNames(const TzelPropertyInfo* P) {
    std::vector<std::string> r;
    for (int i = 0; i < P->GetIndexCount(); ++i) r.push_back(P->GetIndexes(i)->Name);
    return r;
}

std::string Join(const std::vector<std::string>& Items, const char* Sep) {
    std::string s;
    for (const std::string& i : Items) s += (s.empty() ? "" : Sep) + i;
    return s;
}

std::string Quote(const std::string& S) {
    std::string q = "\"";
    for (char c : S) {
        if (c == '"' || c == '\\')
            q += '\\', q += c;
        else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            q += buf;
        } else
            q += c;
    }
    return q + "\"";
}

std::string QuoteList(const std::vector<std::string>& Items) {
    std::string s = "[";
    for (std::size_t i = 0; i < Items.size(); ++i) s += (i ? ", " : "") + Quote(Items[i]);
    return s + "]";
}

/// The ancestors of a class info, each with its metadata, nearest first: where an inherited
/// member comes from.
class Ancestry {
public:
    explicit Ancestry(TzelClassInfo* CI) {
        for (host::TClass c = CI->ClassType()->Parent;
             c && c->InheritsFrom(TzelClassInfo::StaticClass()) && c->NewObject; c = c->Parent) {
            auto* a = static_cast<TzelClassInfo*>(c->NewObject());
            try {
                a->InitMetaData();
            } catch (...) {
                a->Free();
                break;
            }
            FInfos.push_back(a);
        }
    }
    ~Ancestry() {
        for (TzelClassInfo* a : FInfos) a->Free();
    }
    Ancestry(const Ancestry&) = delete;
    Ancestry& operator=(const Ancestry&) = delete;

    /// "; from TObjectClassInfo" for a member the farthest ancestor that has it defines; empty
    /// for a member of the class info's own.
    template <class Has>
    std::string From(Has HasMember) const {
        const TzelClassInfo* from = nullptr;
        for (TzelClassInfo* a : FInfos)
            if (HasMember(a)) from = a;
        return from ? "; from " + std::string(from->ClassName()) : std::string();
    }

private:
    std::vector<TzelClassInfo*> FInfos;
};

void PrintText(const std::string& Name, TzelClassInfo* CI) {
    Ancestry up(CI);
    std::printf("%s (%s)\n", Name.c_str(), CI->ClassName().c_str());
    std::printf("  properties\n");
    for (int i = 0; i < CI->GetPropertyCount(); ++i) {
        TzelPropertyInfo* p = CI->GetProperties(i);
        std::string idx = p->GetIndexCount() ? "[" + Join(IndexNames(p), ", ") + "]" : "";
        std::printf("    %s%s: %s; %s%s\n", p->Name.c_str(), idx.c_str(),
                    Join(Styles(p->Style), "..").c_str(), Visibility(p->Visibility),
                    up.From([&](TzelClassInfo* a) { return a->FindProperty(p->Name); }).c_str());
    }
    std::printf("  methods\n");
    for (int i = 0; i < CI->GetMethodCount(); ++i) {
        TzelMethodInfo* m = CI->GetMethods(i);
        std::printf("    %s(%s): %s%s\n", m->Name.c_str(), Join(ArgNames(m), ", ").c_str(),
                    m->Style == msFunction ? "msFunction" : "msProcedure",
                    up.From([&](TzelClassInfo* a) { return a->FindMethod(m->Name); }).c_str());
    }
    std::printf("  constructors\n");
    for (int i = 0; i < CI->GetConstructorCount(); ++i) {
        TzelConstructorInfo* c = CI->GetConstructors(i);
        std::printf("    %s(%s)\n", c->Name.c_str(), Join(ArgNames(c), ", ").c_str());
    }
    std::printf("  events\n");
    for (int i = 0; i < CI->GetEventCount(); ++i) {
        TzelEventInfo* e = CI->GetEvents(i);
        std::printf("    %s(%s): %s%s\n", e->Name.c_str(), Join(ArgNames(e), ", ").c_str(),
                    Visibility(e->Visibility),
                    up.From([&](TzelClassInfo* a) { return a->FindEvent(e->Name); }).c_str());
    }
}

std::string Json(TzelClassInfo* CI) {
    std::string s = "{\n    \"classinfo\": " + Quote(CI->ClassName()) + ",\n    \"properties\": [";
    for (int i = 0; i < CI->GetPropertyCount(); ++i) {
        TzelPropertyInfo* p = CI->GetProperties(i);
        s += std::string(i ? "," : "") + "\n      {\"name\": " + Quote(p->Name) +
             ", \"styles\": " + QuoteList(Styles(p->Style)) +
             ", \"visibility\": " + Quote(Visibility(p->Visibility)) +
             ", \"indexes\": " + QuoteList(IndexNames(p)) + "}";
    }
    s += "],\n    \"methods\": [";
    for (int i = 0; i < CI->GetMethodCount(); ++i) {
        TzelMethodInfo* m = CI->GetMethods(i);
        s += std::string(i ? "," : "") + "\n      {\"name\": " + Quote(m->Name) +
             ", \"style\": " + Quote(m->Style == msFunction ? "msFunction" : "msProcedure") +
             ", \"args\": " + QuoteList(ArgNames(m)) + "}";
    }
    s += "],\n    \"constructors\": [";
    for (int i = 0; i < CI->GetConstructorCount(); ++i) {
        TzelConstructorInfo* c = CI->GetConstructors(i);
        s += std::string(i ? "," : "") + "\n      {\"name\": " + Quote(c->Name) +
             ", \"args\": " + QuoteList(ArgNames(c)) + "}";
    }
    s += "],\n    \"events\": [";
    for (int i = 0; i < CI->GetEventCount(); ++i) {
        TzelEventInfo* e = CI->GetEvents(i);
        s += std::string(i ? "," : "") + "\n      {\"name\": " + Quote(e->Name) +
             ", \"visibility\": " + Quote(Visibility(e->Visibility)) +
             ", \"params\": " + QuoteList(ArgNames(e)) + "}";
    }
    return s + "]\n  }";
}

struct NameCollector {
    std::vector<std::string> Names;
    void Add(const AnsiString& Name) { Names.push_back(Name); }
};
} // namespace

const char* const InspectUsage =
    "usage: zeltrix inspect [--json] [CLASS...]\n"
    "\n"
    "Prints the metadata of the class info an object of each named host class gets (every\n"
    "registered class info when none is named): properties with their styles, visibility and\n"
    "index names, methods with their arguments, constructors and events with their\n"
    "parameters. A member inherited from an ancestor class info is marked with the class info\n"
    "that defines it (\"; from TObjectClassInfo\").\n"
    "\n"
    "  --json   the same as one JSON object keyed by class name\n";

int Inspect(int Argc, char** Argv) {
    bool json = false;
    std::vector<std::string> names;
    for (int i = 0; i < Argc; ++i) {
        if (!std::strcmp(Argv[i], "--help") || !std::strcmp(Argv[i], "-h")) {
            std::fputs(InspectUsage, stdout);
            return 0;
        }
        if (!std::strcmp(Argv[i], "--json"))
            json = true;
        else if (Argv[i][0] == '-') {
            std::fprintf(stderr, "zeltrix inspect: unknown option '%s'\n%s", Argv[i], InspectUsage);
            return 2;
        } else
            names.push_back(Argv[i]);
    }
    PackageScope package;
    if (names.empty()) {
        NameCollector all;
        TzelClassRegistry::Iterate(
            TzelClassRegistry::TIterateProc::Bind<&NameCollector::Add>(&all));
        names = all.Names;
    }
    int status = 0;
    bool first = true;
    if (json) std::printf("{");
    for (const std::string& name : names) {
        // A registered name first; otherwise a host class known to the streaming system
        // (form classes, connections), which gets the class info of its nearest described
        // ancestor, as the registry would give an object of it.
        TzelClassInfoClass cls = TzelClassRegistry::FindClassInfo(name);
        if (!cls)
            if (host::TClass hostClass = host::GetClass(name))
                cls = TzelClassRegistry::FindClassInfoClass(hostClass);
        if (!cls) {
            std::fprintf(stderr, "zeltrix inspect: no class info for '%s'\n", name.c_str());
            status = 1;
            continue;
        }
        auto* ci = static_cast<TzelClassInfo*>(cls->NewObject());
        try {
            ci->InitMetaData();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zeltrix inspect: %s: %s\n", name.c_str(), e.what());
            ci->Free();
            status = 1;
            continue;
        }
        if (json)
            std::printf("%s\n  %s: %s", first ? "" : ",", Quote(name).c_str(), Json(ci).c_str());
        else {
            if (!first) std::printf("\n");
            PrintText(name, ci);
        }
        first = false;
        ci->Free();
    }
    if (json) std::printf("\n}\n");
    return status;
}

} // namespace zeltrix::tool
