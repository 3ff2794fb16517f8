// TStringList: the host's own string list, optionally sorted, with change events.
#pragma once

#include "host/classes/Lists.h"
#include "host/classes/Strings.h"
#include "host/system/Closure.h"

#include <vector>

namespace host {

class TStringList;

/// Compares two items of `List` by index: negative, zero or positive.
using TStringListSortCompare = Integer (*)(TStringList* List, Integer Index1, Integer Index2);

struct TStringItem {
    AnsiString FString;
    TObject* FObject = nullptr;
};

class TStringList : public TStrings {
    HOST_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    /// Frees the items (not their objects) without firing OnChanging/OnChange.
    ~TStringList() override;

    Integer GetCount() const override { return static_cast<Integer>(FList.size()); }
    Integer GetCapacity() override { return FCapacity; }
    /// Raises EStringListError "List capacity out of bounds (%d)" below Count.
    void SetCapacity(Integer NewCapacity) override;
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool GetSorted() const { return FSorted; }
    /// Turning sorting on sorts the list.
    void SetSorted(bool Value);
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    const TNotifyEvent& GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(const TNotifyEvent& Value) { FOnChanging = Value; }

    /// In a sorted list, inserts at the sorted place; a duplicate is then ignored (returning
    /// the existing index), accepted, or refused with "String list does not allow duplicates".
    Integer Add(const AnsiString& S) override;
    Integer AddObject(const AnsiString& S, TObject* AObject) override;
    void Clear() override;
    void Delete(Integer Index) override;
    void Exchange(Integer Index1, Integer Index2) override;
    /// Binary search, ignoring case; true when found. `Index` is the item's position, or
    /// where `S` would be inserted. Meaningful on sorted lists only.
    virtual bool Find(const AnsiString& S, Integer& Index);
    Integer IndexOf(const AnsiString& S) override;
    /// Refused on a sorted list with "Operation not allowed on sorted string list".
    void Insert(Integer Index, const AnsiString& S) override;
    void InsertObject(Integer Index, const AnsiString& S, TObject* AObject) override;
    void Move(Integer CurIndex, Integer NewIndex) override;
    /// Sorts an unsorted list ignoring case.
    virtual void Sort();
    /// Sorts an unsorted list with `Compare`.
    virtual void CustomSort(TStringListSortCompare Compare);

protected:
    /// Fire OnChange / OnChanging unless inside BeginUpdate/EndUpdate.
    virtual void Changed();
    virtual void Changing();
    AnsiString Get(Integer Index) override;
    TObject* GetObject(Integer Index) override;
    void Put(Integer Index, const AnsiString& S) override;
    void PutObject(Integer Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;

    std::vector<TStringItem> FList;
    Integer FCapacity = 0;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;

private:
    void CheckIndex(Integer Index, Integer Limit) const;
    bool AddPosition(const AnsiString& S, Integer& Index);
    void InsertItem(Integer Index, const AnsiString& S, TObject* AObject);
    void Grow();
};

} // namespace host
