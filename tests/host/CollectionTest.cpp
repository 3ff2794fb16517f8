#include "host/classes/Collection.h"

#include <gtest/gtest.h>

#include <vector>

using namespace host;

namespace {
class TNote : public TCollectionItem {
    HOST_CLASS(TNote, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    AnsiString Text;
    void Assign(TPersistent* Source) override {
        if (auto* n = DynCast<TNote>(Source)) {
            Text = n->Text;
            return;
        }
        TCollectionItem::Assign(Source);
    }
    AnsiString GetDisplayName() override { return Text.empty() ? ClassName() : Text; }
};
class TOtherItem : public TCollectionItem {
    HOST_CLASS(TOtherItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
};

// Records what the collection is told, with nullptr for "everything changed".
class TNotes : public TOwnedCollection {
    HOST_CLASS(TNotes, TOwnedCollection)
public:
    using TOwnedCollection::TOwnedCollection;
    std::vector<TCollectionItem*> Updates;
    using TCollection::GetNextID;
    using TCollection::GetPropName;
    using TCollection::GetUpdateCount;
    using TCollection::SetPropName;

protected:
    void Update(TCollectionItem* Item) override { Updates.push_back(Item); }
};

// Stands in for a component that publishes a collection property.
class TNoteOwner : public TPersistent {
    HOST_CLASS(TNoteOwner, TPersistent)
public:
    AnsiString Name = "Owner1";
    AnsiString GetNamePath() override { return Name; }
};

HOST_METACLASS(TNote, TCollectionItem, MakeItemMetaClass<TNote>());
HOST_METACLASS(TOtherItem, TCollectionItem, MakeItemMetaClass<TOtherItem>());
HOST_METACLASS(TNotes, TOwnedCollection);
HOST_METACLASS(TNoteOwner, TPersistent);

TNote* AddNote(TCollection& C, const char* Text) {
    auto* n = static_cast<TNote*>(C.Add());
    n->Text = Text;
    return n;
}

std::vector<std::string> Texts(TCollection& C) {
    std::vector<std::string> r;
    for (Integer i = 0; i < C.GetCount(); ++i)
        r.push_back(static_cast<TNote*>(C.GetItems(i))->Text);
    return r;
}
using T = std::vector<std::string>;
} // namespace

TEST(Collection, ItemsAreCreatedFromTheItemClassWithIncreasingIDs) {
    TNotes c(nullptr, TNote::StaticClass());
    TNote* a = AddNote(c, "a");
    TNote* b = AddNote(c, "b");
    EXPECT_EQ(a->ClassType(), TNote::StaticClass());
    EXPECT_EQ(a->GetCollection(), &c);
    EXPECT_EQ(a->GetID(), 0);
    EXPECT_EQ(b->GetID(), 1);
    EXPECT_EQ(b->GetIndex(), 1);
    c.Delete(0);
    TNote* d = AddNote(c, "d");
    EXPECT_EQ(d->GetID(), 2); // IDs are never reused
    EXPECT_EQ(c.GetNextID(), 3);
    EXPECT_EQ(c.FindItemID(1), b);
    EXPECT_EQ(c.FindItemID(0), nullptr);
    auto* x = static_cast<TNote*>(c.Insert(0));
    EXPECT_EQ(Texts(c), (T{"", "b", "d"}));
    EXPECT_EQ(x->GetID(), 3);
    EXPECT_EQ(x->GetDisplayName(), "TNote");
    EXPECT_EQ(c.GetItemClass(), TNote::StaticClass());
    try {
        c.GetItems(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(c.Insert(9), EListError);
    EXPECT_EQ(c.GetCount(), 3); // the refused insert left nothing behind
    c.Clear();
    EXPECT_EQ(c.GetCount(), 0);
}

TEST(Collection, ItemsMoveWithinAndBetweenCollections) {
    TNotes c(nullptr, TNote::StaticClass()), other(nullptr, TNote::StaticClass());
    TNote* a = AddNote(c, "a");
    AddNote(c, "b");
    AddNote(c, "c");
    a->SetIndex(2);
    EXPECT_EQ(Texts(c), (T{"b", "c", "a"}));
    EXPECT_THROW(a->SetIndex(3), EListError);
    AddNote(other, "z");
    a->SetCollection(&other);
    EXPECT_EQ(Texts(c), (T{"b", "c"}));
    EXPECT_EQ(Texts(other), (T{"z", "a"}));
    EXPECT_EQ(a->GetID(), 1); // a new ID from its new collection
    a->SetCollection(nullptr);
    EXPECT_EQ(a->GetIndex(), -1);
    EXPECT_EQ(a->GetNamePath(), "TNote");
    a->SetCollection(&c);
    EXPECT_EQ(c.GetCount(), 3);

    // An item of the wrong class is refused and stays where it was.
    TNotes strict(nullptr, TOtherItem::StaticClass());
    try {
        a->SetCollection(&strict);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "Invalid property value");
    }
    EXPECT_EQ(a->GetCollection(), &c);
    EXPECT_EQ(strict.GetCount(), 0);

    // Freeing an item takes it out of its collection.
    c.GetItems(0)->Free();
    EXPECT_EQ(Texts(c), (T{"c", "a"}));
}

TEST(Collection, UpdatesAreCountedAndReportedOnce) {
    TNotes c(nullptr, TNote::StaticClass());
    TNote* a = AddNote(c, "a");
    AddNote(c, "b");
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr, nullptr}));
    c.Updates.clear();
    a->SetDisplayName("x"); // one item changed
    a->SetIndex(1);         // all items changed
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{a, nullptr}));

    c.Updates.clear();
    c.BeginUpdate();
    c.BeginUpdate();
    EXPECT_EQ(c.GetUpdateCount(), 2);
    AddNote(c, "c");
    c.Delete(0);
    a->SetDisplayName("y");
    c.EndUpdate();
    EXPECT_TRUE(c.Updates.empty());
    c.EndUpdate();
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr}));
    c.EndUpdate(); // unmatched: ignored
    EXPECT_EQ(c.GetUpdateCount(), 0);
    c.Updates.clear();
    c.Clear(); // one report for the whole clear
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr}));
}

TEST(Collection, AssignCopiesItemByItem) {
    TNotes source(nullptr, TNote::StaticClass()), dest(nullptr, TNote::StaticClass());
    AddNote(source, "one");
    AddNote(source, "two");
    AddNote(dest, "old");
    dest.Updates.clear();
    dest.Assign(&source);
    EXPECT_EQ(Texts(dest), (T{"one", "two"}));
    EXPECT_NE(dest.GetItems(0), source.GetItems(0));
    EXPECT_EQ(dest.Updates.size(), 1u);
    dest.Assign(&dest); // itself: unchanged
    EXPECT_EQ(Texts(dest), (T{"one", "two"}));

    dest.SetItems(1, source.GetItems(0)); // assigns into the existing item
    EXPECT_EQ(Texts(dest), (T{"one", "one"}));

    TNoteOwner notACollection;
    try {
        dest.Assign(&notACollection);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TNoteOwner to a TNotes");
    }
    TNotes others(nullptr, TOtherItem::StaticClass());
    others.Add();
    EXPECT_THROW(dest.Assign(&others), EConvertError); // items that do not assign
}

TEST(Collection, NamePathsFollowOwnerAndProperty) {
    TNoteOwner owner;
    TNotes c(&owner, TNote::StaticClass());
    TNote* a = AddNote(c, "a");
    AddNote(c, "b");
    // Without a known property name the collection is named by its class.
    EXPECT_EQ(c.GetNamePath(), "TNotes");
    EXPECT_EQ(a->GetNamePath(), "TNotes[0]");

    TCollection::SetPropNameResolver([](TPersistent* Owner, TCollection*) -> AnsiString {
        return Owner->ClassNameIs("TNoteOwner") ? "Notes" : "";
    });
    EXPECT_EQ(c.GetPropName(), "Notes");
    EXPECT_EQ(c.GetNamePath(), "Owner1.Notes");
    EXPECT_EQ(static_cast<TNote*>(c.GetItems(1))->GetNamePath(), "Owner1.Notes[1]");
    TCollection::SetPropNameResolver(nullptr);

    TNotes named(&owner, TNote::StaticClass());
    named.SetPropName("Lines");
    EXPECT_EQ(named.GetNamePath(), "Owner1.Lines");
    owner.Name = "";
    EXPECT_EQ(named.GetNamePath(), "TNotes");
    TCollection plain(TNote::StaticClass());
    EXPECT_EQ(plain.GetNamePath(), "TCollection");
}

TEST(Collection, BadItemClassesRaiseInsteadOfCrashing) {
    TCollection none(nullptr);
    EXPECT_THROW(none.Add(), EListError);
    TCollection notItems(TNoteOwner::StaticClass());
    EXPECT_THROW(notItems.Add(), EListError);
    TCollection base(TCollectionItem::StaticClass());
    EXPECT_EQ(base.Add()->ClassType(), TCollectionItem::StaticClass());
}
