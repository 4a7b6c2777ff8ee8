// TCustomGrid_ts: moving the top-left cell. A move scrolls the window's
// pixels and leaves only the uncovered strip to be painted; the distance is
// measured with the extent arrays' range sums, so scrolling costs the same
// at row 10 as at row 10,000,000.
#include <algorithm>

#include "grid/foundation/CustomGrid_ts.h"

namespace grid {

TGridCoord TCustomGrid_ts::ClampTopLeft(TGridCoord topLeft) const
{
    // Fixed cells are always shown and never become the top-left.
    return {std::clamp(topLeft.X, fixedCols_, std::max(colCount_ - 1, fixedCols_)),
            std::clamp(topLeft.Y, fixedRows_, std::max(rowCount_ - 1, fixedRows_))};
}

void TCustomGrid_ts::SetLeftCol(int value)
{
    if (value != topLeft_.X)
        MoveTopLeft(value, topLeft_.Y);
}

void TCustomGrid_ts::SetTopRow(int value)
{
    if (value != topLeft_.Y)
        MoveTopLeft(topLeft_.X, value);
}

void TCustomGrid_ts::MoveTopLeft(int col, int row)
{
    TGridCoord target = ClampTopLeft({col, row});
    if (target == topLeft_)
        return;
    // Pending paint first, so the pixels that move are up to date.
    if (HandleAllocated())
        HandleOrNull()->Update();
    TGridCoord old = topLeft_;
    topLeft_ = target;
    TopLeftMoved(old);
}

void TCustomGrid_ts::TopLeftMoved(TGridCoord oldTopLeft)
{
    UpdateScrollPos();
    if (HandleAllocated()) {
        TGridMetrics m = CalcMetrics();
        // The pixel distance between the old and the new top-left on one
        // axis, negative when moving forward; nothing when it exceeds the
        // scrolled area, which is then painted anew.
        auto distance = [](const TGridAxisMetrics& a, int oldPos, int newPos, int64_t& amount) {
            int low = std::min(oldPos, newPos);
            int high = std::max(oldPos, newPos);
            amount = a.Extents->Sum(low, high, a.EffLineWidth);
            if (amount > a.GridEnd - a.FixedEnd)
                return false;
            if (oldPos < newPos)
                amount = -amount;
            return true;
        };
        int64_t dx = 0;
        int64_t dy = 0;
        if (distance(m.Horz, oldTopLeft.X, topLeft_.X, dx) && distance(m.Vert, oldTopLeft.Y, topLeft_.Y, dy))
            ScrollArea(static_cast<int>(dx), static_cast<int>(dy), m);
        else
            Invalidate();
    }
    TopLeftChanged();
}

void TCustomGrid_ts::ScrollArea(int dx, int dy, const TGridMetrics& m)
{
    if (!HandleAllocated() || (dx == 0 && dy == 0))
        return;
    ui::TWindow* window = HandleOrNull();
    uint32_t flags = ui::SW_INVALIDATE;
    if (!defaultDrawing_)
        flags |= ui::SW_ERASE;
    const int width = m.Horz.ClientExtent;
    const int height = m.Vert.ClientExtent;
    const bool rtl = UseRightToLeftAlignment();
    // The scrolled parts reach the client edge rather than GridEnd: when the
    // grid ends inside the window, the pixels past its new end must move (or
    // be repainted) too, or the old cells would stay there.
    auto horzRange = [&](int top, int bottom) {
        TRect r{m.Horz.FixedEnd, top, width, bottom};
        return rtl ? TRect{0, top, width - m.Horz.FixedEnd, bottom} : r;
    };
    int hdx = rtl ? -dx : dx;
    if (dy == 0) {
        // The columns with their headings.
        TRect area = horzRange(0, height);
        window->Scroll(hdx, 0, &area, &area, flags);
    } else if (dx == 0) {
        // The rows with their row bar.
        TRect area{0, m.Vert.FixedEnd, width, height};
        window->Scroll(0, dy, &area, &area, flags);
    } else {
        TRect headings = horzRange(0, m.Vert.FixedEnd);
        window->Scroll(hdx, 0, &headings, &headings, flags);
        TRect bar = rtl ? TRect{width - m.Horz.FixedEnd, m.Vert.FixedEnd, width, height}
                        : TRect{0, m.Vert.FixedEnd, m.Horz.FixedEnd, height};
        window->Scroll(0, dy, &bar, &bar, flags);
        TRect cells = horzRange(m.Vert.FixedEnd, height);
        window->Scroll(hdx, dy, &cells, &cells, flags);
    }
    if (options_ & goRowSelect)
        InvalidateRange(Selection());
}

void TCustomGrid_ts::TopLeftChanged()
{
    UpdateEditor();
}

void TCustomGrid_ts::ScrollIntoView(int col, int row)
{
    ScrollToCell({col, row}, CalcMetrics());
}

void TCustomGrid_ts::ScrollToCell(TGridCoord cell, const TGridMetrics& m)
{
    auto inView = [](const TGridAxisMetrics& a, int c) {
        return c < a.FixedCount || (c >= a.FirstCell && c <= a.LastFullCell);
    };
    bool horzIn = inView(m.Horz, cell.X);
    bool vertIn = inView(m.Vert, cell.Y);
    if (horzIn && vertIn)
        return;
    TGridCoord best = MaxTopLeftFor(cell, m);
    if (HandleAllocated())
        HandleOrNull()->Update();
    TGridCoord old = topLeft_;
    TGridCoord target = topLeft_;
    if (!horzIn)
        target.X = cell.X < topLeft_.X ? cell.X : best.X;
    if (!vertIn)
        target.Y = cell.Y < topLeft_.Y ? cell.Y : best.Y;
    target = ClampTopLeft(target);
    if (target == old)
        return;
    topLeft_ = target;
    TopLeftMoved(old);
}

// ---- Scroll bars --------------------------------------------------------------------

void TCustomGrid_ts::UpdateScrollRange()
{
    if (!HandleAllocated() || scrollBars_ == ui::ssNone)
        return;
    TGridCoord best = MaxTopLeft();
    ui::TWindow* window = HandleOrNull();
    auto set = [&](int bar, int fixed, int maximum, int pos) {
        ui::TScrollInfo info;
        info.Min = 0;
        info.Max = std::max(maximum - fixed, 0);
        info.Pos = std::clamp(pos - fixed, 0, info.Max);
        window->SetScrollInfo(bar, info, ui::SIF_RANGE | ui::SIF_POS, true);
    };
    if (scrollBars_ == ui::ssHorizontal || scrollBars_ == ui::ssBoth)
        set(ui::SB_HORZ, fixedCols_, best.X, topLeft_.X);
    if (scrollBars_ == ui::ssVertical || scrollBars_ == ui::ssBoth)
        set(ui::SB_VERT, fixedRows_, best.Y, topLeft_.Y);
}

void TCustomGrid_ts::UpdateScrollPos()
{
    if (!HandleAllocated() || scrollBars_ == ui::ssNone)
        return;
    ui::TWindow* window = HandleOrNull();
    ui::TScrollInfo info;
    if (scrollBars_ == ui::ssHorizontal || scrollBars_ == ui::ssBoth) {
        info.Pos = topLeft_.X - fixedCols_;
        window->SetScrollInfo(ui::SB_HORZ, info, ui::SIF_POS, true);
    }
    if (scrollBars_ == ui::ssVertical || scrollBars_ == ui::ssBoth) {
        info.Pos = topLeft_.Y - fixedRows_;
        window->SetScrollInfo(ui::SB_VERT, info, ui::SIF_POS, true);
    }
}

void TCustomGrid_ts::ScrollBarRequest(bool horizontal, int code, int pos)
{
    TGridMetrics m = CalcMetrics();
    const TGridAxisMetrics& a = horizontal ? m.Horz : m.Vert;
    TGridCoord best = MaxTopLeft();
    int first = a.FirstCell;
    int last = horizontal ? best.X : best.Y;
    int page = std::max(a.LastFullCell - a.FirstCell, 1);
    int target = first;
    switch (code) {
    case ui::SB_LINEUP:
        target = first - 1;
        break;
    case ui::SB_LINEDOWN:
        target = first + 1;
        break;
    case ui::SB_PAGEUP:
        target = first - page;
        break;
    case ui::SB_PAGEDOWN:
        target = first + page;
        break;
    case ui::SB_THUMBTRACK:
        if (!(options_ & goThumbTracking))
            return;
        target = a.FixedCount + pos;
        break;
    case ui::SB_THUMBPOSITION:
        target = a.FixedCount + pos;
        break;
    case ui::SB_TOP:
        target = a.FixedCount;
        break;
    case ui::SB_BOTTOM:
        target = last;
        break;
    default:
        return;
    }
    target = std::clamp(target, a.FixedCount, std::max(last, a.FixedCount));
    if (horizontal)
        MoveTopLeft(target, topLeft_.Y);
    else
        MoveTopLeft(topLeft_.X, target);
}

}  // namespace grid
