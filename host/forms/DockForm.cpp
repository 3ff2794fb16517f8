#include "host/forms/DockForm.h"

#include "host/classes/TypInfoRows.h"
#include "host/forms/Application.h"

namespace host {

const TMessageEntry TCustomDockForm::Messages[] = {
    HOST_ON(TCustomDockForm, CM_RELEASE, CMRelease),
};
namespace {
constexpr TPropInfo DockFormProps[] = {"PixelsPerInch"};
} // namespace
HOST_COMPONENT_METACLASS(TCustomDockForm, TCustomForm,
                         PropTable(DockFormProps, MessageTable(TCustomDockForm::Messages)));

TCustomDockForm::TCustomDockForm(TComponent* AOwner) : TCustomForm(AOwner) {
    SetBorderStyle(bsSizeToolWin);
    SetDockSite(true);
    SetUseDockManager(true); // more controls dropped in share it in zones
}

void TCustomDockForm::DoAddDockClient(TControl* Client, const TRect& ARect) {
    TCustomForm::DoAddDockClient(Client, ARect);
    if (FDockClients.size() == 1) SetCaption(Client->GetCaption());
}

void TCustomDockForm::DoRemoveDockClient(TControl* Client) {
    TCustomForm::DoRemoveDockClient(Client);
    // A control freed (or moved by hand) out of the window leaves it empty; it cannot go
    // while its own RemoveControl runs, so it goes once the queue gets to it.
    if (FDockClients.empty() && !GetComponentState().Contains(csDestroying))
        Application()->PostMessage(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomDockForm::CMRelease(TMessage&) {
    if (FDockClients.empty()) Release();
}

void TCustomDockForm::DockClientLeft(TControl*) {
    if (FDockClients.empty() && !GetComponentState().Contains(csDestroying)) Release();
}

} // namespace host
