#include <gtest/gtest.h>

#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

using controls::TTinyButton;

namespace {

class TinyButtonTest : public HeadlessFixture {};

}  // namespace

TEST_F(TinyButtonTest, ClicksBySpaceAndByEnterWhileFocusedAndByTheMouse)
{
    auto* edit = Add<controls::TTinyEdit>("Edit", graphics::Bounds(10, 10, 100, 18));
    auto* button = new TTinyButton(form);
    button->SetParent(form);
    button->SetBounds(10, 40, button->Width(), button->Height());
    EXPECT_EQ(button->Width(), 68);
    EXPECT_EQ(button->Height(), 21);
    EXPECT_FALSE(button->TabStop());
    int clicks = 0;
    button->OnClick = [&](core::TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    ShowForm();

    display->Click(Centre(button));
    EXPECT_EQ(clicks, 1);
    // Not a tab stop: Tab from the edit does not reach it, and Enter in the
    // edit does not press it.
    edit->SetFocus();
    display->PressKey(ui::VK_TAB);
    EXPECT_FALSE(button->Focused());
    display->PressKey(ui::VK_RETURN);
    EXPECT_EQ(clicks, 1);

    button->SetFocus();
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(clicks, 2);
    display->PressKey(ui::VK_RETURN);
    EXPECT_EQ(clicks, 3);
}
