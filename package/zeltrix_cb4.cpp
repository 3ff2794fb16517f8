#include "package/zeltrix_cb4.h"

#include "classinfo/Zelactnlist.h"
#include "classinfo/Zelclasses.h"
#include "classinfo/Zelcomctrls.h"
#include "classinfo/Zelcontrols.h"
#include "classinfo/Zelextctrls.h"
#include "classinfo/Zelforms.h"
#include "classinfo/Zelgraphics.h"
#include "classinfo/Zelimglist.h"
#include "classinfo/Zelmask.h"
#include "classinfo/Zelmenus.h"
#include "classinfo/Zelstdctrls.h"
#include "classinfo/Zelsystem.h"
#include "classinfo/Zeltoolwin.h"
#include "classinfo/Zelvclpatch.h"
#include "connections/Zelconlist.h"
#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
#include "design/Zelreg.h"
#include "variable/Zelvar.h"

#include <iterator>

namespace zeltrix {

namespace {
struct Unit {
    const char* Name;
    void (*Initialize)();
    void (*Finalize)();
};

// The units in start-up order; shut-down runs the list backwards.
constexpr Unit Units[] = {
    {"Zelcommon", &Zelcommon::Initialize, &Zelcommon::Finalize},
    {"Zelvar", &Zelvar::Initialize, &Zelvar::Finalize},
    {"Zelsystem", &Zelsystem::Initialize, &Zelsystem::Finalize},
    {"Zelclasses", &Zelclasses::Initialize, &Zelclasses::Finalize},
    {"Zelimglist", &Zelimglist::Initialize, &Zelimglist::Finalize},
    {"Zelactnlist", &Zelactnlist::Initialize, &Zelactnlist::Finalize},
    {"Zelgraphics", &Zelgraphics::Initialize, &Zelgraphics::Finalize},
    {"Zelcontrols", &Zelcontrols::Initialize, &Zelcontrols::Finalize},
    {"Zelforms", &Zelforms::Initialize, &Zelforms::Finalize},
    {"Zeltoolwin", &Zeltoolwin::Initialize, &Zeltoolwin::Finalize},
    {"Zelstdctrls", &Zelstdctrls::Initialize, &Zelstdctrls::Finalize},
    {"Zelmenus", &Zelmenus::Initialize, &Zelmenus::Finalize},
    {"Zelmask", &Zelmask::Initialize, &Zelmask::Finalize},
    {"Zelextctrls", &Zelextctrls::Initialize, &Zelextctrls::Finalize},
    {"Zelcomctrls", &Zelcomctrls::Initialize, &Zelcomctrls::Finalize},
    {"Zelvclpatch", &Zelvclpatch::Initialize, &Zelvclpatch::Finalize},
    {"Zelconlist", &Zelconlist::Initialize, &Zelconlist::Finalize},
    {"Zele2m", &Zele2m::Initialize, &Zele2m::Finalize},
    {"Zele2p", &Zele2p::Initialize, &Zele2p::Finalize},
    {"Zelp2p", &Zelp2p::Initialize, &Zelp2p::Finalize},
    {"Zelreg", &Zelreg::Initialize, &Zelreg::Finalize},
};

bool Loaded = false;
} // namespace

void LoadPackage() {
    if (Loaded) return;
    int started = 0;
    try {
        for (const Unit& u : Units) {
            if (u.Initialize) u.Initialize();
            ++started;
        }
    } catch (...) {
        // A unit that fails to start leaves the package unloaded: the ones before it stop again.
        while (started > 0)
            if (Units[--started].Finalize) Units[started].Finalize();
        throw;
    }
    Loaded = true;
}

void UnloadPackage() {
    if (!Loaded) return;
    Loaded = false;
    for (auto it = std::rbegin(Units); it != std::rend(Units); ++it)
        if (it->Finalize) it->Finalize();
}

bool PackageLoaded() {
    return Loaded;
}

} // namespace zeltrix
