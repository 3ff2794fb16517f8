#include "design/Zelreg.h"

#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "host/classes/ClassRegistration.h"
#include "variable/Zelvar.h"

namespace zeltrix::Zelreg {

using namespace host;

void Initialize() {
    RegisterClasses({TzelConnectionList::StaticClass(), TzelConnection::StaticClass(),
                     TzelP2PConnection::StaticClass(), TzelE2PConnection::StaticClass(),
                     TzelE2MConnection::StaticClass(), TzelVariable::StaticClass()});
}

// Unloading the package takes its classes out of the host's streaming again, as the host does
// for the classes of an unloaded package.
void Finalize() {
    UnRegisterClasses({TzelConnectionList::StaticClass(), TzelConnection::StaticClass(),
                       TzelP2PConnection::StaticClass(), TzelE2PConnection::StaticClass(),
                       TzelE2MConnection::StaticClass(), TzelVariable::StaticClass()});
}

} // namespace zeltrix::Zelreg
