// THintWindow: the small window a control's hint shows in; THintInfo: what the application
// and the control decide about a hint before it shows (CM_HINTSHOW); the two parts of a hint.
#pragma once

#include "host/controls/CustomControls.h"

namespace host {

/// What a hint about to show looks like; the control under the mouse may change it in its
/// CM_HINTSHOW (the message's Data), and Application's OnShowHint after it. A nonzero Result
/// of CM_HINTSHOW keeps the hint from showing.
struct THintInfo {
    TControl* HintControl = nullptr;
    /// The class of the hint window (a THintWindow descendant).
    TClass HintWindowClass = nullptr;
    /// The hint window's top left on the screen.
    TPoint HintPos;
    /// The width the text wraps at.
    Integer HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    /// Where the mouse may move in HintControl (its client coordinates) without the hint
    /// being worked out again.
    TRect CursorRect;
    /// The mouse in HintControl's client coordinates.
    TPoint CursorPos;
    /// When nonzero: the hint is worked out again after this many milliseconds.
    Integer ReshowTimeout = 0;
    /// The hint goes after this many milliseconds (0: it stays).
    Integer HideTimeout = 0;
    AnsiString HintStr;
    void* HintData = nullptr;
};

/// The part of a hint before '|', shown in the hint window (the whole hint without one).
AnsiString GetShortHint(const AnsiString& Hint);
/// The part after '|', shown in a status bar (the whole hint without one).
AnsiString GetLongHint(const AnsiString& Hint);

/// Whether a message of this number takes a showing hint away: a key or a button pressed, the
/// wheel turned, a window activated.
bool IsHintMessage(Cardinal Msg);

/// A borderless top-level window in the hint colour with a thin black frame and the hint's
/// text, wrapped, in the info text colour. Caption and Color are public here.
class THintWindow : public TCustomControl {
    HOST_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* AOwner);

    /// Shows `AHint` in `Rect` (screen coordinates), the window on top.
    virtual void ActivateHint(const TRect& Rect, const AnsiString& AHint);
    /// The same; `AData` is for descendants that show more than text.
    virtual void ActivateHintData(const TRect& Rect, const AnsiString& AHint, void* AData);
    /// The rectangle (from 0, 0) the window needs for `AHint` wrapped at `MaxWidth` pixels in
    /// its font: the text, its margins and the frame.
    virtual TRect CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void* AData);
    /// Whether `Msg` takes the hint away (IsHintMessage unless a descendant knows better).
    virtual bool IsHintMsg(TMsg& Msg);
    /// Hides the window and lets go of its window handle.
    void ReleaseHandle();
    /// Whether the hint shows (for the application and tests).
    bool GetActive() const { return GetVisible(); }

    TRect GetNonClientInsets() override { return {1, 1, 1, 1}; }

protected:
    void Paint() override;
    void PaintNonClient(TCanvas* Canvas) override;
};

/// The text of `Text` broken into lines no wider than `MaxWidth` pixels in `Canvas`'s font:
/// at line breaks, then between words; a word wider than the line stands alone, uncut.
std::vector<AnsiString> WrapText(TCanvas* Canvas, const AnsiString& Text, Integer MaxWidth);

} // namespace host
