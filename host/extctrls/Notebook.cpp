#include "host/extctrls/Notebook.h"

#include "host/classes/Reader.h"
#include "host/classes/Strings.h"
#include "host/classes/TypInfoRows.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
// A page's place and size are the notebook's to decide, so only its name is written.
constexpr TPropInfo PageProps[] = {
    "Caption",
    HOST_PROP(TPage, Height).Stored(false),
    HOST_PROP(TPage, TabOrder).Stored(false),
    HOST_PROP(TPage, Visible).Stored(false),
    HOST_PROP(TPage, Width).Stored(false),
};
constexpr TPropInfo NotebookProps[] = {
    HOST_PROP(TNotebook, ActivePage).Stored(false),
    "Align",
    "Anchors",
    "Color",
    "Constraints",
    "Ctl3D",
    "DragCursor",
    "DragMode",
    "Font",
    "Enabled",
    HOST_PROP(TNotebook, PageIndex).Default(0),
    HOST_PROP(TNotebook, Pages).Stored(false),
    "ParentColor",
    "ParentCtl3D",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    "TabOrder",
    "TabStop",
    "Visible",
    "OnClick",
    "OnDblClick",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    HOST_PROP(TNotebook, OnPageChanged),
    "OnStartDrag",
};
} // namespace

HOST_COMPONENT_METACLASS(TPage, TCustomControl, PropTable(PageProps));
HOST_COMPONENT_METACLASS(TNotebook, TCustomControl, PropTable(NotebookProps));

/// The notebook's Pages: each item is a page, named by its caption.
class TPageAccess : public TStrings {
public:
    explicit TPageAccess(TNotebook* Notebook) : FNotebook(Notebook) {}
    Integer GetCount() const override { return FNotebook->GetPageCount(); }
    void Clear() override {
        while (GetCount() > 0) FNotebook->DeletePage(GetCount() - 1);
    }
    void Delete(Integer Index) override {
        Check(Index);
        FNotebook->DeletePage(Index);
    }
    void Insert(Integer Index, const AnsiString& S) override {
        if (Index < 0 || Index > GetCount()) Error(Index);
        FNotebook->InsertPage(Index, S);
    }
    void Move(Integer CurIndex, Integer NewIndex) override {
        Check(CurIndex), Check(NewIndex);
        FNotebook->MovePage(CurIndex, NewIndex);
    }
    AnsiString Get(Integer Index) override {
        Check(Index);
        return FNotebook->GetPage(Index)->GetCaption();
    }
    void Put(Integer Index, const AnsiString& S) override {
        Check(Index);
        FNotebook->GetPage(Index)->SetCaption(S);
    }
    /// The page itself.
    TObject* GetObject(Integer Index) override {
        Check(Index);
        return FNotebook->GetPage(Index);
    }
    void PutObject(Integer, TObject*) override {} // pages are not replaced through the list

private:
    void Check(Integer Index) const {
        if (Index < 0 || Index >= GetCount()) Error(Index);
    }
    [[noreturn]] static void Error(Integer Index) {
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    }
    TNotebook* FNotebook;
};

// ---- TPage ----

TPage::TPage(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle += csAcceptsControls;
    FVisible = false;
    SetAlign(alClient);
}

TPage::~TPage() {
    if (FNotebook) {
        auto& list = FNotebook->FPageList;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TPage::ReadState(TReader* Reader) {
    // A page read from a form joins the notebook it is read into, after the pages before it.
    if (auto* nb = dynamic_cast<TNotebook*>(Reader->GetParent()); nb && !FNotebook) {
        FNotebook = nb;
        nb->FPageList.push_back(this);
    }
    TCustomControl::ReadState(Reader);
}

void TPage::Paint() {
    if (!GetComponentState().Contains(csDesigning)) return;
    FCanvas->GetPen()->SetStyle(psDash);
    FCanvas->GetBrush()->SetStyle(bsClear);
    FCanvas->Rectangle(0, 0, FWidth, FHeight);
}

// ---- TNotebook ----

TNotebook::TNotebook(TComponent* AOwner) : TCustomControl(AOwner), FAccess(new TPageAccess(this)) {
    FControlStyle = {csClickEvents, csDoubleClicks, csOpaque};
    SetBounds(FLeft, FTop, 150, 150);
    InsertPage(0, "Default");
    Show(0);
}

TNotebook::~TNotebook() {
    // The pages go first, while the list they leave is still here.
    while (!FPageList.empty()) FPageList.back()->Free();
    FAccess->Free();
}

void TNotebook::SetPages(TStrings* Value) {
    FAccess->Assign(Value);
}

TPage* TNotebook::InsertPage(Integer Index, const AnsiString& Name) {
    auto* page = new TPage(this);
    page->FNotebook = this;
    FPageList.insert(FPageList.begin() + Index, page);
    page->SetCaption(Name);
    page->SetParent(this);
    if (FPageIndex >= Index && FPageIndex >= 0 && FPageList.size() > 1) ++FPageIndex;
    if (FPageIndex < 0 && !GetComponentState().Contains(csLoading)) Show(Index);
    return page;
}

void TNotebook::DeletePage(Integer Index) {
    TPage* page = FPageList.at(std::size_t(Index));
    page->Free(); // leaves the list
    if (FPageList.empty()) {
        FPageIndex = -1;
        return;
    }
    if (Index < FPageIndex) {
        --FPageIndex;
    } else if (Index == FPageIndex) {
        // The active page went: its neighbour shows in its place.
        FPageIndex = -1;
        SetPageIndex(std::min<Integer>(Index, GetPageCount() - 1));
    }
}

void TNotebook::MovePage(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    TPage* active = FPageIndex >= 0 ? FPageList[std::size_t(FPageIndex)] : nullptr;
    TPage* page = FPageList[std::size_t(CurIndex)];
    FPageList.erase(FPageList.begin() + CurIndex);
    FPageList.insert(FPageList.begin() + NewIndex, page);
    if (active)
        FPageIndex =
            Integer(std::find(FPageList.begin(), FPageList.end(), active) - FPageList.begin());
}

void TNotebook::Show(Integer Index) {
    for (Integer i = 0; i < GetPageCount(); ++i)
        if (i != Index) FPageList[std::size_t(i)]->SetVisible(false);
    FPageIndex = Index;
    if (Index >= 0) {
        TPage* page = FPageList[std::size_t(Index)];
        page->BringToFront();
        page->SetVisible(true);
    }
}

void TNotebook::SetPageIndex(Integer Value) {
    if (GetComponentState().Contains(csLoading)) {
        FPageIndex = Value; // shown once every page is read
        return;
    }
    if (Value == FPageIndex || Value < 0 || Value >= GetPageCount()) return;
    Show(Value);
    if (FOnPageChanged) FOnPageChanged(this);
}

AnsiString TNotebook::GetActivePage() const {
    return FPageIndex >= 0 && FPageIndex < GetPageCount()
               ? FPageList[std::size_t(FPageIndex)]->GetCaption()
               : AnsiString();
}

void TNotebook::SetActivePage(const AnsiString& Value) {
    for (Integer i = 0; i < GetPageCount(); ++i)
        if (SameText(FPageList[std::size_t(i)]->GetCaption(), Value)) return SetPageIndex(i);
    throw EListError("Page not found: '" + Value + "'");
}

void TNotebook::GetChildren(TGetChildProc Proc, TComponent*) {
    for (TPage* page : FPageList) Proc(page);
}

void TNotebook::ReadState(TReader* Reader) {
    // The form holds the pages: the default one goes.
    while (!FPageList.empty()) FPageList.back()->Free();
    FPageIndex = -1;
    TCustomControl::ReadState(Reader);
}

void TNotebook::Loaded() {
    TCustomControl::Loaded();
    Integer index = FPageIndex;
    if (index < 0 || index >= GetPageCount()) index = GetPageCount() > 0 ? 0 : -1;
    Show(index);
}

void TNotebook::SetChildOrder(TComponent* Child, Integer Order) {
    auto it = std::find(FPageList.begin(), FPageList.end(), Child);
    if (it == FPageList.end()) return;
    MovePage(Integer(it - FPageList.begin()), std::clamp<Integer>(Order, 0, GetPageCount() - 1));
}

} // namespace host
