#pragma once

#include <memory>

#include "platform/graphics/Types.h"

namespace backend {
struct TSnapshot;
}
namespace graphics {
class TBitmap;
}

namespace testsupport {

// A headless display's snapshot as a bitmap, for goldens and pixel checks:
// the whole of it, or the part `part` (in the snapshot's coordinates).
std::unique_ptr<graphics::TBitmap> SnapshotBitmap(const backend::TSnapshot& shot);
std::unique_ptr<graphics::TBitmap> SnapshotBitmap(const backend::TSnapshot& shot, const graphics::TRect& part);

}  // namespace testsupport
