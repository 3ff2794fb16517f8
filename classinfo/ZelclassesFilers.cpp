// Filers: what readers and writers share, the reader with its events, and the writer.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesBuffers.h"

#include "core/ClassInfoRows.h"
#include "host/classes/Collection.h"
#include "host/classes/Reader.h"
#include "host/classes/Writer.h"

namespace zeltrix {

using namespace host;

struct TFilerClassInfo::ZelRows {
    using F = TFiler;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(F, Root),
        ZEL_PROP(F, Ancestor),
        ZEL_PROP(F, IgnoreChildren),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(F, FlushBuffer)};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Stream,BufSize")};
};
ZEL_TABLE(TFilerClassInfo);

struct TReaderClassInfo::ZelRows {
    using CI = TReaderClassInfo;
    using R = TReader;

    // An untyped buffer (ZelclassesBuffers.h), kept in the class info's slot.
    static void Read(CI& Self, R& Reader, Variant& Buf, Integer Count) {
        zelReadIntoBuffer(Buf, Self.FReadBuf, Count, &Reader,
                          [](void* Target, void* Buffer, LongInt N) {
                              static_cast<TReader*>(Target)->Read(Buffer, N);
                              return N;
                          });
    }

    // Flags travel as an integer bit mask of the filer flags. Both arguments pass through the
    // class info's slots by reference and are written back even when the host leaves them be.
    static void ReadPrefix(CI& Self, R& Reader, Integer& Flags, Integer& AChildPos) {
        if (Flags < 0 || Flags >= (1 << TFilerFlags::Size)) zelRangeError();
        Self.FReadPrefixFlags = TFilerFlags::FromBits(static_cast<TFilerFlags::Bits>(Flags));
        Self.FReadPrefixChildPos = AChildPos;
        Reader.ReadPrefix(Self.FReadPrefixFlags, Self.FReadPrefixChildPos);
        Flags = static_cast<Integer>(Self.FReadPrefixFlags.ToBits());
        AChildPos = Self.FReadPrefixChildPos;
    }

    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(R, Owner),
        ZEL_PROP(R, Parent),
        ZEL_PROP(R, Position),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(R, BeginReferences),
        ZEL_FUNC(R, EndOfList),
        ZEL_PROC(R, EndReferences),
        ZEL_PROC(R, FixupReferences),
        ZEL_FUNC(R, NextValue),
        procFn<&Read>("Read", "Buf,Count"),
        ZEL_FUNC(R, ReadBoolean),
        ZEL_FUNC(R, ReadChar),
        ZEL_PROC(R, ReadCollection, "Collection"),
        ZEL_FUNC(R, ReadComponent, "Component"),
        ZEL_FUNC(R, ReadFloat),
        ZEL_FUNC(R, ReadSingle),
        ZEL_FUNC(R, ReadCurrency),
        ZEL_FUNC(R, ReadDate),
        ZEL_FUNC(R, ReadIdent),
        ZEL_FUNC(R, ReadInteger),
        ZEL_PROC(R, ReadListBegin),
        ZEL_PROC(R, ReadListEnd),
        procFn<&ReadPrefix>("ReadPrefix", "Flags,AChildPos"),
        ZEL_FUNC(R, ReadRootComponent, "Root"),
        ZEL_PROC(R, ReadSignature),
        ZEL_FUNC(R, ReadStr),
        ZEL_FUNC(R, ReadString),
        ZEL_FUNC(R, ReadWideString),
        ZEL_FUNC(R, ReadValue),
        ZEL_PROC(R, CopyValue, "Writer"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(R, OnError, "Reader,Message,Handled"),
        ZEL_EVENT(R, OnFindMethod, "Reader,MethodName,Address,Error"),
        ZEL_EVENT(R, OnSetName, "Reader,Component,Name"),
        ZEL_EVENT(R, OnReferenceName, "Reader,Name"),
        ZEL_EVENT(R, OnAncestorNotFound, "Reader,ComponentName,ComponentClass,Component"),
    };
};
ZEL_TABLE(TReaderClassInfo);

struct TWriterClassInfo::ZelRows {
    using W = TWriter;

    // An untyped buffer (ZelclassesBuffers.h): nothing is copied back.
    static void Write(W& Writer, const Variant& Buf, Integer Count) {
        zelWriteFromBuffer(Buf, Count, true, &Writer,
                           [](void* Target, const void* Buffer, LongInt N) {
                               static_cast<TWriter*>(Target)->Write(Buffer, N);
                               return N;
                           });
    }

    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(W, Position),
        ZEL_PROP(W, RootAncestor),
    };
    static constexpr TzelMethodRow Methods[] = {
        procFn<&Write>("Write", "Buf,Count"),
        ZEL_PROC(W, WriteBoolean, "Value"),
        ZEL_PROC(W, WriteCollection, "Value"),
        ZEL_PROC(W, WriteComponent, "Component"),
        ZEL_PROC(W, WriteChar, "Value"),
        ZEL_PROC(W, WriteDescendent, "Root,AAncestor"),
        ZEL_PROC(W, WriteFloat, "Value"),
        ZEL_PROC(W, WriteSingle, "Value"),
        ZEL_PROC(W, WriteCurrency, "Value"),
        ZEL_PROC(W, WriteDate, "Value"),
        ZEL_PROC(W, WriteIdent, "Ident"),
        proc<static_cast<void (W::*)(Integer)>(&W::WriteInteger)>("WriteInteger", "Value"),
        ZEL_PROC(W, WriteListBegin),
        ZEL_PROC(W, WriteListEnd),
        ZEL_PROC(W, WriteRootComponent, "Root"),
        ZEL_PROC(W, WriteSignature),
        ZEL_PROC(W, WriteStr, "Value"),
        ZEL_PROC(W, WriteString, "Value"),
        ZEL_PROC(W, WriteWideString, "Value"),
    };
};
ZEL_TABLE(TWriterClassInfo);

} // namespace zeltrix
