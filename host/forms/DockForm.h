// TCustomDockForm: the small tool window a control floats in once it is undocked (a dock site
// itself, whose caption bar stands for the grab bar of a control alone in it); it closes when
// its last docked control leaves.
#pragma once

#include "host/forms/Form.h"

namespace host {

class TCustomDockForm : public TCustomForm {
    HOST_CLASS(TCustomDockForm, TCustomForm)
public:
    explicit TCustomDockForm(TComponent* AOwner);

protected:
    /// The first control lends the window its caption.
    void DoAddDockClient(TControl* Client, const TRect& ARect) override;
    void DoRemoveDockClient(TControl* Client) override;
    void DockClientLeft(TControl* Client) override;
    /// Frees the window if it is still empty (posted when its last control went away).
    void CMRelease(TMessage& Message);
    static const TMessageEntry Messages[];
};

} // namespace host
