#include "host/system/Interfaces.h"

#include "host/system/Exceptions.h"

namespace host {

namespace {
void* InterfacedObjectUnknown(TObject* o) {
    return static_cast<IUnknown*>(static_cast<TInterfacedObject*>(o));
}
constexpr TInterfaceEntry InterfacedObjectEntries[] = {{IUnknown::IID, &InterfacedObjectUnknown}};
constexpr TInterfaceTable InterfacedObjectTable{1, InterfacedObjectEntries};
} // namespace

HOST_METACLASS(TInterfacedObject, TObject, {.Interfaces = &InterfacedObjectTable});

HRESULT TInterfacedObject::QueryInterface(const TGUID& IID, void** Obj) {
    if (GetInterface(IID, Obj)) {
        static_cast<IUnknown*>(*Obj)->_AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

Integer TInterfacedObject::_AddRef() { return ++fRefCount; }

Integer TInterfacedObject::_Release() {
    Integer n = --fRefCount;
    if (n == 0) delete this;
    return n;
}

void TInterfacedObject::BeforeDestruction() {
    if (fRefCount.load() != 0) throw EInvalidPointer("Invalid pointer operation");
}

} // namespace host
