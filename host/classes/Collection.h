// TCollection and its items: an owned, ordered list of persistent items of one class.
#pragma once

#include "host/classes/Persistent.h"

namespace host {

class TCollection;
class TList;

class TCollectionItem : public TPersistent {
    HOST_CLASS(TCollectionItem, TPersistent)
public:
    /// Creates the item inside `Collection` (which may be null), at its end.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* GetCollection() const { return FCollection; }
    /// Moves the item to the end of `Value` (null: takes it out of any collection). An item
    /// that is not of `Value`'s item class is refused with EListError and stays where it was.
    virtual void SetCollection(TCollection* Value);
    /// Unique within its collection: the collection's NextID when the item joined it.
    Integer GetID() const { return FID; }
    /// Position in the collection, -1 when in none.
    Integer GetIndex() const;
    virtual void SetIndex(Integer Value);
    virtual AnsiString GetDisplayName();
    virtual void SetDisplayName(const AnsiString& Value);
    /// "<collection's name path>[<index>]", or the class name when in no collection.
    AnsiString GetNamePath() override;

protected:
    /// Tells the collection that this item (or, when `AllItems`, every item) changed,
    /// unless the collection is inside BeginUpdate/EndUpdate.
    void Changed(bool AllItems);
    TPersistent* GetOwner() override;

    TCollection* FCollection = nullptr;
    Integer FID = 0;

private:
    friend class TCollection;
};

/// The metaclass extras of an item class `T`: lets a collection create `T` items from its
/// ItemClass. Use as HOST_METACLASS(TMyItem, TCollectionItem, MakeItemMetaClass<TMyItem>()).
template <class T>
constexpr TMetaClass MakeItemMetaClass(TMetaClass Extra = {}) {
    Extra.NewWithOwner = [](TObject* Owner) -> TObject* { return new T(As<TCollection>(Owner)); };
    return Extra;
}

class TCollection : public TPersistent {
    HOST_CLASS(TCollection, TPersistent)
public:
    /// `ItemClass` is the class of the items Add creates; it must descend from TCollectionItem.
    explicit TCollection(TClass ItemClass);
    ~TCollection() override;

    Integer GetCount() const;
    TClass GetItemClass() const { return FItemClass; }
    /// Index errors raise EListError "List index out of bounds (%d)".
    TCollectionItem* GetItems(Integer Index) const;
    /// Assigns `Value` to the item at `Index` (the item stays, its contents change).
    void SetItems(Integer Index, TCollectionItem* Value);

    /// Creates a new item of ItemClass at the end.
    TCollectionItem* Add();
    /// Copies `Source`'s items when it is a collection: clears this one and adds one item per
    /// source item, assigning each.
    void Assign(TPersistent* Source) override;
    virtual void BeginUpdate();
    void Clear();
    void Delete(Integer Index);
    virtual void EndUpdate();
    TCollectionItem* FindItemID(Integer ID) const;
    /// Creates a new item at `Index`.
    TCollectionItem* Insert(Integer Index);
    AnsiString GetNamePath() override;

protected:
    /// The name of the owner's property that holds this collection. Set explicitly, or found
    /// by FindPropName the first time it is asked for.
    AnsiString GetPropName();
    void SetPropName(const AnsiString& Value) { FPropName = Value; }
    /// Looks among `Owner`'s published properties for the one that holds this collection.
    /// The base asks the resolver installed with SetPropNameResolver; empty when none.
    virtual AnsiString FindPropName(TPersistent* Owner);
    Integer GetUpdateCount() const { return FUpdateCount; }
    Integer GetNextID() const { return FNextID; }

    /// Calls Update(nullptr) unless inside BeginUpdate/EndUpdate.
    void Changed();
    /// Called when `Item` changed, or the whole collection when `Item` is null.
    virtual void Update(TCollectionItem* Item);
    /// Gives a newly inserted item a name; the base does nothing.
    virtual void SetItemName(TCollectionItem* Item);

    TClass FItemClass;
    TList* FItems;
    Integer FUpdateCount = 0;
    Integer FNextID = 0;
    AnsiString FPropName;

public:
    /// Finds the published property of `Owner` whose value is `Collection`; installed by the
    /// published-property layer, which knows the owners' property tables.
    using TPropNameResolver = AnsiString (*)(TPersistent* Owner, TCollection* Collection);
    static void SetPropNameResolver(TPropNameResolver Resolver);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
};

/// A collection that knows its owner, for name paths and streaming.
class TOwnedCollection : public TCollection {
    HOST_CLASS(TOwnedCollection, TCollection)
public:
    TOwnedCollection(TPersistent* AOwner, TClass ItemClass);
    ~TOwnedCollection() override;

protected:
    TPersistent* GetOwner() override;

    TPersistent* FOwner;
};

} // namespace host
