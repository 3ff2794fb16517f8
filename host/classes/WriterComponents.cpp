// TWriter: component trees, published properties and what differs from an ancestor.
#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/KeptProperties.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfo.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <vector>

namespace host {

namespace {
/// How a property names a component: by name when the lookup root owns it, "Owner" for the
/// root itself, "Form2.Button1" on another root, "Form2.Owner" for another root itself.
AnsiString ComponentValue(TComponent* Component, TComponent* LookupRoot) {
    TComponent* owner = Component->GetOwner();
    if (owner && owner == LookupRoot) return Component->GetName();
    if (Component == LookupRoot) return "Owner";
    if (owner && !owner->GetName().empty() && !Component->GetName().empty())
        return owner->GetName() + "." + Component->GetName();
    if (!Component->GetName().empty()) return Component->GetName() + ".Owner";
    return AnsiString();
}

bool SameVariant(const Variant& A, const Variant& B) {
    if (A.VarType() != B.VarType()) return false;
    try {
        return A == B;
    } catch (const Exception&) {
        return false; // kinds that cannot be compared count as different
    }
}
} // namespace

AnsiString TWriter::FindMethodName(const TMethod& Method) const {
    if (!Method.Code || !FLookupRoot) return AnsiString();
    return FLookupRoot->MethodName(Method.Code);
}

/// True when both collections would be written the same.
static bool CollectionsEqual(TCollection* A, TCollection* B) {
    if (!A || !B) return A == B;
    if (A->GetCount() != B->GetCount()) return false;
    TMemoryStream sa, sb;
    {
        TWriter wa(&sa, 1024), wb(&sb, 1024);
        wa.WriteCollection(A);
        wb.WriteCollection(B);
        wa.FlushBuffer();
        wb.FlushBuffer();
    }
    return sa.GetSize() == sb.GetSize() &&
           std::memcmp(sa.GetMemory(), sb.GetMemory(), static_cast<std::size_t>(sa.GetSize())) == 0;
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* PropInfo) {
    const TTypeInfo* type = PropInfo->PropType;
    TPersistent* ancestor = nullptr;
    if (FAncestor && GetPropInfo(FAncestor->ClassType(), PropInfo->Name) == PropInfo)
        ancestor = FAncestor;
    switch (PropInfo->Access) {
    case TPropAccessKind::Ord: {
        Int64 v = GetOrdProp(Instance, PropInfo);
        if (ancestor ? v == GetOrdProp(ancestor, PropInfo)
                     : (PropInfo->DefaultValue ? v == *PropInfo->DefaultValue
                                               : type->Kind == tkInt64 && v == 0))
            return;
        WritePropName(PropInfo->Name);
        switch (type->Kind) {
        case tkInteger: {
            // 32-bit values are written as the host's signed Integer (a Cardinal's top bit
            // makes it negative) unless the type names its values.
            AnsiString ident;
            TIntToIdent intToIdent = FindIntToIdent(type);
            if (intToIdent && intToIdent(static_cast<Integer>(v), ident))
                WriteIdent(ident);
            else
                WriteInteger(static_cast<Integer>(v));
            break;
        }
        case tkChar: WriteChar(static_cast<char>(v)); break;
        case tkWChar: WriteWideString(WideString(1, static_cast<char16_t>(v))); break;
        case tkEnumeration:
            if (type == TypeInfoOf<bool>())
                WriteBoolean(v != 0);
            else
                WriteIdent(GetEnumName(type, static_cast<Integer>(v)));
            break;
        case tkSet:
            WriteValue(vaSet);
            for (int i = 0; i < 64; ++i)
                if ((static_cast<std::uint64_t>(v) >> i) & 1u)
                    WriteStr(GetEnumName(type->CompType, i));
            WriteStr("");
            break;
        default: WriteInteger(v); break; // tkInt64
        }
        return;
    }
    case TPropAccessKind::Float:
    case TPropAccessKind::Curr: {
        if (PropInfo->Access == TPropAccessKind::Curr) {
            Currency c = GetCurrProp(Instance, PropInfo);
            if (ancestor ? c == GetCurrProp(ancestor, PropInfo) : c.Scaled == 0) return;
            WritePropName(PropInfo->Name);
            WriteCurrency(c);
            return;
        }
        Extended v = GetFloatProp(Instance, PropInfo);
        if (ancestor ? v == GetFloatProp(ancestor, PropInfo) : v == 0) return;
        WritePropName(PropInfo->Name);
        if (type == &TypeInfo_TDateTime)
            WriteDate(static_cast<TDateTime>(v));
        else if (type->FloatType == ftSingle)
            WriteSingle(static_cast<float>(v));
        else
            WriteFloat(v);
        return;
    }
    case TPropAccessKind::Str: {
        AnsiString v = GetStrProp(Instance, PropInfo);
        if (ancestor ? v == GetStrProp(ancestor, PropInfo) : v.empty()) return;
        WritePropName(PropInfo->Name);
        WriteString(v);
        return;
    }
    case TPropAccessKind::WStr: {
        WideString v = GetWideStrProp(Instance, PropInfo);
        if (ancestor ? v == GetWideStrProp(ancestor, PropInfo) : v.empty()) return;
        WritePropName(PropInfo->Name);
        WriteWideString(v);
        return;
    }
    case TPropAccessKind::Var: {
        Variant v = GetVariantProp(Instance, PropInfo);
        if (ancestor ? SameVariant(v, GetVariantProp(ancestor, PropInfo)) : v.IsEmpty()) return;
        WritePropName(PropInfo->Name);
        WriteVariant(v);
        return;
    }
    case TPropAccessKind::Method: {
        TMethod v = GetMethodProp(Instance, PropInfo);
        AnsiString name = FindMethodName(v);
        if (ancestor) {
            TMethod a = GetMethodProp(ancestor, PropInfo);
            if (v.Code == a.Code || (!name.empty() && name == FindMethodName(a))) return;
        } else if (!v.Code) {
            return;
        }
        // A handler that is no published method of the root has no name to write.
        if (v.Code && name.empty()) return;
        WritePropName(PropInfo->Name);
        if (!v.Code)
            WriteValue(vaNil);
        else
            WriteIdent(name);
        return;
    }
    case TPropAccessKind::Obj: {
        TObject* v = GetObjectProp(Instance, PropInfo);
        TObject* a = ancestor ? GetObjectProp(ancestor, PropInfo) : nullptr;
        bool isReference =
            type->ClassType && type->ClassType->InheritsFrom(TComponent::StaticClass());
        if (isReference || DynCast<TComponent>(v)) {
            if (!PropInfo->HasSetter) return;
            auto* c = static_cast<TComponent*>(v);
            auto* ca = static_cast<TComponent*>(a);
            if (ancestor ? (c == ca || (c && ca && SameText(c->GetName(), ca->GetName()))) : !c)
                return;
            if (!c) {
                WritePropName(PropInfo->Name);
                WriteValue(vaNil);
                return;
            }
            AnsiString name = ComponentValue(c, FLookupRoot);
            if (name.empty()) return; // an unnamed component cannot be named in a form
            WritePropName(PropInfo->Name);
            WriteIdent(name);
            return;
        }
        if (auto* collection = DynCast<TCollection>(v)) {
            if (ancestor && CollectionsEqual(collection, DynCast<TCollection>(a))) return;
            WritePropName(PropInfo->Name);
            WriteCollection(collection);
            return;
        }
        if (auto* sub = DynCast<TPersistent>(v)) {
            // A sub-object (Font): its properties as "Font.Name", compared with the ancestor's.
            AnsiString savedPath = FPropPath;
            TPersistent* savedAncestor = FAncestor;
            FPropPath += AnsiString(PropInfo->Name) + ".";
            FAncestor = DynCast<TPersistent>(a);
            try {
                WriteProperties(sub);
            } catch (...) {
                FPropPath = savedPath;
                FAncestor = savedAncestor;
                throw;
            }
            FPropPath = savedPath;
            FAncestor = savedAncestor;
        }
        return;
    }
    default: return;
    }
}

void TWriter::WriteProperties(TPersistent* Instance) {
    if (++FDepth > MaxFilerNesting) {
        --FDepth;
        throw EWriteError("Stream write error"); // a cycle of sub-objects
    }
    try {
        // What the object could not take when it was read goes back as it came: in its
        // property's place, or after the object's own properties when its class has none.
        const TKeptProperties* kept = Instance->GetKeptProperties();
        auto writeKept = [&](const TKeptProperty& k) {
            WriteStr(k.Name);
            Write(k.Value.data(), static_cast<Integer>(k.Value.size()));
        };
        // Inherited from an ancestor form that is not loaded: only what the form gave it.
        const bool onlyRead = kept && kept->Inherited && !FAncestor;
        for (const TPropInfo* p : GetPropInfos(Instance->ClassType())) {
            if (const TKeptProperty* k = kept ? kept->Find(p->Name) : nullptr) {
                writeKept(*k);
                continue;
            }
            if (onlyRead && !kept->WasRead(p->Name)) continue;
            bool writable = p->HasSetter || p->PropType->Kind == tkClass;
            if (writable && IsStoredProp(Instance, p)) WriteProperty(Instance, p);
        }
        Instance->DefineProperties(this);
        if (kept)
            for (const TKeptProperty& k : kept->Items())
                if (!GetPropInfo(Instance->ClassType(), k.Name)) writeKept(k);
    } catch (...) {
        --FDepth;
        throw;
    }
    --FDepth;
}

void TWriter::WriteCollection(TCollection* Value) {
    WriteValue(vaCollection);
    if (Value) {
        // Items are objects of their own: no property path, nothing to compare with.
        AnsiString savedPath = FPropPath;
        TPersistent* savedAncestor = FAncestor;
        FPropPath.clear();
        FAncestor = nullptr;
        try {
            for (Integer i = 0; i < Value->GetCount(); ++i) {
                WriteListBegin();
                WriteProperties(Value->GetItems(i));
                WriteListEnd();
            }
        } catch (...) {
            FPropPath = savedPath;
            FAncestor = savedAncestor;
            throw;
        }
        FPropPath = savedPath;
        FAncestor = savedAncestor;
    }
    WriteListEnd();
}

void TWriter::AddAncestor(TComponent* Component) {
    FAncestorList.push_back(Component);
}

void TWriter::WriteComponent(TComponent* Component) {
    TPersistent* savedAncestor = FAncestor;
    if (FHasAncestorList) {
        FAncestor = nullptr;
        for (TComponent* a : FAncestorList)
            if (SameText(a->GetName(), Component->GetName())) {
                FAncestor = a;
                break;
            }
    }
    Component->FComponentState += csWriting;
    try {
        Component->WriteState(this);
    } catch (...) {
        Component->FComponentState -= csWriting;
        FAncestor = savedAncestor;
        throw;
    }
    Component->FComponentState -= csWriting;
    FAncestor = savedAncestor;
}

void TWriter::WriteData(TComponent* Instance) {
    if (++FDepth > MaxFilerNesting) {
        --FDepth;
        throw EWriteError("Stream write error"); // a cycle of children
    }
    struct Leave {
        int& D;
        ~Leave() { --D; }
    } leave{FDepth};

    auto* ancestor = DynCast<TComponent>(FAncestor);
    TFilerFlags flags;
    if (ancestor) flags += ffInherited;
    if (Instance->GetComponentState().Contains(csInline)) flags += ffInline;
    bool inAncestorOrder = FHasAncestorList && FAncestorPos < FAncestorList.size();
    if (inAncestorOrder && (!ancestor || FAncestorList[FAncestorPos] != ancestor))
        flags += ffChildPos;
    Integer childPos = FChildPos;
    // Read as inherited while its ancestor was not there: written as it came.
    const TKeptProperties* kept = Instance->GetKeptProperties();
    if (!ancestor && kept && kept->Inherited) {
        flags += ffInherited;
        if (kept->ChildPos >= 0) {
            flags += ffChildPos;
            childPos = kept->ChildPos;
        }
    }
    WritePrefix(flags, childPos);
    WriteStr(Instance->ClassName());
    WriteStr(Instance->GetName());
    if (inAncestorOrder) {
        if (ancestor && FAncestorList[FAncestorPos] == ancestor) ++FAncestorPos;
        ++FChildPos;
    }
    WriteProperties(Instance);
    WriteListEnd();

    // The children, each compared with the ancestor's child of the same name.
    std::vector<TComponent*> savedList;
    savedList.swap(FAncestorList);
    bool savedHas = FHasAncestorList;
    std::size_t savedPos = FAncestorPos;
    Integer savedChildPos = FChildPos;
    TComponent* savedRoot = FRoot;
    TComponent* savedRootAncestor = FRootAncestor;
    TComponent* savedLookupRoot = FLookupRoot;
    auto restore = [&] {
        FAncestorList.swap(savedList);
        FHasAncestorList = savedHas;
        FAncestorPos = savedPos;
        FChildPos = savedChildPos;
        FRoot = savedRoot;
        FRootAncestor = savedRootAncestor;
        FLookupRoot = savedLookupRoot;
    };
    FAncestorList.clear();
    FHasAncestorList = false;
    FAncestorPos = 0;
    FChildPos = 0;
    try {
        if (!FIgnoreChildren) {
            if (ancestor) {
                if (ancestor->GetComponentState().Contains(csInline)) FRootAncestor = ancestor;
                FHasAncestorList = true;
                ancestor->GetChildren(TGetChildProc::Bind<&TWriter::AddAncestor>(this),
                                      FRootAncestor);
            }
            // An inline component (a frame) is the root of its own children and names.
            if (Instance->GetComponentState().Contains(csInline)) {
                FRoot = Instance;
                FLookupRoot = Instance;
            }
            struct ChildList {
                std::vector<TComponent*> Items;
                void Add(TComponent* C) { Items.push_back(C); }
            } list;
            Instance->GetChildren(TGetChildProc::Bind<&ChildList::Add>(&list), FRoot);
            std::vector<TComponent*>& children = list.Items;
            // A stand-in read inside a component of a known class stays inside it, though
            // that class lists only the children it knows.
            if (FRoot)
                for (Integer i = 0; i < FRoot->GetComponentCount(); ++i) {
                    TComponent* c = FRoot->GetComponents(i);
                    if (c != Instance && AsStandIn(c) && c->GetParentComponent() == Instance &&
                        std::find(children.begin(), children.end(), c) == children.end())
                        children.push_back(c);
                }
            for (TComponent* c : children) WriteComponent(c);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    WriteListEnd();
}

void TWriter::WriteDescendent(TComponent* Root, TComponent* AAncestor) {
    FRootAncestor = AAncestor;
    FAncestor = AAncestor;
    FRoot = Root;
    FLookupRoot = Root;
    FHasAncestorList = false;
    WriteSignature();
    WriteComponent(Root);
}

void TWriter::WriteRootComponent(TComponent* Root) {
    WriteDescendent(Root, nullptr);
}

} // namespace host
