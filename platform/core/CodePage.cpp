#include "platform/core/CodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <mutex>

#include "platform/core/Exception.h"

namespace core {

namespace {

// Decoding and encoding tables of code page 936, filled once from the C
// library's GBK converter: iconv per character would be far too slow for
// painting and storage.
class Gbk {
public:
    static const Gbk& Instance()
    {
        static const Gbk table;
        return table;
    }

    // Unicode of a two-byte code, or 0 when it encodes nothing.
    char16_t Decode(unsigned char lead, unsigned char trail) const { return decode_[(lead - 0x81) * 256 + trail]; }
    // GBK code of a BMP character (lead << 8 | trail, or the byte itself), or 0.
    uint16_t Encode(char16_t c) const { return encode_[c]; }

private:
    Gbk() : decode_(), encode_()
    {
        iconv_t cd = iconv_open("UTF-16LE", "GBK");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw EOSError("The GBK code page is not available");
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                unsigned char out[8];
                char* inPtr = in;
                char* outPtr = reinterpret_cast<char*>(out);
                size_t inLeft = 2, outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outLeft != 6)
                    continue;
                char16_t unit = static_cast<char16_t>(out[0] | out[1] << 8);
                decode_[(lead - 0x81) * 256 + trail] = unit;
                if (encode_[unit] == 0)
                    encode_[unit] = static_cast<uint16_t>(lead << 8 | trail);
            }
        }
        iconv_close(cd);
        for (unsigned c = 1; c < 0x80; ++c)
            encode_[c] = static_cast<uint16_t>(c);
        // The single byte 0x80 is the euro sign in this code page.
        encode_[0x20AC] = 0x80;
    }

    std::array<char16_t, 126 * 256> decode_;
    std::array<uint16_t, 65536> encode_;
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next scalar of UTF-8 text; malformed input gives U+FFFD and skips one byte.
char32_t NextUtf8(std::string_view text, size_t& i)
{
    unsigned char b = static_cast<unsigned char>(text[i++]);
    if (b < 0x80)
        return b;
    int extra = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0 || (b >= 0xF0 && extra != 3))
        return 0xFFFD;
    char32_t c = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        c = c << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (c < minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0xFFFD;
    return c;
}

// The next scalar of UTF-16 text; an unpaired surrogate gives U+FFFD.
char32_t NextUtf16(std::u16string_view text, size_t& i)
{
    char16_t u = text[i++];
    if (u >= 0xD800 && u <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
        return 0x10000 + ((u - 0xD800) << 10) + (text[i++] - 0xDC00);
    if (u >= 0xD800 && u <= 0xDFFF)
        return 0xFFFD;
    return u;
}

void AppendUtf16(WideString& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

void AppendAnsi(AnsiString& out, char32_t c)
{
    uint16_t code = c < 0x10000 ? Gbk::Instance().Encode(static_cast<char16_t>(c)) : 0;
    if (c == 0)
        out += '\0';
    else if (code == 0)
        out += '?';
    else if (code < 0x100)
        out += static_cast<char>(code);
    else {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
}

}  // namespace

TMbcsByteType ByteType(std::string_view text, size_t index)
{
    size_t i = 0;
    while (i < index) {
        if (IsLeadByte(text[i]) && i + 1 < text.size())
            i += 2;
        else
            ++i;
    }
    if (i > index)
        return mbTrailByte;
    return IsLeadByte(text[index]) ? mbLeadByte : mbSingleByte;
}

char32_t DecodeAnsiChar(std::string_view text, size_t index, int& length)
{
    unsigned char b = static_cast<unsigned char>(text[index]);
    length = 1;
    if (b < 0x80)
        return b;
    if (b == 0x80)
        return 0x20AC;
    if (b == 0xFF || index + 1 >= text.size())
        return '?';
    unsigned char trail = static_cast<unsigned char>(text[index + 1]);
    length = 2;
    char16_t c = Gbk::Instance().Decode(b, trail);
    return c ? c : U'?';
}

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (size_t i = 0; i < ansi.size();) {
        if (static_cast<unsigned char>(ansi[i]) < 0x80) {
            out += ansi[i++];
            continue;
        }
        int length;
        AppendUtf8(out, DecodeAnsiChar(ansi, i, length));
        i += length;
    }
    return out;
}

WideString AnsiToWide(std::string_view ansi)
{
    WideString out;
    out.reserve(ansi.size());
    for (size_t i = 0; i < ansi.size();) {
        int length;
        out += static_cast<char16_t>(DecodeAnsiChar(ansi, i, length));
        i += length;
    }
    return out;
}

AnsiString Utf8ToAnsi(std::string_view utf8)
{
    AnsiString out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        AppendAnsi(out, NextUtf8(utf8, i));
    }
    return out;
}

AnsiString WideToAnsi(std::u16string_view wide)
{
    AnsiString out;
    out.reserve(wide.size() * 2);
    for (size_t i = 0; i < wide.size();)
        AppendAnsi(out, NextUtf16(wide, i));
    return out;
}

std::string WideToUtf8(std::u16string_view wide)
{
    std::string out;
    for (size_t i = 0; i < wide.size();)
        AppendUtf8(out, NextUtf16(wide, i));
    return out;
}

WideString Utf8ToWide(std::string_view utf8)
{
    WideString out;
    for (size_t i = 0; i < utf8.size();)
        AppendUtf16(out, NextUtf8(utf8, i));
    return out;
}

}  // namespace core
