#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/data/OdbcConnectionString.h"

using data::OdbcConnectionString;

TEST(OdbcConnectionString, BracesValuesThatNeedItAndDoublesClosingBraces)
{
    // nullptr: refused.
    struct Case {
        const char* value;
        const char* standard;
        const char* freeTds;
    } cases[] = {
        {"plain", "PWD=plain;", "PWD=plain;"},
        {"", "PWD=;", "PWD=;"},
        {"two words", "PWD=two words;", "PWD=two words;"},
        {" lead", "PWD={ lead};", "PWD={ lead};"},
        {"host,1433", "PWD={host,1433};", "PWD={host,1433};"},
        {"at@home", "PWD={at@home};", "PWD={at@home};"},
        {"a;b=c", "PWD={a;b=c};", "PWD={a;b=c};"},
        {"x}y", "PWD={x}}y};", nullptr},
        {"end}", "PWD={end}}};", nullptr},
        {"{open", "PWD={{open};", "PWD={{open};"},
        {"tab\tinside", "PWD={tab\tinside};", "PWD={tab\tinside};"},
        {"line\nbreak", "PWD={line\nbreak};", "PWD={line\nbreak};"},
        {"trailing\t", "PWD={trailing\t};", "PWD={trailing\t};"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OdbcConnectionString().Add("PWD", c.value).Text(), c.standard) << c.value;
        OdbcConnectionString freeTds(OdbcConnectionString::brFreeTds);
        if (c.freeTds) {
            EXPECT_EQ(freeTds.Add("PWD", c.value).Text(), c.freeTds) << c.value;
        } else {
            EXPECT_THROW(freeTds.Add("PWD", c.value), core::EDatabaseError) << c.value;
            EXPECT_EQ(freeTds.Text(), "") << "a refused value adds nothing";
        }
    }
}

TEST(OdbcConnectionString, FreeTdsCannotTakeAnyCloseBrace)
{
    // The driver manager ends a braced value at the first "}", FreeTDS at
    // the first "};": a "}" anywhere would let the two read different keys.
    for (const char* value : {"a};b", "a}DRIVER=/tmp/x.so;c=", "}", "}}"}) {
        OdbcConnectionString text(OdbcConnectionString::brFreeTds);
        EXPECT_THROW(text.Add("PWD", value), core::EDatabaseError) << value;
    }
    EXPECT_EQ(OdbcConnectionString().Add("PWD", "a};b").Text(), "PWD={a}};b};");
}

TEST(OdbcConnectionString, NoRouteTakesANulOrAValueBeyondItsLimit)
{
    const std::string withNul("a\0b", 3);
    for (auto rule : {OdbcConnectionString::brStandard, OdbcConnectionString::brFreeTds}) {
        OdbcConnectionString text(rule);
        EXPECT_THROW(text.Add("PWD", withNul), core::EDatabaseError);
        EXPECT_THROW(text.Add("PWD", std::string(129, 'x'), 128), core::EDatabaseError);
        text.Add("PWD", std::string(128, 'x'), 128);
        EXPECT_EQ(text.Text(), "PWD=" + std::string(128, 'x') + ";");
    }
}

TEST(OdbcConnectionString, PlainValuesAndOrder)
{
    OdbcConnectionString text;
    text.AddPlain("DRIVER", "{FreeTDS}").Add("SERVER", "host").AddPlain("ClientCharset", "UTF-8");
    EXPECT_EQ(text.Text(), "DRIVER={FreeTDS};SERVER=host;ClientCharset=UTF-8;");
}
