#include "app/Login.h"

#include <memory>

#include "controls/BandPanels.h"
#include "controls/TinyButton.h"
#include "controls/TinyEdit.h"
#include "platform/core/StrUtils.h"
#include "platform/data/ConnectionString.h"
#include "platform/filing/FormResources.h"
#include "platform/ui/Application.h"

namespace app {

CORE_CLASS_IMPL(TLoginFm)

TLoginFm* LoginFm = nullptr;

namespace {

// What the connection string's reader strips from both ends of a value.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

AnsiString ConnectionStringValue(const AnsiString& typed)
{
    bool special = typed.find_first_of(";=\"'") != AnsiString::npos ||
                   (!typed.empty() && (IsBlank(typed.front()) || IsBlank(typed.back())));
    return special ? data::TConnectionString::EncloseValue(typed) : typed;
}

TLoginFm::TLoginFm(core::TComponent* owner) : ui::TForm(owner)
{
    RegisterField("TopPanel1", &TopPanel1);
    RegisterField("CenterPanel1", &CenterPanel1);
    RegisterField("TinyEdit1", &TinyEdit1);
    RegisterField("TinyEdit2", &TinyEdit2);
    RegisterField("TinyEdit3", &TinyEdit3);
    RegisterField("BottomPanel1", &BottomPanel1);
    RegisterField("TinyButton1", &TinyButton1);
    RegisterField("TinyButton2", &TinyButton2);
    RegisterMethod<core::TObject*>("TinyButton1Click", [this](core::TObject* sender) { TinyButton1Click(sender); });
    RegisterMethod<core::TObject*>("TinyButton2Click", [this](core::TObject* sender) { TinyButton2Click(sender); });
    if (!filing::InitInheritedComponent(*this))
        throw core::EFilerError("The form description of %s is missing", ClassName());
}

void TLoginFm::TinyButton1Click(core::TObject*)
{
    // The password loses its surrounding blanks and control characters; the
    // server name goes in as typed, as the data source and again as the
    // workstation. The account box plays no part: the user is always sa.
    connectionString_ = "Provider=SQLOLEDB.1;Password=" + ConnectionStringValue(core::Trim(TinyEdit3->Text())) +
                        ";Persist Security Info=False;User ID=sa;Initial Catalog=master;Data Source=" +
                        ConnectionStringValue(TinyEdit1->Text()) +
                        ";Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;Workstation ID=" +
                        ConnectionStringValue(TinyEdit1->Text()) +
                        ";Use Encryption for Data=False;Tag with column collation when possible=False";
    Close();
}

void TLoginFm::TinyButton2Click(core::TObject*)
{
    connectionString_.clear();
    Close();
}

bool ShowLogin(AnsiString& connectionString)
{
    LoginFm = new TLoginFm(&ui::Application());
    std::unique_ptr<TLoginFm> dialog(LoginFm);
    struct Forget {
        ~Forget() { LoginFm = nullptr; }
    } forget;
    // The modal result is not looked at: only the connection string tells.
    dialog->ShowModal();
    if (dialog->connectionString_.empty())
        return false;
    connectionString = dialog->connectionString_;
    return true;
}

}  // namespace app
