#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/core/Exception.h"
#include "platform/data/EmbeddedStore.h"
#include "platform/system/Paths.h"
#include "tests/platform/system/ScratchFolder.h"

using data::TEmbeddedStore;

TEST(EmbeddedStore, LivesInTheDataFolderOneFilePerCatalogue)
{
    ScopedEnvironment data("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(TEmbeddedStore::PathFor("master"), "/srv/data/account-tool/master.db");
    EXPECT_EQ(TEmbeddedStore::PathFor("账套"), "/srv/data/account-tool/\xE8\xB4\xA6\xE5\xA5\x97.db");
    for (const char* bad : {"", ".", "..", "../etc/passwd", "a/b"})
        EXPECT_THROW(TEmbeddedStore::PathFor(bad), core::EDatabaseError) << bad;
}

TEST(EmbeddedStore, CreatesAPrivateFileWithAHashedPassword)
{
    ScratchFolder folder;
    std::string path = folder.File("deep/er/master.db");
    TEmbeddedStore::Create(path, "秘密 word");

    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(folder.File("deep/er").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    TEmbeddedStore store = TEmbeddedStore::Open(path);
    EXPECT_TRUE(store.CheckPassword("sa", "秘密 word"));
    EXPECT_TRUE(store.CheckPassword("SA", "秘密 word"));  // user names ignore case, as the server's do
    EXPECT_FALSE(store.CheckPassword("sa", "秘密 Word"));
    EXPECT_FALSE(store.CheckPassword("sa", ""));
    EXPECT_FALSE(store.CheckPassword("admin", "秘密 word"));

    // The password itself is nowhere in the file; an Argon2id hash is.
    sys::SqliteStatement hash = store.Database().Prepare("SELECT PasswordHash FROM StoreLogin");
    ASSERT_TRUE(hash.Step());
    EXPECT_EQ(hash.ColumnText(0).rfind("$argon2id$", 0), 0u) << hash.ColumnText(0);
    sys::SqliteStatement again = store.Database().Prepare("SELECT count(*) FROM StoreLogin WHERE PasswordHash LIKE '%word%'");
    ASSERT_TRUE(again.Step());
    EXPECT_EQ(again.ColumnInt64(0), 0);
}

TEST(EmbeddedStore, TwoStoresOfTheSamePasswordHaveDifferentSalts)
{
    ScratchFolder folder;
    auto hashOf = [](TEmbeddedStore store) {
        sys::SqliteStatement hash = store.Database().Prepare("SELECT PasswordHash FROM StoreLogin");
        hash.Step();
        return hash.ColumnText(0);
    };
    EXPECT_NE(hashOf(TEmbeddedStore::Create(folder.File("a.db"), "same")),
              hashOf(TEmbeddedStore::Create(folder.File("b.db"), "same")));
}

TEST(EmbeddedStore, IsNeverMadeByOpeningOrTwiceByCreating)
{
    ScratchFolder folder;
    std::string path = folder.File("master.db");
    EXPECT_THROW(TEmbeddedStore::Open(path), core::EDatabaseError);
    EXPECT_FALSE(sys::FileExists(path));
    TEmbeddedStore::Create(path, "one");
    EXPECT_THROW(TEmbeddedStore::Create(path, "two"), core::EDatabaseError);
    EXPECT_TRUE(TEmbeddedStore::Open(path).CheckPassword("sa", "one"));
}

TEST(EmbeddedStore, SetPasswordReplacesTheOldOne)
{
    ScratchFolder folder;
    TEmbeddedStore store = TEmbeddedStore::Create(folder.File("master.db"), "old");
    store.SetPassword("sa", "new");
    EXPECT_FALSE(store.CheckPassword("sa", "old"));
    EXPECT_TRUE(store.CheckPassword("sa", "new"));
}

TEST(EmbeddedStore, AddsAccountsAllOrNothing)
{
    ScratchFolder folder;
    TEmbeddedStore store = TEmbeddedStore::Create(folder.File("master.db"), "pw");
    store.AddAccount({"演示账套", "demo_db", false});
    store.AddAccounts({{"二号账套", "db2", true}, {"三号账套", "db3", false}});
    // A name that exists already stops the whole batch.
    EXPECT_THROW(store.AddAccounts({{"四号账套", "db4", false}, {"演示账套", "again", false}}), core::EDatabaseError);
    auto accounts = store.Accounts();
    ASSERT_EQ(accounts.size(), 3u);
    EXPECT_EQ(accounts[0].Name, "演示账套");
    EXPECT_EQ(accounts[1].Database, "db2");
    EXPECT_TRUE(accounts[1].Hidden);
    EXPECT_FALSE(accounts[2].Hidden);
}
