#include "host/controls/WinControl.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/ControlActionLink.h"
#include "host/controls/Dock.h"
#include "host/graphics/Canvas.h"
#include "host/menus/Menu.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace host {

namespace {
constexpr TPropInfo WinControlProps[] = {
    HOST_PROP(TWinControl, HelpContext).Default(0).Stored<&TWinControl::IsHelpContextStored>(),
    HOST_PROP(TWinControl, BevelEdges)
        .Default(TBevelEdges{beLeft, beTop, beRight, beBottom})
        .Unpublished(),
    HOST_PROP(TWinControl, BevelInner).Default(bvRaised).Unpublished(),
    HOST_PROP(TWinControl, BevelOuter).Default(bvRaised).Unpublished(),
    HOST_PROP(TWinControl, BevelKind).Default(bkNone).Unpublished(),
    HOST_PROP(TWinControl, BevelWidth).Default(1).Unpublished(),
    HOST_PROP(TWinControl, BorderWidth).Default(0).Unpublished(),
    HOST_PROP(TWinControl, Ctl3D).Stored<&TWinControl::IsCtl3DStored>().Unpublished(),
    HOST_PROP(TWinControl, DoubleBuffered).Unpublished(),
    HOST_PROP(TWinControl, ImeMode).Default(imDontCare).Unpublished(),
    HOST_PROP(TWinControl, ImeName).Unpublished(),
    HOST_PROP(TWinControl, ParentCtl3D).Default(true).Unpublished(),
    HOST_PROP(TWinControl, TabOrder).Default(-1).Unpublished(),
    HOST_PROP(TWinControl, TabStop).Default(false).Unpublished(),
    HOST_PROP(TWinControl, OnEnter).Unpublished(),
    HOST_PROP(TWinControl, OnExit).Unpublished(),
    HOST_PROP(TWinControl, OnKeyDown).Unpublished(),
    HOST_PROP(TWinControl, OnKeyPress).Unpublished(),
    HOST_PROP(TWinControl, OnKeyUp).Unpublished(),
    HOST_PROP(TWinControl, OnMouseWheel).Unpublished(),
    HOST_PROP(TWinControl, OnMouseWheelDown).Unpublished(),
    HOST_PROP(TWinControl, OnMouseWheelUp).Unpublished(),
    // ---- docking ----
    HOST_PROP(TWinControl, DockSite).Default(false).Unpublished(),
    HOST_PROP(TWinControl, UseDockManager).Default(false).Unpublished(),
    HOST_PROP(TWinControl, OnDockDrop).Unpublished(),
    HOST_PROP(TWinControl, OnDockOver).Unpublished(),
    HOST_PROP(TWinControl, OnGetSiteInfo).Unpublished(),
    HOST_PROP(TWinControl, OnUnDock).Unpublished(),
};

// The headless windows: handles are never reused, so a stale one finds nothing.
struct Windows {
    std::mutex Lock;
    HWND Next = 0x10000;
    std::map<HWND, TWinControl*> Controls;
    HWND Focus = 0;
};
Windows& TheWindows() {
    static Windows* w = new Windows; // used until the very end of the program
    return *w;
}
} // namespace

const TMessageEntry TWinControl::Messages[] = {
    HOST_ON(TWinControl, CN_KEYDOWN, CNKeyDown),
    HOST_ON(TWinControl, CN_SYSKEYDOWN, CNKeyDown),
    HOST_ON(TWinControl, CN_CHAR, CNChar),
    HOST_ON(TWinControl, CN_SYSCHAR, CNChar),
    HOST_ON(TWinControl, WM_KEYDOWN, WMKeyDown),
    HOST_ON(TWinControl, WM_SYSKEYDOWN, WMKeyDown),
    HOST_ON(TWinControl, WM_KEYUP, WMKeyUp),
    HOST_ON(TWinControl, WM_SYSKEYUP, WMKeyUp),
    HOST_ON(TWinControl, WM_CHAR, WMChar),
    HOST_ON(TWinControl, WM_SETFOCUS, WMSetFocus),
    HOST_ON(TWinControl, WM_MOUSEWHEEL, WMMouseWheel),
    HOST_ON(TWinControl, CM_MOUSEWHEEL, CMMouseWheel),
    HOST_ON(TWinControl, CM_PARENTCTL3DCHANGED, CMParentCtl3DChanged),
    HOST_ON(TWinControl, CM_ENTER, CMEnter),
    HOST_ON(TWinControl, CM_DIALOGKEY, CMDialogMessage),
    HOST_ON(TWinControl, CM_DIALOGCHAR, CMDialogMessage),
    HOST_ON(TWinControl, CM_EXIT, CMExit),
    HOST_ON(TWinControl, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TWinControl, CM_COLORCHANGED, CMColorChanged),
    HOST_ON(TWinControl, CM_SHOWHINTCHANGED, CMShowHintChanged),
    HOST_ON(TWinControl, CM_BIDIMODECHANGED, CMBiDiModeChanged),
};
HOST_COMPONENT_METACLASS(TWinControl, TControl,
                         PropTable(WinControlProps, MessageTable(TWinControl::Messages)));

TWinControl* FindControl(HWND Handle) {
    Windows& w = TheWindows();
    std::lock_guard<std::mutex> lock(w.Lock);
    auto it = w.Controls.find(Handle);
    return it == w.Controls.end() ? nullptr : it->second;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(new TBrush) {
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
    // It leaves its parent while it is still a windowed control (the parent keeps those apart).
    if (FParent) SetParent(nullptr);
    // Children the owner frees later must not reach back into this control.
    while (!FControls.empty()) FControls.back()->SetParent(nullptr);
    while (!FWinControls.empty()) FWinControls.back()->SetParent(nullptr);
    DestroyHandle();
    FBrush->Free();
}

// ---- children ----

TControl* TWinControl::GetControls(Integer Index) const {
    if (Index < 0 || Index >= GetControlCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    std::size_t i = std::size_t(Index);
    return i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl || AControl->FParent == this) return;
    if (AControl == this) throw EInvalidOperation("A control cannot have itself as its parent");
    AControl->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FControls.push_back(AControl);
    }
    if (!AControl->GetComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
        if (auto* w = dynamic_cast<TWinControl*>(AControl)) w->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
        AControl->UpdateAnchorRules();
        AlignControl(AControl);
    }
    AControl->Invalidate();
    TMessage m;
    m.Msg = CM_CONTROLCHANGE, m.WParam = 1, m.Data = AControl;
    Send(m);
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (!AControl || AControl->FParent != this) return;
    TMessage m;
    m.Msg = CM_CONTROLCHANGE, m.WParam = 0, m.Data = AControl;
    Send(m);
    AControl->Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        w->DestroyHandle();
        std::erase(FWinControls, w);
        std::erase(FTabList, w);
    } else {
        std::erase(FControls, AControl);
    }
    AControl->FParent = nullptr;
    if (AControl->FHostDockSite == this) DoRemoveDockClient(AControl); // docking: it left
    Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
    for (TControl* c = Control; c; c = c->FParent)
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
    auto hit = [&](TControl* C) {
        return C->FVisible && (AllowDisabled || C->FEnabled) && Pos.X >= C->FLeft &&
               Pos.Y >= C->FTop && Pos.X < C->FLeft + C->FWidth && Pos.Y < C->FTop + C->FHeight;
    };
    // Windowed children lie over the graphic ones; the last of each is on top.
    if (AllowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

TControl* TWinControl::FindChildControl(const AnsiString& ControlName) const {
    for (TControl* c : FControls)
        if (SameText(c->GetName(), ControlName)) return c;
    for (TWinControl* w : FWinControls) {
        if (SameText(w->GetName(), ControlName)) return w;
        if (TControl* c = w->FindChildControl(ControlName)) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    for (Integer i = 0; i < GetControlCount(); ++i) {
        GetControls(i)->Send(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::CMDialogMessage(TMessage& Message) {
    // A dialog key or accelerator goes down to the children until one takes it (a default
    // button's Enter, a caption's &S).
    Broadcast(Message);
}

void TWinControl::NotifyControls(Cardinal Msg) {
    TMessage m;
    m.Msg = Msg;
    Broadcast(m);
}

void TWinControl::SetZOrder(TControl* AControl, bool Topmost) {
    auto move = [&](auto& List, auto* Item) {
        auto it = std::find(List.begin(), List.end(), Item);
        if (it == List.end()) return;
        List.erase(it);
        if (Topmost)
            List.push_back(Item);
        else
            List.insert(List.begin(), Item);
    };
    if (auto* w = dynamic_cast<TWinControl*>(AControl))
        move(FWinControls, w);
    else
        move(FControls, AControl);
    AControl->Invalidate();
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (Integer i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        if (c->GetOwner() == Root) Proc(c);
    }
    // Then the components that are no controls but have this one as their parent (stand-ins
    // of classes this program lacks), in the order they were made.
    if (!Root) return;
    for (Integer i = 0; i < Root->GetComponentCount(); ++i)
        if (TComponent* c = Root->GetComponents(i);
            !dynamic_cast<TControl*>(c) && c->HasParent() && c->GetParentComponent() == this)
            Proc(c);
}

void TWinControl::SetChildOrder(TComponent* Child, Integer Order) {
    auto* c = dynamic_cast<TControl*>(Child);
    if (!c || c->FParent != this) return;
    auto place = [&](auto& List, auto* Item) {
        auto it = std::find(List.begin(), List.end(), Item);
        if (it == List.end()) return;
        List.erase(it);
        List.insert(
            List.begin() + std::clamp<std::ptrdiff_t>(Order, 0, std::ptrdiff_t(List.size())), Item);
    };
    if (auto* w = dynamic_cast<TWinControl*>(c))
        place(FWinControls, w);
    else
        place(FControls, c);
}

Integer TWinControl::GetTabOrder() const {
    if (!FParent) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : Integer(it - list.begin());
}

void TWinControl::SetTabOrder(Integer Value) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    Integer at = Value < 0 || Value > Integer(list.size()) ? Integer(list.size()) : Value;
    list.insert(list.begin() + at, this);
}

void TWinControl::SetTabStop(bool Value) {
    if (Value == FTabStop) return;
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::SetBorderWidth(Integer Value) {
    Value = std::max(Value, 0);
    if (Value == FBorderWidth) return;
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

// ---- scrolling ----

void TWinControl::ScrollBy(Integer DeltaX, Integer DeltaY) {
    if (DeltaX == 0 && DeltaY == 0) return;
    for (Integer i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        c->FLeft += DeltaX;
        c->FTop += DeltaY;
    }
    Invalidate();
}

// ---- alignment ----

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl) {
    if (FAlignLevel > 0 || GetComponentState().Contains(csLoading) ||
        GetComponentState().Contains(csDestroying)) {
        FControlState += csAlignmentNeeded;
        return;
    }
    FControlState -= csAlignmentNeeded;
    DisableAlign(); // what the children's moves request is done here, once
    TRect r = GetClientRect();
    AdjustClientRect(r);
    AlignControls(AControl, r);
    if (FUseDockManager && FDockManager) FDockManager->ResetBounds(false); // docking
    --FAlignLevel;
    FControlState -= csAlignmentNeeded;
}

void TWinControl::AdjustClientRect(TRect& Rect) {
    Rect.Left += FBorderWidth, Rect.Top += FBorderWidth;
    Rect.Right -= FBorderWidth, Rect.Bottom -= FBorderWidth;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    TRect client = GetClientRect();
    TPoint parentSize{client.Right, client.Bottom};
    auto before = [](TControl* A, TControl* B, TAlign Align) {
        switch (Align) {
        case alTop: return A->FTop < B->FTop;
        case alBottom: return A->FTop + A->FHeight >= B->FTop + B->FHeight;
        case alLeft: return A->FLeft < B->FLeft;
        case alRight: return A->FLeft + A->FWidth >= B->FLeft + B->FWidth;
        default: return false;
        }
    };
    auto place = [&](TControl* C, TAlign Align) {
        C->FAnchorMove = true;
        if (Align == alNone) {
            C->SetBoundsRect(C->AnchoredBounds(parentSize));
            C->FAnchorMove = false;
            return;
        }
        Integer w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
        if (w < 0 || Align == alLeft || Align == alRight || Align == alCustom) w = C->FWidth;
        if (h < 0 || Align == alTop || Align == alBottom || Align == alCustom) h = C->FHeight;
        Integer x = Rect.Left, y = Rect.Top;
        switch (Align) {
        case alTop: Rect.Top += h; break;
        case alBottom: Rect.Bottom -= h, y = Rect.Bottom; break;
        case alLeft: Rect.Left += w; break;
        case alRight: Rect.Right -= w, x = Rect.Right; break;
        case alCustom: x = C->FLeft, y = C->FTop; break;
        default: break;
        }
        C->SetBounds(x, y, w, h);
        C->FAnchorMove = false;
        // A control that kept another size (its constraints) gives back or takes the room.
        switch (Align) {
        case alTop: Rect.Top -= h - C->FHeight; break;
        case alBottom: Rect.Bottom += h - C->FHeight; break;
        case alLeft: Rect.Left -= w - C->FWidth; break;
        case alRight: Rect.Right += w - C->FWidth; break;
        default: break;
        }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone}) {
        std::vector<TControl*> list;
        auto takes = [&](TControl* C) {
            return C->FAlign == align && (align == alNone || C->FVisible);
        };
        if (AControl && AControl->FParent == this && takes(AControl)) list.push_back(AControl);
        for (Integer i = 0; i < GetControlCount(); ++i) {
            TControl* c = GetControls(i);
            if (c == AControl || !takes(c)) continue;
            auto at = list.begin();
            while (at != list.end() && !before(c, *at, align)) ++at;
            list.insert(at, c);
        }
        for (TControl* c : list) place(c, align);
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

// ---- the window ----

HWND TWinControl::GetHandle() {
    if (!FHandle) {
        Windows& w = TheWindows();
        std::lock_guard<std::mutex> lock(w.Lock);
        FHandle = w.Next++;
        w.Controls[FHandle] = this;
    }
    return FHandle;
}

void TWinControl::DestroyHandle() {
    for (TWinControl* c : FWinControls) c->DestroyHandle();
    if (!FHandle) return;
    Windows& w = TheWindows();
    std::lock_guard<std::mutex> lock(w.Lock);
    w.Controls.erase(FHandle);
    if (w.Focus == FHandle) w.Focus = 0; // a window that goes takes the keyboard with it
    FHandle = 0;
}

HWND GetFocus() {
    Windows& w = TheWindows();
    std::lock_guard<std::mutex> lock(w.Lock);
    return w.Focus;
}

HWND SetFocus(HWND Window) {
    Windows& w = TheWindows();
    HWND old;
    {
        std::lock_guard<std::mutex> lock(w.Lock);
        if (Window && !w.Controls.count(Window)) return 0;
        old = w.Focus;
        if (old == Window) return old;
        w.Focus = Window;
    }
    if (TWinControl* c = FindControl(old)) c->Perform(WM_KILLFOCUS, LongInt(Window), 0);
    if (TWinControl* c = FindControl(Window)) c->Perform(WM_SETFOCUS, LongInt(old), 0);
    return old;
}

// ---- focus ----

bool TWinControl::CanFocus() const {
    // Up to its top-level window, which shows it when it shows.
    for (const TControl* c = this; c->FParent; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

bool TWinControl::Focused() const {
    return FHandle != 0 && GetFocus() == FHandle;
}

TWinControl* TWinControl::GetTopLevel() {
    TWinControl* top = this;
    while (top->FParent) top = top->FParent;
    return top;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    host::SetFocus(GetHandle());
}

void TWinControl::WMSetFocus(TMessage&) {
    TWinControl* top = GetTopLevel();
    if (top != this) top->ChildFocused(this);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::DoEnter() {
    if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
    if (FOnExit) FOnExit(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    Integer n = Integer(list.size());
    auto it = std::find(list.begin(), list.end(), CurControl);
    Integer start = it == list.end() ? (GoForward ? n - 1 : 0) : Integer(it - list.begin());
    for (Integer step = 1; step <= n; ++step) {
        Integer i = ((GoForward ? start + step : start - step) % n + n) % n;
        TWinControl* c = list[std::size_t(i)];
        if (c == CurControl) continue;
        if (c->CanFocus() && (!CheckTabStop || c->FTabStop)) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop)) next->SetFocus();
}

TRect TWinControl::GetClientRect() {
    TRect n = GetNonClientInsets();
    return {0, 0, std::max(FWidth - n.Left - n.Right, 0), std::max(FHeight - n.Top - n.Bottom, 0)};
}

TPoint TWinControl::GetClientOrigin() {
    TPoint p = TControl::GetClientOrigin();
    TRect n = GetNonClientInsets();
    return {p.X + n.Left, p.Y + n.Top};
}

// ---- painting ----

void TWinControl::Invalidate() {
    FInvalid = true;
    if (FParent) FParent->InvalidateChild(this);
}

void TWinControl::InvalidateChild(TControl*) {
    // The headless windows keep no pixels of their own: a child's change marks the window it
    // shows in, which paints it with the rest.
    Invalidate();
}

void TWinControl::Update() {
    if (FParent) return FParent->Update();
    FInvalid = false;
}

void TWinControl::PaintControl(TCanvas* Canvas) {
    // The background in the brush's colour (the platform's erasing), then the content.
    Canvas->GetBrush()->Assign(FBrush);
    Canvas->FillRect(GetClientRect());
    PaintWindow(Canvas);
}

namespace {
/// Paints `Painter` onto a surface of `Width` x `Height` laid over `Target` at `At` (what is
/// beneath shows where nothing is painted), then puts the result back within `Clip`.
template <class F>
void PaintOver(TPixelSurface& Target, const TRect& Clip, TPoint At, Integer Width, Integer Height,
               F&& Painter) {
    if (Width <= 0 || Height <= 0) return;
    auto sub = std::make_shared<TPixelSurface>(Width, Height);
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x)
            if (Target.Contains(At.X + x, At.Y + y)) sub->Set(x, y, Target.Get(At.X + x, At.Y + y));
    Painter(sub);
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) {
            Integer tx = At.X + x, ty = At.Y + y;
            if (tx >= Clip.Left && ty >= Clip.Top && tx < Clip.Right && ty < Clip.Bottom &&
                Target.Contains(tx, ty))
                Target.Set(tx, ty, sub->Get(x, y));
        }
}

/// A canvas over `Surface` for the time of one painting.
struct SurfaceCanvas {
    HDC DC;
    TCanvas* Canvas = new TCanvas;
    explicit SurfaceCanvas(std::shared_ptr<TPixelSurface> Surface) : DC(CreateSurfaceDC(Surface)) {
        Canvas->SetHandle(DC);
    }
    ~SurfaceCanvas() {
        Canvas->Free();
        DeleteDC(DC);
    }
    SurfaceCanvas(const SurfaceCanvas&) = delete;
    SurfaceCanvas& operator=(const SurfaceCanvas&) = delete;
};
} // namespace

void TWinControl::PaintTree(std::shared_ptr<TPixelSurface> Surface) {
    TRect n = GetNonClientInsets();
    TRect client = GetClientRect();
    TRect clientOnSurface{n.Left, n.Top, n.Left + client.Right, n.Top + client.Bottom};
    {
        SurfaceCanvas nc(Surface);
        PaintNonClient(nc.Canvas);
    }
    // The client area and the children within it, in the client's coordinates.
    PaintOver(*Surface, clientOnSurface, {n.Left, n.Top}, client.Right, client.Bottom,
              [&](std::shared_ptr<TPixelSurface> Client) {
                  {
                      SurfaceCanvas c(Client);
                      PaintControl(c.Canvas);
                  }
                  TRect all{0, 0, Client->Width(), Client->Height()};
                  for (TControl* child : FControls)
                      if (child->FVisible)
                          PaintOver(*Client, all, {child->FLeft, child->FTop}, child->FWidth,
                                    child->FHeight, [&](std::shared_ptr<TPixelSurface> S) {
                                        SurfaceCanvas c(S);
                                        child->PaintControl(c.Canvas);
                                    });
                  for (TWinControl* child : FWinControls)
                      if (child->FVisible)
                          PaintOver(*Client, all, {child->FLeft, child->FTop}, child->FWidth,
                                    child->FHeight,
                                    [&](std::shared_ptr<TPixelSurface> S) { child->PaintTree(S); });
                  {
                      SurfaceCanvas c(Client);
                      for (TControl* child : FControls)
                          if (child->FVisible) child->PaintOverParent(c.Canvas);
                  }
                  HDC over = CreateSurfaceDC(Client);
                  try {
                      PaintOverChildren(over);
                  } catch (...) {
                      DeleteDC(over);
                      throw;
                  }
                  DeleteDC(over);
              });
    FInvalid = false;
}

void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
    std::shared_ptr<TGdiDC> dc = FindDC(DC);
    if (!dc || !dc->Surface) return;
    PaintOver(*dc->Surface, dc->Bounds(), {X, Y}, FWidth, FHeight,
              [&](std::shared_ptr<TPixelSurface> S) { PaintTree(S); });
}

void TWinControl::PaintTo(TCanvas* Canvas, Integer X, Integer Y) {
    if (!Canvas || FWidth <= 0 || FHeight <= 0) return;
    auto picture = std::make_shared<TPixelSurface>(FWidth, FHeight);
    if (auto dc = FindDC(Canvas->GetHandle()); dc && dc->Surface)
        for (Integer y = 0; y < FHeight; ++y)
            for (Integer x = 0; x < FWidth; ++x)
                if (dc->Surface->Contains(X + x, Y + y))
                    picture->Set(x, y, dc->Surface->Get(X + x, Y + y));
    PaintTree(picture);
    // Through the canvas, so that its owner (a bitmap) hears of the change.
    TCopyMode mode = Canvas->GetCopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->PaintPicture({X, Y, X + FWidth, Y + FHeight}, FWidth, FHeight,
                         [&](Integer PX, Integer PY, TColorRef& C) {
                             C = picture->Get(PX, PY);
                             return true;
                         });
    Canvas->SetCopyMode(mode);
}

// ---- messages ----

void TWinControl::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    FBrush->SetColor(FColor);
    DispatchInherited(&ClassMeta, &Message);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMBiDiModeChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::CMShowHintChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

namespace {
TWMKey& AsKey(TMessage& M) {
    static_assert(sizeof(TWMKey) == 16 && offsetof(TMessage, Result) == 12);
    return reinterpret_cast<TWMKey&>(M); // the host's key record over the same 16 bytes
}
} // namespace

bool TWinControl::DoKeyDown(TWMKey& Message) {
    // A form that previews its controls' keys sees them first.
    if (TWinControl* top = GetTopLevel();
        top != this && top->PreviewsKeys() && top->DoKeyDown(Message))
        return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    KeyDown(Message.CharCode, KeyDataToShiftState(Message.KeyData));
    return Message.CharCode == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    if (TWinControl* top = GetTopLevel();
        top != this && top->PreviewsKeys() && top->DoKeyUp(Message))
        return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    KeyUp(Message.CharCode, KeyDataToShiftState(Message.KeyData));
    return Message.CharCode == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    if (TWinControl* top = GetTopLevel();
        top != this && top->PreviewsKeys() && top->DoKeyPress(Message))
        return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    char c = char(Message.CharCode);
    KeyPress(c);
    Message.CharCode = Word(Byte(c));
    return c == 0;
}

bool TWinControl::IsMenuKey(TWMKey& Message) {
    if (GetComponentState().Contains(csDesigning)) return false;
    for (TControl* c = this; c; c = c->FParent)
        if (TPopupMenu* popup = c->FPopupMenu; popup && popup->IsShortCut(Message)) return true;
    TWinControl* top = GetTopLevel();
    return top->IsShortCutKey(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    TWMKey& key = AsKey(Message);
    if (IsMenuKey(key)) return;
    if (!GetComponentState().Contains(csDesigning)) {
        // A key the control does not want for itself is a dialog key of its form (Tab, the
        // arrows, Enter, Esc).
        LongInt mask = 0;
        switch (key.CharCode) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        if (mask && Perform(CM_WANTSPECIALKEY, key.CharCode, 0) == 0 &&
            (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
            TMessage dialog;
            dialog.Msg = CM_DIALOGKEY, dialog.WParam = key.CharCode, dialog.LParam = key.KeyData;
            GetTopLevel()->Send(dialog);
            if (dialog.Result != 0) return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
    // A character the control does not want is offered to its form's controls as an
    // accelerator (a button's &S).
    if (GetComponentState().Contains(csDesigning)) return;
    if (Message.Msg == CN_CHAR && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) return;
    TMessage dialog;
    dialog.Msg = CM_DIALOGCHAR, dialog.WParam = Message.WParam, dialog.LParam = Message.LParam;
    GetTopLevel()->Send(dialog);
    if (dialog.Result != 0) Message.Result = 1;
}

void TWinControl::WMKeyDown(TMessage& Message) {
    // A key taken by a handler types no character: Result 1.
    if (DoKeyDown(AsKey(Message))) {
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    if (!DoKeyUp(AsKey(Message))) DispatchInherited(&ClassMeta, &Message);
}

void TWinControl::WMChar(TMessage& Message) {
    if (!DoKeyPress(AsKey(Message))) DispatchInherited(&ClassMeta, &Message);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

// ---- actions ----

TControlActionLink* TWinControl::CreateActionLink() {
    return new TWinControlActionLink(this);
}

bool TWinControl::IsHelpContextStored() const {
    auto* link = DynCast<TWinControlActionLink>(FActionLink);
    return !(link && link->IsHelpContextLinked());
}

void TWinControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    TControl::ActionChange(Sender, CheckDefaults);
    auto* a = DynCast<TCustomAction>(Sender);
    if (a && (!CheckDefaults || FHelpContext == 0)) SetHelpContext(a->GetHelpContext());
}

// ---- docking ----

void TWinControl::SetDockSite(bool Value) {
    FDockSite = Value;
    if (Value && FUseDockManager && !FDockManager)
        FDockManager = ComPtr<IDockManager>(CreateDockManager());
}

void TWinControl::SetUseDockManager(bool Value) {
    FUseDockManager = Value;
    if (!Value)
        FDockManager = nullptr;
    else if (FDockSite && !FDockManager)
        FDockManager = ComPtr<IDockManager>(CreateDockManager());
}

void TWinControl::SetDockManager(IDockManager* Value) {
    FDockManager = ComPtr<IDockManager>(Value);
}

IDockManager* TWinControl::CreateDockManager() {
    return new TDockTree(this);
}

TControl* TWinControl::GetDockClients(Integer Index) const {
    if (Index < 0 || Index >= GetDockClientCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FDockClients[std::size_t(Index)];
}

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos,
                              bool& CanDock) {
    TPoint p = ClientToScreen({0, 0});
    TRect c = GetClientRect();
    InfluenceRect = {p.X, p.Y, p.X + c.Right, p.Y + c.Bottom};
    CanDock = true;
    if (FOnGetSiteInfo) FOnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

void TWinControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State,
                           bool& Accept) {
    if (FOnDockOver) FOnDockOver(this, Source, X, Y, State, Accept);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client) {
    bool allow = true;
    if (FOnUnDock) FOnUnDock(this, Client, NewTarget, allow);
    return allow;
}

void TWinControl::DoAddDockClient(TControl* Client, const TRect& ARect) {
    if (std::find(FDockClients.begin(), FDockClients.end(), Client) == FDockClients.end())
        FDockClients.push_back(Client);
    bool managed = FUseDockManager && FDockManager;
    if (managed) Client->SetAlign(alNone); // the manager places it
    Client->SetParent(this);
    Client->SetBoundsRect(ARect);
    if (managed) { // a zone of its own unless a drop gave it one already
        FDockManager->InsertControl(Client, alNone, nullptr);
        FDockManager->ResetBounds(false);
    }
}

void TWinControl::DoRemoveDockClient(TControl* Client) {
    std::erase(FDockClients, Client);
    if (FDockManager) FDockManager->RemoveControl(Client);
    if (Client->FHostDockSite == this) Client->FHostDockSite = nullptr;
}

void TWinControl::DockDrop(TDragDockObject* Source, Integer X, Integer Y) {
    if (!Source || !Source->GetControl())
        throw EInvalidOperation("Nothing to dock: the dock object has no control");
    TControl* c = Source->GetControl();
    TRect r = Source->GetDockRect();
    TPoint at = ScreenToClient({r.Left, r.Top});
    DisableAlign(); // the manager places it once it knows the zone
    if (FUseDockManager && FDockManager) {
        // The zone the drop chose (a control docked here already moves to it).
        if (c->FHostDockSite == this) FDockManager->RemoveControl(c);
        FDockManager->InsertControl(c, Source->GetDropAlign(), Source->GetDropOnControl());
    }
    c->Dock(this, {at.X, at.Y, at.X + (r.Right - r.Left), at.Y + (r.Bottom - r.Top)});
    EnableAlign();
    if (FUseDockManager && FDockManager) FDockManager->ResetBounds(true);
    if (FOnDockDrop) FOnDockDrop(this, Source, X, Y);
}

void TWinControl::DockDragMessage(TMessage& Message) {
    auto* rec = static_cast<TDragRec*>(Message.Data);
    auto* source = dynamic_cast<TDragDockObject*>(rec->Source);
    if (!source) return;
    TPoint p = ScreenToClient(rec->Pos);
    switch (Message.WParam) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        TDragState state = DragStateOf(Message.WParam);
        bool accept = true;
        if (state == dsDragLeave) { // leaving: where it would have gone no longer matters
            DockOver(source, p.X, p.Y, state, accept);
            break;
        }
        // Where it would go: beside the docked control under the mouse, or the whole site.
        TAlign side = alClient;
        TControl* on = nullptr;
        if (auto* tree = dynamic_cast<TDockTree*>(FDockManager.get()))
            on = tree->FindDropControl(p, source->GetControl(), side);
        if (!on) side = alClient;
        source->SetDropTarget(on, side);
        TRect dockRect = source->GetDockRect();
        if (FUseDockManager && FDockManager) {
            FDockManager->PositionDockRect(source->GetControl(), on, side, dockRect);
        } else { // where the mouse puts it, at its own size
            source->FloatingRectAt(rec->Pos);
            dockRect = source->GetDockRect();
        }
        source->SetDockRect(dockRect);
        DockOver(source, p.X, p.Y, state, accept);
        Message.Result = accept;
        break;
    }
    case dmDragDrop: {
        TControl* c = source->GetControl();
        TWinControl* old = c->GetHostDockSite();
        if (old && old != this && !old->DoUnDock(this, c)) break; // refused: stays docked
        DockDrop(source, p.X, p.Y);
        Message.Result = 1;
        break;
    }
    default: break;
    }
}

} // namespace host
