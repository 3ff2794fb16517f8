// TWriter: writes the host's binary form format, from single values up to whole component trees.
#pragma once

#include "host/classes/Filer.h"

#include <vector>

namespace host {

struct TPropInfo;
class TCollection;
class Variant;

class TWriter : public TFiler {
    HOST_CLASS(TWriter, TFiler)
public:
    TWriter(TStream* Stream, Integer BufSize);
    /// Writes out what is still in the buffer.
    ~TWriter() override;

    // ---- values ----
    void Write(const void* Buf, Integer Count);
    void WriteValue(TValueType Value);
    void WriteBoolean(bool Value);
    /// A one-character string.
    void WriteChar(char Value);
    void WriteFloat(Extended Value);
    void WriteSingle(float Value);
    void WriteCurrency(Currency Value);
    void WriteDate(TDateTime Value);
    void WriteIdent(const AnsiString& Ident);
    /// In the smallest of 8, 16 and 32 bits (64 for the Int64 overload) that holds it.
    void WriteInteger(Integer Value);
    void WriteInteger(Int64 Value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteSignature();
    /// A short string without a tag; longer text is cut at 255 bytes.
    void WriteStr(const AnsiString& Value);
    /// A short string up to 255 bytes, else a long one.
    void WriteString(const AnsiString& Value);
    void WriteWideString(const WideString& Value);
    void WriteUTF8String(const AnsiString& Utf8);
    /// Empty as nil, Null as null, numbers, strings and Booleans by their kind.
    void WriteVariant(const Variant& Value);
    void WriteBinaryData(const void* Data, Integer Count);
    /// The prefix byte before a component's class name (nothing when there are no flags).
    void WritePrefix(TFilerFlags Flags, Integer ChildPos);

    // ---- components ----
    void WriteCollection(TCollection* Value);
    void WriteComponent(TComponent* Component);
    /// Writes `Root` with only what differs from `AAncestor` (everything when it is null).
    void WriteDescendent(TComponent* Root, TComponent* AAncestor);
    void WriteRootComponent(TComponent* Root);
    /// The body of a component: prefix, class, name, properties, children
    /// (TComponent::WriteState).
    void WriteData(TComponent* Instance);
    void WriteProperties(TPersistent* Instance);

    void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;
    void FlushBuffer() override;

    /// The position in the stream of the next byte to write.
    Integer GetPosition() const;
    void SetPosition(Integer Value);
    TComponent* GetRootAncestor() const { return FRootAncestor; }
    void SetRootAncestor(TComponent* Value) { FRootAncestor = Value; }

protected:
    void WriteBuffer();
    void WritePropName(const AnsiString& PropName);
    void WriteProperty(TPersistent* Instance, const TPropInfo* PropInfo);
    void WriteBinary(TStreamProc WriteData);
    void AddAncestor(TComponent* Component);
    /// The name of the published method of the lookup root that `Method` calls, or empty.
    AnsiString FindMethodName(const TMethod& Method) const;

    AnsiString FPropPath;
    TComponent* FRootAncestor = nullptr;
    std::vector<TComponent*> FAncestorList; // the ancestor's children, while writing children
    bool FHasAncestorList = false;
    std::size_t FAncestorPos = 0;
    Integer FChildPos = 0;
    int FDepth = 0;
};

} // namespace host
