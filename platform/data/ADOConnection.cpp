#include "platform/data/ADOConnection.h"

#include <algorithm>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/TypeInfo.h"
#include "platform/data/ADOTable.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/Provider.h"

namespace data {

CORE_CLASS_IMPL(TADOConnection)

TADOConnection::TADOConnection(core::TComponent* owner) : core::TComponent(owner) {}

TADOConnection::~TADOConnection()
{
    Close();
}

void TADOConnection::Publish(core::PropertyList& list)
{
    core::PropBuilder<TADOConnection> p(list);
    p.WideStr("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
    p.Boolean("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected).Default(false);
    p.Boolean("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt).Default(true);
}

void TADOConnection::SetConnectionString(const core::WideString& text)
{
    if (text == connectionString_)
        return;
    if (Connected())
        throw core::EDatabaseError("Operation is not allowed when the object is open.");
    connectionString_ = text;
}

void TADOConnection::SetConnected(bool connected)
{
    if (InState(core::csLoading)) {
        // A form may list Connected before the connection string: connect
        // once everything has been read.
        streamedConnected_ = connected;
        return;
    }
    if (connected)
        Open();
    else
        Close();
}

void TADOConnection::Loaded()
{
    core::TComponent::Loaded();
    if (streamedConnected_)
        Open();
}

void TADOConnection::Open()
{
    if (session_)
        return;
    TConnectionString settings = TConnectionString::Parse(core::WideToAnsi(connectionString_));
    session_ = OpenSession(settings);
}

void TADOConnection::Close()
{
    // Copy first: each table leaves the list as it closes.
    std::vector<TADOTable*> tables = tables_;
    for (TADOTable* table : tables)
        table->CloseTable();
    session_.reset();
}

int64_t TADOConnection::Execute(const core::AnsiString& sql, const std::vector<core::Variant>& params)
{
    Open();
    return session_->Execute(sql, params);
}

Session& TADOConnection::CurrentSession()
{
    if (!session_)
        throw core::EDatabaseError("Connection is not open");
    return *session_;
}

void TADOConnection::AttachTable(TADOTable* table)
{
    if (std::find(tables_.begin(), tables_.end(), table) == tables_.end())
        tables_.push_back(table);
}

void TADOConnection::DetachTable(TADOTable* table)
{
    tables_.erase(std::remove(tables_.begin(), tables_.end(), table), tables_.end());
}

}  // namespace data
