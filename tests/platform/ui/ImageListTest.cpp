#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/ImageList.h"

using namespace ui;
using namespace graphics;

namespace {

// Two 4 by 4 pictures side by side on a fuchsia ground: the first a black
// diagonal, the second a white top row over a red bottom row.
std::unique_ptr<TBitmap> Strip()
{
    auto strip = std::make_unique<TBitmap>(8, 4);
    strip->Canvas()->Brush()->SetColor(clFuchsia);
    strip->Canvas()->FillRect({0, 0, 8, 4});
    for (int i = 0; i < 4; ++i) {
        strip->SetPixel(i, i, clBlack);
        strip->SetPixel(4 + i, 0, clWhite);
        strip->SetPixel(4 + i, 3, clRed);
    }
    return strip;
}

// A canvas-backed picture filled with one colour.
std::unique_ptr<TBitmap> Ground(TColor color)
{
    auto ground = std::make_unique<TBitmap>(10, 10);
    ground->Canvas()->Brush()->SetColor(color);
    ground->Canvas()->FillRect({0, 0, 10, 10});
    return ground;
}

}  // namespace

TEST(ImageListTest, AddMaskedSplitsTheStripAndDrawsOnlyOpaquePixels)
{
    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    int changes = 0;
    images.OnChange = [&](core::TObject*) { ++changes; };
    auto strip = Strip();
    EXPECT_EQ(images.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(changes, 1);

    auto ground = Ground(clBlue);
    images.Draw(ground->Canvas(), 3, 2, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool onDiagonal = x - 3 == y - 2 && x >= 3 && x < 7;
            EXPECT_EQ(ground->Pixel(x, y), onDiagonal ? clBlack : clBlue) << x << "," << y;
        }

    images.Draw(ground->Canvas(), 0, 6, 1);
    EXPECT_EQ(ground->Pixel(0, 6), clWhite);
    EXPECT_EQ(ground->Pixel(3, 9), clRed);
    EXPECT_EQ(ground->Pixel(1, 7), clBlue) << "fuchsia stays out";

    // Out of range draws nothing; clDefault takes the bottom-left colour.
    auto before = Ground(clBlue);
    images.Draw(before->Canvas(), 0, 0, 2);
    images.Draw(before->Canvas(), 0, 0, -1);
    EXPECT_EQ(before->Pixel(0, 0), clBlue);
    EXPECT_EQ(images.AddMasked(strip.get(), clDefault), 2);
    EXPECT_EQ(images.Count(), 4);
}

TEST(ImageListTest, AMaskBitmapMarksTransparentPixelsWhite)
{
    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    auto strip = Strip();
    TBitmap mask(8, 4);  // white: nothing drawn
    mask.SetPixel(1, 1, clBlack);
    mask.SetPixel(2, 0, clBlack);
    images.Add(strip.get(), &mask);
    auto ground = Ground(clBlue);
    images.Draw(ground->Canvas(), 0, 0, 0);
    EXPECT_EQ(ground->Pixel(1, 1), clBlack);
    EXPECT_EQ(ground->Pixel(2, 0), clFuchsia);
    EXPECT_EQ(ground->Pixel(0, 0), clBlue);

    // Without masking, every pixel is drawn; a background colour fills
    // transparent ones.
    images.SetMasked(false);
    images.Draw(ground->Canvas(), 0, 0, 0);
    EXPECT_EQ(ground->Pixel(0, 1), clFuchsia);
    images.SetMasked(true);
    images.SetBkColor(clLime);
    images.Draw(ground->Canvas(), 5, 5, 0);
    EXPECT_EQ(ground->Pixel(5, 5), clLime);
    EXPECT_EQ(ground->Pixel(6, 6), clBlack);

    // No mask: all drawn.
    images.Add(strip.get(), nullptr);
    auto plain = Ground(clBlue);
    images.Draw(plain->Canvas(), 0, 0, 2);
    EXPECT_EQ(plain->Pixel(1, 0), clFuchsia);
}

TEST(ImageListTest, DisabledPicturesAreEmbossed)
{
    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    auto strip = Strip();
    images.AddMasked(strip.get(), clFuchsia);
    auto ground = Ground(clBlue);
    images.Draw(ground->Canvas(), 2, 2, 0, false);
    TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    // The dark diagonal shows in shadow colour, with a highlight copy one
    // pixel down and right that the shadow covers except at the end.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ground->Pixel(2 + i, 2 + i), shadow) << i;
    EXPECT_EQ(ground->Pixel(6, 6), highlight);
    EXPECT_EQ(ground->Pixel(3, 2), clBlue);

    // Light pixels vanish: the white row draws nothing, the red row (dark
    // by brightness) shows.
    auto second = Ground(clBlue);
    images.Draw(second->Canvas(), 0, 0, 1, false);
    EXPECT_EQ(second->Pixel(1, 0), clBlue);
    EXPECT_EQ(second->Pixel(1, 3), shadow);
}

TEST(ImageListTest, DeleteClearResizeAndGetBitmap)
{
    TImageList images(nullptr);
    EXPECT_EQ(images.Width(), 16);
    EXPECT_EQ(images.Height(), 16);
    images.SetWidth(4);
    images.SetHeight(4);
    auto strip = Strip();
    images.AddMasked(strip.get(), clFuchsia);
    images.Delete(0);
    EXPECT_EQ(images.Count(), 1);
    EXPECT_THROW(images.Delete(1), core::EListError);

    TBitmap copy;
    images.GetBitmap(0, &copy);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Height(), 4);
    EXPECT_EQ(copy.Pixel(2, 0), clWhite);
    EXPECT_EQ(copy.Pixel(2, 3), clRed);

    images.SetWidth(8);
    EXPECT_EQ(images.Count(), 0) << "a new size drops the pictures";
    images.AddMasked(strip.get(), clFuchsia);
    EXPECT_EQ(images.Count(), 1);
    images.Clear();
    EXPECT_EQ(images.Count(), 0);

    // A picture narrower than the list still makes one image.
    TBitmap narrow(2, 2);
    EXPECT_EQ(images.Add(&narrow, nullptr), 0);
    EXPECT_EQ(images.Count(), 1);
    EXPECT_THROW(images.Add(nullptr, nullptr), core::EInvalidOperation);
}
