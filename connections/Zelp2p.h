// Property-to-property connection: copies the source property to the target once when it
// connects, then again whenever the chosen event fires on either side, without echo.
#pragma once

#include "connections/Zelconlist.h"
#include "connections/Zelpropref.h"
#include "host/system/Variant.h"

namespace zeltrix {

class TzelP2PConnection : public TzelConnection {
    HOST_CLASS(TzelP2PConnection, TzelConnection)
public:
    explicit TzelP2PConnection(host::TComponent* AOwner);
    ~TzelP2PConnection() override;

    bool Connect() override;
    void Unconnect() override;
    host::AnsiString Diagnose() override;

    const host::AnsiString& GetSourceProperty() const { return FSourceProperty.Name(); }
    void SetSourceProperty(const host::AnsiString& Value);
    host::Variant GetSourcePropertyIndex() const { return FSourceProperty.Indexes(); }
    void SetSourcePropertyIndex(const host::Variant& Value);
    const host::AnsiString& GetSourceEvent() const { return FSourceEvent; }
    void SetSourceEvent(const host::AnsiString& Value);
    const host::AnsiString& GetTargetProperty() const { return FTargetProperty.Name(); }
    void SetTargetProperty(const host::AnsiString& Value);
    host::Variant GetTargetPropertyIndex() const { return FTargetProperty.Indexes(); }
    void SetTargetPropertyIndex(const host::Variant& Value);
    const host::AnsiString& GetTargetEvent() const { return FTargetEvent; }
    void SetTargetEvent(const host::AnsiString& Value);

    TzelPropertyInfo* GetSourcePropertyInfo();
    TzelPropertyInfo* GetTargetPropertyInfo();
    TzelEventInfo* GetSourceEventInfo();
    TzelEventInfo* GetTargetEventInfo();

    /// Copies source to target once.
    void SetTargetValue();
    /// Copies target to source once.
    void SetSourceValue();
    void SourcePropertyChange(host::TObject* Sender, TzelEventInfo* Event);
    void TargetPropertyChange(host::TObject* Sender, TzelEventInfo* Event);

protected:
    void AddNotes(std::vector<host::AnsiString>& Notes) override;
    void DefineProperties(host::TFiler* Filer) override;

    // A new connection starts with one empty index element on each side.
    TzelPropertyRef FSourceProperty{zelSourcePropertyRole, zelNewIndexArray(1)};
    TzelPropertyRef FTargetProperty{zelTargetPropertyRole, zelNewIndexArray(1)};
    host::AnsiString FSourceEvent;
    TzelFeatureCache<TzelEventInfo> FSourceEventInfo;
    host::AnsiString FTargetEvent;
    TzelFeatureCache<TzelEventInfo> FTargetEventInfo;
    TzelListener* FSourceListener;
    TzelListener* FTargetListener;
    TzelListenerLink FSourceLink;
    TzelListenerLink FTargetLink;
    bool FCopying = false;

private:
    void Copy(bool ToTarget);
    void SetEventName(host::AnsiString& Name, const host::AnsiString& Value, bool Source);
};

namespace Zelp2p {
void Initialize();
void Finalize();
} // namespace Zelp2p

} // namespace zeltrix
