#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Forward.h"
#include "platform/core/Object.h"

namespace sys {

class RegistryHive;

// The roots of the registry. Each is a hive of its own: the current user's
// lives in the user's configuration folder, the others in the system folder
// (see HiveFile).
using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

// Access to one key of the registry at a time, as the classic registry
// object gives it.
//
// Key paths separate their parts with backslashes (double-byte characters
// whose second byte is a backslash stay whole); a path that starts with a
// backslash counts from the root, any other from the open key. While no key
// is open, values are read and written in the root itself. Names are matched
// without regard to ASCII case. Every change is written through at once.
//
// Queries answer false or an empty result for what is not there. Errors
// raise core::ERegistryException: "Unknown registry key %s" for a root that
// is not one of the four, "Failed to create key %s" when a key cannot be
// made, "Failed to set data for '%s'" when a value cannot be written,
// "Failed to get data for '%s'" for a value that is missing or too large for
// the buffer, and "Invalid data type for '%s'" for a value of another type.
class TRegistry : public core::TObject {
    CORE_CLASS(TRegistry, core::TObject)

    TRegistry();
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return root_; }
    // Closes the open key. Raises "Unknown registry key %s" for another value.
    void SetRootKey(HKEY root);
    // The open key's path from the root, without a leading backslash.
    const core::AnsiString& CurrentPath() const { return currentPath_; }
    bool HasCurrentKey() const { return currentKey_ != 0; }

    // Opens a key; with `canCreate` a missing one is made first. False when
    // the key is missing (and not to be made) or cannot be made.
    bool OpenKey(const core::AnsiString& key, bool canCreate);
    // Opens an existing key for reading only; writes through it fail.
    bool OpenKeyReadOnly(const core::AnsiString& key);
    // Makes a key and every missing parent; true on success, else raises.
    bool CreateKey(const core::AnsiString& key);
    void CloseKey();
    bool KeyExists(const core::AnsiString& key);
    // Removes a key with its subkeys and values; false when it is not there.
    bool DeleteKey(const core::AnsiString& key);
    bool HasSubKeys();
    // The names of the open key's subkeys and values, in order of creation.
    void GetKeyNames(core::TStrings& list);
    void GetValueNames(core::TStrings& list);

    bool ValueExists(const core::AnsiString& name);
    bool DeleteValue(const core::AnsiString& name);
    // False when there is no such value.
    bool GetDataInfo(const core::AnsiString& name, TRegDataInfo& info);
    // rdUnknown when there is no such value.
    TRegDataType GetDataType(const core::AnsiString& name);
    // -1 when there is no such value. A string counts its closing zero byte.
    int GetDataSize(const core::AnsiString& name);

    // A missing string value reads as empty text.
    core::AnsiString ReadString(const core::AnsiString& name);
    void WriteString(const core::AnsiString& name, const core::AnsiString& value);
    void WriteExpandString(const core::AnsiString& name, const core::AnsiString& value);
    int ReadInteger(const core::AnsiString& name);
    void WriteInteger(const core::AnsiString& name, int value);
    bool ReadBool(const core::AnsiString& name) { return ReadInteger(name) != 0; }
    void WriteBool(const core::AnsiString& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // Copies the value into `buffer` and answers how many bytes it took.
    int ReadBinaryData(const core::AnsiString& name, void* buffer, int bufferSize);
    // The whole value.
    std::string ReadBinaryData(const core::AnsiString& name);
    void WriteBinaryData(const core::AnsiString& name, const void* buffer, int size);

    // The four root names (upper case) and back; false for any other name.
    static bool RootKeyFromName(std::string_view name, HKEY& root);
    static core::AnsiString RootKeyName(HKEY root);
    // The file that keeps the hive of a root.
    static std::string HiveFile(HKEY root);

private:
    RegistryHive& Hive();
    // The key a path counts from, and the path's parts in UTF-8.
    int64_t BaseFor(const core::AnsiString& key) const;
    core::AnsiString PathAfter(const core::AnsiString& key) const;
    // The key that value operations act on.
    int64_t ValueKey() const { return currentKey_ ? currentKey_ : rootKeyId_; }
    void PutValue(const core::AnsiString& name, int type, std::string data);
    bool Lookup(const core::AnsiString& name, int& type, std::string& data);

    HKEY root_ = HKEY_CURRENT_USER;
    std::unique_ptr<RegistryHive> hive_;
    int64_t rootKeyId_;
    int64_t currentKey_ = 0;
    core::AnsiString currentPath_;
    bool readOnly_ = false;
};

}  // namespace sys
