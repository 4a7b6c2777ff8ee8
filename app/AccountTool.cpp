#include "app/AccountTool.h"

#include <algorithm>

#include "app/Login.h"
#include "controls/BandPanels.h"
#include "controls/TinyButton.h"
#include "controls/TinyGrid.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/filing/FormResources.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageBox.h"

namespace app {

CORE_CLASS_IMPL(TAccountMain)

TAccountMain* AccountMain = nullptr;

TAccountMain::TAccountMain(core::TComponent* owner) : ui::TForm(owner)
{
    RegisterField("TinyGrid1", &TinyGrid1);
    RegisterField("TopPanel1", &TopPanel1);
    RegisterField("BottomPanel1", &BottomPanel1);
    RegisterField("TinyButton1", &TinyButton1);
    RegisterField("TinyButton2", &TinyButton2);
    RegisterField("TinyButton3", &TinyButton3);
    RegisterField("ADOConnection1", &ADOConnection1);
    RegisterField("ADOTable1", &ADOTable1);
    RegisterMethod<core::TObject*>("TinyButton1Click", [this](core::TObject* sender) { TinyButton1Click(sender); });
    RegisterMethod<core::TObject*>("TinyButton2Click", [this](core::TObject* sender) { TinyButton2Click(sender); });
    RegisterMethod<core::TObject*>("TinyButton3Click", [this](core::TObject* sender) { TinyButton3Click(sender); });
    if (!filing::InitInheritedComponent(*this))
        throw core::EFilerError("The form description of %s is missing", ClassName());
}

void TAccountMain::TinyButton1Click(core::TObject*)
{
    AnsiString connectionString;
    if (!ShowLogin(connectionString))
        return;
    try {
        ADOConnection1->SetConnectionString(core::AnsiToWide(connectionString));
        ADOTable1->SetActive(true);
    } catch (const std::exception&) {
        ui::Application().MessageBox("登录错误！请检查密码，或机器名是否正确", "错误", ui::MB_OK | ui::MB_ICONWARNING);
        return;
    }
    // The filling is not guarded: its errors reach the application's error
    // display, with the row count already set. Until a row is filled, save
    // does not write it.
    shownTags_.clear();
    ADOTable1->First();
    TinyGrid1->SetRows(ADOTable1->RecordCount());
    int row = 1;
    while (!ADOTable1->Eof()) {
        TinyGrid1->SetCell(1, row, ADOTable1->FieldByName("AccountName")->AsVariant());
        TinyGrid1->SetCell(2, row, ADOTable1->FieldByName("AccountDb")->AsVariant());
        TinyGrid1->SetCell(3, row, ADOTable1->FieldByName("Tag")->AsVariant());
        shownTags_.push_back(TinyGrid1->Cell(3, row));
        ++row;
        ADOTable1->Next();
    }
}

void TAccountMain::TinyButton2Click(core::TObject*)
{
    if (!ADOTable1->Active())
        return;
    int rows = TinyGrid1->Rows();
    int filled = std::min(rows, static_cast<int>(shownTags_.size()));
    for (int row = 1; row <= filled; ++row) {
        core::Variant tag = TinyGrid1->Cell(3, row);
        core::Variant& shown = shownTags_[static_cast<size_t>(row - 1)];
        // A row the user did not change is not written, whatever its
        // stored flag holds.
        if (tag.Identical(shown))
            continue;
        try {
            ADOTable1->SetRecNo(row);
            ADOTable1->Edit();
            ADOTable1->FieldByName("Tag")->SetAsVariant(tag);
            ADOTable1->Post();
        } catch (...) {
            // The table has dropped the rejected edit (a value that would
            // not convert leaves nothing pending either), and the row shows
            // its flag as read again, so that the next save goes on with
            // the user's other changes.
            ADOTable1->Cancel();
            if (ADOTable1->RecNo() == row) {
                TinyGrid1->SetCell(3, row, ADOTable1->FieldByName("Tag")->AsVariant());
                shown = TinyGrid1->Cell(3, row);
            }
            throw;
        }
        shown = tag;
    }
    if (filled < rows)
        throw core::Exception("帐套列表没有完整读入（%d 行中读入了 %d 行），未读入的行没有保存", rows, filled);
    ui::Application().MessageBox("修改成功!!", "提示", ui::MB_OK | ui::MB_ICONINFORMATION);
}

void TAccountMain::TinyButton3Click(core::TObject*)
{
    Close();
}

}  // namespace app
