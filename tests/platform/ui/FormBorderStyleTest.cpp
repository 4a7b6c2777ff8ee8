#include <gtest/gtest.h>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/filing/Streaming.h"
#include "platform/ui/Form.h"
#include "platform/ui/Registration.h"

using namespace ui;

namespace {

class FormBorderStyleTest : public ::testing::Test {
protected:
    void SetUp() override { backend::THeadlessBackend::Install(); }
    void TearDown() override { WindowManager().Reset(); }
};

}  // namespace

TEST_F(FormBorderStyleTest, ChangingTheBorderKeepsThePlaceAndTheClientSize)
{
    TForm form(nullptr);
    form.SetBounds(321, 136, 300, 200);
    int clientWidth = form.ClientWidth(), clientHeight = form.ClientHeight();
    for (TFormBorderStyle style : {bsDialog, bsToolWindow, bsNone, bsSizeable}) {
        form.SetBorderStyle(style);
        EXPECT_EQ(form.Left(), 321) << style;
        EXPECT_EQ(form.Top(), 136) << style;
        EXPECT_EQ(form.ClientWidth(), clientWidth) << style;
        EXPECT_EQ(form.ClientHeight(), clientHeight) << style;
    }
}

TEST_F(FormBorderStyleTest, ADescriptionsPlaceAndClientSizeHoldWhateverTheBorder)
{
    RegisterControls();
    TForm form(nullptr);
    filing::ReadComponentText("object Dialog: TForm\n  Left = 459\n  Top = 273\n  BorderStyle = bsDialog\n"
                              "  ClientHeight = 176\n  ClientWidth = 285\nend\n",
                              &form);
    EXPECT_EQ(form.Left(), 459);
    EXPECT_EQ(form.Top(), 273);
    EXPECT_EQ(form.ClientWidth(), 285);
    EXPECT_EQ(form.ClientHeight(), 176);
    EXPECT_EQ(form.ClientOrigin(), (graphics::TPoint{459 + form.FrameWidth(), 273 + form.FrameWidth() + form.CaptionHeight()}));
}
