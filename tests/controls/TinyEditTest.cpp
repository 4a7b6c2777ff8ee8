#include <gtest/gtest.h>

#include "controls/TinyEdit.h"
#include "platform/ui/Label.h"
#include "tests/support/HeadlessFixture.h"

using controls::TTinyEdit;

namespace {

class TinyEditTest : public HeadlessFixture {};

}  // namespace

TEST_F(TinyEditTest, ReturnsWhatTheUserTyped)
{
    auto* edit = Add<TTinyEdit>("Server", graphics::Bounds(80, 16, 185, 18));
    ShowForm();
    EXPECT_EQ(edit->Width(), 185);
    EXPECT_EQ(edit->Height(), 18) << "the height stays what the form gave";
    display->Click(Centre(edit));
    display->Type("\xE4\xB8\xBB\xE6\x9C\xBA 01");  // 主机 01 in UTF-8
    EXPECT_EQ(edit->Text(), "主机 01");
}

TEST_F(TinyEditTest, PasswordCharShowsInPlaceOfEachCharacterAndTextStaysTyped)
{
    auto* secret = Add<TTinyEdit>("Secret", graphics::Bounds(20, 20, 120, 18));
    auto* stars = Add<TTinyEdit>("Stars", graphics::Bounds(20, 60, 120, 18));
    secret->SetPasswordChar('*');
    ShowForm();
    display->Click(Centre(secret));
    display->Type("ab;c");
    stars->SetText("****");
    EXPECT_EQ(secret->Text(), "ab;c");
    // Away from the focus, the two fields look alike.
    display->Click(Centre(stars));
    display->PressKey(0x23);  // End: the caret to the same place as in the other field
    auto picture = Picture(form);
    int differing = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 120; ++x)
            if (picture->Pixel(20 + x, 20 + y) != picture->Pixel(20 + x, 60 + y))
                ++differing;
    // Only the caret, in the focused field, may differ.
    EXPECT_LE(differing, 14);
    int inked = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 60; ++x)
            if (picture->Pixel(20 + x, 20 + y) == graphics::clBlack)
                ++inked;
    EXPECT_GT(inked, 10) << "the stars are drawn";
}

TEST_F(TinyEditTest, TheLabelStandsAtTheLeftLabelSpacingAway)
{
    auto* edit = Add<TTinyEdit>("Server", graphics::Bounds(80, 16, 185, 18));
    edit->SetLabelCaption("服务器名");
    ShowForm();
    ui::TCustomLabel* label = edit->Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form);
    EXPECT_EQ(label->Caption(), "服务器名");
    EXPECT_EQ(label->Width(), 48) << "four characters of 12 pixels";
    EXPECT_EQ(label->Left(), 80 - 48 - 3);
    EXPECT_EQ(label->Top(), 16 + (18 - label->Height()) / 2 - 2);
    EXPECT_TRUE(label->Visible());

    edit->SetLabelSpacing(10);
    edit->SetBounds(100, 50, 185, 18);
    EXPECT_EQ(label->Left(), 100 - 48 - 10);
    EXPECT_EQ(label->Top(), 50 + (18 - label->Height()) / 2 - 2);
    edit->SetLabelCaption("名");
    EXPECT_EQ(label->Left(), 100 - 12 - 10);

    edit->SetLabelVisible(false);
    EXPECT_FALSE(label->Visible());
    edit->SetLabelVisible(true);
    edit->Hide();
    EXPECT_FALSE(label->Visible());
    edit->Show();
    EXPECT_TRUE(label->Visible());
    // The label is the edit's: it is not filed with the form, and goes with it.
    EXPECT_EQ(label->Owner(), edit);
    delete edit;
    EXPECT_EQ(form->ControlCount(), 0);
}
