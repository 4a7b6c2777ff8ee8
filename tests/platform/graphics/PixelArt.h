#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

// Helpers of the canvas tests: pictures as rows of characters, and the
// red/green check of where a primitive may and may not paint.
namespace pixelart {

using graphics::TBitmap;
using graphics::TColor;
using graphics::TRect;

// One character per pixel through the legend; '?' for colours it lacks.
inline std::vector<std::string> Art(const TBitmap& bitmap, const std::map<TColor, char>& legend)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            auto found = legend.find(bitmap.Pixel(x, y));
            row += found == legend.end() ? '?' : found->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// A bitmap of `rows` drawn through the inverse of the legend.
inline void Paint(TBitmap& bitmap, const std::vector<std::string>& rows, const std::map<char, TColor>& legend)
{
    bitmap.SetSize(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, legend.at(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]));
}

// The red/green trick: pixels where the drawing must land are painted
// green, all others red; after drawing in any other colours, green left
// over is a pixel missed and red gone is a pixel painted that should not be.
struct RedGreen {
    int MissedGreen = 0;
    int SpoiledRed = 0;
};

template <typename MustLand, typename Draw>
RedGreen CheckRedGreen(TBitmap& bitmap, MustLand mustLand, Draw draw)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, mustLand(x, y) ? graphics::clLime : graphics::clRed);
    draw(*bitmap.Canvas());
    RedGreen result;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            TColor c = bitmap.Pixel(x, y);
            if (mustLand(x, y))
                result.MissedGreen += c == graphics::clLime;
            else
                result.SpoiledRed += c != graphics::clRed;
        }
    return result;
}

inline bool InRect(const TRect& r, int x, int y) { return r.Contains({x, y}); }
// On the one-pixel border of r.
inline bool OnBorder(const TRect& r, int x, int y)
{
    return r.Contains({x, y}) && (x == r.Left || y == r.Top || x == r.Right - 1 || y == r.Bottom - 1);
}

}  // namespace pixelart
