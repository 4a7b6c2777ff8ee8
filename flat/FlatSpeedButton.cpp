#include "flat/FlatSpeedButton.h"

#include "platform/graphics/Canvas.h"
#include "platform/ui/Action.h"
#include "platform/ui/ImageList.h"

namespace flat {

CORE_CLASS_IMPL(TFlatSpeedButton)

using namespace graphics;

TFlatSpeedButton::TFlatSpeedButton(core::TComponent* owner) : inherited(owner) {}

TFlatSpeedButton::~TFlatSpeedButton() = default;

void TFlatSpeedButton::Publish(core::PropertyList& list)
{
    inherited::Publish(list);
}

void TFlatSpeedButton::WndProc(ui::TMessage& m)
{
    if (m.Msg == ui::CM_DIALOGCHAR && ui::IsAccel(static_cast<unsigned>(m.WParam), Caption()) && Enabled() &&
        Showing()) {
        m.Result = 1;
        Click();
        return;
    }
    inherited::WndProc(m);
}

void TFlatSpeedButton::ActionChange(core::TObject* sender, bool checkDefaults)
{
    inherited::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<ui::TCustomAction*>(sender);
    if (!action || !Glyph()->Empty())
        return;
    ui::TCustomImageList* images = action->Images();
    int index = action->ImageIndex();
    if (!images || images->Count() == 0 || index < 0 || index >= images->Count())
        return;
    // The image on fuchsia, whose bottom-left pixel is then the transparent
    // colour.
    TBitmap& glyph = *Glyph();
    glyph.SetSize(images->Width(), images->Height());
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Bounds(0, 0, images->Width(), images->Height()));
    images->Draw(glyph.Canvas(), 0, 0, index);
    Invalidate();
}

}  // namespace flat
