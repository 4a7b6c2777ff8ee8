// The grid in a stored form: its defined properties (the column, row and
// cell collections, the Data block, the image-list identifiers and the
// legacy properties of older forms), and the copy and reset operations
// between grids that the stream component rests on.
//
// Section index:
//   Collections and items     TtsPropCollection, TtsColItem, TtsRowItem, TtsCellItem
//   Writing and reading       TtsGridFiling, TtsBaseGrid::DefineProperties
//   Copying and resetting     Assign, CopyGrid and its parts, the resets
#include "grid/view/GridFiling.h"

#include <algorithm>

#include "grid/foundation/CustomSet.h"
#include "grid/foundation/PropertyCopy.h"
#include "grid/foundation/SetNode.h"
#include "grid/model/CellElement.h"
#include "grid/view/GridStreamComponent.h"
#include "platform/core/ClassRegistry.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"

namespace grid {

CORE_CLASS_IMPL(TtsPropCollection)
CORE_CLASS_IMPL(TtsColItem)
CORE_CLASS_IMPL(TtsColCollection)
CORE_CLASS_IMPL(TtsRowItem)
CORE_CLASS_IMPL(TtsCellItem)
CORE_CLASS_IMPL(TtsCellCollection)

// ---- Collections and items ----------------------------------------------------------

TtsPropCollection::TtsPropCollection(const core::TClass& itemClass, TtsBaseGrid* grid)
    : core::TCollection(itemClass, grid), grid_(grid)
{
}

TtsPropCollection::TtsPropCollection(TtsBaseGrid* grid) : TtsPropCollection(TtsRowItem::StaticClass(), grid) {}

TtsPropCollection::~TtsPropCollection()
{
    // The items refer to the scratch grid's objects: they go first.
    Clear();
}

TtsBaseGrid& TtsPropCollection::ScratchGrid()
{
    if (!scratch_) {
        scratch_ = TtsGridFiling::NewScratch(*grid_);
        // Values read into it are dropped, whatever their count.
        scratch_->SetCols(1);
        scratch_->SetRows(1);
        // It reads as the grid does, so fonts are there to be filled in.
        scratch_->SetLoading(grid_->IsReading());
    }
    return *scratch_;
}

TtsColItem::TtsColItem(core::TCollection* collection) : core::TCollectionItem(collection) {}

void TtsColItem::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsColItem> p(list);
    p.Integer("DataCol", &TtsColItem::DataCol, &TtsColItem::SetDataCol).Default(0);
    p.String("FieldName", &TtsColItem::FieldName, &TtsColItem::SetFieldName);
    p.Object<TtsCol>("Col", &TtsColItem::Col, &TtsColItem::SetCol);
}

TtsPropCollection& TtsColItem::Owner() const
{
    return *static_cast<TtsPropCollection*>(Collection());
}

void TtsColItem::Bind(TtsCol* col)
{
    col_ = col;
    dataCol_ = col ? col->DataCol() : 0;
}

void TtsColItem::SetDataCol(int value)
{
    dataCol_ = value;
    auto& owner = static_cast<TtsColCollection&>(Owner());
    if (owner.LoadMode() == lmWithLayout)
        col_ = owner.Grid()->GridCols().Col(value);
}

void TtsColItem::SetFieldName(const AnsiString& value)
{
    fieldName_ = value;
    auto& owner = static_cast<TtsColCollection&>(Owner());
    if (owner.LoadMode() == lmWithLayout)
        return;
    TtsBaseGrid& grid = *owner.Grid();
    col_ = nullptr;
    for (int c = 1; c <= grid.Cols() && !col_ && !value.empty(); ++c)
        if (core::SameText(grid.GridCols().Items(c)->FieldName(), value))
            col_ = grid.GridCols().Items(c);
    if (TtsGridStreamComponent* stream = grid.StreamComponent()) {
        if (col_)
            stream->ColumnMatched(dataCol_, *col_);
    }
    if (!col_)
        col_ = owner.ScratchGrid().GridCols().Items(1);
}

TtsCol* TtsColItem::Col() const
{
    return col_ ? col_ : Owner().ScratchGrid().GridCols().Items(1);
}

void TtsColItem::SetCol(TtsCol* value)
{
    if (value)
        Col()->Assign(value);
}

TtsColCollection::TtsColCollection(TtsBaseGrid* grid, TtsLoadMode mode)
    : TtsPropCollection(TtsColItem::StaticClass(), grid), mode_(mode)
{
}

TtsRowItem::TtsRowItem(core::TCollection* collection) : core::TCollectionItem(collection) {}

TtsRowItem::~TtsRowItem() = default;

void TtsRowItem::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsRowItem> p(list);
    p.Integer("DataRow", &TtsRowItem::DataRow, &TtsRowItem::SetDataRow).Default(0);
    p.Integer("DisplayRow", &TtsRowItem::DisplayRow, &TtsRowItem::SetDisplayRow).Default(0);
    p.Boolean("Selected", &TtsRowItem::Selected, &TtsRowItem::SetSelected).Default(false);
    p.Object<TtsRow>("Row", &TtsRowItem::Row, &TtsRowItem::SetRow);
}

TtsPropCollection& TtsRowItem::Owner() const
{
    return *static_cast<TtsPropCollection*>(Collection());
}

void TtsRowItem::Bind(int dataRow, int displayRow, TtsRow* row, bool selected)
{
    dataRow_ = dataRow;
    displayRow_ = displayRow;
    selected_ = selected;
    row_ = row;
    if (!row_) {
        defaultRow_ = std::make_unique<TtsRow>(Owner().Grid());
        row_ = defaultRow_.get();
    }
}

void TtsRowItem::SetDataRow(int value)
{
    TtsGridRows& rows = Owner().Grid()->GridRows();
    rows.CheckRowIndex(value);
    dataRow_ = value;
    row_ = &rows.Ensure(value);
}

void TtsRowItem::SetDisplayRow(int value)
{
    displayRow_ = value;
    if (dataRow_ > 0)
        Owner().Grid()->GridRows().MoveRow(dataRow_, value);
}

void TtsRowItem::SetSelected(bool value)
{
    selected_ = value;
    if (dataRow_ > 0)
        Owner().Grid()->SetRowSelected(dataRow_, value);
}

TtsRow* TtsRowItem::Row() const
{
    if (row_)
        return row_;
    TtsBaseGrid& scratch = Owner().ScratchGrid();
    return &scratch.GridRows().Ensure(1);
}

void TtsRowItem::SetRow(TtsRow* value)
{
    if (value)
        Row()->Assign(value);
}

TtsCellItem::TtsCellItem(core::TCollection* collection)
    : core::TCollectionItem(collection), cell_(static_cast<TtsPropCollection*>(collection)->Grid())
{
}

void TtsCellItem::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsCellItem> p(list);
    p.Integer("DataCol", &TtsCellItem::DataCol, &TtsCellItem::SetDataCol).Default(0);
    p.Integer("DataRow", &TtsCellItem::DataRow, &TtsCellItem::SetDataRow).Default(0);
    p.Object<TtsCell>("Cell", &TtsCellItem::Cell, &TtsCellItem::SetCell);
}

TtsCellCollection::TtsCellCollection(TtsBaseGrid* grid) : TtsPropCollection(TtsCellItem::StaticClass(), grid) {}

// ---- Writing and reading --------------------------------------------------------------

AnsiString TtsGridFiling::GridExclusions(const TtsBaseGrid& grid, TtsPropKinds kinds, bool byFieldName)
{
    AnsiString excluded =
        "Height;Left;Name;Top;Width;Visible;TabOrder;DefaultColWidth;DefaultRowHeight;Datasource;"
        "ColProperties;RowProperties;CellProperties;Constraints";
    if (grid.IsDropDownGrid())
        excluded += ";RowSelectMode;GridMode";
    // Loading by field name keeps the grid's own columns: the saved count
    // is not applied.
    if (!kinds.Contains(pkCols) || byFieldName)
        excluded += ";Cols";
    if (!kinds.Contains(pkRows))
        excluded += ";Rows";
    if (byFieldName)
        excluded += ";FieldState";
    return excluded;
}

std::unique_ptr<TtsBaseGrid> TtsGridFiling::NewScratch(const TtsBaseGrid& grid)
{
    std::unique_ptr<core::TObject> made(grid.ClassType().CreateInstance(nullptr));
    auto* scratch = dynamic_cast<TtsBaseGrid*>(made.get());
    if (!scratch)
        throw core::EInvalidOperation("Cannot create a grid of class %s", grid.ClassName());
    made.release();
    return std::unique_ptr<TtsBaseGrid>(scratch);
}

std::unique_ptr<TtsColCollection> TtsGridFiling::ColItems(TtsBaseGrid& grid)
{
    auto items = std::make_unique<TtsColCollection>(&grid, lmWithLayout);
    const TtsGridCols& cols = grid.GridCols();
    for (int d = 1; d <= cols.Cols(); ++d) {
        TtsCol* col = cols.Items(cols.DataColnr(d));
        if (col && !col->IsDefault())
            static_cast<TtsColItem*>(items->Add())->Bind(col);
    }
    return items->Count() ? std::move(items) : nullptr;
}

std::unique_ptr<TtsPropCollection> TtsGridFiling::RowItems(TtsBaseGrid& grid)
{
    auto items = std::make_unique<TtsPropCollection>(&grid);
    TtsGridRows& rows = grid.GridRows();
    // Only rows with objects, or rows away from their own place, can have an
    // item: no lookup per row of a million rows without settings.
    std::vector<int> withObjects = rows.RowsWithObjects();
    auto add = [&](int display, int data) {
        TtsRow* row = rows.Items(data);
        if (data == display && (!row || row->IsDefault()))
            return;
        static_cast<TtsRowItem*>(items->Add())->Bind(data, display, row, grid.RowSelected(data));
    };
    if (rows.Reordered()) {
        for (int display = 1; display <= rows.RowCount(); ++display) {
            int data = rows.DataRownr(display);
            if (data != display || std::binary_search(withObjects.begin(), withObjects.end(), data))
                add(display, data);
        }
    } else {
        for (int data : withObjects)
            if (data >= 1)
                add(data, data);
    }
    return items->Count() ? std::move(items) : nullptr;
}

std::unique_ptr<TtsCellCollection> TtsGridFiling::CellItems(TtsBaseGrid& grid)
{
    auto items = std::make_unique<TtsCellCollection>(&grid);
    // Pre-order: a node, then its left subtree, then its right.
    std::vector<const TtsSetNode*> pending;
    if (const TtsSetNode* root = grid.CellSettings().PropSet().Root())
        pending.push_back(root);
    while (!pending.empty()) {
        const TtsSetNode* node = pending.back();
        pending.pop_back();
        const auto* objectNode = dynamic_cast<const TtsObjectSetNode*>(node);
        auto* element = objectNode ? dynamic_cast<TtsCellElement*>(objectNode->Element()) : nullptr;
        // Settings of cells that the grid's counts left behind cannot be
        // read back (a reader sets them through the grid's cell accessors,
        // which refuse such cells), so they are not written.
        if (element && (element->DataCol() < 1 || element->DataCol() > grid.Cols() || element->DataRow() < 1 ||
                        element->DataRow() > grid.Rows()))
            element = nullptr;
        if (element) {
            auto* item = static_cast<TtsCellItem*>(items->Add());
            item->SetDataCol(element->DataCol());
            item->SetDataRow(element->DataRow());
        }
        if (node->Right())
            pending.push_back(node->Right());
        if (node->Left())
            pending.push_back(node->Left());
    }
    return items->Count() ? std::move(items) : nullptr;
}

namespace {

TtsBaseGrid* AncestorGrid(core::TPersistent* ancestor)
{
    return dynamic_cast<TtsBaseGrid*>(ancestor);
}

template <typename Make>
bool Differ(TtsBaseGrid& grid, core::TPersistent* ancestor, Make make)
{
    auto mine = make(grid);
    if (!mine)
        return false;
    TtsBaseGrid* other = AncestorGrid(ancestor);
    if (!other)
        return true;
    auto theirs = make(*other);
    return !filing::CollectionsEqual(mine.get(), theirs.get());
}

}  // namespace

bool TtsGridFiling::ColsDiffer(TtsBaseGrid& grid, core::TPersistent* ancestor)
{
    return Differ(grid, ancestor, &TtsGridFiling::ColItems);
}

bool TtsGridFiling::RowsDiffer(TtsBaseGrid& grid, core::TPersistent* ancestor)
{
    return Differ(grid, ancestor, &TtsGridFiling::RowItems);
}

bool TtsGridFiling::CellsDiffer(TtsBaseGrid& grid, core::TPersistent* ancestor)
{
    return Differ(grid, ancestor, &TtsGridFiling::CellItems);
}

void TtsGridFiling::ReadColProperties(TtsBaseGrid& grid, filing::TReader& reader, TtsLoadMode mode)
{
    // Each item binds itself to its column as it is read; the items are not
    // needed afterwards.
    TtsColCollection items(&grid, mode);
    reader.ReadCollection(items);
}

void TtsGridFiling::WriteColProperties(TtsBaseGrid& grid, filing::TWriter& writer)
{
    writer.WriteCollection(ColItems(grid).get());
}

void TtsGridFiling::ReadRowProperties(TtsBaseGrid& grid, filing::TReader& reader)
{
    TtsPropCollection items(&grid);
    try {
        reader.ReadCollection(items);
    } catch (...) {
        for (int i = 0; i < items.Count(); ++i)
            grid.GridRows().Prune(items.ItemAs<TtsRowItem>(i)->DataRow());
        throw;
    }
    // Objects made for items whose values were all defaults go again.
    for (int i = 0; i < items.Count(); ++i)
        grid.GridRows().Prune(items.ItemAs<TtsRowItem>(i)->DataRow());
}

void TtsGridFiling::WriteRowProperties(TtsBaseGrid& grid, filing::TWriter& writer)
{
    writer.WriteCollection(RowItems(grid).get());
}

void TtsGridFiling::ReadCellProperties(TtsBaseGrid& grid, filing::TReader& reader)
{
    TtsCellCollection items(&grid);
    reader.ReadCollection(items);
}

void TtsGridFiling::WriteCellProperties(TtsBaseGrid& grid, filing::TWriter& writer)
{
    writer.WriteCollection(CellItems(grid).get());
}

void TtsGridFiling::ReadData(TtsBaseGrid& grid, core::TStream& stream)
{
    bool wasOn = grid.StoreData();
    grid.SetStoreData(true);
    const TtsIntegerList* map = grid.streamComponent_ ? grid.streamComponent_->ColumnMap() : nullptr;
    try {
        grid.store_->LoadFromStream(stream, map);
    } catch (...) {
        // The store is as it was; so is StoreData.
        if (!wasOn)
            grid.SetStoreData(false);
        throw;
    }
    // Values beyond the grid's counts could never be shown, and setting the
    // counts drops such values too: the block keeps none of them.
    Tts2DStorage& store = *grid.store_;
    if (store.LastRow() > grid.Rows())
        store.ClearRows(grid.Rows() + 1, true);
    for (int row = 1; row <= store.LastRow(); ++row)
        for (int col = store.LastCol(row); col > grid.Cols(); --col)
            store.SetValue(col, row, skEmpty, Variant());
    grid.PruneValues(0, 0);
    grid.Invalidate();
}

void TtsGridFiling::WriteData(TtsBaseGrid& grid, core::TStream& stream)
{
    grid.store_->SaveToStream(stream);
}

namespace {

// Sets a published enumeration of the grid by member name when its class
// publishes it.
void SetEnumByName(TtsBaseGrid& grid, const char* property, const char* member)
{
    const core::PropInfo* prop = grid.ClassType().FindProperty(property);
    if (!prop || prop->Kind() != core::tkEnumeration)
        return;
    int value = prop->EnumValue(member);
    if (value >= 0)
        prop->SetOrd(grid, value);
}

}  // namespace

void TtsBaseGrid::DefineProperties(core::TFiler& filer)
{
    // The base layout's extents are not written: the columns and rows file
    // their widths and heights themselves. Older forms' lists still read.
    ui::TCustomControl::DefineProperties(filer);
    auto extents = [this](bool columns) {
        return [this, columns](filing::TReader& r) {
            r.ReadListBegin();
            for (int i = 0; !r.EndOfList(); ++i) {
                int value = r.ReadInteger();
                if (columns && i < ColCount())
                    SetColWidths(i, value);
                else if (!columns && i < RowCount())
                    SetRowHeights(i, value);
            }
            r.ReadListEnd();
        };
    };
    filer.DefineProperty("ColWidths", extents(true), nullptr, false);
    filer.DefineProperty("RowHeights", extents(false), nullptr, false);
    filer.DefineProperty(
        "EditMode",
        [this](filing::TReader& r) {
            AnsiString mode = core::LowerCase(r.ReadIdent());
            SetGridMode(mode == "emnone"         ? gmListBox
                        : mode == "emeditinsert" ? gmEditInsert
                        : mode == "embrowse"     ? gmBrowse
                                                 : gmEdit);
        },
        nullptr, false);
    filer.DefineProperty(
        "HeadingAlignment",
        [this](filing::TReader& r) {
            AnsiString alignment = core::LowerCase(r.ReadIdent());
            const char* member = alignment == "taleftjustify"    ? "htaDefault"
                                 : alignment == "tarightjustify" ? "htaRight"
                                 : alignment == "tacenter"       ? "htaCenter"
                                                                 : nullptr;
            if (member)
                SetEnumByName(*this, "HeadingHorzAlignment", member);
        },
        nullptr, false);
    filer.DefineProperty(
        "ImageListIds", [this](filing::TReader& r) { pictureNames_.SetImageListIds(r.ReadString()); },
        [this](filing::TWriter& w) { w.WriteString(pictureNames_.ImageListIds().CommaText()); },
        pictureNames_.ImageListIds().Count() > 0);
    // The stream component writes these itself while it writes the grid as
    // its "Grid" part.
    bool embedded = streamComponent_ && streamComponent_->WritingGridPart();
    core::TPersistent* ancestor = filer.Ancestor();
    TtsLoadMode mode = streamComponent_ ? streamComponent_->LoadMode() : lmWithLayout;
    filer.DefineProperty(
        "ColProperties", [this, mode](filing::TReader& r) { TtsGridFiling::ReadColProperties(*this, r, mode); },
        [this](filing::TWriter& w) { TtsGridFiling::WriteColProperties(*this, w); },
        !embedded && TtsGridFiling::ColsDiffer(*this, ancestor));
    filer.DefineProperty(
        "RowProperties", [this](filing::TReader& r) { TtsGridFiling::ReadRowProperties(*this, r); },
        [this](filing::TWriter& w) { TtsGridFiling::WriteRowProperties(*this, w); },
        !embedded && TtsGridFiling::RowsDiffer(*this, ancestor));
    filer.DefineProperty(
        "CellProperties", [this](filing::TReader& r) { TtsGridFiling::ReadCellProperties(*this, r); },
        [this](filing::TWriter& w) { TtsGridFiling::WriteCellProperties(*this, w); },
        !embedded && TtsGridFiling::CellsDiffer(*this, ancestor));
    filer.DefineBinaryProperty(
        "Data", [this](core::TStream& s) { TtsGridFiling::ReadData(*this, s); },
        [this](core::TStream& s) { TtsGridFiling::WriteData(*this, s); }, !embedded && StoreData());
}

// ---- Copying and resetting --------------------------------------------------------------

void TtsBaseGrid::Assign(const core::TPersistent* source)
{
    const auto* other = dynamic_cast<const TtsBaseGrid*>(source);
    if (!other) {
        AnsiString from = source ? source->ClassName() : AnsiString("nil");
        throw core::EConvertError("Cannot assign %s to %s", from, ClassName());
    }
    CopyGrid(*other, kAllPropKinds, true);
}

void TtsBaseGrid::CopyGrid(const TtsBaseGrid& source, TtsPropKinds kinds, bool withData)
{
    if (&source == this)
        return;
    {
        PaintLock lock(*this);
        if (kinds.Contains(pkGrid)) {
            bool byFieldName = streamComponent_ && streamComponent_->LoadMode() == lmByFieldName;
            AnsiString excluded = TtsGridFiling::GridExclusions(*this, kinds, byFieldName);
            CopyPublished(source, excluded);
            if (kinds.Contains(pkCols))
                SetDefaultColWidth(source.DefaultColWidth());
            if (kinds.Contains(pkRows))
                SetDefaultRowHeight(source.DefaultRowHeight());
        }
        if (kinds.Contains(pkCols))
            CopyCols(source);
        if (kinds.Contains(pkRows)) {
            CopyRows(source);
            if (!Designing())
                CopyRowChanged(source);
        }
        if (kinds.Contains(pkCells))
            CopyCells(source);
        if (!Designing() && !IsDropDownGrid())
            CopySelections(source, kinds);
        if (withData)
            CopyData(source);
        else
            PruneValues(0, 0);
        PlaceCurrentCell();
        UpdateScrollRange();
    }
    ReportCurrentMove();
    selection_.ReportChanges(false);
}

void TtsBaseGrid::CopyPublished(const TtsBaseGrid& source, const AnsiString& excluded)
{
    // Only the names both classes publish: the property copy passes over
    // what this grid lacks, and a name in the list that the source's class
    // does not publish is simply never met.
    grid::CopyProperties(*this, source, excluded);
    // A "Parent..." flag is cleared by setting what it governs, which the
    // copy in name order does after the flag: the flags go again.
    for (const char* flag : {"ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint"}) {
        AnsiString names = ";" + core::LowerCase(excluded) + ";";
        if (names.find(";" + core::LowerCase(flag) + ";") == AnsiString::npos)
            grid::CopyProperty(flag, *this, source);
    }
}

void TtsBaseGrid::CopyData(const TtsBaseGrid& source)
{
    SetStoreData(source.StoreData());
    if (!source.StoreData())
        return;
    pictureNames_.SetImageListIds(source.pictureNames_.ImageListIds().CommaText());
    if (!Designing()) {
        store_->Assign(*source.store_);
    } else {
        // While a form is designed the order on screen is what the designer
        // sees: each value lands where the source shows it, and the display
        // order becomes the data order.
        store_->ClearRows(0, true);
        const Tts2DStorage& from = *source.store_;
        for (int r = 1; r <= from.LastRow(); ++r) {
            int row = source.DisplayRownr(r);
            for (int c = 1; c <= from.LastCol(r); ++c) {
                TtsStoredKind kind = from.KindOf(c, r);
                if (kind != skEmpty && row > 0 && source.DisplayColnr(c) > 0)
                    store_->SetValue(source.DisplayColnr(c), row, kind, from.GetValue(c, r));
            }
        }
    }
    UpdateStoreHints();
    PruneValues(0, 0);
}

void TtsBaseGrid::AssignTrimmed(const TtsBaseGrid& source)
{
    int cols = Cols();
    int rows = Rows();
    Assign(&source);
    if (!store_)
        return;
    if (source.Rows() > rows)
        store_->ClearRows(rows + 1, true);
    if (source.Cols() > cols)
        for (int c = source.Cols(); c > cols; --c)
            store_->ClearCol(c);
}

void TtsBaseGrid::CopyCols(const TtsBaseGrid& source)
{
    SetCols(source.Cols());
    if (DefaultColWidth() != source.DefaultColWidth())
        SetDefaultColWidth(source.DefaultColWidth());
    const TtsGridCols& from = source.GridCols();
    TtsGridCols& to = GridCols();
    for (int c = 0; c <= Cols(); ++c) {
        TtsCol& col = *to.Items(c);
        const TtsCol& other = *from.Items(c);
        col.Assign(&other);
        // A copy of a grid keeps the application's values too.
        col.SetTag(other.Tag());
        col.SetColConfig(other.ColConfig());
        col.SetBePrint(other.BePrint());
    }
    for (int d = 1; d <= Cols(); ++d)
        to.MoveCol(from.DataColnr(d), d);
}

void TtsBaseGrid::CopyRows(const TtsBaseGrid& source)
{
    SetRows(source.Rows());
    if (DefaultRowHeight() != source.DefaultRowHeight())
        SetDefaultRowHeight(source.DefaultRowHeight());
    ResetAllRows(0xFFFFFFFF & ~rpSelected & ~rpRowChanged);
    const TtsGridRows& from = source.GridRows();
    TtsGridRows& to = GridRows();
    for (int r : from.RowsWithObjects()) {
        const TtsRow* row = from.Items(r);
        if (!row || r > Rows())
            continue;
        TtsRow& mine = to.Ensure(r);
        mine.Assign(row);
        if (r > 0)
            to.Prune(r);
    }
    if (from.Reordered() || to.Reordered())
        for (int d = 1; d <= Rows(); ++d)
            to.MoveRow(from.DataRownr(d), d);
}

void TtsBaseGrid::CopyRowChanged(const TtsBaseGrid& source)
{
    if (source.GridRows().ChangedCount() == 0 && GridRows().ChangedCount() == 0)
        return;
    for (int r = 1; r <= Rows(); ++r)
        if (source.RowChanged(r) != RowChanged(r))
            GridRows().SetRowChanged(r, source.RowChanged(r));
}

void TtsBaseGrid::CopyCells(const TtsBaseGrid& source)
{
    if (Cols() < source.Cols())
        SetCols(source.Cols());
    if (Rows() < source.Rows())
        SetRows(source.Rows());
    CellSettings().PropSet().Assign(source.CellSettings().PropSet());
    Invalidate();
}

void TtsBaseGrid::CopySelections(const TtsBaseGrid& source, TtsPropKinds kinds)
{
    // Only grids with rows or columns selected have selections to copy.
    auto rows = [](const TtsBaseGrid& grid) { return grid.GridSelection().SelectedRows().SelectedCount() > 0; };
    auto cols = [](const TtsBaseGrid& grid) { return grid.GridSelection().SelectedCols().SelectedCount() > 0; };
    if (kinds.Contains(pkRows) && (rows(source) || rows(*this)))
        for (int r = 1; r <= std::min(Rows(), source.Rows()); ++r)
            if (source.RowSelected(r) != RowSelected(r))
                SetRowSelected(r, source.RowSelected(r));
    if (kinds.Contains(pkCols) && (cols(source) || cols(*this)))
        for (int c = 1; c <= std::min(Cols(), source.Cols()); ++c)
            if (source.ColSelected(c) != ColSelected(c))
                SetColSelected(c, source.ColSelected(c));
}

void TtsBaseGrid::ResetToDefaults(TtsPropKinds kinds)
{
    std::unique_ptr<TtsBaseGrid> fresh = TtsGridFiling::NewScratch(*this);
    // Copying cells grows a grid to the source's counts; a reset of kinds
    // that do not own the counts must not change them.
    if (!kinds.Contains(pkCols))
        fresh->SetCols(Cols());
    if (!kinds.Contains(pkRows))
        fresh->SetRows(Rows());
    CopyGrid(*fresh, kinds, true);
}

void TtsBaseGrid::ResetAllCells(uint32_t mask)
{
    cellSettings_->ResetAllCells(mask);
}

void TtsBaseGrid::ResetAllRows(uint32_t mask)
{
    TtsGridRows& rows = GridRows();
    for (int r : rows.RowsWithObjects()) {
        if (TtsRow* row = rows.Items(r)) {
            row->ResetProperties(mask);
            if (r > 0)
                rows.Prune(r);
        }
    }
}

}  // namespace grid
