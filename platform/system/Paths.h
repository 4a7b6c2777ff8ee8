#pragma once

#include <string>
#include <sys/types.h>

// Where the tool keeps its files. Paths are file-system names (UTF-8), not
// text of the active code page.
namespace sys {

// The tool's own subfolder name inside the XDG folders.
inline constexpr const char* AppFolderName = "account-tool";

// The user's home folder: $HOME, else the password database's entry.
std::string HomeDirectory();

// The XDG base folders: the variable when it holds an absolute path (the
// rules say relative ones are to be ignored), else the documented default
// under the home folder.
std::string XdgDataHome();
std::string XdgConfigHome();

// The tool's folders inside them (not created here).
std::string AppDataDirectory();
std::string AppConfigDirectory();

// The folder of the registry hives that do not belong to the current user:
// $ACCOUNT_TOOL_SYSTEM_REGISTRY when set, else a folder under /var/lib.
std::string SystemRegistryDirectory();

// Joins two path parts with exactly one slash between them.
std::string JoinPath(const std::string& folder, const std::string& name);

bool FileExists(const std::string& path);

// Creates the folder and any missing parents with the given mode; raises
// core::EOSError naming the folder and the system's reason when it cannot.
void ForceDirectories(const std::string& path, mode_t mode = 0700);

}  // namespace sys
