// TPicture: holds one graphic of any registered class, chosen by file extension or by the
// class name a form file gives with the graphic's data.
#pragma once

#include "host/graphics/Graphic.h"

#include <string>

namespace host {

class TBitmap;
class TIcon;
class TMetafile;

class TPicture : public TPersistent {
    HOST_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;
    void Assign(TPersistent* Source) override;

    /// The graphic held (owned); null for none. Setting copies `Value` into a graphic of its
    /// class.
    TGraphic* GetGraphic() const { return FGraphic; }
    void SetGraphic(TGraphic* Value);
    /// The graphic as a bitmap: a graphic of another class is replaced by an empty bitmap.
    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* Value);
    TIcon* GetIcon();
    void SetIcon(TIcon* Value);
    TMetafile* GetMetafile();
    void SetMetafile(TMetafile* Value);
    Integer GetWidth() const;
    Integer GetHeight() const;
    IChangeNotifier* GetPictureAdapter() const { return FAdapter.get(); }
    void SetPictureAdapter(IChangeNotifier* Value) { FAdapter = ComPtr<IChangeNotifier>(Value); }

    /// By the file's extension among the registered formats; raises EInvalidGraphic
    /// "Unknown picture file extension (.xyz)" for another.
    void LoadFromFile(const AnsiString& Filename);
    void SaveToFile(const AnsiString& Filename);
    void LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette);
    void SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette);

    static bool SupportsClipboardFormat(Word AFormat);
    static void RegisterFileFormat(const AnsiString& AExtension, const AnsiString& ADescription,
                                   TGraphicClass AGraphicClass);
    static void RegisterFileFormatRes(const AnsiString& AExtension, Integer ADescriptionResID,
                                      TGraphicClass AGraphicClass);
    static void RegisterClipboardFormat(Word AFormat, TGraphicClass AGraphicClass);
    static void UnregisterGraphicClass(TGraphicClass AClass);
    /// The registered graphic class named `Name` (ignoring case), or null.
    static TGraphicClass FindGraphicClass(const AnsiString& Name);

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TProgressEvent GetOnProgress() const { return FOnProgress; }
    void SetOnProgress(TProgressEvent Value);

protected:
    /// "Data": the graphic's class name as a short string, then the graphic's own data.
    void DefineProperties(TFiler* Filer) override;
    virtual void Changed(TObject* Sender);

private:
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);
    void Adopt(TGraphic* Graphic);
    void GraphicChanged(TObject* Sender) { Changed(Sender); }
    void GraphicProgress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow,
                         const TRect& R, const AnsiString& Msg);

    TGraphic* FGraphic = nullptr;
    // A graphic of a class this program lacks (another program's picture format), kept as
    // the form gave it so that it is written back: its class name and its data.
    AnsiString FUnknownClass;
    std::string FUnknownData;
    ComPtr<IChangeNotifier> FAdapter;
    TNotifyEvent FOnChange;
    TProgressEvent FOnProgress;
};

// The clipboard formats of pictures.
inline constexpr Word CF_BITMAP = 2;
inline constexpr Word CF_METAFILEPICT = 3;
inline constexpr Word CF_DIB = 8;
inline constexpr Word CF_ENHMETAFILE = 14;

} // namespace host
