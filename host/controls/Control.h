// TControl: a component with a place on its parent, a caption, a colour and a font (taken
// from the parent unless set), alignment and anchors, size constraints, a window procedure
// that turns messages into events, and painting on demand. TSizeConstraints: its limits.
#pragma once

#include "host/classes/Component.h"
#include "host/controls/Cursors.h"
#include "host/controls/DragDockTypes.h"
#include "host/controls/Messages.h"
#include "host/graphics/GraphicsObjects.h"
#include "host/menus/Menu.h"

namespace host {

class TControl;
class TWinControl;
class TCanvas;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
HOST_ENUM_INFO(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
HOST_ENUM_INFO(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = Set<TAnchorKind, 4>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
HOST_ENUM_INFO(TMouseButton, mbLeft, mbRight, mbMiddle)
enum TDragMode { dmManual, dmAutomatic };
HOST_ENUM_INFO(TDragMode, dmManual, dmAutomatic)
enum TDragKind { dkDrag, dkDock };
HOST_ENUM_INFO(TDragKind, dkDrag, dkDock)

enum TControlStyleE {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
HOST_ENUM_INFO(TControlStyleE, csAcceptsControls, csCaptureMouse, csDesignInteractive,
               csClickEvents, csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth,
               csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage,
               csReflector, csActionClient, csMenuEvents)
using TControlStyle = Set<TControlStyleE, 17>;
enum TControlStateE {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
HOST_ENUM_INFO(TControlStateE, csLButtonDown, csClicked, csPalette, csReadingState,
               csAlignmentNeeded, csFocusing, csCreating, csPaintCopy, csCustomPaint,
               csDestroyingHandle, csDocking)
using TControlState = Set<TControlStateE, 11>;

using THelpContext = Integer;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
HOST_ENUM_INFO(TAlignment, taLeftJustify, taRightJustify, taCenter)
enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont, sfDesignSize };
HOST_ENUM_INFO(TScalingFlag, sfLeft, sfTop, sfWidth, sfHeight, sfFont, sfDesignSize)
using TScalingFlags = Set<TScalingFlag, 6>;
// Text drawing flags that the reading order changes.
inline constexpr LongInt DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002,
                         DT_RTLREADING = 0x20000;
/// A size limit in pixels; 0 for none.
using TConstraintSize = Integer;

using TMouseEvent =
    Closure<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = Closure<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TCanResizeEvent =
    Closure<void(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent = Closure<void(TObject* Sender, Integer& MinWidth, Integer& MinHeight,
                                             Integer& MaxWidth, Integer& MaxHeight)>;
/// The window procedure a control's messages go through (WindowProc).
using TWndMethod = Closure<void(TMessage& Message)>;

/// The smallest and largest size a control may take (0: no limit).
class TSizeConstraints : public TPersistent {
    HOST_CLASS(TSizeConstraints, TPersistent)
public:
    explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
    void Assign(TPersistent* Source) override;

    TConstraintSize GetMaxHeight() const { return FMaxHeight; }
    /// A maximum below the minimum lowers the minimum.
    void SetMaxHeight(TConstraintSize Value);
    TConstraintSize GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(TConstraintSize Value);
    TConstraintSize GetMinHeight() const { return FMinHeight; }
    /// A minimum above the maximum raises the maximum.
    void SetMinHeight(TConstraintSize Value);
    TConstraintSize GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(TConstraintSize Value);
    TControl* GetControl() const { return FControl; }
    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

protected:
    virtual void Change();

private:
    TControl* FControl;
    TConstraintSize FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
    TNotifyEvent FOnChange;
};

/// Told of each control as it is destroyed, before anything of it goes: the application lets
/// go of its hint control and main form (installed by the Forms unit).
using TControlDestroyedHook = void (*)(TControl* Control);
void SetControlDestroyedHook(TControlDestroyedHook Hook);

class TControl : public TComponent {
    HOST_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* AOwner);
    /// Leaves its parent first.
    ~TControl() override;

    // ---- place ----
    TWinControl* GetParent() const { return FParent; }
    /// Moves the control to `AParent`'s children (null: none). Raises EInvalidOperation
    /// "A control cannot have itself as its parent" for itself or one of its children.
    virtual void SetParent(TWinControl* AParent);
    Integer GetLeft() const { return FLeft; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    Integer GetTop() const { return FTop; }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    Integer GetWidth() const { return FWidth; }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    Integer GetHeight() const { return FHeight; }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    /// Moves and sizes in one step: the size is first offered to CanResize (OnCanResize) and
    /// held within the constraints; the parent then realigns and OnResize fires.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect GetBoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const TRect& Rect);
    /// The area children and drawing use, in the control's own coordinates.
    virtual TRect GetClientRect();
    Integer GetClientWidth() { return GetClientRect().Right; }
    void SetClientWidth(Integer Value);
    Integer GetClientHeight() { return GetClientRect().Bottom; }
    void SetClientHeight(Integer Value);
    /// The client area's top left on the screen.
    virtual TPoint GetClientOrigin();
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);
    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* GetConstraints() const { return FConstraints; }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
    /// First in the parent's painting order (on top) or last.
    void BringToFront();
    void SendToBack();

    // ---- state ----
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show();
    void Hide();
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    AnsiString GetText() const { return FText; }
    void SetText(const AnsiString& Value);
    AnsiString GetCaption() const { return FText; }
    void SetCaption(const AnsiString& Value) { SetText(Value); }
    /// Copies at most BufSize - 1 characters and a terminating zero; the characters copied.
    Integer GetTextBuf(char* Buffer, Integer BufSize) const;
    Integer GetTextLen() const { return Integer(FText.size()); }
    void SetTextBuf(const char* Buffer);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* GetFont() const { return FFont; }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    AnsiString GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState GetControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TDragMode GetDragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind GetDragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor GetDragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    bool GetIsControl() const { return FIsControl; }
    void SetIsControl(bool Value) { FIsControl = Value; }

    // ---- messages ----
    /// Where the control's messages go; WndProc unless replaced (a subclassing hook).
    TWndMethod GetWindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod Value) { FWindowProc = Value; }
    /// Sends the message through WindowProc; its Result.
    LongInt Perform(Cardinal Msg, LongInt WParam, LongInt LParam);
    /// Sends a prepared message through WindowProc.
    void Send(TMessage& Message);
    virtual void WndProc(TMessage& Message);

    // ---- painting ----
    /// Marks the control for painting.
    virtual void Invalidate();
    /// Paints what is marked, now.
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    /// Paints the control (not its children) onto `Canvas`, whose origin is the control's
    /// top left and whose clipping rectangle its bounds; the base paints nothing.
    virtual void PaintControl(TCanvas* Canvas);
    /// Paints on the parent's client area over all its children (what a drag in progress
    /// shows, such as a splitter's line); `Canvas` is in the parent's coordinates.
    virtual void PaintOverParent(TCanvas* /*Canvas*/) {}
    /// Whether the control shows: visible, and its parents too.
    bool IsShowing() const;

    // ---- events ----
    TNotifyEvent GetOnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }
    TNotifyEvent GetOnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = Value; }
    TMouseEvent GetOnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = Value; }
    TMouseMoveEvent GetOnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = Value; }
    TMouseEvent GetOnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = Value; }
    TNotifyEvent GetOnResize() const { return FOnResize; }
    void SetOnResize(TNotifyEvent Value) { FOnResize = Value; }
    TCanResizeEvent GetOnCanResize() const { return FOnCanResize; }
    void SetOnCanResize(TCanResizeEvent Value) { FOnCanResize = Value; }
    TConstrainedResizeEvent GetOnConstrainedResize() const { return FOnConstrainedResize; }
    void SetOnConstrainedResize(TConstrainedResizeEvent Value) { FOnConstrainedResize = Value; }

    /// Clicks the control as a mouse click does (OnClick).
    virtual void Click();

    // ---- reading order, sizing, scaling ----
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool GetParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    /// Right-to-left reading in any form, aligned to the right, with the scroll bar on the left.
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftScrollBar() const {
        return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign;
    }
    /// Text flags for the reading order: left and right swapped for right-to-left alignment,
    /// DT_RTLREADING for right-to-left reading.
    LongInt DrawTextBiDiModeFlags(LongInt Flags) const;
    LongInt DrawTextBiDiModeFlagsReadingOnly() const;
    /// The alignment of the control's contents (left; a descendant with an Alignment says).
    virtual TAlignment GetControlsAlignment() const { return taLeftJustify; }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    /// With DesktopFont the control's font is the screen's icon font.
    bool GetDesktopFont() const { return FDesktopFont; }
    void SetDesktopFont(bool Value);
    TScalingFlags GetScalingFlags() const { return FScalingFlags; }
    void SetScalingFlags(TScalingFlags Value) { FScalingFlags = Value; }
    /// Whether the control holds the mouse (its presses and moves come to it wherever).
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);
    /// The text as a zero-terminated buffer; written, the text is copied from the buffer.
    const char* GetWindowText() const { return FText.c_str(); }
    void SetWindowText(const char* Value) { SetTextBuf(Value); }
    // ---- dragging ----
    /// Starts dragging the control: now when `Immediate`, else once the mouse has moved
    /// `Threshold` pixels (the mouse's drag threshold when negative). OnStartDrag (OnStartDock
    /// for DragKind dkDock) may supply the drag object. Raises EInvalidOperation for a form
    /// dragged as anything but a dock client.
    void BeginDrag(bool Immediate, Integer Threshold = -1);
    /// Ends this control's drag: dropped where it is when `Drop`, else cancelled.
    void EndDrag(bool Drop);
    /// Whether this control is being dragged (or waits for the threshold).
    bool Dragging() const;
    /// Something dropped on the control (OnDragDrop); X, Y in its own coordinates.
    virtual void DragDrop(TObject* Source, Integer X, Integer Y);
    TStartDragEvent GetOnStartDrag() const { return FOnStartDrag; }
    void SetOnStartDrag(TStartDragEvent Value) { FOnStartDrag = Value; }
    TDragOverEvent GetOnDragOver() const { return FOnDragOver; }
    void SetOnDragOver(TDragOverEvent Value) { FOnDragOver = Value; }
    TDragDropEvent GetOnDragDrop() const { return FOnDragDrop; }
    void SetOnDragDrop(TDragDropEvent Value) { FOnDragDrop = Value; }
    TEndDragEvent GetOnEndDrag() const { return FOnEndDrag; }
    void SetOnEndDrag(TEndDragEvent Value) { FOnEndDrag = Value; }

    // ---- docking ----
    /// Moves the control into `NewDockSite` (null: no site) at `ARect`, in the site's client
    /// coordinates (the screen's without a site). A site's dock manager gives it a zone of its
    /// own beside the others and places it there instead.
    void Dock(TWinControl* NewDockSite, const TRect& ARect);
    /// Docks the control into `NewDockSite` beside `DropControl` on side `ControlSide`, as a
    /// drop there does; the old site's OnUnDock may refuse (false). A null site floats it.
    bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr,
                    TAlign ControlSide = alNone);
    /// Undocks the control into a floating window at `ScreenPos` (screen coordinates).
    bool ManualFloat(const TRect& ScreenPos);
    /// Docks this control where `Control` is docked, and `Control` into `NewDockSite`.
    bool ReplaceDockedControl(TControl* Control, TWinControl* NewDockSite, TControl* DropControl,
                              TAlign ControlSide);
    /// Whether the control is alone in a floating window of its own.
    bool GetFloating() const;
    /// The class of the window the control floats in; unless set, TCustomDockForm (a form's
    /// own class for a form: it floats as itself).
    TClass GetFloatingDockSiteClass() const;
    void SetFloatingDockSiteClass(TClass Value) { FFloatingDockSiteClass = Value; }
    TWinControl* GetHostDockSite() const { return FHostDockSite; }
    /// Docks into `Value` where the control is (null: floats it).
    void SetHostDockSite(TWinControl* Value);
    /// The sizes the control takes docked on a side or floating (0: the current one).
    Integer GetLRDockWidth() const { return FLRDockWidth > 0 ? FLRDockWidth : GetUndockWidth(); }
    void SetLRDockWidth(Integer Value) { FLRDockWidth = Value; }
    Integer GetTBDockHeight() const {
        return FTBDockHeight > 0 ? FTBDockHeight : GetUndockHeight();
    }
    void SetTBDockHeight(Integer Value) { FTBDockHeight = Value; }
    Integer GetUndockWidth() const { return FUndockWidth > 0 ? FUndockWidth : FWidth; }
    void SetUndockWidth(Integer Value) { FUndockWidth = Value; }
    Integer GetUndockHeight() const { return FUndockHeight > 0 ? FUndockHeight : FHeight; }
    void SetUndockHeight(Integer Value) { FUndockHeight = Value; }
    TDockOrientation GetDockOrientation() const { return FDockOrientation; }
    void SetDockOrientation(TDockOrientation Value) { FDockOrientation = Value; }
    TStartDockEvent GetOnStartDock() const { return FOnStartDock; }
    void SetOnStartDock(TStartDockEvent Value) { FOnStartDock = Value; }
    TEndDragEvent GetOnEndDock() const { return FOnEndDock; }
    void SetOnEndDock(TEndDragEvent Value) { FOnEndDock = Value; }

    // ---- streaming ----
    /// Colour, font and hints are written when the control has its own, not its parent's.
    bool IsColorStored() const { return !FParentColor; }
    bool IsFontStored() const { return !FParentFont; }
    bool IsShowHintStored() const { return !FParentShowHint; }
    /// Anchors are written when they differ from those the alignment gives.
    bool IsAnchorsStored() const;
    // A control's parent is its parent component.
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() override;
    bool HasParent() override { return true; }

protected:
    friend class TWinControl;
    friend class TSizeConstraints;

    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void Resize();
    /// Offers a new size to OnCanResize; false keeps the old one.
    virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
    /// The constraints' limits, as OnConstrainedResize may change them.
    virtual void ConstrainedResize(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth,
                                   Integer& MaxHeight);
    /// The new size held within the constraints.
    void ConstrainSize(Integer& NewWidth, Integer& NewHeight);
    /// The parent realigns its children (when the control is aligned or anchored).
    void RequestAlign();
    /// Remembers the distances the anchors keep, from the current bounds and parent size.
    void UpdateAnchorRules();
    /// Where the control goes in a parent whose client area is now `ParentSize`, by anchors.
    TRect AnchoredBounds(TPoint ParentSize) const;
    void ReadState(TReader* Reader) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefaultHandler(void* Message) override;
    /// The font and colour a child takes from this control.
    virtual void FontChanged(TObject* Sender);
    /// Fits the control to its content when AutoSize; the base has no content.
    virtual void AdjustSize() {}
    void CMParentBiDiModeChanged(TMessage& Message);
    void ConstraintsChanged(TObject* Sender);

    // Message handlers (the host's `message` methods).
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void WMMButtonDown(TMessage& Message);
    void WMMButtonUp(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    static const TMessageEntry Messages[];

    TWinControl* FParent = nullptr;
    TComponent* FStandInParent = nullptr; // a stand-in it was read inside, that is no window
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TPoint FAnchorRules;        // per axis: the distance or size the anchors keep
    TPoint FOriginalParentSize; // the parent's client size the rules were taken at
    TSizeConstraints* FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    AnsiString FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFont* FFont;
    bool FParentFont = true;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FAutoSize = false;
    bool FDesktopFont = false;
    TScalingFlags FScalingFlags;
    TControlState FControlState;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    bool FIsControl = false;
    bool FAnchorMove = false; // moved by the parent's alignment: the anchors keep their rules
    bool FInvalid = false;    // marked for painting
    TWndMethod FWindowProc;

    // ---- actions ----
public:
    TBasicAction* GetAction() const;
    /// Follows `Value` from now on (null: none): the control takes the action's Caption,
    /// Enabled, Hint, Visible and OnExecute as its OnClick (and a windowed control its
    /// HelpContext), and keeps following them while they show the action's values.
    void SetAction(TBasicAction* Value);
    /// Lets the action update itself (its OnUpdate) for the control.
    void InitiateAction();
    /// A property that shows its action's value is the action's to store, not the form's.
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;

protected:
    TControlActionLink* GetActionLink() const { return FActionLink; }
    /// Takes `Value` over (from the control that held it, if any) and frees the link it
    /// replaces; the link then serves this control. `Value` must be a live link or null.
    void SetActionLink(TControlActionLink* Value);
    /// The link a new action gets; a windowed control's also follows HelpContext.
    virtual TControlActionLink* CreateActionLink();
    /// The action changed: the control takes its values (only those still at their defaults
    /// while `CheckDefaults`, as when a form is read).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    /// A hint about to show: the action may change it or refuse it.
    void CMHintShow(TMessage& Message);

    TControlActionLink* FActionLink = nullptr;
    // ---- dragging ----
    friend struct DragAccess;
    friend class TBaseDragControlObject;
    friend class TDragDockObject;
    virtual void DoStartDrag(TDragObject*& DragObject);
    /// Whether the control takes what is dragged over it: OnDragOver decides, and a control
    /// without a handler refuses.
    virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
    /// The drag of this control was cancelled.
    virtual void DragCanceled() {}
    /// A left press with DragMode dmAutomatic starts a drag and goes no further (true).
    bool AutoDragMessage(TMessage& Message);
    void CMDrag(TMessage& Message);
    TStartDragEvent FOnStartDrag;
    TDragOverEvent FOnDragOver;
    TDragDropEvent FOnDragDrop;
    TEndDragEvent FOnEndDrag;

    // ---- docking ----
    virtual void DoStartDock(TDragDockObject*& DragObject);
    virtual void DoEndDock(TObject* Target, Integer X, Integer Y);
    /// CM_DRAG of a docking drag; only dock sites (TWinControl) answer.
    virtual void DockDragMessage(TMessage& /*Message*/) {}
    /// A new window of FloatingDockSiteClass at `Bounds` (screen), for the control to float in.
    TWinControl* CreateFloatingDockSite(const TRect& Bounds);
    TWinControl* FHostDockSite = nullptr;
    TClass FFloatingDockSiteClass = nullptr;
    Integer FLRDockWidth = 0, FTBDockHeight = 0, FUndockWidth = 0, FUndockHeight = 0;
    TDockOrientation FDockOrientation = doNoOrient;
    TStartDockEvent FOnStartDock;
    TEndDragEvent FOnEndDock;

private:
    bool Linked(bool (TControlActionLink::*IsLinked)()) const;
    void MouseButton(TMessage& Message, TMouseButton Button, bool Down);

    TNotifyEvent FOnClick, FOnDblClick, FOnResize;
    TMouseEvent FOnMouseDown, FOnMouseUp;
    TMouseMoveEvent FOnMouseMove;
    TCanResizeEvent FOnCanResize;
    TConstrainedResizeEvent FOnConstrainedResize;
};

/// The shift state of a mouse message's WParam (MK_* flags) with Alt from the keyboard.
TShiftState KeysToShiftState(LongInt Keys);

} // namespace host
