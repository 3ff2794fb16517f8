#include "host/system/Object.h"

#include "host/system/Exceptions.h"
#include "host/system/LiveObjectsAccess.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace host {

constinit const TMetaClass TObject::ClassMeta = MakeMetaClass<TObject>("TObject", nullptr);

// ---- metaclass queries ----

bool TMetaClass::InheritsFrom(TClass Ancestor) const {
    for (TClass c = this; c; c = c->Parent)
        if (c == Ancestor) return true;
    return false;
}

static bool SameAsciiText(const char* a, const AnsiString& b) {
    std::size_t n = std::strlen(a);
    if (n != b.size()) return false;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool TMetaClass::ClassNameIs(const AnsiString& Name) const {
    return SameAsciiText(ClassName, Name);
}

const TPublishedMethod* TMetaClass::FindMethod(const AnsiString& Name) const {
    for (TClass c = this; c; c = c->Parent)
        for (int i = 0; i < c->MethodCount; ++i)
            if (SameAsciiText(c->Methods[i].Name, Name)) return &c->Methods[i];
    return nullptr;
}

const TPublishedMethod* TMetaClass::FindMethodByCode(const void* Code) const {
    for (TClass c = this; c; c = c->Parent)
        for (int i = 0; i < c->MethodCount; ++i)
            if (c->Methods[i].Code == Code) return &c->Methods[i];
    return nullptr;
}

const TInterfaceEntry* TMetaClass::FindInterface(const TGUID& IID) const {
    for (TClass c = this; c; c = c->Parent)
        if (c->Interfaces)
            for (int i = 0; i < c->Interfaces->EntryCount; ++i)
                if (c->Interfaces->Entries[i].IID == IID) return &c->Interfaces->Entries[i];
    return nullptr;
}

// ---- TObject ----

TObject::TObject() {
    LiveObjectsAccess::Enter(this);
}
TObject::TObject(const TObject&) {
    LiveObjectsAccess::Enter(this);
}
TObject::~TObject() {
    LiveObjectsAccess::Leave(this);
}

AnsiString TObject::ClassName() const {
    return ClassType()->ClassName;
}
bool TObject::ClassNameIs(const AnsiString& Name) const {
    return ClassType()->ClassNameIs(Name);
}
TClass TObject::ClassParent() const {
    return ClassType()->Parent;
}
Integer TObject::InstanceSize() const {
    return static_cast<Integer>(ClassType()->InstanceSize);
}
bool TObject::InheritsFrom(TClass AClass) const {
    return ClassType()->InheritsFrom(AClass);
}

void* TObject::MethodAddress(const AnsiString& Name) const {
    const TPublishedMethod* m = ClassType()->FindMethod(Name);
    return m ? m->Code : nullptr;
}

AnsiString TObject::MethodName(void* Address) const {
    const TPublishedMethod* m = ClassType()->FindMethodByCode(Address);
    return m ? m->Name : AnsiString();
}

void* TObject::FieldAddress(const AnsiString& Name) {
    for (TClass c = ClassType(); c; c = c->Parent)
        for (int i = 0; i < c->FieldCount; ++i)
            if (SameAsciiText(c->Fields[i].Name, Name)) return c->Fields[i].Address(this);
    return nullptr;
}

bool TObject::GetInterface(const TGUID& IID, void** Obj) {
    const TInterfaceEntry* e = ClassType()->FindInterface(IID);
    *Obj = nullptr;
    if (!e) return false;
    *Obj = e->GetInterface(this);
    return *Obj != nullptr;
}

const TInterfaceEntry* TObject::GetInterfaceEntry(TClass Class, const TGUID& IID) {
    return Class ? Class->FindInterface(IID) : nullptr;
}

const TInterfaceTable* TObject::GetInterfaceTable(TClass Class) {
    return Class ? Class->Interfaces : nullptr;
}

void TObject::Dispatch(void* Message) {
    Cardinal msg;
    std::memcpy(&msg, Message, sizeof msg);
    for (TClass c = ClassType(); c; c = c->Parent)
        for (int i = 0; i < c->MessageCount; ++i)
            if (c->Messages[i].Msg == msg) return c->Messages[i].Handler(this, Message);
    DefaultHandler(Message);
}

void TObject::DispatchInherited(TClass Class, void* Message) {
    Cardinal msg;
    std::memcpy(&msg, Message, sizeof msg);
    for (TClass c = Class->Parent; c; c = c->Parent)
        for (int i = 0; i < c->MessageCount; ++i)
            if (c->Messages[i].Msg == msg) return c->Messages[i].Handler(this, Message);
    DefaultHandler(Message);
}

void TObject::DefaultHandler(void*) {}

HRESULT TObject::SafeCallException(TObject*, void*) {
    return static_cast<HRESULT>(0x8000FFFFu); // E_UNEXPECTED
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

[[noreturn]] void RaiseInvalidCast() {
    throw EInvalidCast("Invalid class typecast");
}

} // namespace host
