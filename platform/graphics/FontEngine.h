#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/Forward.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Types.h"

namespace graphics {

// Text metrics of a resolved font, in pixels, as the layout rules read them.
struct TTextMetric {
    int Height = 0;           // ascent + descent: the height of a line
    int Ascent = 0;           // cell top to baseline
    int Descent = 0;          // baseline to cell bottom
    int InternalLeading = 0;  // Height minus the em the font was asked for
    int ExternalLeading = 0;  // space the font suggests between lines
    int AveCharWidth = 0;     // the advance of "x"
    int MaxCharWidth = 0;
    int Overhang = 0;         // extra width of a slanted run (synthetic italic)
    int Weight = 400;         // 400 regular, 700 bold
    bool Italic = false;
};

// One rendered glyph: a 0/1 coverage mask placed relative to the pen
// position on the baseline (Left to the right, Top upwards).
struct TGlyph {
    int Advance = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Mask;
};

// A face file at one pixel size, and which characters it is asked for.
struct TGlyphSource;

// A font resolved to faces on this machine: metrics and a glyph cache. The
// engine owns it and keeps it for the life of the process.
class TFontInstance {
public:
    TFontInstance(std::vector<TGlyphSource> sources, const TTextMetric& metrics, core::AnsiString description);
    ~TFontInstance();
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;

    const TTextMetric& Metrics() const { return metrics_; }
    // The faces in the order a character is looked up, for diagnostics and
    // tests: "WenQuanYi Bitmap Song 12px, AR PL UMing CN 12px (ASCII)".
    const core::AnsiString& Description() const { return description_; }

    // The glyph of one character. Control characters (below 32) are empty
    // and take no room; a character no face has gets the first face's
    // missing-glyph shape.
    const TGlyph& Glyph(char32_t ch);
    // Width of a run of code-page text: the advances plus, for a non-empty
    // run, the overhang.
    int TextWidth(std::string_view ansi);
    // The row (from the cell top) and thickness of underlines and strike-outs.
    int UnderlineRow() const;
    int LineThickness() const;
    int StrikeOutRow() const;

private:
    TGlyph Render(char32_t ch);

    std::vector<TGlyphSource> sources_;
    TTextMetric metrics_;
    core::AnsiString description_;
    std::array<std::unique_ptr<TGlyph>, 128> ascii_;
    std::unordered_map<char32_t, TGlyph> others_;
};

// Finds faces through fontconfig and renders them with FreeType, without
// anti-aliasing, so that the same text gives the same pixels on every
// machine with the same packages. Used from the UI thread only.
class TFontEngine {
public:
    static TFontEngine& Instance();
    ~TFontEngine();

    // The resolved font for a font's name, height and style (underline and
    // strike-out do not change glyphs and are drawn by the canvas).
    TFontInstance& Resolve(const TFont& font);
    TFontInstance& Resolve(const core::AnsiString& name, int height, TFontStyles style);

private:
    TFontEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace graphics
