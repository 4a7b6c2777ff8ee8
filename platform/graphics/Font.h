#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/core/EnumType.h"
#include "platform/core/Forward.h"
#include "platform/core/Set.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"

namespace graphics {

CORE_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
CORE_SET(TFontStyles, TFontStyle);
CORE_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);

// The character set a font is asked for. Text is drawn from the code page's
// bytes whatever the character set says; it is kept and filed as given.
using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset OEM_CHARSET = 255;

// Character set names as form descriptions write them ("GB2312_CHARSET").
std::optional<core::AnsiString> CharsetToIdent(int charset);
std::optional<int> IdentToCharset(std::string_view ident);

// Classic rounding of a * b / c: halves away from zero.
int MulDiv(int a, int b, int c);

// A font as controls ask for it. Height < 0 is the character height in
// pixels (the em, without internal leading), Height > 0 the cell height
// (ascent plus descent); Size is in points at PixelsPerInch (96), so
// Height -12 is Size 9. Name goes through the substitution table of the
// font engine ("宋体" to WenQuanYi Bitmap Song, "MS Sans Serif" to a sans
// face of the machine).
class TFont : public TGraphicsObject {
    CORE_CLASS(TFont, TGraphicsObject)

    TFont();

    const core::AnsiString& Name() const { return name_; }
    void SetName(const core::AnsiString& value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value > 0 ? value : 96; }

    // Copies another font; its height is scaled when the two differ in
    // pixels per inch. OnChange fires once, and only if something changed.
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;
    static void Publish(core::PropertyList& list);

private:
    core::AnsiString name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = fpDefault;
    TFontCharset charset_ = DEFAULT_CHARSET;
    int pixelsPerInch_ = 96;
};

}  // namespace graphics
