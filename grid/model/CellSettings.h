#pragma once

#include <memory>

#include "grid/model/PropSet.h"

namespace grid {

class TtsCol;
class TtsRow;

// The grid's cell settings: the cell property set with the grid's cell
// accessors, and the resolvers that give the setting a cell is painted,
// edited and typed with, combined from the cell, its column, its row and the
// grid.
//
// Accessors: a getter gives the cell's own value, or the default when the
// cell has no element; a setter checks the indexes ("Column index %d out of
// range", "Row index %d out of range") and sets the value through the set,
// which repaints the cell.
//
// Resolvers run for every visible cell on every paint. Each costs one lookup
// (the set's one-entry cache answers all but the first of a cell's settings,
// and a grid without cell settings answers from its count), one column and
// one row object by index, and a few comparisons: no allocation, no text.
// "Column and row in DrawOverlap order" means, with doDrawColOnTop, the
// column's value unless it is the Default member, else the row's; with
// doDrawRowOnTop the other way round. A row without an object gives
// defaults, and so does a column outside the grid.
class TtsCellSettings {
public:
    explicit TtsCellSettings(IGridCellHost& grid);
    ~TtsCellSettings();
    TtsCellSettings(const TtsCellSettings&) = delete;
    TtsCellSettings& operator=(const TtsCellSettings&) = delete;

    TtsCellPropSet& PropSet() { return props_; }
    const TtsCellPropSet& PropSet() const { return props_; }
    // The element of a cell, or nullptr.
    TtsCellElement* FindCell(int dataCol, int dataRow) const { return props_.FindCell(dataCol, dataRow); }

    // ---- Cell accessors ----------------------------------------------------------
    TtsControlType CellControlType(int dataCol, int dataRow) const;
    void SetCellControlType(int dataCol, int dataRow, TtsControlType value);
    TtsSpinOptions CellSpinOptions(int dataCol, int dataRow) const;
    void SetCellSpinOptions(int dataCol, int dataRow, TtsSpinOptions value);
    double CellSpinIncrement(int dataCol, int dataRow) const;
    void SetCellSpinIncrement(int dataCol, int dataRow, double value);
    graphics::TColor CellColor(int dataCol, int dataRow) const;
    void SetCellColor(int dataCol, int dataRow, graphics::TColor value);
    // The cell's own font; none while its ParentFont is True (and while the
    // grid is being written). While the grid is being read, a cell without a
    // font is given a copy of the grid's font for the reader to fill in.
    graphics::TFont* CellFont(int dataCol, int dataRow);
    // Stores a copy; nullptr makes the cell use the inherited font again.
    void SetCellFont(int dataCol, int dataRow, const graphics::TFont* value);
    bool CellParentFont(int dataCol, int dataRow) const;
    // False gives the cell a copy of its current effective font; True drops
    // its copy unless the private-font flag keeps one.
    void SetCellParentFont(int dataCol, int dataRow, bool value);
    ui::TAlignment CellAlignment(int dataCol, int dataRow) const;
    void SetCellAlignment(int dataCol, int dataRow, ui::TAlignment value);
    bool CellAligned(int dataCol, int dataRow) const;
    void SetCellAligned(int dataCol, int dataRow, bool value);
    TtsHorzAlignment CellHorzAlignment(int dataCol, int dataRow) const;
    void SetCellHorzAlignment(int dataCol, int dataRow, TtsHorzAlignment value);
    TtsVertAlignment CellVertAlignment(int dataCol, int dataRow) const;
    void SetCellVertAlignment(int dataCol, int dataRow, TtsVertAlignment value);
    bool CellIs3D(int dataCol, int dataRow) const;
    void SetCellIs3D(int dataCol, int dataRow, bool value);
    TtsReadOnly CellReadOnly(int dataCol, int dataRow) const;
    void SetCellReadOnly(int dataCol, int dataRow, TtsReadOnly value);
    TtsWordWrap CellWordWrap(int dataCol, int dataRow) const;
    void SetCellWordWrap(int dataCol, int dataRow, TtsWordWrap value);
    TtsButtonType CellButtonType(int dataCol, int dataRow) const;
    void SetCellButtonType(int dataCol, int dataRow, TtsButtonType value);
    TtsDropDownStyle CellDropDownStyle(int dataCol, int dataRow) const;
    void SetCellDropDownStyle(int dataCol, int dataRow, TtsDropDownStyle value);
    const core::AnsiString& CellMaskName(int dataCol, int dataRow) const;
    void SetCellMaskName(int dataCol, int dataRow, const core::AnsiString& value);
    // The cell's own combo (a TtsCombo), or nullptr. Setting one copies it
    // into the cell's own combo; nullptr drops that.
    core::TPersistent* CellCombo(int dataCol, int dataRow) const;
    void SetCellCombo(int dataCol, int dataRow, const core::TPersistent* value);
    bool CellParentCombo(int dataCol, int dataRow) const;
    void SetCellParentCombo(int dataCol, int dataRow, bool value);
    TtsDrawOption CellStretchPicture(int dataCol, int dataRow) const;
    void SetCellStretchPicture(int dataCol, int dataRow, TtsDrawOption value);
    TtsDrawOption CellShrinkPicture(int dataCol, int dataRow) const;
    void SetCellShrinkPicture(int dataCol, int dataRow, TtsDrawOption value);
    TtsDrawOption CellCenterPicture(int dataCol, int dataRow) const;
    void SetCellCenterPicture(int dataCol, int dataRow, TtsDrawOption value);
    TtsDrawOption CellKeepAspectRatio(int dataCol, int dataRow) const;
    void SetCellKeepAspectRatio(int dataCol, int dataRow, TtsDrawOption value);
    TtsDateTimeDefComponent* CellDateTimeDef(int dataCol, int dataRow) const;
    void SetCellDateTimeDef(int dataCol, int dataRow, TtsDateTimeDefComponent* value);
    bool CellPrivateFont(int dataCol, int dataRow) const;
    void SetCellPrivateFont(int dataCol, int dataRow, bool value);
    // Resets the cell's settings whose bits are in `mask` (bit 2^number).
    void ResetCell(int dataCol, int dataRow, uint32_t mask);

    // ---- Effective settings of a data cell -------------------------------------
    // Cell, column and row in DrawOverlap order, else ctText.
    TtsControlType EffectiveControlType(int dataCol, int dataRow) const;
    // Cell, column and row, else the grid's Color; a grid colour of none or
    // the window colour gives a 3D cell the button face and other cells the
    // window colour.
    graphics::TColor EffectiveColor(int dataCol, int dataRow) const;
    // The cell's own font unless ParentFont, else the first of column and
    // row that has a font of its own, else the grid's Font.
    const graphics::TFont& EffectiveFont(int dataCol, int dataRow) const;
    // Cell, column and row, else the grid's.
    TtsWordWrap EffectiveWordWrap(int dataCol, int dataRow) const;
    // Cell, column and row, else the column's legacy right or centre
    // alignment, else the grid's; htaDefault counts as htaLeft.
    TtsHorzAlignment EffectiveHorzAlignment(int dataCol, int dataRow) const;
    // Cell, column and row, else the grid's; vtaDefault counts as vtaTop.
    TtsVertAlignment EffectiveVertAlignment(int dataCol, int dataRow) const;
    // True when any of grid, column, row and cell says so.
    bool EffectiveIs3D(int dataCol, int dataRow) const;
    // Hidden columns and rows are read-only; in design mode with StoreData
    // every visible cell is editable; roOn and roOff of the cell decide;
    // with roDefault the column's or the row's ReadOnly makes it read-only.
    bool EffectiveReadOnly(int dataCol, int dataRow) const;
    // The button of an editable cell in range (of any cell while the grid's
    // ReadOnlyButton is on): cell, column and row, with the DropDownStyle of
    // the level that gave the button; a final btDefault counts as btNone.
    TtsButtonType EffectiveButtonType(int dataCol, int dataRow, TtsDropDownStyle* style = nullptr) const;
    // The spin settings of the first level (cell, column and row) whose
    // button is a spin button; none and 0 when no level has one.
    void EffectiveSpin(int dataCol, int dataRow, TtsSpinOptions& options, double& increment) const;
    // Cell, column and row; empty when none names a mask.
    const core::AnsiString& EffectiveMaskName(int dataCol, int dataRow) const;
    // A picture option (psStretchPicture..psKeepAspectRatio): cell, column
    // and row; dopDefault is left to the painter, which takes the grid's.
    TtsDrawOption EffectivePicture(int dataCol, int dataRow, int subNr) const;
    // The column's check-box texts when it has any, else the grid's.
    const core::AnsiString& EffectiveCheckBoxValues(int dataCol) const;
    // Headings (row 0 and column 0): the column's HeadingColor and heading
    // font when it has them, else the grid's; raised when Heading3D.
    graphics::TColor HeadingColor(int dataCol) const;
    const graphics::TFont& HeadingFont(int dataCol) const;
    bool HeadingIs3D() const;

    // ---- Structure -----------------------------------------------------------------
    // A data column or row was deleted: its cells' settings go, those beyond
    // move down one number.
    void DeleteCol(int dataCol) { props_.DeleteCol(dataCol); }
    void DeleteRow(int dataRow) { props_.DeleteRow(dataRow); }
    // The grid's font changed: private copies follow.
    void GridFontChanged() { props_.RefreshPrivateFonts(); }
    // Every cell's settings in `mask` back to their defaults.
    void ResetAllCells(uint32_t mask) { props_.ResetAllProps(mask, true); }

private:
    // The levels of one cell, looked up once per resolver.
    struct Levels {
        const TtsCellElement* cell;
        const TtsCol* col;  // nullptr outside the grid
        const TtsRow& row;  // a row at its defaults when it has no object
        bool colOnTop;
    };
    Levels LevelsOf(int dataCol, int dataRow) const;
    bool Is3DOf(const Levels& levels) const;
    bool ReadOnlyOf(const Levels& levels) const;
    // Raises the grid's index errors.
    void CheckIndex(int dataCol, int dataRow) const;
    void Set(int dataCol, int dataRow, TtsPropNr nr, int subNr, const TtsPropValue& value);
    const TtsCol* ColOf(int dataCol) const;
    const TtsRow& RowOf(int dataRow) const;
    bool ColOnTop() const;

    IGridCellHost& grid_;
    TtsCellPropSet props_;
    // What a row without an object reads as.
    std::unique_ptr<TtsRow> defaultRow_;
};

}  // namespace grid
