// Class infos of the host's StdCtrls unit: group boxes, labels, edits, buttons, check boxes,
// radio buttons, list boxes and static text (memos, combo boxes and scroll bars follow).
#pragma once

#include "classinfo/Zelcontrols.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"
#include "host/stdctrls/ListBox.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TCustomGroupBoxClassInfo, TCustomControlClassInfo, host::TCustomGroupBox);
ZEL_PLAIN_CLASSINFO(TGroupBoxClassInfo, TCustomGroupBoxClassInfo, host::TGroupBox);
ZEL_PLAIN_CLASSINFO(TCustomLabelClassInfo, TGraphicControlClassInfo, host::TCustomLabel);
ZEL_PLAIN_CLASSINFO(TLabelClassInfo, TCustomLabelClassInfo, host::TLabel);
ZEL_PLAIN_CLASSINFO(TCustomEditClassInfo, TWinControlClassInfo, host::TCustomEdit);
ZEL_PLAIN_CLASSINFO(TEditClassInfo, TCustomEditClassInfo, host::TEdit);
ZEL_PLAIN_CLASSINFO(TButtonActionLinkClassInfo, TWinControlActionLinkClassInfo,
                    host::TButtonActionLink);
ZEL_PLAIN_CLASSINFO(TButtonControlClassInfo, TWinControlClassInfo, host::TButtonControl);
ZEL_PLAIN_CLASSINFO(TButtonClassInfo, TButtonControlClassInfo, host::TButton);
ZEL_PLAIN_CLASSINFO(TCustomCheckBoxClassInfo, TButtonControlClassInfo, host::TCustomCheckBox);
ZEL_PLAIN_CLASSINFO(TCheckBoxClassInfo, TCustomCheckBoxClassInfo, host::TCheckBox);
ZEL_PLAIN_CLASSINFO(TRadioButtonClassInfo, TButtonControlClassInfo, host::TRadioButton);
class TCustomListBoxClassInfo
    : public TzelFamily<TCustomListBoxClassInfo, TWinControlClassInfo, host::TCustomListBox> {
    ZEL_CLASSINFO(TCustomListBoxClassInfo)
protected:
    host::TRect FItemRectSlot;
};
ZEL_PLAIN_CLASSINFO(TListBoxClassInfo, TCustomListBoxClassInfo, host::TListBox);
ZEL_PLAIN_CLASSINFO(TCustomStaticTextClassInfo, TWinControlClassInfo, host::TCustomStaticText);
ZEL_PLAIN_CLASSINFO(TStaticTextClassInfo, TCustomStaticTextClassInfo, host::TStaticText);

namespace Zelstdctrls {
void Initialize();
void Finalize();
} // namespace Zelstdctrls

} // namespace zeltrix
