// Month calendars: the colours they paint with (more to come: the calendar and its grid).
#pragma once

#include "host/classes/Persistent.h"
#include "host/graphics/Colors.h"

namespace host {

class TWinControl;

/// The colours of a month calendar's parts; a change repaints the calendar that owns them.
class TMonthCalColors : public TPersistent {
    HOST_CLASS(TMonthCalColors, TPersistent)
public:
    explicit TMonthCalColors(TWinControl* AOwner) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;

    TColor GetBackColor() const { return FColors[Back]; }
    void SetBackColor(TColor Value) { SetColor(Back, Value); }
    TColor GetTextColor() const { return FColors[Text]; }
    void SetTextColor(TColor Value) { SetColor(Text, Value); }
    TColor GetTitleBackColor() const { return FColors[TitleBack]; }
    void SetTitleBackColor(TColor Value) { SetColor(TitleBack, Value); }
    TColor GetTitleTextColor() const { return FColors[TitleText]; }
    void SetTitleTextColor(TColor Value) { SetColor(TitleText, Value); }
    TColor GetMonthBackColor() const { return FColors[MonthBack]; }
    void SetMonthBackColor(TColor Value) { SetColor(MonthBack, Value); }
    TColor GetTrailingTextColor() const { return FColors[TrailingText]; }
    void SetTrailingTextColor(TColor Value) { SetColor(TrailingText, Value); }
    TWinControl* GetOwnerControl() const { return FOwner; }

private:
    enum Part { Back, Text, TitleBack, TitleText, MonthBack, TrailingText, PartCount };
    void SetColor(Part P, TColor Value);
    TWinControl* FOwner;
    TColor FColors[PartCount] = {clWindow, clWindowText, clActiveCaption,
                                 clWhite,  clWhite,      clInactiveCaptionText};
};

} // namespace host
