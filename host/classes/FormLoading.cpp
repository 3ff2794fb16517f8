#include "host/classes/FormLoading.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/Component.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"
#include "host/forms/FormRoots.h"
#include "host/system/SysUtils.h"

#include <memory>

namespace host {

namespace {

/// The form as a binary stream from its signature on.
std::unique_ptr<TMemoryStream> BinaryForm(TStream* Source) {
    auto binary = std::make_unique<TMemoryStream>();
    switch (TestStreamFormat(Source)) {
    case sofText: ObjectTextToBinary(Source, binary.get()); break;
    case sofBinary:
        if (HasResourceHeader(Source)) SkipResourceHeader(Source);
        binary->CopyFrom(Source, Source->GetSize() - Source->GetPosition());
        break;
    default: throw EReadError("Invalid stream format");
    }
    binary->SetPosition(0);
    return binary;
}

/// The root's class name and the names of its own properties, in the file's order.
AnsiString RootClassName(TStream* Binary, std::vector<AnsiString>* Properties) {
    TReader reader(Binary, 256);
    reader.ReadSignature();
    TFilerFlags flags;
    Integer position = 0;
    reader.ReadPrefix(flags, position);
    AnsiString name = reader.ReadStr();
    reader.ReadStr(); // the root's name
    try {
        while (Properties && !reader.EndOfList()) {
            Properties->push_back(reader.ReadStr());
            reader.SkipValue();
        }
    } catch (const Exception&) {
        // A malformed property list: the reading proper reports it.
    }
    return name;
}

TClass RegisteredComponentClass(const AnsiString& Name) {
    TClass c = GetClass(Name);
    return c && c->InheritsFrom(TComponent::StaticClass()) ? c : nullptr;
}

/// The reader's handlers: stand-ins for unknown classes, every rejected property kept.
struct Lenient {
    std::vector<TFormLoadNote>* Notes = nullptr;
    AnsiString MissingMethod; // set by FindMethod, consumed by the error it causes

    void FindComponentClass(TReader*, const AnsiString& ClassName, TClass& Class) {
        if (!RegisteredComponentClass(ClassName)) Class = StandInClass(ClassName);
    }

    void FindMethod(TReader*, const AnsiString& MethodName, void*& Address, bool& Error) {
        if (Error && !Address) MissingMethod = MethodName;
    }

    /// An inherited component whose ancestor form is not loaded: made here, and kept as
    /// inherited so that saving writes it as it came.
    void AncestorNotFound(TReader* Reader, const AnsiString& Name, TClass Class,
                          TComponent*& Component) {
        if (!Class || !Class->InheritsFrom(TComponent::StaticClass())) return;
        TComponent* owner = Reader->GetOwner() ? Reader->GetOwner() : Reader->GetRoot();
        Component = CreateComponent(Class, owner);
        try {
            Component->SetName(Name);
        } catch (...) {
            Component->Free();
            Component = nullptr;
            throw;
        }
        Component->KeepInherited(Reader->GetChildPosition());
        Inherited.push_back(Component);
    }

    std::vector<TComponent*> Inherited;

    void Error(TReader* Reader, const AnsiString& Message, bool& Handled) {
        Handled = true;
        AnsiString missing;
        missing.swap(MissingMethod);
        TComponent* c = Reader->GetCurrentComponent();
        // A stand-in keeps whatever it is given: that is what it is for, not news. The root
        // is another matter: its properties are the form's own.
        if (!c || (c->GetOwner() && AsStandIn(c))) return;
        TComponent* root = Reader->GetRoot();
        AnsiString what = missing.empty() || !root
                              ? Message
                              : Format("%s has no method %s", {root->ClassName(), missing});
        Notes->push_back({TFormLoadNoteKind::Property, ComponentPath(c), c->ClassName(),
                          Reader->GetPropertyPath() + ": " + what + "; kept"});
    }
};

void NoteStandIns(TComponent* Root, std::vector<TFormLoadNote>& Notes) {
    if (RuntimeFactory(Root->ClassType()))
        Notes.push_back({TFormLoadNoteKind::RootClass, ComponentPath(Root), Root->ClassName(),
                         "class not registered: the form's own class, made over " +
                             AnsiString(Root->ClassType()->Parent->ClassName)});
    for (Integer i = 0; i < Root->GetComponentCount(); ++i) {
        TComponent* c = Root->GetComponents(i);
        if (AsStandIn(c))
            Notes.push_back({TFormLoadNoteKind::StandIn, ComponentPath(c), c->ClassName(),
                             "class not registered: a stand-in keeps it as streamed"});
    }
}

} // namespace

AnsiString ComponentPath(TComponent* Component) {
    AnsiString path;
    // Bounded: parents and owners form no cycle, but a path is never worth a hang.
    for (int depth = 0; Component && depth < 256; ++depth) {
        AnsiString name = Component->GetName().empty() ? "(" + Component->ClassName() + ")"
                                                       : Component->GetName();
        path = path.empty() ? name : name + "." + path;
        TComponent* up = Component->GetParentComponent();
        Component = up ? up : Component->GetOwner();
    }
    return path;
}

TComponent* LoadForm(TStream* Source, std::vector<TFormLoadNote>& Notes) {
    std::unique_ptr<TMemoryStream> binary = BinaryForm(Source);
    std::vector<AnsiString> rootProperties;
    AnsiString rootClass = RootClassName(binary.get(), &rootProperties);
    binary->SetPosition(0);

    Lenient lenient;
    lenient.Notes = &Notes;
    TReader reader(binary.get(), 4096);
    reader.SetKeepRejectedProperties(true);
    reader.SetOnError(TReaderError::Bind<&Lenient::Error>(&lenient));
    reader.SetOnFindMethod(TFindMethodEvent::Bind<&Lenient::FindMethod>(&lenient));
    reader.SetOnFindComponentClass(
        TFindComponentClassEvent::Bind<&Lenient::FindComponentClass>(&lenient));
    reader.SetOnAncestorNotFound(
        TAncestorNotFoundEvent::Bind<&Lenient::AncestorNotFound>(&lenient));
    // A registered root class is created by the reader (and freed by it when reading fails).
    TComponent* made = nullptr;
    if (!RegisteredComponentClass(rootClass)) made = MakeFormRoot(rootClass, rootProperties);
    TComponent* root = nullptr;
    try {
        root = reader.ReadRootComponent(made);
    } catch (...) {
        FreeObject(made);
        throw;
    }
    for (TComponent* c : lenient.Inherited)
        if (LiveObjects::Find(c))
            Notes.push_back(
                {TFormLoadNoteKind::Inherited, ComponentPath(c), c->ClassName(),
                 "inherited from an ancestor form that is not loaded; kept as inherited"});
    NoteStandIns(root, Notes);
    return root;
}

void SaveForm(TComponent* Root, TStream* Dest, bool Text) {
    TMemoryStream binary;
    {
        TWriter writer(&binary, 4096);
        writer.WriteRootComponent(Root);
    }
    binary.SetPosition(0);
    if (Text)
        ObjectBinaryToText(&binary, Dest);
    else
        Dest->CopyFrom(&binary, binary.GetSize());
}

} // namespace host
