#pragma once

#include <string>
#include <string_view>

#include "platform/core/Forward.h"

namespace core {

// The active code page is 936 (GBK): bytes 0x00-0x7F and 0x80 stand alone,
// 0x81-0xFE lead a two-byte character whose trail is 0x40-0x7E or 0x80-0xFE.
enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };

inline bool IsLeadByte(char c)
{
    unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

inline bool IsTrailByte(char c)
{
    unsigned char b = static_cast<unsigned char>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// What the byte at `index` (0-based) of `text` is, scanning from the start so
// that a trail byte that looks like a lead byte is told apart.
TMbcsByteType ByteType(std::string_view text, size_t index);

// Text at the edges. Conversions never produce a broken sequence: what the
// target cannot hold, or what the source does not encode, becomes "?".
std::string AnsiToUtf8(std::string_view ansi);
AnsiString Utf8ToAnsi(std::string_view utf8);
WideString AnsiToWide(std::string_view ansi);
AnsiString WideToAnsi(std::u16string_view wide);
std::string WideToUtf8(std::u16string_view wide);
WideString Utf8ToWide(std::string_view utf8);

// One character of the code page as a Unicode scalar; `length` receives the
// number of bytes it took (1 or 2). Undecodable bytes give '?'.
char32_t DecodeAnsiChar(std::string_view text, size_t index, int& length);

}  // namespace core
