// The image-list class infos and the unit's registration.
#include "classinfo/Zelimglist.h"

#include "core/ClassInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"

namespace zeltrix {

using namespace host;

struct TChangeLinkClassInfo::ZelRows {
    using L = TChangeLink;
    static constexpr TzelPropRow Properties[] = {
        // A plain store in the host. Here writing it registers the link with that list, so a
        // link never names a list that does not know it (and could go without telling it).
        ZEL_PROP(L, Sender),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(L, Change)};
    static constexpr TzelEventRow Events[] = {ZEL_EVENT(L, OnChange, "Sender")};
};
ZEL_TABLE(TChangeLinkClassInfo);

struct TCustomImageListClassInfo::ZelRows {
    using CI = TCustomImageListClassInfo;
    using L = TCustomImageList;
    // AllocBy, BlendColor, ImageType, Masked and ShareImages are plain stores in the host;
    // written through the setters here, so that the list and its links hear of the change.
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(L, Count),
        prop<&L::GetHandle, &L::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(L, AllocBy),
        ZEL_PROP(L, BlendColor),
        ZEL_PROP(L, BkColor),
        ZEL_PROP(L, DrawingStyle),
        ZEL_PROP(L, Height),
        ZEL_PROP(L, ImageType),
        ZEL_PROP(L, Masked),
        ZEL_PROP(L, ShareImages),
        ZEL_PROP(L, Width),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(L, Add, "Image,Mask"),
        ZEL_FUNC(L, AddIcon, "Image"),
        ZEL_PROC(L, AddImages, "Value"),
        ZEL_FUNC(L, AddMasked, "Image,MaskColor"),
        ZEL_PROC(L, Clear),
        ZEL_PROC(L, Delete, "Index"),
        ZEL_PROC(L, Draw, "Canvas,X,Y,Index,Enabled"),
        ZEL_PROC(L, DrawOverlay, "Canvas,X,Y,ImageIndex,Overlay,Enabled"),
        ZEL_FUNC(L, FileLoad, "ResType,Name,MaskColor"),
        ZEL_PROC(L, GetBitmap, "Index,Image"),
        ZEL_FUNC_SLOT(L, GetHotSpot),
        ZEL_PROC(L, GetIcon, "Index,Image"),
        ZEL_FUNC_SLOT(L, GetImageBitmap),
        ZEL_FUNC_SLOT(L, GetMaskBitmap),
        ZEL_FUNC(L, GetResource, "ResType,Name,Width,LoadFlags,MaskColor"),
        ZEL_FUNC(L, GetInstRes, "Instance,ResType,Name,Width,LoadFlags,MaskColor"),
        ZEL_FUNC(L, HandleAllocated),
        ZEL_PROC(L, Insert, "Index,Image,Mask"),
        ZEL_PROC(L, InsertIcon, "Index,Image"),
        ZEL_PROC(L, InsertMasked, "Index,Image,MaskColor"),
        ZEL_PROC(L, Move, "CurIndex,NewIndex"),
        ZEL_FUNC(L, Overlay, "ImageIndex,Overlay"),
        ZEL_PROC(L, RegisterChanges, "Value"),
        ZEL_FUNC(L, ResourceLoad, "ResType,Name,MaskColor"),
        ZEL_FUNC(L, ResInstLoad, "Instance,ResType,Name,MaskColor"),
        ZEL_PROC(L, Replace, "Index,Image,Mask"),
        ZEL_PROC(L, ReplaceIcon, "Index,Image"),
        ZEL_PROC(L, ReplaceMasked, "Index,NewImage,MaskColor"),
        ZEL_PROC(L, UnRegisterChanges, "Value"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("CreateSize", "AWidth,AHeight")};
    static constexpr TzelEventRow Events[] = {ZEL_EVENT(L, OnChange, "Sender")};
};
ZEL_TABLE(TCustomImageListClassInfo);

namespace Zelimglist {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TChangeLinkClassInfo::ZelTable,
    &TCustomImageListClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelimglist

} // namespace zeltrix
