#include <gtest/gtest.h>

#include "grid/foundation/DateTimeLink.h"
#include "grid/foundation/EInvalidGridOperation.h"
#include "grid/model/Cell.h"
#include "grid/model/Col.h"
#include "grid/model/Row.h"
#include "platform/core/Properties.h"
#include "platform/core/TypeInfo.h"
#include "tests/grid/model/CellTestGrid.h"

namespace grid {
namespace {

using graphics::clBlue;
using graphics::clBtnFace;
using graphics::clGreen;
using graphics::clNone;
using graphics::clRed;
using graphics::clWindow;
using graphics::clYellow;
using graphics::TColor;

class CellSettingsTest : public testing::Test {
protected:
    TCellTestGrid grid{nullptr};
    TtsCellSettings& cells = grid.Cells();

    TtsCol& Col(int dataCol) { return *grid.Cols().Col(dataCol); }
    template <typename F>
    void Row(int dataRow, F&& write)
    {
        grid.Rows().Update(dataRow, std::forward<F>(write));
    }
};

struct ColourCase {
    const char* name;
    TtsDrawOverlap overlap;
    TColor col;
    TColor row;
    TColor cell;
    TColor expected;
};

TEST_F(CellSettingsTest, ColourComesFromCellThenColumnAndRowInDrawOverlapOrder)
{
    const ColourCase cases[] = {
        {"column on top", doDrawColOnTop, clBlue, clRed, clNone, clBlue},
        {"row on top", doDrawRowOnTop, clBlue, clRed, clNone, clRed},
        {"cell beats column", doDrawColOnTop, clBlue, clRed, clGreen, clGreen},
        {"cell beats row", doDrawRowOnTop, clBlue, clRed, clGreen, clGreen},
        {"column on top, column unset", doDrawColOnTop, clNone, clRed, clNone, clRed},
        {"row on top, row unset", doDrawRowOnTop, clBlue, clNone, clNone, clBlue},
        {"nothing set", doDrawColOnTop, clNone, clNone, clNone, clWindow},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid.overlap = c.overlap;
        Col(2).SetColor(c.col);
        Row(3, [&](TtsRow& row) { row.SetColor(c.row); });
        cells.SetCellColor(2, 3, c.cell);
        EXPECT_EQ(cells.EffectiveColor(2, 3), c.expected);
        // The neighbours see only their own column or row.
        EXPECT_EQ(cells.EffectiveColor(1, 3), c.row != clNone ? c.row : clWindow);
    }
}

TEST_F(CellSettingsTest, GridColourOfNoneOrWindowGivesWindowOrButtonFace)
{
    struct Case {
        TColor gridColor;
        bool is3D;
        TColor expected;
    };
    // A grid colour of none would leave a flat cell unpainted: it takes the
    // window colour.
    const Case cases[] = {
        {clNone, false, clWindow}, {clNone, true, clBtnFace}, {clWindow, false, clWindow},
        {clWindow, true, clBtnFace}, {clYellow, false, clYellow}, {clYellow, true, clYellow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gridColor << (c.is3D ? " 3D" : " flat"));
        grid.color = c.gridColor;
        cells.SetCellIs3D(1, 1, c.is3D);
        EXPECT_EQ(cells.EffectiveColor(1, 1), c.expected);
    }
}

TEST_F(CellSettingsTest, Is3DComesFromAnyLevel)
{
    struct Case {
        bool grid, col, row, cell, expected;
    };
    const Case cases[] = {
        {false, false, false, false, false}, {true, false, false, false, true},
        {false, true, false, false, true},   {false, false, true, false, true},
        {false, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.grid << c.col << c.row << c.cell);
        grid.is3D = c.grid;
        Col(2).SetIs3D(c.col);
        Row(3, [&](TtsRow& row) { row.SetIs3D(c.row); });
        cells.SetCellIs3D(2, 3, c.cell);
        EXPECT_EQ(cells.EffectiveIs3D(2, 3), c.expected);
    }
    // A row raised by its own setting raises every cell of it.
    grid.is3D = false;
    Col(2).SetIs3D(false);
    cells.SetCellIs3D(2, 3, false);
    Row(3, [](TtsRow& row) { row.SetIs3D(true); });
    for (int col = 1; col <= 4; ++col)
        EXPECT_TRUE(cells.EffectiveIs3D(col, 3));
    EXPECT_FALSE(cells.EffectiveIs3D(1, 2));
}

TEST_F(CellSettingsTest, ReadOnlyOfCellColumnRowAndVisibility)
{
    struct Case {
        const char* name;
        bool colReadOnly;
        bool rowReadOnly;
        TtsReadOnly cell;
        bool colVisible;
        bool designEditable;
        bool expected;
    };
    const Case cases[] = {
        {"roOff in a read-only column", true, false, roOff, true, false, false},
        {"roDefault in a read-only column", true, false, roDefault, true, false, true},
        {"roDefault in a read-only row", false, true, roDefault, true, false, true},
        {"roOn in an editable column", false, false, roOn, true, false, true},
        {"roDefault everywhere", false, false, roDefault, true, false, false},
        {"hidden column beats roOff", false, false, roOff, false, false, true},
        {"design mode with stored data", true, true, roOn, true, true, false},
        {"design mode, hidden column", false, false, roDefault, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Col(2).SetReadOnly(c.colReadOnly);
        Col(2).SetVisible(c.colVisible);
        Row(3, [&](TtsRow& row) { row.SetReadOnly(c.rowReadOnly); });
        cells.SetCellReadOnly(2, 3, c.cell);
        grid.designEditable = c.designEditable;
        EXPECT_EQ(cells.EffectiveReadOnly(2, 3), c.expected);
    }
}

TEST_F(CellSettingsTest, ControlTypeOfACellWithoutElementIsDefaultAndResolvesToColumnRowOrText)
{
    EXPECT_EQ(cells.CellControlType(2, 3), ctDefault);
    EXPECT_EQ(cells.EffectiveControlType(2, 3), ctText);
    Row(3, [](TtsRow& row) { row.SetControlType(ctPicture); });
    EXPECT_EQ(cells.EffectiveControlType(2, 3), ctPicture);
    Col(2).SetControlType(ctCheck);
    EXPECT_EQ(cells.EffectiveControlType(2, 3), ctCheck);
    grid.overlap = doDrawRowOnTop;
    EXPECT_EQ(cells.EffectiveControlType(2, 3), ctPicture);
    cells.SetCellControlType(2, 3, ctNone);
    EXPECT_EQ(cells.EffectiveControlType(2, 3), ctNone);
    EXPECT_EQ(grid.prunes, (std::vector<TCellTestGrid::CellCall>{{2, 3, false}}));
}

TEST_F(CellSettingsTest, AlignmentsFallBackToTheLegacyColumnAlignmentThenTheGrid)
{
    EXPECT_EQ(cells.EffectiveHorzAlignment(2, 3), htaLeft);
    EXPECT_EQ(cells.EffectiveVertAlignment(2, 3), vtaTop);
    grid.horzAlignment = htaCenter;
    grid.vertAlignment = vtaBottom;
    EXPECT_EQ(cells.EffectiveHorzAlignment(2, 3), htaCenter);
    EXPECT_EQ(cells.EffectiveVertAlignment(2, 3), vtaBottom);
    Row(3, [](TtsRow& row) { row.SetHorzAlignment(htaRight); });
    EXPECT_EQ(cells.EffectiveHorzAlignment(2, 3), htaRight);
    cells.SetCellHorzAlignment(2, 3, htaLeft);
    cells.SetCellVertAlignment(2, 3, vtaCenter);
    EXPECT_EQ(cells.EffectiveHorzAlignment(2, 3), htaLeft);
    EXPECT_EQ(cells.EffectiveVertAlignment(2, 3), vtaCenter);
    // A column's legacy alignment counts after column and row.
    Col(1).SetAlignment(ui::taCenter);
    Col(1).SetAligned(false);
    EXPECT_EQ(cells.EffectiveHorzAlignment(1, 1), htaCenter);
    EXPECT_EQ(cells.EffectiveHorzAlignment(1, 3), htaRight);
}

TEST_F(CellSettingsTest, WordWrapMaskAndPicturesResolveByLevel)
{
    EXPECT_EQ(cells.EffectiveWordWrap(2, 3), wwOff);
    Col(2).SetWordWrap(wwOn);
    EXPECT_EQ(cells.EffectiveWordWrap(2, 3), wwOn);
    cells.SetCellWordWrap(2, 3, wwOff);
    EXPECT_EQ(cells.EffectiveWordWrap(2, 3), wwOff);

    EXPECT_EQ(cells.EffectiveMaskName(2, 3), "");
    Row(3, [](TtsRow& row) { row.SetMaskName("RowMask"); });
    EXPECT_EQ(cells.EffectiveMaskName(2, 3), "RowMask");
    Col(2).SetMaskName("ColMask");
    EXPECT_EQ(cells.EffectiveMaskName(2, 3), "ColMask");
    grid.overlap = doDrawRowOnTop;
    EXPECT_EQ(cells.EffectiveMaskName(2, 3), "RowMask");
    cells.SetCellMaskName(2, 3, "CellMask");
    EXPECT_EQ(cells.EffectiveMaskName(2, 3), "CellMask");
    EXPECT_EQ(grid.maskReloads, (std::vector<TCellTestGrid::CellCall>{{2, 3, false}}));

    EXPECT_EQ(cells.EffectivePicture(2, 3, psStretchPicture), dopDefault);
    Col(2).SetStretchPicture(dopOn);
    Row(3, [](TtsRow& row) { row.SetKeepAspectRatio(dopOff); });
    EXPECT_EQ(cells.EffectivePicture(2, 3, psStretchPicture), dopOn);
    EXPECT_EQ(cells.EffectivePicture(2, 3, psKeepAspectRatio), dopOff);
    cells.SetCellStretchPicture(2, 3, dopOff);
    EXPECT_EQ(cells.EffectivePicture(2, 3, psStretchPicture), dopOff);
}

TEST_F(CellSettingsTest, ButtonTypeAndDropDownStyleComeFromTheSameLevel)
{
    EXPECT_EQ(cells.EffectiveButtonType(2, 3), btNone);
    Row(3, [](TtsRow& row) {
        row.SetButtonType(btCombo);
        row.SetDropDownStyle(ddDropDownList);
    });
    Col(2).SetButtonType(btNormal);
    TtsDropDownStyle style = ddDropDownList;
    EXPECT_EQ(cells.EffectiveButtonType(2, 3, &style), btNormal);
    EXPECT_EQ(style, ddDropDown);
    grid.overlap = doDrawRowOnTop;
    EXPECT_EQ(cells.EffectiveButtonType(2, 3, &style), btCombo);
    EXPECT_EQ(style, ddDropDownList);
    cells.SetCellButtonType(2, 3, btVertSpin);
    EXPECT_EQ(cells.EffectiveButtonType(2, 3, &style), btVertSpin);
    EXPECT_EQ(style, ddDropDown);

    // Without ReadOnlyButton a read-only cell shows none.
    grid.readOnlyButton = false;
    cells.SetCellReadOnly(2, 3, roOn);
    EXPECT_EQ(cells.EffectiveButtonType(2, 3), btNone);
    cells.SetCellReadOnly(2, 3, roOff);
    EXPECT_EQ(cells.EffectiveButtonType(2, 3), btVertSpin);
    EXPECT_EQ(cells.EffectiveButtonType(9, 3), btNone);
}

TEST_F(CellSettingsTest, SpinSettingsComeFromTheFirstLevelWithASpinButton)
{
    TtsSpinOptions options;
    double increment = -1;
    cells.EffectiveSpin(2, 3, options, increment);
    EXPECT_TRUE(options.Empty());
    EXPECT_EQ(increment, 0);

    Col(2).SetButtonType(btHorzSpin);
    Col(2).SetSpinIncrement(5);
    Row(3, [](TtsRow& row) {
        row.SetButtonType(btVertSpin);
        row.SetSpinIncrement(2);
        row.SetSpinOptions({spoKeyEdit});
    });
    cells.SetCellSpinIncrement(2, 3, 7);  // no spin button of its own
    cells.EffectiveSpin(2, 3, options, increment);
    EXPECT_EQ(increment, 5);
    EXPECT_EQ(options, kAllSpinOptions);
    grid.overlap = doDrawRowOnTop;
    cells.EffectiveSpin(2, 3, options, increment);
    EXPECT_EQ(increment, 2);
    EXPECT_EQ(options, TtsSpinOptions{spoKeyEdit});
    cells.SetCellButtonType(2, 3, btVertSpin);
    cells.EffectiveSpin(2, 3, options, increment);
    EXPECT_EQ(increment, 7);
}

TEST_F(CellSettingsTest, FontComesFromTheFirstLevelWithoutParentFont)
{
    EXPECT_EQ(&cells.EffectiveFont(2, 3), &grid.font);
    graphics::TFont rowFont;
    rowFont.SetName("Row Font");
    Row(3, [&](TtsRow& row) { row.SetFont(&rowFont); });
    EXPECT_EQ(cells.EffectiveFont(2, 3).Name(), "Row Font");
    graphics::TFont colFont;
    colFont.SetName("Col Font");
    Col(2).SetFont(&colFont);
    EXPECT_EQ(cells.EffectiveFont(2, 3).Name(), "Col Font");
    grid.overlap = doDrawRowOnTop;
    EXPECT_EQ(cells.EffectiveFont(2, 3).Name(), "Row Font");

    // ParentFont False copies the cell's effective font.
    cells.SetCellParentFont(2, 3, false);
    ASSERT_NE(cells.CellFont(2, 3), nullptr);
    EXPECT_EQ(cells.CellFont(2, 3)->Name(), "Row Font");
    cells.CellFont(2, 3)->SetName("Cell Font");
    EXPECT_EQ(cells.EffectiveFont(2, 3).Name(), "Cell Font");
    cells.SetCellParentFont(2, 3, true);
    EXPECT_EQ(cells.CellFont(2, 3), nullptr);
    EXPECT_EQ(cells.PropSet().Count(), 0);
}

TEST_F(CellSettingsTest, CellFontWhileReadingAndWriting)
{
    grid.reading = true;
    graphics::TFont* font = cells.CellFont(1, 2);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name(), "Grid Font");
    grid.reading = false;
    grid.writing = true;
    cells.SetCellParentFont(3, 3, false);
    cells.SetCellParentFont(3, 3, true);
    cells.SetCellPrivateFont(3, 3, true);
    EXPECT_EQ(cells.CellFont(3, 3), nullptr);
}

TEST_F(CellSettingsTest, CheckBoxValuesAndHeadings)
{
    grid.checkBoxValues = "No|Yes";
    EXPECT_EQ(cells.EffectiveCheckBoxValues(2), "No|Yes");
    EXPECT_EQ(cells.HeadingColor(2), clBtnFace);
    EXPECT_EQ(&cells.HeadingFont(2), &grid.headingFont);
    Col(2).SetHeadingColor(clYellow);
    graphics::TFont font;
    font.SetName("Own Heading");
    Col(2).SetHeadingFont(&font);
    EXPECT_EQ(cells.HeadingColor(2), clYellow);
    EXPECT_EQ(cells.HeadingFont(2).Name(), "Own Heading");
    EXPECT_TRUE(cells.HeadingIs3D());
}

TEST_F(CellSettingsTest, SettersCheckTheirIndexesAndGettersDoNot)
{
    struct Case {
        int col;
        int row;
        const char* message;
    };
    const Case cases[] = {
        {0, 1, "Grid1: Column index 0 out of range"},
        {5, 1, "Grid1: Column index 5 out of range"},
        {1, 0, "Grid1: Row index 0 out of range"},
        {1, 5, "Grid1: Row index 5 out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            cells.SetCellColor(c.col, c.row, clRed);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGridOperation& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(cells.CellColor(c.col, c.row), clNone);
        EXPECT_EQ(cells.EffectiveControlType(c.col, c.row), ctText);
    }
    EXPECT_EQ(cells.PropSet().Count(), 0);
}

TEST_F(CellSettingsTest, DeletingAColumnMovesTheCellsToItsRight)
{
    cells.SetCellColor(2, 1, clRed);
    cells.SetCellColor(3, 1, clBlue);
    cells.DeleteCol(2);
    EXPECT_EQ(cells.CellColor(2, 1), clBlue);
    EXPECT_EQ(cells.CellColor(3, 1), clNone);
    EXPECT_EQ(cells.PropSet().Count(), 1);
}

TEST_F(CellSettingsTest, TtsCellReadsAndWritesThroughTheAccessors)
{
    TtsCell cell(&grid, 2, 3);
    cell.SetColor(clRed);
    cell.SetReadOnly(roOff);
    cell.SetSpinIncrement(2.5);
    EXPECT_EQ(cells.CellColor(2, 3), clRed);
    EXPECT_EQ(cells.CellReadOnly(2, 3), roOff);
    EXPECT_EQ(cell.SpinIncrement(), 2.5);
    EXPECT_FALSE(core::PropertiesAtDefault(cell));

    // Through the registry, as a form sets it.
    const core::PropInfo* prop = TtsCell::StaticClass().FindProperty("HorzAlignment");
    ASSERT_NE(prop, nullptr);
    prop->SetOrd(cell, htaCenter);
    EXPECT_EQ(cells.CellHorzAlignment(2, 3), htaCenter);

    // Copying takes every setting, and the font only with ParentFont False.
    graphics::TFont font;
    font.SetName("Cell Font");
    cell.SetFont(&font);
    TtsCell other(&grid, 4, 4);
    other.Assign(&cell);
    EXPECT_EQ(cells.CellColor(4, 4), clRed);
    EXPECT_EQ(cells.CellReadOnly(4, 4), roOff);
    EXPECT_EQ(cells.CellHorzAlignment(4, 4), htaCenter);
    EXPECT_EQ(cells.CellSpinIncrement(4, 4), 2.5);
    EXPECT_FALSE(cells.CellParentFont(4, 4));
    ASSERT_NE(cells.CellFont(4, 4), nullptr);
    EXPECT_EQ(cells.CellFont(4, 4)->Name(), "Cell Font");

    // Back to the defaults: no element left.
    core::ResetProperties(other);
    other.SetParentFont(true);
    EXPECT_EQ(cells.FindCell(4, 4), nullptr);
    EXPECT_TRUE(core::PropertiesAtDefault(other));
}

}  // namespace
}  // namespace grid

namespace grid {
namespace {

class TCellTestSettings : public TtsDateTimeSettings {
public:
    core::Variant Value() const override { return {}; }
    void SetValue(const core::Variant&) override {}
    TtsDateTimeKind Kind() const override { return dtkDate; }
    core::AnsiString Caption() const override { return {}; }
    void SetPopup(bool) override {}
};

class TCellDateTimeDef : public TtsDateTimeDefComponent {
    CORE_CLASS(TCellDateTimeDef, TtsDateTimeDefComponent)
    explicit TCellDateTimeDef(core::TComponent* owner) : TtsDateTimeDefComponent(owner) {}
    ui::TWinControl* PickerControl() const override { return nullptr; }
    void SetOnAccept(const core::TNotifyEvent&) override {}
    void SetOnCancel(const core::TNotifyEvent&) override {}
    TtsDateTimeSettings* PickerSettings() const override { return &settings_; }
    void PreparePicker() override {}
    void ActivatePicker() override {}

private:
    mutable TCellTestSettings settings_;
};
CORE_CLASS_IMPL(TCellDateTimeDef)

TEST_F(CellSettingsTest, DateTimeDefinitionsAreRegisteredWhileACellUsesThem)
{
    TCellDateTimeDef first(nullptr);
    TCellDateTimeDef second(nullptr);
    cells.SetCellDateTimeDef(2, 2, &first);
    EXPECT_EQ(grid.registered, (std::vector<TtsDateTimeDefComponent*>{&first}));
    EXPECT_EQ(grid.dateTimeResets, 1);
    cells.SetCellDateTimeDef(2, 2, &second);
    EXPECT_EQ(grid.unregistered, (std::vector<TtsDateTimeDefComponent*>{&first}));
    EXPECT_EQ(cells.CellDateTimeDef(2, 2), &second);
    // The date-time button types reset the grid's date-time state too.
    cells.SetCellButtonType(2, 2, btDateTimePopup);
    EXPECT_EQ(grid.dateTimeResets, 3);
    // An element that goes lets go of its definition.
    cells.SetCellButtonType(2, 2, btDefault);
    cells.SetCellDateTimeDef(2, 2, nullptr);
    EXPECT_EQ(cells.FindCell(2, 2), nullptr);
    EXPECT_EQ(grid.unregistered, (std::vector<TtsDateTimeDefComponent*>{&first, &second}));
    cells.SetCellDateTimeDef(3, 3, &first);
    cells.DeleteRow(3);
    EXPECT_EQ(grid.unregistered.back(), &first);
}

TEST_F(CellSettingsTest, AnOwnComboTakesTheDropDownStyleAndTheColumnWidth)
{
    Col(3).SetWidth(120);
    cells.SetCellDropDownStyle(3, 1, ddDropDownList);
    TtsCellElement* element = cells.FindCell(3, 1);
    ASSERT_NE(element, nullptr);
    element->MakeCombo();
    auto* combo = dynamic_cast<TCellTestCombo*>(cells.CellCombo(3, 1));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->style, ddDropDownList);
    EXPECT_EQ(combo->listWidth, 120);
    EXPECT_FALSE(cells.CellParentCombo(3, 1));

    // Setting a combo copies it into the own one.
    TCellTestCombo source;
    source.items = 5;
    cells.SetCellCombo(3, 1, &source);
    EXPECT_EQ(cells.CellCombo(3, 1), combo);
    EXPECT_EQ(combo->items, 5);
    // While the combo exists, the style lives in it.
    cells.SetCellDropDownStyle(3, 1, ddDropDownList);
    EXPECT_EQ(combo->style, ddDropDownList);
    cells.SetCellDropDownStyle(3, 1, ddDropDown);
    EXPECT_EQ(cells.CellDropDownStyle(3, 1), ddDropDown);

    // ParentCombo True drops the combo; the element's own style is back.
    cells.SetCellParentCombo(3, 1, true);
    EXPECT_EQ(cells.CellCombo(3, 1), nullptr);
    EXPECT_EQ(cells.CellDropDownStyle(3, 1), ddDropDownList);
    cells.SetCellDropDownStyle(3, 1, ddDropDown);
    EXPECT_EQ(cells.FindCell(3, 1), nullptr);
    EXPECT_EQ(grid.combosCreated, 1);

    // A combo set on a cell without settings makes the element and the combo.
    cells.SetCellCombo(4, 4, &source);
    ASSERT_NE(dynamic_cast<TCellTestCombo*>(cells.CellCombo(4, 4)), nullptr);
    EXPECT_EQ(dynamic_cast<TCellTestCombo*>(cells.CellCombo(4, 4))->items, 5);
    cells.SetCellCombo(4, 4, nullptr);
    cells.SetCellParentCombo(4, 4, true);
    EXPECT_EQ(cells.FindCell(4, 4), nullptr);
}

}  // namespace
}  // namespace grid
