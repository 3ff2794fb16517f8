// zeltrix run FORM [STEP]...: loads a form as an application would, lets its connections
// connect, then sets, calls and gets members through the class infos, one line per step.
#include "tools/zeltrix/run.h"

#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
#include "host/classes/Action.h"
#include "host/classes/ClassRegistration.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/system/SysUtils.h"
#include "host/system/Variant.h"
#include "package/zeltrix_cb4.h"
#include "variable/Zelvar.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace zeltrix::tool {

using namespace host;

namespace {

TMemoryStream* BinaryForm(const char* Path) {
    std::ifstream f(Path, std::ios::binary);
    if (!f) throw EFOpenError(Format("Cannot open file %s", {Path}));
    std::string data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    TMemoryStream input;
    input.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
    input.SetPosition(0);
    auto* binary = new TMemoryStream();
    try {
        switch (TestStreamFormat(&input)) {
        case sofText: ObjectTextToBinary(&input, binary); break;
        case sofBinary:
            if (HasResourceHeader(&input)) SkipResourceHeader(&input);
            binary->CopyFrom(&input, input.GetSize() - input.GetPosition());
            break;
        default: throw EReadError("Invalid stream format");
        }
    } catch (...) {
        binary->Free();
        throw;
    }
    binary->SetPosition(0);
    return binary;
}

/// The class name of the form's root, read ahead of the form itself.
AnsiString RootClassName(TStream* Binary) {
    TReader reader(Binary, 256);
    reader.ReadSignature();
    TFilerFlags flags;
    Integer position = 0;
    reader.ReadPrefix(flags, position);
    return reader.ReadStr();
}

} // namespace

LoadedForm::LoadedForm(const char* Path) {
    LoadPackage();
    // An application registers the component classes its forms use (the package's own
    // connection classes are registered by the package).
    RegisterClasses(
        {TComponent::StaticClass(), TBasicAction::StaticClass(), TzelVariable::StaticClass()});
    TMemoryStream* binary = BinaryForm(Path);
    try {
        TClass rootClass = GetClass(RootClassName(binary));
        binary->SetPosition(0);
        TReader reader(binary, 4096);
        reader.SetOnError(TReaderError::Bind<&LoadedForm::ReaderError>(this));
        reader.SetOnFindMethod(TFindMethodEvent::Bind<&LoadedForm::FindMethod>(this));
        TComponent* root = nullptr;
        if (!rootClass || !rootClass->InheritsFrom(TComponent::StaticClass())) {
            root = new TComponent(nullptr);
            FPlainRoot = true;
        }
        try {
            FRoot = reader.ReadRootComponent(root);
        } catch (...) {
            if (root) root->Free();
            throw;
        }
    } catch (...) {
        binary->Free();
        throw;
    }
    binary->Free();
}

LoadedForm::~LoadedForm() {
    if (FRoot) FRoot->Free();
}

void LoadedForm::FindMethod(TReader*, const AnsiString& MethodName, void*& Address, bool& Error) {
    if (FPlainRoot && Error && !Address) FMissingMethod = MethodName;
}

// Only the error an unknown event binding causes is skipped; anything else stops the load.
void LoadedForm::ReaderError(TReader*, const AnsiString&, bool& Handled) {
    if (FMissingMethod.empty()) return;
    FSkipped.push_back(FMissingMethod);
    FMissingMethod.clear();
    Handled = true;
}

TComponent* LoadedForm::Find(const AnsiString& Name) const {
    if (TComponent* c = FRoot->FindComponent(Name)) return c;
    if (SameText(FRoot->GetName(), Name)) return FRoot;
    throw Exception(Format("Component %s not found", {Name}));
}

namespace {

/// One step's target: "Name.Member" with optional "[i,j]" indexes or "(a, b)" arguments.
struct MemberRef {
    AnsiString Name, Member;
    std::vector<AnsiString> Items; // indexes or arguments, as text
    AnsiString Text;               // the reference as written
};

AnsiString Trimmed(const AnsiString& S) {
    return Trim(S);
}

/// Splits "a, 'b, c', d" at top-level commas; a quoted item may hold commas and blanks
/// ('' stands for one quote).
std::vector<AnsiString> SplitItems(const AnsiString& S) {
    std::vector<AnsiString> items;
    if (Trimmed(S).empty()) return items;
    AnsiString current;
    bool quoted = false, wasQuoted = false;
    for (std::size_t i = 0; i < S.size(); ++i) {
        char c = S[i];
        if (quoted) {
            if (c == '\'' && i + 1 < S.size() && S[i + 1] == '\'')
                current += '\'', ++i;
            else if (c == '\'')
                quoted = false;
            else
                current += c;
        } else if (c == '\'') {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            items.push_back(wasQuoted ? current : Trimmed(current));
            current.clear();
            wasQuoted = false;
        } else if (!wasQuoted || c != ' ') {
            current += c;
        }
    }
    if (quoted) throw Exception("Unterminated string in " + S);
    items.push_back(wasQuoted ? current : Trimmed(current));
    return items;
}

MemberRef ParseRef(const AnsiString& Text, char Open, char Close) {
    MemberRef r;
    r.Text = Text;
    std::size_t dot = Text.find('.');
    if (dot == AnsiString::npos || dot == 0)
        throw Exception("Expected Name.Member in '" + Text + "'");
    r.Name = Text.substr(0, dot);
    AnsiString rest = Text.substr(dot + 1);
    std::size_t open = rest.find(Open);
    if (open == AnsiString::npos) {
        r.Member = rest;
    } else {
        if (rest.empty() || rest.back() != Close)
            throw Exception("Expected '" + AnsiString(1, Close) + "' at the end of '" + Text + "'");
        r.Member = rest.substr(0, open);
        r.Items = SplitItems(rest.substr(open + 1, rest.size() - open - 2));
    }
    if (r.Member.empty()) throw Exception("Expected Name.Member in '" + Text + "'");
    return r;
}

TzelPropertyInfo* IndexedProperty(TzelClassInfo* Info, const MemberRef& Ref) {
    TzelPropertyInfo* p = Info->FindProperty(Ref.Member);
    if (!p) throw Exception("Property " + Ref.Member + " not found!");
    if (static_cast<int>(Ref.Items.size()) != p->GetIndexCount())
        throw Exception(
            Format("Property %s takes %d index values, %d given",
                   {Ref.Member, p->GetIndexCount(), static_cast<int>(Ref.Items.size())}));
    for (int i = 0; i < p->GetIndexCount(); ++i) p->GetIndexes(i)->Value = Variant(Ref.Items[i]);
    return p;
}

TzelClassInfo* InfoOf(const LoadedForm& Form, const AnsiString& Name) {
    TComponent* c = Form.Find(Name);
    TzelClassInfo* info = TzelClassRegistry::GetClassInfo(c);
    if (!info) throw Exception("This is a not Zeltrix component!");
    return info;
}

void SetStep(const LoadedForm& Form, const AnsiString& Arg) {
    std::size_t eq = Arg.find('=');
    if (eq == AnsiString::npos) throw Exception("Expected Name.Prop=TEXT in '" + Arg + "'");
    MemberRef ref = ParseRef(Arg.substr(0, eq), '[', ']');
    AnsiString text = Arg.substr(eq + 1);
    TzelClassInfo* info = InfoOf(Form, ref.Name);
    info->SetProperty(IndexedProperty(info, ref), Variant(text));
    std::printf("%s := %s\n", ref.Text.c_str(), text.c_str());
}

void GetStep(const LoadedForm& Form, const AnsiString& Arg) {
    MemberRef ref = ParseRef(Arg, '[', ']');
    TzelClassInfo* info = InfoOf(Form, ref.Name);
    Variant value = info->GetProperty(IndexedProperty(info, ref));
    std::printf("%s = %s\n", ref.Text.c_str(), VarToStr(value).c_str());
}

void CallStep(const LoadedForm& Form, const AnsiString& Arg) {
    MemberRef ref = ParseRef(Arg, '(', ')');
    TzelClassInfo* info = InfoOf(Form, ref.Name);
    TzelMethodInfo* m = info->FindMethod(ref.Member);
    if (!m) throw Exception("Method " + ref.Member + " not found!");
    if (static_cast<int>(ref.Items.size()) != m->GetArgCount())
        throw Exception(Format("Method %s takes %d arguments, %d given",
                               {ref.Member, m->GetArgCount(), static_cast<int>(ref.Items.size())}));
    for (int i = 0; i < m->GetArgCount(); ++i) m->GetArgs(i)->Value = Variant(ref.Items[i]);
    m->Result.Clear();
    info->InvokeMethod(m);
    AnsiString args;
    for (std::size_t i = 0; i < ref.Items.size(); ++i) args += (i ? ", " : "") + ref.Items[i];
    if (m->Style == msFunction)
        std::printf("%s.%s(%s) -> %s\n", ref.Name.c_str(), ref.Member.c_str(), args.c_str(),
                    VarToStr(m->Result).c_str());
    else
        std::printf("%s.%s(%s)\n", ref.Name.c_str(), ref.Member.c_str(), args.c_str());
    for (int i = 0; i < m->GetArgCount(); ++i) {
        AnsiString now = VarToStr(m->GetArgs(i)->Value);
        if (now != ref.Items[i])
            std::printf("  %s = %s\n", m->GetArgs(i)->Name.c_str(), now.c_str());
    }
}

const char* const RunUsage =
    "usage: zeltrix run FORM [STEP]...\n"
    "steps, performed in order:\n"
    "  --set Name.Prop=TEXT         write a property (Name.Prop[i,j]=TEXT when indexed)\n"
    "  --call Name.Method(ARG, ...) invoke a method with text arguments ('a, b' quotes one)\n"
    "  --get Name.Prop              read a property\n";

} // namespace

int Run(int Argc, char** Argv) {
    if (Argc < 1 || !std::strcmp(Argv[0], "--help")) {
        std::fputs(RunUsage, Argc < 1 ? stderr : stdout);
        return Argc < 1 ? 2 : 0;
    }
    for (int i = 1; i < Argc; i += 2) {
        bool known = !std::strcmp(Argv[i], "--set") || !std::strcmp(Argv[i], "--call") ||
                     !std::strcmp(Argv[i], "--get");
        if (!known || i + 1 >= Argc) {
            std::fprintf(stderr, "zeltrix run: unexpected '%s'\n%s", Argv[i], RunUsage);
            return 2;
        }
    }
    try {
        LoadedForm form(Argv[0]);
        for (const AnsiString& binding : form.SkippedBindings())
            std::fprintf(stderr, "note: %s has no method %s; the event binding is skipped\n",
                         form.Root()->GetName().c_str(), binding.c_str());
        for (int i = 1; i < Argc; i += 2) {
            const char* step = Argv[i];
            if (!std::strcmp(step, "--set"))
                SetStep(form, Argv[i + 1]);
            else if (!std::strcmp(step, "--call"))
                CallStep(form, Argv[i + 1]);
            else
                GetStep(form, Argv[i + 1]);
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace zeltrix::tool
