// Lists, bits, persistent objects, collections and string lists; the unit's registration.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesAccess.h"

#include "core/ClassInfoTable.h"
#include "host/classes/Bits.h"
#include "host/classes/Collection.h"
#include "host/classes/InterfaceList.h"
#include "host/classes/Lists.h"
#include "host/classes/Streams.h"
#include "host/classes/StringList.h"

namespace zeltrix {

using namespace host;

struct TListClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        prop<&TList::GetCapacity, &TList::SetCapacity>("Capacity"),
        prop<&TList::GetCount, &TList::SetCount>("Count"),
        prop<&TList::GetItems, &TList::SetItems>("Items", "Index"),
        propR<&TList::GetList>("List"),
    };
    static constexpr TzelMethodRow Methods[] = {
        func<&TList::Add>("Add", "Item"),
        proc<&TList::Clear>("Clear"),
        proc<&TList::Delete>("Delete", "Index"),
        proc<static_cast<void (*)(const AnsiString&, Integer)>(&TList::Error)>("Error", "Msg,Data"),
        proc<&TList::Exchange>("Exchange", "Index1,Index2"),
        func<&TList::Expand>("Expand"),
        func<&TList::First>("First"),
        func<&TList::IndexOf>("IndexOf", "Item"),
        proc<&TList::Insert>("Insert", "Index,Item"),
        func<&TList::Last>("Last"),
        proc<&TList::Move>("Move", "CurIndex,NewIndex"),
        func<&TList::Remove>("Remove", "Item"),
        proc<&TList::Pack>("Pack"),
    };
};
ZEL_TABLE(TListClassInfo, TObjectClassInfo, TList);

struct TThreadListClassInfo::ZelRows {
    static constexpr TzelMethodRow Methods[] = {
        proc<&TThreadList::Add>("Add", "Item"),       proc<&TThreadList::Clear>("Clear"),
        func<&TThreadList::LockList>("LockList"),     proc<&TThreadList::Remove>("Remove", "Item"),
        proc<&TThreadList::UnlockList>("UnlockList"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TThreadListClassInfo, TObjectClassInfo, TThreadList);

struct TInterfaceListClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        prop<&TInterfaceList::GetCapacity, &TInterfaceList::SetCapacity>("Capacity"),
        prop<&TInterfaceList::GetCount, &TInterfaceList::SetCount>("Count"),
        prop<&TInterfaceList::GetItems, &TInterfaceList::SetItems>("Items", "Index"),
    };
    static constexpr TzelMethodRow Methods[] = {
        proc<&TInterfaceList::Clear>("Clear"),
        proc<&TInterfaceList::Delete>("Delete", "Index"),
        proc<&TInterfaceList::Exchange>("Exchange", "Index1,Index2"),
        func<&TInterfaceList::Expand>("Expand"),
        func<&TInterfaceList::First>("First"),
        func<&TInterfaceList::IndexOf>("IndexOf", "Item"),
        func<&TInterfaceList::Add>("Add", "Item"),
        proc<&TInterfaceList::Insert>("Insert", "Index,Item"),
        func<&TInterfaceList::Last>("Last"),
        func<&TInterfaceList::Remove>("Remove", "Item"),
        proc<&TInterfaceList::Lock>("Lock"),
        proc<&TInterfaceList::Unlock>("Unlock"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TInterfaceListClassInfo, TInterfacedObjectClassInfo, TInterfaceList);

struct TBitsClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        prop<&TBits::GetBits, &TBits::SetBits>("Bits", "Index"),
        prop<&TBits::GetSize, &TBits::SetSize>("Size"),
    };
    static constexpr TzelMethodRow Methods[] = {func<&TBits::OpenBit>("OpenBit")};
};
ZEL_TABLE(TBitsClassInfo, TObjectClassInfo, TBits);

struct TPersistentClassInfo::ZelRows {
    static constexpr TzelMethodRow Methods[] = {
        proc<&TPersistent::Assign>("Assign", "Source"),
        func<&TPersistent::GetNamePath>("GetNamePath"),
    };
};
ZEL_TABLE(TPersistentClassInfo, TObjectClassInfo, TPersistent);

struct TCollectionItemClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        prop<&TCollectionItem::GetCollection, &TCollectionItem::SetCollection>("Collection"),
        propR<&TCollectionItem::GetID>("ID"),
        prop<&TCollectionItem::GetIndex, &TCollectionItem::SetIndex>("Index"),
        prop<&TCollectionItem::GetDisplayName, &TCollectionItem::SetDisplayName>("DisplayName"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Collection")};
};
ZEL_TABLE(TCollectionItemClassInfo, TPersistentClassInfo, TCollectionItem);

struct TCollectionClassInfo::ZelRows {
    using C = TProtectedTCollection;
    static constexpr TzelPropRow Properties[] = {
        prop<&C::GetPropName, &C::SetPropName>("PropName").protected_(),
        propR<&C::GetUpdateCount>("UpdateCount").protected_(),
        propR<&TCollection::GetCount>("Count"),
        propR<&TCollection::GetItemClass>("ItemClass"),
        prop<&TCollection::GetItems, &TCollection::SetItems>("Items", "Index"),
    };
    static constexpr TzelMethodRow Methods[] = {
        func<&TCollection::Add>("Add"),
        proc<&TCollection::BeginUpdate>("BeginUpdate"),
        proc<&TCollection::Clear>("Clear"),
        proc<&TCollection::EndUpdate>("EndUpdate"),
        func<&TCollection::FindItemID>("FindItemID", "ID"),
        func<&TCollection::Insert>("Insert", "Index"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "ItemClass")};
};
ZEL_TABLE(TCollectionClassInfo, TPersistentClassInfo, TCollection);

struct TOwnedCollectionClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner,ItemClass")};
};
ZEL_TABLE(TOwnedCollectionClassInfo, TCollectionClassInfo, TOwnedCollection);

struct TStringsClassInfo::ZelRows {
    // Text is a character pointer: a string is taken as the text itself, an address as the
    // caller's NUL-terminated text.
    static void SetText(TzelClassInfo* CI, TzelMethodInfo* Info) {
        auto* owner = zelOwnerAs<TStrings>(CI);
        zelNeed(Info, Info->GetArgCount(), 1);
        const Variant& v = Info->Args[0]->Value;
        if (v.IsByRef()) {
            owner->SetText(static_cast<const char*>(zelPointerFromVariant(v)));
        } else {
            const AnsiString text = v.AsString();
            owner->SetText(text.c_str());
        }
    }

    static constexpr TzelPropRow Properties[] = {
        prop<&TStrings::GetCapacity, &TStrings::SetCapacity>("Capacity"),
        prop<&TStrings::GetCommaText, &TStrings::SetCommaText>("CommaText"),
        propR<&TStrings::GetCount>("Count"),
        propR<&TStrings::GetNames>("Names", "Index"),
        prop<&TStrings::GetObjects, &TStrings::SetObjects>("Objects", "Index"),
        prop<&TStrings::GetValues, &TStrings::SetValues>("Values", "Name"),
        prop<&TStrings::GetStrings, &TStrings::SetStrings>("Strings", "Index"),
        prop<&TStrings::GetTextStr, &TStrings::SetTextStr>("Text"),
        prop<&TStrings::GetStringsAdapter, &TStrings::SetStringsAdapter>("StringsAdapter"),
    };
    static constexpr TzelMethodRow Methods[] = {
        func<&TStrings::Add>("Add", "S"),
        func<&TStrings::AddObject>("AddObject", "S,AObject"),
        proc<&TStrings::Append>("Append", "S"),
        proc<&TStrings::AddStrings>("AddStrings", "Strings"),
        proc<&TStrings::BeginUpdate>("BeginUpdate"),
        proc<&TStrings::Clear>("Clear"),
        proc<&TStrings::Delete>("Delete", "Index"),
        proc<&TStrings::EndUpdate>("EndUpdate"),
        func<&TStrings::Equals>("Equals", "Strings"),
        proc<&TStrings::Exchange>("Exchange", "Index1,Index2"),
        func<&TStrings::GetText>("GetText"),
        func<&TStrings::IndexOf>("IndexOf", "S"),
        func<&TStrings::IndexOfName>("IndexOfName", "Name"),
        func<&TStrings::IndexOfObject>("IndexOfObject", "AObject"),
        proc<&TStrings::Insert>("Insert", "Index,S"),
        proc<&TStrings::InsertObject>("InsertObject", "Index,S,AObject"),
        proc<&TStrings::LoadFromFile>("LoadFromFile", "FileName"),
        proc<&TStrings::LoadFromStream>("LoadFromStream", "Stream"),
        proc<&TStrings::Move>("Move", "CurIndex,NewIndex"),
        proc<&TStrings::SaveToFile>("SaveToFile", "FileName"),
        proc<&TStrings::SaveToStream>("SaveToStream", "Stream"),
        procFn("SetText", "Text", &SetText),
    };
};
ZEL_TABLE(TStringsClassInfo, TPersistentClassInfo, TStrings);

template <>
inline constexpr int ZelEnumHigh<TDuplicates> = dupError;

struct TStringListClassInfo::ZelRows {
    using CI = TStringListClassInfo;
    using S = TStringList;
    static constexpr TzelPropRow Properties[] = {
        prop<&TProtectedTStringList::FDuplicates, &TProtectedTStringList::FDuplicates>(
            "Duplicates"), // straight into the list: no host setter runs
        prop<&S::GetSorted, &S::SetSorted>("Sorted"),
    };
    static constexpr TzelMethodRow Methods[] = {
        func<&S::Find>("Find", "S,Index"),
        proc<&S::Sort>("Sort"),
    };
    static constexpr TzelEventRow Events[] = {
        event<CI, &S::GetOnChange, &S::SetOnChange>("OnChange", "Sender"),
        event<CI, &S::GetOnChanging, &S::SetOnChanging>("OnChanging", "Sender"),
    };
};
ZEL_TABLE(TStringListClassInfo, TStringsClassInfo, TStringList);

namespace Zelclasses {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TListClassInfo::ZelTable,
    &TThreadListClassInfo::ZelTable,
    &TInterfaceListClassInfo::ZelTable,
    &TBitsClassInfo::ZelTable,
    &TPersistentClassInfo::ZelTable,
    &TCollectionItemClassInfo::ZelTable,
    &TCollectionClassInfo::ZelTable,
    &TOwnedCollectionClassInfo::ZelTable,
    &TStringsClassInfo::ZelTable,
    &TStringListClassInfo::ZelTable,
    &TStreamClassInfo::ZelTable,
    &THandleStreamClassInfo::ZelTable,
    &TFileStreamClassInfo::ZelTable,
    &TCustomMemoryStreamClassInfo::ZelTable,
    &TMemoryStreamClassInfo::ZelTable,
    &TStringStreamClassInfo::ZelTable,
    &TResourceStreamClassInfo::ZelTable,
    &TFilerClassInfo::ZelTable,
    &TReaderClassInfo::ZelTable,
    &TWriterClassInfo::ZelTable,
    &TThreadClassInfo::ZelTable,
    &TComponentClassInfo::ZelTable,
    &TBasicActionLinkClassInfo::ZelTable,
    &TBasicActionClassInfo::ZelTable,
};
} // namespace
void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelclasses

} // namespace zeltrix
