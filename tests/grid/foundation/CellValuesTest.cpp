#include <gtest/gtest.h>

#include "grid/foundation/CellValues.h"
#include "platform/core/Object.h"

using namespace grid;
using core::Variant;

TEST(CellValues, StrictAndLooseComparison)
{
    struct Case {
        Variant a, b;
        bool strict, loose;
    };
    const Case cases[] = {
        {Variant(), Variant(), true, true},
        {Variant(), Variant(int32_t{0}), false, false},       // unassigned is not 0
        {Variant(""), Variant(), false, false},
        {Variant::Null(), Variant::Null(), true, true},
        {Variant::Null(), Variant(int32_t{0}), false, false},
        {Variant(int32_t{5}), Variant(int32_t{5}), true, true},
        {Variant(int32_t{5}), Variant(int32_t{6}), false, false},
        {Variant("abc"), Variant("abc"), true, true},
        {Variant("abc"), Variant("ABC"), false, false},
        {Variant(int32_t{5}), Variant(5.0), false, true},     // numbers of different types
        {Variant(int16_t{5}), Variant(uint8_t{5}), false, true},
        {Variant(1.5f), Variant(1.5), false, true},
        {Variant(core::Currency::FromDouble(2.5)), Variant(2.5), false, true},
        {Variant(int32_t{5}), Variant(5.5), false, false},
        {Variant(int32_t{5}), Variant("5"), false, false},    // text is no number here
        {Variant(int64_t{5}), Variant(int32_t{5}), false, false},
        {Variant(true), Variant(int32_t{-1}), false, false},
        {Variant::FromDate(5), Variant(5.0), false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValuesEqual(c.a, c.b), c.strict) << c.a.TypeName() << " " << c.b.TypeName();
        EXPECT_EQ(ValuesEqual(c.b, c.a), c.strict) << c.b.TypeName() << " " << c.a.TypeName();
        EXPECT_EQ(ValuesEqualLoose(c.a, c.b), c.loose) << c.a.TypeName() << " " << c.b.TypeName();
        EXPECT_EQ(ValuesEqualLoose(c.b, c.a), c.loose) << c.b.TypeName() << " " << c.a.TypeName();
    }
}

TEST(CellValues, ObjectsTravelAsIntegers)
{
    core::TObject first, second;
    Variant a = ObjectToValue(&first);
    Variant b = ObjectToValue(&second);
    EXPECT_EQ(a.VarType(), core::varInteger);
    EXPECT_NE(a.AsInteger(), b.AsInteger());
    EXPECT_TRUE(ValuesEqual(a, ObjectToValue(&first)));  // the same number every time
    EXPECT_EQ(ValueToObject(a), &first);
    EXPECT_EQ(ValueToObject(b), &second);
    EXPECT_EQ(ValueToObject(Variant(int64_t{a.AsInteger()})), &first);

    EXPECT_EQ(ObjectToValue(nullptr).AsInteger(), 0);
    EXPECT_EQ(ValueToObject(ObjectToValue(nullptr)), nullptr);
    // Numbers that name no object, and values that are no integers.
    EXPECT_EQ(ValueToObject(Variant(int32_t{-1})), nullptr);
    EXPECT_EQ(ValueToObject(Variant(int32_t{0x7FFFFFFF})), nullptr);
    EXPECT_EQ(ValueToObject(Variant(static_cast<double>(a.AsInteger()))), nullptr);
    EXPECT_EQ(ValueToObject(Variant("1")), nullptr);
    EXPECT_EQ(ValueToObject(Variant()), nullptr);

    ForgetObjectValue(&first);
    EXPECT_EQ(ValueToObject(a), nullptr);
    EXPECT_EQ(ValueToObject(b), &second);
    EXPECT_NE(ObjectToValue(&first).AsInteger(), a.AsInteger());  // numbers are not reused
    ForgetObjectValue(&first);
    ForgetObjectValue(&second);
}
