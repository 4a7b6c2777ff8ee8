#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/core/Object.h"

namespace core {

// The classes that form descriptions and component streams may name.
void RegisterClass(const TClass& cls);
void RegisterClasses(std::initializer_list<const TClass*> classes);
void UnregisterClass(const TClass& cls);
// The registered class of that name (case-insensitive), or nullptr.
const TClass* GetClass(std::string_view name);
// As GetClass, but raises EClassNotFound "Class %s not found".
const TClass& FindClass(std::string_view name);

}  // namespace core
