// zeltrix run FORM --render OUT.png: the form's picture as the host paints it (its frame,
// caption bar, menu bar and client area; stand-ins show nothing yet), written as a PNG for
// people to look at.
#include "tools/zeltrix/run.h"

#include "host/classes/Component.h"
#include "host/classes/KeptProperties.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/PngFile.h"
#include "host/menus/Menu.h"
#include "host/menus/MenuPaint.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace zeltrix::tool {

using namespace host;

namespace {

/// An integer the form gave the root that its class does not have yet (ClientWidth of a form
/// of a class made at run time), or `Default`.
Integer KeptInteger(TComponent* Root, const char* Name, Integer Default) {
    const TKeptProperties* kept = Root->GetKeptProperties();
    const TKeptProperty* p = kept ? kept->Find(Name) : nullptr;
    if (!p) return Default;
    TMemoryStream s;
    s.WriteBuffer(p->Value.data(), static_cast<Integer>(p->Value.size()));
    s.SetPosition(0);
    try {
        TReader reader(&s, 64);
        return reader.ReadInteger();
    } catch (const Exception&) {
        return Default;
    }
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
    // Not a form (a data module, a plain component): a design surface of its size.
    Integer w =
        std::clamp(KeptInteger(Root, "ClientWidth", KeptInteger(Root, "Width", 320)), 1, 4096);
    Integer h =
        std::clamp(KeptInteger(Root, "ClientHeight", KeptInteger(Root, "Height", 240)), 1, 4096);
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> picture(new TBitmap,
                                                         [](TBitmap* b) { b->Free(); });
    picture->SetPixelFormat(pf24bit);
    // The menu bar stands above the client area, as on a form with a menu.
    TMainMenu* menu = nullptr;
    for (Integer i = 0; i < Root->GetComponentCount() && !menu; ++i)
        menu = DynCast<TMainMenu>(Root->GetComponents(i));
    TCanvas* c = picture->GetCanvas();
    Integer bar = 0;
    if (menu) {
        picture->SetSize(w, 1);
        std::vector<TMenuItemBox> boxes = LayoutMenuBar(menu, c, {0, 0, w, h});
        for (const TMenuItemBox& b : boxes) bar = std::max(bar, b.Rect.Bottom);
    }
    picture->SetSize(w, h + bar);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect({0, 0, w, h + bar});
    if (menu) PaintMenuBar(menu, c, {0, 0, w, bar});
    SaveBitmapToPng(picture.get(), Path);
}

} // namespace zeltrix::tool
