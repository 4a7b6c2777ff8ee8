// The in-cell check box alone on the headless form: toggling by mouse and
// space bar, refused starts, the grayed state, values through
// CheckBoxValues, loading without a change of value, undo, and its look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/view/GridCheckBox.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace grid;
using core::Variant;

namespace {

class GridCheckBoxTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        box = Add<TtsGridCheckBox>("Box", graphics::Bounds(10, 10, 60, 18));
        box->SetColor(graphics::clWhite);
        box->OnChange = [this](bool byUser) { events.push_back(byUser ? "change" : "load"); };
        box->OnEdited = [this](bool changed, bool, bool byUser) {
            events.push_back(std::string("edited") + (changed ? "+" : "-") + (byUser ? "user" : ""));
        };
        box->OnStartEdit = [this](bool& cancel) { cancel = refuseStart; };
        box->OnGridKeyDown = [this](uint16_t& key, ui::TShiftState) {
            if (key != ui::VK_SHIFT && key != ui::VK_CONTROL)
                gridKeys.push_back(key);
        };
        ShowForm();
        box->SetFocus();
        Pump();
    }
    void ClickBox()
    {
        display->Click(Centre(box));
        Pump();
    }
    void Space()
    {
        // The key goes down, its character arrives, the key comes up.
        display->KeyDown(ui::VK_SPACE);
        display->Type(" ");
        display->KeyUp(ui::VK_SPACE);
        Pump();
    }

    TtsGridCheckBox* box = nullptr;
    std::vector<std::string> events;
    std::vector<unsigned> gridKeys;
    bool refuseStart = false;
};

// The toggle cycles of the mouse and space bar, with and without texts.
TEST_F(GridCheckBoxTest, ClicksAndSpaceWalkTheCycle)
{
    struct {
        const char* values;
        bool allowGrayed;
        Variant start;
        std::vector<Variant> stored;
        std::vector<int> states;
    } const cases[] = {
        {"", false, Variant(int32_t{0}), {int32_t{1}, int32_t{0}, int32_t{1}}, {1, 0, 1}},
        {"", false, Variant(), {int32_t{0}, int32_t{1}}, {0, 1}},
        {"", false, Variant(int32_t{5}), {int32_t{0}}, {0}},
        {"", true, Variant(int32_t{0}), {int32_t{1}, int32_t{2}, int32_t{0}}, {1, 2, 0}},
        {"Yes|No", true, Variant("YES"), {Variant(""), Variant("No"), Variant("Yes")}, {2, 0, 1}},
        {"Null|No", false, Variant::Null(), {Variant("No"), Variant::Null()}, {0, 1}},
        // Unticking under "Yes|null" stores Null, which reads back unticked.
        {"Yes|null", false, Variant("Yes"), {Variant::Null(), Variant("Yes")}, {0, 1}},
    };
    for (bool bySpace : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.values) + (c.allowGrayed ? " grayed" : "") + (bySpace ? " space" : " mouse"));
            box->SetCheckBoxValues(c.values);
            box->SetAllowGrayed(c.allowGrayed);
            box->SetValue(c.start);
            for (size_t i = 0; i < c.stored.size(); ++i) {
                bySpace ? Space() : ClickBox();
                EXPECT_TRUE(box->Value().Identical(c.stored[i])) << i << ": " << box->Value().TypeName();
                EXPECT_EQ(box->State(), c.states[i]) << i;
            }
        }
}

TEST_F(GridCheckBoxTest, LoadingReportsNoChangeOfValue)
{
    box->SetCheckBoxValues("Yes|No");
    box->SetValue(Variant(int32_t{1}));
    // An integer under texts shows its state and holds its text...
    EXPECT_EQ(box->State(), 1);
    EXPECT_TRUE(box->Value().Identical(Variant("Yes")));
    // ...but the load reports no value change, so nothing is written back.
    EXPECT_EQ(events, (std::vector<std::string>{"load", "edited-"}));
    EXPECT_FALSE(box->ChangedInEdit());
    events.clear();
    ClickBox();
    EXPECT_EQ(events, (std::vector<std::string>{"change", "edited+user"}));
}

TEST_F(GridCheckBoxTest, RefusedStartLeavesTheBoxAndSwallowsKeys)
{
    box->SetValue(Variant(int32_t{0}));
    refuseStart = true;
    ClickBox();
    Space();
    EXPECT_EQ(box->State(), 0);
    EXPECT_FALSE(box->ChangedInEdit());
    // While a refused press is held, other keys go nowhere.
    display->Press(Centre(box));
    Pump();
    display->PressKey(ui::VK_DOWN);
    Pump();
    EXPECT_TRUE(gridKeys.empty());
    display->Release(Centre(box));
    Pump();
    EXPECT_EQ(box->State(), 0);
    display->PressKey(ui::VK_DOWN);
    Pump();
    EXPECT_EQ(gridKeys, (std::vector<unsigned>{ui::VK_DOWN}));
}

TEST_F(GridCheckBoxTest, ReleaseOutsideCancelsAndEscapeUndoes)
{
    box->SetValue(Variant(int32_t{0}));
    graphics::TPoint centre = Centre(box);
    display->Press(centre);
    Pump();
    EXPECT_TRUE(box->Pressed());
    display->MoveMouse({centre.X, centre.Y + 40});
    Pump();
    EXPECT_FALSE(box->Pressed());
    display->Release({centre.X, centre.Y + 40});
    Pump();
    EXPECT_EQ(box->State(), 0);

    ClickBox();
    ClickBox();
    EXPECT_EQ(box->State(), 0);
    EXPECT_TRUE(box->ChangedInEdit());
    events.clear();
    box->SetValue(Variant(int32_t{1}));
    EXPECT_FALSE(box->ChangedInEdit());
    ClickBox();
    EXPECT_EQ(box->State(), 0);
    display->PressKey(ui::VK_ESCAPE);
    Pump();
    EXPECT_EQ(box->State(), 1);
    EXPECT_TRUE(box->Value().Identical(Variant(int32_t{1})));
    EXPECT_FALSE(box->ChangedInEdit());
    // Undo with nothing changed passes Escape on to the grid.
    display->PressKey(ui::VK_ESCAPE);
    Pump();
    EXPECT_EQ(gridKeys, (std::vector<unsigned>{ui::VK_ESCAPE}));
}

TEST_F(GridCheckBoxTest, PointOnBox)
{
    graphics::TRect r = TtsGridCheckBox::BoxRect(box->Width(), box->Height(), box->Ctl3D());
    EXPECT_TRUE(box->PointOnBox(r.Left, r.Top));
    EXPECT_TRUE(box->PointOnBox(r.Right - 1, r.Bottom - 1));
    EXPECT_FALSE(box->PointOnBox(r.Left - 1, r.Top));
    EXPECT_FALSE(box->PointOnBox(1, 1));
}

// Every style in every state, focused (the dotted frame round the glyph),
// side by side in one picture.
TEST_F(GridCheckBoxTest, Looks)
{
    graphics::TBitmap sheet;
    int column = 0;
    for (TtsCheckBoxStyle style : {stCheck, stCross, stFlat})
        for (int state : {1, 0, 2}) {
            box->SetStyle(style);
            box->SetValue(Variant(int32_t{state}));
            std::unique_ptr<graphics::TBitmap> picture = PictureAround(box);
            if (column == 0)
                sheet.SetSize(picture->Width() * 9, picture->Height());
            sheet.Canvas()->Draw(column++ * picture->Width(), 0, *picture);
        }
    EXPECT_TRUE(testsupport::MatchesGolden(sheet, "grid_check_box_looks"));
}

}  // namespace
