#include "platform/system/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"

namespace sys {

namespace {

// A variable's value when it is set to an absolute path, else empty.
std::string AbsoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return value;
    return {};
}

}  // namespace

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    throw core::EOSError("The home folder of the current user is unknown");
}

std::string XdgDataHome()
{
    std::string path = AbsoluteFromEnvironment("XDG_DATA_HOME");
    return path.empty() ? JoinPath(HomeDirectory(), ".local/share") : path;
}

std::string XdgConfigHome()
{
    std::string path = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
    return path.empty() ? JoinPath(HomeDirectory(), ".config") : path;
}

std::string AppDataDirectory()
{
    return JoinPath(XdgDataHome(), AppFolderName);
}

std::string AppConfigDirectory()
{
    return JoinPath(XdgConfigHome(), AppFolderName);
}

std::string SystemRegistryDirectory()
{
    std::string path = AbsoluteFromEnvironment("ACCOUNT_TOOL_SYSTEM_REGISTRY");
    return path.empty() ? std::string("/var/lib/account-tool/registry") : path;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    size_t start = name.find_first_not_of('/');
    if (start == std::string::npos)
        return path;
    return path + (path == "/" ? "" : "/") + name.substr(start);
}

bool FileExists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

void ForceDirectories(const std::string& path, mode_t mode)
{
    // Walk the path from the top so that every missing parent is made in turn.
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) {
            int error = errno;
            throw core::EOSError("Cannot create folder %s: %s", core::Utf8ToAnsi(part),
                                 core::Utf8ToAnsi(std::strerror(error)));
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw core::EOSError("Cannot create folder %s", core::Utf8ToAnsi(path));
}

}  // namespace sys
