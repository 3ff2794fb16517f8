// Class infos of the host's Graphics unit: the graphics objects (fonts, pens, brushes), the
// canvas, the graphics and pictures, and the images graphics share.
#pragma once

#include "classinfo/Zelclasses.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/GraphicsObjects.h"
#include "host/graphics/Icon.h"
#include "host/graphics/Metafile.h"
#include "host/graphics/Picture.h"
#include "host/graphics/SharedImage.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TGraphicsObjectClassInfo, TPersistentClassInfo, host::TGraphicsObject);

class TFontClassInfo : public TzelFamily<TFontClassInfo, TGraphicsObjectClassInfo, host::TFont> {
    ZEL_CLASSINFO(TFontClassInfo)
protected:
    host::HFONT FHandleSlot = 0;
    host::TFontStyles FStyleSlot;
};

class TPenClassInfo : public TzelFamily<TPenClassInfo, TGraphicsObjectClassInfo, host::TPen> {
    ZEL_CLASSINFO(TPenClassInfo)
protected:
    host::HPEN FHandleSlot = 0;
};

class TBrushClassInfo : public TzelFamily<TBrushClassInfo, TGraphicsObjectClassInfo, host::TBrush> {
    ZEL_CLASSINFO(TBrushClassInfo)
protected:
    host::HBRUSH FHandleSlot = 0;
};

class TCanvasClassInfo : public TzelFamily<TCanvasClassInfo, TPersistentClassInfo, host::TCanvas> {
    ZEL_CLASSINFO(TCanvasClassInfo)
protected:
    host::TRect FClipRectSlot;
    host::HDC FHandleSlot = 0;
    host::TPoint FPenPosSlot;
    host::TSize FTextExtentSlot;
};

class TGraphicClassInfo
    : public TzelFamily<TGraphicClassInfo, TPersistentClassInfo, host::TGraphic> {
    ZEL_CLASSINFO(TGraphicClassInfo)
protected:
    host::HPALETTE FPaletteSlot = 0;
};

ZEL_PLAIN_CLASSINFO(TPictureClassInfo, TPersistentClassInfo, host::TPicture);

ZEL_PLAIN_CLASSINFO(TMetafileCanvasClassInfo, TCanvasClassInfo, host::TMetafileCanvas);

ZEL_PLAIN_CLASSINFO(TSharedImageClassInfo, TObjectClassInfo, host::TSharedImage);

ZEL_PLAIN_CLASSINFO(TMetafileImageClassInfo, TSharedImageClassInfo, host::TMetafileImage);

class TMetafileClassInfo
    : public TzelFamily<TMetafileClassInfo, TGraphicClassInfo, host::TMetafile> {
    ZEL_CLASSINFO(TMetafileClassInfo)
protected:
    host::HENHMETAFILE FHandleSlot = 0;
    host::HENHMETAFILE FReleaseHandleSlot = 0;
};

ZEL_PLAIN_CLASSINFO(TBitmapImageClassInfo, TSharedImageClassInfo, host::TBitmapImage);

class TBitmapClassInfo : public TzelFamily<TBitmapClassInfo, TGraphicClassInfo, host::TBitmap> {
    ZEL_CLASSINFO(TBitmapClassInfo)
protected:
    host::HBITMAP FHandleSlot = 0;
    host::HBITMAP FMaskHandleSlot = 0;
    host::HBITMAP FReleaseHandleSlot = 0;
    host::HBITMAP FReleaseMaskHandleSlot = 0;
    host::HPALETTE FReleasePaletteSlot = 0;
};

ZEL_PLAIN_CLASSINFO(TIconImageClassInfo, TSharedImageClassInfo, host::TIconImage);

class TIconClassInfo : public TzelFamily<TIconClassInfo, TGraphicClassInfo, host::TIcon> {
    ZEL_CLASSINFO(TIconClassInfo)
protected:
    host::HICON FHandleSlot = 0;
    host::HICON FReleaseHandleSlot = 0;
};

namespace Zelgraphics {
void Initialize();
void Finalize();
} // namespace Zelgraphics

} // namespace zeltrix
