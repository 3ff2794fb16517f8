#include "host/classes/InterfaceList.h"
#include "host/classes/Lists.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace host;

namespace {
class TCounted : public TInterfacedObject {
    HOST_CLASS(TCounted, TInterfacedObject)
public:
    static int Alive;
    TCounted() { ++Alive; }
    ~TCounted() override { --Alive; }
};
int TCounted::Alive = 0;
HOST_METACLASS(TCounted, TInterfacedObject);

ComPtr<IUnknown> NewCounted() {
    return ComPtr<IUnknown>(static_cast<IUnknown*>(new TCounted));
}
} // namespace

TEST(InterfaceList, HoldsOneReferencePerEntry) {
    TCounted::Alive = 0;
    {
        auto* list = new TInterfaceList;
        ComPtr<IUnknown> keep(static_cast<IUnknown*>(list)); // the list is itself counted
        ComPtr<IUnknown> a = NewCounted(), b = NewCounted();
        EXPECT_EQ(list->Add(a), 0);
        list->Add(b);
        list->Insert(0, NewCounted());
        list->Add(nullptr);
        EXPECT_EQ(list->GetCount(), 4);
        EXPECT_EQ(TCounted::Alive, 3);
        EXPECT_EQ(list->IndexOf(b), 2);
        EXPECT_EQ(list->GetItems(1), a);
        EXPECT_EQ(list->Last(), nullptr);
        list->Delete(0); // the only reference to the inserted object
        EXPECT_EQ(TCounted::Alive, 2);
        list->Exchange(0, 1);
        EXPECT_EQ(list->First(), b);
        list->SetItems(0, a);
        EXPECT_EQ(list->Remove(a), 0);
        EXPECT_EQ(list->Remove(b), -1);
        EXPECT_EQ(list->GetCount(), 2);
        b = nullptr;
        EXPECT_EQ(TCounted::Alive, 1); // b went with SetItems, its last holder now gone
        list->SetCount(5);
        EXPECT_EQ(list->GetItems(4), nullptr);
        list->SetCount(0);
        EXPECT_EQ(list->Expand(), list);
        EXPECT_GE(list->GetCapacity(), 1);
        list->Add(a);
        try {
            list->GetItems(1);
            FAIL();
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (1)");
        }
        a = nullptr;
        EXPECT_EQ(TCounted::Alive, 1); // still held by the list
    }
    EXPECT_EQ(TCounted::Alive, 0); // released when the list went
}

TEST(InterfaceList, LockKeepsOtherThreadsOut) {
    auto* list = new TInterfaceList;
    ComPtr<IUnknown> keep(static_cast<IUnknown*>(list));
    ComPtr<IUnknown> item = NewCounted();
    list->Lock();
    std::thread writer([&] { list->Add(item); });
    list->Add(item); // the holder itself may still use the list
    std::this_thread::yield();
    EXPECT_EQ(list->GetCount(), 1);
    list->Unlock();
    writer.join();
    EXPECT_EQ(list->GetCount(), 2);
}
