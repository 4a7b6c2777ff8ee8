#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/filing/Forward.h"

namespace filing {

// The line of a text form description that each part of the binary stream
// made from it came from, so that errors found while reading the binary
// point at the text.
class TLineMap {
public:
    void Add(int64_t offset, int line);
    // The line of the last part that starts at or before `offset`; 0 when none.
    int LineAt(int64_t offset) const;

private:
    std::vector<std::pair<int64_t, int>> entries_;
};

// Converts a text form description (`object Name: TClass ... end`) into the
// binary component stream. Raises EParserError naming what was wrong and on
// which line. Quoted text is read as GBK (as UTF-8 after a UTF-8 byte order
// mark); a string that is all ASCII becomes vaString (vaLString beyond 255
// bytes), any other vaWString. With `lines`, records where each part came from.
void ObjectTextToBinary(core::TStream& input, core::TStream& output, TLineMap* lines = nullptr);

// Converts a binary component stream into its text form: two spaces of
// indent per level, text in pure ASCII (printable characters in quotes,
// everything else as #N UTF-16 codes), long strings and binary data over
// several lines. Converting that text back gives the same binary for streams
// this system writes. Raises EReadError for a malformed stream, and for
// values that the text form cannot hold (names that are not identifiers,
// floats that are not finite).
void ObjectBinaryToText(core::TStream& input, core::TStream& output);

}  // namespace filing
