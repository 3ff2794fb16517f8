// Class infos of the host's Classes unit: lists, string lists, collections, streams, filers,
// threads, components and basic actions.
#pragma once

#include "classinfo/Zelsystem.h"
#include "host/classes/Component.h"
#include "host/classes/Filer.h"

namespace zeltrix {

#define ZEL_PLAIN_CLASSINFO(Name, Parent)                                                          \
    class Name : public TzelFamily<Name, Parent> {                                                 \
        ZEL_CLASSINFO(Name, Parent)                                                                \
    };

ZEL_PLAIN_CLASSINFO(TListClassInfo, TObjectClassInfo)
ZEL_PLAIN_CLASSINFO(TThreadListClassInfo, TObjectClassInfo)
ZEL_PLAIN_CLASSINFO(TInterfaceListClassInfo, TInterfacedObjectClassInfo)
ZEL_PLAIN_CLASSINFO(TBitsClassInfo, TObjectClassInfo)
ZEL_PLAIN_CLASSINFO(TPersistentClassInfo, TObjectClassInfo)
ZEL_PLAIN_CLASSINFO(TCollectionItemClassInfo, TPersistentClassInfo)
ZEL_PLAIN_CLASSINFO(TCollectionClassInfo, TPersistentClassInfo)
ZEL_PLAIN_CLASSINFO(TOwnedCollectionClassInfo, TCollectionClassInfo)
ZEL_PLAIN_CLASSINFO(TStringsClassInfo, TPersistentClassInfo)
ZEL_PLAIN_CLASSINFO(TStringListClassInfo, TStringsClassInfo)

class TStreamClassInfo : public TzelFamily<TStreamClassInfo, TObjectClassInfo> {
    ZEL_CLASSINFO(TStreamClassInfo, TObjectClassInfo)
protected:
    Variant FReadBuffer;       // the Buffer of Read
    Variant FReadBufferBuffer; // the Buffer of ReadBuffer
};

ZEL_PLAIN_CLASSINFO(THandleStreamClassInfo, TStreamClassInfo)
ZEL_PLAIN_CLASSINFO(TFileStreamClassInfo, THandleStreamClassInfo)
ZEL_PLAIN_CLASSINFO(TCustomMemoryStreamClassInfo, TStreamClassInfo)
ZEL_PLAIN_CLASSINFO(TMemoryStreamClassInfo, TCustomMemoryStreamClassInfo)
ZEL_PLAIN_CLASSINFO(TStringStreamClassInfo, TStreamClassInfo)
ZEL_PLAIN_CLASSINFO(TResourceStreamClassInfo, TCustomMemoryStreamClassInfo)
ZEL_PLAIN_CLASSINFO(TFilerClassInfo, TObjectClassInfo)

class TReaderClassInfo : public TzelFamily<TReaderClassInfo, TFilerClassInfo> {
    ZEL_CLASSINFO(TReaderClassInfo, TFilerClassInfo)
protected:
    Variant FReadBuf; // the Buf of Read
    host::TFilerFlags FReadPrefixFlags;
    host::Integer FReadPrefixChildPos = 0;
};

ZEL_PLAIN_CLASSINFO(TWriterClassInfo, TFilerClassInfo)

class TThreadClassInfo : public TzelFamily<TThreadClassInfo, TObjectClassInfo> {
    ZEL_CLASSINFO(TThreadClassInfo, TObjectClassInfo)
protected:
    host::THandle FHandleSlot = 0;
    host::LongWord FThreadIDSlot = 0;
    host::LongWord FWaitForSlot = 0;
};

class TComponentClassInfo : public TzelFamily<TComponentClassInfo, TPersistentClassInfo> {
    ZEL_CLASSINFO(TComponentClassInfo, TPersistentClassInfo)
protected:
    host::TComponentState FComponentStateSlot;
    host::TComponentStyle FComponentStyleSlot;
    host::ComPtr<host::IUnknown> FComObject; // keeps the handed-out interface pointer valid
};

ZEL_PLAIN_CLASSINFO(TBasicActionLinkClassInfo, TObjectClassInfo)
ZEL_PLAIN_CLASSINFO(TBasicActionClassInfo, TComponentClassInfo)

#undef ZEL_PLAIN_CLASSINFO

namespace Zelclasses {
void Initialize();
void Finalize();
} // namespace Zelclasses

} // namespace zeltrix
