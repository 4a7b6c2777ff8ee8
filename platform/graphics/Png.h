#pragma once

#include <string>

#include "platform/graphics/Surface.h"

namespace graphics {

class TBitmap;

// Snapshots as PNG files (8-bit RGB, no alpha), through libpng. Failures
// raise EInvalidGraphic with the file name and libpng's reason.
void SavePng(const TSurface& surface, const std::string& fileName);
void SavePng(const TBitmap& bitmap, const std::string& fileName);
// Replaces the bitmap with the picture (32-bit, alpha dropped).
void LoadPng(TBitmap& bitmap, const std::string& fileName);

}  // namespace graphics
