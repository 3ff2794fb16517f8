#include "host/controls/Dock.h"

#include "host/controls/WinControl.h"
#include "host/graphics/Canvas.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
void* DockTreeUnknown(TObject* o) {
    return static_cast<IUnknown*>(static_cast<TInterfacedObject*>(static_cast<TDockTree*>(o)));
}
void* DockTreeManager(TObject* o) {
    return static_cast<IDockManager*>(static_cast<TDockTree*>(o));
}
constexpr TInterfaceEntry DockTreeEntries[] = {{IUnknown::IID, &DockTreeUnknown},
                                               {IDockManager::IID, &DockTreeManager}};
constexpr TInterfaceTable DockTreeTable{2, DockTreeEntries};

bool Contains(const TRect& R, TPoint P) {
    return P.X >= R.Left && P.Y >= R.Top && P.X < R.Right && P.Y < R.Bottom;
}
TDockOrientation OrientationOf(TAlign Side) {
    return Side == alLeft || Side == alRight   ? doVertical
           : Side == alTop || Side == alBottom ? doHorizontal
                                               : doNoOrient;
}
} // namespace

HOST_METACLASS(TDragDockObject, TBaseDragControlObject);
HOST_METACLASS(TDockZone, TObject);
HOST_METACLASS(TDockTree, TInterfacedObject, {.Interfaces = &DockTreeTable});

// ---- TDragDockObject ----

TDragDockObject::TDragDockObject(TControl* AControl)
    : TBaseDragControlObject(AControl), FBrush(new TBrush) {
    FBrush->SetColor(clWhite);
}

TDragDockObject::~TDragDockObject() {
    FBrush->Free();
}

void TDragDockObject::Assign(TDragObject* Source) {
    TBaseDragControlObject::Assign(Source);
    if (auto* s = dynamic_cast<TDragDockObject*>(Source)) {
        FBrush->Assign(s->FBrush);
        FDockRect = s->FDockRect;
        FDropAlign = s->FDropAlign;
        FDropOnControl = s->FDropOnControl;
        FFloating = s->FFloating;
        FFrameWidth = s->FFrameWidth;
    }
}

void TDragDockObject::SetBrush(TBrush* Value) {
    FBrush->Assign(Value);
}

void TDragDockObject::FloatingRectAt(TPoint ScreenPos) {
    if (!FControl) return;
    Integer w = FControl->GetUndockWidth(), h = FControl->GetUndockHeight();
    Integer x = ScreenPos.X - Integer(FMouseDeltaX * w),
            y = ScreenPos.Y - Integer(FMouseDeltaY * h);
    FDockRect = {x, y, x + w, y + h};
}

void TDragDockObject::SiteAnswered(TControl* Site, bool Accepted) {
    FFloating = !(Site && Accepted);
    if (FFloating) {
        FDropOnControl = nullptr, FDropAlign = alNone;
        FloatingRectAt(FDragPos);
    }
}

void TDragDockObject::EndDrag(TObject* Target, Integer X, Integer Y) {
    if (FControl && LiveObjects::Find(FControl) == FControl) FControl->DoEndDock(Target, X, Y);
}

// ---- TDockZone ----

TDockZone::~TDockZone() {
    for (TDockZone* z : FChildZones) z->Free();
}

TDockZone* TDockZone::GetChildZone(Integer Index) const {
    if (Index < 0 || Index >= GetChildCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FChildZones[std::size_t(Index)];
}

TDockZone* TDockZone::GetPrevSibling() const {
    if (!FParentZone) return nullptr;
    auto& s = FParentZone->FChildZones;
    auto it = std::find(s.begin(), s.end(), this);
    return it == s.begin() ? nullptr : *(it - 1);
}

TDockZone* TDockZone::GetNextSibling() const {
    if (!FParentZone) return nullptr;
    auto& s = FParentZone->FChildZones;
    auto it = std::find(s.begin(), s.end(), this);
    return it == s.end() || it + 1 == s.end() ? nullptr : *(it + 1);
}

TDockOrientation TDockZone::AlongOrientation() const {
    return FParentZone ? FParentZone->FOrientation : FOrientation;
}

TRect TDockZone::GetBounds() const {
    if (!FTree) return {}; // a zone of no tree covers nothing
    if (!FParentZone) return FTree->SiteRect();
    TRect r = FParentZone->GetBounds();
    switch (FParentZone->FOrientation) {
    case doHorizontal: r.Top = GetLimitBegin(), r.Bottom = GetZoneLimit(); break;
    case doVertical: r.Left = GetLimitBegin(), r.Right = GetZoneLimit(); break;
    default: break;
    }
    return r;
}

Integer TDockZone::GetLimitBegin() const {
    if (TDockZone* prev = GetPrevSibling()) return prev->GetZoneLimit();
    TRect r = FParentZone ? FParentZone->GetBounds() : GetBounds();
    return AlongOrientation() == doHorizontal ? r.Top : r.Left;
}

Integer TDockZone::GetZoneLimit() const {
    if (GetNextSibling()) return FZoneLimit;
    TRect r = FParentZone ? FParentZone->GetBounds() : GetBounds();
    return AlongOrientation() == doHorizontal ? r.Bottom : r.Right;
}

void TDockZone::ResetChildren() {
    Integer n = GetChildCount();
    if (!FTree || n == 0 || FOrientation == doNoOrient) return;
    TRect r = GetBounds();
    Integer begin = FOrientation == doHorizontal ? r.Top : r.Left;
    Integer size = (FOrientation == doHorizontal ? r.Bottom : r.Right) - begin;
    for (Integer i = 0; i < n; ++i)
        FChildZones[std::size_t(i)]->FZoneLimit = begin + size * (i + 1) / n;
    FTree->ResetBounds(true);
}

void TDockZone::Update() {
    if (!FTree) return;
    if (FChildControl) {
        FChildControl->SetBoundsRect(FTree->ControlRect(this));
        FChildControl->SetDockOrientation(AlongOrientation());
    }
    for (TDockZone* z : FChildZones) z->Update();
}

// ---- TDockTree ----

TDockTree::TDockTree(TWinControl* DockSite) : FDockSite(DockSite), FTopZone(new TDockZone(this)) {
    if (!DockSite) throw EInvalidOperation("A dock tree needs a dock site");
}

TDockTree::~TDockTree() {
    FTopZone->Free();
}

TRect TDockTree::SiteRect() const {
    return FDockSite->GetClientRect();
}

bool TDockTree::ShowsGrabbers() const {
    // A control alone in a floating window is held by the window's caption bar instead.
    if (FDockSite->GetParent() || FTopZone->GetChildCount() > 1) return true;
    for (TClass c = FDockSite->ClassType(); c; c = c->Parent)
        if (c->ClassNameIs("TCustomDockForm")) return false;
    return true;
}

TRect TDockTree::ControlRect(const TDockZone* Zone) const {
    TRect r = Zone->GetBounds();
    if (ShowsGrabbers()) r.Top = std::min(r.Top + GrabberSize, r.Bottom);
    if (Zone->GetNextSibling()) { // the splitter to the next zone
        if (Zone->AlongOrientation() == doHorizontal)
            r.Bottom = std::max(r.Top, r.Bottom - SplitterWidth);
        else
            r.Right = std::max(r.Left, r.Right - SplitterWidth);
    }
    return r;
}

TDockZone* TDockTree::FindControlZone(TControl* Control) const {
    if (!Control) return nullptr;
    std::vector<TDockZone*> todo{FTopZone};
    while (!todo.empty()) {
        TDockZone* z = todo.back();
        todo.pop_back();
        if (z->FChildControl == Control) return z;
        todo.insert(todo.end(), z->FChildZones.begin(), z->FChildZones.end());
    }
    return nullptr;
}

TDockZone* TDockTree::NewZone(TControl* Control) {
    auto* z = new TDockZone(this);
    z->FChildControl = Control;
    return z;
}

void TDockTree::InsertBeside(TDockZone* Zone, TDockZone* Beside, TAlign Side) {
    TDockOrientation o = OrientationOf(Side);
    bool before = Side == alLeft || Side == alTop;
    TDockZone* parent = Beside->FParentZone;
    if (!parent) { // beside everything: the top zone gets a new top zone above it
        if (FTopZone->GetChildCount() <= 1 || FTopZone->FOrientation == o) {
            FTopZone->FOrientation = o;
            if (FTopZone->FChildZones.empty()) {
                Zone->FParentZone = FTopZone;
                FTopZone->FChildZones.push_back(Zone);
                return;
            }
            Beside = before ? FTopZone->FChildZones.front() : FTopZone->FChildZones.back();
            parent = FTopZone;
        } else {
            auto* top = new TDockZone(this);
            top->FOrientation = o;
            FTopZone->FParentZone = top;
            top->FChildZones.push_back(FTopZone);
            FTopZone = top;
            Beside = top->FChildZones.front();
            parent = top;
        }
    }
    if (parent->FOrientation != o && parent->GetChildCount() > 1) {
        // Beside's place becomes a zone of the new orientation holding it and the new one.
        auto* holder = new TDockZone(this);
        holder->FOrientation = o;
        holder->FParentZone = parent;
        holder->FZoneLimit = Beside->FZoneLimit;
        *std::find(parent->FChildZones.begin(), parent->FChildZones.end(), Beside) = holder;
        Beside->FParentZone = holder;
        holder->FChildZones.push_back(Beside);
        parent = holder;
    }
    parent->FOrientation = o;
    // The room Beside had is shared: half for each.
    Integer begin = Beside->GetLimitBegin(), end = Beside->GetZoneLimit();
    Integer mid = begin + (end - begin) / 2;
    auto at = std::find(parent->FChildZones.begin(), parent->FChildZones.end(), Beside);
    Zone->FParentZone = parent;
    if (before) {
        Zone->FZoneLimit = mid;
        parent->FChildZones.insert(at, Zone);
    } else {
        Zone->FZoneLimit = end;
        Beside->FZoneLimit = mid;
        parent->FChildZones.insert(at + 1, Zone);
    }
}

void TDockTree::InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) {
    if (!Control || FindControlZone(Control)) return;
    if (FReplacementZone) { // the place a replaced control kept
        FReplacementZone->FChildControl = Control;
        FReplacementZone = nullptr;
        ResetBounds(true);
        return;
    }
    TDockZone* beside = FindControlZone(DropCtl);
    if (InsertAt != alLeft && InsertAt != alRight && InsertAt != alTop && InsertAt != alBottom) {
        TDockZone* p = beside ? beside->FParentZone : FTopZone;
        InsertAt = p && p->FOrientation == doHorizontal ? alBottom : alRight;
    }
    InsertBeside(NewZone(Control), beside ? beside : FTopZone, InsertAt);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* Control) {
    TDockZone* z = FindControlZone(Control);
    if (!z) return;
    if (Control == FReplacingControl) { // its zone waits for the control that replaces it
        z->FChildControl = nullptr;
        FReplacementZone = z;
        FReplacingControl = nullptr;
        return;
    }
    if (z == FReplacementZone) FReplacementZone = nullptr;
    TDockZone* parent = z->FParentZone;
    if (!parent) { // the top zone itself held it
        z->FChildControl = nullptr;
        return;
    }
    // The room goes to the zone before it (or, for the first, to the one after it).
    TDockZone* prev = z->GetPrevSibling();
    if (prev && z->GetNextSibling()) prev->FZoneLimit = z->FZoneLimit;
    std::erase(parent->FChildZones, z);
    z->FChildZones.clear();
    z->Free();
    if (parent->GetChildCount() == 1) {
        TDockZone* only = parent->FChildZones.front();
        if (TDockZone* grand = parent->FParentZone) { // the lone child takes its parent's place
            only->FParentZone = grand;
            only->FZoneLimit = parent->FZoneLimit;
            *std::find(grand->FChildZones.begin(), grand->FChildZones.end(), parent) = only;
            parent->FChildZones.clear();
            parent->Free();
        } else if (!only->FChildControl) { // an inner zone becomes the top zone
            only->FParentZone = nullptr;
            parent->FChildZones.clear();
            parent->Free();
            FTopZone = only;
        } else {
            parent->FOrientation = doNoOrient;
        }
    } else if (parent->GetChildCount() == 0) {
        parent->FOrientation = doNoOrient;
    }
    ResetBounds(true);
}

void TDockTree::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) ResetBounds(true);
}

void TDockTree::ResetBounds(bool) {
    if (FUpdateCount > 0 || FResetting) return;
    FResetting = true;
    try {
        FTopZone->Update();
    } catch (...) {
        FResetting = false;
        throw;
    }
    FResetting = false;
}

void TDockTree::GetControlBounds(TControl* Control, TRect& CtlBounds) {
    if (TDockZone* z = FindControlZone(Control)) CtlBounds = ControlRect(z);
}

void TDockTree::PositionDockRect(TControl*, TControl* DropCtl, TAlign DropAlign, TRect& DockRect) {
    TDockZone* z = FindControlZone(DropCtl);
    TRect r = z ? z->GetBounds() : SiteRect();
    if (z || FTopZone->GetChildCount() > 0) {
        Integer w = r.Right - r.Left, h = r.Bottom - r.Top;
        switch (DropAlign) {
        case alLeft: r.Right = r.Left + w / 2; break;
        case alRight: r.Left = r.Right - w / 2; break;
        case alTop: r.Bottom = r.Top + h / 2; break;
        case alBottom: r.Top = r.Bottom - h / 2; break;
        default: break;
        }
    }
    TPoint a = FDockSite->ClientToScreen({r.Left, r.Top});
    DockRect = {a.X, a.Y, a.X + (r.Right - r.Left), a.Y + (r.Bottom - r.Top)};
}

TControl* TDockTree::FindDropControl(TPoint ClientPos, TControl* Client, TAlign& DropAlign) const {
    std::vector<TDockZone*> todo{FTopZone};
    while (!todo.empty()) {
        TDockZone* z = todo.back();
        todo.pop_back();
        todo.insert(todo.end(), z->FChildZones.begin(), z->FChildZones.end());
        TRect r = z->GetBounds();
        if (!z->FChildControl || z->FChildControl == Client || !Contains(r, ClientPos)) continue;
        // The side whose edge is nearest, relative to the zone's size.
        double w = std::max(1, r.Right - r.Left), h = std::max(1, r.Bottom - r.Top);
        double dl = (ClientPos.X - r.Left) / w, dr = (r.Right - ClientPos.X) / w;
        double dt = (ClientPos.Y - r.Top) / h, db = (r.Bottom - ClientPos.Y) / h;
        double m = std::min({dl, dr, dt, db});
        DropAlign = m == dl ? alLeft : m == dr ? alRight : m == dt ? alTop : alBottom;
        return z->FChildControl;
    }
    return nullptr;
}

void TDockTree::PaintSite(HDC DC) {
    if (!ShowsGrabbers()) return;
    TCanvas canvas;
    canvas.SetHandle(DC);
    std::vector<TDockZone*> todo{FTopZone};
    while (!todo.empty()) {
        TDockZone* z = todo.back();
        todo.pop_back();
        todo.insert(todo.end(), z->FChildZones.begin(), z->FChildZones.end());
        if (!z->FChildControl) continue;
        // The grab bar: two raised ridges and the close button at its end.
        TRect r = z->GetBounds();
        Integer closeLeft = r.Right - GrabberSize;
        for (Integer y : {r.Top + 3, r.Top + 7}) {
            canvas.GetPen()->SetColor(clBtnHighlight);
            canvas.MoveTo(r.Left + 2, y);
            canvas.LineTo(closeLeft - 2, y);
            canvas.GetPen()->SetColor(clBtnShadow);
            canvas.MoveTo(r.Left + 2, y + 1);
            canvas.LineTo(closeLeft - 2, y + 1);
        }
        canvas.GetPen()->SetColor(clBtnText);
        canvas.MoveTo(closeLeft + 2, r.Top + 2);
        canvas.LineTo(closeLeft + GrabberSize - 3, r.Top + GrabberSize - 3);
        canvas.MoveTo(closeLeft + GrabberSize - 4, r.Top + 2);
        canvas.LineTo(closeLeft + 1, r.Top + GrabberSize - 3);
    }
    canvas.SetHandle(0);
}

// ---- finding the site ----

TWinControl* FindDockSite(TDragDockObject* Source, TPoint ScreenPos, TControl* Hit) {
    if (!Hit || !Source) return nullptr;
    TControl* client = Source->GetControl();
    TWinControl* top = dynamic_cast<TWinControl*>(Hit);
    if (!top) top = Hit->GetParent();
    while (top && top->GetParent()) top = top->GetParent();
    if (!top) return nullptr;
    // The sites of the window, parents before their children.
    std::vector<TWinControl*> sites;
    std::vector<TWinControl*> todo{top};
    while (!todo.empty()) {
        TWinControl* w = todo.back();
        todo.pop_back();
        // The window itself may be hidden (the input API drives hidden forms too).
        if (w != top && !w->GetVisible()) continue;
        auto* self = dynamic_cast<TWinControl*>(client);
        if (self && self->ContainsControl(w)) continue; // not into itself
        // Not back into the floating window it is alone in.
        bool ownFloat =
            w == client->GetHostDockSite() && client->GetFloating() && w->GetDockClientCount() == 1;
        if (w->GetDockSite() && !ownFloat) sites.push_back(w);
        for (Integer i = w->GetControlCount() - 1; i >= 0; --i)
            if (auto* c = dynamic_cast<TWinControl*>(w->GetControls(i))) todo.push_back(c);
    }
    for (auto it = sites.rbegin(); it != sites.rend(); ++it) {
        TRect influence;
        bool canDock = true;
        (*it)->GetSiteInfo(client, influence, ScreenPos, canDock);
        if (canDock && Contains(influence, ScreenPos)) return *it;
    }
    return nullptr;
}

} // namespace host
