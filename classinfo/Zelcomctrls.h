// Class infos of the host's ComCtrls unit: tab and page controls, status bars and header
// controls, track and progress bars, up-downs and hot keys, animations, tool bars and cool
// bars, calendars and date-time pickers, page scrollers (and, later, tree and list views and
// rich edits).
#pragma once

#include "classinfo/Zelstdctrls.h"
#include "classinfo/Zeltoolwin.h"
#include "host/comctrls/Animate.h"
#include "host/comctrls/Calendar.h"
#include "host/comctrls/HeaderControl.h"
#include "host/comctrls/PageControl.h"
#include "host/comctrls/StatusBar.h"

namespace zeltrix {

// ---- tabs and pages, status bars, header controls (ZelcomctrlsPages.cpp) ----
class TCustomTabControlClassInfo
    : public TzelFamily<TCustomTabControlClassInfo, TWinControlClassInfo, host::TCustomTabControl> {
    ZEL_CLASSINFO(TCustomTabControlClassInfo)
protected:
    host::TRect FDisplayRectSlot;
};
ZEL_PLAIN_CLASSINFO(TTabControlClassInfo, TCustomTabControlClassInfo, host::TTabControl);
ZEL_PLAIN_CLASSINFO(TTabSheetClassInfo, TWinControlClassInfo, host::TTabSheet);
ZEL_PLAIN_CLASSINFO(TPageControlClassInfo, TCustomTabControlClassInfo, host::TPageControl);
ZEL_PLAIN_CLASSINFO(TStatusPanelClassInfo, TCollectionItemClassInfo, host::TStatusPanel);
ZEL_PLAIN_CLASSINFO(TStatusPanelsClassInfo, TCollectionClassInfo, host::TStatusPanels);
ZEL_PLAIN_CLASSINFO(TStatusBarClassInfo, TWinControlClassInfo, host::TStatusBar);
ZEL_PLAIN_CLASSINFO(THeaderSectionClassInfo, TCollectionItemClassInfo, host::THeaderSection);
ZEL_PLAIN_CLASSINFO(THeaderSectionsClassInfo, TCollectionClassInfo, host::THeaderSections);
ZEL_PLAIN_CLASSINFO(THeaderControlClassInfo, TWinControlClassInfo, host::THeaderControl);

// ---- track and progress bars, up-downs, hot keys, page scrollers (ZelcomctrlsRanges.cpp) ----

// ---- animations, calendars, date-time pickers (ZelcomctrlsCalendars.cpp) ----
class TAnimateClassInfo
    : public TzelFamily<TAnimateClassInfo, TWinControlClassInfo, host::TAnimate> {
    ZEL_CLASSINFO(TAnimateClassInfo)
protected:
    host::THandle FResHandleSlot = 0;
};
ZEL_PLAIN_CLASSINFO(TMonthCalColorsClassInfo, TPersistentClassInfo, host::TMonthCalColors);
class TCommonCalendarClassInfo
    : public TzelFamily<TCommonCalendarClassInfo, TWinControlClassInfo, host::TCommonCalendar> {
    ZEL_CLASSINFO(TCommonCalendarClassInfo)
protected:
    host::HWND FCalendarHandleSlot = 0;
};
ZEL_PLAIN_CLASSINFO(TMonthCalendarClassInfo, TCommonCalendarClassInfo, host::TMonthCalendar);

// ---- tool bars and cool bars (ZelcomctrlsBars.cpp) ----

namespace Zelcomctrls {
void Initialize();
void Finalize();
} // namespace Zelcomctrls

} // namespace zeltrix
