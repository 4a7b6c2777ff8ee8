#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/SqliteDatabase.h"

namespace sys {

// One registry hive kept in a SQLite file: a tree of keys, each with named
// values of a type and some bytes. Names arrive here as UTF-8 and are
// matched without regard to ASCII case through a folded copy kept beside
// them. Every change is one transaction, written through before it returns,
// so that a process killed at any moment leaves every earlier change in the
// file. The file is made on the first change, never by reading.
class RegistryHive {
public:
    // The hive's own top key: values may live there as in any other key.
    static constexpr int64_t RootId = 1;

    struct Value {
        int Type = 0;  // a TRegDataType
        std::string Data;  // UTF-8 text, four little-endian bytes of an integer, or raw bytes
    };

    explicit RegistryHive(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The key reached from `from` through `names`, or 0 when one is missing.
    int64_t FindKey(int64_t from, const std::vector<std::string>& names);
    // The same, creating every missing key on the way in one transaction.
    int64_t CreateKey(int64_t from, const std::vector<std::string>& names);
    // Removes a key with everything under it; false when it is not there.
    bool DeleteKey(int64_t key);
    bool KeyAlive(int64_t key);
    std::vector<std::string> SubKeyNames(int64_t key);
    std::vector<std::string> ValueNames(int64_t key);

    std::optional<Value> GetValue(int64_t key, const std::string& name);
    // Raises when the key is gone (another object may have deleted it).
    void SetValue(int64_t key, const std::string& name, const Value& value);
    bool DeleteValue(int64_t key, const std::string& name);

    // The folded form of a name under which it is looked up.
    static std::string FoldName(const std::string& utf8);

private:
    // The open file, or nullptr when the hive was never written.
    SqliteDatabase* ForReading();
    SqliteDatabase& ForWriting();
    void Configure(SqliteDatabase& db);

    std::string path_;
    SqliteDatabase db_;
    bool schemaReady_ = false;
};

}  // namespace sys
