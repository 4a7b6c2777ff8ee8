#pragma once

#include <vector>

#include "platform/graphics/Types.h"

namespace graphics {

// How CombineRgn joins two regions.
enum TRegionCombine { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

// A set of pixels kept as non-overlapping rectangles: clip regions, update
// regions, visible parts of windows. Regions that matter here hold a handful
// of rectangles, so the operations favour plainness over speed.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& r);

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<TRect>& Rects() const { return rects_; }
    // The bounding box; an all-zero rectangle for an empty region.
    TRect ClipBox() const;
    bool Contains(TPoint p) const;
    // Whether any pixel of `r` lies in the region.
    bool Intersects(const TRect& r) const;
    // Same pixels, however they are cut into rectangles.
    bool operator==(const TRegion& other) const;

    void Clear() { rects_.clear(); }
    void Offset(int dx, int dy);
    void Union(const TRect& r);
    void Union(const TRegion& other);
    void Intersect(const TRect& r);
    void Intersect(const TRegion& other);
    void Subtract(const TRect& r);
    void Subtract(const TRegion& other);
    void Xor(const TRegion& other);

private:
    // Joins rectangles that continue each other, so that the same pixels
    // tend to keep the same few rectangles.
    void Merge();

    std::vector<TRect> rects_;
};

// The classic combination call: dest = a <op> b.
void CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, TRegionCombine op);

}  // namespace graphics
