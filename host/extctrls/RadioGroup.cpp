#include "host/extctrls/RadioGroup.h"

#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/menus/Keys.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer MaxColumns = 16;

constexpr TPropInfo CustomRadioGroupProps[] = {
    HOST_PROP(TCustomRadioGroup, Columns).Default(1).Unpublished(),
    HOST_PROP(TCustomRadioGroup, ItemIndex).Default(-1).Unpublished(),
    HOST_PROP(TCustomRadioGroup, Items).Unpublished(),
};
constexpr TPropInfo RadioGroupProps[] = {
    "Align",      "Anchors",        "BiDiMode",    "Caption",        "Color",       "Columns",
    "Ctl3D",      "DragCursor",     "DragKind",    "DragMode",       "Enabled",     "Font",
    "ItemIndex",  "Items",          "Constraints", "ParentBiDiMode", "ParentColor", "ParentCtl3D",
    "ParentFont", "ParentShowHint", "PopupMenu",   "ShowHint",       "TabOrder",    "TabStop",
    "Visible",    "OnClick",        "OnDragDrop",  "OnDragOver",     "OnEndDock",   "OnEndDrag",
    "OnEnter",    "OnExit",         "OnStartDock", "OnStartDrag",
};
} // namespace

HOST_METACLASS(TGroupButton, TRadioButton); // made only by its group
const TMessageEntry TCustomRadioGroup::Messages[] = {
    HOST_ON(TCustomRadioGroup, CM_ENABLEDCHANGED, CMEnabledChanged),
    HOST_ON(TCustomRadioGroup, CM_FONTCHANGED, CMFontChanged),
};
HOST_COMPONENT_METACLASS(TCustomRadioGroup, TCustomGroupBox,
                         PropTable(CustomRadioGroupProps,
                                   MessageTable(TCustomRadioGroup::Messages)));
HOST_COMPONENT_METACLASS(TRadioGroup, TCustomRadioGroup, PropTable(RadioGroupProps));

// ---- TGroupButton ----

TGroupButton::TGroupButton(TCustomRadioGroup* Group) : TRadioButton(Group), FGroup(Group) {
    Group->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(Group->GetEnabled());
    SetParentShowHint(false);
    SetParent(Group);
}

TGroupButton::~TGroupButton() {
    // Freed on its own: the group forgets it and its choice stays within the buttons left.
    if (FGroup) {
        auto& buttons = FGroup->FButtons;
        std::erase(buttons, this);
        if (FGroup->FItemIndex >= Integer(buttons.size()))
            FGroup->FItemIndex = Integer(buttons.size()) - 1;
    }
}

void TGroupButton::Click() {
    // Checking a sibling unchecks this one from inside the click: one report is enough.
    if (FInClick) return;
    FInClick = true;
    try {
        FGroup->ButtonClicked(this);
        TRadioButton::Click();
    } catch (...) {
        FInClick = false;
        throw;
    }
    FInClick = false;
}

void TGroupButton::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS;
        return;
    }
    TRadioButton::DefaultHandler(Message);
}

void TGroupButton::KeyDown(Word& Key, TShiftState Shift) {
    TRadioButton::KeyDown(Key, Shift);
    switch (Key) {
    case VK_DOWN:
    case VK_RIGHT: FGroup->MoveChoice(this, true); break;
    case VK_UP:
    case VK_LEFT: FGroup->MoveChoice(this, false); break;
    default: return;
    }
    Key = 0;
}

// ---- TCustomRadioGroup ----

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(new TStringList) {
    FControlStyle = {csSetCaption, csDoubleClicks, csReplicatable};
    FItems->SetOnChange(TNotifyEvent::Bind<&TCustomRadioGroup::ItemsChanged>(this));
}

TCustomRadioGroup::~TCustomRadioGroup() {
    FItems->SetOnChange({});
    // The buttons go first, while the list they take themselves out of is still here.
    while (!FButtons.empty()) FButtons.back()->Free();
    FItems->Free();
}

TStrings* TCustomRadioGroup::GetItems() const {
    return FItems;
}

void TCustomRadioGroup::SetItems(TStrings* Value) {
    FItems->Assign(Value);
}

bool TCustomRadioGroup::Reading() const {
    return GetComponentState().Contains(csReading) || GetComponentState().Contains(csLoading);
}

void TCustomRadioGroup::SetItemIndex(Integer Value) {
    // While a form is read the items may come after the choice: it is checked once both are in.
    if (Reading()) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp<Integer>(Value, -1, GetButtonCount() - 1);
    if (Value == FItemIndex) return;
    if (FItemIndex >= 0) FButtons[std::size_t(FItemIndex)]->SetChecked(false);
    FItemIndex = Value;
    if (FItemIndex >= 0) FButtons[std::size_t(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(Integer Value) {
    Value = std::clamp<Integer>(Value, 1, MaxColumns);
    if (Value == FColumns) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
    if (Reading()) return;
    if (FItemIndex >= FItems->GetCount()) FItemIndex = FItems->GetCount() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
    const std::size_t count = std::size_t(FItems->GetCount());
    while (FButtons.size() > count) FButtons.back()->Free();
    while (FButtons.size() < count) new TGroupButton(this);
    // A choice from a form may name an item the form does not hold.
    FItemIndex = std::clamp<Integer>(FItemIndex, -1, Integer(count) - 1);
    FUpdating = true;
    for (std::size_t i = 0; i < count; ++i) {
        TGroupButton* b = FButtons[i];
        b->SetClicksDisabled(true); // the buttons take the choice as it stands, silently
        b->SetCaption(FItems->GetStrings(Integer(i)));
        b->SetChecked(Integer(i) == FItemIndex);
        b->SetClicksDisabled(false);
    }
    FUpdating = false;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (FButtons.empty() || Reading()) return;
    TBitmap scratch; // a context to measure the font with
    TCanvas* c = scratch.GetCanvas();
    c->GetFont()->Assign(GetFont());
    const Integer textHeight = c->TextHeight("0");
    const Integer count = GetButtonCount();
    const Integer perColumn = (count + FColumns - 1) / FColumns;
    const Integer buttonWidth = (GetWidth() - 10) / FColumns;
    // Below the caption, the rows share the height; what is left over is split above and below.
    const Integer room = GetHeight() - textHeight - 5;
    const Integer buttonHeight = std::max<Integer>(room / perColumn, 0);
    const Integer top = textHeight + 1 + (room > 0 ? room % perColumn : 0) / 2;
    for (Integer i = 0; i < count; ++i) {
        TGroupButton* b = FButtons[std::size_t(i)];
        b->SetBiDiMode(GetBiDiMode());
        Integer left = (i / perColumn) * buttonWidth + 8;
        if (UseRightToLeftAlignment()) left = GetClientWidth() - left - buttonWidth;
        b->SetBounds(left, (i % perColumn) * buttonHeight + top, std::max<Integer>(buttonWidth, 0),
                     buttonHeight);
        b->SetVisible(true);
    }
}

void TCustomRadioGroup::ButtonClicked(TGroupButton* Button) {
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Button);
    if (it == FButtons.end()) return;
    FItemIndex = Integer(it - FButtons.begin());
    Click();
}

void TCustomRadioGroup::MoveChoice(TGroupButton* From, bool Forward) {
    auto it = std::find(FButtons.begin(), FButtons.end(), From);
    if (it == FButtons.end()) return;
    const Integer count = GetButtonCount();
    Integer i = Integer(it - FButtons.begin());
    for (Integer step = 1; step < count; ++step) {
        TGroupButton* next = FButtons[std::size_t((i + (Forward ? step : count - step)) % count)];
        if (!next->GetEnabled() || !next->GetVisible()) continue;
        if (next->CanFocus()) next->SetFocus();
        next->SetChecked(true);
        return;
    }
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

void TCustomRadioGroup::Resize() {
    ArrangeButtons();
    TCustomGroupBox::Resize();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    for (TGroupButton* b : FButtons) b->SetEnabled(GetEnabled());
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    ArrangeButtons();
}

} // namespace host
