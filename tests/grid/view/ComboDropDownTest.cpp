// The combo drop-down of a grid on the headless display: which definition a
// cell uses, opening and closing (F4, Escape, Tab, a press outside, losing
// the activation) with their events, the list's size and place, moving in
// the list by keys and mouse, picking, completion, letters jumping through a
// ddDropDownList list, and the look of the open list. The in-cell editor is
// played by the test grid below.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/foundation/EInvalidGridOperation.h"
#include "grid/model/Col.h"
#include "grid/view/Combo.h"
#include "grid/view/ComboGrid.h"
#include "grid/view/DropDownForm.h"
#include "grid/view/Grid.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessFixture.h"

using namespace grid;
using core::Variant;

namespace {

// A grid whose editor is a plain record: the text, its selection and
// whether it was changed.
class EditorGrid : public TtsGrid {
public:
    explicit EditorGrid(core::TComponent* owner) : TtsGrid(owner) {}
    TtsComboEditState ComboEditState() override
    {
        if (!fakeEditor)
            return TtsGrid::ComboEditState();
        return editor;
    }
    bool ComboWriteValue(const Variant& value) override
    {
        writes.push_back(value.IsNull() ? "<null>" : value.AsString());
        if (refuseEdits)
            return false;
        editor.Text = value.AsString();
        return TtsGrid::ComboWriteValue(value);
    }
    void ComboWriteText(const AnsiString& text, int selStart, int selLength) override
    {
        editor.Text = text;
        selection = {selStart, selLength};
        TtsGrid::ComboWriteText(text, selStart, selLength);
    }

    bool fakeEditor = false;
    bool refuseEdits = false;
    TtsComboEditState editor;
    std::pair<int, int> selection{-1, -1};
    std::vector<std::string> writes;
};

class ComboDropDownTest : public HeadlessFixture {
protected:
    void SetUp() override
    {
        HeadlessFixture::SetUp();
        grid = Add<EditorGrid>("Grid1", graphics::Bounds(10, 10, 300, 200));
        grid->SetStoreData(true);
        grid->SetCols(3);
        grid->SetRows(5);
        grid->GridCols().Items(1)->SetButtonType(btCombo);
        grid->GridCols().Items(1)->SetCombo(grid->CreateCombo());
        def = dynamic_cast<TtsCombo*>(grid->GridCols().Items(1)->Combo());
        Fill(def, {"apple", "banana", "cherry"});
        grid->OnComboInit = [this](core::TObject*, TtsComboGrid*, int c, int r) { Log("init", c, r); };
        grid->OnComboDropDown = [this](core::TObject*, TtsComboGrid*, int c, int r) { Log("down", c, r); };
        grid->OnComboRollUp = [this](core::TObject*, TtsComboGrid*, int c, int r) { Log("up", c, r); };
        ShowForm(400, 300);
        grid->SetFocus();
        grid->MakeCellCurrent(1, 2);
        Pump();
    }
    static void Fill(TtsCombo* combo, const std::vector<std::string>& values)
    {
        TtsComboGrid* list = combo->ComboGrid();
        list->SetStoreData(true);
        list->SetRows(static_cast<int>(values.size()));
        for (size_t i = 0; i < values.size(); ++i)
            list->SetCell(1, static_cast<int>(i) + 1, Variant(AnsiString(values[i])));
    }
    void Log(const char* what, int c, int r) { events.push_back(std::string(what) + " " + std::to_string(c) + "," + std::to_string(r)); }
    bool Key(uint16_t key, ui::TShiftState shift = {})
    {
        bool used = combo().HandleKey(key, shift);
        Pump();
        return used;
    }
    TtsGridCombo& combo() { return grid->ComboState(); }
    TtsComboGrid& list() { return combo().List(); }
    TtsDropDownForm& popup() { return combo().DropDownForm(); }
    std::string CellText(int c, int r)
    {
        Variant v = grid->Cell(c, r);
        return v.IsEmpty() || v.IsNull() ? std::string() : v.AsString();
    }

    EditorGrid* grid = nullptr;
    TtsCombo* def = nullptr;
    std::vector<std::string> events;
};

TEST_F(ComboDropDownTest, F4OpensAndClosesWithTheirEvents)
{
    EXPECT_TRUE(Key(ui::VK_F4));
    EXPECT_TRUE(combo().IsOpen());
    EXPECT_TRUE(popup().Visible());
    EXPECT_EQ(list().Rows(), 3);
    EXPECT_EQ(list().RowValue(2), "banana");
    ASSERT_TRUE(popup().HandleAllocated());
    EXPECT_EQ(popup().Handle()->Owner(), grid->Handle());
    EXPECT_TRUE(popup().Handle()->Style() & ui::WS_POPUP);
    // The grid keeps the focus and its form stays active.
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(ui::WindowManager().ActiveWindow(), form->Handle());
    EXPECT_TRUE(Key(ui::VK_F4));
    EXPECT_FALSE(combo().IsOpen());
    EXPECT_FALSE(popup().Visible());
    EXPECT_EQ(events, (std::vector<std::string>{"init 1,2", "down 1,2", "up 1,2"}));
    // Alt+Down opens, Alt+Up closes.
    EXPECT_TRUE(Key(ui::VK_DOWN, {ui::ssAlt}));
    EXPECT_TRUE(combo().IsOpen());
    EXPECT_TRUE(Key(ui::VK_UP, {ui::ssAlt}));
    EXPECT_FALSE(combo().IsOpen());
}

TEST_F(ComboDropDownTest, OpensOnlyOnEditableComboCells)
{
    grid->MakeCellCurrent(2, 2);  // no combo button
    EXPECT_FALSE(Key(ui::VK_F4));
    grid->MakeCellCurrent(1, 2);
    grid->GridCols().Items(1)->SetReadOnly(true);
    EXPECT_FALSE(Key(ui::VK_F4));
    grid->GridCols().Items(1)->SetReadOnly(false);
    for (TtsGridMode mode : {gmListBox, gmBrowse}) {
        grid->SetGridMode(mode);
        EXPECT_FALSE(Key(ui::VK_F4));
        EXPECT_FALSE(combo().IsOpen());
    }
    grid->SetGridMode(gmEditInsert);
    EXPECT_TRUE(Key(ui::VK_F4));
    EXPECT_TRUE(combo().IsOpen());
}

TEST_F(ComboDropDownTest, ClosesByEscapeTabAPressOutsideAndLosingTheActivation)
{
    struct Case {
        const char* how;
        std::function<void()> close;
    } cases[] = {
        {"escape", [this]() { EXPECT_TRUE(Key(ui::VK_ESCAPE)); }},
        {"tab", [this]() { EXPECT_FALSE(Key(ui::VK_TAB)); }},  // the grid moves on
        {"shift+tab", [this]() { EXPECT_FALSE(Key(ui::VK_TAB, {ui::ssShift})); }},
        {"press outside", [this]() {
             display->Click(At(form, {390, 290}));
             Pump();
         }},
        {"right press outside", [this]() {
             display->Click(At(form, {390, 290}), ui::mbRight);
             Pump();
         }},
        {"activation lost", [this]() {
             ui::WindowManager().InjectActivate(form->Handle(), false);
             Pump();
         }},
    };
    for (const Case& c : cases) {
        events.clear();
        ASSERT_TRUE(Key(ui::VK_F4)) << c.how;
        ASSERT_TRUE(combo().IsOpen()) << c.how;
        c.close();
        EXPECT_FALSE(combo().IsOpen()) << c.how;
        EXPECT_FALSE(popup().Visible()) << c.how;
        EXPECT_EQ(events.back(), "up 1,2") << c.how;
        ui::WindowManager().InjectActivate(form->Handle(), true);
        grid->SetFocus();
        Pump();
    }
    // A press in the grid itself or in the list does not close it.
    ASSERT_TRUE(Key(ui::VK_F4));
    display->Press(At(grid, {200, 150}));
    display->Release(At(grid, {200, 150}));
    Pump();
    EXPECT_TRUE(combo().IsOpen());
}

TEST_F(ComboDropDownTest, TheListIsSizedForItsRowsAndPlacedUnderTheCell)
{
    // The list has a single border.
    int border = 2 * ui::WindowManager().SystemMetric(ui::SM_CYBORDER);
    struct Case {
        int rows;
        int shown;
    } cases[] = {{2, 2}, {0, 1}, {4, 4}, {9, 4}};
    for (const Case& c : cases) {
        std::vector<std::string> values;
        for (int i = 0; i < c.rows; ++i)
            values.push_back("v" + std::to_string(i));
        Fill(def, values);
        Key(ui::VK_F4);
        ASSERT_TRUE(combo().IsOpen());
        int rowHeight = list().DefaultRowHeight();
        ASSERT_GE(rowHeight, 14);
        EXPECT_EQ(list().Height(), c.shown * (rowHeight + list().LineWidth()) + border) << c.rows;
        EXPECT_EQ(popup().Height(), list().Height());
        Key(ui::VK_ESCAPE);
    }
    // The list is as wide as its column plus 10, or the scroll bar's width
    // more when the rows need one.
    int vbar = ui::WindowManager().SystemMetric(ui::SM_CXVSCROLL);
    Fill(def, {"a", "b", "c", "d", "e"});
    Key(ui::VK_F4);
    graphics::TRect cell = grid->CellScreenRect(1, 2);
    EXPECT_EQ(list().Width(), list().ColWidths(1) + vbar + border);
    EXPECT_EQ(popup().Left(), cell.Left);
    EXPECT_EQ(popup().Top(), cell.Bottom);
    Key(ui::VK_ESCAPE);
    // Narrower than the cell: right edges line up.
    def->ComboGrid()->SetDefaultColWidth(20);
    Fill(def, {"a"});
    Key(ui::VK_F4);
    EXPECT_EQ(popup().Left() + popup().Width(), cell.Right);
    Key(ui::VK_ESCAPE);
    // Near the bottom of the screen it opens above the cell.
    form->SetTop(ui::Screen().Height() - 120);
    Pump();
    Fill(def, {"a", "b", "c", "d"});
    Key(ui::VK_F4);
    cell = grid->CellScreenRect(1, 2);
    EXPECT_EQ(popup().Top() + popup().Height(), cell.Top);
    Key(ui::VK_ESCAPE);
}

TEST_F(ComboDropDownTest, KeysMoveInTheListAndEnterPicks)
{
    Fill(def, {"apple", "banana", "cherry", "date", "elder", "fig"});
    Key(ui::VK_F4);
    EXPECT_EQ(list().CurrentRow(), 1);
    Key(ui::VK_DOWN);
    Key(ui::VK_DOWN);
    EXPECT_EQ(list().CurrentRow(), 3);
    Key(ui::VK_UP);
    EXPECT_EQ(list().CurrentRow(), 2);
    Key(ui::VK_DOWN, {ui::ssCtrl});
    EXPECT_EQ(list().CurrentRow(), 6);
    Key(ui::VK_PRIOR);
    EXPECT_LT(list().CurrentRow(), 6);
    Key(ui::VK_UP, {ui::ssCtrl});
    EXPECT_EQ(list().CurrentRow(), 1);
    Key(ui::VK_DOWN);
    EXPECT_TRUE(Key(ui::VK_RETURN));
    EXPECT_FALSE(combo().IsOpen());
    EXPECT_EQ(CellText(1, 2), "banana");
    EXPECT_EQ(events.back(), "up 1,2");
}

TEST_F(ComboDropDownTest, AModifiedPartlySelectedTextKeepsUpAndDownForTheEditor)
{
    grid->fakeEditor = true;
    grid->editor = {"ban", false, true, true, true, 3};
    Key(ui::VK_F4);
    int row = list().CurrentRow();
    EXPECT_TRUE(Key(ui::VK_DOWN));  // consumed, but the list stays
    EXPECT_EQ(list().CurrentRow(), row);
    EXPECT_FALSE(Key(ui::VK_HOME));  // an editable cell's Home stays with the editor
    grid->editor.WhollySelected = true;
    Key(ui::VK_DOWN);
    EXPECT_EQ(list().CurrentRow(), row + 1);
    // In a ddDropDownList cell Home and End go to the first and last rows.
    grid->editor.Editable = false;
    EXPECT_TRUE(Key(ui::VK_END));
    EXPECT_EQ(list().CurrentRow(), 3);
    EXPECT_TRUE(Key(ui::VK_HOME));
    EXPECT_EQ(list().CurrentRow(), 1);
}

TEST_F(ComboDropDownTest, AClickOnTheListPicksThatRow)
{
    Key(ui::VK_F4);
    int rowHeight = list().DefaultRowHeight();
    graphics::TPoint third = list().ClientToScreen({5, 2 * (rowHeight + 1) + rowHeight / 2});
    ASSERT_EQ(ui::WindowManager().WindowFromPoint(third), list().Handle());
    display->Press(third);
    Pump();
    EXPECT_TRUE(combo().IsOpen());
    EXPECT_EQ(list().CurrentRow(), 3);
    display->Release(third);
    Pump();
    EXPECT_FALSE(combo().IsOpen());
    EXPECT_EQ(CellText(1, 2), "cherry");
    EXPECT_TRUE(grid->Focused());
}

TEST_F(ComboDropDownTest, ARefusedPickStillClosesTheList)
{
    grid->refuseEdits = true;
    Key(ui::VK_F4);
    Key(ui::VK_DOWN);
    Key(ui::VK_RETURN);
    EXPECT_EQ(grid->writes, (std::vector<std::string>{"banana"}));
    EXPECT_EQ(CellText(1, 2), "");
    EXPECT_FALSE(combo().IsOpen());
    EXPECT_EQ(events.back(), "up 1,2");
}

TEST_F(ComboDropDownTest, GetValueGivesThePickedValue)
{
    grid->OnComboGetValue = [](core::TObject*, TtsComboGrid*, int, int, int comboRow, Variant& value) {
        value = Variant(int32_t{comboRow * 100});
    };
    Key(ui::VK_F4);
    Key(ui::VK_DOWN);
    Key(ui::VK_RETURN);
    EXPECT_EQ(grid->writes, (std::vector<std::string>{"200"}));
    EXPECT_TRUE(grid->Cell(1, 2).IsString());  // converted for a text cell
}

TEST_F(ComboDropDownTest, RowsAddedToADefinitionAfterItsFirstUseShow)
{
    Key(ui::VK_F4);
    Key(ui::VK_ESCAPE);
    Fill(def, {"apple", "banana", "cherry", "damson"});
    grid->MakeCellCurrent(1, 3);
    Key(ui::VK_F4);
    EXPECT_EQ(list().Rows(), 4);
    EXPECT_EQ(list().RowValue(4), "damson");
}

TEST_F(ComboDropDownTest, AListFilledInComboInitHasARowForEnter)
{
    grid->GridCols().Items(2)->SetButtonType(btCombo);  // no definition of its own
    grid->OnComboInit = [](core::TObject*, TtsComboGrid* list, int, int) {
        list->SetStoreData(true);
        list->SetRows(2);
        list->SetCell(1, 1, Variant(AnsiString("one")));
        list->SetCell(1, 2, Variant(AnsiString("two")));
    };
    grid->MakeCellCurrent(2, 1);
    Key(ui::VK_F4);
    ASSERT_TRUE(combo().IsOpen());
    EXPECT_EQ(list().CurrentRow(), 1);
    Key(ui::VK_RETURN);
    EXPECT_EQ(CellText(2, 1), "one");
}

TEST_F(ComboDropDownTest, CellAndRowDefinitionsFollowTheirOrder)
{
    auto rowDef = grid->CreateCombo();
    auto* rowCombo = dynamic_cast<TtsCombo*>(rowDef.get());
    Fill(rowCombo, {"row"});
    grid->GridRows().Ensure(4).SetCombo(std::move(rowDef));
    EXPECT_EQ(combo().DefinitionOf(1, 4), def);  // columns on top
    grid->SetDrawOverlap(doDrawRowOnTop);
    EXPECT_EQ(combo().DefinitionOf(1, 4), rowCombo);
    EXPECT_EQ(combo().DefinitionOf(1, 3), def);
    EXPECT_EQ(combo().DefinitionOf(3, 3), nullptr);  // a column without the combo button
    auto cellDef = grid->CreateCombo();
    Fill(dynamic_cast<TtsCombo*>(cellDef.get()), {"cell"});
    grid->CellSettings().SetCellCombo(1, 4, cellDef.get());
    TtsCombo* own = dynamic_cast<TtsCombo*>(grid->CellSettings().CellCombo(1, 4));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(combo().DefinitionOf(1, 4), own);
    EXPECT_EQ(own->ComboGrid()->RowValue(1), "cell");
}

TEST_F(ComboDropDownTest, AutoSearchFollowsTheText)
{
    std::vector<std::string> values;
    for (int i = 1; i <= 20; ++i)
        values.push_back((i < 10 ? "item0" : "item") + std::to_string(i));
    Fill(def, values);
    def->SetDropDownRows(5);
    def->SetAutoSearch(asCenter);
    grid->SetCell(1, 2, Variant(AnsiString("item10")));
    Key(ui::VK_F4);
    EXPECT_EQ(list().CurrentRow(), 10);
    EXPECT_EQ(list().TopRow(), 8);  // rows 8 to 12
    grid->fakeEditor = true;
    grid->editor = {"ITEM03", true, true, true, true, 6};
    combo().TextChanged(false);
    EXPECT_EQ(list().CurrentRow(), 3);
}

TEST_F(ComboDropDownTest, AutoFillCompletesTheTypedText)
{
    Fill(def, {"ABC", "XYZ"});
    def->SetAutoFill(true);
    EXPECT_EQ(def->AutoSearch(), asTop);  // AutoFill brings AutoSearch with it
    grid->fakeEditor = true;
    grid->editor = {"ab", false, true, true, true, 2};
    combo().TextChanged(true);
    EXPECT_EQ(grid->editor.Text, "ABC");
    EXPECT_EQ(grid->selection, (std::pair<int, int>{2, 1}));  // 'C' selected
    def->SetAutoFillConvertCase(afcNone);
    grid->MakeCellCurrent(1, 3);
    grid->editor = {"ab", false, true, true, true, 2};
    combo().TextChanged(true);
    EXPECT_EQ(grid->editor.Text, "abC");
    // At the end of an edit only afcOnExit takes the list's case.
    def->SetAutoFillConvertCase(afcOnExit);
    grid->MakeCellCurrent(1, 4);
    grid->editor = {"abc", false, true, true, true, 3};
    combo().EditEnded();
    EXPECT_EQ(grid->editor.Text, "ABC");
}

TEST_F(ComboDropDownTest, OwnComparisonWithoutHandlersMatchesEveryValue)
{
    def->SetCompareType(ctOwn);
    TtsComboSearch search = def->ComboGrid()->Search();
    EXPECT_TRUE(search.Find("zzz", false, false).Hit);
    int calls = 0;
    grid->OnComboLCompareValue = [&](core::TObject*, const AnsiString& value, const AnsiString& text, int len, int& res) {
        ++calls;
        res = value.compare(0, len, text, 0, len);
    };
    EXPECT_EQ(search.Find("cherry", false, false).Row, 3);
    EXPECT_GT(calls, 0);
}

class DropDownListTest : public ComboDropDownTest {
protected:
    void SetUp() override
    {
        ComboDropDownTest::SetUp();
        grid->GridCols().Items(1)->SetDropDownStyle(ddDropDownList);
        def->SetDropDownStyle(ddDropDownList);
        def->SetAutoSearch(asTop);
    }
    void Type(const std::string& bytes)
    {
        for (char ch : bytes)
            combo().HandleChar(ch);
        Pump();
    }
};

TEST_F(DropDownListTest, LettersCycleThroughAnUnsortedList)
{
    Fill(def, {"bat", "apple", "bee", "Boat"});
    Type("b");
    EXPECT_EQ(CellText(1, 2), "bat");
    Type("b");
    EXPECT_EQ(CellText(1, 2), "bee");
    Type("b");
    EXPECT_EQ(CellText(1, 2), "Boat");
    Type("b");
    EXPECT_EQ(CellText(1, 2), "bat");
    Type("q");
    EXPECT_EQ(CellText(1, 2), "bat");
}

TEST_F(DropDownListTest, ASortedListSearchesIncrementallyUntilAPause)
{
    Fill(def, {"apple", "bat", "bean", "beet", "egg"});
    def->SetValueColSorted(true);
    Type("b");
    Type("e");
    EXPECT_EQ(CellText(1, 2), "bean");
    EXPECT_EQ(combo().PendingSearch(), "be");
    grid->MakeCellCurrent(1, 3);
    Type("b");
    display->Advance(2000);
    Type("e");
    EXPECT_EQ(CellText(1, 3), "egg");
    EXPECT_EQ(combo().PendingSearch(), "e");
}

TEST_F(DropDownListTest, ADoubleByteCharacterIsSearchedWhole)
{
    const std::string beijing = "\xB1\xB1\xBE\xA9", bei = "\xB1\xB1";
    // 北 is B1 B1: its trail byte must not start a search of its own, and
    // its lead byte alone must not jump either.
    Fill(def, {"\xB1\xA0x", "\xB1x", beijing});
    Type(bei.substr(0, 1));
    EXPECT_EQ(CellText(1, 2), "");
    EXPECT_TRUE(grid->writes.empty());
    Type(bei.substr(1));
    EXPECT_EQ(CellText(1, 2), beijing);
    EXPECT_EQ(grid->writes.size(), 1u);
}

TEST_F(ComboDropDownTest, ErrorsOfTheListCarryTheOwningGridsName)
{
    try {
        list().RowSelected(99);
        FAIL() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(std::string(e.Message()).rfind("Grid1.Combo: ", 0), 0u) << e.Message();
    }
}

TEST_F(ComboDropDownTest, GridsWithoutCombosRefuseToMakeOne)
{
    TtsComboGrid plain(nullptr);
    plain.SetName("Plain");
    try {
        plain.GridCols().Items(1)->SetButtonType(btCombo);
        plain.CellSettings().SetCellCombo(1, 1, def);
        FAIL() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(std::string(e.Message()),
                  "Plain: Cannot create combo box. Method CreateCombo has not been not implemented in derived class");
    }
}

TEST_F(ComboDropDownTest, TheOpenListLooksRight)
{
    grid->SetCell(1, 1, Variant(AnsiString("banana")));
    grid->MakeCellCurrent(1, 1);
    Fill(def, {"apple", "banana", "cherry", "\xB1\xB1\xBE\xA9", "\xC4\xCF\xBE\xA9", "\xC9\xCF\xBA\xA3"});
    def->SetAutoSearch(asTop);
    Key(ui::VK_F4);
    ASSERT_TRUE(combo().IsOpen());
    Pump();
    auto picture = Picture(&popup());
    EXPECT_TRUE(testsupport::MatchesGolden(*picture, "grid_combo_open_list"));
}

}  // namespace
