#pragma once

#include <gtest/gtest.h>

#include <string>

namespace graphics {
class TBitmap;
}

// Golden pictures for pixel tests.
//
//   EXPECT_TRUE(testsupport::MatchesGolden(bitmap, "graphics_song_text"));
//
// compares the bitmap, pixel for pixel (RGB), with tests/golden/<name>.png.
// On a mismatch it writes <name>.actual.png and <name>.diff.png (differing
// pixels red, the rest a faded copy of the golden) to golden-out/ in the
// build folder and names them in the failure message. With the environment
// variable UPDATE_GOLDENS=1 it writes the golden instead and passes; look at
// every golden it writes before committing it.
namespace testsupport {

::testing::AssertionResult MatchesGolden(const graphics::TBitmap& bitmap, const std::string& name);

// Where goldens live and where mismatches are written.
std::string GoldenPath(const std::string& name);
std::string GoldenOutputDir();

}  // namespace testsupport
