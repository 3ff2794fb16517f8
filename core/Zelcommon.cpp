// Start-up and shut-down of the unit: the class registry lives from here to Finalize.
#include "core/Zelcommon.h"

namespace zeltrix::Zelcommon {

void Initialize() {
    TzelClassRegistry::StartUp();
}

void Finalize() {
    if (TzelClassRegistry::Started()) TzelClassRegistry::ShutDown();
}

} // namespace zeltrix::Zelcommon
