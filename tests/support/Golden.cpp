#include "tests/support/Golden.h"

#include <cstdlib>
#include <filesystem>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Png.h"

namespace testsupport {

namespace {

bool UpdateRequested()
{
    const char* value = std::getenv("UPDATE_GOLDENS");
    return value && std::string(value) == "1";
}

// The golden faded to a third of its contrast, with the differing pixels red.
void DiffImage(const graphics::TBitmap& actual, const graphics::TBitmap& golden, graphics::TBitmap& diff)
{
    int width = std::max(actual.Width(), golden.Width());
    int height = std::max(actual.Height(), golden.Height());
    diff.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            graphics::TColor a = actual.Pixel(x, y);
            graphics::TColor g = golden.Pixel(x, y);
            if (a != g) {
                diff.SetPixel(x, y, graphics::clRed);
                continue;
            }
            int grey = (graphics::GetRValue(g) + graphics::GetGValue(g) + graphics::GetBValue(g)) / 3;
            grey = 170 + grey / 3;
            diff.SetPixel(x, y, graphics::RGB(grey, grey, grey));
        }
}

}  // namespace

std::string GoldenPath(const std::string& name) { return std::string(ATS_SOURCE_DIR) + "/tests/golden/" + name + ".png"; }

std::string GoldenOutputDir() { return ATS_GOLDEN_OUT; }

::testing::AssertionResult MatchesGolden(const graphics::TBitmap& bitmap, const std::string& name)
{
    const std::string golden = GoldenPath(name);
    if (UpdateRequested()) {
        graphics::SavePng(bitmap, golden);
        return ::testing::AssertionSuccess() << "wrote " << golden;
    }
    std::filesystem::create_directories(GoldenOutputDir());
    const std::string actualPath = GoldenOutputDir() + "/" + name + ".actual.png";
    if (!std::filesystem::exists(golden)) {
        graphics::SavePng(bitmap, actualPath);
        return ::testing::AssertionFailure() << "no golden " << golden << "; the picture is in " << actualPath
                                             << " (run with UPDATE_GOLDENS=1 to accept it)";
    }
    graphics::TBitmap expected;
    graphics::LoadPng(expected, golden);
    int differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < std::max(bitmap.Height(), expected.Height()); ++y)
        for (int x = 0; x < std::max(bitmap.Width(), expected.Width()); ++x)
            if (bitmap.Pixel(x, y) != expected.Pixel(x, y)) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    const std::string diffPath = GoldenOutputDir() + "/" + name + ".diff.png";
    graphics::SavePng(bitmap, actualPath);
    graphics::TBitmap diff;
    DiffImage(bitmap, expected, diff);
    graphics::SavePng(diff, diffPath);
    return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ (first at " << firstX << ","
                                         << firstY << "; size " << bitmap.Width() << "x" << bitmap.Height()
                                         << " against " << expected.Width() << "x" << expected.Height()
                                         << "); actual " << actualPath << ", difference " << diffPath;
}

}  // namespace testsupport
