// Moving the current cell by keys and clicks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/model/Col.h"
#include "grid/model/Row.h"
#include "grid/view/Grid.h"
#include "grid/view/GridNavigation.h"
#include "platform/ui/Button.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

using namespace grid;
using namespace ui;

namespace {

struct NavFixture : ::testing::Test {
    std::unique_ptr<TtsGrid> grid = std::make_unique<TtsGrid>(nullptr);
    TtsGridNavigation nav{*grid};

    void SetUp() override
    {
        grid->SetCols(3);
        grid->SetRows(4);
    }
    void At(int col, int row) { grid->MakeCellCurrent(col, row); }
    std::string Cur() const { return std::to_string(grid->CurDataCol()) + "," + std::to_string(grid->CurDataRow()); }
    void ColReadOnly(int col) { grid->GridCols().Col(col)->SetReadOnly(true); }
    void HideRow(int row) { grid->GridRows().Update(row, [](TtsRow& r) { r.SetVisible(false); }); }
    void RowReadOnly(int row) { grid->GridRows().Update(row, [](TtsRow& r) { r.SetReadOnly(true); }); }
};

struct KeyCase {
    const char* name;
    std::uint16_t key;
    TShiftState shift;
    int fromCol, fromRow;
    const char* plain;      // where the key lands on a plain 3x4 grid
    const char* readOnly;   // column 2 and row 3 read-only, row 2 hidden
};

TShiftState Shift() { return TShiftState{ssShift}; }
TShiftState Ctrl() { return TShiftState{ssCtrl}; }

}  // namespace

TEST_F(NavFixture, EachKeyWithAndWithoutReadOnlyCellsAndHiddenRows)
{
    const KeyCase cases[] = {
        {"Tab", VK_TAB, {}, 1, 1, "2,1", "3,1"},
        {"Tab wraps to the next row", VK_TAB, {}, 3, 1, "1,2", "1,4"},
        {"Shift+Tab", VK_TAB, Shift(), 3, 1, "2,1", "1,1"},
        {"Shift+Tab wraps back", VK_TAB, Shift(), 1, 4, "3,3", "3,1"},
        {"Enter as Tab", VK_RETURN, {}, 1, 1, "2,1", "3,1"},
        {"Right", VK_RIGHT, {}, 1, 1, "2,1", "3,1"},
        {"Left", VK_LEFT, {}, 3, 1, "2,1", "1,1"},
        {"Down", VK_DOWN, {}, 1, 1, "1,2", "1,4"},
        {"Up", VK_UP, {}, 1, 4, "1,3", "1,1"},
        {"Down at the last row", VK_DOWN, {}, 1, 4, "1,4", "1,4"},
        {"Ctrl+Home", VK_HOME, Ctrl(), 3, 4, "1,1", "1,1"},
        {"Ctrl+End", VK_END, Ctrl(), 1, 1, "3,4", "3,4"},
        {"Ctrl+Left", VK_LEFT, Ctrl(), 3, 4, "1,4", "1,4"},
        {"Ctrl+Right", VK_RIGHT, Ctrl(), 1, 4, "3,4", "3,4"},
        {"Ctrl+Up", VK_UP, Ctrl(), 3, 4, "3,1", "3,1"},
        {"Ctrl+Down", VK_DOWN, Ctrl(), 3, 1, "3,4", "3,4"},
        {"Home alone is the editor's", VK_HOME, {}, 3, 4, "3,4", "3,4"},
        {"Tab in the last cell stays", VK_TAB, {}, 3, 4, "3,4", "3,4"},
    };
    for (bool readOnly : {false, true}) {
        for (const KeyCase& c : cases) {
            grid = std::make_unique<TtsGrid>(nullptr);
            SetUp();
            TtsGridNavigation nav{*grid};
            if (readOnly) {
                ColReadOnly(2);
                RowReadOnly(3);
                HideRow(2);
            }
            At(c.fromCol, c.fromRow);
            nav.KeyDown(c.key, c.shift);
            EXPECT_EQ(Cur(), readOnly ? c.readOnly : c.plain) << c.name << (readOnly ? " (read-only)" : "");
        }
    }
}

TEST_F(NavFixture, TabAndRowWrap)
{
    At(3, 1);
    nav.TabRowWrap = false;
    EXPECT_TRUE(nav.KeyDown(VK_TAB, {}));
    EXPECT_EQ(Cur(), "3,1") << "without row wrap Tab in the last column stays";
    nav.TabRowWrap = true;
    nav.WantTabs = false;
    EXPECT_FALSE(nav.KeyDown(VK_TAB, {})) << "Tab is left to the form";
    EXPECT_EQ(Cur(), "3,1");
    nav.WantTabs = true;
    EXPECT_FALSE(nav.KeyDown(VK_TAB, Ctrl())) << "Ctrl+Tab is the form's";
    EXPECT_FALSE(nav.KeyDown(VK_DOWN, TShiftState{ssAlt})) << "Alt keys go to the menus";
}

TEST_F(NavFixture, AllReadOnlyColumnsStayPutUnlessSkippingIsOff)
{
    for (int c = 1; c <= 3; ++c)
        ColReadOnly(c);
    At(2, 2);
    for (auto key : {VK_TAB, VK_LEFT, VK_RIGHT}) {
        nav.KeyDown(key, {});
        EXPECT_EQ(Cur(), "2,2") << key;
    }
    nav.SkipReadOnly = false;
    nav.KeyDown(VK_TAB, {});
    EXPECT_EQ(Cur(), "3,2");
    nav.KeyDown(VK_TAB, {});
    EXPECT_EQ(Cur(), "1,3");
}

TEST_F(NavFixture, OneEditableColumnTabsRowByRow)
{
    // The account list: two read-only text columns and a check-box column.
    ColReadOnly(1);
    ColReadOnly(2);
    grid->SetCellSelectMode(cmNone);
    grid->SetRowSelectMode(rsNone);
    At(3, 1);
    for (const char* want : {"3,2", "3,3", "3,4"}) {
        nav.KeyDown(VK_TAB, {});
        EXPECT_EQ(Cur(), want);
    }
    nav.KeyDown(VK_LEFT, {});
    EXPECT_EQ(Cur(), "3,3");
    nav.KeyDown(VK_RETURN, {});
    EXPECT_EQ(Cur(), "3,4");
    nav.KeyDown(VK_UP, {});
    EXPECT_EQ(Cur(), "3,3") << "Up stays in the column";
    // A click on a read-only cell of another row moves the row only.
    nav.ClickCell(1, 1, mbLeft, {});
    EXPECT_EQ(Cur(), "3,1");
}

TEST_F(NavFixture, RefusedLeaveKeepsTheCell)
{
    std::vector<bool> asked;
    nav.CanLeaveCell = [&](bool rowChanges) {
        asked.push_back(rowChanges);
        return false;
    };
    At(1, 1);
    nav.KeyDown(VK_TAB, {});
    nav.KeyDown(VK_DOWN, {});
    nav.ClickCell(3, 3, mbLeft, {});
    EXPECT_EQ(Cur(), "1,1");
    EXPECT_EQ(asked, (std::vector<bool>{false, true, true}));
}

TEST_F(NavFixture, PlainClickClearsASelection)
{
    grid->SelectCols(3, 3, true);
    ASSERT_EQ(grid->GridStatus(), gstColsSelected);
    nav.ClickCell(2, 2, mbLeft, TShiftState{ssCtrl});
    EXPECT_EQ(grid->GridStatus(), gstColsSelected) << "Ctrl+click keeps the selection";
    nav.ClickCell(3, 2, mbLeft, {});
    EXPECT_EQ(grid->GridStatus(), gstNone);
    EXPECT_EQ(Cur(), "3,2");
    // With a row selected and the cell drawn selected a right click keeps
    // the current cell.
    grid->SelectRows(4, 4, true);
    nav.ClickCell(1, 4, mbRight, {});
    EXPECT_EQ(Cur(), "3,2");
}

TEST_F(NavFixture, ListBoxRowsFollowTheCurrentRow)
{
    grid->SetGridMode(gmListBox);
    At(1, 1);
    grid->SelectRows(1, 1, true);
    nav.KeyDown(VK_DOWN, {});
    EXPECT_EQ(Cur(), "1,2");
    EXPECT_TRUE(grid->RowSelected(2));
    EXPECT_FALSE(grid->RowSelected(1));
    EXPECT_FALSE(nav.KeyDown(VK_TAB, {})) << "no cell navigation in a list box";
}

TEST(NavScale, CtrlEndAndStepsOnAMillionRows)
{
    auto grid = std::make_unique<TtsGrid>(nullptr);
    grid->SetCols(2);
    grid->SetRows(1000000);
    TtsGridNavigation nav{*grid};
    nav.KeyDown(VK_END, TShiftState{ssCtrl});
    EXPECT_EQ(grid->CurDataRow(), 1000000);
    nav.KeyDown(VK_UP, {});
    EXPECT_EQ(grid->CurDataRow(), 999999);
    nav.KeyDown(VK_HOME, TShiftState{ssCtrl});
    EXPECT_EQ(grid->CurDataRow(), 1);
    EXPECT_EQ(grid->CurDataCol(), 1);
}


namespace {

// The grid on a form with a button after it, keys typed on the display.
class GridKeysFixture : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        grid = Add<TtsGrid>("Grid1", graphics::Bounds(10, 10, 300, 200));
        grid->SetCols(3);
        grid->SetRows(100);
        after = Add<ui::TButton>("Button1", graphics::Bounds(10, 220, 80, 24));
        ShowForm();
        grid->SetFocus();
        Pump();
    }
    void Key(unsigned vk, std::initializer_list<unsigned> modifiers = {})
    {
        display->PressKey(vk, modifiers);
        Pump();
    }
    TtsGrid* grid = nullptr;
    ui::TButton* after = nullptr;
};

}  // namespace

TEST_F(GridKeysFixture, TheGridKeepsItsKeysAndTabLeavesOnlyWhenAsked)
{
    std::vector<std::uint16_t> seen;
    grid->OnKeyDown = [&](core::TObject*, std::uint16_t& key, ui::TShiftState) {
        seen.push_back(key);
        if (key == VK_F5)
            key = 0;
    };
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    EXPECT_EQ(grid->CurDataRow(), 3);
    EXPECT_EQ(grid->CurDataCol(), 2);
    EXPECT_TRUE(grid->Focused()) << "arrows stay in the grid";
    Key(VK_END, {VK_CONTROL});
    EXPECT_EQ(grid->CurDataRow(), 100);
    EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 100) << "the last row is scrolled into view";
    Key(VK_TAB);
    EXPECT_TRUE(grid->Focused()) << "Tab in the last cell stays in the grid";
    EXPECT_EQ(grid->CurDataRow(), 100);
    grid->Navigation().WantTabs = false;
    Key(VK_TAB);
    EXPECT_TRUE(after->Focused()) << "without WantTabs Tab goes to the next control";
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], VK_DOWN) << "OnKeyDown comes before the move";
}
