// Stand-ins that take a control's place: a component of a class this program lacks that a form
// places as a control (it has a size in a control) stands on a control, and on a windowed one
// when it holds other controls, so that it takes its place and size in the form and its
// children lay out and paint inside it. Like every stand-in it keeps what it is given as
// streamed and writes it back unchanged.
#pragma once

#include "host/controls/CustomControls.h"

namespace host {

enum class TStandInKind { Component, Control, WinControl };

/// The stand-in class `Name` for `Kind`, made at run time once per name and kind over
/// TComponent, TGraphicControl or TCustomControl.
TClass StandInClassOf(const AnsiString& Name, TStandInKind Kind);

/// What a control stand-in adds to its host class.
template <class Base>
class TStandInControlOf : public Base {
public:
    TStandInControlOf(TComponent* AOwner, TClass AClass) : Base(AOwner), FClass(AClass) {}
    TClass ClassType() const override { return FClass; }

protected:
    /// Children in the order the form gave them (the host's own order puts graphic controls
    /// first), and a stand-in read inside it that is not a control.
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    /// An inline stand-in (a frame) owns its children, as a frame does.
    TComponent* GetChildOwner() override;
    /// Takes the place its kept Align and Visible give it: they stay kept, as streamed.
    void Loaded() override;

private:
    TClass FClass;
};

extern template class TStandInControlOf<TGraphicControl>;
extern template class TStandInControlOf<TCustomControl>;

} // namespace host
