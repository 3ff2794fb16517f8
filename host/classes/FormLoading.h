// Opening and saving forms from real projects: forms that name classes this program does not
// have, a root class of their own and properties newer versions of the IDE write.
#pragma once

#include "host/system/Types.h"

#include <vector>

namespace host {

class TComponent;
class TStream;

/// What a note is about: a property kept as streamed, a stand-in, an inherited component
/// whose ancestor is not loaded, a root class made at run time.
enum class TFormLoadNoteKind { Property, StandIn, Inherited, RootClass };

/// One thing a load could not take as the form gives it, and what became of it.
struct TFormLoadNote {
    TFormLoadNoteKind Kind;
    AnsiString Path;      // the component, from the root: "Form1.Panel1.Grid1"
    AnsiString ClassName; // its class as the form names it
    AnsiString Message;   // "ExplicitWidth: Property ExplicitWidth does not exist; kept"
};

/// Reads a form (binary, binary behind a resource header, or text) the way the IDE opens a form
/// from another project, and returns its root, which the caller frees:
/// - a root class that is not registered is made at run time over the form or data module
///   its properties imply (else it is a stand-in);
/// - a component class that is not registered becomes a stand-in that keeps its properties
///   and children as streamed: a control when it has a size inside a control (a windowed one
///   when it holds others), so that it takes its place; else a plain component;
/// - a property its object cannot take (unknown to its class, a value of the wrong kind, an
///   event handler the root does not have, a reference of the wrong class) is kept with the
///   object as streamed and noted in `Notes`; the load goes on.
/// Each stand-in is noted too, after the properties. Loaded runs once everything is read, as
/// in an application. Raises the host's exceptions for what is not a readable form at all.
TComponent* LoadForm(TStream* Source, std::vector<TFormLoadNote>& Notes);

/// Writes `Root` as a form: the binary format, or the text format when `Text`. What its
/// components kept when they were loaded is written back with them.
void SaveForm(TComponent* Root, TStream* Dest, bool Text);

/// A component's path from its root, by parents where it has one, else by owners.
AnsiString ComponentPath(TComponent* Component);

} // namespace host
