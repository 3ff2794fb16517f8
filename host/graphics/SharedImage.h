// TSharedImage: the image data behind a graphic, shared by the graphics that were assigned one
// another until one of them changes it (copy on write). Bitmaps, icons and metafiles each keep
// theirs in a descendant.
#pragma once

#include "host/system/Object.h"

namespace host {

class TSharedImage : public TObject {
    HOST_CLASS(TSharedImage, TObject)
public:
    /// How many graphics hold this image.
    Integer GetRefCount() const { return FRefCount; }

    /// One more graphic holds the image.
    void Reference() { ++FRefCount; }
    /// The graphic lets go; the last one frees the image and its handles.
    void Release() {
        if (--FRefCount > 0) return;
        FreeHandle();
        Free();
    }

protected:
    TSharedImage() = default;
    /// A copy is held by no graphic yet.
    TSharedImage(const TSharedImage& Other) : TObject(Other) {}
    /// Lets go of the graphics-object table entries the image owns.
    virtual void FreeHandle() = 0;

private:
    Integer FRefCount = 0;
};

} // namespace host
