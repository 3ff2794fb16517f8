// Event-to-property connection: sets a property of the target whenever the source fires an
// event, with a constant, a property of a value component or a parameter of the event.
#pragma once

#include "connections/Zelconlist.h"
#include "connections/Zelpropref.h"
#include "host/system/Variant.h"

namespace zeltrix {

class TzelE2PConnection : public TzelConnection {
    HOST_CLASS(TzelE2PConnection, TzelConnection)
public:
    explicit TzelE2PConnection(host::TComponent* AOwner);
    ~TzelE2PConnection() override;

    bool Connect() override;
    void Unconnect() override;
    host::AnsiString Diagnose() override;

    const host::AnsiString& GetSourceEvent() const { return FSourceEvent; }
    void SetSourceEvent(const host::AnsiString& Value);
    const host::AnsiString& GetTargetProperty() const { return FTargetProperty.Name(); }
    void SetTargetProperty(const host::AnsiString& Value);
    host::Variant GetTargetPropertyIndex() const { return FTargetProperty.Indexes(); }
    void SetTargetPropertyIndex(const host::Variant& Value);
    host::TComponent* GetValueComponent() const { return FValueComponent; }
    void SetValueComponent(host::TComponent* Value);
    const host::AnsiString& GetValueComponentProperty() const {
        return FValueComponentProperty.Name();
    }
    void SetValueComponentProperty(const host::AnsiString& Value);
    host::Variant GetValueComponentPropertyIndex() const {
        return FValueComponentProperty.Indexes();
    }
    void SetValueComponentPropertyIndex(const host::Variant& Value);
    const host::AnsiString& GetValueEventParameter() const { return FValueEventParameter; }
    void SetValueEventParameter(const host::AnsiString& Value);
    const host::AnsiString& GetValueConstant() const { return FValueConstant; }
    void SetValueConstant(const host::AnsiString& Value);
    TzelValueOptions GetValueOptions() const { return FValueOptions; }
    void SetValueOptions(TzelValueOptions Value) { FValueOptions = Value; }

    TzelClassInfo* GetValueComponentInfo();
    TzelEventInfo* GetSourceEventInfo();
    TzelPropertyInfo* GetTargetPropertyInfo();
    TzelPropertyInfo* GetValueComponentPropertyInfo();
    TzelParameterInfo* GetValueEventParameterInfo();

    /// Handler of the listener.
    void OnSourceEvent(host::TObject* Sender, TzelEventInfo* Event);

protected:
    void DefineProperties(host::TFiler* Filer) override;
    bool ReleaseComponent(host::TComponent* AComponent) override;

    host::AnsiString FSourceEvent;
    TzelFeatureCache<TzelEventInfo> FSourceEventInfo;
    TzelPropertyRef FTargetProperty{zelTargetPropertyRole};
    host::TComponent* FValueComponent = nullptr;
    TzelClassInfo* FValueComponentInfo = nullptr;
    TzelPropertyRef FValueComponentProperty{zelValueComponentPropertyRole};
    host::AnsiString FValueEventParameter;
    host::AnsiString FValueConstant;
    host::Variant FValueConstantValue; // the constant as the string Variant an event writes
    TzelValueOptions FValueOptions = voConstant;
    TzelListener* FListener;
    TzelListenerLink FLink;
};

namespace Zele2p {
void Initialize();
void Finalize();
} // namespace Zele2p

} // namespace zeltrix
