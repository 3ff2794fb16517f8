// The variable component: holds one object of a chosen registered class and exposes it through
// the reflection, so that connections reach objects that are not components of the form.
#pragma once

#include "core/Zelcommon.h"
#include "host/classes/Component.h"

#include <vector>

namespace zeltrix {

/// The class info of a variable: the features of the held class (the very records of an inner
/// class info that wraps the held object), plus `Self` and `OnInstanceChange`.
class TzelVariableClassInfo : public TzelClassInfo {
    HOST_CLASS(TzelVariableClassInfo, TzelClassInfo)
public:
    /// The registry's path: a class info with no class to wrap.
    TzelVariableClassInfo();
    explicit TzelVariableClassInfo(const host::AnsiString& ClassTypeName);
    ~TzelVariableClassInfo() override;

    /// Replaces the inner class info by one for `ClassTypeName`; raises "Unknown class!" and
    /// keeps the old one when that name has no class info able to wrap an object. The caller
    /// rebuilds this class info's metadata afterwards.
    void Update(const host::AnsiString& ClassTypeName);

    /// The held object, or null when none is held or it has been destroyed meanwhile.
    host::TObject* GetInstance() const;
    TzelClassInfo* GetInnerClassInfo() const { return FInnerClassInfo; }

    host::Variant GetProperty(TzelPropertyInfo* Info) override;
    void SetProperty(TzelPropertyInfo* Info, const host::Variant& Value) override;
    void InvokeMethod(TzelMethodInfo* Info) override;

protected:
    void DefineZELProperties(host::TList* List) override;
    void DefineZELMethods(host::TList* List) override;
    void DefineZELEvents(host::TList* List) override;

private:
    void SetInstance(host::TObject* Instance);
    host::TObject* HeldObject(const host::Variant& Value) const;
    /// True while the inner class info wraps a live object.
    bool Bound() const;
    /// Hears an event of the held object and fires it again to this class info's listeners, as
    /// if the variable had fired it.
    void Relay(host::TObject* Sender, TzelEventInfo* Event);
    void AttachRelays();
    void DropInnerRecords();
    void DetachRelays();
    static TzelClassInfo* NewInnerClassInfo(const host::AnsiString& ClassTypeName);

    host::AnsiString FClassTypeName; // the name the inner class info was built for
    host::TObject* FInstance = nullptr;
    std::uint64_t FInstanceId = 0;
    TzelClassInfo* FInnerClassInfo = nullptr;
    std::vector<TzelListener*> FRelays;
};

class TzelVariable : public host::TComponent, public IzelObject {
    HOST_CLASS(TzelVariable, host::TComponent)
public:
    explicit TzelVariable(host::TComponent* AOwner);
    ~TzelVariable() override;

    TzelClassInfo* GetZELClassInfo() override;
    const host::AnsiString& GetClassTypeName() const { return FClassTypeName; }
    void SetClassTypeName(const host::AnsiString& Value);

    // IUnknown without reference counting: the form owns the variable.
    host::HRESULT QueryInterface(const host::TGUID& IID, void** Obj) override;
    host::Integer _AddRef() override { return -1; }
    host::Integer _Release() override { return -1; }

private:
    host::AnsiString FClassTypeName;
    TzelVariableClassInfo* FClassInfo;
};

namespace Zelvar {
void Initialize();
void Finalize();
} // namespace Zelvar

} // namespace zeltrix
