#include "grid/foundation/RegistryKeyPath.h"

#include "grid/foundation/MultiByteText.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace grid {

bool ParseKeyPath(const core::AnsiString& path, sys::HKEY& root, core::AnsiString& rootName,
                  core::AnsiString& subKey)
{
    root = sys::HKEY_CURRENT_USER;
    rootName.clear();
    if (path.size() < 2 || path[0] != '\\' || path[1] != '\\') {
        subKey = path;
        return true;
    }
    // The root's name ends at the next backslash that is a character of its
    // own, not the second byte of a double-byte character.
    std::string_view rest = std::string_view(path).substr(2);
    int end = FindChar(rest, '\\', static_cast<int>(rest.size()));
    size_t nameLength = end < 0 ? rest.size() : static_cast<size_t>(end);
    rootName = core::UpperCase(rest.substr(0, nameLength));
    subKey = core::AnsiString(rest.substr(nameLength));
    return sys::TRegistry::RootKeyFromName(rootName, root);
}

std::unique_ptr<sys::TRegistry> OpenKeyPath(const core::AnsiString& path, bool create)
{
    sys::HKEY root;
    core::AnsiString rootName, subKey;
    if (!ParseKeyPath(path, root, rootName, subKey))
        throw core::ERegistryException("Unknown registry key %s", rootName);
    auto registry = std::make_unique<sys::TRegistry>();
    registry->SetRootKey(root);
    if (subKey.empty())
        subKey.push_back('\\');
    if (create && !registry->KeyExists(subKey))
        registry->CreateKey(subKey);
    if (!registry->OpenKey(subKey, false))
        return nullptr;
    return registry;
}

}  // namespace grid
