#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StringList.h"
#include "platform/system/Paths.h"
#include "platform/system/Registry.h"
#include "platform/system/SqliteDatabase.h"
#include "tests/platform/system/ScratchFolder.h"

using namespace sys;
using core::AnsiString;
using core::ERegistryException;

namespace {

// Every test gets hives of its own.
class RegistryTest : public ::testing::Test {
protected:
    ScratchFolder folder_;
    ScopedEnvironment config_{"XDG_CONFIG_HOME", folder_.File("config")};
    ScopedEnvironment system_{"ACCOUNT_TOOL_SYSTEM_REGISTRY", folder_.File("system")};
};

std::vector<AnsiString> Lines(const core::TStrings& list)
{
    std::vector<AnsiString> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

void ExpectRegistryError(const std::function<void()>& action, const AnsiString& message)
{
    try {
        action();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), message);
    }
}

}  // namespace

TEST_F(RegistryTest, ValuesOfEveryTypeRoundTripThroughANewObject)
{
    const std::string bytes("\x00\x01\xFF\x80 binary\x00", 12);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\账套工具\\Layouts", true));
        reg.WriteString("Caption", "账套列表");
        reg.WriteString("Empty", "");
        reg.WriteInteger("Width", -123456);
        reg.WriteInteger("Max", INT32_MAX);
        reg.WriteBinaryData("Grid", bytes.data(), static_cast<int>(bytes.size()));
        reg.WriteBinaryData("Nothing", nullptr, 0);
        reg.WriteBool("Visible", true);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\software\\账套工具\\LAYOUTS", false));
    EXPECT_EQ(reg.ReadString("caption"), "账套列表");
    EXPECT_EQ(reg.ReadString("Empty"), "");
    EXPECT_EQ(reg.ReadInteger("Width"), -123456);
    EXPECT_EQ(reg.ReadInteger("Max"), INT32_MAX);
    EXPECT_EQ(reg.ReadBinaryData("Grid"), bytes);
    EXPECT_EQ(reg.ReadBinaryData("Nothing"), "");
    EXPECT_TRUE(reg.ReadBool("Visible"));

    EXPECT_EQ(reg.GetDataType("Caption"), rdString);
    EXPECT_EQ(reg.GetDataType("Width"), rdInteger);
    EXPECT_EQ(reg.GetDataType("Grid"), rdBinary);
    EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);
    // Sizes as the classic registry gives them: text with its closing zero
    // (in bytes of the code page), integers four bytes.
    EXPECT_EQ(reg.GetDataSize("Caption"), 9);
    EXPECT_EQ(reg.GetDataSize("Width"), 4);
    EXPECT_EQ(reg.GetDataSize("Grid"), 12);
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    TRegDataInfo info;
    EXPECT_FALSE(reg.GetDataInfo("Missing", info));
    ASSERT_TRUE(reg.GetDataInfo("Grid", info));
    EXPECT_EQ(info.RegData, rdBinary);
    EXPECT_EQ(info.DataSize, 12);
}

TEST_F(RegistryTest, WritingAgainReplacesTheValueAndItsType)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("Value", "text");
    reg.WriteInteger("VALUE", 7);
    EXPECT_EQ(reg.GetDataType("value"), rdInteger);
    EXPECT_EQ(reg.ReadInteger("Value"), 7);
    core::TStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(Lines(names), std::vector<AnsiString>{"VALUE"});
}

TEST_F(RegistryTest, ReadingTheWrongTypeOrAMissingValueRaises)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("Text", "12");
    reg.WriteInteger("Number", 12);
    char buffer[2];
    ExpectRegistryError([&] { reg.ReadInteger("Text"); }, "Invalid data type for 'Text'");
    ExpectRegistryError([&] { reg.ReadString("Number"); }, "Invalid data type for 'Number'");
    ExpectRegistryError([&] { reg.ReadBinaryData("Text"); }, "Invalid data type for 'Text'");
    ExpectRegistryError([&] { reg.ReadInteger("Missing"); }, "Failed to get data for 'Missing'");
    ExpectRegistryError([&] { reg.ReadBinaryData("Missing"); }, "Failed to get data for 'Missing'");
    reg.WriteBinaryData("Three", "abc", 3);
    ExpectRegistryError([&] { reg.ReadBinaryData("Three", buffer, 2); }, "Failed to get data for 'Three'");
    // A missing text reads as empty, as the classic registry's does.
    EXPECT_EQ(reg.ReadString("Missing"), "");
}

TEST_F(RegistryTest, KeysOpenRelativeToTheOpenKeyOrFromTheRoot)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("Software\\Vendor", false));
    EXPECT_FALSE(reg.KeyExists("Software"));
    ASSERT_TRUE(reg.OpenKey("Software\\Vendor", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vendor");
    ASSERT_TRUE(reg.OpenKey("Tool\\Grid", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vendor\\Tool\\Grid");
    EXPECT_TRUE(reg.KeyExists("\\Software\\Vendor\\Tool"));
    EXPECT_FALSE(reg.KeyExists("Tool"));  // relative to ...\Grid
    ASSERT_TRUE(reg.OpenKey("\\Software", false));
    EXPECT_EQ(reg.CurrentPath(), "Software");
    EXPECT_TRUE(reg.HasSubKeys());
    core::TStringList names;
    reg.GetKeyNames(names);
    EXPECT_EQ(Lines(names), std::vector<AnsiString>{"Vendor"});

    // The root itself: a single backslash, or no open key at all.
    ASSERT_TRUE(reg.OpenKey("\\", false));
    EXPECT_EQ(reg.CurrentPath(), "");
    reg.WriteString("AtRoot", "yes");
    reg.CloseKey();
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_EQ(reg.ReadString("AtRoot"), "yes");
}

TEST_F(RegistryTest, ABackslashInsideADoubleByteCharacterDoesNotSplitTheName)
{
    // 0x81 0x5C is one character of code page 936 whose second byte is "\".
    const AnsiString name = "A\x81\x5C";
    ASSERT_EQ(core::Utf8ToAnsi(core::AnsiToUtf8(name)), name);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\" + name + "\\Inner", true));
    ASSERT_TRUE(reg.OpenKey("\\Software", false));
    core::TStringList names;
    reg.GetKeyNames(names);
    EXPECT_EQ(Lines(names), std::vector<AnsiString>{name});
    EXPECT_TRUE(reg.KeyExists(name + "\\Inner"));
}

TEST_F(RegistryTest, DeleteKeyTakesTheWholeSubtree)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Doomed\\Child\\Grandchild", true));
    reg.WriteString("Deep", "value");
    ASSERT_TRUE(reg.OpenKey("\\Software\\Kept", true));
    reg.WriteInteger("Stays", 1);
    reg.CloseKey();

    EXPECT_TRUE(reg.DeleteKey("Software\\Doomed"));
    EXPECT_FALSE(reg.KeyExists("Software\\Doomed\\Child"));
    EXPECT_FALSE(reg.DeleteKey("Software\\Doomed"));
    ASSERT_TRUE(reg.OpenKey("Software\\Doomed\\Child\\Grandchild", true));
    EXPECT_FALSE(reg.ValueExists("Deep"));  // made anew, empty
    ASSERT_TRUE(reg.OpenKey("\\Software\\Kept", false));
    EXPECT_EQ(reg.ReadInteger("Stays"), 1);
    EXPECT_TRUE(reg.DeleteValue("stays"));
    EXPECT_FALSE(reg.DeleteValue("Stays"));
    EXPECT_FALSE(reg.ValueExists("Stays"));
}

TEST_F(RegistryTest, WritesAreSeenAtOnceByAnotherObject)
{
    TRegistry writer, reader;
    ASSERT_TRUE(writer.OpenKey("Software\\Shared", true));
    ASSERT_TRUE(reader.OpenKey("Software\\Shared", false));
    writer.WriteInteger("Counter", 1);
    EXPECT_EQ(reader.ReadInteger("Counter"), 1);
    writer.WriteInteger("Counter", 2);
    EXPECT_EQ(reader.ReadInteger("Counter"), 2);
    // A key deleted under an open object: writing there fails loudly.
    writer.CloseKey();
    ASSERT_TRUE(writer.DeleteKey("Software\\Shared"));
    ExpectRegistryError([&] { reader.WriteInteger("Counter", 3); }, "Failed to set data for 'Counter'");
}

TEST_F(RegistryTest, ReadOnlyKeysRefuseWrites)
{
    TRegistry reg;
    ASSERT_TRUE(reg.CreateKey("Software\\Locked"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Locked"));
    ExpectRegistryError([&] { reg.WriteString("Name", "x"); }, "Failed to set data for 'Name'");
    EXPECT_FALSE(reg.ValueExists("Name"));
}

TEST_F(RegistryTest, EachRootIsAHiveFileOfItsOwn)
{
    EXPECT_EQ(TRegistry::HiveFile(HKEY_CURRENT_USER), folder_.File("config/account-tool/registry.db"));
    EXPECT_EQ(TRegistry::HiveFile(HKEY_LOCAL_MACHINE), folder_.File("system/local_machine.db"));
    TRegistry user, machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    // Reading does not make a hive.
    EXPECT_FALSE(machine.KeyExists("Software"));
    EXPECT_FALSE(FileExists(TRegistry::HiveFile(HKEY_LOCAL_MACHINE)));
    ASSERT_TRUE(machine.OpenKey("Software\\Only", true));
    machine.WriteString("Where", "machine");
    EXPECT_FALSE(user.KeyExists("Software\\Only"));
    ASSERT_TRUE(user.OpenKey("Software\\Only", true));
    EXPECT_FALSE(user.ValueExists("Where"));

    // Hives are private to their owner.
    struct stat info;
    ASSERT_EQ(stat(TRegistry::HiveFile(HKEY_CURRENT_USER).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RegistryTest, RootNamesAndUnknownRoots)
{
    HKEY root = 0;
    EXPECT_TRUE(TRegistry::RootKeyFromName("hkey_local_machine", root));
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(TRegistry::RootKeyFromName("HKEY_PERFORMANCE_DATA", root));
    EXPECT_EQ(TRegistry::RootKeyName(HKEY_USERS), "HKEY_USERS");
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    ExpectRegistryError([&] { reg.SetRootKey(0x80000004u); }, "Unknown registry key 80000004");
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
}

TEST_F(RegistryTest, AKeyThatCannotBeMadeRaisesFailedToCreate)
{
    // The system hives' folder is a file here, so nothing can be made there.
    FILE* blocker = fopen(folder_.File("system").c_str(), "w");
    fclose(blocker);
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ExpectRegistryError([&] { reg.CreateKey("Software\\Tool"); }, "Failed to create key Software\\Tool");
    EXPECT_FALSE(reg.OpenKey("Software\\Tool", true));
}

TEST_F(RegistryTest, AKillDuringWritesLosesNothingWrittenBefore)
{
    // The child writes values as fast as it can and reports each one after
    // the call returned; it is killed while writing. Every reported value
    // must be in the hive afterwards, intact.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    auto payload = [](int i) { return std::string(static_cast<size_t>(3000 + i % 500), static_cast<char>('a' + i % 26)); };
    if (child == 0) {
        close(pipeEnds[0]);
        try {
            TRegistry reg;
            reg.OpenKey("Software\\Crash", true);
            for (int i = 0;; ++i) {
                std::string data = payload(i);
                reg.WriteBinaryData("Value" + std::to_string(i), data.data(), static_cast<int>(data.size()));
                reg.WriteInteger("Last", i);
                if (write(pipeEnds[1], &i, sizeof i) != sizeof i)
                    _exit(3);
            }
        } catch (...) {
            _exit(2);
        }
    }
    close(pipeEnds[1]);
    int last = -1, reported = 0;
    while (last < 150 && read(pipeEnds[0], &reported, sizeof reported) == sizeof reported)
        last = reported;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    // Reports already in the pipe stand for writes that returned too.
    while (read(pipeEnds[0], &reported, sizeof reported) == sizeof reported)
        last = reported;
    close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself with " << WEXITSTATUS(status);
    ASSERT_GE(last, 150);

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Crash", false));
    for (int i = 0; i <= last; ++i)
        ASSERT_EQ(reg.ReadBinaryData("Value" + std::to_string(i)), payload(i)) << i;
    EXPECT_GE(reg.ReadInteger("Last"), last);
    SqliteDatabase hive = SqliteDatabase::OpenExisting(TRegistry::HiveFile(HKEY_CURRENT_USER));
    SqliteStatement check = hive.Prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.ColumnText(0), "ok");
}
