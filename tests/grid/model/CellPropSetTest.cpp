#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "grid/foundation/IntegerSet.h"
#include "grid/foundation/SetList.h"
#include "tests/grid/model/CellTestGrid.h"

namespace grid {
namespace {

using core::Variant;
using CellCall = TCellTestGrid::CellCall;

// The members of an integer set, in order.
std::vector<int> Members(const TtsIntegerSet* set)
{
    std::vector<int> values;
    if (!set)
        return values;
    auto list = set->GetList();
    for (int i = 1; i <= list->Count(); ++i)
        values.push_back(*list->Items(i).Integer());
    return values;
}

// The cells that have elements, in the set's order.
std::vector<std::pair<int, int>> Cells(const TtsCellPropSet& set)
{
    std::vector<std::pair<int, int>> cells;
    auto list = set.GetList();
    for (int i = 1; i <= list->Count(); ++i) {
        auto* cell = static_cast<const TtsCellElement*>(list->Items(i).Element());
        cells.emplace_back(cell->DataCol(), cell->DataRow());
    }
    return cells;
}

class CellPropSetTest : public testing::Test {
protected:
    TCellTestGrid host{nullptr};
    TtsCellPropSet set{&host};
};

struct SettingCase {
    const char* name;
    TtsPropNr nr;
    int subNr;
    TtsPropValue value;
};

TEST_F(CellPropSetTest, SettingBackToItsDefaultLeavesNoElement)
{
    graphics::TFont font;
    font.SetName("Other");
    const SettingCase cases[] = {
        {"Color", pnColor, 0, Variant(int32_t{graphics::clRed})},
        {"Font", pnFont, 0, TtsPropValue::Object(&font)},
        {"ParentFont", pnParentFont, 0, Variant(false)},
        {"HorzAlignment", pnHorzAlignment, 0, Variant(int32_t{htaCenter})},
        {"Aligned", pnAligned, 0, Variant(true)},
        {"Alignment", pnAlignment, 0, Variant(int32_t{ui::taRightJustify})},
        {"VertAlignment", pnVertAlignment, 0, Variant(int32_t{vtaBottom})},
        {"Is3D", pnIs3D, 0, Variant(true)},
        {"ReadOnly", pnCellReadOnly, 0, Variant(int32_t{roOff})},
        {"Boolean ReadOnly", pnReadOnly, 0, Variant(true)},
        {"WordWrap", pnWordWrap, 0, Variant(int32_t{wwOn})},
        {"ButtonType", pnButtonType, 0, Variant(int32_t{btNormal})},
        {"DropDownStyle", pnDropDownStyle, 0, Variant(int32_t{ddDropDownList})},
        {"MaskName", pnMaskName, 0, Variant(core::AnsiString("Phone"))},
        {"ParentCombo", pnParentCombo, 0, Variant(false)},
        {"StretchPicture", pnPicture, psStretchPicture, Variant(int32_t{dopOn})},
        {"KeepAspectRatio", pnPicture, psKeepAspectRatio, Variant(int32_t{dopOff})},
        {"ControlType", pnControlType, 0, Variant(int32_t{ctCheck})},
        {"SpinOptions", pnSpinOptions, 0, Variant(int32_t{1})},
        {"SpinIncrement", pnSpinIncrement, 0, Variant(2.5)},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(set.SetCellProp(2, 3, c.nr, c.subNr, c.value));
        TtsCellElement* element = set.FindCell(2, 3);
        ASSERT_NE(element, nullptr);
        EXPECT_FALSE(element->IsDefault());
        EXPECT_EQ(Members(set.RowsOfCol(2)), std::vector<int>{3});
        EXPECT_EQ(Members(set.ColsOfRow(3)), std::vector<int>{2});

        // Setting the value again changes nothing.
        EXPECT_FALSE(set.SetCellProp(2, 3, c.nr, c.subNr, element->GetProp(c.nr, c.subNr)));

        // Every setting back at its default: the element and its index go.
        ASSERT_TRUE(set.ResetCellProps(2, 3, 0xFFFFFFFF));
        EXPECT_EQ(set.Count(), 0);
        EXPECT_EQ(set.FindCell(2, 3), nullptr);
        EXPECT_EQ(set.RowsOfCol(2), nullptr);
        EXPECT_EQ(set.ColsOfRow(3), nullptr);
    }
}

TEST_F(CellPropSetTest, TheDefaultValueItselfMakesNoElement)
{
    EXPECT_FALSE(set.SetCellProp(1, 1, pnColor, 0, Variant(int32_t{graphics::clNone})));
    EXPECT_FALSE(set.SetCellProp(1, 1, pnFont, 0, TtsPropValue::Object(nullptr)));
    // Numbers that cell elements do not hold are ignored.
    EXPECT_FALSE(set.SetCellProp(1, 1, pnWidth, 0, Variant(int32_t{30})));
    EXPECT_EQ(set.Count(), 0);
    EXPECT_TRUE(host.repaints.empty());
}

TEST_F(CellPropSetTest, ColourBackToNoneDropsTheElementButKeepsOtherSettings)
{
    set.SetCellProp(1, 2, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(1, 2, pnIs3D, 0, Variant(true));
    set.SetCellProp(1, 2, pnColor, 0, Variant(int32_t{graphics::clNone}));
    ASSERT_NE(set.FindCell(1, 2), nullptr);
    EXPECT_TRUE(set.FindCell(1, 2)->Is3D());
    set.SetCellProp(1, 2, pnIs3D, 0, Variant(false));
    EXPECT_EQ(set.FindCell(1, 2), nullptr);
}

TEST_F(CellPropSetTest, ChangesRepaintTheCellOrReloadItsMask)
{
    graphics::TFont font;
    set.SetCellProp(1, 2, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(1, 2, pnFont, 0, TtsPropValue::Object(&font));
    set.SetCellProp(1, 2, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(3, 1, pnMaskName, 0, Variant(core::AnsiString("Date")));
    set.SetCellProp(3, 4, pnControlType, 0, Variant(int32_t{ctCheck}));
    set.SetCellProp(4, 4, pnColor, 0, Variant(int32_t{graphics::clBlue}), false);
    EXPECT_EQ(host.repaints,
              (std::vector<CellCall>{{1, 2, false}, {1, 2, true}, {3, 4, false}}));
    EXPECT_EQ(host.maskReloads, (std::vector<CellCall>{{3, 1, false}}));
    EXPECT_EQ(host.prunes, (std::vector<CellCall>{{3, 4, false}}));
}

TEST_F(CellPropSetTest, ResetByMaskTakesOnlyTheMaskedSettingsAndRepaintsOnce)
{
    set.SetCellProp(2, 2, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(2, 2, pnIs3D, 0, Variant(true));
    set.SetCellProp(2, 2, pnMaskName, 0, Variant(core::AnsiString("Phone")));
    set.SetCellProp(2, 2, pnPicture, psCenterPicture, Variant(int32_t{dopOn}));
    host.repaints.clear();
    host.maskReloads.clear();

    EXPECT_TRUE(set.ResetCellProps(2, 2, PropMask(pnColor) | PropMask(pnIs3D) | PropMask(pnPicture)));
    TtsCellElement* element = set.FindCell(2, 2);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->Color(), graphics::clNone);
    EXPECT_FALSE(element->Is3D());
    EXPECT_EQ(element->CenterPicture(), dopDefault);
    EXPECT_EQ(element->MaskName(), "Phone");
    // Only the first setting that changed repaints.
    EXPECT_EQ(host.repaints, (std::vector<CellCall>{{2, 2, false}}));

    EXPECT_FALSE(set.ResetCellProps(2, 2, PropMask(pnColor)));
    EXPECT_TRUE(set.ResetCellProps(2, 2, PropMask(pnMaskName)));
    EXPECT_EQ(set.Count(), 0);
}

TEST_F(CellPropSetTest, ResetOrderVisitsEveryCellSettingOnce)
{
    std::set<std::pair<int, int>> seen;
    std::vector<int> numbers;
    for (auto [nr, sub] : TtsCustomPropSet::ResetOrder()) {
        EXPECT_TRUE(seen.insert({nr, sub}).second);
        if (numbers.empty() || numbers.back() != nr)
            numbers.push_back(nr);
    }
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 8, 6, 7, 28, 29, 5, 15, 16, 17, 18, 20, 22, 23, 24, 25, 26, 27, 30,
                                         21, 9}));
}

TEST_F(CellPropSetTest, ResetAllTakesEveryElement)
{
    set.SetCellProp(1, 1, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(2, 3, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(2, 3, pnWordWrap, 0, Variant(int32_t{wwOn}));
    set.SetCellProp(4, 4, pnColor, 0, Variant(int32_t{graphics::clBlue}));
    set.ResetAllProps(PropMask(pnColor), false);
    EXPECT_EQ(Cells(set), (std::vector<std::pair<int, int>>{{2, 3}}));
    EXPECT_EQ(set.FindCell(2, 3)->WordWrap(), wwOn);
}

TEST_F(CellPropSetTest, LegacyAlignmentAndHorzAlignmentFollowEachOther)
{
    set.SetCellProp(1, 1, pnAlignment, 0, Variant(int32_t{ui::taRightJustify}));
    // The alignment alone is not in effect until the flag is set.
    EXPECT_EQ(set.FindCell(1, 1)->HorzAlignment(), htaDefault);
    set.SetCellProp(1, 1, pnAligned, 0, Variant(true));
    EXPECT_EQ(set.FindCell(1, 1)->HorzAlignment(), htaRight);
    set.SetCellProp(1, 1, pnHorzAlignment, 0, Variant(int32_t{htaCenter}));
    EXPECT_EQ(set.FindCell(1, 1)->Alignment(), ui::taCenter);
    EXPECT_TRUE(set.FindCell(1, 1)->Aligned());
    set.SetCellProp(1, 1, pnHorzAlignment, 0, Variant(int32_t{htaDefault}));
    EXPECT_EQ(set.Count(), 0);
}

TEST_F(CellPropSetTest, FontsAreCopiedAndParentFontFollows)
{
    graphics::TFont font;
    font.SetName("Own");
    set.SetCellProp(2, 2, pnFont, 0, TtsPropValue::Object(&font));
    TtsCellElement* element = set.FindCell(2, 2);
    ASSERT_NE(element->Font(), nullptr);
    EXPECT_NE(element->Font(), &font);
    EXPECT_EQ(element->Font()->Name(), "Own");
    EXPECT_FALSE(element->ParentFont());

    // ParentFont True drops the copy, and with it the element.
    set.SetCellProp(2, 2, pnParentFont, 0, Variant(true));
    EXPECT_EQ(set.Count(), 0);

    // ParentFont False takes a copy of the inherited font.
    set.SetCellProp(2, 2, pnParentFont, 0, Variant(false));
    ASSERT_NE(set.FindCell(2, 2), nullptr);
    EXPECT_EQ(set.FindCell(2, 2)->Font()->Name(), "Grid Font");
}

TEST_F(CellPropSetTest, ChangingTheOwnFontObjectClearsParentFontAndRepaints)
{
    set.SetCellProp(3, 1, pnParentFont, 0, Variant(false));
    set.SetCellProp(3, 1, pnParentFont, 0, Variant(true));
    ASSERT_TRUE(set.SetCellPrivateFont(3, 1, true));
    TtsCellElement* element = set.FindCell(3, 1);
    ASSERT_NE(element->Font(), nullptr);
    EXPECT_TRUE(element->ParentFont());
    host.repaints.clear();
    element->Font()->SetName("Changed");
    EXPECT_FALSE(element->ParentFont());
    EXPECT_EQ(host.repaints, (std::vector<CellCall>{{3, 1, false}}));
}

TEST_F(CellPropSetTest, PrivateFontKeepsACopyAndIsListed)
{
    ASSERT_TRUE(set.SetCellPrivateFont(2, 4, true));
    EXPECT_FALSE(set.SetCellPrivateFont(2, 4, true));
    TtsCellElement* element = set.FindCell(2, 4);
    ASSERT_NE(element, nullptr);
    ASSERT_NE(element->Font(), nullptr);
    EXPECT_TRUE(element->ParentFont());
    EXPECT_EQ(element->Font()->Name(), "Grid Font");
    EXPECT_EQ(set.PrivateFontCells().Count(), 1);

    // The grid's font changes: the copy follows.
    host.font.SetName("New Grid Font");
    set.RefreshPrivateFonts();
    EXPECT_EQ(element->Font()->Name(), "New Grid Font");

    // ParentFont True keeps a private copy.
    set.SetCellProp(2, 4, pnParentFont, 0, Variant(true));
    EXPECT_NE(set.FindCell(2, 4)->Font(), nullptr);

    ASSERT_TRUE(set.SetCellPrivateFont(2, 4, false));
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.PrivateFontCells().Count(), 0);
}

struct RenumberCase {
    const char* name;
    bool cols;
    int deleted;
    std::vector<std::pair<int, int>> before;
    std::vector<std::pair<int, int>> after;
};

TEST_F(CellPropSetTest, DeletingAColumnOrRowRenumbersTheElementsBeyondIt)
{
    const RenumberCase cases[] = {
        // Deleting data column 2 of 4: (3, 1) becomes (2, 1) and (2, 1) goes.
        {"column 2 of 4", true, 2, {{2, 1}, {3, 1}}, {{2, 1}}},
        {"column 2 with more", true, 2, {{1, 1}, {2, 1}, {4, 2}, {2, 3}, {3, 3}}, {{1, 1}, {3, 2}, {2, 3}}},
        {"last column", true, 4, {{4, 1}, {1, 1}}, {{1, 1}}},
        {"column without elements", true, 3, {{1, 2}, {4, 2}}, {{1, 2}, {3, 2}}},
        {"column beyond the elements", true, 4, {{1, 2}}, {{1, 2}}},
        {"row 1", false, 1, {{1, 1}, {2, 2}, {3, 4}}, {{2, 1}, {3, 3}}},
        {"row 3", false, 3, {{1, 1}, {1, 3}, {1, 4}, {2, 4}}, {{1, 1}, {1, 3}, {2, 3}}},
    };
    for (const RenumberCase& c : cases) {
        SCOPED_TRACE(c.name);
        set.Clear();
        for (auto [col, row] : c.before)
            set.SetCellProp(col, row, pnColor, 0, Variant(int32_t{col * 100 + row}));
        if (c.cols)
            set.DeleteCol(c.deleted);
        else
            set.DeleteRow(c.deleted);
        EXPECT_EQ(Cells(set), c.after);
        for (auto [col, row] : c.after) {
            ASSERT_NE(set.FindCell(col, row), nullptr);
            // The element kept its settings: its colour names where it came from.
            int color = set.FindCell(col, row)->Color();
            int fromCol = c.cols && col >= c.deleted ? col + 1 : col;
            int fromRow = !c.cols && row >= c.deleted ? row + 1 : row;
            EXPECT_EQ(color, fromCol * 100 + fromRow);
            EXPECT_NE(Members(set.RowsOfCol(col)).size(), 0u);
            EXPECT_NE(Members(set.ColsOfRow(row)).size(), 0u);
        }
    }
}

TEST_F(CellPropSetTest, DeletingAColumnMovesThePrivateFontList)
{
    set.SetCellPrivateFont(2, 1, true);
    set.SetCellPrivateFont(3, 2, true);
    set.SetCellPrivateFont(1, 3, true);
    set.DeleteCol(2);
    std::set<std::pair<int, int>> cells;
    for (const TtsCoord& c : set.PrivateFontCells())
        cells.insert({c.Col, c.Row});
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{2, 2}, {1, 3}}));
    set.DeleteRow(1);
    cells.clear();
    for (const TtsCoord& c : set.PrivateFontCells())
        cells.insert({c.Col, c.Row});
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{2, 1}, {1, 2}}));
}

TEST_F(CellPropSetTest, CopyingASetCopiesItsElementsForTheNewGrid)
{
    set.SetCellProp(1, 2, pnColor, 0, Variant(int32_t{graphics::clRed}));
    set.SetCellProp(3, 1, pnMaskName, 0, Variant(core::AnsiString("Phone")));
    set.SetCellPrivateFont(2, 2, true);
    TCellTestGrid other(nullptr);
    TtsCellPropSet copy(&other);
    copy.SetCellProp(4, 4, pnIs3D, 0, Variant(true));
    copy.Assign(set);
    EXPECT_EQ(Cells(copy), Cells(set));
    ASSERT_NE(copy.FindCell(1, 2), nullptr);
    EXPECT_NE(copy.FindCell(1, 2), set.FindCell(1, 2));
    EXPECT_EQ(copy.FindCell(1, 2)->Grid(), &other);
    EXPECT_EQ(copy.FindCell(3, 1)->MaskName(), "Phone");
    EXPECT_EQ(Members(copy.ColsOfRow(2)), (std::vector<int>{1, 2}));
    EXPECT_EQ(copy.RowsOfCol(4), nullptr);
    EXPECT_EQ(copy.PrivateFontCells().Count(), 1);
}

TEST_F(CellPropSetTest, TheLookupCacheNeverHidesANewOrDroppedElement)
{
    EXPECT_EQ(set.FindCell(2, 2), nullptr);
    set.SetCellProp(2, 2, pnColor, 0, Variant(int32_t{graphics::clRed}));
    EXPECT_NE(set.FindCell(2, 2), nullptr);
    EXPECT_NE(set.FindCell(2, 2), nullptr);
    set.SetCellProp(2, 2, pnColor, 0, Variant(int32_t{graphics::clNone}));
    EXPECT_EQ(set.FindCell(2, 2), nullptr);
    set.SetCellProp(2, 3, pnColor, 0, Variant(int32_t{graphics::clRed}));
    EXPECT_EQ(set.FindCell(2, 2), nullptr);
    set.DeleteRow(2);
    EXPECT_NE(set.FindCell(2, 2), nullptr);
}

// Random sets, resets and deletions against a plain map of the settings;
// after every step the set, its lookups and both halves of the cross index
// agree with the map.
TEST_F(CellPropSetTest, RandomSetsAndResetsKeepTheCrossIndexExact)
{
    struct Settings {
        int color = graphics::clNone;
        int controlType = ctDefault;
        bool is3D = false;
        bool privateFont = false;
        bool Default() const
        {
            return color == graphics::clNone && controlType == ctDefault && !is3D && !privateFont;
        }
    };
    const int size = 7;
    std::map<std::pair<int, int>, Settings> model;
    std::mt19937 random(20261210);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    for (int step = 0; step < 4000; ++step) {
        int col = 1 + pick(size);
        int row = 1 + pick(size);
        Settings& s = model[{col, row}];
        switch (pick(10)) {
        case 9:
            s.privateFont = pick(2) == 1;
            set.SetCellPrivateFont(col, row, s.privateFont);
            break;
        case 0:
        case 1:
        case 2: {
            const int colors[] = {graphics::clNone, graphics::clRed, graphics::clBlue};
            s.color = colors[pick(3)];
            set.SetCellProp(col, row, pnColor, 0, Variant(int32_t{s.color}));
            break;
        }
        case 3:
        case 4:
            s.controlType = pick(5);
            set.SetCellProp(col, row, pnControlType, 0, Variant(int32_t{s.controlType}));
            break;
        case 5:
            s.is3D = pick(2) == 1;
            set.SetCellProp(col, row, pnIs3D, 0, Variant(s.is3D));
            break;
        case 6: {
            uint32_t mask = (pick(2) ? PropMask(pnColor) : 0) | (pick(2) ? PropMask(pnIs3D) : 0) |
                            (pick(2) ? PropMask(pnControlType) : 0);
            if (mask & PropMask(pnColor))
                s.color = graphics::clNone;
            if (mask & PropMask(pnIs3D))
                s.is3D = false;
            if (mask & PropMask(pnControlType))
                s.controlType = ctDefault;
            set.ResetCellProps(col, row, mask);
            break;
        }
        case 7:
        case 8: {
            if (pick(8) != 0)
                break;
            bool cols = pick(2) == 0;
            int deleted = 1 + pick(size);
            std::map<std::pair<int, int>, Settings> next;
            for (auto& [cell, value] : model) {
                int c = cell.first;
                int r = cell.second;
                int n = cols ? c : r;
                if (n == deleted)
                    continue;
                if (n > deleted)
                    (cols ? c : r) -= 1;
                next[{c, r}] = value;
            }
            model = std::move(next);
            if (cols)
                set.DeleteCol(deleted);
            else
                set.DeleteRow(deleted);
            break;
        }
        }

        // Compare everything with the model.
        std::map<int, std::vector<int>> rowsOfCol;
        std::map<int, std::vector<int>> colsOfRow;
        std::set<std::pair<int, int>> privateFonts;
        int expected = 0;
        for (auto& [cell, value] : model) {
            TtsCellElement* element = set.FindCell(cell.first, cell.second);
            if (value.Default()) {
                ASSERT_EQ(element, nullptr) << "step " << step;
                continue;
            }
            ++expected;
            ASSERT_NE(element, nullptr) << "step " << step;
            ASSERT_EQ(element->Color(), value.color);
            ASSERT_EQ(element->ControlType(), value.controlType);
            ASSERT_EQ(element->Is3D(), value.is3D);
            ASSERT_EQ(element->PrivateFont(), value.privateFont);
            if (value.privateFont)
                privateFonts.insert(cell);
            rowsOfCol[cell.first].push_back(cell.second);
            colsOfRow[cell.second].push_back(cell.first);
        }
        ASSERT_EQ(set.Count(), expected) << "step " << step;
        std::set<std::pair<int, int>> listed;
        for (const TtsCoord& c : set.PrivateFontCells())
            ASSERT_TRUE(listed.insert({c.Col, c.Row}).second) << "step " << step;
        ASSERT_EQ(listed, privateFonts) << "step " << step;
        for (int n = 0; n <= size + 1; ++n) {
            ASSERT_EQ(Members(set.RowsOfCol(n)), rowsOfCol[n]) << "step " << step << " column " << n;
            ASSERT_EQ(Members(set.ColsOfRow(n)), colsOfRow[n]) << "step " << step << " row " << n;
        }
    }
}

}  // namespace
}  // namespace grid
