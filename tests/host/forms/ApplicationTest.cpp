// The application and the screen: forms made and listed, the queue with OnMessage, timers on
// the application's clock, exceptions and message boxes, and the main form ending the run.
#include "host/forms/Application.h"

#include "host/actnlist/ActionList.h"
#include "host/actnlist/CustomAction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

/// A window that counts its messages of one number and may fail on one.
struct Counter : TWinControl {
    Cardinal Watch;
    int Seen = 0;
    bool Fail = false;
    Counter(Cardinal W) : TWinControl(nullptr), Watch(W) {}
    void WndProc(TMessage& M) override {
        if (M.Msg == Watch) {
            ++Seen;
            if (Fail) throw EInvalidOperation("it broke");
        }
        TWinControl::WndProc(M);
    }
};

TEST(Application, FormsAreMadeListedAndTheFirstIsTheMainForm) {
    TApplication app(nullptr);
    TForm* first = nullptr;
    TForm* second = nullptr;
    app.CreateForm(TForm::StaticClass(), &first);
    app.CreateForm(TForm::StaticClass(), &second);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(app.GetMainForm(), first);
    EXPECT_EQ(first->GetOwner(), &app);
    bool listed = false;
    for (Integer i = 0; i < Screen()->GetFormCount(); ++i)
        listed |= Screen()->GetForms(i) == second;
    EXPECT_TRUE(listed);
    second->Show();
    EXPECT_EQ(Screen()->GetActiveForm(), second);
    second->Hide();
    EXPECT_NE(Screen()->GetActiveForm(), second);
    EXPECT_THROW(app.CreateForm(TObject::StaticClass(), nullptr), EInvalidOperation);
    first->Show();
    app.Run(); // nothing to do: returns
    EXPECT_FALSE(app.GetTerminated());
}

TEST(Application, ClosingTheMainFormEndsTheRun) {
    TApplication app(nullptr);
    TForm* main = nullptr;
    app.CreateForm(TForm::StaticClass(), &main);
    main->Show();
    main->Close();
    EXPECT_TRUE(app.GetTerminated());
}

TEST(Application, PostedMessagesGoThroughOnMessageToTheirWindow) {
    TApplication& app = *Application();
    Counter c(WM_USER + 1);
    struct Filter {
        int Seen = 0;
        void On(TMsg& M, bool& Handled) {
            ++Seen;
            Handled = M.WParam == 7; // this one stops here
        }
    } filter;
    app.SetOnMessage(TMessageEvent::Bind<&Filter::On>(&filter));
    app.PostMessage(c.GetHandle(), WM_USER + 1, 7, 0);
    app.PostMessage(c.GetHandle(), WM_USER + 1, 8, 0);
    app.PostMessage(0x7FFFFFFF, WM_USER + 1, 9, 0); // no such window: dropped
    EXPECT_EQ(app.QueueLength(), 3u);
    app.ProcessMessages();
    app.SetOnMessage({});
    EXPECT_EQ(filter.Seen, 3);
    EXPECT_EQ(c.Seen, 1);
    EXPECT_EQ(app.QueueLength(), 0u);

    // A handler's exception goes to OnException, and the loop goes on.
    struct Catch {
        std::string Message;
        void On(TObject*, Exception* E) { Message = E->what(); }
    } caught;
    app.SetOnException(TExceptionEvent::Bind<&Catch::On>(&caught));
    c.Fail = true;
    app.PostMessage(c.GetHandle(), WM_USER + 1, 0, 0);
    app.PostMessage(c.GetHandle(), WM_USER + 1, 0, 0);
    app.ProcessMessages();
    app.SetOnException({});
    EXPECT_EQ(caught.Message, "it broke");
    EXPECT_EQ(c.Seen, 3);
}

TEST(Application, TimersFireOnTheApplicationsClock) {
    TApplication& app = *Application();
    Counter a(WM_TIMER), b(WM_TIMER);
    app.SetTimer(a.GetHandle(), 1, 100);
    app.SetTimer(b.GetHandle(), 1, 250);
    app.AdvanceClock(99);
    EXPECT_EQ(a.Seen, 0);
    app.AdvanceClock(1);
    EXPECT_EQ(a.Seen, 1);
    app.AdvanceClock(900); // to 1000 ms: ten of a's, four of b's
    EXPECT_EQ(a.Seen, 10);
    EXPECT_EQ(b.Seen, 4);
    EXPECT_TRUE(app.KillTimer(a.GetHandle(), 1));
    EXPECT_FALSE(app.KillTimer(a.GetHandle(), 1));
    app.AdvanceClock(1000);
    EXPECT_EQ(a.Seen, 10);
    EXPECT_EQ(b.Seen, 8);
    app.KillTimer(b.GetHandle(), 1);
}

TEST(Application, MessageBoxesAreAnsweredByTheModalHookOrClosedUnanswered) {
    TApplication app(nullptr);
    EXPECT_EQ(app.MessageBox("Save?", "Editor", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(app.MessageBox("Done.", "Editor", MB_OK), IDOK);
    EXPECT_EQ(app.MessageBox("Really?", "Editor", MB_YESNO), IDNO);
    struct Yes {
        static void Answer(TCustomForm* Box, void* Caption) {
            *static_cast<std::string*>(Caption) = Box->GetCaption();
            Box->SetModalResult(mrYes);
        }
    };
    std::string caption;
    TCustomForm::SetModalHook(&Yes::Answer, &caption);
    EXPECT_EQ(app.MessageBox("Save?", "Editor", MB_YESNOCANCEL), IDYES);
    TCustomForm::SetModalHook(nullptr, nullptr);
    EXPECT_EQ(caption, "Editor");
    EXPECT_EQ(app.LastMessageBoxText(), "Save?");
    // An exception nobody handles is shown in a box with its message.
    try {
        throw EConvertError("'x' is not a valid integer value");
    } catch (...) {
        app.HandleException(&app);
    }
    EXPECT_EQ(app.LastMessageBoxText(), "'x' is not a valid integer value.");
}

TEST(Application, HelpAndActionsAskTheApplicationsEvents) {
    TApplication* app = Application();
    // Help: OnHelp answers when it says the help system need not run; none runs headless.
    struct Help {
        std::vector<std::string> Asked;
        bool Keep = true;
        bool On(Word Command, LongInt Data, bool& CallHelp) {
            Asked.push_back(std::to_string(Command) + ":" + std::to_string(Data) + ":" +
                            Application()->HelpCommandText());
            CallHelp = !Keep;
            return true;
        }
    } help;
    EXPECT_FALSE(app->HelpContext(7));
    app->SetOnHelp(THelpEvent::Bind<&Help::On>(&help));
    EXPECT_TRUE(app->HelpContext(7));
    EXPECT_TRUE(app->HelpJump("Intro"));
    help.Keep = false;
    EXPECT_FALSE(app->HelpContext(8));
    app->SetOnHelp({});
    EXPECT_EQ(help.Asked,
              (std::vector<std::string>{"1:7:", "258:0:JumpID(\"\",\"Intro\")", "1:8:"}));

    // An action no list handles goes to OnActionExecute before its own OnExecute.
    TComponent owner(nullptr);
    auto* list = new TActionList(&owner);
    auto* action = new TAction(&owner);
    action->SetActionList(list);
    struct Run {
        std::vector<std::string> Seen;
        bool Take = false;
        void App(TBasicAction* A, bool& Handled) {
            Seen.push_back("application " + A->GetName());
            Handled = Take;
        }
        void Own(TObject*) { Seen.push_back("own"); }
    } run;
    action->SetName("Save");
    action->SetOnExecute(TNotifyEvent::Bind<&Run::Own>(&run));
    app->SetOnActionExecute(TActionEvent::Bind<&Run::App>(&run));
    EXPECT_TRUE(action->Execute());
    run.Take = true;
    EXPECT_TRUE(action->Execute());
    app->SetOnActionExecute({});
    EXPECT_EQ(run.Seen, (std::vector<std::string>{"application Save", "own", "application Save"}));
}

} // namespace
