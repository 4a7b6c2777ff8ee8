#include "tests/support/Snapshot.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/graphics/Bitmap.h"

namespace testsupport {

std::unique_ptr<graphics::TBitmap> SnapshotBitmap(const backend::TSnapshot& shot)
{
    return SnapshotBitmap(shot, graphics::Bounds(0, 0, shot.Width, shot.Height));
}

std::unique_ptr<graphics::TBitmap> SnapshotBitmap(const backend::TSnapshot& shot, const graphics::TRect& part)
{
    auto bitmap = std::make_unique<graphics::TBitmap>(part.Width(), part.Height());
    for (int y = 0; y < part.Height(); ++y)
        for (int x = 0; x < part.Width(); ++x)
            bitmap->ScanLine(y)[x] = shot.At(part.Left + x, part.Top + y);
    return bitmap;
}

}  // namespace testsupport
