// Classes made at run time: a form's own class (TForm1) or a third-party component class a form
// names, neither of which this program has. Each is a metaclass of that name over a host class
// that does the work; it lives until the program ends.
#pragma once

#include "host/system/Object.h"

namespace host {

class TComponent;

/// Creates an instance of a class made at run time, owned by `Owner`.
using TRuntimeFactory = TComponent* (*)(TClass Class, TComponent* Owner);

/// The class named `Name` made at run time over `Base`, whose instances `Factory` creates; made
/// once per name (ignoring case) and base, then found again. `StandIn` marks the classes whose
/// instances are stand-ins for a class the program lacks (not a form's own class). Raises
/// EClassNotFound for a name that is not an identifier.
TClass MakeRuntimeClass(const AnsiString& Name, TClass Base, TRuntimeFactory Factory,
                        bool StandIn = false);
/// The factory of a class made at run time; null for a class of the program.
TRuntimeFactory RuntimeFactory(TClass Class);
/// Whether `Class` was made at run time for stand-ins.
bool IsStandInClass(TClass Class);

} // namespace host
