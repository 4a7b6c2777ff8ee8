#include "tests/platform/data/TableContract.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"

using namespace data;
using core::AnsiString;
using core::EDatabaseError;
using core::Variant;

void PrintTo(const AccountRow& row, std::ostream* out)
{
    *out << "{" << row.Name << ", " << (row.Database.IsNull() ? AnsiString("NULL") : row.Database.AsString()) << ", "
         << row.Tag << "}";
}

void TableContract::SetUp()
{
    backend_ = GetParam().Make();
}

namespace {

const std::vector<AccountRow> ThreeAccounts = {
    {"演示账套", Variant("demo_db"), 0},
    {"二号账套", Variant("db_2"), 1},
    {"Plain", Variant::Null(), 0},
};

// A connection and a table on TsAccount as the account list window has them.
struct Window {
    explicit Window(TableBackend& backend)
    {
        connection = new TADOConnection(&owner);
        connection->SetLoginPrompt(false);
        connection->SetConnectionString(backend.ConnectionString());
        table = new TADOTable(&owner);
        table->SetConnection(connection);
        table->SetTableName("TsAccount");
        table->SetCursorType(ctStatic);
    }
    core::TComponent owner{nullptr};
    TADOConnection* connection;
    TADOTable* table;

    // Moves to the row of that name.
    void Find(const AnsiString& name)
    {
        for (table->First(); !table->Eof(); table->Next())
            if (table->FieldByName("AccountName")->AsString() == name)
                return;
        FAIL() << "no row " << name;
    }
    std::vector<AnsiString> Walk()
    {
        std::vector<AnsiString> names;
        for (table->First(); !table->Eof(); table->Next())
            names.push_back(table->FieldByName("AccountName")->AsString());
        return names;
    }
};

std::vector<AccountRow> With(std::vector<AccountRow> rows, const AnsiString& name,
                             const std::function<void(AccountRow&)>& change)
{
    for (AccountRow& row : rows)
        if (row.Name == name)
            change(row);
    std::sort(rows.begin(), rows.end(), [](const AccountRow& a, const AccountRow& b) { return a.Name < b.Name; });
    return rows;
}

std::vector<AccountRow> Sorted(std::vector<AccountRow> rows)
{
    return With(std::move(rows), "", [](AccountRow&) {});
}

AnsiString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EDatabaseError& error) {
        return error.Message();
    }
    return "(no error)";
}

}  // namespace

TEST_P(TableContract, OpeningReadsEveryRowOnceInAFixedOrder)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    EXPECT_FALSE(w.connection->Connected());
    w.table->SetActive(true);
    EXPECT_TRUE(w.table->Active());
    EXPECT_TRUE(w.connection->Connected());

    std::vector<AnsiString> order = w.Walk();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(w.table->RecordCount(), 3);
    std::vector<AnsiString> names = order;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<AnsiString>{"Plain", "二号账套", "演示账套"}));
    // The same order on a second walk and after reopening, and RecNo agrees.
    EXPECT_EQ(w.Walk(), order);
    for (int r = 3; r >= 1; --r) {
        w.table->SetRecNo(r);
        EXPECT_EQ(w.table->RecNo(), r);
        EXPECT_EQ(w.table->FieldByName("AccountName")->AsString(), order[static_cast<size_t>(r - 1)]);
    }
    w.table->Close();
    w.table->Open();
    EXPECT_EQ(w.Walk(), order);
}

TEST_P(TableContract, FieldsReadAsTheWindowExpects)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    ASSERT_EQ(w.table->FieldCount(), 3);
    EXPECT_EQ(w.table->Fields(0)->FieldName(), "AccountName");
    EXPECT_EQ(w.table->Fields(2)->FieldName(), "Tag");
    EXPECT_THROW(w.table->Fields(3), core::EListError);

    w.Find("二号账套");
    // Text arrives in the code page; a Boolean column as the integer 0 or 1.
    EXPECT_EQ(w.table->FieldByName("accountname")->AsVariant().VarType(), core::varString);
    EXPECT_EQ(w.table->FieldByName("AccountDb")->AsVariant().AsString(), "db_2");
    Variant tag = w.table->FieldByName("TAG")->AsVariant();
    EXPECT_EQ(tag.VarType(), core::varInteger);
    EXPECT_EQ(tag.AsInteger(), 1);
    w.Find("演示账套");
    EXPECT_EQ(w.table->FieldByName("Tag")->AsVariant().AsInteger(), 0);
    w.Find("Plain");
    EXPECT_TRUE(w.table->FieldByName("AccountDb")->AsVariant().IsNull());
}

TEST_P(TableContract, WalkingAnEmptyTable)
{
    Backend().Fill({});
    Window w(Backend());
    w.table->Open();
    EXPECT_EQ(w.table->RecordCount(), 0);
    EXPECT_EQ(w.table->RecNo(), 0);
    w.table->First();
    EXPECT_TRUE(w.table->Eof());
    EXPECT_TRUE(w.table->Bof());
    EXPECT_TRUE(w.table->FieldByName("Tag")->AsVariant().IsNull());
    EXPECT_THROW(w.table->Edit(), EDatabaseError);
    EXPECT_THROW(w.table->SetRecNo(1), EDatabaseError);
}

TEST_P(TableContract, PostWritesTheChangedFieldsOfThatRowOnly)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    w.Find("演示账套");
    int recNo = w.table->RecNo();
    w.table->Edit();
    EXPECT_EQ(w.table->State(), dsEdit);
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant("新库"));
    w.table->Post();
    EXPECT_EQ(w.table->State(), dsBrowse);
    EXPECT_EQ(w.table->RecNo(), recNo);
    EXPECT_EQ(w.table->FieldByName("AccountDb")->AsString(), "新库");

    EXPECT_EQ(Backend().Stored(), With(ThreeAccounts, "演示账套", [](AccountRow& row) {
                  row.Tag = 1;
                  row.Database = Variant("新库");
              }));
    // A second table sees the change.
    Window other(Backend());
    other.table->Open();
    other.Find("演示账套");
    EXPECT_EQ(other.table->FieldByName("Tag")->AsInteger(), 1);
}

TEST_P(TableContract, PostLeavesAloneFieldsItDidNotChange)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    // Someone else changes the database name meanwhile; this table only
    // ticks the flag, so the other change stays.
    Backend().Run("UPDATE \"TsAccount\" SET \"AccountDb\" = 'elsewhere' WHERE \"AccountName\" = '演示账套'");
    w.Find("演示账套");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->Post();
    EXPECT_EQ(Backend().Stored(), With(ThreeAccounts, "演示账套", [](AccountRow& row) {
                  row.Tag = 1;
                  row.Database = Variant("elsewhere");
              }));
}

TEST_P(TableContract, AnUnchangedPostTouchesNothing)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    // With the row gone, any write would fail: posting the same values
    // (written or not) must not write.
    Backend().Run("DELETE FROM \"TsAccount\" WHERE \"AccountName\" = '二号账套'");
    w.Find("二号账套");
    w.table->Edit();
    w.table->Post();
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant("db_2"));
    w.table->Post();
    EXPECT_EQ(w.table->State(), dsBrowse);
}

TEST_P(TableContract, WritingConvertsToTheFieldsType)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    w.Find("演示账套");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant("1"));
    Variant tag = w.table->FieldByName("Tag")->AsVariant();
    EXPECT_EQ(tag.VarType(), core::varInteger);
    EXPECT_EQ(tag.AsInteger(), 1);
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant(int32_t{2024}));
    EXPECT_EQ(w.table->FieldByName("AccountDb")->AsVariant().VarType(), core::varString);
    EXPECT_THROW(w.table->FieldByName("Tag")->SetAsVariant(Variant("not a number")), core::EVariantError);
    w.table->Post();
    w.Find("Plain");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(true));
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant(core::WideString(u"宽字符")));
    w.table->Post();
    EXPECT_EQ(Backend().Stored(), With(With(ThreeAccounts, "演示账套",
                                            [](AccountRow& row) {
                                                row.Tag = 1;
                                                row.Database = Variant("2024");
                                            }),
                                       "Plain", [](AccountRow& row) {
                                           row.Tag = 1;
                                           row.Database = Variant("宽字符");
                                       }));
    // Null goes back as NULL.
    w.table->Edit();
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant::Null());
    w.table->Post();
    EXPECT_TRUE(Backend().Stored()[0].Database.IsNull());
}

TEST_P(TableContract, ARowDeletedByAnotherConnectionFailsThePostAndNothingElseChanges)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    Window other(Backend());
    EXPECT_EQ(other.connection->Execute("DELETE FROM \"TsAccount\" WHERE \"AccountName\" = ?", {Variant("演示账套")}), 1);
    std::vector<AccountRow> after = Sorted({ThreeAccounts[1], ThreeAccounts[2]});
    ASSERT_EQ(Backend().Stored(), after);

    w.Find("演示账套");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    AnsiString message = MessageOf([&] { w.table->Post(); });
    EXPECT_NE(message.find("Row cannot be located for updating"), AnsiString::npos) << message;
    // The rejected edit is dropped: the record keeps the value it was read with.
    EXPECT_EQ(w.table->State(), dsBrowse);
    EXPECT_EQ(Backend().Stored(), after);
    EXPECT_EQ(w.table->FieldByName("Tag")->AsInteger(), 0);

    // The table goes on working for the other rows.
    w.Find("二号账套");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(0));
    w.table->Post();
    EXPECT_EQ(Backend().Stored(), With(after, "二号账套", [](AccountRow& row) { row.Tag = 0; }));
}

TEST_P(TableContract, AFieldChangedMeanwhileBySomeoneElseIsNotOverwritten)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    Backend().Run("UPDATE \"TsAccount\" SET \"AccountDb\" = 'theirs' WHERE \"AccountName\" = 'Plain'");
    w.Find("Plain");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant("mine"));
    AnsiString message = MessageOf([&] { w.table->Post(); });
    EXPECT_NE(message.find("Some values may have been changed since it was last read"), AnsiString::npos) << message;
    // Neither field was written: the post is one transaction.
    EXPECT_EQ(Backend().Stored(), With(ThreeAccounts, "Plain", [](AccountRow& row) { row.Database = Variant("theirs"); }));
}

TEST_P(TableContract, MovingToAnotherRecordPostsThePendingEdit)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    w.table->First();
    AnsiString first = w.table->FieldByName("AccountName")->AsString();
    w.table->Edit();
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant("posted by Next"));
    w.table->Next();
    EXPECT_EQ(w.table->State(), dsBrowse);
    EXPECT_EQ(w.table->RecNo(), 2);
    EXPECT_EQ(Backend().Stored(),
              With(ThreeAccounts, first, [](AccountRow& row) { row.Database = Variant("posted by Next"); }));
}

TEST_P(TableContract, EditingNeedsEditState)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    EXPECT_THROW(w.table->RecordCount(), EDatabaseError);
    w.table->Open();
    w.table->First();
    EXPECT_EQ(MessageOf([&] { w.table->FieldByName("Tag")->SetAsVariant(Variant(1)); }),
              "Dataset not in edit or insert mode");
    EXPECT_EQ(MessageOf([&] { w.table->Post(); }), "Dataset not in edit or insert mode");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->Cancel();
    w.table->Edit();
    w.table->Post();  // nothing changed after the cancel
    EXPECT_EQ(Backend().Stored(), Sorted(ThreeAccounts));
}

TEST_P(TableContract, AnUnknownFieldIsNamedWithTheTable)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    EXPECT_EQ(w.table->FindField("Hidden"), nullptr);
    EXPECT_EQ(MessageOf([&] { w.table->FieldByName("Hidden"); }), "Field 'Hidden' not found in table 'TsAccount'");
}

TEST_P(TableContract, AMissingTableFailsTheOpenWithTheDatabasesText)
{
    Window w(Backend());
    w.table->SetTableName("TsNoSuchTable");
    AnsiString message = MessageOf([&] { w.table->Open(); });
    EXPECT_NE(message.find("TsNoSuchTable"), AnsiString::npos) << message;
    EXPECT_FALSE(w.table->Active());
    // The connection itself is fine.
    EXPECT_TRUE(w.connection->Connected());
}

TEST_P(TableContract, AWrongPasswordIsRefused)
{
    Window w(Backend());
    w.connection->SetConnectionString(Backend().ConnectionStringWithPassword("wrong password"));
    AnsiString message = MessageOf([&] { w.table->Open(); });
    EXPECT_NE(message.find(Backend().WrongPasswordText()), AnsiString::npos) << message;
    EXPECT_FALSE(w.connection->Connected());
    EXPECT_FALSE(w.table->Active());
}

TEST_P(TableContract, AStoppedServerFailsTheOpenAndAWorkingOneOpensAgain)
{
    Backend().Fill(ThreeAccounts);
    Backend().StopServer();
    Window w(Backend());
    AnsiString message = MessageOf([&] { w.table->Open(); });
    Backend().StartServer();
    EXPECT_NE(message, "(no error)");
    EXPECT_FALSE(message.empty());
    EXPECT_FALSE(w.table->Active());
    w.table->Open();
    EXPECT_EQ(w.table->RecordCount(), 3);
}

TEST_P(TableContract, TheConnectionStringCannotChangeWhileOpen)
{
    Window w(Backend());
    core::WideString text = Backend().ConnectionString();
    w.connection->Open();
    w.connection->SetConnectionString(text);  // the same text: nothing happens
    EXPECT_TRUE(w.connection->Connected());
    EXPECT_EQ(MessageOf([&] { w.connection->SetConnectionString(text + u";Application Name=x"); }),
              "Operation is not allowed when the object is open.");
    EXPECT_EQ(w.connection->ConnectionString(), text);
    w.connection->Close();
    w.connection->SetConnectionString(text + u";Application Name=x");
    EXPECT_EQ(w.connection->ConnectionString(), text + u";Application Name=x");
}

TEST_P(TableContract, OpeningAnActiveTableDoesNothingAndClosingTheConnectionClosesIt)
{
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    w.table->SetRecNo(2);
    w.table->SetActive(true);
    EXPECT_EQ(w.table->RecNo(), 2);
    EXPECT_THROW(w.table->SetTableName("Other"), EDatabaseError);
    w.connection->Close();
    EXPECT_FALSE(w.table->Active());
    EXPECT_EQ(w.table->FieldCount(), 0);
    // Destroying the connection leaves the table without one.
    w.table->Open();
    delete w.connection;
    EXPECT_FALSE(w.table->Active());
    EXPECT_EQ(w.table->Connection(), nullptr);
    EXPECT_EQ(MessageOf([&] { w.table->Open(); }), "Missing Connection or ConnectionString");
}

TEST_P(TableContract, ARejectedPostBlocksNothingThatFollows)
{
    // A conflict on one row: the table moves, reopens and posts other rows
    // afterwards, and no later step raises the old error again.
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    Backend().Run("UPDATE \"TsAccount\" SET \"AccountDb\" = 'theirs' WHERE \"AccountName\" = 'Plain'");
    w.Find("Plain");
    int conflicted = w.table->RecNo();
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant("mine"));
    EXPECT_NE(MessageOf([&] { w.table->Post(); }), "(no error)");
    EXPECT_EQ(w.table->State(), dsBrowse);
    EXPECT_TRUE(w.table->FieldByName("AccountDb")->AsVariant().IsNull()) << "the record as read";

    // Every step that posts a pending edit first now goes through.
    EXPECT_EQ(w.Walk().size(), 3u);
    w.table->SetRecNo(conflicted);
    w.table->SetActive(true);
    w.Find("演示账套");
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->Post();
    std::vector<AccountRow> expected =
        With(ThreeAccounts, "Plain", [](AccountRow& row) { row.Database = Variant("theirs"); });
    expected = With(expected, "演示账套", [](AccountRow& row) { row.Tag = 1; });
    EXPECT_EQ(Backend().Stored(), expected);

    // A failed conversion leaves nothing behind either once cancelled.
    w.table->Edit();
    EXPECT_THROW(w.table->FieldByName("Tag")->SetAsVariant(Variant("abc")), core::EVariantError);
    w.table->Cancel();
    w.table->First();
    EXPECT_EQ(w.table->State(), dsBrowse);
}

TEST_P(TableContract, ARowRemovedAndReplacedMeanwhileIsNotOverwritten)
{
    // Another client removes an account set and adds a new one, which may
    // take the removed row's place (SQLite gives the freed row number to the
    // next row). A tick on the removed row must not land on the new one.
    Backend().Fill(ThreeAccounts);
    Window w(Backend());
    w.table->Open();
    w.table->Last();
    AnsiString last = w.table->FieldByName("AccountName")->AsString();
    Backend().Run("DELETE FROM \"TsAccount\" WHERE \"AccountName\" = '" + last + "'");
    Backend().Run("INSERT INTO \"TsAccount\" VALUES ('新来的账套', 'newcomer', false)");
    std::vector<AccountRow> after = Backend().Stored();
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->FieldByName("AccountDb")->SetAsVariant(Variant("mine"));
    AnsiString message = MessageOf([&] { w.table->Post(); });
    EXPECT_NE(message.find("Row cannot be located for updating"), AnsiString::npos) << message;
    EXPECT_EQ(Backend().Stored(), after);
}

TEST_P(TableContract, RowsWhoseKeyTheCodePageCannotHoldAreSaved)
{
    // Two names that differ only in a Korean letter and an emoji both read
    // as "账套?" here; each is still saved to its own row, as it is held.
    Backend().Fill(ThreeAccounts);
    Backend().Run("INSERT INTO \"TsAccount\" VALUES ('账套' || " + Backend().UnicodeChar(0xD55C) +
                  ", 'korean', false)");
    Backend().Run("INSERT INTO \"TsAccount\" VALUES ('账套' || " + Backend().UnicodeChar(0x1F600) +
                  ", 'emoji', false)");
    Window w(Backend());
    w.table->Open();
    for (const char* db : {"emoji", "korean"}) {
        SCOPED_TRACE(db);
        w.table->First();
        while (!w.table->Eof() && w.table->FieldByName("AccountDb")->AsString() != db)
            w.table->Next();
        ASSERT_FALSE(w.table->Eof());
        EXPECT_EQ(w.table->FieldByName("AccountName")->AsString(), "账套?");
        w.table->Edit();
        w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
        w.table->Post();
        // And once more on the same row, now from its saved state.
        w.table->Edit();
        w.table->FieldByName("AccountDb")->SetAsVariant(Variant(AnsiString(db) + " saved"));
        w.table->Post();
    }
    std::vector<AccountRow> stored = Backend().Stored();
    int saved = 0;
    for (const AccountRow& row : stored)
        if (row.Name == "账套?") {
            EXPECT_EQ(row.Tag, 1);
            EXPECT_NE(row.Database.AsString().find(" saved"), AnsiString::npos);
            ++saved;
        }
    EXPECT_EQ(saved, 2);
    // The names themselves were not touched: still two different rows.
    EXPECT_EQ(stored.size(), 5u);
}
