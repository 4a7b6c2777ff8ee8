// How the stand-in grid looks: the classic list grid's plain face. The
// heading row and the row bar are filled with the heading colour and closed
// by a black line on their bottom and right (a grey one with the 3D look);
// data cells have silver grid lines on their bottom and right; text stands
// at the left, vertically centred; a check-box cell shows a sunken 13 by 13
// box with a tick. The current cell has a dotted focus frame while the grid
// has the focus.
#include "controls/TinyGrid.h"
#include "platform/graphics/Canvas.h"

namespace controls {

using namespace graphics;

namespace {

constexpr TColor kLineColor = clSilver;
constexpr int kBoxSize = 13;
constexpr int kTextMargin = 2;

void FillColor(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(r);
}

// The tick: seven columns of three pixels, falling for three columns and
// rising for four, from (3, 5) inside the box.
void PaintTick(TCanvas& canvas, int boxLeft, int boxTop, TColor color)
{
    const int tops[7] = {5, 6, 7, 6, 5, 4, 3};
    for (int i = 0; i < 7; ++i)
        FillColor(canvas, Bounds(boxLeft + 3 + i, boxTop + tops[i], 1, 3), color);
}

}  // namespace

void TTinyGrid::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect client = ClientRect();
    FillColor(canvas, client, Color());
    PaintFixedCell(canvas, CellRect(0, 0));
    for (int c = 1; c <= Cols(); ++c)
        PaintHeading(canvas, c);
    for (int r = 1; r <= rows_; ++r) {
        PaintFixedCell(canvas, CellRect(0, r));
        for (int c = 1; c <= Cols(); ++c)
            PaintDataCell(canvas, c, r);
    }
    if (Focused() && currentCol_ > 0 && currentRow_ > 0) {
        TRect r = CellRect(currentCol_, currentRow_);
        r.Right -= 1;
        r.Bottom -= 1;
        canvas.Brush()->SetColor(Color());
        canvas.Font()->SetColor(clBlack);
        canvas.DrawFocusRect(r);
    }
}

void TTinyGrid::PaintFixedCell(TCanvas& canvas, const TRect& cell)
{
    FillColor(canvas, {cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1}, headingColor_);
    if (heading3D_) {
        FillColor(canvas, {cell.Left, cell.Top, cell.Right - 1, cell.Top + 1}, clBtnHighlight);
        FillColor(canvas, {cell.Left, cell.Top, cell.Left + 1, cell.Bottom - 1}, clBtnHighlight);
    }
    TColor edge = heading3D_ ? clGray : clBlack;
    FillColor(canvas, {cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom}, edge);
    FillColor(canvas, {cell.Right - 1, cell.Top, cell.Right, cell.Bottom}, edge);
}

void TTinyGrid::PaintHeading(TCanvas& canvas, int dataCol)
{
    TRect cell = CellRect(dataCol, 0);
    PaintFixedCell(canvas, cell);
    TtsCol* column = Col(dataCol);
    TRect text{cell.Left + kTextMargin, cell.Top, cell.Right - 1 - kTextMargin, cell.Bottom - 1};
    if (text.IsEmpty())
        return;
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (column->HeadingHorzAlignment() == htaCenter)
        flags |= DT_CENTER;
    else if (column->HeadingHorzAlignment() == htaRight)
        flags |= DT_RIGHT;
    canvas.Font()->Assign(headingFont_.get());
    canvas.Brush()->SetStyle(bsClear);
    canvas.DrawText(column->Heading(), text, flags);
}

void TTinyGrid::PaintDataCell(TCanvas& canvas, int dataCol, int dataRow)
{
    TRect cell = CellRect(dataCol, dataRow);
    TRect content{cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1};
    FillColor(canvas, content, Color());
    FillColor(canvas, {cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom}, kLineColor);
    FillColor(canvas, {cell.Right - 1, cell.Top, cell.Right, cell.Bottom}, kLineColor);
    core::Variant value = Cell(dataCol, dataRow);
    if (CellControlType(dataCol, dataRow) == ctCheck) {
        PaintCheckBox(canvas, content, CheckStateOf(value));
        return;
    }
    if (value.IsEmpty() || value.IsNull())
        return;
    TRect text{content.Left + kTextMargin, content.Top, content.Right - kTextMargin, content.Bottom};
    if (text.IsEmpty())
        return;
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    canvas.DrawText(value.AsString(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TTinyGrid::PaintCheckBox(TCanvas& canvas, const TRect& content, int state)
{
    int left = content.Left + (content.Width() - kBoxSize) / 2;
    int top = content.Top + (content.Height() - kBoxSize) / 2;
    TCanvasStateSaver saver(canvas);
    canvas.IntersectClipRect(content);
    // A sunken frame two pixels deep: shadow and dark shadow at the top and
    // left, highlight and light at the bottom and right.
    TRect box = Bounds(left, top, kBoxSize, kBoxSize);
    FillColor(canvas, box, clBtnHighlight);
    FillColor(canvas, {box.Left, box.Top, box.Right - 1, box.Bottom - 1}, clBtnShadow);
    FillColor(canvas, {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}, cl3DLight);
    FillColor(canvas, {box.Left + 1, box.Top + 1, box.Right - 2, box.Bottom - 2}, cl3DDkShadow);
    // A grayed box has the face colour inside and a grey tick.
    bool grayed = state != 0 && state != 1;
    FillColor(canvas, Inflate(box, -2, -2), grayed ? clBtnFace : clWindow);
    if (state != 0)
        PaintTick(canvas, left, top, grayed ? clBtnShadow : clWindowText);
}

}  // namespace controls
