// Docking on a real form: controls docked into a site's zones and out of them, floating in a
// dock form of their own, OnUnDock refusing, and docking by dragging through the input API.
#include "host/controls/Dock.h"
#include "host/controls/CustomControls.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "host/forms/DockForm.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

std::string NameOf(TObject* O) {
    if (!O) return "nil";
    if (auto* c = dynamic_cast<TComponent*>(O))
        return c->GetName().empty() ? O->ClassName() : c->GetName();
    return O->ClassName();
}

struct Log {
    std::vector<std::string> Lines;
    bool AllowUndock = true, AcceptDock = true, CanDock = true;
    void UnDock(TObject* S, TControl* C, TWinControl* To, bool& Allow) {
        Lines.push_back(NameOf(S) + " undock " + NameOf(C) + " to " + NameOf(To));
        Allow = AllowUndock;
    }
    void Over(TObject* S, TDragDockObject* D, Integer, Integer, TDragState St, bool& A) {
        const char* s = St == dsDragEnter ? "enter" : St == dsDragLeave ? "leave" : "move";
        Lines.push_back(NameOf(S) + " dockover " + s + " " + NameOf(D->GetControl()));
        A = AcceptDock;
    }
    void Drop(TObject* S, TDragDockObject* D, Integer, Integer) {
        Lines.push_back(NameOf(S) + " dockdrop " + NameOf(D->GetControl()));
    }
    void SiteInfo(TObject* S, TControl* C, TRect&, TPoint, bool& Can) {
        Lines.push_back(NameOf(S) + " siteinfo " + NameOf(C));
        Can = CanDock;
    }
    void StartDock(TObject* S, TDragDockObject*&) { Lines.push_back(NameOf(S) + " startdock"); }
    void EndDock(TObject* S, TObject* T, Integer, Integer) {
        Lines.push_back(NameOf(S) + " enddock " + NameOf(T));
    }
};

struct Fixture {
    TForm Form{nullptr};
    Log L;
    TCustomControl* Site;
    TCustomControl* A;
    TCustomControl* B;
    TCustomControl* C;

    Fixture() {
        Form.SetName("Form");
        Form.SetBounds(0, 0, 408, 227); // a client area of 400 x 200
        Site = Add("Site", {0, 0, 200, 200});
        Site->SetDockSite(true);
        Site->SetUseDockManager(true);
        Site->SetOnUnDock(TUnDockEvent::Bind<&Log::UnDock>(&L));
        Site->SetOnDockOver(TDockOverEvent::Bind<&Log::Over>(&L));
        Site->SetOnDockDrop(TDockDropEvent::Bind<&Log::Drop>(&L));
        Site->SetOnGetSiteInfo(TGetSiteInfoEvent::Bind<&Log::SiteInfo>(&L));
        A = Add("A", {250, 10, 300, 50});
        B = Add("B", {250, 60, 300, 100});
        C = Add("C", {250, 110, 330, 150});
        for (TControl* c : {A, B, C}) {
            c->SetDragKind(dkDock);
            c->SetOnStartDock(TStartDockEvent::Bind<&Log::StartDock>(&L));
            c->SetOnEndDock(TEndDragEvent::Bind<&Log::EndDock>(&L));
        }
    }
    ~Fixture() {
        CancelDrag();
        // Floating windows have no owner: close those still open.
        for (TControl* c : {A, B, C})
            if (LiveObjects::Find(c) && c->GetFloating() && c->GetHostDockSite())
                c->GetHostDockSite()->Free();
        Application()->ProcessMessages();
    }
    TCustomControl* Add(const char* Name, TRect R) {
        auto* c = new TCustomControl(&Form);
        c->SetName(Name);
        c->SetParent(&Form);
        c->SetBoundsRect(R);
        return c;
    }
};

using Lines = std::vector<std::string>;
constexpr Integer G = TDockTree::GrabberSize, S = TDockTree::SplitterWidth;

TEST(Dock, ManualDockListsTheClientAndTheTreePlacesIt) {
    Fixture f;
    EXPECT_TRUE(f.A->ManualDock(f.Site));
    EXPECT_EQ(f.A->GetHostDockSite(), f.Site);
    EXPECT_EQ(f.A->GetParent(), f.Site);
    ASSERT_EQ(f.Site->GetDockClientCount(), 1);
    EXPECT_EQ(f.Site->GetDockClients(0), f.A);
    EXPECT_THROW(f.Site->GetDockClients(1), EListError);
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 200, 200})); // the whole site under a grab bar
    EXPECT_FALSE(f.A->GetFloating());
    EXPECT_EQ(f.L.Lines, Lines{"Site dockdrop A"});
}

TEST(Dock, ZonesSplitBesideAndWithinAndGiveTheRoomBack) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.B->ManualDock(f.Site, f.A, alRight);
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 100 - S, 200}));
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{100, G, 200, 200}));
    EXPECT_EQ(f.B->GetDockOrientation(), doVertical);
    f.C->ManualDock(f.Site, f.B, alBottom); // B's half is split top to bottom
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{100, G, 200, 100 - S}));
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{100, 100 + G, 200, 200}));
    EXPECT_EQ(f.C->GetDockOrientation(), doHorizontal);
    auto* tree = dynamic_cast<TDockTree*>(f.Site->GetDockManager());
    ASSERT_NE(tree, nullptr);
    TDockZone* top = tree->GetTopZone();
    ASSERT_EQ(top->GetChildCount(), 2);
    EXPECT_EQ(top->GetChildZone(1)->GetChildCount(), 2);
    EXPECT_EQ(top->GetChildZone(1)->GetChildZone(1)->GetLimitBegin(), 100);
    EXPECT_EQ(top->GetChildZone(1)->GetChildZone(1)->GetLimitSize(), 100);

    // B leaves: C takes the whole right half, then A leaves and C has the site.
    f.B->ManualDock(nullptr);
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{100, G, 200, 200}));
    f.A->ManualFloat({500, 500, 550, 540});
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{0, G, 200, 200}));
    EXPECT_EQ(f.Site->GetDockClientCount(), 1);

    // The site resized: its docked control follows.
    f.Site->SetBounds(0, 0, 150, 180);
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{0, G, 150, 180}));
}

TEST(Dock, DockingDirectlyGivesAZoneAndRedockingMovesWithinTheSite) {
    Fixture f;
    f.A->Dock(f.Site, {5, 5, 20, 20}); // the manager places it, not the rectangle
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 200, 200}));
    f.B->ManualDock(f.Site, f.A, alRight);
    f.A->ManualDock(f.Site, f.B, alRight); // A moves over to B's right
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{0, G, 100 - S, 200}));
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{100, G, 200, 200}));
    EXPECT_EQ(f.Site->GetDockClientCount(), 2);
}

TEST(Dock, DockingAtASideOfTheWholeSiteWrapsWhatIsThere) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.B->ManualDock(f.Site, f.A, alRight);
    f.C->ManualDock(f.Site, nullptr, alTop); // across the top of both
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{0, G, 200, 100 - S}));
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, 100 + G, 100 - S, 200}));
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{100, 100 + G, 200, 200}));
}

TEST(Dock, ZonesShareTheirRoomEquallyWhenReset) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.B->ManualDock(f.Site, f.A, alRight);
    f.C->ManualDock(f.Site, f.B, alRight); // halves of halves: 100, 50, 50
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{150, G, 200, 200}));
    auto* tree = dynamic_cast<TDockTree*>(f.Site->GetDockManager());
    tree->GetTopZone()->ResetChildren();
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 66 - S, 200}));
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{66, G, 133 - S, 200}));
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{133, G, 200, 200}));
    // A zone of no tree answers without one.
    TDockZone lone(nullptr);
    EXPECT_EQ(lone.GetWidth(), 0);
    lone.ResetChildren();
    lone.Update();
}

TEST(Dock, PaintSiteDrawsAGrabBarOverEachDockedControl) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.B->ManualDock(f.Site, f.A, alBottom);
    TBitmap b;
    b.SetWidth(200);
    b.SetHeight(200);
    b.GetCanvas()->GetBrush()->SetColor(clBlack);
    b.GetCanvas()->FillRect({0, 0, 200, 200});
    f.Site->GetDockManager()->PaintSite(b.GetCanvas()->GetHandle());
    for (Integer top : {0, 100}) { // each zone's grab bar: a light then a dark ridge
        EXPECT_EQ(b.ColorAt(20, top + 3), ColorToRGB(clBtnHighlight)) << top;
        EXPECT_EQ(b.ColorAt(20, top + 4), ColorToRGB(clBtnShadow)) << top;
        EXPECT_EQ(b.ColorAt(20, top + 20), RGB(0, 0, 0)) << top; // the control's part untouched
    }
}

TEST(Dock, DockSizesFallBackToTheUndockedAndTheCurrentSize) {
    Fixture f;
    EXPECT_EQ(f.A->GetUndockWidth(), 50);
    EXPECT_EQ(f.A->GetLRDockWidth(), 50);
    f.A->SetUndockWidth(70);
    EXPECT_EQ(f.A->GetLRDockWidth(), 70);
    f.A->SetLRDockWidth(30);
    EXPECT_EQ(f.A->GetLRDockWidth(), 30);
    f.A->SetUndockHeight(90);
    EXPECT_EQ(f.A->GetTBDockHeight(), 90);
    // Set the host dock site: docked there; cleared: it floats at its undocked size.
    f.A->SetHostDockSite(f.Site);
    EXPECT_EQ(f.A->GetParent(), f.Site);
    f.A->SetHostDockSite(nullptr);
    EXPECT_TRUE(f.A->GetFloating());
    TRect r = f.A->GetHostDockSite()->GetBoundsRect();
    EXPECT_EQ(r.Right - r.Left, 70);
    EXPECT_EQ(r.Bottom - r.Top, 90);
}

TEST(Dock, NothingDocksIntoItselfAndADropNeedsAControl) {
    Fixture f;
    f.A->ManualDock(f.Site);
    EXPECT_THROW(f.Site->ManualDock(f.Site), EInvalidOperation);
    TCustomControl* inner = f.Add("Inner", {0, 0, 10, 10});
    inner->SetParent(f.Site);
    EXPECT_THROW(f.Site->Dock(inner, {0, 0, 5, 5}), EInvalidOperation);
    EXPECT_EQ(f.Site->GetParent(), &f.Form); // left as it was
    EXPECT_EQ(f.Site->GetHostDockSite(), nullptr);
    TDragDockObject empty(nullptr);
    EXPECT_THROW(f.Site->DockDrop(&empty, 0, 0), EInvalidOperation);
    EXPECT_EQ(f.Site->GetDockClientCount(), 1);
}

TEST(Dock, FloatingMakesAWindowThatClosesWhenItsControlDocksAgain) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.A->SetCaption("Tool");
    f.L.Lines.clear();
    EXPECT_TRUE(f.A->ManualFloat({300, 300, 420, 380}));
    auto* floatForm = dynamic_cast<TCustomDockForm*>(f.A->GetHostDockSite());
    ASSERT_NE(floatForm, nullptr);
    EXPECT_TRUE(f.A->GetFloating());
    EXPECT_EQ(f.A->GetParent(), floatForm);
    EXPECT_EQ(floatForm->GetBoundsRect(), (TRect{300, 300, 420, 380}));
    EXPECT_EQ(f.A->GetBoundsRect(), floatForm->GetClientRect()); // it fills the window
    EXPECT_EQ(floatForm->GetCaption(), "Tool");
    EXPECT_TRUE(floatForm->GetVisible());
    EXPECT_EQ(f.Site->GetDockClientCount(), 0);
    EXPECT_EQ(f.L.Lines, Lines{"Site undock A to nil"});

    EXPECT_TRUE(f.A->ManualDock(f.Site));
    EXPECT_EQ(LiveObjects::Find(floatForm), nullptr);
    EXPECT_EQ(f.A->GetAlign(), alNone);
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 200, 200}));
}

TEST(Dock, AFloatingWindowSharesItsRoomWithAControlDockedInIt) {
    Fixture f;
    f.A->ManualFloat({300, 300, 420, 380});
    TWinControl* floatForm = f.A->GetHostDockSite();
    TRect client = floatForm->GetClientRect();
    f.B->ManualDock(floatForm, f.A, alBottom);
    Integer mid = client.Bottom / 2;
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, client.Right, mid - S})); // grab bars now
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{0, mid + G, client.Right, client.Bottom}));
    // Moving the window of two is no longer one control's float: A leaves it for a new one.
    EXPECT_TRUE(f.A->ManualFloat({10, 10, 60, 60}));
    EXPECT_NE(f.A->GetHostDockSite(), floatForm);
    EXPECT_EQ(f.B->GetBoundsRect(), client); // alone again: the caption bar holds it
    EXPECT_EQ(floatForm->GetDockClientCount(), 1);
}

TEST(Dock, AFloatingWindowWhoseControlIsFreedClosesOnceTheQueueRuns) {
    Fixture f;
    f.A->ManualFloat({300, 300, 400, 400});
    TWinControl* floatForm = f.A->GetHostDockSite();
    f.A->Free();
    EXPECT_NE(LiveObjects::Find(floatForm), nullptr); // not while it was removing the control
    Application()->ProcessMessages();
    EXPECT_EQ(LiveObjects::Find(floatForm), nullptr);
}

TEST(Dock, AFormDocksAndFloatsAsItself) {
    Fixture f;
    TForm tool(nullptr);
    EXPECT_TRUE(tool.GetFloating());
    EXPECT_EQ(tool.GetFloatingDockSiteClass(), TForm::StaticClass());
    EXPECT_TRUE(tool.ManualDock(f.Site));
    EXPECT_EQ(tool.GetParent(), f.Site);
    EXPECT_FALSE(tool.GetFloating());
    EXPECT_TRUE(tool.ManualFloat({50, 60, 250, 160}));
    EXPECT_EQ(tool.GetParent(), nullptr);
    EXPECT_EQ(tool.GetBoundsRect(), (TRect{50, 60, 250, 160}));
    EXPECT_TRUE(tool.GetFloating());
    EXPECT_EQ(f.Site->GetDockClientCount(), 0);
}

TEST(Dock, OnUnDockRefusingKeepsTheControlDocked) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.L.AllowUndock = false;
    EXPECT_FALSE(f.A->ManualFloat({300, 300, 400, 400}));
    EXPECT_FALSE(f.A->ManualDock(&f.Form));
    EXPECT_EQ(f.A->GetHostDockSite(), f.Site);
    EXPECT_EQ(f.Site->GetDockClientCount(), 1);
    EXPECT_EQ(f.L.Lines,
              (Lines{"Site dockdrop A", "Site undock A to nil", "Site undock A to Form"}));
}

TEST(Dock, AControlFreedOrMovedAwayLeavesTheDockClients) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.B->ManualDock(f.Site, f.A, alBottom);
    f.B->SetParent(&f.Form); // moved by hand: no longer docked
    EXPECT_EQ(f.B->GetHostDockSite(), nullptr);
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 200, 200}));
    f.A->Free();
    EXPECT_EQ(f.Site->GetDockClientCount(), 0);
    f.C->ManualDock(f.Site);
    EXPECT_EQ(f.C->GetBoundsRect(), (TRect{0, G, 200, 200}));
}

TEST(Dock, ReplaceDockedControlTakesTheOthersPlace) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.B->ManualDock(f.Site, f.A, alRight);
    TRect was = f.A->GetBoundsRect();
    EXPECT_TRUE(f.C->ReplaceDockedControl(f.A, nullptr, nullptr, alNone));
    EXPECT_EQ(f.C->GetHostDockSite(), f.Site);
    EXPECT_EQ(f.C->GetBoundsRect(), was);
    EXPECT_TRUE(f.A->GetFloating());
    EXPECT_EQ(f.Site->GetDockClientCount(), 2);
}

TEST(Dock, DraggingIntoASiteDocksWithTheEventsInOrder) {
    Fixture f;
    f.A->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {260, 20});
    input::MouseMove(&f.Form, {100, 100});
    input::MouseUp(&f.Form, {100, 100});
    // The press starts the drag away from the site; the release where the mouse already is
    // moves nothing.
    EXPECT_EQ(f.L.Lines,
              (Lines{"A startdock", "Site siteinfo A", "Site siteinfo A", "Site dockover enter A",
                     "Site dockover leave A", "Site dockdrop A", "A enddock Site"}));
    EXPECT_EQ(f.A->GetHostDockSite(), f.Site);
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{0, G, 200, 200}));

    // B dropped over the right part of A goes beside it on the right.
    f.L.Lines.clear();
    f.B->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {260, 70});
    input::MouseMove(&f.Form, {190, 100});
    input::MouseUp(&f.Form, {190, 100});
    EXPECT_EQ(f.B->GetHostDockSite(), f.Site);
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{100, G, 200, 200}));
}

TEST(Dock, ASiteThatRefusesOrCannotDockLetsTheControlFloat) {
    Fixture f;
    f.L.AcceptDock = false;
    f.A->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {260, 20});
    input::MouseMove(&f.Form, {100, 100});
    TDragObject* drag = DragObject();
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(static_cast<TDragDockObject*>(drag)->GetFloating());
    input::MouseUp(&f.Form, {100, 100});
    EXPECT_NE(f.A->GetHostDockSite(), f.Site);
    EXPECT_TRUE(f.A->GetFloating());
    // It floats where it was let go, the point it was held by still under the mouse.
    TPoint mouse = f.Form.ClientToScreen({100, 100});
    TRect r = f.A->GetHostDockSite()->GetBoundsRect();
    EXPECT_EQ(r.Left, mouse.X - 10);
    EXPECT_EQ(r.Top, mouse.Y - 10);
    EXPECT_EQ(f.L.Lines.back(), "A enddock TCustomDockForm");

    f.L.Lines.clear();
    f.L.AcceptDock = true;
    f.L.CanDock = false;
    f.B->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {260, 70});
    input::MouseMove(&f.Form, {100, 100});
    input::PressKey(VK_ESCAPE); // cancelled: it stays where it was
    EXPECT_EQ(f.L.Lines,
              (Lines{"B startdock", "Site siteinfo B", "Site siteinfo B", "B enddock nil"}));
    EXPECT_EQ(f.B->GetParent(), &f.Form);
    EXPECT_EQ(f.B->GetHostDockSite(), nullptr);
}

TEST(Dock, ASiteWithoutAManagerTakesTheControlWhereItIsDropped) {
    Fixture f;
    TCustomControl* plain = f.Add("Plain", {210, 160, 400, 200});
    plain->SetDockSite(true);
    f.A->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {260, 20}); // 10, 10 into A
    input::MouseMove(&f.Form, {300, 180});
    input::MouseUp(&f.Form, {300, 180});
    EXPECT_EQ(f.A->GetHostDockSite(), plain);
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{80, 10, 130, 50})); // at its own size, held where it was
}

TEST(Dock, DraggingOutOfASiteIntoNothingFloatsIt) {
    Fixture f;
    f.A->ManualDock(f.Site);
    f.L.Lines.clear();
    f.A->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {50, 50});
    input::MouseMove(&f.Form, {300, 180});
    input::MouseUp(&f.Form, {300, 180});
    EXPECT_TRUE(f.A->GetFloating());
    EXPECT_EQ(f.Site->GetDockClientCount(), 0);
    EXPECT_EQ(f.L.Lines, (Lines{"A startdock", "Site siteinfo A", "Site dockover enter A",
                                "Site siteinfo A", "Site dockover leave A", "Site undock A to nil",
                                "A enddock TCustomDockForm"}));
}

TEST(Dock, DraggingOutOfASiteThatRefusesTheUndockKeepsItDocked) {
    Fixture f;
    TCustomControl* other = f.Add("Other", {210, 160, 400, 200});
    other->SetDockSite(true);
    f.A->ManualDock(f.Site);
    f.L.Lines.clear();
    f.L.AllowUndock = false;
    f.A->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {50, 50});
    input::MouseMove(&f.Form, {300, 180});
    input::MouseUp(&f.Form, {300, 180});
    EXPECT_EQ(f.A->GetHostDockSite(), f.Site);
    EXPECT_EQ(other->GetDockClientCount(), 0);
    EXPECT_EQ(f.L.Lines.back(), "A enddock nil");
}

} // namespace
