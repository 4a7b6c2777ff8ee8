#pragma once

#include <vector>

#include "flat/FlatButton.h"
#include "tests/support/HeadlessFixture.h"

// A dialog form on the headless display with flat buttons that note their
// clicks by name. The form keeps the 320 x 240 size the flat goldens were
// drawn in.
class FlatFixture : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        form->SetBounds(100, 100, 320, 240);
    }

    flat::TFlatButton* Button(const char* name, graphics::TRect bounds, int group = 0)
    {
        auto* b = Add<flat::TFlatButton>(name, bounds);
        b->SetCaption(name);
        b->SetGroupIndex(group);
        b->OnClick = [this, b](core::TObject*) { clicks.push_back(b->Name()); };
        return b;
    }
    void ClickOn(ui::TControl* c) { display->Click(At(c, {5, 5})); }

    std::vector<core::AnsiString> clicks;
};
