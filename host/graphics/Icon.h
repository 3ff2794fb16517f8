// TIcon: a picture with a transparency mask, read from and written to the ICO format.
#pragma once

#include "host/graphics/Graphic.h"
#include "host/graphics/SharedImage.h"

#include <vector>

namespace host {

using HICON = HGDIOBJ;

/// An icon object of the graphics-object table: its colours and its mask (true: transparent).
struct TGdiIcon : TGdiObject {
    TGdiIcon() : TGdiObject(OBJ_ICON) {}
    TPixelSurface Colors{0, 0};
    std::vector<bool> Mask;
};

/// The picture behind icons: the decoded image, its object in the table, and the file's bytes,
/// shared by the icons assigned one another until one of them changes.
class TIconImage : public TSharedImage {
    HOST_CLASS(TIconImage, TSharedImage)
private:
    friend class TIcon;
    TIconImage() = default;
    /// The same picture, without the table object: that stays with the image copied.
    TIconImage(const TIconImage& Source);
    void FreeHandle() override;

    Integer FWidth = 0, FHeight = 0;
    std::shared_ptr<TGdiIcon> FIcon; // null when empty or for an image kept as bytes only
    HICON FHandle = 0;
    std::vector<Byte> FSaved;
};

class TIcon : public TGraphic {
    HOST_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;
    /// From an icon: holds its image too; the first change to either gives that one a copy.
    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return GetWidth() == 0 || GetHeight() == 0; }
    Integer GetHeight() const override { return FImage->FHeight; }
    /// Raises EInvalidGraphicOperation "Cannot change the size of an icon" for another size.
    void SetHeight(Integer Value) override;
    Integer GetWidth() const override { return FImage->FWidth; }
    void SetWidth(Integer Value) override;
    /// Icons draw through their mask.
    bool GetTransparent() const override { return true; }

    HICON GetHandle();
    /// Takes the icon object `Value` over; 0 empties.
    void SetHandle(HICON Value);
    HICON ReleaseHandle();

    /// Reads the image of an icon file nearest 32 x 32 pixels (the host's icon size), with the
    /// most colours; the file's bytes are kept and written back while the icon is unchanged.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    /// The colour of (X, Y), and whether the mask leaves it transparent.
    TColorRef ColorAt(Integer X, Integer Y) const;
    bool TransparentAt(Integer X, Integer Y) const;

protected:
    /// The image the icon holds, shared with the icons it was assigned to or from.
    TIconImage* GetImage() const { return FImage; }

private:
    /// The image, this icon's alone: a shared one is left to the others and a copy taken.
    TIconImage& OwnImage();

    TIconImage* FImage;
};

} // namespace host
