// The registry reads its hive files, which anyone with the file can change:
// a value of any type with any bytes, under any name. Reading such values may
// only raise the registry's own errors, and what the registry writes itself
// reads back the same (text through the code page, bytes exactly).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StringList.h"
#include "platform/system/Registry.h"
#include "platform/system/SqliteDatabase.h"

namespace {

// Hives in a folder of their own, in memory-backed storage where there is
// some: every write is made durable, and disks are slow at that.
struct Hives {
    Hives()
    {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/ats-fuzz-XXXXXX" : "/tmp/ats-fuzz-XXXXXX";
        folder = mkdtemp(pattern.data());
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        sys::TRegistry reg;
        reg.WriteInteger("Made", 1);
        hive = sys::SqliteDatabase::OpenExisting(sys::TRegistry::HiveFile(sys::HKEY_CURRENT_USER));
    }
    ~Hives()
    {
        hive.Close();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string folder;
    sys::SqliteDatabase hive;
};

void ReadEverything(sys::TRegistry& reg)
{
    core::TStringList names;
    reg.GetValueNames(names);
    for (int i = 0; i < names.Count(); ++i) {
        const core::AnsiString& name = names.Strings(i);
        sys::TRegDataInfo info;
        if (!reg.GetDataInfo(name, info))
            continue;  // a name that does not survive the code page
        try {
            std::string bytes = reg.ReadBinaryData(name);
            if (info.RegData == sys::rdBinary && static_cast<int>(bytes.size()) != info.DataSize)
                __builtin_trap();
        } catch (const core::ERegistryException&) {
        }
        try {
            reg.ReadString(name);
        } catch (const core::ERegistryException&) {
        }
        try {
            reg.ReadInteger(name);
        } catch (const core::ERegistryException&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Hives hives;
    if (size < 1)
        return 0;
    // The first byte picks a stored type (also ones never written); the rest
    // is a name, a zero byte and the value's bytes.
    int type = data[0] % 7;
    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    size_t cut = rest.find('\0');
    std::string name = rest.substr(0, cut);
    std::string bytes = cut == std::string::npos ? std::string() : rest.substr(cut + 1);

    sys::SqliteStatement raw = hives.hive.Prepare(
        "INSERT OR REPLACE INTO RegValue (KeyId, Name, Folded, Type, Data) VALUES (1, ?1, upper(?1), ?2, ?3)");
    raw.BindText(1, name);
    raw.BindInt64(2, type);
    raw.BindBlob(3, bytes);
    raw.Run();

    sys::TRegistry reg;
    ReadEverything(reg);

    reg.WriteBinaryData("Bytes", bytes.data(), static_cast<int>(bytes.size()));
    if (reg.ReadBinaryData("Bytes") != bytes)
        __builtin_trap();
    reg.WriteString("Text", bytes);
    if (reg.ReadString("Text") != core::Utf8ToAnsi(core::AnsiToUtf8(bytes)))
        __builtin_trap();
    // A key path of the same bytes: made, found, removed.
    try {
        reg.CreateKey(name);
        if (!reg.KeyExists(name))
            __builtin_trap();
        reg.DeleteKey(name);
    } catch (const core::ERegistryException&) {
        __builtin_trap();
    }
    hives.hive.Exec("DELETE FROM RegValue; DELETE FROM RegKey WHERE Id <> 1;");
    return 0;
}
