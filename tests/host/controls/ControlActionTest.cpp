// A control linked to an action: it takes the action's caption, state, hint and OnExecute,
// follows them while it shows the action's values, executes the action when clicked, and
// lets go of a link or an action that goes.
#include "host/actnlist/ActionList.h"
#include "host/actnlist/CustomAction.h"
#include "host/classes/ClassRegistration.h"
#include "host/classes/TypInfoRows.h"
#include "host/controls/ControlActionLink.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

namespace host {
/// A windowed control that publishes what a button linked to an action has.
class TActionButton : public TCustomControl {
    HOST_CLASS(TActionButton, TCustomControl)
public:
    using TCustomControl::TCustomControl;
};
namespace {
constexpr TPropInfo ActionButtonProps[] = {"Action", "Caption", "Enabled", "HelpContext",
                                           "Visible"};
} // namespace
HOST_COMPONENT_METACLASS(TActionButton, TCustomControl, PropTable(ActionButtonProps));
} // namespace host

namespace {

using namespace host;

struct Counter {
    int N = 0;
    void On(TObject*) { ++N; }
};

/// A control whose action link can be handed around.
struct Linked : TCustomControl {
    using TCustomControl::GetActionLink;
    using TCustomControl::SetActionLink;
    using TCustomControl::TCustomControl;
};

struct Setup : ::testing::Test {
    TForm Form{nullptr};
    TAction Action{nullptr};
    Counter Executed, Clicked;
    Linked* Button;
    void SetUp() override {
        Form.SetBounds(0, 0, 208, 127);
        Button = new Linked(&Form);
        Button->SetParent(&Form);
        Button->SetBounds(10, 10, 80, 25);
        Action.SetCaption("&Save");
        Action.SetHint("Save|Saves the file");
        Action.SetHelpContext(42);
        Action.SetOnExecute(TNotifyEvent::Bind<&Counter::On>(&Executed));
        Form.Show();
    }
};

TEST_F(Setup, ALinkedControlTakesTheActionsValuesAndFollowsThem) {
    Button->SetCaption("Old");
    Button->SetAction(&Action);
    EXPECT_EQ(Button->GetAction(), &Action);
    EXPECT_EQ(Button->GetCaption(), "&Save");
    EXPECT_EQ(Button->GetHint(), "Save|Saves the file");
    EXPECT_EQ(Button->GetHelpContext(), 42); // a windowed control's link follows it too
    EXPECT_TRUE(Button->GetControlStyle().Contains(csActionClient));

    Action.SetCaption("S&tore");
    Action.SetEnabled(false);
    Action.SetHint("Store");
    Action.SetHelpContext(7);
    EXPECT_EQ(Button->GetCaption(), "S&tore");
    EXPECT_FALSE(Button->GetEnabled());
    EXPECT_EQ(Button->GetHint(), "Store");
    EXPECT_EQ(Button->GetHelpContext(), 7);
    Action.SetVisible(false);
    EXPECT_FALSE(Button->GetVisible());
    Action.SetVisible(true);
    EXPECT_TRUE(Button->GetVisible());

    // A caption of the control's own is no longer the action's to change.
    Button->SetCaption("Mine");
    Action.SetCaption("Keep");
    EXPECT_EQ(Button->GetCaption(), "Mine");
    EXPECT_FALSE(Button->GetEnabled()); // the rest still follows
    Action.SetEnabled(true);
    EXPECT_TRUE(Button->GetEnabled());
}

TEST_F(Setup, AClickExecutesTheActionUnlessTheControlHasAHandlerOfItsOwn) {
    Button->SetAction(&Action);
    input::Click(Button);
    EXPECT_EQ(Executed.N, 1);
    Button->Click();
    EXPECT_EQ(Executed.N, 2);

    Action.SetEnabled(false); // a disabled action does not execute
    Button->Click();
    EXPECT_EQ(Executed.N, 2);
    Action.SetEnabled(true);

    Button->SetOnClick(TNotifyEvent::Bind<&Counter::On>(&Clicked));
    input::Click(Button);
    EXPECT_EQ(Clicked.N, 1);
    EXPECT_EQ(Executed.N, 2);
    // A new OnExecute is not the action's to give the control any more.
    Counter other;
    Action.SetOnExecute(TNotifyEvent::Bind<&Counter::On>(&other));
    EXPECT_EQ(Button->GetOnClick(), TNotifyEvent::Bind<&Counter::On>(&Clicked));
}

TEST_F(Setup, AnActionThatGoesOrIsTakenAwayLeavesTheControlAsItWas) {
    auto* action = new TAction(nullptr);
    action->SetCaption("Temporary");
    action->SetOnExecute(TNotifyEvent::Bind<&Counter::On>(&Executed));
    Button->SetAction(action);
    action->Free();
    EXPECT_EQ(Button->GetAction(), nullptr);
    EXPECT_EQ(Button->GetCaption(), "Temporary");
    Button->Click(); // the action's handler stays as the control's OnClick
    EXPECT_EQ(Executed.N, 1);

    Button->SetAction(&Action);
    Button->SetAction(nullptr);
    EXPECT_EQ(Button->GetAction(), nullptr);
    EXPECT_EQ(Button->GetActionLink(), nullptr);
    EXPECT_FALSE(Button->GetControlStyle().Contains(csActionClient));
    Action.SetCaption("Not followed");
    EXPECT_EQ(Button->GetCaption(), "&Save");
}

TEST_F(Setup, ALinkServesOneControlWhenHandedOn) {
    Button->SetAction(&Action);
    auto* other = new Linked(&Form);
    other->SetParent(&Form);
    TControlActionLink* link = Button->GetActionLink();
    other->SetActionLink(link);
    EXPECT_EQ(Button->GetActionLink(), nullptr); // the first control let go
    EXPECT_EQ(other->GetActionLink(), link);
    EXPECT_EQ(link->GetClient(), other);
    Action.SetCaption("Moved");
    EXPECT_EQ(other->GetCaption(), ""); // its own caption was not the action's
    EXPECT_EQ(Button->GetCaption(), "&Save");
    other->Free(); // frees the link, once
    Action.SetCaption("After");
    EXPECT_EQ(Button->GetCaption(), "&Save");
}

TEST(ControlActionLink, AGraphicControlsLinkFollowsWhatAControlHasAndTheHintVeto) {
    TGraphicControl glyph(nullptr);
    TAction action(nullptr);
    action.SetHint("Tip");
    glyph.SetAction(&action);
    EXPECT_EQ(glyph.GetHint(), "Tip");

    struct Veto {
        bool Allow = true;
        void On(AnsiString& HintStr, bool& CanShow) {
            HintStr = "Changed";
            CanShow = Allow;
        }
    } veto;
    action.SetOnHint(THintEvent::Bind<&Veto::On>(&veto));
    TControlActionLink link(&glyph);
    link.SetAction(&action);
    AnsiString hint = "Tip";
    EXPECT_TRUE(link.DoShowHint(hint));
    EXPECT_EQ(hint, "Changed");
    veto.Allow = false;
    EXPECT_FALSE(link.DoShowHint(hint));
}

TEST(ControlActionForm, ReadControlsKeepTheirOwnValuesAndStoreOnlyThose) {
    RegisterClasses({TActionButton::StaticClass()});
    const std::string text = "object Form1: TForm1\n"
                             "  Caption = 'Actions'\n" // a form, not a data module
                             "  object ActionList1: TActionList\n"
                             "    object FileSave: TAction\n"
                             "      Caption = '&Save'\n"
                             "      Hint = 'Save|Saves the file'\n"
                             "      HelpContext = 7\n"
                             "    end\n"
                             "  end\n"
                             "  object Button1: TActionButton\n"
                             "    Action = FileSave\n"
                             "  end\n"
                             "  object Button2: TActionButton\n"
                             "    Action = FileSave\n"
                             "    Caption = 'Own'\n"
                             "    HelpContext = 3\n"
                             "  end\n"
                             "end\n";
    formtest::RootPtr root = formtest::Load(text);
    auto* one = DynCast<TActionButton>(root->FindComponent("Button1"));
    auto* two = DynCast<TActionButton>(root->FindComponent("Button2"));
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->GetCaption(), "&Save");
    EXPECT_EQ(one->GetHint(), "Save|Saves the file");
    EXPECT_EQ(one->GetHelpContext(), 7);
    EXPECT_EQ(two->GetCaption(), "Own"); // its own, read after the action
    EXPECT_EQ(two->GetHint(), "Save|Saves the file");
    EXPECT_EQ(two->GetHelpContext(), 3);

    std::string saved = formtest::Save(root.get(), true);
    auto block = [&](const char* Name) {
        auto at = saved.find(Name);
        return at == std::string::npos ? std::string()
                                       : saved.substr(at, saved.find("  end", at) - at);
    };
    std::string first = block("Button1"), second = block("Button2");
    EXPECT_NE(first.find("Action = FileSave"), std::string::npos) << saved;
    EXPECT_EQ(first.find("Caption"), std::string::npos) << saved; // the action's to store
    EXPECT_EQ(first.find("Hint"), std::string::npos) << saved;
    EXPECT_EQ(first.find("HelpContext"), std::string::npos) << saved;
    EXPECT_NE(second.find("Caption = 'Own'"), std::string::npos) << saved;
    EXPECT_NE(second.find("HelpContext = 3"), std::string::npos) << saved;
}

} // namespace
