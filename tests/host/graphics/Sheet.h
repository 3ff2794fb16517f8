// A canvas over a white surface of its own, and its pixels as rows of characters, for the
// drawing tests' hand-computed pictures.
#pragma once

#include "host/graphics/Canvas.h"

#include <memory>
#include <string>

namespace sheettest {

using namespace host;

struct Sheet {
    std::shared_ptr<TPixelSurface> Surface;
    HDC DC;
    TCanvas* Canvas = new TCanvas;
    Sheet(Integer W, Integer H)
        : Surface(std::make_shared<TPixelSurface>(W, H)), DC(CreateSurfaceDC(Surface)) {
        Canvas->SetHandle(DC);
    }
    ~Sheet() {
        Canvas->Free();
        DeleteDC(DC);
    }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;
    /// The surface as rows of characters: '.' white, '#' black, 'r' red, '?' anything else.
    std::string Picture() const {
        std::string s;
        for (Integer y = 0; y < Surface->Height(); ++y) {
            for (Integer x = 0; x < Surface->Width(); ++x) {
                TColorRef c = Surface->Get(x, y);
                s += c == RGB(255, 255, 255) ? '.' : c == 0 ? '#' : c == RGB(255, 0, 0) ? 'r' : '?';
            }
            s += '\n';
        }
        return s;
    }
    Integer Count(TColorRef C) const {
        Integer n = 0;
        for (Integer y = 0; y < Surface->Height(); ++y)
            for (Integer x = 0; x < Surface->Width(); ++x) n += Surface->Get(x, y) == C;
        return n;
    }
};

} // namespace sheettest
