#pragma once

#include <memory>

#include "platform/core/EnumType.h"
#include "platform/ui/WinControl.h"

namespace ui {

CORE_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle);

// A figure drawn with a Pen outline and a Brush inside, without a window.
//
// The figure fills the control with the pen's width kept inside it; the
// square, round square and circle take the shorter side and are centred.
// A rectangle one pixel high (or wide) with a solid pen is a plain line in
// the pen's colour the length of the control: an underline, a separator.
class TShape : public TGraphicControl {
    CORE_CLASS(TShape, TGraphicControl)

    explicit TShape(core::TComponent* owner);
    ~TShape() override;
    static void Publish(core::PropertyList& list);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);
    // Changes to the pen and the brush repaint the shape.
    graphics::TPen* Pen() const { return pen_.get(); }
    void SetPen(const graphics::TPen* value) { pen_->Assign(value); }
    graphics::TBrush* Brush() const { return brush_.get(); }
    void SetBrush(const graphics::TBrush* value) { brush_->Assign(value); }

protected:
    void Paint() override;

private:
    // A rounded rectangle, or an ellipse whose pen is wider than a pixel,
    // drawn a row at a time.
    void PaintBySpans(graphics::TCanvas& canvas, const TRect& r, bool round, int corner);

    TShapeType shape_ = stRectangle;
    std::unique_ptr<graphics::TPen> pen_;
    std::unique_ptr<graphics::TBrush> brush_;
};

}  // namespace ui
