// TInterfaceList: a thread-safe list of counted interface references.
#pragma once

#include "host/system/Interfaces.h"

namespace host {

class TThreadList;

class TInterfaceList : public TInterfacedObject {
    HOST_CLASS(TInterfaceList, TInterfacedObject)
public:
    TInterfaceList();
    ~TInterfaceList() override;

    Integer GetCapacity();
    void SetCapacity(Integer NewCapacity);
    Integer GetCount();
    void SetCount(Integer NewCount);
    /// Index errors raise EListError "List index out of bounds (%d)".
    ComPtr<IUnknown> GetItems(Integer Index);
    void SetItems(Integer Index, const ComPtr<IUnknown>& Item);

    Integer Add(const ComPtr<IUnknown>& Item);
    void Clear();
    void Delete(Integer Index);
    void Exchange(Integer Index1, Integer Index2);
    TInterfaceList* Expand();
    ComPtr<IUnknown> First();
    Integer IndexOf(const ComPtr<IUnknown>& Item);
    void Insert(Integer Index, const ComPtr<IUnknown>& Item);
    ComPtr<IUnknown> Last();
    Integer Remove(const ComPtr<IUnknown>& Item);
    /// Holds the list for the calling thread until Unlock; calls nest.
    void Lock();
    void Unlock();

protected:
    TThreadList* FList;
};

} // namespace host
