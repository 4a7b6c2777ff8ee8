// TCustomGrid_ts: the mouse. A press starts one of the sizing states (an
// edge of a column heading or a row bar cell, with ColSizing or RowSizing),
// a column or row move (a fixed cell, with ColMoving or RowMoving), or a
// selection (a scrolled cell). Sizing shows a dotted exclusive-or line that
// follows the mouse; moving a five-pixel exclusive-or line at the drop
// place; timer 1 (60 ms) keeps moves and selections going while the mouse
// is held outside the cells.
#include <algorithm>

#include "grid/foundation/CustomGrid_ts.h"
#include "platform/graphics/Canvas.h"

namespace grid {

namespace {

constexpr uintptr_t kTimerId = 1;
constexpr unsigned kTimerInterval = 60;

}  // namespace

TGridSizingState TCustomGrid_ts::SizingStateAt(int x, int y, const TGridMetrics& m, int& index, int& pos,
                                               int& offset) const
{
    index = -1;
    pos = 0;
    offset = 0;
    TGridOptions_ts options = EffectiveOptions();
    if (!(options & (goColSizing | goRowSizing)))
        return gsNormal;
    const bool rtl = UseRightToLeftAlignment();
    const int width = m.Horz.ClientExtent;
    // The edge of a cell is where its extent ends and its line starts; a
    // press from `back` before it to `range - back` after it takes it.
    auto axisState = [&](const TGridAxisMetrics& a, int p, TGridSizingState state) {
        int range = a.EffLineWidth;
        int back = 0;
        if (range < 7) {
            range = 7;
            back = (range - a.EffLineWidth) / 2;
        }
        const TtsExtentArray& e = *a.Extents;
        int lw = a.EffLineWidth;
        // The first scrolled cell whose edge is at or after p - range + back.
        int64_t want = static_cast<int64_t>(p) + back - range - a.FixedEnd + lw;
        int cell = want <= 0 ? a.FirstCell : e.FindEnd(a.FirstCell, want - 1, lw);
        if (cell < a.CellCount) {
            int64_t edge = a.FixedEnd + e.Sum(a.FirstCell, cell + 1, lw) - lw;
            if (edge <= a.GridEnd && p >= edge - back && p <= edge - back + range) {
                index = cell;
                pos = static_cast<int>(edge);
                offset = static_cast<int>(edge - p);
                return state;
            }
        }
        // At the client edge the partly shown cell's edge is the window's.
        if (a.GridEnd == a.ClientExtent && p >= a.ClientExtent - back && p <= a.ClientExtent) {
            index = a.LastFullCell + 1;
            pos = a.ClientExtent;
            offset = a.ClientExtent - p;
            return state;
        }
        return gsNormal;
    };
    int hx = rtl ? width - 1 - x : x;
    if (hx > m.Horz.FixedEnd && (options & goColSizing)) {
        if (y >= m.Vert.FixedEnd)
            return gsNormal;
        return axisState(m.Horz, hx, gsColSizing);
    }
    if (y > m.Vert.FixedEnd && (options & goRowSizing)) {
        if (hx >= m.Horz.FixedEnd)
            return gsNormal;
        return axisState(m.Vert, y, gsRowSizing);
    }
    return gsNormal;
}

void TCustomGrid_ts::DrawSizingLine()
{
    if (!HandleAllocated())
        return;
    graphics::TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Pen()->SetStyle(graphics::psDot);
    canvas->Pen()->SetMode(graphics::pmXor);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(graphics::clWhite);
    if (sizingState_ == gsRowSizing) {
        canvas->MoveTo(0, sizingPos_);
        canvas->LineTo(client.Right, sizingPos_);
    } else {
        int x = UseRightToLeftAlignment() ? client.Right - 1 - sizingPos_ : sizingPos_;
        canvas->MoveTo(x, 0);
        canvas->LineTo(x, client.Bottom);
    }
    canvas->Pen()->SetMode(graphics::pmCopy);
    canvas->Pen()->SetStyle(graphics::psSolid);
}

void TCustomGrid_ts::DrawMoveLine()
{
    if (!HandleAllocated())
        return;
    graphics::TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Pen()->SetStyle(graphics::psSolid);
    canvas->Pen()->SetMode(graphics::pmXor);
    canvas->Pen()->SetWidth(5);
    canvas->Pen()->SetColor(graphics::clWhite);
    // The line lies on the side of the target cell the moved one goes to.
    if (sizingState_ == gsRowMoving) {
        TRect r = CellRect(0, moveTo_);
        int y = moveTo_ > moveFrom_ ? r.Bottom : r.Top;
        canvas->MoveTo(0, y);
        canvas->LineTo(client.Right, y);
    } else {
        TRect r = CellRect(moveTo_, 0);
        bool after = moveTo_ > moveFrom_;
        int x = (after != UseRightToLeftAlignment()) ? r.Right : r.Left;
        canvas->MoveTo(x, 0);
        canvas->LineTo(x, client.Bottom);
    }
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetMode(graphics::pmCopy);
}

void TCustomGrid_ts::StopTimer()
{
    if (timerRunning_ && HandleAllocated())
        ui::WindowManager().KillTimer(HandleOrNull(), kTimerId);
    timerRunning_ = false;
}

void TCustomGrid_ts::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    lastMouse_ = {x, y};
    if (!ComponentState().Contains(core::csDesigning) && CanFocus() && !Focused())
        SetFocus();
    if (button == ui::mbLeft && sizingState_ == gsNormal) {
        TGridMetrics m = CalcMetrics();
        int index, pos, offset;
        TGridSizingState state = SizingStateAt(x, y, m, index, pos, offset);
        if (state != gsNormal) {
            sizingState_ = state;
            sizingIndex_ = index;
            sizingPos_ = pos;
            sizingOffset_ = offset;
            DrawSizingLine();
        } else {
            TGridCoord cell = CellAt(x, y);
            TGridOptions_ts options = EffectiveOptions();
            if (cell.X >= 0) {
                if ((options & goColMoving) && cell.Y < fixedRows_ && cell.X >= fixedCols_) {
                    int to = cell.X;
                    if (CheckColumnDrag(cell.X, to, false)) {
                        sizingState_ = gsColMoving;
                        moveFrom_ = cell.X;
                        moveTo_ = cell.X;
                    }
                } else if ((options & goRowMoving) && cell.X < fixedCols_ && cell.Y >= fixedRows_) {
                    int to = cell.Y;
                    if (CheckRowDrag(cell.Y, to, false)) {
                        sizingState_ = gsRowMoving;
                        moveFrom_ = cell.Y;
                        moveTo_ = cell.Y;
                    }
                } else if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) {
                    if ((options & goEditing) && cell == TGridCoord{current_.X, current_.Y} &&
                        !(options & goRowSelect)) {
                        ShowEditor();
                    } else {
                        if (shift.Contains(ui::ssShift))
                            MoveAnchor(cell.X, cell.Y);
                        else
                            MoveCurrent(cell.X, cell.Y, true, true);
                        sizingState_ = gsSelecting;
                    }
                }
                if (sizingState_ == gsColMoving || sizingState_ == gsRowMoving) {
                    DrawMoveLine();
                    moveLineShown_ = true;
                }
                if (sizingState_ != gsNormal && HandleAllocated()) {
                    ui::WindowManager().SetTimer(HandleOrNull(), kTimerId, kTimerInterval);
                    timerRunning_ = true;
                }
            }
        }
    }
    ui::TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid_ts::MoveDragTo(int target)
{
    int count = sizingState_ == gsColMoving ? colCount_ : rowCount_;
    int fixed = sizingState_ == gsColMoving ? fixedCols_ : fixedRows_;
    target = std::clamp(target, fixed, count - 1);
    if (target == moveTo_)
        return;
    bool ok = sizingState_ == gsColMoving ? CheckColumnDrag(moveFrom_, target, false)
                                         : CheckRowDrag(moveFrom_, target, false);
    if (!ok || target == moveTo_)
        return;
    if (moveLineShown_)
        DrawMoveLine();
    moveTo_ = target;
    DrawMoveLine();
    moveLineShown_ = true;
}

void TCustomGrid_ts::ScrollDuringMove(int x, int y, const TGridMetrics& m)
{
    bool columns = sizingState_ == gsColMoving;
    const TGridAxisMetrics& a = columns ? m.Horz : m.Vert;
    int p = columns ? (UseRightToLeftAlignment() ? a.ClientExtent - 1 - x : x) : y;
    int first = a.FirstCell;
    int target = -1;
    bool erase = moveLineShown_;
    auto scrollTo = [&](int newFirst) {
        // The line is erased before the pixels move and drawn again after.
        if (erase) {
            DrawMoveLine();
            moveLineShown_ = false;
        }
        if (columns)
            MoveTopLeft(newFirst, topLeft_.Y);
        else
            MoveTopLeft(topLeft_.X, newFirst);
        if (HandleAllocated())
            HandleOrNull()->Update();
    };
    if (p < a.FixedEnd) {
        if (first > a.FixedCount)
            scrollTo(first - 1);
        target = columns ? topLeft_.X : topLeft_.Y;
    } else if (p >= a.GridEnd) {
        if (a.LastFullCell < a.CellCount - 1)
            scrollTo(first + 1);
        TGridMetrics now = CalcMetrics();
        target = columns ? now.Horz.LastFullCell : now.Vert.LastFullCell;
    } else {
        TGridCoord cell = CellAt(x, y);
        target = columns ? cell.X : cell.Y;
    }
    if (!moveLineShown_) {
        DrawMoveLine();
        moveLineShown_ = true;
    }
    if (target >= 0)
        MoveDragTo(target);
}

void TCustomGrid_ts::MouseMove(ui::TShiftState shift, int x, int y)
{
    lastMouse_ = {x, y};
    switch (sizingState_) {
    case gsSelecting: {
        TGridCoord cell = CellAt(x, y);
        if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && !(cell == TGridCoord{anchor_.X, anchor_.Y}))
            MoveAnchor(cell.X, cell.Y);
        break;
    }
    case gsRowSizing:
    case gsColSizing: {
        DrawSizingLine();
        int p = sizingState_ == gsRowSizing ? y : (UseRightToLeftAlignment() ? ClientWidth() - 1 - x : x);
        sizingPos_ = p + sizingOffset_;
        DrawSizingLine();
        break;
    }
    case gsRowMoving:
    case gsColMoving: {
        TGridCoord cell = CellAt(x, y);
        int target = sizingState_ == gsColMoving ? cell.X : cell.Y;
        if (target >= 0)
            MoveDragTo(target);
        break;
    }
    default:
        break;
    }
    ui::TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid_ts::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    TGridSizingState state = sizingState_;
    if (state != gsNormal && button == ui::mbLeft) {
        switch (state) {
        case gsSelecting:
            MouseMove(shift, x, y);
            StopTimer();
            sizingState_ = gsNormal;
            Click();
            break;
        case gsRowSizing:
        case gsColSizing: {
            DrawSizingLine();
            sizingState_ = gsNormal;
            TGridMetrics m = CalcMetrics();
            const TGridAxisMetrics& a = state == gsColSizing ? m.Horz : m.Vert;
            int64_t start = a.PositionOf(sizingIndex_);
            if (start >= 0 && sizingIndex_ < a.CellCount) {
                int64_t size = sizingPos_ - start;
                if (size > 1) {
                    if (state == gsColSizing)
                        SetColWidths(sizingIndex_, static_cast<int>(size));
                    else
                        SetRowHeights(sizingIndex_, static_cast<int>(size));
                    DesignModified();
                }
            }
            break;
        }
        case gsRowMoving:
        case gsColMoving: {
            if (moveLineShown_)
                DrawMoveLine();
            moveLineShown_ = false;
            StopTimer();
            sizingState_ = gsNormal;
            int to = moveTo_;
            bool ok = state == gsColMoving ? CheckColumnDrag(moveFrom_, to, true) : CheckRowDrag(moveFrom_, to, true);
            if (ok && to != moveFrom_) {
                if (state == gsColMoving)
                    MoveColumn(moveFrom_, to);
                else
                    MoveRow(moveFrom_, to);
            }
            break;
        }
        default:
            break;
        }
    }
    ui::TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid_ts::CancelMode()
{
    switch (sizingState_) {
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine();
        break;
    case gsRowMoving:
    case gsColMoving:
        if (moveLineShown_)
            DrawMoveLine();
        moveLineShown_ = false;
        break;
    default:
        break;
    }
    StopTimer();
    sizingState_ = gsNormal;
}

void TCustomGrid_ts::TimerTick()
{
    if (sizingState_ == gsRowMoving || sizingState_ == gsColMoving) {
        ScrollDuringMove(lastMouse_.X, lastMouse_.Y, CalcMetrics());
        return;
    }
    if (sizingState_ != gsSelecting)
        return;
    // Held outside the cells: the anchor steps one cell that way per tick,
    // never into the fixed cells nor past the last cell.
    TGridMetrics m = CalcMetrics();
    int x = UseRightToLeftAlignment() ? m.Horz.ClientExtent - 1 - lastMouse_.X : lastMouse_.X;
    int y = lastMouse_.Y;
    TGridCoord a{anchor_.X, anchor_.Y};
    if (options_ & goRowSelect)
        a.X = current_.X;
    TGridCoord next = a;
    if (x < m.Horz.FixedEnd)
        next.X = std::max(a.X - 1, fixedCols_);
    else if (x > m.Horz.GridEnd)
        next.X = std::min(a.X + 1, colCount_ - 1);
    if (y < m.Vert.FixedEnd)
        next.Y = std::max(a.Y - 1, fixedRows_);
    else if (y > m.Vert.GridEnd)
        next.Y = std::min(a.Y + 1, rowCount_ - 1);
    if (!(next == a))
        MoveAnchor(next.X, next.Y);
}

}  // namespace grid
