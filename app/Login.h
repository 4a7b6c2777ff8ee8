#pragma once

#include "platform/ui/Form.h"

namespace controls {
class TTopPanel;
class TCenterPanel;
class TBottomPanel;
class TTinyEdit;
class TTinyButton;
}  // namespace controls

namespace app {

using core::AnsiString;

// The login dialog: the server name, the administrator's account (which
// plays no part) and password, turned into the connection string with
// which the account list window opens its table. It is made afresh from its
// form description (forms/LoginFm.dfm) for every sign-in.
class TLoginFm : public ui::TForm {
    CORE_CLASS(TLoginFm, ui::TForm)

    explicit TLoginFm(core::TComponent* owner);

    controls::TTopPanel* TopPanel1 = nullptr;
    controls::TCenterPanel* CenterPanel1 = nullptr;
    controls::TTinyEdit* TinyEdit1 = nullptr;  // server name
    controls::TTinyEdit* TinyEdit2 = nullptr;  // account, never read
    controls::TTinyEdit* TinyEdit3 = nullptr;  // password
    controls::TBottomPanel* BottomPanel1 = nullptr;
    controls::TTinyButton* TinyButton1 = nullptr;  // 确认
    controls::TTinyButton* TinyButton2 = nullptr;  // 放弃

    // Confirm: builds the connection string, then closes the dialog.
    void TinyButton1Click(core::TObject* sender);
    // Cancel: clears it, then closes the dialog.
    void TinyButton2Click(core::TObject* sender);

private:
    friend bool ShowLogin(AnsiString& connectionString);

    // Empty until confirmed; closing by the close box leaves it empty.
    AnsiString connectionString_;
};

// The dialog while ShowLogin shows it, else nullptr.
extern TLoginFm* LoginFm;

// Shows the login dialog modally. Returns true with the connection string
// when it was confirmed; on cancel or the close box returns false and leaves
// `connectionString` as it was.
bool ShowLogin(AnsiString& connectionString);

// A typed value as the connection string carries it: as typed, unless it
// holds what the connection string's syntax would read otherwise (";", "=",
// a quote, or blanks at either end), which is then quoted so that it is
// read back exactly as typed and cannot add or replace a key.
AnsiString ConnectionStringValue(const AnsiString& typed);

}  // namespace app
