#include "host/classes/ClassRegistration.h"

#include "host/actnlist/CustomAction.h"
#include "host/classes/Action.h"
#include "host/classes/Component.h"
#include "host/buttons/BitBtn.h"
#include "host/buttons/SpeedButton.h"
#include "host/classes/Persistent.h"
#include "host/comctrls/Animate.h"
#include "host/comctrls/Calendar.h"
#include "host/dialogs/CommonDialogs.h"
#include "host/controls/DragImageList.h"
#include "host/comctrls/HeaderControl.h"
#include "host/comctrls/PageControl.h"
#include "host/comctrls/StatusBar.h"
#include "host/extctrls/ControlBar.h"
#include "host/extctrls/Header.h"
#include "host/extctrls/Notebook.h"
#include "host/extctrls/Panel.h"
#include "host/extctrls/RadioGroup.h"
#include "host/extctrls/Shapes.h"
#include "host/extctrls/Splitter.h"
#include "host/extctrls/Timer.h"
#include "host/forms/DockForm.h"
#include "host/forms/Form.h"
#include "host/grids/StringGrid.h"
#include "host/mask/MaskEdit.h"
#include "host/menus/Menu.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/ComboBox.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"
#include "host/stdctrls/ListBox.h"
#include "host/stdctrls/Memo.h"
#include "host/stdctrls/ScrollBar.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace host {

namespace {
struct Entry {
    AnsiString Name; // the class name or an alias
    TClass Class;
};

struct Registry {
    std::mutex Lock; // forms may be read on other threads, as the host allows
    std::vector<Entry> Entries;

    const Entry* Find(const AnsiString& Name) const {
        for (const Entry& e : Entries)
            if (SameText(e.Name, Name)) return &e;
        return nullptr;
    }

    void Add(TClass AClass) {
        for (TClass c = AClass; c; c = c->Parent) {
            if (const Entry* e = Find(c->ClassName)) {
                if (e->Class == c) break; // this one and its ancestors are registered
                RaiseFmt<EFilerError>("A class named %s already exists", {c->ClassName});
            }
            Entries.push_back({c->ClassName, c});
            if (c == TPersistent::StaticClass()) break;
        }
    }
};

Registry& Classes() {
    // Used until the very end of the program. The host's start-up registers the component
    // classes of its own units, so that any form naming them loads.
    static Registry* r = [] {
        auto* r = new Registry;
        for (TClass c :
             {// Classes, ActnList, Menus, ImgList, Forms
              TComponent::StaticClass(), TBasicAction::StaticClass(), TActionList::StaticClass(),
              TAction::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass(),
              TMenuItem::StaticClass(), TImageList::StaticClass(), TForm::StaticClass(),
              TCustomDockForm::StaticClass(), TDataModule::StaticClass(), TScrollBox::StaticClass(),
              // StdCtrls
              TLabel::StaticClass(), TStaticText::StaticClass(), TGroupBox::StaticClass(),
              TButton::StaticClass(), TCheckBox::StaticClass(), TRadioButton::StaticClass(),
              TEdit::StaticClass(), TMemo::StaticClass(), TComboBox::StaticClass(),
              TListBox::StaticClass(), TScrollBar::StaticClass(),
              // Mask
              TMaskEdit::StaticClass(),
              // Buttons
              TBitBtn::StaticClass(), TSpeedButton::StaticClass(),
              // Dialogs
              TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TColorDialog::StaticClass(),
              TFontDialog::StaticClass(), TFindDialog::StaticClass(),
              TReplaceDialog::StaticClass(),
              // ExtCtrls
              TShape::StaticClass(), TPaintBox::StaticClass(), TImage::StaticClass(),
              TBevel::StaticClass(), TTimer::StaticClass(), TPanel::StaticClass(),
              TNotebook::StaticClass(), TPage::StaticClass(), THeader::StaticClass(),
              TRadioGroup::StaticClass(), TSplitter::StaticClass(), TControlBar::StaticClass(),
              // ComCtrls: tabs and pages
              TTabControl::StaticClass(), TPageControl::StaticClass(), TTabSheet::StaticClass(),
              TStatusBar::StaticClass(), THeaderControl::StaticClass(),
              // Grids
              TDrawGrid::StaticClass(), TStringGrid::StaticClass(),
              // ComCtrls: calendars
              TAnimate::StaticClass(), TMonthCalendar::StaticClass()})
            r->Add(c);
        // ComCtrls: calendars. The error classes CalExceptionClass may name.
        for (TClass c : {EMonthCalError::StaticClass(), EDateTimeError::StaticClass()}) r->Add(c);
        return r;
    }();
    return *r;
}
} // namespace

void RegisterClass(TClass AClass) {
    Registry& r = Classes();
    std::lock_guard g(r.Lock);
    r.Add(AClass);
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
    for (TClass c : AClasses) RegisterClass(c);
}

void RegisterClassAlias(TClass AClass, const AnsiString& Alias) {
    RegisterClass(AClass);
    Registry& r = Classes();
    std::lock_guard g(r.Lock);
    if (const Entry* e = r.Find(Alias)) {
        if (e->Class == AClass) return;
        RaiseFmt<EFilerError>("A class named %s already exists", {Alias});
    }
    r.Entries.push_back({Alias, AClass});
}

void UnRegisterClass(TClass AClass) {
    Registry& r = Classes();
    std::lock_guard g(r.Lock);
    r.Entries.erase(std::remove_if(r.Entries.begin(), r.Entries.end(),
                                   [&](const Entry& e) { return e.Class == AClass; }),
                    r.Entries.end());
}

void UnRegisterClasses(std::initializer_list<TClass> AClasses) {
    for (TClass c : AClasses) UnRegisterClass(c);
}

TClass GetClass(const AnsiString& ClassName) {
    Registry& r = Classes();
    std::lock_guard g(r.Lock);
    const Entry* e = r.Find(ClassName);
    return e ? e->Class : nullptr;
}

bool IsRegisteredClass(TClass AClass) {
    Registry& r = Classes();
    std::lock_guard g(r.Lock);
    return std::any_of(r.Entries.begin(), r.Entries.end(),
                       [&](const Entry& e) { return e.Class == AClass; });
}

TClass FindClass(const AnsiString& ClassName) {
    TClass c = GetClass(ClassName);
    if (!c) RaiseFmt<EClassNotFound>("Class %s not found", {ClassName});
    return c;
}

} // namespace host
