#include "grid/model/CellSettings.h"

#include "grid/foundation/EInvalidGridOperation.h"
#include "grid/foundation/DateTimeLink.h"
#include "grid/foundation/CustomGrid_ts.h"
#include "grid/model/Col.h"
#include "grid/model/GridCellHost.h"
#include "grid/model/GridCols.h"
#include "grid/model/GridRows.h"
#include "platform/graphics/Font.h"

namespace grid {

namespace {

const core::AnsiString& EmptyText()
{
    static const core::AnsiString empty;
    return empty;
}

bool IsSpin(TtsButtonType type)
{
    return type == btVertSpin || type == btHorzSpin;
}

}  // namespace

TtsCellSettings::TtsCellSettings(IGridCellHost& grid)
    : grid_(grid), props_(&grid), defaultRow_(std::make_unique<TtsRow>())
{
}

TtsCellSettings::~TtsCellSettings() = default;

// ---- Accessors ----

void TtsCellSettings::CheckIndex(int dataCol, int dataRow) const
{
    if (dataCol < 1 || dataCol > grid_.GridCols().Cols())
        throw EInvalidGridOperation("%s: Column index %d out of range", grid_.GridErrorName(), dataCol);
    if (dataRow < 1 || dataRow > grid_.GridRows().RowCount())
        throw EInvalidGridOperation("%s: Row index %d out of range", grid_.GridErrorName(), dataRow);
}

void TtsCellSettings::Set(int dataCol, int dataRow, TtsPropNr nr, int subNr, const TtsPropValue& value)
{
    CheckIndex(dataCol, dataRow);
    props_.SetCellProp(dataCol, dataRow, nr, subNr, value);
}

#define CELL_GETTER(Type, Name, Field, Default)                                   \
    Type TtsCellSettings::Cell##Name(int dataCol, int dataRow) const             \
    {                                                                             \
        const TtsCellElement* element = props_.FindCell(dataCol, dataRow);      \
        return element ? element->Field() : Default;                             \
    }

CELL_GETTER(TtsControlType, ControlType, ControlType, ctDefault)
CELL_GETTER(TtsSpinOptions, SpinOptions, SpinOptions, kAllSpinOptions)
CELL_GETTER(double, SpinIncrement, SpinIncrement, 1.0)
CELL_GETTER(graphics::TColor, Color, Color, graphics::clNone)
CELL_GETTER(bool, ParentFont, ParentFont, true)
CELL_GETTER(ui::TAlignment, Alignment, Alignment, ui::taLeftJustify)
CELL_GETTER(bool, Aligned, Aligned, false)
CELL_GETTER(TtsHorzAlignment, HorzAlignment, HorzAlignment, htaDefault)
CELL_GETTER(TtsVertAlignment, VertAlignment, VertAlignment, vtaDefault)
CELL_GETTER(bool, Is3D, Is3D, false)
CELL_GETTER(TtsReadOnly, ReadOnly, CellReadOnly, roDefault)
CELL_GETTER(TtsWordWrap, WordWrap, WordWrap, wwDefault)
CELL_GETTER(TtsButtonType, ButtonType, ButtonType, btDefault)
CELL_GETTER(TtsDropDownStyle, DropDownStyle, DropDownStyle, ddDropDown)
CELL_GETTER(const core::AnsiString&, MaskName, MaskName, EmptyText())
CELL_GETTER(core::TPersistent*, Combo, Combo, nullptr)
CELL_GETTER(bool, ParentCombo, ParentCombo, true)
CELL_GETTER(TtsDrawOption, StretchPicture, StretchPicture, dopDefault)
CELL_GETTER(TtsDrawOption, ShrinkPicture, ShrinkPicture, dopDefault)
CELL_GETTER(TtsDrawOption, CenterPicture, CenterPicture, dopDefault)
CELL_GETTER(TtsDrawOption, KeepAspectRatio, KeepAspectRatio, dopDefault)
CELL_GETTER(TtsDateTimeDefComponent*, DateTimeDef, DateTimeDef, nullptr)
CELL_GETTER(bool, PrivateFont, PrivateFont, false)
#undef CELL_GETTER

void TtsCellSettings::SetCellControlType(int dataCol, int dataRow, TtsControlType value)
{
    Set(dataCol, dataRow, pnControlType, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellSpinOptions(int dataCol, int dataRow, TtsSpinOptions value)
{
    Set(dataCol, dataRow, pnSpinOptions, 0, core::Variant(static_cast<int32_t>(value.Bits())));
}

void TtsCellSettings::SetCellSpinIncrement(int dataCol, int dataRow, double value)
{
    Set(dataCol, dataRow, pnSpinIncrement, 0, core::Variant(value));
}

void TtsCellSettings::SetCellColor(int dataCol, int dataRow, graphics::TColor value)
{
    Set(dataCol, dataRow, pnColor, 0, core::Variant(int32_t{value}));
}

graphics::TFont* TtsCellSettings::CellFont(int dataCol, int dataRow)
{
    TtsCellElement* element = props_.FindCell(dataCol, dataRow);
    if (element && !element->ParentFont())
        return element->Font();
    if (grid_.Writing() || !grid_.Reading())
        return nullptr;
    // The reader fills in the font it is handed: a copy of the grid's.
    SetCellFont(dataCol, dataRow, &grid_.GridFont());
    element = props_.FindCell(dataCol, dataRow);
    return element ? element->Font() : nullptr;
}

void TtsCellSettings::SetCellFont(int dataCol, int dataRow, const graphics::TFont* value)
{
    Set(dataCol, dataRow, pnFont, 0, TtsPropValue::Object(const_cast<graphics::TFont*>(value)));
}

void TtsCellSettings::SetCellParentFont(int dataCol, int dataRow, bool value)
{
    Set(dataCol, dataRow, pnParentFont, 0, core::Variant(value));
}

void TtsCellSettings::SetCellAlignment(int dataCol, int dataRow, ui::TAlignment value)
{
    Set(dataCol, dataRow, pnAlignment, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellAligned(int dataCol, int dataRow, bool value)
{
    Set(dataCol, dataRow, pnAligned, 0, core::Variant(value));
}

void TtsCellSettings::SetCellHorzAlignment(int dataCol, int dataRow, TtsHorzAlignment value)
{
    Set(dataCol, dataRow, pnHorzAlignment, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellVertAlignment(int dataCol, int dataRow, TtsVertAlignment value)
{
    Set(dataCol, dataRow, pnVertAlignment, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellIs3D(int dataCol, int dataRow, bool value)
{
    Set(dataCol, dataRow, pnIs3D, 0, core::Variant(value));
}

void TtsCellSettings::SetCellReadOnly(int dataCol, int dataRow, TtsReadOnly value)
{
    Set(dataCol, dataRow, pnCellReadOnly, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellWordWrap(int dataCol, int dataRow, TtsWordWrap value)
{
    Set(dataCol, dataRow, pnWordWrap, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellButtonType(int dataCol, int dataRow, TtsButtonType value)
{
    Set(dataCol, dataRow, pnButtonType, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellDropDownStyle(int dataCol, int dataRow, TtsDropDownStyle value)
{
    Set(dataCol, dataRow, pnDropDownStyle, 0, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellMaskName(int dataCol, int dataRow, const core::AnsiString& value)
{
    Set(dataCol, dataRow, pnMaskName, 0, core::Variant(value));
}

void TtsCellSettings::SetCellCombo(int dataCol, int dataRow, const core::TPersistent* value)
{
    Set(dataCol, dataRow, pnCombo, 0, TtsPropValue::Object(const_cast<core::TPersistent*>(value)));
}

void TtsCellSettings::SetCellParentCombo(int dataCol, int dataRow, bool value)
{
    Set(dataCol, dataRow, pnParentCombo, 0, core::Variant(value));
}

void TtsCellSettings::SetCellStretchPicture(int dataCol, int dataRow, TtsDrawOption value)
{
    Set(dataCol, dataRow, pnPicture, psStretchPicture, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellShrinkPicture(int dataCol, int dataRow, TtsDrawOption value)
{
    Set(dataCol, dataRow, pnPicture, psShrinkPicture, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellCenterPicture(int dataCol, int dataRow, TtsDrawOption value)
{
    Set(dataCol, dataRow, pnPicture, psCenterPicture, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellKeepAspectRatio(int dataCol, int dataRow, TtsDrawOption value)
{
    Set(dataCol, dataRow, pnPicture, psKeepAspectRatio, core::Variant(int32_t{value}));
}

void TtsCellSettings::SetCellDateTimeDef(int dataCol, int dataRow, TtsDateTimeDefComponent* value)
{
    Set(dataCol, dataRow, pnDateTimeDef, 0, TtsPropValue::Object(value));
}

void TtsCellSettings::SetCellPrivateFont(int dataCol, int dataRow, bool value)
{
    CheckIndex(dataCol, dataRow);
    props_.SetCellPrivateFont(dataCol, dataRow, value);
}

void TtsCellSettings::ResetCell(int dataCol, int dataRow, uint32_t mask)
{
    CheckIndex(dataCol, dataRow);
    props_.ResetCellProps(dataCol, dataRow, mask);
}

// ---- Resolvers ----

const TtsCol* TtsCellSettings::ColOf(int dataCol) const
{
    return grid_.GridCols().Items(dataCol);
}

const TtsRow& TtsCellSettings::RowOf(int dataRow) const
{
    // Rows without an object (nearly all of them) read as a row at its
    // defaults; the row list's own default row would be sized on every call.
    const TtsRow* row = grid_.GridRows().Items(dataRow);
    return row ? *row : *defaultRow_;
}

bool TtsCellSettings::ColOnTop() const
{
    return grid_.DrawOverlap() == doDrawColOnTop;
}

namespace {

// Column and row in DrawOverlap order: the value on top unless it is the
// "not set" value, else the other.
template <typename T>
T Overlap(bool colOnTop, T colValue, T rowValue, T unset)
{
    T top = colOnTop ? colValue : rowValue;
    return top != unset ? top : colOnTop ? rowValue : colValue;
}

}  // namespace

TtsCellSettings::Levels TtsCellSettings::LevelsOf(int dataCol, int dataRow) const
{
    return {props_.FindCell(dataCol, dataRow), ColOf(dataCol), RowOf(dataRow), ColOnTop()};
}

TtsControlType TtsCellSettings::EffectiveControlType(int dataCol, int dataRow) const
{
    Levels l = LevelsOf(dataCol, dataRow);
    if (l.cell && l.cell->ControlType() != ctDefault)
        return l.cell->ControlType();
    TtsControlType type = Overlap(l.colOnTop, l.col ? l.col->ControlType() : ctDefault, l.row.ControlType(), ctDefault);
    return type != ctDefault ? type : ctText;
}

graphics::TColor TtsCellSettings::EffectiveColor(int dataCol, int dataRow) const
{
    Levels l = LevelsOf(dataCol, dataRow);
    if (l.cell && l.cell->Color() != graphics::clNone)
        return l.cell->Color();
    graphics::TColor color =
        Overlap(l.colOnTop, l.col ? l.col->Color() : graphics::clNone, l.row.Color(), graphics::clNone);
    if (color != graphics::clNone)
        return color;
    color = grid_.GridColor();
    if (color != graphics::clNone && color != graphics::clWindow)
        return color;
    if (Is3DOf(l))
        return graphics::clBtnFace;
    // A grid colour of none would leave the cell unpainted: such a cell
    // takes the window colour.
    return graphics::clWindow;
}

const graphics::TFont& TtsCellSettings::EffectiveFont(int dataCol, int dataRow) const
{
    Levels l = LevelsOf(dataCol, dataRow);
    if (l.cell && !l.cell->ParentFont() && l.cell->Font())
        return *l.cell->Font();
    const graphics::TFont* colFont = l.col && !l.col->ParentFont() ? l.col->Font() : nullptr;
    const graphics::TFont* rowFont = !l.row.ParentFont() ? l.row.Font() : nullptr;
    if (const graphics::TFont* font = Overlap<const graphics::TFont*>(l.colOnTop, colFont, rowFont, nullptr))
        return *font;
    return grid_.GridFont();
}

TtsWordWrap TtsCellSettings::EffectiveWordWrap(int dataCol, int dataRow) const
{
    Levels l = LevelsOf(dataCol, dataRow);
    if (l.cell && l.cell->WordWrap() != wwDefault)
        return l.cell->WordWrap();
    TtsWordWrap wrap = Overlap(l.colOnTop, l.col ? l.col->WordWrap() : wwDefault, l.row.WordWrap(), wwDefault);
    return wrap != wwDefault ? wrap : grid_.GridWordWrap();
}

TtsHorzAlignment TtsCellSettings::EffectiveHorzAlignment(int dataCol, int dataRow) const
{
    Levels l = LevelsOf(dataCol, dataRow);
    TtsHorzAlignment alignment = l.cell ? l.cell->HorzAlignment() : htaDefault;
    if (alignment == htaDefault)
        alignment = Overlap(l.colOnTop, l.col ? l.col->HorzAlignment() : htaDefault, l.row.HorzAlignment(), htaDefault);
    if (alignment == htaDefault && l.col) {
        if (l.col->Alignment() == ui::taRightJustify)
            alignment = htaRight;
        else if (l.col->Alignment() == ui::taCenter)
            alignment = htaCenter;
    }
    if (alignment == htaDefault)
        alignment = grid_.GridHorzAlignment();
    return alignment == htaDefault ? htaLeft : alignment;
}

TtsVertAlignment TtsCellSettings::EffectiveVertAlignment(int dataCol, int dataRow) const
{
    Levels l = LevelsOf(dataCol, dataRow);
    TtsVertAlignment alignment = l.cell ? l.cell->VertAlignment() : vtaDefault;
    if (alignment == vtaDefault)
        alignment = Overlap(l.colOnTop, l.col ? l.col->VertAlignment() : vtaDefault, l.row.VertAlignment(), vtaDefault);
    if (alignment == vtaDefault)
        alignment = grid_.GridVertAlignment();
    return alignment == vtaDefault ? vtaTop : alignment;
}

bool TtsCellSettings::Is3DOf(const Levels& l) const
{
    return grid_.GridIs3D() || (l.col && l.col->Is3D()) || l.row.Is3D() || (l.cell && l.cell->Is3D());
}

bool TtsCellSettings::EffectiveIs3D(int dataCol, int dataRow) const
{
    return Is3DOf(LevelsOf(dataCol, dataRow));
}

bool TtsCellSettings::ReadOnlyOf(const Levels& l) const
{
    if ((l.col && !l.col->Visible()) || !l.row.Visible())
        return true;
    if (grid_.DesignEditable())
        return false;
    if (l.cell && l.cell->CellReadOnly() == roOn)
        return true;
    if (l.cell && l.cell->CellReadOnly() == roOff)
        return false;
    return (l.col && l.col->ReadOnly()) || l.row.ReadOnly();
}

bool TtsCellSettings::EffectiveReadOnly(int dataCol, int dataRow) const
{
    return ReadOnlyOf(LevelsOf(dataCol, dataRow));
}

TtsButtonType TtsCellSettings::EffectiveButtonType(int dataCol, int dataRow, TtsDropDownStyle* style) const
{
    if (style)
        *style = ddDropDown;
    Levels l = LevelsOf(dataCol, dataRow);
    if (!grid_.ReadOnlyButton()) {
        bool inRange = l.col && dataCol >= 1 && dataRow >= 1 && dataRow <= grid_.GridRows().RowCount();
        if (!inRange || ReadOnlyOf(l))
            return btNone;
    }
    if (l.cell && l.cell->ButtonType() != btDefault) {
        if (style)
            *style = l.cell->DropDownStyle();
        return l.cell->ButtonType();
    }
    TtsButtonType colType = l.col ? l.col->ButtonType() : btDefault;
    bool fromCol = l.colOnTop ? colType != btDefault : l.row.ButtonType() == btDefault;
    TtsButtonType type = fromCol ? colType : l.row.ButtonType();
    if (type == btDefault)
        return btNone;
    if (style)
        *style = fromCol ? l.col->DropDownStyle() : l.row.DropDownStyle();
    return type;
}

void TtsCellSettings::EffectiveSpin(int dataCol, int dataRow, TtsSpinOptions& options, double& increment) const
{
    if (const TtsCellElement* element = props_.FindCell(dataCol, dataRow); element && IsSpin(element->ButtonType())) {
        options = element->SpinOptions();
        increment = element->SpinIncrement();
        return;
    }
    const TtsCol* col = ColOf(dataCol);
    const TtsRow& row = RowOf(dataRow);
    bool colSpin = col && IsSpin(col->ButtonType());
    bool rowSpin = IsSpin(row.ButtonType());
    if (colSpin && (ColOnTop() || !rowSpin)) {
        options = col->SpinOptions();
        increment = col->SpinIncrement();
    } else if (rowSpin) {
        options = row.SpinOptions();
        increment = row.SpinIncrement();
    } else {
        options = {};
        increment = 0;
    }
}

const core::AnsiString& TtsCellSettings::EffectiveMaskName(int dataCol, int dataRow) const
{
    if (const TtsCellElement* element = props_.FindCell(dataCol, dataRow); element && !element->MaskName().empty())
        return element->MaskName();
    const TtsCol* col = ColOf(dataCol);
    const core::AnsiString& colMask = col ? col->MaskName() : EmptyText();
    const core::AnsiString& rowMask = RowOf(dataRow).MaskName();
    const core::AnsiString& top = ColOnTop() ? colMask : rowMask;
    return !top.empty() ? top : ColOnTop() ? rowMask : colMask;
}

TtsDrawOption TtsCellSettings::EffectivePicture(int dataCol, int dataRow, int subNr) const
{
    if (const TtsCellElement* element = props_.FindCell(dataCol, dataRow);
        element && element->Picture(subNr) != dopDefault)
        return element->Picture(subNr);
    auto pick = [subNr](const auto& level) {
        switch (subNr) {
        case psStretchPicture: return level.StretchPicture();
        case psShrinkPicture: return level.ShrinkPicture();
        case psCenterPicture: return level.CenterPicture();
        case psKeepAspectRatio: return level.KeepAspectRatio();
        default: return dopDefault;
        }
    };
    const TtsCol* col = ColOf(dataCol);
    return Overlap(ColOnTop(), col ? pick(*col) : dopDefault, pick(RowOf(dataRow)), dopDefault);
}

const core::AnsiString& TtsCellSettings::EffectiveCheckBoxValues(int dataCol) const
{
    const TtsCol* col = ColOf(dataCol);
    return col && !col->CheckBoxValues().empty() ? col->CheckBoxValues() : grid_.GridCheckBoxValues();
}

graphics::TColor TtsCellSettings::HeadingColor(int dataCol) const
{
    const TtsCol* col = ColOf(dataCol);
    return col && col->HeadingColor() != graphics::clNone ? col->HeadingColor() : grid_.GridHeadingColor();
}

const graphics::TFont& TtsCellSettings::HeadingFont(int dataCol) const
{
    const TtsCol* col = ColOf(dataCol);
    if (col && !col->HeadingParentFont() && col->HeadingFont())
        return *col->HeadingFont();
    return grid_.GridHeadingFont();
}

bool TtsCellSettings::HeadingIs3D() const
{
    return grid_.Heading3D();
}

}  // namespace grid
