#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "StorageSupport.h"
#include "grid/foundation/2DStorage.h"
#include "grid/foundation/BitmapSet.h"
#include "grid/foundation/IntegerList.h"
#include "platform/core/Exception.h"

using namespace grid;
using core::Variant;
using storagetest::Bytes;
using storagetest::Load;
using storagetest::Saved;
using storagetest::SharedCount;

namespace {

using StorageTest = storagetest::StorageFixture;

Variant Text(const char* text)
{
    return Variant(core::AnsiString(text));
}

// ---- Growth ------------------------------------------------------------------------

TEST_F(StorageTest, FirstTextWithoutHintsGrowsTenBeyondRowAndColumn)
{
    Tts2DStorage storage(0, 0);
    storage.SetValue(3, 5, skText, Text("ab"));
    EXPECT_EQ(storage.RowSlots(), 15);
    EXPECT_EQ(storage.Lengths(5), 13);
    EXPECT_EQ(storage.Capacities(5), 13);
    EXPECT_EQ(storage.LastRow(), 5);
    EXPECT_EQ(storage.LastCol(5), 3);
    EXPECT_EQ(storage.KindOf(1, 5), skEmpty);
    EXPECT_EQ(storage.KindOf(3, 5), skText);
    EXPECT_TRUE(storage.GetValue(3, 5).Identical(Text("ab")));
    EXPECT_FALSE(storage.HasCells(4));
}

struct GrowthCase {
    const char* name;
    int colsHint, rowsHint;
    std::vector<std::pair<int, int>> stores;  // (col, row) in order
    int rowSlots;
    int row, length, capacity;
};

const GrowthCase kGrowthCases[] = {
    {"row hint sizes the table", 3, 100, {{1, 1}}, 101, 1, 3, 3},
    {"column hint sizes a new row", 3, 100, {{1, 1}, {3, 1}}, 101, 1, 3, 3},
    {"beyond the column hint grows ten beyond", 3, 100, {{1, 1}, {4, 1}}, 101, 1, 14, 14},
    {"hint reached exactly grows ten beyond", 3, 0, {{3, 2}}, 12, 2, 13, 13},
    {"beyond the row hint grows ten beyond", 3, 100, {{1, 150}}, 160, 150, 3, 3},
    {"within capacity only the length moves", 0, 0, {{2, 1}, {1, 1}}, 11, 1, 12, 12},
    {"scratch row grows like any row", 4, 10, {{2, 0}}, 11, 0, 4, 4},
};

class StorageGrowthTest : public testing::TestWithParam<GrowthCase> {};

TEST_P(StorageGrowthTest, TablesGrowByTheRules)
{
    const GrowthCase& c = GetParam();
    Tts2DStorage storage(c.colsHint, c.rowsHint);
    for (auto [col, row] : c.stores)
        storage.SetValue(col, row, skCheckState, Variant(1));
    EXPECT_EQ(storage.RowSlots(), c.rowSlots);
    EXPECT_EQ(storage.Lengths(c.row), c.length);
    EXPECT_EQ(storage.Capacities(c.row), c.capacity);
}

INSTANTIATE_TEST_SUITE_P(Storage, StorageGrowthTest, testing::ValuesIn(kGrowthCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// ---- Kinds and values --------------------------------------------------------------

TEST_F(StorageTest, EachKindReadsBackAsItsValue)
{
    graphics::TBitmap picture;
    struct Case {
        TtsStoredKind kind;
        Variant stored;
        Variant expected;
    } cases[] = {
        {skText, Text("Account 0000123"), Text("Account 0000123")},
        {skText, Variant(42), Text("42")},
        {skText, Text(""), Text("")},
        {skText, Variant(core::AnsiString("a\0b", 3)), Variant(core::AnsiString("a\0b", 3))},
        {skPictureName, Text("logo"), Text("logo")},
        {skCheckState, Variant(2), Variant(2)},
        {skCheckState, Text("1"), Variant(1)},
        {skCheckState, Variant(-7), Variant(-7)},
        {skBitmap, BitmapValue(&picture), BitmapValue(&picture)},
        {skNull, Text("ignored"), Variant::Null()},
        {skNull, Variant::Null(), Variant::Null()},
    };
    for (const Case& c : cases) {
        Tts2DStorage storage(3, 3);
        storage.SetValue(2, 1, c.kind, c.stored);
        EXPECT_EQ(storage.KindOf(2, 1), c.kind) << c.expected.AsString();
        EXPECT_TRUE(storage.GetValue(2, 1).Identical(c.expected)) << static_cast<int>(c.kind);
    }
    Tts2DStorage storage(3, 3);
    storage.SetValue(1, 1, skBitmap, BitmapValue(&picture));
    EXPECT_EQ(ValueBitmap(storage.GetValue(1, 1)), &picture);
}

TEST_F(StorageTest, UnassignedValueOnlyEmptiesAFilledCell)
{
    Tts2DStorage storage(0, 0);
    storage.SetValue(2, 3, skText, Variant());
    EXPECT_EQ(storage.RowSlots(), 0);
    EXPECT_EQ(storage.LastRow(), 0);

    storage.SetValue(2, 3, skText, Text("x"));
    storage.SetValue(2, 3, skText, Variant());
    EXPECT_EQ(storage.KindOf(2, 3), skEmpty);
    EXPECT_TRUE(storage.GetValue(2, 3).IsEmpty());
    EXPECT_EQ(storage.LastCol(3), 0);
    // The row keeps its cells: the row table does not shrink by itself.
    EXPECT_EQ(storage.LastRow(), 3);

    storage.SetValue(1, 3, skCheckState, Variant(1));
    storage.SetValue(1, 3, skEmpty, Variant(5));
    EXPECT_EQ(storage.KindOf(1, 3), skEmpty);
}

TEST_F(StorageTest, KindsAboveNullAndOutOfRangeCellsAreIgnored)
{
    Tts2DStorage storage(0, 0);
    storage.SetValue(1, 1, static_cast<TtsStoredKind>(6), Variant(1));
    storage.SetValue(0, 1, skText, Text("x"));
    storage.SetValue(1, -1, skText, Text("x"));
    EXPECT_EQ(storage.RowSlots(), 0);
    storage.SetValue(1, 1, skText, Text("x"));
    EXPECT_TRUE(storage.GetValue(0, 1).IsEmpty());
    EXPECT_TRUE(storage.GetValue(1, -1).IsEmpty());
    EXPECT_TRUE(storage.GetValue(12, 1).IsEmpty());
    EXPECT_TRUE(storage.GetValue(1, 11).IsEmpty());
    EXPECT_EQ(storage.KindOf(1, 500), skEmpty);
    EXPECT_EQ(storage.LastCol(500), 0);
    EXPECT_EQ(storage.LastCol(-1), 0);
    storage.ClearCell(0, 1);
    storage.ClearCell(1, 99);
    EXPECT_TRUE(storage.GetValue(1, 1).Identical(Text("x")));
}

TEST_F(StorageTest, KindChangeReleasesThePreviousPayload)
{
    // Run under the leak checker, a text that is not released shows here.
    Tts2DStorage storage(3, 3);
    storage.SetValue(1, 1, skText, Text("a text long enough to be allocated"));
    storage.SetValue(1, 1, skCheckState, Variant(1));
    EXPECT_EQ(storage.KindOf(1, 1), skCheckState);
    EXPECT_TRUE(storage.GetValue(1, 1).Identical(Variant(1)));
    storage.SetValue(1, 1, skPictureName, Text("another text that needs its own block"));
    storage.SetValue(1, 1, skText, Text("third"));
    EXPECT_EQ(storage.KindOf(1, 1), skText);
    EXPECT_TRUE(storage.GetValue(1, 1).Identical(Text("third")));
    storage.SetValue(1, 1, skNull, Variant::Null());
    EXPECT_TRUE(storage.GetValue(1, 1).IsNull());
}

TEST_F(StorageTest, ValueThatDoesNotConvertLeavesTheCellAsItWas)
{
    struct Case {
        TtsStoredKind kind;
        Variant value;
    } cases[] = {
        {skCheckState, Text("not a number")},
        {skCheckState, Variant::Null()},
        {skText, Variant::Null()},
        {skBitmap, Text("no picture")},
    };
    for (const Case& c : cases) {
        Tts2DStorage storage(0, 0);
        storage.SetValue(2, 1, skText, Text("kept"));
        EXPECT_THROW(storage.SetValue(2, 1, c.kind, c.value), core::Exception);
        EXPECT_EQ(storage.KindOf(2, 1), skText);
        EXPECT_TRUE(storage.GetValue(2, 1).Identical(Text("kept")));
        // Nor does a failed store into a new row grow anything.
        EXPECT_THROW(storage.SetValue(1, 40, c.kind, c.value), core::Exception);
        EXPECT_EQ(storage.RowSlots(), 11);
    }
}

// ---- Shared pictures ---------------------------------------------------------------

TEST_F(StorageTest, SharedPictureIsCountedPerCellAndFreedWithTheLast)
{
    TtsBitmapElement* element = NewSharedBitmap();
    graphics::TBitmap* picture = element->Bitmap();
    EXPECT_EQ(element->RefCount(), 0);
    {
        Tts2DStorage storage(3, 3);
        storage.SetValue(1, 1, skBitmap, BitmapValue(picture));
        storage.SetValue(2, 2, skBitmap, BitmapValue(picture));
        EXPECT_EQ(element->RefCount(), 2);
        // The same picture again into the same cell counts nothing more.
        storage.SetValue(1, 1, skBitmap, BitmapValue(picture));
        EXPECT_EQ(element->RefCount(), 2);
        storage.ClearCell(1, 1);
        EXPECT_EQ(element->RefCount(), 1);
        EXPECT_EQ(FindSharedBitmap(picture), element);
        // Another kind over the last cell lets go of the picture.
        storage.SetValue(2, 2, skText, Text("gone"));
        EXPECT_EQ(FindSharedBitmap(picture), nullptr);
        EXPECT_EQ(SharedCount(), 0);
    }
    // A storage destroyed with pictures in it lets go of them too.
    element = NewSharedBitmap();
    picture = element->Bitmap();
    {
        Tts2DStorage storage(3, 3);
        storage.SetValue(1, 1, skBitmap, BitmapValue(picture));
        storage.SetValue(1, 0, skBitmap, BitmapValue(picture));
        EXPECT_EQ(element->RefCount(), 2);
    }
    EXPECT_EQ(FindSharedBitmap(picture), nullptr);
}

TEST_F(StorageTest, ApplicationPicturesAreOnlyReferredTo)
{
    graphics::TBitmap picture(4, 4);
    {
        Tts2DStorage storage(3, 3);
        storage.SetValue(1, 1, skBitmap, BitmapValue(&picture));
        storage.SetValue(1, 1, skBitmap, BitmapValue(nullptr));
        EXPECT_EQ(ValueBitmap(storage.GetValue(1, 1)), nullptr);
        storage.SetValue(1, 1, skBitmap, BitmapValue(&picture));
    }
    EXPECT_EQ(SharedCount(), 0);
    EXPECT_EQ(picture.Width(), 4);
}

// ---- Rows, columns and the scratch row ---------------------------------------------

// Rows 1 to `rows`, each holding "r" and its number as a text in column 1.
void FillRows(Tts2DStorage& storage, int rows)
{
    for (int row = 1; row <= rows; ++row)
        storage.SetValue(1, row, skText, Variant(core::AnsiString("r") + std::to_string(row)));
}

std::vector<std::string> Column1(const Tts2DStorage& storage, int rows)
{
    std::vector<std::string> texts;
    for (int row = 1; row <= rows; ++row)
        texts.push_back(storage.KindOf(1, row) == skEmpty ? "-" : storage.GetValue(1, row).AsString());
    return texts;
}

TEST_F(StorageTest, DeleteRowsMovesLaterRowsUp)
{
    struct Case {
        int from, to;
        std::vector<std::string> after;
        int slotsRemoved;
    } cases[] = {
        {2, 3, {"r1", "r4", "r5", "-", "-"}, 2},
        {4, 100, {"r1", "r2", "r3", "-", "-"}, 7},  // lowered to the last slot, 10
        {3, 2, {"r1", "r2", "r3", "r4", "r5"}, 0},
        {11, 20, {"r1", "r2", "r3", "r4", "r5"}, 0},
        {-4, 1, {"r3", "r4", "r5", "-", "-"}, 2},  // the scratch row and row 1
    };
    for (const auto& c : cases) {
        Tts2DStorage storage(0, 0);
        FillRows(storage, 5);
        int slots = storage.RowSlots();
        storage.DeleteRows(c.from, c.to);
        EXPECT_EQ(Column1(storage, 5), c.after) << c.from << ".." << c.to;
        EXPECT_EQ(storage.RowSlots(), slots - c.slotsRemoved);
    }
}

TEST_F(StorageTest, DeleteColsMovesLaterCellsLeftAndKeepsFewSpareCells)
{
    struct Case {
        const char* name;
        int colsHint;
        int filled;  // cells 1..filled of row 1
        int from, to;
        std::vector<int> after;  // check states of cells 1..after.size(); 0 = empty
        int length, capacity;
    } cases[] = {
        // Cells stored from column 1 up without a hint: length and capacity 11.
        {"one column, few spare: capacity stays", 0, 4, 2, 2, {1, 3, 4, 0}, 10, 11},
        {"seven spare: capacity stays", 0, 4, 2, 8, {1, 0, 0, 0}, 4, 11},
        {"eight spare: exact size", 0, 4, 2, 9, {1, 0, 0}, 3, 3},
        {"range past the end: exact size", 0, 4, 3, 99, {1, 2, 0}, 2, 2},
        {"hint-long row, one column", 14, 14, 2, 2, {1, 3, 4}, 13, 14},
        {"every column frees the row", 14, 14, 1, 14, {0}, 0, 0},
        {"range beyond the row", 0, 4, 20, 30, {1, 2, 3, 4}, 11, 11},
        {"reversed range", 0, 4, 3, 2, {1, 2, 3, 4}, 11, 11},
    };
    for (const auto& c : cases) {
        Tts2DStorage storage(c.colsHint, 0);
        for (int col = 1; col <= c.filled; ++col)
            storage.SetValue(col, 1, skCheckState, Variant(col));
        storage.DeleteCols(c.from, c.to);
        for (std::size_t i = 0; i < c.after.size(); ++i) {
            int col = static_cast<int>(i) + 1;
            if (c.after[i] == 0)
                EXPECT_EQ(storage.KindOf(col, 1), skEmpty) << c.name << " col " << col;
            else
                EXPECT_TRUE(storage.GetValue(col, 1).Identical(Variant(c.after[i]))) << c.name << " col " << col;
        }
        EXPECT_EQ(storage.Lengths(1), c.length) << c.name;
        EXPECT_EQ(storage.Capacities(1), c.capacity) << c.name;
    }
}

TEST_F(StorageTest, DeleteColsReachesTheScratchRowAndReleasesTexts)
{
    Tts2DStorage storage(0, 0);
    for (int row = 0; row <= 2; ++row)
        for (int col = 1; col <= 4; ++col)
            storage.SetValue(col, row, skText, Variant(core::AnsiString("text of a certain length ") + std::to_string(col)));
    storage.DeleteCols(2, 2);
    for (int row = 0; row <= 2; ++row) {
        EXPECT_EQ(storage.LastCol(row), 3);
        EXPECT_EQ(storage.GetValue(2, row).AsString(), "text of a certain length 3");
        EXPECT_EQ(storage.GetValue(3, row).AsString(), "text of a certain length 4");
    }
}

TEST_F(StorageTest, RestoreRowBringsBackTheSavedRowExactly)
{
    TtsBitmapElement* shared = NewSharedBitmap();
    Tts2DStorage storage(0, 0);
    storage.SetValue(1, 4, skText, Text("name"));
    storage.SetValue(3, 4, skCheckState, Variant(1));
    storage.SetValue(4, 4, skNull, Variant::Null());
    storage.SetValue(5, 4, skBitmap, BitmapValue(shared->Bitmap()));
    std::string before = Saved(storage);

    storage.SaveRow(4);
    EXPECT_EQ(shared->RefCount(), 2);
    storage.SetValue(1, 4, skText, Text("changed"));
    storage.SetValue(2, 4, skText, Text("was empty"));
    storage.ClearCell(3, 4);
    storage.SetValue(5, 4, skCheckState, Variant(0));
    storage.SetValue(20, 4, skText, Text("beyond the saved length"));
    storage.RestoreRow(4);

    EXPECT_EQ(Saved(storage), before);
    EXPECT_TRUE(storage.GetValue(4, 4).IsNull());
    EXPECT_EQ(storage.KindOf(2, 4), skEmpty);
    EXPECT_EQ(storage.KindOf(20, 4), skEmpty);
    EXPECT_FALSE(storage.HasCells(0));
    EXPECT_EQ(shared->RefCount(), 1);

    // A saved row that is cleared instead of restored lets go of its copy.
    storage.SaveRow(4);
    storage.ClearSavedRow();
    EXPECT_EQ(shared->RefCount(), 1);
    EXPECT_EQ(storage.LastCol(0), 0);
    storage.ClearCell(5, 4);
}

TEST_F(StorageTest, SavingAnEmptyRowClearsTheScratchRow)
{
    Tts2DStorage storage(0, 0);
    storage.SetValue(1, 2, skText, Text("x"));
    storage.SaveRow(2);
    EXPECT_EQ(storage.LastCol(0), 1);
    storage.SaveRow(7);  // a slot without cells
    EXPECT_FALSE(storage.HasCells(0));
    storage.SaveRow(2);
    storage.SaveRow(99);  // beyond the slots
    EXPECT_FALSE(storage.HasCells(0));
    // Nothing to copy into when there are no slots at all.
    Tts2DStorage empty(0, 0);
    empty.SaveRow(1);
    empty.RestoreRow(1);
    EXPECT_EQ(empty.RowSlots(), 0);
}

TEST_F(StorageTest, ClearOperations)
{
    Tts2DStorage storage(0, 0);
    for (int row = 0; row <= 6; ++row)
        for (int col = 1; col <= 3; ++col)
            storage.SetValue(col, row, skCheckState, Variant(row * 10 + col));

    storage.ClearCol(2);
    EXPECT_EQ(storage.KindOf(2, 0), skCheckState);  // not the scratch row
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(storage.KindOf(2, row), skEmpty);

    storage.ClearRow(3, -1);
    EXPECT_EQ(storage.LastCol(3), 0);
    EXPECT_EQ(storage.Lengths(3), 11);
    storage.ClearRow(3, 2);
    EXPECT_EQ(storage.Lengths(3), 2);
    EXPECT_EQ(storage.Capacities(3), 2);
    storage.ClearRow(9, 5);  // no cells: nothing
    EXPECT_FALSE(storage.HasCells(9));

    storage.ClearRows(5, false);
    EXPECT_FALSE(storage.HasCells(5));
    EXPECT_FALSE(storage.HasCells(6));
    EXPECT_EQ(storage.RowSlots(), 11);
    storage.ClearRows(4, true);
    EXPECT_EQ(storage.RowSlots(), 5);
    // Row 3 keeps its two empty cells.
    EXPECT_EQ(storage.LastRow(), 3);
    // A first row of 1 counts as 0: the scratch row goes too.
    storage.ClearRows(1, true);
    EXPECT_EQ(storage.RowSlots(), 0);
}

TEST_F(StorageTest, SetRowSlotsClearsRowsItCutsOff)
{
    graphics::TBitmap* picture = NewSharedBitmap()->Bitmap();
    Tts2DStorage storage(0, 0);
    storage.SetValue(1, 8, skBitmap, BitmapValue(picture));
    storage.SetValue(1, 2, skText, Text("kept"));
    storage.SetRowSlots(5);
    EXPECT_EQ(storage.RowSlots(), 5);
    EXPECT_EQ(FindSharedBitmap(picture), nullptr);
    EXPECT_EQ(storage.LastRow(), 2);
    storage.SetRowSlots(-3);
    EXPECT_EQ(storage.RowSlots(), 0);
}

TEST_F(StorageTest, AssignCopiesDataRowsAndTheOwnerFlag)
{
    TtsBitmapElement* shared = NewSharedBitmap();
    Tts2DStorage source(0, 0);
    source.SetOwnerFlag(true);
    source.SetValue(1, 1, skText, Text("one"));
    source.SetValue(4, 3, skCheckState, Variant(2));
    source.SetValue(2, 3, skNull, Variant::Null());
    source.SetValue(1, 5, skBitmap, BitmapValue(shared->Bitmap()));
    source.SetValue(1, 0, skText, Text("scratch"));
    source.SetValue(1, 6, skText, Text("cleared later"));
    source.ClearCell(1, 6);  // row 6 keeps empty cells

    Tts2DStorage target(6, 50);
    target.SetValue(2, 1, skText, Text("overwritten"));
    target.SetValue(3, 40, skText, Text("beyond the source"));
    target.Assign(source);

    EXPECT_TRUE(target.OwnerFlag());
    EXPECT_EQ(Saved(target), Saved(source));
    EXPECT_EQ(target.RowSlots(), 51);
    EXPECT_EQ(target.KindOf(2, 1), skEmpty);
    EXPECT_FALSE(target.HasCells(40));
    EXPECT_FALSE(target.HasCells(0));
    EXPECT_TRUE(target.GetValue(2, 3).IsNull());
    // Rows shorter than the column hint are made hint-long.
    EXPECT_EQ(target.Lengths(1), 6);
    EXPECT_EQ(target.Lengths(3), 6);
    EXPECT_EQ(target.Lengths(6), 0);
    EXPECT_EQ(shared->RefCount(), 2);

    Tts2DStorage empty(0, 0);
    target.Assign(empty);
    EXPECT_EQ(target.RowSlots(), 0);
    EXPECT_FALSE(target.OwnerFlag());
    EXPECT_EQ(shared->RefCount(), 1);
    target.Assign(target);
    source.ClearCell(1, 5);
}

}  // namespace
