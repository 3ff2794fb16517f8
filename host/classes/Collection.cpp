#include "host/classes/Collection.h"

#include "host/classes/Lists.h"
#include "host/classes/TypInfo.h"
#include "host/system/SysUtils.h"

#include <atomic>

namespace host {

HOST_METACLASS(TCollectionItem, TPersistent, MakeItemMetaClass<TCollectionItem>());
HOST_METACLASS(TCollection, TPersistent);
HOST_METACLASS(TOwnedCollection, TCollection);

namespace {
constexpr TResStringRec SInvalidProperty{"Invalid property value"};
std::atomic<TCollection::TPropNameResolver> PropNameResolver{nullptr};
} // namespace

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* Collection) {
    // The object is not fully built yet, so its class cannot be checked against the item
    // class here; collections create items through the item class itself.
    if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    // Refuse before leaving the old collection, so a refused item is not orphaned.
    if (Value && !InheritsFrom(Value->FItemClass)) TList::Error(&SInvalidProperty, 0);
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::GetIndex() const {
    return FCollection ? FCollection->FItems->IndexOf(const_cast<TCollectionItem*>(this)) : -1;
}

void TCollectionItem::SetIndex(Integer Value) {
    Integer cur = GetIndex();
    if (cur >= 0 && cur != Value) {
        FCollection->FItems->Move(cur, Value);
        Changed(true);
    }
}

AnsiString TCollectionItem::GetDisplayName() {
    return ClassName();
}

void TCollectionItem::SetDisplayName(const AnsiString&) {
    Changed(false);
}

AnsiString TCollectionItem::GetNamePath() {
    if (!FCollection) return ClassName();
    return Format("%s[%d]", {FCollection->GetNamePath(), GetIndex()});
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() {
    return FCollection;
}

// ---- TCollection ----

TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass), FItems(new TList) {}

TCollection::~TCollection() {
    FUpdateCount = 1; // no Update calls while the items go
    Clear();
    FItems->Free();
}

void TCollection::SetPropNameResolver(TPropNameResolver Resolver) {
    PropNameResolver = Resolver;
}

Integer TCollection::GetCount() const {
    return FItems->GetCount();
}

TCollectionItem* TCollection::GetItems(Integer Index) const {
    return static_cast<TCollectionItem*>(FItems->GetItems(Index));
}

void TCollection::SetItems(Integer Index, TCollectionItem* Value) {
    GetItems(Index)->Assign(Value);
}

TCollectionItem* TCollection::Add() {
    if (!FItemClass || !FItemClass->InheritsFrom(TCollectionItem::StaticClass()) ||
        !FItemClass->NewWithOwner)
        TList::Error(&SInvalidProperty, 0);
    return static_cast<TCollectionItem*>(FItemClass->NewWithOwner(this));
}

void TCollection::Assign(TPersistent* Source) {
    auto* source = DynCast<TCollection>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return; // clearing first would lose the items being copied
    BeginUpdate();
    try {
        Clear();
        for (Integer i = 0; i < source->GetCount(); ++i) Add()->Assign(source->GetItems(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    // An unmatched EndUpdate is ignored rather than silencing every later change.
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    Changed();
}

void TCollection::Clear() {
    if (FItems->GetCount() == 0) return;
    BeginUpdate();
    try {
        while (FItems->GetCount() > 0) static_cast<TCollectionItem*>(FItems->Last())->Free();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Delete(Integer Index) {
    GetItems(Index)->Free();
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
    for (Integer i = 0; i < FItems->GetCount(); ++i) {
        auto* item = static_cast<TCollectionItem*>(FItems->GetList()[i]);
        if (item->FID == ID) return item;
    }
    return nullptr;
}

TCollectionItem* TCollection::Insert(Integer Index) {
    TCollectionItem* item = Add();
    try {
        item->SetIndex(Index);
    } catch (...) {
        item->Free(); // a bad index leaves the collection as it was
        throw;
    }
    return item;
}

AnsiString TCollection::GetNamePath() {
    TPersistent* owner = GetOwner();
    if (!owner) return ClassName();
    AnsiString s = owner->GetNamePath();
    if (s.empty()) return ClassName();
    AnsiString p = GetPropName();
    if (p.empty()) return ClassName();
    return s + "." + p;
}

AnsiString TCollection::GetPropName() {
    if (FPropName.empty())
        if (TPersistent* owner = GetOwner()) FPropName = FindPropName(owner);
    return FPropName;
}

AnsiString TCollection::FindPropName(TPersistent* Owner) {
    TPropNameResolver resolver = PropNameResolver;
    if (resolver) return resolver(Owner, this);
    // The owner's published property whose value is this collection.
    for (const TPropInfo* p : GetPropInfos(Owner->ClassType()))
        if (p->Access == TPropAccessKind::Obj && GetObjectProp(Owner, p) == this) return p->Name;
    return AnsiString();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::SetItemName(TCollectionItem*) {}

// Callers check the item's class: SetCollection before the item leaves its old collection,
// Add through the item class itself.
void TCollection::InsertItem(TCollectionItem* Item) {
    FItems->Add(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    SetItemName(Item);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    FItems->Remove(Item);
    Item->FCollection = nullptr;
    Changed();
}

// ---- TOwnedCollection ----

TOwnedCollection::TOwnedCollection(TPersistent* AOwner, TClass ItemClass)
    : TCollection(ItemClass), FOwner(AOwner) {}

TOwnedCollection::~TOwnedCollection() = default;

TPersistent* TOwnedCollection::GetOwner() {
    return FOwner;
}

} // namespace host
