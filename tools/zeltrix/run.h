// A form file loaded as an application loads it, shared by `zeltrix run` and `zeltrix check`.
#pragma once

#include "host/system/Types.h"

#include <vector>

namespace host {
class TComponent;
class TReader;
} // namespace host

namespace zeltrix::tool {

/// Loads the package, registers every component class, reads the form (its root created from
/// its class when that is registered, else as a plain container whose event bindings to
/// unknown methods are skipped) and lets the connection lists connect in Loaded. Frees the form
/// when it goes. Raises the host's exceptions for a form that cannot be read.
class LoadedForm {
public:
    explicit LoadedForm(const char* Path);
    ~LoadedForm();
    LoadedForm(const LoadedForm&) = delete;
    LoadedForm& operator=(const LoadedForm&) = delete;

    host::TComponent* Root() const { return FRoot; }
    /// A component of the root by name, or the root itself; raises when there is none.
    host::TComponent* Find(const host::AnsiString& Name) const;
    /// Event bindings skipped because the plain root has no such method.
    const std::vector<host::AnsiString>& SkippedBindings() const { return FSkipped; }

private:
    void ReaderError(host::TReader* Reader, const host::AnsiString& Message, bool& Handled);
    void FindMethod(host::TReader* Reader, const host::AnsiString& MethodName, void*& Address,
                    bool& Error);

    host::TComponent* FRoot = nullptr;
    bool FPlainRoot = false;
    host::AnsiString FMissingMethod; // set by FindMethod, consumed by the error it causes
    std::vector<host::AnsiString> FSkipped;
};

int Run(int Argc, char** Argv);
int Check(int Argc, char** Argv);

} // namespace zeltrix::tool
