#include "host/classes/StringList.h"

#include "host/classes/QuickSort.h"

#include "host/system/SysUtils.h"

#include <new>

namespace host {

HOST_METACLASS(TStringList, TStrings);

namespace {
constexpr TResStringRec SDuplicateString{"String list does not allow duplicates"};
constexpr TResStringRec SSortedListError{"Operation not allowed on sorted string list"};

Integer StringListCompareText(TStringList* List, Integer Index1, Integer Index2) {
    return AnsiCompareText(List->GetStrings(Index1), List->GetStrings(Index2));
}
} // namespace

// Every change runs: checks, Changing, the same checks again, the change, Changed. The second
// round is there because an OnChanging handler may itself have changed the list.

TStringList::~TStringList() {
    FOnChange = nullptr;
    FOnChanging = nullptr;
}

void TStringList::CheckIndex(Integer Index, Integer Limit) const {
    if (Index < 0 || Index > Limit) Error(&SListIndexError, Index);
}

void TStringList::SetCapacity(Integer NewCapacity) {
    // Below Count would cut off items the list still counts.
    if (NewCapacity < GetCount() || NewCapacity > MaxListSize)
        Error(&SListCapacityError, NewCapacity);
    try {
        if (NewCapacity == 0)
            std::vector<TStringItem>().swap(FList);
        else
            FList.reserve(static_cast<std::size_t>(NewCapacity));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory");
    }
    FCapacity = NewCapacity;
}

void TStringList::Grow() {
    Integer delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    SetCapacity(FCapacity + delta);
}

void TStringList::SetSorted(bool Value) {
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

bool TStringList::AddPosition(const AnsiString& S, Integer& Index) {
    if (!FSorted) {
        Index = GetCount();
        return true;
    }
    if (Find(S, Index)) {
        if (FDuplicates == dupIgnore) return false;
        if (FDuplicates == dupError) Error(&SDuplicateString, 0);
    }
    return true;
}

Integer TStringList::Add(const AnsiString& S) {
    return AddObject(S, nullptr);
}

Integer TStringList::AddObject(const AnsiString& S, TObject* AObject) {
    Integer index;
    if (!AddPosition(S, index)) return index;
    Changing();
    if (!AddPosition(S, index)) return index;
    InsertItem(index, S, AObject);
    Changed();
    return index;
}

void TStringList::InsertItem(Integer Index, const AnsiString& S, TObject* AObject) {
    if (GetCount() == FCapacity) Grow();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    SetCapacity(0);
    Changed();
}

void TStringList::Delete(Integer Index) {
    CheckIndex(Index, GetCount() - 1);
    Changing();
    CheckIndex(Index, GetCount() - 1);
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
    CheckIndex(Index1, GetCount() - 1);
    CheckIndex(Index2, GetCount() - 1);
    Changing();
    CheckIndex(Index1, GetCount() - 1);
    CheckIndex(Index2, GetCount() - 1);
    std::swap(FList[Index1], FList[Index2]);
    Changed();
}

bool TStringList::Find(const AnsiString& S, Integer& Index) {
    bool result = false;
    Integer l = 0, h = GetCount() - 1;
    while (l <= h) {
        Integer i = l + (h - l) / 2;
        int c = AnsiCompareText(FList[i].FString, S);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) {
                result = true;
                // Without duplicates the first match is the one; with them, keep going left
                // so that Index is the first of the equal items.
                if (FDuplicates != dupAccept) l = i;
            }
        }
    }
    Index = l;
    return result;
}

Integer TStringList::IndexOf(const AnsiString& S) {
    if (!FSorted) return TStrings::IndexOf(S);
    Integer result;
    return Find(S, result) ? result : -1;
}

void TStringList::Insert(Integer Index, const AnsiString& S) {
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(Integer Index, const AnsiString& S, TObject* AObject) {
    if (FSorted) Error(&SSortedListError, 0);
    CheckIndex(Index, GetCount());
    Changing();
    if (FSorted) Error(&SSortedListError, 0);
    CheckIndex(Index, GetCount());
    InsertItem(Index, S, AObject);
    Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
    // The base deletes first and would lose the item when the sorted list refuses the insert.
    if (FSorted && CurIndex != NewIndex) Error(&SSortedListError, 0);
    TStrings::Move(CurIndex, NewIndex);
}

void TStringList::Sort() {
    CustomSort(&StringListCompareText);
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
    if (FSorted || GetCount() <= 1 || !Compare) return;
    Changing();
    // Swaps are checked: a comparison that changes the list ends the sort with an index error.
    QuickSort(
        GetCount(), [&](Integer a, Integer b) { return Compare(this, a, b); },
        [&](Integer a, Integer b) {
            CheckIndex(a, GetCount() - 1);
            CheckIndex(b, GetCount() - 1);
            std::swap(FList[a], FList[b]);
        });
    Changed();
}

void TStringList::Changed() {
    if (FUpdateCount == 0 && FOnChange) FOnChange(this);
}

void TStringList::Changing() {
    if (FUpdateCount == 0 && FOnChanging) FOnChanging(this);
}

AnsiString TStringList::Get(Integer Index) {
    CheckIndex(Index, GetCount() - 1);
    return FList[Index].FString;
}

TObject* TStringList::GetObject(Integer Index) {
    CheckIndex(Index, GetCount() - 1);
    return FList[Index].FObject;
}

void TStringList::Put(Integer Index, const AnsiString& S) {
    if (FSorted) Error(&SSortedListError, 0);
    CheckIndex(Index, GetCount() - 1);
    Changing();
    if (FSorted) Error(&SSortedListError, 0);
    CheckIndex(Index, GetCount() - 1);
    FList[Index].FString = S;
    Changed();
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
    CheckIndex(Index, GetCount() - 1);
    Changing();
    CheckIndex(Index, GetCount() - 1);
    FList[Index].FObject = AObject;
    Changed();
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

} // namespace host
