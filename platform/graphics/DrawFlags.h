#pragma once

// Flags of the canvas's text and edge drawing, with their classic values so
// that code written against the classic calls reads the same.
namespace graphics {

// DrawText: horizontal placement.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
// Vertical placement; only with DT_SINGLELINE.
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
// Break lines between words (and around Chinese characters) to fit the width.
constexpr unsigned DT_WORDBREAK = 0x0010;
// One line: carriage returns and line feeds do not break it.
constexpr unsigned DT_SINGLELINE = 0x0020;
// Tabs advance to the next multiple of eight average character widths.
constexpr unsigned DT_EXPANDTABS = 0x0040;
// Draw outside the rectangle too.
constexpr unsigned DT_NOCLIP = 0x0100;
// Measure only: set the rectangle's right and bottom to the text's extent.
constexpr unsigned DT_CALCRECT = 0x0400;
// "&" is an ordinary character; without the flag "&x" underlines x and "&&"
// shows one "&".
constexpr unsigned DT_NOPREFIX = 0x0800;
// A line too wide for the rectangle ends in "...".
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// DrawEdge: the two rings of an edge. The outer ring is the rectangle's own
// border, the inner one lies just inside it.
constexpr unsigned BDR_RAISEDOUTER = 0x0001;  // light top-left, dark shadow bottom-right
constexpr unsigned BDR_SUNKENOUTER = 0x0002;  // shadow top-left, highlight bottom-right
constexpr unsigned BDR_RAISEDINNER = 0x0004;  // highlight top-left, shadow bottom-right
constexpr unsigned BDR_SUNKENINNER = 0x0008;  // dark shadow top-left, light bottom-right
constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr unsigned BDR_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned BDR_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// DrawEdge: which sides, and how.
constexpr unsigned BF_LEFT = 0x0001;
constexpr unsigned BF_TOP = 0x0002;
constexpr unsigned BF_RIGHT = 0x0004;
constexpr unsigned BF_BOTTOM = 0x0008;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
// Fill what lies inside the edge with the button face colour.
constexpr unsigned BF_MIDDLE = 0x0800;
// Swap the two top-left colours, so the brightest line is outermost.
constexpr unsigned BF_SOFT = 0x1000;
// Shrink the rectangle to what lies inside the edge.
constexpr unsigned BF_ADJUST = 0x2000;
// A flat look: shadow-coloured outer ring, face-coloured inner ring.
constexpr unsigned BF_FLAT = 0x4000;
// A one-colour look: window-frame outer ring, window-coloured inner ring.
constexpr unsigned BF_MONO = 0x8000;

}  // namespace graphics
