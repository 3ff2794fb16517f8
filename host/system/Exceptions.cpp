#include "host/system/Exceptions.h"

namespace host {

HOST_METACLASS(Exception, TObject);
Exception::~Exception() = default;

HOST_METACLASS(EAbort, Exception);
HOST_METACLASS(EConvertError, Exception);
HOST_METACLASS(EVariantError, Exception);
HOST_METACLASS(EInvalidCast, Exception);
HOST_METACLASS(EInvalidOperation, Exception);
HOST_METACLASS(EInvalidPointer, Exception);
HOST_METACLASS(EOutOfMemory, Exception);
HOST_METACLASS(EOutOfResources, Exception);
HOST_METACLASS(EIntError, Exception);
HOST_METACLASS(EDivByZero, EIntError);
HOST_METACLASS(ERangeError, EIntError);
HOST_METACLASS(EIntOverflow, EIntError);
HOST_METACLASS(EMathError, Exception);
HOST_METACLASS(EOverflow, EMathError);
HOST_METACLASS(EZeroDivide, EMathError);
HOST_METACLASS(EInOutError, Exception);
HOST_METACLASS(EAccessViolation, Exception);
HOST_METACLASS(EIntfCastError, Exception);
HOST_METACLASS(ESafecallException, Exception);
HOST_METACLASS(EPropertyError, Exception);
HOST_METACLASS(EPropReadOnly, Exception);
HOST_METACLASS(EPropWriteOnly, Exception);
HOST_METACLASS(EListError, Exception);
HOST_METACLASS(EStringListError, Exception);
HOST_METACLASS(EBitsError, Exception);
HOST_METACLASS(EComponentError, Exception);
HOST_METACLASS(EStreamError, Exception);
HOST_METACLASS(EFCreateError, EStreamError);
HOST_METACLASS(EFOpenError, EStreamError);
HOST_METACLASS(EFilerError, EStreamError);
HOST_METACLASS(EReadError, EFilerError);
HOST_METACLASS(EWriteError, EFilerError);
HOST_METACLASS(EClassNotFound, EFilerError);
HOST_METACLASS(EMethodNotFound, EFilerError);
HOST_METACLASS(EInvalidImage, EFilerError);
HOST_METACLASS(EResNotFound, Exception);
HOST_METACLASS(EParserError, Exception);
HOST_METACLASS(EThread, Exception);
HOST_METACLASS(EOutOfResourcesThread, EOutOfResources);

} // namespace host
