#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/Golden.h"

using namespace graphics;

// The primitives together, as the controls will combine them: a button, an
// edit box, grid headings and cells, a focus frame, a checkerboard overlay,
// dotted and inverted lines, shapes.
TEST(Look, GoldenClassicControls)
{
    TBitmap b(200, 120);
    TCanvas& c = *b.Canvas();
    c.Font()->SetName("宋体");
    c.Font()->SetHeight(-12);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, 200, 120));

    // A push button with its focus frame.
    TRect button = Rect(8, 8, 83, 33);
    c.DrawEdge(button, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(Rect(7, 7, 84, 34));
    TRect caption = button;
    c.DrawText("确定(&O)", caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.DrawFocusRect(Inflate(button, -4, -4));

    // An edit box.
    TRect edit = Rect(96, 10, 192, 31);
    c.DrawEdge(edit, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    c.Brush()->SetColor(clWindow);
    c.FillRect(edit);
    c.TextOut(edit.Left + 2, edit.Top + 3, "Account");

    // Grid headings and two cells: raised inner edges, grey grid lines.
    for (int col = 0; col < 3; ++col) {
        TRect heading = Bounds(8 + col * 40, 44, 40, 16);
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(heading);
        TRect inner = Rect(heading.Left, heading.Top, heading.Right - 1, heading.Bottom - 1);
        c.DrawEdge(inner, BDR_RAISEDINNER, BF_TOPLEFT);
        c.Pen()->SetColor(clGray);
        c.MoveTo(heading.Left, heading.Bottom - 1);
        c.LineTo(heading.Right - 1, heading.Bottom - 1);
        c.LineTo(heading.Right - 1, heading.Top - 1);
        c.Brush()->SetStyle(bsClear);
        TRect text = inner;
        const char* titles[] = {"名称", "Db", "隐藏"};
        c.DrawText(titles[col], text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    c.Brush()->SetColor(clWindow);
    c.FillRect(Rect(8, 60, 128, 76));
    c.Pen()->SetColor(clSilver);
    c.MoveTo(8, 75);
    c.LineTo(128, 75);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(11, 62, "账套一");
    // The selected cell is inverted, the current one framed with dots.
    c.InvertRect(Rect(48, 60, 87, 75));
    c.DrawFocusRect(Rect(88, 60, 127, 75));

    // A 50% checkerboard of the highlight colour over a picture, in two
    // steps through a monochrome pattern: destination AND pattern blackens
    // the pattern's black squares, destination OR pattern paints them.
    TBitmap checker(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
    checker.SetMonochrome(true);
    const TRect picture = Rect(140, 44, 192, 76);
    c.Brush()->SetColor(clYellow);
    c.FillRect(picture);
    c.Pen()->SetColor(clRed);
    c.MoveTo(140, 44);
    c.LineTo(192, 76);
    c.Brush()->SetBitmap(&checker);
    c.Brush()->SetColor(clWhite);
    c.PatBlt(picture, 0x00A000C9);  // D AND P
    c.Brush()->SetColor(clBlack);
    c.Font()->SetColor(clHighlight);
    c.PatBlt(picture, 0x00FA0089);  // D OR P
    c.Font()->SetColor(clBlack);
    c.Brush()->SetBitmap(nullptr);

    // A dotted XOR sizing line and shapes.
    c.Pen()->SetStyle(psDot);
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.MoveTo(134, 40);
    c.LineTo(134, 116);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetMode(pmCopy);
    c.Pen()->SetColor(clNavy);
    c.Brush()->SetColor(clAqua);
    c.Ellipse(10, 84, 50, 114);
    const TPoint triangle[] = {{60, 112}, {80, 84}, {100, 112}};
    c.Polygon(triangle);
    c.Pen()->SetColor(clRed);
    const TPoint zigzag[] = {{110, 112}, {120, 86}, {130, 112}, {140, 86}, {150, 112}};
    c.Polyline(zigzag);
    TRect etched = Rect(156, 86, 192, 112);
    c.DrawEdge(etched, EDGE_ETCHED, BF_RECT);
    EXPECT_TRUE(testsupport::MatchesGolden(b, "graphics_classic_look"));
}
