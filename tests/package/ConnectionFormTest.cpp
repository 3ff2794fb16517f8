// Connections in form files: the list's children in order, every published and extra property,
// the parameter collection in place, connecting after the whole form is read.
#include "tests/package/ConnectionTest.h"

#include "host/classes/ObjectText.h"
#include "host/classes/Streams.h"
#include "variable/Zelvar.h"

namespace zeltrix::test {
namespace {

using namespace host;

struct TComponentAccess : TComponent {
    using TComponent::SetDesigning;
};

/// The text form of `Root` as the host writes it.
AnsiString SaveText(TComponent* Root) {
    TMemoryStream binary, text;
    binary.WriteComponent(Root);
    binary.SetPosition(0);
    ObjectBinaryToText(&binary, &text);
    return AnsiString(static_cast<const char*>(text.GetMemory()), text.GetSize());
}

/// Reads a text form into `Root` (a new component of the form's class when null).
TComponent* LoadText(const AnsiString& Text, TComponent* Root = nullptr) {
    TStringStream text(Text);
    TMemoryStream binary;
    ObjectTextToBinary(&text, &binary);
    binary.SetPosition(0);
    return binary.ReadComponent(Root);
}

AnsiString Lines(std::initializer_list<const char*> L) {
    AnsiString s;
    for (const char* line : L) s += AnsiString(line) + "\r\n";
    return s;
}

class ConnectionForm : public ConnectionTest {
protected:
    void TearDown() override {
        for (TComponent* c : Loaded) c->Free();
        ConnectionTest::TearDown();
    }
    TTestWidget* Load(const AnsiString& Text) {
        auto* root = static_cast<TTestWidget*>(LoadText(Text));
        Loaded.push_back(root);
        return root;
    }
    template <class T>
    static T* Find(TComponent* Root, const char* Name) {
        return static_cast<T*>(Root->FindComponent(Name));
    }
    std::vector<TComponent*> Loaded;
};

const AnsiString ThreeConnections = Lines({
    "object Form1: TTestWidget",
    "  object ConnectionList1: TzelConnectionList",
    "    object Copy: TzelP2PConnection",
    "      Source = Edit",
    "      Target = Label",
    "      SourceProperty = 'Caption'",
    "      SourceEvent = 'OnChange'",
    "      TargetProperty = 'Caption'",
    "      SourcePropertyIndexes = (",
    "        '')",
    "      TargetPropertyIndexes = (",
    "        '')",
    "    end",
    "    object SetCell: TzelE2PConnection",
    "      Source = Button",
    "      Target = Label",
    "      SourceEvent = 'OnClick'",
    "      TargetProperty = 'Cells'",
    "      ValueConstant = 'Done'",
    "      ValueOptions = voConstant",
    "      TargetPropertyIndexes = (",
    "        '1'",
    "        '2')",
    "    end",
    "    object CallAdd: TzelE2MConnection",
    "      Source = Button",
    "      Target = Label",
    "      SourceEvent = 'OnMouse'",
    "      TargetMethod = 'Add'",
    "      TargetMethodParameters = <",
    "        item",
    "          ParameterName = 'A'",
    "          EventParameter = 'X'",
    "          Options = voEventProperty",
    "        end",
    "        item",
    "          ParameterName = 'B'",
    "          Component = Edit",
    "          ComponentProperty = 'Value'",
    "          Options = voComponentProperty",
    "          ComponentPropertyIndexes = ()",
    "        end>",
    "    end",
    "  end",
    "  object Button: TTestWidget",
    "  end",
    "  object Label: TTestWidget",
    "  end",
    "  object Edit: TTestWidget",
    "    Caption = 'typed'",
    "    Value = 5",
    "  end",
    "end",
});

TEST_F(ConnectionForm, ConnectionsAreReadInOrderAndConnectedAfterTheWholeForm) {
    TTestWidget* form = Load(ThreeConnections);
    auto* list = Find<TzelConnectionList>(form, "ConnectionList1");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetConnectionCount(), 3);
    const char* names[] = {"Copy", "SetCell", "CallAdd"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list->GetConnection(i)->GetName(), names[i]);
        EXPECT_EQ(list->GetConnection(i)->GetParentComponent(), list);
        EXPECT_EQ(list->GetConnection(i)->GetOwner(), form);
    }
    auto* button = Find<TTestWidget>(form, "Button");
    auto* label = Find<TTestWidget>(form, "Label");
    auto* edit = Find<TTestWidget>(form, "Edit");
    // The components named by the connections come after the list in the file.
    EXPECT_EQ(label->GetCaption(), "typed"); // the first copy on connect
    edit->SetCaption("edited");
    EXPECT_EQ(label->GetCaption(), "edited");
    button->Click();
    EXPECT_EQ(label->GetCells(1, 2), "Done");
    button->Mouse(10, 0);
    auto* e2m = Find<TzelE2MConnection>(form, "CallAdd");
    EXPECT_EQ(e2m->GetTargetMethodInfo()->Result, Variant(15));
    // The index values come back as strings.
    auto* e2p = Find<TzelE2PConnection>(form, "SetCell");
    Variant indexes = e2p->GetTargetPropertyIndex();
    ASSERT_EQ(VarArrayHighBound(indexes, 1), 1);
    EXPECT_EQ(indexes[0].VarType(), varString);
    EXPECT_EQ(indexes[0].AsString(), "1");
    Variant none = e2m->GetTargetMethodParameters()->GetItem(1)->GetComponentPropertyIndex();
    ASSERT_TRUE(VarIsArray(none));
    EXPECT_EQ(VarArrayHighBound(none, 1), -1);
    EXPECT_TRUE(
        e2m->GetTargetMethodParameters()->GetItem(0)->GetComponentPropertyIndex().IsEmpty());
}

TEST_F(ConnectionForm, SavedFormReadsBackTheSame) {
    TTestWidget* form = Load(ThreeConnections);
    form->SetName("Form1");
    // As read, but for the caption the property-to-property connection copied on connect.
    AnsiString expected = ThreeConnections;
    const AnsiString label = "  object Label: TTestWidget\r\n";
    expected.insert(expected.find(label) + label.size(), "    Caption = 'typed'\r\n");
    EXPECT_EQ(SaveText(form), expected);
}

TEST_F(ConnectionForm, NewConnectionsSaveTheirIndexArrays) {
    auto* root = new TTestWidget(nullptr);
    Loaded.push_back(root);
    root->SetName("Form1");
    auto* list = new TzelConnectionList(root);
    list->SetName("List");
    auto* w = new TTestWidget(root);
    w->SetName("W");
    auto* p2p = new TzelP2PConnection(root);
    p2p->SetName("P");
    p2p->SetConnectionList(list);
    auto* e2p = new TzelE2PConnection(root);
    e2p->SetName("E");
    e2p->SetConnectionList(list);
    e2p->SetTarget(w);
    e2p->SetTargetProperty("Cells");
    e2p->SetTargetPropertyIndex(VarArrayOf({3, Variant()}));
    auto* v = new TzelVariable(root);
    v->SetName("V");
    EXPECT_EQ(SaveText(root), Lines({
                                  "object Form1: TTestWidget",
                                  "  object List: TzelConnectionList",
                                  "    object P: TzelP2PConnection",
                                  "      SourcePropertyIndexes = (",
                                  "        '')",
                                  "      TargetPropertyIndexes = (",
                                  "        '')",
                                  "    end",
                                  "    object E: TzelE2PConnection",
                                  "      Target = W",
                                  "      TargetProperty = 'Cells'",
                                  "      ValueOptions = voConstant",
                                  "      TargetPropertyIndexes = (",
                                  "        '3'",
                                  "        '')",
                                  "    end",
                                  "  end",
                                  "  object W: TTestWidget",
                                  "  end",
                                  "  object V: TzelVariable",
                                  "    ClassTypeName = 'TObject'",
                                  "  end",
                                  "end",
                              }));
}

TEST_F(ConnectionForm, NothingConnectsInDesignMode) {
    auto* root = new TTestWidget(nullptr);
    Loaded.push_back(root);
    (root->*&TComponentAccess::SetDesigning)(true, true);
    LoadText(ThreeConnections, root);
    auto* label = Find<TTestWidget>(root, "Label");
    EXPECT_EQ(label->GetCaption(), "");
    Find<TTestWidget>(root, "Button")->Click();
    EXPECT_EQ(label->GetCells(1, 2), "");
    EXPECT_TRUE(Find<TzelConnection>(root, "Copy")->GetComponentState().Contains(csDesigning));
}

// After a load, choosing the method the items were saved with keeps their settings.
TEST_F(ConnectionForm, ParameterItemsSurviveChoosingTheirMethodAgain) {
    TTestWidget* form = Load(ThreeConnections);
    auto* e2m = Find<TzelE2MConnection>(form, "CallAdd");
    e2m->SetTargetMethod("Add");
    TzelParameterConnections* items = e2m->GetTargetMethodParameters();
    ASSERT_EQ(items->GetCount(), 2);
    EXPECT_EQ(items->GetItem(0)->GetEventParameter(), "X");
    EXPECT_EQ(items->GetItem(1)->GetComponent(), Find<TComponent>(form, "Edit"));
    e2m->SetTargetMethod("Twice"); // another method still rebuilds
    ASSERT_EQ(items->GetCount(), 1);
    EXPECT_EQ(items->GetItem(0)->GetParameterName(), "X");
}

// Deleting the target of a loaded form keeps the saved items, so that the form saves them again.
TEST_F(ConnectionForm, ParameterItemsSurviveLosingTheTargetAfterALoad) {
    TTestWidget* form = Load(ThreeConnections);
    auto* e2m = Find<TzelE2MConnection>(form, "CallAdd");
    Find<TTestWidget>(form, "Label")->Free();
    EXPECT_EQ(e2m->GetTargetMethod(), "");
    TzelParameterConnections* items = e2m->GetTargetMethodParameters();
    ASSERT_EQ(items->GetCount(), 2);
    EXPECT_EQ(items->GetItem(0)->GetEventParameter(), "X");
    EXPECT_EQ(items->GetItem(1)->GetComponentProperty(), "Value");
    EXPECT_NE(SaveText(form).find("ParameterName = 'B'"), AnsiString::npos);
}

// A hand-edited file: an index array longer than the property's index list, an unknown
// event name. The form loads; the surplus is ignored and the broken connection stays inactive.
TEST_F(ConnectionForm, HandEditedValuesLoadWithoutHarm) {
    TTestWidget* form = Load(Lines({
        "object Form1: TTestWidget",
        "  object L: TzelConnectionList",
        "    object Long: TzelE2PConnection",
        "      Source = Form1",
        "      Target = Form1",
        "      SourceEvent = 'OnClick'",
        "      TargetProperty = 'Cells'",
        "      ValueConstant = 'x'",
        "      ValueOptions = voConstant",
        "      TargetPropertyIndexes = (",
        "        '0'",
        "        '3'",
        "        '99')",
        "    end",
        "    object Broken: TzelE2PConnection",
        "      Source = Form1",
        "      Target = Form1",
        "      SourceEvent = 'OnNothing'",
        "      TargetProperty = 'Caption'",
        "      ValueOptions = voConstant",
        "    end",
        "  end",
        "end",
    }));
    form->Click();
    EXPECT_EQ(form->GetCells(0, 3), "x");
    EXPECT_EQ(form->GetCaption(), "");
    EXPECT_EQ(Find<TzelE2PConnection>(form, "Broken")->GetSourceEvent(), "OnNothing");
}

TEST_F(ConnectionForm, BadValuesRaiseTheReadersError) {
    EXPECT_THROW(Load(Lines({
                     "object Form1: TTestWidget",
                     "  object L: TzelConnectionList",
                     "    object E: TzelE2PConnection",
                     "      ValueOptions = voSomething",
                     "    end",
                     "  end",
                     "end",
                 })),
                 EReadError);
    EXPECT_THROW(Load(Lines({
                     "object Form1: TTestWidget",
                     "  object L: TzelConnectionList",
                     "    object E: TzelE2PConnection",
                     "      TargetPropertyIndexes = 5",
                     "    end",
                     "  end",
                     "end",
                 })),
                 EReadError);
}

} // namespace
} // namespace zeltrix::test
