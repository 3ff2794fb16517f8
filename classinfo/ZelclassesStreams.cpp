// Streams: the abstract stream, handle and file streams, memory, string and resource streams;
// and the untyped buffer arguments that streams and filers share.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesAccess.h"
#include "classinfo/ZelclassesBuffers.h"

#include "core/ClassInfoTable.h"
#include "host/classes/Streams.h"
#include "host/system/Exceptions.h"

#include <algorithm>
#include <limits>

namespace zeltrix {

using namespace host;

// ---- untyped buffers ----

namespace {
/// A read into a string grows it by at most this much at a time.
constexpr LongInt ReadStep = 0x10000;

void RefuseAddress(const Variant& Buffer) {
    if (Buffer.IsByRef()) throw EInvalidCast("A buffer is passed as a string, not as an address");
}
} // namespace

LongInt zelReadIntoBuffer(Variant& Arg, Variant& Slot, LongInt Count, void* Target,
                          TzelReadFn Read) {
    RefuseAddress(Arg);
    AnsiString data;
    if (Count <= 0) {
        char none = 0;
        Read(Target, &none, Count); // the host's own answer to a count with nothing at stake
    }
    while (static_cast<LongInt>(data.size()) < Count) {
        const std::size_t have = data.size();
        const LongInt step = std::min(Count - static_cast<LongInt>(have), ReadStep);
        data.resize(have + static_cast<std::size_t>(step));
        const LongInt n = std::clamp<LongInt>(Read(Target, data.data() + have, step), 0, step);
        data.resize(have + static_cast<std::size_t>(n));
        if (n < step) break;
    }
    Slot = Variant(data);
    Arg = Slot;
    return static_cast<LongInt>(data.size());
}

LongInt zelWriteFromBuffer(const Variant& Arg, LongInt Count, bool Whole, void* Target,
                           TzelWriteFn Write) {
    RefuseAddress(Arg);
    const AnsiString data = Arg.AsString();
    const LongInt size = static_cast<LongInt>(
        std::min<std::size_t>(data.size(), std::numeric_limits<LongInt>::max()));
    if (Count > size) {
        if (Whole) throw EWriteError("Stream write error");
        Count = size;
    }
    return Write(Target, data.data(), Count);
}

// ---- streams ----

struct TStreamClassInfo::ZelRows {
    using CI = TStreamClassInfo;

    static LongInt ReadSome(void* S, void* Buffer, LongInt Count) {
        return static_cast<TStream*>(S)->Read(Buffer, Count);
    }
    static LongInt ReadAll(void* S, void* Buffer, LongInt Count) {
        static_cast<TStream*>(S)->ReadBuffer(Buffer, Count);
        return Count;
    }
    static LongInt WriteSome(void* S, const void* Buffer, LongInt Count) {
        return static_cast<TStream*>(S)->Write(Buffer, Count);
    }
    static LongInt WriteAll(void* S, const void* Buffer, LongInt Count) {
        static_cast<TStream*>(S)->WriteBuffer(Buffer, Count);
        return Count;
    }

    // Untyped buffers (ZelclassesBuffers.h); Read and ReadBuffer keep theirs in a slot.
    static void Read(TzelClassInfo* Self, TzelMethodInfo* Info) {
        TStream* stream = zelOwnerAs<TStream>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const LongInt count = Conv<LongInt>::From(Info->Args[1]->Value);
        Info->Result = zelReadIntoBuffer(Info->Args[0]->Value, static_cast<CI*>(Self)->FReadBuffer,
                                         count, stream, &ReadSome);
    }
    static void ReadBuffer(TzelClassInfo* Self, TzelMethodInfo* Info) {
        TStream* stream = zelOwnerAs<TStream>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const LongInt count = Conv<LongInt>::From(Info->Args[1]->Value);
        zelReadIntoBuffer(Info->Args[0]->Value, static_cast<CI*>(Self)->FReadBufferBuffer, count,
                          stream, &ReadAll);
    }
    static void Write(TzelClassInfo* Self, TzelMethodInfo* Info) {
        TStream* stream = zelOwnerAs<TStream>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const LongInt count = Conv<LongInt>::From(Info->Args[1]->Value);
        Info->Result = zelWriteFromBuffer(Info->Args[0]->Value, count, false, stream, &WriteSome);
    }
    static void WriteBuffer(TzelClassInfo* Self, TzelMethodInfo* Info) {
        TStream* stream = zelOwnerAs<TStream>(Self);
        zelNeed(Info, Info->GetArgCount(), 2);
        const LongInt count = Conv<LongInt>::From(Info->Args[1]->Value);
        zelWriteFromBuffer(Info->Args[0]->Value, count, true, stream, &WriteAll);
    }

    static constexpr TzelPropRow Properties[] = {
        prop<&TStream::GetPosition, &TStream::SetPosition>("Position"),
        prop<&TStream::GetSize, &TStream::SetSize>("Size"),
    };
    static constexpr TzelMethodRow Methods[] = {
        funcFn("Read", "Buffer,Count", &Read),
        funcFn("Write", "Buffer,Count", &Write),
        func<&TStream::Seek>("Seek", "Offset,Origin"),
        procFn("ReadBuffer", "Buffer,Count", &ReadBuffer),
        procFn("WriteBuffer", "Buffer,Count", &WriteBuffer),
        func<&TStream::CopyFrom>("CopyFrom", "Source,Count"),
        func<&TStream::ReadComponent>("ReadComponent", "Instance"),
        func<&TStream::ReadComponentRes>("ReadComponentRes", "Instance"),
        proc<&TStream::WriteComponent>("WriteComponent", "Instance"),
        proc<&TStream::WriteComponentRes>("WriteComponentRes", "ResName,Instance"),
        proc<&TStream::WriteDescendent>("WriteDescendent", "Instance,Ancestor"),
        proc<&TStream::WriteDescendentRes>("WriteDescendentRes", "ResName,Instance,Ancestor"),
        proc<&TStream::ReadResHeader>("ReadResHeader"),
    };
};
ZEL_TABLE(TStreamClassInfo, TObjectClassInfo, TStream);

struct THandleStreamClassInfo::ZelRows {
    // The host declares a stream's handle as a signed integer: it travels by value, no slot.
    static Variant Handle(TzelClassInfo* Self, TzelPropertyInfo*) {
        return Variant(static_cast<Integer>(zelOwnerAs<THandleStream>(Self)->GetHandle()));
    }

    static constexpr TzelPropRow Properties[] = {propFnR("Handle", &Handle)};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AHandle")};
};
ZEL_TABLE(THandleStreamClassInfo, TStreamClassInfo, THandleStream);

struct TFileStreamClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "FileName,Mode")};
};
ZEL_TABLE(TFileStreamClassInfo, THandleStreamClassInfo, TFileStream);

struct TCustomMemoryStreamClassInfo::ZelRows {
    using M = TCustomMemoryStream;
    static constexpr TzelPropRow Properties[] = {propR<&M::GetMemory>("Memory")};
    static constexpr TzelMethodRow Methods[] = {
        proc<&M::SaveToStream>("SaveToStream", "Stream"),
        proc<&M::SaveToFile>("SaveToFile", "FileName"),
    };
};
ZEL_TABLE(TCustomMemoryStreamClassInfo, TStreamClassInfo, TCustomMemoryStream);

struct TMemoryStreamClassInfo::ZelRows {
    using M = TMemoryStream;
    using P = TProtectedTMemoryStream;
    static constexpr TzelPropRow Properties[] = {
        prop<&P::GetCapacity, &P::SetCapacity>("Capacity").protected_(),
    };
    static constexpr TzelMethodRow Methods[] = {
        proc<&M::Clear>("Clear"),
        proc<&M::LoadFromStream>("LoadFromStream", "Stream"),
        proc<&M::LoadFromFile>("LoadFromFile", "FileName"),
    };
};
ZEL_TABLE(TMemoryStreamClassInfo, TCustomMemoryStreamClassInfo, TMemoryStream);

struct TStringStreamClassInfo::ZelRows {
    using S = TStringStream;
    static constexpr TzelPropRow Properties[] = {propR<&S::GetDataString>("DataString")};
    static constexpr TzelMethodRow Methods[] = {
        func<&S::ReadString>("ReadString", "Count"),
        proc<&S::WriteString>("WriteString", "AString"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AString")};
};
ZEL_TABLE(TStringStreamClassInfo, TStreamClassInfo, TStringStream);

struct TResourceStreamClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {
        ctor("Create", "Instance,ResName,ResType"),
        ctor("CreateFromID", "Instance,ResID,ResType"),
    };
};
ZEL_TABLE(TResourceStreamClassInfo, TCustomMemoryStreamClassInfo, TResourceStream);

} // namespace zeltrix
