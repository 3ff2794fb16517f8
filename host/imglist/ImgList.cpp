#include "host/imglist/ImgList.h"

#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"

#include <algorithm>
#include <cstring>

namespace host {

namespace {

constexpr const char* SInvalidImageSize = "Invalid image size";
constexpr const char* SImageIndexError = "Invalid ImageList Index";
constexpr const char* SReplaceImage = "Unable to Replace Image";
constexpr const char* SImageReadFail = "Failed to read ImageList data from stream";
constexpr const char* SImageWriteFail = "Failed to write ImageList data to stream";

// Declared here, published by TImageList (host/controls/DragImageList.cpp).
constexpr TPropInfo CustomImageListProps[] = {
    HOST_PROP(TCustomImageList, AllocBy).Default(4).Unpublished(),
    HOST_PROP(TCustomImageList, BlendColor).Default(clNone).Unpublished(),
    HOST_PROP(TCustomImageList, BkColor).Default(clNone).Unpublished(),
    HOST_PROP(TCustomImageList, DrawingStyle).Default(dsNormal).Unpublished(),
    HOST_PROP(TCustomImageList, Height).Default(16).Unpublished(),
    HOST_PROP(TCustomImageList, ImageType).Default(itImage).Unpublished(),
    HOST_PROP(TCustomImageList, Masked).Default(true).Unpublished(),
    HOST_PROP(TCustomImageList, ShareImages).Default(false).Unpublished(),
    HOST_PROP(TCustomImageList, Width).Default(16).Unpublished(),
    HOST_PROP(TCustomImageList, OnChange).Unpublished(),
};

/// A colour as the platform's list functions take it: clNone and clDefault as their own values.
TColorRef ListColor(TColor Color) {
    if (Color == clNone) return CLR_NONE;
    if (Color == clDefault) return CLR_DEFAULT;
    return ColorToRGB(Color);
}

TColor FromListColor(TColorRef Color) {
    if (Color == CLR_NONE) return clNone;
    if (Color == CLR_DEFAULT) return clDefault;
    return TColor(Color);
}

Cardinal LoadFlagsOf(TLoadResources Flags) {
    Cardinal f = LR_DEFAULTCOLOR;
    if (Flags.Contains(lrDefaultSize)) f |= LR_DEFAULTSIZE;
    if (Flags.Contains(lrFromFile)) f |= LR_LOADFROMFILE;
    if (Flags.Contains(lrMap3DColors)) f |= LR_LOADMAP3DCOLORS;
    if (Flags.Contains(lrTransparent)) f |= LR_LOADTRANSPARENT;
    if (Flags.Contains(lrMonoChrome)) f |= LR_MONOCHROME;
    return f;
}

} // namespace

HOST_METACLASS(TChangeLink, TObject);
HOST_COMPONENT_METACLASS(TCustomImageList, TComponent, PropTable(CustomImageListProps));

// ---- TChangeLink ----

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::SetSender(TCustomImageList* Value) {
    if (Value == FSender) return;
    if (FSender) FSender->UnRegisterChanges(this);
    if (Value) Value->RegisterChanges(this);
}

void TChangeLink::Change() {
    if (FOnChange) FOnChange(FSender);
}

// ---- TCustomImageList ----

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {
    Initialize(16, 16);
}

TCustomImageList::TCustomImageList(Integer AWidth, Integer AHeight) : TComponent(nullptr) {
    Initialize(AWidth, AHeight);
}

void TCustomImageList::Initialize(Integer AWidth, Integer AHeight) {
    if (AWidth < 1 || AHeight < 1) throw EInvalidOperation(SInvalidImageSize);
    FWidth = AWidth, FHeight = AHeight;
}

TCustomImageList::~TCustomImageList() {
    while (!FClients.empty()) UnRegisterChanges(FClients.back());
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
    FHandle = 0;
}

HIMAGELIST TCustomImageList::GetHandle() {
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLORDDB | (FMasked ? ILC_MASK : ILC_COLOR),
                                   FAllocBy, FAllocBy);
        if (!FHandle) throw EInvalidOperation(SInvalidImageSize);
        ImageList_SetBkColor(FHandle, ListColor(FBkColor));
    }
    return FHandle;
}

std::shared_ptr<TImageListObject> TCustomImageList::List() {
    return ImageList_Find(GetHandle());
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
    FreeHandle();
    if (auto l = ImageList_Find(Value)) {
        FHandle = Value;
        FWidth = l->Cx, FHeight = l->Cy;
        FMasked = l->Masked();
        FBkColor = FromListColor(l->BkColor);
    }
    Change();
}

bool TCustomImageList::TakeLoaded(HIMAGELIST Loaded) {
    if (!Loaded) return false;
    bool share = std::exchange(FShareImages, false); // the loaded list is the list's own
    SetHandle(Loaded);
    FShareImages = share;
    return true;
}

Integer TCustomImageList::GetCount() const {
    return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

void TCustomImageList::Assign(TPersistent* Source) {
    if (!Source) {
        FreeHandle();
        Change();
        return;
    }
    auto* other = dynamic_cast<TCustomImageList*>(Source);
    if (!other) return TComponent::Assign(Source);
    if (other == this) return;
    FreeHandle();
    FMasked = other->FMasked, FImageType = other->FImageType;
    FDrawingStyle = other->FDrawingStyle, FShareImages = other->FShareImages;
    FWidth = other->FWidth, FHeight = other->FHeight;
    FBkColor = other->GetBkColor(), FBlendColor = other->FBlendColor;
    AddImages(other);
    Change();
}

// ---- images ----

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    if (!Image) return -1;
    Integer first = ImageList_Add(GetHandle(), Image->GetHandle(), Mask ? Mask->GetHandle() : 0);
    if (first >= 0) Change();
    return first;
}

Integer TCustomImageList::AddIcon(TIcon* Image) {
    if (!Image || Image->GetEmpty()) return -1;
    Integer index = ImageList_ReplaceIcon(GetHandle(), -1, Image->GetHandle());
    if (index >= 0) Change();
    return index;
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
    if (!Value || Value == this || Value->GetCount() == 0) return;
    auto from = Value->List();
    auto to = List();
    to->Reserve(to->Count + from->Count);
    for (Integer i = 0; i < from->Count; ++i) to->CopyImage(to->Count++, *from, i);
    Change();
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (!Image) return -1;
    Integer first = ImageList_AddMasked(GetHandle(), Image->GetHandle(), ListColor(MaskColor));
    if (first >= 0) Change();
    return first;
}

void TCustomImageList::Clear() {
    Delete(-1);
}

void TCustomImageList::Delete(Integer Index) {
    if (Index < -1 || Index >= GetCount()) throw EInvalidOperation(SImageIndexError);
    if (FHandle) ImageList_Remove(FHandle, Index);
    Change();
}

template <class F>
void TCustomImageList::InsertWith(Integer Index, F&& Adder) {
    if (Index < 0 || Index > GetCount()) throw EInvalidOperation(SImageIndexError);
    Integer added = Adder();
    if (added >= 0 && added != Index) Move(added, Index);
}

void TCustomImageList::Insert(Integer Index, TBitmap* Image, TBitmap* Mask) {
    InsertWith(Index, [&] { return Add(Image, Mask); });
}

void TCustomImageList::InsertIcon(Integer Index, TIcon* Image) {
    InsertWith(Index, [&] { return AddIcon(Image); });
}

void TCustomImageList::InsertMasked(Integer Index, TBitmap* Image, TColor MaskColor) {
    InsertWith(Index, [&] { return AddMasked(Image, MaskColor); });
}

void TCustomImageList::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    if (!ImageList_Move(GetHandle(), CurIndex, NewIndex)) throw EInvalidOperation(SImageIndexError);
    Change();
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
    if (!Image ||
        !ImageList_Replace(GetHandle(), Index, Image->GetHandle(), Mask ? Mask->GetHandle() : 0))
        throw EInvalidOperation(SReplaceImage);
    Change();
}

void TCustomImageList::ReplaceIcon(Integer Index, TIcon* Image) {
    if (!Image || ImageList_ReplaceIcon(GetHandle(), Index, Image->GetHandle()) < 0)
        throw EInvalidOperation(SReplaceImage);
    Change();
}

void TCustomImageList::ReplaceMasked(Integer Index, TBitmap* NewImage, TColor MaskColor) {
    auto to = List();
    if (!NewImage || !to->Valid(Index)) throw EInvalidOperation(SReplaceImage);
    // The mask is made as AddMasked makes it, in a list of one image of the same kind.
    HIMAGELIST one = ImageList_Create(FWidth, FHeight, to->Flags, 1, 1);
    bool made = ImageList_AddMasked(one, NewImage->GetHandle(), ListColor(MaskColor)) == 0;
    if (made) to->CopyImage(Index, *ImageList_Find(one), 0);
    ImageList_Destroy(one);
    if (!made) throw EInvalidOperation(SReplaceImage);
    Change();
}

bool TCustomImageList::Overlay(Integer ImageIndex, TOverlay Overlay) {
    return ImageList_SetOverlayImage(GetHandle(), ImageIndex, Integer(Overlay) + 1);
}

// ---- drawing ----

namespace {
constexpr Cardinal DrawingStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
constexpr Cardinal ImageTypes[] = {0, ILD_MASK};
} // namespace

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
    if (FHandle)
        DoDraw(Index, Canvas, X, Y, DrawingStyles[FDrawingStyle] | ImageTypes[FImageType],
               Enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, Integer X, Integer Y, Integer ImageIndex,
                                   TOverlay Overlay, bool Enabled) {
    if (FHandle && Overlay <= 3)
        DoDraw(ImageIndex, Canvas, X, Y,
               DrawingStyles[FDrawingStyle] | ImageTypes[FImageType] |
                   INDEXTOOVERLAYMASK(Overlay + 1),
               Enabled);
}

void TCustomImageList::DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y,
                              Cardinal Style, bool Enabled) {
    auto l = ImageList_Find(FHandle);
    if (!Canvas || !l || !l->Valid(Index)) return;
    TCopyMode mode = Canvas->GetCopyMode();
    Canvas->SetCopyMode(cmSrcCopy); // the platform list draws with its own raster operations
    try {
        TRect at{X, Y, X + l->Cx, Y + l->Cy};
        if (Enabled) {
            TColorRef bk = ListColor(FBkColor), fg = ListColor(FBlendColor);
            Canvas->PaintPicture(at, l->Cx, l->Cy, [&](Integer PX, Integer PY, TColorRef& C) {
                return ImageList_Pixel(*l, Index, PX, PY, bk, fg, Style, C);
            });
        } else {
            // Disabled: the image's dark shapes engraved, a highlight offset by one pixel
            // beneath a shadow.
            auto engrave = [&](const TRect& R, TColorRef Ink) {
                Canvas->PaintPicture(R, l->Cx, l->Cy, [&](Integer PX, Integer PY, TColorRef& C) {
                    TColorRef c = C;
                    if (!ImageList_Pixel(*l, Index, PX, PY, CLR_NONE, CLR_NONE,
                                         ILD_TRANSPARENT, c) ||
                        c == RGB(255, 255, 255))
                        return false;
                    C = Ink;
                    return true;
                });
            };
            engrave({at.Left + 1, at.Top + 1, at.Right + 1, at.Bottom + 1},
                    ColorToRGB(clBtnHighlight));
            engrave(at, ColorToRGB(clBtnShadow));
        }
    } catch (...) {
        Canvas->SetCopyMode(mode);
        throw;
    }
    Canvas->SetCopyMode(mode);
}

void TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
    if (!Image || !FHandle) return;
    Image->SetSize(FWidth, FHeight);
    Draw(Image->GetCanvas(), 0, 0, Index);
}

void TCustomImageList::GetIcon(Integer Index, TIcon* Image) {
    if (Image && FHandle) Image->SetHandle(ImageList_GetIcon(FHandle, Index, ILD_NORMAL));
}

TPoint TCustomImageList::GetHotSpot() {
    return {0, 0};
}

HBITMAP TCustomImageList::GetImageBitmap() {
    TImageInfo info;
    return FHandle && ImageList_GetImageInfo(FHandle, 0, info) ? info.hbmImage : 0;
}

HBITMAP TCustomImageList::GetMaskBitmap() {
    TImageInfo info;
    return FHandle && ImageList_GetImageInfo(FHandle, 0, info) ? info.hbmMask : 0;
}

// ---- loading ----

namespace {
constexpr Cardinal ResTypes[] = {IMAGE_BITMAP, IMAGE_CURSOR, IMAGE_ICON};
} // namespace

bool TCustomImageList::GetInstRes(THandle Instance, TResType ResType, const AnsiString& Name,
                                  Integer Width, TLoadResources LoadFlags, TColor MaskColor) {
    return TakeLoaded(ImageList_LoadImage(Instance, Name, Width, FAllocBy, ListColor(MaskColor),
                                          ResTypes[ResType], LoadFlagsOf(LoadFlags)));
}

bool TCustomImageList::GetResource(TResType ResType, const AnsiString& Name, Integer Width,
                                   TLoadResources LoadFlags, TColor MaskColor) {
    return GetInstRes(HInstance, ResType, Name, Width, LoadFlags, MaskColor);
}

bool TCustomImageList::FileLoad(TResType ResType, const AnsiString& Name, TColor MaskColor) {
    return GetInstRes(0, ResType, Name, FWidth, {lrFromFile}, MaskColor);
}

bool TCustomImageList::ResInstLoad(THandle Instance, TResType ResType, const AnsiString& Name,
                                   TColor MaskColor) {
    return GetInstRes(Instance, ResType, Name, FWidth, {}, MaskColor);
}

bool TCustomImageList::ResourceLoad(TResType ResType, const AnsiString& Name, TColor MaskColor) {
    return ResInstLoad(HInstance, ResType, Name, MaskColor);
}

// ---- change links ----

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (!Value) return;
    if (Value->FSender && Value->FSender != this) Value->FSender->UnRegisterChanges(Value);
    Value->FSender = this;
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end())
        FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    auto it = std::find(FClients.begin(), FClients.end(), Value);
    if (it == FClients.end()) return;
    FClients.erase(it);
    if (Value->FSender == this) Value->FSender = nullptr;
}

void TCustomImageList::Change() {
    FSaved.clear();
    // A link may leave (or another join) while it hears of the change.
    std::vector<TChangeLink*> clients = FClients;
    for (TChangeLink* c : clients)
        if (std::find(FClients.begin(), FClients.end(), c) != FClients.end()) c->Change();
    if (FOnChange) FOnChange(this);
}

// ---- properties ----

TColor TCustomImageList::GetBkColor() const {
    return FHandle ? FromListColor(ImageList_GetBkColor(FHandle)) : FBkColor;
}

void TCustomImageList::SetBkColor(TColor Value) {
    FBkColor = Value;
    if (FHandle) ImageList_SetBkColor(FHandle, ListColor(Value));
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
    if (Value == FImageType) return;
    FImageType = Value;
    Change();
}

void TCustomImageList::SetHeight(Integer Value) {
    if (Value == FHeight) return;
    if (Value < 1) throw EInvalidOperation(SInvalidImageSize);
    FHeight = Value;
    if (FHandle) ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
}

void TCustomImageList::SetWidth(Integer Value) {
    if (Value == FWidth) return;
    if (Value < 1) throw EInvalidOperation(SInvalidImageSize);
    FWidth = Value;
    if (FHandle) ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
}

void TCustomImageList::SetMasked(bool Value) {
    if (Value == FMasked) return;
    FMasked = Value;
    if (auto l = ImageList_Find(FHandle)) {
        // The images stay: without a mask they show whole, with a new one they are opaque.
        HIMAGELIST copy = ImageList_Create(FWidth, FHeight, (l->Flags & ~ILC_MASK) |
                                                                (Value ? ILC_MASK : ILC_COLOR),
                                           l->Count, FAllocBy);
        auto c = ImageList_Find(copy);
        c->BkColor = l->BkColor;
        for (Integer i = 0; i < l->Count; ++i) c->CopyImage(c->Count++, *l, i);
        bool share = std::exchange(FShareImages, false);
        FreeHandle();
        FShareImages = share;
        FHandle = copy;
    }
    Change();
}

// ---- streaming ----

void TCustomImageList::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    bool write = GetCount() > 0;
    if (auto* ancestor = dynamic_cast<TCustomImageList*>(Filer->GetAncestor())) {
        TMemoryStream mine, theirs;
        WriteData(&mine);
        ancestor->WriteData(&theirs);
        write = mine.GetSize() != theirs.GetSize() ||
                std::memcmp(mine.GetMemory(), theirs.GetMemory(), std::size_t(mine.GetSize()));
    } else if (Filer->GetAncestor()) {
        write = true;
    }
    Filer->DefineBinaryProperty("Bitmap", TStreamProc::Bind<&TCustomImageList::ReadData>(this),
                                TStreamProc::Bind<&TCustomImageList::WriteData>(this), write);
}

void TCustomImageList::ReadData(TStream* Stream) {
    Int64 start = Stream->GetPosition();
    HIMAGELIST read = ImageList_Read(Stream);
    if (!read) throw EReadError(SImageReadFail);
    std::vector<Byte> saved(static_cast<std::size_t>(Stream->GetPosition() - start));
    Stream->SetPosition(start);
    Stream->ReadBuffer(saved.data(), LongInt(saved.size()));
    TakeLoaded(read);
    FSaved = std::move(saved); // after the change that taking it made
}

void TCustomImageList::WriteData(TStream* Stream) {
    if (!FSaved.empty()) {
        Stream->WriteBuffer(FSaved.data(), LongInt(FSaved.size()));
        return;
    }
    if (!ImageList_Write(GetHandle(), Stream)) throw EWriteError(SImageWriteFail);
}

} // namespace host
