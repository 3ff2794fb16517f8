#include "host/dialogs/MessageDialogs.h"

#include "host/controls/Control.h"
#include "host/extctrls/Shapes.h"
#include "host/forms/Application.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Picture.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"

#include <algorithm>
#include <memory>

namespace host {

namespace {
constexpr const char* Captions[] = {"Warning", "Error", "Information", "Confirm", ""};
constexpr const char* ButtonNames[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                       "Ignore", "All", "NoToAll", "YesToAll", "Help"};
constexpr const char* ButtonCaptions[] = {"&Yes",       "&No",         "OK",      "Cancel",
                                          "&Abort",     "&Retry",      "&Ignore", "&All",
                                          "N&o to All", "Yes to &All", "&Help"};
constexpr TModalResult Results[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                    mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};

void Row(TCanvas* C, Integer Y, Integer X1, Integer X2, TColor Ink) {
    C->GetBrush()->SetColor(Ink);
    C->FillRect({X1, Y, X2, Y + 1});
}

// The platform's 32 x 32 message icons, drawn on the dialog's face.
void DrawIcon(TCanvas* C, TMsgDlgType Type) {
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect({0, 0, 32, 32});
    C->GetPen()->SetColor(clBlack);
    C->GetPen()->SetWidth(1);
    auto glyph = [&](const char* Text, TColor Ink) {
        C->GetFont()->SetName("Liberation Serif");
        C->GetFont()->SetSize(16);
        C->GetFont()->SetStyle({fsBold});
        C->GetFont()->SetColor(Ink);
        C->GetBrush()->SetStyle(bsClear);
        TSize s = C->TextExtent(Text);
        C->TextOut((32 - s.cx) / 2, (32 - s.cy) / 2, Text);
        C->GetBrush()->SetStyle(bsSolid);
    };
    switch (Type) {
    case mtWarning: // a yellow triangle with a black bar and dot
        for (Integer y = 2; y < 30; ++y) {
            Integer half = (y - 2) / 2 + 1;
            Row(C, y, 16 - half, 16 + half, y == 29 || y - 2 < 1 ? clBlack : clYellow);
            C->SetPixels(16 - half, y, clBlack);
            C->SetPixels(16 + half - 1, y, clBlack);
        }
        C->GetBrush()->SetColor(clBlack);
        C->FillRect({15, 10, 18, 21});
        C->FillRect({15, 23, 18, 26});
        break;
    case mtError:
        C->GetBrush()->SetColor(clRed);
        C->Ellipse(1, 1, 31, 31);
        C->GetPen()->SetColor(clWhite);
        C->GetPen()->SetWidth(3);
        C->MoveTo(10, 10);
        C->LineTo(22, 22);
        C->MoveTo(22, 10);
        C->LineTo(10, 22);
        break;
    case mtInformation:
        C->GetBrush()->SetColor(clWhite);
        C->Ellipse(1, 1, 31, 31);
        glyph("i", clBlue);
        break;
    case mtConfirmation:
        C->GetBrush()->SetColor(clWhite);
        C->Ellipse(1, 1, 31, 31);
        glyph("?", clBlue);
        break;
    case mtCustom: break;
    }
}

TButton* AddButton(TForm* Form, const AnsiString& Name, const AnsiString& Caption,
                   TModalResult Result) {
    auto* b = new TButton(Form);
    b->SetName(Name);
    b->SetParent(Form);
    b->SetCaption(Caption);
    b->SetModalResult(Result);
    return b;
}

// Centres the dialog over the screen, as the host places its dialogs.
TForm* NewDialog(const AnsiString& Caption) {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(Caption);
    return form;
}
} // namespace

TForm* CreateMessageDialog(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    TForm* form =
        NewDialog(DlgType == mtCustom ? Application()->GetTitle() : AnsiString(Captions[DlgType]));
    std::unique_ptr<TForm> guard(form);
    const Integer margin = 8, buttonWidth = 75, buttonHeight = 25, gap = 8;
    Integer left = margin;
    if (DlgType != mtCustom) {
        auto* image = new TImage(form);
        image->SetName("Image");
        image->SetParent(form);
        image->SetBounds(margin, margin, 32, 32);
        TBitmap* b = image->GetPicture()->GetBitmap();
        b->SetSize(32, 32);
        DrawIcon(b->GetCanvas(), DlgType);
        left += 32 + 12;
    }
    auto* text = new TLabel(form);
    text->SetName("Message");
    text->SetParent(form);
    text->SetShowAccelChar(false);
    // Long messages wrap at about two thirds of the screen.
    TRect extent{0, 0, 400, 0};
    TBitmap measure;
    measure.GetCanvas()->GetFont()->Assign(form->GetFont());
    DrawText(measure.GetCanvas(), Msg, extent, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    text->SetWordWrap(true);
    text->SetBounds(left, margin, extent.Right - extent.Left, extent.Bottom - extent.Top);
    text->SetCaption(Msg);

    Integer count = 0;
    for (int b = mbYes; b <= mbHelp; ++b) count += Buttons.Contains(TMsgDlgBtn(b));
    Integer buttonsWidth = count * buttonWidth + std::max<Integer>(count - 1, 0) * gap;
    Integer width = std::max(left + text->GetWidth(), buttonsWidth) + margin;
    Integer top = margin + std::max<Integer>(text->GetHeight(), DlgType != mtCustom ? 32 : 0) + 16;
    form->SetClientWidth(width);
    form->SetClientHeight(top + buttonHeight + margin);
    Integer x = (width - buttonsWidth) / 2;
    bool haveDefault = false;
    TButton* cancel = nullptr;
    for (int i = mbYes; i <= mbHelp; ++i) {
        auto b = TMsgDlgBtn(i);
        if (!Buttons.Contains(b)) continue;
        TButton* button = AddButton(form, ButtonNames[b], ButtonCaptions[b], Results[b]);
        button->SetBounds(x, top, buttonWidth, buttonHeight);
        x += buttonWidth + gap;
        if (!haveDefault && (b == mbOK || b == mbYes)) {
            button->SetDefault(true);
            haveDefault = true;
        }
        if (b == mbCancel || (b == mbNo && !Buttons.Contains(mbCancel))) cancel = button;
    }
    if (cancel) cancel->SetCancel(true);
    return guard.release();
}

Integer MessageDlgPos(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      LongInt HelpCtx, Integer X, Integer Y) {
    std::unique_ptr<TForm> form(CreateMessageDialog(Msg, DlgType, Buttons));
    form->SetHelpContext(HelpCtx);
    if (X >= 0) form->SetLeft(X);
    if (Y >= 0) form->SetTop(Y);
    if (X >= 0 || Y >= 0) form->SetPosition(poDesigned);
    return form->ShowModal();
}

Integer MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   LongInt HelpCtx) {
    return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ShowMessage(const AnsiString& Msg) {
    MessageDlg(Msg, mtCustom, {mbOK}, 0);
}

bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value) {
    std::unique_ptr<TForm> form(NewDialog(ACaption));
    form->SetClientWidth(240);
    form->SetClientHeight(96);
    auto* prompt = new TLabel(form.get());
    prompt->SetName("Prompt");
    prompt->SetParent(form.get());
    prompt->SetBounds(8, 8, 224, 15);
    prompt->SetCaption(APrompt);
    auto* edit = new TEdit(form.get());
    edit->SetName("Value");
    edit->SetParent(form.get());
    edit->SetBounds(8, 26, 224, 21);
    edit->SetText(Value);
    edit->SelectAll();
    prompt->SetFocusControl(edit);
    TButton* ok = AddButton(form.get(), "OK", "OK", mrOk);
    ok->SetBounds(38, 60, 75, 25);
    ok->SetDefault(true);
    TButton* cancel = AddButton(form.get(), "Cancel", "Cancel", mrCancel);
    cancel->SetBounds(127, 60, 75, 25);
    cancel->SetCancel(true);
    form->SetActiveControl(edit);
    if (form->ShowModal() != mrOk) return false;
    Value = edit->GetText();
    return true;
}

AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt,
                    const AnsiString& ADefault) {
    AnsiString value = ADefault;
    InputQuery(ACaption, APrompt, value);
    return value;
}

} // namespace host
