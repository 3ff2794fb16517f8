#include "host/forms/Application.h"

#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <climits>
#include <unistd.h>

namespace host {

HOST_COMPONENT_METACLASS(TApplication, TComponent);
HOST_METACLASS(TMonitor, TObject);
HOST_COMPONENT_METACLASS(TScreen, TComponent);

namespace {
constexpr Cardinal WM_TIMER_MESSAGE = WM_TIMER;
constexpr Cardinal TimerMinimum = 10; // the platform's shortest interval
} // namespace

TApplication* Application() {
    static TApplication* a = new TApplication(nullptr); // lives as long as the program
    return a;
}

TScreen* Screen() {
    static TScreen* s = new TScreen(nullptr);
    return s;
}

// ---- TApplication ----

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    AnsiString exe = GetExeName();
    FTitle = ChangeFileExt(ExtractFileName(exe), "");
}

TApplication::~TApplication() = default;

AnsiString TApplication::GetExeName() const {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? AnsiString(path, std::size_t(n)) : AnsiString();
}

void TApplication::SetHint(const AnsiString& Value) {
    if (Value == FHint) return;
    FHint = Value;
    if (FOnHint) FOnHint(this);
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
    FQueue.push_back({Window, Msg, WParam, LParam, FNow});
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

Integer TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption,
                                 Integer Flags) {
    FLastBoxText = Text;
    TForm box(nullptr);
    box.SetBorderStyle(bsDialog);
    box.SetCaption(Caption.empty() ? FTitle : Caption);
    TModalResult r = box.ShowModal();
    Integer buttons = Flags & 0x0F;
    if (r == mrCancel) { // closed without an answer: the box's cancel answer
        switch (buttons) {
        case MB_OK: return IDOK;
        case MB_YESNO: return IDNO;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDCANCEL;
        }
    }
    return r;
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
        for (const char* name : {"Arial", "Courier New", "Liberation Mono", "Liberation Sans",
                                 "Liberation Serif", "MS Sans Serif", "System", "Tahoma",
                                 "Times New Roman"})
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
