#include "platform/graphics/Region.h"

#include <algorithm>

namespace graphics {

namespace {

// The parts of `r` outside `cut`: at most four rectangles (the band above,
// the band below, and the pieces left and right between them).
void SubtractRect(const TRect& r, const TRect& cut, std::vector<TRect>& out)
{
    TRect common;
    if (!IntersectRect(common, r, cut)) {
        out.push_back(r);
        return;
    }
    if (r.Top < common.Top)
        out.push_back({r.Left, r.Top, r.Right, common.Top});
    if (common.Bottom < r.Bottom)
        out.push_back({r.Left, common.Bottom, r.Right, r.Bottom});
    if (r.Left < common.Left)
        out.push_back({r.Left, common.Top, common.Left, common.Bottom});
    if (common.Right < r.Right)
        out.push_back({common.Right, common.Top, r.Right, common.Bottom});
}

int64_t Area(const std::vector<TRect>& rects)
{
    int64_t area = 0;
    for (const TRect& r : rects)
        area += static_cast<int64_t>(r.Width()) * r.Height();
    return area;
}

}  // namespace

TRegion::TRegion(const TRect& r)
{
    if (!r.IsEmpty())
        rects_.push_back(r);
}

TRect TRegion::ClipBox() const
{
    TRect box;
    for (const TRect& r : rects_)
        UnionRect(box, box, r);
    return box;
}

bool TRegion::Contains(TPoint p) const
{
    return std::any_of(rects_.begin(), rects_.end(), [p](const TRect& r) { return r.Contains(p); });
}

bool TRegion::Intersects(const TRect& r) const
{
    TRect common;
    return std::any_of(rects_.begin(), rects_.end(), [&](const TRect& q) { return IntersectRect(common, q, r); });
}

bool TRegion::operator==(const TRegion& other) const
{
    // Equal sets have equal areas and nothing of one outside the other.
    if (Area(rects_) != Area(other.rects_))
        return false;
    TRegion rest = *this;
    rest.Subtract(other);
    return rest.IsEmpty();
}

void TRegion::Offset(int dx, int dy)
{
    for (TRect& r : rects_)
        OffsetRect(r, dx, dy);
}

void TRegion::Union(const TRect& r) { Union(TRegion(r)); }

void TRegion::Union(const TRegion& other)
{
    TRegion added = other;
    added.Subtract(*this);
    rects_.insert(rects_.end(), added.rects_.begin(), added.rects_.end());
    Merge();
}

void TRegion::Intersect(const TRect& r) { Intersect(TRegion(r)); }

void TRegion::Intersect(const TRegion& other)
{
    // Both sides are disjoint sets of rectangles, so the pairwise common
    // parts are disjoint as well.
    std::vector<TRect> result;
    TRect common;
    for (const TRect& a : rects_)
        for (const TRect& b : other.rects_)
            if (IntersectRect(common, a, b))
                result.push_back(common);
    rects_ = std::move(result);
    Merge();
}

void TRegion::Subtract(const TRect& r)
{
    if (r.IsEmpty())
        return;
    std::vector<TRect> result;
    for (const TRect& a : rects_)
        SubtractRect(a, r, result);
    rects_ = std::move(result);
    Merge();
}

void TRegion::Subtract(const TRegion& other)
{
    for (const TRect& r : other.rects_)
        Subtract(r);
}

void TRegion::Xor(const TRegion& other)
{
    TRegion onlyOther = other;
    onlyOther.Subtract(*this);
    Subtract(other);
    rects_.insert(rects_.end(), onlyOther.rects_.begin(), onlyOther.rects_.end());
    Merge();
}

void TRegion::Merge()
{
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < rects_.size() && !merged; ++i) {
            for (size_t j = i + 1; j < rects_.size(); ++j) {
                TRect& a = rects_[i];
                const TRect& b = rects_[j];
                bool sideBySide = a.Top == b.Top && a.Bottom == b.Bottom && (a.Right == b.Left || b.Right == a.Left);
                bool stacked = a.Left == b.Left && a.Right == b.Right && (a.Bottom == b.Top || b.Bottom == a.Top);
                if (sideBySide || stacked) {
                    UnionRect(a, a, b);
                    rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                    break;
                }
            }
        }
    }
    // A fixed order keeps drawing through the region deterministic.
    std::sort(rects_.begin(), rects_.end(), [](const TRect& a, const TRect& b) {
        return a.Top != b.Top ? a.Top < b.Top : a.Left < b.Left;
    });
}

void CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, TRegionCombine op)
{
    TRegion result = a;
    switch (op) {
    case RGN_AND:
        result.Intersect(b);
        break;
    case RGN_OR:
        result.Union(b);
        break;
    case RGN_XOR:
        result.Xor(b);
        break;
    case RGN_DIFF:
        result.Subtract(b);
        break;
    case RGN_COPY:
        break;
    }
    dest = std::move(result);
}

}  // namespace graphics
