#pragma once

#include <vector>

#include "platform/core/Variant.h"
#include "platform/ui/Form.h"

namespace data {
class TADOConnection;
class TADOTable;
}  // namespace data

namespace controls {
class TTinyGrid;
class TTopPanel;
class TBottomPanel;
class TTinyButton;
}  // namespace controls

namespace app {

// The account list window: every account set of table TsAccount with its
// database and its hidden flag, and the buttons to sign in and load (登录),
// to save the flags (保存) and to leave (退出). Grid row r shows the r-th
// record of the open table, and saving writes row r back to record r.
//
// The window is made from its form description (forms/AccountMain.dfm); its
// components reach the fields below by their names.
class TAccountMain : public ui::TForm {
    CORE_CLASS(TAccountMain, ui::TForm)

    explicit TAccountMain(core::TComponent* owner);

    controls::TTinyGrid* TinyGrid1 = nullptr;
    controls::TTopPanel* TopPanel1 = nullptr;
    controls::TBottomPanel* BottomPanel1 = nullptr;
    controls::TTinyButton* TinyButton1 = nullptr;
    controls::TTinyButton* TinyButton2 = nullptr;
    controls::TTinyButton* TinyButton3 = nullptr;
    data::TADOConnection* ADOConnection1 = nullptr;
    data::TADOTable* ADOTable1 = nullptr;

    // Sign in and load: asks for the server and password, opens the table
    // and fills the grid with its records.
    void TinyButton1Click(core::TObject* sender);
    // Save: writes the flag of every row the user changed to its record,
    // then says so. Only rows filled from their record are written: after a
    // fill that failed part way, the rest are left alone and the save
    // reports that instead of success. A rejected row stops the save with
    // the error; its edit is dropped and it shows its flag as read again,
    // so the next save goes on with the other changes.
    void TinyButton2Click(core::TObject* sender);
    // Exit: closes the window, which ends the program.
    void TinyButton3Click(core::TObject* sender);

private:
    // The flag each filled row showed when it was filled or last saved, by
    // row from 1; its size is the number of rows filled from the table.
    std::vector<core::Variant> shownTags_;
};

// The main window, once the program has made it.
extern TAccountMain* AccountMain;

}  // namespace app
