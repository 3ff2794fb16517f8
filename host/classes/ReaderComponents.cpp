// TReader: component trees, published properties, references and Loaded.
#include "host/classes/ClassRegistration.h"
#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/KeptProperties.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfo.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace host {

TFindGlobalComponent FindGlobalComponent = nullptr;

// ---- global references: names of components on forms not loaded yet ----

namespace {
struct GlobalFixup {
    TPersistent* Instance;
    std::uint64_t InstanceId;
    const TPropInfo* PropInfo;
    TComponent* Root;
    std::uint64_t RootId;
    AnsiString Name;
};

struct GlobalFixups {
    std::mutex Lock;
    std::vector<GlobalFixup> List;
};

GlobalFixups& Globals() {
    static GlobalFixups* g = new GlobalFixups;
    return *g;
}

bool Alive(const void* Object, std::uint64_t Id) {
    return LiveObjects::IsAlive(Object, Id);
}

/// Sets a resolved reference; a component of the wrong class is refused.
void SetResolvedReference(TPersistent* Instance, const TPropInfo* PropInfo, TComponent* Reference) {
    SetObjectProp(Instance, PropInfo, Reference);
}
} // namespace

TComponent* FindNestedComponent(TComponent* Root, const AnsiString& NamePath) {
    TComponent* current = Root;
    std::size_t start = 0;
    bool first = true;
    while (start <= NamePath.size()) {
        std::size_t dot = NamePath.find('.', start);
        if (dot == AnsiString::npos) dot = NamePath.size();
        AnsiString part = NamePath.substr(start, dot - start);
        start = dot + 1;
        if (part.empty()) return nullptr;
        TComponent* next = current ? current->FindComponent(part) : nullptr;
        if (!next && SameText(part, "Owner")) next = first ? Root : current;
        if (!next && first && Root && SameText(part, Root->GetName())) next = Root;
        if (!next && first && FindGlobalComponent) next = FindGlobalComponent(part);
        if (!next) return nullptr;
        current = next;
        first = false;
        if (dot == NamePath.size()) break;
    }
    return current;
}

void GlobalFixupReferences() {
    GlobalFixups& g = Globals();
    std::vector<GlobalFixup> pending;
    {
        std::lock_guard lock(g.Lock);
        pending.swap(g.List);
    }
    std::vector<GlobalFixup> keep;
    for (GlobalFixup& f : pending) {
        if (!Alive(f.Instance, f.InstanceId)) continue;
        TComponent* root = Alive(f.Root, f.RootId) ? f.Root : nullptr;
        TComponent* ref = FindNestedComponent(root, f.Name);
        if (!ref) {
            keep.push_back(f);
            continue;
        }
        try {
            SetResolvedReference(f.Instance, f.PropInfo, ref);
        } catch (const Exception&) {
            // A reference of the wrong class stays unset, as it would on the first attempt.
        }
    }
    std::lock_guard lock(g.Lock);
    g.List.insert(g.List.end(), keep.begin(), keep.end());
}

void RemoveFixupReferences(TComponent* Root, const AnsiString& RootName) {
    GlobalFixups& g = Globals();
    std::lock_guard lock(g.Lock);
    std::erase_if(g.List, [&](const GlobalFixup& f) {
        if (Root && f.Root != Root) return false;
        if (RootName.empty()) return true;
        std::size_t dot = f.Name.find('.');
        return SameText(f.Name.substr(0, dot), RootName);
    });
}

void RemoveFixups(TPersistent* Instance) {
    GlobalFixups& g = Globals();
    std::lock_guard lock(g.Lock);
    std::erase_if(g.List,
                  [&](const GlobalFixup& f) { return !Instance || f.Instance == Instance; });
}

// ---- references and Loaded ----

namespace {
struct GlobalLoadedEntry {
    TComponent* Component;
    std::uint64_t Id;
};
thread_local std::vector<GlobalLoadedEntry>* GlobalLoaded = nullptr;
} // namespace

void BeginGlobalLoading() {
    if (!GlobalLoaded) GlobalLoaded = new std::vector<GlobalLoadedEntry>;
}

void NotifyGlobalLoading() {
    if (!GlobalLoaded) return;
    std::vector<GlobalLoadedEntry> loaded;
    loaded.swap(*GlobalLoaded);
    for (const GlobalLoadedEntry& e : loaded)
        if (Alive(e.Component, e.Id)) e.Component->Loaded();
}

void EndGlobalLoading() {
    delete GlobalLoaded;
    GlobalLoaded = nullptr;
}

void TReader::BeginReferences() {
    FLoaded.clear();
}

void TReader::EndReferences() {
    FLoaded.clear();
}

void TReader::AddLoaded(TComponent* Component, bool Created) {
    for (const LoadedEntry& e : FLoaded)
        if (e.Component == Component && Alive(Component, e.Id)) return;
    FLoaded.push_back({Component, Component->ObjectId(), Created});
}

void TReader::DoFixupReferences() {
    std::vector<Fixup> fixups;
    fixups.swap(FFixups);
    for (Fixup& f : fixups) {
        if (!Alive(f.Instance, f.InstanceId)) continue;
        TComponent* root = Alive(f.Root, f.RootId) ? f.Root : nullptr;
        AnsiString name = f.Name;
        ReferenceName(name);
        TComponent* ref = FindNestedComponent(root, name);
        if (!ref) {
            // Perhaps on a form that is not loaded yet: retried by GlobalFixupReferences.
            GlobalFixups& g = Globals();
            std::lock_guard lock(g.Lock);
            g.List.push_back(
                {f.Instance, f.InstanceId, f.PropInfo, root, root ? root->ObjectId() : 0, name});
            continue;
        }
        try {
            SetResolvedReference(f.Instance, f.PropInfo, ref);
        } catch (const Exception& e) {
            TComponent* outer = FCurrent;
            FCurrent = DynCast<TComponent>(f.Instance);
            FPropPath = f.PropInfo->Name;
            bool handled = Error(e.Message());
            FCurrent = outer;
            if (!handled) PropValueError();
            if (FKeepRejected) {
                // The reference as the form gave it: an identifier value.
                std::string value(1, static_cast<char>(vaIdent));
                value += static_cast<char>(std::min<std::size_t>(f.Name.size(), 255));
                value.append(f.Name, 0, 255);
                f.Instance->KeepProperty(f.PropInfo->Name, std::move(value));
            }
        }
    }
}

void TReader::FixupReferences() {
    DoFixupReferences();
    GlobalFixupReferences();
    // The list stays until every Loaded has run: if one raises, the read is abandoned whole.
    std::vector<LoadedEntry> loaded = FLoaded;
    for (const LoadedEntry& e : loaded)
        if (Alive(e.Component, e.Id)) e.Component->Loaded();
    FLoaded.clear();
}

void TReader::AbandonLoaded() {
    FFixups.clear();
    std::vector<LoadedEntry> loaded;
    loaded.swap(FLoaded);
    for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) {
        if (!Alive(it->Component, it->Id)) continue;
        if (it->Created) {
            it->Component->Free();
        } else {
            it->Component->FComponentState -= csLoading;
            it->Component->FComponentState -= csReading;
        }
    }
}

// ---- names, methods, ancestors ----

void* TReader::FindMethod(TComponent* Root, const AnsiString& MethodName) {
    void* address = Root ? Root->MethodAddress(MethodName) : nullptr;
    bool error = address == nullptr;
    if (FOnFindMethod) FOnFindMethod(this, MethodName, address, error);
    if (error) PropValueError();
    return address;
}

void TReader::SetName(TComponent* Component, AnsiString& Name) {
    if (FOnSetName) FOnSetName(this, Component, Name);
    Component->SetName(Name);
}

TComponent* TReader::FindAncestorComponent(const AnsiString& Name, TClass ComponentClass) {
    TComponent* found = FLookupRoot ? FLookupRoot->FindComponent(Name) : nullptr;
    if (!found && FLookupRoot && SameText(Name, FLookupRoot->GetName())) found = FLookupRoot;
    if (!found && FOnAncestorNotFound) FOnAncestorNotFound(this, Name, ComponentClass, found);
    // A handler's answer is an address like any other: only a live component is taken.
    if (found && !LiveObjects::Find(found, TComponent::StaticClass())) found = nullptr;
    return found;
}

TClass TReader::FindComponentClass(const AnsiString& ClassName) {
    // The classes of the root's published fields need no registration, as in the host.
    for (TComponent* root : {FRoot, FLookupRoot}) {
        if (!root) continue;
        for (TClass c = root->ClassType(); c; c = c->Parent)
            for (int i = 0; i < c->FieldCount; ++i)
                if (TClass fc = c->Fields[i].FieldClass; fc && fc->ClassNameIs(ClassName))
                    return fc;
    }
    TClass c = nullptr;
    if (FOnFindComponentClass) FOnFindComponentClass(this, ClassName, c);
    if (!c) c = FindClass(ClassName);
    if (!c->InheritsFrom(TComponent::StaticClass()))
        RaiseFmt<EClassNotFound>("Class %s not found", {ClassName});
    return c;
}

// ---- components ----

void TReader::ReadData(TComponent* Instance) {
    if (FFixupsActive) return ReadDataInner(Instance);
    FFixupsActive = true;
    try {
        ReadDataInner(Instance);
    } catch (...) {
        FFixupsActive = false;
        throw;
    }
    FFixupsActive = false;
    DoFixupReferences();
}

void TReader::ReadDataInner(TComponent* Instance) {
    TComponent* outer = FCurrent;
    FCurrent = Instance;
    try {
        while (!EndOfList()) ReadProperty(Instance);
    } catch (...) {
        FCurrent = outer;
        throw;
    }
    FCurrent = outer;
    ReadListEnd();
    TComponent* oldParent = FParent;
    TComponent* oldOwner = FOwner;
    FParent = Instance->GetChildParent();
    FOwner = Instance->GetChildOwner();
    if (!FOwner) FOwner = FRoot;
    try {
        while (!EndOfList()) {
            if (FIgnoreChildren)
                SkipComponent(true);
            else
                ReadComponent(nullptr);
        }
        ReadListEnd();
    } catch (...) {
        FParent = oldParent;
        FOwner = oldOwner;
        throw;
    }
    FParent = oldParent;
    FOwner = oldOwner;
}

void TReader::SkipComponent(bool SkipHeader) {
    Nesting guard(this);
    if (SkipHeader) {
        TFilerFlags flags;
        Integer pos = 0;
        ReadPrefix(flags, pos);
        ReadStr();
        ReadStr();
    }
    while (!EndOfList()) SkipProperty();
    ReadListEnd();
    while (!EndOfList()) SkipComponent(true);
    ReadListEnd();
}

TComponent* TReader::ReadComponent(TComponent* Component) {
    Nesting guard(this);
    TFilerFlags flags;
    Integer position = 0;
    ReadPrefix(flags, position);
    AnsiString className = ReadStr();
    AnsiString name = ReadStr();
    TComponent* result = Component;
    bool created = false;
    if (!result) {
        if (flags.Contains(ffInherited)) {
            TClass cls = GetClass(className);
            if (!cls && FOnFindComponentClass) FOnFindComponentClass(this, className, cls);
            FChildPosRead = flags.Contains(ffChildPos) ? position : -1;
            result = FindAncestorComponent(name, cls);
            if (!result) RaiseFmt<EReadError>("Ancestor for '%s' not found", {name});
        } else {
            result = CreateComponent(FindComponentClass(className), FOwner);
            created = true;
        }
    }
    TComponent* oldLookupRoot = FLookupRoot;
    try {
        result->FComponentState += csLoading;
        if (flags.Contains(ffInline)) result->SetInline(true);
        if (!flags.Contains(ffInherited)) SetName(result, name);
        // Names inside an inline component (a frame) are relative to it.
        if (result->FComponentState.Contains(csInline)) FLookupRoot = result;
        result->FComponentState += csReading;
        result->ReadState(this);
        result->FComponentState -= csReading;
        if (flags.Contains(ffChildPos) && FParent) FParent->SetChildOrder(result, position);
    } catch (...) {
        FLookupRoot = oldLookupRoot;
        if (created && LiveObjects::Find(result))
            result->Free();
        else if (LiveObjects::Find(result))
            result->FComponentState -= csReading;
        throw;
    }
    FLookupRoot = oldLookupRoot;
    AddLoaded(result, created);
    return result;
}

void TReader::ReadComponents(TComponent* AOwner, TComponent* AParent, TReadComponentsProc Proc) {
    SetRoot(AOwner);
    FLookupRoot = AOwner;
    FOwner = AOwner;
    FParent = AParent;
    BeginReferences();
    try {
        while (!EndOfList()) {
            ReadSignature();
            TComponent* c = ReadComponent(nullptr);
            if (Proc) Proc(c);
        }
        ReadListEnd();
        FixupReferences();
    } catch (...) {
        AbandonLoaded();
        throw;
    }
    EndReferences();
}

namespace {
/// The host keeps root names unique among the forms: a second "Form1" becomes "Form1_1".
AnsiString FindUniqueName(const AnsiString& Name, TComponent* Root) {
    if (Name.empty() || !FindGlobalComponent) return Name;
    AnsiString result = Name;
    for (int i = 1;; ++i) {
        TComponent* other = FindGlobalComponent(result);
        if (!other || other == Root) return result;
        result = Format("%s_%d", {Name, i});
    }
}
} // namespace

TComponent* TReader::ReadRootComponent(TComponent* Root) {
    ReadSignature();
    TComponent* result = nullptr;
    BeginReferences();
    try {
        TFilerFlags flags;
        Integer position = 0;
        ReadPrefix(flags, position);
        AnsiString className = ReadStr();
        if (!Root) {
            result = CreateComponent(FindClass(className), nullptr);
            AddLoaded(result, true);
            result->FComponentState += csLoading;
            result->FComponentState += csReading;
            result->SetName(FindUniqueName(ReadStr(), result));
        } else {
            result = Root;
            AddLoaded(result, false);
            if (Root->GetComponentState().Contains(csDesigning)) {
                ReadStr();
            } else {
                Root->FComponentState += csLoading;
                Root->FComponentState += csReading;
                Root->SetName(FindUniqueName(ReadStr(), Root));
            }
        }
        // A form of an inherited form read without its ancestor is saved as inherited again.
        if (flags.Contains(ffInherited) && FKeepRejected) result->KeepInherited(-1);
        SetRoot(result);
        FLookupRoot = result;
        FOwner = result;
        FParent = nullptr;
        result->FComponentState += csLoading;
        result->FComponentState += csReading;
        result->ReadState(this);
        result->FComponentState -= csReading;
        if (GlobalLoaded) {
            // Loaded waits for NotifyGlobalLoading, once every layout is read.
            DoFixupReferences();
            GlobalFixupReferences();
            for (const LoadedEntry& e : FLoaded) {
                bool known = false;
                for (const GlobalLoadedEntry& g : *GlobalLoaded)
                    known = known || (g.Component == e.Component && g.Id == e.Id);
                if (!known) GlobalLoaded->push_back({e.Component, e.Id});
            }
            FLoaded.clear();
        } else {
            FixupReferences();
        }
    } catch (...) {
        AbandonLoaded();
        throw;
    }
    EndReferences();
    return result;
}

void TReader::ReadCollection(TCollection* Collection) {
    Nesting guard(this);
    Collection->BeginUpdate();
    try {
        if (!EndOfList()) Collection->Clear();
        while (!EndOfList()) {
            TValueType v = NextValue();
            if (v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64) ReadInt64();
            TCollectionItem* item = Collection->Add();
            ReadListBegin();
            while (!EndOfList()) ReadProperty(item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        try {
            Collection->EndUpdate();
        } catch (...) {
        }
        throw;
    }
    Collection->EndUpdate();
}

// ---- properties ----

void TReader::ReadProperty(TPersistent* AInstance) {
    Nesting guard(this);
    AnsiString path = ReadStr();
    FPropPath = path;
    if (TKeptProperties* kept = AInstance->GetKeptProperties(); kept && kept->Inherited)
        kept->NoteRead(path);
    Integer valueStart = GetPosition();
    bool canHandle = true;
    try {
        TPersistent* instance = AInstance;
        std::size_t start = 0;
        for (;;) {
            std::size_t dot = path.find('.', start);
            FPropName =
                path.substr(start, dot == AnsiString::npos ? AnsiString::npos : dot - start);
            if (dot == AnsiString::npos) break;
            start = dot + 1;
            // "Font.Name": every part but the last names a persistent sub-object.
            const TPropInfo* p = GetPropInfo(instance, FPropName);
            if (!p) PropertyError();
            TPersistent* sub = p->PropType->Kind == tkClass
                                   ? DynCast<TPersistent>(GetObjectProp(instance, p))
                                   : nullptr;
            if (!sub) {
                SkipValue();
                ReadError("Invalid property path");
            }
            instance = sub;
        }
        if (const TPropInfo* p = GetPropInfo(instance, FPropName)) {
            ReadPropValue(instance, p);
        } else {
            // A defined property's reader leaves the stream where it likes: no recovery.
            canHandle = false;
            instance->DefineProperties(this);
            canHandle = true;
            if (!FPropName.empty()) PropertyError();
        }
    } catch (const Exception& e) {
        if (!canHandle || !Error(e.Message())) throw;
        // Handled: go on after this property's value, wherever the error left the stream.
        SetPosition(valueStart);
        if (FKeepRejected)
            KeepValue(AInstance, path);
        else
            SkipValue();
    }
}

void TReader::KeepValue(TPersistent* Instance, const AnsiString& Name) {
    TMemoryStream value;
    {
        TWriter writer(&value, 256);
        CopyValue(&writer);
    }
    Instance->KeepProperty(Name, std::string(static_cast<const char*>(value.GetMemory()),
                                             static_cast<std::size_t>(value.GetSize())));
}

Int64 TReader::ReadSet(const TTypeInfo* SetType) {
    if (ReadValue() != vaSet) PropValueError();
    std::uint64_t bits = 0;
    bool bad = false;
    for (AnsiString s = ReadStr(); !s.empty(); s = ReadStr()) {
        Integer v = GetEnumValue(SetType ? SetType->CompType : nullptr, s);
        if (v < 0 || v >= 64)
            bad = true;
        else
            bits |= std::uint64_t(1) << v;
    }
    if (bad) PropValueError();
    return static_cast<Int64>(bits);
}

void TReader::ReadMethodProp(TPersistent* Instance, const TPropInfo* PropInfo) {
    if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(Instance, PropInfo, TMethod{});
        return;
    }
    AnsiString name = ReadIdent();
    void* code = FindMethod(FLookupRoot, name);
    // Only a published method of the root with the event's own signature may be bound.
    const TPublishedMethod* m =
        FLookupRoot ? FLookupRoot->ClassType()->FindMethodByCode(code) : nullptr;
    const std::type_info* want = PropInfo->PropType->Signature;
    if (!m || !m->Signature || !want || *m->Signature != *want) PropValueError();
    SetMethodProp(Instance, PropInfo, TMethod{code, FLookupRoot});
}

void TReader::ReadComponentRef(TPersistent* Instance, const TPropInfo* PropInfo) {
    TClass cls = PropInfo->PropType->ClassType;
    switch (NextValue()) {
    case vaNil:
        ReadValue();
        if (!PropInfo->HasSetter) PropValueError();
        SetObjectProp(Instance, PropInfo, nullptr);
        return;
    case vaCollection: {
        ReadValue();
        auto* collection = DynCast<TCollection>(GetObjectProp(Instance, PropInfo));
        if (!collection) PropValueError();
        ReadCollection(collection);
        return;
    }
    case vaIdent: {
        AnsiString name = ReadIdent();
        if (!cls || !cls->InheritsFrom(TComponent::StaticClass()) || !PropInfo->HasSetter)
            PropValueError();
        TComponent* root = FLookupRoot;
        FFixups.push_back(
            {Instance, Instance->ObjectId(), PropInfo, root, root ? root->ObjectId() : 0, name});
        if (!FFixupsActive) DoFixupReferences(); // outside a form: resolve at once
        return;
    }
    default: PropValueError();
    }
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* PropInfo) {
    const TTypeInfo* type = PropInfo->PropType;
    if (!PropInfo->HasSetter && type->Kind != tkClass) PropValueError();
    switch (type->Kind) {
    case tkInteger:
        if (NextValue() == vaIdent) {
            TIdentToInt identToInt = FindIdentToInt(type);
            Integer v = 0;
            if (!identToInt || !identToInt(ReadIdent(), v)) PropValueError();
            SetOrdProp(Instance, PropInfo, v);
        } else {
            SetOrdProp(Instance, PropInfo, ReadInteger());
        }
        break;
    case tkChar: SetOrdProp(Instance, PropInfo, static_cast<unsigned char>(ReadChar())); break;
    case tkWChar: {
        if (NextValue() == vaInt8 || NextValue() == vaInt16 || NextValue() == vaInt32) {
            SetOrdProp(Instance, PropInfo, ReadInteger() & 0xFFFF);
            break;
        }
        WideString w = ReadWideString();
        if (w.size() != 1) PropValueError();
        SetOrdProp(Instance, PropInfo, w[0]);
        break;
    }
    case tkEnumeration: {
        Integer v = GetEnumValue(type, ReadIdent());
        if (v < 0) PropValueError();
        SetOrdProp(Instance, PropInfo, v);
        break;
    }
    case tkSet: SetOrdProp(Instance, PropInfo, ReadSet(type)); break;
    case tkInt64: SetInt64Prop(Instance, PropInfo, ReadInt64()); break;
    case tkFloat:
        if (type->FloatType == ftCurr)
            SetCurrProp(Instance, PropInfo, ReadCurrency());
        else
            SetFloatProp(Instance, PropInfo, ReadFloat());
        break;
    case tkString:
    case tkLString: SetStrProp(Instance, PropInfo, ReadString()); break;
    case tkWString: SetWideStrProp(Instance, PropInfo, ReadWideString()); break;
    case tkVariant: SetVariantProp(Instance, PropInfo, ReadVariant()); break;
    case tkClass: ReadComponentRef(Instance, PropInfo); break;
    case tkMethod: ReadMethodProp(Instance, PropInfo); break;
    default: PropValueError();
    }
}

} // namespace host
