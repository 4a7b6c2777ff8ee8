#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/EnumType.h"
#include "platform/core/Variant.h"
#include "platform/data/Field.h"

namespace data {

class TADOConnection;
struct TableRows;

CORE_ENUM(TCursorType, ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic);
enum TDataSetState { dsInactive, dsBrowse, dsEdit };

// A whole table of a connection's database, read when it opens.
//
// Every cursor type reads the table as a static snapshot: all rows, once, in
// a fixed order (the row number, else the primary key, else the database's
// own order). First, Next and EOF visit every row once; RecNo counts from 1.
// Edit copies the current record; writing fields changes the copy; Post
// writes the fields whose value changed and nothing else (an unchanged post
// writes nothing). The row is found again by its SQLite row number, else its
// primary key, else all values as read; it must also still hold the read
// values in every changed field. If it is gone or was changed meanwhile,
// Post raises EDatabaseError, the database is left as it was and the edit
// is dropped: the table is back in browse state with the record as read, so
// that one rejected row never blocks the next post, move or reopen. Moving
// to another record posts a pending edit first.
class TADOTable : public core::TComponent {
    CORE_CLASS(TADOTable, core::TComponent)

    explicit TADOTable(core::TComponent* owner);
    ~TADOTable() override;

    static void Publish(core::PropertyList& list);

    TADOConnection* Connection() const { return connection_; }
    void SetConnection(TADOConnection* connection);
    const core::AnsiString& TableName() const { return tableName_; }
    void SetTableName(const core::AnsiString& name);
    TCursorType CursorType() const { return cursorType_; }
    void SetCursorType(TCursorType type);

    bool Active() const { return state_ != dsInactive; }
    // Opening opens the connection first if it is closed; opening an active
    // table does nothing. Closing drops a pending edit.
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    int RecordCount() const;
    // 0 on an empty table.
    int RecNo() const;
    // Raises EDatabaseError for a number outside 1..RecordCount.
    void SetRecNo(int recNo);

    void Edit();
    void Post();
    void Cancel();

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    // Raises EListError for an index outside 0..FieldCount-1.
    TField* Fields(int index) const;
    // Case-insensitive; nullptr when there is no such field.
    TField* FindField(std::string_view name) const;
    // Raises EDatabaseError naming the field and the table when there is none.
    TField* FieldByName(std::string_view name) const;

protected:
    void Loaded() override;
    void Notification(core::TComponent* component, core::TOperation operation) override;

private:
    friend class TField;
    friend class TADOConnection;
    const core::Variant& FieldValue(int index) const;
    void SetFieldValue(int index, const core::Variant& value);
    void CheckActive() const;
    void CheckInactive() const;
    void CheckBrowseMode();
    void OpenTable();
    void CloseTable();

    TADOConnection* connection_ = nullptr;
    core::AnsiString tableName_;
    TCursorType cursorType_ = ctKeyset;
    bool streamedActive_ = false;

    TDataSetState state_ = dsInactive;
    std::unique_ptr<TableRows> rows_;
    std::vector<std::unique_ptr<TField>> fields_;
    int current_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    std::vector<core::Variant> editBuffer_;
};

}  // namespace data
