#include "host/forms/Application.h"

#include "host/actnlist/CustomAction.h"
#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/controls/Input.h"
#include "host/graphics/Icon.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Labels.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <climits>
#include <unistd.h>
#include <vector>

namespace host {

HOST_COMPONENT_METACLASS(TApplication, TComponent);
HOST_METACLASS(TMonitor, TObject);
HOST_COMPONENT_METACLASS(TScreen, TComponent);

namespace {
constexpr Cardinal WM_TIMER_MESSAGE = WM_TIMER;
constexpr Cardinal TimerMinimum = 10; // the platform's shortest interval
} // namespace

TApplication* Application() {
    // Lives as long as the program, and hears of the input API's mouse for its hints.
    static TApplication* a = [] {
        auto* app = new TApplication(nullptr);
        input::SetMouseMessageHook([](TControl* Control, TMessage& Message) {
            Application()->HintMouseMessage(Control, Message);
        });
        // An action its list left alone goes to the application, then to the active control
        // and the active form.
        ActionApplicationHooks.ExecuteAction = [](TBasicAction* A) {
            return Application()->ExecuteAction(A);
        };
        ActionApplicationHooks.UpdateAction = [](TBasicAction* A) {
            return Application()->UpdateAction(A);
        };
        ActionApplicationHooks.ExecuteTarget = [](TBasicAction* A) {
            TWinControl* c = Screen()->GetActiveControl();
            TCustomForm* f = Screen()->GetActiveCustomForm();
            return (c && c->ExecuteAction(A)) || (f && f->ExecuteAction(A));
        };
        ActionApplicationHooks.UpdateTarget = [](TBasicAction* A) {
            TWinControl* c = Screen()->GetActiveControl();
            TCustomForm* f = Screen()->GetActiveCustomForm();
            return (c && c->UpdateAction(A)) || (f && f->UpdateAction(A));
        };
        return app;
    }();
    return a;
}

TScreen* Screen() {
    static TScreen* s = new TScreen(nullptr);
    return s;
}

HOST_METACLASS(THintAction, TBasicAction);

// ---- TApplication ----

namespace {
/// The program's application and any other made (tests make their own): each hears of every
/// control that goes.
std::vector<TApplication*>& Applications() {
    static auto* all = new std::vector<TApplication*>;
    return *all;
}
void TellApplications(TControl* Control) {
    for (TApplication* a : Applications()) a->ControlDestroyed(Control);
}
} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    Applications().push_back(this);
    SetControlDestroyedHook(&TellApplications);
    AnsiString exe = GetExeName();
    FTitle = ChangeFileExt(ExtractFileName(exe), "");
    FIcon = new TIcon;
}

TApplication::~TApplication() {
    std::erase(Applications(), this);
    FreeObject(FWindow);
    FreeObject(FIcon);
}

AnsiString TApplication::GetExeName() const {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? AnsiString(path, std::size_t(n)) : AnsiString();
}

void TApplication::SetHint(const AnsiString& Value) {
    if (Value == FHint) return;
    FHint = Value;
    if (FOnHint) return FOnHint(this);
    // Nobody listens: the forms' components may show it (a status bar's AutoHint).
    THintAction action(nullptr);
    action.SetHint(Value);
    for (Integer f = 0; f < Screen()->GetCustomFormCount(); ++f) {
        TCustomForm* form = Screen()->GetCustomForms(f);
        for (Integer i = 0; i < form->GetComponentCount(); ++i)
            if (form->GetComponents(i)->ExecuteAction(&action)) return;
    }
}

void TApplication::CreateForm(TClass InstanceClass, void* Reference) {
    if (!InstanceClass || !InstanceClass->NewWithOwner ||
        !InstanceClass->InheritsFrom(TComponent::StaticClass()))
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    auto* instance = static_cast<TComponent*>(InstanceClass->NewWithOwner(this));
    if (Reference) *static_cast<TComponent**>(Reference) = instance;
    if (!FMainForm)
        if (auto* form = dynamic_cast<TCustomForm*>(instance)) FMainForm = form;
}

// ---- the loop ----

void TApplication::PostMessage(HWND Window, Cardinal Msg, LongInt WParam, LongInt LParam) {
    // The queue is bounded as the platform's is: a flood of posts is refused, not stored.
    if (FQueue.size() >= 10000) throw EOutOfResources("Not enough quota is available");
    FQueue.push_back({Window, Msg, WParam, LParam, FNow, input::CursorPos()});
}

void TApplication::Dispatch(TMsg& Msg) {
    if (Msg.Message == WM_QUIT) {
        FTerminated = true;
        return;
    }
    bool handled = false;
    if (FOnMessage) FOnMessage(Msg, handled);
    if (handled) return;
    if (TWinControl* c = FindControl(Msg.Window)) {
        try {
            c->Perform(Msg.Message, Msg.WParam, Msg.LParam);
        } catch (const Exception&) {
            HandleException(c);
        }
    }
}

void TApplication::Idle() {
    bool done = true;
    if (FOnIdle) FOnIdle(this, done);
}

void TApplication::HandleMessage() {
    if (FQueue.empty()) return Idle();
    TMsg m = FQueue.front();
    FQueue.pop_front();
    Dispatch(m);
}

void TApplication::ProcessMessages() {
    while (!FQueue.empty() && !FTerminated) HandleMessage();
}

void TApplication::Run() {
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated && !FQueue.empty()) HandleMessage();
    if (!FTerminated) Idle(); // nothing left: the application idles once and returns
}

void TApplication::Terminate() {
    FTerminated = true;
}

// ---- time ----

void TApplication::SetTimer(HWND Window, Cardinal Id, Cardinal Interval) {
    Interval = std::max(Interval, TimerMinimum);
    for (Timer& t : FTimers)
        if (t.Window == Window && t.Id == Id) {
            t.Interval = Interval, t.Due = FNow + Interval;
            return;
        }
    FTimers.push_back({Window, Id, Interval, FNow + Interval});
}

bool TApplication::KillTimer(HWND Window, Cardinal Id) {
    auto it = std::find_if(FTimers.begin(), FTimers.end(),
                           [&](const Timer& t) { return t.Window == Window && t.Id == Id; });
    if (it == FTimers.end()) return false;
    FTimers.erase(it);
    return true;
}

void TApplication::AdvanceClock(Cardinal Milliseconds) {
    Cardinal target = Milliseconds > UINT_MAX - FNow ? UINT_MAX : FNow + Milliseconds;
    for (;;) {
        auto next = std::min_element(FTimers.begin(), FTimers.end(),
                                     [](const Timer& a, const Timer& b) { return a.Due < b.Due; });
        if (next == FTimers.end() || next->Due > target) break;
        FNow = next->Due;
        next->Due += next->Interval;
        PostMessage(next->Window, WM_TIMER_MESSAGE, LongInt(next->Id), 0);
        ProcessMessages(); // a handler may kill or add timers
    }
    FNow = target;
    ProcessMessages();
}

// ---- exceptions and message boxes ----

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (Exception& e) {
        if (FOnException)
            FOnException(Sender, &e);
        else
            ShowException(&e);
    }
}

void TApplication::ShowException(Exception* E) {
    AnsiString message = E ? AnsiString(E->what()) : AnsiString();
    if (!message.empty() && message.back() != '.') message += '.';
    MessageBox(message, FTitle, MB_OK);
}

Integer TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, Integer Flags) {
    FLastBoxText = Text;
    TForm box(nullptr);
    box.SetBorderStyle(bsDialog);
    box.SetPosition(poScreenCenter);
    box.SetCaption(Caption.empty() ? FTitle : Caption);
    // The platform's box: the text, then its buttons centred below it, named as they read.
    struct Button {
        const char* Name;
        const char* Caption;
        TModalResult Result;
    };
    static constexpr Button Ok{"OK", "OK", mrOk}, Cancel{"Cancel", "Cancel", mrCancel},
        Abort{"Abort", "&Abort", mrAbort}, Retry{"Retry", "&Retry", mrRetry},
        Ignore{"Ignore", "&Ignore", mrIgnore}, Yes{"Yes", "&Yes", mrYes}, No{"No", "&No", mrNo};
    std::vector<Button> buttons;
    switch (Flags & 0x0F) {
    case MB_OKCANCEL: buttons = {Ok, Cancel}; break;
    case MB_ABORTRETRYIGNORE: buttons = {Abort, Retry, Ignore}; break;
    case MB_YESNOCANCEL: buttons = {Yes, No, Cancel}; break;
    case MB_YESNO: buttons = {Yes, No}; break;
    case MB_RETRYCANCEL: buttons = {Retry, Cancel}; break;
    default: buttons = {Ok}; break;
    }
    auto* text = new TLabel(&box);
    text->SetName("Message");
    text->SetParent(&box);
    text->SetShowAccelChar(false);
    text->SetBounds(12, 12, 0, 0);
    text->SetCaption(Text);
    Integer row = Integer(buttons.size()) * 83 - 8;
    Integer width = std::max(text->GetWidth() + 24, row + 24);
    box.SetClientWidth(width);
    box.SetClientHeight(text->GetHeight() + 60);
    Integer x = (width - row) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* b = new TButton(&box);
        b->SetName(buttons[i].Name);
        b->SetParent(&box);
        b->SetCaption(buttons[i].Caption);
        b->SetModalResult(buttons[i].Result);
        b->SetBounds(x + Integer(i) * 83, text->GetHeight() + 24, 75, 25);
        b->SetDefault(i == 0);
        b->SetCancel(buttons[i].Result == mrCancel ||
                     (buttons[i].Result == mrNo && buttons.size() == 2) || buttons.size() == 1);
    }
    TModalResult r = box.ShowModal();
    if (r == mrCancel) { // closed without an answer: the box's cancel answer
        switch (Flags & 0x0F) {
        case MB_OK: return IDOK;
        case MB_YESNO: return IDNO;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDCANCEL;
        }
    }
    return r;
}

AnsiString TApplication::GetCurrentHelpFile() const {
    TCustomForm* active = Screen()->GetActiveCustomForm();
    return active && !active->GetHelpFile().empty() ? active->GetHelpFile() : FHelpFile;
}

HWND TApplication::GetHandle() {
    if (!FWindow) FWindow = new TWinControl(nullptr);
    return FWindow->GetHandle();
}

void TApplication::SetHandle(HWND Value) {
    // Another window becomes the application's (a library's host): only one the program has.
    if (Value == 0) {
        FreeObject(FWindow);
        FWindow = nullptr;
        return;
    }
    auto* w = FindControl(Value);
    if (!w) throw EInvalidOperation("Invalid window handle");
    if (w != FWindow) {
        FreeObject(FWindow);
        FWindow = nullptr;
    }
}

void TApplication::SetIcon(TIcon* Value) {
    if (Value) {
        FIcon->Assign(Value);
    } else { // no icon: the application's own becomes empty
        FreeObject(FIcon);
        FIcon = new TIcon;
    }
}

void TApplication::BringToFront() {
    if (FMainForm && FMainForm->GetVisible()) Screen()->FormActivated(FMainForm);
    SetActive(true);
}

void TApplication::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    if (Value && FOnActivate) FOnActivate(this);
    if (!Value && FOnDeactivate) FOnDeactivate(this);
}

bool TApplication::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    if (FOnActionExecute) FOnActionExecute(Action, handled);
    return handled;
}

bool TApplication::UpdateAction(TBasicAction* Action) {
    bool handled = false;
    if (FOnActionUpdate) FOnActionUpdate(Action, handled);
    return handled;
}

bool TApplication::HelpCommand(Integer Command, LongInt Data) {
    bool callHelp = true;
    bool answer = false;
    if (FOnHelp) answer = FOnHelp(Word(Command), Data, callHelp);
    // With CallHelp still true the help system would run: there is none headless.
    return callHelp ? false : answer;
}

bool TApplication::HelpJump(const AnsiString& JumpID) {
    // The host hands the macro's address in Data, which 32 bits cannot hold here: a handler
    // reads the macro from HelpCommandText() instead, and Data is 0.
    FHelpCommandText = "JumpID(\"\",\"" + JumpID + "\")";
    bool r = HelpCommand(HELP_COMMAND, 0);
    FHelpCommandText.clear();
    return r;
}

void TApplication::NormalizeTopMosts() {
    ++FTopMostLevel;
}

void TApplication::RestoreTopMosts() {
    if (FTopMostLevel > 0) --FTopMostLevel;
}

bool TApplication::IsShortCut(TWMKey& Message) {
    bool handled = false;
    if (FOnShortCut) FOnShortCut(Message, handled);
    return handled;
}

void TApplication::Minimize() {
    if (FMinimized) return;
    FMinimized = true;
    if (FOnMinimize) FOnMinimize(this);
}

void TApplication::Restore() {
    if (!FMinimized) return;
    FMinimized = false;
    if (FOnRestore) FOnRestore(this);
}

// ---- hints ----

/// The window the hint timer's WM_TIMER comes to, through the queue as any timer's.
class THintTimer : public TWinControl {
public:
    explicit THintTimer(TApplication* App) : TWinControl(App), FApp(App) {}
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_TIMER)
            FApp->HintTimerExpired();
        else
            TWinControl::WndProc(Message);
    }

private:
    TApplication* FApp;
};

namespace {
constexpr Cardinal HintTimerId = 1;
/// How far below the cursor's hot spot a hint starts: under the arrow's picture.
constexpr Integer HintBelowCursor = 20;

/// The hint a control shows: its own, or the first of its parents' that it has.
AnsiString HintOf(TControl* Control) {
    for (TControl* c = Control; c; c = c->GetParent())
        if (!c->GetHint().empty()) return c->GetHint();
    return {};
}

/// The control whose hint the mouse over `Control` asks for: the first with ShowHint, from
/// the control up; none while designing.
TControl* HintControlOf(TControl* Control) {
    TControl* c = Control;
    while (c && !c->GetShowHint()) c = c->GetParent();
    if (c && c->GetComponentState().Contains(csDesigning)) return nullptr;
    return c;
}

TRect ScreenRectOf(TControl* Control, const TRect& R) {
    TPoint a = Control->ClientToScreen({R.Left, R.Top});
    TPoint b = Control->ClientToScreen({R.Right, R.Bottom});
    return {a.X, a.Y, b.X, b.Y};
}

bool Inside(const TRect& R, TPoint P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
} // namespace

void TApplication::SetShowHint(bool Value) {
    if (Value == FShowHint) return;
    FShowHint = Value;
    if (!Value) CancelHint();
}

void TApplication::SetHintColor(TColor Value) {
    FHintColor = Value;
    if (THintWindow* w = GetHintWindow()) w->SetColor(Value);
}

void TApplication::SetHintWindowClass(TClass Value) {
    if (!Value || !Value->InheritsFrom(THintWindow::StaticClass()) || !Value->NewWithOwner)
        throw EInvalidOperation("A hint window class must descend from THintWindow");
    FHintWindowClass = Value;
}

THintWindow* TApplication::GetHintWindow() const {
    return FHintWindow && LiveObjects::Find(FHintWindow) ? FHintWindow : nullptr;
}

THintWindow* TApplication::HintWindowOfClass(TClass WindowClass) {
    if (!WindowClass || !WindowClass->InheritsFrom(THintWindow::StaticClass()) ||
        !WindowClass->NewWithOwner)
        WindowClass = FHintWindowClass;
    THintWindow* w = GetHintWindow();
    if (w && w->ClassType() != WindowClass) {
        w->Free();
        w = nullptr;
    }
    if (!w) w = static_cast<THintWindow*>(WindowClass->NewWithOwner(this));
    FHintWindow = w;
    return w;
}

void TApplication::StartHintTimer(Integer Delay, THintTimerKind Kind) {
    if (!FHintTimer || !LiveObjects::Find(FHintTimer)) FHintTimer = new THintTimer(this);
    FHintTimerKind = Kind;
    SetTimer(FHintTimer->GetHandle(), HintTimerId, Cardinal(std::max(Delay, 0)));
}

void TApplication::StopHintTimer() {
    FHintTimerKind = THintTimerKind::None;
    if (FHintTimer && LiveObjects::Find(FHintTimer) && FHintTimer->HandleAllocated())
        KillTimer(FHintTimer->GetHandle(), HintTimerId);
}

void TApplication::HintTimerExpired() {
    THintTimerKind kind = FHintTimerKind;
    StopHintTimer(); // the platform's timers repeat; a hint's pause is one wait
    if (kind == THintTimerKind::Show)
        ShowHintNow();
    else if (kind == THintTimerKind::Hide) {
        HideHint();
        FHintActive = false; // shown long enough: the next hint waits the whole pause
    }
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
    if (!Control || !LiveObjects::Find(Control)) return;
    if (Message.Msg != WM_MOUSEMOVE) {
        // The hint window decides what takes it away (a pending hint goes the same way).
        TMsg m{0, Message.Msg, Message.WParam, Message.LParam, FNow, input::CursorPos()};
        THintWindow* w = GetHintWindow();
        if (w ? w->IsHintMsg(m) : IsHintMessage(Message.Msg)) CancelHint();
        return;
    }
    SetHint(GetLongHint(HintOf(Control)));
    if (!LiveObjects::Find(Control)) return; // OnHint may free what it heard of
    TControl* hinted = FShowHint ? HintControlOf(Control) : nullptr;
    if (!hinted) return CancelHint();
    TPoint screen = Control->ClientToScreen(PointOf(Message));
    if (hinted == FHintControl && Inside(FHintCursorRect, screen)) return;
    HideHint();
    FHintControl = hinted;
    FHintCursorRect = ScreenRectOf(hinted, hinted->GetClientRect());
    // Going from hint to hint, the next follows quickly.
    StartHintTimer(FHintActive ? FHintShortPause : FHintPause, THintTimerKind::Show);
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
    input::SetCursorPos(CursorPos);
    if (FHintControl && LiveObjects::Find(FHintControl)) {
        StopHintTimer();
        ShowHintNow();
    }
}

void TApplication::ShowHintNow() {
    TControl* c = FHintControl;
    // A control that went, or hid, while its hint was due has none to show.
    if (!c || !LiveObjects::Find(c) || !FShowHint || !c->IsShowing()) return CancelHint();
    TPoint cursor = input::CursorPos();
    THintInfo info;
    info.HintControl = c;
    info.HintWindowClass = FHintWindowClass;
    info.HintPos = {cursor.X, cursor.Y + HintBelowCursor};
    info.HintMaxWidth = Screen()->GetWidth();
    info.HintColor = FHintColor;
    info.CursorRect = c->GetClientRect();
    info.CursorPos = c->ScreenToClient(cursor);
    info.HideTimeout = FHintHidePause;
    info.HintStr = GetShortHint(HintOf(c));
    TMessage m;
    m.Msg = CM_HINTSHOW;
    m.Data = &info;
    c->Send(m);
    bool canShow = m.Result == 0;
    if (!LiveObjects::Find(c)) return CancelHint();
    if (canShow && FHintShortCuts)
        if (auto* a = DynCast<TCustomAction>(c->GetAction()); a && a->GetShortCut() != 0)
            info.HintStr += " (" + ShortCutToText(a->GetShortCut()) + ")";
    if (FOnShowHint) FOnShowHint(info.HintStr, canShow, info);
    if (!LiveObjects::Find(c)) return CancelHint();
    // The mouse may wander within this rectangle, as the control (or the handler) left it.
    FHintCursorRect = ScreenRectOf(c, info.CursorRect);
    if (!canShow || info.HintStr.empty()) {
        HideHint();
        return;
    }
    THintWindow* w = HintWindowOfClass(info.HintWindowClass);
    w->SetColor(info.HintColor);
    TRect r = w->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    Integer width = r.Right - r.Left, height = r.Bottom - r.Top;
    // On the screen: pushed back from its right and bottom edges, never off its top left.
    Integer left = std::max(0, std::min(info.HintPos.X, Screen()->GetWidth() - width));
    Integer top = std::max(0, std::min(info.HintPos.Y, Screen()->GetHeight() - height));
    w->ActivateHintData({left, top, left + width, top + height}, info.HintStr, info.HintData);
    FHintActive = true;
    if (info.ReshowTimeout > 0)
        StartHintTimer(info.ReshowTimeout, THintTimerKind::Show);
    else if (info.HideTimeout > 0)
        StartHintTimer(info.HideTimeout, THintTimerKind::Hide);
}

void TApplication::HideHint() {
    if (THintWindow* w = GetHintWindow(); w && w->GetVisible()) w->ReleaseHandle();
}

void TApplication::ControlDestroyed(TControl* Control) {
    if (Control && Control == FHintControl) CancelHint();
    if (Control && Control == FMainForm) FMainForm = nullptr;
}

void TApplication::CancelHint() {
    StopHintTimer();
    HideHint();
    FHintControl = nullptr;
    FHintActive = false;
}

// ---- TMonitor, TScreen ----

Integer TMonitor::GetWidth() const {
    return Screen()->GetWidth();
}

Integer TMonitor::GetHeight() const {
    return Screen()->GetHeight();
}

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), FIconFont(new TFont), FMonitor(new TMonitor) {
    FIconFont->SetName("MS Sans Serif");
    FIconFont->SetHeight(-11);
}

TScreen::~TScreen() {
    FreeObject(FFonts);
    FreeObject(FImes);
    FIconFont->Free();
    FMonitor->Free();
}

TMonitor* TScreen::GetMonitors(Integer Index) const {
    if (Index != 0) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FMonitor;
}

TForm* TScreen::GetForms(Integer Index) const {
    return dynamic_cast<TForm*>(GetCustomForms(Index));
}

TCustomForm* TScreen::GetCustomForms(Integer Index) const {
    if (Index < 0 || Index >= GetCustomFormCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FForms[std::size_t(Index)];
}

TDataModule* TScreen::GetDataModules(Integer Index) const {
    if (Index < 0 || Index >= GetDataModuleCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FDataModules[std::size_t(Index)];
}

TCustomForm* TScreen::GetActiveCustomForm() const {
    return FActive && FActive->GetVisible() ? FActive : nullptr;
}

TForm* TScreen::GetActiveForm() const {
    return dynamic_cast<TForm*>(GetActiveCustomForm());
}

TWinControl* TScreen::GetActiveControl() const {
    TCustomForm* f = GetActiveCustomForm();
    return f ? f->GetActiveControl() : nullptr;
}

TStrings* TScreen::GetFonts() {
    if (!FFonts) {
        auto* list = new TStringList;
        // The faces the host's programs ask for, all drawn with the Liberation fonts.
        for (const char* name :
             {"Arial", "Courier New", "Liberation Mono", "Liberation Sans", "Liberation Serif",
              "MS Sans Serif", "System", "Tahoma", "Times New Roman"})
            list->Add(name);
        FFonts = list;
    }
    return FFonts;
}

HCURSOR TScreen::GetCursors(Integer Index) {
    for (auto& [index, handle] : FCursors)
        if (index == Index) return handle;
    // The host's cursors have their handles from the start; another number shows the arrow.
    if (Index > 0) return GetCursors(crDefault);
    FCursors.emplace_back(Index, FNextCursor++);
    return FCursors.back().second;
}

void TScreen::SetCursors(Integer Index, HCURSOR Value) {
    auto it = std::find_if(FCursors.begin(), FCursors.end(),
                           [&](const auto& C) { return C.first == Index; });
    if (Value == 0) {
        if (it != FCursors.end() && Index > 0) FCursors.erase(it);
        return;
    }
    if (it != FCursors.end())
        it->second = Value;
    else
        FCursors.emplace_back(Index, Value);
}

TStrings* TScreen::GetImes() {
    if (!FImes) FImes = new TStringList;
    return FImes;
}

void TScreen::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TScreen::Realign() {
    if (FAlignLevel > 0) return;
    // The work area shared by the aligned forms as a parent's client area is by its children.
    TRect area{0, 0, GetWidth(), GetHeight()};
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
        for (TCustomForm* f : FForms) {
            if (f->GetAlign() != align || !f->GetVisible()) continue;
            switch (align) {
            case alTop:
                f->SetBounds(area.Left, area.Top, area.Right - area.Left, f->GetHeight());
                area.Top += f->GetHeight();
                break;
            case alBottom:
                area.Bottom -= f->GetHeight();
                f->SetBounds(area.Left, area.Bottom, area.Right - area.Left, f->GetHeight());
                break;
            case alLeft:
                f->SetBounds(area.Left, area.Top, f->GetWidth(), area.Bottom - area.Top);
                area.Left += f->GetWidth();
                break;
            case alRight:
                area.Right -= f->GetWidth();
                f->SetBounds(area.Right, area.Top, f->GetWidth(), area.Bottom - area.Top);
                break;
            default: f->SetBoundsRect(area); break;
            }
        }
}

void TScreen::AddForm(TCustomForm* Form) {
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    std::erase(FForms, Form);
    if (FActive == Form) {
        FActive = nullptr;
        if (FOnActiveFormChange) FOnActiveFormChange(this);
    }
}

void TScreen::AddDataModule(TDataModule* Module) {
    if (std::find(FDataModules.begin(), FDataModules.end(), Module) == FDataModules.end())
        FDataModules.push_back(Module);
}

void TScreen::RemoveDataModule(TDataModule* Module) {
    std::erase(FDataModules, Module);
}

void TScreen::FormActivated(TCustomForm* Form) {
    if (Form == FActive) return;
    FActive = Form;
    if (FOnActiveFormChange) FOnActiveFormChange(this);
}

} // namespace host
