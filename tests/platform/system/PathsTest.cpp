#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/core/Exception.h"
#include "platform/system/Paths.h"
#include "tests/platform/system/ScratchFolder.h"

using namespace sys;

TEST(Paths, XdgFoldersFollowTheVariablesAndFallBackToHome)
{
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment data("XDG_DATA_HOME", "/srv/data");
        ScopedEnvironment config("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(XdgDataHome(), "/srv/data");
        EXPECT_EQ(XdgConfigHome(), "/srv/config");
        EXPECT_EQ(AppDataDirectory(), "/srv/data/account-tool");
        EXPECT_EQ(AppConfigDirectory(), "/srv/config/account-tool");
    }
    // Relative values are to be ignored, as are empty ones.
    ScopedEnvironment data("XDG_DATA_HOME", "relative/data");
    ScopedEnvironment config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(XdgDataHome(), "/home/someone/.local/share");
    EXPECT_EQ(XdgConfigHome(), "/home/someone/.config");
}

TEST(Paths, SystemRegistryFolderCanBeMovedForTests)
{
    {
        ScopedEnvironment moved("ACCOUNT_TOOL_SYSTEM_REGISTRY", "/tmp/hives");
        EXPECT_EQ(SystemRegistryDirectory(), "/tmp/hives");
    }
    unsetenv("ACCOUNT_TOOL_SYSTEM_REGISTRY");
    EXPECT_EQ(SystemRegistryDirectory(), "/var/lib/account-tool/registry");
}

TEST(Paths, JoinPathPutsExactlyOneSlashBetween)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    } cases[] = {
        {"/a", "b", "/a/b"},   {"/a/", "b", "/a/b"},   {"/a//", "/b", "/a/b"},
        {"/", "b", "/b"},      {"", "b", "b"},         {"/a", "", "/a"},
        {"/a", "b/c", "/a/b/c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
}

TEST(Paths, ForceDirectoriesMakesEveryParentWithTheMode)
{
    ScratchFolder scratch;
    std::string deep = scratch.File("one/two/three");
    ForceDirectories(deep, 0700);
    struct stat info;
    ASSERT_EQ(stat(deep.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Again changes nothing and raises nothing.
    ForceDirectories(deep, 0700);

    // A file in the way is reported with the folder's name.
    std::string blocked = scratch.File("file");
    FILE* file = fopen(blocked.c_str(), "w");
    fclose(file);
    try {
        ForceDirectories(blocked + "/below");
        FAIL() << "no error";
    } catch (const core::EOSError& error) {
        EXPECT_NE(error.Message().find("below"), std::string::npos) << error.Message();
    }
}
