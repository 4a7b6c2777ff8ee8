// Row objects and the row list: sparse objects, display order, hidden rows,
// heights, identifiers, row-changed marks, copying and resets.
#include <gtest/gtest.h>

#include <functional>

#include "grid/foundation/ExtentArray.h"
#include "platform/core/Component.h"
#include "platform/core/Properties.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Streaming.h"
#include "tests/grid/model/ModelTestHost.h"

using namespace grid;
using Event = TModelTestHost::Event;

namespace {

class RowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetSize(3, 4);
        grid.calls.clear();
        grid.events.clear();
    }
    TtsGridRows& Rows() { return grid.Rows(); }
    std::vector<int> DisplayOrder()
    {
        std::vector<int> order;
        for (int p = 1; p <= Rows().RowCount(); ++p)
            order.push_back(Rows().DataRownr(p));
        return order;
    }
    std::vector<int> VisiblePositions()
    {
        std::vector<int> list;
        const TtsVisibleItems& v = Rows().VisibleRows();
        for (int i = 1; i <= v.VisibleCount(); ++i)
            list.push_back(v.Get(i));
        return list;
    }
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

TEST_F(RowTest, ANewGridHasOnlyTheHeadingRowObject)
{
    EXPECT_EQ(Rows().RowCount(), 4);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(Rows().ObjectCount(), 1);
    ASSERT_NE(Rows().Items(0), nullptr);
    EXPECT_EQ(Rows().Items(3), nullptr);
    EXPECT_EQ(Rows().Row(3).Height(), 14);
    EXPECT_EQ(Rows().DefaultRowHeight(), 14);
    EXPECT_EQ(grid.RowHeights(3), 14);
    EXPECT_TRUE(Rows().HeadingOn());
    EXPECT_EQ(Rows().HeadingHeight(), 15);
    EXPECT_EQ(grid.RowHeights(0), 15);
    EXPECT_EQ(Rows().ObjectCount(), 1);
    EXPECT_EQ(ErrorOf([&] { Rows().Row(5); }), "Grid1: Row index 5 out of range");
    EXPECT_EQ(ErrorOf([&] { Rows().Update(0, [](TtsRow&) {}); }), "Grid1: Row index 0 out of range");
    EXPECT_EQ(Rows().RowOrDefault(99).Height(), 14);
    // Rows without objects read the grid's font while it is read, and still
    // read as default afterwards.
    grid.reading = true;
    ASSERT_NE(Rows().Row(2).Font(), nullptr);
    grid.reading = false;
    EXPECT_EQ(Rows().Row(2).Font(), nullptr);
    EXPECT_TRUE(Rows().Row(2).IsDefault());
}

TEST_F(RowTest, RowObjectsComeAndGoWithTheirSettings)
{
    Rows().Update(3, [](TtsRow& r) { r.SetColor(255); });
    ASSERT_NE(Rows().Items(3), nullptr);
    EXPECT_EQ(Rows().Row(3).Color(), 255u);
    EXPECT_EQ(Rows().Items(3)->DataRow(), 3);
    EXPECT_EQ(Rows().ObjectCount(), 2);
    Rows().Update(3, [](TtsRow& r) { r.SetColor(kNoColor); });
    EXPECT_EQ(Rows().Items(3), nullptr);
    EXPECT_EQ(Rows().ObjectCount(), 1);
    // Writing a default creates nothing that stays.
    Rows().Update(2, [](TtsRow& r) { r.SetReadOnly(false); });
    EXPECT_EQ(Rows().ObjectCount(), 1);
    // The heading row stays whatever it holds.
    Rows().Items(0)->SetColor(255);
    Rows().Items(0)->SetColor(kNoColor);
    Rows().Prune(0);
    EXPECT_NE(Rows().Items(0), nullptr);
    // An object made for a row takes the layout's height of its position.
    grid.SetRowHeights(2, 30);  // copied into a new object for row 2
    ASSERT_NE(Rows().Items(2), nullptr);
    EXPECT_EQ(Rows().Items(2)->Height(), 30);
    EXPECT_EQ(Rows().Items(2)->DesignHeight(), 30);
}

TEST_F(RowTest, MovingARowShiftsThoseBetween)
{
    Rows().Update(1, [](TtsRow& r) { r.SetHeight(20); });
    grid.events.clear();
    Rows().MoveRow(1, 3);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{2, 3, 1, 4}));
    EXPECT_EQ(Rows().DisplayRownr(1), 3);
    EXPECT_EQ(Rows().DataRownr(3), 1);
    EXPECT_EQ(Rows().DataRownr(0), 0);
    EXPECT_EQ(grid.RowHeights(3), 20);
    EXPECT_EQ(grid.RowHeights(1), 14);
    EXPECT_EQ(grid.events, (std::vector<Event>{{"RowMoved", 3, 1, 0}}));
    EXPECT_EQ(grid.rowSelectionMoves, (std::vector<std::pair<int, int>>{{1, 3}}));
    // The object's DisplayRow moves it too, and is what it files.
    Rows().Items(1)->SetDisplayRow(4);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(Rows().Items(1)->DisplayRow(), 4);
    const core::PropInfo* displayRow = TtsRow::StaticClass().FindProperty("DisplayRow");
    EXPECT_TRUE(displayRow->IsStored(*Rows().Items(1)));
    // Moves outside the rows change nothing.
    grid.events.clear();
    for (auto [row, to] : std::vector<std::pair<int, int>>{{0, 1}, {5, 1}, {1, 0}, {1, 5}, {2, 1}})
        Rows().MoveRow(row, to);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_TRUE(grid.events.empty());
    // A moved row without settings needs no object.
    EXPECT_EQ(Rows().Items(2), nullptr);
}

TEST_F(RowTest, TheCurrentCellFollowsItsRow)
{
    grid.currentCol = 1;
    grid.currentRow = 2;
    Rows().MoveRow(4, 1);  // row 2 goes from position 2 to 3
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"CurrentRowMoved 3"}));
    grid.calls.clear();
    Rows().MoveRow(1, 1);  // row 1 is at 2 and goes to 1; row 2 stays at 3
    EXPECT_TRUE(grid.calls.empty());
    grid.reading = true;
    grid.events.clear();
    Rows().MoveRow(2, 1);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"CurrentRowMoved 1"}));
    EXPECT_TRUE(grid.events.empty());
}

TEST_F(RowTest, HidingARowMaterializesTheVisibleListAndShowingRestoresIt)
{
    EXPECT_FALSE(Rows().VisibleRows().Materialized());
    Rows().Update(2, [](TtsRow& r) { r.SetVisible(false); });
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(grid.RowHeights(2), 0);
    EXPECT_NE(Rows().Items(2), nullptr);
    EXPECT_EQ(grid.unselectedRows, std::vector<int>{2});
    Rows().Update(2, [](TtsRow& r) { r.SetVisible(true); });
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(grid.RowHeights(2), 14);
    EXPECT_EQ(Rows().Items(2), nullptr);
}

TEST_F(RowTest, HidingTheOnlyVisibleRowLeavesNoCurrentRowUntilOneIsShown)
{
    grid.Rows().SetRowCount(1);
    grid.currentCol = 1;
    grid.currentRow = 1;
    Rows().Update(1, [](TtsRow& r) { r.SetVisible(false); });
    EXPECT_EQ(grid.currentRow, 0);
    Rows().Update(1, [](TtsRow& r) { r.SetVisible(true); });
    EXPECT_EQ(grid.currentRow, 1);
    EXPECT_EQ(grid.calls.back(), "ChooseCurrentCell");
}

TEST_F(RowTest, TheNewRowLineAndARefusedEditCannotBeHidden)
{
    grid.newRowLine = true;
    Rows().Update(4, [](TtsRow& r) { r.SetVisible(false); });
    EXPECT_TRUE(Rows().Row(4).Visible());
    EXPECT_EQ(Rows().Items(4), nullptr);
    grid.newRowLine = false;
    grid.currentRow = 3;
    grid.refuseEndEdit = true;
    Rows().Update(3, [](TtsRow& r) { r.SetVisible(false); });
    EXPECT_TRUE(Rows().Row(3).Visible());
    EXPECT_EQ(grid.calls, std::vector<std::string>{"EndPendingEdit"});
}

TEST_F(RowTest, HeightsGoToTheLayoutAndRaiseTheirEvent)
{
    Rows().Update(2, [](TtsRow& r) { r.SetHeight(30); });
    EXPECT_EQ(grid.RowHeights(2), 30);
    EXPECT_EQ(grid.events, (std::vector<Event>{{"RowResized", 2}}));
    // A hidden row keeps its height out of the layout.
    Rows().Update(2, [](TtsRow& r) { r.SetVisible(false); });
    Rows().Update(2, [](TtsRow& r) { r.SetHeight(40); });
    EXPECT_EQ(grid.RowHeights(2), 0);
    EXPECT_EQ(Rows().Row(2).Height(), 40);
    // Heading row.
    Rows().SetHeadingHeight(22);
    EXPECT_EQ(grid.RowHeights(0), 22);
    Rows().SetHeadingOn(false);
    EXPECT_EQ(grid.RowHeights(0), 0);
    Rows().SetHeadingOn(true);
    EXPECT_EQ(grid.RowHeights(0), 22);
}

TEST_F(RowTest, LayoutHeightsChangedByOthersMakeObjectsOnlyWhereNeeded)
{
    Rows().MoveRow(1, 4);  // order 2, 3, 4, 1
    Rows().Update(3, [](TtsRow& r) { r.SetVisible(false); });
    grid.events.clear();
    grid.SetRowHeights(4, 25);  // display row 4 shows data row 1
    ASSERT_NE(Rows().Items(1), nullptr);
    EXPECT_EQ(Rows().Items(1)->Height(), 25);
    EXPECT_EQ(Rows().Items(1)->DesignHeight(), 25);
    EXPECT_EQ(Rows().ObjectCount(), 3);  // heading, 1 and the hidden 3
    EXPECT_EQ(grid.RowHeights(2), 0);
    EXPECT_EQ(grid.RowHeights(0), 15);
    EXPECT_EQ(grid.events.back(), (Event{"RowResized", -1}));
    // Back to the default: the object goes again.
    grid.SetRowHeights(4, 14);
    EXPECT_EQ(Rows().Items(1), nullptr);
    // A resize giving every row the same height keeps the design heights.
    Rows().Update(2, [](TtsRow& r) { r.SetHeight(18); });
    grid.sameHeightForAll = true;
    grid.SetRowHeights(1, 19);
    EXPECT_EQ(Rows().Items(2)->Height(), 19);
    EXPECT_EQ(Rows().Items(2)->DesignHeight(), 18);
}

TEST_F(RowTest, DefaultRowHeightDiscardsIndividualHeights)
{
    Rows().Update(1, [](TtsRow& r) { r.SetHeight(30); });
    Rows().Update(2, [](TtsRow& r) {
        r.SetHeight(40);
        r.SetVisible(false);
    });
    Rows().SetDefaultRowHeight(20);
    EXPECT_EQ(Rows().DefaultRowHeight(), 20);
    EXPECT_EQ(Rows().Items(1), nullptr);
    EXPECT_EQ(Rows().Row(1).Height(), 20);
    EXPECT_EQ(grid.RowHeights(1), 20);
    EXPECT_EQ(grid.RowHeights(2), 0);
    EXPECT_EQ(Rows().Row(2).Height(), 20);
    EXPECT_EQ(grid.RowHeights(0), 15);
    Rows().SetDefaultRowHeight(-3);
    EXPECT_EQ(Rows().DefaultRowHeight(), 1);
    EXPECT_EQ(grid.RowHeights(4), 1);
}

TEST_F(RowTest, FixedRowCountCountsTheHeadingRow)
{
    struct Case {
        int rows;
        int set;
        int reads;
        int layoutFixed;
    };
    // min(layout rows - 1, N + 1): more fixed rows than rows freeze all but
    // the last, which the layout keeps scrolled.
    const Case cases[] = {{4, 0, 0, 1}, {4, 2, 2, 3}, {4, 10, 10, 4}, {4, -2, 0, 1}, {0, 3, 3, 0}};
    for (const Case& c : cases) {
        TModelTestHost g;
        g.SetSize(2, c.rows);
        g.Rows().SetFixedRowCount(c.set);
        EXPECT_EQ(g.Rows().FixedRowCount(), c.reads) << c.rows << " " << c.set;
        EXPECT_EQ(g.FixedRows(), c.layoutFixed) << c.rows << " " << c.set;
    }
}

TEST_F(RowTest, RowChangedMarks)
{
    EXPECT_FALSE(Rows().RowChanged(2));
    Rows().SetRowChanged(2, true);
    Rows().SetRowChanged(2, true);
    EXPECT_TRUE(Rows().RowChanged(2));
    EXPECT_EQ(grid.calls, std::vector<std::string>{"InvalidateRowBar 2"});
    grid.currentRow = 2;
    Rows().SetRowChanged(2, false);
    EXPECT_FALSE(Rows().RowChanged(2));
    EXPECT_EQ(grid.calls[1], "CurrentRowChangeCleared");
    // A reset clears it too.
    Rows().SetRowChanged(3, true);
    Rows().Update(3, [](TtsRow& r) { r.ResetProperties(rpRowChanged); });
    EXPECT_FALSE(Rows().RowChanged(3));
    // Marks take no row objects and stay with their data rows.
    Rows().SetRowChanged(1, true);
    Rows().MoveRow(1, 4);
    EXPECT_TRUE(Rows().RowChanged(1));
    EXPECT_EQ(Rows().ObjectCount(), 1);
    Rows().SetRowCount(0);
    EXPECT_FALSE(Rows().RowChanged(1));
}

TEST_F(RowTest, IdentifiersFollowTheirRowsAndAreNotHandedOutAgain)
{
    std::vector<int> ids;
    for (int r = 0; r <= 4; ++r) {
        ids.push_back(Rows().RowId(r));
        EXPECT_EQ(Rows().FindRowById(ids.back()), r);
        if (r > 0) {
            EXPECT_GT(ids[r], ids[r - 1]);
        }
    }
    Rows().MoveRow(4, 1);
    EXPECT_EQ(Rows().FindRowById(ids[4]), 4);
    Rows().SetRowCount(2);
    Rows().SetRowCount(4);
    EXPECT_EQ(Rows().FindRowById(ids[2]), 2);
    EXPECT_GT(Rows().RowId(3), ids[4]);
    EXPECT_EQ(Rows().FindRowById(ids[4]), -1);
    EXPECT_EQ(Rows().FindRowById(-5), -1);
}

TEST_F(RowTest, ShrinkingKeepsTheOrderHeightsAndHiddenRowsThatRemain)
{
    Rows().MoveRow(4, 1);  // 4, 1, 2, 3
    Rows().Update(2, [](TtsRow& r) { r.SetHeight(33); });
    Rows().Update(1, [](TtsRow& r) { r.SetVisible(false); });
    Rows().SetRowCount(3);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.RowHeights(1), 0);
    EXPECT_EQ(grid.RowHeights(2), 33);
    EXPECT_EQ(grid.RowHeights(3), 14);
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{2, 3}));
    Rows().SetRowCount(5);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(VisiblePositions(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(grid.RowHeights(5), 14);
}

// One change of a setting away from its default, by name.
struct RowSettingCase {
    const char* name;
    std::function<void(TtsRow&)> change;
};

TEST_F(RowTest, EverySettingKeepsTheRowObject)
{
    TModelTestDateTimeDef def;
    const RowSettingCase cases[] = {
        {"ButtonType", [](TtsRow& r) { r.SetButtonType(btNormal); }},
        {"DateTimeDef", [&def](TtsRow& r) { r.SetDateTimeDef(&def); }},
        {"CenterPicture", [](TtsRow& r) { r.SetCenterPicture(dopOn); }},
        {"Color", [](TtsRow& r) { r.SetColor(0); }},
        {"ControlType", [](TtsRow& r) { r.SetControlType(ctText); }},
        {"DropDownStyle", [](TtsRow& r) { r.SetDropDownStyle(ddDropDownList); }},
        {"Font", [](TtsRow& r) { r.SetParentFont(false); }},
        {"Height", [](TtsRow& r) { r.SetHeight(15); }},
        {"HorzAlignment", [](TtsRow& r) { r.SetHorzAlignment(htaLeft); }},
        {"Is3D", [](TtsRow& r) { r.SetIs3D(true); }},
        {"KeepAspectRatio", [](TtsRow& r) { r.SetKeepAspectRatio(dopOn); }},
        {"MaskName", [](TtsRow& r) { r.SetMaskName("M"); }},
        {"ParentCombo", [](TtsRow& r) { r.SetParentCombo(false); }},
        {"ParentFont", [](TtsRow& r) { r.SetParentFont(false); }},
        {"ReadOnly", [](TtsRow& r) { r.SetReadOnly(true); }},
        {"ShrinkPicture", [](TtsRow& r) { r.SetShrinkPicture(dopOn); }},
        {"SpinIncrement", [](TtsRow& r) { r.SetSpinIncrement(2); }},
        {"SpinOptions", [](TtsRow& r) { r.SetSpinOptions({}); }},
        {"StretchPicture", [](TtsRow& r) { r.SetStretchPicture(dopOn); }},
        {"VertAlignment", [](TtsRow& r) { r.SetVertAlignment(vtaCenter); }},
        {"Visible", [](TtsRow& r) { r.SetVisible(false); }},
        {"WordWrap", [](TtsRow& r) { r.SetWordWrap(wwOn); }},
        {"Alignment", [](TtsRow& r) { r.SetAlignment(ui::taCenter); }},
        {"PrivateFont", [](TtsRow& r) { r.SetPrivateFont(true); }},
        {"Combo", [](TtsRow& r) { r.SetCombo(std::make_unique<core::TPersistent>()); }},
    };
    for (const RowSettingCase& c : cases) {
        TModelTestHost g;
        g.SetSize(1, 3);
        g.Rows().Update(2, c.change);
        EXPECT_NE(g.Rows().Items(2), nullptr) << c.name;
        // Everything back to its default lets the object go.
        g.Rows().Update(2, [](TtsRow& r) {
            core::ResetProperties(r);
            r.SetAlignment(ui::taLeftJustify);
            r.SetPrivateFont(false);
            r.SetParentCombo(true);
        });
        EXPECT_EQ(g.Rows().Items(2), nullptr) << c.name;
    }
    for (const core::PropInfo* prop : TtsRow::StaticClass().Properties()) {
        if (prop->Name() == "DisplayRow")
            continue;
        bool found = false;
        for (const RowSettingCase& c : cases)
            found = found || prop->Name() == c.name;
        EXPECT_TRUE(found) << prop->Name();
    }
    // Moving a row needs no object, however its DisplayRow files.
    Rows().MoveRow(2, 4);
    EXPECT_EQ(Rows().Items(2), nullptr);
}

TEST_F(RowTest, CopyingMovesFirstThenTakesTheSettings)
{
    Rows().Update(1, [](TtsRow& r) {
        r.SetColor(255);
        r.SetHeight(26);
        r.SetHorzAlignment(htaRight);
        r.SetDisplayRow(3);  // order 2, 3, 1, 4
    });
    grid.events.clear();
    TtsRow& dest = Rows().Ensure(4);
    dest.Assign(*Rows().Items(1));
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(dest.Color(), 255u);
    EXPECT_EQ(dest.Height(), 26);
    EXPECT_EQ(dest.DesignHeight(), 26);
    EXPECT_EQ(dest.HorzAlignment(), htaRight);
    EXPECT_EQ(dest.Alignment(), ui::taRightJustify);
    EXPECT_EQ(dest.DataRow(), 4);
    EXPECT_EQ(grid.RowHeights(3), 26);
    EXPECT_EQ(grid.events, (std::vector<Event>{{"RowMoved", 3, 1, 0}, {"RowResized", 4}}));
}

TEST_F(RowTest, ResetBitsOfRows)
{
    grid.SetRowHeights(2, 40);  // dragged: design height follows a drag
    Rows().Update(2, [](TtsRow& r) { r.SetHeight(20); });
    grid.SetRowHeights(2, 50);
    ASSERT_EQ(Rows().Row(2).Height(), 50);
    ASSERT_EQ(Rows().Row(2).DesignHeight(), 50);
    Rows().Update(2, [](TtsRow& r) {
        r.SetHeight(21);
        r.SetDropDownStyle(ddDropDownList);
        r.SetDisplayRow(4);
    });
    Rows().Update(2, [](TtsRow& r) { r.ResetProperties(rpDropDownStyle | rpDisplayPos); });
    EXPECT_EQ(Rows().Row(2).DropDownStyle(), ddDropDown);
    EXPECT_EQ(Rows().DisplayRownr(2), 2);
    EXPECT_EQ(Rows().Row(2).Height(), 21);
    // Column-only bits mean nothing to a row.
    Rows().Update(2, [](TtsRow& r) { r.ResetProperties(rpWidth | rpSelected | rpHeadingButton | rpSortPicture); });
    EXPECT_EQ(Rows().Row(2).Height(), 21);
    EXPECT_TRUE(grid.unselectedRows.empty());
}

TEST_F(RowTest, PrivateFontsFollowTheGridsFont)
{
    Rows().Update(2, [](TtsRow& r) { r.SetPrivateFont(true); });
    EXPECT_EQ(Rows().PrivateFontRows().Count(), 1);
    grid.font.SetName("Tahoma");
    Rows().GridFontChanged();
    ASSERT_NE(Rows().Items(2)->Font(), nullptr);
    EXPECT_EQ(Rows().Items(2)->Font()->Name(), "Tahoma");
    EXPECT_TRUE(Rows().Items(2)->ParentFont());
    // Changing the private copy makes it the row's own.
    Rows().Items(2)->Font()->SetName("Courier New");
    EXPECT_FALSE(Rows().Items(2)->ParentFont());
    grid.writing = true;
    EXPECT_NE(Rows().Items(2)->Font(), nullptr);
    EXPECT_EQ(Rows().Items(0)->Font(), nullptr);
}

TEST_F(RowTest, RemovingARowClosesItsGapAndRenumbersTheRowsAbove)
{
    Rows().MoveRow(4, 1);  // 4, 1, 2, 3
    Rows().Update(3, [](TtsRow& r) { r.SetColor(255); });
    Rows().Update(4, [](TtsRow& r) { r.SetHeight(30); });
    Rows().SetRowChanged(3, true);
    int id3 = Rows().RowId(3);
    int id4 = Rows().RowId(4);
    Rows().RemoveRow(2);
    EXPECT_EQ(Rows().RowCount(), 3);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(grid.unselectedRows, std::vector<int>{2});
    // The old rows 3 and 4 are now 2 and 3, with everything that was theirs.
    ASSERT_NE(Rows().Items(2), nullptr);
    EXPECT_EQ(Rows().Items(2)->Color(), 255u);
    EXPECT_EQ(Rows().Items(2)->DataRow(), 2);
    EXPECT_EQ(Rows().Items(3)->Height(), 30);
    EXPECT_EQ(grid.RowHeights(1), 30);
    EXPECT_TRUE(Rows().RowChanged(2));
    EXPECT_FALSE(Rows().RowChanged(3));
    EXPECT_EQ(Rows().FindRowById(id3), 2);
    EXPECT_EQ(Rows().FindRowById(id4), 3);
    EXPECT_EQ(Rows().ObjectCount(), 3);
    Rows().RemoveRow(0);
    Rows().RemoveRow(4);
    EXPECT_EQ(Rows().RowCount(), 3);
}

namespace {

// A component that files the settings of data row 2 of a grid, as a grid
// files its row settings.
class TRowHolder : public core::TComponent {
    CORE_CLASS(TRowHolder, core::TComponent)

    explicit TRowHolder(core::TComponent* owner = nullptr) : core::TComponent(owner)
    {
        SetName("Holder");
        host.SetSize(2, 3);
    }
    TtsRow* Row() const { return &host.Rows().Ensure(2); }
    static void Publish(core::PropertyList& list)
    {
        core::PropBuilder<TRowHolder> p(list);
        p.Object<TtsRow>("Row", &TRowHolder::Row, nullptr);
    }

    mutable TModelTestHost host;
};

CORE_CLASS_IMPL(TRowHolder)

}  // namespace

TEST(RowFiling, SettingsAndLegacyAlignmentsReadBackAndOnlyNonDefaultsAreWritten)
{
    TRowHolder holder;
    holder.host.reading = true;
    filing::ReadComponentText("object Holder: TRowHolder\n"
                              "  Row.Alignment = taRightJustify\n"
                              "  Row.Align = True\n"
                              "  Row.Height = 22\n"
                              "  Row.DisplayRow = 3\n"
                              "  Row.Font.Name = 'Courier New'\n"
                              "end\n",
                              &holder);
    holder.host.reading = false;
    TtsGridRows& rows = holder.host.Rows();
    EXPECT_EQ(rows.Items(2)->HorzAlignment(), htaRight);
    EXPECT_EQ(rows.Items(2)->Height(), 22);
    EXPECT_EQ(rows.DisplayRownr(2), 3);
    EXPECT_EQ(holder.host.RowHeights(3), 22);
    EXPECT_FALSE(rows.Items(2)->ParentFont());
    EXPECT_EQ(holder.host.events, std::vector<Event>{});
    holder.host.writing = true;
    AnsiString text = filing::ComponentToText(&holder);
    holder.host.writing = false;
    for (const char* present : {"Row.Height = 22", "Row.DisplayRow = 3", "Row.HorzAlignment = htaRight",
                                "Row.Font.Name = 'Courier New'"})
        EXPECT_NE(text.find(present), AnsiString::npos) << present << "\n" << text;
    for (const char* absent : {"Row.Align", "Row.Color", "Row.Visible", "Row.SpinIncrement"})
        EXPECT_EQ(text.find(absent), AnsiString::npos) << absent << "\n" << text;
}
