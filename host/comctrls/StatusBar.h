// TStatusBar with its panels: sunken boxes of text along a window's bottom edge, or one simple
// line of text, and the grip that sizes the form.
#pragma once

#include "host/classes/Collection.h"
#include "host/controls/CustomControls.h"

namespace host {

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
HOST_ENUM_INFO(TStatusPanelStyle, psText, psOwnerDraw)
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
HOST_ENUM_INFO(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

class TStatusPanel : public TCollectionItem {
    HOST_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* Collection);
    void Assign(TPersistent* Source) override;
    AnsiString GetText() const { return FText; }
    void SetText(const AnsiString& Value);
    Integer GetWidth() const { return FWidth; }
    /// Negative widths count as 0.
    void SetWidth(Integer Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel GetBevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);
    TStatusPanelStyle GetStyle() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);
    /// The status bar's while ParentBiDiMode; set, the panel keeps its own.
    TBiDiMode GetBiDiMode() const;
    void SetBiDiMode(TBiDiMode Value);
    bool GetParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    /// The status bar's mode changed: a panel that follows it repaints.
    void ParentBiDiModeChanged();
    bool UseRightToLeftAlignment() const { return GetBiDiMode() == bdRightToLeft; }
    bool UseRightToLeftReading() const { return GetBiDiMode() != bdLeftToRight; }
    AnsiString GetDisplayName() override;

private:
    TStatusBar* Bar() const;
    AnsiString FText;
    Integer FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
};

class TStatusPanels : public TCollection {
    HOST_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* StatusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* GetItems(Integer Index) const {
        return static_cast<TStatusPanel*>(TCollection::GetItems(Index));
    }
    void SetItems(Integer Index, TStatusPanel* Value) { TCollection::SetItems(Index, Value); }
    TStatusBar* GetStatusBar() const { return FStatusBar; }

protected:
    TPersistent* GetOwner() override;
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* FStatusBar;
};

using TDrawPanelEvent =
    Closure<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TCustomControl {
    HOST_CLASS(TStatusBar, TCustomControl)
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;
    TStatusPanels* GetPanels() const { return FPanels; }
    void SetPanels(TStatusPanels* Value);
    bool GetSimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    AnsiString GetSimpleText() const { return FSimpleText; }
    void SetSimpleText(const AnsiString& Value);
    bool GetSizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool GetAutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }
    /// While set, the bar shows in the system's status font; changing the font clears it.
    bool GetUseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);
    TNotifyEvent GetOnHint() const { return FOnHint; }
    void SetOnHint(TNotifyEvent Value) { FOnHint = Value; }
    TDrawPanelEvent GetOnDrawPanel() const { return FOnDrawPanel; }
    void SetOnDrawPanel(TDrawPanelEvent Value) { FOnDrawPanel = Value; }
    /// Panel `Index`'s rectangle (the last reaches the right edge); the simple panel's for -1.
    TRect PanelRect(Integer Index);
    /// Whether the grip shows: SizeGrip, and the bar at its form's bottom-right corner.
    bool GripShown();
    /// The application's hint: with AutoHint, shown as the simple text unless OnHint takes it.
    bool ExecuteAction(TBasicAction* Action) override;

    static const TMessageEntry Messages[];

protected:
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
    virtual bool DoHint();
    void Paint() override;
    void CMFontChanged(TMessage& Message);
    void CMBiDiModeChanged(TMessage& Message);

private:
    friend class TStatusPanels;
    void ApplySystemFont();
    TStatusPanels* FPanels;
    bool FSimplePanel = false, FSizeGrip = true, FAutoHint = false, FUseSystemFont = true;
    bool FSettingFont = false;
    AnsiString FSimpleText;
    TNotifyEvent FOnHint;
    TDrawPanelEvent FOnDrawPanel;
};

} // namespace host
