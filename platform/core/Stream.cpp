#include "platform/core/Stream.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"

namespace core {

// ---------------------------------------------------------------------------
// TStream

int64_t TStream::Size()
{
    int64_t position = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr int64_t BufferSize = 0xF000;
    std::vector<char> buffer(static_cast<size_t>(std::clamp<int64_t>(count, 0, BufferSize)));
    int64_t left = count;
    while (left > 0) {
        int n = static_cast<int>(std::min(left, BufferSize));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

uint64_t TStream::ReadLittleEndian(int bytes)
{
    uint8_t raw[8];
    ReadBuffer(raw, bytes);
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | raw[i];
    return value;
}

void TStream::WriteLittleEndian(uint64_t value, int bytes)
{
    uint8_t raw[8];
    for (int i = 0; i < bytes; ++i, value >>= 8)
        raw[i] = static_cast<uint8_t>(value);
    WriteBuffer(raw, bytes);
}

int8_t TStream::ReadInt8() { return static_cast<int8_t>(ReadLittleEndian(1)); }
int16_t TStream::ReadInt16() { return static_cast<int16_t>(ReadLittleEndian(2)); }
int32_t TStream::ReadInt32() { return static_cast<int32_t>(ReadLittleEndian(4)); }
int64_t TStream::ReadInt64() { return static_cast<int64_t>(ReadLittleEndian(8)); }
uint8_t TStream::ReadUInt8() { return static_cast<uint8_t>(ReadLittleEndian(1)); }
uint16_t TStream::ReadUInt16() { return static_cast<uint16_t>(ReadLittleEndian(2)); }
uint32_t TStream::ReadUInt32() { return static_cast<uint32_t>(ReadLittleEndian(4)); }
double TStream::ReadDouble() { return std::bit_cast<double>(ReadLittleEndian(8)); }

double TStream::ReadExtended()
{
    uint8_t raw[10];
    ReadBuffer(raw, 10);
    return ExtendedToDouble(raw);
}

AnsiString TStream::ReadBytes(int count)
{
    AnsiString bytes(static_cast<size_t>(std::max(count, 0)), '\0');
    ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

void TStream::WriteInt8(int8_t value) { WriteLittleEndian(static_cast<uint8_t>(value), 1); }
void TStream::WriteInt16(int16_t value) { WriteLittleEndian(static_cast<uint16_t>(value), 2); }
void TStream::WriteInt32(int32_t value) { WriteLittleEndian(static_cast<uint32_t>(value), 4); }
void TStream::WriteInt64(int64_t value) { WriteLittleEndian(static_cast<uint64_t>(value), 8); }
void TStream::WriteUInt8(uint8_t value) { WriteLittleEndian(value, 1); }
void TStream::WriteUInt16(uint16_t value) { WriteLittleEndian(value, 2); }
void TStream::WriteUInt32(uint32_t value) { WriteLittleEndian(value, 4); }
void TStream::WriteDouble(double value) { WriteLittleEndian(std::bit_cast<uint64_t>(value), 8); }

void TStream::WriteExtended(double value)
{
    uint8_t raw[10];
    DoubleToExtended(value, raw);
    WriteBuffer(raw, 10);
}

void TStream::WriteString(std::string_view text)
{
    WriteBuffer(text.data(), static_cast<int>(text.size()));
}

// ---------------------------------------------------------------------------
// Extended <-> double
//
// A double is sign, 11-bit exponent (bias 1023) and 52 fraction bits with a
// hidden integer bit. An extended is a 64-bit mantissa whose integer bit is
// stored (bytes 0-7) and a sign + 15-bit exponent (bias 16383, bytes 8-9).

namespace {

constexpr int DoubleBias = 1023;
constexpr int ExtendedBias = 16383;
constexpr uint64_t IntegerBit = uint64_t(1) << 63;
constexpr uint64_t FractionMask = (uint64_t(1) << 52) - 1;

void StoreExtended(uint8_t bytes[10], bool negative, int exponent, uint64_t mantissa)
{
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    uint16_t top = static_cast<uint16_t>(exponent) | (negative ? 0x8000 : 0);
    bytes[8] = static_cast<uint8_t>(top);
    bytes[9] = static_cast<uint8_t>(top >> 8);
}

// value >> shift, rounded to nearest with ties to even.
uint64_t ShiftRightRounded(uint64_t value, int shift)
{
    if (shift <= 0)
        return value;
    if (shift > 64)
        return 0;
    uint64_t kept = shift == 64 ? 0 : value >> shift;
    uint64_t dropped = shift == 64 ? value : value & ((uint64_t(1) << shift) - 1);
    uint64_t half = uint64_t(1) << (shift - 1);
    if (dropped > half || (dropped == half && (kept & 1)))
        ++kept;
    return kept;
}

}  // namespace

void DoubleToExtended(double value, uint8_t bytes[10])
{
    uint64_t bits = std::bit_cast<uint64_t>(value);
    bool negative = bits >> 63;
    int exponent = static_cast<int>(bits >> 52) & 0x7FF;
    uint64_t fraction = bits & FractionMask;

    if (exponent == 0x7FF) {
        // Infinity keeps a bare integer bit; a NaN keeps its payload.
        StoreExtended(bytes, negative, 0x7FFF, IntegerBit | fraction << 11);
    } else if (exponent == 0 && fraction == 0) {
        StoreExtended(bytes, negative, 0, 0);
    } else if (exponent == 0) {
        // A denormal double is a normal extended: move its top bit up to the
        // integer bit and lower the exponent by as much.
        int top = 63 - std::countl_zero(fraction);
        StoreExtended(bytes, negative, top - 1074 + ExtendedBias, fraction << (63 - top));
    } else {
        StoreExtended(bytes, negative, exponent - DoubleBias + ExtendedBias, IntegerBit | fraction << 11);
    }
}

double ExtendedToDouble(const uint8_t bytes[10])
{
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = mantissa << 8 | bytes[i];
    uint16_t top = static_cast<uint16_t>(bytes[8] | bytes[9] << 8);
    uint64_t sign = uint64_t(top >> 15) << 63;
    int exponent = top & 0x7FFF;

    if (exponent == 0x7FFF) {
        uint64_t payload = (mantissa & ~IntegerBit) >> 11;
        if ((mantissa & ~IntegerBit) != 0 && payload == 0)
            payload = uint64_t(1) << 51;  // a NaN whose payload lies below the double's bits stays a NaN
        return std::bit_cast<double>(sign | uint64_t(0x7FF) << 52 | payload);
    }
    if (mantissa == 0)
        return std::bit_cast<double>(sign);

    // value = mantissa * 2^(e - 63) with the mantissa normalised so that its
    // top bit is set; extended denormals use the exponent of 1.
    int shift = std::countl_zero(mantissa);
    mantissa <<= shift;
    int e = std::max(exponent, 1) - ExtendedBias - shift;

    uint64_t result;
    if (e >= 1 - DoubleBias) {
        uint64_t kept = ShiftRightRounded(mantissa, 11);
        if (kept >> 53) {
            kept >>= 1;
            ++e;
        }
        if (e > DoubleBias)
            return std::bit_cast<double>(sign | uint64_t(0x7FF) << 52);
        result = uint64_t(e + DoubleBias) << 52 | (kept & FractionMask);
    } else {
        // Denormal double: count units of 2^-1074. A value that rounds up to
        // 2^52 units lands on the smallest normal, which the same bits encode.
        int64_t drop = int64_t(63 - 1074) - e;
        result = ShiftRightRounded(mantissa, static_cast<int>(std::min<int64_t>(drop, 65)));
    }
    return std::bit_cast<double>(sign | result);
}

// ---------------------------------------------------------------------------
// TMemoryStream

int TMemoryStream::Read(void* buffer, int count)
{
    if (position_ < 0 || count <= 0 || position_ >= size_)
        return 0;
    int n = static_cast<int>(std::min<int64_t>(count, size_ - position_));
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int TMemoryStream::Write(const void* buffer, int count)
{
    if (position_ < 0 || count <= 0)
        return 0;
    int64_t end = position_ + count;
    if (end > size_) {
        Reserve(end);
        // The storage past the size may hold bytes of an earlier, larger
        // content: a gap left by seeking past the end must read as zeros.
        if (position_ > size_)
            std::fill(data_.begin() + size_, data_.begin() + position_, '\0');
        size_ = end;
    }
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ += offset; break;
    case soEnd: position_ = size_ + offset; break;
    }
    return position_;
}

void TMemoryStream::SetSize(int64_t size)
{
    if (size < 0)
        throw EStreamError("Stream size out of range");
    if (size > size_) {
        Reserve(size);
        std::fill(data_.begin() + size_, data_.begin() + size, '\0');
    }
    size_ = size;
    if (position_ > size_)
        position_ = size_;
}

void TMemoryStream::Reserve(int64_t size)
{
    if (size <= Capacity())
        return;
    data_.resize(static_cast<size_t>(std::max(size, Capacity() * 2)));
}

void TMemoryStream::Clear()
{
    std::vector<char>().swap(data_);
    size_ = 0;
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    int64_t count = source.Size();
    if (count > std::numeric_limits<int>::max())
        throw EReadError("Stream read error");
    SetSize(count);
    source.ReadBuffer(data_.data(), static_cast<int>(count));
}

void TMemoryStream::SaveToStream(TStream& target)
{
    if (size_ > std::numeric_limits<int>::max())
        throw EWriteError("Stream write error");
    target.WriteBuffer(data_.data(), static_cast<int>(size_));
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---------------------------------------------------------------------------
// TStringStream

int TStringStream::Read(void* buffer, int count)
{
    int64_t size = Size();
    if (count <= 0 || position_ >= size)
        return 0;
    int n = static_cast<int>(std::min<int64_t>(count, size - position_));
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int TStringStream::Write(const void* buffer, int count)
{
    if (count <= 0)
        return 0;
    size_t end = static_cast<size_t>(position_) + static_cast<size_t>(count);
    if (end > data_.size())
        data_.resize(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = static_cast<int64_t>(end);
    return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    position_ = std::clamp<int64_t>(base + offset, 0, Size());
    return position_;
}

void TStringStream::SetSize(int64_t size)
{
    data_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    position_ = std::min(position_, Size());
}

AnsiString TStringStream::ReadString(int count)
{
    AnsiString text(static_cast<size_t>(std::clamp<int64_t>(count, 0, Size() - position_)), '\0');
    Read(text.data(), static_cast<int>(text.size()));
    return text;
}

// ---------------------------------------------------------------------------
// TFileStream

namespace {

AnsiString SystemMessage(int error)
{
    return Utf8ToAnsi(std::error_code(error, std::generic_category()).message());
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fileName_(fileName)
{
    bool create = (mode & fmCreate) == fmCreate;
    int flags = O_CLOEXEC;
    if (create)
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    else if ((mode & 3) == fmOpenWrite)
        flags |= O_WRONLY;
    else if ((mode & 3) == fmOpenReadWrite)
        flags |= O_RDWR;
    else
        flags |= O_RDONLY;

    int error = 0;
    do
        handle_ = ::open(fileName.c_str(), flags, 0666);
    while (handle_ < 0 && errno == EINTR);
    if (handle_ < 0) {
        error = errno;
    } else {
        // A folder opens for reading on this system but is no file to stream.
        struct stat info;
        if (::fstat(handle_, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(handle_);
            handle_ = -1;
            error = EISDIR;
        }
    }
    if (handle_ < 0) {
        if (create)
            throw EFCreateError("Cannot create file \"%s\". %s", Utf8ToAnsi(fileName), SystemMessage(error));
        throw EFOpenError("Cannot open file \"%s\". %s", Utf8ToAnsi(fileName), SystemMessage(error));
    }
}

TFileStream::~TFileStream()
{
    if (handle_ >= 0)
        ::close(handle_);
}

int TFileStream::Read(void* buffer, int count)
{
    // A pipe or a signal may hand over less than asked: keep reading until
    // the count is met or the file ends.
    int done = 0;
    while (done < count) {
        ssize_t n = ::read(handle_, static_cast<char*>(buffer) + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<int>(n);
    }
    return done;
}

int TFileStream::Write(const void* buffer, int count)
{
    int done = 0;
    while (done < count) {
        ssize_t n = ::write(handle_, static_cast<const char*>(buffer) + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<int>(n);
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(handle_, offset, whence);
}

int64_t TFileStream::Size()
{
    struct stat info;
    if (::fstat(handle_, &info) != 0)
        return TStream::Size();
    return info.st_size;
}

void TFileStream::SetSize(int64_t size)
{
    if (size < 0 || ::ftruncate(handle_, size) != 0)
        throw EWriteError("Stream write error");
    Seek(size, soBeginning);
}

}  // namespace core
