#include "host/classes/FormLoading.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/Component.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"
#include "host/controls/StandInControls.h"
#include "host/forms/FormRoots.h"
#include "host/system/SysUtils.h"

#include <deque>
#include <memory>
#include <utility>
#include <vector>

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

/// What the form makes of each component whose class the program lacks: a control where it
/// has a size inside a control, else a plain component. A control stands on a windowed one
/// when it holds others or follows a windowed sibling: the host writes a parent's graphic
/// controls before its windowed ones, so that choice writes the siblings back in the file's
/// order. Worked out from the whole file before reading, since a stand-in's class is chosen
/// before its properties and children are read; the reader asks in the file's order.
class StandInKinds {
public:
    StandInKinds(TStream* Binary, bool RootIsControl) {
        TReader reader(Binary, 4096);
        try {
            reader.ReadSignature();
            bool windowed = false;
            Scan(reader, RootIsControl, 0, true, windowed);
        } catch (const Exception&) {
            // A malformed form: the reading proper reports it; what was seen so far stands.
        }
    }
    /// The kind of the next component of this class, in the file's order.
    TStandInKind Next(const AnsiString& ClassName) {
        for (auto& [name, kinds] : FKinds)
            if (SameText(name, ClassName) && !kinds.empty()) {
                TStandInKind k = kinds.front();
                kinds.pop_front();
                return k;
            }
        return TStandInKind::Component;
    }

private:
    // Deeper than any real form; a file nesting further is only read, not looked ahead in.
    static constexpr int MaxDepth = 200;

    void Scan(TReader& Reader, bool ParentIsControl, int Depth, bool IsRoot,
              bool& WindowedSibling) {
        if (Depth > MaxDepth) throw EReadError("Form nested too deeply");
        TFilerFlags flags;
        Integer position = 0;
        Reader.ReadPrefix(flags, position);
        AnsiString className = Reader.ReadStr();
        Reader.ReadStr(); // the name
        bool sized = false;
        while (!Reader.EndOfList()) {
            AnsiString property = Reader.ReadStr();
            sized = sized || SameText(property, "Width") || SameText(property, "Height");
            Reader.SkipValue();
        }
        Reader.ReadListEnd();
        bool children = !Reader.EndOfList();
        bool holds = ParentIsControl; // whether its children are controls
        if (!IsRoot) {
            if (TClass known = RegisteredComponentClass(className)) {
                holds = known->InheritsFrom(TWinControl::StaticClass());
                WindowedSibling = WindowedSibling || holds;
            } else {
                TStandInKind kind = TStandInKind::Component;
                if (ParentIsControl && flags.Contains(ffInline))
                    kind = TStandInKind::WinControl; // a frame
                else if (ParentIsControl && sized)
                    kind = children || WindowedSibling ? TStandInKind::WinControl
                                                       : TStandInKind::Control;
                Note(className, kind);
                holds = kind == TStandInKind::WinControl;
                WindowedSibling = WindowedSibling || holds;
            }
        }
        bool windowed = false;
        while (!Reader.EndOfList()) Scan(Reader, holds, Depth + 1, false, windowed);
        Reader.ReadListEnd();
    }

    void Note(const AnsiString& ClassName, TStandInKind Kind) {
        for (auto& [name, kinds] : FKinds)
            if (SameText(name, ClassName)) {
                kinds.push_back(Kind);
                return;
            }
        FKinds.emplace_back(ClassName, std::deque<TStandInKind>{Kind});
    }

    std::vector<std::pair<AnsiString, std::deque<TStandInKind>>> FKinds;
};

/// The reader's handlers: stand-ins for unknown classes, every rejected property kept.
struct Lenient {
    std::vector<TFormLoadNote>* Notes = nullptr;
    StandInKinds* Kinds = nullptr;
    AnsiString MissingMethod; // set by FindMethod, consumed by the error it causes

    void FindComponentClass(TReader*, const AnsiString& ClassName, TClass& Class) {
        if (!RegisteredComponentClass(ClassName))
            Class = StandInClassOf(ClassName, Kinds->Next(ClassName));
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

    // The root: a registered class, or one made over the host class its properties imply.
    TClass registered = RegisteredComponentClass(rootClass);
    TClass rootType = registered ? registered : ImpliedRootClass(rootProperties);
    StandInKinds kinds(binary.get(), rootType->InheritsFrom(TWinControl::StaticClass()));
    binary->SetPosition(0);

    Lenient lenient;
    lenient.Notes = &Notes;
    lenient.Kinds = &kinds;
    TReader reader(binary.get(), 4096);
    reader.SetKeepRejectedProperties(true);
    reader.SetOnError(TReaderError::Bind<&Lenient::Error>(&lenient));
    reader.SetOnFindMethod(TFindMethodEvent::Bind<&Lenient::FindMethod>(&lenient));
    reader.SetOnFindComponentClass(
        TFindComponentClassEvent::Bind<&Lenient::FindComponentClass>(&lenient));
    reader.SetOnAncestorNotFound(
        TAncestorNotFoundEvent::Bind<&Lenient::AncestorNotFound>(&lenient));
    // A registered root class is created by the reader (and freed by it when reading fails).
    TComponent* made = registered ? nullptr : MakeFormRoot(rootClass, rootProperties);
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
