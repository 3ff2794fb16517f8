// Class infos of the host's Forms unit: the scroll bars, scrolling controls and forms, data
// modules, monitors, the screen and the application.
#pragma once

#include "classinfo/Zelcontrols.h"
#include "host/forms/Application.h"
#include "host/forms/DockForm.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TControlScrollBarClassInfo, TPersistentClassInfo, host::TControlScrollBar);
ZEL_PLAIN_CLASSINFO(TScrollingWinControlClassInfo, TWinControlClassInfo,
                    host::TScrollingWinControl);
ZEL_PLAIN_CLASSINFO(TScrollBoxClassInfo, TScrollingWinControlClassInfo, host::TScrollBox);
class TCustomFormClassInfo
    : public TzelFamily<TCustomFormClassInfo, TScrollingWinControlClassInfo, host::TCustomForm> {
    ZEL_CLASSINFO(TCustomFormClassInfo)
protected:
    host::TBorderIcons FBorderIconsSlot;
    host::HWND FClientHandleSlot = 0;
    host::TFormState FFormStateSlot;
};
ZEL_PLAIN_CLASSINFO(TCustomActiveFormClassInfo, TCustomFormClassInfo, host::TCustomActiveForm);
ZEL_PLAIN_CLASSINFO(TFormClassInfo, TCustomFormClassInfo, host::TForm);
ZEL_PLAIN_CLASSINFO(TCustomDockFormClassInfo, TCustomFormClassInfo, host::TCustomDockForm);

class TDataModuleClassInfo
    : public TzelFamily<TDataModuleClassInfo, TComponentClassInfo, host::TDataModule> {
    ZEL_CLASSINFO(TDataModuleClassInfo)
protected:
    host::TPoint FDesignOffsetSlot;
    host::TPoint FDesignSizeSlot;
};

ZEL_PLAIN_CLASSINFO(TMonitorClassInfo, TObjectClassInfo, host::TMonitor);

class TScreenClassInfo : public TzelFamily<TScreenClassInfo, TComponentClassInfo, host::TScreen> {
    ZEL_CLASSINFO(TScreenClassInfo)
protected:
    host::HCURSOR FCursorsSlot = 0;
    host::HKL FDefaultKbLayoutSlot = 0;
};

class TApplicationClassInfo
    : public TzelFamily<TApplicationClassInfo, TComponentClassInfo, host::TApplication> {
    ZEL_CLASSINFO(TApplicationClassInfo)
protected:
    host::HWND FDialogHandleSlot = 0;
    host::HWND FHandleSlot = 0;
};

namespace Zelforms {
void Initialize();
void Finalize();
} // namespace Zelforms

} // namespace zeltrix
