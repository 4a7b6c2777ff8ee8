#include <gtest/gtest.h>

#include "platform/system/SqliteDatabase.h"
#include "tests/app/AppFixture.h"

using namespace apptest;
using app::TAccountMain;

namespace {

class AccountMainTest : public AppFixture {
protected:
    std::vector<std::string> StoredFlags() const
    {
        std::vector<std::string> flags;
        for (const auto& account : StoredAccounts())
            flags.push_back(account.Name + "=" + (account.Hidden ? "1" : "0"));
        return flags;
    }
    // Every stored Tag as it is held, in the table's order.
    std::string StoredTags() const
    {
        sys::SqliteStatement tags = data::TEmbeddedStore::Open(StorePath()).Database().Prepare(
            "SELECT group_concat(Tag, ',') FROM (SELECT Tag FROM TsAccount ORDER BY rowid)");
        return tags.Step() ? tags.ColumnText(0) : std::string();
    }
    // The five rows without values that the window starts with: two empty
    // texts or empty cells, and a ticked box.
    static std::vector<std::string> DesignRows() { return {"||1", "||1", "-||1", "-|-|1", "-|-|1"}; }
};

}  // namespace

TEST_F(AccountMainTest, TheWindowComesFromItsDescription)
{
    TAccountMain& w = ShowMain();
    EXPECT_EQ(w.Name(), "AccountMain");
    EXPECT_EQ(w.Caption(), "帐套工具");
    EXPECT_EQ(w.BorderStyle(), ui::bsDialog);
    EXPECT_EQ(w.ClientWidth(), 388);
    EXPECT_EQ(w.ClientHeight(), 250);
    EXPECT_EQ(w.Left(), 321);
    EXPECT_EQ(w.Top(), 136);
    EXPECT_EQ(w.Color(), graphics::clBtnFace);
    EXPECT_EQ(w.Font()->Name(), "宋体");
    EXPECT_EQ(w.Font()->Charset(), graphics::GB2312_CHARSET);
    EXPECT_EQ(w.Font()->Height(), -12);
    EXPECT_EQ(w.Font()->Color(), graphics::clWindowText);

    ASSERT_NE(w.TopPanel1, nullptr);
    EXPECT_EQ(w.TopPanel1->Align(), ui::alTop);
    EXPECT_EQ(w.TopPanel1->BoundsRect(), graphics::Bounds(0, 0, 388, 41));
    ASSERT_NE(w.BottomPanel1, nullptr);
    EXPECT_EQ(w.BottomPanel1->Align(), ui::alBottom);
    EXPECT_EQ(w.BottomPanel1->BoundsRect(), graphics::Bounds(0, 209, 388, 41));
    EXPECT_EQ(w.BottomPanel1->LineColor(), 5755390);
    EXPECT_EQ(w.BottomPanel1->Caption(), "帐套工具");
    ExpectStoredButtons(w.BottomPanel1, 8,
                        {{w.TinyButton1, 152, 0, "登录", "TinyButton1Click"},
                         {w.TinyButton2, 232, 1, "保存", "TinyButton2Click"},
                         {w.TinyButton3, 312, 2, "退出", "TinyButton3Click"}});

    controls::TTinyGrid* grid = w.TinyGrid1;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->BoundsRect(), graphics::Bounds(0, 41, 388, 168));
    EXPECT_EQ(grid->Align(), ui::alClient);
    EXPECT_EQ(grid->TabOrder(), 0);
    EXPECT_EQ(grid->Cols(), 3);
    EXPECT_EQ(grid->Rows(), 5);
    EXPECT_EQ(grid->DefaultRowHeight(), 17);
    EXPECT_EQ(grid->Color(), graphics::clWhite);
    EXPECT_EQ(grid->HeadingColor(), 15461355);
    EXPECT_EQ(grid->HeadingFont()->Name(), "宋体");
    EXPECT_EQ(grid->HeadingFont()->Charset(), graphics::GB2312_CHARSET);
    EXPECT_EQ(grid->HeadingFont()->Height(), -12);
    EXPECT_EQ(grid->HeadingFont()->Color(), graphics::clWindowText);
    EXPECT_FALSE(grid->Heading3D());
    EXPECT_EQ(grid->CellSelectMode(), controls::cmNone);
    EXPECT_EQ(grid->RowSelectMode(), controls::rsNone);
    EXPECT_EQ(grid->SelectionColor(), graphics::clBlack);
    EXPECT_EQ(grid->ResizeRows(), controls::rrNone);
    EXPECT_EQ(grid->WordWrap(), controls::wwOff);
    EXPECT_EQ(grid->CheckBoxStyle(), controls::stCheck);
    EXPECT_TRUE(grid->StoreData());
    EXPECT_TRUE(grid->BorderCtl3D());
    EXPECT_TRUE(grid->ShowHint());
    EXPECT_FALSE(grid->ParentShowHint());
    struct Column {
        const char* heading;
        const char* fieldName;
        int width;
        bool readOnly;
        controls::TtsControlType type;
    } const columns[] = {
        {"帐套名称", "AccountName", 147, true, controls::ctDefault},
        {"数据库名", "DataBase", 90, true, controls::ctDefault},
        {"隐藏", "Flag", 64, false, controls::ctCheck},
    };
    for (int c = 1; c <= 3; ++c) {
        const Column& e = columns[c - 1];
        controls::TtsCol* col = grid->Col(c);
        EXPECT_EQ(col->Heading(), e.heading);
        EXPECT_EQ(col->FieldName(), e.fieldName);
        EXPECT_EQ(col->HeadingHorzAlignment(), controls::htaCenter);
        EXPECT_EQ(col->Width(), e.width);
        EXPECT_EQ(col->ReadOnly(), e.readOnly);
        EXPECT_EQ(col->ControlType(), e.type);
        EXPECT_EQ(col->Tag(), 0);
        EXPECT_FALSE(col->ColConfig());
        EXPECT_FALSE(col->BePrint());
    }
    EXPECT_EQ(GridRows(), DesignRows());

    ASSERT_NE(w.ADOConnection1, nullptr);
    ASSERT_NE(w.ADOTable1, nullptr);
    EXPECT_FALSE(w.ADOConnection1->LoginPrompt());
    EXPECT_FALSE(w.ADOConnection1->Connected());
    EXPECT_EQ(w.ADOTable1->Connection(), w.ADOConnection1);
    EXPECT_EQ(w.ADOTable1->TableName(), "TsAccount");
    EXPECT_EQ(w.ADOTable1->CursorType(), data::ctStatic);
    EXPECT_FALSE(w.ADOTable1->Active());
}

TEST_F(AccountMainTest, SignInLoadsEveryAccountSetIntoTheGrid)
{
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    EXPECT_TRUE(w.ADOTable1->Active());
    EXPECT_EQ(GridRows(),
              (std::vector<std::string>{"演示账套|demo_2024|0", "北京分公司|beijing_2024|1", "上海分公司|shanghai_2024|0"}));
    EXPECT_EQ(w.TinyGrid1->Cell(3, 2).VarType(), core::varInteger);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(testsupport::MatchesGolden(*Picture(*display, &w), "app_account_list"));
}

TEST_F(AccountMainTest, TickingAndSavingWritesEveryRowsFlag)
{
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    ClickCell(3, 1);  // tick
    ClickCell(3, 2);  // clear
    ClickCell(1, 3);  // a read-only column: nothing
    EXPECT_EQ(GridRows(),
              (std::vector<std::string>{"演示账套|demo_2024|1", "北京分公司|beijing_2024|0", "上海分公司|shanghai_2024|0"}));
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "修改成功!!");
    EXPECT_EQ(boxes[0].Caption, "提示");
    EXPECT_EQ(boxes[0].Icon, ui::MB_ICONINFORMATION);
    EXPECT_EQ(boxes[0].Buttons, std::vector<AnsiString>{"OK"}) << "an OK button alone";
    EXPECT_EQ(StoredFlags(), (std::vector<std::string>{"演示账套=1", "北京分公司=0", "上海分公司=0"}));
    // The space bar toggles the current box: a click ticks row 3, the
    // space bar clears it and ticks it again; saving again writes it.
    ClickCell(3, 3);
    display->PressKey(ui::VK_SPACE);
    EXPECT_EQ(w.TinyGrid1->Cell(3, 3).AsInteger(), 0);
    display->PressKey(ui::VK_SPACE);
    Save();
    EXPECT_EQ(StoredFlags(), (std::vector<std::string>{"演示账套=1", "北京分公司=0", "上海分公司=1"}));
}

TEST_F(AccountMainTest, SaveBeforeSigningInDoesNothingAndShowsNothing)
{
    TAccountMain& w = ShowMain();
    AnswerMessageBox();
    Click(w.TinyButton2);
    CancelPending();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(w.ADOTable1->Active());
    EXPECT_EQ(GridRows(), DesignRows());
    EXPECT_EQ(StoredFlags(), (std::vector<std::string>{"演示账套=0", "北京分公司=1", "上海分公司=0"}));
}

TEST_F(AccountMainTest, CancelOrTheCloseBoxChangesNothing)
{
    TAccountMain& w = ShowMain();
    AnswerMessageBox();
    WhenLoginShown([](app::TLoginFm& d) { QueueClick(Centre(d.TinyButton2)); });
    Click(w.TinyButton1);
    WhenLoginShown([](app::TLoginFm& d) { ui::WindowManager().InjectClose(d.Handle()); });
    Click(w.TinyButton1);
    CancelPending();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(w.ADOConnection1->Connected());
    EXPECT_TRUE(w.ADOConnection1->ConnectionString().empty());
    EXPECT_EQ(GridRows(), DesignRows());
}

TEST_F(AccountMainTest, AFailedSignInSaysSoAndLeavesTheWindowAsItWas)
{
    TAccountMain& w = ShowMain();
    struct Case {
        const char* name;
        AnsiString password, server;
    } const cases[] = {
        {"wrong password", "wrong", "."},
        {"empty password", "", "."},
        {"password that tries to redirect", "x;Data Source=.", "."},
        {"no such catalogue", kPassword, "(nowhere)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        SignIn(c.password, c.server, true);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, "登录错误！请检查密码，或机器名是否正确");
        EXPECT_EQ(boxes[0].Caption, "错误");
        EXPECT_EQ(boxes[0].Icon, ui::MB_ICONWARNING);
        EXPECT_EQ(boxes[0].Buttons, std::vector<AnsiString>{"OK"}) << "an OK button alone";
        EXPECT_FALSE(w.ADOTable1->Active());
        EXPECT_EQ(GridRows(), DesignRows());
    }
    // The table stayed inactive, so Save still does nothing.
    boxes.clear();
    AnswerMessageBox();
    Click(w.TinyButton2);
    CancelPending();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(StoredFlags(), (std::vector<std::string>{"演示账套=0", "北京分公司=1", "上海分公司=0"}));
}

TEST_F(AccountMainTest, AnEmptyTableGivesNoRowsAndSaveStillSaysDone)
{
    data::TEmbeddedStore::Open(StorePath()).Database().Exec("DELETE FROM TsAccount");
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    EXPECT_TRUE(w.ADOTable1->Active());
    EXPECT_EQ(w.TinyGrid1->Rows(), 0);
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "修改成功!!");
}

TEST_F(AccountMainTest, AFailingFillIsShownByTheErrorDisplayWithTheRowsAlreadySet)
{
    data::TEmbeddedStore::Open(StorePath()).Database().Exec("ALTER TABLE TsAccount RENAME COLUMN AccountDb TO DbName");
    TAccountMain& w = ShowMain();
    ConfirmLogin(kPassword);
    AnswerMessageBox();
    Click(w.TinyButton1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find("AccountDb"), AnsiString::npos) << boxes[0].Text;
    EXPECT_EQ(boxes[0].Icon, ui::MB_ICONERROR) << "the application's display, not the sign-in message";
    // Three records: three rows; the first got its name before the error,
    // the rest keep what they held.
    EXPECT_EQ(GridRows(), (std::vector<std::string>{"演示账套||1", "||1", "-||1"}));
    EXPECT_TRUE(w.ADOTable1->Active());
}

TEST_F(AccountMainTest, SigningInAgainWithTheSameEntriesRefillsFromTheOpenTable)
{
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    ClickCell(3, 1);
    Save();
    ClickCell(3, 3);  // ticked but not saved
    // Someone else changes the store meanwhile: the open table does not see it.
    data::TEmbeddedStore::Open(StorePath()).Database().Exec("UPDATE TsAccount SET Tag = 1");
    SignIn(kPassword);
    EXPECT_EQ(GridRows(),
              (std::vector<std::string>{"演示账套|demo_2024|1", "北京分公司|beijing_2024|1", "上海分公司|shanghai_2024|0"}));
    EXPECT_EQ(boxes.size(), 1u) << "only the save's message";
    EXPECT_TRUE(w.ADOTable1->Active());
}

TEST_F(AccountMainTest, SigningInAgainWithOtherEntriesIsRefusedAndKeepsTheList)
{
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    ClickCell(3, 3);
    std::vector<std::string> before = GridRows();
    SignIn(kPassword + "x", ".", true);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "登录错误！请检查密码，或机器名是否正确");
    EXPECT_EQ(GridRows(), before);
    EXPECT_TRUE(w.ADOTable1->Active());
    // Still signed in with the first entries: Save writes the list.
    Save();
    EXPECT_EQ(StoredFlags(), (std::vector<std::string>{"演示账套=0", "北京分公司=1", "上海分公司=1"}));
}

TEST_F(AccountMainTest, ExitClosesTheWindowAndEndsTheProgram)
{
    TAccountMain& w = ShowMain();
    Click(w.TinyButton3);
    EXPECT_TRUE(ui::Application().Terminated());
    EXPECT_FALSE(w.Visible());
}

TEST_F(AccountMainTest, ARejectedSaveBlocksNeitherTheNextSaveNorTheNextSignIn)
{
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    ClickCell(3, 1);  // tick 演示账套
    ClickCell(3, 3);  // tick 上海分公司
    // Someone else ticks 演示账套 meanwhile: this window's change to it is
    // rejected as a conflict.
    data::TEmbeddedStore::Open(StorePath()).Database().Exec(
        "UPDATE TsAccount SET Tag = 1, AccountDb = 'theirs' WHERE rowid = 1");
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find("Row cannot be located"), AnsiString::npos) << boxes[0].Text;
    EXPECT_EQ(boxes[0].Icon, ui::MB_ICONERROR);
    EXPECT_EQ(w.ADOTable1->State(), data::dsBrowse);
    // The rejected row shows its flag as read again; the other tick stays.
    EXPECT_EQ(GridRows(),
              (std::vector<std::string>{"演示账套|demo_2024|0", "北京分公司|beijing_2024|1", "上海分公司|shanghai_2024|1"}));

    // Signing in again with the same entries refills without an error ...
    boxes.clear();
    SignIn(kPassword);
    EXPECT_TRUE(boxes.empty());
    ClickCell(3, 3);
    // ... and the next save writes the other tick and says so.
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "修改成功!!");
    EXPECT_EQ(StoredFlags(), (std::vector<std::string>{"演示账套=1", "北京分公司=1", "上海分公司=1"}));
}

TEST_F(AccountMainTest, AfterAFailedFillSaveWritesNoRowThatWasNotFilled)
{
    // The grid holds its design rows, ticked, where the fill did not reach:
    // saving must not write those ticks into the records.
    data::TEmbeddedStore::Open(StorePath()).Database().Exec("ALTER TABLE TsAccount RENAME COLUMN AccountDb TO DbName");
    TAccountMain& w = ShowMain();
    ConfirmLogin(kPassword);
    AnswerMessageBox();
    Click(w.TinyButton1);
    ASSERT_EQ(boxes.size(), 1u);
    boxes.clear();
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text, "修改成功!!");
    EXPECT_EQ(boxes[0].Icon, ui::MB_ICONERROR);
    EXPECT_NE(boxes[0].Text.find("3 行中读入了 0 行"), AnsiString::npos) << boxes[0].Text;
    EXPECT_EQ(StoredTags(), "0,1,0");
}

TEST_F(AccountMainTest, RowsTheUserDidNotChangeAreNotWritten)
{
    // A stored flag that does not convert fails no save while its row is
    // left alone.
    data::TEmbeddedStore::Open(StorePath()).Database().Exec("UPDATE TsAccount SET Tag = 'abc' WHERE rowid = 2");
    TAccountMain& w = ShowMain();
    SignIn(kPassword);
    ClickCell(3, 3);
    Save();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "修改成功!!");
    EXPECT_EQ(StoredTags(), "0,abc,1");
    EXPECT_TRUE(w.ADOTable1->Active());
}
