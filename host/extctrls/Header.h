// THeader: a row of section captions whose dividers the mouse drags to resize them.
#pragma once

#include "host/controls/CustomControls.h"
#include "host/forms/Form.h"

#include <vector>

namespace host {

class TStrings;
class TStringList;

using TSectionEvent = Closure<void(TObject* Sender, Integer ASection, Integer AWidth)>;

class THeader : public TCustomControl {
    HOST_CLASS(THeader, TCustomControl)
public:
    explicit THeader(TComponent* AOwner);
    ~THeader() override;
    /// The sections' captions; a section added gets the default width.
    TStrings* GetSections() const;
    void SetSections(TStrings* Value);
    /// A section's width in pixels; reading one past the last gives 0, writing it is ignored.
    Integer GetSectionWidth(Integer Index) const;
    void SetSectionWidth(Integer Index, Integer Value);
    bool GetAllowResize() const { return FAllowResize; }
    void SetAllowResize(bool Value) { FAllowResize = Value; }
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    /// bsNone or bsSingle.
    void SetBorderStyle(TFormBorderStyle Value);
    TRect GetNonClientInsets() override;
    TSectionEvent GetOnSizing() const { return FOnSizing; }
    void SetOnSizing(TSectionEvent Value) { FOnSizing = Value; }
    TSectionEvent GetOnSized() const { return FOnSized; }
    void SetOnSized(TSectionEvent Value) { FOnSized = Value; }
    /// The section whose right divider is at `X` (client coordinates), give or take the
    /// divider's grip; -1 for none.
    Integer DividerAt(Integer X);

    static constexpr Integer DefaultSectionWidth = 64;

protected:
    /// "SectionWidths": the widths as a list of integers, when one differs from the default.
    void DefineProperties(TFiler* Filer) override;
    void Paint() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    virtual void Sizing(Integer ASection, Integer AWidth);
    virtual void Sized(Integer ASection, Integer AWidth);

private:
    void ReadWidths(TReader* Reader);
    void WriteWidths(TWriter* Writer);
    void SectionsChanged(TObject* Sender);
    Integer SectionLeft(Integer Index) const;
    TStringList* FSections;
    std::vector<Integer> FWidths; // one a section
    bool FAllowResize = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    Integer FSizing = -1; // the section being resized, -1 when none
    TSectionEvent FOnSizing, FOnSized;
};

} // namespace host
