#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/Variant.h"

using namespace core;

TEST(Variant, TypesOfConstructedValues)
{
    struct Case {
        Variant value;
        TVarType type;
    } cases[] = {
        {Variant(), varEmpty},
        {Variant::Null(), varNull},
        {Variant(int16_t{-5}), varSmallint},
        {Variant(7), varInteger},
        {Variant(uint8_t{200}), varByte},
        {Variant(1.5f), varSingle},
        {Variant(1.5), varDouble},
        {Variant(Currency{12345}), varCurrency},
        {Variant::FromDate(45000.5), varDate},
        {Variant(true), varBoolean},
        {Variant("账套"), varString},
        {Variant(WideString(u"宋体")), varOleStr},
        {Variant(u"宋体"), varOleStr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.VarType(), c.type) << c.value.TypeName();
}

TEST(Variant, ConversionsFollowTheClassicRules)
{
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(Variant().AsInteger(), 0);
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant(false).AsInteger(), 0);
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant(" 42 ").AsInteger(), 42);
    EXPECT_EQ(Variant("$1F").AsInteger(), 31);
    EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // half to even
    EXPECT_EQ(Variant("3.5").AsInteger(), 4);
    EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
    EXPECT_DOUBLE_EQ(Variant("1.25").AsFloat(), 1.25);
    EXPECT_EQ(Variant(1.5).AsString(), "1.5");
    EXPECT_EQ(Variant(0.1f).AsString(), "0.1");  // a single shows its own 7 digits
    EXPECT_EQ(Variant(Currency{12345}).AsString(), "1.2345");
    EXPECT_EQ(Variant(WideString(u"宋体")).AsString(), "宋体");
    EXPECT_EQ(Variant("宋体").AsWideString(), u"宋体");
    EXPECT_TRUE(Variant("TRUE").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_EQ(Variant(int64_t{1} << 40).AsInt64(), int64_t{1} << 40);
    EXPECT_EQ(Variant(7).ChangeType(varString).AsString(), "7");
    // Dates show and read in the locale's short date format.
    EXPECT_EQ(Variant::FromDate(EncodeDate(2026, 12, 10)).AsString(), "2026-12-10");
    EXPECT_EQ(Variant("2026-12-10").AsDate(), EncodeDate(2026, 12, 10));
    EXPECT_EQ(Variant("7").ChangeType(varSmallint).VarType(), varSmallint);
}

TEST(Variant, ConversionErrorsNameBothTypes)
{
    struct Case {
        Variant value;
        const char* message;
    } cases[] = {
        {Variant("abc"), "Could not convert variant of type (String) into type (Integer)"},
        {Variant::Null(), "Could not convert variant of type (Null) into type (Integer)"},
        {Variant(""), "Could not convert variant of type (String) into type (Integer)"},
    };
    for (const Case& c : cases) {
        try {
            c.value.AsInteger();
            ADD_FAILURE() << c.message;
        } catch (const EVariantError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_THROW(Variant::Null().AsString(), EVariantError);
    EXPECT_THROW(Variant("1.5x").AsFloat(), EConvertError);
    EXPECT_THROW(Variant(3e10).AsInteger(), EVariantError);
    EXPECT_THROW(Variant(300).ChangeType(varByte), EVariantError);
    EXPECT_THROW(Variant(std::nan("")).AsInt64(), EInvalidOp);
}

TEST(Variant, EqualityByTypeAndValue)
{
    struct Case {
        Variant a, b;
        bool equal;
    } cases[] = {
        {Variant(), Variant(), true},
        {Variant::Null(), Variant::Null(), true},
        {Variant::Null(), Variant(), false},
        {Variant::Null(), Variant(0), false},
        {Variant(1), Variant(1), true},
        {Variant(1), Variant(2), false},
        {Variant(1), Variant(1.0), true},
        {Variant(int16_t{1}), Variant(uint8_t{1}), true},
        {Variant(1), Variant("1"), true},
        {Variant(1), Variant("01"), true},
        {Variant(1), Variant("x"), false},
        {Variant("a"), Variant("a"), true},
        {Variant("a"), Variant("A"), false},
        {Variant("宋体"), Variant(WideString(u"宋体")), true},
        {Variant(), Variant(0), true},
        {Variant(), Variant(""), true},
        {Variant(true), Variant(-1), true},
        {Variant(Currency{10000}), Variant(1), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.Equals(c.b), c.equal) << c.a.TypeName() << " " << c.b.TypeName();
        EXPECT_EQ(c.b.Equals(c.a), c.equal) << c.b.TypeName() << " " << c.a.TypeName();
    }
    EXPECT_FALSE(Variant(1).Identical(Variant(1.0)));
    EXPECT_TRUE(Variant("x").Identical(Variant("x")));
}

TEST(Variant, CurrencyKeepsEveryDigitAsTextAndInComparisons)
{
    // Large amounts carry more digits than a double holds; the text shows all
    // four decimals (trailing zeros dropped) and two amounts a ten-thousandth
    // apart stay unequal.
    struct Case {
        int64_t scaled;
        const char* text;
    } cases[] = {
        {123456789012345678, "12345678901234.5678"},
        {INT64_MAX, "922337203685477.5807"},
        {INT64_MIN, "-922337203685477.5808"},
        {-5, "-0.0005"},
        {15000, "1.5"},
        {-20000, "-2"},
        {0, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Variant(Currency{c.scaled}).AsString(), c.text) << c.scaled;
    EXPECT_FALSE(Variant(Currency{INT64_MAX}).Equals(Variant(Currency{INT64_MAX - 1})));
    EXPECT_TRUE(Variant(Currency{INT64_MAX}).Equals(Variant(Currency{INT64_MAX})));
}
