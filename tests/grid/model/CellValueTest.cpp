#include <gtest/gtest.h>

#include <memory>

#include "grid/foundation/CellValues.h"
#include "grid/foundation/ImageLink.h"
#include "grid/model/CellValue.h"
#include "grid/model/PictureNames.h"
#include "tests/grid/model/FakeImageList.h"
#include "platform/graphics/Bitmap.h"

using namespace grid;
using core::Variant;

namespace {

struct Written {
    TtsStoredKind kind;
    Variant value;
    TtsValueError error;
};

Written Write(TtsControlType type, const Variant& value)
{
    Variant scratch;
    Written w{};
    w.value = TypeCellValue(type, value, scratch, w.kind, w.error);
    return w;
}

}  // namespace

TEST(CellValue, WritesAreTypedByControlType)
{
    struct Case {
        TtsControlType type;
        Variant in;
        TtsStoredKind kind;
        Variant out;
    };
    const Case cases[] = {
        {ctText, Variant("abc"), skText, Variant("abc")},
        {ctText, Variant(int32_t{7}), skText, Variant("7")},
        {ctText, Variant(u"wide"), skText, Variant("wide")},
        {ctText, Variant(2.5), skText, Variant("2.5")},
        {ctText, Variant::Null(), skEmpty, Variant::Null()},
        {ctText, Variant(), skEmpty, Variant()},
        {ctCheck, Variant(int32_t{1}), skCheckState, Variant(int32_t{1})},
        {ctCheck, Variant(int16_t{2}), skCheckState, Variant(int32_t{2})},
        {ctCheck, Variant(true), skCheckState, Variant(int32_t{1})},
        {ctCheck, Variant(false), skCheckState, Variant(int32_t{0})},
        {ctCheck, Variant("Yes"), skText, Variant("Yes")},
        {ctCheck, Variant(u"Ja"), skText, Variant("Ja")},
        {ctCheck, Variant::Null(), skNull, Variant::Null()},
        {ctPicture, Variant("smile"), skPictureName, Variant("smile")},
        {ctPicture, Variant(int32_t{0}), skEmpty, Variant(int32_t{0})},
        {ctNone, Variant("lost"), skEmpty, Variant("lost")},
    };
    for (const Case& c : cases) {
        Written w = Write(c.type, c.in);
        EXPECT_EQ(w.error, veNone) << c.type << " " << c.in.TypeName();
        EXPECT_EQ(w.kind, c.kind) << c.type << " " << c.in.TypeName();
        if (c.kind != skEmpty) {
            EXPECT_TRUE(w.value.Identical(c.out)) << c.type << " " << c.in.TypeName() << " " << w.value.AsString();
        }
    }
}

TEST(CellValue, OnlyAKnownPictureIsStoredAsAPicture)
{
    auto bitmap = std::make_unique<graphics::TBitmap>();
    Written known = Write(ctPicture, ObjectToValue(bitmap.get()));
    EXPECT_EQ(known.kind, skBitmap);
    EXPECT_EQ(ValueBitmap(known.value), bitmap.get());
    EXPECT_TRUE(PictureCellValue(known.value).Identical(ObjectToValue(bitmap.get())))
        << "a read hands back what was written";
    for (const Variant& stranger : {Variant(int32_t{123456}), Variant(int64_t{0x7fff1234}), Variant(1.5), Variant(true)})
        EXPECT_EQ(Write(ctPicture, stranger).error, vePicture) << stranger.TypeName();
    EXPECT_STREQ(ValueErrorText(vePicture), "Invalid cell value. A picture column requires a value of type TBitmap or string");
}

TEST(CellValue, LoadedValuesAreCheckedAndConverted)
{
    struct Case {
        TtsControlType type;
        Variant in;
        TtsValueError error;
        Variant out;
    };
    const Case cases[] = {
        {ctText, Variant("a"), veNone, Variant("a")},
        {ctText, Variant(u"w"), veNone, Variant("w")},
        {ctText, Variant(int32_t{3}), veText, Variant()},
        {ctText, Variant::Null(), veText, Variant()},
        {ctText, Variant(), veNone, Variant()},
        {ctCheck, Variant(int32_t{2}), veNone, Variant(int32_t{2})},
        {ctCheck, Variant("x"), veNone, Variant("x")},
        {ctCheck, Variant::Null(), veNone, Variant::Null()},
        {ctCheck, Variant(true), veNone, Variant(int32_t{1})},
        {ctCheck, Variant(1.5), veCheck, Variant()},
        {ctPicture, Variant(int32_t{9}), veNone, Variant(int32_t{9})},
        {ctPicture, Variant("p"), veNone, Variant("p")},
        {ctPicture, Variant::Null(), vePicture, Variant()},
    };
    for (const Case& c : cases) {
        Variant v = c.in;
        EXPECT_EQ(CheckLoadedValue(c.type, v), c.error) << c.type << " " << c.in.TypeName();
        if (c.error == veNone) {
            EXPECT_TRUE(v.Identical(c.out)) << c.type << " " << c.in.TypeName();
        }
    }
}

TEST(CellValue, KindsKeptByEachControlType)
{
    const char* expected[] = {
        // skEmpty, skText, skCheckState, skBitmap, skPictureName, skNull
        "000000",  // ctNone
        "010000",  // ctText
        "011001",  // ctCheck
        "000110",  // ctPicture
    };
    for (int type = ctNone; type <= ctPicture; ++type)
        for (int kind = skEmpty; kind <= skNull; ++kind)
            EXPECT_EQ(KindFitsControlType(static_cast<TtsControlType>(type), static_cast<TtsStoredKind>(kind)),
                      expected[type][kind] == '1')
                << type << " " << kind;
}

TEST(CellValue, CheckBoxValuesFormat)
{
    for (const char* good : {"", "Yes|No", "Yes|No|Maybe", "|No", "Yes|No|"})
        EXPECT_TRUE(CheckBoxValuesValid(good)) << good;
    for (const char* bad : {"Yes", "Yes||Maybe", "a|b|c|d", "Yes|"})
        EXPECT_FALSE(CheckBoxValuesValid(bad)) << bad;
}


TEST(PictureNames, DesignFormFollowsRenamesAndKeepsIndexesValid)
{
    TtsPictureNames names;
    FakeImageList second("Second", {"a", "b"});
    FakeImageList first("First", {"x", "y", "z"});
    int shift = 0;
    core::AnsiString b = names.Encode("b", &second, shift);
    EXPECT_EQ(b, "b\x01" "0\x01" "1");
    EXPECT_EQ(shift, -1);
    EXPECT_EQ(TtsPictureNames::BareName(b), "b");
    // "First" sorts before "Second": stored indexes from 0 up move by one.
    core::AnsiString z = names.Encode("z", &first, shift);
    EXPECT_EQ(z, "z\x01" "0\x01" "2");
    EXPECT_EQ(shift, 0);
    b = TtsPictureNames::ShiftListIndex(b, shift);
    EXPECT_EQ(b, "b\x01" "1\x01" "1");
    EXPECT_EQ(names.ImageListIds().CommaText(), "First,Second");
    EXPECT_EQ(names.Resolve(b, &second), "b");
    second.Rename(1, "bee");
    EXPECT_EQ(names.Resolve(b, &second), "bee") << "the cell follows its renamed picture";
    EXPECT_EQ(names.Resolve(b, &first), "b") << "another image list leaves the name alone";
    EXPECT_EQ(names.Encode("unknown", &second, shift), "unknown");
    EXPECT_EQ(TtsPictureNames::ShiftListIndex("plain", 0), "plain");
}
