// A scroll bar in the classic look: arrow buttons at its ends and the thumb in the track
// between them, where its position and page put it. The scrolling controls' bars, the scroll
// bar control and the memo's bars are all drawn and hit-tested with it.
#pragma once

#include "host/graphics/Colors.h"

namespace host {

class TCanvas;

struct TScrollBarParts {
    TRect First, Last; // the arrow buttons: left or up, right or down
    TRect Track;       // between them
    TRect Thumb;       // empty when the track is too short for one
};

/// The parts of a bar in `Bar` for the range Min..Max with `Page` showing at `Position`
/// (a page of 0: a square thumb).
TScrollBarParts LayoutScrollBar(const TRect& Bar, bool Horizontal, Integer Min, Integer Max,
                                Integer Position, Integer Page);
/// Draws the bar. A checkered track is the platform's; otherwise it is filled with
/// `TrackColor`. `Pressed` names the part held down: 0 none, 1 the first arrow, 2 the last.
void DrawScrollBar(TCanvas* Canvas, const TRect& Bar, bool Horizontal, Integer Min, Integer Max,
                   Integer Position, Integer Page, bool Checkered, TColor TrackColor,
                   bool Enabled = true, int Pressed = 0);

} // namespace host
