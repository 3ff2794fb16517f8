// Component streaming entry points: TComponent's state, TStrings' items, TStream's
// ReadComponent/WriteComponent family, and reading a form class's own layouts.
#include "host/classes/ComponentStreaming.h"

#include "host/classes/Component.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/Strings.h"
#include "host/classes/Writer.h"

namespace host {

// ---- TComponent ----

void TComponent::ReadState(TReader* Reader) {
    if (TComponent* parent = Reader->GetParent()) SetParentComponent(parent);
    Reader->ReadData(this);
}

void TComponent::WriteState(TWriter* Writer) {
    Writer->WriteData(this);
}

// DesignInfo keeps a non-visual component's place on the designer: Left in the low word,
// Top in the high word.
void TComponent::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    LongInt info = 0;
    if (auto* ancestor = DynCast<TComponent>(Filer->GetAncestor())) info = ancestor->FDesignInfo;
    auto lo = [](LongInt v) { return static_cast<Word>(v & 0xFFFF); };
    auto hi = [](LongInt v) {
        return static_cast<Word>((static_cast<Cardinal>(v) >> 16) & 0xFFFF);
    };
    Filer->DefineProperty("Left", TReaderProc::Bind<&TComponent::ReadLeft>(this),
                          TWriterProc::Bind<&TComponent::WriteLeft>(this),
                          lo(FDesignInfo) != lo(info));
    Filer->DefineProperty("Top", TReaderProc::Bind<&TComponent::ReadTop>(this),
                          TWriterProc::Bind<&TComponent::WriteTop>(this),
                          hi(FDesignInfo) != hi(info));
}

void TComponent::ReadLeft(TReader* Reader) {
    auto v = static_cast<Cardinal>(Reader->ReadInteger()) & 0xFFFFu;
    FDesignInfo = static_cast<LongInt>((static_cast<Cardinal>(FDesignInfo) & 0xFFFF0000u) | v);
}

void TComponent::ReadTop(TReader* Reader) {
    auto v = static_cast<Cardinal>(Reader->ReadInteger()) & 0xFFFFu;
    FDesignInfo = static_cast<LongInt>((static_cast<Cardinal>(FDesignInfo) & 0xFFFFu) | (v << 16));
}

void TComponent::WriteLeft(TWriter* Writer) {
    Writer->WriteInteger(static_cast<Integer>(static_cast<Cardinal>(FDesignInfo) & 0xFFFFu));
}

void TComponent::WriteTop(TWriter* Writer) {
    Writer->WriteInteger(static_cast<Integer>(static_cast<Cardinal>(FDesignInfo) >> 16));
}

// ---- TStrings ----

void TStrings::DefineProperties(TFiler* Filer) {
    bool write;
    if (TPersistent* ancestor = Filer->GetAncestor()) {
        auto* strings = DynCast<TStrings>(ancestor);
        write = !strings || !Equals(strings);
    } else {
        write = GetCount() > 0;
    }
    Filer->DefineProperty("Strings", TReaderProc::Bind<&TStrings::ReadData>(this),
                          TWriterProc::Bind<&TStrings::WriteData>(this), write);
}

void TStrings::ReadData(TReader* Reader) {
    Reader->ReadListBegin();
    {
        TStringsUpdate update(this);
        Clear();
        while (!Reader->EndOfList()) Add(Reader->ReadString());
    }
    Reader->ReadListEnd();
}

void TStrings::WriteData(TWriter* Writer) {
    Writer->WriteListBegin();
    for (Integer i = 0; i < GetCount(); ++i) Writer->WriteString(Get(i));
    Writer->WriteListEnd();
}

// ---- TStream ----

TComponent* TStream::ReadComponent(TComponent* Instance) {
    if (HasResourceHeader(this)) SkipResourceHeader(this);
    TReader reader(this, 4096);
    return reader.ReadRootComponent(Instance);
}

TComponent* TStream::ReadComponentRes(TComponent* Instance) {
    SkipResourceHeader(this);
    return ReadComponent(Instance);
}

void TStream::WriteComponent(TComponent* Instance) {
    WriteDescendent(Instance, nullptr);
}

void TStream::WriteComponentRes(const AnsiString& ResName, TComponent* Instance) {
    WriteDescendentRes(ResName, Instance, nullptr);
}

void TStream::WriteDescendent(TComponent* Instance, TComponent* Ancestor) {
    TWriter writer(this, 4096);
    writer.WriteDescendent(Instance, Ancestor);
    writer.FlushBuffer();
}

void TStream::WriteDescendentRes(const AnsiString& ResName, TComponent* Instance,
                                 TComponent* Ancestor) {
    LongInt fixup = 0;
    WriteResourceHeader(ResName, fixup);
    WriteDescendent(Instance, Ancestor);
    FixupResourceHeader(fixup);
}

// ---- forms from resources and files ----

namespace {
/// Reads the form resource named after `Class` into `Instance`; false when there is none.
/// The resource may hold a binary form or, for layouts kept as text, a text form.
bool ReadClassResource(TClass Class, TComponent* Instance) {
    TResName name(Class->ClassName);
    if (!FindResource(HInstance, name, RT_RCDATA)) return false;
    TResourceStream res(HInstance, name, RT_RCDATA);
    if (TestStreamFormat(&res) == sofText) {
        TMemoryStream binary;
        ObjectTextToBinary(&res, &binary);
        binary.SetPosition(0);
        binary.ReadComponent(Instance);
    } else {
        res.ReadComponent(Instance);
    }
    return true;
}
} // namespace

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor) {
    // The layouts of the ancestors first, then the descendants' changes over them.
    std::vector<TClass> chain;
    for (TClass c = Instance->ClassType(); c && c != TComponent::StaticClass() && c != RootAncestor;
         c = c->Parent)
        chain.push_back(c);
    bool found = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        found = ReadClassResource(*it, Instance) || found;
    return found;
}

TComponent* ReadComponentResFile(const AnsiString& FileName, TComponent* Instance) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    return stream.ReadComponentRes(Instance);
}

void WriteComponentResFile(const AnsiString& FileName, TComponent* Instance) {
    TFileStream stream(FileName, fmCreate);
    stream.WriteComponentRes(Instance->ClassName(), Instance);
}

} // namespace host
