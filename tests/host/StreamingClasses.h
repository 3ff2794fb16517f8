// Classes with every kind of published property, for the component streaming tests.
#pragma once

#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/StringList.h"
#include "host/classes/TypInfo.h"
#include "tests/host/FormFiles.h"

#include <string>
#include <vector>

namespace host {

enum TShape : Byte { stCircle, stSquare, stTriangle };
HOST_ENUM_INFO(TShape, stCircle, stSquare, stTriangle)
enum TStyleE : Byte { fsBold, fsItalic, fsUnderline, fsStrikeOut };
HOST_ENUM_INFO(TStyleE, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TStyles = Set<TStyleE, 4>;

/// An integer type whose values 0..2 have names, like the host's colours: the names travel with
/// the type.
struct TTestColorNames {
    static constexpr const char* Name = "TTestColor";
    static bool IdentToInt(const AnsiString& Ident, Integer& Int);
    static bool IntToIdent(Integer Int, AnsiString& Ident);
};
using TTestColor = NamedInt<TTestColorNames>;

using TPingEvent = Closure<void(TObject* Sender, Integer Value)>;

/// What the tests observe while forms are read: one line per interesting call.
std::vector<std::string>& StreamLog();

/// A persistent sub-object, like a font.
class TTestFont : public TPersistent {
    HOST_CLASS(TTestFont, TPersistent)
public:
    AnsiString GetName() const { return FName; }
    void SetName(const AnsiString& V) { FName = V; }
    Integer GetSize() const { return FSize; }
    void SetSize(Integer V) { FSize = V; }
    TStyles GetStyle() const { return FStyle; }
    void SetStyle(TStyles V) { FStyle = V; }
    void Assign(TPersistent* Source) override;

protected:
    AnsiString FName;
    Integer FSize = 8;
    TStyles FStyle;
};

class TTestItem : public TCollectionItem {
    HOST_CLASS(TTestItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    AnsiString GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& V) { FCaption = V; }
    Integer GetWidth() const { return FWidth; }
    void SetWidth(Integer V) { FWidth = V; }
    void Assign(TPersistent* Source) override;

protected:
    AnsiString FCaption;
    Integer FWidth = 50;
};

/// A component with one published property of every kind. Widgets nest: a widget read as the
/// child of another joins it through SetParentComponent, as controls join their parents.
class TWidget : public TComponent {
    HOST_CLASS(TWidget, TComponent)
public:
    explicit TWidget(TComponent* AOwner);
    ~TWidget() override;

    AnsiString GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& V);
    Integer GetCount() const { return FCount; }
    void SetCount(Integer V) { FCount = V; }
    Int64 GetBig() const { return FBig; }
    void SetBig(Int64 V) { FBig = V; }
    double GetRatio() const { return FRatio; }
    void SetRatio(double V) { FRatio = V; }
    float GetScale() const { return FScale; }
    void SetScale(float V) { FScale = V; }
    Extended GetPrecise() const { return FPrecise; }
    void SetPrecise(Extended V) { FPrecise = V; }
    Currency GetPrice() const { return FPrice; }
    void SetPrice(Currency V) { FPrice = V; }
    TDateTime GetWhen() const { return FWhen; }
    void SetWhen(TDateTime V) { FWhen = V; }
    TShape GetShape() const { return FShape; }
    void SetShape(TShape V) { FShape = V; }
    TStyles GetFlags() const { return FFlags; }
    void SetFlags(TStyles V) { FFlags = V; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool V) { FEnabled = V; }
    char GetLetter() const { return FLetter; }
    void SetLetter(char V) { FLetter = V; }
    WideString GetWide() const { return FWide; }
    void SetWide(const WideString& V) { FWide = V; }
    Variant GetData() const { return FData; }
    void SetData(const Variant& V) { FData = V; }
    TTestColor GetColor() const { return FColor; }
    void SetColor(TTestColor V) { FColor = V; }
    TTestFont* GetFont() const { return FFont; }
    void SetFont(TTestFont* V) { FFont->Assign(V); }
    TCollection* GetItems() const { return FItems; }
    void SetItems(TCollection* V) { FItems->Assign(V); }
    TStrings* GetLines() const { return FLines; }
    void SetLines(TStrings* V) { FLines->Assign(V); }
    TComponent* GetBuddy() const { return FBuddy; }
    void SetBuddy(TComponent* V);
    TWidget* GetPartner() const { return FPartner; }
    void SetPartner(TWidget* V) { FPartner = V; }
    TNotifyEvent GetOnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent V) { FOnClick = V; }
    TPingEvent GetOnPing() const { return FOnPing; }
    void SetOnPing(TPingEvent V) { FOnPing = V; }
    bool IsCountStored() const { return FCount != 13; }

    TWidget* GetParentWidget() const { return FParentWidget; }
    const std::vector<TWidget*>& Kids() const { return FKids; }
    int LoadedCount = 0;
    bool LoadingInLoaded = false;
    TComponent* BuddyInLoaded = nullptr;

    void WriteState(TWriter* Writer) override;
    TComponent* GetParentComponent() override { return FParentWidget; }
    bool HasParent() override { return FParentWidget != nullptr; }
    void SetParentComponent(TComponent* Value) override;

protected:
    void Loaded() override;
    void ReadState(TReader* Reader) override;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetChildOrder(TComponent* Child, Integer Order) override;

    AnsiString FCaption;
    Integer FCount = 0;
    Int64 FBig = 0;
    double FRatio = 0;
    float FScale = 0;
    Extended FPrecise = 0;
    Currency FPrice;
    TDateTime FWhen = 0;
    TShape FShape = stCircle;
    TStyles FFlags;
    bool FEnabled = true;
    char FLetter = 'a';
    WideString FWide;
    Variant FData;
    TTestColor FColor = 0;
    TTestFont* FFont;
    TOwnedCollection* FItems;
    TStringList* FLines;
    TComponent* FBuddy = nullptr;
    TWidget* FPartner = nullptr;
    TNotifyEvent FOnClick;
    TPingEvent FOnPing;
    TWidget* FParentWidget = nullptr;
    std::vector<TWidget*> FKids;
};

/// A form: writes its owned components that have no parent, like the host's forms.
class TTestForm : public TComponent {
    HOST_CLASS(TTestForm, TComponent)
public:
    using TComponent::TComponent;
    AnsiString GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& V) { FCaption = V; }

    // Published fields and methods, bound by name when a form is read.
    TWidget* Button1 = nullptr;
    TWidget* Panel1 = nullptr;
    std::vector<std::string> Clicks;
    void Button1Click(TObject* Sender);
    void PanelPing(TObject* Sender, Integer Value);
    int LoadedCount = 0;

protected:
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    /// Children are the owned components in order: a child position moves the component.
    void SetChildOrder(TComponent* Child, Integer Order) override;
    void Loaded() override;
    AnsiString FCaption;
};

/// A form class with a layout of its own (a text form registered as its resource).
class TLayoutForm : public TTestForm {
    HOST_CLASS(TLayoutForm, TTestForm)
public:
    explicit TLayoutForm(TComponent* AOwner);
};

/// Registers the test classes with the streaming system (once).
void RegisterStreamingClasses();

} // namespace host

namespace host::streaming_test {
/// The binary form of `Root` (and its children).
std::string WriteForm(TComponent* Root, TComponent* Ancestor = nullptr);
std::string ToText(const std::string& Binary);
std::string ToBinary(const std::string& Text);
/// Reads a text form into `Root` (or a new component when null).
TComponent* ReadText(const std::string& Text, TComponent* Root = nullptr);
/// Lines joined by the canonical CR LF.
using formtest::Lines;
} // namespace host::streaming_test
