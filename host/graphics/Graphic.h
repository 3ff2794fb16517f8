// TGraphic: the base of pictures (bitmaps, icons, metafiles): dimensions, transparency, change
// and progress notification, files and streams.
#pragma once

#include "host/classes/Persistent.h"
#include "host/graphics/Canvas.h"

namespace host {

class TStream;

HOST_EXCEPTION(EInvalidGraphic, Exception)
HOST_EXCEPTION(EInvalidGraphicOperation, Exception)

enum TProgressStage { psStarting, psRunning, psEnding };
HOST_ENUM_INFO(TProgressStage, psStarting, psRunning, psEnding)
using TProgressEvent = Closure<void(TObject* Sender, TProgressStage Stage, Byte PercentDone,
                                    bool RedrawNow, const TRect& R, const AnsiString& Msg)>;

class TGraphic : public TPersistent {
    HOST_CLASS(TGraphic, TPersistent)
public:
    TGraphic() = default;

    virtual bool GetEmpty() const = 0;
    virtual Integer GetHeight() const = 0;
    virtual void SetHeight(Integer Value) = 0;
    virtual Integer GetWidth() const = 0;
    virtual void SetWidth(Integer Value) = 0;
    virtual bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool GetModified() const { return FModified; }
    void SetModified(bool Value);
    virtual HPALETTE GetPalette() const { return 0; }
    virtual void SetPalette(HPALETTE) {}
    bool GetPaletteModified() const { return FPaletteModified; }
    void SetPaletteModified(bool Value) { FPaletteModified = Value; }

    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    void LoadFromFile(const AnsiString& Filename);
    void SaveToFile(const AnsiString& Filename);
    /// The clipboard (headless, in memory): data handles of the registered formats.
    virtual void LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette);
    virtual void SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette);

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TProgressEvent GetOnProgress() const { return FOnProgress; }
    void SetOnProgress(TProgressEvent Value) { FOnProgress = Value; }

    /// Paints the graphic into `Rect` of `Canvas` (stretched to fit).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

protected:
    friend class TPicture;
    /// The "Data" a form file holds for the graphic: its ReadData/WriteData.
    void DefineProperties(TFiler* Filer) override;
    /// The graphic as form files store it; the base reads and writes the file format.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);
    /// Marks the graphic modified and calls OnChange.
    virtual void Changed(TObject* Sender);
    void Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow,
                  const TRect& R, const AnsiString& Msg);

private:
    bool FTransparent = false;
    bool FModified = false;
    bool FPaletteModified = false;
    TNotifyEvent FOnChange;
    TProgressEvent FOnProgress;
};
using TGraphicClass = TClass;

} // namespace host
