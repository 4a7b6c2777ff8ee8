#pragma once

#include "flat/FlatButtonBase.h"

namespace flat {

// The windowless twin of TFlatButton (unit TFlatSpeedButtonUnit), for tool
// bars and for buttons inside other controls: it paints straight onto its
// parent, never takes the focus and has no keys, no Default and no
// reaction to moves. The parent paints beneath it, so with tmAlways (and
// tmNotFocused while not hovered) it draws no face at all.
//
// Its accelerator clicks it without putting a grouped button down. With an
// Action whose list has an image at the action's ImageIndex, a button
// without a glyph takes that image as its glyph, drawn on fuchsia (the
// transparent colour).
//
// The hover timer and hot button are its own: one flat speed button and one
// flat push button can look hovered at the same time.
class TFlatSpeedButton : public TFlatButtonBase<ui::TGraphicControl> {
    CORE_CLASS(TFlatSpeedButton, TFlatButtonBase<ui::TGraphicControl>)

    explicit TFlatSpeedButton(core::TComponent* owner);
    ~TFlatSpeedButton() override;
    static void Publish(core::PropertyList& list);

    void WndProc(ui::TMessage& message) override;

protected:
    void ActionChange(core::TObject* sender, bool checkDefaults) override;
};

}  // namespace flat
