// Docking: the drag object of a control dragged to dock, and the dock tree a dock site's
// manager lays its docked controls out with (zones split side by side or top to bottom, each
// docked control under a grab bar).
#pragma once

#include "host/controls/Drag.h"
#include "host/graphics/GdiObjects.h"
#include "host/system/Interfaces.h"

#include <vector>

namespace host {

class TBrush;

/// What a dock site's manager does: lays its docked controls out in zones and paints their
/// grab bars.
struct IDockManager : IUnknown {
    static constexpr TGUID IID = GuidOf("{8B0A5F3E-2C41-4B7A-9E1D-5A6C7D8E9F01}");
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    /// The bounds `Control`'s zone gives it, in the site's client coordinates.
    virtual void GetControlBounds(TControl* Control, TRect& CtlBounds) = 0;
    /// Gives `Control` a zone on side `InsertAt` of `DropCtl`'s (of the whole site when null).
    virtual void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) = 0;
    virtual void PaintSite(HDC DC) = 0;
    /// Where `Client` would go (screen coordinates) if dropped at `DropAlign` of `DropCtl`.
    virtual void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign,
                                  TRect& DockRect) = 0;
    virtual void RemoveControl(TControl* Control) = 0;
    /// Moves the docked controls to their zones (`Force`: even if nothing changed).
    virtual void ResetBounds(bool Force) = 0;
    /// The next removal of `Control` keeps its zone for the next control inserted.
    virtual void SetReplacingControl(TControl* Control) = 0;

protected:
    ~IDockManager() = default;
};

/// The drag object of a control dragged to dock: where it would go (DockRect, screen
/// coordinates), beside which docked control and on which side, or that it would float.
class TDragDockObject : public TBaseDragControlObject {
    HOST_CLASS(TDragDockObject, TBaseDragControlObject)
public:
    explicit TDragDockObject(TControl* AControl);
    ~TDragDockObject() override;
    void Assign(TDragObject* Source) override;
    TBrush* GetBrush() const { return FBrush; }
    void SetBrush(TBrush* Value);
    TRect GetDockRect() const { return FDockRect; }
    void SetDockRect(const TRect& Value) { FDockRect = Value; }
    TAlign GetDropAlign() const { return FDropAlign; }
    TControl* GetDropOnControl() const { return FDropOnControl; }
    /// Whether a drop now would float the control (no site takes it).
    bool GetFloating() const { return FFloating; }
    void SetFloating(bool Value) { FFloating = Value; }
    /// The width of the frame that shows DockRect while dragging.
    Integer GetFrameWidth() const { return FFrameWidth; }

    /// Where a dock site would put the control: beside `DropOnControl` on `DropAlign`.
    void SetDropTarget(TControl* DropOnControl, TAlign DropAlign) {
        FDropOnControl = DropOnControl, FDropAlign = DropAlign;
    }
    /// DockRect as a floating window at `ScreenPos`: the control's undocked size, the point
    /// where the drag started kept under the mouse.
    void FloatingRectAt(TPoint ScreenPos);
    /// The drag's site answered: docking there, or floating where the mouse is.
    void SiteAnswered(TControl* Site, bool Accepted);

protected:
    /// Tells the control that its dock drag ended (OnEndDock).
    void EndDrag(TObject* Target, Integer X, Integer Y) override;

private:
    TBrush* FBrush;
    TRect FDockRect;
    TAlign FDropAlign = alNone;
    TControl* FDropOnControl = nullptr;
    bool FFloating = true;
    Integer FFrameWidth = 4;
};

class TDockTree;

/// A part of a dock site: a docked control's place, or a zone split among child zones along
/// its orientation. Limits run along the parent zone's orientation, in the site's client
/// coordinates.
class TDockZone : public TObject {
    HOST_CLASS(TDockZone, TObject)
public:
    explicit TDockZone(TDockTree* Tree) : FTree(Tree) {}
    ~TDockZone() override;
    Integer GetChildCount() const { return Integer(FChildZones.size()); }
    TDockZone* GetChildZone(Integer Index) const;
    TControl* GetChildControl() const { return FChildControl; }
    TDockOrientation GetOrientation() const { return FOrientation; }
    TDockZone* GetParentZone() const { return FParentZone; }
    TDockZone* GetPrevSibling() const;
    TDockZone* GetNextSibling() const;
    TDockTree* GetTree() const { return FTree; }
    TRect GetBounds() const;
    Integer GetLeft() const { return GetBounds().Left; }
    Integer GetTop() const { return GetBounds().Top; }
    Integer GetWidth() const { return GetBounds().Right - GetBounds().Left; }
    Integer GetHeight() const { return GetBounds().Bottom - GetBounds().Top; }
    /// Where the zone starts and how far it runs along its parent's orientation (its own
    /// for the root).
    Integer GetLimitBegin() const;
    Integer GetLimitSize() const { return GetZoneLimit() - GetLimitBegin(); }
    /// Where the zone ends; the last of its siblings ends with its parent.
    Integer GetZoneLimit() const;
    void SetZoneLimit(Integer Value) { FZoneLimit = Value; }
    /// Shares the zone's room equally among its child zones.
    void ResetChildren();
    /// Moves the zone's docked controls to their places.
    void Update();

private:
    friend class TDockTree;
    TDockOrientation AlongOrientation() const;
    TDockTree* FTree;
    TDockZone* FParentZone = nullptr;
    std::vector<TDockZone*> FChildZones;
    TControl* FChildControl = nullptr;
    TDockOrientation FOrientation = doNoOrient;
    Integer FZoneLimit = 0;
};

/// The dock manager of a dock site (UseDockManager): each docked control in a zone under a
/// grab bar, zones split evenly as controls dock beside each other.
class TDockTree : public TInterfacedObject, public IDockManager {
    HOST_CLASS(TDockTree, TInterfacedObject)
public:
    static constexpr Integer GrabberSize = 12;
    static constexpr Integer SplitterWidth = 4;

    explicit TDockTree(TWinControl* DockSite);
    ~TDockTree() override;
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override {
        return TInterfacedObject::QueryInterface(IID, Obj);
    }
    Integer _AddRef() override { return TInterfacedObject::_AddRef(); }
    Integer _Release() override { return TInterfacedObject::_Release(); }

    void BeginUpdate() override { ++FUpdateCount; }
    void EndUpdate() override;
    void GetControlBounds(TControl* Control, TRect& CtlBounds) override;
    void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) override;
    void PaintSite(HDC DC) override;
    void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign,
                          TRect& DockRect) override;
    void RemoveControl(TControl* Control) override;
    void ResetBounds(bool Force) override;
    void SetReplacingControl(TControl* Control) override { FReplacingControl = Control; }

    TWinControl* GetDockSite() const { return FDockSite; }
    TDockZone* GetTopZone() const { return FTopZone; }
    /// The zone of `Control`; null when it has none.
    TDockZone* FindControlZone(TControl* Control) const;
    /// The docked control (other than `Client`) under `ClientPos` and the side of it nearest
    /// to the point; null when none.
    TControl* FindDropControl(TPoint ClientPos, TControl* Client, TAlign& DropAlign) const;

private:
    friend class TDockZone;
    TRect SiteRect() const;
    bool ShowsGrabbers() const;
    TRect ControlRect(const TDockZone* Zone) const;
    TDockZone* NewZone(TControl* Control);
    /// Puts `Zone` on side `Side` of `Beside` (a child of the top zone, or the top zone).
    void InsertBeside(TDockZone* Zone, TDockZone* Beside, TAlign Side);
    TWinControl* FDockSite;
    TDockZone* FTopZone;
    TControl* FReplacingControl = nullptr;
    TDockZone* FReplacementZone = nullptr;
    Integer FUpdateCount = 0;
    bool FResetting = false;
};

/// The dock site a docking drag is over at `ScreenPos` (`Hit` the control under the mouse):
/// the innermost showing site of that window whose OnGetSiteInfo lets it dock there.
TWinControl* FindDockSite(TDragDockObject* Source, TPoint ScreenPos, TControl* Hit);

} // namespace host
