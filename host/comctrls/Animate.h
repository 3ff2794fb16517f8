// TAnimate: plays the frames of an AVI clip (from a file or a resource) on the application's
// clock, at the clip's rate.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/comctrls/AviFile.h"
#include "host/controls/WinControl.h"

namespace host {

HOST_ENUM_INFO(TCommonAVI, aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles,
               aviCopyFile, aviRecycleFile, aviEmptyRecycle, aviDeleteFile)

class TAnimate : public TWinControl {
    HOST_CLASS(TAnimate, TWinControl)
public:
    explicit TAnimate(TComponent* AOwner);
    ~TAnimate() override;

    AnsiString GetFileName() const { return FFileName; }
    /// Opens the clip of that file (the resource source is cleared); "" closes it.
    void SetFileName(const AnsiString& Value);
    TCommonAVI GetCommonAVI() const { return FCommonAVI; }
    /// Opens one of the animations the host draws (the other sources are cleared).
    void SetCommonAVI(TCommonAVI Value);
    THandle GetResHandle() const { return FResHandle; }
    void SetResHandle(THandle Value);
    Integer GetResID() const { return FResID; }
    /// Opens the "AVI" resource of that identifier in ResHandle's module (the program's for 0).
    void SetResID(Integer Value);
    AnsiString GetResName() const { return FResName; }
    void SetResName(const AnsiString& Value);
    bool GetOpen() const { return FOpen; }
    /// Opens the clip of the source set, or closes it (stopping it first).
    void SetOpen(bool Value);
    bool GetActive() const { return FActive; }
    /// Plays StartFrame..StopFrame Repetitions times, or stops.
    void SetActive(bool Value);
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetTimers() const { return FTimers; }
    void SetTimers(bool Value) { FTimers = Value; }
    Integer GetRepetitions() const { return FRepetitions; }
    void SetRepetitions(Integer Value) { FRepetitions = std::max<Integer>(Value, 0); }
    /// Frames count from 1; 0 for StopFrame means the last one.
    SmallInt GetStartFrame() const { return FStartFrame; }
    void SetStartFrame(SmallInt Value);
    SmallInt GetStopFrame() const { return FStopFrame; }
    void SetStopFrame(SmallInt Value);
    Integer GetFrameCount() const { return FClip.FrameCount(); }
    Integer GetFrameWidth() const { return FClip.Width; }
    Integer GetFrameHeight() const { return FClip.Height; }
    /// The frame shown now, from 1 (0 while closed).
    Integer CurrentFrame() const { return FOpen ? FFrame + 1 : 0; }

    /// Plays frames FromFrame..ToFrame (from 1) Count times (0: until stopped).
    void Play(Word FromFrame, Word ToFrame, Integer Count);
    void Stop();
    /// Stops and shows the first frame.
    void Reset();
    /// Stops and shows frame `Frame` (from 1).
    void Seek(SmallInt Frame);

    TNotifyEvent GetOnOpen() const { return FOnOpen; }
    void SetOnOpen(TNotifyEvent Value) { FOnOpen = Value; }
    TNotifyEvent GetOnClose() const { return FOnClose; }
    void SetOnClose(TNotifyEvent Value) { FOnClose = Value; }
    TNotifyEvent GetOnStart() const { return FOnStart; }
    void SetOnStart(TNotifyEvent Value) { FOnStart = Value; }
    TNotifyEvent GetOnStop() const { return FOnStop; }
    void SetOnStop(TNotifyEvent Value) { FOnStop = Value; }

protected:
    void PaintWindow(TCanvas* Canvas) override;
    void WndProc(TMessage& Message) override;
    void AdjustSize() override;
    void Loaded() override;

private:
    void OpenSource();
    void Close();
    void Step();
    void CheckFrame(Integer Frame) const;

    AnsiString FFileName, FResName;
    TCommonAVI FCommonAVI = aviNone;
    THandle FResHandle = 0;
    Integer FResID = 0;
    TAviClip FClip;
    bool FOpen = false, FActive = false, FCenter = true, FTransparent = true, FTimers = false;
    Integer FRepetitions = 0;
    SmallInt FStartFrame = 1, FStopFrame = 0;
    Integer FFrame = 0, FFrom = 0, FTo = 0,
            FRepeatsLeft = 0; // playing: the range, repetitions left
    TNotifyEvent FOnOpen, FOnClose, FOnStart, FOnStop;
};

} // namespace host
