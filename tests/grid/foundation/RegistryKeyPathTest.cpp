#include <gtest/gtest.h>

#include "grid/foundation/RegistryKeyPath.h"
#include "platform/core/Exception.h"
#include "tests/platform/system/ScratchFolder.h"

using namespace grid;
using core::AnsiString;

namespace {

// Every test gets hives of its own.
class RegistryKeyPathTest : public ::testing::Test {
protected:
    ScratchFolder folder_;
    ScopedEnvironment config_{"XDG_CONFIG_HOME", folder_.File("config")};
    ScopedEnvironment system_{"ACCOUNT_TOOL_SYSTEM_REGISTRY", folder_.File("system")};
};

}  // namespace

TEST(RegistryKeyPath, ParseNamesTheRootAndKeepsTheKeysBackslash)
{
    struct Case {
        AnsiString path;
        bool ok;
        sys::HKEY root;
        AnsiString rootName, subKey;
    };
    const Case cases[] = {
        {"Software\\Grid", true, sys::HKEY_CURRENT_USER, "", "Software\\Grid"},
        {"\\Software\\Grid", true, sys::HKEY_CURRENT_USER, "", "\\Software\\Grid"},
        {"\\", true, sys::HKEY_CURRENT_USER, "", "\\"},
        {"", true, sys::HKEY_CURRENT_USER, "", ""},
        {"\\\\HKEY_LOCAL_MACHINE\\Software\\Grid", true, sys::HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE",
         "\\Software\\Grid"},
        {"\\\\hkey_users\\S-1", true, sys::HKEY_USERS, "HKEY_USERS", "\\S-1"},
        {"\\\\HKEY_CLASSES_ROOT", true, sys::HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", ""},
        {"\\\\HKEY_CURRENT_USER\\", true, sys::HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "\\"},
        {"\\\\HKEY_NOWHERE\\Software", false, sys::HKEY_CURRENT_USER, "HKEY_NOWHERE", "\\Software"},
        {"\\\\", false, sys::HKEY_CURRENT_USER, "", ""},
        // A backslash that is the second byte of a double-byte character
        // does not end the root's name.
        {AnsiString("\\\\HKEY\x81\\X\\Y"), false, sys::HKEY_CURRENT_USER, AnsiString("HKEY\x81\\X"), "\\Y"},
    };
    for (const Case& c : cases) {
        sys::HKEY root = 0;
        AnsiString rootName = "old", subKey = "old";
        EXPECT_EQ(ParseKeyPath(c.path, root, rootName, subKey), c.ok) << c.path;
        EXPECT_EQ(root, c.root) << c.path;
        EXPECT_EQ(rootName, c.rootName) << c.path;
        EXPECT_EQ(subKey, c.subKey) << c.path;
    }
}

TEST_F(RegistryKeyPathTest, OpensUnderTheNamedRoot)
{
    auto made = OpenKeyPath("\\\\HKEY_LOCAL_MACHINE\\Software\\Grid", true);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->RootKey(), sys::HKEY_LOCAL_MACHINE);
    EXPECT_EQ(made->CurrentPath(), "Software\\Grid");
    made->WriteString("Layout", "machine");
    made.reset();

    // The same key, opened without creating it, under that root only.
    auto again = OpenKeyPath("\\\\hkey_local_machine\\Software\\Grid", false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadString("Layout"), "machine");
    EXPECT_FALSE(OpenKeyPath("\\Software\\Grid", false));
    EXPECT_FALSE(OpenKeyPath("\\\\HKEY_USERS\\Software\\Grid", false));

    sys::TRegistry direct;
    direct.SetRootKey(sys::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(direct.OpenKey("Software\\Grid", false));
    EXPECT_EQ(direct.ReadString("Layout"), "machine");
}

TEST_F(RegistryKeyPathTest, PathsWithoutARootOpenUnderTheCurrentUser)
{
    EXPECT_FALSE(OpenKeyPath("Software\\Layouts", false));
    auto made = OpenKeyPath("Software\\Layouts", true);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->RootKey(), sys::HKEY_CURRENT_USER);
    made->WriteInteger("Cols", 3);
    made.reset();

    sys::TRegistry user;
    ASSERT_TRUE(user.OpenKey("\\Software\\Layouts", false));
    EXPECT_EQ(user.ReadInteger("Cols"), 3);

    // Only the root: the root's own key.
    auto rootOnly = OpenKeyPath("\\\\HKEY_USERS", false);
    ASSERT_TRUE(rootOnly);
    EXPECT_EQ(rootOnly->RootKey(), sys::HKEY_USERS);
}

TEST_F(RegistryKeyPathTest, AnUnknownRootRaisesWithItsName)
{
    try {
        OpenKeyPath("\\\\HKEY_Somewhere\\Software", true);
        ADD_FAILURE() << "no error";
    } catch (const core::ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Unknown registry key HKEY_SOMEWHERE");
    }
}
