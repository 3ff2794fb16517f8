// The root of a form file whose class this program does not have (a project's TForm1): made at
// run time over the host class the file implies, so that the form opens, runs and renders.
#pragma once

#include "host/classes/Component.h"

#include <vector>

namespace host {

/// A form when the root's properties are a form's (a caption, a client size, ...), a data
/// module when they are only a designer's place and size, else a plain component (a
/// stand-in). `ClassName` becomes the instance's class, made over TForm, TDataModule or
/// TComponent.
TComponent* MakeFormRoot(const AnsiString& ClassName, const std::vector<AnsiString>& Properties);
/// The host class a root with these properties is made over.
TClass ImpliedRootClass(const std::vector<AnsiString>& Properties);

} // namespace host
