#include "host/classes/Lists.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace host;

namespace {
void* P(std::intptr_t v) {
    return reinterpret_cast<void*>(v);
}

std::vector<std::intptr_t> Items(const TList& l) {
    std::vector<std::intptr_t> r;
    for (Integer i = 0; i < l.GetCount(); ++i)
        r.push_back(reinterpret_cast<std::intptr_t>(l.GetItems(i)));
    return r;
}

template <class F>
std::string ListErrorOf(F&& f) {
    try {
        f();
    } catch (const EListError& e) {
        return e.Message();
    }
    return "<no EListError>";
}

using V = std::vector<std::intptr_t>;
} // namespace

TEST(List, AddInsertDeleteMoveExchangeKeepOrder) {
    TList l;
    EXPECT_EQ(l.Add(P(1)), 0);
    EXPECT_EQ(l.Add(P(2)), 1);
    l.Add(P(3));
    l.Insert(0, P(0));
    l.Insert(4, P(4)); // at Count appends
    EXPECT_EQ(Items(l), (V{0, 1, 2, 3, 4}));
    l.Move(0, 3);
    EXPECT_EQ(Items(l), (V{1, 2, 3, 0, 4}));
    l.Move(4, 1);
    EXPECT_EQ(Items(l), (V{1, 4, 2, 3, 0}));
    l.Exchange(0, 4);
    EXPECT_EQ(Items(l), (V{0, 4, 2, 3, 1}));
    l.Delete(1);
    EXPECT_EQ(Items(l), (V{0, 2, 3, 1}));
    EXPECT_EQ(l.First(), P(0));
    EXPECT_EQ(l.Last(), P(1));
    EXPECT_EQ(l.IndexOf(P(3)), 2);
    EXPECT_EQ(l.IndexOf(P(9)), -1);
    EXPECT_EQ(l.Remove(P(3)), 2);
    EXPECT_EQ(l.Remove(P(3)), -1);
    EXPECT_EQ(l.Extract(P(2)), P(2));
    EXPECT_EQ(l.Extract(P(2)), nullptr);
    EXPECT_EQ(Items(l), (V{0, 1}));
    l.SetItems(0, P(7));
    EXPECT_EQ(l.GetList()[0], P(7));
}

TEST(List, CountAndCapacityFollowTheHost) {
    TList l;
    l.Add(P(1));
    EXPECT_EQ(l.GetCapacity(), 4); // small lists grow by 4
    for (int i = 0; i < 8; ++i) l.Add(P(1));
    EXPECT_EQ(l.GetCapacity(), 12);
    EXPECT_EQ(l.Expand(), &l);
    l.SetCount(20); // grows with nils
    EXPECT_EQ(l.GetCount(), 20);
    EXPECT_EQ(l.GetItems(19), nullptr);
    EXPECT_GE(l.GetCapacity(), 20);
    l.Pack();
    EXPECT_EQ(l.GetCount(), 9);
    l.SetCount(2);
    EXPECT_EQ(l.GetCount(), 2);
    l.SetCapacity(2);
    EXPECT_EQ(l.GetCapacity(), 2);
    l.Expand();
    EXPECT_EQ(l.GetCapacity(), 6);
    l.Clear();
    EXPECT_EQ(l.GetCount(), 0);
    EXPECT_EQ(l.GetCapacity(), 0);
    EXPECT_EQ(l.GetList(), nullptr);
}

TEST(List, BadIndexesRaiseHostMessages) {
    TList l;
    l.Add(P(1));
    EXPECT_EQ(ListErrorOf([&] { l.GetItems(1); }), "List index out of bounds (1)");
    EXPECT_EQ(ListErrorOf([&] { l.GetItems(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ListErrorOf([&] { l.SetItems(5, nullptr); }), "List index out of bounds (5)");
    EXPECT_EQ(ListErrorOf([&] { l.Delete(1); }), "List index out of bounds (1)");
    EXPECT_EQ(ListErrorOf([&] { l.Insert(2, nullptr); }), "List index out of bounds (2)");
    EXPECT_EQ(ListErrorOf([&] { l.Exchange(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(ListErrorOf([&] { l.Move(0, 1); }), "List index out of bounds (1)");
    EXPECT_EQ(ListErrorOf([&] { l.SetCapacity(0); }), "List capacity out of bounds (0)");
    EXPECT_EQ(ListErrorOf([&] { l.SetCapacity(MaxListSize + 1); }),
              "List capacity out of bounds (134217728)");
    EXPECT_EQ(ListErrorOf([&] { l.SetCount(-2); }), "List count out of bounds (-2)");
    EXPECT_EQ(ListErrorOf([&] { TList().First(); }), "List index out of bounds (0)");
    EXPECT_EQ(ListErrorOf([&] { TList().Last(); }), "List index out of bounds (-1)");
    EXPECT_EQ(ListErrorOf([] { TList::Error("Custom %d here", 42); }), "Custom 42 here");
    EXPECT_EQ(Items(l), (V{1})); // nothing lost
}

TEST(List, SortOrdersAndSurvivesContradictoryComparisons) {
    TList l;
    for (std::intptr_t v : {5, 3, 9, 1, 7, 3, 0, 8}) l.Add(P(v));
    l.Sort([](void* a, void* b) -> Integer {
        auto x = reinterpret_cast<std::intptr_t>(a), y = reinterpret_cast<std::intptr_t>(b);
        return x < y ? -1 : x > y ? 1 : 0;
    });
    EXPECT_EQ(Items(l), (V{0, 1, 3, 3, 5, 7, 8, 9}));
    // A comparison that always says "less" must not run off the array.
    for (int i = 0; i < 1000; ++i) l.Add(P(i));
    l.Sort([](void*, void*) -> Integer { return -1; });
    l.Sort([](void*, void*) -> Integer { return 1; });
    EXPECT_EQ(l.GetCount(), 1008);
}

namespace {
class TCountingList : public TList {
    HOST_CLASS(TCountingList, TList)
public:
    int Added = 0, Deleted = 0, Extracted = 0;

protected:
    void Notify(void*, TListNotification Action) override {
        (Action == lnAdded ? Added : Action == lnDeleted ? Deleted : Extracted)++;
    }
};
HOST_METACLASS(TCountingList, TList);
} // namespace

TEST(List, DescendantsHearOfNonNilItemsComingAndGoing) {
    TCountingList l;
    l.Add(P(1));
    l.Add(nullptr);
    l.Insert(0, P(2));
    l.SetItems(0, P(3)); // one out, one in
    l.Move(0, 1);        // stays in the list: silent
    l.Extract(P(1));
    l.Delete(0);
    l.SetCount(3);
    l.Clear();
    EXPECT_EQ(l.Added, 3);
    EXPECT_EQ(l.Deleted, 2);
    EXPECT_EQ(l.Extracted, 1);
}

TEST(ThreadList, GuardsTheListAndHonoursDuplicates) {
    TThreadList tl;
    tl.Add(P(1));
    tl.Add(P(1)); // dupIgnore by default
    EXPECT_EQ(tl.LockList()->GetCount(), 1);
    tl.UnlockList();
    tl.SetDuplicates(dupError);
    EXPECT_THROW(tl.Add(P(1)), EListError);
    tl.SetDuplicates(dupAccept);
    tl.Add(P(1));
    tl.Remove(P(1));
    EXPECT_EQ(tl.LockList()->GetCount(), 1);
    tl.UnlockList();
    tl.Clear();

    tl.UnlockList(); // not held: ignored, the lock stays usable
    std::thread([&tl] { tl.UnlockList(); }).join();

    std::vector<std::thread> threads;
    for (std::intptr_t t = 0; t < 4; ++t)
        threads.emplace_back([&tl, t] {
            for (std::intptr_t i = 0; i < 500; ++i) tl.Add(P(t * 1000 + i + 1));
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(tl.LockList()->GetCount(), 2000);
    tl.UnlockList();
}
