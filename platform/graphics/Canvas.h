#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/DrawFlags.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/RasterOp.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"
#include "platform/graphics/Types.h"

namespace graphics {

class TBitmap;
class TFontInstance;
struct TTextMetric;

// Whether text and styled lines paint their background.
enum TBkMode { TRANSPARENT = 1, OPAQUE = 2 };

// The copy modes of CopyRect and Draw: ternary raster operations.
using TCopyMode = TRop3;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// GetPixel's answer for a point outside the surface.
constexpr TColor CLR_INVALID = -1;

// A device-context-like painter over a 32-bit pixel surface: a bitmap's
// pixels, or a window's part of its top-level back buffer, which the window
// manager attaches together with the window's visible region.
//
// Coordinates. Drawing calls take logical coordinates. Device coordinates
// are logical ones minus the window origin plus the viewport origin; the
// device origin is where device (0, 0) lies on the surface. Clip regions are
// kept in device coordinates, as the classic calls keep them; brush patterns
// and the focus rectangle's dots are aligned to device (0, 0).
//
// Conventions. Rectangles exclude their right and bottom edges; lines leave
// out their end point; colours go through ColorToRGB. Text is code-page
// (GBK) text. Text colour is the font's colour and the background colour the
// brush's; a change of brush sets the background mode (a solid brush:
// opaque, a clear or hatched one: transparent), and SetBkMode overrides it
// until the next change.
//
// On a monochrome surface colours become black or white by brightness, and
// bit-block copies convert between the two kinds: from colour, the source's
// background colour becomes white and everything else black; to colour,
// black becomes the text colour and white the background colour.
class TCanvas : public core::TPersistent {
    CORE_CLASS(TCanvas, core::TPersistent)

    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // ---- Surface ----------------------------------------------------------
    // Points the canvas at pixels. `visible`, in device coordinates, limits
    // drawing beyond any clip region the canvas's user selects.
    void Attach(const TSurface& surface, TPoint deviceOrigin = {}, const std::optional<TRegion>& visible = {});
    void Detach();
    bool HandleAllocated() const { return !surface_.IsNull(); }
    const TSurface& Surface() const { return surface_; }
    TPoint DeviceOrigin() const { return deviceOrigin_; }
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool value) { monochrome_ = value; }

    // ---- Tools ------------------------------------------------------------
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    TFont* Font() const { return font_.get(); }
    void SetPen(const TPen* value) { pen_->Assign(value); }
    void SetBrush(const TBrush* value) { brush_->Assign(value); }
    void SetFont(const TFont* value) { font_->Assign(value); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode value) { copyMode_ = value; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint value) { MoveTo(value.X, value.Y); }
    TBkMode BkMode() const { return bkMode_; }
    void SetBkMode(TBkMode value) { bkMode_ = value; }

    // ---- Drawing state ----------------------------------------------------
    // Saves tools, pen position, origins, clip region, modes; returns the
    // new depth (1 for the first save).
    int SaveDC();
    // Restores a saved state: a positive level names the depth SaveDC gave
    // (states above it are dropped), a negative one counts back from the
    // last (-1 is the last). False when there is no such state.
    bool RestoreDC(int level = -1);
    int SavedCount() const { return static_cast<int>(saved_.size()); }

    TPoint WindowOrg() const { return windowOrg_; }
    void SetWindowOrg(int x, int y) { windowOrg_ = {x, y}; }
    TPoint ViewportOrg() const { return viewportOrg_; }
    void SetViewportOrg(int x, int y) { viewportOrg_ = {x, y}; }
    // Moves what is drawn at logical (0, 0) by (dx, dy) device pixels.
    void MoveWindowOrg(int dx, int dy) { windowOrg_ = {windowOrg_.X - dx, windowOrg_.Y - dy}; }
    TPoint LPtoDP(TPoint p) const { return p - windowOrg_ + viewportOrg_; }
    TPoint DPtoLP(TPoint p) const { return p + windowOrg_ - viewportOrg_; }

    // ---- Clipping ---------------------------------------------------------
    // The bounding box of what can be drawn, in logical coordinates: the
    // clip region within the visible part of the surface.
    TRect ClipRect() const;
    TRect ClipBox() const { return ClipRect(); }
    void IntersectClipRect(const TRect& logical);
    void ExcludeClipRect(const TRect& logical);
    // Replaces the clip region by a copy of `deviceRegion`; nullptr removes it.
    void SelectClipRgn(const TRegion* deviceRegion);
    // The selected clip region in device coordinates; false when none is.
    bool GetClipRgn(TRegion& deviceRegion) const;
    bool PtVisible(TPoint logical) const;
    bool RectVisible(const TRect& logical) const;

    // ---- Pixels, lines and shapes -----------------------------------------
    // CLR_INVALID outside the surface.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), leaving out (x, y) itself.
    void LineTo(int x, int y);
    // Lines through the points; the last point is left out and the pen
    // position stays where it was.
    void Polyline(std::span<const TPoint> points);
    // A closed outline with the pen around an interior filled with the brush
    // (even-odd rule); every vertex is drawn.
    void Polygon(std::span<const TPoint> points);
    // Pen outline on the rectangle's border, brush inside. With a clear pen
    // only the brush is drawn, one pixel smaller on the right and bottom.
    // Wide pens draw inside the rectangle.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // The ellipse inside the rectangle: brush inside, a one-pixel pen outline.
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Brush fill of the rectangle; nothing with a clear brush.
    void FillRect(const TRect& r);
    // A one-pixel frame painted with the brush.
    void FrameRect(const TRect& r);
    void InvertRect(const TRect& r);
    // The brush combined with the destination by a raster operation.
    void PatBlt(const TRect& r, TRop3 rop);

    // ---- Text -------------------------------------------------------------
    TTextMetric TextMetrics() const;
    TSize TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    // Text with its top-left cell corner at (x, y); an opaque background
    // fills the text's cell. The pen position moves to the end of the text.
    void TextOut(int x, int y, std::string_view text);
    // Text at (x, y) clipped to `r`; an opaque background fills all of `r`.
    void TextRect(const TRect& r, int x, int y, std::string_view text);
    // Formatted text in a rectangle (DT_ flags); returns the text's height.
    // DT_CALCRECT only measures: right and bottom of `r` are set to the
    // extent of the text.
    int DrawText(std::string_view text, TRect& r, unsigned flags);

    // ---- Edges and marks --------------------------------------------------
    // The classic 3D edge (BDR_/EDGE_ and BF_ flags). Bottom and right lines
    // own the corners they share with top and left ones.
    void DrawEdge(TRect& r, unsigned edge, unsigned flags);
    // Inverts every other pixel of the rectangle's border (those whose
    // device x + y is even); drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& r);

    // ---- Bit-block copies -------------------------------------------------
    // Copies w by h pixels from `source` at (sx, sy) (its logical
    // coordinates) to (x, y), combined by `rop` with this canvas's brush and
    // pixels. Pixels outside the source surface are not copied.
    void BitBlt(int x, int y, int w, int h, const TCanvas& source, int sx, int sy, TRop3 rop);
    // As BitBlt, sampling the source rectangle to fill the destination one
    // (nearest pixel).
    void StretchBlt(const TRect& dest, const TCanvas& source, const TRect& sourceRect, TRop3 rop);
    // StretchBlt with the canvas's CopyMode.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    // A bitmap at (x, y): transparent bitmaps leave out their transparent
    // colour, others are copied with CopyMode.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    // Copies leaving out every pixel of colour `key`.
    void DrawTransparent(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect, TColor key);
    // Copies with every pixel of colour `key` replaced by the brush colour.
    void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect, TColor key);

private:
    struct State;
    struct BrushPaint;
    struct BlitSource;

    // Logical to surface coordinates.
    TPoint ToSurface(TPoint logical) const { return LPtoDP(logical) + deviceOrigin_; }
    TRect ToSurface(const TRect& logical) const;
    void UpdateClip();
    bool Visible(int sx, int sy) const;
    template <typename F>
    void ForEachClipped(const TRect& surfaceRect, F&& paint) const;

    TPixel DevicePixel(TColor color) const;
    TPixel MapToDevice(TPixel pixel) const;
    BrushPaint CurrentBrush() const;
    void FillSurfaceRect(const TRect& surfaceRect, const BrushPaint& brush, int ropTable);
    void FillColor(const TRect& logical, TColor color);
    void InvertSurfaceRect(const TRect& surfaceRect, bool everyOther);
    void PenPixel(int sx, int sy, TPixel color, int rop2);
    bool StyleOn();
    // A line with the pen; `width` 0 means the pen's own width.
    void DrawLine(TPoint from, TPoint to, int width = 0);
    // Draws one line of text with its cell's top-left at `cell` (surface
    // coordinates), optionally clipped; underlines the character starting at
    // byte `accelIndex`; tabs advance to multiples of `tabWidth` when it is
    // above 0. Returns the width drawn.
    int DrawTextRun(TPoint cell, std::string_view text, const TRect* clip, int accelIndex, int tabWidth);
    void Blit(const TRect& dest, const BlitSource& source, int ropTable);
    static BlitSource FromBitmap(const TBitmap& bitmap, const TRect& sourceRect);
    TFontInstance& FontInstance() const;

    TSurface surface_;
    TPoint deviceOrigin_;
    std::optional<TRegion> visible_;
    std::optional<TRegion> clip_;
    std::vector<TRect> clipRects_;  // what may be drawn, in surface coordinates
    bool monochrome_ = false;

    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TFont> font_;
    mutable TFontInstance* fontInstance_ = nullptr;  // resolved on first use after a font change
    TPoint penPos_;
    int styleStep_ = 0;
    TPoint windowOrg_;
    TPoint viewportOrg_;
    TBkMode bkMode_ = OPAQUE;
    TCopyMode copyMode_ = cmSrcCopy;
    std::vector<std::unique_ptr<State>> saved_;
};

// Saves a canvas's drawing state and restores it when leaving the scope.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas& canvas) : canvas_(canvas), level_(canvas.SaveDC()) {}
    ~TCanvasStateSaver() { canvas_.RestoreDC(level_); }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas& canvas_;
    int level_;
};

}  // namespace graphics
