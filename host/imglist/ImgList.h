// TCustomImageList: images of one size with their masks, drawn onto canvases by index, kept in
// the platform's image list (ImageLists.h); TChangeLink: how the controls that show a list's
// images hear that they changed. TImageList, the one forms hold, is a drag image list
// (host/controls/DragImageList.h).
#pragma once

#include "host/classes/Component.h"
#include "host/graphics/Colors.h"
#include "host/imglist/ImageLists.h"

#include <vector>

namespace host {

class TBitmap;
class TCanvas;
class TIcon;
class TCustomImageList;

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
HOST_ENUM_INFO(TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent)
enum TImageType { itImage, itMask };
HOST_ENUM_INFO(TImageType, itImage, itMask)
enum TResType { rtBitmap, rtCursor, rtIcon };
HOST_ENUM_INFO(TResType, rtBitmap, rtCursor, rtIcon)
enum TLoadResource { lrDefaultColor, lrDefaultSize, lrFromFile, lrMap3DColors, lrTransparent,
                     lrMonoChrome };
HOST_ENUM_INFO(TLoadResource, lrDefaultColor, lrDefaultSize, lrFromFile, lrMap3DColors,
               lrTransparent, lrMonoChrome)
using TLoadResources = Set<TLoadResource, 6>;
/// An overlay's number, 0 to 3.
using TOverlay = Byte;

/// Tells its owner that the image list it is registered with changed.
class TChangeLink : public TObject {
    HOST_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    /// Leaves the list it is registered with.
    ~TChangeLink() override;
    /// Calls OnChange with the list.
    virtual void Change();

    /// The list the link is registered with. Setting it registers the link with the new list
    /// (and leaves the old one), so that a list never outlives its links' knowledge of it.
    TCustomImageList* GetSender() const { return FSender; }
    void SetSender(TCustomImageList* Value);
    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

private:
    friend class TCustomImageList;
    TCustomImageList* FSender = nullptr;
    TNotifyEvent FOnChange;
};

class TCustomImageList : public TComponent {
    HOST_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* AOwner);
    /// A list without owner for images of that size.
    TCustomImageList(Integer AWidth, Integer AHeight);
    /// Unregisters its change links and destroys the platform list unless shared.
    ~TCustomImageList() override;
    /// From another image list: its size, settings and a copy of its images.
    void Assign(TPersistent* Source) override;

    // ---- images ----
    /// Adds the images of `Image` (as many as its width holds) with `Mask`'s mask (white:
    /// transparent; none: opaque); the index of the first, -1 when none fit.
    Integer Add(TBitmap* Image, TBitmap* Mask);
    /// Adds the icon scaled to the list's size.
    Integer AddIcon(TIcon* Image);
    /// Adds a copy of every image of `Value`.
    void AddImages(TCustomImageList* Value);
    /// Adds the images of `Image`, transparent where it has `MaskColor` (clDefault: the colour
    /// of its top left pixel).
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    void Clear();
    /// Raises EInvalidOperation "Invalid ImageList Index" past the end; -1 removes all.
    void Delete(Integer Index);
    /// Index 0 to Count inserts before that image; else EInvalidOperation "Invalid ImageList
    /// Index".
    void Insert(Integer Index, TBitmap* Image, TBitmap* Mask);
    void InsertIcon(Integer Index, TIcon* Image);
    void InsertMasked(Integer Index, TBitmap* Image, TColor MaskColor);
    /// Moves an image, the ones between shifting by one; EInvalidOperation "Invalid ImageList
    /// Index" for a bad index.
    void Move(Integer CurIndex, Integer NewIndex);
    /// Raise EInvalidOperation "Unable to Replace Image" for a bad index.
    void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
    /// Index -1 appends.
    void ReplaceIcon(Integer Index, TIcon* Image);
    void ReplaceMasked(Integer Index, TBitmap* NewImage, TColor MaskColor);
    /// Makes image `ImageIndex` overlay number `Overlay` (0 to 3), for DrawOverlay.
    bool Overlay(Integer ImageIndex, TOverlay Overlay);

    // ---- drawing ----
    /// Draws image `Index` with its top left at (X, Y) in the list's DrawingStyle and
    /// ImageType; disabled, as a grey engraving. A bad index draws nothing.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    /// Draws image `ImageIndex` with overlay number `Overlay` over it.
    void DrawOverlay(TCanvas* Canvas, Integer X, Integer Y, Integer ImageIndex, TOverlay Overlay,
                     bool Enabled = true);
    /// Image `Index` drawn on `Image`, which takes the list's size.
    void GetBitmap(Integer Index, TBitmap* Image);
    /// Image `Index` with its mask as the icon `Image`.
    void GetIcon(Integer Index, TIcon* Image);
    /// The point of an image that follows the mouse when the list is dragged; none here.
    virtual TPoint GetHotSpot();
    /// The platform list's image and mask bitmaps (all images side by side); 0 when empty.
    HBITMAP GetImageBitmap();
    HBITMAP GetMaskBitmap();

    // ---- loading ----
    /// Replaces the images by those of a bitmap, icon or cursor file, each Width wide.
    bool FileLoad(TResType ResType, const AnsiString& Name, TColor MaskColor);
    /// From a resource of the program's module.
    bool GetResource(TResType ResType, const AnsiString& Name, Integer Width,
                     TLoadResources LoadFlags, TColor MaskColor);
    /// Replaces the images by those of resource `Name` of module `Instance`, each `Width`
    /// wide; the list takes their size. False when there is no such resource.
    bool GetInstRes(THandle Instance, TResType ResType, const AnsiString& Name, Integer Width,
                    TLoadResources LoadFlags, TColor MaskColor);
    bool ResourceLoad(TResType ResType, const AnsiString& Name, TColor MaskColor);
    bool ResInstLoad(THandle Instance, TResType ResType, const AnsiString& Name,
                     TColor MaskColor);

    // ---- change links ----
    /// `Value` hears of every change from now on (its Sender becomes this list).
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    // ---- properties ----
    Integer GetCount() const;
    /// The platform list, made when first asked for.
    HIMAGELIST GetHandle();
    /// Takes the platform list `Value` over (its size and images); 0 leaves the list empty.
    void SetHandle(HIMAGELIST Value);
    bool HandleAllocated() const { return FHandle != 0; }
    Integer GetAllocBy() const { return FAllocBy; }
    void SetAllocBy(Integer Value) { FAllocBy = Value; }
    TColor GetBlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value) { FBlendColor = Value; }
    TColor GetBkColor() const;
    void SetBkColor(TColor Value);
    TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    /// A new size removes the images.
    Integer GetHeight() const { return FHeight; }
    void SetHeight(Integer Value);
    Integer GetWidth() const { return FWidth; }
    void SetWidth(Integer Value);
    TImageType GetImageType() const { return FImageType; }
    void SetImageType(TImageType Value);
    /// Whether images keep a mask; changing it makes the platform list anew, without images.
    bool GetMasked() const { return FMasked; }
    void SetMasked(bool Value);
    /// A list that shares its platform list does not destroy it.
    bool GetShareImages() const { return FShareImages; }
    void SetShareImages(bool Value) { FShareImages = Value; }
    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

protected:
    /// Tells the change links, then OnChange.
    virtual void Change();
    virtual void DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, Cardinal Style,
                        bool Enabled);
    /// "Bitmap": the platform list's stream, written while the list holds images.
    void DefineProperties(TFiler* Filer) override;
    /// Raises EReadError "Failed to read ImageList data from stream".
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);

private:
    void Initialize(Integer AWidth, Integer AHeight);
    void FreeHandle();
    std::shared_ptr<TImageListObject> List();
    /// The loaded list `Loaded` becomes the list's (0: false).
    bool TakeLoaded(HIMAGELIST Loaded);
    /// Appends with `Adder` and moves the new image to `Index`.
    template <class F>
    void InsertWith(Integer Index, F&& Adder);

    HIMAGELIST FHandle = 0;
    Integer FWidth = 16, FHeight = 16;
    Integer FAllocBy = 4;
    TColor FBlendColor = clNone;
    TColor FBkColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    bool FMasked = true;
    bool FShareImages = false;
    std::vector<TChangeLink*> FClients;
    std::vector<Byte> FSaved; // the stream read, while the images are unchanged since
    TNotifyEvent FOnChange;
};

} // namespace host
