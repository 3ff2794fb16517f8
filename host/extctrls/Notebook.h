// TPage and TNotebook: pages of controls stacked in one place, the active one showing.
#pragma once

#include "host/controls/CustomControls.h"

#include <vector>

namespace host {

class TNotebook;
class TStrings;

/// One page of a notebook; its caption is the page's name in the notebook's Pages.
class TPage : public TCustomControl {
    HOST_CLASS(TPage, TCustomControl)
public:
    explicit TPage(TComponent* AOwner);
    ~TPage() override;

protected:
    void ReadState(TReader* Reader) override;
    void Paint() override;

private:
    friend class TNotebook;
    TNotebook* FNotebook = nullptr;
};

class TNotebook : public TCustomControl {
    HOST_CLASS(TNotebook, TCustomControl)
public:
    /// Starts with one page, "Default".
    explicit TNotebook(TComponent* AOwner);
    ~TNotebook() override;
    /// The pages' names; adding, deleting and moving names adds, deletes and moves pages.
    TStrings* GetPages() const { return FAccess; }
    void SetPages(TStrings* Value);
    /// The active page's name ("" without pages); set, the page of that name (ignoring case)
    /// becomes active. Raises EListError "Page not found: 'Name'" when there is none.
    AnsiString GetActivePage() const;
    void SetActivePage(const AnsiString& Value);
    /// The active page's index; -1 without pages. An index out of range is ignored.
    Integer GetPageIndex() const { return FPageIndex; }
    void SetPageIndex(Integer Value);
    Integer GetPageCount() const { return Integer(FPageList.size()); }
    TPage* GetPage(Integer Index) const { return FPageList.at(std::size_t(Index)); }
    TNotifyEvent GetOnPageChanged() const { return FOnPageChanged; }
    void SetOnPageChanged(TNotifyEvent Value) { FOnPageChanged = Value; }

protected:
    friend class TPage;
    friend class TPageAccess;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    TComponent* GetChildOwner() override { return this; }
    void ReadState(TReader* Reader) override;
    void Loaded() override;
    void SetChildOrder(TComponent* Child, Integer Order) override;

private:
    TPage* InsertPage(Integer Index, const AnsiString& Name);
    void DeletePage(Integer Index);
    void MovePage(Integer CurIndex, Integer NewIndex);
    void Show(Integer Index);
    std::vector<TPage*> FPageList;
    TStrings* FAccess;
    Integer FPageIndex = -1;
    TNotifyEvent FOnPageChanged;
};

} // namespace host
