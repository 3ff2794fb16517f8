// TList, the host's list of untyped pointers, and TThreadList, a TList guarded by a lock.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/Exceptions.h"

namespace host {

/// A resource string: the host passes messages of its own errors by reference to these records.
struct TResStringRec {
    const char* Text;
};
using PResStringRec = const TResStringRec*;
inline AnsiString LoadResString(PResStringRec R) {
    return R ? AnsiString(R->Text) : AnsiString();
}

inline constexpr TResStringRec SListIndexError{"List index out of bounds (%d)"};
inline constexpr TResStringRec SListCapacityError{"List capacity out of bounds (%d)"};
inline constexpr TResStringRec SListCountError{"List count out of bounds (%d)"};
inline constexpr TResStringRec SDuplicateItem{"List does not allow duplicates ($0%x)"};

/// The largest number of items a list may hold.
inline constexpr Integer MaxListSize = 0x7FFFFFFF / 16;

using PPointerList = void**;
/// Compares two items: negative, zero or positive like the host's sort callbacks.
using TListSortCompare = Integer (*)(void* Item1, void* Item2);

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
enum TDuplicates { dupIgnore, dupAccept, dupError };
HOST_ENUM_INFO(TDuplicates, dupIgnore, dupAccept, dupError)

class TList : public TObject {
    HOST_CLASS(TList, TObject)
public:
    TList() = default;
    ~TList() override;

    Integer GetCapacity() const { return FCapacity; }
    void SetCapacity(Integer NewCapacity);
    Integer GetCount() const { return FCount; }
    /// Growing fills the new places with nil; shrinking drops the items at the end.
    void SetCount(Integer NewCount);
    void* GetItems(Integer Index) const {
        if (static_cast<Cardinal>(Index) >= static_cast<Cardinal>(FCount)) IndexError(Index);
        return FList[Index];
    }
    void SetItems(Integer Index, void* Item);
    /// The address of the item array; valid until the capacity changes.
    PPointerList GetList() const { return FList; }

    Integer Add(void* Item);
    virtual void Clear();
    void Delete(Integer Index);
    /// Raises EListError with `Msg` formatted with `Data`.
    [[noreturn]] static void Error(const AnsiString& Msg, Integer Data);
    [[noreturn]] static void Error(PResStringRec Msg, Integer Data);
    void Exchange(Integer Index1, Integer Index2);
    /// Makes room for at least one more item; returns the list itself.
    TList* Expand();
    /// Removes `Item` without the "deleted" notification; returns it, or nil when absent.
    void* Extract(void* Item);
    void* First() const { return GetItems(0); }
    Integer IndexOf(void* Item) const;
    void Insert(Integer Index, void* Item);
    void* Last() const { return GetItems(FCount - 1); }
    void Move(Integer CurIndex, Integer NewIndex);
    Integer Remove(void* Item);
    /// Removes every nil item.
    void Pack();
    void Sort(TListSortCompare Compare);

protected:
    virtual void Grow();
    /// Hook for descendants that own their items; TList itself does nothing.
    virtual void Notify(void* Ptr, TListNotification Action);
    [[noreturn]] static void IndexError(Integer Index);

    PPointerList FList = nullptr;
    Integer FCount = 0;
    Integer FCapacity = 0;
};

/// A TList that several threads share: LockList/UnlockList bracket every direct use.
class TThreadList : public TObject {
    HOST_CLASS(TThreadList, TObject)
public:
    TThreadList();
    ~TThreadList() override;

    /// Adds `Item`; an item already present is ignored, accepted or refused as Duplicates says.
    void Add(void* Item);
    void Clear();
    /// Holds the list for the calling thread (calls nest) and returns it.
    TList* LockList();
    void Remove(void* Item);
    /// Ends one LockList; from a thread that does not hold the list it does nothing.
    void UnlockList();

    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

protected:
    TList* FList;
    struct TLock;
    TLock* FLock; // recursive; kept out of this widely included header
    TDuplicates FDuplicates = dupIgnore;
};

} // namespace host
