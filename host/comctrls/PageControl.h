// TTabSheet and TPageControl: pages of controls, each with a tab; only the active page shows.
#pragma once

#include "host/comctrls/TabControl.h"

#include <vector>

namespace host {

class TPageControl;

class TTabSheet : public TWinControl {
    HOST_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* GetPageControl() const { return FPageControl; }
    /// Moves the sheet to the end of `Value`'s pages (null: takes it out of any).
    void SetPageControl(TPageControl* Value);
    /// The sheet's place among its page control's pages; -1 in none.
    Integer GetPageIndex() const;
    void SetPageIndex(Integer Value);
    /// The sheet's place among the tabs shown; -1 when its tab is hidden or it is in none.
    Integer GetTabIndex() const;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    Integer GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    bool GetHighlighted() const { return FHighlighted; }
    void SetHighlighted(bool Value);
    TNotifyEvent GetOnShow() const { return FOnShow; }
    void SetOnShow(TNotifyEvent Value) { FOnShow = Value; }
    TNotifyEvent GetOnHide() const { return FOnHide; }
    void SetOnHide(TNotifyEvent Value) { FOnHide = Value; }

protected:
    void ReadState(TReader* Reader) override;
    void SetParentComponent(TComponent* Value) override;
    void TextChanged();
    void CMTextChanged(TMessage& Message);
    virtual void DoShow();
    virtual void DoHide();

public:
    static const TMessageEntry Messages[];

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true, FHighlighted = false;
    Integer FImageIndex = 0;
    TNotifyEvent FOnShow, FOnHide;
};

class TPageControl : public TCustomTabControl {
    HOST_CLASS(TPageControl, TCustomTabControl)
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    Integer GetPageCount() const { return Integer(FPages.size()); }
    /// Raises EListError "List index out of bounds (%d)" outside the pages.
    TTabSheet* GetPages(Integer Index) const;
    TTabSheet* GetActivePage() const { return FActivePage; }
    /// Shows `Value` (a page of this control, or null) and hides the others; set in code it
    /// fires neither OnChanging nor OnChange. A sheet of another control is ignored.
    void SetActivePage(TTabSheet* Value);
    Integer GetActivePageIndex() const;
    void SetActivePageIndex(Integer Value);
    /// The page after (or before) `CurPage`, wrapping round; with `CheckTabVisible` pages
    /// whose tab is hidden are passed over. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible);
    /// Steps to the next page with a visible tab, as the user would.
    void SelectNextPage(bool GoForward);

protected:
    friend class TTabSheet;
    void Change() override;
    Integer GetImageIndex(Integer TabIndex) override;
    void SelectNextTab(bool GoForward) override;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, Integer Order) override;
    void Loaded() override;
    void DrawTab(Integer TabIndex, const TRect& Rect, bool Active) override;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    /// Rebuilds the tabs from the pages whose tabs show.
    void UpdateTabs();
    TTabSheet* PageOfTab(Integer TabIndex) const;

private:
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

} // namespace host
