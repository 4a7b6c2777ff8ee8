#pragma once

#include <algorithm>

// Points, sizes and rectangles: the value types every layer above painting
// measures with. A rectangle includes its left and top edges and excludes its
// right and bottom ones, so Rect(0, 0, 10, 10) covers 10 by 10 pixels.
namespace graphics {

struct TPoint {
    int X = 0;
    int Y = 0;

    constexpr bool operator==(const TPoint&) const = default;
    constexpr TPoint operator+(TPoint other) const { return {X + other.X, Y + other.Y}; }
    constexpr TPoint operator-(TPoint other) const { return {X - other.X, Y - other.Y}; }
};

struct TSize {
    int cx = 0;
    int cy = 0;

    constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    // Empty when it covers no pixel: zero or negative width or height.
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
// A rectangle from its top-left corner and its size.
constexpr TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

constexpr bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }
constexpr bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }

// The common part of two rectangles; false (and an all-zero result) when
// they share no pixel, as the classic call reports it.
inline bool IntersectRect(TRect& dest, const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) {
        dest = TRect{};
        return false;
    }
    dest = r;
    return true;
}

// The smallest rectangle holding both; an empty operand is ignored.
inline bool UnionRect(TRect& dest, const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        dest = b;
    else if (b.IsEmpty())
        dest = a;
    else
        dest = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom)};
    if (dest.IsEmpty()) {
        dest = TRect{};
        return false;
    }
    return true;
}

inline void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

// Grows the rectangle by dx on the left and right and dy on the top and
// bottom; negative amounts shrink it.
inline void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

constexpr TRect Offset(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }
constexpr TRect Inflate(TRect r, int dx, int dy) { return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy}; }
inline TRect Intersection(const TRect& a, const TRect& b)
{
    TRect r;
    IntersectRect(r, a, b);
    return r;
}

}  // namespace graphics
