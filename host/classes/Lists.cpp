#include "host/classes/Lists.h"

#include "host/classes/QuickSort.h"
#include "host/system/SysUtils.h"

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace host {

HOST_METACLASS(TList, TObject);
HOST_METACLASS(TThreadList, TObject);

// ---- TList ----

TList::~TList() {
    // Descendants that own items free them in their own Clear; a TList only drops the array.
    std::free(FList);
}

void TList::Error(const AnsiString& Msg, Integer Data) {
    throw EListError(Format(Msg, {Data}));
}

void TList::Error(PResStringRec Msg, Integer Data) {
    Error(LoadResString(Msg), Data);
}

void TList::IndexError(Integer Index) {
    Error(&SListIndexError, Index);
}

void TList::SetCapacity(Integer NewCapacity) {
    if (NewCapacity < FCount || NewCapacity > MaxListSize) Error(&SListCapacityError, NewCapacity);
    if (NewCapacity == FCapacity) return;
    if (NewCapacity == 0) {
        std::free(FList);
        FList = nullptr;
    } else {
        void* p = std::realloc(FList, static_cast<std::size_t>(NewCapacity) * sizeof(void*));
        if (!p) throw EOutOfMemory("Out of memory");
        FList = static_cast<PPointerList>(p);
    }
    FCapacity = NewCapacity;
}

void TList::SetCount(Integer NewCount) {
    if (NewCount < 0 || NewCount > MaxListSize) Error(&SListCountError, NewCount);
    if (NewCount > FCapacity) SetCapacity(NewCount);
    if (NewCount > FCount) {
        std::memset(FList + FCount, 0, static_cast<std::size_t>(NewCount - FCount) * sizeof(void*));
        FCount = NewCount;
    } else {
        for (Integer i = FCount - 1; i >= NewCount; --i) Delete(i);
    }
}

void TList::SetItems(Integer Index, void* Item) {
    if (static_cast<Cardinal>(Index) >= static_cast<Cardinal>(FCount)) IndexError(Index);
    void* old = FList[Index];
    if (old == Item) return;
    FList[Index] = Item;
    if (old) Notify(old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

void TList::Grow() {
    Integer delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    SetCapacity(FCapacity + delta);
}

void TList::Notify(void*, TListNotification) {}

Integer TList::Add(void* Item) {
    Integer result = FCount;
    if (result == FCapacity) Grow();
    FList[result] = Item;
    ++FCount;
    if (Item) Notify(Item, lnAdded);
    return result;
}

void TList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

void TList::Delete(Integer Index) {
    if (static_cast<Cardinal>(Index) >= static_cast<Cardinal>(FCount)) IndexError(Index);
    void* item = FList[Index];
    --FCount;
    if (Index < FCount)
        std::memmove(FList + Index, FList + Index + 1,
                     static_cast<std::size_t>(FCount - Index) * sizeof(void*));
    if (item) Notify(item, lnDeleted);
}

void TList::Exchange(Integer Index1, Integer Index2) {
    if (static_cast<Cardinal>(Index1) >= static_cast<Cardinal>(FCount)) IndexError(Index1);
    if (static_cast<Cardinal>(Index2) >= static_cast<Cardinal>(FCount)) IndexError(Index2);
    std::swap(FList[Index1], FList[Index2]);
}

TList* TList::Expand() {
    if (FCount == FCapacity) Grow();
    return this;
}

void* TList::Extract(void* Item) {
    Integer i = IndexOf(Item);
    if (i < 0) return nullptr;
    --FCount;
    if (i < FCount)
        std::memmove(FList + i, FList + i + 1,
                     static_cast<std::size_t>(FCount - i) * sizeof(void*));
    Notify(Item, lnExtracted);
    return Item;
}

Integer TList::IndexOf(void* Item) const {
    for (Integer i = 0; i < FCount; ++i)
        if (FList[i] == Item) return i;
    return -1;
}

void TList::Insert(Integer Index, void* Item) {
    if (Index < 0 || Index > FCount) IndexError(Index);
    if (FCount == FCapacity) Grow();
    if (Index < FCount)
        std::memmove(FList + Index + 1, FList + Index,
                     static_cast<std::size_t>(FCount - Index) * sizeof(void*));
    FList[Index] = Item;
    ++FCount;
    if (Item) Notify(Item, lnAdded);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    if (static_cast<Cardinal>(CurIndex) >= static_cast<Cardinal>(FCount)) IndexError(CurIndex);
    if (static_cast<Cardinal>(NewIndex) >= static_cast<Cardinal>(FCount)) IndexError(NewIndex);
    // The item stays in the list throughout, so no notification fires.
    void* item = FList[CurIndex];
    if (CurIndex < NewIndex)
        std::memmove(FList + CurIndex, FList + CurIndex + 1,
                     static_cast<std::size_t>(NewIndex - CurIndex) * sizeof(void*));
    else
        std::memmove(FList + NewIndex + 1, FList + NewIndex,
                     static_cast<std::size_t>(CurIndex - NewIndex) * sizeof(void*));
    FList[NewIndex] = item;
}

Integer TList::Remove(void* Item) {
    Integer result = IndexOf(Item);
    if (result >= 0) Delete(result);
    return result;
}

void TList::Pack() {
    Integer kept = 0;
    for (Integer i = 0; i < FCount; ++i)
        if (FList[i]) FList[kept++] = FList[i];
    FCount = kept;
}

void TList::Sort(TListSortCompare Compare) {
    if (!Compare || FCount < 2) return;
    // Every access goes through the checked getter: a comparison that changes the list
    // ends the sort with an index error instead of touching freed or foreign memory.
    QuickSort(
        FCount, [&](Integer a, Integer b) { return Compare(GetItems(a), GetItems(b)); },
        [&](Integer a, Integer b) { Exchange(a, b); });
}

// ---- TThreadList ----

// A recursive lock that knows its holder, so that UnlockList from a thread that does not
// hold the list (or once too often) does nothing instead of corrupting the lock.
struct TThreadList::TLock {
    std::mutex M;
    std::condition_variable Released;
    std::thread::id Owner;
    int Depth = 0;

    void lock() {
        std::thread::id me = std::this_thread::get_id();
        std::unique_lock l(M);
        if (Depth > 0 && Owner == me) {
            ++Depth;
            return;
        }
        Released.wait(l, [this] { return Depth == 0; });
        Owner = me;
        Depth = 1;
    }
    void unlock() {
        std::unique_lock l(M);
        if (Depth == 0 || Owner != std::this_thread::get_id()) return;
        if (--Depth > 0) return;
        Owner = {};
        l.unlock();
        Released.notify_one();
    }
};

TThreadList::TThreadList() : FList(new TList), FLock(new TLock) {}

TThreadList::~TThreadList() {
    {
        std::lock_guard g(*FLock); // waits for a thread that still holds the list
        FList->Free();
    }
    delete FLock;
}

void TThreadList::Add(void* Item) {
    std::lock_guard g(*FLock);
    if (FDuplicates == dupAccept || FList->IndexOf(Item) < 0)
        FList->Add(Item);
    else if (FDuplicates == dupError)
        TList::Error(&SDuplicateItem, static_cast<Integer>(reinterpret_cast<std::uintptr_t>(Item)));
}

void TThreadList::Clear() {
    std::lock_guard g(*FLock);
    FList->Clear();
}

TList* TThreadList::LockList() {
    FLock->lock();
    return FList;
}

void TThreadList::Remove(void* Item) {
    std::lock_guard g(*FLock);
    FList->Remove(Item);
}

void TThreadList::UnlockList() {
    FLock->unlock();
}

} // namespace host
