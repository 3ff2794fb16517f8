// The platform's image lists, headless: images of one size kept side by side in one bitmap,
// with a monochrome mask beside it, as objects of the graphics-object table. TCustomImageList
// stands on these functions as the host's image list stands on the common controls.
#pragma once

#include "host/graphics/Surface.h"

#include <array>

namespace host {

class TStream;

using HIMAGELIST = HGDIOBJ;
using HICON = HGDIOBJ;

inline constexpr Integer OBJ_IMAGELIST = 101; // a private kind of the headless table

// Creation flags (ILC_*): a mask, and the colour depth of the image bitmap.
enum : Cardinal {
    ILC_MASK = 0x0001,
    ILC_COLOR = 0x0000,
    ILC_COLORDDB = 0x00FE,
    ILC_COLOR4 = 0x0004,
    ILC_COLOR8 = 0x0008,
    ILC_COLOR16 = 0x0010,
    ILC_COLOR24 = 0x0018,
    ILC_COLOR32 = 0x0020
};
// Drawing styles (ILD_*).
enum : Cardinal {
    ILD_NORMAL = 0x0000,
    ILD_TRANSPARENT = 0x0001,
    ILD_BLEND25 = 0x0002,
    ILD_FOCUS = 0x0002,
    ILD_BLEND50 = 0x0004,
    ILD_SELECTED = 0x0004,
    ILD_MASK = 0x0010,
    ILD_IMAGE = 0x0020,
    ILD_OVERLAYMASK = 0x0F00
};
constexpr Cardinal INDEXTOOVERLAYMASK(Integer Overlay) {
    return Cardinal(Overlay) << 8;
}
/// The colour values with a meaning of their own: no colour, and the default one.
inline constexpr TColorRef CLR_NONE = 0xFFFFFFFF;
inline constexpr TColorRef CLR_DEFAULT = 0xFF000000;

// Image kinds and load flags of ImageList_LoadImage.
enum : Cardinal { IMAGE_BITMAP = 0, IMAGE_ICON = 1, IMAGE_CURSOR = 2 };
enum : Cardinal {
    LR_DEFAULTCOLOR = 0x0000,
    LR_MONOCHROME = 0x0001,
    LR_LOADFROMFILE = 0x0010,
    LR_LOADTRANSPARENT = 0x0020,
    LR_DEFAULTSIZE = 0x0040,
    LR_LOADMAP3DCOLORS = 0x1000
};

/// An image list of the table. Image `i` sits at column `i % Columns`, row `i / Columns` of
/// `Image` (and of `Mask`: black where the image shows, white where it is transparent).
struct TImageListObject : TGdiObject {
    static constexpr Integer Columns = 4;
    static constexpr Integer MaxImages = 0x7FFF;
    TImageListObject(Integer ACx, Integer ACy, Cardinal AFlags, Integer AGrow);
    ~TImageListObject() override;

    Integer Cx, Cy;
    Cardinal Flags;
    Integer Grow;
    Integer Count = 0;
    Integer Capacity = 0;
    TColorRef BkColor = CLR_NONE;
    std::array<Integer, 4> Overlays{-1, -1, -1, -1};
    std::shared_ptr<TPixelSurface> Image, Mask;
    /// Bitmap objects over Image and Mask, made when asked for (ImageList_GetImageInfo).
    HBITMAP ImageHandle = 0, MaskHandle = 0;

    bool Masked() const { return (Flags & ILC_MASK) != 0; }
    bool Valid(Integer Index) const { return Index >= 0 && Index < Count; }
    TPoint Origin(Integer Index) const { return {Index % Columns * Cx, Index / Columns * Cy}; }
    /// Room for `N` images; what is kept stays where it is.
    void Reserve(Integer N);
    /// Copies image `From` of `Source` over image `To`.
    void CopyImage(Integer To, const TImageListObject& Source, Integer From);
    /// Whether the pixel (X, Y) of image `Index` shows.
    bool Opaque(Integer Index, Integer X, Integer Y) const;
};

struct TImageInfo {
    HBITMAP hbmImage = 0;
    HBITMAP hbmMask = 0;
    TRect rcImage;
};

HIMAGELIST ImageList_Create(Integer Cx, Integer Cy, Cardinal Flags, Integer Initial, Integer Grow);
bool ImageList_Destroy(HIMAGELIST List);
std::shared_ptr<TImageListObject> ImageList_Find(HIMAGELIST List);
Integer ImageList_GetImageCount(HIMAGELIST List);
bool ImageList_GetIconSize(HIMAGELIST List, Integer& Cx, Integer& Cy);
/// New dimensions; the images are removed.
bool ImageList_SetIconSize(HIMAGELIST List, Integer Cx, Integer Cy);
TColorRef ImageList_GetBkColor(HIMAGELIST List);
TColorRef ImageList_SetBkColor(HIMAGELIST List, TColorRef Color);

/// Appends the images of `Bitmap`, as many as its width holds; `Mask` (white: transparent)
/// gives the mask, none an opaque one. The index of the first, or -1.
Integer ImageList_Add(HIMAGELIST List, HBITMAP Bitmap, HBITMAP Mask);
/// As Add, the mask taken from the pixels of `MaskColor` (CLR_DEFAULT: the colour at (0, 0)),
/// which become black in the list's copy.
Integer ImageList_AddMasked(HIMAGELIST List, HBITMAP Bitmap, TColorRef MaskColor);
bool ImageList_Replace(HIMAGELIST List, Integer Index, HBITMAP Bitmap, HBITMAP Mask);
/// Replaces image `Index` by the icon scaled to the list's size; -1 appends. The index, or -1.
Integer ImageList_ReplaceIcon(HIMAGELIST List, Integer Index, HICON Icon);
/// Removes image `Index`; -1 removes all.
bool ImageList_Remove(HIMAGELIST List, Integer Index);
/// Moves image `From` to position `To`, the images between shifting by one.
bool ImageList_Move(HIMAGELIST List, Integer From, Integer To);
/// Makes image `Index` overlay image `Overlay` (1 to 4).
bool ImageList_SetOverlayImage(HIMAGELIST List, Integer Index, Integer Overlay);
bool ImageList_GetImageInfo(HIMAGELIST List, Integer Index, TImageInfo& Info);
/// A new icon object holding image `Index` with its mask.
HICON ImageList_GetIcon(HIMAGELIST List, Integer Index, Cardinal Flags);
/// A copy of the whole list.
HIMAGELIST ImageList_Duplicate(HIMAGELIST List);

/// How image `Index` looks at (X, Y) when drawn in `Style` with background `Bk` and blend
/// colour `Fg` over `Color` (the colour beneath on entry); false where it leaves it.
bool ImageList_Pixel(const TImageListObject& List, Integer Index, Integer X, Integer Y,
                     TColorRef Bk, TColorRef Fg, Cardinal Style, TColorRef& Color);

/// The list as the common controls' stream: the list header, then the image bitmap and, for a
/// masked list, the mask bitmap, each as a BMP file.
bool ImageList_Write(HIMAGELIST List, TStream* Stream);
/// Reads such a stream into a new list; 0 for a stream that is not one.
HIMAGELIST ImageList_Read(TStream* Stream);

/// A list of the images of a bitmap, icon or cursor resource of `Instance` (`Name` a file
/// with LR_LOADFROMFILE), each `Cx` wide (0: as high as the bitmap); 0 when there is none.
/// Headless modules keep an icon (a cursor) resource as an icon file of type RT_GROUP_ICON
/// (RT_GROUP_CURSOR).
HIMAGELIST ImageList_LoadImage(THandle Instance, const AnsiString& Name, Integer Cx, Integer Grow,
                               TColorRef MaskColor, Cardinal Type, Cardinal Flags);

} // namespace host
