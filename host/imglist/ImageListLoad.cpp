// Image lists from bitmap, icon and cursor resources or files, with the load flags' colour
// changes.
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/imglist/ImageLists.h"

#include <memory>

namespace host {

namespace {

const TResName RT_GROUP_CURSOR = TResName::FromId(12);
const TResName RT_GROUP_ICON = TResName::FromId(14);

/// The pixels of a bitmap file or resource, with the load flags applied; null for none.
std::shared_ptr<TPixelSurface> LoadBitmapPixels(THandle Instance, const AnsiString& Name,
                                                Cardinal Flags) {
    TBitmap b;
    try {
        if (Flags & LR_LOADFROMFILE)
            b.LoadFromFile(Name);
        else if (FindResource(Instance, Name, RT_BITMAP))
            b.LoadFromResourceName(Instance, Name);
        else
            return nullptr;
    } catch (const Exception&) {
        return nullptr;
    }
    Integer w = b.GetWidth(), h = b.GetHeight();
    auto s = std::make_shared<TPixelSurface>(w, h);
    // The first pixel of the bitmap's rows is its bottom left one.
    TColorRef first = h > 0 && w > 0 ? b.ColorAt(0, h - 1) : 0;
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x) {
            TColorRef c = b.ColorAt(x, y);
            if ((Flags & LR_LOADTRANSPARENT) && c == first)
                c = ColorToRGB(clWindow);
            else if (Flags & LR_LOADMAP3DCOLORS) {
                if (c == RGB(128, 128, 128)) c = ColorToRGB(clBtnShadow);
                else if (c == RGB(192, 192, 192)) c = ColorToRGB(clBtnFace);
                else if (c == RGB(223, 223, 223)) c = ColorToRGB(cl3DLight);
            }
            if (Flags & LR_MONOCHROME) {
                int luma = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
                c = luma >= 128 ? RGB(255, 255, 255) : 0;
            }
            s->Set(x, y, c);
        }
    return s;
}

HIMAGELIST LoadIconList(THandle Instance, const AnsiString& Name, Integer Cx, Integer Grow,
                        Cardinal Type, Cardinal Flags) {
    TIcon icon;
    try {
        if (Flags & LR_LOADFROMFILE) {
            icon.LoadFromFile(Name);
        } else {
            const TResName& kind = Type == IMAGE_CURSOR ? RT_GROUP_CURSOR : RT_GROUP_ICON;
            if (!FindResource(Instance, Name, kind)) return 0;
            TResourceStream stream(Instance, Name, kind);
            icon.LoadFromStream(&stream);
        }
    } catch (const Exception&) {
        return 0;
    }
    Integer size = Cx > 0 ? Cx : (Flags & LR_DEFAULTSIZE) ? 32 : icon.GetWidth();
    Integer height = Cx > 0 || (Flags & LR_DEFAULTSIZE) ? size : icon.GetHeight();
    HIMAGELIST list = ImageList_Create(size, height, ILC_COLORDDB | ILC_MASK, 1, Grow);
    if (list && ImageList_ReplaceIcon(list, -1, icon.GetHandle()) < 0) {
        ImageList_Destroy(list);
        return 0;
    }
    return list;
}

} // namespace

HIMAGELIST ImageList_LoadImage(THandle Instance, const AnsiString& Name, Integer Cx, Integer Grow,
                               TColorRef MaskColor, Cardinal Type, Cardinal Flags) {
    if (Type == IMAGE_ICON || Type == IMAGE_CURSOR)
        return LoadIconList(Instance, Name, Cx, Grow, Type, Flags);
    if (Type != IMAGE_BITMAP) return 0;
    std::shared_ptr<TPixelSurface> pixels = LoadBitmapPixels(Instance, Name, Flags);
    if (!pixels || pixels->Height() <= 0) return 0;
    Integer cx = Cx > 0 ? Cx : pixels->Height();
    if (pixels->Width() < cx) return 0;
    bool masked = MaskColor != CLR_NONE;
    HIMAGELIST list = ImageList_Create(cx, pixels->Height(),
                                       ILC_COLORDDB | (masked ? ILC_MASK : ILC_COLOR),
                                       pixels->Width() / cx, Grow);
    if (!list) return 0;
    HBITMAP bitmap = GdiAddObject(std::make_shared<TGdiBitmap>(pixels));
    Integer first = masked ? ImageList_AddMasked(list, bitmap, MaskColor)
                           : ImageList_Add(list, bitmap, 0);
    DeleteObject(bitmap);
    if (first < 0) {
        ImageList_Destroy(list);
        return 0;
    }
    return list;
}

} // namespace host
