// TMetafile: a picture kept as the drawing that made it (enhanced-metafile records), played
// onto any canvas at any size; read and written as enhanced (.emf) or placeable (.wmf) files.
// TMetafileCanvas records drawing into a metafile; TMetafileImage is the recorded picture that
// metafiles assigned one another share until one changes it.
#pragma once

#include "host/graphics/Graphic.h"
#include "host/graphics/SharedImage.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

using HENHMETAFILE = HGDIOBJ;

/// An enhanced metafile of the graphics-object table: its bytes, as a file holds them.
struct TGdiEnhMetafile : TGdiObject {
    explicit TGdiEnhMetafile(std::vector<Byte> B)
        : TGdiObject(OBJ_ENHMETAFILE), Bits(std::move(B)) {}
    std::vector<Byte> Bits;
};
/// A metafile object holding a copy of `Size` bytes; 0 when they are not an enhanced metafile.
HENHMETAFILE SetEnhMetaFileBits(Cardinal Size, const Byte* Data);
/// Copies the metafile's bytes (at most `Size`) to `Buffer`; with a null buffer, their count.
Cardinal GetEnhMetaFileBits(HENHMETAFILE Handle, Cardinal Size, Byte* Buffer);
bool DeleteEnhMetaFile(HENHMETAFILE Handle);

class TMetafileImage : public TSharedImage {
    HOST_CLASS(TMetafileImage, TSharedImage)
public:
    TMetafileImage() = default;

    /// The picture: a checked enhanced metafile; empty for none.
    std::vector<Byte> Emf;
    Integer MMWidth = 0, MMHeight = 0; // hundredths of a millimetre
    Word Inch = 0;                     // units an inch of a placeable file; 0 for none given
    TPoint Origin;                     // the frame's top left in the records' pixels
    std::u16string Description;        // the header's, as CreatedBy\0Description\0\0
    /// The bytes the picture was read from, written back while it is unchanged, and whether
    /// they are an enhanced file.
    std::vector<Byte> Saved;
    bool SavedEnhanced = true;
    HENHMETAFILE Handle = 0;

protected:
    friend class TMetafile;
    void FreeHandle() override;
};

class TMetafile : public TGraphic {
    HOST_CLASS(TMetafile, TGraphic)
public:
    TMetafile();
    ~TMetafile() override;
    /// Another metafile's picture is shared, not copied, until one of them changes it.
    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return FImage->Emf.empty(); }
    /// Pixels at 96 an inch of MMWidth and MMHeight.
    Integer GetWidth() const override;
    void SetWidth(Integer Value) override;
    Integer GetHeight() const override;
    void SetHeight(Integer Value) override;

    /// The two strings that CreateWithComment gave the picture's header.
    AnsiString GetCreatedBy() const;
    AnsiString GetDescription() const;
    /// Whether SaveToStream writes an enhanced (.emf) or a placeable (.wmf) file.
    bool GetEnhanced() const { return FEnhanced; }
    void SetEnhanced(bool Value);
    Integer GetMMWidth() const { return FImage->MMWidth; }
    void SetMMWidth(Integer Value);
    Integer GetMMHeight() const { return FImage->MMHeight; }
    void SetMMHeight(Integer Value);
    /// Units an inch of a placeable file. For a metafile that is not enhanced the picture's
    /// units stay, so its size in millimetres (and pixels) follows.
    Word GetInch() const { return FImage->Inch; }
    void SetInch(Word Value);

    /// The picture's enhanced-metafile object (made on demand); the metafile owns it.
    HENHMETAFILE GetHandle();
    /// Takes the metafile object `Value` over; 0 empties. Raises EInvalidGraphic for a handle
    /// that is not one.
    void SetHandle(HENHMETAFILE Value);
    /// Gives the object away: the caller deletes it; the picture stays.
    HENHMETAFILE ReleaseHandle();
    /// No picture.
    void Clear();

    /// An enhanced or a placeable file, by its first bytes; the bytes are kept and written back
    /// while the picture is unchanged. Raises EInvalidGraphic "Metafile is not valid".
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    /// CF_ENHMETAFILE: `AData` an enhanced-metafile object, copied in.
    void LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette) override;
    /// CF_ENHMETAFILE and a new object holding the picture, for the clipboard to take over.
    void SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette) override;
    /// Plays the picture stretched into `Rect`.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    /// The image behind the picture (shared by the metafiles assigned it).
    const TMetafileImage* Image() const { return FImage; }

protected:
    /// In form files a metafile's data is its size, then the file it saves.
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

private:
    friend class TMetafileCanvas;
    /// An image of this metafile's own, copied from the shared one, before a change.
    void UniqueImage();
    /// A new empty image of its own.
    void NewImage();
    /// A picture recorded by a canvas becomes the metafile's (its units an inch stay).
    void Recorded(std::vector<Byte> Emf);
    /// Takes an enhanced metafile's bytes as the picture, in a new image; raises
    /// EInvalidGraphic for bytes that are not one.
    void TakeEmf(std::vector<Byte> Emf);

    TMetafileImage* FImage;
    bool FEnhanced = true;
};

class TEmfRecorder;

/// A canvas whose drawing is recorded; the picture becomes the metafile's when the canvas is
/// freed (until then the metafile shows what it had).
class TMetafileCanvas : public TCanvas {
    HOST_CLASS(TMetafileCanvas, TCanvas)
public:
    /// The frame is the metafile's MMWidth x MMHeight, or, when they are 0, what is drawn.
    /// `ReferenceDevice` (0: the screen) is the device the picture is measured for; this host
    /// measures every picture for its 96-pixel-an-inch screen.
    TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice);
    /// The header's description holds "CreatedBy\0Description\0\0".
    TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice, const AnsiString& CreatedBy,
                    const AnsiString& Description);
    ~TMetafileCanvas() override;

private:
    static void MetafileFreed(void* Data, TObject* Dying);
    TMetafile* FMetafile;
    std::unique_ptr<TEmfRecorder> FRecorder;
    std::u16string FDescription;
    HDC FDC;
    Integer FMMWidth, FMMHeight;
};

} // namespace host
