#pragma once

#include "grid/view/CustomGrid.h"

namespace grid {

// The grid as forms use it: the published properties and events.
class TtsGrid : public TtsCustomGrid {
    CORE_CLASS(TtsGrid, TtsCustomGrid)

    explicit TtsGrid(core::TComponent* owner) : TtsCustomGrid(owner) {}
    static void Publish(core::PropertyList& list);
};

}  // namespace grid
