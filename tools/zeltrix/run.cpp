// zeltrix run FORM [--save OUT] [STEP]...: loads a form as an application would, lets its
// connections connect, then sets, calls and gets members through the class infos, one line per
// step; without steps it shows what the form holds.
#include "tools/zeltrix/run.h"

#include "connections/Zelconlist.h"
#include "core/ClassInfoFamily.h"
#include "host/classes/Component.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/system/SysUtils.h"
#include "host/system/Variant.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace zeltrix::tool {

using namespace host;

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

/// Modal forms that steps opened, innermost last: their components are found first.
std::vector<TCustomForm*> ModalScopes;

TComponent* Resolve(const LoadedForm& Form, const AnsiString& Name) {
    for (auto it = ModalScopes.rbegin(); it != ModalScopes.rend(); ++it) {
        if (TComponent* c = (*it)->FindComponent(Name)) return c;
        if (SameText((*it)->GetName(), Name)) return *it;
    }
    return Form.Find(Name);
}

TzelClassInfo* InfoOf(const LoadedForm& Form, const AnsiString& Name) {
    TComponent* c = Resolve(Form, Name);
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
    std::printf("%s = %s\n", ref.Text.c_str(),
                ShowValue(value, zelShownPropertyType(info, ref.Member)).c_str());
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
                    ShowValue(m->Result, zelShownResultType(info, ref.Member)).c_str());
    else
        std::printf("%s.%s(%s)\n", ref.Name.c_str(), ref.Member.c_str(), args.c_str());
    for (int i = 0; i < m->GetArgCount(); ++i) {
        AnsiString now = ShowValue(m->GetArgs(i)->Value);
        if (now != ref.Items[i])
            std::printf("  %s = %s\n", m->GetArgs(i)->Name.c_str(), now.c_str());
    }
}

const char* const RunUsage =
    "usage: zeltrix run FORM [--save OUT [--to text|binary]] [--trace] [STEP]...\n"
    "\n"
    "Loads FORM (a form file, text or binary) as an application would and lets its connection\n"
    "lists connect. Classes the program does not have become stand-ins that keep what the form\n"
    "gives them; properties a class cannot take are kept too. Without steps, prints the\n"
    "component tree, each connection with whether it connects, and what the load kept.\n"
    "\n"
    "steps, performed in order (Name is a component of the form, or the root by its name):\n"
    "  --set Name.Prop=TEXT         write a property (Name.Prop[i,j]=TEXT when indexed)\n"
    "  --call Name.Method(ARG, ...) invoke a method with text arguments ('a, b' quotes one;\n"
    "                               '' stands for a quote inside quotes)\n"
    "  --get Name.Prop              read a property\n"
    "  --click Name                 click the control (the form shows first)\n"
    "  --dblclick Name              double-click it\n"
    "  --key Name KEY               press a key in it: Enter, Esc, Tab, F5, Ctrl+C, Shift+Left\n"
    "  --type Name TEXT             type the text into it\n"
    "  --mouse Name down|move|up X Y  the mouse at a point of its client area\n"
    "  --wheel Name DELTA           turn the wheel over it (120 a notch)\n"
    "  --wait MS                    let the application's clock run on (its timers fire)\n"
    "  --render OUT.png             paint the form's picture now and write it as a PNG (a data\n"
    "                               module: its components' icons)\n"
    "A modal form that a step opens is driven by the steps that follow, until it closes.\n"
    "Values print as they read: components by name, enumerations and sets by identifier.\n"
    "\n"
    "options:\n"
    "  --save OUT                   after the steps, write the form to OUT: binary for .bin and\n"
    "                               .res, else text\n"
    "  --to text|binary             the format of OUT, whatever its extension\n"
    "  --trace                      print each connection as it fires: what it read, and what\n"
    "                               it wrote or called\n";

/// --trace: each connection's line as it fires, on the standard output among the steps'.
class ConnectionTrace {
public:
    ConnectionTrace() { zelSetConnectionTrace(&ConnectionTrace::Line, nullptr); }
    ~ConnectionTrace() { zelSetConnectionTrace(nullptr, nullptr); }

private:
    static void Line(void*, const AnsiString& Text) { std::printf("  %s\n", Text.c_str()); }
};

struct Step {
    AnsiString Name;              // "--click"
    std::vector<AnsiString> Args; // as given
};

/// How many arguments each step takes.
int Arity(const char* Name) {
    static const std::pair<const char*, int> Table[] = {
        {"--set", 1},      {"--call", 1}, {"--get", 1},    {"--click", 1},
        {"--dblclick", 1}, {"--key", 2},  {"--type", 2},   {"--mouse", 4},
        {"--wheel", 2},    {"--wait", 1}, {"--render", 1},
    };
    for (const auto& [n, a] : Table)
        if (!std::strcmp(Name, n)) return a;
    return -1;
}

/// Runs the steps in order; a modal form a step opens takes the steps that follow.
class StepRunner {
public:
    StepRunner(LoadedForm& Form, std::vector<Step> Steps) : FForm(Form), FSteps(std::move(Steps)) {
        TCustomForm::SetModalHook(&StepRunner::Modal, this);
    }
    ~StepRunner() { TCustomForm::SetModalHook(nullptr, nullptr); }
    void RunAll() {
        while (FNext < FSteps.size()) RunOne(FSteps[FNext++]);
    }

private:
    /// A modal form by its name, or by its caption where it has none (dialogs, message boxes).
    static std::string Title(TCustomForm* Form) {
        if (!Form->GetName().empty()) return Form->GetName();
        return "'" + Form->GetCaption() + "'";
    }
    /// What a dialog or message box says: its "Message", or the box's text.
    static std::string Says(TCustomForm* Form) {
        if (auto* text = DynCast<TControl>(Form->FindComponent("Message")))
            return ": " + text->GetText();
        if (Form->GetComponentCount() == 0 && !Application()->LastMessageBoxText().empty())
            return ": " + Application()->LastMessageBoxText();
        return "";
    }

    static void Modal(TCustomForm* Form, void* Data) {
        auto* self = static_cast<StepRunner*>(Data);
        std::printf("modal %s opens%s\n", Title(Form).c_str(), Says(Form).c_str());
        ModalScopes.push_back(Form);
        struct Pop {
            ~Pop() { ModalScopes.pop_back(); }
        } pop;
        while (Form->GetModalResult() == mrNone && self->FNext < self->FSteps.size())
            self->RunOne(self->FSteps[self->FNext++]);
        std::printf("modal %s closes\n", Title(Form).c_str());
    }

    void ShowForm() {
        if (auto* form = DynCast<TCustomForm>(FForm.Root()); form && !form->GetVisible())
            form->Show();
    }

    void RunOne(const Step& S) {
        const AnsiString& a = S.Args.empty() ? AnsiString() : S.Args[0];
        if (S.Name == "--set") {
            SetStep(FForm, a);
        } else if (S.Name == "--call") {
            CallStep(FForm, a);
        } else if (S.Name == "--get") {
            GetStep(FForm, a);
        } else if (S.Name == "--wait") {
            ShowForm();
            WaitStep(a);
        } else if (S.Name == "--render") {
            ShowForm();
            TComponent* root = ModalScopes.empty() ? FForm.Root() : ModalScopes.back();
            RenderForm(root, a.c_str());
            std::printf("render %s\n", a.c_str());
        } else {
            ShowForm();
            std::vector<AnsiString> rest(S.Args.begin() + 1, S.Args.end());
            InputStep(S.Name, Resolve(FForm, a), a, rest);
        }
        std::fflush(stdout);
    }

    LoadedForm& FForm;
    std::vector<Step> FSteps;
    std::size_t FNext = 0;
};

/// Without steps: the tree, the connections and the notes of the load.
void Describe(const LoadedForm& Form, const char* Path) {
    PrintTree(Form.Root());
    PrintConnections(Form.Root());
    if (Form.Notes().empty()) return;
    std::printf("notes on %s\n", Path);
    for (const TFormLoadNote& n : Form.Notes())
        std::printf("  %s (%s): %s\n", n.Path.c_str(), n.ClassName.c_str(), n.Message.c_str());
}

/// With steps, the properties the load kept rather than took, on stderr: the output stays the
/// steps' own.
void ReportKept(const LoadedForm& Form, const char* Path) {
    for (const TFormLoadNote& n : Form.Notes())
        if (n.Kind == TFormLoadNoteKind::Property)
            ReportError("run", Path, (n.Path + " (" + n.ClassName + "): " + n.Message).c_str());
}

} // namespace

int Run(int Argc, char** Argv) {
    if (Argc >= 1 && (!std::strcmp(Argv[0], "--help") || !std::strcmp(Argv[0], "-h"))) {
        std::fputs(RunUsage, stdout);
        return 0;
    }
    if (Argc < 1 || Argv[0][0] == '-') {
        ReportError("run", nullptr, "expected a form file first");
        std::fputs(RunUsage, stderr);
        return 2;
    }
    const char* path = Argv[0];
    const char* save = nullptr;
    const char* to = nullptr;
    bool trace = false;
    std::vector<Step> steps;
    for (int i = 1; i < Argc;) {
        const char* a = Argv[i];
        if (!std::strcmp(a, "--trace")) {
            trace = true;
            ++i;
            continue;
        }
        int arity = !std::strcmp(a, "--save") || !std::strcmp(a, "--to") ? 1 : Arity(a);
        if (arity < 0) {
            ReportError("run", path,
                        Format("unexpected '%s' (see zeltrix run --help)", {a}).c_str());
            return 2;
        }
        if (i + arity >= Argc) {
            ReportError("run", path,
                        Format(arity == 1 ? "'%s' needs an argument" : "'%s' needs %d arguments",
                               {a, arity})
                            .c_str());
            return 2;
        }
        if (!std::strcmp(a, "--save")) {
            save = Argv[i + 1];
        } else if (!std::strcmp(a, "--to")) {
            to = Argv[i + 1];
        } else {
            Step s{a, {}};
            for (int k = 1; k <= arity; ++k) s.Args.push_back(Argv[i + k]);
            steps.push_back(std::move(s));
        }
        i += arity + 1;
    }
    if (to && !save) {
        ReportError("run", path, "--to is the format of --save OUT");
        return 2;
    }
    const char* file = path;
    try {
        bool binary = save && BinaryFormFile(save, to);
        LoadedForm form(path);
        std::unique_ptr<ConnectionTrace> tracing;
        if (trace) tracing = std::make_unique<ConnectionTrace>();
        bool described = steps.empty() && !save;
        {
            StepRunner runner(form, std::move(steps));
            runner.RunAll();
        }
        if (described)
            Describe(form, path);
        else
            ReportKept(form, path);
        if (save) {
            file = save;
            form.Save(save, binary);
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        ReportError("run", file, e.what());
        return 1;
    }
    return 0;
}

} // namespace zeltrix::tool
