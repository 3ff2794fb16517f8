// Streams: the abstract stream, handle and file streams, memory, string and resource streams;
// and the untyped buffer arguments that streams and filers share.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesAccess.h"
#include "classinfo/ZelclassesBuffers.h"

#include "core/ClassInfoRows.h"
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
    static LongInt Read(CI& Self, TStream& S, Variant& Buffer, LongInt Count) {
        return zelReadIntoBuffer(Buffer, Self.FReadBuffer, Count, &S, &ReadSome);
    }
    static void ReadBuffer(CI& Self, TStream& S, Variant& Buffer, LongInt Count) {
        zelReadIntoBuffer(Buffer, Self.FReadBufferBuffer, Count, &S, &ReadAll);
    }
    static LongInt Write(TStream& S, const Variant& Buffer, LongInt Count) {
        return zelWriteFromBuffer(Buffer, Count, false, &S, &WriteSome);
    }
    static void WriteBuffer(TStream& S, const Variant& Buffer, LongInt Count) {
        zelWriteFromBuffer(Buffer, Count, true, &S, &WriteAll);
    }

    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(TStream, Position),
        ZEL_PROP(TStream, Size),
    };
    static constexpr TzelMethodRow Methods[] = {
        funcFn<&Read>("Read", "Buffer,Count"),
        funcFn<&Write>("Write", "Buffer,Count"),
        ZEL_FUNC(TStream, Seek, "Offset,Origin"),
        procFn<&ReadBuffer>("ReadBuffer", "Buffer,Count"),
        procFn<&WriteBuffer>("WriteBuffer", "Buffer,Count"),
        ZEL_FUNC(TStream, CopyFrom, "Source,Count"),
        ZEL_FUNC(TStream, ReadComponent, "Instance"),
        ZEL_FUNC(TStream, ReadComponentRes, "Instance"),
        ZEL_PROC(TStream, WriteComponent, "Instance"),
        ZEL_PROC(TStream, WriteComponentRes, "ResName,Instance"),
        ZEL_PROC(TStream, WriteDescendent, "Instance,Ancestor"),
        ZEL_PROC(TStream, WriteDescendentRes, "ResName,Instance,Ancestor"),
        ZEL_PROC(TStream, ReadResHeader),
    };
};
ZEL_TABLE(TStreamClassInfo);

struct THandleStreamClassInfo::ZelRows {
    // The host declares a stream's handle as a signed integer: it travels by value, no slot.
    static Integer Handle(THandleStream& S) { return static_cast<Integer>(S.GetHandle()); }

    static constexpr TzelPropRow Properties[] = {propFnR<&Handle>("Handle")};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AHandle")};
};
ZEL_TABLE(THandleStreamClassInfo);

struct TFileStreamClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "FileName,Mode")};
};
ZEL_TABLE(TFileStreamClassInfo);

struct TCustomMemoryStreamClassInfo::ZelRows {
    using M = TCustomMemoryStream;
    static constexpr TzelPropRow Properties[] = {ZEL_PROP_R(M, Memory)};
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(M, SaveToStream, "Stream"),
        ZEL_PROC(M, SaveToFile, "FileName"),
    };
};
ZEL_TABLE(TCustomMemoryStreamClassInfo);

struct TMemoryStreamClassInfo::ZelRows {
    using M = TMemoryStream;
    using P = TProtectedTMemoryStream;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(P, Capacity).protected_(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(M, Clear),
        ZEL_PROC(M, LoadFromStream, "Stream"),
        ZEL_PROC(M, LoadFromFile, "FileName"),
    };
};
ZEL_TABLE(TMemoryStreamClassInfo);

struct TStringStreamClassInfo::ZelRows {
    using S = TStringStream;
    static constexpr TzelPropRow Properties[] = {ZEL_PROP_R(S, DataString)};
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(S, ReadString, "Count"),
        ZEL_PROC(S, WriteString, "AString"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AString")};
};
ZEL_TABLE(TStringStreamClassInfo);

struct TResourceStreamClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {
        ctor("Create", "Instance,ResName,ResType"),
        ctor("CreateFromID", "Instance,ResID,ResType"),
    };
};
ZEL_TABLE(TResourceStreamClassInfo);

} // namespace zeltrix
