// zeltrix run's input steps: clicks, keys, typing, the mouse and the wheel on a component of
// the form, as the input API delivers them, and the application's clock moved on.
#include "tools/zeltrix/run.h"

#include "host/controls/Input.h"
#include "host/controls/WinControl.h"
#include "host/forms/Application.h"
#include "host/menus/ShortCuts.h"
#include "host/system/SysUtils.h"

#include <cstdio>

namespace zeltrix::tool {

using namespace host;

namespace {
TControl* ControlOf(TComponent* C, const AnsiString& Name) {
    auto* control = dynamic_cast<TControl*>(C);
    if (!control) throw Exception(Name + " is not a control");
    if (!control->IsShowing()) throw Exception(Name + " is not showing");
    return control;
}

TWinControl* TopOf(TControl* C) {
    TControl* top = C;
    while (top->GetParent()) top = top->GetParent();
    auto* w = dynamic_cast<TWinControl*>(top);
    if (!w) throw Exception(C->GetName() + " is on no window");
    return w;
}

/// A point of `C`'s client area in its top-level window's.
TPoint InTop(TControl* C, TPoint P) {
    return TopOf(C)->ScreenToClient(C->ClientToScreen(P));
}

Integer IntegerArg(const AnsiString& S, const char* What) {
    Integer v = 0;
    if (!TryStrToInt(Trim(S), v)) throw EConvertError(Format("'%s' is not a valid %s", {S, What}));
    return v;
}

void Focus(TControl* C) {
    if (auto* w = dynamic_cast<TWinControl*>(C); w && w->CanFocus() && !w->Focused()) w->SetFocus();
}
} // namespace

void InputStep(const AnsiString& Step, TComponent* Target, const AnsiString& Name,
               const std::vector<AnsiString>& Args) {
    TControl* c = ControlOf(Target, Name);
    if (Step == "--click") {
        input::Click(c);
        std::printf("click %s\n", Name.c_str());
    } else if (Step == "--dblclick") {
        TPoint mid{c->GetClientWidth() / 2, c->GetClientHeight() / 2};
        input::DoubleClick(TopOf(c), InTop(c, mid));
        std::printf("double click %s\n", Name.c_str());
    } else if (Step == "--key") {
        TShortCut sc = TextToShortCut(Args.at(0));
        if (!sc) throw Exception("'" + Args.at(0) + "' is not a key name");
        Word key;
        TShiftState shift;
        ShortCutToKey(sc, key, shift);
        Focus(c);
        input::PressKey(key, shift);
        std::printf("key %s %s\n", Name.c_str(), ShortCutToText(sc).c_str());
    } else if (Step == "--type") {
        Focus(c);
        input::Type(Args.at(0));
        std::printf("type %s '%s'\n", Name.c_str(), Args.at(0).c_str());
    } else if (Step == "--mouse") {
        const AnsiString& what = Args.at(0);
        TPoint p = InTop(c, {IntegerArg(Args.at(1), "X"), IntegerArg(Args.at(2), "Y")});
        if (what == "down")
            input::MouseDown(TopOf(c), p);
        else if (what == "move")
            input::MouseMove(TopOf(c), p);
        else if (what == "up")
            input::MouseUp(TopOf(c), p);
        else
            throw Exception("--mouse takes down, move or up, not '" + what + "'");
        std::printf("mouse %s %s %s %s\n", what.c_str(), Name.c_str(), Args[1].c_str(),
                    Args[2].c_str());
    } else if (Step == "--wheel") {
        Integer delta = IntegerArg(Args.at(0), "wheel delta");
        input::Wheel(TopOf(c), InTop(c, {c->GetClientWidth() / 2, c->GetClientHeight() / 2}),
                     delta);
        std::printf("wheel %s %d\n", Name.c_str(), int(delta));
    }
}

void WaitStep(const AnsiString& Milliseconds) {
    Integer ms = IntegerArg(Milliseconds, "number of milliseconds");
    if (ms < 0) throw Exception("--wait takes milliseconds from now, not " + Milliseconds);
    Application()->AdvanceClock(Cardinal(ms));
    std::printf("wait %d ms\n", int(ms));
}

} // namespace zeltrix::tool
