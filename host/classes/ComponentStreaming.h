// Reading forms into components outside a TStream call: a form class's own layouts (the
// resources named after its classes) and resource files.
#pragma once

#include "host/system/Object.h"

namespace host {

class TComponent;

/// Reads into `Instance` the form resource (RT_RCDATA, named after the class) of every class
/// from below `RootAncestor` down to `Instance`'s own class, ancestors first, as a form's
/// constructor does. The resources may hold binary or text forms. False when there was none.
bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
/// Reads a form stored with a resource header in a file.
TComponent* ReadComponentResFile(const AnsiString& FileName, TComponent* Instance);
/// Writes `Instance` as a form with a resource header (named after its class) to a file.
void WriteComponentResFile(const AnsiString& FileName, TComponent* Instance);

} // namespace host
