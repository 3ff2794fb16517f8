// TFiler: what the host's component reader and writer share, and the binary format's
// vocabulary (value tags, filer flags, the signature).
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/Closure.h"
#include "host/system/Exceptions.h"

#include <memory>

namespace host {

class TStream;
class TPersistent;
class TComponent;
class TReader;
class TWriter;

/// The tag byte before every value in a binary form.
enum TValueType : Byte {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String,
    vaDouble // written by newer versions of the host; read, never written
};
inline constexpr TValueType vaLastValueType = vaDouble;
HOST_ENUM_INFO(TValueType, vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent,
               vaFalse, vaTrue, vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle,
               vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String, vaDouble)

/// Flags of the prefix byte ($F0 | flags) that may precede a component's class name.
enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = Set<TFilerFlag, 3>;

/// The four bytes that open every binary form.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

/// Deeper nesting of lists, collections or children than this is refused as invalid input.
inline constexpr int MaxFilerNesting = 256;

using TReaderProc = Closure<void(TReader* Reader)>;
using TWriterProc = Closure<void(TWriter* Writer)>;
using TStreamProc = Closure<void(TStream* Stream)>;

/// The base of TReader and TWriter: a buffer over a stream, the root being read or written,
/// the ancestor it is compared with, and the custom-property hooks of DefineProperties.
class TFiler : public TObject {
    HOST_CLASS(TFiler, TObject)
public:
    /// `BufSize` is the size of the buffer between the filer and `Stream` (clamped to
    /// 16 .. 1 MiB: a buffer is only a cache).
    TFiler(TStream* Stream, Integer BufSize);
    ~TFiler() override;

    /// Called by DefineProperties: reads or writes one custom property named `Name`.
    /// `HasData` says whether the writer should write it at all.
    virtual void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                                bool HasData) = 0;
    /// The same for data that the object reads and writes as raw bytes of a stream.
    virtual void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData,
                                      TStreamProc WriteData, bool HasData) = 0;
    /// Brings the stream in line with the filer: a writer writes its buffer out, a reader
    /// moves the stream back to what it has really consumed and empties its buffer.
    virtual void FlushBuffer() = 0;

    TComponent* GetRoot() const { return FRoot; }
    virtual void SetRoot(TComponent* Value) { FRoot = Value; }
    /// The root that names in the stream are relative to (components, methods).
    TComponent* GetLookupRoot() const { return FLookupRoot; }
    TPersistent* GetAncestor() const { return FAncestor; }
    void SetAncestor(TPersistent* Value) { FAncestor = Value; }
    bool GetIgnoreChildren() const { return FIgnoreChildren; }
    void SetIgnoreChildren(bool Value) { FIgnoreChildren = Value; }

protected:
    TStream* FStream;
    std::unique_ptr<Byte[]> FBuffer;
    Integer FBufSize;
    Integer FBufPos = 0;
    Integer FBufEnd = 0;
    TComponent* FRoot = nullptr;
    TComponent* FLookupRoot = nullptr;
    TPersistent* FAncestor = nullptr;
    bool FIgnoreChildren = false;
};

} // namespace host
