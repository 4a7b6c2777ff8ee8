#pragma once

#include <memory>

#include "platform/core/Forward.h"
#include "platform/system/Registry.h"

namespace grid {

// Registry keys given as one path text. A path that begins with two
// backslashes names its root first: "\\HKEY_LOCAL_MACHINE\Software\Grid" is
// the key "\Software\Grid" under the local machine's root. Any other path is
// a key under the current user's root.

// Splits a path into its root and the key under it. A named root must be
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS
// (either case); for another name the answer is false and `rootName` holds
// it in upper case. The key keeps its leading backslash and is empty when
// the path names only the root.
bool ParseKeyPath(const core::AnsiString& path, sys::HKEY& root, core::AnsiString& rootName,
                  core::AnsiString& subKey);

// Opens the key a path names, creating it first when `create` is true and
// it is missing; nullptr when it cannot be opened. An unknown root raises
// core::ERegistryException "Unknown registry key %s"; a key that cannot be
// made raises the registry's own error.
std::unique_ptr<sys::TRegistry> OpenKeyPath(const core::AnsiString& path, bool create);

}  // namespace grid
