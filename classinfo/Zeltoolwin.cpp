// The tool windows' class infos and the unit's registration.
#include "classinfo/Zeltoolwin.h"

#include "core/ClassInfoRows.h"

#include <iterator>

namespace zeltrix {

using namespace host;

// ---- tool windows ----

namespace Zeltoolwin {
namespace {
constexpr const TzelClassTable* Tables[] = {
    // &TToolWindowClassInfo::ZelTable,
    // &TToolDockObjectClassInfo::ZelTable,
    // &TToolDockFormClassInfo::ZelTable,
    nullptr, // end (goes once the list has its entries)
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables, int(std::size(Tables)) - 1);
}
void Finalize() {
    zelFinalizeUnit(Tables, int(std::size(Tables)) - 1);
}
} // namespace Zeltoolwin

} // namespace zeltrix
