// The common animations, drawn frame by frame onto a bitmap.
#include "host/comctrls/AviFile.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"

namespace host {

namespace {

constexpr TColor Folder = TColor(0x00C0FF), Page = TColor(0xFFFFFF), Ink = TColor(0x000000),
                 Grey = TColor(0xC0C0C0), Screen = TColor(0x800000), Back = TColor(0xFF00FF);

void Brush(TCanvas* C, TColor Fill) {
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Fill);
    C->GetPen()->SetColor(Ink);
}

void DrawFolder(TCanvas* C, Integer X, Integer Y) {
    Brush(C, Folder);
    C->Rectangle(X, Y, X + 12, Y + 5); // the tab
    C->Rectangle(X, Y + 4, X + 30, Y + 24);
}

void DrawPage(TCanvas* C, Integer X, Integer Y) {
    Brush(C, Page);
    C->Rectangle(X, Y, X + 16, Y + 20);
    for (Integer l = 0; l < 3; ++l) {
        C->MoveTo(X + 3, Y + 5 + 4 * l);
        C->LineTo(X + 13, Y + 5 + 4 * l);
    }
}

void DrawComputer(TCanvas* C, Integer X, Integer Y) {
    Brush(C, Grey);
    C->Rectangle(X, Y, X + 28, Y + 20);
    Brush(C, Screen);
    C->Rectangle(X + 3, Y + 3, X + 25, Y + 17);
    Brush(C, Grey);
    C->Rectangle(X + 6, Y + 21, X + 22, Y + 25);
}

void DrawBin(TCanvas* C, Integer X, Integer Y) {
    Brush(C, Grey);
    C->Rectangle(X, Y, X + 26, Y + 4);
    C->Rectangle(X + 2, Y + 4, X + 24, Y + 30);
    for (Integer l = 0; l < 3; ++l) {
        C->MoveTo(X + 7 + 6 * l, Y + 8);
        C->LineTo(X + 7 + 6 * l, Y + 27);
    }
}

void DrawFrame(TCanvas* C, TCommonAVI Kind, Integer Frame, Integer Frames, Integer Width) {
    if (Kind <= aviFindComputer) {
        // The target, and a glass going round over it.
        if (Kind == aviFindFolder) DrawFolder(C, 9, 16);
        if (Kind == aviFindFile) DrawPage(C, 16, 18);
        if (Kind == aviFindComputer) DrawComputer(C, 10, 16);
        static constexpr Integer Dx[] = {0, 6, 10, 6, 0, -6, -10, -6};
        static constexpr Integer Dy[] = {-8, -6, 0, 6, 8, 6, 0, -6};
        Integer cx = 24 + Dx[Frame % 8], cy = 22 + Dy[Frame % 8];
        C->GetBrush()->SetStyle(bsClear);
        C->GetPen()->SetColor(Ink);
        C->GetPen()->SetWidth(2);
        C->Ellipse(cx - 7, cy - 7, cx + 7, cy + 7);
        C->MoveTo(cx + 5, cy + 5);
        C->LineTo(cx + 11, cy + 11);
        C->GetPen()->SetWidth(1);
        return;
    }
    // A page on its way from the left to the right along an arc.
    const bool toBin = Kind == aviRecycleFile, fromBin = Kind == aviEmptyRecycle;
    if (fromBin)
        DrawBin(C, 10, 24);
    else
        DrawFolder(C, 10, 30);
    if (toBin) DrawBin(C, Width - 40, 24);
    if (Kind == aviCopyFiles || Kind == aviCopyFile) DrawFolder(C, Width - 42, 30);
    Integer span = Width - 90;
    Integer x = 30 + span * Frame / (Frames - 1);
    Integer t = 2 * Frame - (Frames - 1); // -(n-1)..(n-1): the arc's height
    Integer y = 4 + 24 * t * t / ((Frames - 1) * (Frames - 1));
    if (Kind == aviCopyFiles) DrawPage(C, x - 4, y + 3);
    DrawPage(C, x, y);
    if (Kind == aviDeleteFile || fromBin) {
        // The page is gone by the end: crossed out over the last frames.
        if (Frame >= Frames / 2) {
            C->GetPen()->SetColor(TColor(0x0000FF));
            C->MoveTo(x, y);
            C->LineTo(x + 16, y + 20);
            C->MoveTo(x + 15, y);
            C->LineTo(x - 1, y + 20);
        }
    }
}

} // namespace

TAviClip CommonAviClip(TCommonAVI Kind) {
    TAviClip clip;
    if (Kind == aviNone) return clip;
    const bool find = Kind <= aviFindComputer;
    clip.Width = find ? 48 : 272;
    clip.Height = find ? 50 : 60;
    const Integer frames = find ? 8 : (Kind == aviCopyFiles ? 12 : 10);
    clip.MicroSecPerFrame = find ? 125000 : 100000;
    TBitmap b;
    b.SetSize(clip.Width, clip.Height);
    TCanvas* c = b.GetCanvas();
    for (Integer f = 0; f < frames; ++f) {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(Back); // the top left pixel: shown as the control when transparent
        c->FillRect({0, 0, clip.Width, clip.Height});
        DrawFrame(c, Kind, f, frames, clip.Width);
        std::vector<Cardinal> pixels(std::size_t(clip.Width) * std::size_t(clip.Height));
        for (Integer y = 0; y < clip.Height; ++y)
            for (Integer x = 0; x < clip.Width; ++x)
                pixels[std::size_t(y) * std::size_t(clip.Width) + std::size_t(x)] = b.ColorAt(x, y);
        clip.Frames.push_back(std::move(pixels));
    }
    return clip;
}

} // namespace host
