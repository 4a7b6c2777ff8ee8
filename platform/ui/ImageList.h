#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Component.h"
#include "platform/graphics/Color.h"

namespace graphics {
class TBitmap;
class TCanvas;
}  // namespace graphics

namespace ui {

// A list of pictures of one size, drawn by index. Each picture has a mask
// saying which of its pixels are drawn; a disabled picture is drawn
// embossed: its dark pixels as a highlight shifted one pixel down and right
// under a shadow-coloured copy.
//
// The pictures live in memory only: a form description keeps the list's
// size and settings, and the program adds the pictures.
class TCustomImageList : public core::TComponent {
    CORE_CLASS(TCustomImageList, core::TComponent)

    explicit TCustomImageList(core::TComponent* owner);
    ~TCustomImageList() override;
    static void Publish(core::PropertyList& list);

    // Changing the size removes every picture.
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Count() const { return static_cast<int>(images_.size()); }
    // Without masks every pixel of a picture is drawn.
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    // Painted under the pictures' transparent pixels; clNone leaves them.
    graphics::TColor BkColor() const { return bkColor_; }
    void SetBkColor(graphics::TColor value);

    // Adds the pictures side by side in `image` (as many as its width
    // holds, at least one); `mask` marks transparent pixels white and drawn
    // ones black (nullptr: all drawn). Returns the index of the first.
    int Add(const graphics::TBitmap* image, const graphics::TBitmap* mask);
    // The same, with every pixel of `maskColor` transparent (clDefault: the
    // colour of the image's bottom-left pixel).
    int AddMasked(const graphics::TBitmap* image, graphics::TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws picture `index` with its top-left corner at (x, y); an index
    // outside the list draws nothing.
    void Draw(graphics::TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Sizes `image` to the pictures' size and draws picture `index` on it.
    void GetBitmap(int index, graphics::TBitmap* image) const;

    core::TNotifyEvent OnChange;

protected:
    void Changed();

private:
    struct TImage;
    void AddStrip(const graphics::TBitmap& image, const std::vector<uint8_t>& drawn);
    void DrawEmbossed(graphics::TCanvas& canvas, int x, int y, const TImage& image) const;

    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    graphics::TColor bkColor_ = graphics::clNone;
    std::vector<std::unique_ptr<TImage>> images_;
};

// The image list that form descriptions hold.
class TImageList : public TCustomImageList {
    CORE_CLASS(TImageList, TCustomImageList)

    explicit TImageList(core::TComponent* owner);
};

}  // namespace ui
