// Class infos of the host's Classes unit: lists, string lists, collections, streams, filers,
// threads, components and basic actions.
#pragma once

#include "classinfo/Zelsystem.h"
#include "host/classes/Component.h"
#include "host/classes/Filer.h"

namespace host {
class TBasicAction;
class TBasicActionLink;
class TBits;
class TCollection;
class TCollectionItem;
class TCustomMemoryStream;
class TFileStream;
class THandleStream;
class TInterfaceList;
class TList;
class TMemoryStream;
class TOwnedCollection;
class TResourceStream;
class TStream;
class TStringList;
class TStrings;
class TStringStream;
class TThread;
class TThreadList;
} // namespace host

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TListClassInfo, TObjectClassInfo, host::TList);
ZEL_PLAIN_CLASSINFO(TThreadListClassInfo, TObjectClassInfo, host::TThreadList);
ZEL_PLAIN_CLASSINFO(TInterfaceListClassInfo, TInterfacedObjectClassInfo, host::TInterfaceList);
ZEL_PLAIN_CLASSINFO(TBitsClassInfo, TObjectClassInfo, host::TBits);
ZEL_PLAIN_CLASSINFO(TPersistentClassInfo, TObjectClassInfo, host::TPersistent);
ZEL_PLAIN_CLASSINFO(TCollectionItemClassInfo, TPersistentClassInfo, host::TCollectionItem);
ZEL_PLAIN_CLASSINFO(TCollectionClassInfo, TPersistentClassInfo, host::TCollection);
ZEL_PLAIN_CLASSINFO(TOwnedCollectionClassInfo, TCollectionClassInfo, host::TOwnedCollection);
ZEL_PLAIN_CLASSINFO(TStringsClassInfo, TPersistentClassInfo, host::TStrings);
ZEL_PLAIN_CLASSINFO(TStringListClassInfo, TStringsClassInfo, host::TStringList);

class TStreamClassInfo : public TzelFamily<TStreamClassInfo, TObjectClassInfo, host::TStream> {
    ZEL_CLASSINFO(TStreamClassInfo)
protected:
    Variant FReadBuffer;       // the Buffer of Read
    Variant FReadBufferBuffer; // the Buffer of ReadBuffer
};

ZEL_PLAIN_CLASSINFO(THandleStreamClassInfo, TStreamClassInfo, host::THandleStream);
ZEL_PLAIN_CLASSINFO(TFileStreamClassInfo, THandleStreamClassInfo, host::TFileStream);
ZEL_PLAIN_CLASSINFO(TCustomMemoryStreamClassInfo, TStreamClassInfo, host::TCustomMemoryStream);
ZEL_PLAIN_CLASSINFO(TMemoryStreamClassInfo, TCustomMemoryStreamClassInfo, host::TMemoryStream);
ZEL_PLAIN_CLASSINFO(TStringStreamClassInfo, TStreamClassInfo, host::TStringStream);
ZEL_PLAIN_CLASSINFO(TResourceStreamClassInfo, TCustomMemoryStreamClassInfo, host::TResourceStream);
ZEL_PLAIN_CLASSINFO(TFilerClassInfo, TObjectClassInfo, host::TFiler);

class TReaderClassInfo : public TzelFamily<TReaderClassInfo, TFilerClassInfo, host::TReader> {
    ZEL_CLASSINFO(TReaderClassInfo)
protected:
    Variant FReadBuf; // the Buf of Read
    host::TFilerFlags FReadPrefixFlags;
    host::Integer FReadPrefixChildPos = 0;
};

ZEL_PLAIN_CLASSINFO(TWriterClassInfo, TFilerClassInfo, host::TWriter);

class TThreadClassInfo : public TzelFamily<TThreadClassInfo, TObjectClassInfo, host::TThread> {
    ZEL_CLASSINFO(TThreadClassInfo)
protected:
    host::THandle FHandleSlot = 0;
    host::LongWord FThreadIDSlot = 0;
    host::LongWord FWaitForSlot = 0;
};

class TComponentClassInfo : public TzelFamily<TComponentClassInfo, TPersistentClassInfo, host::TComponent> {
    ZEL_CLASSINFO(TComponentClassInfo)
protected:
    host::TComponentState FComponentStateSlot;
    host::TComponentStyle FComponentStyleSlot;
    host::ComPtr<host::IUnknown> FComObject; // keeps the handed-out interface pointer valid
};

ZEL_PLAIN_CLASSINFO(TBasicActionLinkClassInfo, TObjectClassInfo, host::TBasicActionLink);
ZEL_PLAIN_CLASSINFO(TBasicActionClassInfo, TComponentClassInfo, host::TBasicAction);

namespace Zelclasses {
void Initialize();
void Finalize();
} // namespace Zelclasses

} // namespace zeltrix
