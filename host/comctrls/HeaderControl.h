// THeaderControl and its sections: a row of captions above columns, resized and clicked with
// the mouse.
#pragma once

#include "host/classes/Collection.h"
#include "host/controls/CustomControls.h"

namespace host {

class THeaderControl;

enum THeaderSectionStyle { hsText, hsOwnerDraw };
HOST_ENUM_INFO(THeaderSectionStyle, hsText, hsOwnerDraw)
enum THeaderStyle { hsButtons, hsFlat };
HOST_ENUM_INFO(THeaderStyle, hsButtons, hsFlat)
enum TSectionTrackState { tsTrackBegin, tsTrackMove, tsTrackEnd };
HOST_ENUM_INFO(TSectionTrackState, tsTrackBegin, tsTrackMove, tsTrackEnd)

class THeaderSection : public TCollectionItem {
    HOST_CLASS(THeaderSection, TCollectionItem)
public:
    explicit THeaderSection(TCollection* Collection);
    void Assign(TPersistent* Source) override;
    AnsiString GetText() const { return FText; }
    void SetText(const AnsiString& Value);
    Integer GetWidth() const { return FWidth; }
    /// Kept between MinWidth and MaxWidth.
    void SetWidth(Integer Value);
    Integer GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(Integer Value);
    Integer GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(Integer Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAllowClick() const { return FAllowClick; }
    void SetAllowClick(bool Value) { FAllowClick = Value; }
    /// The sections with AutoSize share what the others leave of the header's width.
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    THeaderSectionStyle GetStyle() const { return FStyle; }
    void SetStyle(THeaderSectionStyle Value);
    TBiDiMode GetBiDiMode() const;
    void SetBiDiMode(TBiDiMode Value);
    bool GetParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    void ParentBiDiModeChanged();
    bool UseRightToLeftAlignment() const { return GetBiDiMode() == bdRightToLeft; }
    bool UseRightToLeftReading() const { return GetBiDiMode() != bdLeftToRight; }
    /// The section's left and right edges in the header.
    Integer GetLeft() const;
    Integer GetRight() const { return GetLeft() + FWidth; }
    AnsiString GetDisplayName() override;

private:
    friend class THeaderControl;
    THeaderControl* Header() const;
    AnsiString FText;
    Integer FWidth = 50, FMinWidth = 0, FMaxWidth = 10000;
    TAlignment FAlignment = taLeftJustify;
    bool FAllowClick = true, FAutoSize = false, FParentBiDiMode = true;
    THeaderSectionStyle FStyle = hsText;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

class THeaderSections : public TCollection {
    HOST_CLASS(THeaderSections, TCollection)
public:
    explicit THeaderSections(THeaderControl* HeaderControl);
    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }
    THeaderSection* GetItems(Integer Index) const {
        return static_cast<THeaderSection*>(TCollection::GetItems(Index));
    }
    void SetItems(Integer Index, THeaderSection* Value) { TCollection::SetItems(Index, Value); }
    THeaderControl* GetHeaderControl() const { return FHeaderControl; }

protected:
    TPersistent* GetOwner() override;
    void Update(TCollectionItem* Item) override;

private:
    THeaderControl* FHeaderControl;
};

using TDrawSectionEvent = Closure<void(THeaderControl* HeaderControl, THeaderSection* Section,
                                       const TRect& Rect, bool Pressed)>;
using TSectionNotifyEvent = Closure<void(THeaderControl* HeaderControl, THeaderSection* Section)>;
using TSectionTrackEvent = Closure<void(THeaderControl* HeaderControl, THeaderSection* Section,
                                        Integer Width, TSectionTrackState State)>;

class THeaderControl : public TCustomControl {
    HOST_CLASS(THeaderControl, TCustomControl)
public:
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;
    THeaderSections* GetSections() const { return FSections; }
    void SetSections(THeaderSections* Value);
    bool GetFullDrag() const { return FFullDrag; }
    void SetFullDrag(bool Value) { FFullDrag = Value; }
    bool GetHotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    THeaderStyle GetStyle() const { return FStyle; }
    void SetStyle(THeaderStyle Value);
    /// The section under X (client coordinates), -1 for none.
    Integer SectionAt(Integer X);
    /// The section whose right divider X is on, -1 for none.
    Integer DividerAt(Integer X);
    /// The section shown pressed, -1 for none.
    Integer GetPressedSection() const { return FPressed >= 0 && FPressedIn ? FPressed : -1; }
    /// Shares the free width among the AutoSize sections.
    void AdjustAutoSize();

    TDrawSectionEvent GetOnDrawSection() const { return FOnDrawSection; }
    void SetOnDrawSection(TDrawSectionEvent Value) { FOnDrawSection = Value; }
    TSectionNotifyEvent GetOnSectionClick() const { return FOnSectionClick; }
    void SetOnSectionClick(TSectionNotifyEvent Value) { FOnSectionClick = Value; }
    TSectionNotifyEvent GetOnSectionResize() const { return FOnSectionResize; }
    void SetOnSectionResize(TSectionNotifyEvent Value) { FOnSectionResize = Value; }
    TSectionTrackEvent GetOnSectionTrack() const { return FOnSectionTrack; }
    void SetOnSectionTrack(TSectionTrackEvent Value) { FOnSectionTrack = Value; }

protected:
    virtual void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed);
    virtual void SectionClick(THeaderSection* Section);
    virtual void SectionResize(THeaderSection* Section);
    virtual void SectionTrack(THeaderSection* Section, Integer Width, TSectionTrackState State);
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    THeaderSections* FSections;
    bool FFullDrag = true, FHotTrack = false, FPressedIn = false, FAdjusting = false;
    THeaderStyle FStyle = hsButtons;
    Integer FTracking = -1, FTrackWidth = 0, FPressed = -1, FHot = -1;
    TDrawSectionEvent FOnDrawSection;
    TSectionNotifyEvent FOnSectionClick, FOnSectionResize;
    TSectionTrackEvent FOnSectionTrack;
};

} // namespace host
