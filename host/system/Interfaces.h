// COM-style interfaces of the host: IUnknown, reference-counted objects and interface pointers.
#pragma once

#include "host/system/Object.h"

#include <atomic>
#include <utility>

namespace host {

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);

struct IUnknown {
    static constexpr TGUID IID = GuidOf("{00000000-0000-0000-C000-000000000046}");
    virtual HRESULT QueryInterface(const TGUID& IID, void** Obj) = 0;
    virtual Integer _AddRef() = 0;
    virtual Integer _Release() = 0;

protected:
    ~IUnknown() = default;
};

/// A counted reference to an interface, as the host's interface variables.
template <class I>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    explicit ComPtr(I* p) : fPtr(p) {
        if (fPtr) fPtr->_AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.fPtr) {}
    ComPtr(ComPtr&& o) noexcept : fPtr(std::exchange(o.fPtr, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(fPtr, o.fPtr);
        return *this;
    }
    ~ComPtr() {
        if (fPtr) fPtr->_Release();
    }
    I* get() const { return fPtr; }
    I* operator->() const { return fPtr; }
    explicit operator bool() const { return fPtr != nullptr; }
    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.fPtr == b.fPtr; }
    /// Gives up the reference without releasing it.
    I* Detach() { return std::exchange(fPtr, nullptr); }
    /// Takes over a reference the caller already holds.
    static ComPtr Attach(I* p) {
        ComPtr r;
        r.fPtr = p;
        return r;
    }

private:
    I* fPtr = nullptr;
};

/// Queries `Obj` (any IUnknown) for `I`; null when it does not support it.
template <class I, class U>
ComPtr<I> QueryInterface(U* Obj) {
    void* p = nullptr;
    if (Obj && Obj->QueryInterface(I::IID, &p) == S_OK) return ComPtr<I>::Attach(static_cast<I*>(p));
    return {};
}

/// Base of reference-counted objects: freed when the last interface reference goes.
class TInterfacedObject : public TObject, public IUnknown {
    HOST_CLASS(TInterfacedObject, TObject)
public:
    TInterfacedObject() = default;
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
    Integer _AddRef() override;
    Integer _Release() override;
    Integer RefCount() const { return fRefCount.load(); }
    /// Raises EInvalidPointer while interface references are still held, as the host does.
    void BeforeDestruction() override;

protected:
    std::atomic<Integer> fRefCount{0};
};

} // namespace host
