#include "host/forms/DockForm.h"

namespace host {

HOST_COMPONENT_METACLASS(TCustomDockForm, TCustomForm);

TCustomDockForm::TCustomDockForm(TComponent* AOwner) : TCustomForm(AOwner) {
    SetBorderStyle(bsSizeToolWin);
    SetDockSite(true);
}

void TCustomDockForm::DoAddDockClient(TControl* Client, const TRect& ARect) {
    TCustomForm::DoAddDockClient(Client, ARect);
    Client->SetAlign(alClient);
    SetCaption(Client->GetCaption());
}

void TCustomDockForm::DoRemoveDockClient(TControl* Client) {
    TCustomForm::DoRemoveDockClient(Client);
    Client->SetAlign(alNone);
}

void TCustomDockForm::DockClientLeft(TControl*) {
    if (FDockClients.empty() && !GetComponentState().Contains(csDestroying)) Release();
}

} // namespace host
