// The caret on the screen: inverted over the presented pixels while it blinks
// on, never in the window's own pixels, so painting need not know about it.
#include <SDL.h>

#include <vector>

#include "platform/backend/sdl/SdlBackend.h"

namespace backend {

void TSdlBackend::XorCaret(TSdlWindow& w, const TRegion& area)
{
    SDL_Surface* surface = SDL_GetWindowSurface(w.window);
    if (!surface || surface->format->BytesPerPixel != 4)
        return;
    Uint32 mask = surface->format->Rmask | surface->format->Gmask | surface->format->Bmask;
    TRegion inside = area;
    inside.Intersect(TRect{0, 0, surface->w, surface->h});
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    for (const TRect& r : inside.Rects())
        for (int y = r.Top; y < r.Bottom; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch);
            for (int x = r.Left; x < r.Right; ++x)
                row[x] ^= mask;
        }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
}

int TSdlBackend::MsUntilBlink() const
{
    if (!caretSeen_.owner)
        return -1;
    uint32_t period = ui::WindowManager().CaretBlinkTime();
    uint32_t elapsed = TickCount() - caretSeen_.since;
    return static_cast<int>(period - elapsed % period);
}

void TSdlBackend::UpdateCaret()
{
    ui::TWindowManager& wm = ui::WindowManager();
    ui::HWND owner = wm.CaretShown() && wm.IsWindow(wm.CaretOwner()) ? wm.CaretOwner() : nullptr;
    uint32_t now = TickCount();
    // A caret that appears, moves or changes shape starts its blink visible.
    if (owner != caretSeen_.owner || wm.CaretPos() != caretSeen_.pos || wm.CaretSize() != caretSeen_.size)
        caretSeen_ = {owner, wm.CaretPos(), wm.CaretSize(), now};

    TCaretDrawn want;
    bool on = owner && ((now - caretSeen_.since) / wm.CaretBlinkTime()) % 2 == 0;
    if (on) {
        ui::HWND top = owner->TopLevel();
        TPoint origin = owner->ClientOrigin() - top->WindowRect().TopLeft() + caretSeen_.pos;
        want.area = wm.CaretShape();
        want.area.Offset(origin.X, origin.Y);
        want.area.Intersect(owner->VisibleRegion(true));
        TSdlWindow* w = Find(top);
        if (w && w->shown && !want.area.IsEmpty())
            want.top = top;
        else
            want.area.Clear();
    }
    if (want.top == caretDrawn_.top && want.area == caretDrawn_.area)
        return;

    // Take the old caret off and put the new one on, showing only what changed.
    std::vector<std::pair<TSdlWindow*, TRegion>> changed;
    if (TSdlWindow* w = caretDrawn_.top ? Find(caretDrawn_.top) : nullptr) {
        XorCaret(*w, caretDrawn_.area);
        changed.emplace_back(w, caretDrawn_.area);
    }
    caretDrawn_ = want;
    if (TSdlWindow* w = want.top ? Find(want.top) : nullptr) {
        XorCaret(*w, want.area);
        changed.emplace_back(w, want.area);
    }
    for (auto& [w, area] : changed) {
        std::vector<SDL_Rect> rects;
        for (const TRect& r : area.Rects())
            rects.push_back(SDL_Rect{r.Left, r.Top, r.Width(), r.Height()});
        SDL_UpdateWindowSurfaceRects(w->window, rects.data(), static_cast<int>(rects.size()));
    }
}

}  // namespace backend
