#pragma once

namespace ui {

class TControl;

// Watches a control across a call to its event handlers, which may free it
// (a button that removes its own row, an in-place editor closed by Escape);
// the control's destructor marks every watch on it so the caller stops
// touching it. Watches live on the stack and nest, newest first.
struct TFreeWatch {
    explicit TFreeWatch(const TControl* c) : control(c), next(watches) { watches = this; }
    ~TFreeWatch() { watches = next; }
    TFreeWatch(const TFreeWatch&) = delete;
    TFreeWatch& operator=(const TFreeWatch&) = delete;

    static inline TFreeWatch* watches = nullptr;
    const TControl* control;
    TFreeWatch* next;
    bool freed = false;
};

}  // namespace ui
