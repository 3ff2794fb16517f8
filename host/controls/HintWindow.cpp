#include "host/controls/HintWindow.h"

#include "host/classes/TypInfoRows.h"

#include <algorithm>

namespace host {

HOST_COMPONENT_METACLASS(THintWindow, TCustomControl);

namespace {
// Space between the frame and the text: on the left and right, and above and below.
constexpr Integer MarginX = 2, MarginY = 1;
} // namespace

AnsiString GetShortHint(const AnsiString& Hint) {
    auto bar = Hint.find('|');
    return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint) {
    auto bar = Hint.find('|');
    return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

std::vector<AnsiString> WrapText(TCanvas* Canvas, const AnsiString& Text, Integer MaxWidth) {
    std::vector<AnsiString> lines;
    std::size_t start = 0;
    for (;;) { // one paragraph (up to a line break) a round
        std::size_t end = Text.find_first_of("\r\n", start);
        AnsiString paragraph = Text.substr(start, end == AnsiString::npos ? end : end - start);
        AnsiString line;
        std::size_t at = 0;
        while (at < paragraph.size()) {
            std::size_t wordEnd = paragraph.find(' ', at);
            if (wordEnd == AnsiString::npos) wordEnd = paragraph.size();
            AnsiString word = paragraph.substr(at, wordEnd - at);
            AnsiString longer = line.empty() ? word : line + ' ' + word;
            if (!line.empty() && Canvas->TextWidth(longer) > MaxWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
            at = wordEnd + 1;
        }
        lines.push_back(line);
        if (end == AnsiString::npos) break;
        start = end + (Text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    FVisible = false; // shown by ActivateHint
    SetColor(clInfoBk);
    GetFont()->SetColor(clInfoText);
}

void THintWindow::ActivateHint(const TRect& Rect, const AnsiString& AHint) {
    SetCaption(AHint);
    SetBoundsRect(Rect);
    HandleNeeded();
    Show();
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const AnsiString& AHint, void*) {
    ActivateHint(Rect, AHint);
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void*) {
    TCanvas* c = GetCanvas();
    c->GetFont()->Assign(GetFont());
    std::vector<AnsiString> lines = WrapText(c, AHint, MaxWidth);
    Integer width = 0;
    for (const AnsiString& line : lines) width = std::max(width, c->TextWidth(line));
    Integer height = AHint.empty() ? 0 : Integer(lines.size()) * c->TextHeight("Wg");
    TRect n = GetNonClientInsets();
    return {0, 0, width + 2 * MarginX + n.Left + n.Right, height + 2 * MarginY + n.Top + n.Bottom};
}

bool IsHintMessage(Cardinal Msg) {
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_ACTIVATE:
    case CM_ACTIVATE:
    case CM_DEACTIVATE: return true;
    default: return false;
    }
}

bool THintWindow::IsHintMsg(TMsg& Msg) {
    return IsHintMessage(Msg.Message);
}

void THintWindow::ReleaseHandle() {
    Hide();
    DestroyHandle();
}

void THintWindow::Paint() {
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    Integer lineHeight = c->TextHeight("Wg");
    TRect client = GetClientRect();
    Integer y = MarginY;
    for (const AnsiString& line : WrapText(c, GetCaption(), client.Right - 2 * MarginX)) {
        c->TextOut(MarginX, y, line);
        y += lineHeight;
    }
}

void THintWindow::PaintNonClient(TCanvas* Canvas) {
    Canvas->GetBrush()->SetColor(clBlack);
    Canvas->FrameRect({0, 0, GetWidth(), GetHeight()});
}

} // namespace host
