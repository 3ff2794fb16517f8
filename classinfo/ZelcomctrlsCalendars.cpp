// The class infos of animations and of month calendars' colours.
#include "classinfo/Zelcomctrls.h"
#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

struct TAnimateClassInfo::ZelRows {
    using CI = TAnimateClassInfo;
    using H = TAnimate;
    static constexpr auto Properties =
        zelRows(ZEL_PROP_R(H, FrameCount), ZEL_PROP_R(H, FrameHeight), ZEL_PROP_R(H, FrameWidth),
                ZEL_PROP(H, Open),
                prop<&H::GetResHandle, &H::SetResHandle, &CI::FResHandleSlot>("ResHandle"),
                prop<&H::GetResID, &H::SetResID>("ResId"), ZEL_PROP(H, ResName),
                ZEL_PROP(H, Active).published(), ZEL_PROP(H, Center).published(),
                ZEL_PROP(H, CommonAVI).published(), ZEL_PROP(H, FileName).published(),
                ZEL_PROP(H, Repetitions).published(), ZEL_PROP(H, StartFrame).published(),
                ZEL_PROP(H, StopFrame).published(), ZEL_PROP(H, Timers).published(),
                ZEL_PROP(H, Transparent).published(),
                published("Align", "Anchors", "AutoSize", "BorderWidth", "Color", "Constraints",
                          "ParentColor", "ParentShowHint", "ShowHint", "Visible"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, Play, "FromFrame,ToFrame,Count"),
        ZEL_PROC(H, Reset),
        ZEL_PROC(H, Seek, "Frame"),
        ZEL_PROC(H, Stop),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnOpen, "Sender").published(),
        ZEL_EVENT(H, OnClose, "Sender").published(),
        ZEL_EVENT(H, OnStart, "Sender").published(),
        ZEL_EVENT(H, OnStop, "Sender").published(),
    };
};
ZEL_TABLE(TAnimateClassInfo);

struct TMonthCalColorsClassInfo::ZelRows {
    using H = TMonthCalColors;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, BackColor).published(), ZEL_PROP(H, TextColor).published(),
        ZEL_PROP(H, TitleBackColor).published(), ZEL_PROP(H, TitleTextColor).published(),
        ZEL_PROP(H, MonthBackColor).published(), ZEL_PROP(H, TrailingTextColor).published());
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner")};
};
ZEL_TABLE(TMonthCalColorsClassInfo);

} // namespace zeltrix
