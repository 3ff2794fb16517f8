// TPersistent: the base of objects that can be assigned to each other and streamed.
#pragma once

#include "host/system/Exceptions.h"

#include <string>

namespace host {

class TFiler;
class TKeptProperties;

class TPersistent : public TObject {
    HOST_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;
    ~TPersistent() override;
    TPersistent& operator=(const TPersistent&) = delete;

    /// Copies `Source` into this object. The base asks `Source` to assign itself to this
    /// object (AssignTo); when neither side knows how, raises EConvertError
    /// "Cannot assign a <source class> to a <this class>" ("nil" for a null source).
    virtual void Assign(TPersistent* Source);
    /// The name the designer shows for this object: the class name, prefixed with the owner's
    /// name path and a dot when there is an owner with a non-empty path.
    virtual AnsiString GetNamePath();

    /// What a form gave this object that it could not take (a property its class does not
    /// have, or a value of the wrong kind), when the reader was asked to keep it; null when
    /// nothing was kept. The writer writes it back after the object's own properties.
    const TKeptProperties* GetKeptProperties() const { return FKept; }
    TKeptProperties* GetKeptProperties() { return FKept; }
    /// Keeps one value as streamed (tag included) under `Name`.
    void KeepProperty(const AnsiString& Name, std::string Value);
    /// Keeps that the form gave this object as inherited, at child position `ChildPos` (-1: none).
    void KeepInherited(Integer ChildPos);

protected:
    /// A copy has an identity of its own and keeps nothing of the original's form.
    TPersistent(const TPersistent& Other) : TObject(Other) {}
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

private:
    TKeptProperties* FKept = nullptr;
};

} // namespace host
