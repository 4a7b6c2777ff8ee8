#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/core/Collection.h"
#include "platform/core/EnumType.h"
#include "platform/core/Exception.h"
#include "platform/core/Variant.h"
#include "platform/graphics/Font.h"
#include "platform/ui/WinControl.h"

namespace filing {
class TReader;
class TWriter;
}  // namespace filing

namespace controls {

using core::AnsiString;
using graphics::TRect;

// The grid's enumerations, named as the grid engine names them. Only the
// members a stored form can name are of use to the stand-in below.
CORE_ENUM(TtsControlType, ctNone, ctText, ctCheck, ctPicture, ctDefault);
CORE_ENUM(TtsHorzAlignment, htaLeft, htaRight, htaCenter, htaDefault);
CORE_ENUM(TtsCellSelectMode, cmNone, cmRange);
CORE_ENUM(TtsRowSelectMode, rsNone, rsSingle, rsMulti);
CORE_ENUM(TtsResizeRows, rrNone, rrSingle, rrAll);
CORE_ENUM(TtsWordWrap, wwOn, wwOff, wwDefault);
CORE_ENUM(TtsCheckBoxStyle, stFlat, stCheck, stCross);

// The kinds of stored cell values, as the grid's Data block numbers them.
enum TtsStoredKind : uint8_t { skEmpty, skText, skCheckState, skBitmap, skPictureName, skNull };

// The grid's error; its message starts with the grid's name and ": ".
class EInvalidGridOperation : public core::Exception {
public:
    using core::Exception::Exception;
};

class TTinyGrid;

// The settings of one data column that a stored form can carry.
class TtsCol : public core::TPersistent {
    CORE_CLASS(TtsCol, core::TPersistent)

    TtsCol() = default;
    explicit TtsCol(TTinyGrid* grid) : grid_(grid) {}
    static void Publish(core::PropertyList& list);

    // Reading an empty heading gives the field name.
    AnsiString Heading() const { return heading_.empty() ? fieldName_ : heading_; }
    void SetHeading(const AnsiString& value);
    TtsHorzAlignment HeadingHorzAlignment() const { return headingHorzAlignment_; }
    void SetHeadingHorzAlignment(TtsHorzAlignment value);
    int Width() const { return width_; }
    void SetWidth(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    TtsControlType ControlType() const { return controlType_; }
    void SetControlType(TtsControlType value);
    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& value);
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    bool ColConfig() const { return colConfig_; }
    void SetColConfig(bool value) { colConfig_ = value; }
    bool BePrint() const { return bePrint_; }
    void SetBePrint(bool value) { bePrint_ = value; }

    // Whether nothing but the application's values (Tag, ColConfig,
    // BePrint) differs from a new column of the grid: whether every
    // published property that has a default is at it.
    bool IsDefault() const;
    // Copies every published property of another column.
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;

private:
    friend class TTinyGrid;
    void Changed();
    int DefaultWidth() const;

    TTinyGrid* grid_ = nullptr;
    AnsiString heading_;
    TtsHorzAlignment headingHorzAlignment_ = htaDefault;
    int width_ = 64;
    bool readOnly_ = false;
    TtsControlType controlType_ = ctDefault;
    AnsiString fieldName_;
    int tag_ = 0;
    bool colConfig_ = false;
    bool bePrint_ = false;
};

// One item of the grid's "ColProperties": setting DataCol binds the item to
// that column of the grid, so that the "Col." values that follow go
// straight into the column.
class TtsColItem : public core::TCollectionItem {
    CORE_CLASS(TtsColItem, core::TCollectionItem)

    explicit TtsColItem(core::TCollection* collection);
    ~TtsColItem() override;
    static void Publish(core::PropertyList& list);

    int DataCol() const { return dataCol_; }
    // Raises EInvalidGridOperation "Column index %d out of range" for a
    // column the grid does not have.
    void SetDataCol(int value);
    AnsiString FieldName() const { return Col()->FieldName(); }
    void SetFieldName(const AnsiString& value) { Col()->SetFieldName(value); }
    TtsCol* Col() const { return column_ ? column_ : &unbound_; }
    void SetCol(TtsCol* value) { Col()->Assign(value); }

private:
    int dataCol_ = 0;
    TtsCol* column_ = nullptr;
    // Takes the values of an item that names no column (yet).
    mutable TtsCol unbound_;
};

class TtsColCollection : public core::TCollection {
    CORE_CLASS(TtsColCollection, core::TCollection)

    explicit TtsColCollection(TTinyGrid* grid);
    TTinyGrid* Grid() const;
};

// Stand-in for the in-house list grid until the grid engine replaces it: it
// takes every value the tool's stored forms give a grid (the design values,
// the column settings and the Data block of stored cells) and does what the
// windows ask of it and no more: it keeps Rows and Cell, paints headings,
// text cells and check boxes, and lets the user tick a check box of a
// column that is not read-only by a click or by the space bar.
class TTinyGrid : public ui::TCustomControl {
    CORE_CLASS(TTinyGrid, ui::TCustomControl)

    explicit TTinyGrid(core::TComponent* owner);
    ~TTinyGrid() override;
    static void Publish(core::PropertyList& list);

    // ---- Data -------------------------------------------------------------
    int Cols() const { return static_cast<int>(columns_.size()); }
    void SetCols(int value);
    // Setting Rows to n keeps data rows 1 to n with their values; rows
    // beyond are dropped with theirs, new rows have none.
    int Rows() const { return rows_; }
    void SetRows(int value);
    // Data numbers count from 1; outside the grid a read gives Unassigned and
    // a write is ignored. Values are kept by the column's control type: a
    // text column keeps text, a check-box column integers, text and Null.
    core::Variant Cell(int dataCol, int dataRow) const;
    void SetCell(int dataCol, int dataRow, const core::Variant& value);
    // The column object of a data column; raises EInvalidGridOperation
    // "Column index %d out of range" outside 1..Cols.
    TtsCol* Col(int dataCol) const;
    // ctText, ctCheck, ctPicture or (outside the grid) ctNone.
    TtsControlType CellControlType(int dataCol, int dataRow) const;
    bool StoreData() const { return storeData_; }
    void SetStoreData(bool value);

    // ---- Look -------------------------------------------------------------
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    graphics::TColor HeadingColor() const { return headingColor_; }
    void SetHeadingColor(graphics::TColor value);
    graphics::TFont* HeadingFont() const { return headingFont_.get(); }
    void SetHeadingFont(const graphics::TFont* value) { headingFont_->Assign(value); }
    bool Heading3D() const { return heading3D_; }
    void SetHeading3D(bool value);
    graphics::TColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(graphics::TColor value) { selectionColor_ = value; }
    TtsCellSelectMode CellSelectMode() const { return cellSelectMode_; }
    void SetCellSelectMode(TtsCellSelectMode value) { cellSelectMode_ = value; }
    TtsRowSelectMode RowSelectMode() const { return rowSelectMode_; }
    void SetRowSelectMode(TtsRowSelectMode value) { rowSelectMode_ = value; }
    TtsResizeRows ResizeRows() const { return resizeRows_; }
    void SetResizeRows(TtsResizeRows value) { resizeRows_ = value; }
    TtsWordWrap WordWrap() const { return wordWrap_; }
    void SetWordWrap(TtsWordWrap value) { wordWrap_ = value; }
    TtsCheckBoxStyle CheckBoxStyle() const { return checkBoxStyle_; }
    void SetCheckBoxStyle(TtsCheckBoxStyle value) { checkBoxStyle_ = value; }
    bool BorderCtl3D() const { return Ctl3D(); }
    void SetBorderCtl3D(bool value) { SetCtl3D(value); }
    bool BePrinted() const { return bePrinted_; }
    void SetBePrinted(bool value) { bePrinted_ = value; }

    // ---- Geometry and the current cell -------------------------------------
    // The rectangle of a cell in client coordinates: data row 0 is the
    // heading, data column 0 the row bar; empty for a cell outside the grid.
    TRect CellRect(int dataCol, int dataRow) const;
    // The cell under a client point, or false.
    bool CellAt(graphics::TPoint p, int& dataCol, int& dataRow) const;
    // The cell the space bar toggles: 0, 0 until the user picks one.
    int CurrentDataCol() const { return currentCol_; }
    int CurrentDataRow() const { return currentRow_; }

    void DefineProperties(core::TFiler& filer) override;
    void WndProc(ui::TMessage& message) override;

protected:
    void CreateParams(ui::TCreateParams& params) override;
    void Paint() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void KeyUp(uint16_t& key, ui::TShiftState shift) override;

private:
    friend class TtsCol;
    struct StoredCell {
        TtsStoredKind Kind = skEmpty;
        core::Variant Value;
    };
    using StoredRow = std::vector<StoredCell>;

    [[noreturn]] void Error(const AnsiString& text) const;
    void ColumnChanged();
    bool Toggleable(int dataCol, int dataRow) const;
    void Toggle(int dataCol, int dataRow);
    void SetCurrent(int dataCol, int dataRow);
    void InvalidateCell(int dataCol, int dataRow);
    int ColumnLeft(int dataCol) const;
    void FollowParentFont();

    // Filing (TinyGridFiling.cpp).
    bool HasColProperties() const;
    void ReadColProperties(filing::TReader& reader);
    void WriteColProperties(filing::TWriter& writer);
    void ReadData(core::TStream& stream);
    void WriteData(core::TStream& stream) const;
    void StoreCell(int dataCol, int dataRow, TtsStoredKind kind, const core::Variant& value);

    // Painting (TinyGridPaint.cpp).
    void PaintFixedCell(graphics::TCanvas& canvas, const TRect& cell);
    void PaintHeading(graphics::TCanvas& canvas, int dataCol);
    void PaintDataCell(graphics::TCanvas& canvas, int dataCol, int dataRow);
    void PaintCheckBox(graphics::TCanvas& canvas, const TRect& content, int state);

    std::vector<std::unique_ptr<TtsCol>> columns_;  // data column c at index c - 1
    int rows_ = 0;
    bool storeData_ = false;
    std::map<int, StoredRow> cells_;  // by data row; column c at index c - 1

    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 14;
    graphics::TColor headingColor_ = graphics::clBtnFace;
    std::unique_ptr<graphics::TFont> headingFont_;
    bool headingParentFont_ = true;
    bool copyingHeadingFont_ = false;
    bool heading3D_ = true;
    graphics::TColor selectionColor_ = graphics::clHighlight;
    TtsCellSelectMode cellSelectMode_ = cmRange;
    TtsRowSelectMode rowSelectMode_ = rsMulti;
    TtsResizeRows resizeRows_ = rrAll;
    TtsWordWrap wordWrap_ = wwDefault;
    TtsCheckBoxStyle checkBoxStyle_ = stCheck;
    bool bePrinted_ = true;

    int currentCol_ = 0;
    int currentRow_ = 0;
    int pressedCol_ = 0;  // the check cell a left button press is holding
    int pressedRow_ = 0;
    bool spaceHeld_ = false;
};

// The check state a check-box cell shows for its value: an integer is its
// own state; anything else (text without check-box texts, Null,
// Unassigned) shows grayed, 2.
int CheckStateOf(const core::Variant& value);

}  // namespace controls
