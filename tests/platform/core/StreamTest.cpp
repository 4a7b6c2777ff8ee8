#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/core/StringList.h"

using namespace core;

namespace {

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}

std::string Content(TMemoryStream& stream)
{
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

// A folder of its own for each test, removed afterwards.
class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::path(::testing::TempDir()) /
               ("stream-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

}  // namespace

// ---------------------------------------------------------------------------
// TStream helpers

TEST(Stream, ShortReadsRaiseTheReadError)
{
    TMemoryStream stream;
    stream.WriteString("abc");
    stream.SetPosition(0);
    char buffer[4];
    EXPECT_EQ(stream.Read(buffer, 4), 3);  // Read takes what there is
    stream.SetPosition(0);
    try {
        stream.ReadBuffer(buffer, 4);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    stream.SetPosition(1);
    EXPECT_THROW(stream.ReadInt32(), EReadError);
    stream.SetPosition(3);
    EXPECT_THROW(stream.ReadBytes(1), EReadError);
    EXPECT_EQ(stream.ReadBytes(0), "");
}

TEST(Stream, WriteErrorWhenTheTargetTakesLess)
{
    // A stream that refuses every byte.
    struct Full : TStream {
        int Read(void*, int) override { return 0; }
        int Write(const void*, int) override { return 0; }
        int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
    } full;
    try {
        full.WriteInt16(1);
        FAIL() << "no exception";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
}

TEST(Stream, NumbersAreLittleEndian)
{
    TMemoryStream stream;
    stream.WriteInt8(-2);
    stream.WriteInt16(-2);
    stream.WriteInt32(0x12345678);
    stream.WriteInt64(-0x123456789ABCDEF0LL);
    stream.WriteUInt16(0xBEEF);
    stream.WriteDouble(1.5);
    EXPECT_EQ(Content(stream), Bytes({0xFE, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x10, 0x21, 0x43, 0x65, 0x87, 0xA9,
                                      0xCB, 0xED, 0xEF, 0xBE, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt8(), -2);
    EXPECT_EQ(stream.ReadInt16(), -2);
    EXPECT_EQ(stream.ReadInt32(), 0x12345678);
    EXPECT_EQ(stream.ReadInt64(), -0x123456789ABCDEF0LL);
    EXPECT_EQ(stream.ReadUInt16(), 0xBEEF);
    EXPECT_EQ(stream.ReadDouble(), 1.5);

    stream.Clear();
    stream.WriteString("\xFF\xFF\xFF\xFF\x80");
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadUInt32(), 0xFFFFFFFFu);
    EXPECT_EQ(stream.ReadUInt8(), 0x80);
}

TEST(Stream, ExtendedRoundTripsEveryDouble)
{
    const double samples[] = {
        0.0,
        -0.0,
        1.0,
        -1.5,
        0.1,
        1e300,
        -1e-300,
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min() * 12345,
        std::numeric_limits<double>::min(),
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
    };
    for (double value : samples) {
        TMemoryStream stream;
        stream.WriteExtended(value);
        ASSERT_EQ(stream.Size(), 10);
        stream.SetPosition(0);
        double back = stream.ReadExtended();
        EXPECT_EQ(std::bit_cast<uint64_t>(back), std::bit_cast<uint64_t>(value)) << value;
    }
}

TEST(Stream, ExtendedLayout)
{
    struct Case {
        double value;
        std::string bytes;
    } cases[] = {
        {1.5, Bytes({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
        {-1.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF})},
        {0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {-0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80})},
        {1e4, Bytes({0, 0, 0, 0, 0, 0, 0x40, 0x9C, 0x0C, 0x40})},
        // The smallest denormal double is 2^-1074, a normal extended.
        {std::numeric_limits<double>::denorm_min(), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B})},
        {std::numeric_limits<double>::infinity(), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})},
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        stream.WriteExtended(c.value);
        EXPECT_EQ(Content(stream), c.bytes) << c.value;
    }
}

TEST(Stream, ExtendedRoundsToTheNearestDouble)
{
    const double ulp = std::ldexp(1.0, -52);
    const double tiny = std::numeric_limits<double>::denorm_min();
    struct Case {
        uint64_t mantissa;
        int exponent;  // biased
        double value;
    } cases[] = {
        {0x8000000000000400, 0x3FFF, 1.0},                       // half an ulp: ties to even, down
        {0x8000000000000C00, 0x3FFF, 1.0 + 2 * ulp},             // half an ulp: ties to even, up
        {0x8000000000000401, 0x3FFF, 1.0 + ulp},                 // just above half
        {0xFFFFFFFFFFFFFC00, 0x3FFF, 2.0},                       // rounds up into the next binade
        {0x8000000000000000, 0x7FFE, HUGE_VAL},                  // beyond the double range
        {0x8000000000000000, 0x3BCC, 0.0},                       // 2^-1075: ties to even, to zero
        {0x8000000000000001, 0x3BCC, tiny},                      // a little more: the smallest denormal
        {0xC000000000000000, 0x3BCC, tiny},                      // 0.75 of it
        {0xC000000000000000, 0x3BCD, 2 * tiny},                  // 1.5 of it: ties to even
        {0x8000000000000000, 0x0001, 0.0},                       // far below
        {0x4000000000000000, 0x3FFF, 0.5},                       // unnormal: the integer bit clear
    };
    for (const Case& c : cases) {
        uint8_t bytes[10];
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<uint8_t>(c.mantissa >> (8 * i));
        bytes[8] = static_cast<uint8_t>(c.exponent);
        bytes[9] = static_cast<uint8_t>(c.exponent >> 8);
        EXPECT_EQ(ExtendedToDouble(bytes), c.value) << std::hex << c.mantissa << " " << c.exponent;
        bytes[9] |= 0x80;
        EXPECT_EQ(ExtendedToDouble(bytes), -c.value) << std::hex << c.mantissa << " " << c.exponent;
    }
}

TEST(Stream, CopyFrom)
{
    TStringStream source("0123456789");
    source.SetPosition(7);
    TMemoryStream target;
    // A count of 0 means the whole source from its start.
    EXPECT_EQ(target.CopyFrom(source, 0), 10);
    EXPECT_EQ(Content(target), "0123456789");
    source.SetPosition(2);
    EXPECT_EQ(target.CopyFrom(source, 3), 3);
    EXPECT_EQ(Content(target), "0123456789234");
    EXPECT_EQ(source.Position(), 5);
    EXPECT_THROW(target.CopyFrom(source, 6), EReadError);

    // Larger than the copy buffer.
    TMemoryStream big;
    for (int i = 0; i < 100000; ++i)
        big.WriteUInt8(static_cast<uint8_t>(i * 31));
    TMemoryStream copy;
    copy.CopyFrom(big, 0);
    ASSERT_EQ(copy.Size(), 100000);
    EXPECT_EQ(std::memcmp(copy.Memory(), big.Memory(), 100000), 0);
}

// ---------------------------------------------------------------------------
// TMemoryStream

TEST(MemoryStream, SeekingPastTheEndThenWritingZeroFillsTheGap)
{
    TMemoryStream stream;
    stream.WriteString("abcdefgh");
    // Shrinking leaves old bytes in the storage; they must not reappear.
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(stream.Seek(3, soEnd), 5);
    EXPECT_EQ(stream.Size(), 2);  // seeking alone does not grow
    char c;
    EXPECT_EQ(stream.Read(&c, 1), 0);
    stream.WriteString("z");
    EXPECT_EQ(Content(stream), std::string("ab\0\0\0z", 6));

    // Growing with SetSize zero-fills too and keeps the content.
    stream.SetSize(1);
    stream.SetSize(4);
    EXPECT_EQ(Content(stream), std::string("a\0\0\0", 4));
}

TEST(MemoryStream, SeekOriginsAndOverwriting)
{
    TMemoryStream stream;
    stream.WriteString("hello world");
    EXPECT_EQ(stream.Seek(-5, soEnd), 6);
    EXPECT_EQ(stream.Seek(-1, soCurrent), 5);
    stream.WriteString("_");
    EXPECT_EQ(stream.Seek(0, soBeginning), 0);
    EXPECT_EQ(stream.ReadBytes(11), "hello_world");
    // A position before the start reads and writes nothing.
    stream.SetPosition(-1);
    char c = 'x';
    EXPECT_EQ(stream.Write(&c, 1), 0);
    EXPECT_EQ(stream.Read(&c, 1), 0);
}

TEST(MemoryStream, StorageDoubles)
{
    TMemoryStream stream;
    std::vector<int64_t> capacities;
    for (int i = 0; i < 1000; ++i) {
        stream.WriteUInt8(1);
        if (capacities.empty() || capacities.back() != stream.Capacity())
            capacities.push_back(stream.Capacity());
    }
    ASSERT_EQ(capacities.size(), 11u);
    for (size_t i = 0; i < capacities.size(); ++i)
        EXPECT_EQ(capacities[i], int64_t(1) << i);
    stream.Clear();
    EXPECT_EQ(stream.Capacity(), 0);
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, LoadFromAndSaveToStreams)
{
    TStringStream source("payload");
    source.SetPosition(4);
    TMemoryStream memory;
    memory.LoadFromStream(source);
    EXPECT_EQ(Content(memory), "payload");
    TStringStream target("old content");
    target.SetPosition(target.Size());
    memory.SaveToStream(target);
    EXPECT_EQ(target.DataString(), "old contentpayload");
}

// ---------------------------------------------------------------------------
// TStringStream

TEST(StringStream, ReadsWritesAndClampsItsPosition)
{
    TStringStream stream("abcdef");
    EXPECT_EQ(stream.ReadString(2), "ab");
    stream.WriteString("XY");
    EXPECT_EQ(stream.DataString(), "abXYef");  // overwrites, keeps the rest
    EXPECT_EQ(stream.Seek(10, soCurrent), 6);
    stream.WriteString("gh");
    EXPECT_EQ(stream.DataString(), "abXYefgh");
    EXPECT_EQ(stream.Seek(-20, soEnd), 0);
    EXPECT_EQ(stream.Seek(-2, soEnd), 6);
    EXPECT_EQ(stream.ReadString(10), "gh");
    stream.SetSize(3);
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_EQ(stream.DataString(), "abX");
}

// ---------------------------------------------------------------------------
// TFileStream

TEST_F(FileStreamTest, CreateReopenAndReadBack)
{
    std::string path = PathOf("data.bin");
    {
        TFileStream file(path, fmCreate);
        file.WriteInt32(0x01020304);
        file.WriteString("文本");
        EXPECT_EQ(file.Size(), 8);
        EXPECT_EQ(file.FileName(), path);
    }
    {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(file.Size(), 8);
        EXPECT_EQ(file.ReadInt32(), 0x01020304);
        EXPECT_EQ(file.ReadBytes(4), "文本");
        EXPECT_THROW(file.ReadUInt8(), EReadError);
        // Opened for reading only: writing moves nothing.
        EXPECT_THROW(file.WriteUInt8(1), EWriteError);
    }
    {
        // Opening for writing keeps the content; creating again empties it.
        TFileStream file(path, fmOpenWrite);
        file.SetPosition(4);
        file.WriteString("ab");
    }
    TMemoryStream memory;
    memory.LoadFromFile(path);
    EXPECT_EQ(Content(memory), Bytes({4, 3, 2, 1}) + "ab" + AnsiString("文本").substr(2));
    {
        TFileStream file(path, fmCreate);
        EXPECT_EQ(file.Size(), 0);
    }
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(FileStreamTest, SetSizeCutsAndExtends)
{
    std::string path = PathOf("size.bin");
    TFileStream file(path, fmCreate);
    file.WriteString("0123456789");
    file.SetSize(4);
    EXPECT_EQ(file.Size(), 4);
    EXPECT_EQ(file.Position(), 4);
    file.SetSize(6);
    file.SetPosition(0);
    EXPECT_EQ(file.ReadBytes(6), std::string("0123\0\0", 6));
}

TEST_F(FileStreamTest, OpenErrorsNameTheFileAndTheReason)
{
    std::string missing = PathOf("missing.bin");
    try {
        TFileStream file(missing, fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    std::string nowhere = PathOf("no-folder/new.bin");
    try {
        TFileStream file(nowhere, fmCreate);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + nowhere + "\". No such file or directory");
    }
    // A folder is not a file.
    EXPECT_THROW({ TFileStream file(dir_.string(), fmOpenRead); }, EFOpenError);
    // Both are stream errors.
    EXPECT_THROW({ TFileStream file(missing, fmOpenReadWrite); }, EStreamError);
}

TEST_F(FileStreamTest, FileNamesAreUtf8AndMessagesAreAnsi)
{
    // The name arrives as UTF-8; the message is text of the code page.
    std::string name = reinterpret_cast<const char*>(u8"账套.txt");
    std::string path = PathOf(name);
    TStringList lines;
    lines.SetCommaText("甲,乙");
    lines.SaveToFile(path);
    EXPECT_TRUE(std::filesystem::exists(dir_ / name));
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Text(), "甲\r\n乙\r\n");

    std::string missing = PathOf(reinterpret_cast<const char*>(u8"无.txt"));
    try {
        TFileStream file(missing, fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("无.txt\". "), std::string::npos) << e.Message();
    }
}
