// What the subcommands share: a form file loaded as an application loads it, errors that name
// the subcommand and the file, values shown as a user reads them.
#pragma once

#include "host/classes/FormLoading.h"
#include "host/system/Types.h"

#include <vector>

namespace host {
class TComponent;
class TObject;
class Variant;
struct TTypeInfo;
} // namespace host

namespace zeltrix::tool {

/// Loads the package, then reads the form file as the IDE opens a form from another project
/// (host::LoadForm): unknown classes become stand-ins, properties that cannot be taken are kept
/// and noted. The connection lists connect in Loaded. Frees the form when it goes. Raises the
/// host's exceptions for a file that is not a readable form.
class LoadedForm {
public:
    explicit LoadedForm(const char* Path);
    ~LoadedForm();
    LoadedForm(const LoadedForm&) = delete;
    LoadedForm& operator=(const LoadedForm&) = delete;

    host::TComponent* Root() const { return FRoot; }
    /// A component of the root by name, or the root itself; raises when there is none.
    host::TComponent* Find(const host::AnsiString& Name) const;
    /// What the load could not take as the form gives it, and the stand-ins.
    const std::vector<host::TFormLoadNote>& Notes() const { return FNotes; }
    /// Writes the form to `Path`: as text, or binary when `Binary`.
    void Save(const char* Path, bool Binary) const;

private:
    host::TComponent* FRoot = nullptr;
    std::vector<host::TFormLoadNote> FNotes;
};

/// Prints "zeltrix COMMAND: FILE: MESSAGE" (without FILE when it is null) to stderr.
void ReportError(const char* Command, const char* File, const char* Message);

/// "text" or "binary" for a form file named `Path` (.bin and .res are binary), or `To` when
/// given; raises for a `To` that is neither.
bool BinaryFormFile(const char* Path, const char* To);

/// A value as a user reads it: by identifier when `Type` is an enumeration, a set or an integer
/// type with identifiers (a colour); else a live object by its name (one without a name by its
/// class in brackets); else its text.
host::AnsiString ShowValue(const host::Variant& Value, const host::TTypeInfo* Type = nullptr);

/// The component tree of a form: name, class, stand-in or class made at run time; children
/// indented under their parents.
void PrintTree(host::TComponent* Root);

/// Each connection list of the form with its connections, their kind and whether they connect
/// (with the first reason when not); "no connection list" when the form has none. Returns the
/// number that do not connect.
int PrintConnections(host::TComponent* Root);

/// Paints the form's picture, as far as the host paints forms yet, and writes it as a PNG.
void RenderForm(host::TComponent* Root, const char* Path);

/// An input step (--click, --dblclick, --key, --type, --mouse, --wheel) on `Target`, which
/// must be a showing control; prints what it did.
void InputStep(const host::AnsiString& Step, host::TComponent* Target, const host::AnsiString& Name,
               const std::vector<host::AnsiString>& Args);
/// --wait: the application's clock moved on (its timers fire); prints what it did.
void WaitStep(const host::AnsiString& Milliseconds);

int Run(int Argc, char** Argv);
int Check(int Argc, char** Argv);

} // namespace zeltrix::tool
