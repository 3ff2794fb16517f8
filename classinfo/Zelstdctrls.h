// Class infos of the host's StdCtrls unit: group boxes, labels, edits, memos, combo boxes,
// buttons, check boxes, radio buttons, list boxes, scroll bars and static text.
#pragma once

#include "classinfo/Zelcontrols.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/ComboBox.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"
#include "host/stdctrls/ListBox.h"
#include "host/stdctrls/Memo.h"
#include "host/stdctrls/ScrollBar.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TCustomGroupBoxClassInfo, TCustomControlClassInfo, host::TCustomGroupBox);
ZEL_PLAIN_CLASSINFO(TGroupBoxClassInfo, TCustomGroupBoxClassInfo, host::TGroupBox);
ZEL_PLAIN_CLASSINFO(TCustomLabelClassInfo, TGraphicControlClassInfo, host::TCustomLabel);
ZEL_PLAIN_CLASSINFO(TLabelClassInfo, TCustomLabelClassInfo, host::TLabel);
ZEL_PLAIN_CLASSINFO(TCustomEditClassInfo, TWinControlClassInfo, host::TCustomEdit);
ZEL_PLAIN_CLASSINFO(TEditClassInfo, TCustomEditClassInfo, host::TEdit);
class TCustomMemoClassInfo
    : public TzelFamily<TCustomMemoClassInfo, TCustomEditClassInfo, host::TCustomMemo> {
    ZEL_CLASSINFO(TCustomMemoClassInfo)
protected:
    host::TPoint FCaretPosSlot;
};
ZEL_PLAIN_CLASSINFO(TMemoClassInfo, TCustomMemoClassInfo, host::TMemo);
class TCustomComboBoxClassInfo
    : public TzelFamily<TCustomComboBoxClassInfo, TWinControlClassInfo, host::TCustomComboBox> {
    ZEL_CLASSINFO(TCustomComboBoxClassInfo)
protected:
    host::HWND FEditHandleSlot = 0;
    host::HWND FListHandleSlot = 0;
};
ZEL_PLAIN_CLASSINFO(TComboBoxClassInfo, TCustomComboBoxClassInfo, host::TComboBox);
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
ZEL_PLAIN_CLASSINFO(TScrollBarClassInfo, TWinControlClassInfo, host::TScrollBar);
ZEL_PLAIN_CLASSINFO(TCustomStaticTextClassInfo, TWinControlClassInfo, host::TCustomStaticText);
ZEL_PLAIN_CLASSINFO(TStaticTextClassInfo, TCustomStaticTextClassInfo, host::TStaticText);

namespace Zelstdctrls {
void Initialize();
void Finalize();
} // namespace Zelstdctrls

} // namespace zeltrix
