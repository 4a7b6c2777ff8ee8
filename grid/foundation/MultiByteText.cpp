#include "grid/foundation/MultiByteText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace grid {

namespace {

// A code page has double-byte characters when some byte value leads one.
bool CodePageHasLeadBytes()
{
    for (int b = 0x80; b <= 0xFF; ++b)
        if (core::IsLeadByte(static_cast<char>(b)))
            return true;
    return false;
}

bool IsBreakByte(char c)
{
    return c == '\r' || c == '\n';
}

int Size(std::string_view text)
{
    return static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
}

bool IsLead(std::string_view text, int i)
{
    return DoubleByteSystem && core::IsLeadByte(text[i]);
}

// The bytes the character starting at `i` takes by the code page alone: a
// lead byte with a byte after it takes two, as the platform's byte kinds
// count it (a lead byte at the very end is still a lead byte, of a
// character cut short).
int CodePageSpan(std::string_view text, int i)
{
    return IsLead(text, i) && i + 1 < Size(text) ? 2 : 1;
}

// The length of the character starting at `i`, which must start one:
// a double-byte character, a line break of one or two bytes, or one byte.
int SpanAtCharStart(std::string_view text, int i)
{
    int span = CodePageSpan(text, i);
    if (span == 1 && IsBreakByte(text[i]) && i + 1 < Size(text) && IsBreakByte(text[i + 1]) && text[i + 1] != text[i])
        return 2;
    return span;
}

}  // namespace

bool DoubleByteSystem = CodePageHasLeadBytes();

core::TMbcsByteType CharKindAt(std::string_view text, int i)
{
    if (!DoubleByteSystem || i < 0 || i >= Size(text))
        return core::mbSingleByte;
    return core::ByteType(text, static_cast<size_t>(i));
}

std::vector<core::TMbcsByteType> CharKinds(std::string_view text)
{
    std::vector<core::TMbcsByteType> kinds(static_cast<size_t>(Size(text)), core::mbSingleByte);
    for (int i = 0; i < Size(text); i += CodePageSpan(text, i)) {
        if (IsLead(text, i)) {
            kinds[i] = core::mbLeadByte;
            if (i + 1 < Size(text))
                kinds[i + 1] = core::mbTrailByte;
        }
    }
    return kinds;
}

bool IsLineBreakAt(std::string_view text, int i)
{
    if (i < 0 || i >= Size(text) || !IsBreakByte(text[i]))
        return false;
    return CharKindAt(text, i) == core::mbSingleByte;
}

bool SkipLineBreak(std::string_view text, int& i)
{
    if (!IsLineBreakAt(text, i))
        return false;
    i += SpanAtCharStart(text, i);
    return true;
}

int CharLenAt(std::string_view text, int i)
{
    if (i < 0 || i >= Size(text) || text[i] == '\0')
        return 0;
    switch (CharKindAt(text, i)) {
    case core::mbSingleByte:
        return SpanAtCharStart(text, i);
    case core::mbLeadByte:
    case core::mbTrailByte:
        // A character cut short at the end of the text, or a caller that
        // lost its place and asks at a trail byte: the step stops at the end.
        return std::min(2, Size(text) - i);
    }
    return 1;
}

int CharLenBefore(std::string_view text, int n)
{
    if (n <= 0 || n > Size(text))
        return 0;
    // Line breaks pair from the left (LF CR LF is LF CR, then LF), so only
    // a walk from the start tells where the last character before `n`
    // begins; the byte kinds need that walk anyway.
    int start = 0;
    for (int i = 0; i < n; i += SpanAtCharStart(text, i))
        start = i;
    return n - start;
}

int FindByte(std::string_view data, char ch, int len)
{
    len = std::clamp(len, 0, Size(data));
    const void* hit = std::memchr(data.data(), ch, static_cast<size_t>(len));
    return hit ? static_cast<int>(static_cast<const char*>(hit) - data.data()) : -1;
}

int FindByteBack(std::string_view data, char ch, int len)
{
    for (int i = std::clamp(len, 0, Size(data)) - 1; i >= 0; --i)
        if (data[i] == ch)
            return i;
    return -1;
}

int FindChar(std::string_view text, char ch, int len)
{
    len = std::clamp(len, 0, Size(text));
    for (int i = 0; i < len;) {
        if (!IsLead(text, i) && text[i] == ch)
            return i;
        i += CodePageSpan(text, i);
    }
    return -1;
}

int FindCharBack(std::string_view text, char ch, int len)
{
    // The last hit that is a character of its own: a walk from the start
    // classifies every byte once, where stepping back from the end would
    // have to ask for the kind of each hit from the start again.
    len = std::clamp(len, 0, Size(text));
    int found = -1;
    for (int i = 0; i < len;) {
        if (!IsLead(text, i) && text[i] == ch)
            found = i;
        i += CodePageSpan(text, i);
    }
    return found;
}

}  // namespace grid
