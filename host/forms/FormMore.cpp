// The rest of a form's window: its icon and state, placing it as Position and WindowState say,
// printing it, help, and the MDI frame with its children.
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"

#include <algorithm>

namespace host {

namespace {
std::vector<TBitmap*>& Pages() {
    static std::vector<TBitmap*>* pages = new std::vector<TBitmap*>; // the program's printer
    return *pages;
}
constexpr Integer PageWidth = 816, PageHeight = 1056; // a letter page at 96 dpi
constexpr Integer CascadeStep = 23;                   // a caption bar and a frame
} // namespace

std::vector<TBitmap*>& PrintedPages() {
    return Pages();
}

void ClearPrintedPages() {
    for (TBitmap* b : Pages()) b->Free();
    Pages().clear();
}

void TCustomForm::SetIcon(TIcon* Value) {
    FIcon->Assign(Value);
    Invalidate();
}

TFormState TCustomForm::GetFormState() const {
    TFormState s;
    if (FReadingLayout || (!FCreated && FOnCreate)) s += fsCreating;
    if (FVisible) s += fsVisible;
    if (FShowing) s += fsShowing;
    if (FModal) s += fsModal;
    if (FActive) s += fsActivated;
    return s;
}

TMonitor* TCustomForm::GetMonitor() const {
    return Screen()->GetMonitors(0);
}

bool TCustomForm::WantChildKey(TControl*, TMessage&) {
    return false;
}

void TCustomForm::SendCancelMode(TControl*) {
    // Headless: nothing tracks the mouse but the capture, which ends here.
    Perform(CM_CANCELMODE, 0, 0);
}

void TCustomForm::Print() {
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> image(GetFormImage(),
                                                       [](TBitmap* b) { b->Free(); });
    auto* page = new TBitmap;
    page->SetSize(PageWidth, PageHeight);
    Integer w = FWidth, h = FHeight;
    if (FPrintScale == poPrintToFit && w > 0 && h > 0) {
        // As large as the page allows, in proportion.
        if (static_cast<long long>(h) * PageWidth <= static_cast<long long>(w) * PageHeight)
            h = Integer(static_cast<long long>(h) * PageWidth / w), w = PageWidth;
        else
            w = Integer(static_cast<long long>(w) * PageHeight / h), h = PageHeight;
    }
    // poProportional scales by the printer's resolution over the screen's: both 96 here.
    page->GetCanvas()->StretchDraw({0, 0, w, h}, image.get());
    Pages().push_back(page);
}

void TCustomForm::PlaceOnShow() {
    TCustomForm* main = Application()->GetMainForm();
    auto centreOver = [&](TRect Area) {
        SetBounds(Area.Left + (Area.Right - Area.Left - FWidth) / 2,
                  Area.Top + (Area.Bottom - Area.Top - FHeight) / 2, FWidth, FHeight);
    };
    TRect screen{0, 0, Screen()->GetWidth(), Screen()->GetHeight()};
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: centreOver(screen); break;
    case poMainFormCenter: centreOver(main && main != this ? main->GetBoundsRect() : screen); break;
    case poOwnerFormCenter:
        if (auto* owner = dynamic_cast<TCustomForm*>(GetOwner()))
            centreOver(owner->GetBoundsRect());
        else
            centreOver(screen);
        break;
    default: break;
    }
    if (FWindowState == wsMaximized) {
        // The frame lies just outside the screen, as the platform maximises.
        TRect b = GetBorderInsets();
        FNormalBounds = GetBoundsRect();
        SetBounds(-b.Left, -b.Left, screen.Right + 2 * b.Left, screen.Bottom + 2 * b.Left);
    }
}

// ---- MDI ----

HWND TCustomForm::GetClientHandle() {
    if (FFormStyle != fsMDIForm) return 0;
    // The MDI client window: a window of its own (not one of the form's controls).
    if (!FMDIClient) FMDIClient = new TWinControl(nullptr);
    return FMDIClient->GetHandle();
}

Integer TCustomForm::GetMDIChildCount() const {
    if (FFormStyle != fsMDIForm) return 0;
    Integer n = 0;
    for (Integer i = 0; i < Screen()->GetCustomFormCount(); ++i)
        n += Screen()->GetCustomForms(i)->FFormStyle == fsMDIChild;
    return n;
}

TCustomForm* TCustomForm::GetMDIChildren(Integer I) const {
    if (FFormStyle == fsMDIForm)
        for (Integer i = 0; i < Screen()->GetCustomFormCount(); ++i)
            if (TCustomForm* f = Screen()->GetCustomForms(i);
                f->FFormStyle == fsMDIChild && I-- == 0)
                return f;
    throw EListError("List index out of bounds (" + std::to_string(I) + ")");
}

TCustomForm* TCustomForm::GetActiveMDIChild() const {
    if (FFormStyle != fsMDIForm) return nullptr;
    TCustomForm* active = Screen()->GetActiveCustomForm();
    if (active && active->FFormStyle == fsMDIChild) return active;
    // Else the last shown of them.
    for (Integer i = Screen()->GetCustomFormCount() - 1; i >= 0; --i)
        if (TCustomForm* f = Screen()->GetCustomForms(i);
            f->FFormStyle == fsMDIChild && f->FVisible)
            return f;
    return nullptr;
}

void TCustomForm::Cascade() {
    Integer at = 0;
    for (Integer i = 0; i < GetMDIChildCount(); ++i) {
        TCustomForm* c = GetMDIChildren(i);
        if (!c->FVisible || c->FWindowState == wsMinimized) continue;
        c->SetBounds(at * CascadeStep, at * CascadeStep, c->FWidth, c->FHeight);
        ++at;
    }
}

void TCustomForm::Tile() {
    std::vector<TCustomForm*> shown;
    for (Integer i = 0; i < GetMDIChildCount(); ++i)
        if (TCustomForm* c = GetMDIChildren(i); c->FVisible && c->FWindowState != wsMinimized)
            shown.push_back(c);
    if (shown.empty()) return;
    Integer n = Integer(shown.size()), w = GetClientWidth(), h = GetClientHeight();
    for (Integer i = 0; i < n; ++i) {
        if (FTileMode == tbHorizontal) // one above another, the width shared by none
            shown[std::size_t(i)]->SetBounds(0, h * i / n, w, h * (i + 1) / n - h * i / n);
        else
            shown[std::size_t(i)]->SetBounds(w * i / n, 0, w * (i + 1) / n - w * i / n, h);
    }
}

void TCustomForm::ArrangeIcons() {
    constexpr Integer IconWidth = 160, IconHeight = 24; // a minimised child's caption bar
    Integer at = 0;
    for (Integer i = 0; i < GetMDIChildCount(); ++i)
        if (TCustomForm* c = GetMDIChildren(i); c->FWindowState == wsMinimized) {
            c->SetBounds(at * IconWidth, GetClientHeight() - IconHeight, c->FWidth, c->FHeight);
            ++at;
        }
}

namespace {
void Activate(TCustomForm* Form) {
    Form->Show();
    Screen()->FormActivated(Form);
}
} // namespace

void TCustomForm::Next() {
    Integer n = GetMDIChildCount();
    if (n < 2) return;
    TCustomForm* active = GetActiveMDIChild();
    for (Integer i = 0; i < n; ++i)
        if (GetMDIChildren(i) == active) return Activate(GetMDIChildren((i + 1) % n));
}

void TCustomForm::Previous() {
    Integer n = GetMDIChildCount();
    if (n < 2) return;
    TCustomForm* active = GetActiveMDIChild();
    for (Integer i = 0; i < n; ++i)
        if (GetMDIChildren(i) == active) return Activate(GetMDIChildren((i + n - 1) % n));
}

void TCustomForm::PaintOverChildren(HDC ClientDC) {
    // An MDI frame shows its children inside its client area, where they stand.
    if (FFormStyle != fsMDIForm) return;
    for (Integer i = 0; i < GetMDIChildCount(); ++i)
        if (TCustomForm* c = GetMDIChildren(i); c->FVisible && c->FWindowState != wsMinimized)
            c->PaintTo(ClientDC, c->FLeft, c->FTop);
}

// ---- TCustomActiveForm ----

TCustomActiveForm::TCustomActiveForm(TComponent* AOwner) : TCustomForm(AOwner) {
    SetBorderStyle(bsNone);
}

void TCustomActiveForm::SetAxBorderStyle(TActiveFormBorderStyle Value) {
    if (Value == FAxBorderStyle) return;
    FAxBorderStyle = Value;
    SetBorderStyle(Value == afbNone ? bsNone : bsSingle);
}

TCustomForm* GetParentForm(TControl* Control) {
    while (Control && Control->GetParent()) Control = Control->GetParent();
    return dynamic_cast<TCustomForm*>(Control);
}

} // namespace host
