// The common dialogs: file, colour, font, find and replace. Headless, each is a host form with
// named controls, shown modally like any dialog, so that the modal hook or the tool's steps
// answer it (a file dialog's answer is the path typed into its "FileName" edit). Find and
// replace dialogs stay open beside their form and report through OnFind and OnReplace.
#pragma once

#include "host/classes/Component.h"
#include "host/classes/TypInfoTraits.h"
#include "host/graphics/Colors.h"

#include <memory>

namespace host {

class TForm;
class TFont;
class TStrings;
class TEdit;
class TCheckBox;

class TCommonDialog : public TComponent {
    HOST_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* AOwner);
    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value) { FCtl3D = Value; }
    Integer GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(Integer Value) { FHelpContext = Value; }
    TNotifyEvent GetOnShow() const { return FOnShow; }
    void SetOnShow(TNotifyEvent Value) { FOnShow = Value; }
    TNotifyEvent GetOnClose() const { return FOnClose; }
    void SetOnClose(TNotifyEvent Value) { FOnClose = Value; }
    /// Shows the dialog; true when the user confirmed it.
    virtual bool Execute() = 0;

protected:
    /// Shows `Form` modally between OnShow and OnClose; true when it closed with OK.
    bool RunModal(TForm& Form);

private:
    bool FCtl3D = true;
    Integer FHelpContext = 0;
    TNotifyEvent FOnShow, FOnClose;
};

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing
};
HOST_ENUM_INFO(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir,
               ofShowHelp, ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist,
               ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
               ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
               ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing)
using TOpenOptions = Set<TOpenOption, 20>;
using TCloseQueryEvent = Closure<void(TObject* Sender, bool& CanClose)>;

class TOpenDialog : public TCommonDialog {
    HOST_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    AnsiString GetDefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
    AnsiString GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    /// The names chosen: one, or several with ofAllowMultiSelect.
    TStrings* GetFiles() const { return FFiles.get(); }
    /// "Text files (*.txt)|*.txt|All files (*.*)|*.*": descriptions and patterns in pairs.
    AnsiString GetFilter() const { return FFilter; }
    void SetFilter(const AnsiString& Value) { FFilter = Value; }
    Integer GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    AnsiString GetInitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
    TOpenOptions GetOptions() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    AnsiString GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }
    TCloseQueryEvent GetOnCanClose() const { return FOnCanClose; }
    void SetOnCanClose(TCloseQueryEvent Value) { FOnCanClose = Value; }

    bool Execute() override;

protected:
    virtual AnsiString DefaultTitle() const { return "Open"; }
    virtual AnsiString OkCaption() const { return "&Open"; }
    /// Whether the names chosen may be taken; a refusal says why in a message dialog.
    virtual bool Accept();

private:
    AnsiString FDefaultExt, FFileName, FFilter, FInitialDir, FTitle;
    std::unique_ptr<TStrings> FFiles;
    Integer FFilterIndex = 1;
    TOpenOptions FOptions{ofHideReadOnly};
    TCloseQueryEvent FOnCanClose;
};

class TSaveDialog : public TOpenDialog {
    HOST_CLASS(TSaveDialog, TOpenDialog)
public:
    using TOpenDialog::TOpenDialog;

protected:
    AnsiString DefaultTitle() const override { return "Save As"; }
    AnsiString OkCaption() const override { return "&Save"; }
    bool Accept() override;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
HOST_ENUM_INFO(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor,
               cdAnyColor)
using TColorDialogOptions = Set<TColorDialogOption, 5>;

class TColorDialog : public TCommonDialog {
    HOST_CLASS(TColorDialog, TCommonDialog)
public:
    explicit TColorDialog(TComponent* AOwner);
    ~TColorDialog() override;
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    /// "ColorA=808022" lines, as the host keeps the sixteen custom colours.
    TStrings* GetCustomColors() const { return FCustomColors.get(); }
    void SetCustomColors(TStrings* Value);
    TColorDialogOptions GetOptions() const { return FOptions; }
    void SetOptions(TColorDialogOptions Value) { FOptions = Value; }
    /// The colour is typed into "Color" as a name (clRed), $BBGGRR or a number.
    bool Execute() override;

private:
    TColor FColor = clBlack;
    std::unique_ptr<TStrings> FCustomColors;
    TColorDialogOptions FOptions;
};

enum TFontDialogOption {
    fdAnsiOnly,
    fdTrueTypeOnly,
    fdEffects,
    fdFixedPitchOnly,
    fdForceFontExist,
    fdNoFaceSel,
    fdNoOEMFonts,
    fdNoSimulations,
    fdNoSizeSel,
    fdNoStyleSel,
    fdNoVectorFonts,
    fdShowHelp,
    fdWysiwyg,
    fdLimitSize,
    fdScalableOnly,
    fdApplyButton
};
HOST_ENUM_INFO(TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly,
               fdForceFontExist, fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel,
               fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize, fdScalableOnly,
               fdApplyButton)
using TFontDialogOptions = Set<TFontDialogOption, 16>;

class TFontDialog : public TCommonDialog {
    HOST_CLASS(TFontDialog, TCommonDialog)
public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value);
    Integer GetMinFontSize() const { return FMinFontSize; }
    void SetMinFontSize(Integer Value) { FMinFontSize = Value; }
    Integer GetMaxFontSize() const { return FMaxFontSize; }
    void SetMaxFontSize(Integer Value) { FMaxFontSize = Value; }
    TFontDialogOptions GetOptions() const { return FOptions; }
    void SetOptions(TFontDialogOptions Value) { FOptions = Value; }
    /// "FontName", "FontSize" and the style check boxes; sizes outside the limits (with
    /// fdLimitSize) are refused.
    bool Execute() override;

private:
    std::unique_ptr<TFont> FFont;
    Integer FMinFontSize = 0, FMaxFontSize = 0;
    TFontDialogOptions FOptions{fdEffects};
};

enum TFindOption {
    frDown,
    frFindNext,
    frHideMatchCase,
    frHideWholeWord,
    frHideUpDown,
    frMatchCase,
    frDisableMatchCase,
    frDisableUpDown,
    frDisableWholeWord,
    frReplace,
    frReplaceAll,
    frWholeWord,
    frShowHelp
};
HOST_ENUM_INFO(TFindOption, frDown, frFindNext, frHideMatchCase, frHideWholeWord, frHideUpDown,
               frMatchCase, frDisableMatchCase, frDisableUpDown, frDisableWholeWord, frReplace,
               frReplaceAll, frWholeWord, frShowHelp)
using TFindOptions = Set<TFindOption, 13>;

class TFindDialog : public TCommonDialog {
    HOST_CLASS(TFindDialog, TCommonDialog)
public:
    explicit TFindDialog(TComponent* AOwner);
    ~TFindDialog() override;
    AnsiString GetFindText() const;
    void SetFindText(const AnsiString& Value);
    TFindOptions GetOptions() const;
    void SetOptions(TFindOptions Value);
    TNotifyEvent GetOnFind() const { return FOnFind; }
    void SetOnFind(TNotifyEvent Value) { FOnFind = Value; }
    /// Shows the dialog beside its form (true); it stays until closed or CloseDialog.
    bool Execute() override;
    void CloseDialog();
    /// The dialog's form while it is open.
    TForm* GetForm() const { return FForm; }

protected:
    virtual AnsiString DefaultTitle() const { return "Find"; }
    virtual void BuildForm();
    TEdit* AddEdit(const AnsiString& Name, const AnsiString& Label, Integer Top);
    void Clicked(TObject* Sender); // the form's buttons
    virtual void DoFind();
    /// What the form shows goes into FindText and Options.
    void ReadForm();

    TForm* FForm = nullptr;
    AnsiString FFindText;
    TFindOptions FOptions{frDown};
    TNotifyEvent FOnFind;
};

class TReplaceDialog : public TFindDialog {
    HOST_CLASS(TReplaceDialog, TFindDialog)
public:
    using TFindDialog::TFindDialog;
    AnsiString GetReplaceText() const;
    void SetReplaceText(const AnsiString& Value);
    TNotifyEvent GetOnReplace() const { return FOnReplace; }
    void SetOnReplace(TNotifyEvent Value) { FOnReplace = Value; }

protected:
    AnsiString DefaultTitle() const override { return "Replace"; }
    void BuildForm() override;
    void ReplaceClicked(TObject* Sender);

private:
    AnsiString FReplaceText;
    TNotifyEvent FOnReplace;
};

} // namespace host
