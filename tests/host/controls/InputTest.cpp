// The input API on a real form: clicks routed to the control under the mouse in its own
// coordinates, capture, focus by mouse and by Tab with OnEnter and OnExit in the host's order,
// KeyPreview, and typed characters that handlers may change.
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/menus/Menu.h"
#include "host/menus/ShortCuts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Log {
    std::vector<std::string> Lines;
    static std::string Name(TObject* O) { return static_cast<TComponent*>(O)->GetName(); }
    void Down(TObject* S, TMouseButton, TShiftState Sh, Integer X, Integer Y) {
        Lines.push_back(Name(S) + " down " + std::to_string(X) + "," + std::to_string(Y) +
                        (Sh.Contains(ssShift) ? " shift" : "") +
                        (Sh.Contains(ssDouble) ? " double" : ""));
    }
    void Up(TObject* S, TMouseButton, TShiftState, Integer X, Integer Y) {
        Lines.push_back(Name(S) + " up " + std::to_string(X) + "," + std::to_string(Y));
    }
    void Click(TObject* S) { Lines.push_back(Name(S) + " click"); }
    void DblClick(TObject* S) { Lines.push_back(Name(S) + " dblclick"); }
    void Enter(TObject* S) { Lines.push_back(Name(S) + " enter"); }
    void Exit(TObject* S) { Lines.push_back(Name(S) + " exit"); }
    void Key(TObject* S, Word& K, TShiftState) {
        Lines.push_back(Name(S) + " key " + std::to_string(K));
    }
    void Press(TObject* S, char& K) { Lines.push_back(Name(S) + " press " + std::string(1, K)); }
};

/// A windowed control that takes the focus and keeps the characters it receives.
struct Field : TCustomControl {
    std::string Typed;
    explicit Field(TComponent* Owner) : TCustomControl(Owner) { SetTabStop(true); }
    void WndProc(TMessage& M) override {
        TCustomControl::WndProc(M);
        if (M.Msg == WM_CHAR && M.WParam) Typed += char(M.WParam);
    }
};

struct Fixture {
    TForm Form{nullptr};
    Log L;
    TCustomControl* Panel;
    Field* A;
    Field* B;
    Field* Inner;
    TGraphicControl* Glyph;
    Fixture() {
        Form.SetName("Form");
        Form.SetBounds(0, 0, 208, 127); // a client area of 200 x 100
        A = Add<Field>("A", &Form, {10, 10, 60, 30});
        B = Add<Field>("B", &Form, {10, 40, 60, 60});
        Panel = Add<TCustomControl>("Panel", &Form, {100, 0, 200, 100});
        Inner = Add<Field>("Inner", Panel, {10, 10, 90, 30});
        Glyph = Add<TGraphicControl>("Glyph", Panel, {10, 50, 30, 70});
        for (TControl* c : std::initializer_list<TControl*>{Panel, A, B, Inner, Glyph}) {
            c->SetOnMouseDown(TMouseEvent::Bind<&Log::Down>(&L));
            c->SetOnMouseUp(TMouseEvent::Bind<&Log::Up>(&L));
            c->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
            c->SetOnDblClick(TNotifyEvent::Bind<&Log::DblClick>(&L));
            if (auto* w = dynamic_cast<TWinControl*>(c)) {
                w->SetOnEnter(TNotifyEvent::Bind<&Log::Enter>(&L));
                w->SetOnExit(TNotifyEvent::Bind<&Log::Exit>(&L));
                w->SetOnKeyDown(TKeyEvent::Bind<&Log::Key>(&L));
                w->SetOnKeyPress(TKeyPressEvent::Bind<&Log::Press>(&L));
            }
        }
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

TEST(Input, ClicksReachTheControlUnderTheMouseInItsOwnCoordinates) {
    Fixture f;
    f.Form.Show();
    f.L.Lines.clear();
    input::Click(&f.Form, {125, 55});                    // the panel's glyph, at (15, 5) of it
    input::Click(&f.Form, {150, 90}, mbLeft, {ssShift}); // the panel itself
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"Glyph down 15,5", "Glyph click",
                                                   "Glyph up 15,5", "Panel down 50,90 shift",
                                                   "Panel click", "Panel up 50,90"}));
    // A control that is disabled lets the click through to what is beneath it.
    f.Glyph->SetEnabled(false);
    f.L.Lines.clear();
    input::Click(&f.Form, {125, 55});
    EXPECT_EQ(f.L.Lines.front(), "Panel down 25,55");
}

TEST(Input, TheControlPressedKeepsTheMouseUntilItIsReleased) {
    Fixture f;
    f.Form.Show();
    f.L.Lines.clear();
    input::MouseDown(&f.Form, {20, 15});  // on A
    input::MouseMove(&f.Form, {150, 50}); // over the panel: still A's
    input::MouseUp(&f.Form, {150, 50});   // released outside A: no click
    input::Click(&f.Form, {150, 50});     // and the panel's again
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"A down 10,5", "A up 140,40", "Panel down 50,50",
                                                   "Panel click", "Panel up 50,50"}));
    input::DoubleClick(&f.Form, {20, 15});
    EXPECT_EQ(std::vector<std::string>(f.L.Lines.end() - 6, f.L.Lines.end()),
              (std::vector<std::string>{"A down 10,5", "A click", "A up 10,5", "A dblclick",
                                        "A down 10,5 double", "A up 10,5"}));
}

TEST(Input, FocusMovesByMouseAndByTabWithExitThenEnter) {
    Fixture f;
    f.Form.Show(); // the first in tab order takes the keyboard
    EXPECT_TRUE(f.A->Focused());
    EXPECT_EQ(f.Form.GetActiveControl(), f.A);
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"A enter"}));
    f.L.Lines.clear();
    input::Click(&f.Form, {120, 15}); // Inner, inside the panel
    EXPECT_TRUE(f.Inner->Focused());
    EXPECT_EQ(std::vector<std::string>(f.L.Lines.begin(), f.L.Lines.begin() + 3),
              (std::vector<std::string>{"A exit", "Panel enter", "Inner enter"}));
    f.L.Lines.clear();
    input::PressKey(VK_TAB); // Inner is last in tab order: round to A
    EXPECT_TRUE(f.A->Focused());
    input::PressKey(VK_TAB);
    EXPECT_TRUE(f.B->Focused());
    input::PressKey(VK_TAB, {ssShift});
    EXPECT_TRUE(f.A->Focused());
    // Tab is the form's dialog key: the controls' OnKeyDown never sees it.
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"Inner exit", "Panel exit", "A enter", "A exit",
                                                   "B enter", "B exit", "A enter"}));
    f.B->SetEnabled(false); // skipped
    input::PressKey(VK_TAB);
    EXPECT_TRUE(f.Inner->Focused());
    f.A->Hide();
    EXPECT_THROW(f.A->SetFocus(), EInvalidOperation);
}

TEST(Input, KeysGoToTheFocusedControlThroughThePreviewAndTheirHandlers) {
    Fixture f;
    f.Form.Show();
    f.L.Lines.clear();
    input::Type("Hi!");
    EXPECT_EQ(f.A->Typed, "Hi!");
    // A handler that changes the character changes what the control receives.
    struct Upper {
        void Press(TObject*, char& K) {
            if (K == 'q') K = 'Q';
            if (K == 'x') K = 0; // and one that takes it
        }
    } upper;
    f.A->SetOnKeyPress(TKeyPressEvent::Bind<&Upper::Press>(&upper));
    input::Type("qxz");
    EXPECT_EQ(f.A->Typed, "Hi!Qz");
    // A form with KeyPreview hears the keys first and may take them.
    struct Preview {
        std::vector<std::string>* Lines;
        void Key(TObject*, Word& K, TShiftState) {
            Lines->push_back("form key " + std::to_string(K));
            if (K == (VK_F1 + 1)) K = 0;
        }
    } preview{&f.L.Lines};
    f.Form.SetKeyPreview(true);
    f.Form.SetOnKeyDown(TKeyEvent::Bind<&Preview::Key>(&preview));
    f.L.Lines.clear();
    input::PressKey((VK_F1 + 1));
    input::PressKey((VK_F1 + 2));
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"form key 113", "form key 114", "A key 114"}));
}

TEST(Input, ShortcutsGoToTheFormsMenuBeforeTheControl) {
    Fixture f;
    auto* menu = new TMainMenu(&f.Form);
    auto* save = new TMenuItem(menu);
    save->SetCaption("&Save");
    save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    menu->GetItems()->Add(save);
    save->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&f.L));
    save->SetName("Save");
    f.Form.SetMenu(menu);
    f.Form.Show();
    f.L.Lines.clear();
    input::PressKey('S', {ssCtrl});
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"Save click"})); // A never heard it
    EXPECT_EQ(f.A->Typed, "");
    // OnShortCut sees it first and may keep it.
    struct Keep {
        void On(TWMKey& M, bool& Handled) { Handled = M.CharCode == 'S'; }
    } keep;
    f.Form.SetOnShortCut(TShortCutEvent::Bind<&Keep::On>(&keep));
    f.L.Lines.clear();
    input::PressKey('S', {ssCtrl});
    EXPECT_TRUE(f.L.Lines.empty());
    // The application's OnShortCut comes before the form's.
    f.Form.SetOnShortCut({});
    struct App {
        Log* L;
        void On(TWMKey& M, bool& Handled) {
            L->Lines.push_back("application " + std::to_string(M.CharCode));
            Handled = true;
        }
    } app{&f.L};
    Application()->SetOnShortCut(TShortCutEvent::Bind<&App::On>(&app));
    f.L.Lines.clear();
    input::PressKey('S', {ssCtrl});
    Application()->SetOnShortCut({});
    EXPECT_EQ(f.L.Lines, (std::vector<std::string>{"application 83"}));
}

} // namespace
