#include "grid/model/PropSet.h"

#include <algorithm>
#include <memory>

#include "grid/foundation/SetList.h"
#include "grid/model/GridCellHost.h"

namespace grid {

CORE_CLASS_IMPL(TtsCustomPropSet)
CORE_CLASS_IMPL(TtsCellPropSet)

// ---- TtsCustomPropSet ----

TtsSetNode* TtsCustomPropSet::CreateNode(const TtsSetRef& value)
{
    if (Copying()) {
        auto* source = dynamic_cast<const TtsCustomPropElement*>(value.Element());
        if (source)
            return new TtsObjectSetNode(CopyElement(*source));
    }
    return TtsObjectSet::CreateNode(value);
}

bool TtsCustomPropSet::SetProp(TtsKey key, TtsCustomPropElement*& element, bool repaint, int subNr, TtsPropNr nr,
                               const TtsPropValue& value)
{
    TtsPropValue fallback = TtsCustomPropElement::DefaultProp(nr, subNr);
    // A number that elements do not hold: nothing to set.
    if (fallback.IsUnassigned())
        return false;
    TtsPropValue current = element ? element->GetProp(nr, subNr) : fallback;
    if (current == value)
        return false;
    if (!element) {
        std::unique_ptr<TtsCustomPropElement> fresh(CreateElement(key));
        fresh->SetProp(nr, subNr, value);
        if (fresh->IsDefault())
            return false;
        element = fresh.release();
        Add(element);
    } else {
        element->SetProp(nr, subNr, value);
        if (element->IsDefault()) {
            RemoveElement(element);
            element = nullptr;
        }
    }
    PropChanged(key, nr, repaint);
    return true;
}

const std::vector<std::pair<TtsPropNr, int>>& TtsCustomPropSet::ResetOrder()
{
    static const std::vector<std::pair<TtsPropNr, int>> order = {
        {pnColor, 0},         {pnFont, 0},
        {pnIs3D, 0},          {pnAligned, 0},
        {pnAlignment, 0},     {pnHorzAlignment, 0},
        {pnVertAlignment, 0}, {pnReadOnly, 0},
        {pnWordWrap, 0},      {pnButtonType, 0},
        {pnDropDownStyle, 0}, {pnCellReadOnly, 0},
        {pnParentFont, 0},    {pnCombo, 0},
        {pnParentCombo, 0},   {pnPicture, psStretchPicture},
        {pnPicture, psShrinkPicture}, {pnPicture, psCenterPicture},
        {pnPicture, psKeepAspectRatio}, {pnControlType, 0},
        {pnSpinOptions, 0},   {pnSpinIncrement, 0},
        {pnDateTimeDef, 0},   {pnMaskName, 0},
        {pnSelected, 0},
    };
    return order;
}

bool TtsCustomPropSet::ResetProps(TtsKey key, TtsCustomPropElement*& element, bool repaint, uint32_t mask)
{
    bool changed = false;
    for (const auto& [nr, subNr] : ResetOrder()) {
        if (!(mask & PropMask(nr)))
            continue;
        if (SetProp(key, element, repaint && !changed, subNr, nr, TtsCustomPropElement::DefaultProp(nr, subNr)))
            changed = true;
    }
    return changed;
}

void TtsCustomPropSet::ResetAllProps(uint32_t mask, bool repaint)
{
    // A snapshot: resetting drops elements from the tree on the way.
    std::unique_ptr<TtsSetList> list = GetList();
    for (int i = 1; i <= list->Count(); ++i)
        ResetElement(static_cast<TtsCustomPropElement*>(list->Items(i).Element()), mask, repaint);
}

bool TtsCustomPropSet::SetPrivateFont(TtsKey key, TtsCustomPropElement*& element, bool value)
{
    if ((element && element->PrivateFont()) == value)
        return false;
    if (!element) {
        std::unique_ptr<TtsCustomPropElement> fresh(CreateElement(key));
        fresh->SetPrivateFont(true);
        element = fresh.release();
        Add(element);
    } else {
        element->SetPrivateFont(value);
        if (element->IsDefault()) {
            RemoveElement(element);
            element = nullptr;
        }
    }
    PrivateFontChanged(key, value);
    return true;
}

void TtsCustomPropSet::PropChanged(TtsKey, TtsPropNr, bool) {}

void TtsCustomPropSet::PrivateFontChanged(TtsKey, bool) {}

// ---- TtsCellPropSet ----

TtsCellPropSet::~TtsCellPropSet()
{
    // The elements go with the tree; the cross index with its lists.
    ClearCache();
}

TtsCellElement* TtsCellPropSet::FindUncached(int dataCol, int dataRow) const
{
    TtsCellElement* element = nullptr;
    // Both the column and the row have an entry for every cell with an
    // element, so a cell whose column or row has none has no element; and
    // the row's own set (a handful of columns where settings are sparse)
    // answers most of the rest before the tree of all elements is searched.
    const TtsIntegerSet* colsOfRow = ColsOfRow(dataRow);
    if (colsOfRow && RowsOfCol(dataCol) && colsOfRow->Find(dataCol))
        element = static_cast<TtsCellElement*>(Find({dataCol, dataRow}));
    cacheCol_ = dataCol;
    cacheRow_ = dataRow;
    cacheElement_ = element;
    return element;
}

bool TtsCellPropSet::SetCellProp(int dataCol, int dataRow, TtsPropNr nr, int subNr, const TtsPropValue& value,
                                 bool repaint)
{
    TtsCustomPropElement* element = FindCell(dataCol, dataRow);
    return SetProp({dataCol, dataRow}, element, repaint, subNr, nr, value);
}

bool TtsCellPropSet::ResetCellProps(int dataCol, int dataRow, uint32_t mask, bool repaint)
{
    TtsCustomPropElement* element = FindCell(dataCol, dataRow);
    return ResetProps({dataCol, dataRow}, element, repaint, mask);
}

bool TtsCellPropSet::SetCellPrivateFont(int dataCol, int dataRow, bool value)
{
    TtsCustomPropElement* element = FindCell(dataCol, dataRow);
    return SetPrivateFont({dataCol, dataRow}, element, value);
}

void TtsCellPropSet::RefreshPrivateFonts()
{
    for (const TtsCoord& cell : privateFonts_)
        if (TtsCellElement* element = FindCell(cell.Col, cell.Row))
            element->RefreshPrivateFont();
}

TtsCustomPropElement* TtsCellPropSet::CreateElement(TtsKey key)
{
    ClearCache();
    return new TtsCellElement(grid_, key[0].Integer(), key[1].Integer());
}

TtsCustomPropElement* TtsCellPropSet::CopyElement(const TtsCustomPropElement& source)
{
    auto& cell = dynamic_cast<const TtsCellElement&>(source);
    auto copy = std::make_unique<TtsCellElement>(grid_, cell.DataCol(), cell.DataRow());
    copy->AssignElement(cell);
    if (cell.PrivateFont())
        copy->SetPrivateFont(true);
    return copy.release();
}

void TtsCellPropSet::RemoveElement(TtsCustomPropElement* element)
{
    auto* cell = static_cast<TtsCellElement*>(element);
    Remove({cell->DataCol(), cell->DataRow()});
}

void TtsCellPropSet::ResetElement(TtsCustomPropElement* element, uint32_t mask, bool repaint)
{
    auto* cell = static_cast<TtsCellElement*>(element);
    ResetProps({cell->DataCol(), cell->DataRow()}, element, repaint, mask);
}

void TtsCellPropSet::PropChanged(TtsKey key, TtsPropNr nr, bool repaint)
{
    if (!grid_)
        return;
    int dataCol = key[0].Integer();
    int dataRow = key[1].Integer();
    if (nr == pnMaskName) {
        grid_->CellMaskChanged(dataCol, dataRow);
        return;
    }
    if (nr == pnControlType)
        grid_->PruneCellValue(dataCol, dataRow);
    if (!repaint)
        return;
    // Text settings change only what is drawn inside the cell; colour, 3D,
    // buttons and control type change its background or frame too.
    bool contentOnly = nr == pnFont || nr == pnParentFont || nr == pnAligned || nr == pnAlignment ||
                       nr == pnHorzAlignment || nr == pnVertAlignment || nr == pnWordWrap || nr == pnPicture;
    grid_->CellSettingChanged(dataCol, dataRow, contentOnly);
}

void TtsCellPropSet::PrivateFontChanged(TtsKey key, bool value)
{
    TtsCoord cell{key[0].Integer(), key[1].Integer()};
    int i = privateFonts_.IndexOf(cell);
    if (value && i < 0)
        privateFonts_.Add(cell);
    else if (!value && i >= 0)
        privateFonts_.Delete(i);
}

void TtsCellPropSet::EnterIndex(int dataCol, int dataRow)
{
    auto enter = [](TtsIntegerSetList& list, int index, int value) {
        if (index >= list.Count())
            list.SetCount(index + 1);
        TtsIntegerSet* set = list.Sets(index);
        if (!set) {
            set = new TtsIntegerSet();
            list.SetSets(index, set);
        }
        set->Add(value);
    };
    enter(colIndex_, dataCol, dataRow);
    enter(rowIndex_, dataRow, dataCol);
}

void TtsCellPropSet::LeaveIndex(int dataCol, int dataRow)
{
    auto leave = [](TtsIntegerSetList& list, int index, int value) {
        if (index < 0 || index >= list.Count())
            return;
        TtsIntegerSet* set = list.Sets(index);
        if (!set)
            return;
        set->Remove(value);
        if (set->Count() == 0) {
            list.SetSets(index, nullptr);
            delete set;
        }
    };
    leave(colIndex_, dataCol, dataRow);
    leave(rowIndex_, dataRow, dataCol);
}

void TtsCellPropSet::Add(TtsSetElement* element)
{
    auto* cell = dynamic_cast<TtsCellElement*>(element);
    if (!cell) {
        if (element)
            throw core::EInvalidCast("Invalid class typecast");
        return;
    }
    ClearCache();
    TtsCoord coord{cell->DataCol(), cell->DataRow()};
    if (auto* present = static_cast<TtsCellElement*>(Find({coord.Col, coord.Row}));
        present && present != cell && present->PrivateFont())
        PrivateFontChanged({coord.Col, coord.Row}, false);
    TtsCustomPropSet::Add(cell);
    EnterIndex(coord.Col, coord.Row);
    if (cell->PrivateFont())
        PrivateFontChanged({coord.Col, coord.Row}, true);
}

void TtsCellPropSet::Remove(TtsKey key)
{
    int dataCol = key[0].Integer();
    int dataRow = key[1].Integer();
    ClearCache();
    auto* element = static_cast<TtsCellElement*>(Find(key));
    if (!element)
        return;
    bool privateFont = element->PrivateFont();
    TtsCustomPropSet::Remove(key);
    LeaveIndex(dataCol, dataRow);
    if (privateFont)
        PrivateFontChanged({dataCol, dataRow}, false);
}

TtsCellElement* TtsCellPropSet::Detach(int dataCol, int dataRow)
{
    TtsDetachedNode node = Delete(TtsSetRef(TtsKey{dataCol, dataRow}));
    if (!node)
        return nullptr;
    auto* holder = static_cast<TtsObjectSetNode*>(node.get());
    auto* element = static_cast<TtsCellElement*>(holder->Element());
    holder->SetElement(nullptr);
    LeaveIndex(dataCol, dataRow);
    return element;
}

void TtsCellPropSet::Clear()
{
    ClearCache();
    TtsCustomPropSet::Clear();
    colIndex_.Clear();
    rowIndex_.Clear();
    privateFonts_.Clear();
}

void TtsCellPropSet::Assign(const TtsCustomSet& source)
{
    if (&source == this)
        return;
    Clear();
    TtsCustomPropSet::Assign(source);
    RebuildIndex();
}

void TtsCellPropSet::RebuildIndex()
{
    ClearCache();
    colIndex_.Clear();
    rowIndex_.Clear();
    privateFonts_.Clear();
    std::unique_ptr<TtsSetList> list = GetList();
    for (int i = 1; i <= list->Count(); ++i) {
        auto* cell = static_cast<TtsCellElement*>(list->Items(i).Element());
        EnterIndex(cell->DataCol(), cell->DataRow());
        if (cell->PrivateFont())
            privateFonts_.Add({cell->DataCol(), cell->DataRow()});
    }
}

void TtsCellPropSet::DeleteCol(int dataCol)
{
    Renumber(true, dataCol);
}

void TtsCellPropSet::DeleteRow(int dataRow)
{
    Renumber(false, dataRow);
}

void TtsCellPropSet::Renumber(bool cols, int deleted)
{
    ClearCache();
    TtsIntegerSetList& index = cols ? colIndex_ : rowIndex_;
    auto keyOf = [cols, deleted](int other) { return cols ? TtsCoord{deleted, other} : TtsCoord{other, deleted}; };
    auto valuesOf = [](const TtsIntegerSet* set) {
        std::vector<int> values;
        if (set) {
            std::unique_ptr<TtsSetList> list = set->GetList();
            values.reserve(static_cast<size_t>(list->Count()));
            for (int i = 1; i <= list->Count(); ++i)
                values.push_back(*list->Items(i).Integer());
        }
        return values;
    };

    // The deleted column's (or row's) own elements go.
    if (deleted >= 0 && deleted < index.Count()) {
        for (int other : valuesOf(index.Sets(deleted))) {
            TtsCoord cell = keyOf(other);
            Remove({cell.Col, cell.Row});
        }
    }
    // The private-font list follows: the entries of the deleted column (or
    // row) went with their elements; those beyond take the next lower
    // number before their elements come back.
    for (int i = 0; i < privateFonts_.Count(); ++i) {
        TtsCoord cell = privateFonts_[i];
        int& number = cols ? cell.Col : cell.Row;
        if (number > deleted) {
            --number;
            privateFonts_.SetItems(i, cell);
        }
    }
    // The elements beyond it leave the tree and the index, take the next
    // lower number and come back.
    std::vector<std::unique_ptr<TtsCellElement>> moved;
    for (int n = std::max(deleted + 1, 0); n < index.Count(); ++n) {
        for (int other : valuesOf(index.Sets(n))) {
            int dataCol = cols ? n : other;
            int dataRow = cols ? other : n;
            if (TtsCellElement* element = Detach(dataCol, dataRow))
                moved.emplace_back(element);
        }
    }
    if (deleted >= 0 && deleted < index.Count())
        index.SetCount(deleted);
    for (auto& element : moved) {
        if (cols)
            element->SetCoord(element->DataCol() - 1, element->DataRow());
        else
            element->SetCoord(element->DataCol(), element->DataRow() - 1);
        Add(element.release());
    }
}

}  // namespace grid
