// Filers: what readers and writers share, the reader with its events, and the writer.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesBuffers.h"

#include "core/ClassInfoTable.h"
#include "host/classes/Collection.h"
#include "host/classes/Reader.h"
#include "host/classes/Writer.h"

namespace zeltrix {

using namespace host;

template <>
inline constexpr int ZelEnumHigh<TValueType> = vaLastValueType;

struct TFilerClassInfo::ZelRows {
    using F = TFiler;
    static constexpr TzelPropRow Properties[] = {
        prop<&F::GetRoot, &F::SetRoot>("Root"),
        prop<&F::GetAncestor, &F::SetAncestor>("Ancestor"),
        prop<&F::GetIgnoreChildren, &F::SetIgnoreChildren>("IgnoreChildren"),
    };
    static constexpr TzelMethodRow Methods[] = {proc<&F::FlushBuffer>("FlushBuffer")};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Stream,BufSize")};
};
ZEL_TABLE(TFilerClassInfo, TObjectClassInfo, TFiler);

struct TReaderClassInfo::ZelRows {
    using CI = TReaderClassInfo;
    using R = TReader;

    static LongInt ReadAll(void* Reader, void* Buffer, LongInt Count) {
        static_cast<TReader*>(Reader)->Read(Buffer, Count);
        return Count;
    }

    // An untyped buffer (ZelclassesBuffers.h), kept in the class info's slot.
    static void Read(TzelClassInfo* Self, TzelMethodInfo* Info) {
        TReader* reader = zelOwnerAs<TReader>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const LongInt count = Conv<Integer>::From(Info->Args[1]->Value);
        zelReadIntoBuffer(Info->Args[0]->Value, static_cast<CI*>(Self)->FReadBuf, count, reader,
                          &ReadAll);
    }

    // Flags travel as an integer bit mask of the filer flags. Both arguments pass through the
    // class info's slots by reference and are written back even when the host leaves them be.
    static void ReadPrefix(TzelClassInfo* Self, TzelMethodInfo* Info) {
        auto* ci = static_cast<CI*>(Self);
        TReader* reader = zelOwnerAs<TReader>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const Integer bits = Conv<Integer>::From(Info->Args[0]->Value);
        if (bits < 0 || bits >= (1 << TFilerFlags::Size)) zelRangeError();
        const Integer childPos = Conv<Integer>::From(Info->Args[1]->Value);
        ci->FReadPrefixFlags = TFilerFlags::FromBits(static_cast<TFilerFlags::Bits>(bits));
        ci->FReadPrefixChildPos = childPos;
        reader->ReadPrefix(ci->FReadPrefixFlags, ci->FReadPrefixChildPos);
        Info->Args[0]->Value = static_cast<Integer>(ci->FReadPrefixFlags.ToBits());
        Info->Args[1]->Value = ci->FReadPrefixChildPos;
    }

    static constexpr TzelPropRow Properties[] = {
        prop<&R::GetOwner, &R::SetOwner>("Owner"),
        prop<&R::GetParent, &R::SetParent>("Parent"),
        prop<&R::GetPosition, &R::SetPosition>("Position"),
    };
    static constexpr TzelMethodRow Methods[] = {
        proc<&R::BeginReferences>("BeginReferences"),
        func<&R::EndOfList>("EndOfList"),
        proc<&R::EndReferences>("EndReferences"),
        proc<&R::FixupReferences>("FixupReferences"),
        func<&R::NextValue>("NextValue"),
        procFn("Read", "Buf,Count", &Read),
        func<&R::ReadBoolean>("ReadBoolean"),
        func<&R::ReadChar>("ReadChar"),
        proc<&R::ReadCollection>("ReadCollection", "Collection"),
        func<&R::ReadComponent>("ReadComponent", "Component"),
        func<&R::ReadFloat>("ReadFloat"),
        func<&R::ReadSingle>("ReadSingle"),
        func<&R::ReadCurrency>("ReadCurrency"),
        func<&R::ReadDate>("ReadDate"),
        func<&R::ReadIdent>("ReadIdent"),
        func<&R::ReadInteger>("ReadInteger"),
        proc<&R::ReadListBegin>("ReadListBegin"),
        proc<&R::ReadListEnd>("ReadListEnd"),
        procFn("ReadPrefix", "Flags,AChildPos", &ReadPrefix),
        func<&R::ReadRootComponent>("ReadRootComponent", "Root"),
        proc<&R::ReadSignature>("ReadSignature"),
        func<&R::ReadStr>("ReadStr"),
        func<&R::ReadString>("ReadString"),
        func<&R::ReadWideString>("ReadWideString"),
        func<&R::ReadValue>("ReadValue"),
        proc<&R::CopyValue>("CopyValue", "Writer"),
    };
    static constexpr TzelEventRow Events[] = {
        event<CI, &R::GetOnError, &R::SetOnError>("OnError", "Reader,Message,Handled"),
        event<CI, &R::GetOnFindMethod, &R::SetOnFindMethod>("OnFindMethod",
                                                            "Reader,MethodName,Address,Error"),
        event<CI, &R::GetOnSetName, &R::SetOnSetName>("OnSetName", "Reader,Component,Name"),
        event<CI, &R::GetOnReferenceName, &R::SetOnReferenceName>("OnReferenceName", "Reader,Name"),
        event<CI, &R::GetOnAncestorNotFound, &R::SetOnAncestorNotFound>(
            "OnAncestorNotFound", "Reader,ComponentName,ComponentClass,Component"),
    };
};
ZEL_TABLE(TReaderClassInfo, TFilerClassInfo, TReader);

struct TWriterClassInfo::ZelRows {
    using W = TWriter;

    static LongInt WriteAll(void* Writer, const void* Buffer, LongInt Count) {
        static_cast<TWriter*>(Writer)->Write(Buffer, Count);
        return Count;
    }

    // An untyped buffer (ZelclassesBuffers.h): nothing is copied back.
    static void Write(TzelClassInfo* Self, TzelMethodInfo* Info) {
        TWriter* writer = zelOwnerAs<TWriter>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const LongInt count = Conv<Integer>::From(Info->Args[1]->Value);
        zelWriteFromBuffer(Info->Args[0]->Value, count, true, writer, &WriteAll);
    }

    static constexpr TzelPropRow Properties[] = {
        prop<&W::GetPosition, &W::SetPosition>("Position"),
        prop<&W::GetRootAncestor, &W::SetRootAncestor>("RootAncestor"),
    };
    static constexpr TzelMethodRow Methods[] = {
        procFn("Write", "Buf,Count", &Write),
        proc<&W::WriteBoolean>("WriteBoolean", "Value"),
        proc<&W::WriteCollection>("WriteCollection", "Value"),
        proc<&W::WriteComponent>("WriteComponent", "Component"),
        proc<&W::WriteChar>("WriteChar", "Value"),
        proc<&W::WriteDescendent>("WriteDescendent", "Root,AAncestor"),
        proc<&W::WriteFloat>("WriteFloat", "Value"),
        proc<&W::WriteSingle>("WriteSingle", "Value"),
        proc<&W::WriteCurrency>("WriteCurrency", "Value"),
        proc<&W::WriteDate>("WriteDate", "Value"),
        proc<&W::WriteIdent>("WriteIdent", "Ident"),
        proc<static_cast<void (W::*)(Integer)>(&W::WriteInteger)>("WriteInteger", "Value"),
        proc<&W::WriteListBegin>("WriteListBegin"),
        proc<&W::WriteListEnd>("WriteListEnd"),
        proc<&W::WriteRootComponent>("WriteRootComponent", "Root"),
        proc<&W::WriteSignature>("WriteSignature"),
        proc<&W::WriteStr>("WriteStr", "Value"),
        proc<&W::WriteString>("WriteString", "Value"),
        proc<&W::WriteWideString>("WriteWideString", "Value"),
    };
};
ZEL_TABLE(TWriterClassInfo, TFilerClassInfo, TWriter);

} // namespace zeltrix
