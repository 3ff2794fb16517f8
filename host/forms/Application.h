// The application and the screen: the program's forms and its main form, the message queue
// and its loop, idle time, exceptions, message boxes answered through the modal hook, and the
// clock that timers run on (headless: it moves when told, so runs are deterministic).
#pragma once

#include "host/classes/Action.h"
#include "host/controls/HintWindow.h"
#include "host/forms/Form.h"

#include <deque>
#include <vector>

namespace host {

class TStrings;
class THintTimer;

using HCURSOR = LongWord;
using HKL = LongWord;

inline constexpr Integer IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6,
                         IDNO = 7;
inline constexpr Integer MB_OK = 0x0000, MB_OKCANCEL = 0x0001, MB_ABORTRETRYIGNORE = 0x0002,
                         MB_YESNOCANCEL = 0x0003, MB_YESNO = 0x0004, MB_RETRYCANCEL = 0x0005;

using TMessageEvent = Closure<void(TMsg& Msg, bool& Handled)>;
using TIdleEvent = Closure<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = Closure<void(TObject* Sender, Exception* E)>;
/// OnShowHint: may change the text, forbid the hint, or change how it shows.
using TShowHintEvent = Closure<void(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// Help commands.
inline constexpr Word HELP_CONTEXT = 0x0001, HELP_COMMAND = 0x0102;

/// The application's hint, offered to the forms' components when no OnHint takes it (a status
/// bar with AutoHint shows it).
class THintAction : public TBasicAction {
    HOST_CLASS(THintAction, TBasicAction)
public:
    using TBasicAction::TBasicAction;
    AnsiString GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }

private:
    AnsiString FHint;
};

class TApplication : public TComponent {
    HOST_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}
    /// Makes a form (or data module) of `InstanceClass` owned by the application and puts it
    /// in `*Reference`; the first form made is the main form.
    void CreateForm(TClass InstanceClass, void* Reference);
    TCustomForm* GetMainForm() const { return FMainForm; }
    bool GetShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    AnsiString GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }
    AnsiString GetExeName() const;
    AnsiString GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value);
    bool GetShowHint() const { return FShowHint; }
    /// False takes a showing hint away; no control shows one until it is true again.
    void SetShowHint(bool Value);
    bool GetTerminated() const { return FTerminated; }
    bool GetActive() const { return FActive; }

    // ---- the loop ----
    /// Shows the main form, then handles messages until terminated or none is left.
    void Run();
    /// Handles every message in the queue, then returns.
    void ProcessMessages();
    /// Handles one message, or idles when there is none.
    void HandleMessage();
    void Terminate();
    /// Puts a message in the queue for `Window`.
    void PostMessage(HWND Window, Cardinal Msg, LongInt WParam, LongInt LParam);
    std::size_t QueueLength() const { return FQueue.size(); }

    // ---- time ----
    /// Milliseconds since the application started, as its clock says.
    Cardinal Now() const { return FNow; }
    /// Moves the clock on; timers that fall due on the way post their WM_TIMER (each as
    /// often as its interval passed) and the queue is handled.
    void AdvanceClock(Cardinal Milliseconds);
    /// A timer of `Window`: WM_TIMER with `Id` every `Interval` ms; replaces one of that id.
    void SetTimer(HWND Window, Cardinal Id, Cardinal Interval);
    bool KillTimer(HWND Window, Cardinal Id);

    // ---- exceptions and message boxes ----
    /// OnException when assigned, else ShowException.
    void HandleException(TObject* Sender);
    /// A message box with the exception's message; headless, as any message box.
    void ShowException(Exception* E);
    /// A modal form with the text and its buttons: the modal hook answers it; without one the
    /// box closes with its cancel answer (or OK when it has no cancel button).
    Integer MessageBox(const AnsiString& Text, const AnsiString& Caption, Integer Flags);
    /// The last message box's text and caption (for the tool and tests).
    AnsiString LastMessageBoxText() const { return FLastBoxText; }

    void Minimize();
    void Restore();

    // ---- more of the application ----
    bool GetAllowTesting() const { return FAllowTesting; }
    void SetAllowTesting(bool Value) { FAllowTesting = Value; }
    AnsiString GetHelpFile() const { return FHelpFile; }
    void SetHelpFile(const AnsiString& Value) { FHelpFile = Value; }
    /// The active form's help file where it has one, else the application's.
    AnsiString GetCurrentHelpFile() const;
    /// The window of a modeless dialog the loop serves (0 for none).
    HWND GetDialogHandle() const { return FDialogHandle; }
    void SetDialogHandle(HWND Value) { FDialogHandle = Value; }
    /// The application's own (hidden) window, made when first asked for.
    HWND GetHandle();
    void SetHandle(HWND Value);
    void CreateHandle() { GetHandle(); }
    TIcon* GetIcon() const { return FIcon; }
    void SetIcon(TIcon* Value);
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftScrollBar() const {
        return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign;
    }
    bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
    void SetUpdateFormatSettings(bool Value) { FUpdateFormatSettings = Value; }
    bool GetUpdateMetricSettings() const { return FUpdateMetricSettings; }
    void SetUpdateMetricSettings(bool Value) { FUpdateMetricSettings = Value; }
    /// Brings the application's forms forward: the main form becomes the active form.
    void BringToFront();
    /// OnActionExecute / OnActionUpdate decide; false when they leave the action alone.
    bool ExecuteAction(TBasicAction* Action) override;
    bool UpdateAction(TBasicAction* Action) override;
    /// Help: OnHelp decides (its answer, and whether the help system is still called); no help
    /// viewer runs headless, so calling it answers false.
    bool HelpCommand(Integer Command, LongInt Data);
    bool HelpContext(THelpContext Context) { return HelpCommand(HELP_CONTEXT, Context); }
    bool HelpJump(const AnsiString& JumpID);
    /// The macro of the HELP_COMMAND being asked for (empty outside one).
    const AnsiString& HelpCommandText() const { return FHelpCommandText; }
    /// Forms that stay on top step down while a message box or another window shows, and back.
    void NormalizeTopMosts();
    void NormalizeAllTopMosts() { NormalizeTopMosts(); }
    void RestoreTopMosts();
    Integer GetTopMostLevel() const { return FTopMostLevel; }
    /// The application's shortcuts: OnShortCut; true when it took the key.
    bool IsShortCut(TWMKey& Message);
    TActionEvent GetOnActionExecute() const { return FOnActionExecute; }
    void SetOnActionExecute(TActionEvent Value) { FOnActionExecute = Value; }
    TActionEvent GetOnActionUpdate() const { return FOnActionUpdate; }
    void SetOnActionUpdate(TActionEvent Value) { FOnActionUpdate = Value; }
    TNotifyEvent GetOnActivate() const { return FOnActivate; }
    void SetOnActivate(TNotifyEvent Value) { FOnActivate = Value; }
    TNotifyEvent GetOnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = Value; }
    THelpEvent GetOnHelp() const { return FOnHelp; }
    void SetOnHelp(THelpEvent Value) { FOnHelp = Value; }
    TShortCutEvent GetOnShortCut() const { return FOnShortCut; }
    void SetOnShortCut(TShortCutEvent Value) { FOnShortCut = Value; }
    /// The application comes to the front or goes behind another program's (OnActivate,
    /// OnDeactivate).
    void SetActive(bool Value);

    // ---- events ----
    TMessageEvent GetOnMessage() const { return FOnMessage; }
    void SetOnMessage(TMessageEvent Value) { FOnMessage = Value; }
    TIdleEvent GetOnIdle() const { return FOnIdle; }
    void SetOnIdle(TIdleEvent Value) { FOnIdle = Value; }
    TExceptionEvent GetOnException() const { return FOnException; }
    void SetOnException(TExceptionEvent Value) { FOnException = Value; }
    TNotifyEvent GetOnHint() const { return FOnHint; }
    void SetOnHint(TNotifyEvent Value) { FOnHint = Value; }
    TNotifyEvent GetOnMinimize() const { return FOnMinimize; }
    void SetOnMinimize(TNotifyEvent Value) { FOnMinimize = Value; }
    TNotifyEvent GetOnRestore() const { return FOnRestore; }
    void SetOnRestore(TNotifyEvent Value) { FOnRestore = Value; }

    // ---- hints ----
    // A control with ShowHint under the mouse shows the short part of its hint (or its
    // parents') HintPause ms after the mouse came to it, HintShortPause ms when it came from
    // a control whose hint showed; it goes after HintHidePause ms, or when a button or a key
    // is pressed, or the mouse leaves for a control without hints. The time is the
    // application's clock.
    TColor GetHintColor() const { return FHintColor; }
    void SetHintColor(TColor Value);
    Integer GetHintPause() const { return FHintPause; }
    void SetHintPause(Integer Value) { FHintPause = Value; }
    Integer GetHintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
    Integer GetHintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(Integer Value) { FHintShortPause = Value; }
    /// Whether a hint names the shortcut of the control's action: "Save (Ctrl+S)".
    bool GetHintShortCuts() const { return FHintShortCuts; }
    void SetHintShortCuts(bool Value) { FHintShortCuts = Value; }
    /// The class of the hint window (THintWindow or a descendant).
    TClass GetHintWindowClass() const { return FHintWindowClass; }
    void SetHintWindowClass(TClass Value);
    TShowHintEvent GetOnShowHint() const { return FOnShowHint; }
    void SetOnShowHint(TShowHintEvent Value) { FOnShowHint = Value; }
    /// What the mouse (or a key) does about hints: a move over `Control` (in its client
    /// coordinates) starts or keeps a hint and sets Hint to the long part of the control's;
    /// a press takes the hint away. The input API tells the program's application of each.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    /// Puts the cursor at `CursorPos` (screen) and shows the hint that is due, now, without
    /// waiting out the pause; nothing when no control's hint is due or showing.
    void ActivateHint(const TPoint& CursorPos);
    /// Takes the hint away and forgets its control: the next one waits HintPause.
    void CancelHint();
    /// Hides the hint window; the control keeps its turn until the mouse leaves it.
    void HideHint();
    /// A control is going: its hint goes with it, and a main form it was is none.
    void ControlDestroyed(TControl* Control);
    /// The hint window while there is one (null before the first hint).
    THintWindow* GetHintWindow() const;

private:
    friend class THintTimer;
    enum class THintTimerKind { None, Show, Hide };
    void StartHintTimer(Integer Delay, THintTimerKind Kind);
    void StopHintTimer();
    void HintTimerExpired();
    /// Works the hint of FHintControl out and shows it (or not).
    void ShowHintNow();
    THintWindow* HintWindowOfClass(TClass WindowClass);

    TColor FHintColor = clInfoBk;
    Integer FHintPause = 500, FHintHidePause = 2500, FHintShortPause = 50;
    bool FHintShortCuts = true;
    TClass FHintWindowClass = THintWindow::StaticClass();
    TShowHintEvent FOnShowHint;
    TControl* FHintControl = nullptr; // the control whose hint is due or showing
    TRect FHintCursorRect;            // where the mouse keeps that hint, on the screen
    bool FHintActive = false;         // a hint showed and the mouse went on to hint controls
    THintWindow* FHintWindow = nullptr;
    THintTimer* FHintTimer = nullptr;
    THintTimerKind FHintTimerKind = THintTimerKind::None;

    void Dispatch(TMsg& Msg);
    void Idle();
    struct Timer {
        HWND Window;
        Cardinal Id, Interval, Due;
    };

    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FAllowTesting = true;
    AnsiString FHelpFile, FHelpCommandText;
    HWND FDialogHandle = 0;
    TWinControl* FWindow = nullptr; // the application's hidden window
    TIcon* FIcon = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FUpdateFormatSettings = true, FUpdateMetricSettings = true;
    Integer FTopMostLevel = 0;
    TActionEvent FOnActionExecute, FOnActionUpdate;
    TNotifyEvent FOnActivate, FOnDeactivate;
    THelpEvent FOnHelp;
    TShortCutEvent FOnShortCut;
    AnsiString FTitle;
    AnsiString FHint;
    bool FShowHint = true;
    bool FTerminated = false;
    bool FActive = true;
    bool FMinimized = false;
    std::deque<TMsg> FQueue;
    Cardinal FNow = 0;
    std::vector<Timer> FTimers;
    AnsiString FLastBoxText;
    TMessageEvent FOnMessage;
    TIdleEvent FOnIdle;
    TExceptionEvent FOnException;
    TNotifyEvent FOnHint, FOnMinimize, FOnRestore;
};

class TMonitor : public TObject {
    HOST_CLASS(TMonitor, TObject)
public:
    Integer GetHandle() const { return 1; }
    Integer GetMonitorNum() const { return 0; }
    Integer GetLeft() const { return 0; }
    Integer GetTop() const { return 0; }
    Integer GetWidth() const;
    Integer GetHeight() const;
};

/// The screen: its size and resolution, the program's forms and data modules, the active
/// form and control, the cursor, the fonts.
class TScreen : public TComponent {
    HOST_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    /// 1024 x 768 pixels at 96 pixels per inch, one monitor.
    Integer GetWidth() const { return 1024; }
    Integer GetHeight() const { return 768; }
    Integer GetPixelsPerInch() const { return 96; }
    Integer GetDesktopLeft() const { return 0; }
    Integer GetDesktopTop() const { return 0; }
    Integer GetDesktopWidth() const { return GetWidth(); }
    Integer GetDesktopHeight() const { return GetHeight(); }
    Integer GetMonitorCount() const { return 1; }
    TMonitor* GetMonitors(Integer Index) const;

    Integer GetFormCount() const { return Integer(FForms.size()); }
    TForm* GetForms(Integer Index) const;
    Integer GetCustomFormCount() const { return Integer(FForms.size()); }
    TCustomForm* GetCustomForms(Integer Index) const;
    Integer GetDataModuleCount() const { return Integer(FDataModules.size()); }
    TDataModule* GetDataModules(Integer Index) const;
    /// The form last shown or focused that still shows, and its focused control.
    TCustomForm* GetActiveCustomForm() const;
    TForm* GetActiveForm() const;
    TWinControl* GetActiveControl() const;
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value) { FCursor = Value; }
    /// The cursor of a number (the host's and the application's own); made for a number the
    /// first time it is asked for. Setting 0 for an application's number removes it.
    HCURSOR GetCursors(Integer Index);
    void SetCursors(Integer Index, HCURSOR Value);
    /// The input methods installed (none headless), the default one and the keyboard layout.
    TStrings* GetImes();
    AnsiString GetDefaultIme() const { return AnsiString(); }
    HKL GetDefaultKbLayout() const { return 0x04090409; } // US English
    /// Aligns the forms that have an Align, within the screen.
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    /// The font names the screen offers.
    TStrings* GetFonts();
    TFont* GetIconFont() const { return FIconFont; }
    void SetIconFont(TFont* Value) { FIconFont->Assign(Value); }

    TNotifyEvent GetOnActiveFormChange() const { return FOnActiveFormChange; }
    void SetOnActiveFormChange(TNotifyEvent Value) { FOnActiveFormChange = Value; }
    TNotifyEvent GetOnActiveControlChange() const { return FOnActiveControlChange; }
    void SetOnActiveControlChange(TNotifyEvent Value) { FOnActiveControlChange = Value; }

    // The forms and data modules tell the screen of themselves.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void AddDataModule(TDataModule* Module);
    void RemoveDataModule(TDataModule* Module);
    void FormActivated(TCustomForm* Form);

private:
    std::vector<TCustomForm*> FForms;
    std::vector<TDataModule*> FDataModules;
    TCustomForm* FActive = nullptr;
    TCursor FCursor = crDefault;
    TStrings* FFonts = nullptr;
    TStrings* FImes = nullptr;
    std::vector<std::pair<Integer, HCURSOR>> FCursors;
    HCURSOR FNextCursor = 0x30000;
    Integer FAlignLevel = 0;
    TFont* FIconFont;
    TMonitor* FMonitor;
    TNotifyEvent FOnActiveFormChange, FOnActiveControlChange;
};

/// The program's application and screen, made when first used.
TApplication* Application();
TScreen* Screen();

} // namespace host
