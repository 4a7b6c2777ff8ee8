#pragma once

#include "flat/FlatButtonBase.h"

namespace flat {

// A flat-looking push button with a window of its own (unit
// TFlatButtonUnit): a face colour that lightens while the pointer is over
// it or it has the focus (ColorFocused) and darkens while pressed
// (ColorDown), a thin bevel frame (ColorBorder at rest, raised while
// hovered, sunken while pressed), a glyph of up to four images and a
// one-line caption. It can also latch down in a group (GroupIndex, Down,
// AllowAllUp). A new button is 25 by 25, takes its parent's colour and is
// not a tab stop.
//
// Painting goes to an off-screen picture copied onto the window at the end.
// With TransparentMode the parent shows behind the button instead of the
// face colour: tmAlways always, tmNotFocused while it is not hovered.
//
// Keys: the space bar presses the button while it is held and clicks it on
// release, latching and unlatching a grouped button as a click does; other
// keys do nothing. The caption's accelerator clicks it (and puts a grouped
// button down). Default only draws a two-pixel resting frame: Enter does
// not press a flat button.
//
// A click hands ModalResult to the form, then runs OnClick.
class TFlatButton : public TFlatButtonBase<ui::TCustomControl> {
    CORE_CLASS(TFlatButton, TFlatButtonBase<ui::TCustomControl>)

    explicit TFlatButton(core::TComponent* owner);
    ~TFlatButton() override;
    static void Publish(core::PropertyList& list);

    bool Default() const { return default_; }
    void SetDefault(bool value);

    void WndProc(ui::TMessage& message) override;

protected:
    void Paint() override;
    int RestingFrameWidth() const override { return default_ ? 2 : 1; }

private:
    void SpaceUp();

    bool default_ = false;
};

}  // namespace flat
