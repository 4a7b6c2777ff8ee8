#pragma once

#include <string_view>
#include <vector>

#include "platform/core/CodePage.h"

namespace grid {

// Stepping through 8-bit text that mixes single-byte characters, double-byte
// characters of the active code page and line breaks, without ever landing
// inside a double-byte character or a line break of two bytes.
//
// Text is passed as a view; the byte after its last one stands for the
// terminating zero of the classic routines, so nothing here reads past the
// view. Positions count bytes from 0. A line break is a carriage return (13)
// or a line feed (10); two different ones in a row (CR LF or LF CR) are one
// line break of two bytes, two equal ones are two line breaks.

// Whether the system's code page has double-byte characters. Set at start-up
// from the platform's code page; while it is false every byte is a character
// of its own.
extern bool DoubleByteSystem;

// What the byte at `i` is: single, lead or trail byte (single outside the text).
core::TMbcsByteType CharKindAt(std::string_view text, int i);
// The kind of every byte of `text`, worked out in one pass.
std::vector<core::TMbcsByteType> CharKinds(std::string_view text);

// False when the byte at `i` belongs to a double-byte character or lies
// outside the text; otherwise whether it is a carriage return or a line feed.
bool IsLineBreakAt(std::string_view text, int i);
// When a line break starts at `i`, moves `i` past it (by 2 for a pair of
// different line-break characters, else by 1) and answers true.
bool SkipLineBreak(std::string_view text, int& i);
// The length of the character at `i`: 0 at the end of the text or at a zero
// byte, 1 or 2 for a line break, 2 for a double-byte character, else 1. It
// never reaches past the end of the text.
int CharLenAt(std::string_view text, int i);
// The length of the character that ends just before `n`: 0 for `n` of 0 or
// less (or past the end of the text), else the step back that lands where
// stepping forward from the start would have stopped.
int CharLenBefore(std::string_view text, int n);

// Byte searches in the first `len` bytes; -1 when there is none.
int FindByte(std::string_view data, char ch, int len);
int FindByteBack(std::string_view data, char ch, int len);
// The first (last) occurrence of the single-byte character `ch` in the
// first `len` bytes that is a character of its own, never a byte of a
// double-byte character; -1 when there is none.
int FindChar(std::string_view text, char ch, int len);
int FindCharBack(std::string_view text, char ch, int len);

}  // namespace grid
