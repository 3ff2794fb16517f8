// The host's root class, its metaclasses and the registry of live objects.
#pragma once

#include "host/system/Types.h"

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <typeinfo>

namespace host {

class TObject;
struct TMetaClass;
struct TPropInfo; // published-property RTTI, declared by the streaming layer
using TClass = const TMetaClass*;

/// A method pointer with its types erased: code and data, as the host's TMethod.
struct TMethod {
    void* Code = nullptr;
    void* Data = nullptr;
    friend bool operator==(const TMethod&, const TMethod&) = default;
};

/// A published method: bound by name when a form file names it as an event handler.
/// `Code` is the type-erased thunk of a Closure; `Signature` names the closure's type so that
/// a handler is never bound to an event of another shape.
struct TPublishedMethod {
    const char* Name;
    void* Code;
    const std::type_info* Signature;
};

/// A published field: a component reference that a form file fills by component name.
struct TPublishedField {
    const char* Name;
    TClass FieldClass;
    TObject** (*Address)(TObject* Instance);
};

/// One interface an object implements: its identifier and how to reach it from the object.
struct TInterfaceEntry {
    TGUID IID;
    void* (*GetInterface)(TObject* Instance); // returns the interface pointer, not add-ref'ed
};

struct TInterfaceTable {
    int EntryCount;
    const TInterfaceEntry* Entries;
};

/// A message handler: the host's `message` methods, dispatched by message number.
struct TMessageEntry {
    Cardinal Msg;
    void (*Handler)(TObject* Self, void* Message);
};

/// The metaclass of a host class. One constant object per class, defined in the class's .cpp.
struct TMetaClass {
    const char* ClassName = "";
    TClass Parent = nullptr;
    std::size_t InstanceSize = 0;
    TObject* (*NewObject)() = nullptr;                // parameterless constructor, if any
    TObject* (*NewWithOwner)(TObject* Owner) = nullptr; // virtual constructor (components, items)
    const TPublishedMethod* Methods = nullptr;
    int MethodCount = 0;
    const TPublishedField* Fields = nullptr;
    int FieldCount = 0;
    const TInterfaceTable* Interfaces = nullptr;
    const TMessageEntry* Messages = nullptr;
    int MessageCount = 0;
    const TPropInfo* Props = nullptr; // published properties, in declaration order
    int PropCount = 0;

    bool InheritsFrom(TClass Ancestor) const;
    bool ClassNameIs(const AnsiString& Name) const; // case-insensitive, as the host
    const TPublishedMethod* FindMethod(const AnsiString& Name) const;
    const TPublishedMethod* FindMethodByCode(const void* Code) const;
    const TInterfaceEntry* FindInterface(const TGUID& IID) const;
};

/// Declares the metaclass members of a host class. Place first in the class body.
#define HOST_CLASS(Name, Parent)                                                               \
public:                                                                                        \
    using inherited = Parent;                                                                  \
    static const ::host::TMetaClass ClassMeta;                                                 \
    static ::host::TClass StaticClass() { return &ClassMeta; }                                 \
    ::host::TClass ClassType() const override { return &ClassMeta; }                           \
                                                                                               \
private:

/// The root of every host class.
class TObject {
public:
    static const TMetaClass ClassMeta;
    static TClass StaticClass() { return &ClassMeta; }

    TObject();
    virtual ~TObject();
    TObject(TObject&&) = delete;
    TObject& operator=(const TObject&) = delete;

    virtual TClass ClassType() const { return &ClassMeta; }
    AnsiString ClassName() const;
    bool ClassNameIs(const AnsiString& Name) const;
    TClass ClassParent() const;
    Integer InstanceSize() const;
    bool InheritsFrom(TClass AClass) const;
    template <class T>
    bool Is() const { return InheritsFrom(T::StaticClass()); }
    void* MethodAddress(const AnsiString& Name) const;
    AnsiString MethodName(void* Address) const;
    void* FieldAddress(const AnsiString& Name);
    bool GetInterface(const TGUID& IID, void** Obj);
    static const TInterfaceEntry* GetInterfaceEntry(TClass Class, const TGUID& IID);
    static const TInterfaceTable* GetInterfaceTable(TClass Class);

    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
    /// Looks the message number (the first 32 bits of `Message`) up in the message tables
    /// of the class and its ancestors; calls `DefaultHandler` when none handles it.
    virtual void Dispatch(void* Message);
    virtual void DefaultHandler(void* Message);
    /// What `inherited` does in a message handler of `Class`: the handler of an ancestor of
    /// `Class` for the same message, else DefaultHandler.
    void DispatchInherited(TClass Class, void* Message);
    virtual HRESULT SafeCallException(TObject* ExceptObject, void* ExceptAddr);

    /// Destroys the object: `BeforeDestruction`, then the destructors.
    void Free();

    /// Process-unique serial of this object; never reused, unlike its address.
    std::uint64_t ObjectId() const { return fObjectId; }

protected:
    TObject(const TObject&); // copies get an identity of their own (exceptions are copied)

private:
    friend struct LiveObjectsAccess;
    std::uint64_t fObjectId;
    std::atomic<bool> fWatched{false};
};

/// Destroys `Obj` if it is not null, as the host's Free on a nil reference does nothing.
inline void FreeObject(TObject* Obj) {
    if (Obj) Obj->Free();
}
template <class T>
void FreeAndNil(T*& Obj) {
    T* tmp = Obj;
    Obj = nullptr;
    FreeObject(tmp);
}

/// Checked cast in the host's `as` sense: raises EInvalidCast when `Obj` is not a `T`.
template <class T>
T* As(TObject* Obj);
[[noreturn]] void RaiseInvalidCast();
template <class T>
T* As(TObject* Obj) {
    if (Obj && !Obj->InheritsFrom(T::StaticClass())) RaiseInvalidCast();
    return static_cast<T*>(Obj);
}
/// The host's `is`-then-cast: null when `Obj` is not a `T`.
template <class T>
T* DynCast(TObject* Obj) {
    return Obj && Obj->InheritsFrom(T::StaticClass()) ? static_cast<T*>(Obj) : nullptr;
}

/// The host's registry of live objects. Every TObject enters it when constructed and leaves it
/// when destroyed, from any thread, so an address can be checked before it is used as an object.
namespace LiveObjects {
/// The object at `Address` if one lives there (and, when given, is a `Class` or descendant).
TObject* Find(const void* Address, TClass Class = nullptr);
/// True while the object with this address and serial lives.
bool IsAlive(const void* Address, std::uint64_t ObjectId);
std::size_t Count();

/// Called once when a watched object is destroyed, after its own destructors have run
/// (only its address is meaningful then).
using FreeObserver = void (*)(void* Data, TObject* Dying);
void Watch(TObject* Obj, FreeObserver Observer, void* Data);
void Unwatch(TObject* Obj, FreeObserver Observer, void* Data);
} // namespace LiveObjects

/// The message table of a metaclass: `HOST_METACLASS(TFoo, TBar, MessageTable(TFoo::Messages))`
/// (combinable with PropTable: `PropTable(Props, MessageTable(...))`).
template <std::size_t N>
constexpr TMetaClass MessageTable(const TMessageEntry (&Entries)[N], TMetaClass Extra = {}) {
    Extra.Messages = Entries;
    Extra.MessageCount = static_cast<int>(N);
    return Extra;
}

/// Calls `Method` of `C` with the message record `R` the dispatch carries.
template <class C, class R, void (C::*Method)(R&)>
void MessageThunk(TObject* Self, void* Message) {
    (static_cast<C*>(Self)->*Method)(*static_cast<R*>(Message));
}

/// Builds the metaclass of `T` at compile time; used by the HOST_METACLASS definitions.
template <class T>
constexpr TMetaClass MakeMetaClass(const char* Name, TClass Parent, TMetaClass Extra = {}) {
    Extra.ClassName = Name;
    Extra.Parent = Parent;
    Extra.InstanceSize = sizeof(T);
    if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>) {
        if (!Extra.NewObject) Extra.NewObject = []() -> TObject* { return new T(); };
    }
    return Extra;
}

} // namespace host

/// Defines the metaclass of a host class in its .cpp: HOST_METACLASS(TList, TObject).
#define HOST_METACLASS(Name, Parent, ...)                                                      \
    constinit const ::host::TMetaClass Name::ClassMeta =                                       \
        ::host::MakeMetaClass<Name>(#Name, &Parent::ClassMeta __VA_OPT__(, ) __VA_ARGS__)
