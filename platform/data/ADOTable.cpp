#include "platform/data/ADOTable.h"

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/Provider.h"

namespace data {

using core::EDatabaseError;
using core::Variant;

CORE_CLASS_IMPL(TADOTable)

TADOTable::TADOTable(core::TComponent* owner) : core::TComponent(owner) {}

TADOTable::~TADOTable()
{
    CloseTable();
}

void TADOTable::Publish(core::PropertyList& list)
{
    core::PropBuilder<TADOTable> p(list);
    p.Object<TADOConnection>("Connection", &TADOTable::Connection, &TADOTable::SetConnection);
    p.Enum("CursorType", &TADOTable::CursorType, &TADOTable::SetCursorType)
        .Default(ctKeyset);
    p.String("TableName", &TADOTable::TableName, &TADOTable::SetTableName);
    p.Boolean("Active", &TADOTable::Active, &TADOTable::SetActive).Default(false);
}

void TADOTable::CheckActive() const
{
    if (state_ == dsInactive)
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TADOTable::CheckInactive() const
{
    if (state_ != dsInactive)
        throw EDatabaseError("Cannot perform this operation on an open dataset");
}

void TADOTable::SetConnection(TADOConnection* connection)
{
    if (connection == connection_)
        return;
    CheckInactive();
    if (connection_)
        connection_->RemoveFreeNotification(this);
    connection_ = connection;
    if (connection_)
        connection_->FreeNotification(this);
}

void TADOTable::SetTableName(const core::AnsiString& name)
{
    if (name == tableName_)
        return;
    CheckInactive();
    tableName_ = name;
}

void TADOTable::SetCursorType(TCursorType type)
{
    if (type == cursorType_)
        return;
    CheckInactive();
    cursorType_ = type;
}

void TADOTable::SetActive(bool active)
{
    if (InState(core::csLoading)) {
        streamedActive_ = active;
        return;
    }
    if (active == Active())
        return;
    if (active)
        OpenTable();
    else
        CloseTable();
}

void TADOTable::Loaded()
{
    core::TComponent::Loaded();
    if (streamedActive_)
        SetActive(true);
}

void TADOTable::Notification(core::TComponent* component, core::TOperation operation)
{
    core::TComponent::Notification(component, operation);
    if (operation == core::opRemove && component == connection_) {
        CloseTable();
        connection_ = nullptr;
    }
}

void TADOTable::OpenTable()
{
    if (!connection_)
        throw EDatabaseError("Missing Connection or ConnectionString");
    if (tableName_.empty())
        throw EDatabaseError("No table name specified");
    connection_->Open();
    auto rows = std::make_unique<TableRows>(connection_->CurrentSession().ReadTable(tableName_));
    fields_.clear();
    for (size_t i = 0; i < rows->Columns.size(); ++i) {
        const ColumnInfo& column = rows->Columns[i];
        fields_.push_back(std::make_unique<TField>(*this, static_cast<int>(i), column.Name, column.Type));
    }
    rows_ = std::move(rows);
    state_ = dsBrowse;
    connection_->AttachTable(this);
    current_ = 0;
    bof_ = true;
    eof_ = rows_->Rows.empty();
}

void TADOTable::CloseTable()
{
    if (state_ == dsInactive)
        return;
    state_ = dsInactive;
    editBuffer_.clear();
    fields_.clear();
    rows_.reset();
    current_ = 0;
    bof_ = eof_ = true;
    if (connection_)
        connection_->DetachTable(this);
}

void TADOTable::CheckBrowseMode()
{
    CheckActive();
    if (state_ == dsEdit)
        Post();
}

void TADOTable::First()
{
    CheckBrowseMode();
    current_ = 0;
    bof_ = true;
    eof_ = rows_->Rows.empty();
}

void TADOTable::Next()
{
    CheckBrowseMode();
    if (current_ + 1 < RecordCount()) {
        ++current_;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void TADOTable::Prior()
{
    CheckBrowseMode();
    if (current_ > 0) {
        --current_;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

void TADOTable::Last()
{
    CheckBrowseMode();
    current_ = std::max(0, RecordCount() - 1);
    eof_ = true;
    bof_ = rows_->Rows.empty();
}

int TADOTable::RecordCount() const
{
    CheckActive();
    return static_cast<int>(rows_->Rows.size());
}

int TADOTable::RecNo() const
{
    return RecordCount() == 0 ? 0 : current_ + 1;
}

void TADOTable::SetRecNo(int recNo)
{
    CheckBrowseMode();
    if (recNo < 1 || recNo > RecordCount())
        throw EDatabaseError("Record number %d is out of range 1..%d", recNo, RecordCount());
    current_ = recNo - 1;
    bof_ = eof_ = false;
}

void TADOTable::Edit()
{
    CheckActive();
    if (state_ == dsEdit)
        return;
    if (rows_->Rows.empty())
        throw EDatabaseError("Cannot edit: table '%s' has no records", tableName_);
    editBuffer_ = rows_->Rows[static_cast<size_t>(current_)];
    state_ = dsEdit;
}

void TADOTable::Post()
{
    CheckActive();
    if (state_ != dsEdit)
        throw EDatabaseError("Dataset not in edit or insert mode");
    std::vector<Variant>& original = rows_->Rows[static_cast<size_t>(current_)];
    RowChange change;
    for (size_t i = 0; i < editBuffer_.size(); ++i)
        if (!editBuffer_[i].Identical(original[i]))
            change.Changed.push_back(static_cast<int>(i));
    if (!change.Changed.empty()) {
        size_t row = static_cast<size_t>(current_);
        change.Row = row;
        change.RowId = rows_->Key == RowKey::RowId ? rows_->RowIds[row] : 0;
        change.Original = &original;
        change.Current = &editBuffer_;
        try {
            connection_->CurrentSession().UpdateRow(*rows_, change);
        } catch (...) {
            // The rejected edit is dropped: the record keeps the values it
            // was read with, and the table can move, post and reopen again.
            Cancel();
            throw;
        }
        original = editBuffer_;
        for (int column : change.Changed)
            rows_->HeldTexts.erase({row, column});
    }
    editBuffer_.clear();
    state_ = dsBrowse;
}

void TADOTable::Cancel()
{
    if (state_ != dsEdit)
        return;
    editBuffer_.clear();
    state_ = dsBrowse;
}

TField* TADOTable::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw core::EListError("List index out of bounds (%d)", index);
    return fields_[static_cast<size_t>(index)].get();
}

TField* TADOTable::FindField(std::string_view name) const
{
    for (const auto& field : fields_)
        if (core::SameText(field->FieldName(), name))
            return field.get();
    return nullptr;
}

TField* TADOTable::FieldByName(std::string_view name) const
{
    TField* field = FindField(name);
    if (!field)
        throw EDatabaseError("Field '%s' not found in table '%s'", core::AnsiString(name), tableName_);
    return field;
}

const Variant& TADOTable::FieldValue(int index) const
{
    static const Variant null = Variant::Null();
    CheckActive();
    if (state_ == dsEdit)
        return editBuffer_[static_cast<size_t>(index)];
    if (rows_->Rows.empty())
        return null;
    return rows_->Rows[static_cast<size_t>(current_)][static_cast<size_t>(index)];
}

void TADOTable::SetFieldValue(int index, const Variant& value)
{
    CheckActive();
    if (state_ != dsEdit)
        throw EDatabaseError("Dataset not in edit or insert mode");
    editBuffer_[static_cast<size_t>(index)] = ConvertForField(value, fields_[static_cast<size_t>(index)]->DataType());
}

}  // namespace data
