// Class infos of the host's ImgList unit: image lists and their change links.
#pragma once

#include "classinfo/Zelclasses.h"
#include "host/imglist/ImgList.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TChangeLinkClassInfo, TObjectClassInfo, host::TChangeLink);

class TCustomImageListClassInfo
    : public TzelFamily<TCustomImageListClassInfo, TComponentClassInfo, host::TCustomImageList> {
    ZEL_CLASSINFO(TCustomImageListClassInfo)
protected:
    host::HIMAGELIST FHandleSlot = 0;
    host::TPoint FGetHotSpotSlot;
    host::HBITMAP FGetImageBitmapSlot = 0;
    host::HBITMAP FGetMaskBitmapSlot = 0;
};

namespace Zelimglist {
void Initialize();
void Finalize();
} // namespace Zelimglist

} // namespace zeltrix
