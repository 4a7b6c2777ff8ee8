#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/core/Forward.h"

namespace filing {

// Form descriptions compiled into the program. The build helper
// ats_embed_forms(target files...) turns each description file (text or
// binary) into bytes in the program that register themselves at start-up
// under the file's name without extension.
void RegisterFormResource(const char* name, const unsigned char* data, size_t size);

// The description registered under `name` (the file name without extension)
// or whose root object is of class `name`, both without regard to case.
std::optional<std::string_view> FindFormResource(std::string_view name);

// Fills a window being created from the descriptions compiled in for its
// class: the first of its classes (from TComponent down) that has one, then
// each derived class's (an inherited description changes what its ancestor's
// set up). Returns false when none of its classes has a description.
bool InitInheritedComponent(core::TComponent& instance);

}  // namespace filing
