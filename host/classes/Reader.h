// TReader: reads the host's binary form format, from single values up to whole component trees.
#pragma once

#include "host/classes/Filer.h"
#include "host/system/Variant.h"

#include <vector>

namespace host {

struct TPropInfo;
struct TTypeInfo;
class TCollection;

using TReaderError = Closure<void(TReader* Reader, const AnsiString& Message, bool& Handled)>;
using TFindMethodEvent =
    Closure<void(TReader* Reader, const AnsiString& MethodName, void*& Address, bool& Error)>;
using TSetNameEvent = Closure<void(TReader* Reader, TComponent* Component, AnsiString& Name)>;
using TReferenceNameEvent = Closure<void(TReader* Reader, AnsiString& Name)>;
using TAncestorNotFoundEvent = Closure<void(TReader* Reader, const AnsiString& ComponentName,
                                            TClass ComponentClass, TComponent*& Component)>;
using TReadComponentsProc = Closure<void(TComponent* Component)>;
using TFindComponentClassEvent =
    Closure<void(TReader* Reader, const AnsiString& ClassName, TClass& ComponentClass)>;

class TReader : public TFiler {
    HOST_CLASS(TReader, TFiler)
public:
    TReader(TStream* Stream, Integer BufSize);
    /// Moves the stream back to the end of what was read (the rest of the buffer is unread).
    ~TReader() override;

    // ---- values ----
    TValueType ReadValue();
    /// The tag of the next value, without consuming it.
    TValueType NextValue();
    /// Raises EReadError "Invalid property value" unless the next tag is `Value` (consumed).
    void CheckValue(TValueType Value);
    bool EndOfList();
    void Read(void* Buf, Integer Count);
    bool ReadBoolean();
    char ReadChar();
    Extended ReadFloat();
    float ReadSingle();
    Currency ReadCurrency();
    TDateTime ReadDate();
    AnsiString ReadIdent();
    Integer ReadInteger();
    Int64 ReadInt64();
    void ReadListBegin();
    void ReadListEnd();
    void ReadSignature();
    /// A short string without a tag: the names of classes, components and properties.
    AnsiString ReadStr();
    /// Any string value; wide and UTF-8 strings are narrowed to 8-bit text.
    AnsiString ReadString();
    WideString ReadWideString();
    Variant ReadVariant();
    /// The prefix byte before a component's class name, if there is one, and the child
    /// position that follows it when ffChildPos is set.
    virtual void ReadPrefix(TFilerFlags& Flags, Integer& AChildPos);
    /// Skips the next value, whatever its kind (lists and collections with their contents).
    void SkipValue();
    /// Reads the next value and writes it unchanged to `Writer`.
    void CopyValue(TWriter* Writer);
    /// A length of `Width` (1 or 4) bytes, checked against what the stream still holds
    /// for that many items of `ItemSize` bytes.
    Integer ReadLength(int Width, Int64 ItemSize);
    /// Raises "Stream read error" unless `Count` more bytes can still be read.
    void CheckAvailable(Int64 Count);

    // ---- components ----
    void BeginReferences();
    void EndReferences();
    /// Resolves the component references read so far, then calls Loaded on every component
    /// read, in the order they were read.
    void FixupReferences();
    void ReadCollection(TCollection* Collection);
    /// Reads one component (prefix, class, name, state) owned by Owner; when `Component` is
    /// given, reads into it instead of creating one.
    TComponent* ReadComponent(TComponent* Component);
    void ReadComponents(TComponent* AOwner, TComponent* AParent, TReadComponentsProc Proc);
    /// Reads a whole form: signature, root and children; creates the root from its
    /// registered class when `Root` is null, else reads into `Root`.
    TComponent* ReadRootComponent(TComponent* Root);
    /// The body of a component: its properties, then its children (TComponent::ReadState).
    void ReadData(TComponent* Instance);

    void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;
    void FlushBuffer() override;
    /// Names in the stream are relative to the root from now on.
    void SetRoot(TComponent* Value) override {
        TFiler::SetRoot(Value);
        FLookupRoot = Value;
    }

    TComponent* GetOwner() const { return FOwner; }
    void SetOwner(TComponent* Value) { FOwner = Value; }
    TComponent* GetParent() const { return FParent; }
    void SetParent(TComponent* Value) { FParent = Value; }
    /// The position in the stream of the next byte to read.
    Integer GetPosition() const;
    void SetPosition(Integer Value);

    TReaderError GetOnError() const { return FOnError; }
    void SetOnError(TReaderError Value) { FOnError = Value; }
    TFindMethodEvent GetOnFindMethod() const { return FOnFindMethod; }
    void SetOnFindMethod(TFindMethodEvent Value) { FOnFindMethod = Value; }
    TSetNameEvent GetOnSetName() const { return FOnSetName; }
    void SetOnSetName(TSetNameEvent Value) { FOnSetName = Value; }
    TReferenceNameEvent GetOnReferenceName() const { return FOnReferenceName; }
    void SetOnReferenceName(TReferenceNameEvent Value) { FOnReferenceName = Value; }
    TAncestorNotFoundEvent GetOnAncestorNotFound() const { return FOnAncestorNotFound; }
    void SetOnAncestorNotFound(TAncestorNotFoundEvent Value) { FOnAncestorNotFound = Value; }
    /// Asked for the class of a component the root's fields do not name, before the
    /// registered classes; a class it sets is used.
    TFindComponentClassEvent GetOnFindComponentClass() const { return FOnFindComponentClass; }
    void SetOnFindComponentClass(TFindComponentClassEvent Value) { FOnFindComponentClass = Value; }

    /// When set, a property whose error OnError handles is kept with its object as streamed
    /// (TPersistent::GetKeptProperties) instead of skipped, so that writing the object again
    /// writes it back. Off by default, as in the host.
    bool GetKeepRejectedProperties() const { return FKeepRejected; }
    void SetKeepRejectedProperties(bool Value) { FKeepRejected = Value; }
    /// While OnError runs for a property: the component being read and the property's name as
    /// the form gives it ("Font.Orientation").
    TComponent* GetCurrentComponent() const { return FCurrent; }
    const AnsiString& GetPropertyPath() const { return FPropPath; }
    /// While OnAncestorNotFound runs: the child position the form gives the component, -1 for
    /// none.
    Integer GetChildPosition() const { return FChildPosRead; }

protected:
    /// Offers `Message` to OnError; true when the handler set Handled.
    virtual bool Error(const AnsiString& Message);
    /// The code of the published method `MethodName` of `Root`, as OnFindMethod may change it;
    /// raises "Invalid property value" when there is none.
    virtual void* FindMethod(TComponent* Root, const AnsiString& MethodName);
    virtual void SetName(TComponent* Component, AnsiString& Name);
    virtual void ReferenceName(AnsiString& Name);
    virtual TComponent* FindAncestorComponent(const AnsiString& Name, TClass ComponentClass);

    void ReadProperty(TPersistent* AInstance);
    void ReadPropValue(TPersistent* Instance, const TPropInfo* PropInfo);
    [[noreturn]] void PropertyError();
    [[noreturn]] static void PropValueError();
    [[noreturn]] static void ReadError(const char* Message);
    Int64 ReadSet(const TTypeInfo* SetType);
    void SkipSetBody();
    void SkipProperty();
    /// Copies the next value as streamed into `Instance`'s kept properties.
    void KeepValue(TPersistent* Instance, const AnsiString& Name);
    void SkipCollection();
    void SkipComponent(bool SkipHeader);
    void SkipBytes(Int64 Count);
    void ReadBuffer();
    void ReadMethodProp(TPersistent* Instance, const TPropInfo* PropInfo);
    void ReadComponentRef(TPersistent* Instance, const TPropInfo* PropInfo);
    void AddLoaded(TComponent* Component, bool Created);
    void DoFixupReferences();

    /// Bounds recursion on untrusted input.
    struct Nesting {
        explicit Nesting(TReader* R);
        ~Nesting() { --R->FDepth; }
        TReader* R;
    };

    /// A component reference read by name, set once the whole form is read.
    struct Fixup {
        TPersistent* Instance;
        std::uint64_t InstanceId;
        const TPropInfo* PropInfo;
        TComponent* Root; // the lookup root the name is relative to
        std::uint64_t RootId;
        AnsiString Name;
    };
    struct LoadedEntry {
        TComponent* Component;
        std::uint64_t Id;
        bool Created; // by this reader (freed again when reading fails)
    };
    TClass FindComponentClass(const AnsiString& ClassName);
    /// After a failed read: frees what this reader created, takes the others out of loading.
    void AbandonLoaded();
    void ReadDataInner(TComponent* Instance);

    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
    std::vector<Fixup> FFixups;
    bool FFixupsActive = false; // an outer ReadData resolves the references when it ends
    std::vector<LoadedEntry> FLoaded;
    AnsiString FPropName;
    int FDepth = 0;
    TReaderError FOnError;
    TFindMethodEvent FOnFindMethod;
    TSetNameEvent FOnSetName;
    TReferenceNameEvent FOnReferenceName;
    TAncestorNotFoundEvent FOnAncestorNotFound;
    TFindComponentClassEvent FOnFindComponentClass;
    bool FKeepRejected = false;
    TComponent* FCurrent = nullptr; // whose properties are being read
    AnsiString FPropPath;           // the property being read, as streamed
    Integer FChildPosRead = -1;     // of the inherited component being looked for
};

// ---- references between forms ----

/// Finds a root component (a form) by name; the forms unit installs one. Null: none.
using TFindGlobalComponent = TComponent* (*)(const AnsiString& Name);
extern TFindGlobalComponent FindGlobalComponent;

/// While global loading is on (on this thread), the components read by every reader are
/// collected and NotifyGlobalLoading calls their Loaded once, after all of them are read: a
/// form that reads its ancestors' layouts and then its own.
void BeginGlobalLoading();
void NotifyGlobalLoading();
void EndGlobalLoading();

/// Resolves "Button1", "Owner", "Form2.Button1" from `Root`.
TComponent* FindNestedComponent(TComponent* Root, const AnsiString& NamePath);
/// Retries the references that named components not loaded yet (other forms).
void GlobalFixupReferences();
/// Forgets the pending references of `Root`'s components (that name `RootName`, if not empty).
void RemoveFixupReferences(TComponent* Root, const AnsiString& RootName);
/// Forgets the pending references that `Instance` makes.
void RemoveFixups(TPersistent* Instance);

} // namespace host
