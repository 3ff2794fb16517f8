// Class infos of the host's ExtCtrls unit: shapes, paint boxes, images, bevels, timers, panels,
// notebooks and their pages, headers, radio groups, splitters and control bars.
#pragma once

#include "classinfo/Zelstdctrls.h"
#include "host/extctrls/ControlBar.h"
#include "host/extctrls/Header.h"
#include "host/extctrls/Notebook.h"
#include "host/extctrls/Panel.h"
#include "host/extctrls/RadioGroup.h"
#include "host/extctrls/Shapes.h"
#include "host/extctrls/Splitter.h"
#include "host/extctrls/Timer.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TShapeClassInfo, TGraphicControlClassInfo, host::TShape);
ZEL_PLAIN_CLASSINFO(TPaintBoxClassInfo, TGraphicControlClassInfo, host::TPaintBox);
ZEL_PLAIN_CLASSINFO(TImageClassInfo, TGraphicControlClassInfo, host::TImage);
ZEL_PLAIN_CLASSINFO(TBevelClassInfo, TGraphicControlClassInfo, host::TBevel);
class TTimerClassInfo : public TzelFamily<TTimerClassInfo, TComponentClassInfo, host::TTimer> {
    ZEL_CLASSINFO(TTimerClassInfo)
protected:
    host::Cardinal FIntervalSlot = 0;
};
ZEL_PLAIN_CLASSINFO(TCustomPanelClassInfo, TCustomControlClassInfo, host::TCustomPanel);
ZEL_PLAIN_CLASSINFO(TPanelClassInfo, TCustomPanelClassInfo, host::TPanel);
ZEL_PLAIN_CLASSINFO(TPageClassInfo, TCustomControlClassInfo, host::TPage);
ZEL_PLAIN_CLASSINFO(TNotebookClassInfo, TCustomControlClassInfo, host::TNotebook);
ZEL_PLAIN_CLASSINFO(THeaderClassInfo, TCustomControlClassInfo, host::THeader);
ZEL_PLAIN_CLASSINFO(TCustomRadioGroupClassInfo, TCustomGroupBoxClassInfo, host::TCustomRadioGroup);
ZEL_PLAIN_CLASSINFO(TRadioGroupClassInfo, TCustomRadioGroupClassInfo, host::TRadioGroup);
ZEL_PLAIN_CLASSINFO(TSplitterClassInfo, TGraphicControlClassInfo, host::TSplitter);
ZEL_PLAIN_CLASSINFO(TCustomControlBarClassInfo, TCustomControlClassInfo, host::TCustomControlBar);
ZEL_PLAIN_CLASSINFO(TControlBarClassInfo, TCustomControlBarClassInfo, host::TControlBar);

namespace Zelextctrls {
void Initialize();
void Finalize();
} // namespace Zelextctrls

} // namespace zeltrix
