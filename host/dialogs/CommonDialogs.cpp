#include "host/dialogs/CommonDialogs.h"

#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/dialogs/MessageDialogs.h"
#include "host/forms/Form.h"
#include "host/graphics/GraphicsObjects.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/ComboBox.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"
#include "host/system/SysUtils.h"

namespace host {

namespace {
constexpr TPropInfo CommonDialogProps[] = {
    HOST_PROP(TCommonDialog, Ctl3D).Default(true),
    HOST_PROP(TCommonDialog, HelpContext).Default(0),
    HOST_PROP(TCommonDialog, OnClose),
    HOST_PROP(TCommonDialog, OnShow),
};
constexpr TPropInfo OpenDialogProps[] = {
    HOST_PROP(TOpenDialog, DefaultExt),
    HOST_PROP(TOpenDialog, FileName),
    HOST_PROP(TOpenDialog, Filter),
    HOST_PROP(TOpenDialog, FilterIndex).Default(1),
    HOST_PROP(TOpenDialog, InitialDir),
    HOST_PROP(TOpenDialog, Options).Default(TOpenOptions{ofHideReadOnly}),
    HOST_PROP(TOpenDialog, Title),
    HOST_PROP(TOpenDialog, OnCanClose),
};
constexpr TPropInfo ColorDialogProps[] = {
    HOST_PROP(TColorDialog, Color).Default(clBlack),
    HOST_PROP(TColorDialog, CustomColors),
    HOST_PROP(TColorDialog, Options).Default(TColorDialogOptions{}),
};
constexpr TPropInfo FontDialogProps[] = {
    HOST_PROP(TFontDialog, Font),
    HOST_PROP(TFontDialog, MinFontSize).Default(0),
    HOST_PROP(TFontDialog, MaxFontSize).Default(0),
    HOST_PROP(TFontDialog, Options).Default(TFontDialogOptions{fdEffects}),
};
constexpr TPropInfo FindDialogProps[] = {
    HOST_PROP(TFindDialog, FindText),
    HOST_PROP(TFindDialog, Options).Default(TFindOptions{frDown}),
    HOST_PROP(TFindDialog, OnFind),
};
constexpr TPropInfo ReplaceDialogProps[] = {
    HOST_PROP(TReplaceDialog, ReplaceText),
    HOST_PROP(TReplaceDialog, OnReplace),
};

/// A dialog form with OK and Cancel at the bottom right of a `Width` x `Height` client area.
TForm* NewDialog(const AnsiString& Caption, Integer Width, Integer Height,
                 const AnsiString& OkCaption = "OK") {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(Caption);
    form->SetClientWidth(Width);
    form->SetClientHeight(Height);
    auto button = [&](const char* Name, const AnsiString& Text, TModalResult Result, Integer X) {
        auto* b = new TButton(form);
        b->SetName(Name);
        b->SetParent(form);
        b->SetCaption(Text);
        b->SetModalResult(Result);
        b->SetBounds(X, Height - 33, 75, 25);
        return b;
    };
    button("OK", OkCaption, mrOk, Width - 166)->SetDefault(true);
    button("Cancel", "Cancel", mrCancel, Width - 83)->SetCancel(true);
    return form;
}

TEdit* LabelledEdit(TForm* Form, const AnsiString& Name, const AnsiString& Caption, Integer Top,
                    const AnsiString& Text, Integer Width = 0) {
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->SetBounds(8, Top + 3, 70, 15);
    label->SetCaption(Caption);
    auto* edit = new TEdit(Form);
    edit->SetName(Name);
    edit->SetParent(Form);
    edit->SetBounds(82, Top, Width ? Width : Form->GetClientWidth() - 90, 21);
    edit->SetText(Text);
    label->SetFocusControl(edit);
    return edit;
}

TCheckBox* Check(TForm* Form, const AnsiString& Name, const AnsiString& Caption, Integer X,
                 Integer Y, bool Checked) {
    auto* box = new TCheckBox(Form);
    box->SetName(Name);
    box->SetParent(Form);
    box->SetBounds(X, Y, 110, 17);
    box->SetCaption(Caption);
    box->SetChecked(Checked);
    return box;
}

template <class T>
T* Named(TForm* Form, const char* Name) {
    return static_cast<T*>(Form->FindComponent(Name));
}
} // namespace

HOST_COMPONENT_METACLASS(TCommonDialog, TComponent, PropTable(CommonDialogProps));
HOST_COMPONENT_METACLASS(TOpenDialog, TCommonDialog, PropTable(OpenDialogProps));
HOST_COMPONENT_METACLASS(TSaveDialog, TOpenDialog);
HOST_COMPONENT_METACLASS(TColorDialog, TCommonDialog, PropTable(ColorDialogProps));
HOST_COMPONENT_METACLASS(TFontDialog, TCommonDialog, PropTable(FontDialogProps));
HOST_COMPONENT_METACLASS(TFindDialog, TCommonDialog, PropTable(FindDialogProps));
HOST_COMPONENT_METACLASS(TReplaceDialog, TFindDialog, PropTable(ReplaceDialogProps));

// ---- all dialogs ----

TCommonDialog::TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TCommonDialog::RunModal(TForm& Form) {
    Form.SetHelpContext(FHelpContext);
    if (FOnShow) FOnShow(this);
    bool ok = Form.ShowModal() == mrOk;
    if (FOnClose) FOnClose(this);
    return ok;
}

// ---- files ----

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
    TForm* form = NewDialog(FTitle.empty() ? DefaultTitle() : FTitle, 340, 110, OkCaption());
    TEdit* name = LabelledEdit(form, "FileName", "File &name:", 12, FFileName);
    // The filter's descriptions, the chosen one shown.
    auto* types = new TComboBox(form);
    types->SetName("FileType");
    types->SetParent(form);
    types->SetStyle(csDropDownList);
    types->SetBounds(82, 42, 250, 21);
    AnsiString filter = FFilter;
    for (Integer i = 0; !filter.empty(); ++i) {
        std::size_t bar = filter.find('|');
        AnsiString description = filter.substr(0, bar);
        filter = bar == AnsiString::npos ? AnsiString() : filter.substr(bar + 1);
        bar = filter.find('|'); // the pattern, not shown
        filter = bar == AnsiString::npos ? AnsiString() : filter.substr(bar + 1);
        types->GetItems()->Add(description);
    }
    if (types->GetItems()->GetCount() > 0)
        types->SetItemIndex(
            std::clamp<Integer>(FFilterIndex - 1, 0, types->GetItems()->GetCount() - 1));
    form->SetActiveControl(name);
    std::unique_ptr<TForm> keep(form);
    if (!RunModal(*form)) return false;
    AnsiString chosen = name->GetText();
    Integer typeIndex = types->GetItemIndex() >= 0 ? types->GetItemIndex() + 1 : FFilterIndex;
    // Several names in quotes where that is allowed; one otherwise.
    FFiles->Clear();
    AnsiString text = Trim(chosen);
    if (FOptions.Contains(ofAllowMultiSelect) && text.find('"') != AnsiString::npos) {
        for (std::size_t at = text.find('"'); at != AnsiString::npos; at = text.find('"', at)) {
            std::size_t end = text.find('"', at + 1);
            if (end == AnsiString::npos) break;
            if (end > at + 1) FFiles->Add(text.substr(at + 1, end - at - 1));
            at = end + 1;
        }
    } else if (!text.empty())
        FFiles->Add(text);
    if (FFiles->GetCount() == 0) return false;
    for (Integer i = 0; i < FFiles->GetCount(); ++i) {
        AnsiString f = FFiles->GetStrings(i);
        if (!FInitialDir.empty() && !f.empty() && f[0] != '/')
            f = IncludeTrailingPathDelimiter(FInitialDir) + f;
        if (!FDefaultExt.empty() && ExtractFileExt(f).empty()) f += "." + FDefaultExt;
        FFiles->SetStrings(i, f);
    }
    FFileName = FFiles->GetStrings(0);
    FFilterIndex = typeIndex;
    if (!Accept()) return false;
    bool canClose = true;
    if (FOnCanClose) FOnCanClose(this, canClose);
    return canClose;
}

bool TOpenDialog::Accept() {
    if (!FOptions.Contains(ofFileMustExist) && !FOptions.Contains(ofPathMustExist)) return true;
    for (Integer i = 0; i < FFiles->GetCount(); ++i) {
        AnsiString f = FFiles->GetStrings(i);
        if (FOptions.Contains(ofFileMustExist) && !FileExists(f)) {
            MessageDlg(f + "\nFile not found.\nPlease verify the correct file name was given.",
                       mtWarning, {mbOK}, 0);
            return false;
        }
        AnsiString dir = ExtractFilePath(f);
        if (!dir.empty() && !DirectoryExists(dir)) {
            MessageDlg(f + "\nPath does not exist.\nPlease verify the correct path was given.",
                       mtWarning, {mbOK}, 0);
            return false;
        }
    }
    return true;
}

bool TSaveDialog::Accept() {
    if (!TOpenDialog::Accept()) return false;
    if (GetOptions().Contains(ofOverwritePrompt) && FileExists(GetFileName()))
        return MessageDlg(GetFileName() + " already exists.\nDo you want to replace it?", mtWarning,
                          {mbYes, mbNo}, 0) == mrYes;
    return true;
}

// ---- colours ----

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(new TStringList) {}

TColorDialog::~TColorDialog() = default;

void TColorDialog::SetCustomColors(TStrings* Value) {
    FCustomColors->Assign(Value);
}

bool TColorDialog::Execute() {
    TForm* form = NewDialog("Color", 260, 80);
    TEdit* edit = LabelledEdit(form, "Color", "&Color:", 12, ColorToString(FColor));
    form->SetActiveControl(edit);
    std::unique_ptr<TForm> keep(form);
    if (!RunModal(*form)) return false;
    try {
        FColor = StringToColor(Trim(edit->GetText()));
    } catch (const EConvertError&) {
        MessageDlg("'" + edit->GetText() + "' is not a valid color.", mtError, {mbOK}, 0);
        return false;
    }
    return true;
}

// ---- fonts ----

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(new TFont) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* Value) {
    FFont->Assign(Value);
}

bool TFontDialog::Execute() {
    TForm* form = NewDialog("Font", 280, 150);
    TEdit* name = LabelledEdit(form, "FontName", "&Font:", 12, FFont->GetName());
    TEdit* size = LabelledEdit(form, "FontSize", "&Size:", 40, IntToStr(FFont->GetSize()));
    TFontStyles style = FFont->GetStyle();
    TCheckBox* bold = Check(form, "Bold", "&Bold", 8, 70, style.Contains(fsBold));
    TCheckBox* italic = Check(form, "Italic", "&Italic", 140, 70, style.Contains(fsItalic));
    TCheckBox* underline = nullptr;
    TCheckBox* strikeOut = nullptr;
    if (FOptions.Contains(fdEffects)) {
        underline = Check(form, "Underline", "&Underline", 8, 92, style.Contains(fsUnderline));
        strikeOut = Check(form, "StrikeOut", "Stri&keout", 140, 92, style.Contains(fsStrikeOut));
    }
    form->SetActiveControl(name);
    std::unique_ptr<TForm> keep(form);
    if (!RunModal(*form)) return false;
    Integer points = 0;
    if (!TryStrToInt(Trim(size->GetText()), points) || points <= 0) {
        MessageDlg("Size must be a number.", mtWarning, {mbOK}, 0);
        return false;
    }
    if (FOptions.Contains(fdLimitSize) && FMaxFontSize > 0 &&
        (points < FMinFontSize || points > FMaxFontSize)) {
        MessageDlg("Size must be between " + IntToStr(FMinFontSize) + " and " +
                       IntToStr(FMaxFontSize) + " points.",
                   mtWarning, {mbOK}, 0);
        return false;
    }
    if (!Trim(name->GetText()).empty()) FFont->SetName(Trim(name->GetText()));
    FFont->SetSize(points);
    TFontStyles chosen;
    if (bold->GetChecked()) chosen += fsBold;
    if (italic->GetChecked()) chosen += fsItalic;
    if (underline ? underline->GetChecked() : style.Contains(fsUnderline)) chosen += fsUnderline;
    if (strikeOut ? strikeOut->GetChecked() : style.Contains(fsStrikeOut)) chosen += fsStrikeOut;
    FFont->SetStyle(chosen);
    return true;
}

// ---- find and replace ----

TFindDialog::TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

TFindDialog::~TFindDialog() {
    delete FForm;
}

AnsiString TFindDialog::GetFindText() const {
    if (FForm)
        if (auto* e = Named<TEdit>(FForm, "FindText")) return e->GetText();
    return FFindText;
}

void TFindDialog::SetFindText(const AnsiString& Value) {
    FFindText = Value;
    if (FForm)
        if (auto* e = Named<TEdit>(FForm, "FindText")) e->SetText(Value);
}

TFindOptions TFindDialog::GetOptions() const {
    const_cast<TFindDialog*>(this)->ReadForm();
    return FOptions;
}

void TFindDialog::SetOptions(TFindOptions Value) {
    FOptions = Value;
    if (!FForm) return;
    if (auto* c = Named<TCheckBox>(FForm, "MatchCase")) c->SetChecked(Value.Contains(frMatchCase));
    if (auto* c = Named<TCheckBox>(FForm, "WholeWord")) c->SetChecked(Value.Contains(frWholeWord));
    if (auto* c = Named<TCheckBox>(FForm, "Down")) c->SetChecked(Value.Contains(frDown));
}

void TFindDialog::ReadForm() {
    if (!FForm) return;
    if (auto* e = Named<TEdit>(FForm, "FindText")) FFindText = e->GetText();
    auto flag = [&](const char* Name, TFindOption Option) {
        if (auto* c = Named<TCheckBox>(FForm, Name)) {
            if (c->GetChecked())
                FOptions += Option;
            else
                FOptions -= Option;
        }
    };
    flag("MatchCase", frMatchCase);
    flag("WholeWord", frWholeWord);
    flag("Down", frDown);
}

TEdit* TFindDialog::AddEdit(const AnsiString& Name, const AnsiString& Label, Integer Top) {
    return LabelledEdit(FForm, Name, Label, Top, AnsiString(), 165); // left of the buttons
}

void TFindDialog::BuildForm() {
    FForm->SetClientWidth(340);
    FForm->SetClientHeight(100);
    AddEdit("FindText", "Fi&nd what:", 12)->SetText(FFindText);
    if (!FOptions.Contains(frHideWholeWord))
        Check(FForm, "WholeWord", "Match &whole word only", 8, 42, FOptions.Contains(frWholeWord));
    if (!FOptions.Contains(frHideMatchCase))
        Check(FForm, "MatchCase", "Match &case", 8, 62, FOptions.Contains(frMatchCase));
    if (!FOptions.Contains(frHideUpDown))
        Check(FForm, "Down", "&Down", 180, 42, FOptions.Contains(frDown));
    auto* next = new TButton(FForm);
    next->SetName("FindNext");
    next->SetParent(FForm);
    next->SetCaption("&Find Next");
    next->SetDefault(true);
    next->SetBounds(257, 40, 75, 25);
    next->SetOnClick(TNotifyEvent::Bind<&TFindDialog::Clicked>(this));
    auto* cancel = new TButton(FForm);
    cancel->SetName("Cancel");
    cancel->SetParent(FForm);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetBounds(257, 70, 75, 25);
    cancel->SetOnClick(TNotifyEvent::Bind<&TFindDialog::Clicked>(this));
}

bool TFindDialog::Execute() {
    if (FForm && FForm->GetVisible()) return true; // already open
    delete FForm;
    FForm = new TForm(nullptr);
    FForm->SetBorderStyle(bsDialog);
    FForm->SetCaption(DefaultTitle());
    FForm->SetPosition(poScreenCenter);
    BuildForm();
    if (GetOnShow()) GetOnShow()(this);
    FForm->Show();
    FForm->SetActiveControl(Named<TEdit>(FForm, "FindText"));
    return true;
}

void TFindDialog::CloseDialog() {
    // Hidden, not freed: a button of the form may be the one asking.
    if (!FForm || !FForm->GetVisible()) return;
    ReadForm();
    FForm->Hide();
    if (GetOnClose()) GetOnClose()(this);
}

void TFindDialog::Clicked(TObject* Sender) {
    auto* button = static_cast<TComponent*>(Sender);
    if (button->GetName() == "Cancel") return CloseDialog();
    ReadForm();
    FOptions -= frReplace;
    FOptions -= frReplaceAll;
    FOptions += frFindNext;
    DoFind();
}

void TFindDialog::DoFind() {
    if (FOnFind) FOnFind(this);
}

AnsiString TReplaceDialog::GetReplaceText() const {
    if (FForm)
        if (auto* e = Named<TEdit>(FForm, "ReplaceText")) return e->GetText();
    return FReplaceText;
}

void TReplaceDialog::SetReplaceText(const AnsiString& Value) {
    FReplaceText = Value;
    if (FForm)
        if (auto* e = Named<TEdit>(FForm, "ReplaceText")) e->SetText(Value);
}

void TReplaceDialog::BuildForm() {
    TFindDialog::BuildForm();
    FForm->SetClientHeight(160);
    AddEdit("ReplaceText", "Re&place with:", 40)->SetText(FReplaceText);
    for (const char* name : {"WholeWord", "MatchCase", "Down"})
        if (auto* c = Named<TControl>(FForm, name)) c->SetTop(c->GetTop() + 30);
    Named<TControl>(FForm, "Cancel")->SetTop(130);
    auto add = [&](const char* Name, const char* Caption, Integer Top) {
        auto* b = new TButton(FForm);
        b->SetName(Name);
        b->SetParent(FForm);
        b->SetCaption(Caption);
        b->SetBounds(257, Top, 75, 25);
        b->SetOnClick(TNotifyEvent::Bind<&TReplaceDialog::ReplaceClicked>(this));
    };
    add("Replace", "&Replace", 70);
    add("ReplaceAll", "Replace &All", 100);
}

void TReplaceDialog::ReplaceClicked(TObject* Sender) {
    ReadForm();
    FReplaceText = GetReplaceText();
    bool all = static_cast<TComponent*>(Sender)->GetName() == "ReplaceAll";
    FOptions -= frFindNext;
    FOptions -= all ? frReplace : frReplaceAll;
    FOptions += all ? frReplaceAll : frReplace;
    if (FOnReplace) FOnReplace(this);
}

} // namespace host
