// The host's streams: the abstract TStream, handle and file streams, memory and string streams,
// and resource streams over the resources a program registers.
#pragma once

#include "host/system/Object.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace host {

namespace detail {
struct FileShare;
}

// Seek origins.
inline constexpr Word soFromBeginning = 0;
inline constexpr Word soFromCurrent = 1;
inline constexpr Word soFromEnd = 2;

// File open modes: one access mode or'ed with one share mode, or fmCreate alone.
inline constexpr Word fmCreate = 0xFFFF;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

inline constexpr THandle INVALID_HANDLE_VALUE = 0xFFFFFFFFu;

class TStream : public TObject {
    HOST_CLASS(TStream, TObject)
public:
    TStream() = default;
    ~TStream() override;

    /// Reads up to `Count` bytes; returns how many were read (0 at the end or for a bad count).
    virtual LongInt Read(void* Buffer, LongInt Count) = 0;
    /// Writes up to `Count` bytes; returns how many were written.
    virtual LongInt Write(const void* Buffer, LongInt Count) = 0;
    /// Moves the position relative to soFromBeginning, soFromCurrent or soFromEnd; returns it.
    virtual LongInt Seek(LongInt Offset, Word Origin) = 0;

    /// Reads exactly `Count` bytes or raises EReadError "Stream read error".
    void ReadBuffer(void* Buffer, LongInt Count);
    /// Writes exactly `Count` bytes or raises EWriteError "Stream write error".
    void WriteBuffer(const void* Buffer, LongInt Count);
    /// Copies `Count` bytes from the current position of `Source`; a Count of 0 copies the whole
    /// of `Source` from its start. Returns the number of bytes copied.
    LongInt CopyFrom(TStream* Source, LongInt Count);

    /// Reads the header of a resource written by a component writer and leaves the position just
    /// beyond it; raises EInvalidImage "Invalid stream format" when there is no valid header.
    void ReadResHeader();
    /// Writes a resource header for data named `ResName` whose size is not known yet;
    /// `FixupInfo` remembers where, for FixupResourceHeader once the data follows.
    void WriteResourceHeader(const AnsiString& ResName, LongInt& FixupInfo);
    /// Stores the size of the data written since WriteResourceHeader into its header.
    void FixupResourceHeader(LongInt FixupInfo);

    LongInt GetPosition();
    void SetPosition(LongInt Pos);
    LongInt GetSize();
    /// Changes the size; streams that cannot resize ignore it.
    virtual void SetSize(LongInt NewSize);
};

/// A stream over an operating-system file descriptor, which it does not own.
class THandleStream : public TStream {
    HOST_CLASS(THandleStream, TStream)
public:
    explicit THandleStream(THandle AHandle);
    ~THandleStream() override;

    LongInt Read(void* Buffer, LongInt Count) override;
    LongInt Write(const void* Buffer, LongInt Count) override;
    LongInt Seek(LongInt Offset, Word Origin) override;
    /// Truncates or extends the file; raises EWriteError when the system refuses.
    void SetSize(LongInt NewSize) override;

    THandle GetHandle() const { return FHandle; }

protected:
    THandle FHandle;
};

/// A stream over a named file, opened with the host's access and share modes. Share modes are
/// honoured among the file streams of this process (the system itself has no share modes).
class TFileStream : public THandleStream {
    HOST_CLASS(TFileStream, THandleStream)
public:
    /// Raises EFCreateError "Cannot create file %s" or EFOpenError "Cannot open file %s".
    TFileStream(const AnsiString& FileName, Word Mode);
    ~TFileStream() override;

private:
    detail::FileShare* fShare = nullptr;
};

/// A stream over a block of memory given by a descendant.
class TCustomMemoryStream : public TStream {
    HOST_CLASS(TCustomMemoryStream, TStream)
public:
    TCustomMemoryStream() = default;
    ~TCustomMemoryStream() override;

    LongInt Read(void* Buffer, LongInt Count) override;
    LongInt Seek(LongInt Offset, Word Origin) override;
    void SaveToStream(TStream* Stream);
    void SaveToFile(const AnsiString& FileName);

    void* GetMemory() const { return FMemory; }

protected:
    void SetPointer(void* Ptr, LongInt Size);

    void* FMemory = nullptr;
    LongInt FSize = 0;
    LongInt FPosition = 0;
};

/// A growable stream in memory.
class TMemoryStream : public TCustomMemoryStream {
    HOST_CLASS(TMemoryStream, TCustomMemoryStream)
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;

    LongInt Write(const void* Buffer, LongInt Count) override;
    void SetSize(LongInt NewSize) override;
    void Clear();
    /// Replaces the contents by the whole of `Stream`, read from its start.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const AnsiString& FileName);

protected:
    LongInt GetCapacity() const { return FCapacity; }
    /// Sets the allocated size exactly; a capacity below Size truncates the contents.
    void SetCapacity(LongInt NewCapacity);
    /// Resizes the buffer to `NewCapacity`, which it may round up (growth happens in 8 KiB
    /// steps); returns the new buffer. Raises EStreamError when memory runs out.
    virtual void* Realloc(LongInt& NewCapacity);

    LongInt FCapacity = 0;
};

/// A stream over a string. Writing replaces everything from the position on.
class TStringStream : public TStream {
    HOST_CLASS(TStringStream, TStream)
public:
    explicit TStringStream(const AnsiString& AString);
    ~TStringStream() override;

    LongInt Read(void* Buffer, LongInt Count) override;
    /// Reads at most `Count` characters.
    AnsiString ReadString(LongInt Count);
    /// Moves within the string only: the position is kept between 0 and Size.
    LongInt Seek(LongInt Offset, Word Origin) override;
    LongInt Write(const void* Buffer, LongInt Count) override;
    void WriteString(const AnsiString& AString);
    void SetSize(LongInt NewSize) override;

    const AnsiString& GetDataString() const { return FDataString; }

protected:
    AnsiString FDataString;
    LongInt FPosition = 0;
};

// ---- resources ----

/// The module handle of the program; resources are registered per module.
inline constexpr THandle HInstance = 0x00400000u;

/// A resource name or type: either a text (compared ignoring case) or a 16-bit identifier,
/// as the host's MAKEINTRESOURCE values.
struct TResName {
    bool IsId = false;
    Word Id = 0;
    AnsiString Name;

    TResName(const char* AName);
    TResName(const AnsiString& AName) : Name(AName) {}
    static TResName FromId(Word AId);
    /// The name as the host's messages show it: the text, or "#" and the identifier.
    AnsiString Display() const;
};
inline TResName MakeIntResource(Word Id) {
    return TResName::FromId(Id);
}

// Predefined resource types.
inline const TResName RT_RCDATA = TResName::FromId(10);
inline const TResName RT_STRING = TResName::FromId(6);
inline const TResName RT_BITMAP = TResName::FromId(2);

/// Makes `Data` available to TResourceStream as resource `Name` of type `Type` in `Instance`;
/// registering the same resource again replaces its data (open streams keep the old data).
void RegisterResource(THandle Instance, const TResName& Name, const TResName& Type,
                      std::string_view Data);
void UnregisterResource(THandle Instance, const TResName& Name, const TResName& Type);
/// True when such a resource is registered.
bool FindResource(THandle Instance, const TResName& Name, const TResName& Type);

/// A read-only memory stream over a registered resource.
class TResourceStream : public TCustomMemoryStream {
    HOST_CLASS(TResourceStream, TCustomMemoryStream)
public:
    /// Raises EResNotFound "Resource %s not found" when no such resource is registered.
    TResourceStream(THandle Instance, const TResName& ResName, const TResName& ResType);
    static TResourceStream* CreateFromID(THandle Instance, Integer ResID, const TResName& ResType);
    ~TResourceStream() override;

    /// Raises EStreamError "Can't write to a read-only resource stream".
    LongInt Write(const void* Buffer, LongInt Count) override;

private:
    std::shared_ptr<const std::string> fData;
};

} // namespace host
