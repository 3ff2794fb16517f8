#include "package/zeltrix_cb4.h"

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
    {"", nullptr, nullptr},
};

bool Loaded = false;
} // namespace

void LoadPackage() {
    if (Loaded) return;
    for (const Unit& u : Units)
        if (u.Initialize) u.Initialize();
    Loaded = true;
}

void UnloadPackage() {
    if (!Loaded) return;
    Loaded = false;
    for (auto it = std::rbegin(Units); it != std::rend(Units); ++it)
        if (it->Finalize) it->Finalize();
}

bool PackageLoaded() { return Loaded; }

} // namespace zeltrix
