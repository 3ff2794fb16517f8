// The metadata of every registered class info against the member tables in
// tests/data/classinfo-tables.json: descriptor texts, records in list order, registration order.
// Later units add their entries to that file and their unit to CompleteUnits.
#include "Json.h"
#include "Probe.h"

#include "core/ClassInfoFamily.h"
#include "package/zeltrix_cb4.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using namespace zeltrix;
using testjson::Value;

namespace {
// Units whose every class info must be registered.
const std::set<std::string> CompleteUnits = {
    "Zelsystem",   "Zelclasses", "Zelimglist",  "Zelactnlist", "Zelgraphics", "Zelmenus",
    "Zelcontrols", "Zelforms",   "Zelstdctrls", "Zelmask",     "Zelextctrls"};

const Value& Tables() {
    static const Value v = [] {
        std::ifstream in(ZELTRIX_TEST_DATA "/classinfo-tables.json");
        std::stringstream s;
        s << in.rdbuf();
        return testjson::Parse(s.str());
    }();
    return v;
}

const Value* EntryFor(const std::string& HostClass) {
    for (const Value& c : Tables()["classinfos"].A)
        if (c["host_class"].S == HostClass) return &c;
    return nullptr;
}

const Value* EntryNamed(const std::string& ClassInfo) {
    for (const Value& c : Tables()["classinfos"].A)
        if (c["classinfo"].S == ClassInfo) return &c;
    return nullptr;
}

std::string Styles(const Value& List) {
    std::string s;
    for (const Value& v : List.A) s += (s.empty() ? "" : "..") + v.S;
    return s;
}

std::string Names(const Value& List) {
    std::string s;
    for (const Value& v : List.A) s += (s.empty() ? "" : ",") + v.S;
    return s;
}

std::string StyleText(TzelPropertyStyle S) {
    std::string s;
    const char* names[] = {"psReadable", "psWritable", "psIndexed"};
    for (int i = 0; i < 3; ++i)
        if (S.Contains(static_cast<TzelPropertyStyleElement>(i)))
            s += (s.empty() ? "" : "..") + std::string(names[i]);
    return s;
}

const char* Vis(TzelPropertyVisibility V) {
    return V == pvProtected ? "pvProtected" : V == pvPublic ? "pvPublic" : "pvPublished";
}

template <class R>
std::string ArgNames(const R* Rec) {
    std::string s;
    for (int i = 0; i < Rec->GetArgCount(); ++i) s += (i ? "," : "") + Rec->GetArgs(i)->Name;
    return s;
}

struct Expected {
    std::vector<std::string> Properties, Methods, Constructors, Events;
};

/// What the lists of a class info must hold: its ancestors' members first, overrides applied.
Expected ExpectedFor(const Value& Entry) {
    std::vector<const Value*> chain;
    for (const Value* e = &Entry; e; e = EntryNamed((*e)["parent"].S))
        chain.insert(chain.begin(), e);
    Expected x;
    struct P {
        std::string Name, Styles, Vis, Indexes;
    };
    std::vector<P> props, events;
    for (const Value* e : chain) {
        for (const Value& p : (*e)["properties"].A) {
            if (p["kind"].S == "Define") {
                props.push_back(
                    {p["name"].S, Styles(p["styles"]), p["visibility"].S, Names(p["indexes"])});
                continue;
            }
            for (P& q : props)
                if (q.Name == p["name"].S) {
                    if (!p["styles"].A.empty()) q.Styles = Styles(p["styles"]);
                    q.Vis = p["visibility"].S;
                    break;
                }
        }
        for (const Value& m : (*e)["methods"].A)
            x.Methods.push_back(m["name"].S + "|" + m["style"].S + "|" + Names(m["args"]));
        for (const Value& c : (*e)["constructors"].A)
            x.Constructors.push_back(c["name"].S + "|" + Names(c["args"]));
        for (const Value& v : (*e)["events"].A) {
            if (v["kind"].S == "Define") {
                events.push_back({v["name"].S, "", v["visibility"].S, Names(v["params"])});
                continue;
            }
            for (P& q : events)
                if (q.Name == v["name"].S) {
                    q.Vis = v["visibility"].S;
                    break;
                }
        }
    }
    for (const P& p : props)
        x.Properties.push_back(p.Name + "|" + p.Styles + "|" + p.Vis + "|" + p.Indexes);
    for (const P& p : events) x.Events.push_back(p.Name + "|" + p.Vis + "|" + p.Indexes);
    return x;
}

Expected ActualOf(TzelClassInfo* CI) {
    Expected a;
    for (int i = 0; i < CI->GetPropertyCount(); ++i) {
        TzelPropertyInfo* p = CI->GetProperties(i);
        std::string idx;
        for (int k = 0; k < p->GetIndexCount(); ++k) idx += (k ? "," : "") + p->GetIndexes(k)->Name;
        a.Properties.push_back(p->Name + "|" + StyleText(p->Style) + "|" + Vis(p->Visibility) +
                               "|" + idx);
    }
    for (int i = 0; i < CI->GetMethodCount(); ++i) {
        TzelMethodInfo* m = CI->GetMethods(i);
        a.Methods.push_back(m->Name + "|" +
                            (m->Style == msFunction ? "msFunction" : "msProcedure") + "|" +
                            ArgNames(m));
    }
    for (int i = 0; i < CI->GetConstructorCount(); ++i)
        a.Constructors.push_back(CI->GetConstructors(i)->Name + "|" +
                                 ArgNames(CI->GetConstructors(i)));
    for (int i = 0; i < CI->GetEventCount(); ++i) {
        TzelEventInfo* e = CI->GetEvents(i);
        a.Events.push_back(e->Name + "|" + Vis(e->Visibility) + "|" + ArgNames(e));
    }
    return a;
}

} // namespace

TEST(Golden, EveryRegisteredClassInfoMatchesItsMemberTable) {
    PackageScope package;
    std::vector<AnsiString> registered = probe::RegisteredClassInfoNames();
    ASSERT_FALSE(registered.empty());
    for (const AnsiString& name : registered) {
        // The variable's class info lists the records of the class it wraps; its own two
        // features are checked by the variable's tests.
        if (name == "TzelVariable") continue;
        SCOPED_TRACE(name);
        const Value* entry = EntryFor(name);
        ASSERT_NE(entry, nullptr) << "no member table for " << name;
        TzelClassInfoClass cls = TzelClassRegistry::FindClassInfo(name);
        EXPECT_STREQ(cls->ClassName, (*entry)["classinfo"].S.c_str());
        EXPECT_STREQ(cls->Parent->ClassName, (*entry)["parent"].S.c_str());
        if (const TzelClassTable* table = zelFindTable(cls)) {
            const Value& d = (*entry)["descriptors"];
            EXPECT_EQ(table->Texts->Properties, d["properties"].S);
            EXPECT_EQ(table->Texts->Methods, d["methods"].S);
            EXPECT_EQ(table->Texts->Constructors, d["constructors"].S);
            EXPECT_EQ(table->Texts->Events, d["events"].S);
        }
        auto* ci = static_cast<TzelClassInfo*>(cls->NewObject());
        ci->InitMetaData();
        Expected want = ExpectedFor(*entry), got = ActualOf(ci);
        EXPECT_EQ(got.Properties, want.Properties);
        EXPECT_EQ(got.Methods, want.Methods);
        EXPECT_EQ(got.Constructors, want.Constructors);
        EXPECT_EQ(got.Events, want.Events);
        ci->Free();
    }
}

TEST(Golden, UnitsRegisterTheirClassInfosInOrder) {
    PackageScope package;
    std::vector<AnsiString> registered = probe::RegisteredClassInfoNames();
    std::set<std::string> have(registered.begin(), registered.end());
    std::vector<AnsiString> expected;
    for (const Value& name : Tables()["registration_order"].A) {
        const Value* entry = EntryFor(name.S);
        if (have.count(name.S) || (entry && CompleteUnits.count((*entry)["unit"].S)))
            expected.push_back(name.S);
    }
    EXPECT_EQ(registered, expected);
}
