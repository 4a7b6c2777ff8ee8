#pragma once

#include <string>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/system/SqliteDatabase.h"

namespace data {

// The embedded store: one SQLite file per catalogue, holding the table
// TsAccount and the sign-in names with their password hashes.
//
// A store is only ever made on purpose (by account-store), never by signing
// in; its file is readable and writable by its owner only. Passwords are
// kept as salted Argon2id hashes (libsodium's password-hash strings), made
// from the password's UTF-8 form so that a store does not depend on the code
// page of whoever made it.
class TEmbeddedStore {
public:
    struct Account {
        core::AnsiString Name;
        core::AnsiString Database;
        bool Hidden = false;
    };

    // The store file of a catalogue: $XDG_DATA_HOME/account-tool/<catalogue>.db.
    // Raises EDatabaseError for a catalogue name that is no plain file name.
    static std::string PathFor(const core::AnsiString& catalog);

    // Makes a new store with the user `sa` and its password; raises
    // EDatabaseError when the file exists already or cannot be made.
    static TEmbeddedStore Create(const std::string& path, const core::AnsiString& password);
    // Opens an existing store; raises EDatabaseError when there is none. A
    // store file the user may only read is opened for reading only: it can
    // be signed in to and listed, and every write raises EDatabaseError.
    static TEmbeddedStore Open(const std::string& path);
    bool ReadOnly() const { return readOnly_; }
    // Raises EDatabaseError saying so when the store can only be read.
    void CheckWritable() const;

    // Answers whether the user exists and the password is the one kept.
    bool CheckPassword(const core::AnsiString& user, const core::AnsiString& password);
    // Sets the password of a user, adding the user when missing.
    void SetPassword(const core::AnsiString& user, const core::AnsiString& password);

    // Adds account sets in one transaction: all of them or, on an error
    // (say a name that is there already), none.
    void AddAccounts(const std::vector<Account>& accounts);
    void AddAccount(const Account& account) { AddAccounts({account}); }
    std::vector<Account> Accounts();

    sys::SqliteDatabase& Database() { return db_; }
    const std::string& Path() const { return db_.Path(); }

private:
    explicit TEmbeddedStore(sys::SqliteDatabase db, bool readOnly = false) : db_(std::move(db)), readOnly_(readOnly) {}
    static void Configure(sys::SqliteDatabase& db);

    sys::SqliteDatabase db_;
    bool readOnly_ = false;
};

// The login table of the store and the user a store is made with.
inline constexpr const char* StoreLoginTable = "StoreLogin";
inline constexpr const char* StoreAdminUser = "sa";

}  // namespace data
