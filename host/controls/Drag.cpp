#include "host/controls/Drag.h"

#include "host/controls/Dock.h"
#include "host/controls/Input.h"
#include "host/controls/WinControl.h"

#include <cstdlib>
#include <memory>

namespace host {

HOST_METACLASS(TDragObject, TObject);
HOST_METACLASS(TBaseDragControlObject, TDragObject);
HOST_METACLASS(TDragControlObject, TBaseDragControlObject);

namespace {
bool MouseDragImmediate = true;
Integer MouseDragThreshold = 5;

// The host drags one thing at a time.
struct Drag {
    TDragObject* Object = nullptr;
    TControl* Control = nullptr;
    bool Docking = false;
    bool Active = false; // past the threshold
    bool Moved = false;  // the targets have seen the mouse
    TPoint Start;
    Integer Threshold = 0;
    TControl* Target = nullptr;
    bool Accepted = false;
    TCursor Cursor = crDefault;
};
Drag* Current = nullptr;

bool Alive(const TObject* O) {
    return O && LiveObjects::Find(O) == O;
}
} // namespace

struct DragAccess {
    static void Begin(TControl* C, bool Immediate, Integer Threshold) {
        auto d = std::make_unique<Drag>();
        d->Control = C;
        d->Docking = C->FDragKind == dkDock;
        d->Threshold = Threshold;
        TDragObject* object = nullptr;
        if (d->Docking) {
            TDragDockObject* dock = nullptr;
            C->DoStartDock(dock);
            object = dock;
        } else {
            C->DoStartDrag(object);
        }
        if (!object) {
            if (d->Docking)
                object = new TDragDockObject(C);
            else
                object = new TDragControlObject(C);
            object->FInternal = true;
        }
        d->Object = object;
        if (!Alive(C)) { // a handler freed it
            Abandon(*d);
            return;
        }
        d->Start = input::CursorPos();
        object->FDragPos = d->Start;
        TPoint origin = C->ClientToScreen({0, 0});
        if (C->GetWidth() > 0) object->FMouseDeltaX = double(d->Start.X - origin.X) / C->GetWidth();
        if (C->GetHeight() > 0)
            object->FMouseDeltaY = double(d->Start.Y - origin.Y) / C->GetHeight();
        if (auto* dock = dynamic_cast<TDragDockObject*>(object)) dock->FloatingRectAt(d->Start);
        Current = d.release();
        if (Immediate) {
            Current->Active = true;
            DragTo(Current->Start, input::ControlAt(Current->Start));
        }
    }

    /// Frees the drag object if the drag made it.
    static void Abandon(Drag& D) {
        if (D.Object && D.Object->FInternal && Alive(D.Object)) D.Object->Free();
        D.Object = nullptr;
    }

    static LongInt Send(TControl* To, TDragMessage Msg, Drag& D, TControl** Found = nullptr) {
        TDragRec rec;
        rec.Pos = D.Object->FDragPos;
        rec.Source = D.Object;
        rec.Docking = D.Docking;
        TMessage m;
        m.Msg = CM_DRAG, m.WParam = Msg, m.Data = &rec;
        To->Send(m);
        if (Found) *Found = rec.Target;
        return m.Result;
    }

    static void ClearPress(TControl* C) {
        C->FControlState -= TControlState{csLButtonDown, csClicked};
    }
};

// ---- drag objects ----

void TDragObject::Assign(TDragObject* Source) {
    if (!Source) return;
    FCancelling = Source->FCancelling;
    FDragHandle = Source->FDragHandle;
    FDragPos = Source->FDragPos;
    FDragTargetPos = Source->FDragTargetPos;
    FDragTarget = Source->FDragTarget;
    FMouseDeltaX = Source->FMouseDeltaX;
    FMouseDeltaY = Source->FMouseDeltaY;
}

AnsiString TDragObject::GetName() {
    return ClassName();
}

THandle TDragObject::Instance() const {
    return 0x400000; // the program's own module, where the drag cursors live
}

TCursor TDragObject::GetDragCursor(bool Accepted, Integer, Integer) {
    return Accepted ? crDrag : crNoDrop;
}

void TBaseDragControlObject::Assign(TDragObject* Source) {
    TDragObject::Assign(Source);
    if (auto* s = dynamic_cast<TBaseDragControlObject*>(Source)) FControl = s->FControl;
}

void TBaseDragControlObject::Finished(TObject* Target, Integer X, Integer Y, bool) {
    EndDrag(Target, X, Y);
}

void TBaseDragControlObject::EndDrag(TObject* Target, Integer X, Integer Y) {
    if (Alive(FControl)) FControl->DoEndDrag(Target, X, Y);
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, Integer X, Integer Y) {
    if (Accepted && FControl) return FControl->GetDragCursor();
    return TBaseDragControlObject::GetDragCursor(Accepted, X, Y);
}

// ---- the mouse's settings ----

bool GetMouseDragImmediate() {
    return MouseDragImmediate;
}
void SetMouseDragImmediate(bool Value) {
    MouseDragImmediate = Value;
}
Integer GetMouseDragThreshold() {
    return MouseDragThreshold;
}
void SetMouseDragThreshold(Integer Value) {
    MouseDragThreshold = Value < 0 ? 0 : Value;
}

// ---- the drag in progress ----

TDragObject* DragObject() {
    return Current ? Current->Object : nullptr;
}

TControl* DragControl() {
    return Current ? Current->Control : nullptr;
}

bool DragActive() {
    return Current && Current->Active;
}

TCursor DragCursorNow() {
    return DragActive() ? Current->Cursor : crDefault;
}

void StartDrag(TControl* Control, bool Immediate, Integer Threshold) {
    DragAccess::Begin(Control, Immediate, Threshold);
}

/// What the drag's events name as its source: the control itself when the drag made its own
/// drag object, else the drag object OnStartDrag supplied.
TObject* DragEventSource(TDragObject* Object) {
    auto* c = dynamic_cast<TBaseDragControlObject*>(Object);
    if (c && Object->FInternal && !dynamic_cast<TDragDockObject*>(Object)) return c->GetControl();
    return Object;
}

void DragTo(TPoint ScreenPos, TControl* Hit) {
    Drag* d = Current;
    if (!d) return;
    if (!Alive(d->Control)) {
        Current = nullptr;
        DragAccess::Abandon(*d);
        delete d;
        return;
    }
    if (!d->Active) {
        if (std::abs(ScreenPos.X - d->Start.X) < d->Threshold &&
            std::abs(ScreenPos.Y - d->Start.Y) < d->Threshold)
            return;
        d->Active = true;
    }
    if (d->Moved && ScreenPos == d->Object->FDragPos) return; // where it was: nothing new
    d->Moved = true;
    d->Object->FDragPos = ScreenPos;
    if (d->Target && !Alive(d->Target)) d->Target = nullptr;
    TControl* target = nullptr;
    if (d->Docking) {
        target = FindDockSite(static_cast<TDragDockObject*>(d->Object), ScreenPos, Hit);
    } else if (Hit) {
        DragAccess::Send(Hit, dmFindTarget, *d, &target);
        if (!Alive(target)) target = nullptr;
    }
    // A handler may end the drag (and free `d`): it is looked at only while it is current.
    if (target != d->Target) {
        if (d->Target) DragAccess::Send(d->Target, dmDragLeave, *d);
        if (Current != d) return;
        d->Target = target;
        d->Accepted = false;
        if (target) {
            d->Object->FDragTargetPos = target->ScreenToClient(ScreenPos);
            bool accepted = DragAccess::Send(target, dmDragEnter, *d) != 0;
            if (Current != d) return;
            d->Accepted = accepted;
        }
    } else if (target) {
        d->Object->FDragTargetPos = target->ScreenToClient(ScreenPos);
        bool accepted = DragAccess::Send(target, dmDragMove, *d) != 0;
        if (Current != d) return;
        d->Accepted = accepted;
    }
    if (d->Target && !Alive(d->Target)) d->Target = nullptr, d->Accepted = false;
    if (d->Docking) static_cast<TDragDockObject*>(d->Object)->SiteAnswered(d->Target, d->Accepted);
    d->Object->FDragTarget = d->Target;
    if (!d->Target) d->Object->FDragTargetPos = ScreenPos;
    TPoint t = d->Object->FDragTargetPos;
    d->Cursor = d->Object->GetDragCursor(d->Accepted, t.X, t.Y);
}

void DragDone(bool Drop) {
    std::unique_ptr<Drag> d(Current);
    if (!d) return;
    Current = nullptr;
    if (!Alive(d->Control)) return DragAccess::Abandon(*d);
    TDragObject* object = d->Object;
    TControl* target = Alive(d->Target) ? d->Target : nullptr;
    if (target && d->Active) DragAccess::Send(target, dmDragLeave, *d);
    if (target && !Alive(target)) target = nullptr;
    bool accepted = Drop && d->Active && target && d->Accepted;
    object->FCancelling = !Drop;
    TPoint local = target ? target->ScreenToClient(object->FDragPos) : TPoint{0, 0};
    if (d->Active) DragAccess::ClearPress(d->Control); // the press became the drag
    TObject* endTarget = nullptr;
    if (accepted) {
        // A dock site may still refuse (the old site's OnUnDock): the drop did not happen.
        accepted = DragAccess::Send(target, dmDragDrop, *d) != 0 || !d->Docking;
        if (accepted && Alive(target)) endTarget = target; // not one its own drop freed
    } else if (d->Docking && Drop && d->Active) {
        auto* dock = static_cast<TDragDockObject*>(object);
        dock->FloatingRectAt(dock->GetDragPos());
        if (dock->GetFloating() && d->Control->ManualFloat(dock->GetDockRect()))
            endTarget = d->Control->GetHostDockSite();
    } else if (!Drop) {
        DragAccess::Send(d->Control, dmDragCancel, *d);
    }
    object->FDropped = accepted;
    if (Alive(object)) object->Finished(endTarget, local.X, local.Y, accepted);
    DragAccess::Abandon(*d);
}

void CancelDrag() {
    DragDone(false);
}

} // namespace host
