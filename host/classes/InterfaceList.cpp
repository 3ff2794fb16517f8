#include "host/classes/InterfaceList.h"

#include "host/classes/Lists.h"

namespace host {

HOST_METACLASS(TInterfaceList, TInterfacedObject);

namespace {
// Holds the thread list for one operation, also when it raises.
class Locked {
public:
    explicit Locked(TThreadList* L) : fOwner(L), fList(L->LockList()) {}
    ~Locked() { fOwner->UnlockList(); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    TList* operator->() const { return fList; }

private:
    TThreadList* fOwner;
    TList* fList;
};

IUnknown* Slot(TList* L, Integer Index) {
    return static_cast<IUnknown*>(L->GetItems(Index));
}
void AddRef(IUnknown* I) {
    if (I) I->_AddRef();
}
void Release(IUnknown* I) {
    if (I) I->_Release();
}
} // namespace

// The list holds one reference per stored interface; entries are raw IUnknown pointers so
// that the list's storage, growth and index errors are those of TList.
TInterfaceList::TInterfaceList() : FList(new TThreadList) {}

TInterfaceList::~TInterfaceList() {
    Clear();
    FList->Free();
}

Integer TInterfaceList::GetCapacity() {
    return Locked(FList)->GetCapacity();
}

void TInterfaceList::SetCapacity(Integer NewCapacity) {
    Locked(FList)->SetCapacity(NewCapacity);
}

Integer TInterfaceList::GetCount() {
    return Locked(FList)->GetCount();
}

void TInterfaceList::SetCount(Integer NewCount) {
    Locked l(FList);
    if (NewCount < 0 || NewCount > MaxListSize) TList::Error(&SListCountError, NewCount);
    while (l->GetCount() > NewCount) Delete(l->GetCount() - 1);
    l->SetCount(NewCount);
}

ComPtr<IUnknown> TInterfaceList::GetItems(Integer Index) {
    Locked l(FList);
    return ComPtr<IUnknown>(Slot(l.operator->(), Index));
}

void TInterfaceList::SetItems(Integer Index, const ComPtr<IUnknown>& Item) {
    Locked l(FList);
    IUnknown* old = Slot(l.operator->(), Index);
    AddRef(Item.get());
    l->SetItems(Index, Item.get());
    Release(old);
}

Integer TInterfaceList::Add(const ComPtr<IUnknown>& Item) {
    Locked l(FList);
    Integer i = l->Add(Item.get());
    AddRef(Item.get());
    return i;
}

void TInterfaceList::Clear() {
    Locked l(FList);
    // Release from the end: a released object may reach back into this list.
    while (l->GetCount() > 0) Delete(l->GetCount() - 1);
    l->SetCapacity(0);
}

void TInterfaceList::Delete(Integer Index) {
    Locked l(FList);
    IUnknown* old = Slot(l.operator->(), Index);
    l->Delete(Index);
    Release(old);
}

void TInterfaceList::Exchange(Integer Index1, Integer Index2) {
    Locked(FList)->Exchange(Index1, Index2);
}

TInterfaceList* TInterfaceList::Expand() {
    Locked(FList)->Expand();
    return this;
}

ComPtr<IUnknown> TInterfaceList::First() {
    return GetItems(0);
}

ComPtr<IUnknown> TInterfaceList::Last() {
    Locked l(FList);
    return GetItems(l->GetCount() - 1);
}

Integer TInterfaceList::IndexOf(const ComPtr<IUnknown>& Item) {
    return Locked(FList)->IndexOf(Item.get());
}

void TInterfaceList::Insert(Integer Index, const ComPtr<IUnknown>& Item) {
    Locked l(FList);
    l->Insert(Index, Item.get());
    AddRef(Item.get());
}

Integer TInterfaceList::Remove(const ComPtr<IUnknown>& Item) {
    Locked l(FList);
    Integer i = l->IndexOf(Item.get());
    if (i >= 0) Delete(i);
    return i;
}

void TInterfaceList::Lock() {
    FList->LockList();
}

void TInterfaceList::Unlock() {
    FList->UnlockList();
}

} // namespace host
