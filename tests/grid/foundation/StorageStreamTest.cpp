#include <gtest/gtest.h>

#include <climits>
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
using storagetest::Paint;
using storagetest::PictureBytes;
using storagetest::SamePixels;
using storagetest::Saved;
using storagetest::SharedCount;

namespace {

using StorageStreamTest = storagetest::StorageFixture;

Variant Text(const char* text)
{
    return Variant(core::AnsiString(text));
}

std::unique_ptr<TtsIntegerList> Map(std::initializer_list<int> columns)
{
    auto map = std::make_unique<TtsIntegerList>();
    for (int col : columns)
        map->Add(col);
    return map;
}

TEST_F(StorageStreamTest, TextEmptyCellAndSharedPictureAreWrittenByteForByte)
{
    graphics::TBitmap picture;
    Paint(picture, 5, 3, 1);
    Tts2DStorage storage(0, 0);
    storage.SetValue(1, 1, skText, Text("ab"));
    storage.SetValue(3, 1, skBitmap, BitmapValue(&picture));
    storage.SetValue(1, 2, skBitmap, BitmapValue(&picture));

    std::string expected = Bytes()
                               .I32(1).I32(3)
                               .U8(skText).Text("ab")
                               .U8(skEmpty)
                               .U8(skBitmap).I32(1)
                               .I32(2).I32(1)
                               .U8(skBitmap).I32(1)
                               .I32(0)
                               .I32(1).Raw(PictureBytes(picture))
                               .Str();
    EXPECT_EQ(Saved(storage), expected);
}

// A row with more cells than the map has entries (a stream saved with more
// columns, or a hostile one): the cells past the map are dropped, not put
// in the grid's column of the same number.
TEST_F(StorageStreamTest, CellsBeyondTheColumnMapAreDropped)
{
    Tts2DStorage source(0, 0);
    for (int col = 1; col <= 4; ++col)
        source.SetValue(col, 1, skText, Text(std::to_string(col).c_str()));
    std::string stream = Saved(source);

    Tts2DStorage storage(0, 0);
    storage.SetValue(3, 1, skText, Text("kept"));
    auto map = Map({2, 1});
    Load(storage, stream, map.get());

    EXPECT_TRUE(storage.GetValue(2, 1).Identical(Text("1")));
    EXPECT_TRUE(storage.GetValue(1, 1).Identical(Text("2")));
    EXPECT_TRUE(storage.GetValue(3, 1).Identical(Text("kept")));
    EXPECT_EQ(storage.KindOf(4, 1), skEmpty);
}

TEST_F(StorageStreamTest, ColumnMapPlacesCellsAndTheirPictureIsSharedOnce)
{
    graphics::TBitmap picture;
    Paint(picture, 5, 3, 2);
    std::string stream;
    {
        Tts2DStorage source(0, 0);
        source.SetValue(1, 1, skText, Text("ab"));
        source.SetValue(3, 1, skBitmap, BitmapValue(&picture));
        source.SetValue(1, 2, skBitmap, BitmapValue(&picture));
        stream = Saved(source);
    }

    Tts2DStorage storage(0, 0);
    storage.SetValue(1, 1, skText, Text("unmapped column stays"));
    storage.SetValue(2, 3, skText, Text("mapped column is cleared"));
    auto map = Map({2, 0, 5});
    Load(storage, stream, map.get());

    EXPECT_TRUE(storage.GetValue(1, 1).Identical(Text("unmapped column stays")));
    EXPECT_EQ(storage.KindOf(2, 3), skEmpty);
    EXPECT_TRUE(storage.GetValue(2, 1).Identical(Text("ab")));
    EXPECT_EQ(storage.KindOf(3, 1), skEmpty);
    EXPECT_EQ(storage.KindOf(5, 1), skBitmap);
    EXPECT_EQ(storage.KindOf(2, 2), skBitmap);
    graphics::TBitmap* loaded = ValueBitmap(storage.GetValue(5, 1));
    EXPECT_EQ(ValueBitmap(storage.GetValue(2, 2)), loaded);
    ASSERT_NE(loaded, &picture);
    EXPECT_TRUE(SamePixels(*loaded, picture));

    TtsBitmapElement* element = FindSharedBitmap(loaded);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->RefCount(), 2);
    EXPECT_TRUE(element->OwnsBitmap());
    EXPECT_EQ(SharedCount(), 1);
    storage.ClearCell(5, 1);
    EXPECT_EQ(element->RefCount(), 1);
    storage.ClearCell(2, 2);
    EXPECT_EQ(FindSharedBitmap(loaded), nullptr);
    EXPECT_EQ(SharedCount(), 0);
}

TEST_F(StorageStreamTest, AccountListBlockReadsAndWritesTheSameBytes)
{
    // The grid block of the account list form: rows 1 and 2 hold two empty
    // texts and check state 1, row 3 an empty cell, an empty text and 1, rows
    // 4 and 5 two empty cells and 1.
    Bytes bytes;
    for (int row = 1; row <= 2; ++row)
        bytes.I32(row).I32(3).U8(skText).I32(0).U8(skText).I32(0).U8(skCheckState).I32(1);
    bytes.I32(3).I32(3).U8(skEmpty).U8(skText).I32(0).U8(skCheckState).I32(1);
    for (int row = 4; row <= 5; ++row)
        bytes.I32(row).I32(3).U8(skEmpty).U8(skEmpty).U8(skCheckState).I32(1);
    bytes.I32(0).I32(0);
    ASSERT_EQ(bytes.Str().size(), 103u);
    EXPECT_EQ(bytes.Str().substr(0, 23), std::string("\x01\0\0\0\x03\0\0\0\x01\0\0\0\0\x01\0\0\0\0\x02\x01\0\0\0", 23));

    Tts2DStorage storage(3, 5);
    Load(storage, bytes.Str());
    EXPECT_EQ(storage.KindOf(1, 1), skText);
    EXPECT_TRUE(storage.GetValue(2, 3).Identical(Text("")));
    EXPECT_TRUE(storage.GetValue(3, 5).Identical(Variant(1)));
    EXPECT_EQ(Saved(storage), bytes.Str());

    Tts2DStorage built(3, 5);
    for (int row = 1; row <= 5; ++row) {
        if (row <= 2)
            built.SetValue(1, row, skText, Text(""));
        if (row <= 3)
            built.SetValue(2, row, skText, Text(""));
        built.SetValue(3, row, skCheckState, Variant(1));
    }
    EXPECT_EQ(Saved(built), bytes.Str());
}

TEST_F(StorageStreamTest, NullAndSkippedCellsReadBackEmpty)
{
    Tts2DStorage source(0, 0);
    source.SetValue(2, 1, skNull, Variant::Null());
    source.SetValue(3, 1, skPictureName, Text("logo"));
    Tts2DStorage storage(0, 0);
    storage.SetValue(4, 4, skText, Text("replaced by the load"));
    Load(storage, Saved(source));
    EXPECT_EQ(storage.KindOf(2, 1), skEmpty);
    EXPECT_TRUE(storage.GetValue(3, 1).Identical(Text("logo")));
    EXPECT_EQ(storage.KindOf(3, 1), skPictureName);
    EXPECT_EQ(storage.KindOf(4, 4), skEmpty);

    // A negative row, and a column that the map sends to 0, are read and
    // dropped; the records after them still land.
    std::string bytes = Bytes()
                            .I32(-3).I32(2).U8(skText).Text("dropped").U8(skBitmap).I32(5)
                            .I32(2).I32(2).U8(skText).Text("to column 0").U8(skCheckState).I32(7)
                            .I32(0).I32(0)
                            .Str();
    auto map = Map({0, 2});
    Tts2DStorage mapped(0, 0);
    Load(mapped, bytes, map.get());
    EXPECT_EQ(mapped.LastRow(), 2);
    EXPECT_EQ(mapped.KindOf(1, 2), skEmpty);
    EXPECT_TRUE(mapped.GetValue(2, 2).Identical(Variant(7)));
    EXPECT_EQ(SharedCount(), 0);
}

TEST_F(StorageStreamTest, PicturesRoundTripIncludingEmptyOnes)
{
    graphics::TBitmap empty, first, second;
    Paint(first, 7, 4, 3);
    Paint(second, 2, 9, 4);
    Tts2DStorage source(0, 0);
    source.SetValue(1, 1, skBitmap, BitmapValue(&first));
    source.SetValue(2, 1, skBitmap, BitmapValue(&empty));
    source.SetValue(3, 1, skBitmap, BitmapValue(nullptr));
    source.SetValue(1, 3, skBitmap, BitmapValue(&second));
    std::string bytes = Saved(source);
    // An empty picture is written as the 54 bytes of a 0 by 0 picture, so
    // the pictures after it keep their numbers.
    std::string head = Bytes().I32(0).I32(4).Raw(PictureBytes(first)).Str();
    EXPECT_NE(bytes.find(head), std::string::npos);

    Tts2DStorage storage(0, 0);
    Load(storage, bytes);
    EXPECT_TRUE(SamePixels(*ValueBitmap(storage.GetValue(1, 1)), first));
    EXPECT_TRUE(ValueBitmap(storage.GetValue(2, 1))->Empty());
    EXPECT_TRUE(ValueBitmap(storage.GetValue(3, 1))->Empty());
    EXPECT_TRUE(SamePixels(*ValueBitmap(storage.GetValue(1, 3)), second));
    EXPECT_EQ(SharedCount(), 4);
    // And what was read writes the same bytes again, the pictures now shared.
    EXPECT_EQ(Saved(storage), bytes);
}

TEST_F(StorageStreamTest, PictureNumbersBeyondOrBetweenTheListStayEmpty)
{
    graphics::TBitmap one, two, three;
    Paint(one, 3, 3, 5);
    Paint(two, 4, 4, 6);
    Paint(three, 5, 5, 7);
    // Cells name pictures 2 and 4 of a list of three: picture 2 is loaded,
    // 1 and 3 are read and dropped, and number 4 keeps an empty picture.
    std::string bytes = Bytes()
                            .I32(1).I32(2).U8(skBitmap).I32(2).U8(skBitmap).I32(4)
                            .I32(0)
                            .I32(3).Raw(PictureBytes(one)).Raw(PictureBytes(two)).Raw(PictureBytes(three))
                            .Str();
    Tts2DStorage storage(0, 0);
    core::TStringStream stream(bytes + "tail");
    storage.LoadFromStream(stream, nullptr);
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(bytes.size()));
    EXPECT_TRUE(SamePixels(*ValueBitmap(storage.GetValue(1, 1)), two));
    EXPECT_TRUE(ValueBitmap(storage.GetValue(2, 1))->Empty());
    EXPECT_EQ(SharedCount(), 2);
}

TEST_F(StorageStreamTest, PictureCellOverwrittenDuringTheLoadDoesNotFreeItForLaterCells)
{
    graphics::TBitmap picture;
    Paint(picture, 6, 2, 8);
    // Row 1 takes picture 1, then a second group for row 1 puts a text over
    // it before row 2 takes picture 1 as well.
    std::string bytes = Bytes()
                            .I32(1).I32(1).U8(skBitmap).I32(1)
                            .I32(1).I32(1).U8(skText).Text("over")
                            .I32(2).I32(1).U8(skBitmap).I32(1)
                            .I32(0)
                            .I32(1).Raw(PictureBytes(picture))
                            .Str();
    Tts2DStorage storage(0, 0);
    Load(storage, bytes);
    EXPECT_TRUE(storage.GetValue(1, 1).Identical(Text("over")));
    graphics::TBitmap* loaded = ValueBitmap(storage.GetValue(1, 2));
    ASSERT_NE(FindSharedBitmap(loaded), nullptr);
    EXPECT_EQ(FindSharedBitmap(loaded)->RefCount(), 1);
    EXPECT_TRUE(SamePixels(*loaded, picture));
}

// ---- Hostile streams ---------------------------------------------------------------

struct HostileCase {
    const char* name;
    std::string bytes;
};

std::string RlePicture(int width, int height)
{
    // An 8-bit run-length picture of one colour whose data is only the
    // end-of-picture mark: a few bytes that claim width x height pixels.
    Bytes info;
    info.I32(40).I32(width).I32(height).U8(1).U8(0).U8(8).U8(0).I32(1).I32(2).I32(0).I32(0).I32(1).I32(0);
    std::string palette("\0\0\0\0", 4);
    std::string data("\0\x01", 2);
    int size = 14 + 40 + 4 + 2;
    return Bytes().U8('B').U8('M').I32(size).I32(0).I32(14 + 40 + 4).Raw(info.Str()).Raw(palette).Raw(data).Str();
}

std::vector<HostileCase> HostileCases()
{
    graphics::TBitmap picture;
    Paint(picture, 2, 2, 9);
    std::string valid = PictureBytes(picture);
    auto cell = [](uint8_t kind, int32_t payload) { return Bytes().I32(1).I32(1).U8(kind).I32(payload); };
    std::vector<HostileCase> cases = {
        {"picture number asks for gigabytes", cell(skBitmap, INT_MAX).I32(0).I32(0).Str()},
        {"picture number beyond what the rest holds", cell(skBitmap, 3).I32(0).I32(1).Raw(valid).Str()},
        {"picture number 0", cell(skBitmap, 0).I32(0).I32(1).Raw(valid).Str()},
        {"picture number -1", cell(skBitmap, -1).I32(0).I32(1).Raw(valid).Str()},
        {"row number near the top", Bytes().I32(INT_MAX - 5).I32(1).U8(skCheckState).I32(1).I32(0).I32(0).Str()},
        {"row number far beyond the rows", Bytes().I32((1 << 20) + 1).I32(1).U8(skCheckState).I32(1).I32(0).I32(0).Str()},
        {"text length -1", cell(skText, -1).Raw("abc").I32(0).I32(0).Str()},
        {"text length 2^31-1", cell(skText, INT_MAX).Raw("abc").I32(0).I32(0).Str()},
        {"picture name longer than the rest", cell(skPictureName, 9).Raw("abc").Str()},
        {"cell count -1", Bytes().I32(1).I32(-1).I32(0).I32(0).Str()},
        {"cell count beyond the rest", Bytes().I32(1).I32(1000).U8(skEmpty).I32(0).I32(0).Str()},
        {"unknown kind", Bytes().I32(1).I32(1).U8(6).I32(0).I32(0).Str()},
        {"no end mark", cell(skCheckState, 1).Str()},
        {"no picture count", cell(skCheckState, 1).I32(0).Str()},
        {"picture count -1", Bytes().I32(0).I32(-1).Str()},
        {"picture count beyond the rest", Bytes().I32(0).I32(1000).Raw(valid).Str()},
        {"picture missing", cell(skBitmap, 1).I32(0).I32(2).Raw(valid).Raw(std::string(30, 'x')).Str()},
        {"picture damaged", cell(skBitmap, 1).I32(0).I32(1).Raw(valid.substr(0, 40)).Raw(std::string(20, '\0')).Str()},
        {"empty picture header longer than the rest",
         Bytes().I32(0).I32(1).U8('B').U8('M').I32(54).I32(0).I32(54).I32(100000).I32(0).I32(0).Raw(std::string(28, '\0')).Str()},
        {"pictures too large together", Bytes().I32(0).I32(5).Raw(RlePicture(4096, 4096)).Raw(RlePicture(4096, 4096))
                                            .Raw(RlePicture(4096, 4096)).Raw(RlePicture(4096, 4096)).Raw(RlePicture(4096, 4096)).Str()},
        {"empty stream", ""},
    };
    return cases;
}

TEST_F(StorageStreamTest, HostileStreamRaisesAndLeavesTheStorageAsItWas)
{
    // The test holds the picture itself, so that it outlives each storage.
    TtsBitmapElement* shared = NewSharedBitmap();
    Paint(*shared->Bitmap(), 3, 2, 10);
    ChangeBitmapRef(shared->Bitmap(), false);
    for (const HostileCase& c : HostileCases()) {
        Tts2DStorage storage(3, 10);
        storage.SetValue(1, 1, skText, Text("before"));
        storage.SetValue(3, 2, skCheckState, Variant(2));
        storage.SetValue(2, 4, skBitmap, BitmapValue(shared->Bitmap()));
        std::string before = Saved(storage);
        int slots = storage.RowSlots();
        auto identity = Map({1, 2, 3});
        for (const TtsIntegerList* map : {static_cast<const TtsIntegerList*>(nullptr), static_cast<const TtsIntegerList*>(identity.get())}) {
            core::TStringStream stream(c.bytes);
            EXPECT_THROW(storage.LoadFromStream(stream, map), core::Exception) << c.name;
            EXPECT_EQ(stream.Position(), 0) << c.name;
            EXPECT_EQ(Saved(storage), before) << c.name;
            EXPECT_EQ(storage.RowSlots(), slots) << c.name;
            EXPECT_EQ(SharedCount(), 1) << c.name;
            EXPECT_EQ(shared->RefCount(), 2) << c.name;
        }
    }
    EXPECT_EQ(shared->RefCount(), 1);
    ChangeBitmapRef(shared->Bitmap(), true);
}

TEST_F(StorageStreamTest, RowsUpToTheRowHintAreTaken)
{
    std::string bytes = Bytes().I32(1500000).I32(1).U8(skCheckState).I32(1).I32(0).I32(0).Str();
    Tts2DStorage small(3, 10);
    EXPECT_THROW(Load(small, bytes), core::EReadError);
    Tts2DStorage large(3, 2000000);
    Load(large, bytes);
    EXPECT_TRUE(large.GetValue(1, 1500000).Identical(Variant(1)));
    EXPECT_EQ(large.RowSlots(), 2000001);
}

}  // namespace
