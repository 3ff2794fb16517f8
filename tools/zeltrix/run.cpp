// zeltrix run FORM [--save OUT] [STEP]...: loads a form as an application would, lets its
// connections connect, then sets, calls and gets members through the class infos, one line per
// step; without steps it shows what the form holds.
#include "tools/zeltrix/run.h"

#include "core/ClassInfoFamily.h"
#include "host/classes/Component.h"
#include "host/system/SysUtils.h"
#include "host/system/Variant.h"

#include <cstdio>
#include <cstring>
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
    "usage: zeltrix run FORM [--save OUT [--to text|binary]] [--render OUT.png] [STEP]...\n"
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
    "Values print as they read: components by name, enumerations and sets by identifier.\n"
    "\n"
    "options:\n"
    "  --save OUT                   after the steps, write the form to OUT: binary for .bin and\n"
    "                               .res, else text\n"
    "  --to text|binary             the format of OUT, whatever its extension\n"
    "  --render OUT.png             after the steps, paint the form's picture as far as the\n"
    "                               host paints forms yet (its client area and its main menu's\n"
    "                               bar) and write it as a PNG\n";

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
    const char* render = nullptr;
    std::vector<std::pair<const char*, const char*>> steps;
    for (int i = 1; i < Argc; i += 2) {
        const char* a = Argv[i];
        if (i + 1 >= Argc) {
            ReportError("run", path, Format("'%s' needs an argument", {a}).c_str());
            return 2;
        }
        if (!std::strcmp(a, "--save"))
            save = Argv[i + 1];
        else if (!std::strcmp(a, "--to"))
            to = Argv[i + 1];
        else if (!std::strcmp(a, "--render"))
            render = Argv[i + 1];
        else if (!std::strcmp(a, "--set") || !std::strcmp(a, "--call") || !std::strcmp(a, "--get"))
            steps.emplace_back(a, Argv[i + 1]);
        else {
            ReportError("run", path,
                        Format("unexpected '%s' (see zeltrix run --help)", {a}).c_str());
            return 2;
        }
    }
    if (to && !save) {
        ReportError("run", path, "--to is the format of --save OUT");
        return 2;
    }
    const char* file = path;
    try {
        bool binary = save && BinaryFormFile(save, to);
        LoadedForm form(path);
        for (const auto& [step, arg] : steps) {
            if (!std::strcmp(step, "--set"))
                SetStep(form, arg);
            else if (!std::strcmp(step, "--call"))
                CallStep(form, arg);
            else
                GetStep(form, arg);
            std::fflush(stdout);
        }
        if (steps.empty() && !save && !render)
            Describe(form, path);
        else
            ReportKept(form, path);
        if (save) {
            file = save;
            form.Save(save, binary);
        }
        if (render) {
            file = render;
            RenderForm(form.Root(), render);
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        ReportError("run", file, e.what());
        return 1;
    }
    return 0;
}

} // namespace zeltrix::tool
