// The form file the subcommands work on: loading, saving, its tree and its values as text.
#include "tools/zeltrix/run.h"

#include "host/classes/Component.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfo.h"
#include "host/system/Exceptions.h"
#include "host/system/SysUtils.h"
#include "host/system/Variant.h"
#include "package/zeltrix_cb4.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace zeltrix::tool {

using namespace host;

LoadedForm::LoadedForm(const char* Path) {
    LoadPackage();
    std::ifstream f(Path, std::ios::binary);
    if (!f) throw EFOpenError(Format("Cannot open file %s", {Path}));
    std::string data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    TMemoryStream input;
    input.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
    input.SetPosition(0);
    FRoot = LoadForm(&input, FNotes);
}

LoadedForm::~LoadedForm() {
    FreeObject(FRoot);
}

TComponent* LoadedForm::Find(const AnsiString& Name) const {
    if (TComponent* c = FRoot->FindComponent(Name)) return c;
    if (SameText(FRoot->GetName(), Name)) return FRoot;
    throw Exception(Format("Component %s not found", {Name}));
}

void LoadedForm::Save(const char* Path, bool Binary) const {
    TMemoryStream out;
    SaveForm(FRoot, &out, !Binary);
    std::ofstream f(Path, std::ios::binary | std::ios::trunc);
    if (!f) throw EFCreateError(Format("Cannot create file %s", {Path}));
    f.write(static_cast<const char*>(out.GetMemory()), static_cast<std::streamsize>(out.GetSize()));
    if (!f.flush()) throw EWriteError(Format("Cannot write file %s", {Path}));
}

void ReportError(const char* Command, const char* File, const char* Message) {
    if (File)
        std::fprintf(stderr, "zeltrix %s: %s: %s\n", Command, File, Message);
    else
        std::fprintf(stderr, "zeltrix %s: %s\n", Command, Message);
}

bool BinaryFormFile(const char* Path, const char* To) {
    if (To) {
        if (!std::strcmp(To, "binary")) return true;
        if (!std::strcmp(To, "text")) return false;
        throw Exception(Format("--to takes text or binary, not '%s'", {To}));
    }
    AnsiString ext = LowerCase(ExtractFileExt(Path));
    return ext == ".bin" || ext == ".res";
}

namespace {

AnsiString ShowObject(TObject* Object) {
    if (auto* c = DynCast<TComponent>(Object); c && !c->GetName().empty()) return c->GetName();
    return "(" + Object->ClassName() + ")";
}

/// Reads a value that travels by address (a set) as the integer it holds.
bool SetBits(const Variant& Value, const TTypeInfo* Type, Int64& Bits) {
    if (!Value.IsByRef()) return Value.TryGetInt(Bits);
    const void* p = Value.AsAddress();
    if (!p) return false;
    switch (Type->OrdType) {
    case otUByte:
    case otSByte: Bits = *static_cast<const std::uint8_t*>(p); return true;
    case otUWord:
    case otSWord: Bits = *static_cast<const std::uint16_t*>(p); return true;
    default: Bits = *static_cast<const std::uint32_t*>(p); return true;
    }
}

} // namespace

AnsiString ShowValue(const Variant& Value, const TTypeInfo* Type) {
    Int64 n = 0;
    if (Type) {
        switch (Type->Kind) {
        case tkEnumeration:
            if (Value.TryGetInt(n) && n >= Type->MinValue && n <= Type->MaxValue)
                return GetEnumName(Type, static_cast<Integer>(n));
            break;
        case tkSet:
            if (SetBits(Value, Type, n)) return SetToString(Type, n, true);
            break;
        case tkClass:
            if (Value.TryGetInt(n) && n == 0) return "nil";
            break;
        case tkInteger: {
            AnsiString ident;
            if (Value.TryGetInt(n) && Type->IntToIdent &&
                Type->IntToIdent(static_cast<Integer>(n), ident))
                return ident;
            break;
        }
        default: break;
        }
    }
    if (!Value.TryGetInt(n)) return VarToStr(Value);
    // Objects travel as their addresses: only a live object is shown as one.
    if (n != 0)
        if (TObject* o = LiveObjects::Find(reinterpret_cast<const void*>(static_cast<intptr_t>(n))))
            return ShowObject(o);
    return VarToStr(Value);
}

namespace {
/// The components of `Owner` whose parent is `Parent` (null: none, or the owner itself), with
/// theirs below them; an inline component (a frame) owns its own children.
void PrintBranch(TComponent* Owner, TComponent* Parent, int Depth) {
    for (Integer i = 0; i < Owner->GetComponentCount(); ++i) {
        TComponent* c = Owner->GetComponents(i);
        TComponent* up = c->GetParentComponent();
        if (up == Owner) up = nullptr;
        if (up != Parent) continue;
        std::printf("%*s%s: %s%s\n", 2 * Depth, "", c->GetName().c_str(), c->ClassName().c_str(),
                    AsStandIn(c) ? " (stand-in)" : "");
        PrintBranch(Owner, c, Depth + 1);
        if (c->GetComponentCount() > 0) PrintBranch(c, nullptr, Depth + 1);
    }
}
} // namespace

void PrintTree(TComponent* Root) {
    std::printf("%s: %s%s\n", Root->GetName().c_str(), Root->ClassName().c_str(),
                RuntimeFactory(Root->ClassType()) ? " (the form's own class, made at run time)"
                                                  : "");
    PrintBranch(Root, nullptr, 1);
}

} // namespace zeltrix::tool
