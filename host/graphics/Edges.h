// The platform's 3-D edges and frame controls over a canvas (DrawEdge, DrawFrameControl's
// buttons, check boxes and radio buttons), in the system colours: the classic look of every
// control is drawn with these.
#pragma once

#include "host/system/Types.h"

namespace host {

class TCanvas;

inline constexpr Cardinal BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002,
                          BDR_RAISEDINNER = 0x0004, BDR_SUNKENINNER = 0x0008;
inline constexpr Cardinal EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
                          EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
                          EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
                          EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr Cardinal BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
                          BF_RECT = 0x000F, BF_MIDDLE = 0x0800, BF_SOFT = 0x1000,
                          BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

/// Draws the edges of `Rect` named by `Flags` (BF_*) with the inner and outer borders of `Edge`
/// (BDR_*, EDGE_*). BF_MIDDLE fills the inside with the face colour; BF_ADJUST shrinks `Rect`
/// to the inside; BF_FLAT and BF_MONO draw one-colour borders.
void DrawEdge(TCanvas* Canvas, TRect& Rect, Cardinal Edge, Cardinal Flags);

/// A push button's face: raised, or sunken while pressed; a default (or focused) button has a
/// black frame round it. Returns the inside, where the caption goes.
TRect DrawPushButton(TCanvas* Canvas, TRect Rect, bool Pressed, bool Default, bool Flat = false);

enum class TCheckMark { Unchecked, Checked, Grayed };
/// The 13 x 13 box of a check box with its top left at (X, Y): sunken, the window colour (the
/// face while pressed or disabled), the mark in the text colour (grey when grayed or disabled).
void DrawCheckBox(TCanvas* Canvas, Integer X, Integer Y, TCheckMark Mark, bool Pressed,
                  bool Enabled);
/// The 12 x 12 round button of a radio button with its top left at (X, Y).
void DrawRadioButton(TCanvas* Canvas, Integer X, Integer Y, bool Checked, bool Pressed,
                     bool Enabled);
/// Text drawn as a disabled control's: in the highlight one pixel down and right, then in the
/// shadow colour. `Format` as for DrawText.
void DrawDisabledText(TCanvas* Canvas, const AnsiString& Text, TRect Rect, Cardinal Format);

} // namespace host
