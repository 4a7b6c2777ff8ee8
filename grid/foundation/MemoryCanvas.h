#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/graphics/Types.h"

namespace core {
class TObject;
}
namespace graphics {
class TBitmap;
class TCanvas;
}  // namespace graphics

namespace grid {

// An off-screen drawing buffer that controls share: a control paints into
// DC and copies the painted rectangle to the screen in one step.
//
// The buffer exists while at least one control is attached; it is as large
// as the largest control attached so far and never shrinks. Painting into
// it is guarded by a lock that is re-entrant for its holder: a control that
// paints another control while it holds the lock takes it again at once,
// and BusyElsewhere tells the inner control that the buffer is in use.
//
// The painting protocol: Lock with the control; Attach on the first paint
// and Resize on later ones; SetClip to the screen's clip box; paint into
// DC; copy the clip rectangle to the screen; Unlock, also when painting
// fails. A control that attached itself detaches once, inside the lock,
// when it no longer paints.
class TtsMemoryCanvas {
public:
    TtsMemoryCanvas();
    ~TtsMemoryCanvas();
    TtsMemoryCanvas(const TtsMemoryCanvas&) = delete;
    TtsMemoryCanvas& operator=(const TtsMemoryCanvas&) = delete;

    // The memory device context, drawing on the buffer; nullptr while there
    // is no buffer.
    graphics::TCanvas* DC() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int UserCount() const { return userCount_; }
    // The thread holding the lock (a default id when it is free) and the
    // control that took it last.
    std::thread::id LockThread() const { return lockThread_.load(); }
    const core::TObject* LockOwner() const;
    // How many holds the lock's thread has taken and not yet given back.
    int LockDepth() const { return static_cast<int>(owners_.size()); }

    // Makes the buffer (a context and bitmap compatible with `refDC`, which
    // may be nullptr for a colour one) when there is none, else grows it to
    // at least w by h; then counts one more user.
    void Attach(const graphics::TCanvas* refDC, int w, int h);
    // Grows the buffer to at least w by h with a new bitmap; it never
    // shrinks, and nothing happens while there is no buffer.
    void Resize(const graphics::TCanvas* refDC, int w, int h);
    // One user fewer; the last one frees the buffer.
    void Detach();
    void FreeBuffer();
    // Makes `rect` the clipping region of DC.
    void SetClip(const graphics::TRect& rect);

    // Waits for the lock, then records the calling thread and `control`.
    void Lock(const core::TObject* control);
    // Gives back the calling thread's last hold: after an inner hold the
    // outer holder is the owner again; the last hold frees the lock. A call
    // from a thread that holds nothing does nothing.
    void Unlock();
    // True when the calling thread holds the lock for another control: it is
    // already painting that control into this buffer.
    bool BusyElsewhere(const core::TObject* control) const;

private:
    void MakeBitmap(const graphics::TCanvas* refDC, int w, int h);

    std::unique_ptr<graphics::TCanvas> dc_;
    std::unique_ptr<graphics::TBitmap> bitmap_;
    int width_ = 0;
    int height_ = 0;
    int userCount_ = 0;
    std::recursive_mutex mutex_;
    std::atomic<std::thread::id> lockThread_{};
    // One entry per hold, the innermost last; touched only by the holder.
    std::vector<const core::TObject*> owners_;
};

// The two process-wide buffers: one for the grids, one for the in-cell
// controls. They live until the program ends.
TtsMemoryCanvas& GridMemoryCanvas();
TtsMemoryCanvas& ControlMemoryCanvas();

}  // namespace grid
