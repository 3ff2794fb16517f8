// Lists, bits, persistent objects, collections and string lists; the unit's registration.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesAccess.h"

#include "core/ClassInfoRows.h"
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
        ZEL_PROP(TList, Capacity),
        ZEL_PROP(TList, Count),
        ZEL_PROP(TList, Items, "Index"),
        ZEL_PROP_R(TList, List),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(TList, Add, "Item"),
        ZEL_PROC(TList, Clear),
        ZEL_PROC(TList, Delete, "Index"),
        proc<static_cast<void (*)(const AnsiString&, Integer)>(&TList::Error)>("Error", "Msg,Data"),
        ZEL_PROC(TList, Exchange, "Index1,Index2"),
        ZEL_FUNC(TList, Expand),
        ZEL_FUNC(TList, First),
        ZEL_FUNC(TList, IndexOf, "Item"),
        ZEL_PROC(TList, Insert, "Index,Item"),
        ZEL_FUNC(TList, Last),
        ZEL_PROC(TList, Move, "CurIndex,NewIndex"),
        ZEL_FUNC(TList, Remove, "Item"),
        ZEL_PROC(TList, Pack),
    };
};
ZEL_TABLE(TListClassInfo);

struct TThreadListClassInfo::ZelRows {
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(TThreadList, Add, "Item"), ZEL_PROC(TThreadList, Clear),
        ZEL_FUNC(TThreadList, LockList),    ZEL_PROC(TThreadList, Remove, "Item"),
        ZEL_PROC(TThreadList, UnlockList),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TThreadListClassInfo);

struct TInterfaceListClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(TInterfaceList, Capacity),
        ZEL_PROP(TInterfaceList, Count),
        ZEL_PROP(TInterfaceList, Items, "Index"),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(TInterfaceList, Clear),
        ZEL_PROC(TInterfaceList, Delete, "Index"),
        ZEL_PROC(TInterfaceList, Exchange, "Index1,Index2"),
        ZEL_FUNC(TInterfaceList, Expand),
        ZEL_FUNC(TInterfaceList, First),
        ZEL_FUNC(TInterfaceList, IndexOf, "Item"),
        ZEL_FUNC(TInterfaceList, Add, "Item"),
        ZEL_PROC(TInterfaceList, Insert, "Index,Item"),
        ZEL_FUNC(TInterfaceList, Last),
        ZEL_FUNC(TInterfaceList, Remove, "Item"),
        ZEL_PROC(TInterfaceList, Lock),
        ZEL_PROC(TInterfaceList, Unlock),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TInterfaceListClassInfo);

struct TBitsClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(TBits, Bits, "Index"),
        ZEL_PROP(TBits, Size),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_FUNC(TBits, OpenBit)};
};
ZEL_TABLE(TBitsClassInfo);

struct TPersistentClassInfo::ZelRows {
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(TPersistent, Assign, "Source"),
        ZEL_FUNC(TPersistent, GetNamePath),
    };
};
ZEL_TABLE(TPersistentClassInfo);

struct TCollectionItemClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(TCollectionItem, Collection),
        ZEL_PROP_R(TCollectionItem, ID),
        ZEL_PROP(TCollectionItem, Index),
        ZEL_PROP(TCollectionItem, DisplayName),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Collection")};
};
ZEL_TABLE(TCollectionItemClassInfo);

struct TCollectionClassInfo::ZelRows {
    using C = TProtectedTCollection;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(C, PropName).protected_(),    ZEL_PROP_R(C, UpdateCount).protected_(),
        ZEL_PROP_R(TCollection, Count),        ZEL_PROP_R(TCollection, ItemClass),
        ZEL_PROP(TCollection, Items, "Index"),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(TCollection, Add),
        ZEL_PROC(TCollection, BeginUpdate),
        ZEL_PROC(TCollection, Clear),
        ZEL_PROC(TCollection, EndUpdate),
        ZEL_FUNC(TCollection, FindItemID, "ID"),
        ZEL_FUNC(TCollection, Insert, "Index"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "ItemClass")};
};
ZEL_TABLE(TCollectionClassInfo);

struct TOwnedCollectionClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner,ItemClass")};
};
ZEL_TABLE(TOwnedCollectionClassInfo);

struct TStringsClassInfo::ZelRows {
    // Text is a character pointer: a string is taken as the text itself, an address as the
    // caller's NUL-terminated text.
    static void SetText(TStrings& Owner, const Variant& Text) {
        if (Text.IsByRef()) {
            Owner.SetText(static_cast<const char*>(zelPointerFromVariant(Text)));
        } else {
            const AnsiString text = Text.AsString();
            Owner.SetText(text.c_str());
        }
    }

    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(TStrings, Capacity),
        ZEL_PROP(TStrings, CommaText),
        ZEL_PROP_R(TStrings, Count),
        ZEL_PROP_R(TStrings, Names, "Index"),
        ZEL_PROP(TStrings, Objects, "Index"),
        ZEL_PROP(TStrings, Values, "Name"),
        ZEL_PROP(TStrings, Strings, "Index"),
        prop<&TStrings::GetTextStr, &TStrings::SetTextStr>("Text"),
        ZEL_PROP(TStrings, StringsAdapter),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(TStrings, Add, "S"),
        ZEL_FUNC(TStrings, AddObject, "S,AObject"),
        ZEL_PROC(TStrings, Append, "S"),
        ZEL_PROC(TStrings, AddStrings, "Strings"),
        ZEL_PROC(TStrings, BeginUpdate),
        ZEL_PROC(TStrings, Clear),
        ZEL_PROC(TStrings, Delete, "Index"),
        ZEL_PROC(TStrings, EndUpdate),
        ZEL_FUNC(TStrings, Equals, "Strings"),
        ZEL_PROC(TStrings, Exchange, "Index1,Index2"),
        ZEL_FUNC(TStrings, GetText),
        ZEL_FUNC(TStrings, IndexOf, "S"),
        ZEL_FUNC(TStrings, IndexOfName, "Name"),
        ZEL_FUNC(TStrings, IndexOfObject, "AObject"),
        ZEL_PROC(TStrings, Insert, "Index,S"),
        ZEL_PROC(TStrings, InsertObject, "Index,S,AObject"),
        ZEL_PROC(TStrings, LoadFromFile, "FileName"),
        ZEL_PROC(TStrings, LoadFromStream, "Stream"),
        ZEL_PROC(TStrings, Move, "CurIndex,NewIndex"),
        ZEL_PROC(TStrings, SaveToFile, "FileName"),
        ZEL_PROC(TStrings, SaveToStream, "Stream"),
        procFn<&SetText>("SetText", "Text"),
    };
};
ZEL_TABLE(TStringsClassInfo);

struct TStringListClassInfo::ZelRows {
    using CI = TStringListClassInfo;
    using S = TStringList;
    static constexpr TzelPropRow Properties[] = {
        ZEL_FIELD(TProtectedTStringList, Duplicates), // straight into the list: no setter runs
        ZEL_PROP(S, Sorted),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(S, Find, "S,Index"),
        ZEL_PROC(S, Sort),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(S, OnChange, "Sender"),
        ZEL_EVENT(S, OnChanging, "Sender"),
    };
};
ZEL_TABLE(TStringListClassInfo);

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
