// The unit's controls in the classic look: bevels, frames, shapes and panels pixel for pixel,
// and a small form of them as a picture for people.
#include "host/classes/Strings.h"
#include "host/extctrls/ControlBar.h"
#include "host/extctrls/Header.h"
#include "host/extctrls/Panel.h"
#include "host/extctrls/Shapes.h"
#include "host/extctrls/Splitter.h"
#include "host/graphics/Bitmap.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

/// A white windowed control to paint the controls under test on.
struct Board {
    TWinControl Root{nullptr};
    Board(Integer W, Integer H) {
        Root.SetBounds(0, 0, W, H);
        Root.SetColor(clLime);
    }
    /// The picture as rows: '.' the board's lime, 'H' highlight (white), 'S' shadow, 'F' face,
    /// '#' black (the dark shadow too), 'L' 3-D light, 'r' red, '?' anything else.
    std::string Rows() {
        TBitmap b;
        b.SetWidth(Root.GetWidth());
        b.SetHeight(Root.GetHeight());
        Root.PaintTo(b.GetCanvas(), 0, 0);
        std::string s;
        for (Integer y = 0; y < b.GetHeight(); ++y) {
            for (Integer x = 0; x < b.GetWidth(); ++x) {
                TColorRef c = b.ColorAt(x, y);
                s += c == RGB(0, 255, 0)               ? '.'
                     : c == ColorToRGB(clBtnHighlight) ? 'H'
                     : c == ColorToRGB(clBtnShadow)    ? 'S'
                     : c == ColorToRGB(clBtnFace)      ? 'F'
                     : c == ColorToRGB(cl3DLight)      ? 'L'
                     : c == 0                          ? '#'
                     : c == RGB(255, 0, 0)             ? 'r'
                                                       : '?';
            }
            s += '\n';
        }
        return s;
    }
};

TEST(ExtCtrlsLook, BevelsDrawTheirShapeInTheirStyle) {
    Board board(4, 3);
    auto* bevel = new TBevel(nullptr);
    bevel->SetParent(&board.Root);
    bevel->SetBounds(0, 0, 4, 3);
    // Lowered: shadow top and left, light bottom and right, each with one corner.
    EXPECT_EQ(board.Rows(), "SSSH\n"
                            "S..H\n"
                            "SHHH\n");
    bevel->SetStyle(bsRaised);
    EXPECT_EQ(board.Rows(), "HHHS\n"
                            "H..S\n"
                            "HSSS\n");
    bevel->SetStyle(bsLowered);
    bevel->SetShape(bsTopLine);
    EXPECT_EQ(board.Rows(), "SSSS\n"
                            "HHHH\n"
                            "....\n");
    bevel->SetShape(bsRightLine);
    EXPECT_EQ(board.Rows(), "..SH\n"
                            "..SH\n"
                            "..SH\n");
    bevel->SetShape(bsFrame); // a groove: shadow outside, light one pixel in
    bevel->SetBounds(0, 0, 5, 4);
    board.Root.SetBounds(0, 0, 5, 4);
    EXPECT_EQ(board.Rows(), "SSSS.\n"
                            "SHHSH\n"
                            "SSSSH\n"
                            ".HHHH\n");
    bevel->SetShape(bsSpacer);
    EXPECT_EQ(board.Rows(), ".....\n.....\n.....\n.....\n");
}

TEST(ExtCtrlsLook, ShapesKeepWidePensInsideAndSquaresCentred) {
    Board board(7, 5);
    auto* shape = new TShape(nullptr);
    EXPECT_EQ(shape->GetWidth(), 65);
    EXPECT_EQ(shape->GetHeight(), 65);
    shape->SetParent(&board.Root);
    shape->SetBounds(0, 0, 7, 5);
    shape->GetBrush()->SetColor(clRed);
    EXPECT_EQ(board.Rows(), "#######\n"
                            "#rrrrr#\n"
                            "#rrrrr#\n"
                            "#rrrrr#\n"
                            "#######\n");
    shape->SetShape(stSquare); // 5 x 5, in the middle across
    EXPECT_EQ(board.Rows(), ".#####.\n"
                            ".#rrr#.\n"
                            ".#rrr#.\n"
                            ".#rrr#.\n"
                            ".#####.\n");
    shape->SetShape(stRectangle);
    shape->GetPen()->SetWidth(2); // the pen's change repaints by itself
    std::string wide = board.Rows();
    EXPECT_EQ(wide.substr(0, 8), "#######\n");
    EXPECT_EQ(wide.substr(32, 8), "#######\n");
    EXPECT_EQ(wide[8 * 2 + 3], 'r');
    shape->GetBrush()->SetStyle(bsClear);
    EXPECT_EQ(board.Rows()[8 * 2 + 3], '.');
}

TEST(ExtCtrlsLook, PanelsFrameRaisedWithTheCaptionInTheMiddle) {
    TPanel panel(nullptr);
    EXPECT_EQ(panel.GetWidth(), 185);
    EXPECT_EQ(panel.GetHeight(), 41);
    EXPECT_EQ(panel.GetBevelOuter(), bvRaised);
    EXPECT_EQ(panel.GetBevelInner(), bvNone);
    EXPECT_EQ(panel.GetColor(), clBtnFace);
    EXPECT_EQ(panel.GetAlignment(), taCenter);
    Board board(5, 4);
    auto* p = new TPanel(nullptr);
    p->SetParent(&board.Root);
    p->SetBounds(0, 0, 5, 4);
    EXPECT_EQ(board.Rows(), "HHHHS\n"
                            "HFFFS\n"
                            "HFFFS\n"
                            "SSSSS\n");
    p->SetBevelInner(bvLowered);
    p->SetBevelOuter(bvNone);
    EXPECT_EQ(board.Rows(), "SSSSH\n"
                            "SFFFH\n"
                            "SFFFH\n"
                            "HHHHH\n");
    EXPECT_EQ(p->GetClientRect().Right, 5);
    // Children sit inside the bevels and the border width.
    p->SetBorderWidth(2);
    auto* child = new TPanel(nullptr);
    child->SetParent(p);
    child->SetAlign(alClient);
    p->SetBounds(0, 0, 40, 30);
    EXPECT_EQ(child->GetBoundsRect(), (TRect{3, 3, 37, 27}));
    // bsSingle takes two pixels each side outside the client area.
    p->SetBorderStyle(bsSingle);
    EXPECT_EQ(p->GetClientRect(), (TRect{0, 0, 36, 26}));
    p->SetBorderStyle(bsDialog); // not a panel's: a single border
    EXPECT_EQ(p->GetBorderStyle(), bsSingle);
}

TEST(ExtCtrlsLook, APanelsCaptionFollowsItsAlignment) {
    Board board(120, 20);
    auto* p = new TPanel(nullptr);
    p->SetParent(&board.Root);
    p->SetBounds(0, 0, 120, 20);
    p->SetBevelOuter(bvNone);
    p->SetCaption("Ab");
    auto firstInk = [&] {
        std::string rows = board.Rows();
        Integer best = 1000;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == '#') best = std::min<Integer>(best, Integer(i % 121));
        return best;
    };
    Integer centre = firstInk();
    EXPECT_GT(centre, 45);
    EXPECT_LT(centre, 60);
    p->SetAlignment(taLeftJustify);
    EXPECT_LT(firstInk(), 3);
    p->SetAlignment(taRightJustify);
    EXPECT_GT(firstInk(), 100);
}

TEST(ExtCtrlsLook, ASmallFormOfThemLooksAsItsReference) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 260, 190);
    form.SetCaption("ExtCtrls");
    auto* left = new TPanel(&form);
    left->SetParent(&form);
    left->SetAlign(alLeft);
    left->SetWidth(80);
    left->SetCaption("Left");
    auto* split = new TSplitter(&form);
    split->SetParent(&form);
    split->SetLeft(90);
    split->SetBeveled(true);
    auto* client = new TPanel(&form);
    client->SetParent(&form);
    client->SetAlign(alClient);
    client->SetBevelInner(bvLowered);
    client->SetBevelWidth(2);
    client->SetCaption("Client");
    auto* bevel = new TBevel(&form);
    bevel->SetParent(client);
    bevel->SetBounds(8, 8, 60, 40);
    auto* circle = new TShape(&form);
    circle->SetParent(client);
    circle->SetShape(stCircle);
    circle->SetBounds(80, 8, 40, 40);
    circle->GetBrush()->SetColor(clYellow);
    auto* round = new TShape(&form);
    round->SetParent(client);
    round->SetShape(stRoundRect);
    round->SetBounds(80, 70, 70, 30);
    auto* header = new THeader(&form);
    header->SetParent(client);
    header->SetBounds(8, 110, 140, 20);
    header->GetSections()->Add("Name");
    header->GetSections()->Add("Size");
    auto* bar = new TControlBar(&form);
    bar->SetParent(client);
    bar->SetBounds(8, 54, 66, 52);
    auto* band = new TPanel(&form);
    band->SetBounds(0, 0, 40, 10);
    band->SetParent(bar);
    TBitmap* image = form.GetFormImage();
    ASSERT_TRUE(image);
    picturetest::ExpectLooksAs(image, "extctrls_form.png");
    TPoint origin{form.GetClientOrigin().X - form.GetLeft(),
                  form.GetClientOrigin().Y - form.GetTop()};
    EXPECT_EQ(image->ColorAt(origin.X, origin.Y + 5), ColorToRGB(clBtnHighlight)); // raised
    EXPECT_EQ(image->ColorAt(origin.X + 79, origin.Y + 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(split->GetLeft(), 80); // beside the left panel
    image->Free();
}

} // namespace

namespace {

TEST(Panel, ADockSitePanelLaysItsClientsOutWithItsDockManager) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 408, 227);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 150);
    EXPECT_TRUE(panel->GetUseDockManager());
    EXPECT_FALSE(panel->GetDockManager()); // only a dock site has one
    panel->SetDockSite(true);
    ASSERT_TRUE(panel->GetDockManager());
    auto* client = new TPanel(&form);
    client->SetParent(&form);
    client->SetBounds(250, 10, 50, 40);
    client->SetDragKind(dkDock);
    EXPECT_TRUE(client->ManualDock(panel));
    EXPECT_EQ(client->GetParent(), panel);
    EXPECT_EQ(panel->GetDockClientCount(), 1);
    TRect r = client->GetBoundsRect();
    EXPECT_GT(r.Right - r.Left, 150); // the site's width, not the client's own
    EXPECT_LE(r.Right, 200);
    TBitmap* image = form.GetFormImage(); // the site paints its grab bars over the panel
    ASSERT_TRUE(image);
    image->Free();
}

} // namespace
