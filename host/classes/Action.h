// TBasicAction and TBasicActionLink: the action component and the link through which a client
// (a control, a menu item) follows it.
#pragma once

#include "host/classes/Component.h"

namespace host {

class TBasicAction;

class TBasicActionLink : public TObject {
    HOST_CLASS(TBasicActionLink, TObject)
public:
    explicit TBasicActionLink(TObject* AClient);
    /// Leaves the action it follows.
    ~TBasicActionLink() override;

    /// Executes the action; false without one.
    virtual bool Execute();
    /// Updates the action; false without one.
    virtual bool Update();

    TBasicAction* GetAction() const { return FAction; }
    /// Unregisters from the old action and registers with the new one.
    virtual void SetAction(TBasicAction* Value);
    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

protected:
    /// Lets a descendant keep its client; the base keeps nothing.
    virtual void AssignClient(TObject* AClient);
    /// Tells the client the action changed: fires OnChange with the action as sender.
    virtual void Change();
    virtual bool IsOnExecuteLinked();
    /// The action's OnExecute changed; descendants pass it on to their client.
    virtual void SetOnExecute(TNotifyEvent Value);

    TBasicAction* FAction = nullptr;
    TNotifyEvent FOnChange;

    friend class TBasicAction;
};

class TBasicAction : public TComponent {
    HOST_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* AOwner);
    /// Detaches every link still registered.
    ~TBasicAction() override;

    /// Whether this action can act on `Target`; the base handles nothing.
    virtual bool HandlesTarget(TObject* Target);
    virtual void UpdateTarget(TObject* Target);
    virtual void ExecuteTarget(TObject* Target);
    /// Fires OnExecute; returns whether a handler ran.
    virtual bool Execute();
    /// Fires OnUpdate; returns whether a handler ran.
    virtual bool Update();
    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);

    TNotifyEvent GetOnExecute() const { return FOnExecute; }
    /// Passes the new handler on to the links, then signals a change.
    virtual void SetOnExecute(TNotifyEvent Value);
    TNotifyEvent GetOnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(TNotifyEvent Value) { FOnUpdate = Value; }

protected:
    /// Fires OnChange and tells every registered link.
    virtual void Change();
    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

    TList* FClients;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnExecute;
    TNotifyEvent FOnUpdate;

private:
    unsigned fClientsVersion = 0;
};

} // namespace host
