// Message and input dialogs: host forms shown modally, so that whatever answers modal forms
// (a user's clicks, the modal hook, the tool's steps) answers them. The controls carry the
// names the host gives them: the buttons "OK", "Cancel", "Yes", ..., the text "Message".
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/forms/Form.h"

namespace host {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
HOST_ENUM_INFO(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
HOST_ENUM_INFO(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll,
               mbNoToAll, mbYesToAll, mbHelp)
using TMsgDlgButtons = Set<TMsgDlgBtn, 11>;

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

/// The dialog, not shown: its buttons in the order of TMsgDlgBtn, the first of OK and Yes the
/// default, Cancel (or No) the one Esc presses. The caller frees it.
TForm* CreateMessageDialog(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
/// Shows the dialog modally; the button pressed (mrCancel when it is closed otherwise).
Integer MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   LongInt HelpCtx);
Integer MessageDlgPos(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      LongInt HelpCtx, Integer X, Integer Y);
/// The message with an OK button, the application's title as the caption.
void ShowMessage(const AnsiString& Msg);
/// Asks for a line of text ("Prompt" and "Value" name the label and the edit); false, with
/// `Value` as it was, when cancelled.
bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value);
AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt,
                    const AnsiString& ADefault);

} // namespace host
