// Event-to-method connection: calls a method of the target whenever the source fires an event,
// each argument fed by a parameter connection; var parameters flow back to where they came from.
#pragma once

#include "connections/Zelconlist.h"
#include "connections/Zelpropref.h"
#include "host/classes/Collection.h"
#include "host/system/Variant.h"

namespace zeltrix {

class TzelE2MConnection;

/// Feeds one argument of the target method.
class TzelParameterConnection : public host::TCollectionItem {
    HOST_CLASS(TzelParameterConnection, host::TCollectionItem)
public:
    explicit TzelParameterConnection(host::TCollection* ACollection);

    TzelE2MConnection* GetConnection() const;
    TzelParameterInfo* GetParameterInfo() const;
    TzelClassInfo* GetComponentInfo();
    TzelPropertyInfo* GetComponentPropertyInfo();
    TzelParameterInfo* GetEventParameterInfo() const;

    const host::AnsiString& GetParameterName() const { return FParameterName; }
    void SetParameterName(const host::AnsiString& Value) { FParameterName = Value; }
    host::TComponent* GetComponent() const { return FComponent; }
    void SetComponent(host::TComponent* Value);
    const host::AnsiString& GetComponentProperty() const { return FComponentProperty.Name(); }
    void SetComponentProperty(const host::AnsiString& Value);
    host::Variant GetComponentPropertyIndex() const { return FComponentProperty.Indexes(); }
    void SetComponentPropertyIndex(const host::Variant& Value);
    const host::AnsiString& GetEventParameter() const { return FEventParameter; }
    void SetEventParameter(const host::AnsiString& Value);
    const host::AnsiString& GetConstant() const { return FConstant; }
    void SetConstant(const host::AnsiString& Value);
    TzelValueOptions GetOptions() const { return FOptions; }
    void SetOptions(TzelValueOptions Value) { FOptions = Value; }

    host::AnsiString GetDisplayName() override;
    /// Copies another item's settings (the host's collection assignment copies item by item).
    void Assign(host::TPersistent* Source) override;
    /// Why the item gives its argument no value, in the order the call evaluates it ("unknown
    /// method parameter 'X'", "no parameter component", ...); empty when it resolves.
    host::AnsiString Diagnose();

protected:
    void DefineProperties(host::TFiler* Filer) override;

private:
    friend class TzelE2MConnection;
    friend class TzelParameterConnections;
    /// Validation runs only for an item of a connection that is not being read.
    bool Validates() const;
    /// The value this item gives its argument before the call; false when it gives none.
    bool ArgumentValue(host::Variant& Value);
    /// What flows back after the call.
    void TakeResult(TzelParameterInfo* Argument);

    host::AnsiString FParameterName;
    host::TComponent* FComponent = nullptr;
    TzelClassInfo* FComponentInfo = nullptr;
    TzelPropertyRef FComponentProperty{zelComponentPropertyRole};
    host::AnsiString FEventParameter;
    host::AnsiString FConstant;
    host::Variant FConstantValue; // the constant as the string Variant an argument receives
    TzelValueOptions FOptions = voConstant;
};

/// The parameter connections of one event-to-method connection, one per method argument.
class TzelParameterConnections : public host::TCollection {
    HOST_CLASS(TzelParameterConnections, host::TCollection)
public:
    explicit TzelParameterConnections(TzelE2MConnection* AOwner);

    TzelParameterConnection* Add();
    TzelParameterConnection* GetItem(int Index) const;
    void SetItem(int Index, TzelParameterConnection* Value);
    /// Rebuilds the items for a method (none when null).
    void Init(TzelMethodInfo* MethodInfo);
    /// Copies the items of another parameter collection and the method they were built for.
    void Assign(host::TPersistent* Source) override;
    const host::AnsiString& GetMethodName() const { return FMethodName; }
    /// True from a load until a method is chosen: the items are those of the form file, saved
    /// for the method name they were read with.
    bool IsAsRead() const { return FAsRead; }

protected:
    host::TPersistent* GetOwner() override;

private:
    friend class TzelE2MConnection;
    friend class TzelParameterConnection;
    host::AnsiString FMethodName;
    bool FAsRead = false;
    TzelE2MConnection* FOwner;
};

class TzelE2MConnection : public TzelConnection {
    HOST_CLASS(TzelE2MConnection, TzelConnection)
public:
    explicit TzelE2MConnection(host::TComponent* AOwner);
    ~TzelE2MConnection() override;

    bool Connect() override;
    void Unconnect() override;
    host::AnsiString Diagnose() override;

    const host::AnsiString& GetSourceEvent() const { return FSourceEvent; }
    void SetSourceEvent(const host::AnsiString& Value);
    const host::AnsiString& GetTargetMethod() const { return FTargetMethod; }
    void SetTargetMethod(const host::AnsiString& Value);
    TzelParameterConnections* GetTargetMethodParameters() const { return FTargetMethodParameters; }
    void SetTargetMethodParameters(TzelParameterConnections* Value);

    TzelEventInfo* GetSourceEventInfo();
    TzelMethodInfo* GetTargetMethodInfo();

    /// Handler of the listener.
    void OnSourceEvent(host::TObject* Sender, TzelEventInfo* Event);

protected:
    void AddNotes(std::vector<host::AnsiString>& Notes) override;
    void Loaded() override;
    bool ReleaseComponent(host::TComponent* AComponent) override;

    host::AnsiString FSourceEvent;
    TzelFeatureCache<TzelEventInfo> FSourceEventInfo;
    host::AnsiString FTargetMethod;
    TzelFeatureCache<TzelMethodInfo> FTargetMethodInfo;
    TzelParameterConnections* FTargetMethodParameters;
    TzelListener* FListener;
    TzelListenerLink FLink;
};

namespace Zele2m {
void Initialize();
void Finalize();
} // namespace Zele2m

} // namespace zeltrix
