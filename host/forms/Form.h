// Forms: TScrollingWinControl with its scroll bars, TCustomForm and TForm (a top-level window
// with a caption bar, a border by BorderStyle and a menu bar, shown, hidden and closed with
// its events), and TDataModule (a form without a window, for non-visual components).
#pragma once

#include "host/controls/CustomControls.h"

#include <vector>

namespace host {

class TMainMenu;
class TMenuItem;
class TMonitor;
class TBitmap;
class TIcon;

enum TScrollBarKind { sbHorizontal, sbVertical };
HOST_ENUM_INFO(TScrollBarKind, sbHorizontal, sbVertical)
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
HOST_ENUM_INFO(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow,
               bsSizeToolWin)
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
HOST_ENUM_INFO(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = Set<TBorderIcon, 4>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
HOST_ENUM_INFO(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
               poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
HOST_ENUM_INFO(TWindowState, wsNormal, wsMinimized, wsMaximized)
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
HOST_ENUM_INFO(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
enum TCloseAction { caNone, caHide, caFree, caMinimize };
HOST_ENUM_INFO(TCloseAction, caNone, caHide, caFree, caMinimize)
enum TPrintScale { poNone, poProportional, poPrintToFit };
HOST_ENUM_INFO(TPrintScale, poNone, poProportional, poPrintToFit)
enum TTileMode { tbHorizontal, tbVertical };
HOST_ENUM_INFO(TTileMode, tbHorizontal, tbVertical)
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
HOST_ENUM_INFO(TDefaultMonitor, dmDesktop, dmPrimary, dmMainForm, dmActiveForm)
enum TFormStateE { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
HOST_ENUM_INFO(TFormStateE, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild,
               fsActivated)
using TFormState = Set<TFormStateE, 6>;
using THelpEvent = Closure<bool(Word Command, LongInt Data, bool& CallHelp)>;

using TModalResult = Integer;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                              mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                              mrYesToAll = 10;

using TCloseEvent = Closure<void(TObject* Sender, TCloseAction& Action)>;
using TShortCutEvent = Closure<void(TWMKey& Msg, bool& Handled)>;
using TCloseQueryEvent = Closure<void(TObject* Sender, bool& CanClose)>;

enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };
HOST_ENUM_INFO(TScrollBarStyle, ssRegular, ssFlat, ssHotTrack)
using TScrollBarInc = Integer; // 1 to 32767

class TScrollingWinControl;

/// One of a scrolling control's scroll bars: the range scrolled over (the extent of the
/// control's content), the position within it, and the bar's look.
class TControlScrollBar : public TPersistent {
    HOST_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind)
        : FControl(Control), FKind(Kind) {}
    void Assign(TPersistent* Source) override;
    TScrollBarKind GetKind() const { return FKind; }
    /// The content's extent; the bar shows while it is larger than the control's client area.
    Integer GetRange() const { return FRange; }
    void SetRange(Integer Value);
    /// Within 0 to Range minus the client extent; the content moves with it.
    Integer GetPosition() const { return FPosition; }
    void SetPosition(Integer Value);
    /// The position while the bar shows, else 0.
    Integer GetScrollPos() const { return IsScrollBarVisible() ? FPosition : 0; }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    TScrollBarInc GetIncrement() const { return FIncrement; }
    void SetIncrement(TScrollBarInc Value);
    bool GetTracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    Integer GetButtonSize() const { return FButtonSize; }
    void SetButtonSize(Integer Value) { FButtonSize = Value < 0 ? 0 : Value; }
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    Word GetMargin() const { return FMargin; }
    void SetMargin(Word Value) { FMargin = Value; }
    Integer GetSize() const { return FSize; }
    void SetSize(Integer Value);
    bool GetSmooth() const { return FSmooth; }
    void SetSmooth(bool Value) { FSmooth = Value; }
    TScrollBarStyle GetStyle() const { return FStyle; }
    void SetStyle(TScrollBarStyle Value);
    Integer GetThumbSize() const { return FThumbSize; }
    void SetThumbSize(Integer Value) { FThumbSize = Value < 0 ? 0 : Value; }
    /// Whether the bar shows: visible and the range past the client extent.
    bool IsScrollBarVisible() const;
    /// A horizontal bar starts at the reading order's start (left to right: 0).
    void ChangeBiDiPosition();
    /// The bar's thickness on the screen (Size, else the platform's 16).
    Integer Thickness() const { return FSize > 0 ? FSize : 16; }
    /// A scroll code from the bar (WM_HSCROLL, WM_VSCROLL): arrows by Increment, the track
    /// by most of a page, the thumb while it moves only with Tracking.
    void ScrollMessage(Word Code, Integer Pos);

private:
    friend class TScrollingWinControl;
    /// The control's client extent along the bar, without its scroll bars.
    Integer ControlExtent() const;

    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    Integer FRange = 0, FPosition = 0;
    TScrollBarInc FIncrement = 8;
    bool FVisible = true, FTracking = false, FSmooth = false, FParentColor = true;
    Integer FButtonSize = 0, FSize = 0, FThumbSize = 0;
    TColor FColor = clBtnHighlight;
    Word FMargin = 0;
    TScrollBarStyle FStyle = ssRegular;
};

class TScrollingWinControl : public TWinControl {
    HOST_CLASS(TScrollingWinControl, TWinControl)
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    /// With AutoScroll the ranges follow the children's extent.
    bool GetAutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar; }
    void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
    TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar; }
    void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
    void DisableAutoRange() { ++FAutoRangeCount; }
    void EnableAutoRange();
    /// Scrolls so that `AControl` (a child at any depth) shows whole, where it can.
    void ScrollInView(TControl* AControl);
    /// The scroll bars that show lie inside the border.
    TRect GetNonClientInsets() override;
    /// The ranges as the children's extent (AutoScroll).
    void CalcAutoRange();
    bool GetWindowScrollBar(bool Vertical, TWindowScrollBar& Bar) override;
    void DefaultHandler(void* Message) override;

protected:
    friend class TControlScrollBar;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void PaintNonClient(TCanvas* Canvas) override;
    /// The border inside the window before the scroll bars (a scroll box's, a form's frame).
    virtual TRect GetBorderInsets() { return {0, 0, 0, 0}; }
    /// The scroll bars where they show, in window coordinates.
    void PaintScrollBars(TCanvas* Canvas);

    bool FAutoScroll = true;
    Integer FAutoRangeCount = 0;
    bool FInAutoRange = false;
    TControlScrollBar* FHorzScrollBar;
    TControlScrollBar* FVertScrollBar;
};

/// A scrolling container for controls, with a sunken border.
class TScrollBox : public TScrollingWinControl {
    HOST_CLASS(TScrollBox, TScrollingWinControl)
public:
    explicit TScrollBox(TComponent* AOwner);
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    /// bsNone or bsSingle.
    void SetBorderStyle(TFormBorderStyle Value);

protected:
    TRect GetBorderInsets() override;
    void PaintNonClient(TCanvas* Canvas) override;

private:
    TFormBorderStyle FBorderStyle = bsSingle;
};

class TCustomForm : public TScrollingWinControl {
    HOST_CLASS(TCustomForm, TScrollingWinControl)
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // ---- the window ----
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TMainMenu* GetMenu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState GetWindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value) { FWindowState = Value; }
    TFormStyle GetFormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value) { FFormStyle = Value; }
    bool GetKeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    Integer GetPixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }
    bool GetScaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    bool GetOldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
    TPrintScale GetPrintScale() const { return FPrintScale; }
    void SetPrintScale(TPrintScale Value) { FPrintScale = Value; }
    AnsiString GetHelpFile() const { return FHelpFile; }
    void SetHelpFile(const AnsiString& Value) { FHelpFile = Value; }
    TWinControl* GetActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Value);
    bool GetActive() const { return FActive; }
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TCanvas* GetCanvas() const { return FCanvas; }
    /// While the form is read its client size waits for the menu bar (a reference resolved
    /// at the end), so that the size the file gave is the one the form has.
    void SetClientWidth(Integer Value);
    void SetClientHeight(Integer Value);
    /// Forms store their client size when they do not scroll, else their whole size.
    bool IsClientSizeStored() const { return !IsFormSizeStored(); }
    bool IsFormSizeStored() const;

    /// The root properties the form file gave this form, in its order (the loader passes
    /// them). The host's versions differ in what a form file holds for a form: its whole or
    /// its client size, its colour and font when they are the defaults, OldCreateOrder,
    /// PixelsPerInch and TextHeight. A form read from a file writes those back as the file had
    /// them (and any that changed); a form made here writes them as the host does now.
    void SetStreamedProperties(std::vector<AnsiString> Names);
    bool IsLeftStored() const { return AsRead("Left", FLeft, FAsLoaded.Left); }
    bool IsTopStored() const { return AsRead("Top", FTop, FAsLoaded.Top); }
    bool IsWidthStored() const;
    bool IsHeightStored() const;
    bool IsClientWidthStored() const;
    bool IsClientHeightStored() const;
    bool IsFormColorStored() const;
    bool IsFormFontStored() const;
    bool IsOldCreateOrderStored() const;

    // ---- more of the window ----
    TIcon* GetIcon() const { return FIcon; }
    void SetIcon(TIcon* Value);
    TFormState GetFormState() const;
    TDefaultMonitor GetDefaultMonitor() const { return FDefaultMonitor; }
    void SetDefaultMonitor(TDefaultMonitor Value) { FDefaultMonitor = Value; }
    /// The screen's one monitor.
    TMonitor* GetMonitor() const;
    /// The designer working on the form (an interface pointer), and the OLE members a form
    /// keeps for its container; headless, plain stores.
    void* GetDesigner() const { return FDesigner; }
    void SetDesigner(void* Value) { FDesigner = Value; }
    void* GetDropTarget() const { return FDropTarget; }
    void SetDropTarget(void* Value) { FDropTarget = Value; }
    void* GetOleFormObject() const { return FOleFormObject; }
    void SetOleFormObject(void* Value) { FOleFormObject = Value; }
    TWinControl* GetActiveOleControl() const { return FActiveOleControl; }
    void SetActiveOleControl(TWinControl* Value) { FActiveOleControl = Value; }
    TMenuItem* GetObjectMenuItem() const { return FObjectMenuItem; }
    void SetObjectMenuItem(TMenuItem* Value) { FObjectMenuItem = Value; }
    THelpEvent GetOnHelp() const { return FOnHelp; }
    void SetOnHelp(THelpEvent Value) { FOnHelp = Value; }
    /// Whether `Child` may keep a key for itself (the base: no).
    virtual bool WantChildKey(TControl* Child, TMessage& Message);
    /// Ends what the mouse was doing (a capture, a drag) for a form losing its turn.
    void SendCancelMode(TControl* Sender);
    /// The form's picture on a printer page (PrintScale deciding its size): a page added to
    /// PrintedPages.
    void Print();

    // ---- MDI ----
    /// The MDI client window of an MDI frame form (fsMDIForm); 0 for others.
    HWND GetClientHandle();
    TCustomForm* GetActiveMDIChild() const;
    Integer GetMDIChildCount() const;
    TCustomForm* GetMDIChildren(Integer I) const;
    TTileMode GetTileMode() const { return FTileMode; }
    void SetTileMode(TTileMode Value) { FTileMode = Value; }
    TMenuItem* GetWindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* Value) { FWindowMenu = Value; }
    /// The MDI children: one over another, offset by a caption bar each.
    void Cascade();
    /// Side by side (tbVertical) or one above another (tbHorizontal), sharing the client area.
    void Tile();
    /// The minimised children in a row along the bottom.
    void ArrangeIcons();
    /// Activates the next (previous) MDI child.
    void Next();
    void Previous();

    // ---- focus ----
    /// Moves the focus within the form to `Control`: OnExit up from the control that had it,
    /// OnEnter down to the new one, in the host's order. False when `Control` is not the
    /// form's.
    bool SetFocusedControl(TWinControl* Control);
    /// Makes `Control` the active control and gives it the keyboard when the form is active.
    void FocusControl(TWinControl* Control);
    /// Lets `Control` (about to go) lose the focus: the form's active control is cleared, or
    /// moved to its parent when `Removing` is false.
    void DefocusControl(TWinControl* Control, bool Removing);

    /// A shortcut key: OnShortCut first, then the form's menu, then its action lists.
    bool IsShortCut(TWMKey& Message);
    TShortCutEvent GetOnShortCut() const { return FOnShortCut; }
    void SetOnShortCut(TShortCutEvent Value) { FOnShortCut = Value; }

    // ---- showing and closing ----
    void Show();
    void Hide();
    /// Shows the form modally: the modal hook acts on it, then its ModalResult is returned
    /// (mrCancel when nothing closed it).
    TModalResult ShowModal();
    /// Asks OnCloseQuery, then OnClose decides what closing does (hide, free, minimise, none).
    void Close();
    /// Whether the form and its child forms agree to close (OnCloseQuery).
    virtual bool CloseQuery();
    /// Frees the form once its messages are handled.
    void Release();

    /// The form with its frame, caption and menu bar as a bitmap the caller frees.
    TBitmap* GetFormImage();
    /// Paints the form (its frame too) onto `Canvas` at (X, Y).
    void PaintWindowTo(TCanvas* Canvas, Integer X, Integer Y);

    // ---- events ----
    TNotifyEvent GetOnCreate() const { return FOnCreate; }
    void SetOnCreate(TNotifyEvent Value) { FOnCreate = Value; }
    TNotifyEvent GetOnDestroy() const { return FOnDestroy; }
    void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = Value; }
    TNotifyEvent GetOnShow() const { return FOnShow; }
    void SetOnShow(TNotifyEvent Value) { FOnShow = Value; }
    TNotifyEvent GetOnHide() const { return FOnHide; }
    void SetOnHide(TNotifyEvent Value) { FOnHide = Value; }
    TNotifyEvent GetOnActivate() const { return FOnActivate; }
    void SetOnActivate(TNotifyEvent Value) { FOnActivate = Value; }
    TNotifyEvent GetOnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = Value; }
    TNotifyEvent GetOnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent Value) { FOnPaint = Value; }
    TCloseEvent GetOnClose() const { return FOnClose; }
    void SetOnClose(TCloseEvent Value) { FOnClose = Value; }
    TCloseQueryEvent GetOnCloseQuery() const { return FOnCloseQuery; }
    void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = Value; }

    /// What ShowModal lets act on a modal form (type, click, close) before it returns.
    using TModalHook = void (*)(TCustomForm* Form, void* Data);
    static void SetModalHook(TModalHook Hook, void* Data);

    /// OnCreate once constructed, OnDestroy before destruction (not while designing).
    void AfterConstruction() override;
    void BeforeDestruction() override;

protected:
    void DefineProperties(TFiler* Filer) override;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void PaintWindow(TCanvas* Canvas) override;
    void PaintNonClient(TCanvas* Canvas) override;
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Paint();
    void ChildFocused(TWinControl* Control) override;
    bool PreviewsKeys() const override { return FKeyPreview; }
    /// The application's OnShortCut first, then the form's shortcuts.
    bool IsShortCutKey(TWMKey& Message) override;
    void PaintOverChildren(HDC ClientDC) override;
    /// Where Position and WindowState put a form that is shown.
    void PlaceOnShow();
    /// The frame, the caption bar and the menu bar.
    TRect GetBorderInsets() override;
    void CMTextChanged(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    static const TMessageEntry Messages[];

    TWinControl* FFocusedControl = nullptr; // the form's control that has the keyboard
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TMainMenu* FMenu = nullptr;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    Integer FPixelsPerInch = 96;
    Integer FTextHeight = 13;
    bool FScaled = true;
    bool FOldCreateOrder = false;
    TPrintScale FPrintScale = poProportional;
    AnsiString FHelpFile;
    TWinControl* FActiveControl = nullptr;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    TControlCanvas* FCanvas;
    TIcon* FIcon;
    TDefaultMonitor FDefaultMonitor = dmActiveForm;
    void* FDesigner = nullptr;
    void* FDropTarget = nullptr;
    void* FOleFormObject = nullptr;
    TWinControl* FActiveOleControl = nullptr;
    TMenuItem* FObjectMenuItem = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    TTileMode FTileMode = tbHorizontal;
    TWinControl* FMDIClient = nullptr;
    bool FModal = false;
    bool FShowing = false;
    TRect FNormalBounds{}; // the bounds to restore from a maximised state
    THelpEvent FOnHelp;
    bool FCreated = false;
    bool FReadingLayout = false; // reading the class's own layout (fsCreating)
    bool FFromFile = false;
    std::vector<AnsiString> FStreamed;
    Integer FPendingClientWidth = -1, FPendingClientHeight = -1;
    /// The values as the file left them, for "written when the file had it or it changed".
    struct {
        Integer Left = 0, Top = 0, Width = 0, Height = 0, ClientWidth = 0, ClientHeight = 0;
        TColor Color;
        bool OldCreateOrder = false;
        Integer PixelsPerInch = 96, TextHeight = 13;
        TFont* Font = nullptr;
    } FAsLoaded;

private:
    bool Streamed(const char* Name) const;
    bool AsRead(const char* Name, Integer Now, Integer Loaded) const;
    bool SizeStored(const char* Name, bool Whole, Integer Now, Integer Loaded) const;
    void ReadPixelsPerInch(TReader* Reader);
    void WritePixelsPerInch(TWriter* Writer);
    void ReadTextHeight(TReader* Reader);
    void WriteTextHeight(TWriter* Writer);
    TNotifyEvent FOnCreate, FOnDestroy, FOnShow, FOnHide, FOnActivate, FOnDeactivate, FOnPaint;
    TCloseEvent FOnClose;
    TCloseQueryEvent FOnCloseQuery;
    TShortCutEvent FOnShortCut;
};

class TForm : public TCustomForm {
    HOST_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

/// The pages Print made, oldest first (the headless printer keeps them); and forgetting them.
std::vector<TBitmap*>& PrintedPages();
void ClearPrintedPages();

enum TActiveFormBorderStyle { afbNone, afbSingle, afbSunken, afbRaised };
HOST_ENUM_INFO(TActiveFormBorderStyle, afbNone, afbSingle, afbSunken, afbRaised)

/// A form hosting an ActiveX control's surface in a container: no frame or caption of its
/// own, a border as AxBorderStyle says.
class TCustomActiveForm : public TCustomForm {
    HOST_CLASS(TCustomActiveForm, TCustomForm)
public:
    explicit TCustomActiveForm(TComponent* AOwner);
    TActiveFormBorderStyle GetAxBorderStyle() const { return FAxBorderStyle; }
    void SetAxBorderStyle(TActiveFormBorderStyle Value);

private:
    TActiveFormBorderStyle FAxBorderStyle = afbNone;
};

/// A designer's container for non-visual components: no window, a place on the designer.
class TDataModule : public TComponent {
    HOST_CLASS(TDataModule, TComponent)
public:
    explicit TDataModule(TComponent* AOwner);
    ~TDataModule() override;
    TPoint GetDesignOffset() const { return FDesignOffset; }
    void SetDesignOffset(TPoint Value) { FDesignOffset = Value; }
    TPoint GetDesignSize() const { return FDesignSize; }
    void SetDesignSize(TPoint Value) { FDesignSize = Value; }
    bool GetOldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
    TNotifyEvent GetOnCreate() const { return FOnCreate; }
    void SetOnCreate(TNotifyEvent Value) { FOnCreate = Value; }
    TNotifyEvent GetOnDestroy() const { return FOnDestroy; }
    void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = Value; }
    /// The root properties its form file gave (as for forms): a place or size of 0 the file
    /// gave is written back.
    void SetStreamedProperties(std::vector<AnsiString> Names) { FStreamed = std::move(Names); }

protected:
    /// The designer's place and size stream as Left, Top, Width and Height.
    void DefineProperties(TFiler* Filer) override;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;

public:
    void AfterConstruction() override;
    void BeforeDestruction() override;

private:
    void ReadLeft(TReader* Reader);
    void WriteLeft(TWriter* Writer);
    void ReadTop(TReader* Reader);
    void WriteTop(TWriter* Writer);
    void ReadWidth(TReader* Reader);
    void WriteWidth(TWriter* Writer);
    void ReadHeight(TReader* Reader);
    void WriteHeight(TWriter* Writer);
    bool Stored(const char* Name, Integer Value) const;
    TPoint FDesignOffset, FDesignSize;
    std::vector<AnsiString> FStreamed;
    bool FOldCreateOrder = false;
    TNotifyEvent FOnCreate, FOnDestroy;
};

/// The form a control is on: the top of its parents when that is a form, else null.
TCustomForm* GetParentForm(TControl* Control);

} // namespace host
