#include <gtest/gtest.h>

#include "platform/data/ConnectionString.h"
#include "tests/app/AppFixture.h"

using namespace apptest;
using app::TLoginFm;

namespace {

const AnsiString kHead = "Provider=SQLOLEDB.1;Password=";
const AnsiString kMiddle = ";Persist Security Info=False;User ID=sa;Initial Catalog=master;Data Source=";
const AnsiString kWorkstation = ";Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;Workstation ID=";
const AnsiString kTail = ";Use Encryption for Data=False;Tag with column collation when possible=False";

AnsiString Expected(const AnsiString& password, const AnsiString& server)
{
    return kHead + password + kMiddle + server + kWorkstation + server + kTail;
}

class LoginTest : public AppFixture {
protected:
    // Shows the dialog through ShowLogin, lets `act` work in it, and returns
    // what ShowLogin answered and gave.
    bool Run(std::function<void(TLoginFm&)> act, AnsiString& result)
    {
        WhenLoginShown(std::move(act));
        return app::ShowLogin(result);
    }
};

}  // namespace

TEST_F(LoginTest, TheDialogComesFromItsDescription)
{
    bool checked = false;
    AnsiString result;
    Run(
        [&](TLoginFm& d) {
            EXPECT_EQ(d.Name(), "LoginFm");
            EXPECT_EQ(d.Caption(), "登录");
            EXPECT_EQ(d.BorderStyle(), ui::bsDialog);
            EXPECT_EQ(d.ClientWidth(), 285);
            EXPECT_EQ(d.ClientHeight(), 176);
            EXPECT_EQ(d.Left(), 459);
            EXPECT_EQ(d.Top(), 273);
            EXPECT_EQ(d.Color(), graphics::clBtnFace);
            EXPECT_EQ(d.Font()->Name(), "宋体");
            EXPECT_EQ(d.Font()->Charset(), graphics::GB2312_CHARSET);
            EXPECT_EQ(d.Font()->Height(), -12);
            EXPECT_EQ(d.Font()->Color(), graphics::clWindowText);
            EXPECT_EQ(d.Owner(), &ui::Application());
            EXPECT_EQ(app::LoginFm, &d);

            ASSERT_NE(d.TopPanel1, nullptr);
            EXPECT_EQ(d.TopPanel1->Align(), ui::alTop);
            EXPECT_EQ(d.TopPanel1->BoundsRect(), graphics::Bounds(0, 0, 285, 17));
            ASSERT_NE(d.CenterPanel1, nullptr);
            EXPECT_EQ(d.CenterPanel1->Align(), ui::alClient);
            EXPECT_EQ(d.CenterPanel1->BoundsRect(), graphics::Bounds(0, 17, 285, 118));
            ASSERT_NE(d.BottomPanel1, nullptr);
            EXPECT_EQ(d.BottomPanel1->Align(), ui::alBottom);
            EXPECT_EQ(d.BottomPanel1->BoundsRect(), graphics::Bounds(0, 135, 285, 41));
            EXPECT_EQ(d.BottomPanel1->LineColor(), 5755390);
            EXPECT_EQ(d.BottomPanel1->Caption(), "登录");

            struct Edit {
                controls::TTinyEdit* edit;
                int top, tabOrder;
                const char* caption;
                const char* text;
                char passwordChar;
            } const edits[] = {
                {d.TinyEdit1, 16, 0, "服务器名", ".", 0},
                {d.TinyEdit2, 40, 1, "管理员帐号", "sa", 0},
                {d.TinyEdit3, 64, 2, "管理员密码", "", '*'},
            };
            for (const Edit& e : edits) {
                ASSERT_NE(e.edit, nullptr);
                SCOPED_TRACE(e.edit->Name());
                EXPECT_EQ(e.edit->Parent(), d.CenterPanel1);
                EXPECT_EQ(e.edit->BoundsRect(), graphics::Bounds(80, e.top, 185, 18));
                EXPECT_EQ(e.edit->TabOrder(), e.tabOrder);
                EXPECT_EQ(e.edit->LabelCaption(), e.caption);
                EXPECT_EQ(e.edit->Label()->Caption(), e.caption);
                EXPECT_EQ(e.edit->Text(), e.text);
                EXPECT_EQ(e.edit->PasswordChar(), e.passwordChar);
                EXPECT_EQ(e.edit->ColorFlat(), 0xEBEBEB);
                EXPECT_TRUE(e.edit->ParentColor());
                EXPECT_EQ(e.edit->LabelPosition(), controls::lpLeft);
                EXPECT_EQ(e.edit->LabelSpacing(), 3);
                EXPECT_TRUE(e.edit->LabelVisible());
                EXPECT_EQ(e.edit->Label()->Left(), 80 - 3 - e.edit->Label()->Width());
                EXPECT_TRUE(e.edit->PlusNumber());
                EXPECT_TRUE(e.edit->ButtonEnabled());
                EXPECT_EQ(e.edit->ButtonWidth(), 15);
                EXPECT_FALSE(e.edit->ButtonVisible());
                EXPECT_EQ(e.edit->BaseType(), controls::btNone);
                EXPECT_EQ(e.edit->GSP_AuditLimit(), controls::gspLim_None);
                EXPECT_EQ(e.edit->FmtDecimal(), controls::fdNone);
                EXPECT_EQ(e.edit->CheckFmt(), controls::cfNone);
                EXPECT_FALSE(e.edit->RedWord());
                EXPECT_FALSE(e.edit->MultiLine());
                EXPECT_FALSE(e.edit->WordWrap());
                EXPECT_TRUE(e.edit->Options().Empty());
                EXPECT_EQ(e.edit->nID(), 0);
                EXPECT_EQ(e.edit->GroupIndex(), 0);
                EXPECT_EQ(e.edit->DataIndex(), 0);
            }
            ExpectStoredButtons(d.BottomPanel1, 16,
                                {{d.TinyButton1, 120, 0, "确认", "TinyButton1Click"},
                                 {d.TinyButton2, 200, 1, "放弃", "TinyButton2Click"}});
            checked = true;
            QueueClick(Centre(d.TinyButton2));
        },
        result);
    EXPECT_TRUE(checked);
    EXPECT_EQ(app::LoginFm, nullptr) << "the dialog is gone when ShowLogin returns";
}

TEST_F(LoginTest, ConfirmJoinsTheTypedValuesIntoTheConnectionString)
{
    struct Case {
        const char* name;
        AnsiString server, account, password;
        AnsiString passwordPart, serverPart;  // as the string carries them
        AnsiString passwordRead, serverRead;  // as the connection reads them back
    };
    const Case cases[] = {
        {"nothing changed", ".", "sa", "", "", ".", "", "."},
        {"plain values", "ACCOUNTS01", "sa", "s3cret", "s3cret", "ACCOUNTS01", "s3cret", "ACCOUNTS01"},
        {"password blanks at the ends go", ".", "sa", "  pass word  ", "pass word", ".", "pass word", "."},
        {"control characters at the ends go", ".", "sa", "\tsecret\x01\r\n", "secret", ".", "secret", "."},
        {"server blanks stay, quoted", "  host  ", "sa", "pw", "pw", "\"  host  \"", "pw", "  host  "},
        {"the account plays no part", ".", "administrator", "pw", "pw", ".", "pw", "."},
        {"port and instance need nothing", "db.example.com,1433", "sa", "pw", "pw", "db.example.com,1433", "pw",
         "db.example.com,1433"},
        {"backslash instance", "host\\SQL2000", "sa", "pw", "pw", "host\\SQL2000", "pw", "host\\SQL2000"},
        {"Chinese password", ".", "sa", "密码", "密码", ".", "密码", "."},
        // The mended fault: values that the syntax would read otherwise are
        // quoted, so they neither break the string nor add keys to it.
        {"semicolon redirecting the source", ".", "sa", "x;Data Source=elsewhere", "\"x;Data Source=elsewhere\"", ".",
         "x;Data Source=elsewhere", "."},
        {"equals sign", ".", "sa", "a=b", "\"a=b\"", ".", "a=b", "."},
        {"leading equals sign", ".", "sa", "=ab", "\"=ab\"", ".", "=ab", "."},
        {"double quote", ".", "sa", "pa\"ss", "'pa\"ss'", ".", "pa\"ss", "."},
        {"single quote", ".", "sa", "it's", "\"it's\"", ".", "it's", "."},
        {"both quotes", ".", "sa", "a'b\"c", "\"a'b\"\"c\"", ".", "a'b\"c", "."},
        {"semicolon in the server", "srv;Initial Catalog=other", "sa", "pw", "pw", "\"srv;Initial Catalog=other\"",
         "pw", "srv;Initial Catalog=other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnsiString result = "unchanged";
        bool ok = Run(
            [&](TLoginFm& d) {
                // Set from code while the password field has the focus: what
                // the dialog does with the values, apart from the server
                // field's own exit check (see the test after this one).
                d.TinyEdit3->SetFocus();
                d.TinyEdit1->SetText(c.server);
                d.TinyEdit2->SetText(c.account);
                d.TinyEdit3->SetText(c.password);
                QueueClick(Centre(d.TinyButton1));
            },
            result);
        EXPECT_TRUE(ok);
        EXPECT_EQ(result, Expected(c.passwordPart, c.serverPart));
        data::TConnectionString parsed = data::TConnectionString::Parse(result);
        EXPECT_EQ(parsed.Value("Password"), c.passwordRead);
        EXPECT_EQ(parsed.Value("Data Source"), c.serverRead);
        EXPECT_EQ(parsed.Value("Workstation ID"), c.serverRead);
        EXPECT_EQ(parsed.Value("User ID"), "sa");
        EXPECT_EQ(parsed.Value("Initial Catalog"), "master");
        EXPECT_EQ(parsed.Pairs().size(), 12u);
    }
}

TEST_F(LoginTest, TheFieldsTrimWhatTheUserTypedWhenLeft)
{
    // Typed by the user, the server name leaves its field (for the password
    // field, or for the button, which takes the focus on a click) through
    // the field's exit check, which trims it.
    AnsiString result;
    bool ok = Run(
        [&](TLoginFm& d) {
            display->Click(Centre(d.TinyEdit1));
            display->PressKey(ui::VK_END);
            display->PressKey(ui::VK_BACK);
            display->Type("  host  ");
            EXPECT_EQ(d.TinyEdit1->Text(), "  host  ");
            display->Click(Centre(d.TinyEdit3));
            EXPECT_EQ(d.TinyEdit1->Text(), "host");
            display->Type(" pw ");
            QueueClick(Centre(d.TinyButton1));
        },
        result);
    EXPECT_TRUE(ok);
    EXPECT_EQ(result, Expected("pw", "host"));
}

TEST_F(LoginTest, EnterAndTheArrowsWalkTheFieldsAndNeverConfirm)
{
    AnsiString result = "before";
    std::vector<AnsiString> walk;
    bool ok = Run(
        [&](TLoginFm& d) {
            display->Click(Centre(d.TinyEdit1));
            auto focused = [&] {
                for (controls::TTinyEdit* e : {d.TinyEdit1, d.TinyEdit2, d.TinyEdit3})
                    if (e->Focused())
                        return e->Name();
                return AnsiString("none");
            };
            for (unsigned key : {ui::VK_RETURN, ui::VK_DOWN, ui::VK_RETURN, ui::VK_UP, ui::VK_UP, ui::VK_DOWN}) {
                display->PressKey(key);
                walk.push_back(focused());
            }
            // Entered by the keyboard, a field offers its text for overtyping.
            display->PressKey(ui::VK_UP);
            ASSERT_TRUE(d.TinyEdit2->Focused());
            EXPECT_EQ(d.TinyEdit2->SelLength(), 2);
            QueueClick(Centre(d.TinyButton2));
        },
        result);
    EXPECT_FALSE(ok) << "Enter never confirms: only the click on cancel ended the dialog";
    // The buttons are no tab stops: Enter in the password field goes round.
    EXPECT_EQ(walk, (std::vector<AnsiString>{"TinyEdit2", "TinyEdit3", "TinyEdit1", "TinyEdit3", "TinyEdit2",
                                             "TinyEdit3"}));
}

TEST_F(LoginTest, ValuesNeedingNoQuotesStayByteForByte)
{
    for (const char* value : {"", ".", "(local)", "pass word", "a,b", "{x}", "密码", "host\\inst", "\x81\x40"})
        EXPECT_EQ(app::ConnectionStringValue(value), value) << value;
    for (const char* value : {"a;b", "a=b", "a\"b", "a'b", " a", "a ", "\ta"})
        EXPECT_NE(app::ConnectionStringValue(value), value) << value;
}

TEST_F(LoginTest, CancelAndTheCloseBoxLeaveTheCallersStringAlone)
{
    const std::pair<const char*, std::function<void(TLoginFm&)>> ways[] = {
        {"cancel", [](TLoginFm& d) { QueueClick(Centre(d.TinyButton2)); }},
        {"close box", [](TLoginFm& d) { ui::WindowManager().InjectClose(d.Handle()); }},
        {"typed, then cancel",
         [](TLoginFm& d) {
             d.TinyEdit3->SetText("typed");
             QueueClick(Centre(d.TinyButton2));
         }},
    };
    for (const auto& [name, act] : ways) {
        SCOPED_TRACE(name);
        AnsiString result = "before";
        EXPECT_FALSE(Run(act, result));
        EXPECT_EQ(result, "before");
        EXPECT_EQ(app::LoginFm, nullptr);
    }
}

TEST_F(LoginTest, EveryShowStartsFromTheDesignAndEscapeDoesNothing)
{
    AnsiString result;
    Run(
        [](TLoginFm& d) {
            d.TinyEdit1->SetText("other");
            d.TinyEdit2->SetText("me");
            d.TinyEdit3->SetText("pw");
            QueueClick(Centre(d.TinyButton2));
        },
        result);
    bool fresh = false;
    bool ok = Run(
        [&](TLoginFm& d) {
            fresh = d.TinyEdit1->Text() == "." && d.TinyEdit2->Text() == "sa" && d.TinyEdit3->Text().empty();
            // Escape is not a way out: the dialog is still there for the click.
            QueueKey(ui::VK_ESCAPE);
            QueueClick(Centre(d.TinyButton1));
        },
        result);
    EXPECT_TRUE(fresh);
    EXPECT_TRUE(ok);
    EXPECT_EQ(result, Expected("", "."));
}

TEST_F(LoginTest, TheTypedPasswordShowsAsStars)
{
    bool shown = false;
    AnsiString result;
    Run(
        [&](TLoginFm& d) {
            // Typed as the user types: a click into the field, then the keys.
            display->Click(Centre(d.TinyEdit3));
            display->Type("pa;ss");
            EXPECT_EQ(d.TinyEdit3->Text(), "pa;ss");
            EXPECT_TRUE(testsupport::MatchesGolden(*Picture(*display, &d), "app_login_dialog"));
            shown = true;
            QueueClick(Centre(d.TinyButton1));
        },
        result);
    EXPECT_TRUE(shown);
    EXPECT_EQ(result, Expected("\"pa;ss\"", "."));
}
