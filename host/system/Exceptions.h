// The host's exception classes. Every exception is a TObject, so it has a class name and
// can travel through the reflection layer like any other object.
#pragma once

#include "host/system/Object.h"

#include <exception>

namespace host {

class Exception : public TObject, public std::exception {
    HOST_CLASS(Exception, TObject)
public:
    explicit Exception(AnsiString Msg) : FMessage(std::move(Msg)) {}
    Exception(const Exception&) = default;
    ~Exception() override;

    const AnsiString& Message() const { return FMessage; }
    void SetMessage(AnsiString Msg) { FMessage = std::move(Msg); }
    Integer HelpContext() const { return FHelpContext; }
    void SetHelpContext(Integer Value) { FHelpContext = Value; }
    const char* what() const noexcept override { return FMessage.c_str(); }

protected:
    AnsiString FMessage;
    Integer FHelpContext = 0;
};

/// Declares an exception class that adds nothing but its name.
#define HOST_EXCEPTION(Name, Parent)                                                           \
    class Name : public Parent {                                                               \
        HOST_CLASS(Name, Parent)                                                               \
    public:                                                                                    \
        using Parent::Parent;                                                                  \
        Name(const Name&) = default;                                                           \
    };

HOST_EXCEPTION(EAbort, Exception)
HOST_EXCEPTION(EConvertError, Exception)
HOST_EXCEPTION(EVariantError, Exception)
HOST_EXCEPTION(EInvalidCast, Exception)
HOST_EXCEPTION(EInvalidOperation, Exception)
HOST_EXCEPTION(EInvalidPointer, Exception)
HOST_EXCEPTION(EOutOfMemory, Exception)
HOST_EXCEPTION(EOutOfResources, Exception)
HOST_EXCEPTION(EIntError, Exception)
HOST_EXCEPTION(EDivByZero, EIntError)
HOST_EXCEPTION(ERangeError, EIntError)
HOST_EXCEPTION(EIntOverflow, EIntError)
HOST_EXCEPTION(EMathError, Exception)
HOST_EXCEPTION(EOverflow, EMathError)
HOST_EXCEPTION(EZeroDivide, EMathError)
HOST_EXCEPTION(EInOutError, Exception)
HOST_EXCEPTION(EAccessViolation, Exception)
HOST_EXCEPTION(EIntfCastError, Exception)
HOST_EXCEPTION(ESafecallException, Exception)
HOST_EXCEPTION(EPropertyError, Exception)
HOST_EXCEPTION(EPropReadOnly, Exception)
HOST_EXCEPTION(EPropWriteOnly, Exception)
// Classes
HOST_EXCEPTION(EListError, Exception)
HOST_EXCEPTION(EStringListError, Exception)
HOST_EXCEPTION(EBitsError, Exception)
HOST_EXCEPTION(EComponentError, Exception)
HOST_EXCEPTION(EStreamError, Exception)
HOST_EXCEPTION(EFCreateError, EStreamError)
HOST_EXCEPTION(EFOpenError, EStreamError)
HOST_EXCEPTION(EFilerError, EStreamError)
HOST_EXCEPTION(EReadError, EFilerError)
HOST_EXCEPTION(EWriteError, EFilerError)
HOST_EXCEPTION(EClassNotFound, EFilerError)
HOST_EXCEPTION(EMethodNotFound, EFilerError)
HOST_EXCEPTION(EInvalidImage, EFilerError)
HOST_EXCEPTION(EResNotFound, Exception)
HOST_EXCEPTION(EParserError, Exception)
HOST_EXCEPTION(EThread, Exception)
HOST_EXCEPTION(EOutOfResourcesThread, EOutOfResources)

} // namespace host
