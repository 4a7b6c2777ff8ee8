#pragma once

// The grid's own filing: the items and collections of "ColProperties",
// "RowProperties" and "CellProperties", and the helper that the grid's
// defined properties and the stream component share.
//
// Reading binds every item to what it describes as soon as its number (or,
// when a layout is loaded by field name, its field name) is read, so that
// the dotted values that follow ("Col.Width", "Row.Height", "Cell.Color")
// go straight into the grid's column, row or cell.

#include <memory>

#include "grid/model/Cell.h"
#include "grid/model/Col.h"
#include "grid/model/Row.h"
#include "grid/view/BaseGrid.h"
#include "platform/core/Collection.h"

namespace filing {
class TReader;
class TWriter;
}  // namespace filing

namespace grid {

class TtsGridStreamComponent;

// The collection class of row items and the base of the column and cell
// collections: it knows its grid, and makes (once, on demand) a hidden
// scratch grid of the same class whose column 1 and row 1 take the values
// of items that match nothing, so that they are read and dropped.
class TtsPropCollection : public core::TCollection {
    CORE_CLASS(TtsPropCollection, core::TCollection)

    TtsPropCollection(const core::TClass& itemClass, TtsBaseGrid* grid);
    explicit TtsPropCollection(TtsBaseGrid* grid);
    ~TtsPropCollection() override;

    TtsBaseGrid* Grid() const { return grid_; }
    TtsBaseGrid& ScratchGrid();

private:
    TtsBaseGrid* grid_;
    std::unique_ptr<TtsBaseGrid> scratch_;
};

// One item of "ColProperties".
class TtsColItem : public core::TCollectionItem {
    CORE_CLASS(TtsColItem, core::TCollectionItem)

    explicit TtsColItem(core::TCollection* collection);
    static void Publish(core::PropertyList& list);

    int DataCol() const { return dataCol_; }
    // Loading with layout (and forms): binds the item to that column of the
    // grid, "Column index %d out of range" outside it. Loading by field
    // name: the number of the column in the saved grid, for the Data map.
    void SetDataCol(int value);
    AnsiString FieldName() const { return col_ ? col_->FieldName() : fieldName_; }
    // Loading by field name: binds the item to the grid's column of that
    // name (without case), first reset by the stream component's mask, or to
    // the scratch column when no column has it.
    void SetFieldName(const AnsiString& value);
    TtsCol* Col() const;
    void SetCol(TtsCol* value);

    // Writing: the item stands for `col`.
    void Bind(TtsCol* col);

private:
    TtsPropCollection& Owner() const;

    int dataCol_ = 0;
    AnsiString fieldName_;
    TtsCol* col_ = nullptr;
};

// "ColProperties": the load mode decides how items find their columns.
class TtsColCollection : public TtsPropCollection {
    CORE_CLASS(TtsColCollection, TtsPropCollection)

    TtsColCollection(TtsBaseGrid* grid, TtsLoadMode mode);
    TtsLoadMode LoadMode() const { return mode_; }

private:
    TtsLoadMode mode_;
};

// One item of "RowProperties".
class TtsRowItem : public core::TCollectionItem {
    CORE_CLASS(TtsRowItem, core::TCollectionItem)

    explicit TtsRowItem(core::TCollection* collection);
    ~TtsRowItem() override;
    static void Publish(core::PropertyList& list);

    int DataRow() const { return dataRow_; }
    // Makes sure the row object exists and binds the item to it; "Row index
    // %d out of range" outside the grid.
    void SetDataRow(int value);
    int DisplayRow() const { return displayRow_; }
    // Moves the bound row there.
    void SetDisplayRow(int value);
    bool Selected() const { return selected_; }
    void SetSelected(bool value);
    TtsRow* Row() const;
    void SetRow(TtsRow* value);

    // Writing: the item stands for data row `dataRow` shown at `displayRow`.
    void Bind(int dataRow, int displayRow, TtsRow* row, bool selected);

private:
    TtsPropCollection& Owner() const;

    int dataRow_ = 0;
    int displayRow_ = 0;
    bool selected_ = false;
    TtsRow* row_ = nullptr;
    // Stands for a row without an object while writing.
    std::unique_ptr<TtsRow> defaultRow_;
};

// One item of "CellProperties": its own cell view, placed at its DataCol and
// DataRow.
class TtsCellItem : public core::TCollectionItem {
    CORE_CLASS(TtsCellItem, core::TCollectionItem)

    explicit TtsCellItem(core::TCollection* collection);
    static void Publish(core::PropertyList& list);

    int DataCol() const { return cell_.DataCol(); }
    void SetDataCol(int value) { cell_.SetCell(value, cell_.DataRow()); }
    int DataRow() const { return cell_.DataRow(); }
    void SetDataRow(int value) { cell_.SetCell(cell_.DataCol(), value); }
    TtsCell* Cell() const { return &cell_; }
    void SetCell(TtsCell* value) { cell_.Assign(value); }

private:
    mutable TtsCell cell_;
};

class TtsCellCollection : public TtsPropCollection {
    CORE_CLASS(TtsCellCollection, TtsPropCollection)

    explicit TtsCellCollection(TtsBaseGrid* grid);
};

// What the grid's defined properties and the stream component do with the
// grid's internals.
class TtsGridFiling {
public:
    // The collections as they are written, or nullptr when there is nothing
    // to write.
    static std::unique_ptr<TtsColCollection> ColItems(TtsBaseGrid& grid);
    static std::unique_ptr<TtsPropCollection> RowItems(TtsBaseGrid& grid);
    static std::unique_ptr<TtsCellCollection> CellItems(TtsBaseGrid& grid);
    // Whether the grid's collection is to be written: it has items and
    // differs from the ancestor's (when there is one).
    static bool ColsDiffer(TtsBaseGrid& grid, core::TPersistent* ancestor);
    static bool RowsDiffer(TtsBaseGrid& grid, core::TPersistent* ancestor);
    static bool CellsDiffer(TtsBaseGrid& grid, core::TPersistent* ancestor);

    static void ReadColProperties(TtsBaseGrid& grid, filing::TReader& reader, TtsLoadMode mode);
    static void WriteColProperties(TtsBaseGrid& grid, filing::TWriter& writer);
    static void ReadRowProperties(TtsBaseGrid& grid, filing::TReader& reader);
    static void WriteRowProperties(TtsBaseGrid& grid, filing::TWriter& writer);
    static void ReadCellProperties(TtsBaseGrid& grid, filing::TReader& reader);
    static void WriteCellProperties(TtsBaseGrid& grid, filing::TWriter& writer);
    // The Data block: turns StoreData on and reads through the store (with
    // the stream component's column map while one is loading).
    static void ReadData(TtsBaseGrid& grid, core::TStream& stream);
    static void WriteData(TtsBaseGrid& grid, core::TStream& stream);

    // The published properties that copying the grid part leaves alone:
    // place and identity, the sizes and counts that other kinds own.
    static AnsiString GridExclusions(const TtsBaseGrid& grid, TtsPropKinds kinds, bool byFieldName);
    // A hidden grid of the same class as `grid`, at a fresh grid's state.
    static std::unique_ptr<TtsBaseGrid> NewScratch(const TtsBaseGrid& grid);
};

}  // namespace grid
