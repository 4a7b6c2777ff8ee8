#pragma once

#include "platform/core/Event.h"
#include "platform/core/Persistent.h"

namespace graphics {

// The base of pens, brushes and fonts: a persistent value that tells its
// owner (a canvas, a control) when it changes, so the owner can repaint.
class TGraphicsObject : public core::TPersistent {
    CORE_CLASS(TGraphicsObject, core::TPersistent)

    core::TNotifyEvent OnChange;

protected:
    // Raises OnChange; setters call it only when a value really changed.
    void Changed() { OnChange(this); }
};

}  // namespace graphics
