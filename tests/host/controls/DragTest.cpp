// Drag and drop through the input API on a real form: the events in the host's order with
// their var parameters honoured, the threshold, Esc, automatic drag mode, and drags whose
// controls go away.
#include "host/controls/Drag.h"
#include "host/controls/CustomControls.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using namespace host;

std::string NameOf(TObject* O) {
    if (!O) return "nil";
    if (auto* c = dynamic_cast<TComponent*>(O)) return c->GetName();
    return O->ClassName();
}

struct Log {
    std::vector<std::string> Lines;
    bool Accept = true;
    bool CancelOnEnter = false;
    TDragObject* Supplied = nullptr;
    static std::string At(Integer X, Integer Y) {
        return std::to_string(X) + "," + std::to_string(Y);
    }
    void Start(TObject* S, TDragObject*& O) {
        Lines.push_back(NameOf(S) + " start");
        if (Supplied) O = Supplied;
    }
    void Over(TObject* S, TObject* Source, Integer X, Integer Y, TDragState St, bool& A) {
        const char* s = St == dsDragEnter ? "enter" : St == dsDragLeave ? "leave" : "move";
        Lines.push_back(NameOf(S) + " " + s + " " + At(X, Y) + " from " + NameOf(Source) +
                        (A ? "" : " (refused)"));
        A = Accept;
        if (CancelOnEnter && St == dsDragEnter) CancelDrag();
    }
    void Drop(TObject* S, TObject* Source, Integer X, Integer Y) {
        Lines.push_back(NameOf(S) + " drop " + At(X, Y) + " from " + NameOf(Source));
    }
    void End(TObject* S, TObject* Target, Integer X, Integer Y) {
        Lines.push_back(NameOf(S) + " end on " + NameOf(Target) + " " + At(X, Y));
    }
    void Down(TObject* S, TMouseButton, TShiftState, Integer, Integer) {
        Lines.push_back(NameOf(S) + " down");
    }
    void Click(TObject* S) { Lines.push_back(NameOf(S) + " click"); }
};

struct Fixture {
    TForm Form{nullptr};
    Log L;
    TCustomControl* Src;
    TCustomControl* Tgt;
    TGraphicControl* Mark; // a graphic control as a target, on the target
    bool BeginOnDown = true;
    bool Immediate = true;
    Integer Threshold = -1;

    Fixture() {
        Form.SetName("Form");
        Form.SetBounds(0, 0, 208, 127); // a client area of 200 x 100
        Src = Add<TCustomControl>("Src", &Form, {10, 10, 60, 40});
        Tgt = Add<TCustomControl>("Tgt", &Form, {100, 10, 190, 90});
        Mark = Add<TGraphicControl>("Mark", Tgt, {50, 50, 80, 70});
        Src->SetOnStartDrag(TStartDragEvent::Bind<&Log::Start>(&L));
        Src->SetOnEndDrag(TEndDragEvent::Bind<&Log::End>(&L));
        Src->SetOnMouseDown(TMouseEvent::Bind<&Fixture::Down>(this));
        Src->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
        for (TControl* c : std::initializer_list<TControl*>{Tgt, Mark}) {
            c->SetOnDragOver(TDragOverEvent::Bind<&Log::Over>(&L));
            c->SetOnDragDrop(TDragDropEvent::Bind<&Log::Drop>(&L));
        }
    }
    ~Fixture() {
        CancelDrag();
        SetMouseDragImmediate(true);
    }
    void Down(TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y) {
        L.Down(S, B, Sh, X, Y);
        if (BeginOnDown) Src->BeginDrag(Immediate, Threshold);
    }
    template <class T>
    T* Add(const char* Name, TWinControl* Parent, TRect R) {
        auto* c = new T(&Form);
        c->SetName(Name);
        c->SetParent(Parent);
        c->SetBoundsRect(R);
        return c;
    }
};

using Lines = std::vector<std::string>;

TEST(Drag, DropOnAnotherControlInTheHostsOrder) {
    Fixture f;
    input::MouseDown(&f.Form, {20, 20});
    EXPECT_TRUE(f.Src->Dragging());
    input::MouseMove(&f.Form, {150, 50});
    input::MouseMove(&f.Form, {155, 55});
    input::MouseUp(&f.Form, {155, 55});
    // The drag object the drag made itself stands for its control in the events.
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Tgt enter 50,40 from Src",
                                "Tgt move 55,45 from Src", "Tgt leave 55,45 from Src",
                                "Tgt drop 55,45 from Src", "Src end on Tgt 55,45"}));
    EXPECT_FALSE(f.Src->Dragging());
    EXPECT_EQ(DragObject(), nullptr);
    // The press that started the drag is over with it.
    EXPECT_FALSE(f.Src->GetControlState().Contains(csLButtonDown));
}

TEST(Drag, MovingBetweenTargetsLeavesOneAndEntersTheNext) {
    Fixture f;
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {120, 20});
    input::MouseMove(&f.Form, {160, 65}); // over the graphic control on the target
    input::MouseUp(&f.Form, {160, 65});
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Tgt enter 20,10 from Src",
                                "Tgt leave 60,55 from Src", "Mark enter 10,5 from Src",
                                "Mark leave 10,5 from Src", "Mark drop 10,5 from Src",
                                "Src end on Mark 10,5"}));
}

TEST(Drag, ARefusingTargetGetsNoDropAndTheEndHasNoTarget) {
    Fixture f;
    f.L.Accept = false;
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {150, 50});
    input::MouseUp(&f.Form, {150, 50});
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Tgt enter 50,40 from Src",
                                "Tgt leave 50,40 from Src", "Src end on nil 50,40"}));
    EXPECT_EQ(DragCursorNow(), crDefault);
}

TEST(Drag, AControlWithoutAHandlerRefuses) {
    Fixture f;
    f.Tgt->SetOnDragOver({});
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {150, 30});
    EXPECT_EQ(DragCursorNow(), crNoDrop);
    input::MouseUp(&f.Form, {150, 30});
    EXPECT_EQ(f.L.Lines.back(), "Src end on nil 50,20");
    EXPECT_EQ(std::count(f.L.Lines.begin(), f.L.Lines.end(), "Tgt drop 50,20 from Src"), 0);
}

TEST(Drag, TheCursorShowsTheControlsDragCursorWhileAccepted) {
    Fixture f;
    f.Src->SetDragCursor(crMultiDrag);
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {150, 30});
    EXPECT_EQ(DragCursorNow(), crMultiDrag);
    f.L.Accept = false;
    input::MouseMove(&f.Form, {151, 30});
    EXPECT_EQ(DragCursorNow(), crNoDrop);
}

TEST(Drag, ThresholdLetsAClickThroughAndStartsOnceTheMouseMovesFarEnough) {
    Fixture f;
    f.Immediate = false;
    f.Threshold = 10;
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {29, 29}); // 9 pixels each way: not yet
    EXPECT_TRUE(f.Src->Dragging());
    EXPECT_FALSE(DragActive());
    input::MouseUp(&f.Form, {29, 29});
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Src end on nil 0,0", "Src click"}));

    f.L.Lines.clear();
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {30, 20}); // 10 pixels: the drag starts, over its own control
    EXPECT_TRUE(DragActive());
    input::MouseMove(&f.Form, {150, 50});
    input::MouseUp(&f.Form, {150, 50});
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Tgt enter 50,40 from Src",
                                "Tgt leave 50,40 from Src", "Tgt drop 50,40 from Src",
                                "Src end on Tgt 50,40"}));
}

TEST(Drag, NegativeThresholdIsTheMouses) {
    Fixture f;
    f.Immediate = false;
    SetMouseDragThreshold(3);
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {22, 20});
    EXPECT_FALSE(DragActive());
    input::MouseMove(&f.Form, {23, 20});
    EXPECT_TRUE(DragActive());
    SetMouseDragThreshold(-4);
    EXPECT_EQ(GetMouseDragThreshold(), 0);
    SetMouseDragThreshold(5);
}

TEST(Drag, EscCancelsAndTheReleaseDropsNothing) {
    Fixture f;
    f.Src->SetOnMouseUp(TMouseEvent::Bind<&Log::Down>(&f.L)); // logs "Src down" on release too
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {150, 50});
    input::PressKey(VK_ESCAPE);
    EXPECT_FALSE(f.Src->Dragging());
    input::MouseUp(&f.Form, {150, 50});
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Tgt enter 50,40 from Src",
                                "Tgt leave 50,40 from Src", "Src end on nil 50,40"}));
}

TEST(Drag, EndDragWithoutDropCancelsAndWithDropDrops) {
    Fixture f;
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {150, 50});
    f.Tgt->EndDrag(true); // not the dragged control: nothing
    EXPECT_TRUE(f.Src->Dragging());
    f.Src->EndDrag(true);
    EXPECT_EQ(f.L.Lines.back(), "Src end on Tgt 50,40");
    EXPECT_FALSE(f.Src->Dragging());
}

TEST(Drag, AutomaticModeDragsOnThePressInsteadOfPressing) {
    Fixture f;
    f.BeginOnDown = false;
    f.Src->SetDragMode(dmAutomatic);
    input::MouseDown(&f.Form, {20, 20});
    EXPECT_TRUE(DragActive());
    input::MouseMove(&f.Form, {150, 50});
    input::MouseUp(&f.Form, {150, 50});
    EXPECT_EQ(f.L.Lines, (Lines{"Src start", "Tgt enter 50,40 from Src", "Tgt leave 50,40 from Src",
                                "Tgt drop 50,40 from Src", "Src end on Tgt 50,40"}));

    // The mouse set to wait: a press and release is a click with no drag-over.
    f.L.Lines.clear();
    SetMouseDragImmediate(false);
    input::Click(&f.Form, {20, 20});
    EXPECT_EQ(f.L.Lines, (Lines{"Src start", "Src end on nil 0,0"}));
}

TEST(Drag, ADragObjectFromOnStartDragIsTheSourceAndStaysTheCallers) {
    Fixture f;
    TDragControlObject own(f.Src);
    f.L.Supplied = &own;
    input::MouseDown(&f.Form, {20, 20});
    EXPECT_EQ(DragObject(), &own);
    input::MouseMove(&f.Form, {150, 50});
    EXPECT_EQ(own.GetDragTarget(), f.Tgt);
    EXPECT_EQ(own.GetDragTargetPos(), (TPoint{50, 40}));
    EXPECT_NEAR(own.GetMouseDeltaX(), 0.2, 1e-9); // pressed 10 of 50 pixels in
    input::MouseUp(&f.Form, {150, 50});
    EXPECT_EQ(f.L.Lines[2], "Tgt enter 50,40 from TDragControlObject");
    EXPECT_TRUE(own.GetDropped());
    EXPECT_EQ(own.GetName(), "TDragControlObject");
}

TEST(Drag, AFormCannotBeDraggedAndOneDragAtATime) {
    Fixture f;
    EXPECT_THROW(f.Form.BeginDrag(true), EInvalidOperation);
    input::MouseDown(&f.Form, {20, 20});
    f.Tgt->BeginDrag(true);
    EXPECT_EQ(DragControl(), f.Src);
}

TEST(Drag, ControlsFreedDuringTheDragEndItQuietly) {
    {
        Fixture f;
        input::MouseDown(&f.Form, {20, 20});
        input::MouseMove(&f.Form, {150, 50});
        f.Tgt->Free(); // the target goes
        input::MouseMove(&f.Form, {150, 60});
        input::MouseUp(&f.Form, {150, 60});
        EXPECT_EQ(f.L.Lines.back(), "Src end on nil 150,60"); // over the form, which refuses
    }
    {
        Fixture f;
        input::MouseDown(&f.Form, {20, 20});
        input::MouseMove(&f.Form, {150, 50});
        f.Src->Free(); // the dragged control goes: nobody is told
        input::MouseMove(&f.Form, {150, 60});
        input::MouseUp(&f.Form, {150, 60});
        EXPECT_EQ(DragObject(), nullptr);
        EXPECT_EQ(f.L.Lines.back(), "Tgt enter 50,40 from Src");
    }
}

TEST(Drag, AHandlerEndingTheDragEndsItThere) {
    Fixture f;
    f.L.CancelOnEnter = true;
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {150, 50});
    EXPECT_EQ(DragObject(), nullptr);
    input::MouseMove(&f.Form, {160, 50});
    input::MouseUp(&f.Form, {160, 50});
    EXPECT_EQ(f.L.Lines, (Lines{"Src down", "Src start", "Tgt enter 50,40 from Src",
                                "Tgt leave 50,40 from Src", "Src end on nil 50,40"}));
}

TEST(Drag, FindTargetLetsAControlHandTheDropOn) {
    // A control that answers dmFindTarget with another one.
    struct Redirect : TCustomControl {
        TControl* To = nullptr;
        using TCustomControl::TCustomControl;
        void WndProc(TMessage& M) override {
            if (M.Msg == CM_DRAG && M.WParam == dmFindTarget) {
                static_cast<TDragRec*>(M.Data)->Target = To;
                return;
            }
            TCustomControl::WndProc(M);
        }
    };
    Fixture f;
    auto* r = f.Add<Redirect>("Redirect", &f.Form, {70, 50, 90, 90});
    r->To = f.Tgt;
    input::MouseDown(&f.Form, {20, 20});
    input::MouseMove(&f.Form, {80, 60});
    input::MouseUp(&f.Form, {80, 60});
    EXPECT_EQ(f.L.Lines.back(), "Src end on Tgt -20,50");
}

} // namespace
