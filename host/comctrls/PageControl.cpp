#include "host/comctrls/PageControl.h"

#include "host/classes/Reader.h"
#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/forms/Form.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
// A sheet fills its page control's display area, so its place is not the form's to keep.
constexpr TPropInfo TabSheetProps[] = {
    "BorderWidth",
    "Caption",
    "DragMode",
    "Enabled",
    "Font",
    HOST_PROP(TTabSheet, Height).Stored(false),
    HOST_PROP(TTabSheet, ImageIndex).Default(0),
    HOST_PROP(TTabSheet, Left).Stored(false),
    "Constraints",
    HOST_PROP(TTabSheet, PageIndex).Stored(false),
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    HOST_PROP(TTabSheet, TabVisible).Default(true),
    HOST_PROP(TTabSheet, Top).Stored(false),
    HOST_PROP(TTabSheet, Visible).Stored(false),
    HOST_PROP(TTabSheet, Width).Stored(false),
    "OnDragDrop",
    "OnDragOver",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    HOST_PROP(TTabSheet, OnHide),
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnResize",
    HOST_PROP(TTabSheet, OnShow),
    "OnStartDrag",
};
constexpr TPropInfo PageControlProps[] = {
    HOST_PROP(TPageControl, ActivePage),
    "Align",
    "Anchors",
    "BiDiMode",
    "Constraints",
    "DockSite",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "Font",
    "HotTrack",
    "Images",
    "MultiLine",
    "OwnerDraw",
    "ParentBiDiMode",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "RaggedRight",
    "ScrollOpposite",
    "ShowHint",
    "Style",
    "TabHeight",
    "TabOrder",
    "TabPosition",
    "TabStop",
    "TabWidth",
    "Visible",
    "OnChange",
    "OnChanging",
    "OnDockDrop",
    "OnDockOver",
    "OnDragDrop",
    "OnDragOver",
    "OnDrawTab",
    "OnEndDock",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    "OnGetImageIndex",
    "OnGetSiteInfo",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnResize",
    "OnStartDock",
    "OnStartDrag",
    "OnUnDock",
};
} // namespace

const TMessageEntry TTabSheet::Messages[] = {
    HOST_ON(TTabSheet, CM_TEXTCHANGED, CMTextChanged),
};
HOST_COMPONENT_METACLASS(TTabSheet, TWinControl,
                         PropTable(TabSheetProps, MessageTable(TTabSheet::Messages)));
HOST_COMPONENT_METACLASS(TPageControl, TCustomTabControl, PropTable(PageControlProps));

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle += csAcceptsControls;
    SetColor(clBtnFace); // the brush too: a sheet paints only its background
    FVisible = false;
    SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    if (Value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value) Value->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* Value) {
    if (auto* pc = dynamic_cast<TPageControl*>(Value)) return SetPageControl(pc);
    TWinControl::SetParentComponent(Value);
}

void TTabSheet::ReadState(TReader* Reader) {
    // A sheet read inside a page control joins it after the sheets read before it.
    if (auto* pc = dynamic_cast<TPageControl*>(Reader->GetParent())) SetPageControl(pc);
    TWinControl::ReadState(Reader);
}

Integer TTabSheet::GetPageIndex() const {
    if (!FPageControl) return -1;
    auto& p = FPageControl->FPages;
    return Integer(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(Integer Value) {
    if (!FPageControl) return;
    auto& p = FPageControl->FPages;
    Value = std::clamp<Integer>(Value, 0, Integer(p.size()) - 1);
    Integer cur = GetPageIndex();
    if (cur == Value) return;
    p.erase(p.begin() + cur);
    p.insert(p.begin() + Value, this);
    FPageControl->UpdateTabs();
}

Integer TTabSheet::GetTabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    Integer n = 0;
    for (TTabSheet* s : FPageControl->FPages) {
        if (s == this) return n;
        if (s->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
    if (Value == FTabVisible) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(Integer Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    if (FPageControl) FPageControl->Invalidate();
}

void TTabSheet::SetHighlighted(bool Value) {
    if (Value == FHighlighted) return;
    FHighlighted = Value;
    if (FPageControl) FPageControl->Invalidate();
}

void TTabSheet::CMTextChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    TextChanged();
}

void TTabSheet::TextChanged() {
    Integer i = GetTabIndex();
    if (i >= 0) FPageControl->FTabs->SetStrings(i, GetCaption());
}

void TTabSheet::DoShow() {
    if (FOnShow) FOnShow(this);
}

void TTabSheet::DoHide() {
    if (FOnHide) FOnHide(this);
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
    FControlStyle -= csAcceptsControls; // only sheets go on a page control
}

TPageControl::~TPageControl() {
    // The sheets outlive their list: they leave it before the base frees its children.
    for (TTabSheet* s : FPages) s->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::GetPages(Integer Index) const {
    if (Index < 0 || Index >= GetPageCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FPages[std::size_t(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
    FPages.push_back(Page);
    Page->FPageControl = this;
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page) {
    TTabSheet* next = Page == FActivePage ? FindNextPage(Page, true, true) : nullptr;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    Page->FPageControl = nullptr;
    if (Page == FActivePage) {
        FActivePage = nullptr;
        if (next == Page) next = nullptr;
        if (!GetComponentState().Contains(csDestroying)) SetActivePage(next);
    }
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    FTabs->BeginUpdate();
    FTabs->Clear();
    for (TTabSheet* s : FPages)
        if (s->FTabVisible) FTabs->AddObject(s->GetCaption(), s);
    FTabs->EndUpdate();
    FTabIndex = -1;
    SetTabIndex(FActivePage ? FActivePage->GetTabIndex() : -1);
    Invalidate();
}

TTabSheet* TPageControl::PageOfTab(Integer TabIndex) const {
    if (TabIndex < 0 || TabIndex >= FTabs->GetCount()) return nullptr;
    return static_cast<TTabSheet*>(FTabs->GetObjects(TabIndex));
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    if (Value && Value->FPageControl != this) return;
    if (GetComponentState().Contains(csLoading)) {
        FActivePage = Value; // shown once every sheet is read
        return;
    }
    if (Value == FActivePage && (!Value || Value->GetVisible())) return;
    TTabSheet* old = FActivePage;
    FActivePage = Value;
    if (Value) {
        Value->BringToFront();
        Value->SetVisible(true);
    }
    if (old && old != Value) {
        // The keyboard does not stay on a page going out of sight: the page control takes it.
        if (TCustomForm* form = GetParentForm(this);
            form && old->ContainsControl(form->GetActiveControl())) {
            if (CanFocus())
                SetFocus();
            else
                form->SetActiveControl(nullptr);
        }
        old->SetVisible(false);
        old->DoHide();
    }
    if (Value && Value != old) Value->DoShow();
    SetTabIndex(Value ? Value->GetTabIndex() : -1);
}

Integer TPageControl::GetActivePageIndex() const {
    return FActivePage ? FActivePage->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(Integer Value) {
    SetActivePage(Value >= 0 && Value < GetPageCount() ? FPages[std::size_t(Value)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) {
    Integer count = GetPageCount();
    if (count == 0) return nullptr;
    Integer start = CurPage ? CurPage->GetPageIndex() : -1;
    if (start < 0 || start >= count) start = GoForward ? count - 1 : 0;
    Integer i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* s = FPages[std::size_t(i)];
        if (!CheckTabVisible || s->FTabVisible) return s;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
    TTabSheet* page = FindNextPage(FActivePage, GoForward, true);
    if (!page || page == FActivePage || !CanChange()) return;
    SetActivePage(page);
    Change();
}

void TPageControl::SelectNextTab(bool GoForward) {
    SelectNextPage(GoForward);
}

void TPageControl::Change() {
    // The user picked a tab: its sheet shows before OnChange hears of it.
    if (TTabSheet* s = PageOfTab(FTabIndex); s && s != FActivePage) SetActivePage(s);
    TCustomTabControl::Change();
}

Integer TPageControl::GetImageIndex(Integer TabIndex) {
    TTabSheet* s = PageOfTab(TabIndex);
    Integer index = s ? s->FImageIndex : TabIndex;
    if (FOnGetImageIndex) FOnGetImageIndex(this, TabIndex, index);
    return index;
}

void TPageControl::DrawTab(Integer TabIndex, const TRect& Rect, bool Active) {
    TTabSheet* s = PageOfTab(TabIndex);
    if (s && s->FHighlighted && !FOnDrawTab) {
        FCanvas->GetBrush()->SetColor(clHighlight);
        FCanvas->FillRect(Rect);
    }
    TCustomTabControl::DrawTab(TabIndex, Rect, Active);
}

void TPageControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (TTabSheet* s : FPages)
        if (s->GetOwner() == Root || !Root) Proc(s);
}

void TPageControl::SetChildOrder(TComponent* Child, Integer Order) {
    if (auto* s = dynamic_cast<TTabSheet*>(Child); s && s->FPageControl == this)
        s->SetPageIndex(Order);
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    TTabSheet* page = FActivePage;
    FActivePage = nullptr;
    SetActivePage(page);
}

} // namespace host
