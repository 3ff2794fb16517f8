#include "host/comctrls/Calendar.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/WinControl.h"

namespace host {

namespace {
constexpr TPropInfo MonthCalColorsProps[] = {
    HOST_PROP(TMonthCalColors, BackColor).Default(clWindow),
    HOST_PROP(TMonthCalColors, TextColor).Default(clWindowText),
    HOST_PROP(TMonthCalColors, TitleBackColor).Default(clActiveCaption),
    HOST_PROP(TMonthCalColors, TitleTextColor).Default(clWhite),
    HOST_PROP(TMonthCalColors, MonthBackColor).Default(clWhite),
    HOST_PROP(TMonthCalColors, TrailingTextColor).Default(clInactiveCaptionText),
};
} // namespace

HOST_METACLASS(TMonthCalColors, TPersistent, PropTable(MonthCalColorsProps));

void TMonthCalColors::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TMonthCalColors*>(Source)) {
        for (int p = 0; p < PartCount; ++p) FColors[p] = other->FColors[p];
        if (FOwner) FOwner->Invalidate();
        return;
    }
    TPersistent::Assign(Source);
}

void TMonthCalColors::SetColor(Part P, TColor Value) {
    if (FColors[P] == Value) return;
    FColors[P] = Value;
    if (FOwner) FOwner->Invalidate();
}

} // namespace host
