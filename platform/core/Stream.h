#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Forward.h"

namespace core {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A sequence of bytes with a position. Read and Write move as far as they
// can and say how far that was; ReadBuffer and WriteBuffer insist on the
// whole count. Numbers are read and written little-endian, as the classic
// file formats store them.
class TStream {
public:
    TStream() = default;
    virtual ~TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    virtual int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    // The size as seeking to the end finds it; the position is kept.
    virtual int64_t Size();
    // Streams that cannot change their size ignore the request.
    virtual void SetSize(int64_t size) { (void)size; }

    // EReadError "Stream read error" / EWriteError "Stream write error" when
    // fewer than `count` bytes move.
    void ReadBuffer(void* buffer, int count);
    void WriteBuffer(const void* buffer, int count);
    // Copies `count` bytes from the source's position; a count of 0 copies
    // the whole source from its start. Returns the number copied.
    int64_t CopyFrom(TStream& source, int64_t count);

    int8_t ReadInt8();
    int16_t ReadInt16();
    int32_t ReadInt32();
    int64_t ReadInt64();
    uint8_t ReadUInt8();
    uint16_t ReadUInt16();
    uint32_t ReadUInt32();
    double ReadDouble();
    // A 10-byte x87 extended, rounded to the nearest double (ties to even);
    // values beyond the double range become infinities or zeros.
    double ReadExtended();
    AnsiString ReadBytes(int count);

    void WriteInt8(int8_t value);
    void WriteInt16(int16_t value);
    void WriteInt32(int32_t value);
    void WriteInt64(int64_t value);
    void WriteUInt8(uint8_t value);
    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    void WriteDouble(double value);
    // Every double, denormals, infinities and NaNs included, has an exact
    // extended form, so ReadExtended gives back the very value written.
    void WriteExtended(double value);
    // The bytes of `text`, without a length or terminator.
    void WriteString(std::string_view text);

private:
    uint64_t ReadLittleEndian(int bytes);
    void WriteLittleEndian(uint64_t value, int bytes);
};

// The 10-byte x87 extended form of a double and back, for callers that hold
// the bytes already (component streams, for one).
void DoubleToExtended(double value, uint8_t bytes[10]);
double ExtendedToDouble(const uint8_t bytes[10]);

// Bytes in memory. The storage doubles when it runs out; seeking past the
// end and writing there fills the gap with zeros, and so does growing the
// size with SetSize.
class TMemoryStream : public TStream {
public:
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Position() override { return position_; }
    int64_t Size() override { return size_; }
    // Keeps the content up to the new size; a position beyond it moves to the end.
    void SetSize(int64_t size) override;

    char* Memory() { return data_.data(); }
    const char* Memory() const { return data_.data(); }
    int64_t Capacity() const { return static_cast<int64_t>(data_.size()); }
    // Empties the stream and gives its storage back.
    void Clear();

    // Replaces the content with the whole of `source`, read from its start.
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& target);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    void Reserve(int64_t size);

    std::vector<char> data_;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

// A stream over a string of bytes. The position stays within 0..length;
// writing overwrites and, at the end, extends the string.
class TStringStream : public TStream {
public:
    explicit TStringStream(AnsiString data = AnsiString()) : data_(std::move(data)) {}

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;

    const AnsiString& DataString() const { return data_; }
    // Up to `count` bytes from the position on.
    AnsiString ReadString(int count);

private:
    AnsiString data_;
    int64_t position_ = 0;
};

// File open modes. One access mode, or fmCreate; the share modes are
// accepted for the callers' sake and have no effect here.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
// Creates the file, or empties it when it exists, and opens it for reading
// and writing.
constexpr uint16_t fmCreate = 0xFF00;

// A file, opened in the constructor and closed in the destructor. The name is
// a path in the file system's encoding (UTF-8). Failure to open raises
// EFCreateError or EFOpenError with the name and the system's reason.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, uint16_t mode);
    ~TFileStream() override;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    // Cuts or extends the file (with zeros) and leaves the position at the new end.
    void SetSize(int64_t size) override;

    const std::string& FileName() const { return fileName_; }
    int Handle() const { return handle_; }

private:
    std::string fileName_;
    int handle_ = -1;
};

}  // namespace core
