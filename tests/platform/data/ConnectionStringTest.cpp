#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/data/ConnectionString.h"

using core::AnsiString;
using data::TConnectionString;

namespace {

using Pairs = std::vector<TConnectionString::Pair>;

}  // namespace

TEST(ConnectionString, ParsesEveryQuotingCase)
{
    struct Case {
        const char* text;
        Pairs pairs;
    } cases[] = {
        {"", {}},
        {" ; ;; ", {}},
        {"a=1", {{"a", "1"}}},
        {"a=1;", {{"a", "1"}}},
        {"a=1;;b=2", {{"a", "1"}, {"b", "2"}}},
        // Blanks around keys and unquoted values go; blanks inside stay.
        {"  Data Source  =  my server  ;", {{"Data Source", "my server"}}},
        {"a=", {{"a", ""}}},
        {"a=  ;b=2", {{"a", ""}, {"b", "2"}}},
        // Quoted values keep everything, with the enclosing quote doubled.
        {"a=\"x;y\"", {{"a", "x;y"}}},
        {"a='x;y'", {{"a", "x;y"}}},
        {"a=\"  padded  \"", {{"a", "  padded  "}}},
        {"a=\"say \"\"hi\"\"\"", {{"a", "say \"hi\""}}},
        {"a='it''s'", {{"a", "it's"}}},
        {"a=\"it's\"", {{"a", "it's"}}},
        {"a='say \"hi\"'", {{"a", "say \"hi\""}}},
        {"a=\"\"", {{"a", ""}}},
        {"a = \"q\"  ; b=2", {{"a", "q"}, {"b", "2"}}},
        // Quotes inside an unquoted value are literal.
        {"a=it's", {{"a", "it's"}}},
        {"a=x\"y", {{"a", "x\"y"}}},
        // "=" in a key is written twice; in a value it stands as it is.
        {"key==word=v", {{"key=word", "v"}}},
        {"a=b=c", {{"a", "b=c"}}},
        {"a===b", {{"a=", "b"}}},
        // Keys compare without case; the last occurrence wins.
        {"User ID=a;user id=b", {{"user id", "b"}}},
        {"a=1;b=2;A=3", {{"b", "2"}, {"A", "3"}}},
        // Double-byte text passes through untouched.
        {"Password=密码;Data Source=服务器", {{"Password", "密码"}, {"Data Source", "服务器"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TConnectionString::Parse(c.text).Pairs(), c.pairs) << c.text;
}

TEST(ConnectionString, RefusesMalformedSegmentsNamingWhereTheyStart)
{
    struct Case {
        const char* text;
        int index;
    } cases[] = {
        {"abc", 0},                 // no "="
        {"a=1;garbage", 4},         // no "=" in the second segment
        {"=1", 0},                  // empty key
        {"  =1", 2},
        {"a=\"open", 0},            // unclosed quote
        {"x=1; a='open", 5},
        {"a=\"q\"tail", 0},         // text after the closing quote
        {"a=x\"", 0},               // a quote at the end of an unquoted value
        {"a=1;b", 4},
    };
    for (const Case& c : cases) {
        try {
            TConnectionString::Parse(c.text);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const core::EDatabaseError& error) {
            EXPECT_EQ(error.Message(),
                      core::Format("Format of the initialization string is not valid starting at index %d",
                                   c.index))
                << c.text;
        }
    }
}

TEST(ConnectionString, QuotesValuesOnlyWhereTheyNeedIt)
{
    struct Case {
        const char* value;
        const char* written;
    } cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"with space", "with space"},
        {"a=b", "a=b"},
        {"it's", "it's"},
        {"x;y", "\"x;y\""},
        {" lead", "\" lead\""},
        {"trail ", "\"trail \""},
        {"\"start", "'\"start'"},
        {"end'", "\"end'\""},
        {"say \"hi\";", "'say \"hi\";'"},
        {"both ' and \";", "\"both ' and \"\";\""},
        {"'", "\"'\""},
        {"=leading", "\"=leading\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TConnectionString::QuoteValue(c.value), c.written) << c.value;
        TConnectionString s;
        s.SetValue("k", c.value);
        EXPECT_EQ(TConnectionString::Parse(s.Text()).Value("k"), c.value) << s.Text();
    }
    EXPECT_EQ(TConnectionString::QuoteKey("a=b"), "a==b");
}

TEST(ConnectionString, BuildsBackWhatItRead)
{
    TConnectionString s = TConnectionString::Parse("Provider=SQLOLEDB.1;Password=\"p;w\";Data Source=.");
    EXPECT_EQ(s.Text(), "Provider=SQLOLEDB.1;Password=\"p;w\";Data Source=.");
    s.SetValue("password", "new");
    s.SetValue("Initial Catalog", "master");
    s.Remove("PROVIDER");
    EXPECT_EQ(s.Text(), "Password=new;Data Source=.;Initial Catalog=master");
    EXPECT_TRUE(s.Has("data source"));
    EXPECT_FALSE(s.Has("Provider"));
    EXPECT_EQ(s.Value("Missing"), "");
}

TEST(ConnectionString, SynonymsAnswerWhicheverCameLast)
{
    TConnectionString s = TConnectionString::Parse("Server=a;Data Source=b");
    EXPECT_EQ(s.ValueOf({"Data Source", "Server"}), "b");
    s = TConnectionString::Parse("Data Source=b;Server=a");
    EXPECT_EQ(s.ValueOf({"Data Source", "Server"}), "a");
    EXPECT_EQ(s.ValueOf({"Database"}), "");
}

// The login window joins its pieces without quoting anything; what such a
// text means is decided here.
TEST(ConnectionString, ReadsTheLoginWindowsTextAsItIsBuilt)
{
    auto login = [](const AnsiString& password, const AnsiString& server) {
        return "Provider=SQLOLEDB.1;Password=" + password +
               ";Persist Security Info=False;User ID=sa;Initial Catalog=master;Data Source=" + server +
               ";Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;Workstation ID=" + server +
               ";Use Encryption for Data=False;Tag with column collation when possible=False";
    };
    TConnectionString s = TConnectionString::Parse(login("", "."));
    EXPECT_EQ(s.Value("Password"), "");
    EXPECT_EQ(s.Value("Data Source"), ".");
    EXPECT_EQ(s.Value("Workstation ID"), ".");
    EXPECT_EQ(s.Value("User ID"), "sa");
    EXPECT_EQ(s.Pairs().size(), 12u);

    // Blanks typed around the server name are dropped by the reader.
    EXPECT_EQ(TConnectionString::Parse(login("pw", "  host  ")).Value("Data Source"), "host");
    // An "=" in the password is part of it.
    EXPECT_EQ(TConnectionString::Parse(login("a=b", ".")).Value("Password"), "a=b");
    // A ";" ends the password early: the rest is an extra pair or an error.
    EXPECT_EQ(TConnectionString::Parse(login("ab;cd=x", ".")).Value("Password"), "ab");
    EXPECT_EQ(TConnectionString::Parse(login("ab;cd=x", ".")).Value("cd"), "x");
    EXPECT_THROW(TConnectionString::Parse(login("ab;cd", ".")), core::EDatabaseError);
    // A leading quote opens a quote that the next pieces do not close.
    EXPECT_THROW(TConnectionString::Parse(login("'secret", ".")), core::EDatabaseError);
}
