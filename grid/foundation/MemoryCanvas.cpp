#include "grid/foundation/MemoryCanvas.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Region.h"

namespace grid {

TtsMemoryCanvas::TtsMemoryCanvas() = default;

TtsMemoryCanvas::~TtsMemoryCanvas()
{
    FreeBuffer();
}

const core::TObject* TtsMemoryCanvas::LockOwner() const
{
    // Only the holder changes the list, so only the holder may read it.
    if (lockThread_.load() != std::this_thread::get_id() || owners_.empty())
        return nullptr;
    return owners_.back();
}

void TtsMemoryCanvas::MakeBitmap(const graphics::TCanvas* refDC, int w, int h)
{
    auto bitmap = std::make_unique<graphics::TBitmap>(std::max(w, 0), std::max(h, 0));
    if (refDC && refDC->Monochrome())
        bitmap->SetMonochrome(true);
    dc_->SetMonochrome(bitmap->Monochrome());
    // The new bitmap replaces the old one in the context; the old one goes.
    dc_->Attach(bitmap->Surface());
    bitmap_ = std::move(bitmap);
    width_ = std::max(w, 0);
    height_ = std::max(h, 0);
}

void TtsMemoryCanvas::Attach(const graphics::TCanvas* refDC, int w, int h)
{
    if (!dc_) {
        dc_ = std::make_unique<graphics::TCanvas>();
        MakeBitmap(refDC, w, h);
    } else if (width_ < w || height_ < h) {
        Resize(refDC, w, h);
    }
    ++userCount_;
}

void TtsMemoryCanvas::Resize(const graphics::TCanvas* refDC, int w, int h)
{
    if (!dc_ || (width_ >= w && height_ >= h))
        return;
    MakeBitmap(refDC, std::max(width_, w), std::max(height_, h));
}

void TtsMemoryCanvas::Detach()
{
    if (userCount_ <= 0)
        return;
    if (--userCount_ == 0)
        FreeBuffer();
}

void TtsMemoryCanvas::FreeBuffer()
{
    if (!dc_)
        return;
    dc_->Detach();
    dc_.reset();
    bitmap_.reset();
    width_ = 0;
    height_ = 0;
}

void TtsMemoryCanvas::SetClip(const graphics::TRect& rect)
{
    if (!dc_)
        return;
    graphics::TRegion region(rect);
    dc_->SelectClipRgn(&region);
}

void TtsMemoryCanvas::Lock(const core::TObject* control)
{
    mutex_.lock();
    lockThread_.store(std::this_thread::get_id());
    owners_.push_back(control);
}

void TtsMemoryCanvas::Unlock()
{
    if (lockThread_.load() != std::this_thread::get_id() || owners_.empty())
        return;
    owners_.pop_back();
    if (owners_.empty())
        lockThread_.store(std::thread::id());
    mutex_.unlock();
}

bool TtsMemoryCanvas::BusyElsewhere(const core::TObject* control) const
{
    return lockThread_.load() == std::this_thread::get_id() && !owners_.empty() && owners_.back() != control;
}

TtsMemoryCanvas& GridMemoryCanvas()
{
    static TtsMemoryCanvas canvas;
    return canvas;
}

TtsMemoryCanvas& ControlMemoryCanvas()
{
    static TtsMemoryCanvas canvas;
    return canvas;
}

}  // namespace grid
