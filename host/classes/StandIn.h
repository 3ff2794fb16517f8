// Stand-ins: components of classes this program does not have, made so that a form from a real
// project loads, runs and is saved again without loss.
#pragma once

#include "host/classes/Component.h"

namespace host {

/// Takes the place of a component whose class a form names but this program lacks (a
/// third-party component), or of a form's root whose class is the form's own (TForm1). Its class
/// is made at run time with that name over the host class it stands on. It keeps every property
/// it cannot take exactly as streamed (the reader keeps them), and its children stay its
/// children: they are written back inside it, in their order.
class TStandIn : public TComponent {
public:
    TStandIn(TComponent* AOwner, TClass AClass);
    static TClass StaticClass() = delete; // no class of its own: see AsStandIn

    TClass ClassType() const override { return FClass; }
    TComponent* GetParentComponent() override { return FParentComponent; }
    bool HasParent() override { return FParentComponent != nullptr; }
    void SetParentComponent(TComponent* Value) override;

protected:
    /// Left and Top stay as streamed (a control's position, not a designer's place).
    void DefineProperties(TFiler* Filer) override;
    /// A root lists the components it owns that have no parent or have it as their parent;
    /// any other stand-in lists the root's components whose parent it is.
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    /// An inline stand-in (a frame) owns its children, as a frame does.
    TComponent* GetChildOwner() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TClass FClass;
    TComponent* FParentComponent = nullptr;
};

/// The class `Name` made at run time over TComponent, whose instances are stand-ins.
TClass StandInClass(const AnsiString& Name);
/// `Component` when it is a stand-in (of any kind: a component, or a control in the Controls
/// unit); null when its class is one of the program's.
TComponent* AsStandIn(TComponent* Component);

} // namespace host
