#pragma once

#include <cstdint>

// Raster operations: how a new pixel is made from the pen or pattern (P),
// the source (S) and the destination (D), bit by bit over the 24 colour bits.
namespace graphics {

// The 16 binary operations between pen and destination, numbered as the
// classic device contexts number them. Code - 1 is a truth table: bit
// (P * 2 + D) of it is the result for pen bit P and destination bit D.
enum TRop2 {
    R2_BLACK = 1,         // 0
    R2_NOTMERGEPEN = 2,   // NOT (P OR D)
    R2_MASKNOTPEN = 3,    // (NOT P) AND D
    R2_NOTCOPYPEN = 4,    // NOT P
    R2_MASKPENNOT = 5,    // P AND (NOT D)
    R2_NOT = 6,           // NOT D
    R2_XORPEN = 7,        // P XOR D
    R2_NOTMASKPEN = 8,    // NOT (P AND D)
    R2_MASKPEN = 9,       // P AND D
    R2_NOTXORPEN = 10,    // NOT (P XOR D)
    R2_NOP = 11,          // D
    R2_MERGENOTPEN = 12,  // (NOT P) OR D
    R2_COPYPEN = 13,      // P
    R2_MERGEPENNOT = 14,  // P OR (NOT D)
    R2_MERGEPEN = 15,     // P OR D
    R2_WHITE = 16         // 1
};

// Ternary operations for bit-block copies. Bits 16 to 23 are a truth table:
// bit (P * 4 + S * 2 + D) is the result for pattern bit P, source bit S and
// destination bit D. Only that byte matters here; the low word is the
// classic encoding, kept so the values read as the familiar constants.
using TRop3 = uint32_t;
constexpr TRop3 SRCCOPY = 0x00CC0020;      // S
constexpr TRop3 SRCPAINT = 0x00EE0086;     // S OR D
constexpr TRop3 SRCAND = 0x008800C6;       // S AND D
constexpr TRop3 SRCINVERT = 0x00660046;    // S XOR D
constexpr TRop3 SRCERASE = 0x00440328;     // S AND (NOT D)
constexpr TRop3 NOTSRCCOPY = 0x00330008;   // NOT S
constexpr TRop3 NOTSRCERASE = 0x001100A6;  // NOT (S OR D)
constexpr TRop3 MERGECOPY = 0x00C000CA;    // P AND S
constexpr TRop3 MERGEPAINT = 0x00BB0226;   // (NOT S) OR D
constexpr TRop3 PATCOPY = 0x00F00021;      // P
constexpr TRop3 PATPAINT = 0x00FB0A09;     // P OR (NOT S) OR D
constexpr TRop3 PATINVERT = 0x005A0049;    // P XOR D
constexpr TRop3 DSTINVERT = 0x00550009;    // NOT D
constexpr TRop3 BLACKNESS = 0x00000042;    // 0
constexpr TRop3 WHITENESS = 0x00FF0062;    // 1
// Where the source is black the pattern shows, elsewhere the destination
// stays: ((D XOR P) AND S) XOR P. Paints a glyph's black pixels in the
// brush colour.
constexpr TRop3 ROP_PSDPXAX = 0x00B8074A;

constexpr int Rop3Table(TRop3 rop) { return static_cast<int>((rop >> 16) & 0xFF); }

// Whether an operation reads the source or the pattern at all.
constexpr bool Rop3UsesSource(TRop3 rop)
{
    int t = Rop3Table(rop);
    return ((t >> 2) & 0x33) != (t & 0x33);
}
constexpr bool Rop3UsesPattern(TRop3 rop)
{
    int t = Rop3Table(rop);
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

// Applies a binary operation to every bit of two pixels.
constexpr uint32_t ApplyRop2(int rop2, uint32_t p, uint32_t d)
{
    unsigned t = static_cast<unsigned>(rop2 - 1) & 0xF;
    uint32_t r = 0;
    if (t & 1)
        r |= ~p & ~d;
    if (t & 2)
        r |= ~p & d;
    if (t & 4)
        r |= p & ~d;
    if (t & 8)
        r |= p & d;
    return r;
}

// Applies a ternary operation, by its truth table, to every bit.
constexpr uint32_t ApplyRop3(int table, uint32_t p, uint32_t s, uint32_t d)
{
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((table >> i) & 1))
            continue;
        uint32_t term = (i & 4) ? p : ~p;
        term &= (i & 2) ? s : ~s;
        term &= (i & 1) ? d : ~d;
        r |= term;
    }
    return r;
}

}  // namespace graphics
