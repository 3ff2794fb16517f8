// Drag and drop: the drag objects, the mouse's drag settings and the drag in progress, which
// the input API feeds with the mouse's moves and release (and Esc).
#pragma once

#include "host/controls/Control.h"

namespace host {

/// What is being dragged, where the mouse is and what it is over.
class TDragObject : public TObject {
    HOST_CLASS(TDragObject, TObject)
public:
    TDragObject() = default;
    /// Takes the state of another drag object.
    virtual void Assign(TDragObject* Source);
    /// The name of what is dragged; the class name unless a descendant says otherwise.
    virtual AnsiString GetName();
    virtual void HideDragImage() { FImageShown = false; }
    virtual void ShowDragImage() { FImageShown = true; }
    bool ImageShown() const { return FImageShown; }
    /// The module the drag object's resources (cursors) come from.
    THandle Instance() const;
    /// The cursor the mouse shows over a target that accepts or refuses.
    virtual TCursor GetDragCursor(bool Accepted, Integer X, Integer Y);
    /// The drag ended on `Target` (null when nothing took it); X, Y in the target's
    /// coordinates.
    virtual void Finished(TObject* /*Target*/, Integer /*X*/, Integer /*Y*/, bool /*Accepted*/) {}

    bool GetCancelling() const { return FCancelling; }
    void SetCancelling(bool Value) { FCancelling = Value; }
    THandle GetDragHandle() const { return FDragHandle; }
    void SetDragHandle(THandle Value) { FDragHandle = Value; }
    /// The mouse, in screen coordinates.
    TPoint GetDragPos() const { return FDragPos; }
    void SetDragPos(TPoint Value) { FDragPos = Value; }
    /// The mouse in the target's client coordinates.
    TPoint GetDragTargetPos() const { return FDragTargetPos; }
    void SetDragTargetPos(TPoint Value) { FDragTargetPos = Value; }
    TControl* GetDragTarget() const { return FDragTarget; }
    void SetDragTarget(TControl* Value) { FDragTarget = Value; }
    /// Where the drag started within the dragged control, as a fraction of its width and
    /// height (a floating window keeps that point under the mouse).
    double GetMouseDeltaX() const { return FMouseDeltaX; }
    double GetMouseDeltaY() const { return FMouseDeltaY; }
    /// Whether the last target accepted the drop.
    bool GetDropped() const { return FDropped; }

protected:
    friend struct DragAccess;
    friend void DragTo(TPoint ScreenPos, TControl* Hit);
    friend void DragDone(bool Drop);
    friend TObject* DragEventSource(TDragObject* Object);
    bool FCancelling = false;
    THandle FDragHandle = 0;
    TPoint FDragPos, FDragTargetPos;
    TControl* FDragTarget = nullptr;
    double FMouseDeltaX = 0, FMouseDeltaY = 0;
    bool FDropped = false;
    bool FImageShown = false;
    bool FInternal = false; // made by the drag itself: freed with it, its control the source
};

/// A drag object that stands for a control.
class TBaseDragControlObject : public TDragObject {
    HOST_CLASS(TBaseDragControlObject, TDragObject)
public:
    explicit TBaseDragControlObject(TControl* AControl) : FControl(AControl) {}
    void Assign(TDragObject* Source) override;
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    /// Tells the control that its drag ended (EndDrag).
    void Finished(TObject* Target, Integer X, Integer Y, bool Accepted) override;

protected:
    virtual void EndDrag(TObject* Target, Integer X, Integer Y);
    TControl* FControl;
};

/// The drag object of a control dragged and dropped: its DragCursor while accepted.
class TDragControlObject : public TBaseDragControlObject {
    HOST_CLASS(TDragControlObject, TBaseDragControlObject)
public:
    using TBaseDragControlObject::TBaseDragControlObject;
    TCursor GetDragCursor(bool Accepted, Integer X, Integer Y) override;
};

// ---- the Mouse object's drag settings ----
/// Whether a press on a control with DragMode dmAutomatic starts its drag at once (true) or
/// after the threshold.
bool GetMouseDragImmediate();
void SetMouseDragImmediate(bool Value);
/// The pixels the mouse moves before a drag that waits starts (5; negative counts as 0).
Integer GetMouseDragThreshold();
void SetMouseDragThreshold(Integer Value);

// ---- the drag in progress ----
/// The drag object of the drag in progress (or waiting for its threshold); null for none.
TDragObject* DragObject();
/// The control being dragged; null for none.
TControl* DragControl();
/// Whether the drag has passed its threshold (the mouse's moves are the drag's).
bool DragActive();
/// The mouse moved to `ScreenPos` over `Hit` (the topmost control there, null for none):
/// the targets are told as they are entered, moved over and left.
void DragTo(TPoint ScreenPos, TControl* Hit);
/// Ends the drag: dropped on the target that accepted it when `Drop`, else cancelled.
void DragDone(bool Drop);
/// Cancels the drag in progress (Esc).
void CancelDrag();
/// The cursor the drag shows now (crDefault when no drag is active).
TCursor DragCursorNow();

} // namespace host
