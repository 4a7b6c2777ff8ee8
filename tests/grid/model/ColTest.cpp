// Column objects and the column list: defaults, display order, hiding,
// sizing, headings, fonts, filing rules, copying and resets.
#include <gtest/gtest.h>

#include <functional>

#include "grid/foundation/DateTimeLink.h"
#include "grid/model/ModelHelpers.h"
#include "platform/core/Component.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Variant.h"
#include "platform/filing/Streaming.h"
#include "tests/grid/model/ModelTestHost.h"

using namespace grid;
using Event = TModelTestHost::Event;

namespace {

class ColTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetSize(4, 4);
        grid.calls.clear();
    }
    TtsCol& Col(int dataCol) { return *grid.Cols().Col(dataCol); }
    std::vector<int> DisplayOrder()
    {
        std::vector<int> order;
        for (int p = 1; p <= grid.Cols().Cols(); ++p)
            order.push_back(grid.Cols().DataColnr(p));
        return order;
    }
    std::vector<int> VisiblePositions()
    {
        std::vector<int> list;
        const TtsVisibleItems& v = grid.Cols().VisibleCols();
        for (int i = 1; i <= v.VisibleCount(); ++i)
            list.push_back(v.Get(i));
        return list;
    }
    // The message of the grid error `action` raises.
    static std::string ErrorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const EInvalidGridOperation& e) {
            return e.Message();
        }
        return "(nothing raised)";
    }

    TModelTestHost grid;
};

}  // namespace

TEST_F(ColTest, NewGridHasColumnsInDataOrderAtTheDefaults)
{
    ASSERT_EQ(grid.Cols().Cols(), 4);
    EXPECT_EQ(grid.ColCount(), 5);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(Col(c).DisplayCol(), c);
        EXPECT_EQ(Col(c).DataCol(), c);
        EXPECT_EQ(Col(c).Width(), 64);
        EXPECT_EQ(grid.ColWidths(c), 64);
        EXPECT_EQ(Col(c).ControlType(), ctDefault);
        EXPECT_TRUE(Col(c).IsDefault());
        EXPECT_TRUE(Col(c).IsDefaultNoButton());
    }
    // The row bar.
    EXPECT_TRUE(grid.Cols().RowBarOn());
    EXPECT_EQ(grid.Cols().RowBarWidth(), 14);
    EXPECT_EQ(grid.ColWidths(0), 14);
    EXPECT_FALSE(grid.Cols().VisibleCols().Materialized());
    // Identifiers are unique.
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(grid.Cols().FindColById(Col(c).ColId()), c);
    EXPECT_EQ(grid.Cols().FindColById(12345), -1);
}

TEST_F(ColTest, MovingAColumnShiftsThoseBetweenAndKeepsItsWidth)
{
    Col(1).SetWidth(100);
    grid.events.clear();
    Col(1).SetDisplayCol(3);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{2, 3, 1, 4}));
    EXPECT_EQ(Col(2).DisplayCol(), 1);
    EXPECT_EQ(Col(3).DisplayCol(), 2);
    EXPECT_EQ(grid.Cols().DisplayColnr(1), 3);
    EXPECT_EQ(grid.Cols().DataColnr(1), 2);
    EXPECT_EQ(grid.ColWidths(3), 100);
    EXPECT_EQ(grid.ColWidths(1), 64);
    EXPECT_EQ(grid.events, (std::vector<Event>{{"ColMoved", 3, 1, 0}}));
    EXPECT_EQ(grid.colSelectionMoves, (std::vector<std::pair<int, int>>{{1, 3}}));
    // Filed only where the position differs from the data number.
    EXPECT_FALSE(Col(1).IsDefault());
    EXPECT_TRUE(Col(4).IsDefault());
    // And back.
    Col(1).SetDisplayCol(1);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(grid.ColWidths(1), 100);
}

TEST_F(ColTest, MovesToInvalidPositionsChangeNothing)
{
    for (int position : {0, 5, -1, 2}) {
        grid.events.clear();
        Col(2).SetDisplayCol(position);
        EXPECT_EQ(DisplayOrder(), (std::vector<int>{1, 2, 3, 4})) << position;
        EXPECT_TRUE(grid.events.empty()) << position;
    }
    EXPECT_EQ(grid.Cols().DisplayColnr(0), -1);
    EXPECT_EQ(grid.Cols().DisplayColnr(5), -1);
    EXPECT_EQ(grid.Cols().DataColnr(0), 0);
    EXPECT_EQ(grid.Cols().DataColnr(5), -1);
    EXPECT_EQ(grid.Cols().DataColnr(-1), -1);
}

TEST_F(ColTest, TheCurrentCellFollowsItsColumnAndEventsWaitWhileReading)
{
    grid.currentCol = 2;
    grid.Cols().MoveCol(1, 3);  // column 2 goes from position 2 to 1
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"CurrentColMoved 1"}));
    grid.calls.clear();
    grid.Cols().MoveCol(4, 3);  // column 2 stays at position 1
    EXPECT_TRUE(grid.calls.empty());
    grid.events.clear();
    grid.reading = true;
    grid.Cols().MoveCol(4, 1);
    EXPECT_TRUE(grid.events.empty());
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"CurrentColMoved 2"}));
}

TEST_F(ColTest, HidingTheCurrentColumnMovesTheCurrentCellAndShowingRestoresTheWidth)
{
    grid.currentCol = 2;
    grid.currentRow = 1;
    Col(2).SetWidth(80);
    Col(2).SetVisible(false);
    EXPECT_FALSE(Col(2).Visible());
    EXPECT_EQ(grid.ColWidths(2), 0);
    EXPECT_EQ(Col(2).Width(), 80);
    EXPECT_EQ(grid.currentCol, 1);
    EXPECT_EQ(grid.unselectedCols, std::vector<int>{2});
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{1, 3, 4}));
    EXPECT_GT(grid.statusUpdates, 0);
    Col(2).SetVisible(true);
    EXPECT_EQ(grid.ColWidths(2), 80);
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(ColTest, ARefusedEditKeepsTheCurrentColumnShown)
{
    grid.currentCol = 3;
    grid.refuseEndEdit = true;
    Col(3).SetVisible(false);
    EXPECT_TRUE(Col(3).Visible());
    EXPECT_EQ(grid.ColWidths(3), 64);
    EXPECT_FALSE(grid.Cols().VisibleCols().Materialized());
    // Another column needs no edit ended.
    Col(4).SetVisible(false);
    EXPECT_FALSE(Col(4).Visible());
}

TEST_F(ColTest, ShowingAColumnInAGridWithoutCurrentCellChoosesOne)
{
    grid.Cols().SetCols(1);
    grid.currentCol = 1;
    grid.currentRow = 1;
    Col(1).SetVisible(false);
    EXPECT_EQ(grid.currentCol, 0);
    Col(1).SetVisible(true);
    EXPECT_EQ(grid.currentCol, 1);
    EXPECT_EQ(grid.calls.back(), "ChooseCurrentCell");
}

TEST_F(ColTest, WidthZeroKeepsTheColumnVisibleAndWidthsOfHiddenColumnsStayOutOfTheLayout)
{
    grid.events.clear();
    Col(1).SetWidth(0);
    EXPECT_EQ(grid.ColWidths(1), 0);
    EXPECT_TRUE(Col(1).Visible());
    EXPECT_EQ(grid.events, (std::vector<Event>{{"ColResized", 1}}));
    // The same width again raises nothing.
    Col(1).SetWidth(0);
    EXPECT_EQ(grid.events.size(), 1u);
    Col(2).SetVisible(false);
    Col(2).SetWidth(90);
    EXPECT_EQ(grid.ColWidths(2), 0);
    EXPECT_EQ(Col(2).Width(), 90);
    EXPECT_EQ(Col(2).DesignWidth(), 90);
    // Held back while the grid is read.
    grid.events.clear();
    grid.reading = true;
    Col(3).SetWidth(70);
    EXPECT_EQ(grid.ColWidths(3), 70);
    EXPECT_TRUE(grid.events.empty());
}

TEST_F(ColTest, LayoutWidthsChangedByOthersAreTakenByTheColumns)
{
    Col(3).SetVisible(false);
    Col(1).SetDisplayCol(2);  // order 2, 1, 3, 4
    grid.events.clear();
    grid.SetColWidths(2, 120);  // as a dragged border would
    EXPECT_EQ(Col(1).Width(), 120);
    EXPECT_EQ(Col(1).DesignWidth(), 64);
    EXPECT_EQ(grid.events.back(), (Event{"ColResized", -1}));
    // A hidden column given a layout width keeps it as its width, then is
    // forced back to 0.
    grid.SetColWidths(3, 50);
    EXPECT_EQ(Col(3).Width(), 50);
    EXPECT_EQ(grid.ColWidths(3), 0);
    // While reading, the copied width becomes the design width.
    grid.reading = true;
    grid.SetColWidths(4, 70);
    EXPECT_EQ(Col(4).DesignWidth(), 70);
}

TEST_F(ColTest, DefaultColWidthGivesEveryColumnTheNewWidth)
{
    Col(1).SetWidth(100);
    Col(2).SetVisible(false);
    grid.Cols().SetDefaultColWidth(30);
    EXPECT_EQ(grid.Cols().DefaultColWidth(), 30);
    for (int c : {1, 3, 4}) {
        EXPECT_EQ(Col(c).Width(), 30);
        EXPECT_EQ(grid.ColWidths(c), 30);
    }
    EXPECT_EQ(grid.ColWidths(2), 0);
    EXPECT_EQ(grid.ColWidths(0), 14);
    grid.Cols().SetDefaultColWidth(0);
    EXPECT_EQ(grid.Cols().DefaultColWidth(), 1);
    EXPECT_EQ(Col(4).Width(), 1);
}

TEST_F(ColTest, RowBarSettingsLiveInColumnZero)
{
    grid.Cols().SetRowBarWidth(20);
    EXPECT_EQ(grid.ColWidths(0), 20);
    EXPECT_EQ(grid.Cols().Items(0)->Width(), 20);
    grid.calls.clear();
    grid.Cols().SetRowBarOn(false);
    EXPECT_FALSE(grid.Cols().RowBarOn());
    EXPECT_EQ(grid.ColWidths(0), 0);
    EXPECT_EQ(grid.calls, std::vector<std::string>{"ResizeDropDown"});
    grid.Cols().SetRowBarOn(true);
    EXPECT_EQ(grid.ColWidths(0), 20);
    // The row bar takes no part in the visible list.
    EXPECT_FALSE(grid.Cols().VisibleCols().Materialized());
}

TEST_F(ColTest, HeadingsDropTheirAcceleratorMarkers)
{
    struct Case {
        const char* set;
        const char* heading;
        int accel;
    };
    const Case cases[] = {
        {"&File", "File", 1}, {"A&&B", "A&B", 0}, {"Fi&le", "File", 3}, {"&&&Edit", "&Edit", 2},
        {"a&", "a", 0},       {"&", "", 0},       {"&a&b", "ab", 1},   {"帐&套", "帐套", 3},
    };
    for (const Case& c : cases) {
        Col(1).SetHeading(c.set);
        EXPECT_EQ(Col(1).Heading(), c.heading) << c.set;
        EXPECT_EQ(Col(1).HeadingAccelPos(), c.accel) << c.set;
        EXPECT_EQ(Col(1).HeadingText(), c.set);
        EXPECT_TRUE(Col(1).HeadingStored());
    }
    Col(1).SetHeading("");
    EXPECT_FALSE(Col(1).HeadingStored());
    Col(1).SetFieldName("Flag");
    EXPECT_EQ(Col(1).Heading(), "Flag");
}

TEST_F(ColTest, ColumnsAreFoundByNumberOrFieldName)
{
    Col(2).SetFieldName("AccountName");
    EXPECT_EQ(grid.Cols().Col("accountname"), &Col(2));
    EXPECT_EQ(grid.Cols().Col(core::Variant("ACCOUNTNAME")), &Col(2));
    EXPECT_EQ(grid.Cols().Col(core::Variant(3)), &Col(3));
    EXPECT_EQ(grid.Cols().Col(core::Variant(2.5)), nullptr);
    EXPECT_EQ(grid.Cols().Col(core::Variant()), nullptr);
    EXPECT_EQ(ErrorOf([&] { grid.Cols().Col("Missing"); }), "Grid1: Unknown field name 'Missing'");
    EXPECT_EQ(ErrorOf([&] { grid.Cols().Col(0); }), "Grid1: Column index 0 out of range");
    EXPECT_EQ(ErrorOf([&] { grid.Cols().Col(5); }), "Grid1: Column index 5 out of range");
    // The row bar has no field name to be found by.
    grid.Cols().Items(0)->SetFieldName("Bar");
    EXPECT_EQ(ErrorOf([&] { grid.Cols().Col("Bar"); }), "Grid1: Unknown field name 'Bar'");
}

TEST_F(ColTest, FixedColumnCountCountsTheRowBarAndKeepsOneColumnScrolled)
{
    struct Case {
        int cols;
        int set;
        int reads;
        int layoutFixed;
    };
    // min(Cols, N + 1): ten on three columns freezes the row bar and the
    // first two; the layout refuses to freeze all of its columns.
    const Case cases[] = {{3, 10, 10, 3}, {3, 0, 0, 1}, {3, 1, 1, 2}, {3, -1, 0, 1}, {4, 2, 2, 3}, {1, 5, 5, 1}};
    for (const Case& c : cases) {
        TModelTestHost g;
        g.SetSize(c.cols, 2);
        g.Cols().SetFixedColCount(c.set);
        EXPECT_EQ(g.Cols().FixedColCount(), c.reads) << c.cols << " " << c.set;
        EXPECT_EQ(g.FixedCols(), c.layoutFixed) << c.cols << " " << c.set;
    }
    // The editor is hidden and shown again around the change.
    grid.editorShown = true;
    grid.Cols().SetFixedColCount(2);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"HideEditor", "ShowEditor"}));
    // Columns added later take the fixed count as set.
    TModelTestHost g;
    g.SetSize(1, 1);
    g.Cols().SetFixedColCount(2);
    g.Cols().SetCols(5);
    EXPECT_EQ(g.FixedCols(), 3);
}

TEST_F(ColTest, LegacyAlignmentPairFollowsHorzAlignment)
{
    struct Case {
        TtsHorzAlignment set;
        ui::TAlignment alignment;
        bool aligned;
    };
    const Case cases[] = {{htaLeft, ui::taLeftJustify, true},
                          {htaRight, ui::taRightJustify, true},
                          {htaCenter, ui::taCenter, true},
                          {htaDefault, ui::taLeftJustify, false}};
    for (const Case& c : cases) {
        Col(1).SetHorzAlignment(c.set);
        EXPECT_EQ(Col(1).Alignment(), c.alignment);
        EXPECT_EQ(Col(1).Aligned(), c.aligned);
        Col(1).SetHeadingHorzAlignment(c.set);
        EXPECT_EQ(Col(1).HeadingAlignment(), c.alignment);
        EXPECT_EQ(Col(1).HeadingAligned(), c.aligned);
    }
    // And the other way: not aligned reads as default.
    Col(2).SetAlignment(ui::taCenter);
    EXPECT_EQ(Col(2).HorzAlignment(), htaDefault);
    Col(2).SetAligned(true);
    EXPECT_EQ(Col(2).HorzAlignment(), htaCenter);
    Col(2).SetAlignment(ui::taRightJustify);
    EXPECT_EQ(Col(2).HorzAlignment(), htaRight);
    // A pair that is off but not left still makes the column non-default.
    Col(3).SetAlignment(ui::taRightJustify);
    EXPECT_EQ(Col(3).HorzAlignment(), htaDefault);
    EXPECT_FALSE(Col(3).IsDefault());
}

TEST_F(ColTest, FontsAreTheGridsUntilTheColumnHasItsOwn)
{
    TtsCol& col = Col(1);
    EXPECT_EQ(col.Font(), nullptr);
    graphics::TFont bold;
    bold.SetName("Courier New");
    col.SetFont(&bold);
    ASSERT_NE(col.Font(), nullptr);
    EXPECT_NE(col.Font(), &bold);
    EXPECT_EQ(col.Font()->Name(), "Courier New");
    EXPECT_FALSE(col.ParentFont());
    EXPECT_FALSE(col.IsDefault());
    col.SetParentFont(true);
    EXPECT_EQ(col.Font(), nullptr);
    EXPECT_TRUE(col.IsDefault());
    // ParentFont False gives a copy of the grid's font.
    grid.font.SetName("Tahoma");
    col.SetParentFont(false);
    ASSERT_NE(col.Font(), nullptr);
    EXPECT_EQ(col.Font()->Name(), "Tahoma");
    col.SetParentFont(true);

    // While reading, the column hands out a copy for the reader; changing
    // it clears ParentFont.
    grid.reading = true;
    graphics::TFont* copy = col.Font();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Name(), "Tahoma");
    EXPECT_TRUE(col.ParentFont());
    int before = grid.invalidations;
    copy->SetSize(14);
    EXPECT_FALSE(col.ParentFont());
    EXPECT_GT(grid.invalidations, before);
    grid.reading = false;

    // While writing, a column on the grid's font files none.
    col.SetParentFont(true);
    col.SetPrivateFont(true);
    ASSERT_NE(col.Font(), nullptr);
    grid.writing = true;
    EXPECT_EQ(col.Font(), nullptr);
    grid.writing = false;
    EXPECT_EQ(grid.Cols().PrivateFontCols().Count(), 1);

    // A private copy follows the grid's font and may be changed per column.
    grid.font.SetName("Verdana");
    grid.Cols().GridFontChanged();
    EXPECT_EQ(col.Font()->Name(), "Verdana");
    EXPECT_TRUE(col.ParentFont());
    col.SetPrivateFont(false);
    EXPECT_EQ(col.Font(), nullptr);
    EXPECT_EQ(grid.Cols().PrivateFontCols().Count(), 0);
}

TEST_F(ColTest, HeadingFontsWorkTheSameWayAgainstTheGridsHeadingFont)
{
    TtsCol& col = Col(1);
    EXPECT_EQ(col.HeadingFont(), nullptr);
    col.SetHeadingParentFont(false);
    ASSERT_NE(col.HeadingFont(), nullptr);
    EXPECT_EQ(col.HeadingFont()->Name(), "Arial");
    col.SetHeadingParentFont(true);
    grid.reading = true;
    col.HeadingFont()->SetName("Courier New");
    EXPECT_FALSE(col.HeadingParentFont());
    grid.reading = false;
    EXPECT_FALSE(col.IsDefault());
}

// One change of a setting away from its default, by name.
struct SettingCase {
    const char* name;
    std::function<void(TtsCol&)> change;
};

TEST_F(ColTest, EverySettingCountsInTheDefaultTest)
{
    const SettingCase cases[] = {
        {"AllowGrayed", [](TtsCol& c) { c.SetAllowGrayed(true); }},
        {"ButtonType", [](TtsCol& c) { c.SetButtonType(btNormal); }},
        {"CheckBoxValues", [](TtsCol& c) { c.SetCheckBoxValues("N|Y"); }},
        {"CenterPicture", [](TtsCol& c) { c.SetCenterPicture(dopOn); }},
        {"Color", [](TtsCol& c) { c.SetColor(255); }},
        {"ControlType", [](TtsCol& c) { c.SetControlType(ctCheck); }},
        {"DisplayCol", [](TtsCol& c) { c.SetDisplayCol(4); }},
        {"DropDownStyle", [](TtsCol& c) { c.SetDropDownStyle(ddDropDownList); }},
        {"FieldName", [](TtsCol& c) { c.SetFieldName("Name"); }},
        {"Heading", [](TtsCol& c) { c.SetHeading("&Name"); }},
        {"HeadingButton", [](TtsCol& c) { c.SetHeadingButton(cbButton); }},
        {"HeadingHorzAlignment", [](TtsCol& c) { c.SetHeadingHorzAlignment(htaLeft); }},
        {"HeadingParentFont", [](TtsCol& c) { c.SetHeadingParentFont(false); }},
        {"HeadingVertAlignment", [](TtsCol& c) { c.SetHeadingVertAlignment(vtaTop); }},
        {"HeadingWordWrap", [](TtsCol& c) { c.SetHeadingWordWrap(wwOn); }},
        {"HeadingColor", [](TtsCol& c) { c.SetHeadingColor(0); }},
        {"Is3D", [](TtsCol& c) { c.SetIs3D(true); }},
        {"KeepAspectRatio", [](TtsCol& c) { c.SetKeepAspectRatio(dopOff); }},
        {"MaskName", [](TtsCol& c) { c.SetMaskName("Date"); }},
        {"MaxLength", [](TtsCol& c) { c.SetMaxLength(8); }},
        {"ParentCombo", [](TtsCol& c) { c.SetParentCombo(false); }},
        {"ParentFont", [](TtsCol& c) { c.SetParentFont(false); }},
        {"ReadOnly", [](TtsCol& c) { c.SetReadOnly(true); }},
        {"ShrinkPicture", [](TtsCol& c) { c.SetShrinkPicture(dopOn); }},
        {"SortPicture", [](TtsCol& c) { c.SetSortPicture(spUp); }},
        {"SpinIncrement", [](TtsCol& c) { c.SetSpinIncrement(0.5); }},
        {"SpinOptions", [](TtsCol& c) { c.SetSpinOptions({spoKeyEdit}); }},
        {"StretchPicture", [](TtsCol& c) { c.SetStretchPicture(dopOn); }},
        {"HorzAlignment", [](TtsCol& c) { c.SetHorzAlignment(htaRight); }},
        {"VertAlignment", [](TtsCol& c) { c.SetVertAlignment(vtaBottom); }},
        {"Visible", [](TtsCol& c) { c.SetVisible(false); }},
        {"Width", [](TtsCol& c) { c.SetWidth(65); }},
        {"WordWrap", [](TtsCol& c) { c.SetWordWrap(wwOff); }},
        // Application values are always filed with a column, so a column
        // carrying only one of them must be filed.
        {"Tag", [](TtsCol& c) { c.SetTag(7); }},
        {"ColConfig", [](TtsCol& c) { c.SetColConfig(true); }},
        {"BePrint", [](TtsCol& c) { c.SetBePrint(true); }},
        {"PrivateFont", [](TtsCol& c) { c.SetPrivateFont(true); }},
    };
    for (const SettingCase& c : cases) {
        TModelTestHost g;
        g.SetSize(4, 1);
        TtsCol& col = *g.Cols().Col(1);
        c.change(col);
        EXPECT_FALSE(col.IsDefault()) << c.name;
    }
    // Every published property of the column has a case.
    for (const core::PropInfo* prop : TtsCol::StaticClass().Properties()) {
        if (prop->Name() == "Font" || prop->Name() == "HeadingFont" || prop->Name() == "DateTimeDef")
            continue;
        bool found = false;
        for (const SettingCase& c : cases)
            found = found || prop->Name() == c.name;
        EXPECT_TRUE(found) << prop->Name();
    }
    // A cell button only counts in the second test.
    Col(1).SetCellButton(std::make_unique<core::TPersistent>());
    EXPECT_TRUE(Col(1).IsDefault());
    EXPECT_FALSE(Col(1).IsDefaultNoButton());
}

TEST_F(ColTest, SettersTellTheGridWhatTheCurrentColumnNeeds)
{
    grid.currentCol = 1;
    grid.currentRow = 1;
    Col(1).SetControlType(ctCheck);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"CloseEdit", "PruneColValues 1"}));
    grid.calls.clear();
    Col(1).SetMaxLength(-4);
    EXPECT_EQ(Col(1).MaxLength(), 0);
    Col(1).SetMaxLength(12);
    Col(1).SetMaskName("Date");
    Col(1).SetReadOnly(true);
    Col(1).SetButtonType(btDateTimePopup);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"EditorMaxLength 12", "ReloadMask", "ReevaluateCurrentCell",
                                                    "ResetDateTimeState"}));
    grid.calls.clear();
    // Another column tells the editor nothing.
    int refreshes = grid.editorRefreshes;
    Col(2).SetMaskName("Date");
    Col(2).SetMaxLength(3);
    EXPECT_TRUE(grid.calls.empty());
    EXPECT_EQ(grid.editorRefreshes, refreshes);
    // The combo button makes sure the grid has a combo.
    Col(2).SetButtonType(btCombo);
    EXPECT_EQ(grid.calls, std::vector<std::string>{"EnsureGridCombo"});
    // Check-box texts are checked first; wrong ones change nothing.
    Col(2).SetCheckBoxValues("N|Y");
    EXPECT_THROW(Col(2).SetCheckBoxValues("bad"), EInvalidGridOperation);
    EXPECT_EQ(Col(2).CheckBoxValues(), "N|Y");
    EXPECT_TRUE(Col(2).HasCheckBoxValues());
}

TEST_F(ColTest, ButtonTypeIsIgnoredInADropDownGrid)
{
    grid.dropDown = true;
    Col(1).SetButtonType(btCombo);
    EXPECT_EQ(Col(1).ButtonType(), btDefault);
}

TEST_F(ColTest, OwnCombosAndDateTimeDefinitions)
{
    Col(1).SetCombo(std::make_unique<core::TPersistent>());
    EXPECT_FALSE(Col(1).ParentCombo());
    EXPECT_FALSE(Col(1).IsDefault());
    Col(1).SetParentCombo(true);
    EXPECT_EQ(Col(1).Combo(), nullptr);
    EXPECT_TRUE(Col(1).IsDefault());

    TModelTestDateTimeDef def;
    Col(2).SetDateTimeDef(&def);
    EXPECT_EQ(grid.calls, std::vector<std::string>{"RegisterDateTimeDef"});
    Col(2).ResetProperties(rpDateTimeDef);
    EXPECT_EQ(Col(2).DateTimeDef(), nullptr);
    EXPECT_EQ(grid.calls.back(), "UnregisterDateTimeDef");
}

TEST_F(ColTest, CopyingTakesSettingsButNotPlaceIdentityOrApplicationValues)
{
    TtsCol& source = Col(1);
    source.SetHeading("&Name");
    source.SetFieldName("Name");
    source.SetWidth(90);
    source.SetColor(255);
    source.SetHorzAlignment(htaCenter);
    source.SetHeadingColor(0);
    source.SetControlType(ctCheck);
    source.SetSpinIncrement(2.5);
    source.SetCheckBoxValues("F|T");
    source.SetTag(9);
    source.SetBePrint(true);
    graphics::TFont font;
    font.SetName("Courier New");
    source.SetFont(&font);
    source.SetDisplayCol(2);  // order 2, 1, 3, 4

    TtsCol& dest = Col(4);
    int id = dest.ColId();
    grid.events.clear();
    dest.Assign(source);
    EXPECT_EQ(dest.Heading(), "Name");
    EXPECT_EQ(dest.HeadingText(), "&Name");
    EXPECT_EQ(dest.HeadingAccelPos(), 1);
    EXPECT_EQ(dest.Width(), 90);
    EXPECT_EQ(dest.DesignWidth(), 90);
    EXPECT_EQ(grid.ColWidths(4), 90);
    EXPECT_EQ(dest.Color(), 255u);
    EXPECT_EQ(dest.HorzAlignment(), htaCenter);
    EXPECT_EQ(dest.Alignment(), ui::taCenter);
    EXPECT_EQ(dest.ControlType(), ctCheck);
    EXPECT_EQ(dest.SpinIncrement(), 2.5);
    EXPECT_EQ(dest.CheckBoxValues(), "F|T");
    EXPECT_FALSE(dest.ParentFont());
    ASSERT_NE(dest.Font(), nullptr);
    EXPECT_NE(dest.Font(), source.Font());
    EXPECT_EQ(dest.Font()->Name(), "Courier New");
    // Not taken: place, identifier, application values.
    EXPECT_EQ(dest.DisplayCol(), 4);
    EXPECT_EQ(dest.ColId(), id);
    EXPECT_EQ(dest.Tag(), 0);
    EXPECT_FALSE(dest.BePrint());
    EXPECT_EQ(grid.events, (std::vector<Event>{{"ColResized", 4}}));
    // A source on the grid's font gives the grid's font back.
    Col(3).SetColor(0);
    Col(3).Assign(Col(2));
    EXPECT_TRUE(Col(3).ParentFont());
    EXPECT_EQ(Col(3).Color(), kNoColor);

    // The second copy takes the display position as well.
    Col(3).AssignAll(source);
    EXPECT_EQ(Col(3).DisplayCol(), 2);
    EXPECT_EQ(source.DisplayCol(), 3);
}

TEST_F(ColTest, EachResetBitPutsItsGroupBack)
{
    struct Case {
        uint32_t bit;
        std::function<void(TtsCol&)> change;
        std::function<bool(const TtsCol&)> isBack;
        // Bits that reach the same settings another way (the legacy pair
        // and HorzAlignment are kept in step; ParentCombo drops the combo).
        uint32_t related = 0;
    };
    const Case cases[] = {
        {rpColor, [](TtsCol& c) { c.SetColor(1); c.SetHeadingColor(2); },
         [](const TtsCol& c) { return c.Color() == kNoColor && c.HeadingColor() == kNoColor; }},
        {rpFont, [](TtsCol& c) { c.SetParentFont(false); },
         [](const TtsCol& c) { return c.ParentFont() && c.Font() == nullptr; }},
        {rpDisplayPos, [](TtsCol& c) { c.SetDisplayCol(3); }, [](const TtsCol& c) { return c.DisplayCol() == 1; }},
        {rpReadOnly, [](TtsCol& c) { c.SetReadOnly(true); }, [](const TtsCol& c) { return !c.ReadOnly(); }},
        {rpAligned, [](TtsCol& c) { c.SetHorzAlignment(htaRight); },
         [](const TtsCol& c) { return !c.Aligned() && c.HorzAlignment() == htaDefault; }, rpHorzAlignment},
        {rpAlignment, [](TtsCol& c) { c.SetAlignment(ui::taCenter); },
         [](const TtsCol& c) { return c.Alignment() == ui::taLeftJustify; }, rpHorzAlignment},
        {rpIs3D, [](TtsCol& c) { c.SetIs3D(true); }, [](const TtsCol& c) { return !c.Is3D(); }},
        {rpVisible, [](TtsCol& c) { c.SetVisible(false); }, [](const TtsCol& c) { return c.Visible(); }},
        {rpHeadingButton, [](TtsCol& c) { c.SetHeadingButton(cbNone); },
         [](const TtsCol& c) { return c.HeadingButton() == cbGrid; }},
        {rpSortPicture, [](TtsCol& c) { c.SetSortPicture(spDown); },
         [](const TtsCol& c) { return c.SortPicture() == spNone; }},
        {rpMaxLength, [](TtsCol& c) { c.SetMaxLength(5); }, [](const TtsCol& c) { return c.MaxLength() == 0; }},
        {rpWordWrap, [](TtsCol& c) { c.SetWordWrap(wwOn); }, [](const TtsCol& c) { return c.WordWrap() == wwDefault; }},
        {rpButtonType, [](TtsCol& c) { c.SetButtonType(btVertSpin); },
         [](const TtsCol& c) { return c.ButtonType() == btDefault; }},
        {rpMaskName, [](TtsCol& c) { c.SetMaskName("M"); }, [](const TtsCol& c) { return c.MaskName().empty(); }},
        {rpCombo, [](TtsCol& c) { c.SetCombo(std::make_unique<core::TPersistent>()); },
         [](const TtsCol& c) { return c.Combo() == nullptr && !c.ParentCombo(); }, rpParentCombo},
        {rpParentCombo, [](TtsCol& c) { c.SetCombo(std::make_unique<core::TPersistent>()); },
         [](const TtsCol& c) { return c.ParentCombo() && c.Combo() == nullptr; }},
        {rpPictureOptions,
         [](TtsCol& c) {
             c.SetStretchPicture(dopOn);
             c.SetShrinkPicture(dopOn);
             c.SetCenterPicture(dopOff);
             c.SetKeepAspectRatio(dopOff);
         },
         [](const TtsCol& c) {
             return c.StretchPicture() == dopDefault && c.ShrinkPicture() == dopDefault &&
                    c.CenterPicture() == dopDefault && c.KeepAspectRatio() == dopDefault;
         }},
        {rpSpinOptions, [](TtsCol& c) { c.SetSpinOptions({}); },
         [](const TtsCol& c) { return c.SpinOptions() == kAllSpinOptions; }},
        {rpSpinIncrement, [](TtsCol& c) { c.SetSpinIncrement(3); },
         [](const TtsCol& c) { return c.SpinIncrement() == 1.0; }},
        {rpHorzAlignment, [](TtsCol& c) { c.SetHorzAlignment(htaLeft); },
         [](const TtsCol& c) { return c.HorzAlignment() == htaDefault; }, rpAligned},
        {rpVertAlignment, [](TtsCol& c) { c.SetVertAlignment(vtaTop); },
         [](const TtsCol& c) { return c.VertAlignment() == vtaDefault; }},
    };
    for (const Case& c : cases) {
        TModelTestHost g;
        g.SetSize(4, 1);
        TtsCol& col = *g.Cols().Col(1);
        c.change(col);
        EXPECT_FALSE(c.isBack(col)) << std::hex << c.bit;
        // Every other bit leaves the group alone.
        col.ResetProperties(~c.bit & ~(rpSelected | rpWidth | c.related));
        EXPECT_FALSE(c.isBack(col)) << std::hex << c.bit;
        col.ResetProperties(c.bit);
        EXPECT_TRUE(c.isBack(col)) << std::hex << c.bit;
    }
}

TEST_F(ColTest, ResetRestoresTheDesignWidthAndAppliesItsBitsInOrder)
{
    grid.SetColWidths(2, 100);  // dragged: width 100, design width still 64
    ASSERT_EQ(Col(2).Width(), 100);
    Col(2).SetDisplayCol(4);
    grid.events.clear();
    grid.unselectedCols.clear();
    // Width (8) comes before the display position (4); unselecting last.
    Col(2).ResetProperties(rpSelected | rpDisplayPos | rpWidth);
    EXPECT_EQ(Col(2).Width(), 64);
    EXPECT_EQ(grid.ColWidths(2), 64);
    EXPECT_EQ(Col(2).DisplayCol(), 2);
    EXPECT_EQ(grid.events, (std::vector<Event>{{"ColResized", 2}, {"ColMoved", 2, 1, 0}}));
    EXPECT_EQ(grid.unselectedCols, std::vector<int>{2});
}

TEST_F(ColTest, ShrinkingKeepsTheOrderOfTheRemainingColumns)
{
    Col(4).SetDisplayCol(1);  // 4, 1, 2, 3
    Col(2).SetVisible(false);
    Col(4).SetWidth(40);
    grid.Cols().SetCols(3);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{1, 3}));
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.ColWidths(2), 0);
    grid.Cols().SetCols(5);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(Col(4).Width(), 64);
    EXPECT_NE(Col(4).ColId(), Col(5).ColId());
}

TEST_F(ColTest, RemovingAColumnRenumbersTheColumnsAbove)
{
    Col(3).SetFieldName("C");
    Col(4).SetWidth(50);
    Col(4).SetDisplayCol(1);  // 4, 1, 2, 3
    int id3 = Col(3).ColId();
    grid.Cols().RemoveCol(2);
    EXPECT_EQ(grid.Cols().Cols(), 3);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(Col(2).FieldName(), "C");
    EXPECT_EQ(Col(2).DataCol(), 2);
    EXPECT_EQ(grid.Cols().FindColById(id3), 2);
    EXPECT_EQ(grid.ColWidths(1), 50);
    EXPECT_EQ(grid.unselectedCols, std::vector<int>{2});
}

namespace {

// A component that files one column of a grid, as a grid files its columns.
class TColHolder : public core::TComponent {
    CORE_CLASS(TColHolder, core::TComponent)

    explicit TColHolder(core::TComponent* owner = nullptr) : core::TComponent(owner) { host.SetSize(2, 1); }
    TtsCol* Col() const { return host.Cols().Items(1); }
    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TColHolder> p(list);
        p.Object<TtsCol>("Col", &TColHolder::Col, nullptr);
    }

    mutable TModelTestHost host;
};

CORE_CLASS_IMPL(TColHolder)

AnsiString WriteHolder(TColHolder& holder)
{
    holder.host.writing = true;
    AnsiString text = filing::ComponentToText(&holder);
    holder.host.writing = false;
    return text;
}

void ReadHolder(TColHolder& holder, const AnsiString& text)
{
    holder.host.reading = true;
    filing::ReadComponentText(text, &holder);
    holder.host.reading = false;
}

}  // namespace

TEST(ColFiling, HeadingsKeepTheirAcceleratorsThroughSaveAndLoad)
{
    for (const char* heading : {"&File", "A&&B", "Fi&le"}) {
        TColHolder saved;
        saved.SetName("Holder");
        saved.Col()->SetHeading(heading);
        AnsiString text = WriteHolder(saved);
        TColHolder loaded;
        ReadHolder(loaded, text);
        EXPECT_EQ(loaded.Col()->HeadingText(), heading) << text;
        EXPECT_EQ(loaded.Col()->Heading(), saved.Col()->Heading());
        EXPECT_EQ(loaded.Col()->HeadingAccelPos(), saved.Col()->HeadingAccelPos());
    }
}

TEST(ColFiling, OnlySettingsAwayFromTheirDefaultsAreWrittenAndFontsFollowTheirRules)
{
    TColHolder saved;
    saved.SetName("Holder");
    saved.Col()->SetTag(3);
    saved.Col()->SetColor(255);
    saved.Col()->SetSpinIncrement(0.5);
    AnsiString text = WriteHolder(saved);
    EXPECT_NE(text.find("Col.Color = 255"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Col.Tag = 3"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Col.ColConfig = False"), AnsiString::npos) << text;
    EXPECT_NE(text.find("Col.SpinIncrement"), AnsiString::npos) << text;
    for (const char* absent : {"Col.Width", "Col.Heading", "Col.Font", "Col.Visible", "Col.DisplayCol"})
        EXPECT_EQ(text.find(absent), AnsiString::npos) << absent << "\n" << text;

    // A font of its own is filed and read back into a copy of the grid's.
    saved.Col()->SetParentFont(false);
    saved.Col()->Font()->SetName("Courier New");
    text = WriteHolder(saved);
    EXPECT_NE(text.find("Col.Font.Name = 'Courier New'"), AnsiString::npos) << text;
    TColHolder loaded;
    ReadHolder(loaded, text);
    EXPECT_FALSE(loaded.Col()->ParentFont());
    EXPECT_EQ(loaded.Col()->Font()->Name(), "Courier New");
    EXPECT_EQ(loaded.Col()->Color(), 255u);
    EXPECT_EQ(loaded.Col()->Tag(), 3);
    EXPECT_EQ(loaded.Col()->SpinIncrement(), 0.5);
}

TEST(ColFiling, LegacyAlignmentsAreReadAndNeverWritten)
{
    struct Case {
        const char* alignment;
        const char* align;
        TtsHorzAlignment expected;
    };
    const Case cases[] = {{"taRightJustify", "True", htaRight},
                          {"TACENTER", "True", htaCenter},
                          {"taLeftJustify", "True", htaLeft},
                          {"taRightJustify", "False", htaDefault}};
    for (const Case& c : cases) {
        TColHolder holder;
        AnsiString text = AnsiString("object Holder: TColHolder\n  Col.Alignment = ") + c.alignment +
                          "\n  Col.Align = " + c.align + "\n  Col.HeadingAlignment = " + c.alignment +
                          "\n  Col.HeadingAlign = " + c.align + "\nend\n";
        ReadHolder(holder, text);
        EXPECT_EQ(holder.Col()->HorzAlignment(), c.expected) << c.alignment << " " << c.align;
        EXPECT_EQ(holder.Col()->HeadingHorzAlignment(), c.expected) << c.alignment << " " << c.align;
        AnsiString written = WriteHolder(holder);
        EXPECT_EQ(written.find("Col.Align"), AnsiString::npos) << written;
    }
}
