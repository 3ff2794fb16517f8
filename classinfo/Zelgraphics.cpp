// The graphics objects' class infos and the unit's registration.
#include "classinfo/Zelgraphics.h"

#include "core/ClassInfoRows.h"
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/system/SysUtils.h"

#include <cstdint>

namespace zeltrix {

using namespace host;

struct TGraphicsObjectClassInfo::ZelRows {
    using G = TGraphicsObject;

    // The owner's lock is read as the integer of its address. The graphics object enters the
    // lock at that address on every change, so only an address that is known to be a lock is
    // taken back: null, the object's own current lock, or an address handed over as such.
    static Variant GetOwnerCriticalSection(G& Owner) {
        return Variant(static_cast<long long>(
            reinterpret_cast<std::uintptr_t>(Owner.GetOwnerCriticalSection())));
    }
    static void SetOwnerCriticalSection(G& Owner, const Variant& Value) {
        if (Value.IsByRef()) {
            Owner.SetOwnerCriticalSection(
                static_cast<PRTLCriticalSection>(const_cast<void*>(zelPointerFromVariant(Value))));
            return;
        }
        auto bits = static_cast<std::uintptr_t>(Conv<Int64>::From(Value));
        if (bits == 0) return Owner.SetOwnerCriticalSection(nullptr);
        if (bits == reinterpret_cast<std::uintptr_t>(Owner.GetOwnerCriticalSection())) return;
        throw EInvalidCast(
            Format("%d is not an address of this process", {static_cast<long long>(bits)}));
    }

    static constexpr TzelPropRow Properties[] = {
        propFn<&GetOwnerCriticalSection, &SetOwnerCriticalSection>("OwnerCriticalSection"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(G, OnChange, "Sender"),
    };
};
ZEL_TABLE(TGraphicsObjectClassInfo);

struct TFontClassInfo::ZelRows {
    using CI = TFontClassInfo;
    using F = TFont;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(F, FontAdapter),
        prop<&F::GetHandle, &F::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(F, PixelsPerInch),
        ZEL_PROP(F, Charset).published(),
        ZEL_PROP(F, Color).published(),
        ZEL_PROP(F, Height).published(),
        ZEL_PROP(F, Name).published(),
        ZEL_PROP(F, Pitch).published(),
        ZEL_PROP(F, Size).published(),
        prop<&F::GetStyle, &F::SetStyle, &CI::FStyleSlot>("Style").published(),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TFontClassInfo);

struct TPenClassInfo::ZelRows {
    using CI = TPenClassInfo;
    using P = TPen;
    static constexpr TzelPropRow Properties[] = {
        prop<&P::GetHandle, &P::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(P, Color).published(),
        ZEL_PROP(P, Mode).published(),
        ZEL_PROP(P, Style).published(),
        ZEL_PROP(P, Width).published(),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TPenClassInfo);

struct TBrushClassInfo::ZelRows {
    using CI = TBrushClassInfo;
    using B = TBrush;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(B, Bitmap),
        prop<&B::GetHandle, &B::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(B, Color).published(),
        ZEL_PROP(B, Style).published(),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TBrushClassInfo);

struct TCanvasClassInfo::ZelRows {
    using CI = TCanvasClassInfo;
    using C = TCanvas;
    using Box = void (C::*)(Integer, Integer, Integer, Integer);
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R_SLOT(C, ClipRect),
        prop<&C::GetHandle, &C::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP_R(C, LockCount),
        ZEL_PROP_R(C, CanvasOrientation),
        prop<&C::GetPenPos, &C::SetPenPos, &CI::FPenPosSlot>("PenPos"),
        ZEL_PROP(C, Pixels, "X,Y"),
        ZEL_PROP(C, TextFlags),
        ZEL_PROP(C, Brush).published(),
        ZEL_PROP(C, CopyMode).published(),
        ZEL_PROP(C, Font).published(),
        ZEL_PROP(C, Pen).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(C, Arc, "X1,Y1,X2,Y2,X3,Y3,X4,Y4"),
        ZEL_PROC(C, BrushCopy, "Dest,Bitmap,Source,Color"),
        ZEL_PROC(C, Chord, "X1,Y1,X2,Y2,X3,Y3,X4,Y4"),
        ZEL_PROC(C, CopyRect, "Dest,Canvas,Source"),
        ZEL_PROC(C, Draw, "X,Y,Graphic"),
        ZEL_PROC(C, DrawFocusRect, "Rect"),
        proc<static_cast<Box>(&C::Ellipse)>("Ellipse", "X1,Y1,X2,Y2"),
        ZEL_PROC(C, FillRect, "Rect"),
        ZEL_PROC(C, FloodFill, "X,Y,Color,FillStyle"),
        ZEL_PROC(C, FrameRect, "Rect"),
        ZEL_PROC(C, LineTo, "X,Y"),
        ZEL_PROC(C, Lock),
        ZEL_PROC(C, MoveTo, "X,Y"),
        ZEL_PROC(C, Pie, "X1,Y1,X2,Y2,X3,Y3,X4,Y4"),
        proc<static_cast<Box>(&C::Rectangle)>("Rectangle", "X1,Y1,X2,Y2"),
        ZEL_PROC(C, Refresh),
        ZEL_PROC(C, RoundRect, "X1,Y1,X2,Y2,X3,Y3"),
        ZEL_PROC(C, StretchDraw, "Rect,Graphic"),
        ZEL_FUNC_SLOT(C, TextExtent, "Text"),
        ZEL_FUNC(C, TextHeight, "Text"),
        ZEL_PROC(C, TextOut, "X,Y,Text"),
        ZEL_PROC(C, TextRect, "Rect,X,Y,Text"),
        ZEL_FUNC(C, TextWidth, "Text"),
        ZEL_FUNC(C, TryLock),
        ZEL_PROC(C, Unlock),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(C, OnChange, "Sender"),
        ZEL_EVENT(C, OnChanging, "Sender"),
    };
};
ZEL_TABLE(TCanvasClassInfo);

struct TGraphicClassInfo::ZelRows {
    using CI = TGraphicClassInfo;
    using G = TGraphic;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(G, Empty),
        ZEL_PROP(G, Height),
        ZEL_PROP(G, Modified),
        prop<&G::GetPalette, &G::SetPalette, &CI::FPaletteSlot>("Palette"),
        ZEL_PROP(G, PaletteModified),
        ZEL_PROP(G, Transparent),
        ZEL_PROP(G, Width),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(G, LoadFromFile, "Filename"),
        ZEL_PROC(G, SaveToFile, "Filename"),
        ZEL_PROC(G, LoadFromStream, "Stream"),
        ZEL_PROC(G, SaveToStream, "Stream"),
        ZEL_PROC(G, LoadFromClipboardFormat, "AFormat,AData,APalette"),
        ZEL_PROC(G, SaveToClipboardFormat, "AFormat,AData,APalette"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(G, OnChange, "Sender"),
        ZEL_EVENT(G, OnProgress, "Sender,Stage,PercentDone,RedrawNow,R,Msg"),
    };
};
ZEL_TABLE(TGraphicClassInfo);

struct TPictureClassInfo::ZelRows {
    using P = TPicture;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(P, Bitmap),   ZEL_PROP(P, Graphic), ZEL_PROP(P, PictureAdapter),
        ZEL_PROP_R(P, Height), ZEL_PROP(P, Icon),    ZEL_PROP(P, Metafile),
        ZEL_PROP_R(P, Width),
    };
    // The registration methods are the class's, not the instance's: static members, called
    // without the owner.
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(P, LoadFromFile, "Filename"),
        ZEL_PROC(P, SaveToFile, "Filename"),
        ZEL_PROC(P, LoadFromClipboardFormat, "AFormat,AData,APalette"),
        ZEL_PROC(P, SaveToClipboardFormat, "AFormat,AData,APalette"),
        ZEL_FUNC(P, SupportsClipboardFormat, "AFormat"),
        ZEL_PROC(P, RegisterFileFormat, "AExtension,ADescription,AGraphicClass"),
        ZEL_PROC(P, RegisterFileFormatRes, "AExtension,ADescriptionResID,AGraphicClass"),
        ZEL_PROC(P, RegisterClipboardFormat, "AFormat,AGraphicClass"),
        ZEL_PROC(P, UnregisterGraphicClass, "AClass"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(P, OnChange, "Sender"),
        ZEL_EVENT(P, OnProgress, "Sender,Stage,PercentDone,RedrawNow,R,Msg"),
    };
};
ZEL_TABLE(TPictureClassInfo);

struct TMetafileCanvasClassInfo::ZelRows {
    static constexpr TzelCtorRow Constructors[] = {
        ctor("Create", "AMetafile,ReferenceDevice"),
        ctor("CreateWithComment", "AMetafile,ReferenceDevice,CreatedBy,Description"),
    };
};
ZEL_TABLE(TMetafileCanvasClassInfo);

struct TSharedImageClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(TSharedImage, RefCount).protected_(),
    };
};
ZEL_TABLE(TSharedImageClassInfo);

struct TMetafileImageClassInfo::ZelRows {};
ZEL_TABLE(TMetafileImageClassInfo);

struct TMetafileClassInfo::ZelRows {
    using CI = TMetafileClassInfo;
    using M = TMetafile;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(M, CreatedBy), ZEL_PROP_R(M, Description),
        ZEL_PROP(M, Enhanced),    prop<&M::GetHandle, &M::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(M, MMWidth),     ZEL_PROP(M, MMHeight),
        ZEL_PROP(M, Inch),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(M, Clear),
                                                ZEL_FUNC_SLOT(M, ReleaseHandle)};
};
ZEL_TABLE(TMetafileClassInfo);

struct TBitmapImageClassInfo::ZelRows {}; // an exact entry for the host class
ZEL_TABLE(TBitmapImageClassInfo);

struct TBitmapClassInfo::ZelRows {
    using CI = TBitmapClassInfo;
    using B = TBitmap;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(B, Canvas),
        prop<&B::GetHandle, &B::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(B, HandleType),
        ZEL_PROP(B, IgnorePalette),
        prop<&B::GetMaskHandle, &B::SetMaskHandle, &CI::FMaskHandleSlot>("MaskHandle"),
        ZEL_PROP(B, Monochrome),
        ZEL_PROP(B, PixelFormat),
        ZEL_PROP_R(B, ScanLine, "Row"),
        ZEL_PROP(B, TransparentColor),
        ZEL_PROP(B, TransparentMode),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(B, Dormant),
        ZEL_PROC(B, FreeImage),
        ZEL_PROC(B, LoadFromResourceName, "Instance,ResName"),
        ZEL_PROC(B, LoadFromResourceID, "Instance,ResID"),
        ZEL_PROC(B, Mask, "TransparentColor"),
        ZEL_FUNC_SLOT(B, ReleaseHandle),
        ZEL_FUNC_SLOT(B, ReleaseMaskHandle),
        ZEL_FUNC_SLOT(B, ReleasePalette),
    };
};
ZEL_TABLE(TBitmapClassInfo);

struct TIconImageClassInfo::ZelRows {}; // an exact entry for the host class
ZEL_TABLE(TIconImageClassInfo);

struct TIconClassInfo::ZelRows {
    using CI = TIconClassInfo;
    using I = TIcon;
    static constexpr TzelPropRow Properties[] = {
        prop<&I::GetHandle, &I::SetHandle, &CI::FHandleSlot>("Handle"),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_FUNC_SLOT(I, ReleaseHandle)};
};
ZEL_TABLE(TIconClassInfo);

namespace Zelgraphics {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TGraphicsObjectClassInfo::ZelTable,
    &TFontClassInfo::ZelTable,
    &TPenClassInfo::ZelTable,
    &TBrushClassInfo::ZelTable,
    &TCanvasClassInfo::ZelTable,
    &TGraphicClassInfo::ZelTable,
    &TPictureClassInfo::ZelTable,
    &TMetafileCanvasClassInfo::ZelTable,
    &TSharedImageClassInfo::ZelTable,
    &TMetafileImageClassInfo::ZelTable,
    &TMetafileClassInfo::ZelTable,
    &TBitmapImageClassInfo::ZelTable,
    &TBitmapClassInfo::ZelTable,
    &TIconImageClassInfo::ZelTable,
    &TIconClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelgraphics

} // namespace zeltrix
