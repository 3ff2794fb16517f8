// TPersistent: the base of objects that can be assigned to each other and streamed.
#pragma once

#include "host/system/Exceptions.h"

namespace host {

class TFiler;

class TPersistent : public TObject {
    HOST_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;
    ~TPersistent() override;

    /// Copies `Source` into this object. The base asks `Source` to assign itself to this
    /// object (AssignTo); when neither side knows how, raises EConvertError
    /// "Cannot assign a <source class> to a <this class>" ("nil" for a null source).
    virtual void Assign(TPersistent* Source);
    /// The name the designer shows for this object: the class name, prefixed with the owner's
    /// name path and a dot when there is an owner with a non-empty path.
    virtual AnsiString GetNamePath();

protected:
    /// Copies this object into `Dest`; the base knows no way and raises the assign error.
    virtual void AssignTo(TPersistent* Dest);
    /// Lets a class store data that is not a published property; the base stores nothing.
    virtual void DefineProperties(TFiler* Filer);
    /// The object that owns this one for name paths and streaming; the base has none.
    virtual TPersistent* GetOwner();
    /// Raises EConvertError naming `Source`'s class (or "nil") and this class.
    [[noreturn]] void AssignError(TPersistent* Source);

    // The filers reach DefineProperties as the host's streaming does.
    friend class TFiler;
    friend class TReader;
    friend class TWriter;
};

} // namespace host
