#include "platform/system/Registry.h"

#include <cstring>
#include <vector>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StringList.h"
#include "platform/core/StrUtils.h"
#include "platform/system/Paths.h"
#include "platform/system/RegistryHive.h"

namespace sys {

using core::AnsiString;
using core::ERegistryException;

namespace {

struct RootInfo {
    HKEY Key;
    const char* Name;
    const char* File;  // the hive's file name
};

constexpr RootInfo Roots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "classes_root.db"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "registry.db"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "local_machine.db"},
    {HKEY_USERS, "HKEY_USERS", "users.db"},
};

const RootInfo* FindRoot(HKEY root)
{
    for (const RootInfo& info : Roots)
        if (info.Key == root)
            return &info;
    return nullptr;
}

AnsiString HexName(HKEY root)
{
    return core::Format("%.8X", static_cast<int64_t>(root));
}

// The parts of a key path in UTF-8. A backslash that is the second byte of a
// double-byte character belongs to that character; empty parts are dropped.
std::vector<std::string> SplitPath(const AnsiString& path)
{
    std::vector<std::string> parts;
    AnsiString part;
    for (size_t i = 0; i < path.size(); ++i) {
        if (core::IsLeadByte(path[i]) && i + 1 < path.size()) {
            part += path.substr(i, 2);
            ++i;
        } else if (path[i] == '\\') {
            if (!part.empty())
                parts.push_back(core::AnsiToUtf8(part));
            part.clear();
        } else {
            part += path[i];
        }
    }
    if (!part.empty())
        parts.push_back(core::AnsiToUtf8(part));
    return parts;
}

AnsiString JoinParts(const std::vector<std::string>& parts)
{
    AnsiString path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "\\") + core::Utf8ToAnsi(part);
    return path;
}

std::string IntegerBytes(int value)
{
    auto bits = static_cast<uint32_t>(value);
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

TRegDataType DataType(int type)
{
    return type >= rdString && type <= rdBinary ? static_cast<TRegDataType>(type) : rdUnknown;
}

// Reads of a hive that fail (a damaged or unreadable file) raise the
// registry's own exception with SQLite's reason.
template <typename F>
auto Guarded(F&& operation)
{
    try {
        return operation();
    } catch (const core::EDatabaseError& error) {
        throw ERegistryException(error.Message());
    }
}

}  // namespace

CORE_CLASS_IMPL(TRegistry)

TRegistry::TRegistry() : rootKeyId_(RegistryHive::RootId) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY root)
{
    if (!FindRoot(root))
        throw ERegistryException("Unknown registry key %s", HexName(root));
    if (root != root_) {
        CloseKey();
        hive_.reset();
        root_ = root;
    }
}

bool TRegistry::RootKeyFromName(std::string_view name, HKEY& root)
{
    for (const RootInfo& info : Roots)
        if (core::SameText(name, info.Name)) {
            root = info.Key;
            return true;
        }
    return false;
}

AnsiString TRegistry::RootKeyName(HKEY root)
{
    const RootInfo* info = FindRoot(root);
    return info ? AnsiString(info->Name) : HexName(root);
}

std::string TRegistry::HiveFile(HKEY root)
{
    const RootInfo* info = FindRoot(root);
    if (!info)
        throw ERegistryException("Unknown registry key %s", HexName(root));
    std::string folder = root == HKEY_CURRENT_USER ? AppConfigDirectory() : SystemRegistryDirectory();
    return JoinPath(folder, info->File);
}

RegistryHive& TRegistry::Hive()
{
    if (!hive_)
        hive_ = std::make_unique<RegistryHive>(HiveFile(root_));
    return *hive_;
}

int64_t TRegistry::BaseFor(const AnsiString& key) const
{
    bool absolute = !key.empty() && key[0] == '\\';
    return absolute || !currentKey_ ? rootKeyId_ : currentKey_;
}

AnsiString TRegistry::PathAfter(const AnsiString& key) const
{
    std::vector<std::string> parts;
    if (BaseFor(key) != rootKeyId_)
        parts = SplitPath(currentPath_);
    for (std::string& part : SplitPath(key))
        parts.push_back(std::move(part));
    return JoinParts(parts);
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate)
{
    int64_t found = 0;
    try {
        if (canCreate)
            found = Hive().CreateKey(BaseFor(key), SplitPath(key));
        else
            found = Hive().FindKey(BaseFor(key), SplitPath(key));
    } catch (const core::Exception&) {
        // A hive that cannot be read or written has no key to open.
        return false;
    }
    if (!found)
        return false;
    currentPath_ = PathAfter(key);
    currentKey_ = found;
    readOnly_ = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& key)
{
    if (!OpenKey(key, false))
        return false;
    readOnly_ = true;
    return true;
}

bool TRegistry::CreateKey(const AnsiString& key)
{
    try {
        Hive().CreateKey(BaseFor(key), SplitPath(key));
    } catch (const core::Exception&) {
        throw ERegistryException("Failed to create key %s", key);
    }
    return true;
}

void TRegistry::CloseKey()
{
    currentKey_ = 0;
    currentPath_.clear();
    readOnly_ = false;
}

bool TRegistry::KeyExists(const AnsiString& key)
{
    return Guarded([&] { return Hive().FindKey(BaseFor(key), SplitPath(key)) != 0; });
}

bool TRegistry::DeleteKey(const AnsiString& key)
{
    if (readOnly_)
        return false;
    return Guarded([&] {
        int64_t found = Hive().FindKey(BaseFor(key), SplitPath(key));
        return found && Hive().DeleteKey(found);
    });
}

bool TRegistry::HasSubKeys()
{
    return Guarded([&] { return !Hive().SubKeyNames(ValueKey()).empty(); });
}

void TRegistry::GetKeyNames(core::TStrings& list)
{
    list.Clear();
    for (const std::string& name : Guarded([&] { return Hive().SubKeyNames(ValueKey()); }))
        list.Add(core::Utf8ToAnsi(name));
}

void TRegistry::GetValueNames(core::TStrings& list)
{
    list.Clear();
    for (const std::string& name : Guarded([&] { return Hive().ValueNames(ValueKey()); }))
        list.Add(core::Utf8ToAnsi(name));
}

bool TRegistry::Lookup(const AnsiString& name, int& type, std::string& data)
{
    auto value = Guarded([&] { return Hive().GetValue(ValueKey(), core::AnsiToUtf8(name)); });
    if (!value)
        return false;
    type = value->Type;
    data = std::move(value->Data);
    return true;
}

bool TRegistry::ValueExists(const AnsiString& name)
{
    int type;
    std::string data;
    return Lookup(name, type, data);
}

bool TRegistry::DeleteValue(const AnsiString& name)
{
    if (readOnly_)
        return false;
    return Guarded([&] { return Hive().DeleteValue(ValueKey(), core::AnsiToUtf8(name)); });
}

bool TRegistry::GetDataInfo(const AnsiString& name, TRegDataInfo& info)
{
    int type;
    std::string data;
    if (!Lookup(name, type, data)) {
        info = TRegDataInfo();
        return false;
    }
    info.RegData = DataType(type);
    // Strings are kept in UTF-8; their size is that of the text here plus
    // the closing zero the classic registry counts.
    bool text = info.RegData == rdString || info.RegData == rdExpandString;
    info.DataSize = static_cast<int>(text ? core::Utf8ToAnsi(data).size() + 1 : data.size());
    return true;
}

TRegDataType TRegistry::GetDataType(const AnsiString& name)
{
    TRegDataInfo info;
    GetDataInfo(name, info);
    return info.RegData;
}

int TRegistry::GetDataSize(const AnsiString& name)
{
    TRegDataInfo info;
    return GetDataInfo(name, info) ? info.DataSize : -1;
}

void TRegistry::PutValue(const AnsiString& name, int type, std::string data)
{
    if (readOnly_)
        throw ERegistryException("Failed to set data for '%s'", name);
    try {
        Hive().SetValue(ValueKey(), core::AnsiToUtf8(name), RegistryHive::Value{type, std::move(data)});
    } catch (const core::Exception&) {
        throw ERegistryException("Failed to set data for '%s'", name);
    }
}

AnsiString TRegistry::ReadString(const AnsiString& name)
{
    int type;
    std::string data;
    if (!Lookup(name, type, data))
        return {};
    if (type != rdString && type != rdExpandString)
        throw ERegistryException("Invalid data type for '%s'", name);
    return core::Utf8ToAnsi(data);
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value)
{
    PutValue(name, rdString, core::AnsiToUtf8(value));
}

void TRegistry::WriteExpandString(const AnsiString& name, const AnsiString& value)
{
    PutValue(name, rdExpandString, core::AnsiToUtf8(value));
}

int TRegistry::ReadInteger(const AnsiString& name)
{
    int type;
    std::string data;
    if (!Lookup(name, type, data))
        throw ERegistryException("Failed to get data for '%s'", name);
    if (type != rdInteger || data.size() != 4)
        throw ERegistryException("Invalid data type for '%s'", name);
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<uint8_t>(data[static_cast<size_t>(i)]);
    return static_cast<int>(bits);
}

void TRegistry::WriteInteger(const AnsiString& name, int value)
{
    PutValue(name, rdInteger, IntegerBytes(value));
}

std::string TRegistry::ReadBinaryData(const AnsiString& name)
{
    int type;
    std::string data;
    if (!Lookup(name, type, data))
        throw ERegistryException("Failed to get data for '%s'", name);
    // Like the classic registry, a value of a type this system does not
    // know reads as bytes too.
    if (DataType(type) != rdBinary && DataType(type) != rdUnknown)
        throw ERegistryException("Invalid data type for '%s'", name);
    return data;
}

int TRegistry::ReadBinaryData(const AnsiString& name, void* buffer, int bufferSize)
{
    std::string data = ReadBinaryData(name);
    if (bufferSize < 0 || data.size() > static_cast<size_t>(bufferSize))
        throw ERegistryException("Failed to get data for '%s'", name);
    if (!data.empty())
        std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const AnsiString& name, const void* buffer, int size)
{
    if (size < 0 || (size > 0 && !buffer))
        throw ERegistryException("Failed to set data for '%s'", name);
    PutValue(name, rdBinary, size ? std::string(static_cast<const char*>(buffer), static_cast<size_t>(size)) : std::string());
}

}  // namespace sys
