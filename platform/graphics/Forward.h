#pragma once

// Forward declarations of the painting library's types, so that headers of
// other layers include little.
namespace graphics {

struct TPoint;
struct TSize;
struct TRect;
struct TSurface;
class TRegion;
class TPen;
class TBrush;
class TFont;
class TCanvas;
class TBitmap;
class TFontInstance;
class TFontEngine;
struct TTextMetric;
using TColor = int;

}  // namespace graphics
