// TCustomTabControl and TTabControl: a row (or rows) of tabs over a client area, one tab
// selected; the page control builds on it.
#pragma once

#include "host/controls/CustomControls.h"

#include <vector>

namespace host {

class TCustomImageList;
class TChangeLink;
class TStrings;
class TStringList;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
HOST_ENUM_INFO(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
HOST_ENUM_INFO(TTabStyle, tsTabs, tsButtons, tsFlatButtons)

class TCustomTabControl;
using TTabChangingEvent = Closure<void(TObject* Sender, bool& AllowChange)>;
using TDrawTabEvent =
    Closure<void(TCustomTabControl* Control, Integer TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = Closure<void(TObject* Sender, Integer TabIndex, Integer& ImageIndex)>;

class TCustomTabControl : public TCustomControl {
    HOST_CLASS(TCustomTabControl, TCustomControl)
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    /// The tabs' captions; the selected tab follows its caption while tabs are inserted or
    /// deleted before it, and none is selected once its tab is gone.
    TStrings* GetTabs() const;
    void SetTabs(TStrings* Value);
    /// The selected tab, -1 for none; set in code it fires neither OnChanging nor OnChange.
    Integer GetTabIndex() const { return FTabIndex; }
    void SetTabIndex(Integer Value);
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    TTabPosition GetTabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    /// 0: each tab as wide as its caption (and image) needs.
    Integer GetTabWidth() const { return FTabWidth; }
    void SetTabWidth(Integer Value);
    /// 0: the font's height and a margin.
    Integer GetTabHeight() const { return FTabHeight; }
    void SetTabHeight(Integer Value);
    TTabStyle GetStyle() const { return FStyle; }
    void SetStyle(TTabStyle Value);
    bool GetHotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    bool GetRaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool Value);
    bool GetScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool Value);
    bool GetOwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    /// Where the selected tab's contents go: the client area inside the tabs and the frame.
    TRect GetDisplayRect();
    /// The tab at (X, Y) in client coordinates, -1 for none (or a tab scrolled out of sight).
    Integer IndexOfTabAt(Integer X, Integer Y);
    /// Tab `Index`'s rectangle as drawn (the selected one larger); empty when out of sight.
    TRect TabRect(Integer Index);
    /// The number of rows the tabs take.
    Integer RowCount();
    /// The first tab in sight on a single line that scrolls.
    Integer GetFirstVisibleTab() const { return FFirstTab; }
    /// Whether the tabs overflow one line and the scroll arrows show.
    bool ScrollArrowsShown();

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TTabChangingEvent GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(TTabChangingEvent Value) { FOnChanging = Value; }
    TDrawTabEvent GetOnDrawTab() const { return FOnDrawTab; }
    void SetOnDrawTab(TDrawTabEvent Value) { FOnDrawTab = Value; }
    TTabGetImageEvent GetOnGetImageIndex() const { return FOnGetImageIndex; }
    void SetOnGetImageIndex(TTabGetImageEvent Value) { FOnGetImageIndex = Value; }

    static const TMessageEntry Messages[];

protected:
    /// Asks OnChanging whether the selection may leave the selected tab.
    virtual bool CanChange();
    virtual void Change();
    /// The image a tab shows: the tab's index unless OnGetImageIndex says otherwise.
    virtual Integer GetImageIndex(Integer TabIndex);
    virtual void DrawTab(Integer TabIndex, const TRect& Rect, bool Active);
    /// A selection the user made: asks CanChange, selects, then calls Change.
    void SelectByUser(Integer Index);
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    /// The tabs changed: the selection and the layout follow.
    virtual void TabsChanged();
    void CMDialogKey(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    /// Steps the selection as Ctrl+Tab does, wrapping round.
    virtual void SelectNextTab(bool GoForward);

    TStringList* FTabs;
    Integer FTabIndex = -1;

private:
    struct Layout {
        std::vector<TRect> Tabs; // in client coordinates, unselected size; empty: out of sight
        Integer Rows = 0;
        Integer Band = 0; // thickness of the tab band beside the client area
        bool Arrows = false;
        TRect Frame;   // the raised frame round the display area
        TRect Display; // DisplayRect
    };
    const Layout& GetLayout();
    void Relayout();
    Integer TabExtent(Integer Index); // the tab's length along its row
    Integer RowHeight();
    TRect ArrowRect(bool Forward);
    void ScrollIntoView(Integer Index);
    void ImageListChange(TObject* Sender);
    void TabsChange(TObject* Sender);
    bool Vertical() const { return FTabPosition == tpLeft || FTabPosition == tpRight; }

    Layout FLayout;
    bool FLayoutValid = false;
    Integer FFirstTab = 0;
    Integer FHotTab = -1;
    bool FMultiLine = false, FMultiSelect = false, FHotTrack = false, FRaggedRight = false,
         FScrollOpposite = false, FOwnerDraw = false;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    Integer FTabWidth = 0, FTabHeight = 0;
    TCustomImageList* FImages = nullptr;
    TChangeLink* FImageChangeLink;

protected:
    TNotifyEvent FOnChange;
    TTabChangingEvent FOnChanging;
    TDrawTabEvent FOnDrawTab;
    TTabGetImageEvent FOnGetImageIndex;
};

class TTabControl : public TCustomTabControl {
    HOST_CLASS(TTabControl, TCustomTabControl)
public:
    using TCustomTabControl::TCustomTabControl;
};

} // namespace host
