// TCustomAction and TAction, the actions that clients show (caption, checked and enabled
// state, image, shortcut), and TActionLink, through which each client follows them.
#pragma once

#include "host/actnlist/ActionList.h"
#include "host/menus/ShortCuts.h"

namespace host {

class TShortCutList;

using THelpContext = Integer;
using TImageIndex = Integer;
/// OnHint: may change the hint shown and whether it is shown at all.
using THintEvent = Closure<void(AnsiString& HintStr, bool& CanShow)>;

class TCustomAction : public TContainedAction {
    HOST_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent* AOwner);
    ~TCustomAction() override;

    /// Copies Caption, Checked, Enabled, HelpContext, Hint, ImageIndex, ShortCut, the secondary
    /// shortcuts, Visible, AutoCheck, GroupIndex and the handlers into another TCustomAction.
    void AssignTo(TPersistent* Dest) override;

    /// Updates the action first; then, when it is enabled, toggles Checked for AutoCheck and
    /// runs the execute order of TContainedAction. False when not enabled, when nothing
    /// handled it, and while the action list is suspended.
    bool Execute() override;
    /// The update order of TContainedAction; when nothing handled it, an enabled action with
    /// DisableIfNoHandler and no OnExecute is disabled. False while the list is suspended.
    bool Update() override;
    /// Fires OnHint with `HintStr`; returns CanShow (true without a handler).
    virtual bool DoHint(AnsiString& HintStr);

    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    bool GetChecked() const { return FChecked; }
    /// Checking an action of a radio group (GroupIndex > 0) unchecks the others of its list.
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    THelpContext GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(THelpContext Value);
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value);
    TImageIndex GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(TImageIndex Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    /// Further shortcuts that execute the action, as text ("Ctrl+Ins"); made when first asked.
    TShortCutList* GetSecondaryShortCuts();
    void SetSecondaryShortCuts(TShortCutList* Value);
    /// Whether `ShortCut` is the action's ShortCut or one of its secondary shortcuts.
    bool HasShortCut(TShortCut ShortCut) const;
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    bool GetAutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    Integer GetGroupIndex() const { return FGroupIndex; }
    /// Joining a radio group checked unchecks the group's other actions.
    void SetGroupIndex(Integer Value);
    THintEvent GetOnHint() const { return FOnHint; }
    void SetOnHint(THintEvent Value) { FOnHint = Value; }

    /// Whether an action without an OnExecute handler is disabled when nothing updates it.
    bool GetDisableIfNoHandler() const { return FDisableIfNoHandler; }
    /// A plain store, as the host's property writes its field.
    void SetDisableIfNoHandler(bool Value) { FDisableIfNoHandler = Value; }

protected:
    bool IsSuspended() const;

    AnsiString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    THelpContext FHelpContext = 0;
    AnsiString FHint;
    TImageIndex FImageIndex = -1;
    TShortCut FShortCut = 0;
    TShortCutList* FSecondaryShortCuts = nullptr;
    bool FVisible = true;
    bool FAutoCheck = false;
    Integer FGroupIndex = 0;
    THintEvent FOnHint;
    bool FDisableIfNoHandler = false;

private:
    void UncheckGroup();
    template <class F>
    void EachLink(F&& Tell);
};

class TAction : public TCustomAction {
    HOST_CLASS(TAction, TCustomAction)
public:
    /// A TAction disables itself when it has no OnExecute handler and nothing updates it.
    explicit TAction(TComponent* AOwner);
};

/// The link of a client to a TCustomAction. The action passes each change of its state to
/// the setters here; a client's link overrides them to set the client's own property when that
/// property follows the action (its Is...Linked).
class TActionLink : public TBasicActionLink {
    HOST_CLASS(TActionLink, TBasicActionLink)
public:
    using TBasicActionLink::TBasicActionLink;

protected:
    /// The client's property follows the action: the base says so for every TCustomAction.
    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsHelpContextLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();
    // The base has no client to set.
    virtual void SetCaption(const AnsiString& Value);
    virtual void SetChecked(bool Value);
    virtual void SetEnabled(bool Value);
    virtual void SetHelpContext(THelpContext Value);
    virtual void SetHint(const AnsiString& Value);
    virtual void SetImageIndex(TImageIndex Value);
    virtual void SetShortCut(TShortCut Value);
    virtual void SetVisible(bool Value);

    friend class TCustomAction;
};

} // namespace host
