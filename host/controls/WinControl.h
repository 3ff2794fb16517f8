// TWinControl: a control with a window of its own (a headless handle), which holds child
// controls, aligns and anchors them, paints them over its background and takes keys.
#pragma once

#include "host/controls/Control.h"
#include "host/system/Interfaces.h"

#include <memory>
#include <vector>

namespace host {

class TBrush;
class TPixelSurface;

using HWND = THandle;
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
HOST_ENUM_INFO(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
HOST_ENUM_INFO(TBevelEdge, beLeft, beTop, beRight, beBottom)
using TBevelEdges = Set<TBevelEdge, 4>;
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
HOST_ENUM_INFO(TBevelKind, bkNone, bkTile, bkSoft, bkFlat)
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
HOST_ENUM_INFO(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata,
               imKata, imChinese, imSHanguel, imHanguel)
using TImeName = AnsiString;
inline constexpr Integer WHEEL_DELTA = 120;

using TMouseWheelEvent = Closure<void(TObject* Sender, TShiftState Shift, Integer WheelDelta,
                                      TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    Closure<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = Closure<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = Closure<void(TObject* Sender, char& Key)>;

class TWinControl : public TControl {
    HOST_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* AOwner);
    /// Frees its children's windows with its own; the children themselves go with their owner.
    ~TWinControl() override;

    // ---- children ----
    /// Children in painting order (graphic controls first, then windowed ones; each group
    /// bottom to top).
    TControl* GetControls(Integer Index) const;
    Integer GetControlCount() const { return Integer(FControls.size() + FWinControls.size()); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    /// Whether `Control` is this control or one of its children, at any depth.
    bool ContainsControl(TControl* Control) const;
    /// The topmost visible child under `Pos` (client coordinates), enabled unless
    /// `AllowDisabled`; windowed children only with `AllowWinControls`.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    /// The child named `ControlName` (ignoring case), at any depth; null when none.
    TControl* FindChildControl(const AnsiString& ControlName) const;
    /// Sends `Message` to every child, stopping at the first that answers (Result != 0).
    void Broadcast(TMessage& Message);

    // ---- look: 3-D, bevels, buffering, input method ----
    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool GetParentCtl3D() const { return FParentCtl3D; }
    /// Written when the control has its own, not its parent's.
    bool IsCtl3DStored() const { return !FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    TBevelEdges GetBevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges Value);
    TBevelCut GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    /// With a kind other than bkNone the bevels frame the window, outside its client area.
    TBevelKind GetBevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    Integer GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer Value);
    bool GetDoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    TImeMode GetImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode Value) { FImeMode = Value; }
    TImeName GetImeName() const { return FImeName; }
    void SetImeName(const TImeName& Value) { FImeName = Value; }
    /// A window of another program this control lives in (CreateParented); 0 for none.
    HWND GetParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    /// The handle as it is (0 until made); written, the control takes that window's id.
    HWND GetWindowHandle() const { return FHandle; }
    void SetWindowHandle(HWND Value);
    /// The window procedure messages go to after the control's (the platform's): an address.
    void* GetDefWndProc() const { return FDefWndProc; }
    void SetDefWndProc(void* Value) { FDefWndProc = Value; }
    Integer GetWheelAccumulator() const { return FWheelAccumulator; }
    void SetWheelAccumulator(Integer Value) { FWheelAccumulator = Value; }
    /// Mirrors the children's places left to right (and theirs, with AllLevels).
    void FlipChildren(bool AllLevels);
    /// Scales the control and its children (places, sizes, fonts) by M / D.
    void ScaleBy(Integer M, Integer D);
    /// Hands a wheel message to the control's form first, as the host does.
    void MouseWheelHandler(TMessage& Message);
    /// Brings what shows of the control (its children's windows) up to date.
    void UpdateControlState();
    /// A control of `Class` inside the foreign window `ParentWindow`.
    static TWinControl* CreateParentedControl(TClass Class, HWND ParentWindow);
    TMouseWheelEvent GetOnMouseWheel() const { return FOnMouseWheel; }
    void SetOnMouseWheel(TMouseWheelEvent Value) { FOnMouseWheel = Value; }
    TMouseWheelUpDownEvent GetOnMouseWheelDown() const { return FOnMouseWheelDown; }
    void SetOnMouseWheelDown(TMouseWheelUpDownEvent Value) { FOnMouseWheelDown = Value; }
    TMouseWheelUpDownEvent GetOnMouseWheelUp() const { return FOnMouseWheelUp; }
    void SetOnMouseWheelUp(TMouseWheelUpDownEvent Value) { FOnMouseWheelUp = Value; }

    // ---- scrolling ----
    /// Moves every child by the deltas, as scrolling the window's content does (their
    /// alignment and anchors are not asked).
    void ScrollBy(Integer DeltaX, Integer DeltaY);

    // ---- alignment ----
    /// Places the children again by Align and Anchors.
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel > 0; }

    // ---- the window ----
    /// The headless window handle, made when first asked for.
    HWND GetHandle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded() { GetHandle(); }
    /// Lets go of the window (and its children's); the control stays.
    void DestroyHandle();
    bool GetShowing() const { return IsShowing(); }
    TBrush* GetBrush() const { return FBrush; }
    /// The client area within the window: the non-client border on each side (the bevels'
    /// edges where they frame the window).
    virtual TRect GetNonClientInsets() { return BevelInsets(); }
    /// A scroll bar of the window's own, in its non-client area, as the platform keeps one:
    /// where it sits (window coordinates) and its range, page and position.
    struct TWindowScrollBar {
        TRect Bar;
        Integer Min = 0, Max = 0, Page = 0, Position = 0;
        bool Enabled = true;
    };
    /// The window's vertical or horizontal bar, if it shows one; the mouse on it scrolls the
    /// window with WM_VSCROLL and WM_HSCROLL, as on the platform.
    virtual bool GetWindowScrollBar(bool Vertical, TWindowScrollBar& Bar) {
        (void)Vertical, (void)Bar;
        return false;
    }
    TRect BevelInsets() const;
    TRect GetClientRect() override;
    TPoint GetClientOrigin() override;
    Integer GetTabOrder() const;
    void SetTabOrder(Integer Value);
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    THelpContext GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
    Integer GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);

    // ---- painting ----
    /// Paints the control and its children onto `DC` with the control's top left at (X, Y).
    void PaintTo(HDC DC, Integer X, Integer Y);
    void PaintTo(TCanvas* Canvas, Integer X, Integer Y);
    void Invalidate() override;
    void Update() override;
    /// Paints the window's background and its own content (not its children) onto `Canvas`:
    /// the background in the brush's colour, then PaintWindow.
    void PaintControl(TCanvas* Canvas) override;

    // ---- focus ----
    /// Visible and enabled, and its parents too.
    bool CanFocus() const;
    bool Focused() const;
    /// Gives the control the keyboard: through its form when it has one (OnExit and OnEnter
    /// along the way). Raises EInvalidOperation "Cannot focus a disabled or invisible window".
    virtual void SetFocus();
    TNotifyEvent GetOnEnter() const { return FOnEnter; }
    void SetOnEnter(TNotifyEvent Value) { FOnEnter = Value; }
    TNotifyEvent GetOnExit() const { return FOnExit; }
    void SetOnExit(TNotifyEvent Value) { FOnExit = Value; }
    /// The windowed children in tab order, depth first (a child's children after it).
    void GetTabOrderList(std::vector<TWinControl*>& List);
    /// The next (or previous) control after `CurControl` in tab order that can take the focus
    /// (with TabStop when `CheckTabStop`); null when there is none.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    /// Moves the focus to that control.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    /// The outermost windowed parent (a form), or the control itself.
    TWinControl* GetTopLevel();

    // ---- keys ----
    TKeyEvent GetOnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = Value; }
    TKeyPressEvent GetOnKeyPress() const { return FOnKeyPress; }
    void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = Value; }
    TKeyEvent GetOnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = Value; }

    // ---- docking ----
    /// Whether controls dock into this control when dragged over it.
    bool GetDockSite() const { return FDockSite; }
    void SetDockSite(bool Value);
    /// Whether a dock manager (a TDockTree) lays the docked controls out.
    bool GetUseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool Value);
    IDockManager* GetDockManager() const { return FDockManager.get(); }
    void SetDockManager(IDockManager* Value);
    Integer GetDockClientCount() const { return Integer(FDockClients.size()); }
    /// The controls docked here, in the order they docked.
    TControl* GetDockClients(Integer Index) const;
    /// Docks what `Source` drags here (the dock manager places it), then OnDockDrop.
    virtual void DockDrop(TDragDockObject* Source, Integer X, Integer Y);
    /// Where `Client` may dock (`InfluenceRect`, screen) and whether it may (OnGetSiteInfo).
    virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos,
                             bool& CanDock);
    TDockDropEvent GetOnDockDrop() const { return FOnDockDrop; }
    void SetOnDockDrop(TDockDropEvent Value) { FOnDockDrop = Value; }
    TDockOverEvent GetOnDockOver() const { return FOnDockOver; }
    void SetOnDockOver(TDockOverEvent Value) { FOnDockOver = Value; }
    TGetSiteInfoEvent GetOnGetSiteInfo() const { return FOnGetSiteInfo; }
    void SetOnGetSiteInfo(TGetSiteInfoEvent Value) { FOnGetSiteInfo = Value; }
    TUnDockEvent GetOnUnDock() const { return FOnUnDock; }
    void SetOnUnDock(TUnDockEvent Value) { FOnUnDock = Value; }

protected:
    friend class TControl;

    /// Places the children: aligned ones in the order top, bottom, left, right, client,
    /// custom (`AControl` first within its kind), then the anchored ones.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    /// The part of the client area the aligned children share.
    virtual void AdjustClientRect(TRect& Rect);
    void AlignControl(TControl* AControl);
    void SetZOrder(TControl* AControl, bool Topmost);
    void InvalidateChild(TControl* AControl);
    /// The window's own content, over its background; the base paints nothing.
    virtual void PaintWindow(TCanvas* /*Canvas*/) {}
    /// The border and whatever else lies outside the client area (the bevels).
    virtual void PaintNonClient(TCanvas* Canvas) { PaintBevels(Canvas); }
    /// The sunken edge of a bordered window (an edit, a list, a grid) inside the bevels: its
    /// width, 2 pixels in 3D and 1 flat, and its painting, which answers what lies within.
    Integer ClientEdgeWidth() const { return FCtl3D ? 2 : 1; }
    TRect PaintClientEdge(TCanvas* Canvas);
    /// What shows over the children in the client area (an MDI form's child windows).
    virtual void PaintOverChildren(HDC /*ClientDC*/) {}
    /// Sends `Msg` to every child (a notification that the parent changed).
    void NotifyControls(Cardinal Msg);
    void Loaded() override;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, Integer Order) override;

    virtual void DoEnter();
    virtual void DoExit();
    /// OnMouseWheel, then OnMouseWheelDown or OnMouseWheelUp; true when one handled it.
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    void WMMouseWheel(TMessage& Message);
    void CMMouseWheel(TMessage& Message);
    void CMParentCtl3DChanged(TMessage& Message);
    /// The bevels' edges round the window.
    void PaintBevels(TCanvas* Canvas);
    /// A child of this top-level window got the focus (the form moves its active control).
    virtual void ChildFocused(TWinControl* /*Control*/) {}
    /// Whether this top-level window sees its children's keys first (a form's KeyPreview).
    virtual bool PreviewsKeys() const { return false; }
    /// A top-level window's shortcuts (a form's menu, action lists and OnShortCut); true when
    /// one took the key.
    virtual bool IsShortCutKey(TWMKey& /*Message*/) { return false; }
    /// A key the focused control's popup menus or its window take as a shortcut.
    bool IsMenuKey(TWMKey& Message);
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    /// The key messages turned into events; true when an event took the key (set it to 0).
    bool DoKeyDown(TWMKey& Message);
    bool DoKeyPress(TWMKey& Message);
    bool DoKeyUp(TWMKey& Message);

    /// The keys the window's loop offers a control before it sees them (shortcuts, dialog
    /// keys and dialog characters): Result 1 when one was taken.
    void CNKeyDown(TMessage& Message);
    void CNChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMDialogMessage(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMShowHintChanged(TMessage& Message);
    void CMBiDiModeChanged(TMessage& Message);
    static const TMessageEntry Messages[];

    std::vector<TControl*> FControls;       // graphic children, bottom to top
    std::vector<TWinControl*> FWinControls; // windowed children, bottom to top (tab order too)
    std::vector<TWinControl*> FTabList;
    HWND FHandle = 0;
    TBrush* FBrush;
    Integer FAlignLevel = 0;
    bool FTabStop = false;
    THelpContext FHelpContext = 0;
    Integer FBorderWidth = 0;
    bool FCtl3D = true, FParentCtl3D = true;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    TBevelCut FBevelInner = bvRaised, FBevelOuter = bvRaised;
    TBevelKind FBevelKind = bkNone;
    Integer FBevelWidth = 1;
    bool FDoubleBuffered = false;
    TImeMode FImeMode = imDontCare;
    TImeName FImeName;
    HWND FParentWindow = 0;
    void* FDefWndProc = nullptr;
    Integer FWheelAccumulator = 0;
    TMouseWheelEvent FOnMouseWheel;
    TMouseWheelUpDownEvent FOnMouseWheelDown, FOnMouseWheelUp;

    // ---- actions ----
public:
    /// HelpContext is the action's to store while it shows the action's.
    bool IsHelpContextStored() const;

protected:
    /// A TWinControlActionLink, which also follows HelpContext.
    TControlActionLink* CreateActionLink() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

    // ---- docking ----
    /// Whether the site takes what is dragged over it to dock: yes unless OnDockOver refuses.
    virtual void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State,
                          bool& Accept);
    /// Whether `Client` may leave for `NewTarget` (null: floating), as OnUnDock decides.
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);
    /// `Client` comes in at `ARect` (client coordinates) or leaves the docked controls.
    virtual void DoAddDockClient(TControl* Client, const TRect& ARect);
    virtual void DoRemoveDockClient(TControl* Client);
    /// `Client` has gone elsewhere (a floating window left empty closes).
    virtual void DockClientLeft(TControl* /*Client*/) {}
    virtual IDockManager* CreateDockManager();
    void DockDragMessage(TMessage& Message) override;
    std::vector<TControl*> FDockClients;
    bool FDockSite = false;
    bool FUseDockManager = false;
    ComPtr<IDockManager> FDockManager;
    TDockDropEvent FOnDockDrop;
    TDockOverEvent FOnDockOver;
    TGetSiteInfoEvent FOnGetSiteInfo;
    TUnDockEvent FOnUnDock;

private:
    /// Paints the control, its children and its non-client part into `Surface`, whose
    /// top left is the control's.
    void PaintTree(std::shared_ptr<TPixelSurface> Surface);

    TKeyEvent FOnKeyDown, FOnKeyUp;
    TKeyPressEvent FOnKeyPress;
    TNotifyEvent FOnEnter, FOnExit;
};

/// The window that has the keyboard (0 for none), and giving it to another: WM_KILLFOCUS to
/// the old window's control, then WM_SETFOCUS to the new one's. Returns the old window.
HWND GetFocus();
HWND SetFocus(HWND Window);

/// The control whose window `Handle` is; null for none.
TWinControl* FindControl(HWND Handle);

} // namespace host
