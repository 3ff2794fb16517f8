#include "host/forms/Form.h"

#include "host/actnlist/ActionList.h"
#include "host/classes/ComponentStreaming.h"
#include "host/classes/Filer.h"
#include "host/classes/Reader.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/TypInfoRows.h"
#include "host/classes/Writer.h"
#include "host/forms/Application.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/menus/Menu.h"

#include "host/system/SysUtils.h"
#include <functional>

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo CustomFormProps[] = {
    HOST_PROP(TCustomForm, ActiveControl).Unpublished(),
    HOST_PROP(TCustomForm, BorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize})
        .Unpublished(),
    HOST_PROP(TCustomForm, BorderStyle).Default(bsSizeable).Unpublished(),
    HOST_PROP(TCustomForm, DefaultMonitor).Default(dmActiveForm).Unpublished(),
    HOST_PROP(TCustomForm, FormStyle).Default(fsNormal).Unpublished(),
    HOST_PROP(TCustomForm, HelpFile).Unpublished(),
    HOST_PROP(TCustomForm, Icon).Unpublished(),
    HOST_PROP(TCustomForm, KeyPreview).Default(false).Unpublished(),
    HOST_PROP(TCustomForm, Menu).Unpublished(),
    HOST_PROP(TCustomForm, ObjectMenuItem).Unpublished(),
    HOST_PROP(TCustomForm, OldCreateOrder).Unpublished(),
    HOST_PROP(TCustomForm, PixelsPerInch).Stored(false).Unpublished(),
    HOST_PROP(TCustomForm, Position).Default(poDesigned).Unpublished(),
    HOST_PROP(TCustomForm, PrintScale).Default(poProportional).Unpublished(),
    HOST_PROP(TCustomForm, Scaled).Default(true).Unpublished(),
    HOST_PROP(TCustomForm, WindowMenu).Unpublished(),
    HOST_PROP(TCustomForm, WindowState).Default(wsNormal).Unpublished(),
    HOST_PROP(TCustomForm, OnActivate).Unpublished(),
    HOST_PROP(TCustomForm, OnClose).Unpublished(),
    HOST_PROP(TCustomForm, OnCloseQuery).Unpublished(),
    HOST_PROP(TCustomForm, OnCreate).Unpublished(),
    HOST_PROP(TCustomForm, OnDeactivate).Unpublished(),
    HOST_PROP(TCustomForm, OnDestroy).Unpublished(),
    HOST_PROP(TCustomForm, OnHelp).Unpublished(),
    HOST_PROP(TCustomForm, OnHide).Unpublished(),
    HOST_PROP(TCustomForm, OnPaint).Unpublished(),
    HOST_PROP(TCustomForm, OnShortCut).Unpublished(),
    HOST_PROP(TCustomForm, OnShow).Unpublished(),
};
// TForm publishes in the host's order; a form stores its client size or its whole size.
constexpr TPropInfo FormProps[] = {
    HOST_PROP(TForm, Left).Stored<&TForm::IsLeftStored>(),
    HOST_PROP(TForm, Top).Stored<&TForm::IsTopStored>(),
    HOST_PROP(TForm, Width).Stored<&TForm::IsWidthStored>(),
    HOST_PROP(TForm, Height).Stored<&TForm::IsHeightStored>(),
    "Action",
    "ActiveControl",
    "Align",
    "Anchors",
    HOST_PROP(TForm, AutoScroll).Default(false),
    "AutoSize",
    "BiDiMode",
    "BorderIcons",
    "BorderStyle",
    "BorderWidth",
    "Caption",
    HOST_PROP(TForm, ClientHeight).Stored<&TForm::IsClientHeightStored>(),
    HOST_PROP(TForm, ClientWidth).Stored<&TForm::IsClientWidthStored>(),
    HOST_PROP(TForm, Color).Stored<&TForm::IsFormColorStored>(),
    "Constraints",
    "Ctl3D",
    "UseDockManager",
    "DefaultMonitor",
    "DockSite",
    "DragKind",
    "DragMode",
    "Enabled",
    HOST_PROP(TForm, ParentFont).Default(false),
    HOST_PROP(TForm, Font).Stored<&TForm::IsFormFontStored>(),
    "FormStyle",
    "HelpFile",
    "HorzScrollBar",
    "Icon",
    "KeyPreview",
    "Menu",
    HOST_PROP(TForm, OldCreateOrder).Stored<&TForm::IsOldCreateOrderStored>(),
    "ObjectMenuItem",
    "ParentBiDiMode",
    HOST_PROP(TForm, PixelsPerInch).Stored(false), // written as a defined property
    "PopupMenu",
    "Position",
    "PrintScale",
    "Scaled",
    "ShowHint",
    "VertScrollBar",
    HOST_PROP(TForm, Visible).Default(false),
    "WindowState",
    "WindowMenu",
    "OnActivate",
    "OnCanResize",
    "OnClick",
    "OnClose",
    "OnCloseQuery",
    "OnConstrainedResize",
    "OnCreate",
    "OnDblClick",
    "OnDestroy",
    "OnDeactivate",
    "OnDockDrop",
    "OnDockOver",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnGetSiteInfo",
    "OnHide",
    "OnHelp",
    "OnKeyDown",
    "OnKeyPress",
    "OnKeyUp",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnMouseWheel",
    "OnMouseWheelDown",
    "OnMouseWheelUp",
    "OnPaint",
    "OnResize",
    "OnShortCut",
    "OnShow",
    "OnStartDock",
    "OnUnDock",
};
constexpr TPropInfo DataModuleProps[] = {
    HOST_PROP(TDataModule, OldCreateOrder),
    HOST_PROP(TDataModule, OnCreate),
    HOST_PROP(TDataModule, OnDestroy),
};

TCustomForm::TModalHook ModalHook = nullptr;
void* ModalHookData = nullptr;
} // namespace

const TMessageEntry TCustomForm::Messages[] = {
    HOST_ON(TCustomForm, CM_TEXTCHANGED, CMTextChanged),
    HOST_ON(TCustomForm, CM_DIALOGKEY, CMDialogKey),
};
HOST_COMPONENT_METACLASS(TCustomForm, TScrollingWinControl,
                         PropTable(CustomFormProps, MessageTable(TCustomForm::Messages)));
HOST_COMPONENT_METACLASS(TForm, TCustomForm, PropTable(FormProps));
namespace {
constexpr TPropInfo ActiveFormProps[] = {
    "ActiveControl",  "Anchors",       "AutoScroll",
    "AutoSize",       "BorderWidth",   "Caption",
    "Color",          "Constraints",   "Font",
    "Height",         "HorzScrollBar", "KeyPreview",
    "OldCreateOrder", "PixelsPerInch", "PopupMenu",
    "PrintScale",     "Scaled",        "ShowHint",
    "VertScrollBar",  "Width",         HOST_PROP(TCustomActiveForm, AxBorderStyle).Default(afbNone),
    "OnActivate",     "OnClick",       "OnCreate",
    "OnDblClick",     "OnDestroy",     "OnDeactivate",
    "OnDragDrop",     "OnDragOver",    "OnKeyDown",
    "OnKeyPress",     "OnKeyUp",       "OnMouseDown",
    "OnMouseMove",    "OnMouseUp",     "OnPaint",
};
} // namespace
HOST_COMPONENT_METACLASS(TCustomActiveForm, TCustomForm, PropTable(ActiveFormProps));
HOST_COMPONENT_METACLASS(TDataModule, TComponent, PropTable(DataModuleProps));

// ---- TCustomForm ----

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FCanvas(new TControlCanvas), FIcon(new TIcon) {
    FCanvas->SetControl(this);
    FAutoScroll = false;
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csDoubleClicks};
    FVisible = false;
    FParentFont = false;
    FParentColor = false;
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    // The host's form font: 8 points of its sans serif (11 pixels high at 96 dpi).
    FFont->SetName("MS Sans Serif");
    FFont->SetHeight(-11);
    FFont->SetColor(clWindowText);
    FParentFont = false;
    Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Screen()->RemoveForm(this);
    FreeObject(FMDIClient);
    FIcon->Free();
    FreeObject(FAsLoaded.Font);
    FCanvas->Free();
}

void TCustomForm::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    // A form class of the program's reads its layout, as the host's constructor does: the form
    // files registered as resources named after it and its ancestors (text or binary), which
    // bind its published fields and handlers by name. A class without one is built in code.
    TClass c = ClassType();
    if (c != TForm::StaticClass() && c != TCustomForm::StaticClass() && !RuntimeFactory(c) &&
        !GetComponentState().Contains(csDesigning)) {
        FReadingLayout = true;
        try {
            InitInheritedComponent(this, TForm::StaticClass());
        } catch (...) {
            FReadingLayout = false;
            throw;
        }
        FReadingLayout = false;
    }
    DoCreate();
}

void TCustomForm::DoCreate() {
    // Once: at construction for a handler set by then, else after the form is read.
    if (FCreated || !FOnCreate || GetComponentState().Contains(csDesigning)) return;
    FCreated = true;
    FOnCreate(this);
}

void TCustomForm::BeforeDestruction() {
    if (FOnDestroy && !GetComponentState().Contains(csDesigning)) FOnDestroy(this);
    TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::SetClientWidth(Integer Value) {
    if (GetComponentState().Contains(csLoading))
        FPendingClientWidth = Value;
    else
        TScrollingWinControl::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(Integer Value) {
    if (GetComponentState().Contains(csLoading))
        FPendingClientHeight = Value;
    else
        TScrollingWinControl::SetClientHeight(Value);
}

void TCustomForm::Loaded() {
    TScrollingWinControl::Loaded();
    if (FPendingClientWidth >= 0) TScrollingWinControl::SetClientWidth(FPendingClientWidth);
    if (FPendingClientHeight >= 0) TScrollingWinControl::SetClientHeight(FPendingClientHeight);
    FPendingClientWidth = FPendingClientHeight = -1;
    if (FFromFile) {
        FAsLoaded.Left = FLeft, FAsLoaded.Top = FTop;
        FAsLoaded.Width = FWidth, FAsLoaded.Height = FHeight;
        FAsLoaded.ClientWidth = GetClientWidth(), FAsLoaded.ClientHeight = GetClientHeight();
        FAsLoaded.Color = FColor, FAsLoaded.OldCreateOrder = FOldCreateOrder;
        FAsLoaded.PixelsPerInch = FPixelsPerInch, FAsLoaded.TextHeight = FTextHeight;
        if (!FAsLoaded.Font) FAsLoaded.Font = new TFont;
        FAsLoaded.Font->Assign(FFont);
    }
    DoCreate(); // a form read from a file is created once its properties are in
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FMenu) {
        // The menu is going: the form forgets it without asking it anything.
        FMenu = nullptr;
        Realign();
        Invalidate();
    }
    if (AComponent == FActiveControl) FActiveControl = nullptr;
    if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

bool TCustomForm::IsFormSizeStored() const {
    return FAutoScroll || FHorzScrollBar->GetRange() != 0 || FVertScrollBar->GetRange() != 0;
}

void TCustomForm::SetStreamedProperties(std::vector<AnsiString> Names) {
    FFromFile = true;
    FStreamed = std::move(Names);
}

bool TCustomForm::Streamed(const char* Name) const {
    for (const AnsiString& n : FStreamed)
        if (SameText(n, Name)) return true;
    return false;
}

bool TCustomForm::AsRead(const char* Name, Integer Now, Integer Loaded) const {
    return !FFromFile || Streamed(Name) || Now != Loaded;
}

bool TCustomForm::SizeStored(const char* Name, bool Whole, Integer Now, Integer Loaded) const {
    if (!FFromFile) return Whole == IsFormSizeStored();
    // As the file gave the size: whole or client, and either when it changed since.
    bool any = Streamed("Width") || Streamed("Height") || Streamed("ClientWidth") ||
               Streamed("ClientHeight");
    bool whole = any ? Streamed("Width") || Streamed("Height") : IsFormSizeStored();
    return Whole == whole && (Streamed(Name) || Now != Loaded);
}

bool TCustomForm::IsWidthStored() const {
    return SizeStored("Width", true, FWidth, FAsLoaded.Width);
}
bool TCustomForm::IsHeightStored() const {
    return SizeStored("Height", true, FHeight, FAsLoaded.Height);
}
bool TCustomForm::IsClientWidthStored() const {
    return SizeStored("ClientWidth", false, const_cast<TCustomForm*>(this)->GetClientWidth(),
                      FAsLoaded.ClientWidth);
}
bool TCustomForm::IsClientHeightStored() const {
    return SizeStored("ClientHeight", false, const_cast<TCustomForm*>(this)->GetClientHeight(),
                      FAsLoaded.ClientHeight);
}

bool TCustomForm::IsFormColorStored() const {
    if (!FFromFile) return !FParentColor;
    return Streamed("Color") || FColor != FAsLoaded.Color;
}

bool TCustomForm::IsFormFontStored() const {
    if (!FFromFile) return !FParentFont;
    for (const AnsiString& n : FStreamed)
        if (n.size() > 5 && SameText(n.substr(0, 5), "Font.")) return true;
    const TFont* was = FAsLoaded.Font;
    return !was || FFont->GetName() != was->GetName() || FFont->GetHeight() != was->GetHeight() ||
           FFont->GetColor() != was->GetColor() || !(FFont->GetStyle() == was->GetStyle()) ||
           FFont->GetCharset() != was->GetCharset();
}

bool TCustomForm::IsOldCreateOrderStored() const {
    return AsRead("OldCreateOrder", FOldCreateOrder, FAsLoaded.OldCreateOrder);
}

void TCustomForm::DefineProperties(TFiler* Filer) {
    TScrollingWinControl::DefineProperties(Filer);
    bool control = FParent != nullptr; // a form inside another: no metrics of its own
    Filer->DefineProperty("PixelsPerInch", TReaderProc::Bind<&TCustomForm::ReadPixelsPerInch>(this),
                          TWriterProc::Bind<&TCustomForm::WritePixelsPerInch>(this),
                          !control &&
                              AsRead("PixelsPerInch", FPixelsPerInch, FAsLoaded.PixelsPerInch));
    Filer->DefineProperty("TextHeight", TReaderProc::Bind<&TCustomForm::ReadTextHeight>(this),
                          TWriterProc::Bind<&TCustomForm::WriteTextHeight>(this),
                          !control && AsRead("TextHeight", FTextHeight, FAsLoaded.TextHeight));
}

void TCustomForm::ReadPixelsPerInch(TReader* Reader) {
    FPixelsPerInch = Reader->ReadInteger();
}

void TCustomForm::WritePixelsPerInch(TWriter* Writer) {
    Writer->WriteInteger(FPixelsPerInch);
}

void TCustomForm::ReadTextHeight(TReader* Reader) {
    FTextHeight = Reader->ReadInteger();
}

void TCustomForm::WriteTextHeight(TWriter* Writer) {
    Writer->WriteInteger(FTextHeight);
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
    TScrollingWinControl::GetChildren(Proc, Root);
    if (Root != this) return;
    // Then the components the form owns that have no parent (menus, lists, ...).
    for (Integer i = 0; i < GetComponentCount(); ++i)
        if (TComponent* c = GetComponents(i); !c->HasParent()) Proc(c);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (Value == bsDialog) FAutoScroll = false;
    Realign();
    Invalidate();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    FBorderIcons = Value;
    Invalidate();
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (Value == FMenu) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    // The client size stays: a menu bar takes its room from the whole size.
    Integer clientHeight = GetClientHeight();
    FMenu = Value;
    if (Value) Value->FreeNotification(this);
    if (!GetComponentState().Contains(csLoading)) SetClientHeight(clientHeight);
    Realign();
    Invalidate();
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
    if (Value == FActiveControl) return;
    if (Value && (Value == this || !ContainsControl(Value) ||
                  (!GetComponentState().Contains(csLoading) && !Value->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
    FActiveControl = Value;
    if (Value) Value->FreeNotification(this);
    if (Value && FActive && !GetComponentState().Contains(csLoading))
        host::SetFocus(Value->GetHandle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
    SetActiveControl(Control);
    if (Control && FActive && !Control->Focused()) host::SetFocus(Control->GetHandle());
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (!Control || !Control->ContainsControl(FActiveControl)) return;
    TWinControl* next = Removing ? nullptr : Control->GetParent();
    if (next == this) next = nullptr;
    if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
    FActiveControl = next;
    if (next) next->FreeNotification(this);
    if (FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = next;
}

void TCustomForm::ChildFocused(TWinControl* Control) {
    SetFocusedControl(Control);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (!Control || (Control != this && !ContainsControl(Control))) return false;
    if (Control == FFocusedControl) return true;
    // Exit up from the control that had the focus to the one that holds both.
    TWinControl* at = FFocusedControl;
    while (at && at != this && !at->ContainsControl(Control)) {
        at->Perform(CM_EXIT, 0, 0);
        at = at->GetParent();
    }
    if (!at) at = this;
    // Enter down from there to the new one.
    while (at != Control) {
        TWinControl* step = Control;
        while (step->GetParent() != at) step = step->GetParent();
        at = step;
        at->Perform(CM_ENTER, 0, 0);
    }
    FFocusedControl = Control;
    if (Control != this && Control != FActiveControl) {
        if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
        FActiveControl = Control;
        Control->FreeNotification(this);
    }
    return true;
}

bool TCustomForm::IsShortCutKey(TWMKey& Message) {
    return Application()->IsShortCut(Message) || IsShortCut(Message);
}

bool TCustomForm::IsShortCut(TWMKey& Message) {
    bool handled = false;
    if (FOnShortCut) FOnShortCut(Message, handled);
    if (handled) return true;
    if (FMenu && FMenu->IsShortCut(Message)) return true;
    // The form's action lists, and those of the frames in it.
    std::function<bool(TComponent*)> lists = [&](TComponent* Owner) {
        for (Integer i = 0; i < Owner->GetComponentCount(); ++i) {
            TComponent* c = Owner->GetComponents(i);
            if (auto* list = dynamic_cast<TCustomActionList*>(c); list && list->IsShortCut(Message))
                return true;
            if (c->GetComponentState().Contains(csInline) && lists(c)) return true;
        }
        return false;
    };
    return lists(this);
}

void TCustomForm::CMDialogKey(TMessage& Message) {
    // Tab and Shift+Tab move the focus through the tab order.
    if (Word(Message.WParam) == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        !(Message.LParam & AltMask)) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message); // the controls' own: a default button's Enter
}

void TCustomForm::CMTextChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Invalidate(); // the caption bar shows the text
}

// ---- showing and closing ----

void TCustomForm::Show() {
    if (FVisible) return;
    PlaceOnShow();
    FShowing = true;
    SetVisible(true);
    DoShow();
    FActive = true;
    Screen()->FormActivated(this);
    if (FOnActivate) FOnActivate(this);
    // The keyboard goes to the active control, else to the first in tab order.
    TWinControl* focus = FActiveControl && FActiveControl->CanFocus()
                             ? FActiveControl
                             : FindNextControl(nullptr, true, true);
    if (focus)
        host::SetFocus(focus->GetHandle());
    else
        host::SetFocus(GetHandle());
}

void TCustomForm::Hide() {
    if (!FVisible) return;
    FShowing = false;
    if (TWinControl* f = FindControl(GetFocus()); f && ContainsControl(f)) host::SetFocus(0);
    SetVisible(false);
    DoHide();
    if (FActive) {
        FActive = false;
        if (FOnDeactivate) FOnDeactivate(this);
    }
    if (Screen()->GetActiveCustomForm() == nullptr) { // another shown form becomes active
        for (Integer i = Screen()->GetCustomFormCount() - 1; i >= 0; --i)
            if (TCustomForm* f = Screen()->GetCustomForms(i); f != this && f->GetVisible()) {
                Screen()->FormActivated(f);
                // Its control that had the keyboard has it again, as when a message box closes.
                TWinControl* to = f->FActiveControl;
                if (!GetFocus()) host::SetFocus((to && to->CanFocus() ? to : f)->GetHandle());
                break;
            }
    }
}

void TCustomForm::DoShow() {
    if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide() {
    if (FOnHide) FOnHide(this);
}

void TCustomForm::SetModalHook(TModalHook Hook, void* Data) {
    ModalHook = Hook;
    ModalHookData = Data;
}

TModalResult TCustomForm::ShowModal() {
    if (FVisible) throw EInvalidOperation("Cannot make a visible window modal");
    FModalResult = mrNone;
    FModal = true;
    Show();
    try {
        if (ModalHook) ModalHook(this, ModalHookData);
    } catch (...) {
        FModal = false;
        Hide();
        throw;
    }
    // Nothing (no hook, no input) closed it: it closes as cancelled.
    if (FModalResult == mrNone) FModalResult = mrCancel;
    FModal = false;
    Hide();
    return FModalResult;
}

bool TCustomForm::CloseQuery() {
    bool can = true;
    if (FOnCloseQuery) FOnCloseQuery(this, can);
    return can;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (FOnClose) FOnClose(this, Action);
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = FFormStyle == fsMDIChild ? caMinimize : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (FModalResult == mrNone) FModalResult = mrCancel;
    // Closing the main form ends its application.
    auto* app = dynamic_cast<TApplication*>(GetOwner());
    if (!app) app = Application();
    if (app->GetMainForm() == this) app->Terminate();
    if (action == caHide || action == caMinimize)
        Hide();
    else if (action == caFree)
        Release();
}

void TCustomForm::Release() {
    // Headless: the form's messages are handled by the time this returns.
    Free();
}

} // namespace host
