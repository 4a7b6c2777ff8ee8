#pragma once

#include "platform/core/EnumType.h"
#include "platform/ui/WinControl.h"

namespace ui {

CORE_ENUM(TBevelStyle, bsLowered, bsRaised);
CORE_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);

// A windowless 3D decoration in the shadow and highlight colours: a sunken
// or raised box, an etched frame, or an etched line along one side; a spacer
// shows nothing.
class TBevel : public TGraphicControl {
    CORE_CLASS(TBevel, TGraphicControl)

    explicit TBevel(core::TComponent* owner);
    ~TBevel() override;
    static void Publish(core::PropertyList& list);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

}  // namespace ui
