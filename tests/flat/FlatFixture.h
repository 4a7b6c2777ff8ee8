#pragma once

#include <vector>

#include "flat/FlatButton.h"
#include "tests/platform/ui/FormFixture.h"

// A dialog form on the headless display with flat buttons that note their
// clicks by name.
class FlatFixture : public FormFixture {
protected:
    flat::TFlatButton* Button(const char* name, graphics::TRect bounds, int group = 0)
    {
        auto* b = Add<flat::TFlatButton>(name, bounds);
        b->SetCaption(name);
        b->SetGroupIndex(group);
        b->OnClick = [this, b](core::TObject*) { clicks.push_back(b->Name()); };
        return b;
    }
    void ClickOn(ui::TControl* c) { display->Click(At(c, {5, 5})); }

    // The colour of a pixel of a control, in its client coordinates.
    graphics::TColor PixelOf(const ui::TControl* c, graphics::TPoint p) const
    {
        graphics::TPoint s = c->ClientToScreen(p) - form->ClientOrigin();
        return PixelAt(s.X, s.Y);
    }

    std::vector<core::AnsiString> clicks;
};
