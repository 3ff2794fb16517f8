// TCustomRadioGroup and TRadioGroup: a group box whose Items show as radio buttons of its own,
// in Columns, one of which is the choice (ItemIndex).
#pragma once

#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Labels.h"

#include <vector>

namespace host {

class TStrings;
class TStringList;
class TCustomRadioGroup;

/// One of a radio group's buttons: made, captioned and placed by the group, never streamed.
class TGroupButton : public TRadioButton {
    HOST_CLASS(TGroupButton, TRadioButton)
public:
    explicit TGroupButton(TCustomRadioGroup* Group);
    ~TGroupButton() override;
    void Click() override;

protected:
    /// The arrows move the choice through the group, as the platform's dialogs do.
    void DefaultHandler(void* Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TCustomRadioGroup* FGroup;
    bool FInClick = false;
};

class TCustomRadioGroup : public TCustomGroupBox {
    HOST_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;
    /// The choices; changing them makes the buttons again.
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    /// The chosen item, -1 for none. A value below -1 or past the last item is clamped; a new
    /// choice checks its button and fires OnClick.
    Integer GetItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    /// The columns the buttons are laid out in, top to bottom first; at least 1 and at most 16.
    Integer GetColumns() const { return FColumns; }
    void SetColumns(Integer Value);
    Integer GetButtonCount() const { return Integer(FButtons.size()); }
    TGroupButton* GetButton(Integer Index) const { return FButtons.at(std::size_t(Index)); }

protected:
    /// The items and the choice are both read: the buttons follow them.
    void Loaded() override;
    void GetChildren(TGetChildProc, TComponent*) override {} // the items stand for them
    void Resize() override;
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    friend class TGroupButton;
    void ItemsChanged(TObject* Sender);
    /// As many buttons as items, captioned by them, the choice checked, laid out.
    void UpdateButtons();
    void ArrangeButtons();
    /// A button was checked: it is the choice now.
    void ButtonClicked(TGroupButton* Button);
    /// The choice moves to the next (or previous) enabled button, wrapping, with the focus.
    void MoveChoice(TGroupButton* From, bool Forward);
    bool Reading() const;
    TStringList* FItems;
    std::vector<TGroupButton*> FButtons;
    Integer FItemIndex = -1;
    Integer FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    HOST_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

} // namespace host
