#include "host/comctrls/Animate.h"

#include "host/classes/Streams.h"
#include "host/classes/TypInfoRows.h"
#include "host/forms/Application.h"
#include "host/graphics/Canvas.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <memory>

namespace host {

namespace {
constexpr Cardinal PlayTimer = 1;
/// Files past this size are refused before they are read.
constexpr LongInt MaxAviFileSize = LongInt(64) << 20;
const TResName RT_AVI = TResName("AVI");

constexpr TPropInfo AnimateProps[] = {
    HOST_PROP(TAnimate, Active).Default(false),
    "Align",
    "Anchors",
    "AutoSize",
    "BorderWidth",
    HOST_PROP(TAnimate, Center).Default(true),
    "Color",
    HOST_PROP(TAnimate, CommonAVI).Default(aviNone),
    "Constraints",
    HOST_PROP(TAnimate, FileName),
    "ParentColor",
    "ParentShowHint",
    HOST_PROP(TAnimate, Repetitions).Default(0),
    "ShowHint",
    HOST_PROP(TAnimate, StartFrame).Default(1),
    HOST_PROP(TAnimate, StopFrame).Default(0),
    HOST_PROP(TAnimate, Timers).Default(false),
    HOST_PROP(TAnimate, Transparent).Default(true),
    "Visible",
    HOST_PROP(TAnimate, OnClose),
    HOST_PROP(TAnimate, OnOpen),
    HOST_PROP(TAnimate, OnStart),
    HOST_PROP(TAnimate, OnStop),
};

std::string ReadStream(TStream& S) {
    LongInt size = S.GetSize();
    if (size > MaxAviFileSize) throw EInvalidOperation("Cannot open AVI: the file is too large");
    std::string data(std::size_t(size), '\0');
    if (size > 0) S.ReadBuffer(data.data(), size);
    return data;
}
} // namespace

HOST_COMPONENT_METACLASS(TAnimate, TWinControl, PropTable(AnimateProps));

TAnimate::TAnimate(TComponent* AOwner) : TWinControl(AOwner) {
    FAutoSize = true;
    SetBounds(0, 0, 100, 80);
}

TAnimate::~TAnimate() {
    if (FActive && HandleAllocated()) Application()->KillTimer(GetHandle(), PlayTimer);
}

void TAnimate::SetFileName(const AnsiString& Value) {
    FFileName = Value;
    FCommonAVI = aviNone;
    FResHandle = 0;
    FResID = 0;
    FResName.clear();
    OpenSource();
}

void TAnimate::SetCommonAVI(TCommonAVI Value) {
    FCommonAVI = Value;
    FFileName.clear();
    FResHandle = 0;
    FResID = 0;
    FResName.clear();
    OpenSource();
}

void TAnimate::SetResHandle(THandle Value) {
    FResHandle = Value;
    if (FResID || !FResName.empty()) OpenSource();
}

void TAnimate::SetResID(Integer Value) {
    FResID = Value;
    FCommonAVI = aviNone;
    FFileName.clear();
    FResName.clear();
    OpenSource();
}

void TAnimate::SetResName(const AnsiString& Value) {
    FResName = Value;
    FCommonAVI = aviNone;
    FFileName.clear();
    FResID = 0;
    OpenSource();
}

void TAnimate::OpenSource() {
    Close();
    if (GetComponentState().Contains(csLoading)) return; // opened once everything is read
    bool fromFile = !FFileName.empty();
    bool fromResource = FResID != 0 || !FResName.empty();
    if (!fromFile && !fromResource && FCommonAVI == aviNone) return;
    std::string data;
    if (FCommonAVI != aviNone) {
        FClip = CommonAviClip(FCommonAVI);
    } else if (fromFile) {
        TFileStream f(FFileName, fmOpenRead | fmShareDenyNone);
        data = ReadStream(f);
    } else {
        THandle module = FResHandle ? FResHandle : HInstance;
        TResName name = FResID ? TResName::FromId(Word(FResID)) : TResName(FResName);
        TResourceStream r(module, name, RT_AVI);
        data = ReadStream(r);
    }
    if (FCommonAVI == aviNone) FClip = ReadAviClip(data);
    FOpen = true;
    FFrame = 0;
    AdjustSize();
    Invalidate();
    if (FOnOpen) FOnOpen(this);
}

void TAnimate::Close() {
    if (!FOpen) return;
    Stop();
    FOpen = false;
    FClip = TAviClip{};
    Invalidate();
    if (FOnClose) FOnClose(this);
}

void TAnimate::SetOpen(bool Value) {
    if (Value == FOpen) return;
    if (Value)
        OpenSource();
    else
        Close();
}

void TAnimate::SetActive(bool Value) {
    if (Value == FActive) return;
    if (!Value) {
        Stop();
        return;
    }
    if (GetComponentState().Contains(csLoading)) {
        FActive = true; // plays once loaded
        return;
    }
    if (!FOpen) SetOpen(true);
    if (!FOpen) return;
    Play(Word(FStartFrame), Word(FStopFrame ? FStopFrame : GetFrameCount()), FRepetitions);
}

void TAnimate::SetCenter(bool Value) {
    FCenter = Value;
    Invalidate();
}

void TAnimate::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TAnimate::CheckFrame(Integer Frame) const {
    if (FOpen && (Frame < 1 || Frame > GetFrameCount()))
        throw EInvalidOperation(
            Format("Frame %d is out of range (1 to %d)", {Frame, GetFrameCount()}));
}

void TAnimate::SetStartFrame(SmallInt Value) {
    CheckFrame(Value);
    FStartFrame = Value;
}

void TAnimate::SetStopFrame(SmallInt Value) {
    if (Value != 0) CheckFrame(Value);
    FStopFrame = Value;
}

void TAnimate::Play(Word FromFrame, Word ToFrame, Integer Count) {
    if (!FOpen) throw EInvalidOperation("Cannot play: no clip is open");
    CheckFrame(FromFrame);
    CheckFrame(ToFrame);
    if (FromFrame > ToFrame)
        throw EInvalidOperation("Cannot play: the first frame is after the last");
    Stop();
    FFrom = FromFrame - 1;
    FTo = ToFrame - 1;
    FRepeatsLeft = std::max<Integer>(Count, 0);
    FFrame = FFrom;
    FActive = true;
    Invalidate();
    Cardinal ms = std::max<Cardinal>(FClip.MicroSecPerFrame / 1000, 1);
    Application()->SetTimer(GetHandle(), PlayTimer, ms);
    if (FOnStart) FOnStart(this);
}

void TAnimate::Step() {
    if (!FActive) return;
    if (FFrame < FTo) {
        ++FFrame;
    } else if (FRepeatsLeft == 1) {
        Stop(); // the last repetition ends on its last frame
        return;
    } else {
        if (FRepeatsLeft > 1) --FRepeatsLeft;
        FFrame = FFrom;
    }
    Invalidate();
}

void TAnimate::Stop() {
    if (!FActive) return;
    FActive = false;
    if (HandleAllocated()) Application()->KillTimer(GetHandle(), PlayTimer);
    if (FOnStop) FOnStop(this);
}

void TAnimate::Reset() {
    Seek(1);
}

void TAnimate::Seek(SmallInt Frame) {
    if (!FOpen) return;
    CheckFrame(Frame);
    Stop();
    FFrame = Frame - 1;
    Invalidate();
}

void TAnimate::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER && Message.WParam == LongInt(PlayTimer)) {
        Step();
        return;
    }
    TWinControl::WndProc(Message);
}

void TAnimate::AdjustSize() {
    if (!FAutoSize || !FOpen || GetComponentState().Contains(csLoading)) return;
    TRect n = GetNonClientInsets();
    SetBounds(GetLeft(), GetTop(), FClip.Width + n.Left + n.Right, FClip.Height + n.Top + n.Bottom);
}

void TAnimate::Loaded() {
    TWinControl::Loaded();
    bool play = FActive;
    FActive = false;
    OpenSource();
    if (play && FOpen) SetActive(true);
}

void TAnimate::PaintWindow(TCanvas* Canvas) {
    TRect client = GetClientRect();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(client);
    if (!FOpen) return;
    Integer x = 0, y = 0;
    if (FCenter) {
        x = (client.Right - FClip.Width) / 2;
        y = (client.Bottom - FClip.Height) / 2;
    }
    // Transparent: the colour of the first frame's top left pixel shows the control's colour.
    const Cardinal key = FClip.Pixel(0, 0, 0);
    for (Integer row = 0; row < FClip.Height; ++row)
        for (Integer col = 0; col < FClip.Width; ++col) {
            Cardinal c = FClip.Pixel(FFrame, col, row);
            if (FTransparent && c == key) continue;
            Canvas->SetPixels(x + col, y + row, TColor(Integer(c)));
        }
}

} // namespace host
