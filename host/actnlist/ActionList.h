// Actions kept in an action list: TContainedAction, TCustomActionList and TActionList, and the
// application's part in running an action (a hook the Forms unit installs).
#pragma once

#include "host/classes/Action.h"
#include "host/imglist/ImgList.h"
#include "host/menus/Keys.h"

namespace host {

class TCustomActionList;
/// The image list an action list's clients draw its actions' images from.
using TActionListImages = TCustomImageList;

/// OnExecute and OnUpdate of an action list: set Handled to stop the action going further.
using TActionEvent = Closure<void(TBasicAction* Action, bool& Handled)>;

enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };
HOST_ENUM_INFO(TActionListState, asNormal, asSuspended, asSuspendedEnabled)

/// The application's part in running an action, installed by the Forms unit; each hook returns
/// whether it handled the action, and a hook left null handles nothing (no application).
struct TActionApplicationHooks {
    /// The application's OnActionExecute / OnActionUpdate, asked after the action list.
    bool (*ExecuteAction)(TBasicAction* Action) = nullptr;
    bool (*UpdateAction)(TBasicAction* Action) = nullptr;
    /// Offers an action that nothing handled to a target (the active control, then the active
    /// form: their ExecuteAction / UpdateAction).
    bool (*ExecuteTarget)(TBasicAction* Action) = nullptr;
    bool (*UpdateTarget)(TBasicAction* Action) = nullptr;
};
extern TActionApplicationHooks ActionApplicationHooks;

class TContainedAction : public TBasicAction {
    HOST_CLASS(TContainedAction, TBasicAction)
public:
    explicit TContainedAction(TComponent* AOwner);
    /// Leaves its action list.
    ~TContainedAction() override;

    /// The action list's OnExecute first, then the application, then the action's own
    /// OnExecute, then a target found by the application; true once one of them handled it.
    bool Execute() override;
    /// The same order with OnUpdate.
    bool Update() override;

    TComponent* GetParentComponent() override;
    bool HasParent() override;
    /// Joins the action list a form reads it inside.
    void SetParentComponent(TComponent* AParent) override;

    TCustomActionList* GetActionList() const { return FActionList; }
    /// Leaves the old list and joins the end of the new one.
    void SetActionList(TCustomActionList* AActionList);
    /// The position in the action list; -1 without one.
    Integer GetIndex() const;
    /// Moves the action within its list, kept within the list's bounds; nothing without one.
    void SetIndex(Integer Value);
    const AnsiString& GetCategory() const { return FCategory; }
    /// A new category changes the list's grouping: the list hears of it (Change).
    void SetCategory(const AnsiString& Value);

protected:
    TCustomActionList* FActionList = nullptr;
    AnsiString FCategory;

    friend class TCustomActionList;
};

class TCustomActionList : public TComponent {
    HOST_CLASS(TCustomActionList, TComponent)
public:
    explicit TCustomActionList(TComponent* AOwner);
    /// Frees the actions still in the list.
    ~TCustomActionList() override;

    /// Fires OnExecute with the action; returns its Handled (false without a handler).
    virtual bool ExecuteAction(TBasicAction* Action);
    /// Fires OnUpdate with the action; returns its Handled (false without a handler).
    virtual bool UpdateAction(TBasicAction* Action);
    /// Executes the first action whose ShortCut or secondary shortcuts hold the message's;
    /// returns what Execute returned, false when no action has that shortcut or the list is
    /// suspended.
    bool IsShortCut(TWMKey& Message);

    /// Raises EListError "List index out of bounds (%d)" for a bad index.
    TContainedAction* GetAction(Integer Index) const;
    /// Assigns `Value`'s properties to the action at `Index`.
    void SetAction(Integer Index, TContainedAction* Value);
    Integer GetActionCount() const;
    TActionListImages* GetImages() const { return FImages; }
    void SetImages(TActionListImages* Value);
    TActionListState GetState() const { return FState; }
    /// asSuspendedEnabled also enables every action of the list.
    void SetState(TActionListState Value);

protected:
    virtual void AddAction(TContainedAction* Action);
    virtual void RemoveAction(TContainedAction* Action);
    /// Fires OnChange, then tells every action of the list (their Change).
    virtual void Change();
    /// Streams the actions the root owns as the list's children.
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, Integer Order) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TActionEvent GetOnExecute() const { return FOnExecute; }
    void SetOnExecute(TActionEvent Value) { FOnExecute = Value; }
    TActionEvent GetOnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(TActionEvent Value) { FOnUpdate = Value; }

    TList* FActions;
    TActionListImages* FImages = nullptr;
    TActionListState FState = asNormal;
    TNotifyEvent FOnChange;
    TActionEvent FOnExecute;
    TActionEvent FOnUpdate;

    friend class TContainedAction;

private:
    /// The images changed: the list's clients hear of it (Change).
    void ImageListChange(TObject* Sender);
    TChangeLink* FImageChangeLink;
};

class TActionList : public TCustomActionList {
    HOST_CLASS(TActionList, TCustomActionList)
public:
    using TCustomActionList::GetOnChange;
    using TCustomActionList::GetOnExecute;
    using TCustomActionList::GetOnUpdate;
    using TCustomActionList::SetOnChange;
    using TCustomActionList::SetOnExecute;
    using TCustomActionList::SetOnUpdate;
    using TCustomActionList::TCustomActionList;
};

} // namespace host
