// Alignment and anchors: children aligned to each side and the client area of a parent that is
// resized, in hand-computed bounds; anchors keeping their distances; constraints and the resize
// events.
#include "host/controls/CustomControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace host;

TRect B(TControl* C) {
    return C->GetBoundsRect();
}

struct Parent {
    TWinControl Host{nullptr};
    std::vector<TControl*> Children;
    ~Parent() {
        for (TControl* c : Children) delete c;
    }
    TControl* Add(TAlign Align, TRect Bounds, bool Windowed = false) {
        TControl* c = Windowed ? static_cast<TControl*>(new TWinControl(nullptr))
                               : new TGraphicControl(nullptr);
        c->SetBoundsRect(Bounds);
        c->SetParent(&Host);
        c->SetAlign(Align);
        Children.push_back(c);
        return c;
    }
};

TEST(Align, EachSideThenTheClientAreaAndAgainAfterAResize) {
    Parent p;
    p.Host.SetBounds(0, 0, 200, 100);
    TControl* top = p.Add(alTop, {5, 5, 50, 25});       // 20 high
    TControl* bottom = p.Add(alBottom, {0, 0, 10, 10}); // 10 high
    TControl* left = p.Add(alLeft, {0, 0, 30, 5});      // 30 wide
    TControl* right = p.Add(alRight, {0, 0, 40, 5}, true);
    TControl* client = p.Add(alClient, {1, 1, 2, 2});
    EXPECT_EQ(B(top), (TRect{0, 0, 200, 20}));
    EXPECT_EQ(B(bottom), (TRect{0, 90, 200, 100}));
    EXPECT_EQ(B(left), (TRect{0, 20, 30, 90}));
    EXPECT_EQ(B(right), (TRect{160, 20, 200, 90}));
    EXPECT_EQ(B(client), (TRect{30, 20, 160, 90}));

    p.Host.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(B(top), (TRect{0, 0, 300, 20}));
    EXPECT_EQ(B(bottom), (TRect{0, 140, 300, 150}));
    EXPECT_EQ(B(left), (TRect{0, 20, 30, 140}));
    EXPECT_EQ(B(right), (TRect{260, 20, 300, 140}));
    EXPECT_EQ(B(client), (TRect{30, 20, 260, 140}));

    // Hidden children give their room to the others; a border narrows the shared area.
    top->Hide();
    EXPECT_EQ(B(left), (TRect{0, 0, 30, 140}));
    p.Host.SetBorderWidth(5);
    EXPECT_EQ(B(left), (TRect{5, 5, 35, 135}));
    EXPECT_EQ(B(client), (TRect{35, 5, 255, 135}));
}

TEST(Align, ControlsOfOneKindStackInTheirOrderAndAMovedOneGoesWhereItWasPut) {
    Parent p;
    p.Host.SetBounds(0, 0, 100, 100);
    TControl* a = p.Add(alTop, {0, 0, 10, 10});
    TControl* b = p.Add(alTop, {0, 50, 10, 65});
    EXPECT_EQ(B(a), (TRect{0, 0, 100, 10}));
    EXPECT_EQ(B(b), (TRect{0, 10, 100, 25}));
    a->SetTop(20); // dropped below b: b goes first
    EXPECT_EQ(B(b), (TRect{0, 0, 100, 15}));
    EXPECT_EQ(B(a), (TRect{0, 15, 100, 25}));
    TControl* l1 = p.Add(alLeft, {0, 0, 10, 10});
    TControl* l2 = p.Add(alLeft, {0, 0, 20, 10}); // put at the same place: the newcomer first
    EXPECT_EQ(B(l2).Left, 0);
    EXPECT_EQ(B(l1).Left, 20);
}

TEST(Align, AConstrainedControlKeepsItsSizeAndTheOthersTakeTheRest) {
    Parent p;
    p.Host.SetBounds(0, 0, 100, 100);
    TControl* left = p.Add(alLeft, {0, 0, 50, 10});
    left->GetConstraints()->SetMaxWidth(30);
    TControl* client = p.Add(alClient, {0, 0, 10, 10});
    client->GetConstraints()->SetMaxHeight(60);
    EXPECT_EQ(B(left), (TRect{0, 0, 30, 100}));
    EXPECT_EQ(B(client), (TRect{30, 0, 100, 60}));
    client->GetConstraints()->SetMaxHeight(0);
    EXPECT_EQ(B(client), (TRect{30, 0, 100, 100}));
    // The minimum raises the maximum, the maximum lowers the minimum.
    left->GetConstraints()->SetMinWidth(40);
    EXPECT_EQ(left->GetConstraints()->GetMaxWidth(), 40);
    left->GetConstraints()->SetMaxWidth(20);
    EXPECT_EQ(left->GetConstraints()->GetMinWidth(), 20);
}

TEST(Align, AnchorsKeepTheirDistancesWhenTheParentResizes) {
    Parent p;
    p.Host.SetBounds(0, 0, 200, 100);
    TControl* fixed = p.Add(alNone, {10, 10, 30, 30});
    TControl* right = p.Add(alNone, {150, 10, 190, 30});
    right->SetAnchors({akTop, akRight});
    TControl* stretch = p.Add(alNone, {10, 40, 190, 60});
    stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
    TControl* centred = p.Add(alNone, {90, 70, 110, 80});
    centred->SetAnchors({});

    p.Host.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(B(fixed), (TRect{10, 10, 30, 30}));
    EXPECT_EQ(B(right), (TRect{250, 10, 290, 30}));    // 10 from the right still
    EXPECT_EQ(B(stretch), (TRect{10, 40, 290, 110}));  // its margins kept on all sides
    EXPECT_EQ(B(centred), (TRect{140, 107, 160, 117})); // the centre in proportion
    p.Host.SetBounds(0, 0, 200, 100); // and back exactly
    EXPECT_EQ(B(right), (TRect{150, 10, 190, 30}));
    EXPECT_EQ(B(stretch), (TRect{10, 40, 190, 60}));
    EXPECT_EQ(B(centred), (TRect{90, 70, 110, 80}));
    // Moving the control by hand takes new distances.
    right->SetLeft(100);
    p.Host.SetWidth(300);
    EXPECT_EQ(B(right).Left, 200);
}

TEST(Align, ResizeEventsCanRefuseOrChangeTheSize) {
    struct Sizes {
        int Resized = 0;
        bool Refuse = false;
        void CanResize(TObject*, Integer& W, Integer& H, bool& Resize) {
            if (Refuse) Resize = false;
            if (W > 100) W = 100;
            (void)H;
        }
        void Constrained(TObject*, Integer& MinW, Integer&, Integer&, Integer&) { MinW = 15; }
        void Resize(TObject*) { ++Resized; }
    } sizes;
    TWinControl c(nullptr);
    c.SetOnCanResize(TCanResizeEvent::Bind<&Sizes::CanResize>(&sizes));
    c.SetOnConstrainedResize(TConstrainedResizeEvent::Bind<&Sizes::Constrained>(&sizes));
    c.SetOnResize(TNotifyEvent::Bind<&Sizes::Resize>(&sizes));
    c.SetBounds(0, 0, 50, 50);
    EXPECT_EQ(sizes.Resized, 1);
    c.SetBounds(5, 5, 50, 50); // a move is no resize
    EXPECT_EQ(sizes.Resized, 1);
    c.SetWidth(500);
    EXPECT_EQ(c.GetWidth(), 100); // the new width as the handler changed it
    c.SetWidth(5);
    EXPECT_EQ(c.GetWidth(), 15); // the minimum the handler set
    sizes.Refuse = true;
    c.SetBounds(0, 0, 70, 70);
    EXPECT_EQ(c.GetWidth(), 15); // refused: the size stays, the move is made
    EXPECT_EQ(c.GetLeft(), 0);
    EXPECT_EQ(sizes.Resized, 3);
}

} // namespace
