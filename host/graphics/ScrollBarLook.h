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
/// What a press at `P` on a bar laid out as `Parts` hits.
enum class TScrollBarHit { None, First, Last, PageBefore, PageAfter, Thumb };
TScrollBarHit HitScrollBar(const TScrollBarParts& Parts, bool Horizontal, TPoint P);
/// The position that puts the thumb `At` pixels into the track (the mouse's place along the
/// bar less where it holds the thumb), for the range Min..Max with `Page` showing.
Integer ScrollBarPositionAt(const TScrollBarParts& Parts, bool Horizontal, Integer Min, Integer Max,
                            Integer Page, Integer At);
/// The mouse's place along a bar, from the track's start.
inline Integer ScrollBarAlong(const TScrollBarParts& Parts, bool Horizontal, TPoint P) {
    return Horizontal ? P.X - Parts.Track.Left : P.Y - Parts.Track.Top;
}

/// Draws the bar. A checkered track is the platform's; otherwise it is filled with
/// `TrackColor`. `Pressed` names the part held down: 0 none, 1 the first arrow, 2 the last.
void DrawScrollBar(TCanvas* Canvas, const TRect& Bar, bool Horizontal, Integer Min, Integer Max,
                   Integer Position, Integer Page, bool Checkered, TColor TrackColor,
                   bool Enabled = true, int Pressed = 0);

} // namespace host
