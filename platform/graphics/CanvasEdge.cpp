// 3D edges and focus rectangles.
//
// An edge is two rings, each a top-left and a bottom-right colour:
//              top-left                 bottom-right
//   raised outer  3D light (soft: highlight)  3D dark shadow
//   sunken outer  shadow (soft: dark shadow)  highlight
//   raised inner  highlight (soft: 3D light)  shadow
//   sunken inner  dark shadow (soft: shadow)  3D light
// so EDGE_RAISED on a button face shows white inside a black and grey
// shadow, and EDGE_SUNKEN the reverse. BF_FLAT and BF_MONO replace the
// colours with plain ones.
#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasPrivate.h"

namespace graphics {

namespace {

struct Ring {
    bool Present = false;
    TColor TopLeft = clBlack;
    TColor BottomRight = clBlack;
};

Ring OuterRing(unsigned edge, unsigned flags)
{
    Ring ring;
    ring.Present = (edge & BDR_OUTER) != 0;
    bool soft = (flags & BF_SOFT) != 0;
    if (flags & BF_MONO)
        ring.TopLeft = ring.BottomRight = clWindowFrame;
    else if (flags & BF_FLAT)
        ring.TopLeft = ring.BottomRight = clBtnShadow;
    else if (edge & BDR_RAISEDOUTER)
        ring = {true, soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    else
        ring = {ring.Present, soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
    return ring;
}

Ring InnerRing(unsigned edge, unsigned flags)
{
    Ring ring;
    ring.Present = (edge & BDR_INNER) != 0;
    bool soft = (flags & BF_SOFT) != 0;
    if (flags & BF_MONO)
        ring.TopLeft = ring.BottomRight = clWindow;
    else if (flags & BF_FLAT)
        ring.TopLeft = ring.BottomRight = clBtnFace;
    else if (edge & BDR_RAISEDINNER)
        ring = {true, soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    else
        ring = {ring.Present, soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
    return ring;
}

}  // namespace

void TCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags)
{
    bool left = flags & BF_LEFT;
    bool top = flags & BF_TOP;
    bool right = flags & BF_RIGHT;
    bool bottom = flags & BF_BOTTOM;
    TRect rc = r;
    for (const Ring& ring : {OuterRing(edge, flags), InnerRing(edge, flags)}) {
        if (!ring.Present || rc.IsEmpty())
            continue;
        // The bottom and right lines own the corners they share with the
        // top and left ones.
        if (top)
            FillColor({rc.Left, rc.Top, rc.Right - (right ? 1 : 0), rc.Top + 1}, ring.TopLeft);
        if (left)
            FillColor({rc.Left, rc.Top, rc.Left + 1, rc.Bottom - (bottom ? 1 : 0)}, ring.TopLeft);
        if (right)
            FillColor({rc.Right - 1, rc.Top, rc.Right, rc.Bottom}, ring.BottomRight);
        if (bottom)
            FillColor({rc.Left, rc.Bottom - 1, rc.Right, rc.Bottom}, ring.BottomRight);
        rc = {rc.Left + (left ? 1 : 0), rc.Top + (top ? 1 : 0), rc.Right - (right ? 1 : 0),
              rc.Bottom - (bottom ? 1 : 0)};
    }
    if ((flags & BF_MIDDLE) && !rc.IsEmpty())
        FillColor(rc, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST)
        r = rc;
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    TRect s = ToSurface(r);
    InvertSurfaceRect({s.Left, s.Top, s.Right, s.Top + 1}, true);
    if (s.Height() > 1)
        InvertSurfaceRect({s.Left, s.Bottom - 1, s.Right, s.Bottom}, true);
    InvertSurfaceRect({s.Left, s.Top + 1, s.Left + 1, s.Bottom - 1}, true);
    if (s.Width() > 1)
        InvertSurfaceRect({s.Right - 1, s.Top + 1, s.Right, s.Bottom - 1}, true);
}

}  // namespace graphics
