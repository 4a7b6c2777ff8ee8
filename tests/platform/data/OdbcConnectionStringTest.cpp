#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/data/OdbcConnectionString.h"

using data::OdbcConnectionString;

TEST(OdbcConnectionString, BracesValuesThatNeedItAndDoublesClosingBraces)
{
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
        {"x}y", "PWD={x}}y};", "PWD={x}y};"},
        {"end}", "PWD={end}}};", "PWD={end}};"},
        {"{open", "PWD={{open};", "PWD={{open};"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OdbcConnectionString().Add("PWD", c.value).Text(), c.standard) << c.value;
        EXPECT_EQ(OdbcConnectionString(OdbcConnectionString::brFreeTds).Add("PWD", c.value).Text(), c.freeTds)
            << c.value;
    }
}

TEST(OdbcConnectionString, FreeTdsCannotTakeACloseBraceBeforeASemicolon)
{
    OdbcConnectionString text(OdbcConnectionString::brFreeTds);
    EXPECT_THROW(text.Add("PWD", "a};b"), core::EDatabaseError);
    EXPECT_EQ(OdbcConnectionString().Add("PWD", "a};b").Text(), "PWD={a}};b};");
}

TEST(OdbcConnectionString, PlainValuesAndOrder)
{
    OdbcConnectionString text;
    text.AddPlain("DRIVER", "{FreeTDS}").Add("SERVER", "host").AddPlain("ClientCharset", "UTF-8");
    EXPECT_EQ(text.Text(), "DRIVER={FreeTDS};SERVER=host;ClientCharset=UTF-8;");
}
