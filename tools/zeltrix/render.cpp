// zeltrix run FORM --render OUT.png: the form's picture as the host paints it (its frame,
// caption bar, menu bar, client area and controls; a stand-in takes its place but paints
// nothing of its own), or a data module's design surface with its components' icons, written
// as a PNG for people to look at.
#include "tools/zeltrix/run.h"

#include "host/classes/Component.h"
#include "host/classes/KeptProperties.h"
#include "host/forms/ComponentIcons.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/PngFile.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <memory>

namespace zeltrix::tool {

using namespace host;

namespace {

/// An integer the form gave the root that its class does not have, or `Default`.
Integer Kept(TComponent* Root, const char* Name, Integer Default) {
    const TKeptProperties* kept = Root->GetKeptProperties();
    return kept ? kept->FindInteger(Name, Default) : Default;
}
} // namespace

void RenderForm(TComponent* Root, const char* Path) {
    if (auto* form = DynCast<TCustomForm>(Root)) {
        // The form as the host shows it: frame, caption, menu bar, client area and controls.
        std::unique_ptr<TBitmap, void (*)(TBitmap*)> image(form->GetFormImage(),
                                                           [](TBitmap* b) { b->Free(); });
        SaveBitmapToPng(image.get(), Path);
        return;
    }
    // Not a form: a data module, or a plain component, as its designer shows it: a blank
    // surface of its design size with its components' icons.
    Integer w, h;
    if (auto* module = DynCast<TDataModule>(Root)) {
        w = module->GetDesignSize().X, h = module->GetDesignSize().Y;
    } else {
        w = Kept(Root, "ClientWidth", Kept(Root, "Width", 320));
        h = Kept(Root, "ClientHeight", Kept(Root, "Height", 240));
    }
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> picture(
        GetDesignImage(Root, std::clamp<Integer>(w, 1, 4096), std::clamp<Integer>(h, 1, 4096)),
        [](TBitmap* b) { b->Free(); });
    SaveBitmapToPng(picture.get(), Path);
}

} // namespace zeltrix::tool
